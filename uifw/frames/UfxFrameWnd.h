// CUfxFrameWnd: the framework's single-document frame. It forwards almost everything to its
// embedded CUfxFrameHelper: placement, saved state, key routing and user toolbars.
#pragma once
#include "frames/UfxFrameHelper.h"
#include "frames/UfxPopupMenuHost.h"

class CControlBar;
class CUfxMenuBar;
class CUfxPopupMenu;
class CUfxToolbarButton;

class CUfxFrameWnd : public CFrameWnd, public CUfxPopupMenuHost {
  DECLARE_DYNCREATE(CUfxFrameWnd)
public:
  CUfxFrameWnd();
  ~CUfxFrameWnd() override;

  // Hooks for the command bars; the base frame's answers.
  virtual BOOL OnShowPopupMenu(CUfxPopupMenu* pMenuPopup) { return TRUE; }
  void OnClosePopupMenu(CUfxPopupMenu* pMenuPopup) override;
  virtual BOOL OnMenuButtonToolHit(CUfxToolbarButton* pButton, TOOLINFOW* pTI) { return FALSE; }
  virtual BOOL OnQueryButtonTooltip(CUfxToolbarButton* pButton, CString& strTTText) { return FALSE; }
  virtual void OnDrawMenuLogo(CDC* pDC, CUfxPopupMenu* pMenu, const CRect& rectLogo) {}
  virtual BOOL OnTearOffMenu(CUfxPopupMenu* pMenuPopup, CControlBar* pBar) { return TRUE; }

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnUpdateFrameMenu(HMENU hMenuAlt) override;
  // Help for a context (data) as the frame gives it; with none while in context help, that mode.
  void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
  // Shift+F1: the toolbars' mouse hook runs for as long as the help mode does.
  void OnContextHelp() override;

  // A popup menu opens (null: the open chain closed). FALSE refuses it and it closes.
  BOOL ShowPopupMenu(CUfxPopupMenu* pMenuPopup) override;
  // The frame's menu bar (it links itself when it is created on the frame).
  void SetMenuBar(CUfxMenuBar* pMenuBar) { m_Impl.SetMenuBar(pMenuBar); }
  CUfxMenuBar* GetMenuBar() const { return m_Impl.GetMenuBar(); }
  HMENU GetDefaultMenu() const { return m_Impl.GetDefaultMenu(); }
  void AddTearOffBar(CControlBar* pBar) { m_Impl.AddTearOffBar(pBar); }
  void RemoveTearOffBar(CControlBar* pBar) { m_Impl.RemoveTearOffBar(pBar); }
  CUfxToolBar* GetUserBarByIndex(int iIndex) const { return m_Impl.GetUserBarByIndex(iIndex); }
  BOOL IsUserDefinedToolbar(const CControlBar* pBar) const { return m_Impl.IsUserDefinedToolbar(pBar); }

  // The frame's dock bars are framework dock bars.
  void EnableDocking(DWORD dwDockStyle) { m_Impl.EnableDocking(dwDockStyle); }
  void DockControlBarLeftOf(CControlBar* pBar, CControlBar* pLeftOf) { m_Impl.DockControlBarLeftOf(pBar, pLeftOf); }

  CUfxFrameHelper* GetFrameImpl() { return &m_Impl; }
  void InitUserToolbars(LPCWSTR lpszRegEntry, UINT uiUserToolbarFirst, UINT uiUserToolbarLast) {
    m_Impl.InitUserToolbars(lpszRegEntry, uiUserToolbarFirst, uiUserToolbarLast);
  }

  afx_msg void OnClose();
  afx_msg void OnDestroy();
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
  afx_msg LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnToolbarDelete(WPARAM wParam, LPARAM lParam);

protected:
  CUfxFrameHelper m_Impl;
  BOOL m_bContextHelp = FALSE;
  DECLARE_MESSAGE_MAP()
};

// The frame that popups, buttons and colour bars report to: an in-place frame that set itself
// here, else the window's top-most parent frame.
extern CFrameWnd* UfxFrameOverride;
// Asks the frame for the toolbar context menu: wParam the bar's or frame's window, lParam the
// screen point.
extern const UINT UFXM_TOOLBAR_POPUPMENU;
CFrameWnd* UfxGetTopLevelFrame(const CWnd* pWnd);
