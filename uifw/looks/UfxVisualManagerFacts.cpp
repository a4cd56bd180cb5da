// What the looks read of the bars they draw: a button's state and place, a popup menu's parent
// button, a toolbar's customize button. The looks ask the bar classes directly.
#include "looks/UfxVisualManager.h"
#include "bars/UfxCustomizeButton.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxShowAllButton.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarButton.h"
#include "bars/UfxToolbarMenuButton.h"
#include "frames/UfxOutlookButton.h"

namespace {
CUfxVisualManager::UFX_BUTTON_FACTS CommonFacts(const CUfxToolbarButton* pButton, BOOL bMenuButton) {
  CUfxVisualManager::UFX_BUTTON_FACTS facts;
  facts.nStyle = pButton->m_nStyle;
  facts.bHorz = pButton->m_bHorz;
  facts.bMenuButton = bMenuButton;
  facts.bCustomizeMode = CUfxToolBar::IsCustomizeMode();
  facts.bCanCustomize = pButton->IsEditable();
  facts.bOutlookButton = pButton->IsKindOf(RUNTIME_CLASS(CUfxOutlookButton));
  return facts;
}

CUfxVisualManager::UFX_BUTTON_FACTS MenuButtonFacts(CUfxToolbarMenuButton* pMenu) {
  CUfxVisualManager::UFX_BUTTON_FACTS facts = CommonFacts(pMenu, TRUE);
  facts.bMenuItem = pMenu->m_bMenuMode;
  facts.bOnMenuBar = DYNAMIC_DOWNCAST(CUfxMenuBar, pMenu->m_pWndParent) != nullptr;
  facts.bShowAllButton = pMenu->IsKindOf(RUNTIME_CLASS(CUfxShowAllButton));
  if (const CCustomizeButton* pCustomize = DYNAMIC_DOWNCAST(CCustomizeButton, pMenu)) {
    facts.bCustomizeButton = TRUE;
    facts.rectExtra = pCustomize->m_rectExtra;
  }
  facts.rectButton = pMenu->Rect();
  facts.bMenuShadows = CUfxToolBar::IsMenuShadows();
  CUfxPopupMenu* pPopup = pMenu->m_pPopupMenu;
  if (pPopup != nullptr && ::IsWindow(pPopup->GetSafeHwnd())) {
    facts.bPopupOpen = TRUE;
    CRect rectWindow;
    pPopup->GetWindowRect(rectWindow);
    CRect rectPopup(rectWindow.TopLeft(), pPopup->m_FinalSize);  // without its shadow
    if (pMenu->m_pWndParent != nullptr && pMenu->m_pWndParent->GetSafeHwnd() != nullptr)
      pMenu->m_pWndParent->ScreenToClient(rectPopup);
    facts.rectPopup = rectPopup;
    facts.nDropDirection = pPopup->GetDropDirection();
  }
  return facts;
}
}  // namespace

CUfxVisualManager::UFX_BUTTON_FACTS CUfxVisualManager::DescribeButton(CUfxToolbarButton* pButton) {
  if (pButton == nullptr) return UFX_BUTTON_FACTS();
  if (CUfxToolbarMenuButton* pMenu = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pButton)) return MenuButtonFacts(pMenu);
  return CommonFacts(pButton, FALSE);
}

CUfxVisualManager::UFX_BUTTON_FACTS CUfxVisualManager::DescribeButton(CUfxToolbarMenuButton* pButton) {
  if (pButton != nullptr) return MenuButtonFacts(pButton);
  UFX_BUTTON_FACTS facts;
  facts.bMenuButton = TRUE;
  return facts;
}

CUfxVisualManager::UFX_MENU_FACTS CUfxVisualManager::DescribeMenu(CUfxPopupMenu* pMenu) {
  UFX_MENU_FACTS facts;
  if (pMenu == nullptr) return facts;
  facts.bCustomizeMode = CUfxToolBar::IsCustomizeMode();
  CUfxToolbarMenuButton* pButton = pMenu->GetParentButton();
  CUfxToolBar* pBar = pMenu->GetParentToolBar();
  if (pButton == nullptr || pBar == nullptr || pMenu->GetParentPopupMenu() != nullptr) return facts;
  if (!pButton->m_bVisible || !pBar->IsWindowVisible() || pMenu->GetSafeHwnd() == nullptr) return facts;
  CRect rectButton = pButton->Rect();
  pBar->ClientToScreen(&rectButton);
  pMenu->ScreenToClient(&rectButton);
  facts.bHasParentButton = TRUE;
  facts.rectButton = rectButton;
  facts.nDropDirection = pMenu->GetDropDirection();
  facts.bCustomizeButton = pButton->IsKindOf(RUNTIME_CLASS(CCustomizeButton));
  facts.bOnMenuBar = pBar->IsKindOf(RUNTIME_CLASS(CUfxMenuBar));
  return facts;
}

CUfxVisualManager::UFX_TOOLBAR_FACTS CUfxVisualManager::DescribeToolBar(CControlBar* pBar) {
  UFX_TOOLBAR_FACTS facts;
  CUfxToolBar* pToolBar = DYNAMIC_DOWNCAST(CUfxToolBar, pBar);
  if (pToolBar == nullptr) return facts;
  const int iLast = pToolBar->GetButtonCount() - 1;
  CCustomizeButton* pCustomize = DYNAMIC_DOWNCAST(CCustomizeButton, pToolBar->GetButton(iLast));
  if (pCustomize == nullptr) return facts;
  facts.pCustomizeButton = pCustomize;
  facts.bCustomizeHighlighted = pToolBar->GetHighlightedButton() == iLast;
  facts.bCustomizePushed = (pCustomize->m_nStyle & (TBBS_PRESSED | TBBS_CHECKED)) != 0;
  facts.bHasHiddenButtons = !pCustomize->GetInvisibleButtons().IsEmpty();
  facts.bHasCustomizeMenu = pCustomize->GetCustomizeCmdId() > 0;
  facts.pCustomizeExtra = &pCustomize->m_rectExtra;
  return facts;
}
