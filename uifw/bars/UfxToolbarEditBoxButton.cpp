#include "bars/UfxToolbarEditBoxButton.h"
#include "bars/UfxToolbarComboBoxButton.h"
#include "bars/UfxToolBar.h"
#include "frames/UfxGlobalData.h"
#include "bars/UfxTrackMouse.h"
#include "looks/UfxVisualManager.h"
#include "frames/UfxFrameWnd.h"

IMPLEMENT_SERIAL(CUfxToolbarEditBoxButton, CUfxToolbarButton, VERSIONABLE_SCHEMA | 1)

// ---- the edit field -------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUfxToolbarEditCtrl, CEdit)
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_MOUSEMOVE()
  ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

BOOL CUfxToolbarEditCtrl::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN) {
    if (pMsg->wParam == VK_TAB) {
      if (CWnd* pParent = GetParent()) {
        const HWND hwndNext = ::GetNextDlgTabItem(pParent->GetSafeHwnd(), m_hWnd, ::GetKeyState(VK_SHIFT) < 0);
        if (hwndNext != nullptr) ::SetFocus(hwndNext);
      }
      return TRUE;
    }
    if (pMsg->wParam == VK_ESCAPE) {
      if (CWnd* pFrame = UfxGetTopLevelFrame(this)) pFrame->SetFocus();
      return TRUE;
    }
  }
  return CEdit::PreTranslateMessage(pMsg);
}

void CUfxToolbarEditCtrl::OnSetFocus(CWnd* pOldWnd) {
  CEdit::OnSetFocus(pOldWnd);
  m_button.SetHotEdit(TRUE);
}

void CUfxToolbarEditCtrl::OnKillFocus(CWnd* pNewWnd) {
  CEdit::OnKillFocus(pNewWnd);
  m_button.SetHotEdit(FALSE);
}

void CUfxToolbarEditCtrl::OnMouseMove(UINT nFlags, CPoint point) {
  CEdit::OnMouseMove(nFlags, point);
  m_button.SetHotEdit(TRUE);
  if (!m_bTracked) {
    TRACKMOUSEEVENT tme = {};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = m_hWnd;
    m_bTracked = UfxTrackMouse(&tme);
  }
}

LRESULT CUfxToolbarEditCtrl::OnMouseLeave(WPARAM, LPARAM) {
  m_bTracked = FALSE;
  if (::GetFocus() != m_hWnd) m_button.SetHotEdit(FALSE);
  return 0;
}

// ---- the button -----------------------------------------------------------------------------------

CUfxToolbarEditBoxButton::CUfxToolbarEditBoxButton() = default;

CUfxToolbarEditBoxButton::CUfxToolbarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CUfxToolbarButton(uiID, iImage), m_dwStyle(dwStyle), m_iWidth(iWidth > 0 ? iWidth : kDefaultWidth) {}

CUfxToolbarEditBoxButton::~CUfxToolbarEditBoxButton() { DestroyEdit(); }

void CUfxToolbarEditBoxButton::DestroyEdit() {
  if (m_pWndEdit == nullptr) return;
  if (m_pWndEdit->GetSafeHwnd() != nullptr) m_pWndEdit->DestroyWindow();
  delete m_pWndEdit;
  m_pWndEdit = nullptr;
}

int CUfxToolbarEditBoxButton::EditHeight() {
  CWindowDC dc(nullptr);
  CFont* pOld = dc.SelectObject(&UfxGlobalData.fontRegular);
  TEXTMETRICW tm = {};
  dc.GetTextMetrics(&tm);
  dc.SelectObject(pOld);
  return tm.tmHeight + 2 * ::GetSystemMetrics(SM_CYEDGE) + 2;
}

BOOL CUfxToolbarEditBoxButton::IsDisabledNow() const {
  return (m_nStyle & TBBS_DISABLED) || (CUfxToolBar::IsCustomizeMode() && !IsEditable());
}

void CUfxToolbarEditBoxButton::WriteToWindow(const CString& strText) {
  if (GetHwnd() == nullptr) return;
  m_bChangingText = TRUE;
  m_pWndEdit->SetWindowText(strText);
  m_bChangingText = FALSE;
}

CEdit* CUfxToolbarEditBoxButton::CreateEdit(CWnd* pWndParent, const CRect& rect) {
  CUfxToolbarEditCtrl* pEdit = new CUfxToolbarEditCtrl(*this);
  if (!pEdit->Create(m_dwStyle, rect, pWndParent, m_nID)) {
    delete pEdit;
    return nullptr;
  }
  return pEdit;
}

void CUfxToolbarEditBoxButton::OnParentChanged(CWnd* pWndParent) {
  CUfxToolbarButton::OnParentChanged(pWndParent);
  if (GetHwnd() != nullptr && ::GetParent(GetHwnd()) != pWndParent->GetSafeHwnd()) {
    m_pWndEdit->GetWindowText(m_strContents);
    DestroyEdit();
  }
  if (pWndParent == nullptr || pWndParent->GetSafeHwnd() == nullptr || m_pWndEdit != nullptr) return;
  CRect rect = m_rect;
  rect.DeflateRect(3, 1);
  rect.bottom = rect.top + EditHeight();
  m_pWndEdit = CreateEdit(pWndParent, rect);
  if (m_pWndEdit == nullptr) return;
  m_pWndEdit->SetFont(&UfxGlobalData.fontRegular);
  CString strWindow;
  m_pWndEdit->GetWindowText(strWindow);
  if (!strWindow.IsEmpty()) m_strContents = strWindow;
  else WriteToWindow(m_strContents);
}

void CUfxToolbarEditBoxButton::OnMove() {
  const HWND hwnd = GetHwnd();
  if (hwnd == nullptr || !(::GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE)) return;
  const int nHeight = EditHeight();
  const int nFieldArea = m_rect.Height() - m_nTextBelowHeight;
  const int y = m_rect.top + std::max(0, (nFieldArea - nHeight) / 2);
  ::SetWindowPos(hwnd, nullptr, m_rect.left + 3, y, m_rect.Width() - 6, nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(hwnd, EM_SETSEL, (WPARAM)-1, 0);
  ::SendMessageW(hwnd, EM_SCROLLCARET, 0, 0);
}

void CUfxToolbarEditBoxButton::OnSize(int iSize) {
  m_iWidth = iSize;
  m_rect.right = m_rect.left + m_iWidth;
  OnMove();
}

HWND CUfxToolbarEditBoxButton::GetHwnd() { return m_pWndEdit != nullptr ? m_pWndEdit->GetSafeHwnd() : nullptr; }

SIZE CUfxToolbarEditBoxButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
  m_bHorz = bHorz;
  const HWND hwnd = GetHwnd();
  if (!bHorz) {
    if (hwnd != nullptr) ::ShowWindow(hwnd, SW_HIDE);
    return CUfxToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
  }
  if (hwnd != nullptr && !m_bKeepHidden) ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  m_nTextBelowHeight = 0;
  if (m_bTextBelow && !m_strText.IsEmpty() && pDC != nullptr) {
    CRect rectText(0, 0, m_iWidth, 0);
    pDC->DrawText(StripMnemonics(m_strText), rectText, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    m_nTextBelowWidth = rectText.Width();
    m_nTextBelowHeight = rectText.Height();
  }
  return CSize(m_iWidth, sizeDefault.cy + m_nTextBelowHeight);
}

BOOL CUfxToolbarEditBoxButton::IsBorderDrawn() const {
  return !(m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr &&
           (m_pWndEdit->GetStyle() & WS_VISIBLE));
}

CRect CUfxToolbarEditBoxButton::GetEditBorder() const {
  CRect rect;
  if (m_pWndEdit == nullptr || m_pWndEdit->GetSafeHwnd() == nullptr) return rect;
  m_pWndEdit->GetWindowRect(rect);
  if (CWnd* pParent = m_pWndEdit->GetParent()) pParent->ScreenToClient(rect);
  rect.InflateRect(1, 1);
  return rect;
}

void CUfxToolbarEditBoxButton::OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz,
                                      BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                      BOOL bGrayDisabledButtons) {
  if (IsBorderDrawn()) {
    CUfxToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                              bGrayDisabledButtons);
    return;
  }
  const BOOL bDisabled = IsDisabledNow();
  CUfxVisualManager::GetInstance()->OnDrawEditBorder(pDC, GetEditBorder(), bDisabled, TRUE, this);
  if (!m_bTextBelow || !bHorz || m_strText.IsEmpty()) return;
  CRect rectLabel = rect;
  rectLabel.top = GetEditBorder().bottom;
  rectLabel.top += std::max(0, (int)(rectLabel.Height() - m_nTextBelowHeight) / 2);
  UfxDrawControlLabel(pDC, this, rectLabel, bDisabled, bHighlight);
}

const CRect CUfxToolbarEditBoxButton::Rect() const {
  const BOOL bVisible = m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr &&
                        (m_pWndEdit->GetStyle() & WS_VISIBLE);
  if (!m_bTextBelow || !bVisible || !m_bHorz || m_strText.IsEmpty()) return m_rect;
  const int nLeft = m_rect.CenterPoint().x - m_nTextBelowWidth / 2;
  return CRect(nLeft, m_rect.top, nLeft + m_nTextBelowWidth, m_rect.top + m_nTextBelowHeight);
}

BOOL CUfxToolbarEditBoxButton::OnClick(CWnd*, BOOL) {
  return m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr && (m_pWndEdit->GetStyle() & WS_VISIBLE);
}

void CUfxToolbarEditBoxButton::SetHotEdit(BOOL bHot) {
  if (m_bIsHotEdit == bHot) return;
  m_bIsHotEdit = bHot;
  if (m_pWndEdit != nullptr)
    if (CWnd* pParent = m_pWndEdit->GetParent()) {
      CRect rect = m_rect;
      rect.InflateRect(1, 1);
      pParent->InvalidateRect(rect);
      pParent->UpdateWindow();
    }
}

BOOL CUfxToolbarEditBoxButton::NotifyCommand(int iNotifyCode) {
  if (iNotifyCode != EN_UPDATE || GetHwnd() == nullptr) return FALSE;
  m_pWndEdit->GetWindowText(m_strContents);
  CObList lstButtons;
  CUfxToolBar::GetCommandButtons(m_nID, lstButtons);
  for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarEditBoxButton* pOther = DYNAMIC_DOWNCAST(CUfxToolbarEditBoxButton, lstButtons.GetNext(pos));
    if (pOther != nullptr && pOther != this) pOther->SetContents(m_strContents);
  }
  // A change that SetContents made is no user's input.
  return !m_bChangingText;
}

void CUfxToolbarEditBoxButton::SetContents(const CString& strContents) {
  if (strContents == m_strContents) return;
  m_strContents = strContents;
  WriteToWindow(strContents);
}

void CUfxToolbarEditBoxButton::SyncWithSameCommand() {
  CObList lstButtons;
  CUfxToolBar::GetCommandButtons(m_nID, lstButtons);
  for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarEditBoxButton* pOther = DYNAMIC_DOWNCAST(CUfxToolbarEditBoxButton, lstButtons.GetNext(pos));
    if (pOther == nullptr) continue;
    if (pOther != this) CopyFrom(*pOther);
    return;
  }
}

HBRUSH CUfxToolbarEditBoxButton::OnCtlColor(CDC* pDC, UINT) {
  pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
  pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
  return ::GetSysColorBrush(COLOR_WINDOW);
}

int CUfxToolbarEditBoxButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) {
  const int nWidth = CUfxToolbarButton::OnDrawOnCustomizeList(pDC, rect, bSelected);
  CRect rectEdit = rect;
  rectEdit.left = std::min((int)rect.right - 8, std::max((int)rect.left + nWidth, (int)rect.right - (int)rect.Width() / 3));
  rectEdit.DeflateRect(2, 3);
  pDC->FillSolidRect(rectEdit, UfxGlobalData.clrWindow);
  pDC->DrawEdge(rectEdit, EDGE_SUNKEN, BF_RECT);
  return rect.Width();
}

void CUfxToolbarEditBoxButton::Show(BOOL bShow) {
  const HWND hwnd = GetHwnd();
  if (hwnd == nullptr) return;
  if (bShow && m_bHorz) {
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    OnMove();
  } else {
    ::ShowWindow(hwnd, SW_HIDE);
  }
}

void CUfxToolbarEditBoxButton::SetStyle(UINT nStyle) {
  CUfxToolbarButton::SetStyle(nStyle);
  if (const HWND hwnd = GetHwnd()) ::EnableWindow(hwnd, !IsDisabledNow());
}

void CUfxToolbarEditBoxButton::CopyFrom(const CUfxToolbarButton& src) {
  CUfxToolbarButton::CopyFrom(src);
  const CUfxToolbarEditBoxButton* pSrc =
      DYNAMIC_DOWNCAST(CUfxToolbarEditBoxButton, const_cast<CUfxToolbarButton*>(&src));
  if (pSrc == nullptr) return;
  m_dwStyle = pSrc->m_dwStyle;
  m_iWidth = pSrc->m_iWidth;
  SetContents(pSrc->m_strContents);
}

void CUfxToolbarEditBoxButton::Serialize(CArchive& ar) {
  CUfxToolbarButton::Serialize(ar);
  if (ar.IsStoring()) {
    // Without a field the text the button keeps is stored.
    if (GetHwnd() != nullptr) m_pWndEdit->GetWindowText(m_strContents);
    ar << (DWORD)m_iWidth << (DWORD)m_dwStyle << m_strContents;
    return;
  }
  DWORD dwWidth = 0, dwStyle = 0;
  CString strContents;
  ar >> dwWidth >> dwStyle >> strContents;
  m_iWidth = (int)dwWidth;
  m_rect.right = m_rect.left + m_iWidth;
  m_dwStyle = dwStyle;
  SetContents(strContents);
}
