#include "frames/UfxTabButton.h"
#include "frames/UfxTabWnd.h"
#include "looks/UfxVisualManager.h"

IMPLEMENT_DYNCREATE(CUfxTabButton, CUfxButton)

CUfxTabWnd* CUfxTabButton::GetTabWnd() const {
  HWND hParent = ::GetParent(m_hWnd);
  return DYNAMIC_DOWNCAST(CUfxTabWnd, CWnd::FromHandlePermanent(hParent));
}

void CUfxTabButton::OnFillBackground(CDC* pDC, const CRect& rectClient) {
  CUfxVisualManager::GetInstance()->OnEraseTabsButton(pDC, rectClient, this, GetTabWnd());
}

void CUfxTabButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) {
  CUfxVisualManager::GetInstance()->OnDrawTabsButtonBorder(pDC, rectClient, this, uiState, GetTabWnd());
}
