// The flat button in process: its look in each state reached by mouse messages, the click
// notification left to the system, the keys and the default look, the disabled picture, the
// hand cursor and the style it gives its control.
#include <gtest/gtest.h>

#include <tuple>

#include "framework/Dialog.h"
#include "framework/testing/TestSupport.h"
#include "settings/FlatButton.h"
#include "settings/SettingsResources.h"
#include "settings/SystemColours.h"

using namespace tembra;
using namespace tembra::test;

namespace {

constexpr int kDialog = 401, kCaptioned = 410, kImageOnly = 412, kOther = 413, kEdit = 414,
              kDefault = 415;

class ButtonDialog : public CDialog {
public:
    int clicks = 0, lastClicked = 0;  // clicks of the captioned button; the last one's id

protected:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM) override {
        if (msg == WM_INITDIALOG) return TRUE;  // the focus goes to the edit, first in tab order
        if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            clicks += (lastClicked = LOWORD(wParam)) == kCaptioned;
            return TRUE;
        }
        return FALSE;
    }
};

bool AnswersDefault(HWND button) {
    return (SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0;
}

class FlatButtonTest : public ::testing::Test {
protected:
    ButtonDialog dialog;
    CFlatButton button;
    HWND hwnd = nullptr;
    int width = 0, height = 0;

    void SetUp() override {
        ASSERT_NE(dialog.CreateModeless(GetModuleHandleA(nullptr), kDialog, nullptr), nullptr);
        button.SetLook(LookSemiFlat);
        button.UseHandCursor();
        ASSERT_TRUE(button.AttachTo(dialog.hwnd(), kCaptioned));
        hwnd = button.hwnd();
        RECT rc;
        GetClientRect(hwnd, &rc);
        width = rc.right;
        height = rc.bottom;
        PumpMessages(50);
    }
    void TearDown() override {
        if (GetCapture()) ReleaseCapture();
        DestroyWindow(dialog.hwnd());
    }
    COLORREF Pixel(int x, int y) {
        WindowDc dc(hwnd);
        return GetPixel(dc.get(), x, y);
    }
    // The border's corners, inside the dark frame of the default push button.
    int Inset() { return AnswersDefault(hwnd) ? 1 : 0; }
    COLORREF Corner() { return Pixel(Inset(), Inset()); }
    void Key(UINT msg, WPARAM key) {  // as the dialog's message loop hands it on
        MSG m{GetFocus(), msg, key, 0, 0, {0, 0}};
        IsDialogMessageA(dialog.hwnd(), &m);
    }
    void Send(UINT msg, WPARAM keys, int x, int y) {
        SendMessageA(hwnd, msg, keys, MAKELPARAM(x, y));
    }
    void MoveInside(WPARAM keys = 0) { Send(WM_MOUSEMOVE, keys, width / 2, height / 2); }
    void MoveOutside(WPARAM keys = 0) { Send(WM_MOUSEMOVE, keys, width + 20, height / 2); }
};

}  // namespace

TEST_F(FlatButtonTest, HoverRaisesItAndLeavingReturnsToTheShadowFrame) {
    const SystemColours& c = Colours();
    EXPECT_EQ(Corner(), c.shadow);
    EXPECT_EQ(Pixel(width - 1, height - 1), c.shadow);

    MoveInside();
    EXPECT_EQ(Corner(), c.highlight);
    EXPECT_EQ(Pixel(width - 1, height - 1), c.darkShadow);
    EXPECT_EQ(GetCapture(), hwnd);  // held to notice the mouse leaving

    MoveOutside();
    EXPECT_EQ(Corner(), c.shadow);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FlatButtonTest, PressedDraggedOutAndBackThenReleasedOutsideSendsNoClick) {
    const SystemColours& c = Colours();
    MoveInside();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, width / 2, height / 2);
    EXPECT_EQ(Corner(), c.darkShadow);
    EXPECT_EQ(Pixel(width - 1 - Inset(), height - 1 - Inset()), c.highlight);

    MoveOutside(MK_LBUTTON);
    EXPECT_EQ(Corner(), c.highlight) << "raised while pressed and dragged out";
    MoveInside(MK_LBUTTON);
    EXPECT_EQ(Corner(), c.darkShadow) << "sunken again when back";

    MoveOutside(MK_LBUTTON);
    Send(WM_LBUTTONUP, 0, width + 20, height / 2);
    EXPECT_EQ(dialog.clicks, 0);
    EXPECT_EQ(Corner(), c.shadow);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FlatButtonTest, ClickInsideSendsOneClickAndShowsIdle) {
    MoveInside();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, width / 2, height / 2);
    Send(WM_LBUTTONUP, 0, width / 2, height / 2);
    PumpMessages(20);
    EXPECT_EQ(dialog.clicks, 1);
    EXPECT_FALSE(button.IsHot());
    EXPECT_EQ(Corner(), Colours().shadow);
}

// Enter and Space press the focused button, which shows as the default however the focus
// came (by the dialog manager, as Tab, or by a click); elsewhere Enter presses the dialog's
// default, which shows as the default again.
TEST_F(FlatButtonTest, KeysPressTheFocusedButtonWhichShowsAsTheDefault) {
    CFlatButton ok;
    ok.SetLook(LookSemiFlat);
    ASSERT_TRUE(ok.AttachTo(dialog.hwnd(), kDefault));
    HWND edit = GetDlgItem(dialog.hwnd(), kEdit);
    const std::tuple<HWND, bool, int> cases[] = {  // focus (none: as the dialog began), by Tab
        {nullptr, false, kDefault}, {hwnd, true, kCaptioned}, {edit, true, kDefault},
        {hwnd, false, kCaptioned},  {edit, false, kDefault}};
    for (const auto& [focus, tab, pressed] : cases) {
        if (tab) SendMessageA(dialog.hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
        else if (focus) SetFocus(focus);
        const bool onButton = pressed == kCaptioned;
        EXPECT_EQ(AnswersDefault(hwnd), onButton) << pressed << tab;
        EXPECT_EQ(AnswersDefault(ok.hwnd()), !onButton) << pressed << tab;
        EXPECT_EQ(Pixel(0, 0) == Colours().darkShadow, onButton) << "the default's outer frame";
        for (WPARAM key : {VK_RETURN, VK_SPACE}) {
            dialog.lastClicked = 0;
            Key(WM_KEYDOWN, key), Key(WM_KEYUP, key);
            EXPECT_EQ(dialog.lastClicked, key == VK_SPACE && !onButton ? 0 : pressed) << key;
        }
    }
}

// Whatever ends the capture of a hot button (another window, Tab), it shows idle and the
// next move takes the capture again.
TEST_F(FlatButtonTest, LosingTheCaptureShowsIdleAndTheNextMoveTracksAgain) {
    HWND edit = GetDlgItem(dialog.hwnd(), kEdit);
    for (bool byFocus : {false, true}) {
        SetFocus(hwnd);
        MoveInside();
        byFocus ? (void)SetFocus(edit) : (void)(SetCapture(edit), ReleaseCapture());
        EXPECT_EQ(Corner(), Colours().shadow) << byFocus;
        MoveInside();
        EXPECT_EQ(GetCapture(), hwnd) << byFocus;
        EXPECT_EQ(Corner(), Colours().highlight) << byFocus;
        MoveOutside();
    }
}

TEST_F(FlatButtonTest, PressingOutsideAndDraggingOnDoesNotPressIt) {
    MoveInside(MK_LBUTTON);
    EXPECT_FALSE(button.IsPushed());
    EXPECT_EQ(Corner(), Colours().highlight);
}

TEST_F(FlatButtonTest, DisabledBitmapEmbossesThePictureWithoutItsFace) {
    HBITMAP tick = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                   MAKEINTRESOURCEA(IDB_OK), IMAGE_BITMAP, 16, 15,
                                                   LR_LOADMAP3DCOLORS));
    ASSERT_NE(tick, nullptr);
    button.SetBitmapImage(tick, true);
    ASSERT_TRUE(button.HasDisabledBitmap());
    EnableWindow(hwnd, FALSE);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    // The image sits 5 pixels in from the left, centred vertically.
    const int left = 5, top = (height - 15) / 2;
    int face = 0, other = 0;
    for (int y = top; y < top + 15; ++y)
        for (int x = left; x < left + 16; ++x) (Pixel(x, y) == Colours().face ? face : other)++;
    EXPECT_EQ(Pixel(left, top), Colours().face) << "no embossed square round the picture";
    EXPECT_EQ(Pixel(left + 15, top + 14), Colours().face);
    EXPECT_GT(other, 10) << "the picture itself is drawn";
}

TEST_F(FlatButtonTest, ImageOnlyButtonCentresItsImage) {
    CFlatButton imageOnly;
    imageOnly.SetLook(LookSemiFlat);
    ASSERT_TRUE(imageOnly.AttachTo(dialog.hwnd(), kImageOnly));
    imageOnly.SetBitmapImage(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                             MAKEINTRESOURCEA(IDB_CANCEL),
                                                             IMAGE_BITMAP, 13, 15,
                                                             LR_LOADMAP3DCOLORS)),
                             true);
    RedrawWindow(imageOnly.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT rc;
    GetClientRect(imageOnly.hwnd(), &rc);
    WindowDc dc(imageOnly.hwnd());
    // The red of the cross: its leftmost and topmost pixels give the image's place.
    int minX = rc.right, maxX = -1, minY = rc.bottom, maxY = -1;
    for (int y = 1; y < rc.bottom - 1; ++y)
        for (int x = 1; x < rc.right - 1; ++x)
            if (GetPixel(dc.get(), x, y) == RGB(255, 0, 0)) {
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
    ASSERT_GE(maxX, 0);
    // The cross is drawn symmetrically inside its 13x15 bitmap (columns 1..11, rows 2..12).
    const int imageLeft = (rc.right - 13) / 2, imageTop = (rc.bottom - 15) / 2;
    EXPECT_EQ(minX, imageLeft + 1);
    EXPECT_EQ(maxX, imageLeft + 11);
    EXPECT_EQ(minY, imageTop + 2);
    EXPECT_EQ(maxY, imageTop + 12);
}

TEST_F(FlatButtonTest, HandCursorOnlyOverTheButton) {
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    ASSERT_NE(hand, nullptr);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    RECT rc;
    GetWindowRect(hwnd, &rc);
    SetCursorPos(rc.left + 3, rc.top + 3);
    SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), hand);

    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    SetCursorPos(rc.right + 30, rc.bottom + 30);
    SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), hand);
}

TEST_F(FlatButtonTest, StyleFollowsTheLook) {
    const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW);
    button.SetLook(LookStandard);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    button.SetLook(LookSemiFlat);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);

    CFlatButton standard;  // LookStandard when attached: the system draws it
    ASSERT_TRUE(standard.AttachTo(dialog.hwnd(), kOther));
    EXPECT_EQ(GetWindowLongPtrA(standard.hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}
