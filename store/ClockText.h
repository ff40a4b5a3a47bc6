// The clock's line of text and its hover text, built from a time and the options; the
// settings program's Date and time page previews its choices with the same rules.
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

// The moment the Date and time page shows: 1 January 1980, 12:30:30.
constexpr CivilTime kPreviewMoment{1980, 1, 1, 12, 30, 30, 0};
// The page's preview line: the clock's text for the moment with the date, the seconds and
// leading zeros always shown, whatever the General page's options say.
std::string DateTimePreviewFor(const ClockOptions& options, const LocaleTexts& locale);

}  // namespace tembra
