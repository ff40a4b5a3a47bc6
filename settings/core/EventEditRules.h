// The event editor's rules, apart from its controls: which controls a choice enables, what
// an up-down step makes of the typed number, and what OK makes of the controls' values.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "store/EventRecord.h"

namespace tembra {

// "仅声音" and "循环": the first only for a message with a sound, the second for any sound
// unless the first is enabled and ticked.
struct SoundChoices {
    bool soundOnlyEnabled;
    bool loopEnabled;
};
SoundChoices SoundChoicesFor(bool hasSound, int actionIndex, bool soundOnly);

// The number an up-down step leaves in its edit, from the text typed there (its leading
// digits; none count as 0) and the step's delta: the remind time moves by 5 seconds within
// 0..9999, the day of the month by 1 within 1..31. Another delta only clamps.
enum class StepField { RemindSeconds, DayOfMonth };
std::uint32_t SteppedValue(StepField field, const std::string& typed, int delta);

// What the editor's controls hold when OK is pressed. An index of -1 means nothing is
// chosen; an empty date or time means the picker was left on a value it put there itself.
struct EditorValues {
    std::string name;
    bool enabled = true;
    int frequencyIndex = -1;
    int actionIndex = -1;
    std::optional<int> pickedDay;
    std::optional<double> pickedTimeOfDay;
    std::uint8_t daysMask = 0;
    int weekdayIndex = -1;
    std::string dayOfMonthText;
    std::string remindText;
    std::string wavFile;
    bool loopSound = false;
    bool soundOnly = false;
    std::string run;
    std::string runParams;
    std::string runIn;
};

// Sets `record` from the controls' values: texts whole, the day of the month clamped to
// 1..31 and the remind time to 0..9999 whatever was pasted, "仅声音" off without a sound
// (a greyed tick would make the clock only beep), and what no control chose kept as it is.
void TakeEditorValues(const EditorValues& values, EventRecord& record);

// Whether the date picker can show a day (the Gregorian years 1753 to 9999).
bool PickerCanShowDay(int day);
// The earliest date the date picker offers: now, or the stored day (at its midnight) when
// that is today or before, so that editing a past one-time event keeps its date.
double EarliestPickerDate(int storedDay, double now);

// The folder part of a path (code page 936): everything before its last backslash, with the
// backslash kept after a drive ("C:\"); empty without one. A backslash that is the second
// byte of a double-byte character does not count.
std::string FolderPart(const std::string& path);

}  // namespace tembra
