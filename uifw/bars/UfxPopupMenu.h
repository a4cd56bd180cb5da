// CUfxPopupMenu: the framework's owner-drawn popup menu, a borderless mini-frame that holds one
// CUfxPopupMenuBar with the menu items. It places itself on the monitor's work area, animates,
// casts a shadow, scrolls when it does not fit, may be torn off into a floating toolbar, and
// tells the frame or dialog that owns it when it opens and closes.
#pragma once
#include "Framework.h"
#include "bars/UfxPopupMenuBar.h"

class CUfxToolbarMenuButton;
class CUfxMenuBar;
class CUfxToolBar;

class CUfxPopupMenu : public CMiniFrameWnd {
  DECLARE_SERIAL(CUfxPopupMenu)
  friend class CUfxToolbarMenuButton;
  friend class CUfxPopupMenuBar;
public:
  // Animation types of popups.
  enum ANIMATION_TYPE { NO_ANIMATION = 0, UNFOLD = 1, SLIDE = 2, FADE = 3 };
  // Where the popup lies relative to its button: below or to the right (0), above (2), to the
  // left (4), beside a vertical bar in a right-to-left layout (3); 1 and 3 are also the
  // directions the opening button asks for.
  enum DROP_DIRECTION { DROP_NORMAL = 0, DROP_DOWN = 1, DROP_UP = 2, DROP_RIGHT = 3, DROP_LEFT = 4 };
  // HitTest answers.
  enum MENUAREA_TYPE { MENU = 0, SHADOW_RIGHT = 1, SHADOW_BOTTOM = 2, LOGO = 3, OUTSIDE = 4, TEAROFF_CAPTION = 5 };
  // Side of the logo strip.
  enum LOGO_LOCATION { MENU_LOGO_LEFT = 0, MENU_LOGO_RIGHT = 1, MENU_LOGO_TOP = 2, MENU_LOGO_BOTTOM = 3 };

  CUfxPopupMenu();
  // For the customization menu page: the popup carries the page and a title.
  CUfxPopupMenu(CObject* pCustPage, LPCWSTR lpszTitle);
  ~CUfxPopupMenu() override;

  // New slots, in this order.
  virtual CUfxPopupMenuBar* GetMenuBar() { return &m_wndMenuBar; }
  virtual BOOL InCommand() { return GetMenuBar()->m_bInCommand; }
  virtual BOOL TearOff(CPoint point);
  virtual CControlBar* CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCWSTR lpszName);
  // Shows the popup at (x, y) (-1, -1: 5 pixels inside the parent's client origin) with the
  // items of hMenu. bOwnMessage makes the parent window the target of the chosen command.
  virtual BOOL Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked = FALSE, BOOL bOwnMessage = FALSE);

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The tear-off caption's tooltip lights the caption while it shows.
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void PostNcDestroy() override;
  void RecalcLayout(BOOL bNotify = TRUE) override;

  // The chain.
  CUfxToolbarMenuButton* GetParentButton() const { return m_pParentBtn; }
  CUfxPopupMenu* GetParentPopupMenu() const;
  CUfxMenuBar* GetParentMenuBar() const;
  CUfxToolBar* GetParentToolBar() const;
  // The popup at the root of the chain.
  CUfxPopupMenu* GetTopLevelPopup();
  HMENU GetHMenu() const { return m_hMenu; }

  // Items.
  int InsertItem(const CUfxToolbarMenuButton& button, int iInsertAt = -1);
  int InsertSeparator(int iInsertAt = -1);
  void RemoveAllItems();
  int GetMenuItemCount() const { return const_cast<CUfxPopupMenu*>(this)->GetMenuBar()->GetButtonCount(); }

  void CloseMenu(BOOL bSetFocusToBar = FALSE);
  void ShowAllCommands();
  // Which part of the popup lies under a screen point (MENUAREA_TYPE).
  MENUAREA_TYPE CheckArea(const CPoint& ptScreen) const;
  int HitTest(const CPoint& ptScreen) const { return CheckArea(ptScreen); }
  // Posts WM_COMMAND with the id to the message target; FALSE without one.
  BOOL PostCommand(UINT uiCommandID);
  // The frame's mouse filter: TRUE when the move is the menu's (over the popup chain or the bar
  // that opened it).
  BOOL OnMouseMove(const CPoint& ptScreen);
  // The popup stays open on its own (the frame's mouse filter does not close it).
  BOOL IsAlwaysClose() const { return FALSE; }
  BOOL IsScrollable() const { return m_bScrollable; }
  BOOL IsShown() const { return m_bShown; }
  BOOL IsCustomizePane() const { return m_pCustPage != nullptr; }
  int GetDropDirection() const { return m_DropDirection; }
  void SetDropDirection(int iDirection) { m_DropDirection = (DROP_DIRECTION)iDirection; }

  // Set by the context-menu manager and the menu bar.
  void SetAutoDestroy(BOOL bAutoDestroy = TRUE) { m_bAutoDestroy = bAutoDestroy; }
  void SetRightAlign(BOOL bRightAlign = TRUE) { m_bRightAlign = bRightAlign; }
  void SetTrackMode(BOOL bTrackMode) { m_bTrackMode = bTrackMode; GetMenuBar()->m_bTrackMode = bTrackMode; }
  BOOL IsTrackMode() const { return m_bTrackMode; }
  void SetMessageWnd(CWnd* pMsgWnd) { m_pMessageWnd = pMsgWnd; }
  CWnd* GetMessageWnd() const { return m_pMessageWnd; }
  void SetMaxWidth(int iMaxWidth);
  void SetLogoStrip(int iSize, int iLocation) { m_iLogoWidth = iSize; m_nLogoLocation = (LOGO_LOCATION)iLocation; }
  // The popup ended (the context-menu manager's modal loop polls it).
  BOOL IsEnded() const { return m_bEnded; }

  // Framework-wide settings.
  // The menu animation and shadow settings are the toolbars' saved parameters.
  static void SetAnimationType(ANIMATION_TYPE type) { CUfxToolBar::SetMenuAnimation(type); }
  static ANIMATION_TYPE GetAnimationType(BOOL bNoSystem = FALSE) { return (ANIMATION_TYPE)CUfxToolBar::GetMenuAnimation(); }
  static void SetAnimationSpeed(UINT nElapse);
  static UINT GetAnimationSpeed() { return m_AnimationSpeed; }
  static void EnableMenuShadows(BOOL bEnable = TRUE) { CUfxToolBar::SetMenuShadows(bEnable); }
  static BOOL AreMenuShadows() { return CUfxToolBar::IsMenuShadows(); }
  static void EnableMenuSound(BOOL bEnable = TRUE);
  static BOOL IsMenuSound();
  static void SetForceShowAllMenus(BOOL bShowAll) { m_bForceShowAllMenus = bShowAll; }
  static BOOL GetForceShowAllMenus() { return m_bForceShowAllMenus; }
  static CUfxPopupMenu* GetActiveMenu() { return m_pActivePopupMenu; }
  static void SetActiveMenu(CUfxPopupMenu* pMenu) { m_pActivePopupMenu = pMenu; }
  // Tells the frame (and a dialog or page target) that the popup opens; FALSE: refused.
  static BOOL ActivatePopupMenu(CFrameWnd* pTopFrame, CUfxPopupMenu* pPopupMenu);
  // Takes the shadows of the chain away from a rectangle of the screen and puts them back.
  static void UpdateAllShadows(LPRECT lprectScreen = nullptr);

  // Timers.
  static const UINT_PTR kAnimTimerId = 1;
  static const UINT_PTR kScrollTimerId = 2;
  static const UINT kScrollTimerDuration = 80;

  // Fields, in this order.
  CWnd* m_pMessageWnd = nullptr;
  CUfxToolbarMenuButton* m_pParentBtn = nullptr;
  DROP_DIRECTION m_DropDirection = DROP_NORMAL;
  CUfxPopupMenuBar m_wndMenuBar;
  HMENU m_hMenu = nullptr;
  BOOL m_bDestroyMenuOnClose = TRUE;  // named by the context-menu manager: the popup owns m_hMenu
  int m_x = 0;
  int m_y = 0;
  CPoint m_ptLocationInitial;
  CSize m_FinalSize;
  int m_nMenuBarHeight = 0;
  BOOL m_bAutoDestroyParent = TRUE;
  BOOL m_bInCloseMenu = FALSE;        // closing has begun
  BOOL m_bTrackMode = FALSE;
  BOOL m_bRightAlign = FALSE;
  int m_iMaxWidth = -1;
  int m_iLogoWidth = 0;
  LOGO_LOCATION m_nLogoLocation = MENU_LOGO_LEFT;
  CObject* m_pCustPage = nullptr;
  CString m_strCaption;
  CSize m_AnimSize;
  BOOL m_bIsAnimRight = TRUE;
  BOOL m_bIsAnimDown = TRUE;
  BOOL m_bAnimationIsDone = FALSE;
  int m_iFadePercent = 0;
  BOOL m_bScrollable = FALSE;
  CRect m_rectScrollUp;
  CRect m_rectScrollDn;
  int m_iScrollMode = 0;              // -1 up, 0 none, 1 down
  int m_iScrollBtnHeight = 13;
  int m_iShadowSize = 0;
  CBitmap m_bmpScreenSrc;
  CBitmap m_bmpScreenDst;
  CBitmap m_bmpScreenTmp;
  CBitmap m_bmpShadowRight;
  CBitmap m_bmpShadowBottom;
  CRect m_rectTearOffCaption;
  BOOL m_bTearOffTracking = FALSE;
  BOOL m_bIsTearOffCaptionActive = FALSE;
  CToolTipCtrl m_wndToolTip;

  // Further state.
  BOOL m_bAutoDestroy = TRUE;         // the context-menu manager's destroy-on-close flag
  BOOL m_bShown = FALSE;              // painted on screen since it was last shown
  BOOL m_bEnded = FALSE;
  DWORD m_dwAnimStart = 0;
  DWORD m_dwLastAnimTick = 0;
  CSize m_sizePlacedClient;           // the client size the last placement gave the window

  static UINT m_AnimationSpeed;
  static BOOL m_bForceShowAllMenus;
  static CUfxPopupMenu* m_pActivePopupMenu;

protected:
  BOOL InitMenuBar();
  void InsertRecentFiles();
  void InsertUserTools();
  // Placement steps of RecalcLayout.
  void PlaceWindow();
  CRect WorkAreaAt(CPoint pt) const;
  void PlaceHorizontally(CSize& size, const CRect& rectScreen);
  void PlaceVertically(CSize& size, const CRect& rectScreen);
  void UpdateShadow();
  void RepaintParentButtonUnderShadow(CPoint ptWindow, BOOL bStripsSaved);
  // The screen under the shadow, kept before the popup covers it.
  void SaveShadowStrips(CPoint ptWindow);
  void PaintMenu(CDC& dc);
  // The logo strip inside the border, in window coordinates.
  CRect LogoRect() const;
  BOOL RenderMenuImage(CDC* pDC);
  void DrawFade(CDC* pPaintDC);
  void DrawAnimation(CDC* pPaintDC);
  void AdjustScrollButtons();
  void EnsureHighlightedVisible();
  // Shows the bar's rows from iOffset on and places the scroll buttons for it.
  void ScrollTo(int iOffset);
  void StartAnimation();
  BOOL NotifyParentDlg(BOOL bActivate);
  void WriteBackInCustomize();
  void SetTearOffCaptionActive(BOOL bActive);

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg void OnDestroy();
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg LRESULT OnMouseMoveMsg(WPARAM wParam, LPARAM lParam);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  afx_msg void OnClose();
  DECLARE_MESSAGE_MAP()
};
