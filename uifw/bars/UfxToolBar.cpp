#include "UfxToolBar.h"
#include "UfxToolbarButton.h"
#include "UfxVisualManager.h"

IMPLEMENT_DYNAMIC(CUfxToolBar, CControlBar)

const UINT UFXM_CUSTOMIZETOOLBAR = ::RegisterWindowMessageW(L"UFXTOOLBAR_CUSTOMIZE");
const UINT UFXM_CREATETOOLBAR = ::RegisterWindowMessageW(L"UFXTOOLBAR_CREATE");
const UINT UFXM_DELETETOOLBAR = ::RegisterWindowMessageW(L"UFXTOOLBAR_DELETE");
const UINT UFXM_CUSTOMIZEHELP = ::RegisterWindowMessageW(L"UFXTOOLBAR_CUSTOMIZEHELP");
const UINT UFXM_RESETTOOLBAR = ::RegisterWindowMessageW(L"UFXTOOLBAR_RESETTOOLBAR");
const UINT UFXM_RESETMENU = ::RegisterWindowMessageW(L"UFXTOOLBAR_RESETMENU");
const UINT UFXM_SHOWREGULARMENU = ::RegisterWindowMessageW(L"UFXTOOLBAR_SHOWREGULARMENU");
const UINT UFXM_RESETCONTEXTMENU = ::RegisterWindowMessageW(L"UFXTOOLBAR_RESETCONTEXTMENU");
// The name is spelled so by every peer that listens for it.
const UINT UFXM_RESETKEYBOARD = ::RegisterWindowMessageW(L"UFXTOOLBAR_RESETKEYBAORD");

CObList CUfxToolBar::s_lstAllToolbars;
BOOL CUfxToolBar::s_bCustomizeMode = FALSE;
BOOL CUfxToolBar::s_bLargeIcons = FALSE;
CSize CUfxToolBar::s_sizeButton(23, 22);
CSize CUfxToolBar::s_sizeImage(16, 15);
CSize CUfxToolBar::s_sizeCurButton(23, 22);
CSize CUfxToolBar::s_sizeCurImage(16, 15);
CSize CUfxToolBar::s_sizeMenuImage(-1, -1);
CList<UINT, UINT> CUfxToolBar::s_lstForbiddenCommands;
CList<UINT, UINT> CUfxToolBar::s_lstCoreCommands;
CMap<UINT, UINT, int, int> CUfxToolBar::s_DefaultImages(10);
BOOL CUfxToolBar::s_bWrapLabels = TRUE;
int CUfxToolBar::s_nLabelGap = 2;

namespace {
void CopyList(CList<UINT, UINT>& dest, const CList<UINT, UINT>& src) {
  dest.RemoveAll();
  for (POSITION pos = src.GetHeadPosition(); pos != nullptr;) dest.AddTail(src.GetNext(pos));
}

CSize Doubled(CSize size, BOOL bDouble) { return bDouble ? CSize(size.cx * 2, size.cy * 2) : size; }

BOOL IsSeparator(CObject* pObject) {
  return (static_cast<CUfxToolbarButton*>(pObject)->m_nStyle & TBBS_SEPARATOR) != 0;
}
}  // namespace

BEGIN_MESSAGE_MAP(CUfxToolBar, CControlBar)
  ON_WM_CREATE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CUfxToolBar::CUfxToolBar() {
  m_cyTopBorder = 1;
  m_cyBottomBorder = 1;
}

CUfxToolBar::~CUfxToolBar() {
  DeleteButtons(m_Buttons);
  DeleteButtons(m_OrigButtons);
  // A bar deleted without its window leaves the list too.
  if (POSITION pos = s_lstAllToolbars.Find(this)) s_lstAllToolbars.RemoveAt(pos);
}

void CUfxToolBar::DeleteButtons(CObList& list) {
  while (!list.IsEmpty()) delete list.RemoveHead();
}

// ---- creation -----------------------------------------------------------------------------------

BOOL CUfxToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CUfxToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
  SetBorders(rcBorders.left < 1 ? 1 : rcBorders.left, rcBorders.top < 1 ? 1 : rcBorders.top, rcBorders.right,
             rcBorders.bottom);
  m_dwStyle = (dwStyle & 0xFFFF) | CBRS_GRIPPER;
  if (nID == AFX_IDW_TOOLBAR) m_dwStyle |= CBRS_HIDE_INPLACE;

  const HINSTANCE hInst = AfxGetInstanceHandle();
  const HCURSOR hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  const HBRUSH hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  CString strClass;
  strClass.Format(L"UfxToolBar:%llx:%x:%llx:%llx", (unsigned long long)(ULONG_PTR)hInst, (unsigned)CS_DBLCLKS,
                  (unsigned long long)(ULONG_PTR)hCursor, (unsigned long long)(ULONG_PTR)hbrBackground);
  WNDCLASSW wc = {};
  if (!::GetClassInfoW(hInst, strClass, &wc)) {
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = hInst;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = strClass;
    if (!AfxRegisterClass(&wc)) AfxThrowResourceException();
  }
  const DWORD dwWindowStyle = dwCtrlStyle | (dwStyle & ~0xFFFFu & ~(DWORD)CBRS_ALL) | 0x4E;
  return CWnd::Create(strClass, nullptr, dwWindowStyle | (dwStyle & WS_VISIBLE) | WS_CHILD, CRect(0, 0, 0, 0),
                      pParentWnd, nID);
}

int CUfxToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CControlBar::OnCreate(lpCreateStruct) == -1) return -1;
  s_lstAllToolbars.AddTail(this);
  return 0;
}

void CUfxToolBar::OnDestroy() {
  if (POSITION pos = s_lstAllToolbars.Find(this)) s_lstAllToolbars.RemoveAt(pos);
  CControlBar::OnDestroy();
}

// ---- the button list ------------------------------------------------------------------------------

int CUfxToolBar::InsertButton(CUfxToolbarButton* pButton, int iInsertAt) {
  if (pButton == nullptr || !IsCommandAllowed(pButton->m_nID)) return -1;
  if (iInsertAt == -1) iInsertAt = GetButtonCount();
  if (iInsertAt < 0 || iInsertAt > GetButtonCount()) return -1;
  if (iInsertAt == GetButtonCount()) m_Buttons.AddTail(pButton);
  else m_Buttons.InsertBefore(m_Buttons.FindIndex(iInsertAt), pButton);
  pButton->OnParentChanged(this);
  return iInsertAt;
}

int CUfxToolBar::InsertButtonCopy(const CUfxToolbarButton& button, int iInsertAt) {
  CUfxToolbarButton* pCopy = DYNAMIC_DOWNCAST(CUfxToolbarButton, button.GetRuntimeClass()->CreateObject());
  if (pCopy == nullptr) return -1;
  pCopy->CopyFrom(button);
  const int iIndex = InsertButton(pCopy, iInsertAt);
  if (iIndex < 0) delete pCopy;
  return iIndex;
}

int CUfxToolBar::InsertSeparator(int iInsertAt) {
  if (GetButtonCount() == 0 || iInsertAt == 0) return -1;
  CUfxToolbarButton* pSeparator = new CUfxToolbarButton;
  pSeparator->m_nStyle = TBBS_SEPARATOR;
  const int iIndex = InsertButton(pSeparator, iInsertAt);
  if (iIndex < 0) delete pSeparator;
  return iIndex;
}

BOOL CUfxToolBar::RemoveButton(int iIndex) {
  POSITION pos = iIndex >= 0 ? m_Buttons.FindIndex(iIndex) : nullptr;
  if (pos == nullptr) return FALSE;
  CUfxToolbarButton* pButton = static_cast<CUfxToolbarButton*>(m_Buttons.GetAt(pos));
  m_Buttons.RemoveAt(pos);
  pButton->OnCancelMode();
  delete pButton;
  AfterButtonRemoved(iIndex);
  return TRUE;
}

void CUfxToolBar::AfterButtonRemoved(int iIndex) {
  for (int* pIndex : {&m_iSelected, &m_iButtonCapture, &m_iHighlighted}) {
    if (*pIndex == iIndex) *pIndex = -1;
    else if (*pIndex > iIndex) (*pIndex)--;
  }
  // Separators left at the end go.
  while (!m_Buttons.IsEmpty() && IsSeparator(m_Buttons.GetTail())) RemoveButton(GetButtonCount() - 1);
  // Of two separators that met, one goes.
  if (iIndex > 0 && iIndex < GetButtonCount() && IsSeparator(m_Buttons.GetAt(m_Buttons.FindIndex(iIndex))) &&
      IsSeparator(m_Buttons.GetAt(m_Buttons.FindIndex(iIndex - 1))))
    RemoveButton(iIndex);
}

void CUfxToolBar::RemoveAllButtons() {
  m_iButtonCapture = m_iHighlighted = m_iSelected = -1;
  while (!m_Buttons.IsEmpty()) {
    CUfxToolbarButton* pButton = static_cast<CUfxToolbarButton*>(m_Buttons.RemoveHead());
    pButton->OnCancelMode();
    delete pButton;
  }
}

CUfxToolbarButton* CUfxToolBar::GetButton(int iIndex) const {
  POSITION pos = iIndex >= 0 ? m_Buttons.FindIndex(iIndex) : nullptr;
  return pos != nullptr ? static_cast<CUfxToolbarButton*>(m_Buttons.GetAt(pos)) : nullptr;
}

int CUfxToolBar::CommandToIndex(UINT nIDFind, int iIndexFirst) const {
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
    const CUfxToolbarButton* pButton = static_cast<CUfxToolbarButton*>(m_Buttons.GetNext(pos));
    if (i >= iIndexFirst && pButton->m_nID == nIDFind) return i;
  }
  return -1;
}

int CUfxToolBar::ButtonToIndex(const CUfxToolbarButton* pButton) const {
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i)
    if (m_Buttons.GetNext(pos) == pButton) return i;
  return -1;
}

BOOL CUfxToolBar::GetButtonRect(int iIndex, CRect& rect) const {
  const CUfxToolbarButton* pButton = GetButton(iIndex);
  rect = pButton != nullptr ? pButton->Rect() : CRect();
  return pButton != nullptr;
}

CString CUfxToolBar::GetButtonText(int iIndex) const {
  const CUfxToolbarButton* pButton = GetButton(iIndex);
  return pButton != nullptr ? pButton->m_strText : CString();
}

void CUfxToolBar::SetButtonText(int iIndex, LPCWSTR lpszText) {
  if (CUfxToolbarButton* pButton = GetButton(iIndex)) pButton->m_strText = lpszText != nullptr ? lpszText : L"";
}

BOOL CUfxToolBar::SetDefaultButtonText(UINT uiCmd) {
  if (uiCmd == 0 || uiCmd == (UINT)-1) return FALSE;
  CString strMessage;
  if (!strMessage.LoadString(uiCmd)) return FALSE;
  const int iLineFeed = strMessage.Find(L'\n');
  if (iLineFeed < 0) return FALSE;
  CString strText = strMessage.Mid(iLineFeed + 1);
  const int iNext = strText.Find(L'\n');
  if (iNext >= 0) strText = strText.Left(iNext);
  if (strText.IsEmpty()) return FALSE;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = static_cast<CUfxToolbarButton*>(m_Buttons.GetNext(pos));
    if (pButton->m_nID == uiCmd) pButton->m_strText = strText;
  }
  return TRUE;
}

void CUfxToolBar::SetButtonTextMode(int iIndex, BOOL bShowText, LPCWSTR lpszText, BOOL bShowImage) {
  CUfxToolbarButton* pButton = GetButton(iIndex);
  if (pButton == nullptr) return;
  pButton->m_bText = bShowText;
  pButton->m_bImage = bShowImage;
  if (!bShowText) return;
  if (lpszText != nullptr) pButton->m_strText = lpszText;
  else SetDefaultButtonText(pButton->m_nID);
}

void CUfxToolBar::EnableTextLabels(BOOL bEnable) { m_bTextLabels = bEnable; }

BOOL CUfxToolBar::SetButtons(const UINT* lpIDArray, int nIDCount, BOOL bRemapImages) {
  RemoveAllButtons();
  DeleteButtons(m_OrigButtons);
  if (lpIDArray == nullptr) {
    for (int i = 0; i < nIDCount; ++i) {
      CUfxToolbarButton* pSeparator = new CUfxToolbarButton;
      pSeparator->m_nStyle = TBBS_SEPARATOR;
      if (InsertButton(pSeparator) < 0) delete pSeparator;
    }
    return TRUE;
  }
  int iImage = m_iImagesOffset;
  for (int i = 0; i < nIDCount; ++i) {
    const UINT uiCmd = lpIDArray[i];
    m_OrigButtons.AddTail(new CUfxToolbarButton(uiCmd, -1, nullptr, FALSE, TRUE));
    if (uiCmd == 0) {
      CUfxToolbarButton* pSeparator = new CUfxToolbarButton;
      pSeparator->m_nStyle = TBBS_SEPARATOR;
      if (InsertButton(pSeparator) < 0) delete pSeparator;
      continue;
    }
    int iButtonImage = -1;
    if (bRemapImages) {
      iButtonImage = iImage++;
      if (!m_bLocked) SetDefaultImage(uiCmd, iButtonImage);
    } else if (!GetDefaultImage(uiCmd, iButtonImage)) {
      continue;
    }
    CUfxToolbarButton* pButton = new CUfxToolbarButton(uiCmd, iButtonImage, nullptr, FALSE, m_bLocked);
    if (InsertButton(pButton) < 0) delete pButton;
  }
  if (GetSafeHwnd() != nullptr) {
    AfterResourceButtons();
    CWnd* pTarget = m_pDockSite != nullptr ? (CWnd*)m_pDockSite : GetParent();
    if (pTarget != nullptr) pTarget->SendMessage(UFXM_RESETTOOLBAR, m_uiOriginalResID);
  }
  return TRUE;
}

// ---- the archive -------------------------------------------------------------------------------

void CUfxToolBar::Serialize(CArchive& ar) {
  CControlBar::Serialize(ar);
  if (ar.IsStoring()) {
    CObList listStored;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
      CUfxToolbarButton* pButton = static_cast<CUfxToolbarButton*>(m_Buttons.GetNext(pos));
      if (pButton->CanBeStored()) listStored.AddTail(pButton);
    }
    listStored.Serialize(ar);
    CString strName;
    if (GetSafeHwnd() != nullptr) GetWindowText(strName);
    ar << (DWORD)m_bTextLabels << strName;
    return;
  }
  CObList listLoaded;
  DWORD bTextLabels = 0;
  CString strName;
  try {
    const DWORD_PTR nCount = ar.ReadCount();
    for (DWORD_PTR i = 0; i < nCount; ++i) {
      CObject* pObject = ar.ReadObject(RUNTIME_CLASS(CUfxToolbarButton));
      if (pObject == nullptr) AfxThrowArchiveException(CArchiveException::badIndex);
      listLoaded.AddTail(pObject);
    }
    ar >> bTextLabels >> strName;
  } catch (...) {
    DeleteButtons(listLoaded);
    throw;
  }
  RemoveAllButtons();
  while (!listLoaded.IsEmpty()) {
    CUfxToolbarButton* pButton = static_cast<CUfxToolbarButton*>(listLoaded.RemoveHead());
    // Forbidden commands never come back, however many of them were stored.
    if (InsertButton(pButton) < 0) delete pButton;
  }
  m_bTextLabels = bTextLabels != 0;
  if (GetSafeHwnd() != nullptr) SetWindowText(strName);
}

// ---- sizes ----------------------------------------------------------------------------------------

void CUfxToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
  s_sizeButton = sizeButton;
  s_sizeImage = sizeImage;
  s_sizeCurButton = Doubled(sizeButton, s_bLargeIcons);
  s_sizeCurImage = Doubled(sizeImage, s_bLargeIcons);
}

void CUfxToolBar::SetLockedSizes(SIZE sizeButton, SIZE sizeImage) {
  m_sizeLockedButton = sizeButton;
  m_sizeLockedImage = sizeImage;
  m_sizeCurLockedButton = Doubled(sizeButton, s_bLargeIcons && m_bLargeIconsAreEnabled);
  m_sizeCurLockedImage = Doubled(sizeImage, s_bLargeIcons && m_bLargeIconsAreEnabled);
}

void CUfxToolBar::SetLargeIcons(BOOL bLargeIcons) {
  s_bLargeIcons = bLargeIcons;
  SetSizes(s_sizeButton, s_sizeImage);
  for (POSITION pos = s_lstAllToolbars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = static_cast<CUfxToolBar*>(s_lstAllToolbars.GetNext(pos));
    if (pBar->m_bLocked && pBar->m_bLargeIconsAreEnabled) pBar->SetLockedSizes(pBar->m_sizeLockedButton, pBar->m_sizeLockedImage);
  }
}

CSize CUfxToolBar::GetButtonSize() const {
  const BOOL bLarge = m_bLargeIconsAreEnabled;
  CSize size = m_bLocked ? (bLarge ? m_sizeCurLockedButton : m_sizeLockedButton) : (bLarge ? s_sizeCurButton : s_sizeButton);
  if (UsesExtraButtonBorder()) size += CUfxVisualManager::GetInstance()->GetButtonExtraBorder();
  return size;
}

CSize CUfxToolBar::GetImageSize() const {
  const BOOL bLarge = m_bLargeIconsAreEnabled;
  return m_bLocked ? (bLarge ? m_sizeCurLockedImage : m_sizeLockedImage) : (bLarge ? s_sizeCurImage : s_sizeImage);
}

CSize CUfxToolBar::GetMenuImageSize() { return s_sizeMenuImage.cx == -1 ? s_sizeCurImage : s_sizeMenuImage; }

int CUfxToolBar::GetCommandButtons(UINT uiCmd, CObList& listButtons) {
  listButtons.RemoveAll();
  if (uiCmd == 0) return 0;
  for (POSITION pos = s_lstAllToolbars.GetHeadPosition(); pos != nullptr;) {
    const CUfxToolBar* pBar = static_cast<CUfxToolBar*>(s_lstAllToolbars.GetNext(pos));
    for (POSITION posButton = pBar->m_Buttons.GetHeadPosition(); posButton != nullptr;) {
      CObject* pButton = pBar->m_Buttons.GetNext(posButton);
      if (static_cast<CUfxToolbarButton*>(pButton)->m_nID == uiCmd) listButtons.AddTail(pButton);
    }
  }
  return (int)listButtons.GetCount();
}

// ---- command lists ------------------------------------------------------------------------------

void CUfxToolBar::SetNonPermittedCommands(const CList<UINT, UINT>& lstCommands) {
  CopyList(s_lstForbiddenCommands, lstCommands);
}

void CUfxToolBar::AddCoreCommand(UINT uiCmd) {
  if (!IsCoreCommand(uiCmd)) s_lstCoreCommands.AddTail(uiCmd);
}

void CUfxToolBar::SetCoreCommands(const CList<UINT, UINT>& lstCommands) { CopyList(s_lstCoreCommands, lstCommands); }
