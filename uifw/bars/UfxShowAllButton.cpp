#include "UfxShowAllButton.h"

IMPLEMENT_DYNCREATE(CUfxShowAllButton, CUfxToolbarMenuButton)

CUfxShowAllButton::CUfxShowAllButton() = default;
CUfxShowAllButton::~CUfxShowAllButton() = default;
void CUfxShowAllButton::OnDraw(CDC*, const CRect&, CUfxToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL) {}
SIZE CUfxShowAllButton::OnCalculateSize(CDC*, const CSize& sizeDefault, BOOL) { return CSize(50, sizeDefault.cy); }
BOOL CUfxShowAllButton::OnClick(CWnd*, BOOL) { return FALSE; }
BOOL CUfxShowAllButton::OnToolHitTest(const CWnd*, TOOLINFOW*) { return FALSE; }
BOOL CUfxShowAllButton::OpenPopupMenu(CWnd* pWnd) { return OnClick(pWnd, FALSE); }
CString CUfxShowAllButton::TooltipText() { return CString(); }
