#include "store/TimeFormat.h"

#include <cstdio>

namespace tembra {
namespace {

const char* const kWeekdayAbbreviations[7] = {"日", "一", "二", "三", "四", "五", "六"};
const char* const kWeekdayNames[7] = {"星期日", "星期一", "星期二", "星期三",
                                      "星期四", "星期五", "星期六"};
const char* const kMonthAbbreviations[12] = {"1", "2", "3", "4",  "5",  "6",
                                             "7", "8", "9", "10", "11", "12"};
// The locale's own table has "5" for May, the same as the abbreviation; we use the name.
const char* const kMonthNames[12] = {"一月", "二月", "三月", "四月",  "五月",   "六月",
                                     "七月", "八月", "九月", "十月", "十一月", "十二月"};

int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

void AppendNumber(std::string& out, int value, int width, bool dropLeadingZeros) {
    char buffer[16];
    if (dropLeadingZeros)
        snprintf(buffer, sizeof buffer, "%d", value);
    else
        snprintf(buffer, sizeof buffer, "%0*d", width, value);
    out += buffer;
}

int DayOfYear(const CivilTime& t) {
    return DayNumberOf(t.year, t.month, t.day) - DayNumberOf(t.year, 1, 1) + 1;
}

int TwelveHour(int hour) {
    int h = hour % 12;
    return h == 0 ? 12 : h;
}

}  // namespace

const char* WeekdayAbbreviation(int w) { return kWeekdayAbbreviations[Clamp(w, 0, 6)]; }
const char* WeekdayName(int w) { return kWeekdayNames[Clamp(w, 0, 6)]; }
const char* MonthAbbreviation(int m) { return kMonthAbbreviations[Clamp(m, 0, 11)]; }
const char* MonthName(int m) { return kMonthNames[Clamp(m, 0, 11)]; }

std::string FormatTime(const std::string& pattern, const CivilTime& t) {
    std::string out;
    const int weekday = WeekdayOf(t.year, t.month, t.day) - 1;
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c != '%' || i + 1 >= pattern.size()) {
            out += c;
            continue;
        }
        size_t start = i;
        bool noZeros = false;
        char conversion = pattern[++i];
        if (conversion == '#' && i + 1 < pattern.size()) {
            noZeros = true;
            conversion = pattern[++i];
        }
        switch (conversion) {
            case 'a': out += WeekdayAbbreviation(weekday); break;
            case 'A': out += WeekdayName(weekday); break;
            case 'b': out += MonthAbbreviation(t.month - 1); break;
            case 'B': out += MonthName(t.month - 1); break;
            case 'd': AppendNumber(out, t.day, 2, noZeros); break;
            case 'm': AppendNumber(out, t.month, 2, noZeros); break;
            case 'Y': AppendNumber(out, t.year, 1, true); break;
            case 'y': AppendNumber(out, t.year % 100, 2, noZeros); break;
            case 'H': AppendNumber(out, t.hour, 2, noZeros); break;
            case 'I': AppendNumber(out, TwelveHour(t.hour), 2, noZeros); break;
            case 'M': AppendNumber(out, t.minute, 2, noZeros); break;
            case 'S': AppendNumber(out, t.second, 2, noZeros); break;
            case 'j': AppendNumber(out, DayOfYear(t), 3, noZeros); break;
            case 'p': out += t.hour < 12 ? "AM" : "PM"; break;
            case '%': out += '%'; break;
            default: out.append(pattern, start, i - start + 1); break;
        }
    }
    return out;
}

}  // namespace tembra
