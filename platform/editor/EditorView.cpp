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
    try {
      view = new EditorView(hwnd);
    } catch (...) {
      return FALSE;  // no memory for the control: its creation fails
    }
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
  LRESULT r = 0;
  try {
    r = HandleMessage(msg, wp, lp);
  } catch (...) {
    // A fault while handling one message (out of memory, say) ends that message only: it never
    // escapes into the host's message loop, and the control goes on answering.
    r = 0;
  }
  if (--depth_ == 0 && closing_) delete this;
  return r;
}

LRESULT EditorView::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
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
  // Each concern answers its own messages; the first that knows the message handles it.
  using Concern = LRESULT (EditorView::*)(UINT, WPARAM, LPARAM, bool*);
  static const Concern kConcerns[] = {&EditorView::TextMessage,   &EditorView::SelectionMessage,
                                      &EditorView::StyleMessage,  &EditorView::MarkerMessage,
                                      &EditorView::SearchMessage, &EditorView::ViewMessage};
  for (Concern concern : kConcerns) {
    bool known = true;
    LRESULT r = (this->*concern)(msg, wp, lp, &known);
    if (known) return r;
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
        if (scrollBarsStale_) UpdateScrollBars();
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
      if (scrollBarsStale_) UpdateScrollBars();  // before the bars are drawn
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
  // A hidden editor (a host giving it a whole table of styles before it first shows) makes its
  // fonts once, when it is next drawn or measured, rather than again after every style.
  if (hwnd_ && !IsWindowVisible(hwnd_)) {
    scrollBarsStale_ = true;
    return;
  }
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
  scrollBarsStale_ = false;
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
