// Painting the control (double-buffered by the caller) and laying out text for printing.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "EditorView.h"

namespace {

COLORREF Invert(COLORREF c) { return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c)); }

}  // namespace

// ---- Drawing -----------------------------------------------------------------------------

void EditorView::Paint(HDC dc, const RECT& client) {
  EnsureFonts();
  painting_ = true;
  int lh = LineHeight();
  int first = topLine_;
  int last = std::min(doc_.LineCount() - 1, first + (static_cast<int>(client.bottom) + lh - 1) / lh);
  EnsureStyledTo(last + 1 < doc_.LineCount() ? doc_.LineStart(last + 1) : doc_.Length());

  const StyleDef& def = styles_.Get(STYLE_DEFAULT);
  HBRUSH back = CreateSolidBrush(def.back);
  RECT text = client;
  text.left = TextLeft() - kTextGap;
  FillRect(dc, &text, back);
  DeleteObject(back);
  SetBkMode(dc, OPAQUE);
  HGDIOBJ oldFont = SelectObject(dc, screenFonts_.Font(STYLE_DEFAULT).font);
  for (int line = first; line <= last; ++line)
    PaintLine(dc, line, (line - first) * lh, lh, TextLeft() - kTextGap, client.right);
  PaintMargins(dc, first, last, lh);

  if (focused_ && caretOn_) {
    int line = doc_.LineFromPosition(caret_);
    if (line >= first && line <= last) {
      int x = XOfPosition(caret_);
      int y = (line - first) * lh;
      if (x >= TextLeft() - 1) {
        HBRUSH caret = CreateSolidBrush(def.fore);
        RECT rc = {x, y, x + 1, y + lh};
        if (overtype_) {
          int w = screenFonts_.Font(STYLE_DEFAULT).widths['m'];
          rc = RECT{x, y + lh - 2, x + std::max(2, w), y + lh};
        }
        FillRect(dc, &rc, caret);
        DeleteObject(caret);
      }
    }
  }
  SelectObject(dc, oldFont);
  painting_ = false;
}

void EditorView::PaintLine(HDC dc, int line, int y, int height, int left, int right) {
  int start = doc_.LineStart(line);
  int end = doc_.LineEnd(line);
  int n = end - start;
  int x0 = TextLeft() - xOffset_;
  int selS = SelStart(), selE = SelEnd();
  std::string text = doc_.GetRange(start, end);
  std::vector<unsigned char> st(n + 1);
  doc_.CopyStyles(st.data(), start, end);
  int tabPixels = std::max(1, doc_.TabWidth() * screenFonts_.Font(STYLE_DEFAULT).widths[' ']);
  int baseline = y + screenFonts_.Ascent();
  std::vector<INT> dx(n + 1);
  int cx = 0;  // relative to x0
  int i = 0;
  while (i < n) {
    int p = start + i;
    int style = (p == braceA_ || p == braceB_) ? STYLE_BRACELIGHT : StyleOf(st[i], doc_.StyleBits());
    bool selected = p >= selS && p < selE;
    bool tab = text[i] == '\t';
    int j = i;
    int w = 0;
    const MeasuredFont& f = screenFonts_.Font(style);
    if (tab) {
      w = (cx / tabPixels + 1) * tabPixels - cx;
      j = i + 1;
    } else {
      while (j < n && text[j] != '\t' && j - i < 512) {
        int q = start + j;
        int s2 = (q == braceA_ || q == braceB_) ? STYLE_BRACELIGHT : StyleOf(st[j], doc_.StyleBits());
        if (s2 != style || (q >= selS && q < selE) != selected) break;
        dx[j - i] = f.widths[static_cast<unsigned char>(text[j])];
        w += dx[j - i];
        ++j;
      }
    }
    int x = x0 + cx;
    if (x + w > left && x < right) {
      const StyleDef& sd = styles_.Get(style);
      COLORREF fore = selected && selForeUsed_ ? selFore_ : sd.fore;
      COLORREF bk = selected ? (selBackUsed_ ? selBack_ : RGB(0xC0, 0xC0, 0xC0)) : sd.back;
      RECT rc = {std::max(x, left), y, std::min(x + w, right), y + height};
      SetTextColor(dc, fore);
      SetBkColor(dc, bk);
      SelectObject(dc, f.font);
      if (tab)
        ExtTextOutA(dc, x, baseline - f.ascent, ETO_OPAQUE | ETO_CLIPPED, &rc, "", 0, nullptr);
      else
        ExtTextOutA(dc, x, baseline - f.ascent, ETO_OPAQUE | ETO_CLIPPED, &rc, text.data() + i,
                    static_cast<UINT>(j - i), dx.data());
    }
    cx += w;
    i = j;
  }
  // A selection running over the line end shows as a space-wide block after the text.
  int next = line + 1 < doc_.LineCount() ? doc_.LineStart(line + 1) : doc_.Length();
  if (next > end && selS <= end && selE > end) {
    int x = x0 + cx;
    RECT rc = {std::max(x, left), y, std::min(x + screenFonts_.Font(STYLE_DEFAULT).widths[' '], right), y + height};
    if (rc.right > rc.left) {
      HBRUSH b = CreateSolidBrush(selBackUsed_ ? selBack_ : RGB(0xC0, 0xC0, 0xC0));
      FillRect(dc, &rc, b);
      DeleteObject(b);
    }
  }
  // Visible line ends: their names in reversed default colours.
  if (viewEol_ && next > end) {
    std::string eol = doc_.GetRange(end, next);
    const char* name = eol == "\r\n" ? "CRLF" : (eol == "\r" ? "CR" : "LF");
    const StyleDef& def = styles_.Get(STYLE_DEFAULT);
    const MeasuredFont& f = screenFonts_.Font(STYLE_DEFAULT);
    int len = static_cast<int>(std::strlen(name));
    int x = x0 + cx + 2;
    int w = screenFonts_.TextWidth(STYLE_DEFAULT, name, len);
    RECT rc = {std::max(x, left), y + 1, std::min(x + w, right), y + height - 1};
    if (rc.right > rc.left) {
      SelectObject(dc, f.font);
      SetTextColor(dc, def.back);
      SetBkColor(dc, def.fore);
      ExtTextOutA(dc, x, baseline - f.ascent, ETO_OPAQUE | ETO_CLIPPED, &rc, name, static_cast<UINT>(len), nullptr);
    }
    cx += w + 4;
  }
  if (cx + 64 > scrollWidth_) scrollWidth_ = cx + 64;
}

void EditorView::PaintMargins(HDC dc, int firstLine, int lastLine, int height) {
  const StyleDef& ln = styles_.Get(STYLE_LINENUMBER);
  const MeasuredFont& f = screenFonts_.Font(STYLE_LINENUMBER);
  RECT client;
  GetClientRect(hwnd_, &client);
  int x = 0;
  for (const Margin& m : margins_) {
    if (m.width <= 0) continue;
    RECT rc = {x, 0, x + m.width, client.bottom};
    HBRUSH b = CreateSolidBrush(ln.back);
    FillRect(dc, &rc, b);
    DeleteObject(b);
    for (int line = firstLine; line <= lastLine; ++line) {
      int y = (line - firstLine) * height;
      RECT cell = {x, y, x + m.width, y + height};
      if (m.type == SC_MARGIN_NUMBER) {
        char num[16];
        int len = wsprintfA(num, "%d", line + 1);
        int w = screenFonts_.TextWidth(STYLE_LINENUMBER, num, len);
        SelectObject(dc, f.font);
        SetTextColor(dc, ln.fore);
        SetBkColor(dc, ln.back);
        ExtTextOutA(dc, x + m.width - w - 3, y + screenFonts_.Ascent() - f.ascent, ETO_CLIPPED, &cell, num,
                    static_cast<UINT>(len), nullptr);
      }
      int marks = doc_.MarkerGet(line) & m.mask;
      for (int k = 0; marks && k <= MARKER_MAX; ++k) {
        if (marks & (1 << k)) DrawMarker(dc, k, cell);
      }
    }
    x += m.width;
  }
}

void EditorView::DrawMarker(HDC dc, int marker, const RECT& rc) {
  const MarkerDef& md = markers_[marker];
  if (md.symbol == SC_MARK_EMPTY) return;
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  int size = std::max(4, std::min(w, h) - 4);
  int cx = rc.left + w / 2, cy = rc.top + h / 2;
  int r = size / 2;
  HPEN pen = CreatePen(PS_SOLID, 1, md.fore);
  HBRUSH brush = CreateSolidBrush(md.back);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  switch (md.symbol) {
    case SC_MARK_ROUNDRECT:
      RoundRect(dc, cx - r, cy - r / 2 - 1, cx + r, cy + r / 2 + 1, 4, 4);
      break;
    case SC_MARK_ARROW: {
      POINT pts[] = {{cx - r / 2, cy - r}, {cx + r / 2 + 1, cy}, {cx - r / 2, cy + r}};
      Polygon(dc, pts, 3);
      break;
    }
    case SC_MARK_SMALLRECT:
      Rectangle(dc, cx - r / 2, cy - r / 2, cx + r / 2 + 1, cy + r / 2 + 1);
      break;
    case SC_MARK_SHORTARROW: {
      int t = std::max(1, r / 3);
      POINT pts[] = {{cx - r, cy - t}, {cx, cy - t}, {cx, cy - r + 1}, {cx + r - 1, cy},
                     {cx, cy + r - 1}, {cx, cy + t}, {cx - r, cy + t}};
      Polygon(dc, pts, 7);
      break;
    }
    default:  // circle
      Ellipse(dc, cx - r, cy - r, cx + r + 1, cy + r + 1);
      break;
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

// Lays out text from chrg.cpMin into rc of the given device, a line per row (or wrapped at
// words), and answers the first position that did not fit. At least one row is taken, so a
// caller paging through the text always advances.
LRESULT EditorView::FormatRange(bool draw, RangeToFormat* fr) {
  if (!fr) return 0;
  HDC target = fr->hdcTarget ? fr->hdcTarget : fr->hdc;
  HDC dc = fr->hdc ? fr->hdc : target;
  if (!target) return 0;
  int cpMin = doc_.Clamp(fr->chrg.cpMin);
  int cpMax = fr->chrg.cpMax < 0 ? doc_.Length() : doc_.Clamp(fr->chrg.cpMax);
  if (cpMin >= cpMax) return cpMax;
  EnsureStyledTo(cpMax);

  FontSet fonts;
  fonts.Realise(target, styles_, printMagnification_);
  int lh = std::max(1, fonts.LineHeight());
  const int left = fr->rc.left, right = fr->rc.right;
  const int width = std::max(1, right - left);
  const int styleBits = doc_.StyleBits();
  const COLORREF defaultBack = styles_.Get(STYLE_DEFAULT).back;
  auto foreOf = [&](int style) {
    COLORREF c = styles_.Get(style).fore;
    if (printColourMode_ == SC_PRINT_INVERTLIGHT) return Invert(c);
    if (printColourMode_ == SC_PRINT_BLACKONWHITE) return RGB(0, 0, 0);
    return c;
  };
  auto backOf = [&](int style) {
    COLORREF c = styles_.Get(style).back;
    switch (printColourMode_) {
      case SC_PRINT_INVERTLIGHT: return Invert(c);
      case SC_PRINT_BLACKONWHITE:
      case SC_PRINT_COLOURONWHITE: return RGB(255, 255, 255);
      case SC_PRINT_COLOURONWHITEDEFAULTBG: return c == defaultBack ? RGB(255, 255, 255) : c;
      default: return c;
    }
  };
  int tabPixels = std::max(1, doc_.TabWidth() * fonts.Font(STYLE_DEFAULT).widths[' ']);

  int saved = 0;
  if (draw) {
    saved = SaveDC(dc);
    SetBkMode(dc, OPAQUE);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
  }
  int y = fr->rc.top;
  int pos = cpMin;
  bool any = false;
  std::vector<INT> dx;
  while (pos < cpMax) {
    int line = doc_.LineFromPosition(pos);
    int lineStart = doc_.LineStart(line);
    int lineEnd = std::min(doc_.LineEnd(line), cpMax);
    int next = line + 1 < doc_.LineCount() ? std::min(doc_.LineStart(line + 1), cpMax) : cpMax;
    std::string text = doc_.GetRange(pos, lineEnd);
    std::vector<unsigned char> st(text.size() + 1);
    doc_.CopyStyles(st.data(), pos, lineEnd);
    int n = static_cast<int>(text.size());
    auto widthAt = [&](int i, int cx) {
      unsigned char c = static_cast<unsigned char>(text[i]);
      if (c == '\t') return (cx / tabPixels + 1) * tabPixels - cx;
      return fonts.Font(StyleOf(st[i], styleBits)).widths[c];
    };
    (void)lineStart;
    int rowStart = 0;
    do {
      // Find the end of this row.
      int rowEnd = n;
      if (printWrapMode_ == SC_WRAP_WORD) {
        int cx = 0, lastBreak = -1;
        for (int i = rowStart; i < n; ++i) {
          int w = widthAt(i, cx);
          if (cx + w > width && i > rowStart) {
            rowEnd = lastBreak > rowStart ? lastBreak : i;
            break;
          }
          cx += w;
          if (text[i] == ' ' || text[i] == '\t') lastBreak = i + 1;
        }
      }
      if (any && y + lh > fr->rc.bottom) {
        if (draw) RestoreDC(dc, saved);
        return pos + rowStart;
      }
      if (draw) {
        HBRUSH b = CreateSolidBrush(backOf(STYLE_DEFAULT));
        RECT row = {left, y, right, std::min(y + lh, static_cast<int>(fr->rc.bottom))};
        FillRect(dc, &row, b);
        DeleteObject(b);
        int cx = 0;
        for (int i = rowStart; i < rowEnd;) {
          int style = StyleOf(st[i], styleBits);
          const MeasuredFont& f = fonts.Font(style);
          int j = i, w = 0;
          dx.assign(rowEnd - i + 1, 0);
          while (j < rowEnd && StyleOf(st[j], styleBits) == style && (j == i || text[j] != '\t') &&
                 text[i] != '\t') {
            dx[j - i] = widthAt(j, cx + w);
            w += dx[j - i];
            ++j;
          }
          if (j == i) {  // a tab
            w = widthAt(i, cx);
            j = i + 1;
          }
          RECT rc = {left + cx, y, std::min(left + cx + w, right), std::min(y + lh, static_cast<int>(fr->rc.bottom))};
          if (rc.right > rc.left) {
            SelectObject(dc, f.font);
            SetTextColor(dc, foreOf(style));
            SetBkColor(dc, backOf(style));
            if (text[i] == '\t')
              ExtTextOutA(dc, left + cx, y, ETO_OPAQUE | ETO_CLIPPED, &rc, "", 0, nullptr);
            else
              ExtTextOutA(dc, left + cx, y + fonts.Ascent() - f.ascent, ETO_OPAQUE | ETO_CLIPPED, &rc,
                          text.data() + i, static_cast<UINT>(j - i), dx.data());
          }
          cx += w;
          i = j;
        }
      }
      y += lh;
      any = true;
      rowStart = rowEnd;
    } while (rowStart < n);
    if (next <= pos) break;
    pos = next;
  }
  if (draw) RestoreDC(dc, saved);
  return std::min(pos, cpMax);
}
