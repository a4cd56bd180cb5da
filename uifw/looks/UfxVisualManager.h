// CUfxVisualManager: the one object through which every bar, button, menu, tab strip, status bar
// and caption of the framework draws its chrome, and the plain base look that paints with the
// system's 3D colours. Callers ask GetInstance() for the current manager at each paint and never
// own it; the application chooses the look by runtime class (SetDefaultManager).
#pragma once
#include "Framework.h"

class CControlBar;
class CUfxToolBar;
class CUfxToolbarButton;
class CUfxToolbarMenuButton;
class CUfxToolbarComboBoxButton;
class CUfxToolbarEditBoxButton;
class CUfxPopupMenu;
class CUfxCaptionButton;
class CUfxCaptionBar;
class CUfxStatusBar;
class CUfxTabWnd;
class CUfxButton;
class CUfxHeaderCtrl;
class CUfxTasksGroup;
class CUfxTask;

class CUfxVisualManager : public CObject {
  DECLARE_DYNCREATE(CUfxVisualManager)
public:
  // Drawing states that buttons pass in.
  enum UFX_BUTTON_STATE { ButtonsIsRegular = 0, ButtonsIsPressed = 1, ButtonsIsHighlighted = 2 };

  explicit CUfxVisualManager(BOOL bIsTemporary = FALSE);
  ~CUfxVisualManager() override;

  static CUfxVisualManager* GetInstance();
  // Chooses the look by class (null: the base look); the current manager goes at once and the
  // next GetInstance creates the chosen one.
  static void SetDefaultManager(CRuntimeClass* pRTI);
  static void DeleteAutoCreatedInstance();
  static void RedrawAll();
  // The current manager without creating one (null when none).
  static CUfxVisualManager* GetCurrentInstance() { return s_pVisManager; }
  static CRuntimeClass* GetDefaultManagerClass() { return s_pRTIDefault; }

  void SetLook2000(BOOL bLook2000 = TRUE);
  BOOL IsLook2000() const { return m_bLook2000; }
  int GetMenuShadowDepth() const { return m_nMenuShadowDepth; }
  BOOL IsMenuFlatLook() const { return m_bMenuFlatLook; }
  BOOL IsShadowHighlightedImage() const { return m_bShadowHighlightedImage; }
  BOOL IsEmbossDisabledImage() const { return m_bEmbossDisabledImage; }
  BOOL IsFadeInactiveImage() const { return m_bFadeInactiveImage; }
  void SetFadeInactiveImage(BOOL bFade) { m_bFadeInactiveImage = bFade; }
  BOOL IsTemporary() const { return m_bIsTemporary; }
  BOOL IsAutoDestroy() const { return m_bAutoDestroy; }
  // The nine tasks-pane metrics, in their order.
  int GetTasksPaneMetric(int i) const { return m_TasksPaneMetrics[i]; }
  BOOL GetTasksPaneFlag() const { return m_bActiveCaptions; }

  // ---- Virtual operations, in slot order after CObject's ----
  virtual void OnUpdateSystemColors();
  virtual void OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip, BOOL bNCArea = FALSE);
  virtual void OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect);
  virtual void OnDrawMenuBorder(CDC* pDC, CUfxPopupMenu* pMenu, CRect rect);
  virtual void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar);
  virtual void OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz);
  virtual void OnDrawCaptionButton(CDC* pDC, CUfxCaptionButton* pButton, BOOL bHorz, BOOL bMaximized, BOOL bDisabled);
  virtual void OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle, BOOL bHighlight);
  virtual void OnDrawStatusBarPaneBorder(CDC* pDC, CUfxStatusBar* pBar, CRect rectPane, UINT uiID, UINT nStyle);
  virtual void OnDrawStatusBarProgress(CDC* pDC, CUfxStatusBar* pStatusBar, CRect rectProgress, int nProgressTotal,
                                       int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                       COLORREF clrProgressText, BOOL bProgressText);
  virtual void OnDrawStatusBarSizeBox(CDC* pDC, CUfxStatusBar* pStatBar, CRect rectSizeBox);
  virtual void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                                     CUfxToolbarComboBoxButton* pButton);
  virtual void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                                 CUfxToolbarComboBoxButton* pButton);
  virtual void OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                                CUfxToolbarEditBoxButton* pButton);
  virtual void OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive);
  virtual void OnFillButtonInterior(CDC* pDC, CUfxToolbarButton* pButton, CRect rect, UFX_BUTTON_STATE state);
  virtual void OnDrawButtonBorder(CDC* pDC, CUfxToolbarButton* pButton, CRect rect, UFX_BUTTON_STATE state);
  virtual void OnDrawMenuButtonBorder(CDC* pDC, CUfxToolbarMenuButton* pButton, CRect rect, UFX_BUTTON_STATE state,
                                      BOOL bHorz);
  virtual void OnHighlightMenuItem(CDC* pDC, CUfxToolbarMenuButton* pButton, CRect rect, COLORREF& clrText);
  virtual void OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed);
  virtual COLORREF GetToolbarButtonTextColor(CUfxToolbarButton* pButton, UFX_BUTTON_STATE state);
  virtual COLORREF GetCaptionBarTextColor(CUfxCaptionBar* pBar);
  virtual BOOL OnFillOutlookPageButton(CDC* pDC, const CRect& rect, BOOL bIsHighlighted, BOOL bIsPressed,
                                       COLORREF& clrText);
  virtual BOOL OnDrawOutlookPageButtonBorder(CDC* pDC, CRect& rectBtn, BOOL bIsHighlighted, BOOL bIsPressed);
  virtual void OnFillOutlookBarButton(CDC* pDC, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed);
  virtual void OnDrawOutlookBarButtonBorder(CDC* pDC, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed);
  virtual void OnEraseTabsArea(CDC* pDC, CRect rect, const CUfxTabWnd* pTabWnd);
  virtual void OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CUfxTabWnd* pTabWnd);
  virtual void OnDrawTabContent(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CUfxTabWnd* pTabWnd,
                                COLORREF clrText);
  virtual void OnEraseTabsButton(CDC* pDC, CRect rect, CUfxButton* pButton, CUfxTabWnd* pWndTab);
  virtual void OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CUfxButton* pButton, UINT uiState, CUfxTabWnd* pWndTab);
  virtual void GetTabFrameColors(const CUfxTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                 COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                 COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack);
  virtual BOOL OnEraseTabsFrame(CDC* pDC, CRect rect, const CUfxTabWnd* pTabWnd);
  virtual BOOL IsTabHighlightSupported() const;
  virtual COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE);
  virtual CSize GetButtonExtraBorder() const;
  virtual void OnFillHeaderCtrlBackground(CUfxHeaderCtrl* pCtrl, CDC* pDC, CRect rect);
  virtual void OnDrawHeaderCtrlBorder(CUfxHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                      BOOL bIsHighlighted);
  virtual void OnDrawHeaderCtrlSortArrow(CUfxHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsUp);
  virtual void OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea);
  virtual void OnDrawTasksGroupCaption(CDC* pDC, CUfxTasksGroup* pGroup, BOOL bIsHighlighted = FALSE,
                                       BOOL bIsSelected = FALSE, BOOL bCanCollapse = FALSE);
  virtual void OnTasksPaneReservedHook();
  virtual void OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial = FALSE);
  virtual void OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL bSpecial = FALSE, BOOL bNoTitle = FALSE);
  virtual void OnDrawTask(CDC* pDC, CUfxTask* pTask, CImageList* pIcons, BOOL bIsHighlighted = FALSE,
                          BOOL bIsSelected = FALSE);
  virtual void OnDrawScrollButton(CDC* pDC, CRect rect, BOOL bIsUp, BOOL bIsHighlighted, BOOL bIsPressed,
                                  BOOL bIsDisabled);
  virtual void OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox);
  virtual int GetShowAllMenuItemsHeight(CDC* pDC, const CSize& sizeDefault);
  virtual void OnDrawShowAllMenuItems(CDC* pDC, CRect rect, UFX_BUTTON_STATE state);
  virtual void OnDrawControlBorder(CWnd* pWndCtrl);
  virtual int GetMenuImageMargin() const;
  virtual BOOL IsLook2000Allowed() const;
  virtual int GetToolbarCustomizeButtonMargin() const;
  virtual BOOL IsOffsetPressedButton() const;
  virtual int GetReservedSettingA() const;
  virtual int GetReservedSettingB() const;

  // What the looks read of a toolbar button, gathered in one place.
  struct UFX_BUTTON_FACTS {
    DWORD nStyle = 0;               // TBBS_ style and state bits
    BOOL bMenuButton = FALSE;       // a toolbar menu button
    BOOL bMenuItem = FALSE;         // a menu button on a popup menu bar
    BOOL bPopupOpen = FALSE;        // a menu button whose popup is open
    BOOL bOnMenuBar = FALSE;        // a menu button on the menu bar
    BOOL bCustomizeButton = FALSE;  // the toolbar's customize button
    BOOL bShowAllButton = FALSE;    // the "show all items" button of a popup menu
    BOOL bOutlookButton = FALSE;
    BOOL bHorz = TRUE;
    BOOL bCustomizeMode = FALSE;    // the toolbars are in customize mode
    BOOL bCanCustomize = TRUE;      // the button may be customized (in customize mode)
    int nDropDirection = 0;         // of the open popup: 0 none, 1 down, 2 up, 3 right, 4 left
    CRect rectPopup;                // the open popup without its shadow, in the bar's client coordinates
    CRect rectButton;               // the button, in the bar's client coordinates
    BOOL bMenuShadows = FALSE;      // the toolbars cast shadows under open menus
    CSize sizeButtonBorder;         // the toolbar's button border sizes
    CRect rectExtra;                // the customize button: how far its look reaches past its rect on
                                    // each side (left, top, right, bottom), out to the bar's window edge
  };
  // What the looks read of a popup menu: the bar button it drops from.
  struct UFX_MENU_FACTS {
    BOOL bHasParentButton = FALSE;  // dropped from a visible menu button of a bar (not from another popup)
    CRect rectButton;               // that button, in the popup's client coordinates
    int nDropDirection = 0;         // where the popup went: 0 none, 1 down, 2 up, 3 right, 4 left
    BOOL bCustomizeButton = FALSE;  // the button is a toolbar's customize button
    BOOL bOnMenuBar = FALSE;        // the button is on the menu bar
    BOOL bCustomizeMode = FALSE;    // the toolbars are in customize mode
  };
  // The facts of a button (a plain button when the pointer is null).
  static UFX_BUTTON_FACTS DescribeButton(CUfxToolbarButton* pButton);
  static UFX_BUTTON_FACTS DescribeButton(CUfxToolbarMenuButton* pButton);
  // The facts of a popup menu (no parent button when the pointer is null).
  static UFX_MENU_FACTS DescribeMenu(CUfxPopupMenu* pMenu);
  // A popup menu's border as the look draws it from what it reads of the menu.
  virtual void DrawMenuBorder(CDC* pDC, const UFX_MENU_FACTS& menu, CRect rect);
  // What the looks read of a toolbar: its customize button when that is its last button.
  struct UFX_TOOLBAR_FACTS {
    CUfxToolbarMenuButton* pCustomizeButton = nullptr;  // null: no customize button at the end
    BOOL bCustomizeHighlighted = FALSE;                 // the mouse is over it
    BOOL bCustomizePushed = FALSE;                      // it is pushed or checked
    BOOL bHasHiddenButtons = FALSE;                     // it lists buttons that did not fit
    BOOL bHasCustomizeMenu = FALSE;                     // it carries the customize command
    CRect* pCustomizeExtra = nullptr;                   // where it keeps its reach past its rect
  };
  // The facts of a bar (nothing for a bar that is no toolbar or a null pointer).
  static UFX_TOOLBAR_FACTS DescribeToolBar(CControlBar* pBar);

  // The menu glyph a caption button shows: the close glyph for the close kind, else by the
  // bar's side, state and the maximize kind.
  static int CaptionButtonGlyph(const CUfxCaptionButton* pButton, BOOL bHorz, BOOL bMaximized, BOOL bDisabled);
  // Draws a caption button's glyph nOffset pixels in from the button's top-left corner.
  static void DrawCaptionButtonGlyph(CDC* pDC, const CUfxCaptionButton* pButton, int iGlyph, int nOffset);

protected:
  // The base look's fill and border of a toolbar button, from its facts.
  void FillButtonInterior(CDC* pDC, const UFX_BUTTON_FACTS& button, CRect rect, UFX_BUTTON_STATE state);
  void DrawButtonBorder(CDC* pDC, const UFX_BUTTON_FACTS& button, CRect rect, UFX_BUTTON_STATE state);
  COLORREF ToolbarButtonTextColor(const UFX_BUTTON_FACTS& button, UFX_BUTTON_STATE state);

  // Shared drawing helpers of the looks.
  static void DrawFrame(CDC* pDC, const CRect& rect, COLORREF clrTopLeft, COLORREF clrBottomRight);
  static void FillSolid(CDC* pDC, const CRect& rect, COLORREF clr);
  // The border lines a bar's border bits ask for (the two-line top edge when the bar has no
  // docking context); the rect shrinks by one pixel per bit.
  static void DrawBarBorderLines(CDC* pDC, CControlBar* pBar, CRect& rect, COLORREF clrTopLeft,
                                 COLORREF clrBottomRight, COLORREF clrTopFirst, COLORREF clrTopSecond);
  // A frame along a window's rectangle, through a window DC.
  static void DrawWindowFrame(CWnd* pWnd, COLORREF clrTopLeft, COLORREF clrBottomRight);

  // Tabs: the outline of a sloped tab (its slanted edge as wide as the tab is high, a 2-pixel
  // chamfer at the far corner, points past nAreaRight cut to it); the number of points.
  static int GetSlopedTabPoints(const CRect& rectTab, BOOL bBottom, int nAreaRight, POINT* pts);
  // The base look's three tab shapes, filled with clrFill (-1: not filled).
  void DrawFlatTab(CDC* pDC, const CRect& rectTab, BOOL bIsActive, COLORREF clrFill, const CUfxTabWnd* pTabWnd);
  void DrawSlopedTabOutline(CDC* pDC, const CRect& rectTab, const CUfxTabWnd* pTabWnd, COLORREF clrLit,
                            COLORREF clrDark);
  void Draw3DTab(CDC* pDC, const CRect& rectTab, BOOL bIsActive, COLORREF clrTab, const CUfxTabWnd* pTabWnd);
  // Draws the tab's content in the colour a tab of that state shows (the tab's own text colour
  // for an inactive tab when it has one, else clrDefault) and restores the text colour.
  void DrawTabContentIn(CDC* pDC, const CRect& rectTab, int iTab, BOOL bIsActive, const CUfxTabWnd* pTabWnd,
                        COLORREF clrDefault);

  BOOL m_bLook2000 = FALSE;
  int m_nMenuShadowDepth = 6;
  BOOL m_bMenuFlatLook = FALSE;
  BOOL m_bShadowHighlightedImage = FALSE;
  BOOL m_bEmbossDisabledImage = TRUE;
  BOOL m_bFadeInactiveImage = FALSE;
  BOOL m_bIsTemporary = FALSE;
  // The tasks pane: vertical and horizontal margins, group offset, caption height, caption text
  // offsets (horizontal, vertical), task offset, task icon offsets (horizontal, vertical).
  int m_TasksPaneMetrics[9] = {12, 12, 15, 25, 13, 7, 12, 5, 4};
  void SetTasksPaneMetrics(const int (&metrics)[9], BOOL bFlag);
  BOOL m_bActiveCaptions = TRUE;
  int m_nReservedA = 0;
  int m_nReservedB = 2;
  BOOL m_bAutoDestroy = FALSE;

  static CUfxVisualManager* s_pVisManager;
  static CRuntimeClass* s_pRTIDefault;
};
