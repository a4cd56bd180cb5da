// CUfxVisualManager2003: the gradient look. Toolbars with a two-colour gradient, rounded corners
// and a gradient customize button, dotted grippers, gradient highlights, and colours that follow
// the visual-style colour scheme. It rewrites the global bar colours so that every other drawer
// of the framework takes on the look. At 8 bits per pixel or fewer it draws as the flat look.
#pragma once
#include "looks/UfxVisualManagerXP.h"
#include "looks/UfxWinXPThemeHelper.h"

// What the gradient look's colours are computed from.
struct UFX_2003_COLOR_INPUTS {
  UFX_XP_COLOR_INPUTS xp;          // the global colours (the bar colours are replaced by the scheme's)
  BOOL bThemed = FALSE;            // the theme file is "Luna"
  BOOL bHomestead = FALSE;         // ... with the colour scheme "homestead"
  BOOL bMetallic = FALSE;          // ... or "metallic"
  // Theme system colours through the WINDOW theme (the system colours without one).
  COLORREF tscHighlight = 0, tscBtnFace = 0, tsc3DLight = 0, tscWindow = 0, tscMenuBar = 0;
  // The bar colours of a scheme that is not derived: the BUTTON theme's system colours of
  // button face, shadow, highlight, dark shadow and light (the system colours without one).
  COLORREF buttonFace = 0, buttonShadow = 0, buttonHilite = 0, buttonDkShadow = 0, buttonLight = 0;
  // Colours of the theme's parts (themed only): BUTTON 1/0 and 2/0 accent, WINDOW 18/0 fill,
  // BUTTON 2/0 border, BUTTON 1/5 accent.
  COLORREF themeB1 = 0, themeB2 = 0, themeW = 0, themeB3 = 0, themeB4 = 0;
};

struct UFX_2003_COLORS {
  COLORREF clrBarFace, clrBarShadow, clrBarHilite, clrBarDkShadow, clrBarLight;  // written to the global data
  UFX_XP_COLORS xp;
  COLORREF clrMenuBarGradientLight, clrMenuBarGradientDark;
  COLORREF clrToolBarGradientLight, clrToolBarGradientDark;          // toolbar gradient start and end
  COLORREF clrToolBarGradientVertLight, clrToolBarGradientVertDark;
  COLORREF clrCustomizeButtonGradientLight, clrCustomizeButtonGradientDark;
  COLORREF clrToolBarBottomLine;
  COLORREF colorToolBarCornerTop, colorToolBarCornerBottom;          // corner colours A and B
  COLORREF clrHighlightMenuItem;                                    // -1: the flat look's fill
  COLORREF clrHighlightGradientLight, clrHighlightGradientDark;      // highlight start and end
  COLORREF clrHighlightDnGradientLight, clrHighlightDnGradientDark;  // pushed start and end
  COLORREF clrHighlightCheckedGradientLight, clrHighlightCheckedGradientDark;
  COLORREF clrGripper;                                              // dot colour
  COLORREF clrSeparator;
  COLORREF clrCaptionBarGradientLight, clrCaptionBarGradientDark;
};

class CUfxVisualManager2003 : public CUfxVisualManagerXP, public CUfxWinXPThemeHelper {
  DECLARE_DYNCREATE(CUfxVisualManager2003)
public:
  explicit CUfxVisualManager2003(BOOL bIsTemporary = FALSE);
  ~CUfxVisualManager2003() override;

  // The colour formulas of this look, from their inputs alone.
  static UFX_2003_COLORS ComputeColors(const UFX_2003_COLOR_INPUTS& in);
  // The inputs as the theme and the global data give them now.
  UFX_2003_COLOR_INPUTS ReadColorInputs() const;
  const UFX_2003_COLORS& GetSchemeColors() const { return m_scheme; }
  BOOL IsThemed() const { return m_bIsStandardWinXPTheme; }
  const CString& GetColorSchemeName() const { return m_strWinXPThemeColor; }
  // Follow the system's theme (on from the start).
  static BOOL s_bUseGlobalTheme;
  // Status bars are filled with the button face (on from the start).
  static BOOL s_bStatusBarOfficeXPLook;

  void OnUpdateSystemColors() override;
  void OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip, BOOL bNCArea = FALSE) override;
  void OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect) override;
  void DrawMenuBorder(CDC* pDC, const UFX_MENU_FACTS& menu, CRect rect) override;
  void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar) override;
  void OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz) override;
  void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                             CUfxToolbarComboBoxButton* pButton) override;
  void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                         CUfxToolbarComboBoxButton* pButton) override;
  void OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) override;
  void OnFillButtonInterior(CDC* pDC, CUfxToolbarButton* pButton, CRect rect, UFX_BUTTON_STATE state) override;
  void OnDrawButtonBorder(CDC* pDC, CUfxToolbarButton* pButton, CRect rect, UFX_BUTTON_STATE state) override;
  BOOL OnFillOutlookPageButton(CDC* pDC, const CRect& rect, BOOL bIsHighlighted, BOOL bIsPressed,
                               COLORREF& clrText) override;
  BOOL OnDrawOutlookPageButtonBorder(CDC* pDC, CRect& rectBtn, BOOL bIsHighlighted, BOOL bIsPressed) override;
  void OnFillOutlookBarButton(CDC* pDC, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed) override;
  void OnEraseTabsArea(CDC* pDC, CRect rect, const CUfxTabWnd* pTabWnd) override;
  void OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CUfxTabWnd* pTabWnd) override;
  void OnEraseTabsButton(CDC* pDC, CRect rect, CUfxButton* pButton, CUfxTabWnd* pWndTab) override;
  void GetTabFrameColors(const CUfxTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack, COLORREF& clrHighlight,
                         COLORREF& clrFace, COLORREF& clrDarkShadow, COLORREF& clrLight, CBrush*& pbrFace,
                         CBrush*& pbrBlack) override;
  BOOL OnEraseTabsFrame(CDC* pDC, CRect rect, const CUfxTabWnd* pTabWnd) override;
  BOOL IsTabHighlightSupported() const override;
  COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE) override;
  void OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea) override;
  void OnDrawTasksGroupCaption(CDC* pDC, CUfxTasksGroup* pGroup, BOOL bIsHighlighted = FALSE, BOOL bIsSelected = FALSE,
                               BOOL bCanCollapse = FALSE) override;
  void OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial = FALSE) override;
  void OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL bSpecial = FALSE, BOOL bNoTitle = FALSE) override;
  void OnDrawTask(CDC* pDC, CUfxTask* pTask, CImageList* pIcons, BOOL bIsHighlighted = FALSE,
                  BOOL bIsSelected = FALSE) override;
  void OnDrawScrollButton(CDC* pDC, CRect rect, BOOL bIsUp, BOOL bIsHighlighted, BOOL bIsPressed,
                          BOOL bIsDisabled) override;
  int GetShowAllMenuItemsHeight(CDC* pDC, const CSize& sizeDefault) override;
  void OnDrawShowAllMenuItems(CDC* pDC, CRect rect, UFX_BUTTON_STATE state) override;
  int GetToolbarCustomizeButtonMargin() const override;
  BOOL IsOffsetPressedButton() const override;
  void OnFillHighlightedArea(CDC* pDC, CRect rect, CBrush* pBrush, CUfxToolbarButton* pButton) override;

  // Added by the gradient look, in this order.
  virtual void OnDrawToolbarCustomizeButton(CDC* pDC, CRect rect, BOOL bHorz, UFX_BUTTON_STATE state,
                                            BOOL bHasHiddenButtons, BOOL bHasCustomizeMenu);
  virtual void OnFillFramedArea(CDC* pDC, CRect rect, COLORREF clr, BOOL bNoFrame = FALSE);
  virtual void UpdateSchemeColors();

  // The gradient look's own toolbar drawing, for a docked toolbar of known orientation: the
  // gradient, the bottom line and the rounded corners.
  void FillToolBarGradient(CDC* pDC, CRect rect, BOOL bHorz, BOOL bDocked);
  // A docked toolbar's border paint over its window rect: the dock bar's background behind it, the
  // docked gradient, and the customize button at its end.
  void FillDockedToolBar(CDC* pDC, CControlBar* pBar, CRect rectWindow, BOOL bHorz);
  // The customize button at the bar's end, stretched to the window edge; stores that reach in the button.
  void DrawCustomizeButtonAtEdge(CDC* pDC, CControlBar* pBar, const CRect& rectWindow, BOOL bHorz);
  // The dotted gripper; on toolbars the band lies at the far side, shortened by the difference
  // between button and image size.
  void DrawGripperDots(CDC* pDC, CRect rectGripper, BOOL bHorz, BOOL bToolBar, int nButtonImageDiff);

protected:
  UFX_2003_COLORS m_scheme = {};
  CPen m_penBarHilite;
  CBrush m_brBarFace;
  CBrush m_brTabBack2;
  COLORREF m_clrTasksPane[11] = {};
  BOOL m_bIsStandardWinXPTheme = FALSE;
  CString m_strWinXPThemeColor;
};
