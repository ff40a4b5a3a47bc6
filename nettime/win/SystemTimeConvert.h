// Between the platform's SYSTEMTIME and our calendar record.
#pragma once
#include <windows.h>

#include "nettime/core/NtpTime.h"

namespace tembra::nettime {

inline CalendarTime CalendarFromSystemTime(const SYSTEMTIME& st) {
    CalendarTime t;
    t.year = st.wYear;
    t.month = st.wMonth;
    t.dayOfWeek = st.wDayOfWeek;
    t.day = st.wDay;
    t.hour = st.wHour;
    t.minute = st.wMinute;
    t.second = st.wSecond;
    t.milliseconds = st.wMilliseconds;
    return t;
}

inline SYSTEMTIME SystemTimeFromCalendar(const CalendarTime& t) {
    SYSTEMTIME st{};
    st.wYear = t.year;
    st.wMonth = t.month;
    st.wDayOfWeek = t.dayOfWeek;
    st.wDay = t.day;
    st.wHour = t.hour;
    st.wMinute = t.minute;
    st.wSecond = t.second;
    st.wMilliseconds = t.milliseconds;
    return st;
}

}  // namespace tembra::nettime
