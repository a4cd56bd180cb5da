// CUfxMDIFrameWnd: the framework's multiple-document frame. It embeds the frame helper and
// forwards to it as CUfxFrameWnd does (menu bar, toolbars, popup menus, user toolbars, saved
// placement and key routing), and adds the MDI side: the window menu inside the menu bar with
// its child entries and the more-windows entry, the maximized child's state on the menu bar,
// and the subclassed client area with its optional tabs.
#pragma once
#include "Framework.h"
#include "FwMDI.h"
#include "frames/UfxFrameHelper.h"
#include "frames/UfxMDIClientWnd.h"
#include "frames/UfxPopupMenuHost.h"

class CControlBar;
class CUfxMenuBar;
class CUfxToolbarButton;
class COleClientItem;

class CUfxMDIFrameWnd : public CMDIFrameWnd, public CUfxPopupMenuHost {
  DECLARE_DYNCREATE(CUfxMDIFrameWnd)
public:
  CUfxMDIFrameWnd();
  ~CUfxMDIFrameWnd() override;

  // ---- virtual operations, in slot order after the platform's ----
  // The menu bar takes the frame's menu (null: the default one); FALSE leaves the frame's own.
  virtual BOOL OnSetMenu(HMENU hmenu);
  virtual BOOL OnShowPopupMenu(CUfxPopupMenu*) { return TRUE; }
  void OnClosePopupMenu(CUfxPopupMenu* pMenuPopup) override;
  virtual BOOL OnMenuButtonToolHit(CUfxToolbarButton*, TOOLINFOW*) { return FALSE; }
  virtual BOOL OnQueryButtonTooltip(CUfxToolbarButton*, CString&) { return FALSE; }
  virtual BOOL OnDrawMenuImage(CDC*, CUfxToolbarButton*, const CRect&) { return FALSE; }
  virtual BOOL OnEraseMDIClientBackground(CDC*) { return FALSE; }
  virtual void OnSizeMDIClient(const CRect&, const CRect&) {}
  virtual BOOL OnTearOffMenu(CUfxPopupMenu*, CControlBar*) { return TRUE; }
  // The in-place-active OLE item of the active view's document, or null.
  virtual COleClientItem* GetInPlaceActiveItem();

  // ---- platform overrides ----
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu) override;
  HMENU GetWindowMenuPopup(HMENU hMenuBar) override;
  void OnUpdateFrameMenu(HMENU hMenuAlt) override;
  void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
  void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
  void OnContextHelp() override;

  // A popup menu opens: the window menu's popup gets one button per child window.
  BOOL ShowPopupMenu(CUfxPopupMenu* pMenuPopup) override;

  // The window menu's entry that opens the list of all windows (0: none), and whether it shows
  // also when the window menu has no overflow entry.
  void EnableWindowsDialog(UINT uiMenuId, LPCWSTR lpszMenuText, BOOL bShowAllways = FALSE);
  HMENU GetWindowMenu() const { return m_hmenuWindow; }
  CUfxMDIClientWnd& GetClientWnd() { return m_wndClientArea; }
  CUfxFrameHelper* GetFrameImpl() { return &m_Impl; }
  void SetMenuBar(CUfxMenuBar* pMenuBar) { m_Impl.SetMenuBar(pMenuBar); }
  CUfxMenuBar* GetMenuBar() const { return m_Impl.GetMenuBar(); }

  afx_msg void OnClose();
  afx_msg void OnDestroy();
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
  afx_msg LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnToolbarDelete(WPARAM wParam, LPARAM lParam);

protected:
  // The child entries of the window menu as buttons of the popup; TRUE when the popup is the
  // window menu's.
  BOOL AddWindowMenuButtons(CUfxPopupMenu* pMenuPopup);

  // Fields, in this order.
  CUfxMDIClientWnd m_wndClientArea;
  HMENU m_hmenuWindow = nullptr;
  CUfxFrameHelper m_Impl;
  BOOL m_bContextHelp = FALSE;
  BOOL m_bDoSubclass = TRUE;
  UINT m_uiWindowsDlgMenuId = 0;
  CString m_strWindowsDlgMenuText;
  BOOL m_bShowWindowsDlgAlways = FALSE;
  int m_nSpare = 0;
  DECLARE_MESSAGE_MAP()
};
