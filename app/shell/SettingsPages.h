// Control ids of the settings sheet's pages (their templates lie in the resource library).
#pragma once

#define IDS_SETTINGS_CAPTION 202     // the sheet's caption
#define IDB_SETTINGS_ICONS 143       // the pages' 32-pixel icons, magenta transparent

#define IDD_GENERAL_PAGE 270
#define IDC_MIN_TO_TRAY 2070
#define IDC_START_HIDDEN 2071
#define IDC_CLOSE_TO_TRAY 2072
#define IDC_ALWAYS_ON_TOP 2074
#define IDC_DOC_MODEL_SDI 2097
#define IDC_DOC_MODEL_PDI 2098
#define IDC_TRAY_OPTIONS 2104        // the frame around the options that need the tray

#define IDD_TEXT_EDITOR_PAGE 286
#define IDC_FN_REPLACE 2098
#define IDC_FN_INSERT 2099
