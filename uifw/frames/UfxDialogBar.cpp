#include "frames/UfxDialogBar.h"
#include "frames/UfxGlobalData.h"
#include <algorithm>

IMPLEMENT_SERIAL(CUfxDialogBar, CUfxSizingControlBar, VERSIONABLE_SCHEMA | 1)

BEGIN_MESSAGE_MAP(CUfxDialogBar, CUfxSizingControlBar)
  ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CUfxDialogBar::CUfxDialogBar() = default;

CUfxDialogBar::~CUfxDialogBar() = default;

BOOL CUfxDialogBar::Create(LPCWSTR lpszWindowName, CWnd* pParentWnd, BOOL bHasGripper, LPCWSTR lpszTemplateName,
                           UINT nStyle, UINT nID) {
  m_dwStyle = nStyle & CBRS_ALL;
  m_lpszTemplateName = lpszTemplateName;
  m_nCaptionSize = bHasGripper ? std::max(UfxGlobalData.m_nTextHeightHorz, 12) : 0;
  if (!CreateDlg(lpszTemplateName, pParentWnd)) return FALSE;
  SetDlgCtrlID((int)nID);
  if (lpszWindowName != nullptr) SetWindowText(lpszWindowName);
  CRect rect;
  GetWindowRect(&rect);
  m_sizeDefault = rect.Size();
  m_szHorz = m_szVert = m_szFloat = m_sizeDefault;
  ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
  SetBarStyle(m_dwStyle | CBRS_SIZE_DYNAMIC);
  // Shown with no size: the frame's layout gives it its place.
  SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return TRUE;
}

BOOL CUfxDialogBar::SetOccDialogInfo(_AFX_OCC_DIALOG_INFO* pOccDialogInfo) {
  m_pOccDialogInfo = pOccDialogInfo;
  return TRUE;
}

LRESULT CUfxDialogBar::HandleInitDialog(WPARAM, LPARAM) {
  Default();
  // Hosted controls of the template are made here, by the control container when there is one.
  if (AfxControlContainerEnabled() && m_pOccDialogInfo != nullptr &&
      !AfxCreateOleDialogItems(m_hWnd, *m_pOccDialogInfo))
    return FALSE;
  return TRUE;
}

BOOL CUfxDialogBar::OnEraseBkgnd(CDC* pDC) {
  CRect rect;
  GetClientRect(&rect);
  pDC->FillRect(&rect, &UfxGlobalData.brBtnFace);
  return TRUE;
}

CSize CUfxDialogBar::CalcDynamicLayout(int nLength, DWORD nMode) {
  if (m_bAllowSizing) return CUfxSizingControlBar::CalcDynamicLayout(nLength, nMode);
  return CControlBar::CalcDynamicLayout(nLength, nMode);
}

CSize CUfxDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  if (m_bAllowSizing) return CUfxSizingControlBar::CalcFixedLayout(bStretch, bHorz);
  CSize size = m_sizeDefault;
  if (bStretch) {
    if (bHorz) size.cx = 32767;
    else size.cy = 32767;
  }
  size.cx += 2 * m_nBorderInset;
  size.cy += 2 * m_nBorderInset;
  if (IsVertDocked()) {
    size.cy += m_nCaptionSize;
    if (IsEdgeSizable(HTLEFT) || IsEdgeSizable(HTRIGHT)) size.cx += m_nEdgeWidth;
  } else if (IsHorzDocked()) {
    size.cx += m_nCaptionSize;
    if (IsEdgeSizable(HTTOP) || IsEdgeSizable(HTBOTTOM)) size.cy += m_nEdgeWidth;
  }
  const CSize sizeBase = CControlBar::CalcFixedLayout(bStretch, bHorz);
  return CSize(std::max(size.cx, sizeBase.cx), std::max(size.cy, sizeBase.cy));
}

void CUfxDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CCmdUI state;
  CWnd wndTemp;
  for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    // The control's own reflected handler first, then the bar's own routing.
    if (BeginChildUpdate(hChild, state, wndTemp)) continue;
    if (OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr)) continue;
    BOOL bDisable = FALSE;
    if (bDisableIfNoHndler && (::SendMessageW(hChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) {
      const UINT nType = (UINT)::GetWindowLongPtrW(hChild, GWL_STYLE) & BS_TYPEMASK;
      bDisable = nType != BS_AUTOCHECKBOX && nType != BS_AUTO3STATE && nType != BS_GROUPBOX && nType != BS_AUTORADIOBUTTON;
    }
    state.DoUpdate(pTarget, bDisable);
  }
  wndTemp.m_hWnd = nullptr;
}
