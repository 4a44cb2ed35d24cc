// Resource ids of XJNTrayNotifications.dll. Every id here is fixed: the library looks its resources
// up by them, and hosts and their automation know the pop-ups' controls by them (1381 and 1382 are
// the answers' buttons, 1095 the close button).
#pragma once

// Dialog templates of the notification pop-ups.
#define IDD_SHUTDOWN_WARNING        666
#define IDD_LOGON_DETECT            667
#define IDD_SHUTDOWN_AFTER_TASKS    668

// Controls of those templates.
#define IDC_ANIMATION_PLACE         1001
#define IDC_USAGE_GRAPH             1014
#define IDC_CLOSE_BUTTON            1095
#define IDC_SCROLL_TEXT              1208
#define IDC_INFO_LINK               1347
#define IDC_FIRST_BUTTON            1381
#define IDC_SECOND_BUTTON           1382
#define IDC_TITLE                   1383
#define IDC_MESSAGE                 1384
#define IDC_CAPTION                 1385

// Skin artwork.
#define IDB_POPUP_BACKGROUND        279
#define IDB_EMBLEM                  281
#define IDB_CLOSE_BUTTON_STRIP      282
#define IDB_BUTTON_STRIP            286
#define IDB_SEPARATOR               342
#define IDI_COUNTDOWN_FIRST         213     // 23 frames: 213 to 235
#define IDI_COUNTDOWN_FRAMES        23
#define IDI_INFO                    238
#define IDI_INFO_SMALL              343

// Built-in English language text, resource type "DEFAULTENGLANG".
#define IDR_DEFAULTENGLANG 237
