// The frame's side of a print preview: what it puts away while the preview takes its place.
#include "Framework.h"
#include "FwPreview.h"

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
  if (bPreview) {
    pState->hMenu = ::GetMenu(m_hWnd);
    ::SetMenu(m_hWnd, nullptr);
    pState->hAccelTable = m_hAccelTable;
    m_hAccelTable = nullptr;
    // The visible control bars go, but the message bar, which shows the preview's page.
    pState->dwStates = 0;
    pState->hiddenBars.clear();
    for (HWND h = ::GetTopWindow(m_hWnd); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
      UINT nID = (UINT)::GetDlgCtrlID(h);
      if (nID < AFX_IDW_CONTROLBAR_FIRST || nID > AFX_IDW_CONTROLBAR_LAST || nID == AFX_IDW_STATUS_BAR ||
          nID == AFX_IDW_PREVIEW_BAR || !::IsWindowVisible(h))
        continue;
      if (nID - AFX_IDW_CONTROLBAR_FIRST < 32) pState->dwStates |= 1u << (nID - AFX_IDW_CONTROLBAR_FIRST);
      pState->hiddenBars.push_back(h);
    }
    for (HWND h : pState->hiddenBars) ::ShowWindow(h, SW_HIDE);
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
      if (::IsWindow(h)) ::ShowWindow(h, SW_SHOWNA);
    pState->hiddenBars.clear();
    m_hAccelTable = pState->hAccelTable;
    ::SetMenu(m_hWnd, pState->hMenu);
  }
  ::DrawMenuBar(m_hWnd);
  RecalcLayout();
}
