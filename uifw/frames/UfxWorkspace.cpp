#include "frames/UfxWorkspace.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxContextMenuManager.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxKeyboardManager.h"
#include "frames/UfxMouseManager.h"
#include "frames/UfxRebarsState.h"
#include "frames/UfxRegistryPtr.h"
#include "frames/UfxSizingControlBar.h"
#include "frames/UfxTearOffManager.h"
#include "bars/UfxToolBar.h"
#include "frames/UfxUserToolsManager.h"

namespace {
CUfxWorkspace* g_pWorkspace = nullptr;

const wchar_t kVersionSection[] = L"UfxFrameworkVersion";
const wchar_t kPlacementSection[] = L"WindowPlacement";

// Deletes a manager the workspace made itself and clears its global pointer.
template <class T> void DeleteOwned(BOOL bOwned, T*& pGlobal) {
  if (bOwned && pGlobal != nullptr) {
    T* p = pGlobal;
    delete p;
    pGlobal = nullptr;
  }
}
}  // namespace

CUfxWorkspace* UfxGetWorkspace() { return g_pWorkspace; }

CUfxWorkspace::CUfxWorkspace(BOOL bResourceSmartUpdate) : m_bResourceSmartUpdate(bResourceSmartUpdate) {
  g_pWorkspace = this;
}

CUfxWorkspace::~CUfxWorkspace() {
  if (g_pWorkspace == this) g_pWorkspace = nullptr;
  DeleteOwned(m_bKeyboardManagerAutocreated, UfxKeyboardManager);
  DeleteOwned(m_bContextMenuManagerAutocreated, UfxContextMenuManager);
  DeleteOwned(m_bMouseManagerAutocreated, UfxMouseManager);
  DeleteOwned(m_bUserToolsManagerAutocreated, UfxUserToolsManager);
  DeleteOwned(m_bTearOffManagerAutocreated, UfxTearOffManager);
}

LPCWSTR CUfxWorkspace::SetRegistryBase(LPCWSTR lpszSectionName) {
  m_strRegSection = lpszSectionName ? lpszSectionName : L"";
  return m_strRegSection;
}

CString CUfxWorkspace::GetRegSectionPath(LPCWSTR lpszSectionAdd) const {
  CString strPath = UfxGetRegPath(m_strRegSection);
  if (lpszSectionAdd != nullptr && *lpszSectionAdd != 0) {
    strPath += lpszSectionAdd;
    strPath += L"\\";
  }
  return strPath;
}

BOOL CUfxWorkspace::InitContextMenuManager() {
  if (UfxContextMenuManager != nullptr) return FALSE;
  new CUfxContextMenuManager;  // publishes itself
  m_bContextMenuManagerAutocreated = TRUE;
  return TRUE;
}

CUfxContextMenuManager* CUfxWorkspace::GetContextMenuManager() {
  if (UfxContextMenuManager == nullptr) InitContextMenuManager();
  return UfxContextMenuManager;
}

BOOL CUfxWorkspace::LoadState(LPCWSTR lpszSectionName, CUfxFrameHelper* pFrameImpl) {
  if (lpszSectionName != nullptr) m_strRegSection = lpszSectionName;
  const CString strSection = GetRegSectionPath();
  PreLoadState();

  // What the stored state's archives were written by; this program's version when nothing says.
  m_iSavedVersionMajor = kVersionMajor;
  m_iSavedVersionMinor = kVersionMinor;
  {
    CUfxRegistryPtr reg;
    CUfxRegistry& in = reg.Create(FALSE, TRUE);
    if (in.Open(GetRegSectionPath(kVersionSection))) {
      in.Read(L"Major", m_iSavedVersionMajor);
      in.Read(L"Minor", m_iSavedVersionMinor);
    }
  }

  CUfxToolBar::LoadParameters(strSection);
  UfxGetCommandManager()->LoadState(strSection);
  if (m_bResourceSmartUpdate) UfxImageRegistrationFlag = FALSE;

  BOOL bResourceChanged = FALSE;
  if (pFrameImpl != nullptr && pFrameImpl->GetOwnerFrame() != nullptr) {
    LoadRebarsState(strSection, pFrameImpl->GetOwnerFrame());
    bResourceChanged = LoadToolbarsState(pFrameImpl);
    LoadSizingBarsState(pFrameImpl);
    pFrameImpl->LoadUserToolbars();
    pFrameImpl->LoadTearOffMenus();
    LoadDockState(pFrameImpl);
  }

  if (UfxMouseManager != nullptr) UfxMouseManager->LoadState(strSection);
  if (UfxContextMenuManager != nullptr) UfxContextMenuManager->LoadState(strSection);
  if (UfxKeyboardManager != nullptr)
    UfxKeyboardManager->LoadState(strSection, pFrameImpl ? pFrameImpl->GetOwnerFrame() : nullptr);
  if (UfxUserToolsManager != nullptr) UfxUserToolsManager->LoadState(strSection);

  if (m_bResourceSmartUpdate) UfxImageRegistrationFlag = TRUE;
  if (m_bForceRelayout || (m_bResourceSmartUpdate && bResourceChanged)) RefreshToolbars(pFrameImpl);

  LoadCustomState();
  m_iSavedVersionMajor = kVersionMajor;
  m_iSavedVersionMinor = kVersionMinor;
  return TRUE;
}

BOOL CUfxWorkspace::SaveState(LPCWSTR lpszSectionName, CUfxFrameHelper* pFrameImpl) {
  if (!m_bSaveState) return FALSE;
  if (lpszSectionName != nullptr) m_strRegSection = lpszSectionName;
  const CString strSection = GetRegSectionPath();
  PreSaveState();
  {
    CUfxRegistryPtr reg;
    CUfxRegistry& out = reg.Create(FALSE, FALSE);
    if (out.CreateKey(GetRegSectionPath(kVersionSection))) {
      out.Write(L"Major", kVersionMajor);
      out.Write(L"Minor", kVersionMinor);
    }
  }
  CUfxToolBar::SaveParameters(strSection);
  UfxGetCommandManager()->SaveState(strSection);
  if (pFrameImpl != nullptr && pFrameImpl->GetOwnerFrame() != nullptr) {
    SaveDockState(pFrameImpl);
    SaveToolbarsState(pFrameImpl);
    SaveSizingBarsState(pFrameImpl);
    pFrameImpl->SaveUserToolbars(m_bLoadSaveFrameBarsOnly);
    pFrameImpl->SaveTearOffMenus(m_bLoadSaveFrameBarsOnly);
    SaveRebarsState(strSection, pFrameImpl->GetOwnerFrame());
  }
  // Images the user drew for buttons live in their own bitmap file.
  if (CUfxToolBarImages* pUserImages = CUfxToolBar::GetUserImages()) pUserImages->Save();

  if (UfxMouseManager != nullptr) UfxMouseManager->SaveState(strSection);
  if (UfxContextMenuManager != nullptr) UfxContextMenuManager->SaveState(strSection);
  if (UfxKeyboardManager != nullptr)
    UfxKeyboardManager->SaveState(strSection, pFrameImpl ? pFrameImpl->GetOwnerFrame() : nullptr);
  if (UfxUserToolsManager != nullptr) UfxUserToolsManager->SaveState(strSection);
  SaveCustomState();
  return TRUE;
}

BOOL CUfxWorkspace::CleanState(LPCWSTR lpszSectionName) {
  if (lpszSectionName != nullptr) m_strRegSection = lpszSectionName;
  CUfxRegistryPtr reg;
  return reg.Create(FALSE, FALSE).DeleteKey(GetRegSectionPath(), FALSE);
}

BOOL CUfxWorkspace::OnViewDoubleClick(CWnd* pWnd, int iViewId) {
  if (UfxMouseManager == nullptr) return FALSE;
  const UINT uiCmd = UfxMouseManager->GetViewDblClickCommand(iViewId);
  if (uiCmd == 0 || uiCmd == (UINT)-1) {
    ::MessageBeep((UINT)-1);
    return FALSE;
  }
  if (UfxUserToolsManager != nullptr && UfxUserToolsManager->InvokeTool(uiCmd)) return TRUE;
  CWnd* pTarget = pWnd ? (CWnd*)UfxGetTopLevelFrame(pWnd) : AfxGetMainWnd();
  if (pTarget != nullptr && pTarget->GetSafeHwnd() != nullptr) pTarget->SendMessage(WM_COMMAND, uiCmd, 0);
  return TRUE;
}

BOOL CUfxWorkspace::ShowPopupMenu(UINT uiMenuResId, const CPoint& point, CWnd* pWnd) {
  if (UfxContextMenuManager == nullptr) return FALSE;
  return UfxContextMenuManager->ShowPopupMenu(uiMenuResId, point.x, point.y, pWnd);
}

BOOL CUfxWorkspace::OnWinHelp(CWnd* pWnd, DWORD_PTR dwData) {
  CWinApp* pApp = AfxGetApp();
  return ::WinHelpW(pWnd ? pWnd->GetSafeHwnd() : nullptr, pApp ? pApp->m_pszHelpFilePath : nullptr,
                    HELP_CONTEXTMENU, dwData);
}

namespace {
// Floating frames may reach past the screen's edge by their border and caption.
void PrepareDockState(CDockState& state) {
  state.m_rectClip.left -= ::GetSystemMetrics(SM_CXFRAME);
  state.m_rectClip.top -= ::GetSystemMetrics(SM_CYSMCAPTION) + ::GetSystemMetrics(SM_CYFRAME);
}
}  // namespace

CString CUfxWorkspace::GetDockStateSection() const { return m_strRegSection + L"\\ControlBars"; }

void CUfxWorkspace::LoadDockState(CUfxFrameHelper* pFrameImpl) {
  CDockState state;
  PrepareDockState(state);
  state.LoadState(GetDockStateSection());
  pFrameImpl->DropMissingBars(state);
  if (state.m_arrBarInfo.GetSize() > 0 && (m_bForceDockStateLoad || pFrameImpl->IsDockStateValid(state)))
    pFrameImpl->SetDockState(state);
  state.Clear();
}

void CUfxWorkspace::SaveDockState(CUfxFrameHelper* pFrameImpl) {
  CDockState state;
  PrepareDockState(state);
  pFrameImpl->GetOwnerFrame()->GetDockState(state);
  state.SaveState(GetDockStateSection());
}

CString CUfxWorkspace::GetSizingBarsSection() const { return m_strRegSection + L"\\SizingBars"; }

BOOL CUfxWorkspace::IsFrameBar(CControlBar* pBar, CUfxFrameHelper* pFrameImpl) const {
  if (!m_bLoadSaveFrameBarsOnly) return TRUE;
  CFrameWnd* pFrame = pFrameImpl->GetOwnerFrame();
  return pBar->m_pDockSite == pFrame || pBar->GetTopLevelFrame() == pFrame;
}

BOOL CUfxWorkspace::IsWorkspaceToolbar(CUfxToolBar* pBar, CUfxFrameHelper* pFrameImpl) const {
  // Drop-down bars and popup menus keep nothing; user toolbars are the frame's to keep.
  return pBar->GetSafeHwnd() != nullptr && !pBar->IsLocked() && !pFrameImpl->IsUserDefinedToolbar(pBar) &&
         IsFrameBar(pBar, pFrameImpl);
}

BOOL CUfxWorkspace::LoadToolbarsState(CUfxFrameHelper* pFrameImpl) {
  const CString strSection = GetRegSectionPath();
  BOOL bResourceChanged = FALSE;
  const CObList& bars = CUfxToolBar::GetAllToolbars();
  for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = (CUfxToolBar*)bars.GetNext(pos);
    if (!IsWorkspaceToolbar(pBar, pFrameImpl)) continue;
    pBar->LoadState(strSection, -1, (UINT)-1);
    if (pBar->OriginalItemsChanged()) bResourceChanged = TRUE;
  }
  return bResourceChanged;
}

void CUfxWorkspace::SaveToolbarsState(CUfxFrameHelper* pFrameImpl) {
  const CString strSection = GetRegSectionPath();
  const CObList& bars = CUfxToolBar::GetAllToolbars();
  for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = (CUfxToolBar*)bars.GetNext(pos);
    if (IsWorkspaceToolbar(pBar, pFrameImpl)) pBar->SaveState(strSection, -1, (UINT)-1);
  }
}

void CUfxWorkspace::RefreshToolbars(CUfxFrameHelper* pFrameImpl) {
  const CObList& bars = CUfxToolBar::GetAllToolbars();
  for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = (CUfxToolBar*)bars.GetNext(pos);
    if (pBar->GetSafeHwnd() == nullptr) continue;
    pBar->ResetAllImages();
    pBar->AdjustLayout();
  }
  if (pFrameImpl != nullptr && pFrameImpl->GetOwnerFrame() != nullptr &&
      pFrameImpl->GetOwnerFrame()->GetSafeHwnd() != nullptr)
    pFrameImpl->GetOwnerFrame()->RecalcLayout(TRUE);
}

std::vector<CUfxSizingControlBar*> CUfxWorkspace::FrameSizingBars(CUfxFrameHelper* pFrameImpl) const {
  std::vector<CUfxSizingControlBar*> result;
  const CPtrList& bars = CUfxSizingControlBar::GetSizingBarList();
  for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
    CUfxSizingControlBar* pBar = (CUfxSizingControlBar*)bars.GetNext(pos);
    if (IsFrameBar(pBar, pFrameImpl)) result.push_back(pBar);
  }
  return result;
}

void CUfxWorkspace::LoadSizingBarsState(CUfxFrameHelper* pFrameImpl) {
  const CString strSection = GetSizingBarsSection();
  for (CUfxSizingControlBar* pBar : FrameSizingBars(pFrameImpl)) pBar->LoadState(strSection);
}

void CUfxWorkspace::SaveSizingBarsState(CUfxFrameHelper* pFrameImpl) {
  const CString strSection = GetSizingBarsSection();
  for (CUfxSizingControlBar* pBar : FrameSizingBars(pFrameImpl)) pBar->SaveState(strSection);
}

void CUfxWorkspace::OnClosingMainFrame(CUfxFrameHelper* pFrameImpl) { SaveState(nullptr, pFrameImpl); }

BOOL CUfxWorkspace::LoadWindowPlacement(CRect& rectNormalPosition, int& nFlags, int& nShowCmd) {
  CUfxRegistryPtr reg;
  CUfxRegistry& in = reg.Create(FALSE, TRUE);
  if (!in.Open(GetRegSectionPath(kPlacementSection))) return FALSE;
  // Each value is taken only when all three are there.
  CRect rect;
  int flags = 0, showCmd = 0;
  if (!in.Read(L"MainWindowRect", rect) || !in.Read(L"Flags", flags) || !in.Read(L"ShowCmd", showCmd)) return FALSE;
  rectNormalPosition = rect;
  nFlags = flags;
  nShowCmd = showCmd;
  return TRUE;
}

BOOL CUfxWorkspace::StoreWindowPlacement(const CRect& rectNormalPosition, int nFlags, int nShowCmd) {
  CUfxRegistryPtr reg;
  CUfxRegistry& out = reg.Create(FALSE, FALSE);
  if (!out.CreateKey(GetRegSectionPath(kPlacementSection))) return FALSE;
  CRect rect = rectNormalPosition;
  const BOOL bRect = out.Write(L"MainWindowRect", (LPRECT)&rect);
  const BOOL bFlags = out.Write(L"Flags", nFlags);
  const BOOL bShow = out.Write(L"ShowCmd", nShowCmd);
  return bRect && bFlags && bShow;
}
