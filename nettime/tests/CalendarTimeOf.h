// Calendar times written the short way in the tests.
#pragma once
#include <cstdint>

#include "nettime/core/NtpTime.h"

namespace tembra::nettime {

inline CalendarTime Utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    CalendarTime t;
    t.year = static_cast<uint16_t>(y);
    t.month = static_cast<uint16_t>(mo);
    t.day = static_cast<uint16_t>(d);
    t.hour = static_cast<uint16_t>(h);
    t.minute = static_cast<uint16_t>(mi);
    t.second = static_cast<uint16_t>(s);
    t.milliseconds = static_cast<uint16_t>(ms);
    return t;
}

}  // namespace tembra::nettime
