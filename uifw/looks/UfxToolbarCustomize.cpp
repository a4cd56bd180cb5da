#include "looks/UfxToolbarCustomize.h"
#include "bars/UfxToolBar.h"

IMPLEMENT_DYNAMIC(CUfxToolbarCustomize, CPropertySheet)

CUfxToolbarCustomize::CUfxToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus, UINT uiFlags,
                                           CList<CRuntimeClass*, CRuntimeClass*>*)
    : CPropertySheet(L"", pWndParentFrame), m_pParentFrame(pWndParentFrame), m_bAutoSetFromMenus(bAutoSetFromMenus),
      m_uiFlags(uiFlags & ~0x40u) {}

CUfxToolbarCustomize::~CUfxToolbarCustomize() {
  if (CUfxToolBar::GetCustomizeSheet() == this) CUfxToolBar::SetCustomizeSheet(nullptr);
}

void CUfxToolbarCustomize::ShowToolBar(CUfxToolBar*, BOOL) {}

void CUfxToolbarCustomize::SetFrameCustomizeMode(BOOL bCustomize) {
  CUfxToolBar::SetCustomizeSheet(bCustomize ? this : nullptr);
  CUfxToolBar::SetCustomizeMode(bCustomize);
  if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr)
    m_pParentFrame->SendMessage(UFXM_CUSTOMIZETOOLBAR, (WPARAM)bCustomize);
}
