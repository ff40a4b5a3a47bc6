#include "settings/GeneralPage.h"

#include <cstring>

#include "framework/CommonDialogs.h"
#include "framework/DataExchange.h"
#include "framework/Dpi.h"
#include "settings/GeneralPageRes.h"
#include "store/AutoStart.h"
#include "store/ClockNotify.h"
#include "store/OptionRules.h"
#include "store/OptionsStore.h"
#include "store/SuiteContract.h"

namespace tembra {
namespace {

struct CheckBoxFlag {
    int id;
    std::uint32_t flag;
};
const CheckBoxFlag kCheckBoxes[] = {
    {IDC_TRANSPARENT, kFlagTransparent},   {IDC_TOPMOST, kFlagTopMost},
    {IDC_REMOVE_FROM_ALT_TAB, kFlagRemoveFromAltTab}, {IDC_AUTO_START, kFlagAutoStart},
    {IDC_SHOW_DATE, kFlagDate},            {IDC_SHOW_SECONDS, kFlagSeconds},
    {IDC_NO_MOVE, kFlagNoMove},            {IDC_COLOR2, kFlagColor2},
    {IDC_REMOVE_OLD_ALARMS, kFlagRemoveOldAlarms}, {IDC_BORDER, kFlagBorder},
    {IDC_USE_FONT_COLOR, kFlagUseFontColor}, {IDC_LEADING_ZERO, kFlagLeadingZero},
};

const int kButtonIds[] = {IDC_FONT,         IDC_FONT_COLOR,   IDC_FONT_COLOR2,
                          IDC_BACKGROUND_COLOR, IDC_BORDER_COLOR, IDC_BORDER_COLOR2};

// A colour button, the colour it sets and the preview statics that show that colour.
struct ColourButton {
    int id;
    ColorRef ClockOptions::*colour;
    int repaint[5];
};
const ColourButton kColourButtons[] = {
    {IDC_FONT_COLOR, &ClockOptions::FontColor, {IDC_BORDER_SAMPLE, IDC_TEXT_SAMPLE}},
    {IDC_FONT_COLOR2, &ClockOptions::FontColor2, {IDC_BORDER_SAMPLE2, IDC_TEXT_SAMPLE2}},
    {IDC_BACKGROUND_COLOR, &ClockOptions::BackgroundColor,
     {IDC_PREVIEW_AREA, IDC_BORDER_SAMPLE, IDC_BORDER_SAMPLE2, IDC_TEXT_SAMPLE, IDC_TEXT_SAMPLE2}},
    {IDC_BORDER_COLOR, &ClockOptions::BorderColor, {IDC_BORDER_SAMPLE, IDC_TEXT_SAMPLE}},
    {IDC_BORDER_COLOR2, &ClockOptions::BorderColor2, {IDC_BORDER_SAMPLE2, IDC_TEXT_SAMPLE2}},
};

// The stored height is in pixels at 96 DPI; the font is made for `dpi`.
LOGFONTA LogFontOf(const ClockOptions& o, UINT dpi) {
    LOGFONTA lf = {};
    lf.lfHeight = ScaleToDpi(o.FontHeight, dpi);
    lf.lfWeight = o.FontStyle.bold ? FW_BOLD : 0;
    lf.lfItalic = o.FontStyle.italic;
    lf.lfUnderline = o.FontStyle.underline;
    lf.lfStrikeOut = o.FontStyle.strikeout;
    lstrcpynA(lf.lfFaceName, o.FontName, LF_FACESIZE);
    return lf;
}

}  // namespace

CTCGeneralDlg::CTCGeneralDlg() : CTCPage(IDD_GENERAL, "常规") {}

BOOL CTCGeneralDlg::OnInitDialog() {
    ReadOptions();
    // The size the clock shows on the monitor this page is on.
    SetPreviewFont(LogFontOf(options_, WindowDpi(hwnd())));
    for (size_t i = 0; i < sizeof kButtonIds / sizeof kButtonIds[0]; ++i) {
        buttons_[i].SetLook(LookSemiFlat);
        buttons_[i].UseHandCursor();
        buttons_[i].AttachTo(hwnd(), kButtonIds[i]);
    }
    ShowCheckBoxes();
    PlaceTextSamples();
    ApplyEnablingRules();
    return TRUE;
}

void CTCGeneralDlg::ReadOptions() {
    // A key that cannot be opened leaves the record's defaults, which are what the clock
    // shows then; auto-start is looked up either way.
    LoadOptions(options_, nullptr);
    options_.AutoStart = AutoStartIsSet(ClockPathBesideThisProgram());
    shown_ = options_;
}

void CTCGeneralDlg::ShowCheckBoxes() {
    const std::uint32_t flags = FlagWord(options_);
    for (const CheckBoxFlag& box : kCheckBoxes)
        SetCheck(hwnd(), box.id, (flags & box.flag) ? BST_CHECKED : BST_UNCHECKED);
}

void CTCGeneralDlg::TakeCheckBoxes() {
    std::uint32_t checked = 0;
    for (const CheckBoxFlag& box : kCheckBoxes)
        if (GetCheck(hwnd(), box.id) == BST_CHECKED) checked |= box.flag;
    SetGeneralPageFlags(&options_, checked);
}

void CTCGeneralDlg::ApplyEnablingRules() {
    const bool border = GetCheck(hwnd(), IDC_BORDER) == BST_CHECKED;
    const bool useFontColor = GetCheck(hwnd(), IDC_USE_FONT_COLOR) == BST_CHECKED;
    EnableWindow(GetDlgItem(hwnd(), IDC_USE_FONT_COLOR), border);
    EnableWindow(GetDlgItem(hwnd(), IDC_BORDER_COLOR), border && !useFontColor);
    EnableWindow(GetDlgItem(hwnd(), IDC_BORDER_COLOR2), border && !useFontColor);
    ShowWindow(GetDlgItem(hwnd(), IDC_BORDER_SAMPLE), border ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(hwnd(), IDC_BORDER_SAMPLE2), border ? SW_SHOW : SW_HIDE);
}

// Each text sample covers its border sample but for a one-pixel frame.
void CTCGeneralDlg::PlaceTextSamples() {
    const int pairs[][2] = {{IDC_TEXT_SAMPLE, IDC_BORDER_SAMPLE},
                            {IDC_TEXT_SAMPLE2, IDC_BORDER_SAMPLE2}};
    for (const auto& pair : pairs) {
        RECT r;
        GetWindowRect(GetDlgItem(hwnd(), pair[1]), &r);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
        InflateRect(&r, -1, -1);
        MoveWindow(GetDlgItem(hwnd(), pair[0]), r.left, r.top, r.right - r.left,
                   r.bottom - r.top, TRUE);
    }
}

void CTCGeneralDlg::SetPreviewFont(const LOGFONTA& font) {
    UniqueFont made(CreateFontIndirectA(&font));
    for (int id : {IDC_TEXT_SAMPLE, IDC_TEXT_SAMPLE2})
        SendDlgItemMessageA(hwnd(), id, WM_SETFONT, reinterpret_cast<WPARAM>(made.get()), FALSE);
    previewFont_ = std::move(made);  // the old font goes once no sample uses it
}

void CTCGeneralDlg::Repaint(std::initializer_list<int> ids) {
    for (int id : ids) InvalidateRect(GetDlgItem(hwnd(), id), nullptr, TRUE);
}

void CTCGeneralDlg::DropUnusedBrushes() {
    brushes_.KeepOnly({options_.BackgroundColor, options_.FontColor, options_.FontColor2,
                       options_.BorderColor, options_.BorderColor2});
}

bool CTCGeneralDlg::OnCommand(int id, int code, HWND control) {
    if (code != BN_CLICKED) return CTCPage::OnCommand(id, code, control);
    switch (id) {
        case IDC_BORDER: OnBorderClicked(); return true;
        case IDC_USE_FONT_COLOR: OnUseFontColorClicked(); return true;
        case IDC_FONT: OnFontClicked(); return true;
        case IDC_FONT_COLOR:
        case IDC_FONT_COLOR2:
        case IDC_BACKGROUND_COLOR:
        case IDC_BORDER_COLOR:
        case IDC_BORDER_COLOR2: OnColourClicked(id); return true;
        default: return CTCPage::OnCommand(id, code, control);
    }
}

void CTCGeneralDlg::OnBorderClicked() {
    TakeCheckBoxes();
    ApplyEnablingRules();
}

void CTCGeneralDlg::OnUseFontColorClicked() {
    TakeCheckBoxes();
    ApplyEnablingRules();
    Repaint({IDC_BORDER_SAMPLE, IDC_BORDER_SAMPLE2, IDC_TEXT_SAMPLE, IDC_TEXT_SAMPLE2});
}

void CTCGeneralDlg::OnFontClicked() {
    // The font dialog gives and takes sizes at the system DPI.
    const UINT dialogDpi = SystemDpi();
    LOGFONTA lf = LogFontOf(options_, dialogDpi);
    CHOOSEFONTA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = hwnd();
    request.lpLogFont = &lf;
    request.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!Dialogs().PickFont(request)) return;
    lstrcpynA(options_.FontName, lf.lfFaceName, sizeof options_.FontName);
    options_.FontStyle.bold = lf.lfWeight == FW_BOLD;  // 600 or 800 is not bold
    options_.FontStyle.italic = lf.lfItalic != 0;
    options_.FontStyle.underline = lf.lfUnderline != 0;
    options_.FontStyle.strikeout = lf.lfStrikeOut != 0;
    options_.FontHeight = ScaleFromDpi(lf.lfHeight, dialogDpi);
    // The dialog's whole answer (character set and exact weight too), at the size the clock
    // shows on this page's monitor.
    lf.lfHeight = ScaleToDpi(options_.FontHeight, WindowDpi(hwnd()));
    SetPreviewFont(lf);
    Repaint({IDC_TEXT_SAMPLE, IDC_TEXT_SAMPLE2});
}

void CTCGeneralDlg::OnColourClicked(int id) {
    const ColourButton* button = nullptr;
    for (const ColourButton& b : kColourButtons)
        if (b.id == id) button = &b;
    if (!button) return;
    ColorRef& colour = options_.*(button->colour);
    static COLORREF customColours[16];
    CHOOSECOLORA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = hwnd();
    request.rgbResult = colour;
    request.lpCustColors = customColours;
    request.Flags = CC_RGBINIT;  // the basic form: custom colours closed
    if (!Dialogs().PickColor(request)) return;
    colour = request.rgbResult;
    DropUnusedBrushes();
    for (int repaint : button->repaint)
        if (repaint) InvalidateRect(GetDlgItem(hwnd(), repaint), nullptr, TRUE);
}

INT_PTR CTCGeneralDlg::OnCtlColorStatic(HDC dc, HWND control) {
    const ClockOptions& o = options_;
    switch (GetDlgCtrlID(control)) {
        case IDC_PREVIEW_AREA:
            return reinterpret_cast<INT_PTR>(brushes_.Get(o.BackgroundColor));
        case IDC_BORDER_SAMPLE:
            return reinterpret_cast<INT_PTR>(
                brushes_.Get(o.UseFontColor ? o.FontColor : o.BorderColor));
        case IDC_BORDER_SAMPLE2:
            return reinterpret_cast<INT_PTR>(
                brushes_.Get(o.UseFontColor ? o.FontColor2 : o.BorderColor2));
        case IDC_TEXT_SAMPLE:
        case IDC_TEXT_SAMPLE2: {
            const bool first = GetDlgCtrlID(control) == IDC_TEXT_SAMPLE;
            SetTextColor(dc, first ? o.FontColor : o.FontColor2);
            SetBkColor(dc, o.BackgroundColor);
            return reinterpret_cast<INT_PTR>(brushes_.Get(o.BackgroundColor));
        }
        default:
            return FALSE;  // other statics and the check boxes keep the default look
    }
}

INT_PTR CTCGeneralDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CTLCOLORSTATIC) {
        INT_PTR brush = OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        if (brush) return brush;
    }
    return CTCPage::HandleMessage(msg, wParam, lParam);
}

bool CTCGeneralDlg::OnApply(bool ok) {
    Save();
    if (!ok) PostPageApplied();
    return true;
}

// Writes only what the user changed here since the page read or last saved: the clock's
// menu may have changed the rest meanwhile, and a Run value of another copy of the clock
// stays unless the user ticked or cleared the box.
void CTCGeneralDlg::Save() {
    TakeCheckBoxes();
    if (options_.AutoStart != shown_.AutoStart)
        ApplyAutoStart(options_.AutoStart, ClockPathBesideThisProgram());
    shown_.AutoStart = options_.AutoStart;
    if (SaveGeneralOptions(shown_, options_)) shown_ = options_;
    NotifyClock(WM_CLOCK_RELOADOPTIONS);
}

}  // namespace tembra
