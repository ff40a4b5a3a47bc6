// The clock's line of text, built from options as stored (any numbers in the format values,
// any flags) at any moment it can show.
#include <string>

#include "clock/ClockText.h"
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

}  // namespace tembra::fuzz
