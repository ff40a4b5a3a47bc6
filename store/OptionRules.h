// How the clock's options are read from and written to their values, in one place for the
// clock and the settings program's pages: defaults, the lowest-bit rule for flags, font
// styles, and which values each page writes.
#pragma once
#include <cstdint>
#include <string>

#include "store/ClockOptions.h"
#include "store/OptionValues.h"

namespace tembra {

// Room for every style word the writer can put together ("BOLDITALICUNDERLINESTRIKE" is 25
// characters) and more; a longer stored text reads as no style.
constexpr std::size_t kFontStylesCapacity = 64;
constexpr std::size_t kFontNameCapacity = sizeof(ClockOptions::FontName);

// The clock's own work that runs inside a load, at fixed points.
class OptionsLoadSteps {
public:
    virtual ~OptionsLoadSteps() = default;
    // Right after "RemoveOldAlarms": prune past one-time events (only shutdown ones when off).
    virtual void RemoveOldEvents(bool shutdownOnly) = 0;
    // Right after "Top": move the window to the stored position.
    virtual void PlaceWindow(int left, int top) = 0;
    // After the last value: window styles, font, today's events.
    virtual void FinishLoad() = 0;
};

// Reads all options in the clock's order, each with its default when missing (flags by their
// lowest bit), running `steps` (may be null) at their points. `AutoStart` is left alone.
void ReadOptionValues(const OptionValues& values, ClockOptions* options, OptionsLoadSteps* steps);

// The flags as one word, bit positions as the options record lists them (bit 15 unused).
enum OptionFlag : std::uint32_t {
    kFlagTransparent = 1u << 0,
    kFlagTopMost = 1u << 1,
    kFlagRemoveFromAltTab = 1u << 2,
    kFlagAutoStart = 1u << 3,
    kFlagDate = 1u << 4,
    kFlagSeconds = 1u << 5,
    kFlagNoMove = 1u << 6,
    kFlagColor2 = 1u << 7,
    kFlagRemoveOldAlarms = 1u << 8,
    kFlagBorder = 1u << 9,
    kFlagUseFontColor = 1u << 10,
    kFlagLeadingZero = 1u << 11,
    kFlagUseRegional = 1u << 12,
    kFlagTwelveHours = 1u << 13,
    kFlagTrayMode = 1u << 14,
    kFlagUseTimeRegional = 1u << 16,
};
// The flags the General page has check boxes for: bits 0 to 11.
constexpr std::uint32_t kGeneralPageFlags = 0xFFF;

std::uint32_t FlagWord(const ClockOptions& options);
void SetFlagWord(ClockOptions* options, std::uint32_t flags);
// Takes the General page's check boxes (bits 0-11 of `checked`); the other flags keep
// their values.
void SetGeneralPageFlags(ClockOptions* options, std::uint32_t checked);

// The pages' saves write only what the user changed on the page: each of the page's values
// whose field differs between `shown` (what the page showed when it read the options, or
// what it saved last) and `edited`. A value left alone stays as stored, so a change made
// meanwhile from the clock's menu survives. Flags are written as 0 or 1, the Date and time
// page's list indexes as they are (-1 for no selection).
//
// The General page: colours, font, styles and its flags. "TrayMode" has no control on the
// page and is never written. A changed "FontColor" also writes the colour set 2 showed when
// "FontColor2" is missing, which would otherwise follow the new "FontColor".
void WriteGeneralChanges(const ClockOptions& shown, const ClockOptions& edited,
                         OptionValues& values);
// The Date and time page: its two lists and three flags.
void WriteDateTimeChanges(const ClockOptions& shown, const ClockOptions& edited,
                          OptionValues& values);

// Whether the stored Run value starts this clock: non-empty and the same path apart from
// letter case (double-byte characters compared whole).
bool AutoStartPointsAt(const std::string& stored, const std::string& clockPath);

enum class AutoStartChange { None, Write, Delete };
// What the General page's save does to the Run value holding `stored` (empty if missing).
AutoStartChange AutoStartChangeFor(bool wanted, const std::string& stored,
                                   const std::string& clockPath);

}  // namespace tembra
