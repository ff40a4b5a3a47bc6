// The clock's line of text and the hover text, built from a tick time and the options.
#pragma once
#include <string>

#include "store/CivilTime.h"
#include "store/ClockOptions.h"

namespace tembra {

// The user's regional date and time texts (the platform provides them).
class LocaleTexts {
public:
    virtual ~LocaleTexts() = default;
    virtual std::string DateAndTime(const CivilTime& t) const = 0;
    virtual std::string DateOnly(const CivilTime& t) const = 0;
    virtual std::string TimeOnly(const CivilTime& t) const = 0;
};

std::string BuildClockTextFor(const ClockOptions& options, const CivilTime& time,
                              const LocaleTexts& locale);
std::string BuildHoverTextFor(const CivilTime& time);

// The date pattern of the options, e.g. "%d.%m.%Y " for the defaults.
std::string DatePattern(const ClockOptions& options);
// The time pattern of the options, e.g. "%H:%M".
std::string TimePattern(const ClockOptions& options);

// Milliseconds from `millisecond` (0..999 past a whole second) until shortly after the next
// whole second: the clock's timer fires then, so each new second shows at once.
unsigned MillisecondsToNextTick(int millisecond);

}  // namespace tembra
