#include "bars/UfxDropDownToolBar.h"
#include "bars/UfxDropDownFrame.h"
#include "bars/UfxDropDownToolbarButton.h"
#include "bars/UfxToolbarButton.h"
#include "bars/UfxTrackMouse.h"

IMPLEMENT_SERIAL(CUfxDropDownToolBar, CUfxToolBar, 1)

BEGIN_MESSAGE_MAP(CUfxDropDownToolBar, CUfxToolBar)
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

BOOL CUfxDropDownToolBar::LoadToolBarImages(UINT uiResID, UINT uiColdResID, UINT uiDisabledResID, UINT uiLargeResID,
                                            UINT uiLargeColdResID, UINT uiLargeDisabledResID, UINT uiMenuResID,
                                            UINT uiMenuDisabledResID, BOOL) {
  return CUfxToolBar::LoadToolBarImages(uiResID, uiColdResID, uiDisabledResID, uiLargeResID, uiLargeColdResID,
                                        uiLargeDisabledResID, uiMenuResID, uiMenuDisabledResID, TRUE);
}

BOOL CUfxDropDownToolBar::LoadToolBarResource(UINT uiToolbarResID, UINT uiResID, UINT uiColdResID,
                                              UINT uiDisabledResID, UINT uiLargeResID, UINT uiLargeColdResID,
                                              UINT uiLargeDisabledResID, UINT uiMenuResID, UINT uiMenuDisabledResID,
                                              BOOL) {
  return CUfxToolBar::LoadToolBarResource(uiToolbarResID, uiResID, uiColdResID, uiDisabledResID, uiLargeResID,
                                          uiLargeColdResID, uiLargeDisabledResID, uiMenuResID, uiMenuDisabledResID,
                                          TRUE);
}

void CUfxDropDownToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  // The frame's bar updates against the command target of the bar that holds the button.
  CUfxDropDownFrame* pFrame = DYNAMIC_DOWNCAST(CUfxDropDownFrame, GetParent());
  if (pFrame != nullptr && pFrame->m_pParentBtn != nullptr && pFrame->m_pParentBtn->m_pWndParent != nullptr) {
    CUfxToolBar* pBar = DYNAMIC_DOWNCAST(CUfxToolBar, pFrame->m_pParentBtn->m_pWndParent);
    CFrameWnd* pCmdTarget = pBar != nullptr ? DYNAMIC_DOWNCAST(CFrameWnd, pBar->GetCommandTarget()) : nullptr;
    if (pCmdTarget != nullptr) pTarget = pCmdTarget;
  }
  CUfxToolBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

void CUfxDropDownToolBar::CopyFromSource(CUfxToolBar& source) {
  m_bLocked = TRUE;
  source.m_ImagesLocked.CopyTo(m_ImagesLocked);
  source.m_ColdImagesLocked.CopyTo(m_ColdImagesLocked);
  source.m_DisabledImagesLocked.CopyTo(m_DisabledImagesLocked);
  m_sizeLockedButton = source.m_sizeLockedButton;
  m_sizeLockedImage = source.m_sizeLockedImage;
  m_sizeCurLockedButton = source.m_sizeCurLockedButton;
  m_sizeCurLockedImage = source.m_sizeCurLockedImage;
  m_bLargeIconsAreEnabled = source.m_bLargeIconsAreEnabled;
  m_bTextLabels = source.m_bTextLabels;
  m_bMenuMode = source.m_bMenuMode;
  RemoveAllButtons();
  for (POSITION pos = source.GetAllButtons().GetHeadPosition(); pos != nullptr;)
    InsertButtonCopy(*static_cast<CUfxToolbarButton*>(source.GetAllButtons().GetNext(pos)));
}

void CUfxDropDownToolBar::OnMouseMove(UINT, CPoint point) {
  int iHit = HitTest(point);
  if (const CUfxToolbarButton* pHit = GetButton(iHit)) {
    if ((pHit->m_nStyle & TBBS_SEPARATOR) || ((pHit->m_nStyle & TBBS_DISABLED) && !IsCustomizeMode())) iHit = -1;
  }
  if (!m_bTracked) TrackMouseLeave();
  if (iHit == m_iHighlighted) return;
  const int iOld = m_iHighlighted;
  m_iHighlighted = iHit;
  InvalidateButton(iOld);
  InvalidateButton(iHit);
  if (const CUfxToolbarButton* pHit = GetButton(iHit)) ShowCommandPrompt(pHit->m_nID);
  else SendIdlePrompt();
  UpdateWindow();
}

BOOL CUfxDropDownToolBar::OnSendCommand(const CUfxToolbarButton* pButton) {
  CUfxDropDownFrame* pFrame = DYNAMIC_DOWNCAST(CUfxDropDownFrame, GetParent());
  if (pFrame == nullptr || pFrame->m_pParentBtn == nullptr) return FALSE;
  const UINT uiCmd = pButton->m_nID;
  if (uiCmd == 0 || uiCmd == (UINT)-1 || (pButton->m_nStyle & (TBBS_DISABLED | TBBS_SEPARATOR))) return FALSE;
  CUfxDropDownToolbarButton* pDropDown = pFrame->m_pParentBtn;
  pDropDown->SetDefaultCommand(uiCmd);
  CWnd* pTarget = nullptr;
  if (CUfxToolBar* pBar = DYNAMIC_DOWNCAST(CUfxToolBar, pDropDown->m_pWndParent)) pTarget = pBar->GetCommandTarget();
  if (pTarget == nullptr && pDropDown->m_pWndParent != nullptr) pTarget = pDropDown->m_pWndParent->GetOwner();
  if (pTarget != nullptr) pTarget->PostMessage(WM_COMMAND, uiCmd);
  return TRUE;
}

void CUfxDropDownToolBar::OnLButtonUp(UINT, CPoint point) {
  CRect rectClient;
  GetClientRect(rectClient);
  CWnd* pFrame = GetParent();
  if (GetCapture() == this) ::ReleaseCapture();
  if (rectClient.PtInRect(point)) {
    if (CUfxToolbarButton* pButton = GetButton(HitTest(point))) {
      m_iButtonCapture = HitTest(point);
      pButton->m_nStyle |= TBBS_PRESSED;
      OnSendCommand(pButton);
      pButton->m_nStyle &= ~TBBS_PRESSED;
      m_iButtonCapture = -1;
    }
  }
  if (pFrame != nullptr && ::IsWindow(pFrame->GetSafeHwnd())) pFrame->DestroyWindow();
}
