// Template, control and image ids of the Events page.
#pragma once

#define IDD_EVENTS 129
#define IDB_NEW_EVENT 139   // 16x16
#define IDB_COPY_EVENT 140  // 16x16
#define IDB_EDIT_EVENT 141  // 16x16

#define IDC_EVENT_LIST 1022
#define IDC_EVENT_NEW 1023
#define IDC_EVENT_COPY 1024
#define IDC_EVENT_EDIT 1025
#define IDC_EVENT_DELETE 1026
