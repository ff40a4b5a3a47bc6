// The settings sheet on a real X display: its flat buttons show their pictures and Chinese
// captions that are glyphs, not empty boxes. The capture is kept beside the test program
// (sheet-screenshot.bmp) for a look.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <vector>

#include "framework/ModulePath.h"
#include "settings/SystemColours.h"
#include "settings/tests/SheetTestSupport.h"

using namespace tembra;
using namespace tembra::test;

namespace {

// The window as drawn, children included, as 32-bit pixels.
struct Capture {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Capture CaptureWindow(HWND hwnd, const std::string& bmpPath) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    Capture capture;
    capture.width = rc.right - rc.left;
    capture.height = rc.bottom - rc.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC windowDc = GetWindowDC(hwnd);
    UniqueMemoryDc memory(CreateCompatibleDC(windowDc));
    void* bits = nullptr;
    UniqueBitmap dib(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        SelectGuard select(memory.get(), dib.get());
        BitBlt(memory.get(), 0, 0, capture.width, capture.height, windowDc, 0, 0, SRCCOPY);
        GdiFlush();
    }
    ReleaseDC(hwnd, windowDc);
    const auto* p = static_cast<const BYTE*>(bits);
    const size_t count = static_cast<size_t>(capture.width) * capture.height;
    for (size_t i = 0; i < count; ++i) capture.pixels.push_back(RGB(p[4 * i + 2], p[4 * i + 1], p[4 * i]));

    for (size_t i = 0; i < count; ++i) static_cast<BYTE*>(bits)[4 * i + 3] = 0xFF;  // opaque
    if (FILE* f = fopen(bmpPath.c_str(), "wb")) {
        const DWORD size = static_cast<DWORD>(count * 4);
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        file.bfSize = file.bfOffBits + size;
        fwrite(&file, sizeof file, 1, f);
        fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f);
        fwrite(bits, size, 1, f);
        fclose(f);
    }
    return capture;
}

// Dark pixels (caption text) of `area` as a mask, one row per line.
std::vector<std::vector<bool>> TextMask(const Capture& capture, const RECT& area) {
    std::vector<std::vector<bool>> mask;
    for (int y = area.top; y < area.bottom; ++y) {
        std::vector<bool> row;
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = capture.at(x, y);
            row.push_back(GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 96);
        }
        mask.push_back(row);
    }
    return mask;
}

}  // namespace

TEST(SettingsSheetScreen, FlatButtonsShowTheirPicturesAndChineseCaptions) {
    ScopedRegistrySandbox registry;
    CTCSetsSheet sheet(kGeneralPageIndex);
    Capture capture;
    RECT ok{};
    RunSheetWith(sheet, [&](HWND hwnd) {
        HWND apply = GetDlgItem(hwnd, CPropertySheet::kApplyButtonId);
        WaitUntil([&] { return IsWindowEnabled(apply) != FALSE; }, 5000);
        // Painted before it returns (the sheet's thread paints while this one waits), and
        // the capture reads the window's own pixels, not the X display's.
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        GetWindowRect(GetDlgItem(hwnd, IDOK), &ok);
        RECT window;
        GetWindowRect(hwnd, &window);
        OffsetRect(&ok, -window.left, -window.top);
        capture = CaptureWindow(hwnd, DirectoryOf(ProgramPath()) + "\\sheet-screenshot.bmp");
        PressSheetButton(hwnd, PSBTN_CANCEL);
    });
    ASSERT_GT(capture.width, 0);

    // The green tick sits left of the caption.
    int green = 0;
    for (int y = ok.top; y < ok.bottom; ++y)
        for (int x = ok.left; x < ok.left + 30; ++x)
            if (capture.at(x, y) == RGB(0, 128, 0) || capture.at(x, y) == RGB(0, 255, 0)) ++green;
    EXPECT_GT(green, 10);

    // The caption "确定": dark glyphs in runs of columns. Missing glyphs would show nothing
    // or identical boxes, so the first two runs must differ.
    RECT text{ok.left + 5 + 16 + 2, ok.top + 3, ok.right - 3, ok.bottom - 3};
    auto mask = TextMask(capture, text);
    const int width = text.right - text.left;
    auto columnDark = [&](int x) {
        for (const auto& row : mask)
            if (row[x]) return true;
        return false;
    };
    std::vector<std::pair<int, int>> runs;  // [first, last] columns
    for (int x = 0; x < width; ++x) {
        if (!columnDark(x)) continue;
        if (!runs.empty() && runs.back().second == x - 1)
            runs.back().second = x;
        else
            runs.push_back({x, x});
    }
    ASSERT_GE(runs.size(), 2u) << "caption drawn as separate glyphs";
    int differing = 0;
    const int span = std::max(runs[0].second - runs[0].first, runs[1].second - runs[1].first) + 1;
    for (const auto& row : mask)
        for (int x = 0; x < span; ++x) {
            const bool a = runs[0].first + x < width && row[runs[0].first + x];
            const bool b = runs[1].first + x < width && row[runs[1].first + x];
            differing += a != b;
        }
    EXPECT_GT(differing, 10) << "different glyphs, not boxes";
}
