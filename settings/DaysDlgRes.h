// Template and control ids of the days dialog: box IDC_DAY_FIRST + n stands for weekday bit n
// (0 Sunday to 6 Saturday).
#pragma once

#define IDD_DAYS 145

#define IDC_DAY_FIRST 1070
#define IDC_DAY_SUNDAY 1070
#define IDC_DAY_MONDAY 1071
#define IDC_DAY_TUESDAY 1072
#define IDC_DAY_WEDNESDAY 1073
#define IDC_DAY_THURSDAY 1074
#define IDC_DAY_FRIDAY 1075
#define IDC_DAY_SATURDAY 1076
