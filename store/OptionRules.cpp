#include "store/OptionRules.h"

#include <cstring>

#include "store/FontStyles.h"

namespace tembra {
namespace {

std::uint32_t NumberOr(const OptionValues& values, const char* name, std::uint32_t fallback) {
    return values.Number(name).value_or(fallback);
}

std::int32_t SignedOr(const OptionValues& values, const char* name, std::int32_t fallback) {
    return static_cast<std::int32_t>(NumberOr(values, name, static_cast<std::uint32_t>(fallback)));
}

// Only the lowest bit counts: a stored 2 reads as off.
bool FlagOr(const OptionValues& values, const char* name, bool fallback) {
    return (NumberOr(values, name, fallback ? 1 : 0) & 1) != 0;
}

void WriteFlag(OptionValues& values, const char* name, bool flag) {
    values.WriteNumber(name, flag ? 1 : 0);
}

struct FlagBit {
    bool ClockOptions::*field;
    std::uint32_t bit;
};

const FlagBit kFlagBits[] = {
    {&ClockOptions::Transparent, kFlagTransparent},
    {&ClockOptions::TopMost, kFlagTopMost},
    {&ClockOptions::RemoveFromAltTab, kFlagRemoveFromAltTab},
    {&ClockOptions::AutoStart, kFlagAutoStart},
    {&ClockOptions::Date, kFlagDate},
    {&ClockOptions::Seconds, kFlagSeconds},
    {&ClockOptions::NoMove, kFlagNoMove},
    {&ClockOptions::Color2, kFlagColor2},
    {&ClockOptions::RemoveOldAlarms, kFlagRemoveOldAlarms},
    {&ClockOptions::Border, kFlagBorder},
    {&ClockOptions::UseFontColor, kFlagUseFontColor},
    {&ClockOptions::LeadingZero, kFlagLeadingZero},
    {&ClockOptions::UseRegional, kFlagUseRegional},
    {&ClockOptions::TwelveHours, kFlagTwelveHours},
    {&ClockOptions::TrayMode, kFlagTrayMode},
    {&ClockOptions::UseTimeRegional, kFlagUseTimeRegional},
};

}  // namespace

void ReadOptionValues(const OptionValues& values, ClockOptions* options, OptionsLoadSteps* steps) {
    const ClockOptions d;  // the defaults
    ClockOptions& o = *options;
    o.BackgroundColor = NumberOr(values, reg::kBackgroundColor, d.BackgroundColor);
    std::string face = values.Text(reg::kFontName, kFontNameCapacity).value_or(d.FontName);
    if (face.size() >= sizeof o.FontName) face = d.FontName;
    std::memset(o.FontName, 0, sizeof o.FontName);
    std::memcpy(o.FontName, face.data(), face.size());
    o.FontHeight = SignedOr(values, reg::kFontHeight, d.FontHeight);
    o.FontColor = NumberOr(values, reg::kFontColor, d.FontColor);
    o.FontColor2 = NumberOr(values, reg::kFontColor2, o.FontColor);
    o.BorderColor = NumberOr(values, reg::kBorderColor, d.BorderColor);
    o.BorderColor2 = NumberOr(values, reg::kBorderColor2, d.BorderColor2);
    o.DateFormat = SignedOr(values, reg::kDateFormat, d.DateFormat);
    o.DateSeparator = SignedOr(values, reg::kDateSeparator, d.DateSeparator);
    o.FontStyle = ParseFontStyles(values.Text(reg::kFontStyles, kFontStylesCapacity).value_or(""));
    o.RemoveOldAlarms = FlagOr(values, reg::kRemoveOldAlarms, d.RemoveOldAlarms);
    if (steps) steps->RemoveOldEvents(!o.RemoveOldAlarms);
    const int left = SignedOr(values, reg::kLeft, 0);
    const int top = SignedOr(values, reg::kTop, 0);
    if (steps) steps->PlaceWindow(left, top);
    o.Transparent = FlagOr(values, reg::kTransparent, d.Transparent);
    o.Date = FlagOr(values, reg::kDate, d.Date);
    o.Seconds = FlagOr(values, reg::kSeconds, d.Seconds);
    o.NoMove = FlagOr(values, reg::kNoMove, d.NoMove);
    o.RemoveFromAltTab = FlagOr(values, reg::kRemoveFromAltTab, d.RemoveFromAltTab);
    o.Color2 = FlagOr(values, reg::kColor2, d.Color2);
    o.Border = FlagOr(values, reg::kBorder, d.Border);
    o.UseFontColor = FlagOr(values, reg::kUseFontColor, d.UseFontColor);
    o.LeadingZero = FlagOr(values, reg::kLeadingZero, d.LeadingZero);
    o.UseRegional = FlagOr(values, reg::kUseRegional, d.UseRegional);
    o.UseTimeRegional = FlagOr(values, reg::kUseTimeRegional, d.UseTimeRegional);
    o.TwelveHours = FlagOr(values, reg::kTwelveHours, d.TwelveHours);
    o.TrayMode = FlagOr(values, reg::kTrayMode, d.TrayMode);
    o.TopMost = FlagOr(values, reg::kTopMost, d.TopMost);
    if (steps) steps->FinishLoad();
}

std::uint32_t FlagWord(const ClockOptions& options) {
    std::uint32_t word = 0;
    for (const FlagBit& f : kFlagBits)
        if (options.*f.field) word |= f.bit;
    return word;
}

void SetFlagWord(ClockOptions* options, std::uint32_t flags) {
    for (const FlagBit& f : kFlagBits) options->*f.field = (flags & f.bit) != 0;
}

void SetGeneralPageFlags(ClockOptions* options, std::uint32_t checked) {
    SetFlagWord(options, (FlagWord(*options) & ~kGeneralPageFlags) | (checked & kGeneralPageFlags));
}

void WriteGeneralOptions(const ClockOptions& o, OptionValues& values) {
    values.WriteNumber(reg::kBackgroundColor, o.BackgroundColor);
    values.WriteText(reg::kFontName, std::string(o.FontName, strnlen(o.FontName, sizeof o.FontName)));
    values.WriteNumber(reg::kFontHeight, static_cast<std::uint32_t>(o.FontHeight));
    values.WriteNumber(reg::kFontColor, o.FontColor);
    values.WriteNumber(reg::kFontColor2, o.FontColor2);
    values.WriteNumber(reg::kBorderColor, o.BorderColor);
    values.WriteNumber(reg::kBorderColor2, o.BorderColor2);
    values.WriteText(reg::kFontStyles, FormatFontStyles(o.FontStyle));
    WriteFlag(values, reg::kRemoveOldAlarms, o.RemoveOldAlarms);
    WriteFlag(values, reg::kTransparent, o.Transparent);
    WriteFlag(values, reg::kDate, o.Date);
    WriteFlag(values, reg::kSeconds, o.Seconds);
    WriteFlag(values, reg::kNoMove, o.NoMove);
    WriteFlag(values, reg::kRemoveFromAltTab, o.RemoveFromAltTab);
    WriteFlag(values, reg::kColor2, o.Color2);
    WriteFlag(values, reg::kBorder, o.Border);
    WriteFlag(values, reg::kUseFontColor, o.UseFontColor);
    WriteFlag(values, reg::kLeadingZero, o.LeadingZero);
    WriteFlag(values, reg::kTrayMode, FlagOr(values, reg::kTrayMode, false));
    WriteFlag(values, reg::kTopMost, o.TopMost);
}

void WriteDateTimeOptions(const ClockOptions& o, OptionValues& values) {
    values.WriteNumber(reg::kDateFormat, static_cast<std::uint32_t>(o.DateFormat));
    values.WriteNumber(reg::kDateSeparator, static_cast<std::uint32_t>(o.DateSeparator));
    WriteFlag(values, reg::kUseRegional, o.UseRegional);
    WriteFlag(values, reg::kUseTimeRegional, o.UseTimeRegional);
    WriteFlag(values, reg::kTwelveHours, o.TwelveHours);
}

bool AutoStartPointsAt(const std::string& stored, const std::string& clockPath) {
    return !stored.empty() && UpperCaseMultibyte(stored) == UpperCaseMultibyte(clockPath);
}

AutoStartChange AutoStartChangeFor(bool wanted, const std::string& stored,
                                   const std::string& clockPath) {
    if (wanted) return AutoStartPointsAt(stored, clockPath) ? AutoStartChange::None
                                                            : AutoStartChange::Write;
    return stored.empty() ? AutoStartChange::None : AutoStartChange::Delete;
}

}  // namespace tembra
