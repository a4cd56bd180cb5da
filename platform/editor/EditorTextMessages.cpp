// Messages of the editing control that concern the text itself: reading and changing it, undo, the
// clipboard, line ends and the read-only state.
#include "EditorView.h"

#include <algorithm>
#include <cstring>

LRESULT EditorView::TextMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled) {
  const int iw = static_cast<int>(wp);
  const char* text = reinterpret_cast<const char*>(lp);
  switch (msg) {
    case SCI_ADDTEXT:
      if (text && iw > 0) ReplaceSelection(text, iw, false);
      return 0;
    case SCI_INSERTTEXT: {
      if (!text) return 0;
      int pos = iw < 0 ? caret_ : doc_.Clamp(iw);
      doc_.InsertText(pos, text, static_cast<int>(std::strlen(text)));
      return 0;
    }
    case SCI_CLEARALL:
      if (doc_.ReadOnly()) return DocModifyAttemptReadOnly(), 0;
      BeginBurst(false);
      doc_.DeleteRange(0, doc_.Length());
      SetSelection(0, 0);
      EndBurst();
      return 0;
    case SCI_GETLENGTH:
    case SCI_GETTEXTLENGTH:
      return doc_.Length();
    case SCI_GETCHARAT:
      return static_cast<unsigned char>(doc_.CharAt(iw));
    case SCI_SETUNDOCOLLECTION:
      doc_.SetUndoCollection(wp != 0);
      return 0;
    case SCI_GETUNDOCOLLECTION:
      return doc_.UndoCollection();
    case SCI_CONVERTEOLS:
      if (iw < 0 || iw > 2) return 0;
      BeginBurst(true);
      doc_.ConvertEols(static_cast<EolMode>(iw));
      EndBurst();
      return 0;
    case SCI_GETEOLMODE:
      return static_cast<int>(doc_.Eol());
    case SCI_SETEOLMODE:
      if (iw >= 0 && iw <= 2) doc_.SetEol(static_cast<EolMode>(iw));
      return 0;
    case SCI_GETREADONLY:
      return doc_.ReadOnly();
    case SCI_SETREADONLY:
      doc_.SetReadOnly(wp != 0);
      return 0;
    case SCI_GETLINE: {
      if (iw < 0 || iw >= doc_.LineCount()) return 0;
      int start = doc_.LineStart(iw);
      int len = doc_.LineLength(iw);
      if (lp) doc_.CopyRange(reinterpret_cast<char*>(lp), start, start + len);
      return len;
    }
    case SCI_GETLINECOUNT:
      return doc_.LineCount();
    case SCI_GETTEXTRANGE: {
      TextRange* tr = reinterpret_cast<TextRange*>(lp);
      if (!tr || !tr->lpstrText) return 0;
      int start = doc_.Clamp(tr->chrg.cpMin);
      int end = tr->chrg.cpMax < 0 ? doc_.Length() : doc_.Clamp(tr->chrg.cpMax);
      if (end < start) end = start;
      doc_.CopyRange(tr->lpstrText, start, end);
      tr->lpstrText[end - start] = '\0';
      return end - start;
    }
    case SCI_REPLACESEL:
      if (text) ReplaceSelection(text, static_cast<int>(std::strlen(text)), false);
      return 0;
    case SCI_CANPASTE:
      return CanPaste();
    case SCI_CANUNDO:
      return doc_.CanUndo() && !doc_.ReadOnly();
    case SCI_CANREDO:
      return doc_.CanRedo() && !doc_.ReadOnly();
    case SCI_EMPTYUNDOBUFFER:
      doc_.EmptyUndoBuffer();
      return 0;
    case SCI_UNDO:
      Undo();
      return 0;
    case SCI_REDO:
      Redo();
      return 0;
    case SCI_CUT:
      Cut();
      return 0;
    case SCI_COPY:
      Copy();
      return 0;
    case SCI_PASTE:
      Paste();
      return 0;
    case SCI_CLEAR:
      DeleteForward(false);
      return 0;
    case SCI_SETTEXT:
      SetText(text);
      return 0;
    case SCI_GETTEXT: {
      if (!lp) return doc_.Length();
      if (iw <= 0) return 0;
      int n = std::min(iw - 1, doc_.Length());
      char* out = reinterpret_cast<char*>(lp);
      doc_.CopyRange(out, 0, n);
      out[n] = '\0';
      return n;
    }
    case SCI_LINELENGTH:
      return doc_.LineLength(iw);
    case SCI_SETMODEVENTMASK:
      modEventMask_ = iw;
      return 0;
    case SCI_GETMODEVENTMASK:
      return modEventMask_;
    case SCI_BEGINUNDOACTION:
      doc_.BeginUndoAction();
      return 0;
    case SCI_ENDUNDOACTION:
      doc_.EndUndoAction();
      return 0;
  }
  *handled = false;
  return 0;
}
