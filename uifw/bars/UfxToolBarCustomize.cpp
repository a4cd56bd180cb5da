// CUfxToolBar: customize mode, its commands and drops.
#include "bars/UfxToolBarShared.h"
#include "bars/UfxToolbarButton.h"
#include "bars/UfxCommandUsage.h"
#include "bars/UfxCustomizeButton.h"
#include "bars/UfxToolbarSystemMenuButton.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxFrameHelper.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxKeyboardManager.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "frames/UfxRegistry.h"
#include "bars/UfxTrackMouse.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxUserToolsManager.h"
#include "looks/UfxVisualManager.h"
#include "frames/UfxWorkspace.h"
#include "FwReBar.h"
#include <commctrl.h>

using namespace ufx_toolbar;

// ---- customize mode and drops ---------------------------------------------------------------------

BOOL CUfxToolBar::SetCustomizeMode(BOOL bSet) {
  if (s_bCustomizeMode == bSet) return FALSE;
  // A bar's change may create or destroy bars: the walk starts again when the count changes.
  for (;;) {
    const INT_PTR nCount = s_lstAllToolbars.GetCount();
    BOOL bRestart = FALSE;
    for (POSITION pos = s_lstAllToolbars.GetHeadPosition(); pos != nullptr;) {
      CUfxToolBar* pBar = static_cast<CUfxToolBar*>(s_lstAllToolbars.GetNext(pos));
      pBar->OnCustomizeModeChanged(bSet);
      if (s_lstAllToolbars.GetCount() != nCount) {
        bRestart = TRUE;
        break;
      }
    }
    if (!bRestart) break;
  }
  s_bCustomizeMode = bSet;
  if (!bSet) s_pSelToolbar = nullptr;
  for (POSITION pos = s_lstAllToolbars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = static_cast<CUfxToolBar*>(s_lstAllToolbars.GetNext(pos));
    if (pBar->GetSafeHwnd() == nullptr) continue;
    if (pBar->m_pCustomizeBtn != nullptr) pBar->AdjustLayout();
    pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  return TRUE;
}

void CUfxToolBar::OnCustomizeModeChanged(BOOL bCustomizeMode) {
  m_iButtonCapture = -1;
  m_iHighlighted = -1;
  m_iSelected = -1;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    pButton->OnCancelMode();
    if (!(pButton->m_nStyle & TBBS_DISABLED)) pButton->EnableWindow(!bCustomizeMode);
  }
}

BOOL CUfxToolBar::EnableContextMenuItems(CUfxToolbarButton* pButton, CMenu* pPopup) {
  return pButton != nullptr && pPopup != nullptr && pButton->OnCustomizeMenu(pPopup);
}

DROPEFFECT CUfxToolBar::OnDragEnter(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }

DROPEFFECT CUfxToolBar::OnDragOver(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }

void CUfxToolBar::OnDragLeave() {
  m_iDragIndex = -1;
  m_rectDrag.SetRectEmpty();
}

BOOL CUfxToolBar::OnDrop(COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }

int CUfxToolBar::FindDropIndex(CPoint, CRect& rectDrag) const {
  rectDrag.SetRectEmpty();
  return -1;
}

CUfxToolbarButton* CUfxToolBar::CreateDroppedButton(COleDataObject* pDataObject) {
  return CUfxToolbarButton::CreateFromOleData(pDataObject);
}

BOOL CUfxBarDropTarget::Register(CUfxToolBar* pOwner) {
  m_pOwner = pOwner;
  return COleDropTarget::Register(pOwner);
}

DROPEFFECT CUfxBarDropTarget::OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  if (!CUfxToolBar::IsCustomizeMode() || !pDataObject->IsDataAvailable(CUfxToolbarButton::GetClipboardFormat()))
    return DROPEFFECT_NONE;
  return m_pOwner->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CUfxBarDropTarget::OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  if (!CUfxToolBar::IsCustomizeMode() || !pDataObject->IsDataAvailable(CUfxToolbarButton::GetClipboardFormat()))
    return DROPEFFECT_NONE;
  return m_pOwner->OnDragOver(pDataObject, dwKeyState, point);
}

void CUfxBarDropTarget::OnDragLeave(CWnd*) { m_pOwner->OnDragLeave(); }

BOOL CUfxBarDropTarget::OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) {
  if (!CUfxToolBar::IsCustomizeMode() || !pDataObject->IsDataAvailable(CUfxToolbarButton::GetClipboardFormat()))
    return FALSE;
  return m_pOwner->OnDrop(pDataObject, dropEffect, point);
}

void CUfxToolBar::NotifyFontsChanged() {
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) AsButton(m_Buttons.GetNext(pos))->OnGlobalFontsChanged();
}
