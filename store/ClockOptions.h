// The clock's display and behaviour options, as they live under
// HKCU\Software\Tembra\Clock\Options.
#pragma once
#include <cstdint>

#include "store/FontStyles.h"

namespace tembra {

using ColorRef = std::uint32_t;  // 0x00BBGGRR

// Every member starts at the default that applies when its value is missing, so a record
// that could not be loaded shows what a fresh clock shows (never black on black).
struct ClockOptions {
    ColorRef BackgroundColor = 0;
    char FontName[32] = "Arial";
    std::int32_t DateFormat = 0;
    std::int32_t DateSeparator = 0;
    std::int32_t FontHeight = -13;
    FontStyles FontStyle;
    ColorRef FontColor = 0xFFFFFF;
    ColorRef FontColor2 = 0xFFFFFF;  // when missing: the value read for FontColor
    ColorRef BorderColor = 0;
    ColorRef BorderColor2 = 0;
    bool Transparent = false;
    bool TopMost = true;
    bool RemoveFromAltTab = true;
    bool AutoStart = false;  // the Run value, not the Options key
    bool Date = true;
    bool Seconds = false;
    bool NoMove = false;
    bool Color2 = false;
    bool RemoveOldAlarms = true;
    bool Border = true;
    bool UseFontColor = true;
    bool LeadingZero = true;
    bool UseRegional = false;
    bool TwelveHours = false;
    bool TrayMode = false;
    bool UseTimeRegional = false;
};

// Registry paths and value names, shared by the clock and the settings program.
namespace reg {
constexpr const char* kClockKey = "Software\\Tembra\\Clock";
constexpr const char* kOptionsKey = "Software\\Tembra\\Clock\\Options";
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunValue = "zmrClock";

constexpr const char* kBackgroundColor = "BackgroundColor";
constexpr const char* kFontName = "FontName";
constexpr const char* kFontHeight = "FontHeight";
constexpr const char* kFontColor = "FontColor";
constexpr const char* kFontColor2 = "FontColor2";
constexpr const char* kBorderColor = "BorderColor";
constexpr const char* kBorderColor2 = "BorderColor2";
constexpr const char* kDateFormat = "Date format";
constexpr const char* kDateSeparator = "Date separator";
constexpr const char* kFontStyles = "FontStyles";
constexpr const char* kRemoveOldAlarms = "RemoveOldAlarms";
constexpr const char* kLeft = "Left";
constexpr const char* kTop = "Top";
constexpr const char* kTransparent = "Transparent";
constexpr const char* kDate = "Date";
constexpr const char* kSeconds = "Seconds";
constexpr const char* kNoMove = "NoMove";
constexpr const char* kRemoveFromAltTab = "RemoveFromAltTab";
constexpr const char* kColor2 = "Color2";
constexpr const char* kBorder = "Border";
constexpr const char* kUseFontColor = "UseFontColor";
constexpr const char* kLeadingZero = "LeadingZero";
constexpr const char* kUseRegional = "Use regional settings";
constexpr const char* kUseTimeRegional = "Use time regional settings";
constexpr const char* kTwelveHours = "12-Hours";
constexpr const char* kTrayMode = "TrayMode";
constexpr const char* kTopMost = "TopMost";
constexpr const char* kAlarms = "Alarms";
// The moment the clock last ran, a date value: the clock's own record, which the settings
// program never writes.
constexpr const char* kLastRun = "LastRun";
}  // namespace reg

}  // namespace tembra
