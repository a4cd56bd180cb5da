// CDockState and CControlBarInfo: a frame's bar layout taken, applied, and kept in the profile
// ("<section>-Summary", "<section>-Bar<n>") or an archive. Stored layouts are untrusted.
#include "Framework.h"

IMPLEMENT_SERIAL(CDockState, CObject, 0)

namespace {
// The most entries a stored layout may bring (a frame has far fewer bars).
const int kMaxStoredBars = 1024;
const int kMaxStoredRowEntries = 4096;
const UINT kMissing = 0x7FFFFFFF;  // a value the profile does not have

CString BarSection(LPCWSTR lpszProfileName, int nIndex) {
  CString s;
  s.Format(L"%s-Bar%d", lpszProfileName, nIndex);
  return s;
}
CString SummarySection(LPCWSTR lpszProfileName) {
  CString s;
  s.Format(L"%s-Summary", lpszProfileName);
  return s;
}
}  // namespace

// ---- CControlBarInfo ------------------------------------------------------------------------
CControlBarInfo::CControlBarInfo() {
  m_pointPos = CPoint(-1, -1);
  m_rectMRUDockPos.SetRectEmpty();
  m_ptMRUFloatPos = CPoint(0, 0);
}

BOOL CControlBarInfo::SaveState(LPCWSTR lpszProfileName, int nIndex) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr) return FALSE;
  CString section = BarSection(lpszProfileName, nIndex);
  pApp->WriteProfileString(section, nullptr, nullptr);  // a fresh section
  // An empty dock bar in its usual place has nothing worth keeping.
  if (m_bDockBar && m_bVisible && !m_bFloating && m_pointPos.x == -1 && m_pointPos.y == -1 && m_arrBarID.GetSize() <= 1)
    return FALSE;
  pApp->WriteProfileInt(section, L"BarID", (int)m_nBarID);
  if (!m_bVisible) pApp->WriteProfileInt(section, L"Visible", m_bVisible);
  if (m_bFloating) {
    pApp->WriteProfileInt(section, L"Horz", m_bHorz);
    pApp->WriteProfileInt(section, L"Floating", m_bFloating);
  }
  if (m_pointPos.x != -1) pApp->WriteProfileInt(section, L"XPos", m_pointPos.x);
  if (m_pointPos.y != -1) pApp->WriteProfileInt(section, L"YPos", m_pointPos.y);
  if (m_nMRUWidth != 32767) pApp->WriteProfileInt(section, L"MRUWidth", (int)m_nMRUWidth);
  if (m_bDocking) {
    pApp->WriteProfileInt(section, L"Docking", m_bDocking);
    pApp->WriteProfileInt(section, L"MRUDockID", (int)m_uMRUDockID);
    pApp->WriteProfileInt(section, L"MRUDockLeftPos", m_rectMRUDockPos.left);
    pApp->WriteProfileInt(section, L"MRUDockTopPos", m_rectMRUDockPos.top);
    pApp->WriteProfileInt(section, L"MRUDockRightPos", m_rectMRUDockPos.right);
    pApp->WriteProfileInt(section, L"MRUDockBottomPos", m_rectMRUDockPos.bottom);
    pApp->WriteProfileInt(section, L"MRUFloatStyle", (int)m_dwMRUFloatStyle);
    pApp->WriteProfileInt(section, L"MRUFloatXPos", m_ptMRUFloatPos.x);
    pApp->WriteProfileInt(section, L"MRUFloatYPos", m_ptMRUFloatPos.y);
  }
  if (m_arrBarID.GetSize() > 1) {
    pApp->WriteProfileInt(section, L"Bars", (int)m_arrBarID.GetSize());
    for (INT_PTR i = 0; i < m_arrBarID.GetSize(); ++i) {
      CString entry;
      entry.Format(L"Bar#%d", (int)i);
      pApp->WriteProfileInt(section, entry, (int)(UINT_PTR)m_arrBarID[i]);
    }
  }
  return TRUE;
}

BOOL CControlBarInfo::LoadState(LPCWSTR lpszProfileName, int nIndex, CDockState* pDockState) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr) return FALSE;
  CString section = BarSection(lpszProfileName, nIndex);
  m_nBarID = pApp->GetProfileInt(section, L"BarID", 0);
  m_bVisible = pApp->GetProfileInt(section, L"Visible", TRUE) != 0;
  m_bHorz = pApp->GetProfileInt(section, L"Horz", TRUE) != 0;
  m_bFloating = pApp->GetProfileInt(section, L"Floating", FALSE) != 0;
  m_pointPos = CPoint((int)pApp->GetProfileInt(section, L"XPos", -1), (int)pApp->GetProfileInt(section, L"YPos", -1));
  if (pDockState != nullptr) pDockState->ScalePoint(m_pointPos);
  m_nMRUWidth = pApp->GetProfileInt(section, L"MRUWidth", 32767);
  m_bDocking = pApp->GetProfileInt(section, L"Docking", 0) != 0;
  if (m_bDocking) {
    m_uMRUDockID = pApp->GetProfileInt(section, L"MRUDockID", 0);
    m_rectMRUDockPos.SetRect((int)pApp->GetProfileInt(section, L"MRUDockLeftPos", 0),
                             (int)pApp->GetProfileInt(section, L"MRUDockTopPos", 0),
                             (int)pApp->GetProfileInt(section, L"MRUDockRightPos", 0),
                             (int)pApp->GetProfileInt(section, L"MRUDockBottomPos", 0));
    if (pDockState != nullptr) pDockState->ScaleRectPos(m_rectMRUDockPos);
    m_dwMRUFloatStyle = pApp->GetProfileInt(section, L"MRUFloatStyle", 0);
    m_ptMRUFloatPos = CPoint((int)pApp->GetProfileInt(section, L"MRUFloatXPos", 0),
                             (int)pApp->GetProfileInt(section, L"MRUFloatYPos", 0));
    if (pDockState != nullptr) pDockState->ScalePoint(m_ptMRUFloatPos);
  }
  // The row list is as long as what is stored, whatever its count says.
  int nBars = (int)pApp->GetProfileInt(section, L"Bars", 0);
  nBars = std::max(0, std::min(nBars, kMaxStoredRowEntries));
  m_arrBarID.RemoveAll();
  for (int i = 0; i < nBars; ++i) {
    CString entry;
    entry.Format(L"Bar#%d", i);
    UINT v = pApp->GetProfileInt(section, entry, (int)kMissing);
    if (v == kMissing) break;
    m_arrBarID.Add((void*)(UINT_PTR)v);
  }
  return m_nBarID != 0;
}

void CControlBarInfo::Serialize(CArchive& ar, CDockState* pDockState) {
  if (ar.IsStoring()) {
    ar << (DWORD)m_nBarID << (DWORD)m_bVisible << (DWORD)m_bFloating << (DWORD)m_bHorz << (POINT)m_pointPos;
    ar << (DWORD)m_nMRUWidth << (DWORD)m_bDocking;
    if (m_bDocking) ar << (DWORD)m_uMRUDockID << (const RECT&)m_rectMRUDockPos << m_dwMRUFloatStyle << (POINT)m_ptMRUFloatPos;
    ar << (WORD)m_arrBarID.GetSize();
    for (INT_PTR i = 0; i < m_arrBarID.GetSize(); ++i) ar << (DWORD)(UINT_PTR)m_arrBarID[i];
    return;
  }
  DWORD dw = 0;
  LONG x = 0, y = 0;
  ar >> dw; m_nBarID = dw;
  ar >> dw; m_bVisible = dw != 0;
  ar >> dw; m_bFloating = dw != 0;
  ar >> dw; m_bHorz = dw != 0;
  ar >> x >> y;
  m_pointPos = CPoint(x, y);
  if (pDockState != nullptr) pDockState->ScalePoint(m_pointPos);
  ar >> dw; m_nMRUWidth = dw;
  ar >> dw; m_bDocking = dw != 0;
  if (m_bDocking) {
    LONG l, t, r, b;
    ar >> dw >> l >> t >> r >> b;
    m_uMRUDockID = dw;
    m_rectMRUDockPos.SetRect(l, t, r, b);
    ar >> m_dwMRUFloatStyle >> x >> y;
    m_ptMRUFloatPos = CPoint(x, y);
  }
  WORD n = 0;
  ar >> n;
  m_arrBarID.RemoveAll();
  for (WORD i = 0; i < n; ++i) {
    ar >> dw;
    m_arrBarID.Add((void*)(UINT_PTR)dw);
  }
}

// ---- CDockState ---------------------------------------------------------------------------------
CDockState::CDockState() {
  m_rectClip.SetRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN) - ::GetSystemMetrics(SM_CXICON),
                     ::GetSystemMetrics(SM_CYSCREEN) - ::GetSystemMetrics(SM_CYICON));
  m_sizeDevice = CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  m_rectDevice.SetRect(0, 0, m_sizeDevice.cx, m_sizeDevice.cy);
}

CDockState::~CDockState() { Clear(); }

void CDockState::Clear() {
  for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) delete (CControlBarInfo*)m_arrBarInfo[i];
  m_arrBarInfo.RemoveAll();
}

CSize CDockState::GetScreenSize() { return m_sizeDevice; }

void CDockState::SetScreenSize(CSize& size) {
  // Positions saved on another screen size are scaled to this one.
  m_bScaling = size != m_sizeDevice && size.cx > 0 && size.cy > 0;
  if (m_bScaling) m_rectDevice.SetRect(0, 0, size.cx, size.cy);
}

void CDockState::ScalePoint(CPoint& pt) {
  if (m_bScaling) {
    CSize sizeStored = m_rectDevice.Size();
    pt.x = ::MulDiv(pt.x, m_sizeDevice.cx, sizeStored.cx);
    pt.y = ::MulDiv(pt.y, m_sizeDevice.cy, sizeStored.cy);
  }
  if (pt.x > m_rectClip.right) pt.x = m_rectClip.right;
  if (pt.y > m_rectClip.bottom) pt.y = m_rectClip.bottom;
}

void CDockState::ScaleRectPos(CRect& rect) {
  CPoint pt;
  if (m_bScaling) {
    pt = rect.TopLeft();
    CSize sizeStored = m_rectDevice.Size();
    pt.x = ::MulDiv(pt.x, m_sizeDevice.cx, sizeStored.cx) - pt.x;
    pt.y = ::MulDiv(pt.y, m_sizeDevice.cy, sizeStored.cy) - pt.y;
    rect.OffsetRect(pt);
  }
  pt.x = pt.y = 0;
  if (rect.left > m_rectClip.right) pt.x = m_rectClip.right - rect.left;
  if (rect.top > m_rectClip.bottom) pt.y = m_rectClip.bottom - rect.top;
  if (pt.x != 0 || pt.y != 0) rect.OffsetRect(pt);
}

void CDockState::LoadState(LPCWSTR lpszProfileName) {
  Clear();
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr) return;
  CString summary = SummarySection(lpszProfileName);
  int nBars = (int)pApp->GetProfileInt(summary, L"Bars", 0);
  nBars = std::max(0, std::min(nBars, kMaxStoredBars));
  CSize size((int)pApp->GetProfileInt(summary, L"ScreenCX", 0), (int)pApp->GetProfileInt(summary, L"ScreenCY", 0));
  SetScreenSize(size);
  for (int i = 0; i < nBars; ++i) {
    CControlBarInfo* pInfo = new CControlBarInfo;
    // A section that is not there ends the list (the count said more than was stored).
    if (!pInfo->LoadState(lpszProfileName, i, this)) {
      delete pInfo;
      break;
    }
    m_arrBarInfo.Add(pInfo);
  }
}

void CDockState::SaveState(LPCWSTR lpszProfileName) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr) return;
  int nIndex = 0;
  for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
    if (((CControlBarInfo*)m_arrBarInfo[i])->SaveState(lpszProfileName, nIndex)) ++nIndex;
  // Sections of an older, longer layout go.
  for (int i = nIndex; i < nIndex + 64; ++i) pApp->WriteProfileString(BarSection(lpszProfileName, i), nullptr, nullptr);
  CString summary = SummarySection(lpszProfileName);
  pApp->WriteProfileInt(summary, L"Bars", nIndex);
  CSize size = GetScreenSize();
  pApp->WriteProfileInt(summary, L"ScreenCX", size.cx);
  pApp->WriteProfileInt(summary, L"ScreenCY", size.cy);
}

void CDockState::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_dwVersion;
    ar << (SIZE)GetScreenSize();
    ar << (WORD)m_arrBarInfo.GetSize();
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) ((CControlBarInfo*)m_arrBarInfo[i])->Serialize(ar, this);
    return;
  }
  Clear();
  ar >> m_dwVersion;
  LONG cx = 0, cy = 0;
  ar >> cx >> cy;
  CSize size(cx, cy);
  SetScreenSize(size);
  WORD n = 0;
  ar >> n;
  for (WORD i = 0; i < n && i < kMaxStoredBars; ++i) {
    CControlBarInfo* pInfo = new CControlBarInfo;
    try {
      pInfo->Serialize(ar, this);
    } catch (...) {
      delete pInfo;
      throw;
    }
    m_arrBarInfo.Add(pInfo);
  }
}

// ---- taking and applying a frame's layout -------------------------------------------------
void CControlBar::GetBarInfo(CControlBarInfo* pInfo) {
  CRect rect;
  GetWindowRect(&rect);
  if (m_pDockBar != nullptr) m_pDockBar->ScreenToClient(&rect);
  pInfo->m_pointPos = rect.TopLeft();
  pInfo->m_nBarID = (UINT)(WORD)GetDlgCtrlID();
  pInfo->m_pBar = this;
  pInfo->m_bVisible = IsVisible();
  pInfo->m_nMRUWidth = m_nMRUWidth;
  pInfo->m_bDockBar = IsDockBar();
  if (pInfo->m_bDockBar) {
    CDockBar* pDockBar = (CDockBar*)this;
    pInfo->m_bFloating = pDockBar->m_bFloating;
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    pDockBar->GetDockedBarIDs(pInfo->m_arrBarID);
    // A floating frame counts as visible while it shows any bar.
    if (pDockBar->m_bFloating) pInfo->m_bVisible = pDockBar->GetDockedVisibleCount() > 0;
  } else {
    pInfo->m_bFloating = FALSE;
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  }
  if (m_pDockContext != nullptr) {
    pInfo->m_bDocking = TRUE;
    pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
    pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
    pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
    pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
  }
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
  if (IsDockBar()) {
    // A dock bar takes its rows; its own place is the frame's to decide.
    CDockBar* pDockBar = (CDockBar*)this;
    if (pInfo->m_arrBarID.GetSize() > 0) pDockBar->SetDockedBarIDs(pInfo->m_arrBarID, pFrameWnd);
    return;
  }
  UINT nFlags = SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER | (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
  m_nStateFlags &= ~(delayShow | delayHide);
  if (pInfo->m_pointPos.x == -1 && pInfo->m_pointPos.y == -1) nFlags |= SWP_NOMOVE;
  ::SetWindowPos(m_hWnd, nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, nFlags);
  if (pInfo->m_nMRUWidth != 0) m_nMRUWidth = pInfo->m_nMRUWidth;
  if (pInfo->m_bDocking && m_pDockContext != nullptr) {
    UINT uID = pInfo->m_uMRUDockID;
    m_pDockContext->m_uMRUDockID = uID >= AFX_IDW_DOCKBAR_TOP && uID <= AFX_IDW_DOCKBAR_BOTTOM ? uID : 0;
    m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
    m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI | CBRS_SIZE_DYNAMIC);
    m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
  }
  (void)pFrameWnd;
}

void CFrameWnd::GetDockState(CDockState& state) const {
  state.Clear();
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;) {
    CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
    if (pBar->m_hWnd == nullptr) continue;
    CControlBarInfo* pInfo = new CControlBarInfo;
    pBar->GetBarInfo(pInfo);
    state.m_arrBarInfo.Add(pInfo);
  }
}

void CFrameWnd::SetDockState(const CDockState& state) {
  // Floating frames are made for floating entries; other entries name this frame's bars.
  std::vector<HWND> floatingDockBars(state.m_arrBarInfo.GetSize(), nullptr);
  for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
    CControlBarInfo* pInfo = (CControlBarInfo*)state.m_arrBarInfo[i];
    pInfo->m_pBar = nullptr;
    if (pInfo->m_bFloating) {
      if (pInfo->m_arrBarID.GetSize() == 0) continue;
      CMiniDockFrameWnd* pDockFrame = CreateFloatingFrame(pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
      // The frame stays on the screen the layout allows.
      CPoint pt = pInfo->m_pointPos;
      pt.x = std::max(state.m_rectClip.left, std::min(pt.x, state.m_rectClip.right));
      pt.y = std::max(state.m_rectClip.top, std::min(pt.y, state.m_rectClip.bottom));
      CRect rect(pt, CSize(10, 10));
      pDockFrame->CalcWindowRect(&rect);
      pDockFrame->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      pInfo->m_pBar = &pDockFrame->m_wndDockBar;
      floatingDockBars[(size_t)i] = pDockFrame->m_wndDockBar.m_hWnd;
    } else {
      CControlBar* pBar = const_cast<CFrameWnd*>(this)->GetControlBar(pInfo->m_nBarID);
      // A dock bar must be a dock bar; a bar must not be one.
      if (pBar == nullptr || (!pBar->IsDockBar() && pInfo->m_arrBarID.GetSize() > 0)) continue;
      pInfo->m_pBar = pBar;
    }
    pInfo->m_pBar->m_nMRUWidth = pInfo->m_nMRUWidth;
  }
  for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
    CControlBarInfo* pInfo = (CControlBarInfo*)state.m_arrBarInfo[i];
    if (pInfo->m_pBar != nullptr) pInfo->m_pBar->SetBarInfo(pInfo, this);
  }
  // Floating frames show when they hold a visible bar; empty ones go.
  for (size_t i = 0; i < floatingDockBars.size(); ++i) {
    HWND hDockBar = floatingDockBars[i];
    CDockBar* pDockBar = hDockBar != nullptr ? DYNAMIC_DOWNCAST(CDockBar, CWnd::FromHandlePermanent(hDockBar)) : nullptr;
    if (pDockBar == nullptr) continue;
    CFrameWnd* pFrame = pDockBar->GetParentFrame();
    if (pFrame == nullptr) continue;
    if (pDockBar->GetDockedCount() == 0) {
      pFrame->DestroyWindow();
    } else if (pDockBar->GetDockedVisibleCount() > 0) {
      pFrame->RecalcLayout();
      pFrame->ShowWindow(SW_SHOWNA);
    } else {
      pFrame->RecalcLayout();
    }
  }
  DelayRecalcLayout();
}

void CFrameWnd::LoadBarState(LPCWSTR lpszProfileName) {
  CDockState state;
  state.LoadState(lpszProfileName);
  SetDockState(state);
}

void CFrameWnd::SaveBarState(LPCWSTR lpszProfileName) const {
  CDockState state;
  GetDockState(state);
  state.SaveState(lpszProfileName);
}
