// The event editor and the days dialog in process, on records of the test's own.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "framework/DataExchange.h"
#include "framework/testing/ScriptedDialogs.h"
#include "settings/DaysDlgRes.h"
#include "settings/tests/EventEditorTestSupport.h"

using namespace tembra;
using namespace tembra::test;

namespace {

const int kRunFields[] = {IDC_RUN_LABEL,  IDC_PARAMS_LABEL,  IDC_FOLDER_LABEL, IDC_EVENT_RUN,
                          IDC_EVENT_PARAMS, IDC_EVENT_FOLDER, IDC_BROWSE_RUN,  IDC_BROWSE_FOLDER};
const int kDetailControls[] = {IDC_EVENT_DATE, IDC_EVENT_DAYS, IDC_EVENT_WEEKDAY,
                               IDC_EVENT_MONTHDAY, IDC_MONTHDAY_SPIN};

int Today() { return DayPart(CurrentDateValue()); }

SYSTEMTIME PickerValue(HWND editor, int id) {
    SYSTEMTIME st{};
    SendDlgItemMessageA(editor, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return st;
}
int PickerDay(HWND editor) {
    const SYSTEMTIME st = PickerValue(editor, IDC_EVENT_DATE);
    return DayNumberOf(st.wYear, st.wMonth, st.wDay);
}
long PickerSeconds(HWND editor) {
    const SYSTEMTIME st = PickerValue(editor, IDC_EVENT_TIME);
    return st.wHour * 3600L + st.wMinute * 60L + st.wSecond;
}

std::vector<std::string> ComboItems(HWND dialog, int id) {
    std::vector<std::string> items;
    const int count = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

// Which of the controls beside the time picker show, as a string of 0 and 1.
std::string VisibleDetails(HWND editor) {
    std::string shown;
    for (int id : kDetailControls) shown += Visible(editor, id) ? '1' : '0';
    return shown;
}

// A click on an up-down's upper or lower arrow, as the mouse makes it.
void ClickArrow(HWND editor, int spinId, bool up) {
    HWND spin = GetDlgItem(editor, spinId);
    RECT r;
    GetClientRect(spin, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, up ? 2 : r.bottom - 3);
    PostMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(spin, WM_LBUTTONUP, 0, at);
    WaitForPostedMessages(editor);
}

long SpinPosition(HWND editor, int spinId) {
    return static_cast<long>(SendDlgItemMessageA(editor, spinId, UDM_GETPOS32, 0, 0));
}

}  // namespace

TEST(EventEditor, ANewEventShowsItsDefaults) {
    EventRecord record = EventRecord::NewAt(CurrentDateValue());
    std::string title, name, monthDay, remind;
    std::vector<std::string> weekdays;
    int weekday = -2, day = 0;
    long seconds = -1;
    bool enabled = false, once = false, message = false, loop = true, soundOnly = true;
    std::string details;
    std::vector<bool> runFields;
    RunEditor(record, [&](HWND e) {
        title = WindowText(e);
        name = ItemText(e, IDC_EVENT_NAME);
        enabled = Checked(e, IDC_EVENT_ENABLED);
        once = Checked(e, IDC_FREQ_ONCE);
        details = VisibleDetails(e);
        weekdays = ComboItems(e, IDC_EVENT_WEEKDAY);
        weekday = static_cast<int>(SendDlgItemMessageA(e, IDC_EVENT_WEEKDAY, CB_GETCURSEL, 0, 0));
        monthDay = ItemText(e, IDC_EVENT_MONTHDAY);
        remind = ItemText(e, IDC_EVENT_REMIND);
        loop = Enabled(e, IDC_EVENT_LOOP);
        soundOnly = Enabled(e, IDC_SOUND_ONLY);
        message = Checked(e, IDC_ACTION_MESSAGE);
        for (int id : kRunFields) runFields.push_back(Enabled(e, id));
        day = PickerDay(e);
        seconds = PickerSeconds(e);
        Click(e, IDCANCEL);
    });
    EXPECT_EQ(title, "Tembra Clock - 新建事件");
    EXPECT_EQ(name, "Message");
    EXPECT_TRUE(enabled);
    EXPECT_TRUE(once);
    EXPECT_EQ(details, "10000");  // the date picker only
    EXPECT_EQ(day, record.FreqDetail0);
    EXPECT_EQ(seconds, SecondsOfDay(record.Time));
    EXPECT_EQ(weekdays, (std::vector<std::string>{"星期日", "星期一", "星期二", "星期三", "星期四",
                                                  "星期五", "星期六"}));
    EXPECT_EQ(weekday, 0);
    EXPECT_EQ(monthDay, "1");
    EXPECT_EQ(remind, "0");
    EXPECT_FALSE(loop);
    EXPECT_FALSE(soundOnly);
    EXPECT_TRUE(message);
    EXPECT_EQ(runFields, std::vector<bool>(8, false));
}

TEST(EventEditor, CancelEscapeAndTheCloseBoxLeaveTheRecordUntouched) {
    const std::vector<std::pair<const char*, void (*)(HWND)>> ways = {
        {"Cancel", [](HWND e) { PostClick(e, IDCANCEL); }},
        {"Escape", [](HWND e) { PostMessageA(GetDlgItem(e, IDC_EVENT_NAME), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"close box", [](HWND e) { PostMessageA(e, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& way : ways) {
        EventRecord record = EventRecord::NewAt(CurrentDateValue());
        record.WavFile = "C:\\ding.wav";
        const EventRecord before = record;
        const INT_PTR result = RunEditor(record, [&](HWND e) {
            SetText(e, IDC_EVENT_NAME, "改过的");
            Click(e, IDC_FREQ_WEEKLY);
            Click(e, IDC_ACTION_RUN);
            SetText(e, IDC_EVENT_REMIND, "60");
            SetText(e, IDC_EVENT_SOUND, "");
            way.second(e);
        });
        EXPECT_EQ(result, IDCANCEL) << way.first;
        EXPECT_TRUE(SameStoredValues(record, before)) << way.first;
    }
}

TEST(EventEditor, OkTakesEveryValueWholeAndKeepsAPastDate) {
    EventRecord record = EventRecord::NewAt(CurrentDateValue());
    record.Name = std::string(300, 'n');
    record.Run = "C:\\" + std::string(400, 'r') + ".exe";
    record.RunParams = std::string(300, 'p');
    record.RunIn = "C:\\" + std::string(280, 'i');
    record.WavFile = "C:\\" + std::string(290, 'w') + ".wav";
    record.Action = RunProgram;
    record.Frequency = Monthly;
    record.FreqDetail0 = Today() - 40;  // a one-time date long past
    record.FreqDetail1 = 0x2A;
    record.FreqDetail2 = 3;
    record.FreqDetail3 = 45;    // stored beyond the month
    record.Remind = 123456;     // stored beyond four digits
    record.LoopSound = true;
    record.Time = (13 * 3600 + 14 * 60 + 15) / 86400.0;
    EventRecord expected = record;
    int shownDay = 0;
    std::string shownRun;
    const INT_PTR result = RunEditor(record, [&](HWND e) {
        shownDay = PickerDay(e);
        shownRun = GetItemText(e, IDC_EVENT_RUN);
        PostClick(e, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shownDay, Today() - 40);
    EXPECT_EQ(shownRun, expected.Run);  // the edit's 259 characters limit typing only
    expected.FreqDetail3 = 31;
    expected.Remind = 9999;
    EXPECT_TRUE(SameStoredValues(record, expected))
        << "day " << record.FreqDetail0 << " of month " << record.FreqDetail3 << ", remind "
        << record.Remind << ", run " << record.Run.size() << " chars, folder "
        << record.RunIn.size() << ", sound " << record.WavFile.size() << ", name "
        << record.Name.size() << ", time " << SecondsOfDay(record.Time);
}

TEST(EventEditor, TheFrequencyShowsOneDetailAndOkTakesTheHiddenOnesToo) {
    EventRecord record = EventRecord::NewAt(CurrentDateValue());
    record.FreqDetail0 = Today() + 3;
    std::vector<std::string> shown;
    RunEditor(record, [&](HWND e) {
        for (int id : {IDC_FREQ_WEEKLY, IDC_FREQ_MONTHLY, IDC_FREQ_DAILY, IDC_FREQ_ONCE,
                       IDC_FREQ_WEEKLY}) {
            Click(e, id);
            shown.push_back(VisibleDetails(e));
        }
        SendDlgItemMessageA(e, IDC_EVENT_WEEKDAY, CB_SETCURSEL, 4, 0);
        SetText(e, IDC_EVENT_MONTHDAY, "7");
        PostClick(e, IDOK);
    });
    EXPECT_EQ(shown, (std::vector<std::string>{"00100", "00011", "01000", "10000", "00100"}));
    EXPECT_EQ(record.Frequency, Weekly);
    EXPECT_EQ(record.FreqDetail2, 5);  // 星期四
    EXPECT_EQ(record.FreqDetail0, Today() + 3);
    EXPECT_EQ(record.FreqDetail3, 7);
}

TEST(EventEditor, TheActionEnablesTheRunFieldsAndTheSoundItsTwoBoxes) {
    EventRecord record = EventRecord::NewAt(CurrentDateValue());
    struct State {
        bool soundOnly, loop, command;
    };
    std::vector<State> states;
    RunEditor(record, [&](HWND e) {
        auto note = [&] {
            states.push_back({Enabled(e, IDC_SOUND_ONLY), Enabled(e, IDC_EVENT_LOOP),
                              Enabled(e, IDC_EVENT_RUN)});
        };
        SetText(e, IDC_EVENT_SOUND, "C:\\ding.wav");  // typed: the rule follows the text
        note();
        Click(e, IDC_SOUND_ONLY);
        note();
        Click(e, IDC_ACTION_RUN);
        note();
        Click(e, IDC_ACTION_MESSAGE);
        note();
        SetText(e, IDC_EVENT_SOUND, "");
        note();
        Click(e, IDC_ACTION_SHUTDOWN);
        note();
        Click(e, IDCANCEL);
    });
    ASSERT_EQ(states.size(), 6u);
    const bool expected[6][3] = {
        {true, true, false},   // a message with a sound
        {true, false, false},  // sound only: no loop
        {false, true, true},   // run: the command row, no "仅声音", so a loop again
        {true, false, false},  // back to the message, still ticked
        {false, false, false}, // no sound
        {false, false, false}, // shut down
    };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(states[i].soundOnly, expected[i][0]) << "step " << i;
        EXPECT_EQ(states[i].loop, expected[i][1]) << "step " << i;
        EXPECT_EQ(states[i].command, expected[i][2]) << "step " << i;
    }
}

TEST(EventEditor, UpDownsStepToTheEndsOfTheirRangesAndStayInTheMiddle) {
    EventRecord record = EventRecord::NewAt(CurrentDateValue());
    record.Frequency = Monthly;
    record.FreqDetail3 = 30;
    record.Remind = 9998;
    std::vector<std::string> remind, day;
    std::vector<long> positions;
    RunEditor(record, [&](HWND e) {
        for (int i = 0; i < 2; ++i) {
            ClickArrow(e, IDC_REMIND_SPIN, true);
            remind.push_back(ItemText(e, IDC_EVENT_REMIND));
        }
        SetText(e, IDC_EVENT_REMIND, "3");
        ClickArrow(e, IDC_REMIND_SPIN, false);
        remind.push_back(ItemText(e, IDC_EVENT_REMIND));
        positions.push_back(SpinPosition(e, IDC_REMIND_SPIN));
        for (int i = 0; i < 3; ++i) {
            ClickArrow(e, IDC_MONTHDAY_SPIN, true);
            day.push_back(ItemText(e, IDC_EVENT_MONTHDAY));
        }
        positions.push_back(SpinPosition(e, IDC_MONTHDAY_SPIN));
        SetText(e, IDC_EVENT_MONTHDAY, "2");
        for (int i = 0; i < 2; ++i) {
            ClickArrow(e, IDC_MONTHDAY_SPIN, false);
            day.push_back(ItemText(e, IDC_EVENT_MONTHDAY));
        }
        positions.push_back(SpinPosition(e, IDC_MONTHDAY_SPIN));
        Click(e, IDCANCEL);
    });
    EXPECT_EQ(remind, (std::vector<std::string>{"9999", "9999", "0"}));
    EXPECT_EQ(day, (std::vector<std::string>{"31", "31", "31", "1", "1"}));
    EXPECT_EQ(positions, (std::vector<long>{1, 1, 1}));
}

TEST(EventEditor, TheDaysDialogShowsTheDaysAndOnlyItsOkChangesThem) {
    EventRecord record = EventRecord::NewAt(CurrentDateValue());
    record.Frequency = Daily;
    record.FreqDetail1 = 0x22;  // Monday and Friday
    std::string title, sundayText;
    std::vector<bool> shownDays, afterCancel;
    bool ownedByEditor = false;
    RunEditor(record, [&](HWND e) {
        auto readDays = [](HWND d) {
            std::vector<bool> days;
            for (int n = 0; n < 7; ++n) days.push_back(Checked(d, IDC_DAY_FIRST + n));
            return days;
        };
        PostClick(e, IDC_EVENT_DAYS);
        HWND days = WaitForOwnDialog("天数");
        if (!days) return PostClick(e, IDCANCEL);
        title = WindowText(days);
        sundayText = ItemText(days, IDC_DAY_SUNDAY);
        ownedByEditor = GetWindow(days, GW_OWNER) == e;
        shownDays = readDays(days);
        Click(days, IDC_DAY_SUNDAY);
        PostClick(days, IDCANCEL);
        WaitUntil([&] { return !IsWindow(days); }, 5000);

        PostClick(e, IDC_EVENT_DAYS);
        days = WaitForOwnDialog("天数");
        if (!days) return PostClick(e, IDCANCEL);
        afterCancel = readDays(days);
        Click(days, IDC_DAY_MONDAY);
        Click(days, IDC_DAY_FRIDAY);
        PostClick(days, IDOK);
        WaitUntil([&] { return !IsWindow(days); }, 5000);
        PostClick(e, IDOK);
    });
    EXPECT_EQ(title, "天数");
    EXPECT_EQ(sundayText, "星期天(&S)");
    EXPECT_TRUE(ownedByEditor);
    const std::vector<bool> mondayAndFriday = {false, true, false, false, false, true, false};
    EXPECT_EQ(shownDays, mondayAndFriday);
    EXPECT_EQ(afterCancel, mondayAndFriday);
    EXPECT_EQ(record.FreqDetail1, 0);  // no day at all is a valid choice
}

TEST(EventEditor, BrowsingGoesThroughTheDialogSeam) {
    ScriptedDialogs dialogs;
    struct Request {
        std::string filter, initialFolder, buffer;
        DWORD flags;
        DWORD filterIndex;
        HWND owner;
    };
    std::vector<Request> requests;
    std::vector<std::string> answers = {"C:\\snd\\ding.wav", "", "C:\\Tools\\x.exe", "E:\\y.exe"};
    dialogs.onOpenFile = [&](OPENFILENAMEA& r) {
        requests.push_back({std::string(r.lpstrFilter, 17),
                            r.lpstrInitialDir ? r.lpstrInitialDir : "<none>", r.lpstrFile,
                            r.Flags, r.nFilterIndex, r.hwndOwner});
        const std::string answer = answers[requests.size() - 1];
        if (answer.empty()) return false;
        lstrcpynA(r.lpstrFile, answer.c_str(), static_cast<int>(r.nMaxFile));
        return true;
    };
    std::vector<std::string> folderTitles;
    std::vector<std::string> folderAnswers = {"F:\\data", ""};
    dialogs.onFolder = [&](const std::string& title, std::string* folder) {
        folderTitles.push_back(title);
        const std::string answer = folderAnswers[folderTitles.size() - 1];
        if (answer.empty()) return false;
        *folder = answer;
        return true;
    };
    EventRecord record = EventRecord::NewAt(CurrentDateValue());
    HWND editor = nullptr;
    std::vector<std::string> texts;
    bool soundOnlyAfterSound = false;
    RunEditor(record, [&](HWND e) {
        editor = e;
        Click(e, IDC_BROWSE_SOUND);  // picked
        soundOnlyAfterSound = Enabled(e, IDC_SOUND_ONLY);
        Click(e, IDC_BROWSE_SOUND);  // cancelled
        texts.push_back(ItemText(e, IDC_EVENT_SOUND));
        Click(e, IDC_ACTION_RUN);
        Click(e, IDC_BROWSE_RUN);    // into an empty working folder
        texts.push_back(ItemText(e, IDC_EVENT_RUN));
        texts.push_back(ItemText(e, IDC_EVENT_FOLDER));
        SetText(e, IDC_EVENT_FOLDER, "D:\\work");
        Click(e, IDC_BROWSE_RUN);    // beside a typed folder
        texts.push_back(ItemText(e, IDC_EVENT_RUN));
        texts.push_back(ItemText(e, IDC_EVENT_FOLDER));
        Click(e, IDC_BROWSE_FOLDER);
        texts.push_back(ItemText(e, IDC_EVENT_FOLDER));
        Click(e, IDC_BROWSE_FOLDER);  // cancelled
        texts.push_back(ItemText(e, IDC_EVENT_FOLDER));
        Click(e, IDCANCEL);
    });
    EXPECT_TRUE(soundOnlyAfterSound);
    EXPECT_EQ(texts, (std::vector<std::string>{"C:\\snd\\ding.wav", "C:\\Tools\\x.exe", "C:\\Tools",
                                               "E:\\y.exe", "D:\\work", "F:\\data", "F:\\data"}));
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].filter, std::string("Wav 文件  (*.wav)", 17));
    EXPECT_EQ(requests[2].filter, std::string("所有文件  (*.*)\0*.*", 17));
    // Each button starts in the folder of what it chose last; the file name stays shared.
    EXPECT_EQ(requests[0].initialFolder, "<none>");
    EXPECT_EQ(requests[1].initialFolder, "C:\\snd");
    EXPECT_EQ(requests[2].initialFolder, "<none>");
    EXPECT_EQ(requests[2].buffer, "C:\\snd\\ding.wav");
    EXPECT_EQ(requests[3].initialFolder, "C:\\Tools");
    for (const Request& r : requests) {
        EXPECT_EQ(r.flags, static_cast<DWORD>(OFN_EXPLORER | OFN_HIDEREADONLY));
        EXPECT_EQ(r.filterIndex, 1u);
        EXPECT_EQ(r.owner, editor);
    }
    EXPECT_EQ(folderTitles, (std::vector<std::string>{"选择文件夹", "选择文件夹"}));
}

TEST(EventEditor, ARecordNoEditorWroteOpensAndOkKeepsWhatNoControlChose) {
    EventRecord record = EventRecord::NewAt(CurrentDateValue());
    record.Frequency = 9;
    record.Action = 7;
    record.FreqDetail0 = INT_MIN;
    record.FreqDetail1 = 0x1FF;
    record.FreqDetail2 = 0;
    record.FreqDetail3 = -5;
    record.Remind = -1;
    record.Time = 0.99999999;  // a breath before midnight
    std::string details;
    bool anyChoice = true;
    AccessViolationWatch watch;
    const INT_PTR result = RunEditor(record, [&](HWND e) {
        details = VisibleDetails(e);
        anyChoice = false;
        for (int id = IDC_FREQ_ONCE; id <= IDC_FREQ_MONTHLY; ++id) anyChoice |= Checked(e, id);
        for (int id = IDC_ACTION_MESSAGE; id <= IDC_ACTION_SHUTDOWN; ++id) anyChoice |= Checked(e, id);
        // Another thread's notification carries no address of ours.
        SendMessageA(e, WM_NOTIFY, IDC_REMIND_SPIN, 0x10);
        PostClick(e, IDOK);
    });
    EXPECT_EQ(watch.count(), 0);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(details, "00000");
    EXPECT_FALSE(anyChoice);
    EXPECT_EQ(record.Frequency, 9);
    EXPECT_EQ(record.Action, 7);
    EXPECT_EQ(record.FreqDetail0, INT_MIN);
    EXPECT_EQ(record.FreqDetail1, 0x7F);
    EXPECT_EQ(record.FreqDetail2, 0);
    EXPECT_EQ(record.FreqDetail3, 1);
    EXPECT_EQ(record.Remind, 0);
    EXPECT_EQ(SecondsOfDay(record.Time), 86399);
}
