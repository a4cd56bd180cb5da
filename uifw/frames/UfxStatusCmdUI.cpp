#include "frames/UfxStatusCmdUI.h"
#include "frames/UfxStatusBar.h"

CUfxStatusCmdUI::CUfxStatusCmdUI(CUfxStatusBar* pBar) : m_pBar(pBar) { m_pOther = pBar; }

void CUfxStatusCmdUI::Enable(BOOL bOn) {
  m_bEnableChanged = TRUE;
  UINT nStyle = m_pBar->GetPaneStyle((int)m_nIndex) & ~SBPS_DISABLED;
  if (!bOn) nStyle |= SBPS_DISABLED;
  m_pBar->SetPaneStyle((int)m_nIndex, nStyle);
}

void CUfxStatusCmdUI::SetCheck(int nCheck) {
  UINT nStyle = m_pBar->GetPaneStyle((int)m_nIndex) & ~SBPS_POPOUT;
  if (nCheck != 0) nStyle |= SBPS_POPOUT;
  m_pBar->SetPaneStyle((int)m_nIndex, nStyle);
}

void CUfxStatusCmdUI::SetText(LPCWSTR lpszText) { m_pBar->SetPaneText((int)m_nIndex, lpszText, TRUE); }
