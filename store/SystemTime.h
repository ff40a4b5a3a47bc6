// Date-time values as the platform's SYSTEMTIME, which date-time pickers take.
#pragma once
#include <windows.h>

namespace tembra {

// The calendar time of a date-time value, to the second, with its weekday.
SYSTEMTIME SystemTimeOf(double dateValue);

}  // namespace tembra
