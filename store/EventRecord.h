// One user event (事件): a time of day on one date or on recurring days, and what to do then.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/CivilTime.h"

namespace tembra {

enum EventFrequency : std::int32_t { Once = 0, Daily = 1, Weekly = 2, Monthly = 3 };
enum EventAction : std::int32_t { ShowMessage = 0, RunProgram = 1, ShutDown = 2 };

struct EventRecord {
    // A new event: now, "Message", shown once today at the current time of day.
    static EventRecord NewAt(double now);

    double Id = 0.0;
    std::string Name = "Message";
    std::int32_t Action = ShowMessage;
    std::string Run;
    std::string RunParams;
    std::string RunIn;
    std::string WavFile;
    bool Enabled = true;
    bool LoopSound = false;
    bool Reminded = false;  // the clock has shown the reminder; never stored
    bool SoundOnly = false;
    double Time = 0.0;      // time of day, a fraction of a day
    std::int32_t Frequency = Once;
    std::int32_t FreqDetail0 = 0;    // Once: day number of the date
    std::int32_t FreqDetail1 = 127;  // Daily: weekday mask, bit 0 Sunday
    std::int32_t FreqDetail2 = 1;    // Weekly: weekday 1 (Sunday) to 7
    std::int32_t FreqDetail3 = 1;    // Monthly: day of the month
    std::int32_t Remind = 0;         // seconds before Time
    // Tells apart the records of one loaded list, whose Ids need not be unique (two events
    // copied within one second share one). Given by the list's owner; never stored.
    std::uint32_t ListKey = 0;
    // The key holds no "Id": loading gave the record its own moment, another at each load.
    // Copied with the Id; never stored.
    bool IdGiven = false;
    // The day (its number) of the occurrence the clock holds this record for: today's, or
    // tomorrow's when its reminder falls before midnight. Never stored.
    std::int32_t OccursOn = 0;

    // Copies every stored field, Id included; Reminded, ListKey and OccursOn stay as they are.
    void CopyFrom(const EventRecord& other);
};

using EventList = std::vector<std::unique_ptr<EventRecord>>;

// Whether every stored field of the two records is equal, Id included.
bool SameStoredValues(const EventRecord& a, const EventRecord& b);

// The time of day a stored "Time" loads as: its fraction of a day (the settings program
// writes nothing else), or midnight for a value that is no number.
double SaneTimeOfDay(double stored);

// The day on which a monthly event for `storedDay` comes in the given month: the stored day
// limited to 1..31, and in a shorter month its last day.
int MonthlyDayIn(int storedDay, int year, int month);

// Whether the event comes on the day `dayNumber` (at its time of day), by its frequency. An
// unknown frequency never comes.
bool OccursOnDay(const EventRecord& event, int dayNumber);

// Whether an enabled event can still come today at or after `now` (its time of day is not
// yet past and today is one of its days). An unknown frequency never comes.
bool CanStillComeToday(const EventRecord& event, double now);

// Whether a one-time event's moment lies before `now`.
bool IsPastOnce(const EventRecord& event, double now);

// `id`, or the first whole second after it that no record of `events` has as its Id (to
// the second). Ids name events in the store (the clock deletes a fired one-time event by
// its Id), yet two records made within one second would share one.
double UnusedEventId(double id, const EventList& events);

}  // namespace tembra
