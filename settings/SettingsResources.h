// Resource ids of the settings program's sheet, about box and shared images (used by the
// resource script and the code alike, hence plain defines).
#pragma once

#define IDC_HAND_CURSOR 132   // hand cursor of the flat buttons
#define IDB_OK 134            // green tick, 16x15
#define IDB_CANCEL 136        // red cross, 13x15
#define IDB_APPLY 137         // green return arrow, 11x14
#define IDB_ABOUT 146         // the product picture, 80x80
#define IDD_ABOUT 147         // the about box
#define IDI_SHEET 148         // red alarm clock, 32x32, 16 colours

// The buttons' bitmaps also drawn for 150 % and 200 %, at their id plus these.
#define IDB_DRAWN_AT_150 1000
#define IDB_DRAWN_AT_200 2000

// Controls of the about box.
#define IDC_ABOUT_VERSION 1077
#define IDC_ABOUT_MAIL1 1087
#define IDC_ABOUT_MAIL2 1088
#define IDC_ABOUT_HOME 1089
