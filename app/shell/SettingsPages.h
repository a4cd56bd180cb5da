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

#define IDD_CODE_FORMAT_PAGE 269
#define IDC_FONT_NAMES 2056
#define IDC_FONT_SIZE 2059
#define IDC_LEXEMES 2063
#define IDC_BOLD 2065
#define IDC_ITALIC 2066
#define IDC_UNDERLINE 2067
#define IDC_FONT_SAMPLE 2068
#define IDC_COMMON_BACK 2069
#define IDC_LEXEME_BACK 2070
#define IDC_LEXEME_FORE 2071
#define IDC_FORMAT_DEFAULTS 2096
#define IDS_COLOR_AUTOMATIC 231
#define IDS_COLOR_OTHER 232
#define IDS_FONT_SIZE_REFUSED 233           // also the preview's text for such a size
#define IDS_FONT_SIZE_REFUSED_CAPTION 234
#define IDS_LEXEME_FIRST 300                // the names of the eleven lexeme types
#define IDS_FONT_PREVIEW 500
#define IDS_UNDERLINE_FIRST 311            // none, simple, dotted, wave
