// The frame's side of a print preview: what it puts away while the preview takes its place.
#include "Framework.h"
#include "FwPreview.h"

// The bars a preview hides: every visible control bar of the frame but the dock bars, the
// message bar (it shows the preview's page) and the preview's own bar; and any other visible
// child window in the bars' id range.
static std::vector<HWND> BarsToHide(CFrameWnd* pFrame) {
  std::vector<HWND> bars;
  auto keep = [](UINT nID) { return nID == AFX_IDW_STATUS_BAR || nID == AFX_IDW_PREVIEW_BAR; };
  for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
    auto* pBar = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
    if (pBar->m_hWnd != nullptr && !pBar->IsDockBar() && pBar->IsVisible() && !keep((UINT)pBar->GetDlgCtrlID()))
      bars.push_back(pBar->m_hWnd);
  }
  for (HWND h = ::GetTopWindow(pFrame->m_hWnd); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
    UINT nID = (UINT)::GetDlgCtrlID(h);
    CWnd* pWnd = CWnd::FromHandlePermanent(h);
    if (nID < AFX_IDW_CONTROLBAR_FIRST || nID > AFX_IDW_CONTROLBAR_LAST || keep(nID) || !::IsWindowVisible(h) ||
        (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar))))
      continue;
    bars.push_back(h);
  }
  return bars;
}

// Shows or hides a bar the way its kind wants: control bars through the frame's layout.
static void ShowBar(CFrameWnd* pFrame, HWND hBar, BOOL bShow) {
  CWnd* pWnd = CWnd::FromHandlePermanent(hBar);
  if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar))) {
    CFrameWnd* pOwner = ((CControlBar*)pWnd)->GetDockingFrame();
    (pOwner != nullptr ? pOwner : pFrame)->ShowControlBar((CControlBar*)pWnd, bShow, FALSE);
  } else {
    ::ShowWindow(hBar, bShow ? SW_SHOWNA : SW_HIDE);
  }
}

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
  m_lpfnCloseProc = bPreview ? pState->lpfnCloseProc : nullptr;
  if (bPreview) {
    pState->hMenu = ::GetMenu(m_hWnd);
    ::SetMenu(m_hWnd, nullptr);
    pState->hAccelTable = m_hAccelTable;
    m_hAccelTable = nullptr;
    pState->dwStates = 0;
    pState->hiddenBars = BarsToHide(this);
    for (HWND h : pState->hiddenBars) {
      UINT nID = (UINT)::GetDlgCtrlID(h);
      if (nID >= AFX_IDW_CONTROLBAR_FIRST && nID - AFX_IDW_CONTROLBAR_FIRST < 32)
        pState->dwStates |= 1u << (nID - AFX_IDW_CONTROLBAR_FIRST);
      ShowBar(this, h, FALSE);
    }
    // The pane steps aside under another id; the preview view takes the pane's id.
    if (HWND hPane = ::GetDlgItem(m_hWnd, (int)pState->nIDMainPane)) {
      ::SetWindowLongPtrW(hPane, GWLP_ID, AFX_IDW_PANE_SAVE);
      ::ShowWindow(hPane, SW_HIDE);
    }
  } else {
    if (HWND hPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_SAVE)) {
      ::SetWindowLongPtrW(hPane, GWLP_ID, (LONG_PTR)pState->nIDMainPane);
      ::ShowWindow(hPane, SW_SHOW);
    }
    for (HWND h : pState->hiddenBars)
      if (::IsWindow(h)) ShowBar(this, h, TRUE);
    pState->hiddenBars.clear();
    m_hAccelTable = pState->hAccelTable;
    ::SetMenu(m_hWnd, pState->hMenu);
  }
  ::DrawMenuBar(m_hWnd);
  RecalcLayout();
}

BOOL CFrameWnd::ClosePrintPreview() {
  if (m_lpfnCloseProc == nullptr) return TRUE;
  if (!(*m_lpfnCloseProc)(this)) return FALSE;
  return m_lpfnCloseProc == nullptr;
}

void CMDIFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
  CFrameWnd::OnSetPreviewMode(bPreview, pState);
  if (!bPreview) {
    // The window menu lives in the menu the client merged for the active child: merge it again.
    OnUpdateFrameMenu(nullptr);
    ::DrawMenuBar(m_hWnd);
  }
}
