// The styles of the editing control and their fonts realised for one device.
#pragma once

#include <windows.h>

#include "EditorMessages.h"

struct StyleDef {
  COLORREF fore = RGB(0, 0, 0);
  COLORREF back = RGB(255, 255, 255);
  int size = 10;  // points
  char font[EDM_STYLEFONT_BUFFER] = "Courier New";
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

inline bool SameStyle(const StyleDef& a, const StyleDef& b) {
  return a.fore == b.fore && a.back == b.back && a.size == b.size && lstrcmpA(a.font, b.font) == 0 &&
         a.bold == b.bold && a.italic == b.italic && a.underline == b.underline;
}

class StyleTable {
 public:
  static const int kCount = STYLE_MAX + 1;

  StyleTable() { ResetAll(); }
  void ResetAll();
  void ClearAll();  // every style becomes a copy of the default style
  bool Valid(int style) const { return style >= 0 && style < kCount; }
  const StyleDef& Get(int style) const { return styles_[Valid(style) ? style : STYLE_DEFAULT]; }
  StyleDef* Edit(int style) { return Valid(style) ? &styles_[style] : nullptr; }

 private:
  StyleDef styles_[kCount];
};

struct MeasuredFont {
  HFONT font = nullptr;
  int ascent = 0;
  int descent = 0;
  int widths[256] = {};
};

// Fonts of every style for one device context, at a size offset in points (zoom or print
// magnification) and the device's vertical resolution.
class FontSet {
 public:
  FontSet() = default;
  FontSet(const FontSet&) = delete;
  FontSet& operator=(const FontSet&) = delete;
  ~FontSet() { Release(); }

  void Realise(HDC dc, const StyleTable& styles, int extraPoints);
  void Release();
  bool Ready() const { return ready_; }
  const MeasuredFont& Font(int style) const { return fonts_[style >= 0 && style < StyleTable::kCount ? style : STYLE_DEFAULT]; }
  int Ascent() const { return ascent_; }
  int LineHeight() const { return ascent_ + descent_; }
  int TextWidth(int style, const char* s, int len) const;

 private:
  MeasuredFont fonts_[StyleTable::kCount];
  bool borrowed_[StyleTable::kCount] = {};  // shares the font object of an earlier style
  int ascent_ = 0;
  int descent_ = 0;
  bool ready_ = false;
};
