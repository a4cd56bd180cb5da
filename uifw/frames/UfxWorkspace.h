// CUfxWorkspace: the framework's anchor in the application (a second base of the application
// object). It decides where the framework's state lives in the registry and in what order it is
// loaded and saved, owns the optional managers it created, and offers views a context menu, a
// double-click command and context help.
#pragma once
#include "Framework.h"
#include <vector>

class CUfxFrameHelper;
class CUfxContextMenuManager;
class CUfxToolBar;
class CUfxSizingControlBar;

class CUfxWorkspace {
public:
  // bResourceSmartUpdate: toolbar buttons keep their images out of the command manager while the
  // state loads, and the toolbars are refreshed afterwards when one reports a changed resource.
  explicit CUfxWorkspace(BOOL bResourceSmartUpdate = FALSE);
  virtual ~CUfxWorkspace();

  virtual void OnReserved(LPVOID) {}  // kept in its slot; does nothing
  virtual BOOL LoadState(LPCWSTR lpszSectionName = nullptr, CUfxFrameHelper* pFrameImpl = nullptr);
  virtual BOOL CleanState(LPCWSTR lpszSectionName = nullptr);
  virtual BOOL SaveState(LPCWSTR lpszSectionName = nullptr, CUfxFrameHelper* pFrameImpl = nullptr);
  virtual BOOL OnViewDoubleClick(CWnd* pWnd, int iViewId);
  // A registered context menu at the screen point for the window; FALSE without a manager.
  virtual BOOL ShowPopupMenu(UINT uiMenuResId, const CPoint& point, CWnd* pWnd);
  virtual BOOL OnWinHelp(CWnd* pWnd, DWORD_PTR dwData);
  virtual void OnClosingMainFrame(CUfxFrameHelper* pFrameImpl);
  virtual void PreLoadState() {}
  virtual void LoadCustomState() {}
  virtual void PreSaveState() {}
  virtual void SaveCustomState() {}
  virtual BOOL LoadWindowPlacement(CRect& rectNormalPosition, int& nFlags, int& nShowCmd);
  virtual BOOL StoreWindowPlacement(const CRect& rectNormalPosition, int nFlags, int nShowCmd);

  LPCWSTR SetRegistryBase(LPCWSTR lpszSectionName = nullptr);
  const CString& GetRegistryBase() const { return m_strRegSection; }
  // The section path, and below it a sub-section with its trailing backslash.
  CString GetRegSectionPath(LPCWSTR lpszSectionAdd = L"") const;

  BOOL InitContextMenuManager();
  CUfxContextMenuManager* GetContextMenuManager();

  // The library version that wrote the state being loaded; 6.31 (what this program writes) outside
  // a load and when none was stored.
  int GetDataVersionMajor() const { return m_iSavedVersionMajor; }
  int GetDataVersionMinor() const { return m_iSavedVersionMinor; }
  BOOL IsResourceSmartUpdate() const { return m_bResourceSmartUpdate; }

  static const int kVersionMajor = 6;
  static const int kVersionMinor = 31;

  BOOL m_bForceDockStateLoad = FALSE;
  BOOL m_bLoadSaveFrameBarsOnly = FALSE;
  BOOL m_bSaveState = TRUE;
  BOOL m_bForceRelayout = FALSE;

protected:
  // The frame's bar layout, in the profile section "<registry base>\ControlBars".
  CString GetDockStateSection() const;
  void LoadDockState(CUfxFrameHelper* pFrameImpl);
  void SaveDockState(CUfxFrameHelper* pFrameImpl);
  // Every live sizing bar (of the frame alone under m_bLoadSaveFrameBarsOnly), in the profile
  // section "<registry base>\SizingBars".
  CString GetSizingBarsSection() const;
  BOOL IsFrameBar(CControlBar* pBar, CUfxFrameHelper* pFrameImpl) const;
  // The sizing bars whose state this frame keeps, in the order they were made.
  std::vector<CUfxSizingControlBar*> FrameSizingBars(CUfxFrameHelper* pFrameImpl) const;
  // Every live toolbar that keeps its state with the workspace; the load answers whether one of
  // them found its resource changed since its state was stored.
  BOOL IsWorkspaceToolbar(CUfxToolBar* pBar, CUfxFrameHelper* pFrameImpl) const;
  BOOL LoadToolbarsState(CUfxFrameHelper* pFrameImpl);
  void SaveToolbarsState(CUfxFrameHelper* pFrameImpl);
  // After a load that changed them: every toolbar's buttons again, and the frame's layout.
  void RefreshToolbars(CUfxFrameHelper* pFrameImpl);
  void LoadSizingBarsState(CUfxFrameHelper* pFrameImpl);
  void SaveSizingBarsState(CUfxFrameHelper* pFrameImpl);

  CString m_strRegSection = L"UfxWorkspace";
  BOOL m_bKeyboardManagerAutocreated = FALSE;
  BOOL m_bContextMenuManagerAutocreated = FALSE;
  BOOL m_bMouseManagerAutocreated = FALSE;
  BOOL m_bUserToolsManagerAutocreated = FALSE;
  BOOL m_bTearOffManagerAutocreated = FALSE;
  int m_iSavedVersionMajor = kVersionMajor;
  int m_iSavedVersionMinor = kVersionMinor;
  BOOL m_bResourceSmartUpdate;
};

// The application's one workspace, null before it exists.
CUfxWorkspace* UfxGetWorkspace();
