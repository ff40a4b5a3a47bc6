// The system's font dialog behind the seam, cancelled by a hook as soon as it opens.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "framework/CommonDialogs.h"

using namespace tembra;

namespace {
UINT_PTR CALLBACK CancelAtOnce(HWND dialog, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_INITDIALOG) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return 0;
}
}  // namespace

TEST(CommonDialogs, CancelledFontDialogLeavesTheCallersFontAlone) {
    // A face the system lacks: its dialog picks another and writes it into the description
    // it was given, even on Cancel.
    LOGFONTA font{};
    lstrcpyA(font.lfFaceName, "TembraNoSuchFace");
    font.lfHeight = -13;
    font.lfWeight = FW_BOLD;
    const LOGFONTA before = font;
    CHOOSEFONTA request{};
    request.lStructSize = sizeof request;
    request.lpLogFont = &font;
    request.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
    request.lpfnHook = CancelAtOnce;
    EXPECT_FALSE(Dialogs().PickFont(request));
    EXPECT_EQ(std::memcmp(&font, &before, sizeof font), 0) << font.lfFaceName;
}
