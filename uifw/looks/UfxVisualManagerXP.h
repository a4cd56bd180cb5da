// CUfxVisualManagerXP: the flat look. Light bars, a pale menu with a darker image column,
// highlighted buttons as a filled rectangle framed in the system highlight colour, and a menu
// button that joins its open popup. Every colour is derived from the global colours.
#pragma once
#include "looks/UfxVisualManager.h"

// What the flat look's colours are computed from.
struct UFX_XP_COLOR_INPUTS {
  COLORREF clrBarFace, clrBarShadow, clrBarWindow, clrWindow, clrHilite;
  COLORREF clrBtnFace, clrBtnShadow, clrBtnDkShadow;
  int nBitsPerPixel;
  static UFX_XP_COLOR_INPUTS FromGlobalData();
};

// The flat look's derived colours.
struct UFX_XP_COLORS {
  COLORREF clrMenuLight;            // menu background
  COLORREF clrTabBack;              // tab area
  COLORREF clrToolBar;              // toolbar background, image column
  COLORREF clrInactiveTabText;      // dark text
  COLORREF clrHighlight;            // highlight fill
  COLORREF clrHighlightDn;          // pushed highlight fill
  COLORREF clrHighlightChecked;     // checked fill
  COLORREF clrSeparator;            // separator pen
  COLORREF clrPaneBorder;
  COLORREF clrMenuBorder;
  COLORREF clrHighlightFrame;       // frame of highlighted items
  COLORREF clrTabButtonBorder;
};

class CUfxVisualManagerXP : public CUfxVisualManager {
  DECLARE_DYNCREATE(CUfxVisualManagerXP)
public:
  explicit CUfxVisualManagerXP(BOOL bIsTemporary = FALSE);
  ~CUfxVisualManagerXP() override;

  // The colour formulas of this look, from their inputs alone.
  static UFX_XP_COLORS ComputeColors(const UFX_XP_COLOR_INPUTS& in);
  const UFX_XP_COLORS& GetColors() const { return m_colors; }
  BOOL IsMenuConnection() const { return m_bConnectMenuToParent; }

  void OnUpdateSystemColors() override;
  void OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip, BOOL bNCArea = FALSE) override;
  void OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect) override;
  void DrawMenuBorder(CDC* pDC, const UFX_MENU_FACTS& menu, CRect rect) override;
  void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar) override;
  void OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz) override;
  void OnDrawCaptionButton(CDC* pDC, CUfxCaptionButton* pButton, BOOL bHorz, BOOL bMaximized, BOOL bDisabled) override;
  void OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle, BOOL bHighlight) override;
  void OnDrawStatusBarPaneBorder(CDC* pDC, CUfxStatusBar* pBar, CRect rectPane, UINT uiID, UINT nStyle) override;
  void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                             CUfxToolbarComboBoxButton* pButton) override;
  void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                         CUfxToolbarComboBoxButton* pButton) override;
  void OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                        CUfxToolbarEditBoxButton* pButton) override;
  void OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) override;
  void OnFillButtonInterior(CDC* pDC, CUfxToolbarButton* pButton, CRect rect, UFX_BUTTON_STATE state) override;
  void OnDrawButtonBorder(CDC* pDC, CUfxToolbarButton* pButton, CRect rect, UFX_BUTTON_STATE state) override;
  void OnHighlightMenuItem(CDC* pDC, CUfxToolbarMenuButton* pButton, CRect rect, COLORREF& clrText) override;
  void OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed) override;
  COLORREF GetToolbarButtonTextColor(CUfxToolbarButton* pButton, UFX_BUTTON_STATE state) override;
  void OnFillOutlookBarButton(CDC* pDC, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed) override;
  void OnDrawOutlookBarButtonBorder(CDC* pDC, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed) override;
  void OnEraseTabsArea(CDC* pDC, CRect rect, const CUfxTabWnd* pTabWnd) override;
  void OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CUfxTabWnd* pTabWnd) override;
  void OnEraseTabsButton(CDC* pDC, CRect rect, CUfxButton* pButton, CUfxTabWnd* pWndTab) override;
  void OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CUfxButton* pButton, UINT uiState, CUfxTabWnd* pWndTab) override;
  COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE) override;
  void OnDrawTasksGroupCaption(CDC* pDC, CUfxTasksGroup* pGroup, BOOL bIsHighlighted = FALSE, BOOL bIsSelected = FALSE,
                               BOOL bCanCollapse = FALSE) override;
  void OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial = FALSE) override;
  void OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL bSpecial = FALSE, BOOL bNoTitle = FALSE) override;
  void OnDrawTask(CDC* pDC, CUfxTask* pTask, CImageList* pIcons, BOOL bIsHighlighted = FALSE,
                  BOOL bIsSelected = FALSE) override;
  void OnDrawScrollButton(CDC* pDC, CRect rect, BOOL bIsUp, BOOL bIsHighlighted, BOOL bIsPressed,
                          BOOL bIsDisabled) override;
  int GetMenuImageMargin() const override;
  BOOL IsLook2000Allowed() const override;

  // Added by the flat family, in this order.
  virtual void CreateGripperBrush();
  virtual void AdjustMenuConnectionRect(const CUfxToolbarMenuButton* pButton, CRect& rect);
  // The same from the button's facts.
  static void AdjustMenuConnectionRect(const UFX_BUTTON_FACTS& button, CRect& rect);
  virtual void OnFillHighlightedArea(CDC* pDC, CRect rect, CBrush* pBrush, CUfxToolbarButton* pButton);

  CBrush m_brGripperHorz;
  CBrush m_brGripperVert;
  // The colours of the last computation, and the brushes and pen made from them.
  UFX_XP_COLORS m_colors = {};
  CBrush m_brBarBkgnd;
  CBrush m_brMenuLight;
  CBrush m_brHighlight;
  CBrush m_brHighlightDn;
  CBrush m_brHighlightChecked;
  CBrush m_brTabBack;
  CPen m_penSeparator;
  BOOL m_bConnectMenuToParent = TRUE;

protected:
  // The image column at the left of a popup menu's bar.
  CRect MenuImageColumn(const CRect& rectBar) const;
  // The flat look's menu border, joined to its button only when bJoin is set.
  void DrawMenuBorderJoinedIf(CDC* pDC, const UFX_MENU_FACTS& menu, const CRect& rect, BOOL bJoin);
  // Stores computed colours and rebuilds the brushes and the pen from them.
  void ApplyColors(const UFX_XP_COLORS& colors);
};
