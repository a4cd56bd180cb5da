// Messages of the editing control that concern markers, margins and folding.
#include "EditorView.h"

#include <algorithm>

LRESULT EditorView::MarkerMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled) {
  const int iw = static_cast<int>(wp);
  const int il = static_cast<int>(lp);
  switch (msg) {
    case SCI_MARKERDEFINE:
      if (iw < 0 || iw > MARKER_MAX) return 0;
      markers_[iw].symbol = il;
      Redraw();
      return 0;
    case SCI_MARKERSETFORE:
      if (iw >= 0 && iw <= MARKER_MAX) markers_[iw].fore = static_cast<COLORREF>(lp) & 0xFFFFFF;
      Redraw();
      return 0;
    case SCI_MARKERSETBACK:
      if (iw >= 0 && iw <= MARKER_MAX) markers_[iw].back = static_cast<COLORREF>(lp) & 0xFFFFFF;
      Redraw();
      return 0;
    case SCI_MARKERADD:
      return doc_.MarkerAdd(iw, il);
    case SCI_MARKERDELETE:
      doc_.MarkerDelete(iw, il);
      return 0;
    case SCI_MARKERDELETEALL:
      doc_.MarkerDeleteAll(iw);
      return 0;
    case SCI_MARKERGET:
      return doc_.MarkerGet(iw);
    case SCI_MARKERNEXT:
      return doc_.MarkerNext(iw, il);
    case SCI_MARKERPREVIOUS:
      return doc_.MarkerPrevious(iw, il);
    case SCI_SETMARGINTYPEN:
    case SCI_SETMARGINWIDTHN:
    case SCI_SETMARGINMASKN:
    case SCI_SETMARGINSENSITIVEN: {
      if (iw < 0 || iw > 2) return 0;
      Margin& m = margins_[iw];
      if (msg == SCI_SETMARGINTYPEN) m.type = il == SC_MARGIN_NUMBER ? SC_MARGIN_NUMBER : SC_MARGIN_SYMBOL;
      if (msg == SCI_SETMARGINWIDTHN) m.width = std::max(0, il);
      if (msg == SCI_SETMARGINMASKN) m.mask = il;
      if (msg == SCI_SETMARGINSENSITIVEN) m.sensitive = lp != 0;
      Redraw();
      UpdateScrollBars();
      return 0;
    }
    case SCI_GETMARGINTYPEN:
      return iw >= 0 && iw <= 2 ? margins_[iw].type : 0;
    case SCI_GETMARGINWIDTHN:
      return iw >= 0 && iw <= 2 ? margins_[iw].width : 0;
    case SCI_GETMARGINMASKN:
      return iw >= 0 && iw <= 2 ? margins_[iw].mask : 0;
    case SCI_GETMARGINSENSITIVEN:
      return iw >= 0 && iw <= 2 ? margins_[iw].sensitive : 0;
    case SCI_GETFOLDLEVEL:
      return SC_FOLDLEVELBASE;  // no fold points: every line is at the base level
    case SCI_TOGGLEFOLD:
      return 0;  // nothing folds
  }
  *handled = false;
  return 0;
}
