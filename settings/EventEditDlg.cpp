#include "settings/EventEditDlg.h"

#include <algorithm>
#include <cstring>

#include "framework/CommonDialogs.h"
#include "framework/DataExchange.h"
#include "settings/DaysDlg.h"
#include "settings/DialogButtons.h"
#include "settings/EventEditDlgRes.h"
#include "settings/SettingsResources.h"
#include "store/TimeFormat.h"

namespace tembra {
namespace {

// The edit controls' limits; the record's texts themselves may be longer.
constexpr int kMaxPathChars = 259;
constexpr int kMaxDayChars = 2;
constexpr int kMaxRemindChars = 4;

const char kSoundFilter[] = "Wav 文件  (*.wav)\0*.wav\0所有文件  (*.*)\0*.*\0";
const char kCommandFilter[] = "所有文件  (*.*)\0*.*\0";
const char kFolderTitle[] = "选择文件夹";

// The controls that share the place beside the time picker, in frequency order; the day of
// the month brings its up-down.
const int kDetailControls[] = {IDC_EVENT_DATE, IDC_EVENT_DAYS, IDC_EVENT_WEEKDAY,
                               IDC_EVENT_MONTHDAY};
// The run fields, enabled for the action "运行" only.
const int kRunFields[] = {IDC_RUN_LABEL,  IDC_PARAMS_LABEL,  IDC_FOLDER_LABEL, IDC_EVENT_RUN,
                          IDC_EVENT_PARAMS, IDC_EVENT_FOLDER, IDC_BROWSE_RUN,  IDC_BROWSE_FOLDER};

SYSTEMTIME SystemTimeOf(double value) {
    const CivilTime t = CivilTimeOf(value);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wDayOfWeek = static_cast<WORD>(WeekdayOf(t.year, t.month, t.day) - 1);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

std::optional<SYSTEMTIME> PickerValue(HWND picker) {
    SYSTEMTIME st{};
    if (SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID)
        return std::nullopt;
    return st;
}

std::optional<int> PickerDay(HWND picker) {
    const auto st = PickerValue(picker);
    if (!st) return std::nullopt;
    return DayNumberOf(st->wYear, st->wMonth, st->wDay);
}

void Enable(HWND dialog, int id, bool enabled) { EnableWindow(GetDlgItem(dialog, id), enabled); }
void Show(HWND dialog, int id, bool shown) {
    ShowWindow(GetDlgItem(dialog, id), shown ? SW_SHOW : SW_HIDE);
}

}  // namespace

CTCEventEditDlg::CTCEventEditDlg(EventRecord* record)
    : caller_(record), daysMask_(static_cast<std::uint8_t>(record->FreqDetail1 & 0x7F)) {
    working_.CopyFrom(*record);
    openFile_.lStructSize = sizeof openFile_;
    openFile_.lpstrFile = fileName_;
    openFile_.nMaxFile = sizeof fileName_;
    openFile_.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
}

INT_PTR CTCEventEditDlg::Run(HINSTANCE instance, HWND parent) {
    return DoModal(instance, IDD_EVENT_EDIT, parent);
}

INT_PTR CTCEventEditDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        return OnNotify(lParam);
    default:
        return FALSE;
    }
}

BOOL CTCEventEditDlg::OnInitDialog() {
    SetUpButtons();
    ShowChoices();
    smallIcon_.reset(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                                   MAKEINTRESOURCEA(IDI_SHEET), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    FillWeekdays();
    SetComboSelection(hwnd_, IDC_EVENT_WEEKDAY, working_.FreqDetail2 - 1);
    ShowDate();
    ShowTime();
    SetUpNumber(IDC_EVENT_MONTHDAY, IDC_MONTHDAY_SPIN, kMaxDayChars, working_.FreqDetail3);
    ApplyVisibilityRule();
    SetUpNumber(IDC_EVENT_REMIND, IDC_REMIND_SPIN, kMaxRemindChars, working_.Remind);
    ShowTexts();
    ApplyRunFieldsRule();
    return TRUE;
}

void CTCEventEditDlg::SetUpButtons() {
    SetUpOkAndCancel(hwnd_, ok_, cancel_);
    SetUpFlatButton(hwnd_, IDC_EVENT_DAYS, days_);
    SetUpFlatButton(hwnd_, IDC_BROWSE_RUN, browseCommand_, IDI_BROWSE);
    SetUpFlatButton(hwnd_, IDC_BROWSE_FOLDER, browseFolder_, IDI_BROWSE);
    SetUpFlatButton(hwnd_, IDC_BROWSE_SOUND, browseSound_, IDI_BROWSE);
}

void CTCEventEditDlg::ShowChoices() {
    SetItemText(hwnd_, IDC_EVENT_NAME, working_.Name);
    SetCheck(hwnd_, IDC_EVENT_ENABLED, working_.Enabled ? BST_CHECKED : BST_UNCHECKED);
    SetCheck(hwnd_, IDC_EVENT_LOOP, working_.LoopSound ? BST_CHECKED : BST_UNCHECKED);
    SetRadioIndex(hwnd_, IDC_ACTION_MESSAGE, IDC_ACTION_SHUTDOWN, working_.Action);
    SetRadioIndex(hwnd_, IDC_FREQ_ONCE, IDC_FREQ_MONTHLY, working_.Frequency);
    SetCheck(hwnd_, IDC_SOUND_ONLY, working_.SoundOnly ? BST_CHECKED : BST_UNCHECKED);
}

void CTCEventEditDlg::FillWeekdays() {
    // The clock's own full weekday names, Sunday first: seven days from a Sunday.
    const int firstSunday = DayNumberOf(2000, 8, 20);
    SendDlgItemMessageA(hwnd_, IDC_EVENT_WEEKDAY, CB_RESETCONTENT, 0, 0);
    for (int k = 0; k < 7; ++k) {
        const std::string name = FormatTime("%A", CivilTimeOf(firstSunday + k));
        SendDlgItemMessageA(hwnd_, IDC_EVENT_WEEKDAY, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(name.c_str()));
    }
}

void CTCEventEditDlg::ShowDate() {
    HWND picker = GetDlgItem(hwnd_, IDC_EVENT_DATE);
    SYSTEMTIME range[2] = {SystemTimeOf(EarliestPickerDate(working_.FreqDetail0,
                                                           CurrentDateValue())),
                           {}};
    SendMessageA(picker, DTM_SETRANGE, GDTR_MIN, reinterpret_cast<LPARAM>(range));
    if (PickerCanShowDay(working_.FreqDetail0)) {
        SYSTEMTIME day = SystemTimeOf(working_.FreqDetail0);
        SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&day));
    }
    const std::optional<int> shown = PickerDay(picker);
    if (shown != working_.FreqDetail0) dayInsteadOfStored_ = shown;
}

void CTCEventEditDlg::ShowTime() {
    // Only the time of day counts; today's date keeps the value inside the picker's range.
    // A time within a second of midnight stays on its own day.
    const long long seconds = std::clamp(SecondsOfDay(working_.Time), 0LL, 86399LL);
    SYSTEMTIME time = SystemTimeOf(DayPart(CurrentDateValue()));
    time.wHour = static_cast<WORD>(seconds / 3600);
    time.wMinute = static_cast<WORD>(seconds / 60 % 60);
    time.wSecond = static_cast<WORD>(seconds % 60);
    SendDlgItemMessageA(hwnd_, IDC_EVENT_TIME, DTM_SETSYSTEMTIME, GDT_VALID,
                        reinterpret_cast<LPARAM>(&time));
}

void CTCEventEditDlg::SetUpNumber(int editId, int spinId, int maxChars, long value) {
    // The limit holds typing only: a stored value beyond it still shows, and OK clamps it.
    SendDlgItemMessageA(hwnd_, editId, EM_LIMITTEXT, maxChars, 0);
    SetItemNumber(hwnd_, editId, value);
    // No buddy, and always in the middle of 0..2: every click on either arrow is a step.
    SendDlgItemMessageA(hwnd_, spinId, UDM_SETRANGE32, 0, 2);
    SendDlgItemMessageA(hwnd_, spinId, UDM_SETPOS32, 0, 1);
}

void CTCEventEditDlg::ShowTexts() {
    // The limits hold typing only: the record's longer texts show whole and OK keeps them.
    for (int id : {IDC_EVENT_RUN, IDC_EVENT_PARAMS, IDC_EVENT_FOLDER})
        SendDlgItemMessageA(hwnd_, id, EM_LIMITTEXT, kMaxPathChars, 0);
    SetItemText(hwnd_, IDC_EVENT_SOUND, working_.WavFile);
    Enable(hwnd_, IDC_EVENT_LOOP, !working_.WavFile.empty());
    SetItemText(hwnd_, IDC_EVENT_RUN, working_.Run);
    SetItemText(hwnd_, IDC_EVENT_PARAMS, working_.RunParams);
    SetItemText(hwnd_, IDC_EVENT_FOLDER, working_.RunIn);
}

void CTCEventEditDlg::ApplyVisibilityRule() {
    const int frequency = GetRadioIndex(hwnd_, IDC_FREQ_ONCE, IDC_FREQ_MONTHLY);
    for (int i = 0; i < 4; ++i) Show(hwnd_, kDetailControls[i], i == frequency);
    Show(hwnd_, IDC_MONTHDAY_SPIN, frequency == Monthly);
}

void CTCEventEditDlg::ApplyRunFieldsRule() {
    const bool run = GetRadioIndex(hwnd_, IDC_ACTION_MESSAGE, IDC_ACTION_SHUTDOWN) == RunProgram;
    for (int id : kRunFields) Enable(hwnd_, id, run);
    ApplySoundRule();
}

void CTCEventEditDlg::ApplySoundRule() {
    const SoundChoices choices =
        SoundChoicesFor(GetWindowTextLengthA(GetDlgItem(hwnd_, IDC_EVENT_SOUND)) > 0,
                        GetRadioIndex(hwnd_, IDC_ACTION_MESSAGE, IDC_ACTION_SHUTDOWN),
                        GetCheck(hwnd_, IDC_SOUND_ONLY) == BST_CHECKED);
    Enable(hwnd_, IDC_SOUND_ONLY, choices.soundOnlyEnabled);
    Enable(hwnd_, IDC_EVENT_LOOP, choices.loopEnabled);
}

bool CTCEventEditDlg::OnCommand(int id, int code) {
    switch (id) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        EndDialog(hwnd_, IDCANCEL);
        return true;
    case IDC_EVENT_SOUND:
        if (code == EN_CHANGE) ApplySoundRule();
        return code == EN_CHANGE;
    default:
        break;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_FREQ_ONCE:
    case IDC_FREQ_DAILY:
    case IDC_FREQ_WEEKLY:
    case IDC_FREQ_MONTHLY:
        ApplyVisibilityRule();
        return true;
    case IDC_ACTION_MESSAGE:
    case IDC_ACTION_RUN:
    case IDC_ACTION_SHUTDOWN:
        ApplyRunFieldsRule();
        return true;
    case IDC_SOUND_ONLY:
        ApplySoundRule();
        return true;
    case IDC_EVENT_DAYS:
        OnDays();
        return true;
    case IDC_BROWSE_SOUND:
        OnBrowseSound();
        return true;
    case IDC_BROWSE_RUN:
        OnBrowseCommand();
        return true;
    case IDC_BROWSE_FOLDER:
        OnBrowseFolder();
        return true;
    default:
        return false;
    }
}

bool CTCEventEditDlg::OnNotify(LPARAM lParam) {
    // Only our own up-downs notify us, from this thread; what another thread or program
    // sends carries an address that means nothing here.
    if (InSendMessage() || !lParam) return false;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code != UDN_DELTAPOS) return false;
    const int spin = static_cast<int>(header->idFrom);
    if (header->hwndFrom != GetDlgItem(hwnd_, spin)) return false;
    auto& step = *reinterpret_cast<NMUPDOWN*>(lParam);
    if (spin == IDC_REMIND_SPIN) {
        OnStep(step, IDC_EVENT_REMIND, StepField::RemindSeconds);
    } else if (spin == IDC_MONTHDAY_SPIN) {
        OnStep(step, IDC_EVENT_MONTHDAY, StepField::DayOfMonth);
    } else {
        return false;
    }
    SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, 0);  // the step is always allowed
    return true;
}

void CTCEventEditDlg::OnStep(NMUPDOWN& step, int editId, StepField field) {
    if (step.iDelta == 0) return;
    SetItemNumber(hwnd_, editId, SteppedValue(field, GetItemText(hwnd_, editId), step.iDelta));
    // Back to the middle, and nothing left for the control to move: it never reaches an end
    // of its range, where a click would no longer be a step.
    SendMessageA(step.hdr.hwndFrom, UDM_SETPOS32, 0, 1);
    step.iDelta = 0;
}

void CTCEventEditDlg::OnDays() {
    CTCDaysDlg days(daysMask_);
    if (days.Run(GetModuleHandleA(nullptr), hwnd_) == IDOK) daysMask_ = days.Days();
    SetForegroundWindow(hwnd_);
}

bool CTCEventEditDlg::PickFile(const char* filter, const std::string& lastChosen,
                               std::string* chosen) {
    initialFolder_ = FolderPart(lastChosen);
    openFile_.hwndOwner = hwnd_;
    openFile_.lpstrFilter = filter;
    openFile_.nFilterIndex = 1;
    openFile_.lpstrInitialDir = initialFolder_.empty() ? nullptr : initialFolder_.c_str();
    const bool picked = Dialogs().PickOpenFile(openFile_);
    SetForegroundWindow(hwnd_);
    if (!picked) return false;
    chosen->assign(fileName_, strnlen(fileName_, sizeof fileName_));
    return true;
}

void CTCEventEditDlg::OnBrowseSound() {
    std::string path;
    if (!PickFile(kSoundFilter, lastSound_, &path)) return;
    lastSound_ = path;
    SetItemText(hwnd_, IDC_EVENT_SOUND, path);  // its change notice runs the sound rule
}

void CTCEventEditDlg::OnBrowseCommand() {
    std::string path;
    if (!PickFile(kCommandFilter, lastCommand_, &path)) return;
    lastCommand_ = path;
    SetItemText(hwnd_, IDC_EVENT_RUN, path);
    if (GetWindowTextLengthA(GetDlgItem(hwnd_, IDC_EVENT_FOLDER)) == 0)
        SetItemText(hwnd_, IDC_EVENT_FOLDER, FolderPart(path));
}

void CTCEventEditDlg::OnBrowseFolder() {
    std::string folder;
    if (Dialogs().BrowseForFolder(hwnd_, kFolderTitle, &folder))
        SetItemText(hwnd_, IDC_EVENT_FOLDER, folder);
}

std::optional<int> CTCEventEditDlg::PickedDay() const {
    const std::optional<int> day = PickerDay(GetDlgItem(hwnd_, IDC_EVENT_DATE));
    if (dayInsteadOfStored_ && day == dayInsteadOfStored_) return std::nullopt;
    return day;
}

std::optional<double> CTCEventEditDlg::PickedTimeOfDay() const {
    const auto st = PickerValue(GetDlgItem(hwnd_, IDC_EVENT_TIME));
    if (!st) return std::nullopt;
    return (st->wHour * 3600.0 + st->wMinute * 60.0 + st->wSecond) / 86400.0;
}

EditorValues CTCEventEditDlg::ReadControls() const {
    EditorValues v;
    v.name = GetItemText(hwnd_, IDC_EVENT_NAME);
    v.enabled = GetCheck(hwnd_, IDC_EVENT_ENABLED) == BST_CHECKED;
    v.frequencyIndex = GetRadioIndex(hwnd_, IDC_FREQ_ONCE, IDC_FREQ_MONTHLY);
    v.actionIndex = GetRadioIndex(hwnd_, IDC_ACTION_MESSAGE, IDC_ACTION_SHUTDOWN);
    v.pickedDay = PickedDay();
    v.pickedTimeOfDay = PickedTimeOfDay();
    v.daysMask = daysMask_;
    v.weekdayIndex = GetComboSelection(hwnd_, IDC_EVENT_WEEKDAY);
    v.dayOfMonthText = GetItemText(hwnd_, IDC_EVENT_MONTHDAY);
    v.remindText = GetItemText(hwnd_, IDC_EVENT_REMIND);
    v.wavFile = GetItemText(hwnd_, IDC_EVENT_SOUND);
    v.loopSound = GetCheck(hwnd_, IDC_EVENT_LOOP) == BST_CHECKED;
    v.soundOnly = GetCheck(hwnd_, IDC_SOUND_ONLY) == BST_CHECKED;
    v.run = GetItemText(hwnd_, IDC_EVENT_RUN);
    v.runParams = GetItemText(hwnd_, IDC_EVENT_PARAMS);
    v.runIn = GetItemText(hwnd_, IDC_EVENT_FOLDER);
    return v;
}

void CTCEventEditDlg::OnOK() {
    TakeEditorValues(ReadControls(), working_);
    caller_->CopyFrom(working_);
    EndDialog(hwnd_, IDOK);
}

}  // namespace tembra
