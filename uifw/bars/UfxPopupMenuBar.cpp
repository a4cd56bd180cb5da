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
BOOL CUfxPopupMenuBar::SetDefaultButtonText(UINT uiCmd) { return CUfxToolBar::SetDefaultButtonText(uiCmd); }
void CUfxPopupMenuBar::SetButtonStyle(int, UINT) {}
void CUfxPopupMenuBar::AfterFillBackground(CDC*) {}
CSize CUfxPopupMenuBar::ComputeButtonsSize(BOOL) { return CSize(50, 20); }
void CUfxPopupMenuBar::SetHotButton(int) {}
CWnd* CUfxPopupMenuBar::GetCommandTarget() const { return nullptr; }
void CUfxPopupMenuBar::LayoutButtons() {}
void CUfxPopupMenuBar::DrawBarSeparator(CDC*, const CRect&, BOOL) {}
CUfxToolbarButton* CUfxPopupMenuBar::CreateDroppedButton(COleDataObject*) { return nullptr; }
BOOL CUfxPopupMenuBar::HandleMenuKey(UINT) { return FALSE; }
void CUfxPopupMenuBar::EnableContextMenuItems(CUfxToolbarButton*, CMenu*) {}
INT_PTR CUfxPopupMenuBar::OnToolHitTest(CPoint, TOOLINFOW*) const { return -1; }
void CUfxPopupMenuBar::UpdateCommands(BOOL) {}
void CUfxPopupMenuBar::SetHighlightedItem(int, BOOL) {}
int CUfxPopupMenuBar::HitItem(CPoint) const { return -1; }
CSize CUfxPopupMenuBar::CalcSize() { return CSize(50, 20); }
int CUfxPopupMenuBar::GetRowHeight() const { return 20; }
