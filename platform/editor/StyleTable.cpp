#include "StyleTable.h"

#include <cstring>

void StyleTable::ResetAll() {
  for (StyleDef& s : styles_) s = StyleDef();
  styles_[STYLE_LINENUMBER].back = RGB(0xC0, 0xC0, 0xC0);
  styles_[STYLE_BRACELIGHT].fore = RGB(0, 0, 0xFF);
  styles_[STYLE_BRACELIGHT].bold = true;
}

void StyleTable::ClearAll() {
  for (int i = 0; i < kCount; ++i) {
    if (i != STYLE_DEFAULT) styles_[i] = styles_[STYLE_DEFAULT];
  }
}

void FontSet::Realise(HDC dc, const StyleTable& styles, int extraPoints) {
  Release();
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  if (dpi <= 0) dpi = 96;
  HGDIOBJ old = nullptr;
  // Styles sharing a description share the font object.
  for (int i = 0; i < StyleTable::kCount; ++i) {
    const StyleDef& s = styles.Get(i);
    int points = s.size + extraPoints;
    if (points < 2) points = 2;
    MeasuredFont& f = fonts_[i];
    for (int j = 0; j < i; ++j) {
      const StyleDef& o = styles.Get(j);
      if (o.size == s.size && o.bold == s.bold && o.italic == s.italic && o.underline == s.underline &&
          std::strcmp(o.font, s.font) == 0) {
        f = fonts_[j];
        borrowed_[i] = true;
        break;
      }
    }
    if (!borrowed_[i]) {
      LOGFONTA lf = {};
      lf.lfHeight = -MulDiv(points, dpi, 72);
      lf.lfWeight = s.bold ? FW_BOLD : FW_NORMAL;
      lf.lfItalic = s.italic;
      lf.lfUnderline = s.underline;
      lf.lfCharSet = DEFAULT_CHARSET;
      lf.lfQuality = DEFAULT_QUALITY;
      lstrcpynA(lf.lfFaceName, s.font, LF_FACESIZE);
      f.font = CreateFontIndirectA(&lf);
      HGDIOBJ prev = SelectObject(dc, f.font);
      if (!old) old = prev;
      TEXTMETRICA tm = {};
      GetTextMetricsA(dc, &tm);
      f.ascent = tm.tmAscent;
      f.descent = tm.tmDescent;
      if (!GetCharWidth32A(dc, 0, 255, f.widths)) {
        for (int& w : f.widths) w = tm.tmAveCharWidth;
      }
    }
    if (f.ascent > ascent_) ascent_ = f.ascent;
    if (f.descent > descent_) descent_ = f.descent;
  }
  if (old) SelectObject(dc, old);
  ready_ = true;
}

void FontSet::Release() {
  for (int i = 0; i < StyleTable::kCount; ++i) {
    if (fonts_[i].font && !borrowed_[i]) DeleteObject(fonts_[i].font);
    fonts_[i] = MeasuredFont();
    borrowed_[i] = false;
  }
  ascent_ = descent_ = 0;
  ready_ = false;
}

int FontSet::TextWidth(int style, const char* s, int len) const {
  const MeasuredFont& f = Font(style);
  int w = 0;
  for (int i = 0; i < len; ++i) w += f.widths[static_cast<unsigned char>(s[i])];
  return w;
}
