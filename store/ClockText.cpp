#include "store/ClockText.h"

#include "store/TimeFormat.h"

namespace tembra {

std::string DatePattern(const ClockOptions& o) {
    const std::string day = o.LeadingZero ? "%d/" : "%#d/";
    const std::string month = o.LeadingZero ? "%m/" : "%#m/";
    std::string pattern = (o.DateFormat == 0 ? day + month : month + day) + "%Y ";
    if (o.DateSeparator != 1) {
        const char separator = o.DateSeparator == 0 ? '.' : '-';
        for (char& c : pattern)
            if (c == '/') c = separator;
    }
    return pattern;
}

std::string TimePattern(const ClockOptions& o) {
    std::string pattern;
    if (o.LeadingZero)
        pattern = o.TwelveHours ? "%I:%M" : "%H:%M";
    else
        pattern = o.TwelveHours ? "%#I:%M" : "%#H:%M";
    if (o.Seconds) pattern += ":%S";
    if (o.TwelveHours) pattern += " %p";
    return pattern;
}

std::string BuildClockTextFor(const ClockOptions& o, const CivilTime& t, const LocaleTexts& locale) {
    if (o.UseRegional && o.UseTimeRegional) return locale.DateAndTime(t);
    std::string text;
    if (o.Date) text = o.UseRegional ? locale.DateOnly(t) + " " : FormatTime(DatePattern(o), t);
    text += o.UseTimeRegional ? locale.TimeOnly(t) : FormatTime(TimePattern(o), t);
    return text;
}

std::string BuildHoverTextFor(const CivilTime& t) {
    return FormatTime("Tembra Clock: %A, %d %B %Y, %H:%M", t);
}

std::string DateTimePreviewFor(const ClockOptions& options, const LocaleTexts& locale) {
    ClockOptions shown = options;
    shown.Date = true;
    shown.Seconds = true;
    shown.LeadingZero = true;
    return BuildClockTextFor(shown, kPreviewMoment, locale);
}

}  // namespace tembra
