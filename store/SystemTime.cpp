#include "store/SystemTime.h"

#include "store/CivilTime.h"

namespace tembra {

SYSTEMTIME SystemTimeOf(double dateValue) {
    const CivilTime t = CivilTimeOf(dateValue);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wDayOfWeek = static_cast<WORD>(WeekdayOf(t.year, t.month, t.day) - 1);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

}  // namespace tembra
