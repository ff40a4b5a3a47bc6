// The real settings program, started with each of its start letters and watched from
// outside. Window searches by title see every window of the test prefix: these tests and the
// in-process sheet tests hold one lock.
#include <gtest/gtest.h>

#include <windows.h>
#include <prsht.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "framework/testing/TestSupport.h"
#include "settings/SettingsResources.h"
#include "store/SuiteContract.h"

using namespace tembra;
using namespace tembra::test;

namespace {

std::string SettingsExe() { return BinDir() + "\\" + kSettingsProgram; }

struct TitleCount {
    const char* title;
    int count;
};
BOOL CALLBACK CountIfTitled(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<TitleCount*>(data);
    if (IsWindowVisible(hwnd) && WindowText(hwnd) == search->title) ++search->count;
    return TRUE;
}
int CountWindowsTitled(const char* title) {
    TitleCount search{title, 0};
    EnumWindows(CountIfTitled, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

class SettingsProcessTest : public ::testing::Test {
protected:
    ChildProcess first;

    // Starts the program with `args` and waits for its window titled `title`.
    HWND Open(ChildProcess& process, const std::string& args, const char* title) {
        if (!process.Start(SettingsExe(), args)) return nullptr;
        HWND window = nullptr;
        WaitUntil([&] { return (window = FindProcessWindow(process.pid(), "#32770", title)) != nullptr; },
                  20000);
        return window;
    }
    static int CurrentPage(HWND sheet) {
        auto page = SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
        return static_cast<int>(SendMessageA(sheet, PSM_HWNDTOINDEX, page, 0));
    }
    // Cancels a sheet of another process: posted, as a sent press leaves its modal loop waiting.
    static void Cancel(HWND sheet) { PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); }
    static bool EndsWithZero(ChildProcess& process) {
        DWORD code = 99;
        return process.WaitExit(20000, &code) && code == 0;
    }
};

}  // namespace

TEST_F(SettingsProcessTest, PlainStartOpensTheSheetOnItsFirstPageAndOneOnTheEvents) {
    struct Start {
        const char* args;
        int page;
    };
    for (const Start start : {Start{"", 0}, Start{"1", 1}}) {
        const char* args = start.args;
        ChildProcess program;
        HWND sheet = Open(program, args, kSettingsSheetTitle);
        ASSERT_NE(sheet, nullptr) << "args '" << args << "'";
        EXPECT_EQ(CurrentPage(sheet), start.page) << "args '" << args << "'";
        Cancel(sheet);
        EXPECT_TRUE(EndsWithZero(program));
    }
}

TEST_F(SettingsProcessTest, SecondStartsBringTheOpenSheetForwardRestoredAndOpenNothing) {
    HWND sheet = Open(first, "", kSettingsSheetTitle);
    ASSERT_NE(sheet, nullptr);
    for (const char* args : {"", "n", "x"}) {
        ShowWindow(sheet, SW_MINIMIZE);
        ASSERT_TRUE(WaitUntil([&] { return IsIconic(sheet) != FALSE; }, 5000));
        ChildProcess second;
        ASSERT_TRUE(second.Start(SettingsExe(), args));
        EXPECT_TRUE(EndsWithZero(second)) << "args '" << args << "'";
        EXPECT_TRUE(WaitUntil([&] { return !IsIconic(sheet); }, 5000)) << "args '" << args << "'";
        EXPECT_EQ(CountWindowsTitled(kSettingsSheetTitle), 1);
    }
    Cancel(sheet);
    EXPECT_TRUE(EndsWithZero(first));
}

// Two starts at the same moment (a shortcut clicked twice): one opens the sheet, the other
// brings it forward and ends.
TEST_F(SettingsProcessTest, TwoStartsAtOnceOpenOneSheet) {
    ChildProcess both[2];
    const int ended = StartTogetherUntilOneEnds(SettingsExe(), both, 30000);
    ASSERT_NE(ended, -1) << "one of them ends";
    EXPECT_TRUE(EndsWithZero(both[ended]));
    ChildProcess& opener = both[1 - ended];
    HWND sheet = nullptr;
    const char* title = kSettingsSheetTitle;
    WaitUntil([&] { return (sheet = FindProcessWindow(opener.pid(), "#32770", title)) != nullptr; },
              20000);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(CountWindowsTitled(kSettingsSheetTitle), 1);
    Cancel(sheet);
    EXPECT_TRUE(EndsWithZero(opener));
}

TEST_F(SettingsProcessTest, UnknownLetterEndsAtOnceWithoutAWindow) {
    ChildProcess program;
    ASSERT_TRUE(program.Start(SettingsExe(), "z"));
    EXPECT_TRUE(EndsWithZero(program));
    EXPECT_EQ(CountWindowsTitled(kSettingsSheetTitle), 0);
    EXPECT_EQ(CountWindowsTitled(kAboutTitle), 0);
}

TEST_F(SettingsProcessTest, AboutOpensBesideTheSheetAndItsLinkGoesThroughTheShell) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string record = std::string(temp) + "tcsets-about-calls.txt";
    DeleteFileA(record.c_str());

    HWND sheet = Open(first, "", kSettingsSheetTitle);
    ASSERT_NE(sheet, nullptr);
    ChildProcess about;
    ASSERT_TRUE(about.Start(SettingsExe(), "a", {"TEMBRA_RECORD_SYSTEM_CALLS=" + record}));
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindProcessWindow(about.pid(), "#32770", kAboutTitle)) != nullptr; },
                          20000));
    // A click on the first author's address: the shell gets its fixed mail target.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_MAIL1, STN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDC_ABOUT_MAIL1)));
    std::string calls;
    WaitUntil([&] {
        std::ifstream in(record);
        std::stringstream text;
        text << in.rdbuf();
        calls = text.str();
        return !calls.empty();
    }, 5000);
    EXPECT_EQ(calls.rfind("start|Mailto:", 0), 0u) << calls;
    EXPECT_TRUE(IsWindow(box)) << "the box stays open";

    // A second about start brings this one forward instead of opening another.
    ChildProcess again;
    ASSERT_TRUE(again.Start(SettingsExe(), "a"));
    EXPECT_TRUE(EndsWithZero(again));
    EXPECT_EQ(CountWindowsTitled(kAboutTitle), 1);

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(EndsWithZero(about));
    Cancel(sheet);
    EXPECT_TRUE(EndsWithZero(first));
    DeleteFileA(record.c_str());
}
