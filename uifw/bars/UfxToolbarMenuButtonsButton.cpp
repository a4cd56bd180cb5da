#include "bars/UfxToolbarMenuButtonsButton.h"
#include "looks/UfxVisualManager.h"

IMPLEMENT_DYNCREATE(CUfxToolbarMenuButtonsButton, CUfxToolbarButton)

CUfxToolbarMenuButtonsButton::CUfxToolbarMenuButtonsButton() = default;

CUfxToolbarMenuButtonsButton::CUfxToolbarMenuButtonsButton(UINT uiCmdId) : m_uiSystemCommand(uiCmdId) {}

CUfxToolbarMenuButtonsButton::~CUfxToolbarMenuButtonsButton() = default;

void CUfxToolbarMenuButtonsButton::CopyFrom(const CUfxToolbarButton& src) {
  CUfxToolbarButton::CopyFrom(src);
  const CUfxToolbarMenuButtonsButton* p = DYNAMIC_DOWNCAST(CUfxToolbarMenuButtonsButton, const_cast<CUfxToolbarButton*>(&src));
  if (p != nullptr) m_uiSystemCommand = p->m_uiSystemCommand;
}

SIZE CUfxToolbarMenuButtonsButton::OnCalculateSize(CDC*, const CSize&, BOOL) {
  return CSize(::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE));
}

void CUfxToolbarMenuButtonsButton::OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages*, BOOL, BOOL, BOOL bHighlight,
                                          BOOL, BOOL) {
  CUfxVisualManager::GetInstance()->OnDrawMenuSystemButton(pDC, rect, m_uiSystemCommand, m_nStyle, bHighlight);
}
