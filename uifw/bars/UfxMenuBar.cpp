#include "UfxMenuBar.h"
#include "UfxToolbarMenuButton.h"
#include "UfxGlobalData.h"

IMPLEMENT_SERIAL(CUfxMenuBar, CUfxToolBar, VERSIONABLE_SCHEMA | 1)

BOOL CUfxMenuBar::m_bDrawAllArrows = FALSE;
HHOOK CUfxMenuBar::m_hookMouseDrag = nullptr;
CUfxMenuBar* CUfxMenuBar::m_pDraggedMenuBar = nullptr;

BEGIN_MESSAGE_MAP(CUfxMenuBar, CUfxToolBar)
END_MESSAGE_MAP()

CUfxMenuBar::CUfxMenuBar() = default;
CUfxMenuBar::~CUfxMenuBar() = default;
BOOL CUfxMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}
BOOL CUfxMenuBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
  m_pParentWnd = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
  return CUfxToolBar::CreateEx(pParentWnd, dwCtrlStyle, dwStyle, rcBorders, nID);
}
BOOL CUfxMenuBar::PreTranslateMessage(MSG* pMsg) { return CUfxToolBar::PreTranslateMessage(pMsg); }
CSize CUfxMenuBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) { return CUfxToolBar::CalcFixedLayout(bStretch, bHorz); }
CSize CUfxMenuBar::CalcDynamicLayout(int nLength, DWORD dwMode) { return CUfxToolBar::CalcDynamicLayout(nLength, dwMode); }
BOOL CUfxMenuBar::SetDefaultButtonText(UINT uiCmd) { return CUfxToolBar::SetDefaultButtonText(uiCmd); }
int CUfxMenuBar::GetRowHeight() const { return 20; }
int CUfxMenuBar::GetColumnWidth() const { return 23; }
BOOL CUfxMenuBar::LoadState(LPCWSTR, int, UINT) { return TRUE; }
BOOL CUfxMenuBar::SaveState(LPCWSTR, int, UINT) { return TRUE; }
BOOL CUfxMenuBar::RestoreOriginalState() { return TRUE; }
void CUfxMenuBar::SetHotButton(int) {}
int CUfxMenuBar::FindDropIndex(const CPoint, CRect&) const { return -1; }
void CUfxMenuBar::LayoutButtons() {}
BOOL CUfxMenuBar::OnSendCommand(const CUfxToolbarButton*) { return FALSE; }
BOOL CUfxMenuBar::IsMenuOnlyButton(const CUfxToolbarButton*) const { return TRUE; }
void CUfxMenuBar::ForEachStoredBar(void (*)(CUfxToolbarButton*, LPARAM), LPARAM) {}
void CUfxMenuBar::CreateFromMenu(HMENU, BOOL, BOOL) {}
void CUfxMenuBar::SetMaximizeMode(BOOL, CWnd*, BOOL) {}
void CUfxMenuBar::RestoreMaximizeMode() {}
void CUfxMenuBar::OnFrameDeactivated() {}
int CUfxMenuBar::GetDroppedIndex() const { return -1; }
BOOL CUfxMenuBar::PrevMenu() { return FALSE; }
BOOL CUfxMenuBar::NextMenu() { return FALSE; }
BOOL CUfxMenuBar::TranslateChar(UINT) { return FALSE; }
void CUfxMenuBar::OnPopupClosed(CUfxToolbarMenuButton*) {}
void CUfxMenuBar::Deactivate() {}
CString CUfxMenuBar::MenuItemText(UINT) const { return CString(); }
CFont& CUfxMenuBar::GetMenuFont(BOOL bHorz) { return bHorz ? UfxGlobalData.fontRegular : UfxGlobalData.fontVert; }
void CUfxMenuBar::UpdateMDIChildrenMenus(CMultiDocTemplate*) {}
CString CUfxMenuBar::RegPath(LPCWSTR) { return CString(); }
