// Messages of the editing control that concern the view: scrolling, zoom, tabs and indentation, the
// caret blink, overtype and printing.
#include "EditorView.h"

#include <algorithm>

LRESULT EditorView::ViewMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled) {
  const int iw = static_cast<int>(wp);
  const int il = static_cast<int>(lp);
  switch (msg) {
    case SCI_SETTABWIDTH:
      doc_.SetTabWidth(iw);
      Redraw();
      return 0;
    case SCI_GETTABWIDTH:
      return doc_.TabWidth();
    case SCI_SETINDENT:
      indent_ = std::max(0, iw);
      return 0;
    case SCI_GETINDENT:
      return indent_;
    case SCI_SETHSCROLLBAR:
      hScrollBar_ = wp != 0;
      UpdateScrollBars();
      return 0;
    case SCI_GETHSCROLLBAR:
      return hScrollBar_;
    case SCI_SETVSCROLLBAR:
      vScrollBar_ = wp != 0;
      UpdateScrollBars();
      return 0;
    case SCI_GETVSCROLLBAR:
      return vScrollBar_;
    case SCI_SETPRINTMAGNIFICATION:
      printMagnification_ = iw;
      return 0;
    case SCI_GETPRINTMAGNIFICATION:
      return printMagnification_;
    case SCI_SETPRINTCOLOURMODE:
      printColourMode_ = iw;
      return 0;
    case SCI_GETPRINTCOLOURMODE:
      return printColourMode_;
    case SCI_SETPRINTWRAPMODE:
      printWrapMode_ = iw == SC_WRAP_WORD ? SC_WRAP_WORD : SC_WRAP_NONE;
      return 0;
    case SCI_GETPRINTWRAPMODE:
      return printWrapMode_;
    case SCI_FORMATRANGE:
      return FormatRange(wp != 0, reinterpret_cast<RangeToFormat*>(lp));
    case SCI_GETFIRSTVISIBLELINE:
      return topLine_;
    case SCI_LINESCROLL:
      EnsureFonts();
      SetXOffset(xOffset_ + iw * screenFonts_.Font(STYLE_DEFAULT).widths[' ']);
      SetTopLine(topLine_ + il);
      return 0;
    case SCI_SCROLLCARET:
      ScrollCaret();
      return 0;
    case SCI_SETOVERTYPE:
      overtype_ = wp != 0;
      Redraw();
      return 0;
    case SCI_GETOVERTYPE:
      return overtype_;
    case SCI_GETVIEWEOL:
      return viewEol_;
    case SCI_SETVIEWEOL:
      viewEol_ = wp != 0;
      Redraw();
      return 0;
    case SCI_LINESONSCREEN:
      return LinesOnScreen();
    case SCI_SETZOOM:
      SetZoom(iw);
      return 0;
    case SCI_GETZOOM:
      return zoom_;
    case SCI_ZOOMIN:
      if (zoom_ < SCZOOM_MAX) SetZoom(zoom_ + 1);
      return 0;
    case SCI_ZOOMOUT:
      if (zoom_ > SCZOOM_MIN) SetZoom(zoom_ - 1);
      return 0;
    case SCI_SETXOFFSET:
      SetXOffset(iw);
      return 0;
    case SCI_GETXOFFSET:
      return xOffset_;
    case SCI_SETCARETPERIOD:
      caretPeriod_ = std::max(0, iw);
      RestartCaretBlink();
      return 0;
    case SCI_GETCARETPERIOD:
      return caretPeriod_;
  }
  *handled = false;
  return 0;
}
