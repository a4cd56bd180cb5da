#include "UfxPopupMenuBar.h"
#include "UfxPopupMenu.h"
#include "UfxToolbarMenuButton.h"
#include "UfxUserToolsManager.h"

IMPLEMENT_SERIAL(CUfxPopupMenuBar, CUfxToolBar, 1)

int CUfxPopupMenuBar::m_nMenuShowDelay = -1;

BOOL UfxIsReservedCommand(UINT uiCmdId) {
  if (uiCmdId >= 0xE110 && uiCmdId <= 0xE11F) return TRUE;  // recent files
  if (uiCmdId >= 0xE210 && uiCmdId <= 0xE21F) return TRUE;  // OLE verbs
  if (uiCmdId >= 0xF000 && uiCmdId <= 0xF1EF) return TRUE;  // system commands
  if (uiCmdId > 0xFEFF) return TRUE;
  return UfxUserToolsManager != nullptr && uiCmdId == UfxUserToolsManager->GetToolsEntryCmd();
}

BEGIN_MESSAGE_MAP(CUfxPopupMenuBar, CUfxToolBar)
END_MESSAGE_MAP()

CUfxPopupMenuBar::CUfxPopupMenuBar() = default;
CUfxPopupMenuBar::~CUfxPopupMenuBar() = default;
BOOL CUfxPopupMenuBar::ImportFromMenu(HMENU, BOOL) { return FALSE; }
HMENU CUfxPopupMenuBar::ExportToMenu() const { return nullptr; }
void CUfxPopupMenuBar::ExecuteCommand(UINT, CUfxToolbarButton*) {}
void CUfxPopupMenuBar::SetInCommand(BOOL bInCommand) { m_bInCommand = bInCommand; }
void CUfxPopupMenuBar::CancelDelayTimer() {}
void CUfxPopupMenuBar::StartPopupMenuTimer(CUfxToolbarMenuButton*, int) {}
void CUfxPopupMenuBar::RestoreDelayedSubMenu() {}
void CUfxPopupMenuBar::SetOffset(int iOffset) { m_iOffset = iOffset; }
UINT CUfxPopupMenuBar::GetHiddenMnemonicCommand(TCHAR) const { return 0; }
BOOL CUfxPopupMenuBar::IsScrollDnAvailable() { return FALSE; }
CUfxPopupMenu* CUfxPopupMenuBar::GetParentPopup() const { return nullptr; }
BOOL CUfxPopupMenuBar::IsRarelyUsedCommand(UINT) { return FALSE; }
int CUfxPopupMenuBar::GetMenuShowDelay() { return 500; }
int CUfxPopupMenuBar::ParseMenuShowDelay(LPCWSTR) { return 500; }
BOOL CUfxPopupMenuBar::SetDefaultButtonText(CUfxToolbarButton* pButton) { return CUfxToolBar::SetDefaultButtonText(pButton); }
void CUfxPopupMenuBar::SetButtonStyle(int, UINT) {}
void CUfxPopupMenuBar::AfterFillBackground(CDC*) {}
CSize CUfxPopupMenuBar::ComputeButtonsSize(BOOL bVertical) { return CUfxToolBar::ComputeButtonsSize(bVertical); }
int CUfxPopupMenuBar::SetHotButton(int iHot) { return CUfxToolBar::SetHotButton(iHot); }
CWnd* CUfxPopupMenuBar::GetCommandTarget() const { return CUfxToolBar::GetCommandTarget(); }
void CUfxPopupMenuBar::LayoutButtons() { CUfxToolBar::LayoutButtons(); }
void CUfxPopupMenuBar::DrawBarSeparator(CDC* pDC, const CRect& rect, BOOL bHorz) { CUfxToolBar::DrawBarSeparator(pDC, rect, bHorz); }
CUfxToolbarButton* CUfxPopupMenuBar::CreateDroppedButton(COleDataObject* p) { return CUfxToolBar::CreateDroppedButton(p); }
BOOL CUfxPopupMenuBar::HandleMenuKey(UINT) { return FALSE; }
BOOL CUfxPopupMenuBar::EnableContextMenuItems(CUfxToolbarButton* pButton, CMenu* pPopup) { return CUfxToolBar::EnableContextMenuItems(pButton, pPopup); }
INT_PTR CUfxPopupMenuBar::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const { return CUfxToolBar::OnToolHitTest(point, pTI); }
void CUfxPopupMenuBar::UpdateCommands(BOOL) {}
void CUfxPopupMenuBar::SetHighlightedItem(int, BOOL) {}
int CUfxPopupMenuBar::HitItem(CPoint) const { return -1; }
CSize CUfxPopupMenuBar::CalcSize() { return CSize(50, 20); }
int CUfxPopupMenuBar::GetRowHeight() const { return 20; }
