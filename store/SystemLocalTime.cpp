// The system's local time, the one platform-dependent piece of the time source.
#include "store/CivilTime.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/time.h>
#include <ctime>
#endif

namespace tembra {

CivilTime SystemLocalTime() {
    CivilTime t;
#ifdef _WIN32
    SYSTEMTIME st;
    GetLocalTime(&st);
    t.year = st.wYear;
    t.month = st.wMonth;
    t.day = st.wDay;
    t.hour = st.wHour;
    t.minute = st.wMinute;
    t.second = st.wSecond;
    t.millisecond = st.wMilliseconds;
#else
    timeval tv{};
    gettimeofday(&tv, nullptr);
    tm local{};
    localtime_r(&tv.tv_sec, &local);
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec;
    t.millisecond = static_cast<int>(tv.tv_usec / 1000);
#endif
    return t;
}

}  // namespace tembra
