#include "EditorView.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const UINT_PTR kCaretTimer = 1;

}  // namespace

// ---- Class registration and the window procedure ------------------------------------------

bool EditorView::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
  wc.lpfnWndProc = WndProc;
  wc.cbWndExtra = sizeof(EditorView*);
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
  wc.lpszClassName = EDITOR_WINDOW_CLASS;
  return RegisterClassExW(&wc) != 0;
}

void EditorView::UnregisterWindowClass(HINSTANCE instance) { UnregisterClassW(EDITOR_WINDOW_CLASS, instance); }

LRESULT CALLBACK EditorView::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  EditorView* view = reinterpret_cast<EditorView*>(GetWindowLongPtrW(hwnd, 0));
  if (msg == WM_NCCREATE) {
    view = new EditorView(hwnd);
    SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(view));
  }
  if (!view) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    // A parent may destroy the control while handling one of its notifications: the view then
    // outlives the window until the message in hand is finished.
    SetWindowLongPtrW(hwnd, 0, 0);
    if (view->depth_ > 0)
      view->closing_ = true;
    else
      delete view;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return view->Message(msg, wp, lp);
}

EditorView::EditorView(HWND hwnd) : hwnd_(hwnd) {
  doc_.SetWatcher(this);
  margins_[0].type = SC_MARGIN_NUMBER;
  margins_[1].width = 16;
  margins_[1].mask = static_cast<int>(~SC_MASK_FOLDERS);
  margins_[2].mask = static_cast<int>(SC_MASK_FOLDERS);
}

EditorView::~EditorView() {
  doc_.SetWatcher(nullptr);
  if (buffer_) DeleteObject(buffer_);
}

LRESULT EditorView::Message(UINT msg, WPARAM wp, LPARAM lp) {
  ++depth_;
  bool handled = true;
  LRESULT r = EditorMessage(msg, wp, lp, &handled);
  if (!handled) r = WindowMessage(msg, wp, lp);
  if (depth_ == 1 && !closing_) {
    // What the parent does on these notices is answered before the message ends.
    for (int round = 0; round < 3 && updateUIPending_ && !closing_; ++round) FlushUpdateUI();
    if (scrollBarsDirty_ && !closing_) {
      // Scroll bars redraw with the next paint, once, however many edits changed them.
      scrollBarsDirty_ = false;
      if (!framePending_) {
        framePending_ = true;
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
      }
    }
  }
  if (--depth_ == 0 && closing_) delete this;
  return r;
}

// ---- Notifications -----------------------------------------------------------------------

void EditorView::Notify(SCNotification& scn) {
  HWND parent = GetParent(hwnd_);
  if (!parent) return;
  scn.nmhdr.hwndFrom = hwnd_;
  scn.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_));
  SendMessageW(parent, WM_NOTIFY, scn.nmhdr.idFrom, reinterpret_cast<LPARAM>(&scn));
}

void EditorView::NotifyCode(int code) {
  SCNotification scn = {};
  scn.nmhdr.code = code;
  Notify(scn);
}

void EditorView::BeginBurst(bool insert) {
  if (burstDepth_++ == 0) {
    burstInsert_ = insert;
    NotifyCode(insert ? EDN_INSERTBEGIN : EDN_DELETEBEGIN);
  }
}

void EditorView::EndBurst() {
  if (burstDepth_ > 0 && --burstDepth_ == 0) NotifyCode(burstInsert_ ? EDN_INSERTEND : EDN_DELETEEND);
}

void EditorView::FlushUpdateUI() {
  if (!updateUIPending_) return;
  updateUIPending_ = false;
  NotifyCode(SCN_UPDATEUI);
}

void EditorView::DocModifyAttemptReadOnly() { NotifyCode(SCN_MODIFYATTEMPTRO); }

void EditorView::DocChanged(const DocChange& c) {
  bool inserted = (c.type & SC_MOD_INSERTTEXT) != 0;
  bool deleted = (c.type & SC_MOD_DELETETEXT) != 0;
  if (inserted || deleted) {
    auto shift = [&](int& p) {
      if (inserted && p > c.position) p += c.length;
      if (deleted && p > c.position) p = std::max(c.position, p - c.length);
    };
    shift(anchor_);
    shift(caret_);
    braceA_ = braceB_ = -1;
  }
  if (c.type & modEventMask_) {
    SCNotification scn = {};
    scn.nmhdr.code = SCN_MODIFIED;
    scn.position = c.position;
    scn.modificationType = c.type;
    scn.text = c.text;
    scn.length = c.length;
    scn.linesAdded = c.linesAdded;
    scn.line = (c.type & SC_MOD_CHANGEMARKER) ? c.line : 0;
    Notify(scn);
  }
  if ((inserted || deleted) && burstDepth_ == 0) {
    // The lines around the change may need other styles now.
    int first = doc_.LineFromPosition(c.position);
    int last = doc_.LineFromPosition(inserted ? c.position + c.length : c.position);
    int start = doc_.LineStart(first);
    int end = last + 1 < doc_.LineCount() ? doc_.LineStart(last + 1) : doc_.Length();
    SCNotification scn = {};
    scn.nmhdr.code = EDN_RESTYLERANGE;
    scn.position = start;
    scn.length = end - start;
    Notify(scn);
  }
  if (inserted || deleted) {
    updateUIPending_ = true;
    if (topLine_ > MaxTopLine()) SetTopLine(MaxTopLine());
    UpdateScrollBars();
  }
  if (!(c.type & (SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE)) && !painting_) Redraw();
}

// ---- Messages of the editing control -----------------------------------------------------

LRESULT EditorView::EditorMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled) {
  const int iw = static_cast<int>(wp);
  const int il = static_cast<int>(lp);
  const char* text = reinterpret_cast<const char*>(lp);
  switch (msg) {
    // Text
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
    case SCI_CLEARDOCUMENTSTYLE:
      doc_.ClearStyles();
      return 0;
    case SCI_GETLENGTH:
    case SCI_GETTEXTLENGTH:
      return doc_.Length();
    case SCI_GETCHARAT:
      return static_cast<unsigned char>(doc_.CharAt(iw));
    case SCI_GETCURRENTPOS:
      return caret_;
    case SCI_GETANCHOR:
      return anchor_;
    case SCI_GETSTYLEAT:
      return doc_.StyleAt(iw);
    case SCI_SETUNDOCOLLECTION:
      doc_.SetUndoCollection(wp != 0);
      return 0;
    case SCI_GETUNDOCOLLECTION:
      return doc_.UndoCollection();
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
    case SCI_GETENDSTYLED:
      return doc_.EndStyled();
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
    case SCI_STARTSTYLING:
      doc_.StartStyling(iw, il);
      return 0;
    case SCI_SETSTYLING:
      doc_.SetStyling(iw, il);
      return 0;
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
    case SCI_GETCOLUMN:
      return doc_.Column(iw);
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
    case SCI_GETLINEENDPOSITION:
      return doc_.LineEnd(iw);
    case SCI_GETREADONLY:
      return doc_.ReadOnly();
    case SCI_SETREADONLY:
      doc_.SetReadOnly(wp != 0);
      return 0;
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
    case SCI_FORMATRANGE:
      return FormatRange(wp != 0, reinterpret_cast<RangeToFormat*>(lp));
    case SCI_GETFIRSTVISIBLELINE:
      return topLine_;
    case SCI_GETLINE: {
      if (iw < 0 || iw >= doc_.LineCount()) return 0;
      int start = doc_.LineStart(iw);
      int len = doc_.LineLength(iw);
      if (lp) doc_.CopyRange(reinterpret_cast<char*>(lp), start, start + len);
      return len;
    }
    case SCI_GETLINECOUNT:
      return doc_.LineCount();
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
    case SCI_POINTXFROMPOSITION:
      return XOfPosition(il);
    case SCI_POINTYFROMPOSITION:
      return (doc_.LineFromPosition(il) - topLine_) * LineHeight();
    case SCI_LINEFROMPOSITION:
      return doc_.LineFromPosition(iw);
    case SCI_POSITIONFROMLINE:
      return doc_.LineStart(iw);
    case SCI_LINESCROLL:
      EnsureFonts();
      SetXOffset(xOffset_ + iw * screenFonts_.Font(STYLE_DEFAULT).widths[' ']);
      SetTopLine(topLine_ + il);
      return 0;
    case SCI_SCROLLCARET:
      ScrollCaret();
      return 0;
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
    case SCI_SETOVERTYPE:
      overtype_ = wp != 0;
      Redraw();
      return 0;
    case SCI_GETOVERTYPE:
      return overtype_;
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
    case SCI_LINELENGTH:
      return doc_.LineLength(iw);
    case SCI_BRACEHIGHLIGHT:
      braceA_ = iw;
      braceB_ = il;
      Redraw();
      return 0;
    case SCI_BRACEMATCH:
      return doc_.BraceMatch(iw);
    case SCI_GETVIEWEOL:
      return viewEol_;
    case SCI_SETVIEWEOL:
      viewEol_ = wp != 0;
      Redraw();
      return 0;
    case SCI_SETMODEVENTMASK:
      modEventMask_ = iw;
      return 0;
    case SCI_GETMODEVENTMASK:
      return modEventMask_;
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
    case SCI_BEGINUNDOACTION:
      doc_.BeginUndoAction();
      return 0;
    case SCI_ENDUNDOACTION:
      doc_.EndUndoAction();
      return 0;
    case SCI_SETCARETPERIOD:
      caretPeriod_ = std::max(0, iw);
      RestartCaretBlink();
      return 0;
    case SCI_GETCARETPERIOD:
      return caretPeriod_;

    // Styles
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
      InvalidateFonts();
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

    // Margins and markers
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

    // Lexer
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

// ---- Window messages ---------------------------------------------------------------------

LRESULT EditorView::WindowMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      UpdateScrollBars();
      return 0;
    case WM_PAINT: {
      redrawPending_ = false;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      RECT rc;
      GetClientRect(hwnd_, &rc);
      if (rc.right > 0 && rc.bottom > 0) {
        if (!buffer_ || bufferSize_.cx != rc.right || bufferSize_.cy != rc.bottom) {
          if (buffer_) DeleteObject(buffer_);
          buffer_ = CreateCompatibleBitmap(dc, rc.right, rc.bottom);
          bufferSize_ = {rc.right, rc.bottom};
        }
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, buffer_);
        int widthBefore = scrollWidth_;
        Paint(mem, rc);
        BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, mem, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
        if (scrollWidth_ != widthBefore) UpdateScrollBars();
      }
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT rc;
      GetClientRect(hwnd_, &rc);
      Paint(reinterpret_cast<HDC>(wp), rc);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_NCPAINT:
      framePending_ = false;
      break;
    case WM_SIZE:
      if (topLine_ > MaxTopLine()) SetTopLine(MaxTopLine());
      UpdateScrollBars();
      Redraw();
      return 0;
    case WM_SETFOCUS:
      focused_ = true;
      RestartCaretBlink();
      Redraw();
      return 0;
    case WM_KILLFOCUS:
      focused_ = false;
      KillTimer(hwnd_, kCaretTimer);
      if (selecting_) {
        selecting_ = false;
        ReleaseCapture();
      }
      Redraw();
      return 0;
    case WM_TIMER:
      if (wp == kCaretTimer) {
        caretOn_ = !caretOn_;
        Redraw();
      }
      return 0;
    case WM_GETDLGCODE:
      return DLGC_HASSETSEL | DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTTAB;
    case WM_KEYDOWN:
      if (KeyDown(static_cast<int>(wp))) return 0;
      break;
    case WM_CHAR: {
      wchar_t wc = static_cast<wchar_t>(wp);
      if (wc < 32 && wc != '\t') return 0;  // control keys are handled on key down
      if (wc == 127) return 0;
      char buf[8];
      BOOL lost = FALSE;
      int n = WideCharToMultiByte(CP_ACP, 0, &wc, 1, buf, sizeof(buf), nullptr, &lost);
      if (n == 1 && !lost) TypeChar(buf[0]);
      return 0;
    }
    case WM_LBUTTONDOWN:
      MouseDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), (wp & MK_SHIFT) != 0);
      return 0;
    case WM_LBUTTONDBLCLK:
      DoubleClick(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    case WM_MOUSEMOVE:
      if (selecting_) MouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    case WM_LBUTTONUP:
      if (selecting_) {
        selecting_ = false;
        ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      selecting_ = false;
      return 0;
    case WM_RBUTTONDOWN: {
      SetFocus(hwnd_);
      int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
      if (x >= TextLeft()) {
        int pos = PositionFromPoint(x, y, true);
        if (pos < SelStart() || pos > SelEnd()) SetSelection(pos, pos);
      }
      return 0;
    }
    case WM_CONTEXTMENU:
      ContextMenu(lp);
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(hwnd_, &pt);
        SetCursor(LoadCursor(nullptr, pt.x < TextLeft() - kTextGap ? IDC_ARROW : IDC_IBEAM));
        return TRUE;
      }
      break;
    case WM_MOUSEWHEEL:
      Wheel(GET_WHEEL_DELTA_WPARAM(wp), (GET_KEYSTATE_WPARAM(wp) & MK_CONTROL) != 0);
      return 0;
    case WM_VSCROLL: {
      int page = std::max(1, LinesOnScreen() - 1);
      int line = topLine_;
      switch (LOWORD(wp)) {
        case SB_LINEUP: --line; break;
        case SB_LINEDOWN: ++line; break;
        case SB_PAGEUP: line -= page; break;
        case SB_PAGEDOWN: line += page; break;
        case SB_TOP: line = 0; break;
        case SB_BOTTOM: line = MaxTopLine(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
          SCROLLINFO si = {sizeof(si), SIF_TRACKPOS};
          GetScrollInfo(hwnd_, SB_VERT, &si);
          line = si.nTrackPos;
          break;
        }
      }
      SetTopLine(line);
      return 0;
    }
    case WM_HSCROLL: {
      EnsureFonts();
      RECT rc;
      GetClientRect(hwnd_, &rc);
      int step = std::max(1, screenFonts_.Font(STYLE_DEFAULT).widths[' '] * 3);
      int page = std::max(step, static_cast<int>(rc.right) - TextLeft() - step);
      int x = xOffset_;
      switch (LOWORD(wp)) {
        case SB_LINELEFT: x -= step; break;
        case SB_LINERIGHT: x += step; break;
        case SB_PAGELEFT: x -= page; break;
        case SB_PAGERIGHT: x += page; break;
        case SB_LEFT: x = 0; break;
        case SB_RIGHT: x = ScrollWidth(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
          SCROLLINFO si = {sizeof(si), SIF_TRACKPOS};
          GetScrollInfo(hwnd_, SB_HORZ, &si);
          x = si.nTrackPos;
          break;
        }
      }
      SetXOffset(x);
      return 0;
    }
    case WM_GETTEXTLENGTH: {
      std::string s = doc_.GetText();
      return MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    }
    case WM_GETTEXT: {
      wchar_t* out = reinterpret_cast<wchar_t*>(lp);
      int room = static_cast<int>(wp);
      if (!out || room <= 0) return 0;
      std::string s = doc_.GetText();
      int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
      std::wstring w(n, L'\0');
      if (n > 0) MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
      int copy = std::min(n, room - 1);
      std::memcpy(out, w.data(), copy * sizeof(wchar_t));
      out[copy] = L'\0';
      return copy;
    }
    case WM_SETTEXT: {
      const wchar_t* in = reinterpret_cast<const wchar_t*>(lp);
      if (doc_.ReadOnly()) {
        DocModifyAttemptReadOnly();
        return FALSE;
      }
      std::string s;
      if (in && *in) {
        int n = WideCharToMultiByte(CP_ACP, 0, in, -1, nullptr, 0, nullptr, nullptr);
        s.resize(n > 0 ? n : 1);
        WideCharToMultiByte(CP_ACP, 0, in, -1, &s[0], n, nullptr, nullptr);
        s.resize(std::strlen(s.c_str()));
      }
      SetText(s.c_str());
      return TRUE;
    }
    case WM_SYSCOLORCHANGE:
      Redraw();
      return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

// ---- Geometry ---------------------------------------------------------------------------

// Repaints the whole client area later; repeated requests before the next paint cost nothing.
void EditorView::Redraw() {
  if (redrawPending_ || !hwnd_) return;
  redrawPending_ = true;
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void EditorView::EnsureFonts() {
  if (screenFonts_.Ready()) return;
  HDC dc = GetDC(hwnd_);
  screenFonts_.Realise(dc, styles_, zoom_);
  ReleaseDC(hwnd_, dc);
}

void EditorView::InvalidateFonts() {
  screenFonts_.Release();
  Redraw();
  UpdateScrollBars();
}

int EditorView::LineHeight() {
  EnsureFonts();
  return std::max(1, screenFonts_.LineHeight());
}

int EditorView::TextLeft() const {
  int x = 0;
  for (const Margin& m : margins_) x += m.width;
  return x + kTextGap;
}

int EditorView::LinesOnScreen() {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  return std::max(1, static_cast<int>(rc.bottom) / LineHeight());
}

int EditorView::MaxTopLine() { return std::max(0, doc_.LineCount() - LinesOnScreen()); }

int EditorView::XOfPosition(int pos) {
  EnsureFonts();
  pos = doc_.Clamp(pos);
  int line = doc_.LineFromPosition(pos);
  int start = doc_.LineStart(line);
  int n = pos - start;
  std::string text = doc_.GetRange(start, pos);
  std::vector<unsigned char> st(n + 1);
  doc_.CopyStyles(st.data(), start, pos);
  int tabPixels = std::max(1, doc_.TabWidth() * screenFonts_.Font(STYLE_DEFAULT).widths[' ']);
  int x = 0;
  for (int i = 0; i < n; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\t')
      x = (x / tabPixels + 1) * tabPixels;
    else
      x += screenFonts_.Font(StyleOf(st[i], doc_.StyleBits())).widths[c];
  }
  return TextLeft() - xOffset_ + x;
}

int EditorView::PositionFromPoint(int x, int y, bool clampToText) {
  EnsureFonts();
  int lh = LineHeight();
  int row = y >= 0 ? y / lh : -((-y + lh - 1) / lh);
  int line = std::max(0, std::min(topLine_ + row, doc_.LineCount() - 1));
  int start = doc_.LineStart(line);
  int end = doc_.LineEnd(line);
  std::string text = doc_.GetRange(start, end);
  std::vector<unsigned char> st(text.size() + 1);
  doc_.CopyStyles(st.data(), start, end);
  int tabPixels = std::max(1, doc_.TabWidth() * screenFonts_.Font(STYLE_DEFAULT).widths[' ']);
  int left = TextLeft() - xOffset_;
  int cx = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    int next = c == '\t' ? (cx / tabPixels + 1) * tabPixels
                         : cx + screenFonts_.Font(StyleOf(st[i], doc_.StyleBits())).widths[c];
    if (x < left + (cx + next) / 2) return start + static_cast<int>(i);
    cx = next;
  }
  return end;
}

void EditorView::SetTopLine(int line) {
  line = std::max(0, std::min(line, MaxTopLine()));
  if (line == topLine_) return;
  topLine_ = line;
  UpdateScrollBars();
  Redraw();
  updateUIPending_ = true;
  SCNotification scn = {};
  scn.nmhdr.code = EDN_FIRSTLINECHANGED;
  scn.line = topLine_;
  scn.position = doc_.LineStart(topLine_);
  Notify(scn);
}

void EditorView::SetXOffset(int x) {
  x = std::max(0, std::min(x, ScrollWidth()));
  if (x == xOffset_) return;
  xOffset_ = x;
  UpdateScrollBars();
  Redraw();
  updateUIPending_ = true;
}

int EditorView::ScrollWidth() { return scrollWidth_; }

void EditorView::ScrollCaret() {
  int line = doc_.LineFromPosition(caret_);
  int los = LinesOnScreen();
  if (line < topLine_)
    SetTopLine(line);
  else if (line >= topLine_ + los)
    SetTopLine(line - los + 1);
  RECT rc;
  GetClientRect(hwnd_, &rc);
  int x = XOfPosition(caret_);
  int left = TextLeft();
  int right = static_cast<int>(rc.right) - 2;
  int slop = std::max(8, (right - left) / 4);
  if (x < left)
    SetXOffset(xOffset_ - (left - x) - slop);
  else if (x > right && right > left)
    SetXOffset(xOffset_ + (x - right) + slop);
  if (x - left + xOffset_ + slop > scrollWidth_) scrollWidth_ = x - left + xOffset_ + slop;
}

void EditorView::UpdateScrollBars() {
  if (!hwnd_) return;
  RECT rc;
  GetClientRect(hwnd_, &rc);
  // Scroll bars are only touched when what they show changes: each call costs a trip through
  // the window manager.
  ScrollState v = {vScrollBar_, std::max(0, doc_.LineCount() - 1), LinesOnScreen(), topLine_};
  ScrollState h = {hScrollBar_, scrollWidth_, std::max(1, static_cast<int>(rc.right) - TextLeft()), xOffset_};
  const ScrollState* now[2] = {&v, &h};
  for (int bar = 0; bar < 2; ++bar) {
    const ScrollState& st = *now[bar];
    ScrollState& last = scrollShown_[bar];
    int which = bar == 0 ? SB_VERT : SB_HORZ;
    if (st.shown && (!last.shown || st.max != last.max || st.page != last.page || st.pos != last.pos)) {
      SCROLLINFO si = {sizeof(si)};
      si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
      si.nMin = 0;
      si.nMax = st.max;
      si.nPage = static_cast<UINT>(st.page);
      si.nPos = st.pos;
      SetScrollInfo(hwnd_, which, &si, FALSE);
      scrollBarsDirty_ = true;
    }
    if (st.shown != last.shown || !scrollKnown_) ShowScrollBar(hwnd_, which, st.shown);
    last = st;
  }
  scrollKnown_ = true;
}

// ---- Caret and selection -----------------------------------------------------------------

int EditorView::MoveOutsideCrLf(int pos, int dir) const {
  if (pos > 0 && pos < doc_.Length() && doc_.CharAt(pos - 1) == '\r' && doc_.CharAt(pos) == '\n')
    return dir > 0 ? pos + 1 : pos - 1;
  return pos;
}

int EditorView::NextCharPosition(int pos) const {
  if (pos >= doc_.Length()) return doc_.Length();
  if (doc_.CharAt(pos) == '\r' && doc_.CharAt(pos + 1) == '\n') return pos + 2;
  return pos + 1;
}

int EditorView::PrevCharPosition(int pos) const {
  if (pos <= 0) return 0;
  if (pos >= 2 && doc_.CharAt(pos - 1) == '\n' && doc_.CharAt(pos - 2) == '\r') return pos - 2;
  return pos - 1;
}

int EditorView::CharClass(int pos) const {
  unsigned char c = static_cast<unsigned char>(doc_.CharAt(pos));
  if (c == '\r' || c == '\n') return 3;
  if (c == ' ' || c == '\t') return 0;
  return doc_.IsWordChar(c) ? 2 : 1;
}

int EditorView::WordLeft(int pos) const {
  while (pos > 0 && CharClass(pos - 1) == 0) --pos;
  if (pos == 0) return 0;
  int cls = CharClass(pos - 1);
  if (cls == 3) return PrevCharPosition(pos);
  while (pos > 0 && CharClass(pos - 1) == cls) --pos;
  return pos;
}

int EditorView::WordRight(int pos) const {
  int len = doc_.Length();
  if (pos >= len) return len;
  int cls = CharClass(pos);
  if (cls == 3) return NextCharPosition(pos);
  while (pos < len && CharClass(pos) == cls) ++pos;
  while (pos < len && CharClass(pos) == 0) ++pos;
  return pos;
}

int EditorView::WordStart(int pos) const {
  if (pos <= 0) return 0;
  int cls = pos < doc_.Length() && CharClass(pos) != 3 ? CharClass(pos) : CharClass(pos - 1);
  if (pos < doc_.Length() && CharClass(pos) != 2 && CharClass(pos - 1) == 2) cls = 2;
  while (pos > 0 && CharClass(pos - 1) == cls) --pos;
  return pos;
}

int EditorView::WordEnd(int pos) const {
  int len = doc_.Length();
  if (pos >= len) return len;
  int cls = CharClass(pos);
  if (cls == 3) return pos;
  while (pos < len && CharClass(pos) == cls) ++pos;
  return pos;
}

void EditorView::SetSelection(int anchor, int caret, bool scroll) {
  anchor = MoveOutsideCrLf(doc_.Clamp(anchor), 1);
  caret = MoveOutsideCrLf(doc_.Clamp(caret), 1);
  doc_.BreakTyping();
  if (anchor != anchor_ || caret != caret_) {
    anchor_ = anchor;
    caret_ = caret;
    updateUIPending_ = true;
    Redraw();
  }
  caretOn_ = true;
  if (scroll) ScrollCaret();
}

void EditorView::MoveCaret(int pos, bool extend) {
  SetSelection(extend ? anchor_ : pos, pos);
  desiredX_ = -1;
}

void EditorView::RestartCaretBlink() {
  caretOn_ = true;
  KillTimer(hwnd_, kCaretTimer);
  if (focused_ && caretPeriod_ > 0) SetTimer(hwnd_, kCaretTimer, caretPeriod_, nullptr);
  Redraw();
}

// ---- Editing -----------------------------------------------------------------------------

bool EditorView::ReplaceSelection(const char* s, int len, bool typed) {
  if (doc_.ReadOnly()) {
    DocModifyAttemptReadOnly();
    return false;
  }
  int start = SelStart();
  bool replacing = SelEnd() > start;
  if (replacing) {
    BeginBurst(true);
    doc_.BeginUndoAction();
    doc_.DeleteRange(start, SelEnd() - start);
  }
  doc_.InsertText(start, s, len, typed && !replacing);
  if (replacing) {
    doc_.EndUndoAction();
    EndBurst();
  }
  anchor_ = caret_ = start + len;
  updateUIPending_ = true;
  desiredX_ = -1;
  caretOn_ = true;
  ScrollCaret();
  return true;
}

bool EditorView::DeleteSelection() {
  if (SelEnd() == SelStart()) return false;
  if (doc_.ReadOnly()) {
    DocModifyAttemptReadOnly();
    return true;
  }
  int start = SelStart();
  BeginBurst(false);
  doc_.DeleteRange(start, SelEnd() - start);
  EndBurst();
  SetSelection(start, start);
  return true;
}

void EditorView::TypeChar(char c) {
  if (doc_.ReadOnly()) {
    DocModifyAttemptReadOnly();
    return;
  }
  int pos = caret_;
  if (SelEnd() == SelStart() && overtype_ && pos < doc_.LineEnd(doc_.LineFromPosition(pos))) {
    doc_.BeginUndoAction();
    doc_.DeleteRange(pos, 1);
    doc_.InsertText(pos, &c, 1);
    doc_.EndUndoAction();
    anchor_ = caret_ = pos + 1;
    updateUIPending_ = true;
    ScrollCaret();
  } else {
    bool typing = true;
    ReplaceSelection(&c, 1, typing);
  }
  SCNotification scn = {};
  scn.nmhdr.code = SCN_CHARADDED;
  scn.ch = static_cast<unsigned char>(c);
  Notify(scn);
}

void EditorView::InsertNewLine() {
  const char* eol = doc_.EolText();
  ReplaceSelection(eol, static_cast<int>(std::strlen(eol)), false);
}

void EditorView::DeleteBack(bool word) {
  if (DeleteSelection()) return;
  if (caret_ == 0) return;
  int from = word ? WordLeft(caret_) : PrevCharPosition(caret_);
  doc_.DeleteRange(from, caret_ - from);
  SetSelection(caret_, caret_);
}

void EditorView::DeleteForward(bool word) {
  if (DeleteSelection()) return;
  int to = word ? WordRight(caret_) : NextCharPosition(caret_);
  if (to > caret_) doc_.DeleteRange(caret_, to - caret_);
  SetSelection(caret_, caret_);
}

void EditorView::Undo() {
  if (doc_.ReadOnly()) {
    DocModifyAttemptReadOnly();
    return;
  }
  if (!doc_.CanUndo()) return;
  BeginBurst(true);
  int pos = doc_.Undo();
  EndBurst();
  if (pos >= 0) SetSelection(pos, pos);
}

void EditorView::Redo() {
  if (doc_.ReadOnly()) {
    DocModifyAttemptReadOnly();
    return;
  }
  if (!doc_.CanRedo()) return;
  BeginBurst(true);
  int pos = doc_.Redo();
  EndBurst();
  if (pos >= 0) SetSelection(pos, pos);
}

void EditorView::Copy() {
  int start = SelStart(), end = SelEnd();
  if (end <= start) return;
  std::string s = doc_.GetRange(start, end);
  if (!OpenClipboard(hwnd_)) return;
  EmptyClipboard();
  HGLOBAL ansi = GlobalAlloc(GMEM_MOVEABLE, s.size() + 1);
  if (ansi) {
    char* p = static_cast<char*>(GlobalLock(ansi));
    std::memcpy(p, s.c_str(), s.size() + 1);
    GlobalUnlock(ansi);
    if (!SetClipboardData(CF_TEXT, ansi)) GlobalFree(ansi);
  }
  int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  HGLOBAL wide = GlobalAlloc(GMEM_MOVEABLE, (n + 1) * sizeof(wchar_t));
  if (wide) {
    wchar_t* p = static_cast<wchar_t*>(GlobalLock(wide));
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), p, n);
    p[n] = L'\0';
    GlobalUnlock(wide);
    if (!SetClipboardData(CF_UNICODETEXT, wide)) GlobalFree(wide);
  }
  CloseClipboard();
}

void EditorView::Cut() {
  if (SelEnd() == SelStart()) return;
  if (doc_.ReadOnly()) {
    DocModifyAttemptReadOnly();
    return;
  }
  Copy();
  DeleteSelection();
}

bool EditorView::CanPaste() {
  return !doc_.ReadOnly() && (IsClipboardFormatAvailable(CF_TEXT) || IsClipboardFormatAvailable(CF_UNICODETEXT));
}

void EditorView::Paste() {
  if (doc_.ReadOnly()) {
    DocModifyAttemptReadOnly();
    return;
  }
  std::string s;
  bool got = false;
  if (!OpenClipboard(hwnd_)) return;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* w = static_cast<const wchar_t*>(GlobalLock(h))) {
      size_t room = GlobalSize(h) / sizeof(wchar_t);
      size_t len = 0;
      while (len < room && w[len]) ++len;
      int n = WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(len), nullptr, 0, nullptr, nullptr);
      s.resize(n);
      if (n > 0) WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(len), &s[0], n, nullptr, nullptr);
      GlobalUnlock(h);
      got = true;
    }
  }
  if (!got) {
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
      if (const char* a = static_cast<const char*>(GlobalLock(h))) {
        size_t room = GlobalSize(h);
        size_t len = 0;
        while (len < room && a[len]) ++len;
        s.assign(a, len);
        GlobalUnlock(h);
      }
    }
  }
  CloseClipboard();
  if (s.empty()) return;
  BeginBurst(true);
  ReplaceSelection(s.data(), static_cast<int>(s.size()), false);
  EndBurst();
}

void EditorView::SetText(const char* s) {
  if (doc_.ReadOnly()) {
    DocModifyAttemptReadOnly();
    return;
  }
  BeginBurst(true);
  doc_.SetText(s, s ? static_cast<int>(std::strlen(s)) : 0);
  anchor_ = caret_ = 0;
  SetSelection(0, 0);
  EndBurst();
}

void EditorView::SetZoom(int zoom) {
  zoom = std::max(SCZOOM_MIN, std::min(zoom, SCZOOM_MAX));
  if (zoom == zoom_) return;
  zoom_ = zoom;
  InvalidateFonts();
  if (topLine_ > MaxTopLine()) SetTopLine(MaxTopLine());
  NotifyCode(SCN_ZOOM);
}

void EditorView::EnsureStyledTo(int pos) {
  if (lexer_ != SCLEX_CONTAINER || styleNeededActive_ || doc_.EndStyled() >= pos) return;
  styleNeededActive_ = true;
  SCNotification scn = {};
  scn.nmhdr.code = SCN_STYLENEEDED;
  scn.position = pos;
  Notify(scn);
  styleNeededActive_ = false;
}

// ---- Input -------------------------------------------------------------------------------

bool EditorView::KeyDown(int vk) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);  // one request for both modifiers
  bool shift = (keys[VK_SHIFT] & 0x80) != 0;
  bool ctrl = (keys[VK_CONTROL] & 0x80) != 0;
  bool hasSel = SelEnd() != SelStart();
  auto lineMove = [&](int delta) {
    int x = desiredX_ >= 0 ? desiredX_ : XOfPosition(caret_);
    int line = doc_.LineFromPosition(caret_) + delta;
    int pos;
    if (line < 0)
      pos = 0;
    else if (line >= doc_.LineCount())
      pos = doc_.Length();
    else
      pos = PositionFromPoint(x, (line - topLine_) * LineHeight() + LineHeight() / 2, true);
    MoveCaret(pos, shift);
    desiredX_ = x;
  };
  switch (vk) {
    case VK_LEFT:
      if (hasSel && !shift && !ctrl)
        MoveCaret(SelStart(), false);
      else
        MoveCaret(ctrl ? WordLeft(caret_) : PrevCharPosition(caret_), shift);
      return true;
    case VK_RIGHT:
      if (hasSel && !shift && !ctrl)
        MoveCaret(SelEnd(), false);
      else
        MoveCaret(ctrl ? WordRight(caret_) : NextCharPosition(caret_), shift);
      return true;
    case VK_UP:
      if (ctrl)
        SetTopLine(topLine_ - 1);
      else
        lineMove(-1);
      return true;
    case VK_DOWN:
      if (ctrl)
        SetTopLine(topLine_ + 1);
      else
        lineMove(1);
      return true;
    case VK_HOME:
      MoveCaret(ctrl ? 0 : doc_.LineStart(doc_.LineFromPosition(caret_)), shift);
      return true;
    case VK_END:
      MoveCaret(ctrl ? doc_.Length() : doc_.LineEnd(doc_.LineFromPosition(caret_)), shift);
      return true;
    case VK_PRIOR:
    case VK_NEXT: {
      int page = std::max(1, LinesOnScreen() - 1) * (vk == VK_PRIOR ? -1 : 1);
      SetTopLine(topLine_ + page);
      lineMove(page);
      return true;
    }
    case VK_DELETE:
      if (shift && !ctrl)
        Cut();
      else
        DeleteForward(ctrl);
      return true;
    case VK_BACK:
      DeleteBack(ctrl);
      return true;
    case VK_RETURN:
      InsertNewLine();
      return true;
    case VK_INSERT:
      if (ctrl)
        Copy();
      else if (shift)
        Paste();
      else
        SendMessageW(hwnd_, SCI_SETOVERTYPE, !overtype_, 0);
      return true;
  }
  if (ctrl) {
    switch (vk) {
      case 'A': SetSelection(0, doc_.Length(), false); return true;
      case 'C': Copy(); return true;
      case 'X': Cut(); return true;
      case 'V': Paste(); return true;
      case 'Y': Redo(); return true;
      case 'Z':
        if (shift)
          Redo();
        else
          Undo();
        return true;
    }
  }
  return false;
}

void EditorView::MouseDown(int x, int y, bool shift) {
  SetFocus(hwnd_);
  int lh = LineHeight();
  if (x < TextLeft() - kTextGap) {
    int line = std::max(0, std::min(topLine_ + y / lh, doc_.LineCount() - 1));
    int mx = 0;
    for (int i = 0; i < 3; ++i) {
      if (x >= mx && x < mx + margins_[i].width) {
        if (margins_[i].sensitive) {
          SCNotification scn = {};
          scn.nmhdr.code = SCN_MARGINCLICK;
          scn.position = doc_.LineStart(line);
          scn.margin = i;
          scn.modifiers = (shift ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0);
          Notify(scn);
          return;
        }
        break;
      }
      mx += margins_[i].width;
    }
    int start = doc_.LineStart(line);
    int next = line + 1 < doc_.LineCount() ? doc_.LineStart(line + 1) : doc_.Length();
    SetSelection(shift ? anchor_ : start, next);
    return;
  }
  int pos = PositionFromPoint(x, y, true);
  MoveCaret(pos, shift);
  selecting_ = true;
  SetCapture(hwnd_);
}

void EditorView::MouseMove(int x, int y) {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  if (y < 0)
    SetTopLine(topLine_ - 1);
  else if (y >= rc.bottom)
    SetTopLine(topLine_ + 1);
  EnsureFonts();
  int step = std::max(1, screenFonts_.Font(STYLE_DEFAULT).widths[' '] * 2);
  if (x < TextLeft() && xOffset_ > 0)
    SetXOffset(xOffset_ - step);
  else if (x >= rc.right)
    SetXOffset(xOffset_ + step);
  int pos = PositionFromPoint(x, std::max(0, std::min(y, static_cast<int>(rc.bottom) - 1)), true);
  SetSelection(anchor_, pos);
}

void EditorView::DoubleClick(int x, int y) {
  int pos = PositionFromPoint(x, y, true);
  if (x >= TextLeft() - kTextGap) SetSelection(WordStart(pos), WordEnd(pos), false);
  SCNotification scn = {};
  scn.nmhdr.code = SCN_DOUBLECLICK;
  scn.position = pos;
  scn.line = doc_.LineFromPosition(pos);
  scn.modifiers = (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0);
  Notify(scn);
}

void EditorView::Wheel(int delta, bool ctrl) {
  wheelDelta_ += delta;
  while (wheelDelta_ >= WHEEL_DELTA || wheelDelta_ <= -WHEEL_DELTA) {
    int dir = wheelDelta_ > 0 ? 1 : -1;
    wheelDelta_ -= dir * WHEEL_DELTA;
    if (ctrl) {
      SendMessageW(hwnd_, dir > 0 ? SCI_ZOOMIN : SCI_ZOOMOUT, 1, 0);
    } else {
      UINT lines = 3;
      SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      int step = lines == WHEEL_PAGESCROLL ? LinesOnScreen() : static_cast<int>(lines);
      SetTopLine(topLine_ - dir * step);
    }
  }
}

void EditorView::ContextMenu(LPARAM lp) {
  POINT pt = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (lp == -1) {  // from the keyboard: at the caret
    pt.x = XOfPosition(caret_);
    pt.y = (doc_.LineFromPosition(caret_) - topLine_ + 1) * LineHeight();
    ClientToScreen(hwnd_, &pt);
  }
  SCNotification scn = {};
  scn.nmhdr.code = EDN_CONTEXTMENU;
  scn.x = pt.x;
  scn.y = pt.y;
  scn.wParam = 1;
  Notify(scn);
}
