#include "clock/MissedEvents.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "clock/Scheduler.h"

namespace tembra {
namespace {

long long FloorDiv(long long a, long long b) { return a / b - (a % b < 0 ? 1 : 0); }

// 1 (Sunday) to 7 (Saturday); day 0, 30 December 1899, was a Saturday.
int WeekdayOfDayNumber(long long day) {
    const long long r = (day + 6) % 7;
    return static_cast<int>(r < 0 ? r + 7 : r) + 1;
}

// The days of weekday `weekday` in [first, last]: how many, and the latest.
void CountWeekday(long long first, long long last, int weekday, long long* count,
                  long long* latest) {
    const long long start = first + (weekday - WeekdayOfDayNumber(first) + 7) % 7;
    if (start > last) return;
    *count += (last - start) / 7 + 1;
    *latest = std::max(*latest, last - (WeekdayOfDayNumber(last) - weekday + 7) % 7);
}

// Occurrences of `e` on the days [first, last].
void CountDays(const EventRecord& e, long long first, long long last, long long* count,
               long long* latest) {
    switch (e.Frequency) {
        case Once: {
            const long long day = e.FreqDetail0;
            if (day >= first && day <= last) {
                *count = 1;
                *latest = day;
            }
            break;
        }
        case Daily:
            for (int w = 1; w <= 7; ++w)
                if ((e.FreqDetail1 >> (w - 1)) & 1) CountWeekday(first, last, w, count, latest);
            break;
        case Weekly:
            if (e.FreqDetail2 >= 1 && e.FreqDetail2 <= 7)
                CountWeekday(first, last, e.FreqDetail2, count, latest);
            break;
        case Monthly: {
            CivilTime month = CivilTimeOf(static_cast<double>(first));
            for (;;) {
                const int dayOfMonth = MonthlyDayIn(e.FreqDetail3, month.year, month.month);
                const long long day = DayNumberOf(month.year, month.month, dayOfMonth);
                if (day > last) break;
                if (day >= first) {
                    ++*count;
                    *latest = day;
                }
                if (++month.month > 12) {
                    month.month = 1;
                    ++month.year;
                }
            }
            break;
        }
        default:
            break;
    }
}

std::string TimeText(long long moment) {
    const CivilTime t = CivilTimeOf(static_cast<double>(moment) / 86400.0);
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", t.day, t.month, t.year,
                  t.hour, t.minute, t.second);
    return text;
}

std::string WhatText(const MissedLine& line) {
    if (line.reminder) return "提醒";
    switch (line.action) {
        case ShowMessage: return line.soundOnly ? "播放声音" : "显示消息";
        case RunProgram: return "运行 " + line.run;
        case ShutDown: return "关机";
        default: return "";
    }
}

}  // namespace

MissedLine MissedLineOf(const EventRecord& e, long long moment, bool reminder) {
    MissedLine line;
    line.name = e.Name;
    line.action = e.Action;
    line.soundOnly = e.SoundOnly;
    line.run = e.Run;
    line.reminder = reminder;
    line.latest = moment;
    line.count = 1;
    return line;
}

std::vector<MissedLine> MissedBetween(const EventList& events, long long after, long long before) {
    std::vector<MissedLine> lines;
    for (const auto& record : events) {
        const EventRecord& e = *record;
        if (!e.Enabled) continue;
        const long long second = EventSecond(e);
        // The days whose occurrence lies strictly between the two moments.
        const long long first = FloorDiv(after - second, 86400) + 1;
        const long long last = FloorDiv(before - 1 - second, 86400);
        if (first > last) continue;
        long long count = 0;
        long long latest = std::numeric_limits<long long>::min();
        CountDays(e, first, last, &count, &latest);
        if (count == 0) continue;
        MissedLine line = MissedLineOf(e, latest * 86400 + second, false);
        line.count = count;
        lines.push_back(std::move(line));
    }
    std::stable_sort(lines.begin(), lines.end(),
                     [](const MissedLine& a, const MissedLine& b) { return a.latest < b.latest; });
    return lines;
}

bool UsableLastRun(double dateValue) {
    return std::isfinite(dateValue) && dateValue >= DayNumberOf(1900, 1, 1) &&
           dateValue < DayNumberOf(10000, 1, 1);
}

std::vector<std::string> MissedLineTexts(const MissedLine& line) {
    return {TimeText(line.latest), line.name, std::to_string(line.count), WhatText(line)};
}

}  // namespace tembra
