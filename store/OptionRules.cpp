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

// Writes a field of `edited` when it differs from `shown`; says whether it did.
struct ChangeWriter {
    const ClockOptions& shown;
    const ClockOptions& edited;
    OptionValues& values;

    template <typename T>
    bool Number(T ClockOptions::*field, const char* name) {
        if (shown.*field == edited.*field) return false;
        values.WriteNumber(name, static_cast<std::uint32_t>(edited.*field));
        return true;
    }
    bool Flag(bool ClockOptions::*field, const char* name) {
        if (shown.*field == edited.*field) return false;
        values.WriteNumber(name, edited.*field ? 1 : 0);
        return true;
    }
};

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

void WriteGeneralChanges(const ClockOptions& shown, const ClockOptions& edited,
                         OptionValues& values) {
    ChangeWriter w{shown, edited, values};
    w.Number(&ClockOptions::BackgroundColor, reg::kBackgroundColor);
    const std::string face(edited.FontName, strnlen(edited.FontName, sizeof edited.FontName));
    if (std::strncmp(shown.FontName, edited.FontName, sizeof edited.FontName) != 0)
        values.WriteText(reg::kFontName, face);
    w.Number(&ClockOptions::FontHeight, reg::kFontHeight);
    const bool colour2Follows = !values.Number(reg::kFontColor2).has_value();
    if (w.Number(&ClockOptions::FontColor, reg::kFontColor) && colour2Follows &&
        shown.FontColor2 == edited.FontColor2)
        values.WriteNumber(reg::kFontColor2, edited.FontColor2);
    w.Number(&ClockOptions::FontColor2, reg::kFontColor2);
    w.Number(&ClockOptions::BorderColor, reg::kBorderColor);
    w.Number(&ClockOptions::BorderColor2, reg::kBorderColor2);
    if (FormatFontStyles(shown.FontStyle) != FormatFontStyles(edited.FontStyle))
        values.WriteText(reg::kFontStyles, FormatFontStyles(edited.FontStyle));
    w.Flag(&ClockOptions::RemoveOldAlarms, reg::kRemoveOldAlarms);
    w.Flag(&ClockOptions::Transparent, reg::kTransparent);
    w.Flag(&ClockOptions::Date, reg::kDate);
    w.Flag(&ClockOptions::Seconds, reg::kSeconds);
    w.Flag(&ClockOptions::NoMove, reg::kNoMove);
    w.Flag(&ClockOptions::RemoveFromAltTab, reg::kRemoveFromAltTab);
    w.Flag(&ClockOptions::Color2, reg::kColor2);
    w.Flag(&ClockOptions::Border, reg::kBorder);
    w.Flag(&ClockOptions::UseFontColor, reg::kUseFontColor);
    w.Flag(&ClockOptions::LeadingZero, reg::kLeadingZero);
    w.Flag(&ClockOptions::TopMost, reg::kTopMost);
}

void WriteDateTimeChanges(const ClockOptions& shown, const ClockOptions& edited,
                          OptionValues& values) {
    ChangeWriter w{shown, edited, values};
    w.Number(&ClockOptions::DateFormat, reg::kDateFormat);
    w.Number(&ClockOptions::DateSeparator, reg::kDateSeparator);
    w.Flag(&ClockOptions::UseRegional, reg::kUseRegional);
    w.Flag(&ClockOptions::UseTimeRegional, reg::kUseTimeRegional);
    w.Flag(&ClockOptions::TwelveHours, reg::kTwelveHours);
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
