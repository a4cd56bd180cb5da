// CStatusBar: the status control with panes named by indicator ids; pane texts come from the
// string resources and the command-update route, pane 0 is the message line.
#include "Framework.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

static const int kPaneBorder = 6;  // room around a pane's text

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_NCHITTEST()
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_MESSAGE(WM_GETTEXT, OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
  ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
  ON_MESSAGE(WM_SETFONT, OnSetFont)
END_MESSAGE_MAP()

CStatusBar::CStatusBar() {
  m_cxLeftBorder = 0;
  m_cxRightBorder = 0;
  m_cyTopBorder = 2;
  m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar() { FreePanes(); }

void CStatusBar::FreePanes() {
  for (int i = 0; i < m_nCount; ++i) {
    delete _GetPanePtr(i)->pstrText;
    _GetPanePtr(i)->pstrText = nullptr;
  }
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  dwStyle &= ~CBRS_ALL;
  // The frame lays the control out; it must not place or size itself.
  dwStyle |= CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
  if (pParentWnd != nullptr && (pParentWnd->GetStyle() & WS_THICKFRAME)) dwStyle |= SBARS_SIZEGRIP;
  dwStyle |= dwCtrlStyle;
  return CWnd::Create(STATUSCLASSNAMEW, nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  FreePanes();
  if (!AllocElements(nIDCount, sizeof(AFX_STATUSPANE))) return FALSE;
  BOOL bResult = TRUE;
  HDC hdc = ::GetDC(m_hWnd);
  HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
  HGDIOBJ hOld = hFont != nullptr ? ::SelectObject(hdc, hFont) : nullptr;
  for (int i = 0; i < nIDCount; ++i) {
    AFX_STATUSPANE* pSBP = _GetPanePtr(i);
    pSBP->nID = lpIDArray != nullptr ? lpIDArray[i] : 0;
    pSBP->pstrText = new CString;
    if (pSBP->nID != ID_SEPARATOR) {
      // An indicator's text is its string; its pane is as wide as that text.
      if (!pSBP->pstrText->LoadString(pSBP->nID)) bResult = FALSE;
      SIZE size = {};
      ::GetTextExtentPoint32W(hdc, *pSBP->pstrText, pSBP->pstrText->GetLength(), &size);
      pSBP->cxText = size.cx;
    } else {
      pSBP->cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
      if (i == 0) pSBP->nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
    }
  }
  if (hOld != nullptr) ::SelectObject(hdc, hOld);
  ::ReleaseDC(m_hWnd, hdc);
  UpdateAllPanes(TRUE, TRUE);
  return bResult;
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText) {
  if (m_hWnd == nullptr) return;
  if (bUpdateRects) {
    CRect rect;
    GetWindowRect(&rect);
    rect.OffsetRect(-rect.left, -rect.top);
    CalcInsideRect(rect, TRUE);
    int rgBorders[3] = {};
    DefWindowProc(SB_GETBORDERS, 0, (LPARAM)rgBorders);
    // Stretching panes share what the others leave.
    int cxExtra = rect.Width() + rgBorders[2];
    int nStretchy = 0;
    for (int i = 0; i < m_nCount; ++i) {
      if (_GetPanePtr(i)->nStyle & SBPS_STRETCH) ++nStretchy;
      cxExtra -= _GetPanePtr(i)->cxText + kPaneBorder + rgBorders[2];
    }
    std::vector<int> rights((size_t)std::max(m_nCount, 1));
    int right = rgBorders[0];
    for (int i = 0; i < m_nCount; ++i) {
      AFX_STATUSPANE* pSBP = _GetPanePtr(i);
      right += pSBP->cxText + kPaneBorder;
      if ((pSBP->nStyle & SBPS_STRETCH) && cxExtra > 0 && nStretchy > 0) {
        int cxAdd = cxExtra / nStretchy;
        right += cxAdd;
        --nStretchy;
        cxExtra -= cxAdd;
      }
      rights[(size_t)i] = right;
      right += rgBorders[2];
    }
    DefWindowProc(SB_SETPARTS, (WPARAM)m_nCount, (LPARAM)rights.data());
  }
  if (bUpdateText) {
    for (int i = 0; i < m_nCount; ++i) {
      AFX_STATUSPANE* pSBP = _GetPanePtr(i);
      LPCWSTR text = (pSBP->nStyle & SBPS_DISABLED) || pSBP->pstrText == nullptr ? L"" : (LPCWSTR)*pSBP->pstrText;
      DefWindowProc(SB_SETTEXTW, (WPARAM)(i | (pSBP->nStyle & 0xFF00)), (LPARAM)text);
    }
  }
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
  for (int i = 0; i < m_nCount; ++i)
    if (_GetPanePtr(i)->nID == nIDFind) return i;
  return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const {
  return nIndex >= 0 && nIndex < m_nCount ? _GetPanePtr(nIndex)->nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  ::SetRectEmpty(lpRect);
  if (nIndex >= 0 && nIndex < m_nCount) ::SendMessageW(m_hWnd, SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const {
  rString.Empty();
  if (nIndex >= 0 && nIndex < m_nCount && _GetPanePtr(nIndex)->pstrText != nullptr)
    rString = *_GetPanePtr(nIndex)->pstrText;
}

CString CStatusBar::GetPaneText(int nIndex) const {
  CString s;
  GetPaneText(nIndex, s);
  return s;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCWSTR lpszNewText, BOOL bUpdate) {
  if (nIndex < 0 || nIndex >= m_nCount) return FALSE;
  AFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  if (pSBP->pstrText == nullptr) pSBP->pstrText = new CString;
  CString text = lpszNewText != nullptr ? lpszNewText : L"";
  if (*pSBP->pstrText == text) return TRUE;
  *pSBP->pstrText = text;
  if (bUpdate && m_hWnd != nullptr) {
    LPCWSTR shown = (pSBP->nStyle & SBPS_DISABLED) ? L"" : (LPCWSTR)text;
    DefWindowProc(SB_SETTEXTW, (WPARAM)(nIndex | (pSBP->nStyle & 0xFF00)), (LPARAM)shown);
  }
  return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
  if (nIndex < 0 || nIndex >= m_nCount) {
    nID = nStyle = 0;
    cxWidth = 0;
    return;
  }
  const AFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  nID = pSBP->nID;
  nStyle = pSBP->nStyle;
  cxWidth = pSBP->cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
  if (nIndex < 0 || nIndex >= m_nCount) return;
  AFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  BOOL bChanged = pSBP->nID != nID || pSBP->cxText != cxWidth;
  pSBP->nID = nID;
  pSBP->cxText = std::max(0, cxWidth);
  if (pSBP->nStyle != nStyle) {
    pSBP->nStyle = nStyle;
    bChanged = TRUE;
  }
  if (bChanged) UpdateAllPanes(TRUE, TRUE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const {
  return nIndex >= 0 && nIndex < m_nCount ? _GetPanePtr(nIndex)->nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
  if (nIndex < 0 || nIndex >= m_nCount || _GetPanePtr(nIndex)->nStyle == nStyle) return;
  _GetPanePtr(nIndex)->nStyle = nStyle;
  UpdateAllPanes(FALSE, TRUE);
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL bHorz) {
  TEXTMETRICW tm = {};
  HDC hdc = ::GetDC(nullptr);
  HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
  HGDIOBJ hOld = hFont != nullptr ? ::SelectObject(hdc, hFont) : nullptr;
  ::GetTextMetricsW(hdc, &tm);
  if (hOld != nullptr) ::SelectObject(hdc, hOld);
  ::ReleaseDC(nullptr, hdc);
  CRect rect;
  rect.SetRectEmpty();
  CalcInsideRect(rect, bHorz);
  int rgBorders[3] = {};
  DefWindowProc(SB_GETBORDERS, 0, (LPARAM)rgBorders);
  CSize size(32767, tm.tmHeight - tm.tmInternalLeading - 1 + rgBorders[1] * 2 + ::GetSystemMetrics(SM_CYBORDER) * 2 -
                        rect.Height());
  if (size.cy < m_nMinHeight) size.cy = m_nMinHeight;
  return size;
}

// Updates a pane like a command: enabled shows its text, checked pops it out.
namespace {
class CStatusCmdUI : public CCmdUI {
public:
  CStatusBar* m_pBar = nullptr;
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    UINT nStyle = m_pBar->GetPaneStyle((int)m_nIndex) & ~SBPS_DISABLED;
    if (!bOn) nStyle |= SBPS_DISABLED;
    m_pBar->SetPaneStyle((int)m_nIndex, nStyle);
  }
  void SetCheck(int nCheck) override {
    UINT nStyle = m_pBar->GetPaneStyle((int)m_nIndex) & ~SBPS_POPOUT;
    if (nCheck != 0) nStyle |= SBPS_POPOUT;
    m_pBar->SetPaneStyle((int)m_nIndex, nStyle);
  }
  void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
  void SetText(LPCWSTR lpszText) override { m_pBar->SetPaneText((int)m_nIndex, lpszText); }
};
}  // namespace

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CStatusCmdUI state;
  state.m_pBar = this;
  state.m_pOther = this;
  state.m_nIndexMax = (UINT)m_nCount;
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
    state.m_nID = _GetPanePtr((int)state.m_nIndex)->nID;
    // The message pane is the frame's to fill.
    if (state.m_nID != ID_SEPARATOR) state.DoUpdate(pTarget, FALSE);
  }
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CStatusBar::OnPaint() {
  // The control paints itself.
  Default();
}

void CStatusBar::DoPaint(CDC*) {}

void CStatusBar::OnSize(UINT, int, int) {
  Default();
  UpdateAllPanes(TRUE, FALSE);
}

UINT CStatusBar::OnNcHitTest(CPoint) {
  UINT nResult = (UINT)Default();
  // A maximised frame cannot be sized from the grip.
  if (nResult == HTBOTTOMRIGHT) {
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->IsZoomed()) nResult = HTCLIENT;
  }
  return nResult;
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  int nIndex = CommandToIndex(ID_SEPARATOR);
  if (nIndex < 0) return FALSE;
  return SetPaneText(nIndex, (LPCWSTR)lParam);
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  if (wParam == 0 || lParam == 0) return 0;
  CString text;
  int nIndex = CommandToIndex(ID_SEPARATOR);
  if (nIndex >= 0) GetPaneText(nIndex, text);
  int n = std::min(text.GetLength(), (int)wParam - 1);
  memcpy((LPWSTR)lParam, (LPCWSTR)text, (size_t)n * sizeof(wchar_t));
  ((LPWSTR)lParam)[n] = 0;
  return n;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) {
  int nIndex = CommandToIndex(ID_SEPARATOR);
  return nIndex >= 0 ? GetPaneText(nIndex).GetLength() : 0;
}

LRESULT CStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM) {
  LRESULT lResult = Default();
  m_nMinHeight = (int)wParam;
  return lResult;
}

LRESULT CStatusBar::OnSetFont(WPARAM wParam, LPARAM) {
  m_hFont = (HFONT)wParam;
  LRESULT lResult = Default();
  UpdateAllPanes(TRUE, FALSE);
  return lResult;
}
