// CUfxMenuBar: the frame's menu as a dockable toolbar whose buttons are the menu titles. It keeps
// one customized bar per menu handle in the menu-bar store, shows the buttons of a maximized MDI
// child, runs keyboard menu mode and saves the customized menus in the registry.
#pragma once
#include "bars/UfxToolBar.h"

class CUfxToolbarMenuButton;
class CUfxToolbarButton;
class CMultiDocTemplate;

#ifndef AFX_IDW_MENUBAR
#define AFX_IDW_MENUBAR 0xE806
#endif

class CUfxMenuBar : public CUfxToolBar {
  DECLARE_SERIAL(CUfxMenuBar)
public:
  CUfxMenuBar();
  ~CUfxMenuBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_MENUBAR) override;
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(1, 1, 1, 1),
                UINT nID = AFX_IDW_MENUBAR) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // Menu titles show no tooltip.
  INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
  BOOL AllowsTextLabels() const override { return FALSE; }
  BOOL SetDefaultButtonText(CUfxToolbarButton* pButton) override;

  // Slots of the toolbar the menu bar replaces.
  int RowHeight() const override;
  int ColumnWidth() const override;
  BOOL LoadState(LPCWSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
  BOOL SaveState(LPCWSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
  BOOL HasResourceButtons() const override { return TRUE; }
  BOOL IsClosable() const override { return FALSE; }
  BOOL RestoreResourceButtons() override { return RestoreOriginalState(); }
  int SetHotButton(int iHot) override;
  CSize ComputeBarLayout(DWORD dwMode, int nLength = -1) override;
  int FindDropIndex(CPoint point, CRect& rectDrag) const override;
  void LayoutButtons() override;
  BOOL IsMenuOnlyButton(CUfxToolbarButton* pButton) const override;
  BOOL PrevMenu() override;
  BOOL NextMenu() override;
  void Deactivate() override;
  virtual BOOL CanBeRestored() const { return TRUE; }
  // Reset of all menus: each is built again from its resource.
  virtual BOOL RestoreOriginalState();
  virtual BOOL OnSendCommand(const CUfxToolbarButton* pButton);
  // Applies fn to every button of the current bar and of every stored menu.
  virtual void ForEachStoredBar(void (*fn)(CUfxToolbarButton* pButton, LPARAM lParam), LPARAM lParam);

  // New slots.
  // Shows the menu's titles: from the store when it holds a bar for the handle, else built.
  virtual void CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu = FALSE, BOOL bForceUpdate = FALSE);
  // Called with the new default menu after RestoreOriginalState loaded it again.
  virtual void OnDefaultMenuLoaded(HMENU hMenu) {}

  void SetDefaultMenuResId(UINT uiResId) { m_uiDefMenuResId = uiResId; }
  UINT GetDefaultMenuResId() const { return m_uiDefMenuResId; }
  HMENU GetHMenu() const { return m_hMenu; }
  HMENU GetDefaultMenu() const { return m_hDefaultMenu; }
  CFrameWnd* GetParentFrame() const { return m_pParentWnd; }
  // Maximized MDI child: its system-menu button, the minimize, restore and close buttons.
  void SetMaximizeMode(BOOL bMax, CWnd* pWnd = nullptr, BOOL bRecalcLayout = TRUE);
  void RestoreMaximizeMode();
  int GetSystemButtonsCount() const { return m_nSystemButtonsNum; }
  // The frame deactivates: the open menu's state goes.
  void OnFrameDeactivated();
  // A title dropped down, or -1.
  int GetDroppedIndex() const;
  // The highlighted title, or -1.
  int GetHighlightedIndex() const { return m_iHighlighted; }
  // A mnemonic of a title: opens it; TRUE when taken.
  BOOL TranslateChar(UINT nChar);
  // A title's popup opened or closed.
  void OnPopupOpened(CUfxToolbarMenuButton* pButton);
  void OnPopupClosed(CUfxToolbarMenuButton* pButton);
  // The title whose popup is open (its index), or null and -1.
  CUfxToolbarMenuButton* GetDroppedMenuButton(int& iIndex) const;
  // The text of a command in the current menu tree, or empty.
  CString MenuItemText(UINT uiCmd) const;

  static CFont& GetMenuFont(BOOL bHorz = TRUE);
  static void UpdateMDIChildrenMenus(CMultiDocTemplate* pTemplate);
  // Every item shows the drop-down arrow (the menu buttons read this).
  static BOOL IsDrawAllArrows() { return m_bDrawAllArrows; }
  // The registry path of the bar's state for the profile.
  static CString RegPath(LPCWSTR lpszProfileName);

  // Fields, in this order.
  BOOL m_bMenuDocMenus = TRUE;       // state also covers the document templates' menus
  CFrameWnd* m_pParentWnd = nullptr;
  BOOL m_bMaximizeMode = FALSE;      // 1: to restore after a rebuild
  HMENU m_hMenu = nullptr;
  HMENU m_hDefaultMenu = nullptr;
  HMENU m_hSysMenu = nullptr;
  HICON m_hSysIcon = nullptr;
  UINT m_uiDefMenuResId = 0;
  int m_nSystemButtonsNum = 0;
  int m_nSystemButtonsNumSaved = 0;
  BOOL m_bHaveButtons = FALSE;
  CSize m_szSystemButton;
  CObject* m_pMenuPage = nullptr;

  // Further state.
  HWND m_hwndFocusBefore = nullptr;  // the focus on entering keyboard menu mode
  BOOL m_bInKeyMode = FALSE;

  static BOOL m_bDrawAllArrows;
  static HHOOK m_hookMouseDrag;
  static CUfxMenuBar* m_pDraggedMenuBar;

protected:
  void LinkToFrame();
  void RemoveSystemButtons();
  void AddSystemButtons();
  // Moves the highlight over the titles that are not MDI buttons.
  BOOL MoveHighlight(int iDir);
  BOOL IsTitle(int iIndex) const;
  void BuildFromMenu(HMENU hMenu);
  BOOL LoadMenuState(const CString& strPath, UINT uiResId, HMENU hMenu);
  BOOL SaveMenuState(const CString& strPath, UINT uiResId, HMENU hMenu);
  void ResetMenu(HMENU hMenu, UINT uiResId);
  static LRESULT CALLBACK DragMouseHook(int nCode, WPARAM wParam, LPARAM lParam);

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
  afx_msg void OnPaint();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};
