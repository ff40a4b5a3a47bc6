// Pattern formatting of a calendar time with the Chinese name tables that the clock and
// the settings program show, independent of any C library locale.
//
//   %a %A  weekday, abbreviated / full ("日", "星期日")
//   %b %B  month, abbreviated / full ("12", "十二月")
//   %d %m %Y %y %H %I %M %S %j  numbers; "%#d" etc. drop the leading zero
//   %p     "AM" / "PM"        %%  a percent sign
// Any other conversion is copied as it stands.
#pragma once
#include <string>

#include "store/CivilTime.h"

namespace tembra {

std::string FormatTime(const std::string& pattern, const CivilTime& time);

// Name tables (code page 936), Sunday and January first.
const char* WeekdayAbbreviation(int weekdayFromSunday);
const char* WeekdayName(int weekdayFromSunday);
const char* MonthAbbreviation(int monthFromJanuary);
const char* MonthName(int monthFromJanuary);

}  // namespace tembra
