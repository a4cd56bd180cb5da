#include "looks/UfxImageGridCtrl.h"
#include "bars/UfxToolBarImages.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxGlobalData.h"

IMPLEMENT_DYNAMIC(CUfxImageGridCtrl, CButton)

namespace {
const int kMarginX = 4;
const int kMarginY = 5;
const int kGap = 4;
}  // namespace

BEGIN_MESSAGE_MAP(CUfxImageGridCtrl, CButton)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_KEYDOWN()
  ON_WM_GETDLGCODE()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_VSCROLL()
  ON_WM_SIZE()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_ENABLE()
END_MESSAGE_MAP()

CUfxImageGridCtrl::CUfxImageGridCtrl() = default;

CUfxImageGridCtrl::~CUfxImageGridCtrl() {
  while (!m_Buttons.IsEmpty()) delete m_Buttons.RemoveHead();
}

void CUfxImageGridCtrl::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  ModifyStyle(0, BS_OWNERDRAW);
}

void CUfxImageGridCtrl::SetImages(CUfxToolBarImages* pImages) {
  m_pImages = pImages;
  RemoveAll();
  if (m_pImages != nullptr) {
    const CSize sizeImage = m_pImages->GetImageSize();
    m_sizeButton = CSize(sizeImage.cx + 6, sizeImage.cy + 7);
  }
}

void CUfxImageGridCtrl::AddButton(CUfxToolbarButton* pButton) {
  if (pButton == nullptr) return;
  m_Buttons.AddTail(pButton);
  pButton->OnParentChanged(this);
  RebuildLocations();
  if (HWND hwnd = pButton->GetHwnd()) ::EnableWindow(hwnd, FALSE);
}

void CUfxImageGridCtrl::RemoveAll() {
  m_pSelButton = nullptr;
  while (!m_Buttons.IsEmpty()) delete m_Buttons.RemoveHead();
  m_iScrollOffset = 0;
  m_iScrollTotal = 0;
  m_iScrollPage = 0;
  if (m_wndScrollBar.GetSafeHwnd() != nullptr) {
    m_wndScrollBar.SetScrollRange(0, 0);
    m_wndScrollBar.SetScrollPos(0);
  }
  if (GetSafeHwnd() != nullptr) Invalidate();
}

// ---- layout and scrolling --------------------------------------------------------------------------

void CUfxImageGridCtrl::RebuildLocations() {
  if (GetSafeHwnd() == nullptr || m_pImages == nullptr) return;
  CRect rectClient;
  GetClientRect(rectClient);
  const int cxScroll = ::GetSystemMetrics(SM_CXVSCROLL);
  CRect rectArea = rectClient;
  rectArea.right -= cxScroll + 1;
  rectArea.DeflateRect(kMarginX, kMarginY);

  CClientDC dc(this);
  int x = rectArea.left;
  int y = rectArea.top - m_iScrollOffset;
  int nRows = 1;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = m_Buttons.GetNext(pos);
    CSize size = pButton->OnCalculateSize(&dc, m_sizeButton, TRUE);
    if (x > rectArea.left && x + size.cx > rectArea.right) {
      x = rectArea.left;
      y += RowStep();
      nRows++;
    }
    if (x == rectArea.left && size.cx > rectArea.Width()) size.cx = rectArea.Width();
    pButton->SetRect(CRect(CPoint(x, y), CSize(size.cx, m_sizeButton.cy)));
    x += size.cx + kGap;
  }

  m_iScrollPage = RowStep() > 0 ? rectClient.Height() / RowStep() : 0;
  const int nExtraRows = nRows - m_iScrollPage;
  m_iScrollTotal = (m_Buttons.IsEmpty() || nExtraRows <= 0) ? 0 : nExtraRows * RowStep();
  if (m_iScrollTotal > 0) {
    if (m_wndScrollBar.GetSafeHwnd() == nullptr) {
      CRect rectBar = rectClient;
      rectBar.left = rectBar.right - cxScroll;
      rectBar.DeflateRect(0, 1);
      m_wndScrollBar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, rectBar, this, 1);
    }
    m_wndScrollBar.SetScrollRange(0, m_iScrollTotal);
    m_wndScrollBar.SetScrollPos(m_iScrollOffset);
  } else if (m_wndScrollBar.GetSafeHwnd() != nullptr) {
    m_wndScrollBar.SetScrollRange(0, 0);
  }
  m_bInited = TRUE;
}

void CUfxImageGridCtrl::ScrollTo(int iOffset) {
  iOffset = std::max(0, std::min(iOffset, m_iScrollTotal));
  if (iOffset == m_iScrollOffset) return;
  m_iScrollOffset = iOffset;
  if (m_wndScrollBar.GetSafeHwnd() != nullptr) m_wndScrollBar.SetScrollPos(m_iScrollOffset);
  RebuildLocations();
  CRect rectClient;
  GetClientRect(rectClient);
  rectClient.right -= ::GetSystemMetrics(SM_CXVSCROLL) + 1;
  InvalidateRect(rectClient);
}

void CUfxImageGridCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
  int iOffset = m_iScrollOffset;
  const int iPage = RowStep() * std::max(1, m_iScrollPage);
  switch (nSBCode) {
    case SB_LINEUP: iOffset -= RowStep(); break;
    case SB_LINEDOWN: iOffset += RowStep(); break;
    case SB_PAGEUP: iOffset -= iPage; break;
    case SB_PAGEDOWN: iOffset += iPage; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: iOffset = RowStep() > 0 ? ((int)nPos + RowStep() / 2) / RowStep() * RowStep() : 0; break;
    case SB_TOP: iOffset = 0; break;
    case SB_BOTTOM: iOffset = m_iScrollTotal; break;
    default: return;
  }
  ScrollTo(iOffset);
}

void CUfxImageGridCtrl::OnSize(UINT nType, int cx, int cy) {
  CButton::OnSize(nType, cx, cy);
  RebuildLocations();
}

// ---- selection ---------------------------------------------------------------------------------------

BOOL CUfxImageGridCtrl::SelectButton(int iImage) {
  if (iImage < 0) {
    SelectButton((CUfxToolbarButton*)nullptr);
    return TRUE;
  }
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = m_Buttons.GetNext(pos);
    if (pButton->GetImage() == iImage) {
      SelectButton(pButton);
      return TRUE;
    }
  }
  return FALSE;
}

void CUfxImageGridCtrl::SelectButton(CUfxToolbarButton* pButton) {
  CUfxToolbarButton* pOld = m_pSelButton;
  m_pSelButton = pButton;
  RedrawSelection(pOld);
  RedrawSelection(m_pSelButton);
  EnsureVisible(m_pSelButton);
  if (CWnd* pParent = GetParent()) {
    pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)m_hWnd);
  }
}

void CUfxImageGridCtrl::RedrawSelection(CUfxToolbarButton* pButton) {
  if (pButton == nullptr || GetSafeHwnd() == nullptr) return;
  CRect rect = pButton->Rect();
  rect.InflateRect(2, 2);
  InvalidateRect(rect);
}

void CUfxImageGridCtrl::EnsureVisible(CUfxToolbarButton* pButton) {
  if (pButton == nullptr || GetSafeHwnd() == nullptr || RowStep() <= 0) return;
  CRect rectClient;
  GetClientRect(rectClient);
  const CRect rect = pButton->Rect();
  if (rect.top < rectClient.top) {
    ScrollTo(m_iScrollOffset - ((rectClient.top - rect.top + RowStep() - 1) / RowStep()) * RowStep());
  } else if (rect.bottom > rectClient.bottom) {
    ScrollTo(m_iScrollOffset + ((rect.bottom - rectClient.bottom + RowStep() - 1) / RowStep()) * RowStep());
  }
}

CUfxToolbarButton* CUfxImageGridCtrl::HitTest(CPoint point) const {
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = m_Buttons.GetNext(pos);
    if (pButton->Rect().PtInRect(point)) return pButton;
  }
  return nullptr;
}

CUfxToolbarButton* CUfxImageGridCtrl::Neighbour(BOOL bNext) const {
  POSITION pos = m_pSelButton != nullptr ? m_Buttons.Find(m_pSelButton) : nullptr;
  if (pos == nullptr) return nullptr;
  if (bNext) m_Buttons.GetNext(pos);
  else m_Buttons.GetPrev(pos);
  return pos != nullptr ? m_Buttons.GetAt(pos) : nullptr;
}

void CUfxImageGridCtrl::OnLButtonDown(UINT, CPoint point) {
  SetFocus();
  // The buttons' rectangles already carry the scroll offset.
  if (CUfxToolbarButton* pButton = HitTest(point)) SelectButton(pButton);
}

UINT CUfxImageGridCtrl::OnGetDlgCode() { return DLGC_WANTARROWS; }

void CUfxImageGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  CUfxToolbarButton* pTarget = nullptr;
  switch (nChar) {
    case VK_HOME: pTarget = m_Buttons.IsEmpty() ? nullptr : m_Buttons.GetHead(); break;
    case VK_END: pTarget = m_Buttons.IsEmpty() ? nullptr : m_Buttons.GetTail(); break;
    case VK_RIGHT:
    case VK_DOWN: pTarget = Neighbour(TRUE); break;
    case VK_LEFT:
    case VK_UP: pTarget = Neighbour(FALSE); break;
    default: CButton::OnKeyDown(nChar, nRepCnt, nFlags); return;
  }
  if (pTarget != nullptr) SelectButton(pTarget);
}

void CUfxImageGridCtrl::OnSetFocus(CWnd* pOldWnd) {
  CButton::OnSetFocus(pOldWnd);
  m_bHasFocus = TRUE;
  if (m_pSelButton == nullptr && !m_Buttons.IsEmpty()) SelectButton(m_Buttons.GetHead());
  else RedrawSelection(m_pSelButton);
}

void CUfxImageGridCtrl::OnKillFocus(CWnd* pNewWnd) {
  CButton::OnKillFocus(pNewWnd);
  m_bHasFocus = FALSE;
  RedrawSelection(m_pSelButton);
}

// ---- painting ----------------------------------------------------------------------------------------

BOOL CUfxImageGridCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CUfxImageGridCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

void CUfxImageGridCtrl::OnPaint() {
  CPaintDC dc(this);
  CRect rectClient;
  GetClientRect(rectClient);
  dc.FillSolidRect(rectClient, UfxGlobalData.clrBtnFace);
  if (!m_bInited) RebuildLocations();
  const BOOL bDisabled = !IsWindowEnabled();
  if (m_pImages != nullptr) {
    CUfxDrawState ds;
    if (m_pImages->PrepareDraw(ds)) {
      for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CUfxToolbarButton* pButton = m_Buttons.GetNext(pos);
        CRect rect = pButton->Rect();
        if (rect.bottom < rectClient.top || rect.top > rectClient.bottom) continue;
        const UINT nSaved = pButton->m_nStyle;
        if (bDisabled) pButton->m_nStyle |= TBBS_DISABLED;
        pButton->OnDraw(&dc, rect, m_pImages, TRUE, FALSE, FALSE, FALSE, TRUE);
        pButton->m_nStyle = nSaved;
        if (pButton == m_pSelButton) {
          if (m_bHasFocus) {
            dc.Draw3dRect(rect, UfxGlobalData.clrBtnShadow, UfxGlobalData.clrBtnHilite);
          } else {
            dc.DrawFocusRect(rect);
            rect.DeflateRect(1, 1);
            dc.DrawFocusRect(rect);
          }
        }
      }
      m_pImages->EndDraw(ds);
    }
  }
  dc.Draw3dRect(rectClient, UfxGlobalData.clrBtnShadow, UfxGlobalData.clrBtnHilite);
}

void CUfxImageGridCtrl::OnSysColorChange() {
  CButton::OnSysColorChange();
  if (m_pImages != nullptr) m_pImages->MapColors();
  Invalidate();
}

void CUfxImageGridCtrl::OnEnable(BOOL bEnable) {
  CButton::OnEnable(bEnable);
  Invalidate();
}
