// Messages of the editing control that concern styles and styling: the style table, the style bytes
// of the text, selection colours and the lexer.
#include "EditorView.h"

#include <algorithm>
#include <cstring>

LRESULT EditorView::StyleMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled) {
  const int iw = static_cast<int>(wp);
  const int il = static_cast<int>(lp);
  const char* text = reinterpret_cast<const char*>(lp);
  switch (msg) {
    case SCI_CLEARDOCUMENTSTYLE:
      doc_.ClearStyles();
      return 0;
    case SCI_GETSTYLEAT:
      return doc_.StyleAt(iw);
    case SCI_GETENDSTYLED:
      return doc_.EndStyled();
    case SCI_STARTSTYLING:
      doc_.StartStyling(iw, il);
      return 0;
    case SCI_SETSTYLING:
      doc_.SetStyling(iw, il);
      return 0;
    case SCI_STYLECLEARALL:
      styles_.ClearAll();
      InvalidateFonts();
      return 0;
    case SCI_STYLESETFORE:
    case SCI_STYLESETBACK:
    case SCI_STYLESETBOLD:
    case SCI_STYLESETITALIC:
    case SCI_STYLESETSIZE:
    case SCI_STYLESETFONT:
    case SCI_STYLESETUNDERLINE: {
      StyleDef* s = styles_.Edit(iw);
      if (!s) return 0;
      // Setting what a style holds already changes nothing, and a colour changes no font: the
      // fonts, which a change makes anew for all styles, are kept (a host sets whole tables of
      // styles at start-up).
      const StyleDef before = *s;
      switch (msg) {
        case SCI_STYLESETFORE: s->fore = static_cast<COLORREF>(lp) & 0xFFFFFF; break;
        case SCI_STYLESETBACK: s->back = static_cast<COLORREF>(lp) & 0xFFFFFF; break;
        case SCI_STYLESETBOLD: s->bold = lp != 0; break;
        case SCI_STYLESETITALIC: s->italic = lp != 0; break;
        case SCI_STYLESETSIZE: s->size = std::max(1, std::min(il, 500)); break;
        case SCI_STYLESETUNDERLINE: s->underline = lp != 0; break;
        case SCI_STYLESETFONT:
          if (text) lstrcpynA(s->font, text, EDM_STYLEFONT_BUFFER);
          break;
      }
      if (SameStyle(before, *s)) return 0;
      if (msg == SCI_STYLESETFORE || msg == SCI_STYLESETBACK) Redraw();  // colours make no font
      else InvalidateFonts();
      return 0;
    }
    case EDM_GETSTYLESIZE:
      return styles_.Valid(iw) ? styles_.Get(iw).size : 0;
    case EDM_GETSTYLEFONT: {
      char* out = reinterpret_cast<char*>(lp);
      if (!out) return 0;
      out[0] = '\0';
      if (!styles_.Valid(iw)) return 0;
      lstrcpynA(out, styles_.Get(iw).font, EDM_STYLEFONT_BUFFER);
      return static_cast<LRESULT>(std::strlen(out));
    }
    case EDM_GETSTYLEFORE:
      return styles_.Valid(iw) ? styles_.Get(iw).fore : 0;
    case EDM_GETSTYLEBACK:
      return styles_.Valid(iw) ? styles_.Get(iw).back : 0;
    case EDM_GETSTYLEBOLD:
      return styles_.Valid(iw) ? styles_.Get(iw).bold : 0;
    case EDM_GETSTYLEITALIC:
      return styles_.Valid(iw) ? styles_.Get(iw).italic : 0;
    case EDM_GETSTYLEUNDERLINE:
      return styles_.Valid(iw) ? styles_.Get(iw).underline : 0;
    case SCI_SETSELFORE:
      selForeUsed_ = wp != 0;
      selFore_ = static_cast<COLORREF>(lp) & 0xFFFFFF;
      Redraw();
      return 0;
    case SCI_SETSELBACK:
      selBackUsed_ = wp != 0;
      selBack_ = static_cast<COLORREF>(lp) & 0xFFFFFF;
      Redraw();
      return 0;
    case SCI_SETSTYLEBITS:
      doc_.SetStyleBits(iw);
      Redraw();
      return 0;
    case SCI_GETSTYLEBITS:
      return doc_.StyleBits();
    case SCI_TEXTWIDTH: {
      if (!text || !styles_.Valid(iw)) return 0;
      EnsureFonts();
      return screenFonts_.TextWidth(iw, text, static_cast<int>(std::strlen(text)));
    }
    case SCI_TEXTHEIGHT:
      return LineHeight();
    case SCI_SETLEXER:
      lexer_ = iw;
      return 0;
    case SCI_GETLEXER:
      return lexer_;
    case SCI_COLOURISE:
      EnsureStyledTo(il < 0 ? doc_.Length() : doc_.Clamp(il));
      return 0;
  }
  *handled = false;
  return 0;
}
