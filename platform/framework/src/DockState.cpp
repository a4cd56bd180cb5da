// CDockState and CControlBarInfo: a frame's bar layout taken, applied, and kept in the profile
// ("<section>-Summary", "<section>-Bar<n>") or an archive. Stored layouts are untrusted.
#include "Framework.h"

IMPLEMENT_SERIAL(CDockState, CObject, 0)

namespace {
// The most entries a stored layout may bring (a frame has far fewer bars).
const int kMaxStoredBars = 1024;
const int kMaxStoredRowEntries = 4096;
const UINT kMissing = 0x7FFFFFFF;  // a value the profile does not have
// Sections past the saved ones that a save clears (left by an older, longer layout).
const int kStaleSectionsCleared = 64;
// A bar's remembered floating length: 32767 stands for none, and no stored one is longer.
const UINT kNoMRUWidth = 32767;

UINT StoredMRUWidth(UINT nWidth) { return nWidth < kNoMRUWidth ? nWidth : kNoMRUWidth; }

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

// The application's registry key, opened once for a whole layout (null for an INI profile or
// when the key cannot be had). A layout is some hundred values: opening the key path again for
// each of them made saving and loading a frame's layout slow.
class CAppProfileKey {
public:
  explicit CAppProfileKey(CWinApp* pApp) : m_pApp(pApp) {
    if (pApp != nullptr && pApp->m_pszRegistryKey != nullptr) m_hKey = pApp->GetAppRegistryKey();
  }
  ~CAppProfileKey() {
    if (m_hKey != nullptr) ::RegCloseKey(m_hKey);
  }
  CAppProfileKey(const CAppProfileKey&) = delete;
  CAppProfileKey& operator=(const CAppProfileKey&) = delete;
  CWinApp* App() const { return m_pApp; }
  HKEY Key() const { return m_hKey; }
  bool IsRegistry() const { return m_pApp != nullptr && m_pApp->m_pszRegistryKey != nullptr; }

  // Removes a section with everything in it; TRUE when it is gone (or was never there).
  BOOL DeleteSection(LPCWSTR lpszSection) const {
    if (!IsRegistry()) return m_pApp->WriteProfileString(lpszSection, nullptr, nullptr);
    if (m_hKey == nullptr) return FALSE;
    const LONG r = ::RegDeleteTreeW(m_hKey, lpszSection);  // the section itself too
    return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
  }

private:
  CWinApp* m_pApp;
  HKEY m_hKey = nullptr;
};

// One section of the profile, opened once for all its values. Values are read and written as
// the application's profile functions do (integers as REG_DWORD); a section opened for reading
// is never created, and a missing one answers every default.
class CProfileSection {
public:
  enum Mode { forReading, forWriting };
  CProfileSection(const CAppProfileKey& app, const CString& strSection, Mode mode)
      : m_app(app), m_strSection(strSection) {
    if (!app.IsRegistry() || app.Key() == nullptr) return;
    if (mode == forReading) {
      m_bOpen = ::RegOpenKeyExW(app.Key(), strSection, 0, KEY_READ, &m_hKey) == ERROR_SUCCESS;
    } else {
      DWORD dw = 0;
      m_bOpen = ::RegCreateKeyExW(app.Key(), strSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                                  nullptr, &m_hKey, &dw) == ERROR_SUCCESS;
    }
    if (!m_bOpen) m_hKey = nullptr;
  }
  ~CProfileSection() {
    if (m_hKey != nullptr) ::RegCloseKey(m_hKey);
  }
  CProfileSection(const CProfileSection&) = delete;
  CProfileSection& operator=(const CProfileSection&) = delete;

  UINT GetInt(LPCWSTR lpszEntry, int nDefault) const {
    if (!m_app.IsRegistry()) return m_app.App()->GetProfileInt(m_strSection, lpszEntry, nDefault);
    if (m_hKey == nullptr) return (UINT)nDefault;
    DWORD value = 0, type = 0, size = sizeof(value);
    const LONG r = ::RegQueryValueExW(m_hKey, lpszEntry, nullptr, &type, (LPBYTE)&value, &size);
    return r == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(value) ? (UINT)value : (UINT)nDefault;
  }
  BOOL WriteInt(LPCWSTR lpszEntry, int nValue) const {
    if (!m_app.IsRegistry()) return m_app.App()->WriteProfileInt(m_strSection, lpszEntry, nValue);
    if (m_hKey == nullptr) return FALSE;
    const DWORD value = (DWORD)nValue;
    return ::RegSetValueExW(m_hKey, lpszEntry, 0, REG_DWORD, (const BYTE*)&value, sizeof(value)) == ERROR_SUCCESS;
  }

private:
  const CAppProfileKey& m_app;
  CString m_strSection;
  HKEY m_hKey = nullptr;
  bool m_bOpen = false;
};

// An entry's values go into a section of their own, emptied first.
BOOL SaveBarInfo(const CControlBarInfo& info, const CAppProfileKey& app, LPCWSTR lpszProfileName, int nIndex) {
  const CString section = BarSection(lpszProfileName, nIndex);
  app.DeleteSection(section);  // a fresh section
  // An empty dock bar in its usual place has nothing worth keeping.
  if (info.m_bDockBar && info.m_bVisible && !info.m_bFloating && info.m_pointPos.x == -1 && info.m_pointPos.y == -1 &&
      info.m_arrBarID.GetSize() <= 1)
    return FALSE;
  CProfileSection out(app, section, CProfileSection::forWriting);
  out.WriteInt(L"BarID", (int)info.m_nBarID);
  if (!info.m_bVisible) out.WriteInt(L"Visible", info.m_bVisible);
  if (info.m_bFloating) {
    out.WriteInt(L"Horz", info.m_bHorz);
    out.WriteInt(L"Floating", info.m_bFloating);
  }
  if (info.m_pointPos.x != -1) out.WriteInt(L"XPos", info.m_pointPos.x);
  if (info.m_pointPos.y != -1) out.WriteInt(L"YPos", info.m_pointPos.y);
  if (info.m_nMRUWidth != 32767) out.WriteInt(L"MRUWidth", (int)info.m_nMRUWidth);
  if (info.m_bDocking) {
    out.WriteInt(L"Docking", info.m_bDocking);
    out.WriteInt(L"MRUDockID", (int)info.m_uMRUDockID);
    out.WriteInt(L"MRUDockLeftPos", info.m_rectMRUDockPos.left);
    out.WriteInt(L"MRUDockTopPos", info.m_rectMRUDockPos.top);
    out.WriteInt(L"MRUDockRightPos", info.m_rectMRUDockPos.right);
    out.WriteInt(L"MRUDockBottomPos", info.m_rectMRUDockPos.bottom);
    out.WriteInt(L"MRUFloatStyle", (int)info.m_dwMRUFloatStyle);
    out.WriteInt(L"MRUFloatXPos", info.m_ptMRUFloatPos.x);
    out.WriteInt(L"MRUFloatYPos", info.m_ptMRUFloatPos.y);
  }
  if (info.m_arrBarID.GetSize() > 1) {
    out.WriteInt(L"Bars", (int)info.m_arrBarID.GetSize());
    for (INT_PTR i = 0; i < info.m_arrBarID.GetSize(); ++i) {
      CString entry;
      entry.Format(L"Bar#%d", (int)i);
      out.WriteInt(entry, (int)(UINT_PTR)info.m_arrBarID[i]);
    }
  }
  return TRUE;
}

BOOL LoadBarInfo(CControlBarInfo& info, const CAppProfileKey& app, LPCWSTR lpszProfileName, int nIndex,
                 CDockState* pDockState) {
  CProfileSection in(app, BarSection(lpszProfileName, nIndex), CProfileSection::forReading);
  info.m_nBarID = in.GetInt(L"BarID", 0);
  info.m_bVisible = in.GetInt(L"Visible", TRUE) != 0;
  info.m_bHorz = in.GetInt(L"Horz", TRUE) != 0;
  info.m_bFloating = in.GetInt(L"Floating", FALSE) != 0;
  info.m_pointPos = CPoint((int)in.GetInt(L"XPos", -1), (int)in.GetInt(L"YPos", -1));
  if (pDockState != nullptr) pDockState->ScalePoint(info.m_pointPos);
  info.m_nMRUWidth = StoredMRUWidth(in.GetInt(L"MRUWidth", kNoMRUWidth));
  info.m_bDocking = in.GetInt(L"Docking", 0) != 0;
  if (info.m_bDocking) {
    info.m_uMRUDockID = in.GetInt(L"MRUDockID", 0);
    info.m_rectMRUDockPos.SetRect((int)in.GetInt(L"MRUDockLeftPos", 0), (int)in.GetInt(L"MRUDockTopPos", 0),
                                  (int)in.GetInt(L"MRUDockRightPos", 0), (int)in.GetInt(L"MRUDockBottomPos", 0));
    if (pDockState != nullptr) pDockState->ScaleRectPos(info.m_rectMRUDockPos);
    info.m_dwMRUFloatStyle = in.GetInt(L"MRUFloatStyle", 0);
    info.m_ptMRUFloatPos = CPoint((int)in.GetInt(L"MRUFloatXPos", 0), (int)in.GetInt(L"MRUFloatYPos", 0));
    if (pDockState != nullptr) pDockState->ScalePoint(info.m_ptMRUFloatPos);
  }
  // The row list is as long as what is stored, whatever its count says.
  int nBars = (int)in.GetInt(L"Bars", 0);
  nBars = std::max(0, std::min(nBars, kMaxStoredRowEntries));
  info.m_arrBarID.RemoveAll();
  for (int i = 0; i < nBars; ++i) {
    CString entry;
    entry.Format(L"Bar#%d", i);
    const UINT v = in.GetInt(entry, (int)kMissing);
    if (v == kMissing) break;
    info.m_arrBarID.Add((void*)(UINT_PTR)v);
  }
  return info.m_nBarID != 0;
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
  CAppProfileKey app(pApp);
  return SaveBarInfo(*this, app, lpszProfileName, nIndex);
}

BOOL CControlBarInfo::LoadState(LPCWSTR lpszProfileName, int nIndex, CDockState* pDockState) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr) return FALSE;
  CAppProfileKey app(pApp);
  return LoadBarInfo(*this, app, lpszProfileName, nIndex, pDockState);
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
  ar >> dw; m_nMRUWidth = StoredMRUWidth(dw);
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
  // Nor farther left or up than a screen's width or height beyond the virtual screen (which keeps
  // -1, "no position").
  pt.x = std::max(pt.x, (LONG)(::GetSystemMetrics(SM_XVIRTUALSCREEN) - ::GetSystemMetrics(SM_CXVIRTUALSCREEN)));
  pt.y = std::max(pt.y, (LONG)(::GetSystemMetrics(SM_YVIRTUALSCREEN) - ::GetSystemMetrics(SM_CYVIRTUALSCREEN)));
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
  CAppProfileKey app(pApp);
  int nBars = 0;
  {
    CProfileSection summary(app, SummarySection(lpszProfileName), CProfileSection::forReading);
    nBars = (int)summary.GetInt(L"Bars", 0);
    CSize size((int)summary.GetInt(L"ScreenCX", 0), (int)summary.GetInt(L"ScreenCY", 0));
    SetScreenSize(size);
  }
  nBars = std::max(0, std::min(nBars, kMaxStoredBars));
  for (int i = 0; i < nBars; ++i) {
    CControlBarInfo* pInfo = new CControlBarInfo;
    // A section that is not there ends the list (the count said more than was stored).
    if (!LoadBarInfo(*pInfo, app, lpszProfileName, i, this)) {
      delete pInfo;
      break;
    }
    m_arrBarInfo.Add(pInfo);
  }
}

void CDockState::SaveState(LPCWSTR lpszProfileName) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr) return;
  CAppProfileKey app(pApp);
  int nIndex = 0;
  for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
    if (SaveBarInfo(*(CControlBarInfo*)m_arrBarInfo[i], app, lpszProfileName, nIndex)) ++nIndex;
  // Sections of an older, longer layout go.
  for (int i = nIndex; i < nIndex + kStaleSectionsCleared; ++i) app.DeleteSection(BarSection(lpszProfileName, i));
  CProfileSection summary(app, SummarySection(lpszProfileName), CProfileSection::forWriting);
  summary.WriteInt(L"Bars", nIndex);
  CSize size = GetScreenSize();
  summary.WriteInt(L"ScreenCX", size.cx);
  summary.WriteInt(L"ScreenCY", size.cy);
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
  // Floating frames are made for floating entries; other entries name this frame's bars. The
  // windows are remembered by handle: placing one bar can end a floating frame made for another
  // entry (it deletes itself with its window), and a stored state may say anything.
  std::vector<HWND> floatingFrames(state.m_arrBarInfo.GetSize(), nullptr);
  std::vector<HWND> barWindows(state.m_arrBarInfo.GetSize(), nullptr);
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
      floatingFrames[(size_t)i] = pDockFrame->m_hWnd;
    } else {
      CControlBar* pBar = const_cast<CFrameWnd*>(this)->GetControlBar(pInfo->m_nBarID);
      // A dock bar must be a dock bar; a bar must not be one.
      if (pBar == nullptr || (!pBar->IsDockBar() && pInfo->m_arrBarID.GetSize() > 0)) continue;
      pInfo->m_pBar = pBar;
    }
    pInfo->m_pBar->m_nMRUWidth = pInfo->m_nMRUWidth;
    barWindows[(size_t)i] = pInfo->m_pBar->m_hWnd;
  }
  for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
    CControlBarInfo* pInfo = (CControlBarInfo*)state.m_arrBarInfo[i];
    if (pInfo->m_pBar == nullptr) continue;
    // A bar whose window went meanwhile (with its floating frame) is not there to place.
    if (CWnd::FromHandlePermanent(barWindows[(size_t)i]) != pInfo->m_pBar) {
      pInfo->m_pBar = nullptr;
      continue;
    }
    pInfo->m_pBar->SetBarInfo(pInfo, this);
  }
  // Floating frames made here show when they hold a visible bar; empty ones go.
  for (size_t i = 0; i < floatingFrames.size(); ++i) {
    CMiniDockFrameWnd* pFrame =
        floatingFrames[i] != nullptr ? DYNAMIC_DOWNCAST(CMiniDockFrameWnd, CWnd::FromHandlePermanent(floatingFrames[i])) : nullptr;
    if (pFrame == nullptr || pFrame == this) continue;
    CDockBar* pDockBar = &pFrame->m_wndDockBar;
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
