// Command, message and resource ids of the application shell.
#pragma once

// Commands of the main frame.
#define ID_TRAY_RESTORE 22827        // bring the main window back from the notification area
#define ID_TRAY_MIN_TO_TRAY 22828    // minimising hides the window in the notification area
#define ID_HOOK_TOGGLE 22868         // switch the global keyboard hook off and on

// The looks: one command for each visual style the program offers.
#define ID_STYLE_SIMPLE 22907
#define ID_STYLE_WINXP 22903
#define ID_STYLE_OFFICEXP 22904
#define ID_STYLE_OFFICE2003 22905

// Tokens of the export dialog's separator menu and of the keyboard actions' template menu: the
// dialogs insert them; the application keeps the commands enabled so that the menus show them.
#define ID_SEPARATOR_TAB 22854         // "[Tab]"
#define ID_SEPARATOR_LINE_BREAK 22855  // "[\r\n]"
#define ID_SEPARATOR_CHARACTER 22857   // "[#0032]"
#define ID_TEMPLATE_SELECTION 22858    // "%s"
#define ID_TEMPLATE_PERCENT 22859      // "%%"
#define ID_TEMPLATE_RESULT 22860       // "%d"
#define ID_TEMPLATE_EXAMPLE 22864      // "%e[sin(%s + %d)]"
#define ID_TEMPLATE_BINARY 22865       // "%b"
#define ID_TEMPLATE_OCTAL 22866        // "%o"
#define ID_TEMPLATE_HEX 22867          // "%h"

// Commands of the frame that do nothing yet and stay enabled.
#define ID_VIEW_SPARE_FIRST 22818
#define ID_VIEW_SPARE_LAST 22821

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
