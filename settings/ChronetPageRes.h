// Template and control ids of the Internet time page.
#pragma once

#define IDD_INTERNET_TIME 149

#define IDC_INET_TRAY_MODE 1090
#define IDC_INET_AUTO_ADJUST 1091
#define IDC_INET_SERVERS_NUM 1092
