#include "UfxPopupMenu.h"
#include "UfxToolbarMenuButton.h"
#include "UfxMenuBar.h"

IMPLEMENT_SERIAL(CUfxPopupMenu, CMiniFrameWnd, VERSIONABLE_SCHEMA | 1)

UINT CUfxPopupMenu::m_AnimationSpeed = 30;
BOOL CUfxPopupMenu::m_bForceShowAllMenus = FALSE;
CUfxPopupMenu* CUfxPopupMenu::m_pActivePopupMenu = nullptr;

BEGIN_MESSAGE_MAP(CUfxPopupMenu, CMiniFrameWnd)
END_MESSAGE_MAP()

CUfxPopupMenu::CUfxPopupMenu() = default;
CUfxPopupMenu::CUfxPopupMenu(CObject* pCustPage, LPCWSTR lpszTitle) : m_pCustPage(pCustPage), m_strCaption(lpszTitle) {}
CUfxPopupMenu::~CUfxPopupMenu() = default;
BOOL CUfxPopupMenu::TearOff(CPoint) { return FALSE; }
CControlBar* CUfxPopupMenu::CreateTearOffBar(CFrameWnd*, UINT, LPCWSTR) { return nullptr; }
BOOL CUfxPopupMenu::Create(CWnd*, int, int, HMENU, BOOL, BOOL) { return FALSE; }
BOOL CUfxPopupMenu::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  return CMiniFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
BOOL CUfxPopupMenu::PreTranslateMessage(MSG* pMsg) { return CMiniFrameWnd::PreTranslateMessage(pMsg); }
void CUfxPopupMenu::PostNcDestroy() { delete this; }
void CUfxPopupMenu::RecalcLayout(BOOL) {}
CUfxPopupMenu* CUfxPopupMenu::GetParentPopupMenu() const { return nullptr; }
CUfxMenuBar* CUfxPopupMenu::GetParentMenuBar() const { return nullptr; }
CUfxToolBar* CUfxPopupMenu::GetParentToolBar() const { return nullptr; }
CUfxPopupMenu* CUfxPopupMenu::GetTopLevelPopup() { return this; }
int CUfxPopupMenu::InsertItem(const CUfxToolbarMenuButton&, int) { return -1; }
int CUfxPopupMenu::InsertSeparator(int) { return -1; }
void CUfxPopupMenu::RemoveAllItems() {}
void CUfxPopupMenu::CloseMenu(BOOL) {}
void CUfxPopupMenu::ShowAllCommands() {}
CUfxPopupMenu::MENUAREA_TYPE CUfxPopupMenu::CheckArea(const CPoint&) const { return OUTSIDE; }
BOOL CUfxPopupMenu::PostCommand(UINT) { return FALSE; }
BOOL CUfxPopupMenu::OnMouseMove(const CPoint&) { return FALSE; }
void CUfxPopupMenu::SetMaxWidth(int iMaxWidth) { m_iMaxWidth = iMaxWidth; }
void CUfxPopupMenu::SetAnimationSpeed(UINT nElapse) { m_AnimationSpeed = nElapse; }
void CUfxPopupMenu::EnableMenuSound(BOOL) {}
BOOL CUfxPopupMenu::IsMenuSound() { return TRUE; }
BOOL CUfxPopupMenu::ActivatePopupMenu(CFrameWnd*, CUfxPopupMenu*) { return TRUE; }
void CUfxPopupMenu::UpdateAllShadows(LPRECT) {}
