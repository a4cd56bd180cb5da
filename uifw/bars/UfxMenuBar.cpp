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
BOOL CUfxMenuBar::SetDefaultButtonText(CUfxToolbarButton* pButton) { return CUfxToolBar::SetDefaultButtonText(pButton); }
int CUfxMenuBar::RowHeight() const { return CUfxToolBar::RowHeight(); }
int CUfxMenuBar::ColumnWidth() const { return CUfxToolBar::ColumnWidth(); }
BOOL CUfxMenuBar::LoadState(LPCWSTR, int, UINT) { return TRUE; }
CSize CUfxMenuBar::ComputeBarLayout(DWORD dwMode, int nLength) { return CUfxToolBar::ComputeBarLayout(dwMode, nLength); }
BOOL CUfxMenuBar::SaveState(LPCWSTR, int, UINT) { return TRUE; }
BOOL CUfxMenuBar::RestoreOriginalState() { return TRUE; }
int CUfxMenuBar::SetHotButton(int iHot) { return CUfxToolBar::SetHotButton(iHot); }
int CUfxMenuBar::FindDropIndex(CPoint point, CRect& rectDrag) const { return CUfxToolBar::FindDropIndex(point, rectDrag); }
void CUfxMenuBar::LayoutButtons() { CUfxToolBar::LayoutButtons(); }
BOOL CUfxMenuBar::OnSendCommand(const CUfxToolbarButton*) { return FALSE; }
BOOL CUfxMenuBar::IsMenuOnlyButton(CUfxToolbarButton*) const { return TRUE; }
void CUfxMenuBar::ForEachStoredBar(void (*)(CUfxToolbarButton*, LPARAM), LPARAM) {}
void CUfxMenuBar::CreateFromMenu(HMENU, BOOL, BOOL) {}
void CUfxMenuBar::SetMaximizeMode(BOOL, CWnd*, BOOL) {}
void CUfxMenuBar::RestoreMaximizeMode() {}
void CUfxMenuBar::OnFrameDeactivated() {}
int CUfxMenuBar::GetDroppedIndex() const { return -1; }
BOOL CUfxMenuBar::PrevMenu() { return CUfxToolBar::PrevMenu(); }
BOOL CUfxMenuBar::NextMenu() { return CUfxToolBar::NextMenu(); }
BOOL CUfxMenuBar::TranslateChar(UINT) { return FALSE; }
void CUfxMenuBar::OnPopupClosed(CUfxToolbarMenuButton*) {}
void CUfxMenuBar::OnPopupOpened(CUfxToolbarMenuButton*) {}
CUfxToolbarMenuButton* CUfxMenuBar::GetDroppedMenuButton(int& iIndex) const { iIndex = -1; return nullptr; }
void CUfxMenuBar::Deactivate() { CUfxToolBar::Deactivate(); }
CString CUfxMenuBar::MenuItemText(UINT) const { return CString(); }
CFont& CUfxMenuBar::GetMenuFont(BOOL bHorz) { return bHorz ? UfxGlobalData.fontRegular : UfxGlobalData.fontVert; }
void CUfxMenuBar::UpdateMDIChildrenMenus(CMultiDocTemplate*) {}
CString CUfxMenuBar::RegPath(LPCWSTR) { return CString(); }
