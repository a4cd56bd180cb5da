// CDialogBar: a control bar made from a dialog template; its controls update at idle time
// through the frame's command route and keep the dialog's keyboard navigation.
#include "Framework.h"

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

BEGIN_MESSAGE_MAP(CDialogBar, CControlBar)
  ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CDialogBar::CDialogBar() {
  m_cxLeftBorder = m_cxRightBorder = 6;
  m_cxDefaultGap = m_cyTopBorder = m_cyBottomBorder = 0;
}

CDialogBar::~CDialogBar() {
  if (m_hWnd != nullptr) DestroyWindow();
}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCWSTR lpszTemplateName, UINT nStyle, UINT nID) {
  m_dwStyle = nStyle & CBRS_ALL;
  m_lpszTemplateName = lpszTemplateName;
  if (!CreateDlg(lpszTemplateName, pParentWnd)) return FALSE;
  // The template's size is the bar's size; the window gets the bar's id.
  SetDlgCtrlID((int)nID);
  CRect rect;
  GetWindowRect(&rect);
  m_sizeDefault = rect.Size();
  ModifyStyle(0, WS_CLIPSIBLINGS);
  // Shown with no size: the frame's layout gives it its place.
  SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return TRUE;
}

LRESULT CDialogBar::HandleInitDialog(WPARAM, LPARAM) {
  Default();
  return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  if (bStretch) return CSize(bHorz ? 32767 : m_sizeDefault.cx, bHorz ? m_sizeDefault.cy : 32767);
  return m_sizeDefault;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL CDialogBar::PreTranslateMessage(MSG* pMsg) {
  if (CControlBar::PreTranslateMessage(pMsg)) return TRUE;
  // Tab and arrow keys move between the bar's controls.
  bool key = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
  if (!key || m_hWnd == nullptr || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))) return FALSE;
  return ::IsDialogMessageW(m_hWnd, pMsg);
}
