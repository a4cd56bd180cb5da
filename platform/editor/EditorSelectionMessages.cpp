// Messages of the editing control that concern the caret and the selection, and the positions of
// lines and points.
#include "EditorView.h"

#include <algorithm>

LRESULT EditorView::SelectionMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled) {
  const int iw = static_cast<int>(wp);
  const int il = static_cast<int>(lp);
  switch (msg) {
    case SCI_GETCURRENTPOS:
      return caret_;
    case SCI_GETANCHOR:
      return anchor_;
    case SCI_SELECTALL:
      SetSelection(0, doc_.Length(), false);
      return 0;
    case SCI_POSITIONFROMPOINT:
      return PositionFromPoint(iw, il, true);
    case SCI_GOTOLINE: {
      int line = std::max(0, std::min(iw, doc_.LineCount() - 1));
      int pos = doc_.LineStart(line);
      SetSelection(pos, pos);
      return 0;
    }
    case SCI_GOTOPOS:
      SetSelection(iw, iw);
      return 0;
    case SCI_SETANCHOR:
      SetSelection(iw, caret_, false);
      return 0;
    case SCI_GETCOLUMN:
      return doc_.Column(iw);
    case SCI_GETLINEENDPOSITION:
      return doc_.LineEnd(iw);
    case SCI_SETCURRENTPOS:
      SetSelection(anchor_, iw);
      return 0;
    case SCI_SETSELECTIONSTART: {
      int pos = doc_.Clamp(iw);
      SetSelection(pos, std::max(pos, caret_));
      return 0;
    }
    case SCI_GETSELECTIONSTART:
      return SelStart();
    case SCI_SETSELECTIONEND: {
      int pos = doc_.Clamp(iw);
      SetSelection(std::min(anchor_, pos), pos);
      return 0;
    }
    case SCI_GETSELECTIONEND:
      return SelEnd();
    case SCI_SETSEL: {
      int caret = il < 0 ? doc_.Length() : il;
      int anchor = iw < 0 ? caret : iw;
      SetSelection(anchor, caret);
      return 0;
    }
    case SCI_GETSELTEXT: {
      int len = SelEnd() - SelStart();
      if (lp) {
        char* out = reinterpret_cast<char*>(lp);
        doc_.CopyRange(out, SelStart(), SelEnd());
        out[len] = '\0';
      }
      return len + 1;
    }
    case SCI_POINTXFROMPOSITION:
      return XOfPosition(il);
    case SCI_POINTYFROMPOSITION:
      return (doc_.LineFromPosition(il) - topLine_) * LineHeight();
    case SCI_LINEFROMPOSITION:
      return doc_.LineFromPosition(iw);
    case SCI_POSITIONFROMLINE:
      return doc_.LineStart(iw);
  }
  *handled = false;
  return 0;
}
