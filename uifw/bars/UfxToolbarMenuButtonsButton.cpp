#include "UfxToolbarMenuButtonsButton.h"

IMPLEMENT_DYNCREATE(CUfxToolbarMenuButtonsButton, CUfxToolbarButton)

CUfxToolbarMenuButtonsButton::CUfxToolbarMenuButtonsButton() = default;
CUfxToolbarMenuButtonsButton::CUfxToolbarMenuButtonsButton(UINT uiCmdId) : m_uiSystemCommand(uiCmdId) {}
CUfxToolbarMenuButtonsButton::~CUfxToolbarMenuButtonsButton() = default;
void CUfxToolbarMenuButtonsButton::CopyFrom(const CUfxToolbarButton& src) { CUfxToolbarButton::CopyFrom(src); }
void CUfxToolbarMenuButtonsButton::OnDraw(CDC*, const CRect&, CUfxToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL) {}
SIZE CUfxToolbarMenuButtonsButton::OnCalculateSize(CDC*, const CSize&, BOOL) {
  return CSize(::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE));
}
