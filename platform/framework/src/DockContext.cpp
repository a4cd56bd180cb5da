// CDockContext: dragging a bar to dock or float it, resizing a floating dynamic bar, and
// toggling between its last docked place and its last floating place.
#include "Framework.h"

namespace {
bool Horz(DWORD dw) { return (dw & CBRS_ORIENT_HORZ) != 0; }
bool Vert(DWORD dw) { return (dw & CBRS_ORIENT_VERT) != 0; }

// Moves rect so that pt lies inside it.
void AdjustRectangle(CRect& rect, CPoint pt) {
  int dx = pt.x < rect.left ? pt.x - rect.left : pt.x > rect.right ? pt.x - rect.right : 0;
  int dy = pt.y < rect.top ? pt.y - rect.top : pt.y > rect.bottom ? pt.y - rect.bottom : 0;
  rect.OffsetRect(dx, dy);
}

// The floating frame around a bar rectangle: the frame's borders and caption, less the 2-pixel
// edge of the bar that the floating dock bar covers.
CRect FloatingFrameRect(const CRect& rectBar) {
  CRect rect(rectBar);
  ::AdjustWindowRectEx(&rect, WS_THICKFRAME | WS_CAPTION, FALSE, WS_EX_TOOLWINDOW);
  rect.InflateRect(-2, -2);
  return rect;
}

// A mouse message's point on the screen (posted messages carry it only in lParam).
CPoint MessagePoint(const MSG& msg) {
  CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
  ::ClientToScreen(msg.hwnd, &pt);
  return pt;
}
}  // namespace

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite) {
  m_rectMRUDockPos.SetRectEmpty();
  m_ptMRUFloatPos = CPoint(-1, -1);
}

CDockContext::~CDockContext() {
  if (m_pDC != nullptr) CancelLoop();
}

// ---- the loop -----------------------------------------------------------------------------------
void CDockContext::InitLoop() {
  // Pending paints first, so the outline is drawn over a finished screen.
  // (A filtered peek still returns WM_QUIT: that one stays for the loop.)
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE) && msg.message == WM_PAINT) {
    if (!::GetMessageW(&msg, nullptr, WM_PAINT, WM_PAINT)) {
      ::PostQuitMessage((int)msg.wParam);
      break;
    }
    ::DispatchMessageW(&msg);
  }
  if (m_pDockSite == nullptr) m_pDockSite = m_pBar->m_pDockSite;
  m_dwDockStyle = m_pBar->m_dwDockStyle;
  m_dwStyle = m_pBar->m_dwStyle & CBRS_ALIGN_ANY;
  if (m_dwStyle == 0) m_dwStyle = CBRS_ALIGN_TOP;
  m_rectLast.SetRectEmpty();
  m_sizeLast = CSize(0, 0);
  m_bForceFrame = m_bFlip = m_bDitherLast = FALSE;
  HWND hDesktop = ::GetDesktopWindow();
  HDC hdc = ::LockWindowUpdate(hDesktop) ? ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE)
                                         : ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE);
  if (m_pDC == nullptr) m_pDC = new CDC;
  m_pDC->Attach(hdc);
}

void CDockContext::CancelLoop() {
  if (m_pDC != nullptr && m_pDC->m_hDC != nullptr) DrawFocusRect(TRUE);
  if (::GetCapture() == m_pBar->m_hWnd) ::ReleaseCapture();
  ::LockWindowUpdate(nullptr);
  if (m_pDC != nullptr) {
    HDC hdc = m_pDC->Detach();
    if (hdc != nullptr) ::ReleaseDC(::GetDesktopWindow(), hdc);
    delete m_pDC;
    m_pDC = nullptr;
  }
  m_bTracking = FALSE;
}

BOOL CDockContext::Track() {
  if (::GetCapture() != nullptr) {
    CancelLoop();
    return FALSE;
  }
  m_pBar->SetCapture();
  m_bTracking = TRUE;
  while (::GetCapture() == m_pBar->m_hWnd) {
    MSG msg;
    if (!::GetMessageW(&msg, nullptr, 0, 0)) {
      // The program is ending: the loop ends and the quit goes on to the outer loop.
      ::PostQuitMessage((int)msg.wParam);
      break;
    }
    switch (msg.message) {
      case WM_LBUTTONUP:
        if (m_bDragging) EndDrag();
        else EndResize();
        return TRUE;
      case WM_MOUSEMOVE:
        if (m_bDragging) Move(MessagePoint(msg));
        else Stretch(MessagePoint(msg));
        break;
      case WM_KEYUP:
        if (m_bDragging) OnKey((int)msg.wParam, FALSE);
        break;
      case WM_KEYDOWN:
        if (m_bDragging) OnKey((int)msg.wParam, TRUE);
        if (msg.wParam == VK_ESCAPE) {
          CancelLoop();
          return FALSE;
        }
        break;
      case WM_RBUTTONDOWN:
        CancelLoop();
        return FALSE;
      default:
        ::DispatchMessageW(&msg);
        break;
    }
  }
  CancelLoop();
  return FALSE;
}

// ---- dragging -------------------------------------------------------------------------------
// The start of both loops: the mode, the loop state, the point; the bar's rectangle on the screen.
CRect CDockContext::BeginLoop(BOOL bDragging, CPoint pt) {
  m_bDragging = bDragging;
  InitLoop();
  CRect rect;
  m_pBar->GetWindowRect(&rect);
  m_ptLast = pt;
  m_ptOrigin = pt;
  return rect;
}

void CDockContext::StartDrag(CPoint pt) {
  CRect rect = BeginLoop(TRUE, pt);
  if (m_pBar->m_dwStyle & (CBRS_SIZE_DYNAMIC | CBRS_SIZE_FIXED)) {
    bool dynamic = (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
    int nLength = dynamic ? 0 : -1;
    CSize sizeHorz = m_pBar->CalcDynamicLayout(nLength, LM_HORZ | LM_HORZDOCK);
    CSize sizeVert = m_pBar->CalcDynamicLayout(nLength, LM_VERTDOCK);
    m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
    m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
    if (dynamic) {
      CSize sizeFloat = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
      m_rectFrameDragHorz = FloatingFrameRect(CRect(rect.TopLeft(), sizeFloat));
      m_rectFrameDragVert = m_rectFrameDragHorz;
    } else {
      m_rectFrameDragHorz = FloatingFrameRect(m_rectDragHorz);
      m_rectFrameDragVert = FloatingFrameRect(m_rectDragVert);
    }
  } else {
    // A fixed bar turns its current rectangle around the point for the other orientation.
    BOOL bHorz = Horz(m_dwStyle);
    CSize size = m_pBar->CalcDynamicLayout(-1, !bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
    if (bHorz) {
      m_rectDragHorz = rect;
      m_rectDragVert = CRect(CPoint(pt.x - rect.Height() / 2, rect.top), size);
    } else {
      m_rectDragVert = rect;
      m_rectDragHorz = CRect(CPoint(rect.left, pt.y - rect.Width() / 2), size);
    }
    m_rectFrameDragHorz = FloatingFrameRect(m_rectDragHorz);
    m_rectFrameDragVert = FloatingFrameRect(m_rectDragVert);
  }
  AdjustRectangle(m_rectDragHorz, pt);
  AdjustRectangle(m_rectDragVert, pt);
  AdjustRectangle(m_rectFrameDragHorz, pt);
  AdjustRectangle(m_rectFrameDragVert, pt);
  m_dwOverDockStyle = CanDock();
  Move(pt);
  Track();
}

void CDockContext::Move(CPoint pt) {
  CPoint offset = pt - m_ptLast;
  m_rectDragHorz.OffsetRect(offset);
  m_rectFrameDragHorz.OffsetRect(offset);
  m_rectDragVert.OffsetRect(offset);
  m_rectFrameDragVert.OffsetRect(offset);
  m_ptLast = pt;
  // With Ctrl held the bar floats wherever it is.
  m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
  DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown) {
  if (nChar == VK_CONTROL) UpdateState(&m_bForceFrame, bDown);
  if (nChar == VK_SHIFT) UpdateState(&m_bFlip, bDown);
}

void CDockContext::UpdateState(BOOL* pFlag, BOOL bNewValue) {
  if (*pFlag == bNewValue) return;
  *pFlag = bNewValue;
  // Shift turns the orientation only for bars that dock both ways.
  m_bFlip = Horz(m_dwDockStyle) && Vert(m_dwDockStyle) && m_bFlip;
  m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
  DrawFocusRect();
}

DWORD CDockContext::CanDock() {
  if (m_pDockSite == nullptr) return 0;
  BOOL bStyleHorz = Horz(m_dwStyle);
  if (m_bFlip) bStyleHorz = !bStyleHorz;
  DWORD dwDock = 0;
  // The bar's own orientation first, then the other one when the outlines agree.
  if (bStyleHorz && Horz(m_dwDockStyle))
    dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
  else if (Vert(m_dwDockStyle))
    dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
  if (!m_bFlip) {
    if (dwDock == 0 && Horz(m_dwDockStyle)) {
      DWORD dwCurr = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_VERT);
      dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
      if (dwDock != dwCurr) dwDock = 0;
    }
    if (dwDock == 0 && Vert(m_dwDockStyle)) {
      DWORD dwCurr = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
      dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
      if (dwDock != dwCurr) dwDock = 0;
    }
  }
  return dwDock;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle) {
  CDockBar* pDockBar = nullptr;
  if (Horz(dwOverDockStyle)) m_pDockSite->CanDock(m_rectDragHorz, dwOverDockStyle & ~CBRS_ORIENT_VERT, &pDockBar);
  else if (Vert(dwOverDockStyle)) m_pDockSite->CanDock(m_rectDragVert, dwOverDockStyle & ~CBRS_ORIENT_HORZ, &pDockBar);
  return pDockBar;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect) {
  if (m_pDC == nullptr || m_pDC->m_hDC == nullptr) return;
  CSize size(1, 1);
  CBrush* pWhiteBrush = CBrush::FromHandle((HBRUSH)::GetStockObject(WHITE_BRUSH));
  CBrush* pDitherBrush = CDC::GetHalftoneBrush();
  CBrush* pBrush = pWhiteBrush;
  CRect rect;
  if (Horz(m_dwOverDockStyle)) {
    rect = m_rectDragHorz;
  } else if (Vert(m_dwOverDockStyle)) {
    rect = m_rectDragVert;
  } else {
    // Floating: a thick grey frame the size of the floating frame.
    size.cx = ::GetSystemMetrics(SM_CXFRAME) - 1;
    size.cy = ::GetSystemMetrics(SM_CYFRAME) - 1;
    rect = (Horz(m_dwStyle) && !m_bFlip) || (Vert(m_dwStyle) && m_bFlip) ? m_rectFrameDragHorz : m_rectFrameDragVert;
    pBrush = pDitherBrush;
  }
  if (bRemoveRect) size.cx = size.cy = 0;
  if (Horz(m_dwOverDockStyle) || Vert(m_dwOverDockStyle)) rect.InflateRect(-1, -1);
  m_pDC->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast, pBrush, m_bDitherLast ? pDitherBrush : pWhiteBrush);
  m_rectLast = rect;
  m_sizeLast = size;
  m_bDitherLast = pBrush == pDitherBrush;
}

void CDockContext::EndDrag() {
  CancelLoop();
  if (m_dwOverDockStyle != 0) {
    CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle);
    if (pDockBar == nullptr) return;
    CRect rect = (m_dwOverDockStyle & CBRS_ORIENT_VERT) ? m_rectDragVert : m_rectDragHorz;
    UINT uID = (UINT)pDockBar->GetDlgCtrlID();
    if (uID >= AFX_IDW_DOCKBAR_TOP && uID <= AFX_IDW_DOCKBAR_BOTTOM) {
      m_uMRUDockID = uID;
      m_rectMRUDockPos = rect;
      pDockBar->ScreenToClient(&m_rectMRUDockPos);
    }
    m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
    m_pDockSite->RecalcLayout();
  } else if ((m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) || (Horz(m_dwStyle) && !m_bFlip) || (Vert(m_dwStyle) && m_bFlip)) {
    m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
  } else {
    m_dwMRUFloatStyle = CBRS_ALIGN_LEFT | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_ptMRUFloatPos = m_rectFrameDragVert.TopLeft();
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
  }
}

// ---- resizing a floating dynamic bar ------------------------------------------------------------
// While resizing, m_rectDragHorz is the size asked for, m_rectDragVert the size the bar takes,
// m_rectFrameDragHorz the floating frame around it and m_rectFrameDragVert the frame's extra size.
void CDockContext::StartResize(int nHitTest, CPoint pt) {
  CRect rect = BeginLoop(FALSE, pt);
  m_nHitTest = nHitTest;
  CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
  m_rectDragHorz = CRect(rect.TopLeft(), size);
  m_rectDragVert = m_rectDragHorz;
  m_rectFrameDragHorz = FloatingFrameRect(m_rectDragHorz);
  m_rectFrameDragVert = CRect(0, 0, m_rectFrameDragHorz.Width() - m_rectDragVert.Width(),
                              m_rectFrameDragHorz.Height() - m_rectDragVert.Height());
  m_dwOverDockStyle = 0;
  Stretch(pt);
  Track();
}

bool CDockContext::HitsLeft(int nHitTest) {
  return nHitTest == HTLEFT || nHitTest == HTTOPLEFT || nHitTest == HTBOTTOMLEFT;
}

bool CDockContext::HitsTop(int nHitTest) {
  return nHitTest == HTTOP || nHitTest == HTTOPLEFT || nHitTest == HTTOPRIGHT;
}

CSize CDockContext::StretchedSize(CPoint pt) {
  CPoint offset = pt - m_ptLast;
  bool left = HitsLeft(m_nHitTest);
  bool right = m_nHitTest == HTRIGHT || m_nHitTest == HTTOPRIGHT || m_nHitTest == HTBOTTOMRIGHT;
  bool top = HitsTop(m_nHitTest);
  bool bottom = m_nHitTest == HTBOTTOM || m_nHitTest == HTBOTTOMLEFT || m_nHitTest == HTBOTTOMRIGHT;
  CSize size = m_rectDragVert.Size();
  if (left || right) {
    if (left) m_rectDragHorz.left += offset.x;
    else m_rectDragHorz.right += offset.x;
    size = m_pBar->CalcDynamicLayout(std::max(0, m_rectDragHorz.Width()), LM_HORZ);
  }
  if (top || bottom) {
    if (top) m_rectDragHorz.top += offset.y;
    else m_rectDragHorz.bottom += offset.y;
    size = m_pBar->CalcDynamicLayout(std::max(0, m_rectDragHorz.Height()), LM_HORZ | LM_LENGTHY);
  }
  return size;
}

void CDockContext::PlaceStretchedFrame(CSize size, bool bKeepRight, bool bKeepBottom, CPoint pt) {
  // A frame pushed off the desktop does not move.
  CSize extra = m_rectFrameDragVert.Size();
  CRect rectTemp = m_rectFrameDragHorz;
  if (bKeepRight) rectTemp.left = rectTemp.right - (size.cx + extra.cx);
  else rectTemp.right = rectTemp.left + (size.cx + extra.cx);
  if (bKeepBottom) rectTemp.top = rectTemp.bottom - (size.cy + extra.cy);
  else rectTemp.bottom = rectTemp.top + (size.cy + extra.cy);
  CRect rectDesk, rectHit;
  ::GetWindowRect(::GetDesktopWindow(), &rectDesk);
  if (rectHit.IntersectRect(rectDesk, rectTemp)) {
    m_rectFrameDragHorz = rectTemp;
    m_rectDragVert = CRect(CPoint(rectTemp.left, rectTemp.top), size);
  }
  m_ptLast = pt;
  DrawFocusRect();
}

void CDockContext::Stretch(CPoint pt) {
  // The corner opposite the dragged edge stays.
  CSize size = StretchedSize(pt);
  PlaceStretchedFrame(size, HitsLeft(m_nHitTest), HitsTop(m_nHitTest), pt);
}

void CDockContext::EndResize() {
  CancelLoop();
  m_pBar->CalcDynamicLayout(m_rectDragVert.Width(), LM_HORZ | LM_COMMIT);
  m_pDockSite->FloatControlBar(m_pBar, m_rectFrameDragHorz.TopLeft(),
                               CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI) | CBRS_SIZE_DYNAMIC);
}

// ---- toggling ---------------------------------------------------------------------------------
void CDockContext::ToggleDocking() {
  if (m_pDockSite == nullptr) m_pDockSite = m_pBar->m_pDockSite;
  if (m_pDockSite == nullptr) return;
  if (m_pBar->IsFloating()) {
    // Back to the last docked place, when the bar may dock at all.
    if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY)) return;
    CRect rect = m_rectMRUDockPos;
    CDockBar* pDockBar = nullptr;
    if (m_uMRUDockID != 0) {
      pDockBar = DYNAMIC_DOWNCAST(CDockBar, m_pDockSite->GetControlBar(m_uMRUDockID));
      if (pDockBar != nullptr) pDockBar->ClientToScreen(&rect);
    }
    m_pDockSite->ReDockControlBar(m_pBar, pDockBar, pDockBar != nullptr ? &rect : nullptr);
    m_pDockSite->RecalcLayout();
  } else {
    CPoint ptFloat = m_ptMRUFloatPos;
    if (ptFloat.x < 0 || ptFloat.y < 0) {
      ptFloat = m_rectMRUDockPos.TopLeft();
      m_pBar->GetParent()->ClientToScreen(&ptFloat);
    }
    m_pDockSite->FloatControlBar(m_pBar, ptFloat, m_dwMRUFloatStyle != 0 ? m_dwMRUFloatStyle : CBRS_ALIGN_TOP);
  }
}
