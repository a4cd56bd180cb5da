// Message numbers, notification codes and records of the editing control (window class
// "SimpleEditorsci", in BrookEdit.dll). Shared by the control and by the program that hosts it.
// Text is single-byte ANSI; every position and length counts bytes.
#pragma once

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

#define EDITOR_WINDOW_CLASS L"SimpleEditorsci"

// ---- Text --------------------------------------------------------------------------------
#define SCI_ADDTEXT 2001
#define SCI_INSERTTEXT 2003
#define SCI_CLEARALL 2004
#define SCI_CLEARDOCUMENTSTYLE 2005
#define SCI_GETLENGTH 2006
#define SCI_GETCHARAT 2007
#define SCI_GETCURRENTPOS 2008
#define SCI_GETANCHOR 2009
#define SCI_GETSTYLEAT 2010
#define SCI_REDO 2011
#define SCI_SETUNDOCOLLECTION 2012
#define SCI_SELECTALL 2013
#define SCI_CANREDO 2016
#define SCI_GETUNDOCOLLECTION 2019
#define SCI_POSITIONFROMPOINT 2022
#define SCI_GOTOLINE 2024
#define SCI_GOTOPOS 2025
#define SCI_SETANCHOR 2026
#define SCI_GETENDSTYLED 2028
#define SCI_CONVERTEOLS 2029
#define SCI_GETEOLMODE 2030
#define SCI_SETEOLMODE 2031
#define SCI_STARTSTYLING 2032
#define SCI_SETSTYLING 2033
#define SCI_SETTABWIDTH 2036
#define SCI_GETTABWIDTH 2121
#define SCI_SETINDENT 2122
#define SCI_GETINDENT 2123
#define SCI_GETCOLUMN 2129
#define SCI_SETHSCROLLBAR 2130
#define SCI_GETHSCROLLBAR 2131
#define SCI_GETLINEENDPOSITION 2136
#define SCI_GETREADONLY 2140
#define SCI_SETCURRENTPOS 2141
#define SCI_SETSELECTIONSTART 2142
#define SCI_GETSELECTIONSTART 2143
#define SCI_SETSELECTIONEND 2144
#define SCI_GETSELECTIONEND 2145
#define SCI_SETPRINTMAGNIFICATION 2146
#define SCI_GETPRINTMAGNIFICATION 2147
#define SCI_SETPRINTCOLOURMODE 2148
#define SCI_GETPRINTCOLOURMODE 2149
#define SCI_FINDTEXT 2150
#define SCI_FORMATRANGE 2151
#define SCI_GETFIRSTVISIBLELINE 2152
#define SCI_GETLINE 2153
#define SCI_GETLINECOUNT 2154
#define SCI_SETSEL 2160
#define SCI_GETSELTEXT 2161
#define SCI_GETTEXTRANGE 2162
#define SCI_POINTXFROMPOSITION 2164
#define SCI_POINTYFROMPOSITION 2165
#define SCI_LINEFROMPOSITION 2166
#define SCI_POSITIONFROMLINE 2167
#define SCI_LINESCROLL 2168
#define SCI_SCROLLCARET 2169
#define SCI_REPLACESEL 2170
#define SCI_SETREADONLY 2171
#define SCI_CANPASTE 2173
#define SCI_CANUNDO 2174
#define SCI_EMPTYUNDOBUFFER 2175
#define SCI_UNDO 2176
#define SCI_CUT 2177
#define SCI_COPY 2178
#define SCI_PASTE 2179
#define SCI_CLEAR 2180
#define SCI_SETTEXT 2181
#define SCI_GETTEXT 2182
#define SCI_GETTEXTLENGTH 2183
#define SCI_SETOVERTYPE 2186
#define SCI_GETOVERTYPE 2187
#define SCI_SETTARGETSTART 2190
#define SCI_GETTARGETSTART 2191
#define SCI_SETTARGETEND 2192
#define SCI_GETTARGETEND 2193
#define SCI_REPLACETARGET 2194
#define SCI_REPLACETARGETRE 2195
#define SCI_SEARCHINTARGET 2197
#define SCI_SETSEARCHFLAGS 2198
#define SCI_GETSEARCHFLAGS 2199
#define SCI_TARGETFROMSELECTION 2287
#define SCI_LINELENGTH 2350
#define SCI_BRACEHIGHLIGHT 2351
#define SCI_BRACEMATCH 2353
#define SCI_GETVIEWEOL 2355
#define SCI_SETVIEWEOL 2356
#define SCI_SETMODEVENTMASK 2359
#define SCI_GETMODEVENTMASK 2378
#define SCI_LINESONSCREEN 2370
#define SCI_SETZOOM 2373
#define SCI_GETZOOM 2374
#define SCI_ZOOMIN 2333
#define SCI_ZOOMOUT 2334
#define SCI_SETXOFFSET 2397
#define SCI_GETXOFFSET 2398
#define SCI_SETPRINTWRAPMODE 2406
#define SCI_GETPRINTWRAPMODE 2407

// ---- Undo grouping, caret ------------------------------------------------------------------
#define SCI_BEGINUNDOACTION 2078
#define SCI_ENDUNDOACTION 2079
#define SCI_GETCARETPERIOD 2075
#define SCI_SETCARETPERIOD 2076

// ---- Styles --------------------------------------------------------------------------------
#define SCI_STYLECLEARALL 2050
#define SCI_STYLESETFORE 2051
#define SCI_STYLESETBACK 2052
#define SCI_STYLESETBOLD 2053
#define SCI_STYLESETITALIC 2054
#define SCI_STYLESETSIZE 2055
#define SCI_STYLESETFONT 2056
#define SCI_STYLESETUNDERLINE 2059
#define SCI_SETSELFORE 2067
#define SCI_SETSELBACK 2068
#define SCI_SETSTYLEBITS 2090
#define SCI_GETSTYLEBITS 2091
#define SCI_TEXTWIDTH 2276
#define SCI_TEXTHEIGHT 2279
#define SCI_SETVSCROLLBAR 2280
#define SCI_GETVSCROLLBAR 2281

#define STYLE_DEFAULT 32
#define STYLE_LINENUMBER 33
#define STYLE_BRACELIGHT 34
#define STYLE_MAX 34

// ---- Margins and markers -------------------------------------------------------------------
#define SCI_MARKERDEFINE 2040
#define SCI_MARKERSETFORE 2041
#define SCI_MARKERSETBACK 2042
#define SCI_MARKERADD 2043
#define SCI_MARKERDELETE 2044
#define SCI_MARKERDELETEALL 2045
#define SCI_MARKERGET 2046
#define SCI_MARKERNEXT 2047
#define SCI_MARKERPREVIOUS 2048
#define SCI_SETMARGINTYPEN 2240
#define SCI_GETMARGINTYPEN 2241
#define SCI_SETMARGINWIDTHN 2242
#define SCI_GETMARGINWIDTHN 2243
#define SCI_SETMARGINMASKN 2244
#define SCI_GETMARGINMASKN 2245
#define SCI_SETMARGINSENSITIVEN 2246
#define SCI_GETMARGINSENSITIVEN 2247
#define SCI_GETFOLDLEVEL 2223
#define SCI_TOGGLEFOLD 2231

#define SC_MARK_CIRCLE 0
#define SC_MARK_ROUNDRECT 1
#define SC_MARK_ARROW 2
#define SC_MARK_SMALLRECT 3
#define SC_MARK_SHORTARROW 4
#define SC_MARK_EMPTY 5
#define MARKER_MAX 31

#define SC_MARGIN_SYMBOL 0
#define SC_MARGIN_NUMBER 1
#define SC_MASK_FOLDERS 0xFE000000
#define SC_FOLDLEVELBASE 0x400

// ---- Lexer ---------------------------------------------------------------------------------
#define SCI_SETLEXER 4001
#define SCI_GETLEXER 4002
#define SCI_COLOURISE 4003
#define SCLEX_CONTAINER 0

// ---- Private messages: style attributes read back ------------------------------------------
#define EDM_GETSTYLESIZE 5101       // (style, 0): size in points
#define EDM_GETSTYLEFONT 5102       // (style, char[64]): font name, NUL-terminated ANSI
#define EDM_GETSTYLEFORE 5103       // (style, 0): COLORREF
#define EDM_GETSTYLEBACK 5104       // (style, 0): COLORREF
#define EDM_GETSTYLEBOLD 5105       // (style, 0): flag
#define EDM_GETSTYLEITALIC 5106     // (style, 0): flag
#define EDM_GETSTYLEUNDERLINE 5107  // (style, 0): flag
#define EDM_STYLEFONT_BUFFER 64

// ---- Flags ---------------------------------------------------------------------------------
#define SCFIND_WHOLEWORD 2
#define SCFIND_MATCHCASE 4
#define SCFIND_WORDSTART 0x00100000
#define SCFIND_REGEXP 0x00200000

#define SC_EOL_CRLF 0
#define SC_EOL_CR 1
#define SC_EOL_LF 2

#define SC_WRAP_NONE 0
#define SC_WRAP_WORD 1

// Print colour modes: 3 prints the colours with the default background white; 4 makes every
// background white.
#define SC_PRINT_NORMAL 0
#define SC_PRINT_INVERTLIGHT 1
#define SC_PRINT_BLACKONWHITE 2
#define SC_PRINT_COLOURONWHITEDEFAULTBG 3
#define SC_PRINT_COLOURONWHITE 4

#define SC_MOD_INSERTTEXT 0x1
#define SC_MOD_DELETETEXT 0x2
#define SC_MOD_CHANGESTYLE 0x4
#define SC_MOD_CHANGEMARKER 0x200
#define SC_PERFORMED_USER 0x10
#define SC_PERFORMED_UNDO 0x20
#define SC_PERFORMED_REDO 0x40
#define SC_MOD_BEFOREINSERT 0x400
#define SC_MOD_BEFOREDELETE 0x800
#define SC_MODEVENTMASKALL 0xFFF

#define SCZOOM_MIN (-10)
#define SCZOOM_MAX 20

// ---- Notifications (WM_NOTIFY to the parent, the record below) -----------------------------
#define SCN_STYLENEEDED 2000
#define SCN_CHARADDED 2001
#define SCN_MODIFYATTEMPTRO 2004
#define SCN_DOUBLECLICK 2006
#define SCN_UPDATEUI 2007
#define SCN_MODIFIED 2008
#define SCN_MARGINCLICK 2010
#define SCN_CLICK 2012  // sent by the hosting wrapper, never by the control
#define SCN_ZOOM 2018

// Private notifications.
#define EDN_RESTYLERANGE 5301      // position, length: text whose lines should be styled again
#define EDN_FIRSTLINECHANGED 5302  // line: new first visible line
#define EDN_INSERTBEGIN 5304       // a burst of modifications that inserts text begins ...
#define EDN_INSERTEND 5305         // ... and ends
#define EDN_DELETEBEGIN 5306       // a burst of modifications that removes text begins ...
#define EDN_DELETEEND 5307         // ... and ends
#define EDN_CONTEXTMENU 5308       // x, y: screen point; wParam 1 on the way out, 0 once handled

// ---- Records (x64 layout: int is 32 bits, pointers and HDCs 64) ----------------------------
struct CharacterRange {
  long cpMin;
  long cpMax;
};

struct TextRange {
  CharacterRange chrg;
  char* lpstrText;
};

struct TextToFind {
  CharacterRange chrg;  // cpMin > cpMax searches backwards
  const char* lpstrText;
  CharacterRange chrgText;  // the match
};

struct FormatRect {
  int left;
  int top;
  int right;
  int bottom;
};

struct RangeToFormat {
  HDC hdc;
  HDC hdcTarget;
  FormatRect rc;
  FormatRect rcPage;
  CharacterRange chrg;
};

struct NotifyHeader {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};

struct SCNotification {
  NotifyHeader nmhdr;
  int position;
  int ch;
  int modifiers;
  int modificationType;
  const char* text;
  int length;
  int linesAdded;
  int message;
  uintptr_t wParam;
  intptr_t lParam;
  int line;
  int foldLevelNow;
  int foldLevelPrev;
  int margin;
  int listType;
  int x;
  int y;
  int token;
  int annotationLinesAdded;
  int updated;
};

static_assert(sizeof(NotifyHeader) == sizeof(NMHDR), "NotifyHeader mirrors NMHDR");
static_assert(sizeof(CharacterRange) == 8, "32-bit positions");
static_assert(sizeof(TextToFind) == 24, "x64 layout");
static_assert(sizeof(RangeToFormat) == 56, "x64 layout");
static_assert(offsetof(SCNotification, position) == 24, "x64 layout");
static_assert(offsetof(SCNotification, text) == 40, "x64 layout");
static_assert(offsetof(SCNotification, wParam) == 64, "x64 layout");
static_assert(offsetof(SCNotification, line) == 80, "x64 layout");
static_assert(sizeof(SCNotification) == 120, "x64 layout");
