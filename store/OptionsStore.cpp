#include "store/OptionsStore.h"

#include <cstring>

#include "store/RegistryKey.h"

namespace tembra {
namespace {

bool Flag(const RegistryKey& key, const char* name, bool fallback) {
    // Only the lowest bit counts: a stored 2 reads as off.
    return (key.ReadNumber(name, fallback ? 1 : 0) & 1) != 0;
}

// Long enough for every word the writer can put together (25 characters) and then some.
const DWORD kFontStylesCapacity = 64;
const DWORD kFontNameCapacity = sizeof(ClockOptions::FontName);

}  // namespace

bool LoadOptions(ClockOptions& o, OptionsLoadSteps* steps) {
    RegistryKey key(KEY_READ);
    if (!key.Open(reg::kOptionsKey, true)) return false;

    o.BackgroundColor = key.ReadNumber(reg::kBackgroundColor, 0);
    char face[kFontNameCapacity];
    DWORD capacity = kFontNameCapacity;
    if (!key.ReadTextInto(reg::kFontName, face, &capacity)) strcpy(face, "Arial");
    memcpy(o.FontName, face, sizeof o.FontName);
    o.FontHeight = static_cast<std::int32_t>(key.ReadNumber(reg::kFontHeight, static_cast<DWORD>(-13)));
    o.FontColor = key.ReadNumber(reg::kFontColor, 0xFFFFFF);
    o.FontColor2 = key.ReadNumber(reg::kFontColor2, o.FontColor);
    o.BorderColor = key.ReadNumber(reg::kBorderColor, 0);
    o.BorderColor2 = key.ReadNumber(reg::kBorderColor2, 0);
    o.DateFormat = static_cast<std::int32_t>(key.ReadNumber(reg::kDateFormat, 0));
    o.DateSeparator = static_cast<std::int32_t>(key.ReadNumber(reg::kDateSeparator, 0));
    char styles[kFontStylesCapacity];
    capacity = kFontStylesCapacity;
    o.FontStyle = key.ReadTextInto(reg::kFontStyles, styles, &capacity) ? ParseFontStyles(styles)
                                                                          : FontStyles();
    o.RemoveOldAlarms = Flag(key, reg::kRemoveOldAlarms, true);
    if (steps) steps->RemoveOldEvents(!o.RemoveOldAlarms);
    int left = static_cast<int>(key.ReadNumber(reg::kLeft, 0));
    int top = static_cast<int>(key.ReadNumber(reg::kTop, 0));
    if (steps) steps->PlaceWindow(left, top);
    o.Transparent = Flag(key, reg::kTransparent, false);
    o.Date = Flag(key, reg::kDate, true);
    o.Seconds = Flag(key, reg::kSeconds, false);
    o.NoMove = Flag(key, reg::kNoMove, false);
    o.RemoveFromAltTab = Flag(key, reg::kRemoveFromAltTab, true);
    o.Color2 = Flag(key, reg::kColor2, false);
    o.Border = Flag(key, reg::kBorder, true);
    o.UseFontColor = Flag(key, reg::kUseFontColor, true);
    o.LeadingZero = Flag(key, reg::kLeadingZero, true);
    o.UseRegional = Flag(key, reg::kUseRegional, false);
    o.UseTimeRegional = Flag(key, reg::kUseTimeRegional, false);
    o.TwelveHours = Flag(key, reg::kTwelveHours, false);
    o.TrayMode = Flag(key, reg::kTrayMode, false);
    o.TopMost = Flag(key, reg::kTopMost, true);
    key.Close();
    if (steps) steps->FinishLoad();
    return true;
}

bool SaveOptions(const ClockOptions& o, int left, int top) {
    RegistryKey key;
    if (!key.Open(reg::kOptionsKey, true)) return false;
    key.WriteNumber(reg::kBackgroundColor, o.BackgroundColor);
    key.WriteText(reg::kFontName, std::string(o.FontName, strnlen(o.FontName, sizeof o.FontName)));
    key.WriteNumber(reg::kFontHeight, static_cast<DWORD>(o.FontHeight));
    key.WriteNumber(reg::kFontColor, o.FontColor);
    key.WriteNumber(reg::kFontColor2, o.FontColor2);
    key.WriteNumber(reg::kBorderColor, o.BorderColor);
    key.WriteNumber(reg::kBorderColor2, o.BorderColor2);
    key.WriteNumber(reg::kDateFormat, static_cast<DWORD>(o.DateFormat));
    key.WriteNumber(reg::kDateSeparator, static_cast<DWORD>(o.DateSeparator));
    key.WriteText(reg::kFontStyles, FormatFontStyles(o.FontStyle));
    key.WriteFlag(reg::kRemoveOldAlarms, o.RemoveOldAlarms);
    key.WriteNumber(reg::kLeft, static_cast<DWORD>(left));
    key.WriteNumber(reg::kTop, static_cast<DWORD>(top));
    key.WriteFlag(reg::kTransparent, o.Transparent);
    key.WriteFlag(reg::kDate, o.Date);
    key.WriteFlag(reg::kSeconds, o.Seconds);
    key.WriteFlag(reg::kNoMove, o.NoMove);
    key.WriteFlag(reg::kRemoveFromAltTab, o.RemoveFromAltTab);
    key.WriteFlag(reg::kColor2, o.Color2);
    key.WriteFlag(reg::kBorder, o.Border);
    key.WriteFlag(reg::kUseFontColor, o.UseFontColor);
    key.WriteFlag(reg::kLeadingZero, o.LeadingZero);
    key.WriteFlag(reg::kUseRegional, o.UseRegional);
    key.WriteFlag(reg::kUseTimeRegional, o.UseTimeRegional);
    key.WriteFlag(reg::kTwelveHours, o.TwelveHours);
    key.WriteFlag(reg::kTrayMode, o.TrayMode);
    key.WriteFlag(reg::kTopMost, o.TopMost);
    return true;
}

bool WriteOption(const char* name, unsigned long value) {
    RegistryKey key;
    return key.Open(reg::kOptionsKey, true) && key.WriteNumber(name, static_cast<DWORD>(value));
}

bool WritePosition(int left, int top) {
    RegistryKey key;
    if (!key.Open(reg::kOptionsKey, true)) return false;
    key.WriteNumber(reg::kLeft, static_cast<DWORD>(left));
    key.WriteNumber(reg::kTop, static_cast<DWORD>(top));
    return true;
}

}  // namespace tembra
