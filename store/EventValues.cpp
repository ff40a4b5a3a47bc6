#include "store/EventValues.h"

#include <cmath>

namespace tembra {
namespace {

constexpr const char* kFieldNames[kEventFieldCount] = {
    "Frequency", "FreqDetail0", "FreqDetail1", "FreqDetail2", "FreqDetail3", "Enabled",
    "Id",        "Name",        "Action",      "Run",         "RunParams",   "RunIn",
    "Remind",    "WavFile",     "LoopSound",   "SoundOnly",   "Time"};

std::int32_t Signed(const EventValues& values, int field, std::int32_t fallback) {
    return static_cast<std::int32_t>(NumberIn(values[field], static_cast<DWORD>(fallback)));
}

// Flags count by their lowest bit, as the options do: a stored 2 is off.
bool Flag(const EventValues& values, int field, bool fallback) {
    return (NumberIn(values[field], fallback ? 1 : 0) & 1) != 0;
}

std::string Text(const EventValues& values, int field, const char* fallback) {
    return TextIn(values[field], fallback);
}

RegistryValue Number(std::int32_t value) { return RegistryValue::Number(static_cast<DWORD>(value)); }
RegistryValue Flag(bool value) { return RegistryValue::Number(value ? 1 : 0); }

}  // namespace

const char* EventFieldName(int field) { return kFieldNames[field]; }

EventValues StoredValuesOf(const EventRecord& e) {
    EventValues v;
    v[kFrequencyField] = Number(e.Frequency);
    v[kFreqDetail0Field] = Number(e.FreqDetail0);
    v[kFreqDetail1Field] = Number(e.FreqDetail1);
    v[kFreqDetail2Field] = Number(e.FreqDetail2);
    v[kFreqDetail3Field] = Number(e.FreqDetail3);
    v[kEnabledField] = Flag(e.Enabled);
    v[kIdField] = RegistryValue::Date(e.Id);
    v[kNameField] = RegistryValue::Text(e.Name);
    v[kActionField] = Number(e.Action);
    v[kRunField] = RegistryValue::Text(e.Run);
    v[kRunParamsField] = RegistryValue::Text(e.RunParams);
    v[kRunInField] = RegistryValue::Text(e.RunIn);
    v[kRemindField] = Number(e.Remind);
    v[kWavFileField] = RegistryValue::Text(e.WavFile);
    v[kLoopSoundField] = Flag(e.LoopSound);
    v[kSoundOnlyField] = Flag(e.SoundOnly);
    v[kTimeField] = RegistryValue::Date(e.Time);
    return v;
}

void ReadEventValues(const RegistryKey& key, int first, int end, EventValues& values) {
    for (int field = first; field < end; ++field) values[field] = key.ReadValue(kFieldNames[field]);
}

void WriteEventValues(RegistryKey& key, const EventValues& values) {
    for (int field = 0; field < kEventFieldCount; ++field) {
        if (values[field]) key.WriteValue(kFieldNames[field], *values[field]);
    }
}

bool LoadSchedule(const EventValues& values, int today, EventRecord& e) {
    // Presence, not the value, tells an event from an empty key: an event at midnight is
    // stored as 0.0.
    double time = 0.0;
    if (!DateIn(values[kTimeField], &time)) return false;
    e.Time = SaneTimeOfDay(time);
    e.Frequency = Signed(values, kFrequencyField, Once);
    e.FreqDetail0 = Signed(values, kFreqDetail0Field, today);
    e.FreqDetail1 = Signed(values, kFreqDetail1Field, 127);
    e.FreqDetail2 = Signed(values, kFreqDetail2Field, 1);
    e.FreqDetail3 = Signed(values, kFreqDetail3Field, 1);
    e.Enabled = Flag(values, kEnabledField, true);
    return true;
}

bool LoadDetails(const EventValues& values, double now, EventRecord& e) {
    double id = 0.0;
    const bool stored = DateIn(values[kIdField], &id) && id != 0.0 && std::isfinite(id);
    e.Id = stored ? id : now;
    e.IdGiven = !stored;
    e.Name = Text(values, kNameField, "Message");
    e.Action = Signed(values, kActionField, ShowMessage);
    e.Run = Text(values, kRunField, "");
    e.RunParams = Text(values, kRunParamsField, "");
    e.RunIn = Text(values, kRunInField, "");
    e.Remind = Signed(values, kRemindField, 0);
    e.WavFile = Text(values, kWavFileField, "");
    e.LoopSound = Flag(values, kLoopSoundField, false);
    e.SoundOnly = Flag(values, kSoundOnlyField, false);
    return stored;
}

std::string Fingerprint(const EventValues& values) {
    std::string text;
    for (const auto& value : values) {
        if (!value) {
            text += '-';
            continue;
        }
        // Type and length first, so no two different sets of values run together alike.
        const DWORD head[2] = {value->type, static_cast<DWORD>(value->bytes.size())};
        text += '+';
        text.append(reinterpret_cast<const char*>(head), sizeof head);
        text += value->bytes;
    }
    return text;
}

}  // namespace tembra
