// The values of one "Alarm<n>" key: what a record is stored as, and the record that stored
// values load as.
#pragma once
#include <array>
#include <optional>
#include <string>

#include "store/EventRecord.h"
#include "store/RegistryKey.h"

namespace tembra {

// The value names of an event key in the order they are written. "Time" comes last: a key
// whose writing was cut short has none, and loading passes such a key over.
enum EventField {
    kFrequencyField,
    kFreqDetail0Field,
    kFreqDetail1Field,
    kFreqDetail2Field,
    kFreqDetail3Field,
    kEnabledField,
    kIdField,  // the first value that is not part of the schedule
    kNameField,
    kActionField,
    kRunField,
    kRunParamsField,
    kRunInField,
    kRemindField,
    kWavFileField,
    kLoopSoundField,
    kSoundOnlyField,
    kTimeField,
    kEventFieldCount
};

const char* EventFieldName(int field);

// The value that marks a key a save set aside or left standing for a while (SavePlan.h); a
// plain event has none.
constexpr const char* kCopyMarkName = "SavedCopy";

// The stored values of one key by field; missing ones are nullopt.
using EventValues = std::array<std::optional<RegistryValue>, kEventFieldCount>;

// What `event` is stored as: every field.
EventValues StoredValuesOf(const EventRecord& event);

// Reads the fields [first, end) of `key` into `values`.
void ReadEventValues(const RegistryKey& key, int first, int end, EventValues& values);

// Writes the present values in field order, so "Time" last.
void WriteEventValues(RegistryKey& key, const EventValues& values);

// The schedule of a stored event ("Time", "Frequency" to "Enabled"); today is the day a
// missing date defaults to. False when there is no "Time": no event is stored there.
bool LoadSchedule(const EventValues& values, int today, EventRecord& event);
// The other fields of a stored event; a missing "Id" becomes `now`. Returns whether the
// "Id" was stored.
bool LoadDetails(const EventValues& values, double now, EventRecord& event);

// A text that two sets of values share exactly when every value is present in both or in
// neither, with the same type and bytes.
std::string Fingerprint(const EventValues& values);

}  // namespace tembra
