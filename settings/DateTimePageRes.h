// Template and control ids of the Date and time page.
#pragma once

#define IDD_DATE_TIME 130

#define IDC_DATE_FORMAT 1027
#define IDC_DATE_SEPARATOR 1028
#define IDC_USE_REGIONAL 1029
#define IDC_24_HOURS 1031
#define IDC_12_HOURS 1032
#define IDC_SEPARATOR_LABEL 1043
#define IDC_USE_TIME_REGIONAL 1044
#define IDC_PREVIEW_LINE 1045
