// The clock's line of text, built from options as stored (any numbers in the format values,
// any flags) at any moment it can show; and the rules the events go through, with any values
// a loaded record can hold.
#include <memory>
#include <string>

#include "clock/ClockText.h"
#include "clock/MissedEvents.h"
#include "clock/Scheduler.h"
#include "framework/fuzz/FuzzTarget.h"

namespace tembra::fuzz {
namespace {

class FixedLocaleTexts : public LocaleTexts {
public:
    std::string DateAndTime(const CivilTime&) const override { return "2026/12/6 14:05:09"; }
    std::string DateOnly(const CivilTime&) const override { return "2026/12/6"; }
    std::string TimeOnly(const CivilTime&) const override { return "14:05:09"; }
};

}  // namespace

void ClockTextOptions(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    ClockOptions options;
    options.DateFormat = input.Take<int32_t>();
    options.DateSeparator = input.Take<int32_t>();
    const auto flags = input.Take<uint8_t>();
    options.Date = flags & 1;
    options.Seconds = flags & 2;
    options.LeadingZero = flags & 4;
    options.TwelveHours = flags & 8;
    options.UseRegional = flags & 16;
    options.UseTimeRegional = flags & 32;
    const double day = input.Take<uint32_t>() % 2958466u;
    const double second = input.Take<uint32_t>() % 86400u;
    const CivilTime time = CivilTimeOf(day + second / 86400.0);
    static const FixedLocaleTexts locale;
    BuildClockTextFor(options, time, locale);
    BuildHoverTextFor(time);
}

// Up to 32 records with any values loading can give (numbers of any 32 bits, any stored
// "Time", any flags) at any moment the clock can show: the day's rules, the day list's
// order, the per-tick scan and the occurrences missed over a gap.
void StoredEventRules(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const double now = input.Take<uint32_t>() % 2958466u + input.Take<uint32_t>() % 86400u / 86400.0;
    const CivilTime date = CivilTimeOf(now);
    EventList list;
    for (int n = input.Take<uint8_t>() % 33; n > 0; --n) {
        auto e = std::make_unique<EventRecord>();
        e->Time = SaneTimeOfDay(input.Take<double>());
        e->Frequency = input.Take<int32_t>();
        e->FreqDetail0 = input.Take<int32_t>();
        e->FreqDetail1 = input.Take<int32_t>();
        e->FreqDetail2 = input.Take<int32_t>();
        e->FreqDetail3 = input.Take<int32_t>();
        e->Remind = input.Take<int32_t>();
        const auto flags = input.Take<uint8_t>();
        e->Enabled = flags & 1;
        e->Reminded = flags & 2;
        e->ListKey = static_cast<uint32_t>(list.size());
        CanStillComeToday(*e, now);
        IsPastOnce(*e, now);
        const int day = MonthlyDayIn(e->FreqDetail3, date.year, date.month);
        if (day < 1 || day > DaysInMonth(date.year, date.month)) __builtin_trap();
        list.push_back(std::move(e));
    }
    SortDayList(list);
    for (size_t i = 1; i < list.size(); ++i) {
        if (AttentionSecond(*list[i - 1]) > AttentionSecond(*list[i])) __builtin_trap();
    }
    const long long second = SecondsOfDay(TimePart(now));
    for (const DuePost& post : ScanDue(list, second, {0})) {
        if (post.key == 0 || post.key >= list.size()) __builtin_trap();
    }
    // Missed occurrences over any gap up to a century and more.
    const long long before = WholeSeconds(now);
    const long long after = before - input.Take<uint32_t>();
    for (const MissedLine& line : MissedBetween(list, after, before)) {
        if (line.count < 1 || line.latest <= after || line.latest >= before) __builtin_trap();
    }
}

}  // namespace tembra::fuzz
