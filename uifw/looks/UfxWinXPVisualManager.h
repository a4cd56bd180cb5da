// CUfxWinXPVisualManager: the themed look. Toolbar buttons, separators, grippers, combo buttons,
// caption and system buttons, status panes, the size box, header items and push buttons come from
// the visual-style theme; each operation whose theme class is not open draws the flat or base look.
#pragma once
#include "looks/UfxVisualManagerXP.h"
#include "looks/UfxWinXPThemeHelper.h"

class CUfxWinXPVisualManager : public CUfxVisualManagerXP, public CUfxWinXPThemeHelper {
  DECLARE_DYNCREATE(CUfxWinXPVisualManager)
public:
  explicit CUfxWinXPVisualManager(BOOL bIsTemporary = FALSE);
  ~CUfxWinXPVisualManager() override;

  // Whether the visual-style theme draws: the current manager's WINDOW theme when it is this
  // look, else that of a temporary one.
  static BOOL IsWinXPThemeAvailable();

  // Menus, menu items and the commands list keep the flat look even under a theme.
  BOOL m_bOfficeStyleMenus = FALSE;

  void OnUpdateSystemColors() override;
  void OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip, BOOL bNCArea = FALSE) override;
  void DrawMenuBorder(CDC* pDC, const UFX_MENU_FACTS& menu, CRect rect) override;
  void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar) override;
  void OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz) override;
  void OnDrawCaptionButton(CDC* pDC, CUfxCaptionButton* pButton, BOOL bHorz, BOOL bMaximized, BOOL bDisabled) override;
  void OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle, BOOL bHighlight) override;
  void OnDrawStatusBarPaneBorder(CDC* pDC, CUfxStatusBar* pBar, CRect rectPane, UINT uiID, UINT nStyle) override;
  void OnDrawStatusBarProgress(CDC* pDC, CUfxStatusBar* pStatusBar, CRect rectProgress, int nProgressTotal,
                               int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                               COLORREF clrProgressText, BOOL bProgressText) override;
  void OnDrawStatusBarSizeBox(CDC* pDC, CUfxStatusBar* pStatBar, CRect rectSizeBox) override;
  void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                             CUfxToolbarComboBoxButton* pButton) override;
  void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                         CUfxToolbarComboBoxButton* pButton) override;
  void OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                        CUfxToolbarEditBoxButton* pButton) override;
  void OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) override;
  void OnFillButtonInterior(CDC* pDC, CUfxToolbarButton* pButton, CRect rect, UFX_BUTTON_STATE state) override;
  void OnDrawButtonBorder(CDC* pDC, CUfxToolbarButton* pButton, CRect rect, UFX_BUTTON_STATE state) override;
  void OnDrawMenuButtonBorder(CDC* pDC, CUfxToolbarMenuButton* pButton, CRect rect, UFX_BUTTON_STATE state,
                              BOOL bHorz) override;
  void OnHighlightMenuItem(CDC* pDC, CUfxToolbarMenuButton* pButton, CRect rect, COLORREF& clrText) override;
  void OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed) override;
  BOOL OnFillOutlookPageButton(CDC* pDC, const CRect& rect, BOOL bIsHighlighted, BOOL bIsPressed,
                               COLORREF& clrText) override;
  BOOL OnDrawOutlookPageButtonBorder(CDC* pDC, CRect& rectBtn, BOOL bIsHighlighted, BOOL bIsPressed) override;
  void OnFillOutlookBarButton(CDC* pDC, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed) override;
  void OnDrawOutlookBarButtonBorder(CDC* pDC, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed) override;
  void OnEraseTabsButton(CDC* pDC, CRect rect, CUfxButton* pButton, CUfxTabWnd* pWndTab) override;
  void OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CUfxButton* pButton, UINT uiState, CUfxTabWnd* pWndTab) override;
  COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE) override;
  CSize GetButtonExtraBorder() const override;
  void OnDrawHeaderCtrlBorder(CUfxHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed,
                              BOOL bIsHighlighted) override;
  void OnDrawHeaderCtrlSortArrow(CUfxHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsUp) override;
  void OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea) override;
  void OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox) override;
  void OnDrawControlBorder(CWnd* pWndCtrl) override;
};
