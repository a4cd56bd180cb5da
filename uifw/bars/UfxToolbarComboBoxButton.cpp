#include "bars/UfxToolbarComboBoxButton.h"
#include "bars/UfxToolbarMenuButton.h"
#include "bars/UfxToolBar.h"
#include "frames/UfxGlobalData.h"
#include "bars/UfxMenuGlyphs.h"
#include "looks/UfxVisualManager.h"
#include "frames/UfxWorkspace.h"
#include "FwControls.h"

IMPLEMENT_SERIAL(CUfxToolbarComboBoxButton, CUfxToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace {
BOOL IsChildOrSelf(HWND hwndParent, HWND hwnd) {
  return hwndParent != nullptr && hwnd != nullptr && (hwnd == hwndParent || ::IsChild(hwndParent, hwnd));
}

// The other combo buttons of a command on every toolbar.
template <typename F>
void ForOtherCombos(const CUfxToolbarComboBoxButton* pSelf, F f) {
  CObList lstButtons;
  CUfxToolBar::GetCommandButtons(pSelf->m_nID, lstButtons);
  for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarComboBoxButton* pOther = DYNAMIC_DOWNCAST(CUfxToolbarComboBoxButton, lstButtons.GetNext(pos));
    if (pOther != nullptr && pOther != pSelf) f(pOther);
  }
}
}  // namespace

void UfxDrawControlLabel(CDC* pDC, CUfxToolbarButton* pButton, const CRect& rectLabel, BOOL bDisabled,
                         BOOL bHighlight) {
  COLORREF clr = UfxGlobalData.clrWindowText;
  if (bDisabled) clr = UfxGlobalData.clrGrayedText;
  else if (bHighlight)
    clr = CUfxVisualManager::GetInstance()->GetToolbarButtonTextColor(pButton, CUfxVisualManager::ButtonsIsHighlighted);
  const COLORREF clrOld = pDC->SetTextColor(clr);
  CRect rect = rectLabel;
  pDC->DrawText(CUfxToolbarButton::StripMnemonics(pButton->m_strText), rect, DT_CENTER | DT_WORDBREAK);
  pDC->SetTextColor(clrOld);
}

CUfxToolbarComboBoxButton::CUfxToolbarComboBoxButton() = default;

CUfxToolbarComboBoxButton::CUfxToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CUfxToolbarButton(uiID, iImage), m_dwStyle(dwStyle), m_iWidth(iWidth > 0 ? iWidth : kDefaultWidth) {}

CUfxToolbarComboBoxButton::~CUfxToolbarComboBoxButton() { DestroyCombo(); }

void CUfxToolbarComboBoxButton::DestroyCombo() {
  if (m_pWndCombo == nullptr) return;
  if (m_pWndCombo->GetSafeHwnd() != nullptr) m_pWndCombo->DestroyWindow();
  delete m_pWndCombo;
  m_pWndCombo = nullptr;
}

BOOL CUfxToolbarComboBoxButton::IsDisabledNow() const {
  return (m_nStyle & TBBS_DISABLED) || (CUfxToolBar::IsCustomizeMode() && !IsEditable());
}

CComboBox* CUfxToolbarComboBoxButton::CreateCombo(CWnd* pWndParent, const CRect& rect) {
  CComboBox* pCombo = new CComboBox;
  if (!pCombo->Create(m_dwStyle, rect, pWndParent, m_nID)) {
    delete pCombo;
    return nullptr;
  }
  return pCombo;
}

void CUfxToolbarComboBoxButton::OnParentChanged(CWnd* pWndParent) {
  CUfxToolbarButton::OnParentChanged(pWndParent);
  if (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr &&
      ::GetParent(m_pWndCombo->GetSafeHwnd()) != pWndParent->GetSafeHwnd())
    DestroyCombo();
  if (pWndParent == nullptr || pWndParent->GetSafeHwnd() == nullptr) return;
  if (m_pWndCombo == nullptr) {
    CRect rect = m_rect;
    rect.DeflateRect(2, 0);
    rect.bottom = rect.top + m_nDropDownHeight;
    m_pWndCombo = CreateCombo(pWndParent, rect);
    if (m_pWndCombo == nullptr) return;
  }
  m_pWndCombo->EnableWindow(!IsDisabledNow());
  OnMove();
  m_pWndCombo->SetFont(&UfxGlobalData.fontRegular);
  if (m_pWndCombo->GetCount() == 0) {
    FillWindowFromItems();
  } else {
    ReadItemsFromWindow();
  }
  if (m_iSelIndex >= 0 && m_iSelIndex < GetCount()) {
    m_strEdit = GetItem(m_iSelIndex);
    m_pWndCombo->SetCurSel(m_iSelIndex);
  }
}

void CUfxToolbarComboBoxButton::FillWindowFromItems() {
  POSITION posData = m_lstItemData.GetHeadPosition();
  for (POSITION pos = m_lstItems.GetHeadPosition(); pos != nullptr;) {
    const int iIndex = m_pWndCombo->AddString(m_lstItems.GetNext(pos));
    const DWORD dwData = posData != nullptr ? m_lstItemData.GetNext(posData) : 0;
    if (iIndex >= 0) m_pWndCombo->SetItemData(iIndex, dwData);
  }
  if (m_iSelIndex >= 0) m_pWndCombo->SetCurSel(m_iSelIndex);
}

void CUfxToolbarComboBoxButton::ReadItemsFromWindow() {
  if (m_pWndCombo == nullptr || m_pWndCombo->GetSafeHwnd() == nullptr) return;
  OnBeforeItemsChange();
  m_lstItems.RemoveAll();
  m_lstItemData.RemoveAll();
  for (int i = 0; i < m_pWndCombo->GetCount(); ++i) {
    CString strItem;
    m_pWndCombo->GetLBText(i, strItem);
    m_lstItems.AddTail(strItem);
    m_lstItemData.AddTail((DWORD)m_pWndCombo->GetItemData(i));
  }
  OnAfterItemsChange();
  m_iSelIndex = m_pWndCombo->GetCurSel();
}

int CUfxToolbarComboBoxButton::AddItem(LPCWSTR lpszItem, DWORD dwData) {
  OnBeforeItemsChange();
  m_lstItems.AddTail(lpszItem);
  m_lstItemData.AddTail(dwData);
  OnAfterItemsChange();
  if (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr) {
    const int iIndex = m_pWndCombo->AddString(lpszItem);
    if (iIndex >= 0) m_pWndCombo->SetItemData(iIndex, dwData);
  }
  return GetCount() - 1;
}

CString CUfxToolbarComboBoxButton::GetItem(int iIndex) const {
  POSITION pos = iIndex >= 0 ? m_lstItems.FindIndex(iIndex) : nullptr;
  return pos != nullptr ? m_lstItems.GetAt(pos) : CString();
}

DWORD CUfxToolbarComboBoxButton::GetItemData(int iIndex) const {
  POSITION pos = iIndex >= 0 ? m_lstItemData.FindIndex(iIndex) : nullptr;
  return pos != nullptr ? m_lstItemData.GetAt(pos) : 0;
}

void CUfxToolbarComboBoxButton::OnMove() {
  if (m_pWndCombo == nullptr || m_pWndCombo->GetSafeHwnd() == nullptr || m_rect.IsRectEmpty()) return;
  CRect rect = m_rect;
  if (m_bOnToolbar) {
    const CSize sizeExtra = CUfxVisualManager::GetInstance()->GetButtonExtraBorder();
    rect.DeflateRect(sizeExtra.cx / 2, sizeExtra.cy / 2);
  }
  m_pWndCombo->SetWindowPos(nullptr, rect.left + 1, rect.top, rect.Width() - 2, m_nDropDownHeight,
                            SWP_NOZORDER | SWP_NOACTIVATE);
  m_pWndCombo->SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF));
  m_pWndCombo->GetWindowRect(m_rectCombo);
  if (CWnd* pParent = m_pWndCombo->GetParent()) pParent->ScreenToClient(m_rectCombo);
}

void CUfxToolbarComboBoxButton::OnSize(int iSize) {
  m_iWidth = iSize;
  m_rect.right = m_rect.left + m_iWidth;
  OnMove();
}

HWND CUfxToolbarComboBoxButton::GetHwnd() { return m_pWndCombo != nullptr ? m_pWndCombo->GetSafeHwnd() : nullptr; }

int CUfxToolbarComboBoxButton::MeasureLabelBelow(CDC* pDC, int nWidth) const {
  if (!m_bTextBelow || m_strText.IsEmpty() || pDC == nullptr) return 0;
  CRect rectText(0, 0, nWidth, 0);
  pDC->DrawText(StripMnemonics(m_strText), rectText, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
  return rectText.Height();
}

SIZE CUfxToolbarComboBoxButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
  m_bHorz = bHorz;
  const HWND hwnd = GetHwnd();
  if (!bHorz) {
    if (hwnd != nullptr) ::ShowWindow(hwnd, SW_HIDE);
    return CUfxToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
  }
  if (hwnd != nullptr && !m_bKeepHidden) ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  m_nTextBelowHeight = MeasureLabelBelow(pDC, m_iWidth);
  int nHeight = sizeDefault.cy;
  if (hwnd != nullptr) {
    CRect rectWnd;
    ::GetWindowRect(hwnd, rectWnd);
    nHeight = rectWnd.Height();
  }
  return CSize(m_iWidth, nHeight + m_nTextBelowHeight);
}

void CUfxToolbarComboBoxButton::OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz,
                                       BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                       BOOL bGrayDisabledButtons) {
  if (GetHwnd() == nullptr || !bHorz) {
    CUfxToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                              bGrayDisabledButtons);
    return;
  }
  // The window paints itself; only a label below it is the button's.
  if (!m_bTextBelow || m_strText.IsEmpty()) return;
  CRect rectLabel = rect;
  rectLabel.top = m_rectCombo.bottom;
  UfxDrawControlLabel(pDC, this, rectLabel, IsDisabledNow(), bHighlight);
}

BOOL CUfxToolbarComboBoxButton::OnClick(CWnd*, BOOL) { return GetHwnd() != nullptr && m_bHorz; }

BOOL CUfxToolbarComboBoxButton::SelectItem(int iIndex, BOOL bNotify) {
  if (iIndex < 0 || iIndex >= GetCount()) return FALSE;
  m_iSelIndex = iIndex;
  if (GetHwnd() == nullptr) return TRUE;
  m_strEdit = GetItem(iIndex);
  m_pWndCombo->SetWindowText(m_strEdit);
  if (m_pWndCombo->GetCurSel() != iIndex) {
    if (m_pWndCombo->SetCurSel(iIndex) == CB_ERR) return FALSE;
    if (bNotify) NotifyCommand(CBN_SELENDOK);
  }
  return TRUE;
}

BOOL CUfxToolbarComboBoxButton::NotifyCommand(int iNotifyCode) {
  if (m_pWndCombo == nullptr || m_pWndCombo->GetSafeHwnd() == nullptr) return FALSE;
  switch (iNotifyCode) {
    case CBN_SELCHANGE:
    case CBN_KILLFOCUS:
    case CBN_EDITUPDATE:
      return TRUE;
    case CBN_EDITCHANGE: {
      m_pWndCombo->GetWindowText(m_strEdit);
      const CString strText = m_strEdit;
      ForOtherCombos(this, [&](CUfxToolbarComboBoxButton* pOther) {
        pOther->m_strEdit = strText;
        if (pOther->GetHwnd() != nullptr) pOther->m_pWndCombo->SetWindowText(strText);
      });
      return TRUE;
    }
    case CBN_SELENDOK: {
      const int iSel = m_pWndCombo->GetCurSel();
      if (iSel < 0) return FALSE;
      m_iSelIndex = iSel;
      m_strEdit = GetItem(iSel);
      ForOtherCombos(this, [&](CUfxToolbarComboBoxButton* pOther) {
        if (pOther->IsWindowVisible()) pOther->SelectItem(iSel, FALSE);
      });
      return TRUE;
    }
    default:
      return FALSE;
  }
}

void CUfxToolbarComboBoxButton::Show(BOOL bShow) {
  const HWND hwnd = GetHwnd();
  if (hwnd == nullptr) return;
  if (bShow && m_bHorz) {
    OnMove();
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  } else {
    ::ShowWindow(hwnd, SW_HIDE);
  }
}

void CUfxToolbarComboBoxButton::SetStyle(UINT nStyle) {
  CUfxToolbarButton::SetStyle(nStyle);
  if (const HWND hwnd = GetHwnd()) ::EnableWindow(hwnd, !IsDisabledNow());
}

void CUfxToolbarComboBoxButton::EnableWindow(BOOL bEnable) {
  if (const HWND hwnd = GetHwnd()) ::EnableWindow(hwnd, bEnable);
}

BOOL CUfxToolbarComboBoxButton::IsWindowVisible() {
  const HWND hwnd = GetHwnd();
  return hwnd != nullptr && (::GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

BOOL CUfxToolbarComboBoxButton::IsOwnerOf(HWND hwnd) { return IsChildOrSelf(GetHwnd(), hwnd); }

BOOL CUfxToolbarComboBoxButton::HasFocus() const {
  const HWND hwndCombo = m_pWndCombo != nullptr ? m_pWndCombo->GetSafeHwnd() : nullptr;
  if (hwndCombo == nullptr) return FALSE;
  return m_pWndCombo->GetDroppedState() || IsChildOrSelf(hwndCombo, ::GetFocus());
}

HBRUSH CUfxToolbarComboBoxButton::OnCtlColor(CDC* pDC, UINT) {
  pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
  pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
  return ::GetSysColorBrush(COLOR_WINDOW);
}

void CUfxToolbarComboBoxButton::OnGlobalFontsChanged() {
  if (const HWND hwnd = GetHwnd()) ::SendMessageW(hwnd, WM_SETFONT, (WPARAM)UfxGlobalData.fontRegular.GetSafeHandle(), TRUE);
}

void CUfxToolbarComboBoxButton::SyncWithSameCommand() {
  CObList lstButtons;
  CUfxToolBar::GetCommandButtons(m_nID, lstButtons);
  for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarComboBoxButton* pOther = DYNAMIC_DOWNCAST(CUfxToolbarComboBoxButton, lstButtons.GetNext(pos));
    if (pOther == nullptr) continue;
    if (pOther != this) CopyFrom(*pOther);
    return;
  }
}

BOOL CUfxToolbarComboBoxButton::ExportToMenuButton(CUfxToolbarMenuButton& menuButton) const {
  CString strMessage;
  if (m_nID != 0 && m_nID != (UINT)-1 && strMessage.LoadString(m_nID)) {
    const int iLineFeed = strMessage.Find(L'\n');
    if (iLineFeed >= 0) menuButton.m_strText = strMessage.Mid(iLineFeed + 1);
  }
  return TRUE;
}

int CUfxToolbarComboBoxButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) {
  const int nWidth = CUfxToolbarButton::OnDrawOnCustomizeList(pDC, rect, bSelected);
  // A miniature combo at the right.
  CRect rectCombo = rect;
  rectCombo.left = std::max((int)rect.left + nWidth, (int)rect.right - std::max(20, (int)rect.Width() / 3));
  rectCombo.DeflateRect(1, 1);
  if (rectCombo.Width() < 20) rectCombo.left = rectCombo.right - 20;
  pDC->FillSolidRect(rectCombo, UfxGlobalData.clrWindow);
  pDC->Draw3dRect(rectCombo, UfxGlobalData.clrBtnShadow, UfxGlobalData.clrBtnHilite);
  CRect rectInner = rectCombo;
  rectInner.DeflateRect(1, 1);
  pDC->Draw3dRect(rectInner, UfxGlobalData.clrBtnDkShadow, UfxGlobalData.clrBtnLight);
  CRect rectButton = rectInner;
  rectButton.DeflateRect(1, 1);
  rectButton.left = rectButton.right - rectButton.Height();
  pDC->FillSolidRect(rectButton, UfxGlobalData.clrBtnFace);
  pDC->Draw3dRect(rectButton, UfxGlobalData.clrBtnHilite, UfxGlobalData.clrBtnShadow);
  const CSize sizeGlyph = CUfxMenuGlyphs::GetSize();
  CUfxMenuGlyphs::Draw(pDC, CUfxMenuGlyphs::IdArowDown,
                       CPoint(rectButton.left + (rectButton.Width() - sizeGlyph.cx) / 2,
                              rectButton.top + (rectButton.Height() - sizeGlyph.cy) / 2));
  return rect.Width();
}

void CUfxToolbarComboBoxButton::CopyFrom(const CUfxToolbarButton& src) {
  CUfxToolbarButton::CopyFrom(src);
  const CUfxToolbarComboBoxButton* pSrc =
      DYNAMIC_DOWNCAST(CUfxToolbarComboBoxButton, const_cast<CUfxToolbarButton*>(&src));
  if (pSrc == nullptr) return;
  OnBeforeItemsChange();
  m_lstItems.RemoveAll();
  m_lstItemData.RemoveAll();
  for (POSITION pos = pSrc->m_lstItems.GetHeadPosition(); pos != nullptr;) m_lstItems.AddTail(pSrc->m_lstItems.GetNext(pos));
  for (POSITION pos = pSrc->m_lstItemData.GetHeadPosition(); pos != nullptr;)
    m_lstItemData.AddTail(pSrc->m_lstItemData.GetNext(pos));
  OnAfterItemsChange();
  m_dwStyle = pSrc->m_dwStyle;
  m_iWidth = pSrc->m_iWidth;
  m_iSelIndex = pSrc->m_iSelIndex;
  m_nDropDownHeight = pSrc->m_nDropDownHeight;
  m_bSerializeItems = pSrc->m_bSerializeItems;
}

BOOL CUfxToolbarComboBoxButton::ArchiveCarriesDropDownHeight() {
  if (CUfxToolbarMenuButton::IsAlwaysCurrentArchive()) return TRUE;
  const CUfxWorkspace* pWorkspace = UfxGetWorkspace();
  if (pWorkspace == nullptr) return TRUE;
  const int iMajor = pWorkspace->GetDataVersionMajor();
  const int iMinor = pWorkspace->GetDataVersionMinor();
  // An unknown version counts as the current one.
  return iMajor < 0 || iMajor >= 5 || (iMajor == 4 && iMinor >= 72);
}

void CUfxToolbarComboBoxButton::SerializeItems(CArchive& ar) {
  if (!m_bSerializeItems) return;
  if (ar.IsStoring()) {
    m_lstItems.Serialize(ar);
    for (POSITION pos = m_lstItemData.GetHeadPosition(); pos != nullptr;) ar << (DWORD)m_lstItemData.GetNext(pos);
    return;
  }
  m_lstItems.Serialize(ar);
  OnBeforeItemsChange();
  m_lstItemData.RemoveAll();
  for (INT_PTR i = 0; i < m_lstItems.GetCount(); ++i) {
    DWORD dwData = 0;
    ar >> dwData;
    m_lstItemData.AddTail(dwData);
  }
  OnAfterItemsChange();
}

void CUfxToolbarComboBoxButton::Serialize(CArchive& ar) {
  CUfxToolbarButton::Serialize(ar);
  if (ar.IsStoring()) {
    ReadItemsFromWindow();
    if (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr) m_pWndCombo->GetWindowText(m_strEdit);
    ar << (DWORD)m_iWidth << (DWORD)m_dwStyle << (DWORD)m_iSelIndex << m_strEdit << (DWORD)m_nDropDownHeight;
    SerializeItems(ar);
    return;
  }
  DWORD dwWidth = 0, dwStyle = 0, dwSel = 0;
  ar >> dwWidth >> dwStyle >> dwSel >> m_strEdit;
  if (ArchiveCarriesDropDownHeight()) {
    DWORD dwHeight = 0;
    ar >> dwHeight;
    m_nDropDownHeight = (int)dwHeight;
  }
  SerializeItems(ar);
  m_iWidth = (int)dwWidth;
  m_dwStyle = dwStyle;
  m_rect.right = m_rect.left + m_iWidth;
  m_iSelIndex = (int)dwSel;
  SelectItem(m_iSelIndex, TRUE);
}
