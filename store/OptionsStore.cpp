#include "store/OptionsStore.h"

#include <cstring>

#include "store/RegistryKey.h"
#include "store/RegistryValues.h"

namespace tembra {

bool LoadOptions(ClockOptions& o, OptionsLoadSteps* steps) {
    RegistryKey key(KEY_READ);
    if (!key.Open(reg::kOptionsKey, true)) return false;
    RegistryValues values(key);
    ReadOptionValues(values, &o, steps);
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

bool SaveGeneralOptions(const ClockOptions& shown, const ClockOptions& edited) {
    RegistryKey key;
    if (!key.Open(reg::kOptionsKey, true)) return false;
    RegistryValues values(key);
    WriteGeneralChanges(shown, edited, values);
    return true;
}

bool SaveDateTimeOptions(const ClockOptions& shown, const ClockOptions& edited) {
    RegistryKey key;
    if (!key.Open(reg::kOptionsKey, true)) return false;
    RegistryValues values(key);
    WriteDateTimeChanges(shown, edited, values);
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

bool ReadLastRun(double* moment) {
    RegistryKey key(KEY_READ);
    return key.Open(reg::kOptionsKey, false) && key.TryReadDate(reg::kLastRun, moment);
}

bool WriteLastRun(double moment) {
    RegistryKey key;
    return key.Open(reg::kOptionsKey, true) && key.WriteDate(reg::kLastRun, moment);
}

}  // namespace tembra
