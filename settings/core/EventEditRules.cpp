#include "settings/core/EventEditRules.h"

#include "framework/core/LeadingNumber.h"

namespace tembra {
namespace {

constexpr std::uint32_t kMaxRemindSeconds = 9999;
constexpr std::uint32_t kRemindStep = 5;

std::uint32_t Clamp(std::uint32_t value, std::uint32_t low, std::uint32_t high) {
    return value < low ? low : value > high ? high : value;
}

std::uint32_t DayOfMonth(const std::string& typed) {
    return Clamp(ParseLeadingNumber(typed, 31), 1, 31);
}

std::uint32_t RemindSeconds(const std::string& typed) {
    return ParseLeadingNumber(typed, kMaxRemindSeconds);
}

// Lead bytes of code page 936's double-byte characters.
bool IsLeadByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

}  // namespace

SoundChoices SoundChoicesFor(bool hasSound, int actionIndex, bool soundOnly) {
    const bool soundOnlyEnabled = hasSound && actionIndex == ShowMessage;
    return {soundOnlyEnabled, hasSound && !(soundOnlyEnabled && soundOnly)};
}

std::uint32_t SteppedValue(StepField field, const std::string& typed, int delta) {
    if (field == StepField::DayOfMonth) {
        std::uint32_t day = DayOfMonth(typed);
        if (delta == 1) ++day;
        if (delta == -1) --day;
        return Clamp(day, 1, 31);
    }
    const std::uint32_t seconds = RemindSeconds(typed);
    if (delta == 1) return seconds + kRemindStep > kMaxRemindSeconds ? kMaxRemindSeconds
                                                                     : seconds + kRemindStep;
    if (delta == -1) return seconds < kRemindStep ? 0 : seconds - kRemindStep;
    return seconds;
}

void TakeEditorValues(const EditorValues& v, EventRecord& record) {
    if (v.pickedDay) record.FreqDetail0 = *v.pickedDay;
    record.FreqDetail1 = v.daysMask & 0x7F;
    if (v.weekdayIndex >= 0) record.FreqDetail2 = v.weekdayIndex + 1;
    record.FreqDetail3 = static_cast<std::int32_t>(DayOfMonth(v.dayOfMonthText));
    record.Remind = static_cast<std::int32_t>(RemindSeconds(v.remindText));
    record.Run = v.run;
    record.RunParams = v.runParams;
    record.RunIn = v.runIn;
    record.WavFile = v.wavFile;
    record.LoopSound = v.loopSound;
    record.Name = v.name;
    record.Enabled = v.enabled;
    if (v.actionIndex >= 0) record.Action = v.actionIndex;
    if (v.frequencyIndex >= 0) record.Frequency = v.frequencyIndex;
    if (v.pickedTimeOfDay) record.Time = *v.pickedTimeOfDay;
    record.SoundOnly = v.soundOnly && !v.wavFile.empty();
}

bool PickerCanShowDay(int day) {
    return day >= DayNumberOf(1753, 1, 1) && day <= DayNumberOf(9999, 12, 31);
}

double EarliestPickerDate(int storedDay, double now) {
    return PickerCanShowDay(storedDay) && storedDay <= DayPart(now) ? static_cast<double>(storedDay)
                                                                   : now;
}

std::string FolderPart(const std::string& path) {
    size_t cut = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsLeadByte(path[i])) {
            ++i;  // its second byte may look like any character
            continue;
        }
        if (path[i] == '\\' || path[i] == '/') cut = i;
    }
    if (cut == std::string::npos) return "";
    if (cut == 0) return path.substr(0, 1);
    if (cut == 2 && path[1] == ':') return path.substr(0, 3);
    return path.substr(0, cut);
}

}  // namespace tembra
