// Prints what the Events page costs with 1,000 stored events, as a user meets it:
// - TCSets.exe started with "1" until its list shows every row (and with no events, for
//   comparison);
// - Apply on the page until the running clock has reloaded its day list: the page stores the
//   whole list, then waits while the real clock reloads. The page runs in this process,
//   which times its Apply. (The store's own figures for 1,000 events, printed just before
//   these, show the saving and loading alone.)
// Uses the prefix's own registry (the clock reads it too) and leaves it empty.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <vector>

#include "clock/bench/BenchClock.h"
#include "framework/testing/TestSupport.h"
#include "settings/EventsPage.h"
#include "settings/EventsPageRes.h"
#include "settings/tests/PageTestSupport.h"
#include "store/EventStore.h"
#include "store/SuiteContract.h"

using namespace tembra;
using namespace tembra::test;

namespace {

constexpr int kEvents = 1000;
using bench::WallSeconds;

// 1,000 events: half daily, still to come today (from ten minutes on, so none fires while
// this runs), some with reminders and sounds; the other half one-time events of later days.
EventList SampleEvents() {
    EventList list;
    const double now = CurrentDateValue();
    const int today = DayPart(now);
    const long long from = SecondsOfDay(TimePart(now)) + 600;
    const long long span = std::max(86399 - from, 1LL);
    for (int i = 0; i < kEvents; ++i) {
        auto e = std::make_unique<EventRecord>(EventRecord::NewAt(now - 1 - i / 86400.0));
        e->Name = "事件 " + std::to_string(i);
        e->Time = std::min(from + (i * 61LL) % span, 86399LL) / 86400.0;
        e->Remind = i % 3 == 0 ? 300 : 0;
        e->WavFile = i % 5 == 0 ? "C:\\Windows\\Media\\ding.wav" : "";
        if (i % 2 == 0) {
            e->Frequency = Daily;
        } else {
            e->FreqDetail0 = today + 1 + i % 30;
        }
        list.push_back(std::move(e));
    }
    return list;
}

struct Figures {
    double median = -1, min = -1, max = -1;
};
Figures Summary(std::vector<double> ms) {
    Figures f;
    if (ms.empty()) return f;
    std::sort(ms.begin(), ms.end());
    f.median = ms[ms.size() / 2];
    f.min = ms.front();
    f.max = ms.back();
    return f;
}

// Milliseconds from starting TCSets.exe with "1" to its list holding `rows` rows, or -1.
double StartToList(int rows) {
    ChildProcess program;
    const double start = WallSeconds();
    if (!program.Start(BinDir() + "\\" + kSettingsProgram, "1")) return -1;
    HWND sheet = nullptr, list = nullptr;
    for (;;) {
        if (!sheet) sheet = FindProcessWindow(program.pid(), "#32770", kSettingsSheetTitle);
        if (sheet && !list) {
            HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
            if (page) list = GetDlgItem(page, IDC_EVENT_LIST);
        }
        // Rows are there once the page's start-up is over; the page is shown as it ends.
        if (list && IsWindowVisible(list) &&
            SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == rows)
            break;
        if (WallSeconds() - start > 60 || program.WaitExit(0)) return -1;
        Sleep(1);
    }
    const double shown = WallSeconds();
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    program.WaitExit(20000);
    return (shown - start) * 1000;
}

Figures StartToListFigures(int rows, int runs) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const double t = StartToList(rows);
        if (t < 0) return {};
        ms.push_back(t);
    }
    return Summary(ms);
}

// The events page with its Apply timed from outside the page's own code: the end of its
// apply handling is noted here.
class TimedEventsPage : public CTCEventsDlg {
public:
    std::atomic<double> applyEnded{0};

protected:
    bool OnApply(bool ok) override {
        const bool result = CTCEventsDlg::OnApply(ok);
        applyEnded = WallSeconds();
        return result;
    }
};

Figures ApplyToReloadFigures(int rounds) {
    TimedEventsPage page;
    PageSheet sheet({&page});
    std::vector<double> ms;
    sheet.Run([&](HWND hwnd) {
        for (int i = 0; i < rounds; ++i) {
            // What a change on a page does: Apply is usable again.
            SendMessageA(hwnd, PSM_CHANGED, reinterpret_cast<WPARAM>(page.hwnd()), 0);
            page.applyEnded = 0;
            const double start = WallSeconds();
            Press(hwnd, PSBTN_APPLYNOW);
            while (page.applyEnded == 0 && WallSeconds() - start < 60) Sleep(0);
            if (page.applyEnded == 0) break;
            ms.push_back((page.applyEnded - start) * 1000);
        }
        Press(hwnd, PSBTN_CANCEL);
    });
    return Summary(ms);
}

void Print(const char* what, const Figures& f) {
    if (f.median < 0) {
        printf("%-52s failed\n", what);
        return;
    }
    printf("%-52s median %7.1f ms, min %7.1f ms, max %7.1f ms\n", what, f.median, f.min, f.max);
}

void ClearStore() { RegDeleteTreeAt("Software\\Tembra"); }

}  // namespace

int main() {
    ClearStore();
    Print("events page, TCSets 1 start to list shown, 0 events:", StartToListFigures(0, 5));
    SaveEvents(SampleEvents());
    Print("events page, TCSets 1 start to list shown, 1,000:", StartToListFigures(kEvents, 5));

    ChildProcess clock;
    if (!clock.Start(BinDir() + "\\" + kClockProgram, "") ||
        !WaitForProcessWindow(clock.pid(), kClockClassName, 20000)) {
        printf("events page Apply: the clock did not start\n");
        ClearStore();
        return 1;
    }
    Print("events page Apply to clock reloaded, 1,000 events:", ApplyToReloadFigures(10));
    if (HWND window = FindWindowA(kClockClassName, nullptr)) SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    if (!clock.WaitExit(10000)) clock.Kill();
    ClearStore();
    return 0;
}
