// Messages of the editing control that concern searching: find, the target and its replacement,
// brace matching.
#include "EditorView.h"

LRESULT EditorView::SearchMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled) {
  const int iw = static_cast<int>(wp);
  const int il = static_cast<int>(lp);
  const char* text = reinterpret_cast<const char*>(lp);
  switch (msg) {
    case SCI_FINDTEXT: {
      TextToFind* ttf = reinterpret_cast<TextToFind*>(lp);
      if (!ttf) return -1;
      int len = 0;
      int p = doc_.Find(ttf->chrg.cpMin, ttf->chrg.cpMax, ttf->lpstrText, -1, iw, &len);
      if (p >= 0) {
        ttf->chrgText.cpMin = p;
        ttf->chrgText.cpMax = p + len;
      }
      return p;
    }
    case SCI_SETTARGETSTART:
      doc_.SetTargetStart(iw);
      return 0;
    case SCI_GETTARGETSTART:
      return doc_.TargetStart();
    case SCI_SETTARGETEND:
      doc_.SetTargetEnd(iw);
      return 0;
    case SCI_GETTARGETEND:
      return doc_.TargetEnd();
    case SCI_TARGETFROMSELECTION:
      doc_.SetTargetStart(SelStart());
      doc_.SetTargetEnd(SelEnd());
      return 0;
    case SCI_REPLACETARGET:
      return doc_.ReplaceTarget(text, text ? iw : 0);
    case SCI_REPLACETARGETRE:
      return doc_.ReplaceTargetRE(text, text ? iw : 0);
    case SCI_SEARCHINTARGET:
      return doc_.SearchInTarget(text, iw);
    case SCI_SETSEARCHFLAGS:
      doc_.SetSearchFlags(iw);
      return 0;
    case SCI_GETSEARCHFLAGS:
      return doc_.SearchFlags();
    case SCI_BRACEHIGHLIGHT:
      braceA_ = iw;
      braceB_ = il;
      Redraw();
      return 0;
    case SCI_BRACEMATCH:
      return doc_.BraceMatch(iw);
  }
  *handled = false;
  return 0;
}
