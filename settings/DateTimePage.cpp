#include "settings/DateTimePage.h"

#include "framework/DataExchange.h"
#include "settings/DateTimePageRes.h"
#include "store/ClockNotify.h"
#include "store/ClockText.h"
#include "store/LocaleText.h"
#include "store/OptionsStore.h"
#include "store/SuiteContract.h"

namespace tembra {

CTCDateTimeDlg::CTCDateTimeDlg() : CTCPage(IDD_DATE_TIME, "日期 && 时间") {}

BOOL CTCDateTimeDlg::OnInitDialog() {
    // A key that cannot be opened leaves the defaults: all five fields 0.
    LoadOptions(options_, nullptr);
    AddComboItems(hwnd(), IDC_DATE_FORMAT, {"dd.mm.yy", "mm.dd.yy"});
    AddComboItems(hwnd(), IDC_DATE_SEPARATOR, {".", "/", "-"});
    ShowFields();
    TakeFields();  // a stored index past its list shows no selection: that is what is shown
    shown_ = options_;
    ApplyDateRule();
    ApplyTimeRule();
    ShowPreview();
    return TRUE;
}

void CTCDateTimeDlg::ShowFields() {
    SetComboSelection(hwnd(), IDC_DATE_FORMAT, options_.DateFormat);
    SetComboSelection(hwnd(), IDC_DATE_SEPARATOR, options_.DateSeparator);
    SetCheck(hwnd(), IDC_USE_REGIONAL, options_.UseRegional ? BST_CHECKED : BST_UNCHECKED);
    SetRadioIndex(hwnd(), IDC_24_HOURS, IDC_12_HOURS, options_.TwelveHours ? 1 : 0);
    SetCheck(hwnd(), IDC_USE_TIME_REGIONAL, options_.UseTimeRegional ? BST_CHECKED : BST_UNCHECKED);
}

// A list without a selection gives -1, stored as it is; the flags are flags, so no radio
// button checked means 24 hours, as the preview and the clock both show it.
void CTCDateTimeDlg::TakeFields() {
    options_.DateFormat = GetComboSelection(hwnd(), IDC_DATE_FORMAT);
    options_.DateSeparator = GetComboSelection(hwnd(), IDC_DATE_SEPARATOR);
    options_.UseRegional = GetCheck(hwnd(), IDC_USE_REGIONAL) == BST_CHECKED;
    options_.TwelveHours = GetRadioIndex(hwnd(), IDC_24_HOURS, IDC_12_HOURS) == 1;
    options_.UseTimeRegional = GetCheck(hwnd(), IDC_USE_TIME_REGIONAL) == BST_CHECKED;
}

void CTCDateTimeDlg::ApplyDateRule() {
    for (int id : {IDC_DATE_FORMAT, IDC_DATE_SEPARATOR, IDC_SEPARATOR_LABEL})
        EnableWindow(GetDlgItem(hwnd(), id), !options_.UseRegional);
}

void CTCDateTimeDlg::ApplyTimeRule() {
    for (int id : {IDC_24_HOURS, IDC_12_HOURS})
        EnableWindow(GetDlgItem(hwnd(), id), !options_.UseTimeRegional);
}

void CTCDateTimeDlg::ShowPreview() {
    SetItemText(hwnd(), IDC_PREVIEW_LINE, DateTimePreviewFor(options_, SystemLocaleTexts()));
}

bool CTCDateTimeDlg::OnCommand(int id, int code, HWND control) {
    const bool clicked = code == BN_CLICKED;
    const bool selected = code == CBN_SELCHANGE;
    if ((id == IDC_USE_REGIONAL || id == IDC_USE_TIME_REGIONAL || id == IDC_24_HOURS ||
         id == IDC_12_HOURS) && clicked) {
        TakeFields();
        if (id == IDC_USE_REGIONAL) ApplyDateRule();
        if (id == IDC_USE_TIME_REGIONAL) ApplyTimeRule();
        ShowPreview();
        return true;
    }
    if ((id == IDC_DATE_FORMAT || id == IDC_DATE_SEPARATOR) && selected) {
        TakeFields();
        ShowPreview();
        return true;
    }
    return CTCPage::OnCommand(id, code, control);
}

bool CTCDateTimeDlg::OnApply(bool ok) {
    TakeFields();
    // Only what the user changed here: the clock's menu may have changed "12-Hours" meanwhile.
    if (SaveDateTimeOptions(shown_, options_)) shown_ = options_;
    NotifyClock(WM_CLOCK_RELOADOPTIONS);  // also when nothing could be written
    if (!ok) PostPageApplied();
    return true;
}

}  // namespace tembra
