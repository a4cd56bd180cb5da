// CUfxPopupMenuBar: the toolbar inside every popup menu. Its buttons are the menu items, laid out
// in rows and columns; it imports them from a menu handle, hides rarely used commands, opens and
// closes submenus after the system's menu delay and runs the chosen command.
#pragma once
#include "Framework.h"
#include "bars/UfxToolBar.h"

class CUfxToolbarMenuButton;
class CUfxToolbarButton;
class CUfxPopupMenu;

// TRUE for commands never imported as plain menu items, customized or counted: recent files
// (0xE110-0xE11F), OLE verbs (0xE210-0xE21F), system commands (0xF000-0xF1EF), ids above
// 0xFEFF and the user tools' menu entry.
BOOL UfxIsReservedCommand(UINT uiCmdId);

class CUfxPopupMenuBar : public CUfxToolBar {
  DECLARE_SERIAL(CUfxPopupMenuBar)
  friend class CUfxPopupMenu;
public:
  CUfxPopupMenuBar();
  ~CUfxPopupMenuBar() override;

  // Fills the bar from the menu; FALSE (bar empty) when hMenu is not a menu.
  virtual BOOL ImportFromMenu(HMENU hMenu, BOOL bShowAllCommands = FALSE);
  // A new popup menu with the bar's items (the caller owns it).
  virtual HMENU ExportToMenu() const;
  // Runs the chosen command (or stores it as the tracked menu's result) and closes the chain.
  void ExecuteCommand(UINT uiCommandId, CUfxToolbarButton* pButton = nullptr);
  // Sets the in-command flag here and on the bars of every parent popup.
  void SetInCommand(BOOL bInCommand = TRUE);
  void CancelDelayTimer();
  // Timer 1 opens the button's submenu after factor x the show delay.
  void StartPopupMenuTimer(CUfxToolbarMenuButton* pMenuButton, int nDelayFactor = 1);
  void RestoreDelayedSubMenu();
  void SetOffset(int iOffset);
  int GetOffset() const { return m_iOffset; }
  UINT GetDefaultMenuId() const { return m_uiDefaultMenuCmdId; }
  BOOL IsInCommand() const { return m_bInCommand; }
  BOOL AreAllCommandsShown() const { return m_bAreAllCommandsShown; }
  CUfxToolbarMenuButton* GetDelayedPopupMenu() const { return m_pDelayedPopupMenuButton; }
  CUfxToolbarMenuButton* GetDelayedClosePopupMenu() const { return m_pDelayedClosePopupMenuButton; }
  // The command id a hidden (rarely used) item's mnemonic runs, 0 when none.
  UINT GetHiddenMnemonicCommand(TCHAR ch) const;
  // The last button lies below the visible area.
  BOOL IsScrollDnAvailable();
  // The popup menu that holds the bar, or null.
  CUfxPopupMenu* GetParentPopup() const;

  // A command counts as rarely used in menus (see the usage statistics).
  static BOOL IsRarelyUsedCommand(UINT uiCmd);
  // The menu show delay in ms, read once from "Control Panel\Desktop" "MenuShowDelay".
  static int GetMenuShowDelay();
  // Decodes a "MenuShowDelay" text: above 5000 gives 5000, 0 or below 1, not a number 500.
  static int ParseMenuShowDelay(LPCWSTR lpszValue);
  // For tests: forget the delay that was read (the next bar reads it again).
  static void ResetMenuShowDelay() { m_nMenuShowDelay = -1; }

  // Slots of the toolbar the popup-menu bar replaces.
  BOOL UsesExtraButtonBorder() const override { return FALSE; }
  void SetButtonStyle(int nIndex, UINT nStyle) override;
  BOOL ProcessMnemonicKey(UINT uiKey) override { return FALSE; }
  BOOL SetDefaultButtonText(CUfxToolbarButton* pButton) override;
  void AfterFillBackground(CDC* pDC) override;
  CSize ComputeButtonsSize(BOOL bVertical) override;
  int SetHotButton(int iHot) override;
  void DrawInsertionMark(CDC* pDC) override;
  CWnd* GetCommandTarget() const override;
  // Where a button dragged in customize mode lands: the item before which it goes, with the
  // insertion mark's rectangle between two rows of its column; -1 where it may not go.
  int FindDropIndex(CPoint point, CRect& rectDrag) const override;
  void LayoutButtons() override;
  BOOL HandlesClickUp(CUfxToolbarButton* pButton) override { return FALSE; }
  BOOL HighlightsDisabledButtons() const override { return FALSE; }
  BOOL ReservedHook() override { return FALSE; }
  void DrawBarSeparator(CDC* pDC, const CRect& rect, BOOL bHorz) override;
  CUfxToolbarButton* CreateDroppedButton(COleDataObject* pDataObject) override;
  BOOL HandleMenuKey(UINT nChar) override;
  BOOL EnableContextMenuItems(CUfxToolbarButton* pButton, CMenu* pPopup) override;
  BOOL ForwardToFrame(CUfxToolbarButton* pButton, CString& strText) const override { return FALSE; }
  BOOL AllowsTextLabels() const override { return FALSE; }
  INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;
  // Paints only what the clip box shows: a long menu repaints one item at a key step.
  void DoPaint(CDC* pDC) override;

  // Command-UI states of the items against the target.
  void UpdateCommands(BOOL bDisableIfNoHndler);
  // The highlighted item, or -1; and moving it (by keys: bByKey).
  int GetHighlighted() const { return m_iHighlighted; }
  void SetHighlightedItem(int iItem, BOOL bByKey);
  // Button hit at a client point, or -1.
  int HitItem(CPoint point) const;
  // Measured size of the items (also for the popup's placement).
  virtual CSize CalcSize();
  virtual int GetRowHeight() const;

  // Fields, in this order.
  UINT m_uiDefaultMenuCmdId = 0;
  CUfxToolbarMenuButton* m_pDelayedPopupMenuButton = nullptr;
  CUfxToolbarMenuButton* m_pDelayedClosePopupMenuButton = nullptr;
  BOOL m_bFirstClick = TRUE;
  BOOL m_bFirstMove = TRUE;
  int m_iOffset = 0;
  int m_xSeparatorOffsetLeft = 0;
  int m_xSeparatorOffsetRight = 0;
  BOOL m_bAreAllCommandsShown = TRUE;
  int m_iMaxWidth = -1;
  CUIntArray m_arColumns;
  CMap<UINT, UINT, UINT, UINT> m_HiddenItemsAccel;
  BOOL m_bInCommand = FALSE;
  BOOL m_bTrackMode = FALSE;
  BOOL m_bAllowReleaseExecute = TRUE;

  // Further state.
  CSize m_sizeItems;               // last measured items, without the bar's own border
  BOOL m_bPressed = FALSE;         // a left button press inside the bar is held

  static int m_nMenuShowDelay;     // -1 until read

protected:
  BOOL IsRarelyUsedButton(const CUfxToolbarButton* pButton) const;
  void SendCommandOf(int iButton);
  // Moves the highlight by the key (Up, Down, Home, End); wraps, visiting each button once.
  void MoveHighlight(UINT nChar);
  BOOL OnMnemonic(UINT nChar);
  // The bar of a parent popup or the menu bar under a screen point, or null.
  CUfxToolBar* BarAtScreenPoint(CPoint ptScreen) const;
  void RelayMouse(CUfxToolBar* pBar, UINT message, WPARAM wParam, CPoint ptScreen);
  // A point outside the client area goes to the parent bar under it: TRUE when the point is
  // outside; *pbRelayed tells whether a bar took it.
  BOOL RelayOutside(UINT message, UINT nFlags, CPoint point, BOOL* pbRelayed = nullptr);
  void OnFillRarelyUsed(CDC* pDC);
  // Repaints the items that lost and gained the highlight.
  void InvalidateItems(const CRect& rectOld, const CRect& rectNew);

  afx_msg void OnNcPaint() {}
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {}
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg void OnToolbarImageAndText();
  afx_msg void OnToolbarText();
  DECLARE_MESSAGE_MAP()
};
