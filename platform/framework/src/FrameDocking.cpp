// CFrameWnd: its list of control bars, the four dock bars, docking, floating, showing and
// hiding bars (delayed or at once, floating frames included).
#include "Framework.h"

namespace {
// The dock bars EnableDocking makes, with the bar styles of their sides.
const struct { UINT nID; DWORD dwStyle; } kDockBars[4] = {
  {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
  {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
  {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
  {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};
}  // namespace

void CFrameWnd::AddControlBar(CControlBar* pBar) {
  if (pBar != nullptr && m_listControlBars.Find(pBar) == nullptr) m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
  POSITION pos = m_listControlBars.Find(pBar);
  if (pos != nullptr) m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
  if (nID == 0) return nullptr;
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;) {
    CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
    if (pBar->m_hWnd != nullptr && (UINT)::GetDlgCtrlID(pBar->m_hWnd) == nID) return pBar;
  }
  return nullptr;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
  m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
  for (const auto& side : kDockBars) {
    if (!(side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(side.nID) != nullptr) continue;
    CDockBar* pDock = new CDockBar;
    if (!pDock->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | side.dwStyle, side.nID)) {
      delete pDock;
      AfxThrowResourceException();
    }
  }
}

// The dock bar a bar goes to when none is named: its own side, else a side it may dock on.
static CDockBar* DefaultDockBar(CFrameWnd* pFrame, CControlBar* pBar) {
  for (const auto& side : kDockBars)
    if ((side.dwStyle & CBRS_ALIGN_ANY) == (pBar->m_dwStyle & CBRS_ALIGN_ANY))
      if (CDockBar* pDock = DYNAMIC_DOWNCAST(CDockBar, pFrame->GetControlBar(side.nID))) return pDock;
  DWORD allowed = pBar->m_dwDockStyle & CBRS_ALIGN_ANY;
  for (const auto& side : kDockBars)
    if (side.dwStyle & allowed)
      if (CDockBar* pDock = DYNAMIC_DOWNCAST(CDockBar, pFrame->GetControlBar(side.nID))) return pDock;
  for (const auto& side : kDockBars)
    if (CDockBar* pDock = DYNAMIC_DOWNCAST(CDockBar, pFrame->GetControlBar(side.nID))) return pDock;
  return nullptr;
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  CDockBar* pDockBar = nDockBarID == 0 ? nullptr : DYNAMIC_DOWNCAST(CDockBar, GetControlBar(nDockBarID));
  DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (pBar == nullptr || pBar->m_hWnd == nullptr) return;
  if (pDockBar == nullptr) pDockBar = DefaultDockBar(this, pBar);
  // Without EnableDocking on the frame there is nowhere to dock.
  if (pDockBar == nullptr) return;
  pDockBar->DockControlBar(pBar, lpRect);
}

void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (pBar == nullptr || pBar->m_hWnd == nullptr) return;
  if (pDockBar == nullptr) {
    // The side that kept the bar's place.
    void* holder = (void*)(UINT_PTR)(WORD)pBar->GetDlgCtrlID();
    for (const auto& side : kDockBars) {
      CDockBar* pDock = DYNAMIC_DOWNCAST(CDockBar, GetControlBar(side.nID));
      if (pDock != nullptr && AfxIsPlaceHolder(holder) && pDock->FindBar((CControlBar*)holder) > 0) {
        pDockBar = pDock;
        break;
      }
    }
  }
  if (pDockBar == nullptr) pDockBar = DefaultDockBar(this, pBar);
  if (pDockBar == nullptr) return;
  pDockBar->ReDockControlBar(pBar, lpRect);
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle) {
  CRuntimeClass* pClass = m_pFloatingFrameClass != nullptr ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
  CObject* pObject = pClass->CreateObject();
  CMiniDockFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pObject);
  if (pFrame == nullptr) {
    delete pObject;
    AfxThrowMemoryException();
  }
  if (!pFrame->Create(this, dwStyle)) {
    // A frame whose window never came deletes itself at its end; one that came partly is ended here.
    if (pFrame->m_hWnd != nullptr) pFrame->DestroyWindow();
    AfxThrowResourceException();
  }
  return pFrame;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  if (pBar == nullptr || pBar->m_hWnd == nullptr) return;
  // A bar alone in its floating frame, in the same orientation, only moves the frame.
  CDockBar* pOldDock = pBar->m_pDockBar;
  if (pBar->m_pDockSite != nullptr && pOldDock != nullptr && pOldDock->m_bFloating &&
      pOldDock->GetDockedCount() == 1 && (dwStyle & pOldDock->m_dwStyle & CBRS_ALIGN_ANY) != 0) {
    CFrameWnd* pDockFrame = pOldDock->GetParentFrame();
    if (pDockFrame != nullptr) {
      pDockFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      pDockFrame->RecalcLayout(TRUE);
      pDockFrame->UpdateWindow();
      return;
    }
  }
  if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
    dwStyle |= CBRS_SIZE_DYNAMIC;
    if (dwStyle & CBRS_ORIENT_VERT) {
      dwStyle &= ~CBRS_ALIGN_ANY;
      dwStyle |= CBRS_ALIGN_TOP;
    }
  }
  CMiniDockFrameWnd* pDockFrame = CreateFloatingFrame(dwStyle);
  pDockFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (pDockFrame->m_hWndOwner == nullptr) pDockFrame->m_hWndOwner = pBar->m_hWnd;
  pDockFrame->m_wndDockBar.DockControlBar(pBar);
  pDockFrame->RecalcLayout(TRUE);
  if (pBar->GetStyle() & WS_VISIBLE) {
    pDockFrame->ShowWindow(SW_SHOWNA);
    pDockFrame->UpdateWindow();
  }
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  if (pBar == nullptr || pBar->m_hWnd == nullptr) return;
  CFrameWnd* pParentFrame = pBar->GetDockingFrame();
  if (pParentFrame == nullptr) return;
  if (bDelay) {
    pBar->DelayShow(bShow);
    pParentFrame->DelayRecalcLayout();
  } else {
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    pBar->DelayShow(bShow);  // clears any pending change
    if (bShow || !pBar->IsFloating()) pParentFrame->RecalcLayout(FALSE);
  }
  if (!pBar->IsFloating()) return;
  // A floating frame is shown with its first visible bar and hidden with its last.
  int nVisCount = pBar->m_pDockBar != nullptr ? pBar->m_pDockBar->GetDockedVisibleCount() : (bShow ? 1 : 0);
  if (nVisCount == 1 && bShow) {
    pParentFrame->m_nShowDelay = -1;
    if (bDelay) {
      pParentFrame->m_nShowDelay = SW_SHOWNA;
      pParentFrame->RecalcLayout(FALSE);
    } else {
      pParentFrame->ShowWindow(SW_SHOWNA);
    }
  } else if (nVisCount == 0) {
    pParentFrame->m_nShowDelay = -1;
    if (bDelay) pParentFrame->m_nShowDelay = SW_HIDE;
    else pParentFrame->ShowWindow(SW_HIDE);
  } else if (!bDelay) {
    pParentFrame->RecalcLayout(FALSE);
  }
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar) {
  dwDockStyle &= CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI;
  if (ppDockBar != nullptr) *ppDockBar = nullptr;
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;) {
    CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
    if (!pBar->IsDockBar() || !pBar->IsWindowVisible()) continue;
    CDockBar* pDockBar = (CDockBar*)pBar;
    // Floating dock bars take only bars that float together.
    if (!(pDockBar->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY)) continue;
    if (pDockBar->m_bFloating && !(dwDockStyle & pDockBar->m_dwStyle & CBRS_FLOAT_MULTI)) continue;
    CRect rectBar;
    pDockBar->GetWindowRect(&rectBar);
    if (rectBar.Width() == 0) rectBar.right++;
    if (rectBar.Height() == 0) rectBar.bottom++;
    if (rectBar.IntersectRect(rectBar, rect)) {
      if (ppDockBar != nullptr) *ppDockBar = pDockBar;
      return pDockBar->m_dwStyle & dwDockStyle;
    }
  }
  return 0;
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags) {
  // Floating frames owned by this frame that follow its state.
  struct Ctx { HWND hOwner; DWORD dwFlags; } ctx = {m_hWnd, dwFlags};
  ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND h, LPARAM lp) -> BOOL {
    Ctx* c = (Ctx*)lp;
    if (::GetWindow(h, GW_OWNER) == c->hOwner && (::GetWindowLongPtrW(h, GWL_STYLE) & MFS_SYNCACTIVE) &&
        DYNAMIC_DOWNCAST(CMiniFrameWnd, CWnd::FromHandlePermanent(h)) != nullptr)
      ::SendMessageW(h, WM_FLOATSTATUS, c->dwFlags, 0);
    return TRUE;
  }, (LPARAM)&ctx);
}
