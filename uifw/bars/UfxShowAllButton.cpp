#include "bars/UfxShowAllButton.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "bars/UfxToolBar.h"
#include "looks/UfxAccelText.h"
#include "looks/UfxVisualManager.h"

IMPLEMENT_DYNCREATE(CUfxShowAllButton, CUfxToolbarMenuButton)

CUfxShowAllButton::CUfxShowAllButton() = default;
CUfxShowAllButton::~CUfxShowAllButton() = default;

void CUfxShowAllButton::OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages*, BOOL, BOOL, BOOL bHighlight, BOOL,
                               BOOL) {
  CRect rectBar = rect;
  rectBar.DeflateRect(0, 1);
  FillInterior(pDC, rectBar, bHighlight);
  const BOOL bPushed = (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) != 0;
  const CUfxVisualManager::UFX_BUTTON_STATE state = bHighlight ? CUfxVisualManager::ButtonsIsHighlighted
                                                    : bPushed  ? CUfxVisualManager::ButtonsIsPressed
                                                               : CUfxVisualManager::ButtonsIsRegular;
  CUfxVisualManager::GetInstance()->OnDrawShowAllMenuItems(pDC, rectBar, state);
  if (bPushed) CUfxVisualManager::GetInstance()->OnDrawButtonBorder(pDC, this, rectBar, CUfxVisualManager::ButtonsIsPressed);
  else if (bHighlight) CUfxVisualManager::GetInstance()->OnDrawButtonBorder(pDC, this, rectBar, CUfxVisualManager::ButtonsIsHighlighted);
}

SIZE CUfxShowAllButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL) {
  return CSize(50, CUfxVisualManager::GetInstance()->GetShowAllMenuItemsHeight(pDC, sizeDefault));
}

BOOL CUfxShowAllButton::OnClick(CWnd* pWnd, BOOL bDelay) {
  CUfxPopupMenuBar* pBar = DYNAMIC_DOWNCAST(CUfxPopupMenuBar, pWnd != nullptr ? pWnd : m_pWndParent);
  if (pBar == nullptr) return FALSE;
  if (!bDelay) {
    if (CUfxPopupMenu* pPopup = pBar->GetParentPopup()) pPopup->ShowAllCommands();
  } else if (CUfxToolBar::IsShowAllMenusAfterDelay()) {
    pBar->StartPopupMenuTimer(this, 2);
  }
  return TRUE;
}

BOOL CUfxShowAllButton::OpenPopupMenu(CWnd* pWnd) { return OnClick(pWnd, FALSE); }

CString CUfxShowAllButton::TooltipText() {
  ACCEL accel = {};
  accel.fVirt = FVIRTKEY | FCONTROL;
  accel.key = VK_DOWN;
  CString strKey;
  CUfxAccelText(&accel).Format(strKey);
  CString strFormat;
  strFormat.LoadString(16025);
  // Only the first "%s" takes the shortcut; any other "%" stays as it is.
  const int iPos = strFormat.Find(L"%s");
  if (iPos < 0) return strFormat;
  return strFormat.Left(iPos) + strKey + strFormat.Mid(iPos + 2);
}

BOOL CUfxShowAllButton::OnToolHitTest(const CWnd*, TOOLINFOW* pTI) {
  if (pTI == nullptr) return FALSE;
  const CString strText = TooltipText();
  const size_t cch = (size_t)strText.GetLength() + 1;
  // The tooltip control frees the text with the record.
  pTI->lpszText = (LPWSTR)::malloc(cch * sizeof(WCHAR));
  if (pTI->lpszText == nullptr) return FALSE;
  wcscpy_s(pTI->lpszText, cch, strText);
  pTI->uId = 0;
  pTI->rect = m_rect;
  return TRUE;
}
