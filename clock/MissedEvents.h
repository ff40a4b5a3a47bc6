// Occurrences the clock did not carry out because the computer was away: asleep, or the
// clock not running at all. They are only listed ("错过的事件"); nothing is run late.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "store/EventRecord.h"

namespace tembra {

// One line of the list: an event, the latest of its missed occurrences and how many there
// were.
struct MissedLine {
    std::string name;
    std::int32_t action = ShowMessage;
    bool soundOnly = false;
    std::string run;
    bool reminder = false;  // only its reminder was missed; the event itself is still to come
    long long latest = 0;   // in whole seconds since 30 December 1899
    long long count = 0;
};

// The line of one missed occurrence (or reminder) of `event` at `moment`.
MissedLine MissedLineOf(const EventRecord& event, long long moment, bool reminder);

// One line for each enabled event of `events` with occurrences strictly between `after` and
// `before` (whole seconds), ordered by their latest missed moment.
std::vector<MissedLine> MissedBetween(const EventList& events, long long after, long long before);

// Whether a stored last-run moment can be counted from: a date between the years 1900 and
// 9999. Anything else (a value of another program, noise) counts as no record.
bool UsableLastRun(double dateValue);

// The columns the window shows for a line: time ("09.12.2026 23:00:00"), name, how many
// times, and what the event would have done.
std::vector<std::string> MissedLineTexts(const MissedLine& line);

}  // namespace tembra
