// Resource and control ids of Chronet.
#pragma once

#define IDD_CHRONET 101
#define IDI_CHRONET_LARGE 102
#define IDI_CHRONET_SMALL 103
#define IDC_HIDE 1000
#define IDC_LOG 1001
#define IDC_RUN_AS_ADMIN 1002
