// The built programs as Windows reads them: the manifest from resource 1 of type 24 through an
// activation context, the version resource through the version functions.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/testing/TestSupport.h"

using namespace tembra::test;

namespace {

const char* const kPrograms[] = {"TembraClock.exe", "TCSets.exe", "Chronet.exe"};

// Vista, 7, 8, 8.1, 10 (and 11).
const GUID kSupportedSystems[] = {
    {0xe2011457, 0x1546, 0x43c5, {0xa5, 0xfe, 0x00, 0x8d, 0xee, 0xe3, 0xd3, 0xf0}},
    {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}},
    {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}},
    {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}},
    {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}},
};

// Declared by the headers for Vista and later only.
using QueryActCtxSettingsFunction = BOOL(WINAPI*)(DWORD, HANDLE, PCWSTR, PCWSTR, PWSTR, SIZE_T, SIZE_T*);

std::wstring Setting(HANDLE context, const wchar_t* ns, const wchar_t* name) {
    static const auto query = reinterpret_cast<QueryActCtxSettingsFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryActCtxSettingsW")));
    wchar_t value[128] = L"";
    SIZE_T written = 0;
    if (!query || !query(0, context, ns, name, value, 128, &written)) return L"(none)";
    return value;
}

std::string VersionText(const std::string& path, const char* name) {
    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeA(path.c_str(), &ignored));
    if (data.empty() || !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()))
        return "(no version resource)";
    WORD* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size) ||
        size < 4)
        return "(no translation)";
    char key[64];
    snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\%s", translation[0], translation[1], name);
    char* text = nullptr;
    return VerQueryValueA(data.data(), key, reinterpret_cast<void**>(&text), &size) && text ? text : "(missing)";
}

}  // namespace

TEST(ProgramResources, EachProgramCarriesItsManifest) {
    for (const char* program : kPrograms) {
        SCOPED_TRACE(program);
        const std::string path = BinDir() + "\\" + program;
        ACTCTXA request{};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = path.c_str();
        request.lpResourceName = MAKEINTRESOURCEA(1);
        HANDLE context = CreateActCtxA(&request);
        ASSERT_NE(context, INVALID_HANDLE_VALUE) << "no manifest Windows could read, error " << GetLastError();

        ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level{};
        SIZE_T size = 0;
        ASSERT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &level,
                                 sizeof level, &size));
        EXPECT_EQ(level.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
        EXPECT_EQ(level.UiAccess, 0u);

        // Its element layout differs between SDKs: the systems are looked for byte by byte.
        unsigned char compatibility[1024] = {};
        ASSERT_TRUE(QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext,
                                 compatibility, sizeof compatibility, &size));
        EXPECT_EQ(reinterpret_cast<ACTIVATION_CONTEXT_COMPATIBILITY_INFORMATION*>(compatibility)->ElementCount,
                  5u);
        for (const GUID& system : kSupportedSystems) {
            bool found = false;
            for (SIZE_T at = 0; at + sizeof system <= size && !found; ++at)
                found = memcmp(compatibility + at, &system, sizeof system) == 0;
            EXPECT_TRUE(found) << "supportedOS " << std::hex << system.Data1;
        }

        EXPECT_EQ(Setting(context, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
                  L"PerMonitorV2, PerMonitor");
        EXPECT_EQ(Setting(context, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"),
                  L"true/pm");

        // Common Controls 6: inside the context, comctl32.dll is the side-by-side assembly.
        ULONG_PTR cookie = 0;
        ASSERT_TRUE(ActivateActCtx(context, &cookie));
        ACTCTX_SECTION_KEYED_DATA redirect{};
        redirect.cbSize = sizeof redirect;
        EXPECT_TRUE(FindActCtxSectionStringA(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                             "comctl32.dll", &redirect));
        DeactivateActCtx(0, cookie);
        ReleaseActCtx(context);
    }
}

TEST(ProgramResources, EachProgramCarriesItsVersion) {
    for (const char* program : kPrograms) {
        SCOPED_TRACE(program);
        const std::string path = BinDir() + "\\" + program;
        EXPECT_EQ(VersionText(path, "OriginalFilename"), program);
        EXPECT_EQ(VersionText(path, "ProductName"), "Tembra Clock");
        EXPECT_EQ(VersionText(path, "FileVersion"), "1.0");
    }
}
