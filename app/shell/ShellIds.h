// Command, message and resource ids of the application shell.
#pragma once

// Commands of the main frame.
#define ID_TRAY_RESTORE 22827        // bring the main window back from the notification area
#define ID_TRAY_MIN_TO_TRAY 22828    // minimising hides the window in the notification area
#define ID_HOOK_TOGGLE 22868         // switch the global keyboard hook off and on

// The tray icon: its id, the menu of the same id, the icon shown and the frame's callback.
#define IDR_TRAY_MENU 253
#define IDI_TRAY_ICON 254
#define WM_TRAY_NOTIFY 1124
#define IDS_APP_TITLE_TIP 57344

// Strings.
#define IDS_NO_KEY 236                 // the empty key handle
#define IDS_PANEL_DEFINED_FIRST 243    // names of the three command panels
#define IDS_PANEL_CATEGORIES 244
#define IDS_PANEL_DEFINED_SECOND 245
#define IDS_PANEL_RUN_FIRST 597        // definition runs of the two defined panels
#define IDS_PANEL_RUN_SECOND 799
#define IDS_TIP_SHOW_HIDE 2041         // the one-time tip about the show/hide key (text, caption)
#define IDS_TIP_SHOW_HIDE_CAPTION 2042
#define IDS_SETTINGS_NOT_SAVED 2044    // the settings could not be saved (text, caption)
#define IDS_SETTINGS_NOT_SAVED_CAPTION 2045

// The panel window's dialog template.
#define IDD_COMMAND_PANEL 263
