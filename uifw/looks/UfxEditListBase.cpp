#include "looks/UfxEditListBase.h"
#include "looks/UfxAccelText.h"
#include "looks/UfxButton.h"
#include "LooksIds.h"
#include "frames/UfxGlobalData.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CUfxEditListBase, CStatic)

namespace {
// The standard buttons: flag, picture, tooltip, key, action.
const struct {
  UINT uiFlag, uiImage, uiTooltip;
  WORD wKey;
  BYTE fModifiers;
  int nAction;
} kStandardButtons[] = {
    {CUfxEditListBase::BGCEDITLISTBOX_BTN_NEW, IDB_UFX_EDITLIST_NEW, IDS_UFX_EDITLIST_NEW, VK_INSERT, 0,
     CUfxEditListBase::ActionNew},
    {CUfxEditListBase::BGCEDITLISTBOX_BTN_DELETE, IDB_UFX_EDITLIST_DELETE, IDS_UFX_EDITLIST_DELETE, VK_DELETE, 0,
     CUfxEditListBase::ActionDelete},
    {CUfxEditListBase::BGCEDITLISTBOX_BTN_UP, IDB_UFX_EDITLIST_UP, IDS_UFX_EDITLIST_UP, VK_UP,
     CUfxEditListBase::ModAlt, CUfxEditListBase::ActionUp},
    {CUfxEditListBase::BGCEDITLISTBOX_BTN_DOWN, IDB_UFX_EDITLIST_DOWN, IDS_UFX_EDITLIST_DOWN, VK_DOWN,
     CUfxEditListBase::ModAlt, CUfxEditListBase::ActionDown},
};
const int kFirstButtonId = 2;
}  // namespace

BEGIN_MESSAGE_MAP(CUfxEditListBase, CStatic)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SETFOCUS()
  ON_WM_ENABLE()
  ON_MESSAGE(WM_SETFONT, OnSetFont)
  ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

CUfxEditListBase::CUfxEditListBase() { m_mapButtonIDs.InitHashTable(17); }

CUfxEditListBase::~CUfxEditListBase() {
  while (!m_lstButtons.IsEmpty()) delete m_lstButtons.RemoveHead();
}

UINT CUfxEditListBase::GetModifiers() {
  UINT uiFlags = 0;
  if (::GetKeyState(VK_SHIFT) & 0x8000) uiFlags |= ModShift;
  if (::GetKeyState(VK_CONTROL) & 0x8000) uiFlags |= ModCtrl;
  if (::GetKeyState(VK_MENU) & 0x8000) uiFlags |= ModAlt;
  return uiFlags;
}

BOOL CUfxEditListBase::PreCreateWindow(CREATESTRUCT& cs) {
  m_bInCreate = TRUE;
  return CStatic::PreCreateWindow(cs);
}

int CUfxEditListBase::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  m_bInCreate = FALSE;
  if ((int)Default() == -1) return -1;
  Init();
  return 0;
}

void CUfxEditListBase::PreSubclassWindow() {
  CStatic::PreSubclassWindow();
  // A control of a dialog template gets its parts now; one made by Create in WM_CREATE.
  if (!m_bInCreate) Init();
}

void CUfxEditListBase::Init() {
  if (GetListHwnd() != nullptr) return;
  ModifyStyle(0, WS_CLIPCHILDREN | SS_NOTIFY);
  CreateList();
  Layout();
}

void CUfxEditListBase::OnDestroy() {
  for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
    CUfxButton* pButton = m_lstButtons.GetNext(pos);
    if (pButton->GetSafeHwnd() != nullptr) pButton->DestroyWindow();
  }
  Default();
}

CUfxButton* CUfxEditListBase::GetButton(int iIndex) const {
  POSITION pos = m_lstButtons.FindIndex(iIndex);
  return pos != nullptr ? m_lstButtons.GetAt(pos) : nullptr;
}

int CUfxEditListBase::GetButtonNum(UINT uiID) const {
  int i = 0;
  for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr; ++i)
    if ((UINT)m_lstButtons.GetNext(pos)->GetDlgCtrlID() == uiID) return i;
  return -1;
}

BOOL CUfxEditListBase::SetStandardButtons(UINT uiBtns) {
  if (GetSafeHwnd() == nullptr) return FALSE;
  for (const auto& b : kStandardButtons) {
    if (!(uiBtns & b.uiFlag)) continue;
    CString strTooltip;
    strTooltip.LoadString(b.uiTooltip);
    if (!AddButton(b.uiImage, strTooltip, b.wKey, b.fModifiers, (UINT)b.nAction)) return FALSE;
  }
  m_uiStandardBtns |= uiBtns;
  return TRUE;
}

BOOL CUfxEditListBase::AddButton(UINT uiImageId, LPCWSTR lpszTooltip, WORD wKeyAccelerator, BYTE fVirt,
                                 UINT uiButtonID) {
  if (GetSafeHwnd() == nullptr) return FALSE;
  CUfxButton* pButton = new CUfxButton;
  const UINT uiId = (UINT)m_lstButtons.GetCount() + kFirstButtonId;
  if (!pButton->Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 0, 0), this, uiId)) {
    delete pButton;
    return FALSE;
  }
  pButton->m_nFlatStyle = CUfxButton::BUTTONSTYLE_FLAT;
  pButton->m_bDrawFocus = FALSE;
  pButton->m_bGrayDisabled = m_bGrayDisabledButtons;
  if (uiImageId != 0) pButton->SetImage(uiImageId);
  CString strTooltip = lpszTooltip != nullptr ? lpszTooltip : L"";
  if (wKeyAccelerator != 0) {
    ACCEL accel = {(BYTE)(fVirt | FVIRTKEY), wKeyAccelerator, 0};
    CString strKey;
    CUfxAccelText(&accel).Format(strKey);
    strTooltip += L" (" + strKey + L")";
  }
  if (!strTooltip.IsEmpty()) pButton->SetTooltip(strTooltip);
  const int iIndex = (int)m_lstButtons.GetCount();
  m_lstButtons.AddTail(pButton);
  m_lstKeyAccell.AddTail(wKeyAccelerator == 0 ? 0 : (((DWORD)fVirt << 16) | wKeyAccelerator));
  m_mapButtonIDs.SetAt(iIndex, uiButtonID);
  if (iIndex == 0) {
    m_sizeButton = pButton->SizeToContent(TRUE);
    if (pButton->m_sizeImage != CSize(0, 0)) m_sizeButton = pButton->m_sizeImage + CSize(6, 6);
  }
  Layout();
  return TRUE;
}

BOOL CUfxEditListBase::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int iButton = GetButtonNum(LOWORD(wParam));
  if (lParam != 0 && iButton >= 0 && HIWORD(wParam) == BN_CLICKED) {
    OnClickButton(iButton);
    return TRUE;
  }
  return CStatic::OnCommand(wParam, lParam);
}

void CUfxEditListBase::OnClickButton(int iButton) {
  if (m_uiStandardBtns == 0) return;
  UINT uiAction = 0;
  if (!m_mapButtonIDs.Lookup(iButton, uiAction)) return;
  const int nAction = (int)uiAction;
  const int iSelItem = GetSelItem();
  switch (nAction) {
    case ActionNew:
      CreateNewItem();
      break;
    case ActionDelete:
      if (iSelItem >= 0 && OnBeforeRemoveItem(iSelItem)) RemoveItem(iSelItem);
      break;
    case ActionUp:
    case ActionDown: {
      const BOOL bUp = nAction == ActionUp;
      if (iSelItem < 0 || (bUp && iSelItem == 0) || (!bUp && iSelItem == GetCount() - 1)) break;
      CWnd* pList = CWnd::FromHandle(GetListHwnd());
      pList->SetRedraw(FALSE);
      m_bIsActualDelete = FALSE;
      const CString strText = GetItemText(iSelItem);
      const DWORD_PTR dwData = GetItemData(iSelItem);
      RemoveItem(iSelItem);
      const int iNew = AddItem(strText, dwData, bUp ? iSelItem - 1 : iSelItem + 1);
      SelectItem(iNew);
      m_bIsActualDelete = TRUE;
      pList->SetRedraw(TRUE);
      pList->Invalidate();
      if (bUp) OnAfterMoveItemUp(iNew);
      else OnAfterMoveItemDown(iNew);
      break;
    }
  }
}

void CUfxEditListBase::EnableButtons(BOOL bEnable) {
  for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
    CUfxButton* pButton = m_lstButtons.GetNext(pos);
    if (pButton->GetSafeHwnd() != nullptr) pButton->EnableWindow(bEnable);
  }
}

void CUfxEditListBase::Layout() {
  if (GetSafeHwnd() == nullptr) return;
  CRect rectClient;
  GetClientRect(rectClient);
  int nTextHeight = 0;
  {
    CClientDC dc(this);
    CFont* pFont = m_font.GetSafeHandle() != nullptr ? &m_font : (GetParent() ? GetParent()->GetFont() : nullptr);
    CFont* pOld = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
    TEXTMETRICW tm;
    dc.GetTextMetrics(&tm);
    nTextHeight = tm.tmHeight;
    if (pOld != nullptr) dc.SelectObject(pOld);
  }
  const int nCaptionHeight = std::max<int>(m_sizeButton.cy, nTextHeight * 4 / 3);
  m_rectCaption = CRect(rectClient.left, rectClient.top, rectClient.right, rectClient.top + nCaptionHeight);
  // Right to left: the first button stands at the right end.
  int x = rectClient.right - 1;
  for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
    CUfxButton* pButton = m_lstButtons.GetNext(pos);
    x -= m_sizeButton.cx;
    pButton->SetWindowPos(nullptr, x, m_rectCaption.top + 1, m_sizeButton.cx, m_sizeButton.cy,
                          SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (HWND hwndList = GetListHwnd()) {
    ::SetWindowPos(hwndList, nullptr, rectClient.left, m_rectCaption.bottom, rectClient.Width(),
                   std::max<int>(0, rectClient.bottom - m_rectCaption.bottom), SWP_NOZORDER | SWP_NOACTIVATE);
    AdjustColumnWidth();
  }
  Invalidate();
}

void CUfxEditListBase::OnSize(UINT nType, int cx, int cy) {
  Default();
  Layout();
}

BOOL CUfxEditListBase::OnEraseBkgnd(CDC*) { return TRUE; }

void CUfxEditListBase::OnPaint() {
  CPaintDC dc(this);
  CRect rect = m_rectCaption;
  dc.FillRect(rect, &UfxGlobalData.brBtnFace);
  dc.Draw3dRect(rect, UfxGlobalData.clrBtnHilite, UfxGlobalData.clrBtnShadow);
  CString strText;
  GetWindowText(strText);
  CFont* pFont = m_font.GetSafeHandle() != nullptr ? &m_font : (GetParent() ? GetParent()->GetFont() : nullptr);
  CFont* pOld = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(IsWindowEnabled() ? UfxGlobalData.clrBtnText : UfxGlobalData.clrGrayedText);
  CRect rectText = rect;
  rectText.left += 5;
  dc.DrawText(strText, rectText, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
  if (pOld != nullptr) dc.SelectObject(pOld);
}

void CUfxEditListBase::OnSetFocus(CWnd*) {
  if (HWND hwndList = GetListHwnd()) ::SetFocus(hwndList);
}

void CUfxEditListBase::OnEnable(BOOL bEnable) {
  Default();
  EnableButtons(bEnable);
  if (HWND hwndList = GetListHwnd()) ::EnableWindow(hwndList, bEnable);
  RedrawWindow();
}

LRESULT CUfxEditListBase::OnSetFont(WPARAM wParam, LPARAM lParam) {
  if (m_font.GetSafeHandle() != nullptr) m_font.DeleteObject();
  LOGFONTW lf = {};
  if (wParam != 0 && ::GetObjectW((HFONT)wParam, sizeof(lf), &lf) != 0) m_font.CreateFontIndirect(&lf);
  if (HWND hwndList = GetListHwnd()) ::SendMessageW(hwndList, WM_SETFONT, wParam, lParam);
  Layout();
  return 0;
}

LRESULT CUfxEditListBase::OnGetFont(WPARAM, LPARAM) { return (LRESULT)m_font.GetSafeHandle(); }

void CUfxEditListBase::OnDrawBrowseButton(CDC* pDC, CRect rect, BOOL bIsButtonPressed, BOOL) {
  pDC->FillRect(rect, &UfxGlobalData.brBtnFace);
  CRect rectText = rect;
  if (bIsButtonPressed) rectText.OffsetRect(1, 1);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(UfxGlobalData.clrBtnText);
  pDC->DrawText(L"...", rectText, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  pDC->Draw3dRect(rect, UfxGlobalData.clrBtnDkShadow, UfxGlobalData.clrBtnDkShadow);
  rect.DeflateRect(1, 1);
  pDC->DrawEdge(rect, bIsButtonPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}
