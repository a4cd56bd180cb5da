// CUfxFrameWnd: the framework's single-document frame. It forwards almost everything to its
// embedded CUfxFrameHelper: placement, saved state, key routing and user toolbars.
#pragma once
#include "UfxFrameHelper.h"

class CControlBar;
class CUfxPopupMenu;
class CUfxToolbarButton;

class CUfxFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CUfxFrameWnd)
public:
  CUfxFrameWnd();
  ~CUfxFrameWnd() override;

  // Hooks for the command bars; the base frame's answers.
  virtual BOOL OnShowPopupMenu(CUfxPopupMenu* pMenuPopup) { return TRUE; }
  virtual void OnClosePopupMenu(CUfxPopupMenu* pMenuPopup);
  virtual BOOL OnMenuButtonToolHit(CUfxToolbarButton* pButton, TOOLINFOW* pTI) { return FALSE; }
  virtual BOOL OnQueryButtonTooltip(CUfxToolbarButton* pButton, CString& strTTText) { return FALSE; }
  virtual void OnDrawMenuLogo(CDC* pDC, CUfxPopupMenu* pMenu, const CRect& rectLogo) {}
  virtual BOOL OnTearOffMenu(CUfxPopupMenu* pMenuPopup, CControlBar* pBar) { return TRUE; }

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  // The frame's dock bars are framework dock bars.
  void EnableDocking(DWORD dwDockStyle) { m_Impl.EnableDocking(dwDockStyle); }
  void DockControlBarLeftOf(CControlBar* pBar, CControlBar* pLeftOf) { m_Impl.DockControlBarLeftOf(pBar, pLeftOf); }

  CUfxFrameHelper* GetFrameImpl() { return &m_Impl; }
  void InitUserToolbars(LPCWSTR lpszRegEntry, UINT uiUserToolbarFirst, UINT uiUserToolbarLast) {
    m_Impl.InitUserToolbars(lpszRegEntry, uiUserToolbarFirst, uiUserToolbarLast);
  }

  afx_msg void OnClose();
  afx_msg void OnDestroy();

protected:
  // A right click on a dock bar asks the frame for the toolbar menu (UFXTOOLBAR_POPUPMENU).
  BOOL OnMouseMessage(MSG* pMsg);

  CUfxFrameHelper m_Impl;
  BOOL m_bContextHelp = FALSE;
  MSG m_msgLastMouse = {};
  DECLARE_MESSAGE_MAP()
};

// The frame that popups, buttons and colour bars report to: an in-place frame that set itself
// here, else the window's top-most parent frame.
extern CFrameWnd* UfxFrameOverride;
// Asks the frame for the toolbar context menu: wParam the bar's or frame's window, lParam the
// screen point.
extern const UINT UFXM_TOOLBAR_POPUPMENU;
CFrameWnd* UfxGetTopLevelFrame(const CWnd* pWnd);
