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

#define IDD_KBD_PAGE 271
#define IDD_ACTION_NAME 274
#define IDR_TEMPLATE_MENU 255
#define IDC_ACTIONS 2051
#define IDC_SHOW_HIDE_KEY 2074
#define IDC_CAPTURE_SHOW_HIDE 2075
#define IDC_ACTION_KEY 2076
#define IDC_CAPTURE_ACTION_KEY 2077
#define IDC_ACTION_TEMPLATE 2078
#define IDC_PASS_SHOW_HIDE 2079
#define IDC_PASS_ACTION_KEY 2080
#define IDC_PROCESS_REPLACE 2081
#define IDC_PROCESS_TRAY 2082
#define IDC_PROCESS_CLIPBOARD 2083
#define IDC_TEMPLATE_MENU 2084
#define IDC_ADD_ACTION 2085
#define IDC_DELETE_ACTION 2086
#define IDC_ACTION_NAME 2086
#define IDS_NO_SHOW_HIDE_KEY 235
#define IDS_ACTION_WITHOUT_KEY 237          // %1: the action's name
#define IDS_KEY_OF_SHOW_HIDE 238            // %1: the key, %2: the action
#define IDS_KEYS_CLASH_CAPTION 239
#define IDS_ACTIONS_SHARE_KEY 240           // %1: the key, %2 and %3: the actions
#define IDS_ACTION_NAME_TAKEN 241           // %1: the name
#define IDS_ACTION_NAME_TAKEN_CAPTION 242
