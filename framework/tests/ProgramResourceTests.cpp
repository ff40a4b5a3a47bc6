// The built programs as Windows reads them: the manifest (resource 1 of type 24) through an
// activation context, the version resource through the version functions.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/testing/TestSupport.h"

using namespace tembra::test;

namespace {

// Vista, 7, 8, 8.1, 10 (and 11).
const GUID kSupportedSystems[] = {
    {0xe2011457, 0x1546, 0x43c5, {0xa5, 0xfe, 0x00, 0x8d, 0xee, 0xe3, 0xd3, 0xf0}},
    {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}},
    {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}},
    {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}},
    {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}}};

// Declared by the headers for Vista and later only.
using QuerySettings = BOOL(WINAPI*)(DWORD, HANDLE, PCWSTR, PCWSTR, PWSTR, SIZE_T, SIZE_T*);

std::wstring Setting(HANDLE context, const wchar_t* ns, const wchar_t* name) {
    static const auto query = reinterpret_cast<QuerySettings>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryActCtxSettingsW")));
    wchar_t value[128] = L"";
    SIZE_T written = 0;
    return query && query(0, context, ns, name, value, 128, &written) ? value : L"(none)";
}

std::string OriginalFilename(const std::string& path) {
    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeA(path.c_str(), &ignored) + 1);
    WORD* language = nullptr;
    char* text = nullptr;
    UINT size = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
        !VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&language), &size))
        return "(no version resource)";
    char key[64];
    snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\OriginalFilename", language[0], language[1]);
    return VerQueryValueA(data.data(), key, reinterpret_cast<void**>(&text), &size) ? text : "(none)";
}

}  // namespace

TEST(ProgramResources, EachProgramCarriesItsManifestAndVersion) {
    for (const char* program : {"TembraClock.exe", "TCSets.exe", "Chronet.exe"}) {
        SCOPED_TRACE(program);
        const std::string path = BinDir() + "\\" + program;
        EXPECT_EQ(OriginalFilename(path), program);
        ACTCTXA request{};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = path.c_str();
        request.lpResourceName = MAKEINTRESOURCEA(1);
        HANDLE context = CreateActCtxA(&request);
        ASSERT_NE(context, INVALID_HANDLE_VALUE) << "no manifest Windows reads: " << GetLastError();

        ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level{};
        SIZE_T size = 0;
        QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &level, sizeof level, &size);
        EXPECT_EQ(level.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
        // The layout of its elements differs between SDKs: the systems are looked for bytewise.
        unsigned char systems[1024] = {};
        QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, systems,
                     sizeof systems, &size);
        EXPECT_EQ(*reinterpret_cast<DWORD*>(systems), 5u);
        for (const GUID& system : kSupportedSystems) {
            bool found = false;
            for (SIZE_T at = 0; at + sizeof system <= size; ++at)
                found = found || memcmp(systems + at, &system, sizeof system) == 0;
            EXPECT_TRUE(found) << std::hex << system.Data1;
        }
        EXPECT_EQ(Setting(context, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
                  L"PerMonitorV2, PerMonitor");
        EXPECT_EQ(Setting(context, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"),
                  L"true/pm");
        // Common Controls 6: inside the context, comctl32.dll is the side-by-side assembly.
        ULONG_PTR cookie = 0;
        ActivateActCtx(context, &cookie);
        ACTCTX_SECTION_KEYED_DATA redirect{};
        redirect.cbSize = sizeof redirect;
        EXPECT_TRUE(FindActCtxSectionStringA(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                             "comctl32.dll", &redirect));
        DeactivateActCtx(0, cookie);
        ReleaseActCtx(context);
    }
}
