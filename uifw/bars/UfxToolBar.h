// CUfxToolBar: the framework's toolbar, a control bar that owns a list of button objects, lays
// them out, draws them through the visual manager and keeps them in the saved state.
#pragma once
#include "Framework.h"
#include "FwOleDragDrop.h"
#include "frames/UfxBarNcHelper.h"
#include "bars/UfxToolBarImages.h"
#include <array>

class CUfxToolbarButton;
class CUfxToolbarMenuButton;
class CCustomizeButton;
class CUfxRegistry;
class CUfxToolBar;
class CUfxToolbarCustomize;

// The toolbar's OLE drop target: it hands drags in the button format to its bar.
class CUfxBarDropTarget : public COleDropTarget {
public:
  CUfxBarDropTarget() = default;
  BOOL Register(CUfxToolBar* pOwner);
  DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  void OnDragLeave(CWnd* pWnd) override;
  BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;

protected:
  CUfxToolBar* m_pOwner = nullptr;
};

// The image resources a bar loads: the normal images and the strips of the other roles (0: none).
struct CUfxToolBarParams {
  UINT m_uiImagesResID = 0;
  UINT m_uiColdResID = 0;
  UINT m_uiDisabledResID = 0;
  UINT m_uiLargeResID = 0;
  UINT m_uiLargeColdResID = 0;
  UINT m_uiLargeDisabledResID = 0;
  UINT m_uiMenuResID = 0;
  UINT m_uiMenuDisabledResID = 0;
};

// The toolbar resource type: 16-bit words (version 1, image width, image height, count, ids).
#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCEW(241)
#endif

// Messages the bars and the customization sheet send to the frame (registered at start-up).
extern const UINT UFXM_TOOLBARMENU;
extern const UINT UFXM_CUSTOMIZETOOLBAR;
extern const UINT UFXM_CREATETOOLBAR;
extern const UINT UFXM_DELETETOOLBAR;
extern const UINT UFXM_CUSTOMIZEHELP;
extern const UINT UFXM_RESETTOOLBAR;
extern const UINT UFXM_RESETMENU;
extern const UINT UFXM_SHOWREGULARMENU;
extern const UINT UFXM_RESETCONTEXTMENU;
extern const UINT UFXM_RESETKEYBOARD;

class CUfxToolBar : public CControlBar {
  DECLARE_SERIAL(CUfxToolBar)
  friend class CUfxBarDropTarget;
  friend class CUfxToolBarCmdUI;
  friend class CUfxDropDownToolBar;
public:
  CUfxToolBar();
  ~CUfxToolBar() override;

  // ---- virtual operations, in slot order ----
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
  virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(1, 1, 1, 1),
                        UINT nID = AFX_IDW_TOOLBAR);
  virtual void ResetAllImages();
  virtual BOOL LoadToolBarImages(UINT uiResID, UINT uiColdResID = 0, UINT uiDisabledResID = 0, UINT uiLargeResID = 0,
                                 UINT uiLargeColdResID = 0, UINT uiLargeDisabledResID = 0, UINT uiMenuResID = 0,
                                 UINT uiMenuDisabledResID = 0, BOOL bLocked = FALSE);
  // uiResID 0: the images come from the bitmap of the toolbar resource's own id.
  virtual BOOL LoadToolBarResource(UINT uiToolbarResID, UINT uiResID = 0, UINT uiColdResID = 0,
                                   UINT uiDisabledResID = 0, UINT uiLargeResID = 0, UINT uiLargeColdResID = 0,
                                   UINT uiLargeDisabledResID = 0, UINT uiMenuResID = 0, UINT uiMenuDisabledResID = 0,
                                   BOOL bLocked = FALSE);
  virtual BOOL LoadImageSet(const CUfxToolBarParams& params, BOOL bLocked = FALSE);
  virtual BOOL LoadResourceSet(UINT uiResID, const CUfxToolBarParams& params, BOOL bLocked = FALSE);
  virtual void RemoveAllButtons();
  virtual int RowHeight() const;
  virtual int ColumnWidth() const;
  // TRUE: the visual manager's extra button border is added around each button (plain toolbars).
  virtual BOOL UsesExtraButtonBorder() const { return TRUE; }
  virtual void Deactivate();
  virtual void RestoreFocus();
  virtual BOOL OriginalItemsChanged() const { return m_bOriginalItemsChanged; }
  virtual BOOL GetButtonRect(int iIndex, CRect& rect) const;
  virtual BOOL GetButtonRepaintRect(int iIndex, CRect& rect) const;
  virtual void SetButtonStyle(int iIndex, UINT nStyle);
  virtual BOOL AllowsTextLabels() const { return TRUE; }
  // Saved state below UfxGetRegPath("UfxToolBars", profile): key "UfxToolBar-<index>[<number hex>]";
  // index -1: the control id, number -1: none.
  virtual BOOL LoadState(LPCWSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1);
  virtual BOOL SaveState(LPCWSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1);
  virtual BOOL RemoveSavedState(LPCWSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1);
  // Whether state is stored for the bar of that index (no window needed).
  static BOOL HasSavedState(LPCWSTR lpszProfileName, int nIndex, UINT uiID = (UINT)-1);
  virtual BOOL HasResourceButtons() const { return m_uiOriginalResID != 0; }
  virtual BOOL IsClosable() const { return !m_bNotClosable; }
  virtual BOOL RestoreResourceButtons();
  virtual void AfterResourceButtons() {}
  virtual void AdjustLayout();
  virtual int HitTest(CPoint point);
  virtual BOOL ProcessMnemonicKey(UINT uiVirtKey);
  virtual BOOL PrevMenu();
  virtual BOOL NextMenu();
  virtual BOOL SetDefaultButtonText(CUfxToolbarButton* pButton);
  virtual void AfterFillBackground(CDC* pDC) {}
  virtual void NotifyFontsChanged();
  virtual CSize ComputeButtonsSize(BOOL bVertical);
  virtual int SetHotButton(int iHot);
  virtual CSize ComputeBarLayout(DWORD dwMode, int nLength = -1);
  virtual void DrawOneButton(CDC* pDC, CUfxToolbarButton* pButton, CUfxToolBarImages* pImages, BOOL bHighlighted,
                             BOOL bDrawDisabledImages);
  virtual void DrawInsertionMark(CDC* pDC);
  virtual CWnd* GetCommandTarget() const;
  virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
  virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual void OnDragLeave();
  virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual int FindDropIndex(CPoint point, CRect& rectDrag) const;
  virtual void LayoutButtons();
  virtual BOOL HandlesClickUp(CUfxToolbarButton* pButton) { return FALSE; }
  virtual BOOL HighlightsDisabledButtons() const { return FALSE; }
  virtual BOOL ReservedHook() { return TRUE; }
  virtual void DrawBarSeparator(CDC* pDC, const CRect& rect, BOOL bHorz);
  virtual CUfxToolbarButton* CreateDroppedButton(COleDataObject* pDataObject);
  virtual BOOL HandleMenuKey(UINT nChar) { return FALSE; }
  virtual void OnCustomizeModeChanged(BOOL bCustomizeMode);
  virtual BOOL EnableContextMenuItems(CUfxToolbarButton* pButton, CMenu* pPopup);
  virtual BOOL IsMenuOnlyButton(CUfxToolbarButton* pButton) const { return m_bMenuMode; }
  virtual void ShowCommandPrompt(UINT uiCmd);
  virtual int TallestLabelHeight();
  virtual BOOL ForwardToFrame(CUfxToolbarButton* pButton, CString& strTTText) const;
  virtual BOOL SaveOriginalItems(CUfxRegistry& reg) const;
  virtual BOOL LoadOriginalItems(CUfxRegistry& reg);
  virtual BOOL MergeOriginalItems(const CObList& lstOrigButtons);

  // ---- platform overrides ----
  void Serialize(CArchive& ar) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void DoPaint(CDC* pDC) override;

  // ---- the button list; indexes are positions in it. Insertions answer the index or -1. ----
  int InsertButton(CUfxToolbarButton* pButton, int iInsertAt = -1);
  int InsertButtonCopy(const CUfxToolbarButton& button, int iInsertAt = -1);
  int InsertSeparator(int iInsertAt = -1);
  BOOL RemoveButton(int iIndex);
  CUfxToolbarButton* GetButton(int iIndex) const;
  int GetButtonCount() const { return (int)m_Buttons.GetCount(); }
  int CommandToIndex(UINT nIDFind, int iIndexFirst = 0) const;
  int ButtonToIndex(const CUfxToolbarButton* pButton) const;
  UINT GetButtonStyle(int iIndex) const;
  CString GetButtonText(int iIndex) const;
  void SetButtonText(int iIndex, LPCWSTR lpszText);
  void SetButtonTextMode(int iIndex, BOOL bShowText, LPCWSTR lpszText = nullptr, BOOL bShowImage = TRUE);
  CUfxToolbarButton* InvalidateButton(int iIndex);
  const CObList& GetAllButtons() const { return m_Buttons; }
  const CObList& GetOrigButtons() const { return m_OrigButtons; }
  CUfxToolbarMenuButton* GetDroppedDownMenu(int* pIndex = nullptr) const;
  // The buttons for the ids (0: separator); with remap each gets the next image.
  BOOL SetButtons(const UINT* lpIDArray, int nIDCount, BOOL bRemapImages = TRUE);
  void EnableTextLabels(BOOL bEnable = TRUE);
  BOOL AreTextLabels() const { return m_bTextLabels; }
  UINT GetResourceID() const { return m_uiOriginalResID; }
  int GetImagesOffset() const { return m_iImagesOffset; }

  int GetHighlightedButton() const { return m_iHighlighted; }
  int GetPressedButton() const { return m_iButtonCapture; }
  int GetSelectedButton() const { return m_iSelected; }
  BOOL IsMenuMode() const { return m_bMenuMode; }
  void SetMenuMode(BOOL bMenuMode = TRUE) { m_bMenuMode = bMenuMode; }
  BOOL IsLocked() const { return m_bLocked; }
  void SetRouteCommandsViaFrame(BOOL bValue) { m_bRouteCommandsViaFrame = bValue; }
  void SetDisableControlsIfNoHandler(BOOL bValue) { m_bDisableControlsIfNoHandler = bValue; }
  void SetIgnoreSetText(BOOL bValue) { m_bIgnoreSetText = bValue; }
  void SetNotClosable(BOOL bNotClosable = TRUE) { m_bNotClosable = bNotClosable; }
  CCustomizeButton* GetCustomizeButton() const { return m_pCustomizeBtn; }
  // The customize button joins the bar as its last button (null removes it).
  void SetCustomizeButton(CCustomizeButton* pButton);
  CUfxBarNcHelper& GetNcHelper() { return m_Impl; }
  // The strips this bar draws with now (own for a locked bar, large or menu as the mode says).
  CUfxToolBarImages* GetImagesToDraw(CUfxToolBarImages** ppCold = nullptr, CUfxToolBarImages** ppDisabled = nullptr);

  // ---- sizes: the shared base and current ones, and a locked bar's own ----
  static void SetSizes(SIZE sizeButton, SIZE sizeImage);
  static void SetMenuSizes(SIZE sizeButton, SIZE sizeImage);
  void SetLockedSizes(SIZE sizeButton, SIZE sizeImage);
  static void SetLargeIcons(BOOL bLargeIcons = TRUE);
  static BOOL IsLargeIcons() { return s_bLargeIcons; }
  CSize GetButtonSize() const;
  CSize GetImageSize() const;
  static CSize GetMenuImageSize();
  static CSize GetMenuButtonSize();
  void EnableLargeIcons(BOOL bEnable) { m_bLargeIconsAreEnabled = bEnable; }
  static COLORREF GetTextColor();
  static void SetTextColor(COLORREF clrText) { s_clrText = clrText; }

  // ---- framework-wide state ----
  // Customization mode: while it is on, clicks select buttons instead of running commands.
  static BOOL IsCustomizeMode() { return s_bCustomizeMode; }
  static BOOL SetCustomizeMode(BOOL bSet);
  static CUfxToolBar* GetSelectedToolbar() { return s_pSelToolbar; }
  // Buttons dragged with Alt held outside customize mode (the main frame turns it on).
  static void EnableAltCustomization(BOOL bEnable = TRUE) { s_bAltCustomization = bEnable; }
  static BOOL IsAltCustomization() { return s_bAltCustomization; }
  static BOOL IsAltCustomizing() { return s_bAltCustomizing; }
  // The open customization sheet, which the bars tell when they are shown or hidden.
  static CUfxToolbarCustomize* GetCustomizeSheet() { return s_pCustomizeSheet; }
  static void SetCustomizeSheet(CUfxToolbarCustomize* pSheet) { s_pCustomizeSheet = pSheet; }
  // A button being dragged by a bar is on offer (a drop makes it from a bar's data).
  static BOOL IsDragFromToolbar() { return s_bDragFromToolbar; }
  int GetDropIndex() const { return m_iDragIndex; }
  const CRect& GetInsertionMark() const { return m_rectDrag; }
  BOOL IsStretching() const { return m_bStretchButton; }
  static const CObList& GetAllToolbars() { return s_lstAllToolbars; }
  // Every button of every live toolbar that carries the id; the count.
  static int GetCommandButtons(UINT uiCmd, CObList& listButtons);
  static BOOL LoadToolbarImagesOnly(UINT uiToolbarResID, UINT uiResID = 0, UINT uiColdResID = 0,
                                    UINT uiMenuResID = 0, UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0);
  // Clears the shared strips and the command-image map, resets the usage counters and frees the
  // drawing contexts the strips share (library clean-up).
  static void FreeStaticImages();
  BOOL IsUserDefinedToolbar() const;
  static BOOL IsRarelyUsedCommand(UINT uiCmd);
  // The thread mouse hook of context-help mode: installed once, removed by FALSE.
  static void SetHelpModeHook(BOOL bSet = TRUE);
  static BOOL IsHelpModeHookActive() { return s_hookMouseHelp != nullptr; }
  // The hook's work: the bar under the pointer gets the move, the one before loses its highlight.
  static void OnHelpModeMouseMove(POINT ptScreen);
  static BOOL SaveParameters(LPCWSTR lpszProfileName = nullptr);
  static BOOL LoadParameters(LPCWSTR lpszProfileName = nullptr);

  static BOOL IsShowTooltips() { return s_bShowTooltips; }
  static void SetShowTooltips(BOOL bValue, BOOL bShortcutKeys = TRUE) {
    s_bShowTooltips = bValue;
    s_bShowShortcutKeys = bShortcutKeys;
  }
  static BOOL IsShowShortcutKeys() { return s_bShowShortcutKeys; }
  static int GetMenuAnimation() { return s_iMenuAnimation; }
  static void SetMenuAnimation(int iAnimation) { s_iMenuAnimation = iAnimation; }
  static BOOL IsRecentlyUsedMenus() { return s_bRecentlyUsedMenus; }
  static void SetRecentlyUsedMenus(BOOL bOn) { s_bRecentlyUsedMenus = bOn; }
  static BOOL IsMenuShadows() { return s_bMenuShadows; }
  static void SetMenuShadows(BOOL bOn) { s_bMenuShadows = bOn; }
  static BOOL IsShowAllMenusAfterDelay() { return s_bShowAllMenusAfterDelay; }
  static void SetShowAllMenusAfterDelay(BOOL bOn) { s_bShowAllMenusAfterDelay = bOn; }

  // The shared strips and the application's user images.
  static CUfxToolBarImages* GetImages() { return &s_Images; }
  static CUfxToolBarImages* GetColdImages() { return &s_ColdImages; }
  static CUfxToolBarImages* GetDisabledImages() { return &s_DisabledImages; }
  static CUfxToolBarImages* GetLargeImages() { return &s_LargeImages; }
  static CUfxToolBarImages* GetLargeColdImages() { return &s_LargeColdImages; }
  static CUfxToolBarImages* GetLargeDisabledImages() { return &s_LargeDisabledImages; }
  static CUfxToolBarImages* GetMenuImages() { return &s_MenuImages; }
  static CUfxToolBarImages* GetDisabledMenuImages() { return &s_DisabledMenuImages; }
  static CUfxToolBarImages* GetUserImages() { return s_pUserImages; }
  static void SetUserImages(CUfxToolBarImages* pUserImages) { s_pUserImages = pUserImages; }

  // Commands never put on a bar, and commands always shown in menus and never counted.
  static BOOL IsCommandAllowed(UINT uiCmd) { return s_lstForbiddenCommands.Find(uiCmd) == nullptr; }
  static void SetNonPermittedCommands(const CList<UINT, UINT>& lstCommands);
  static BOOL IsCoreCommand(UINT uiCmd) { return s_lstCoreCommands.Find(uiCmd) != nullptr; }
  static void AddCoreCommand(UINT uiCmd);
  static void SetCoreCommands(const CList<UINT, UINT>& lstCommands);
  static BOOL HasCoreCommands() { return !s_lstCoreCommands.IsEmpty(); }

  // The image index that toolbar resources gave a command in the shared images.
  static BOOL GetDefaultImage(UINT uiCmd, int& iImage) { return s_DefaultImages.Lookup(uiCmd, iImage); }
  static void SetDefaultImage(UINT uiCmd, int iImage) { s_DefaultImages.SetAt(uiCmd, iImage); }
  static const CMap<UINT, UINT, int, int>& GetDefaultImages() { return s_DefaultImages; }

  // Labels below images: whether they wrap, and the gap between image and label.
  static BOOL IsWrapLabels() { return s_bWrapLabels; }
  static void SetWrapLabels(BOOL bWrap) { s_bWrapLabels = bWrap; }
  static int GetLabelGap() { return s_nLabelGap; }

  // The gap between rows of buttons.
  static const int kRowGap = 5;

protected:
  // ---- message handlers ----
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnRegisterDropTarget(WPARAM, LPARAM);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnNcPaint();
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
  afx_msg void OnCancelMode();
  afx_msg void OnSysColorChange();
  afx_msg void OnSettingChange(UINT uFlags, LPCWSTR lpszSection);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnToolbarQuery(WPARAM wParam, LPARAM lParam);
  afx_msg void OnCustomizeCommand(UINT uiCmd);
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  // Customize mode: selecting, dragging and resizing a button, and its context menu.
  BOOL IsCustomizeClick(UINT nFlags) const;
  void SelectForCustomize(int iHit);
  void StartCustomizeDrag(int iHit, UINT nFlags, CPoint point);
  void DragButton(CUfxToolbarButton* pButton, CPoint point);
  BOOL IsNearRightEdge(const CUfxToolbarButton* pButton, CPoint point) const;
  void StartStretch(CUfxToolbarButton* pButton);
  void TrackStretch(CPoint point);
  void EndStretch(CPoint point);
  void CancelStretch();
  void DrawStretchRect();
  void ShowCustomizeMenu(CPoint point);
  // The selected button when it is still on the bar; null otherwise.
  CUfxToolbarButton* SelectedButton() const;
  // The appearance dialog for a button; TRUE on OK.
  BOOL EditButtonLook(CUfxToolbarButton* pButton);
  void OnResetButton(CUfxToolbarButton* pButton);
  void OnCopyButtonImage(CUfxToolbarButton* pButton);
  void OnDeleteButton();
  void OnButtonAppearance(CUfxToolbarButton* pButton);
  void OnDisplayMode(CUfxToolbarButton* pButton, BOOL bText, BOOL bImage);
  void OnBeginGroup(CUfxToolbarButton* pButton);
  void OnNewMenu();
  // A drop of this bar's own button on its place or just after it: a separator before it goes
  // or comes by how far the pointer moved. FALSE: not such a drop.
  BOOL RegroupInPlace(int iOld, CPoint point);
  // The mark moved: both places repainted.
  void MoveInsertionMark(int iIndex, const CRect& rectNew);

  // Takes the customize button out of the list without deleting it (SetCustomizeButton puts it
  // back as the last button).
  CCustomizeButton* DetachCustomizeButton();
  // Index bookkeeping after a removal, then separators left at the end or side by side go.
  void AfterButtonRemoved(int iIndex);
  static void DeleteButtons(CObList& list);
  // Loading stored buttons in two steps: ReserveButtonNodes gives the bar's list room for
  // `nButtons` (it may fail, and then changes nothing); ReplaceButtons then puts the loaded
  // buttons in place of the bar's own, the customize button staying last, and cannot fail.
  void ReserveButtonNodes(INT_PTR nButtons);
  void ReplaceButtons(CObList& listLoaded);
  // Layout helpers: the wrapped row count at a width, and sizing to a length.
  int WrapButtons(int nWidth, int nHeight = 32767);
  void SizeToolBar(int nLength, BOOL bVert);
  void RebuildMnemonics();
  void DrawCustomizeSelection(CDC* pDC);
  CSize CalcInsideSize() const;
  void UpdateRebarBand();
  // The customize button at the far end of a docked bar, showing the buttons that did not fit.
  void PlaceCustomizeButton(const CObList& lstHidden, CSize sizeCustomize, BOOL bDocked);
  // Input helpers.
  void OnPressButton(int iButton);
  void OnReleaseButton(int iButton, CPoint point);
  void TrackMouseLeave();
  // The bar behind the handle still exists and is this one (a command may have destroyed it).
  static BOOL IsAlive(HWND hwnd, const CUfxToolBar* pBar);
  void SendIdlePrompt();
  void UpdateButtonCmdUI(int iButton);
  void RunButtonCommand(CUfxToolbarButton* pButton);
  // Makes the next enabled menu button before (-1) or after (1) the hot one hot, wrapping around.
  BOOL MoveToMenu(int nStep);
  // An open popup of a menu button selects its first item.
  static void SelectFirstPopupItem(CUfxToolbarButton* pButton);
  CString TooltipText(CUfxToolbarButton* pButton) const;
  // The eight strips in role order: images, cold, disabled, large, large cold, large disabled,
  // menu, disabled menu; the shared ones and a bar's own.
  using StripSet = std::array<CUfxToolBarImages*, 8>;
  static StripSet SharedStrips();
  StripSet LockedStrips();
  // Gives each strip of a set its image size (the large ones twice it).
  static void SizeStrips(const StripSet& strips, CSize sizeImage);
  // Rebuilds the shared and own strips and the user images in the current system colours.
  void ReloadImages();
  // Saved-state helpers.
  CString StateKey(LPCWSTR lpszProfileName, int nIndex, UINT uiID) const;
  static CString StateKeyOf(LPCWSTR lpszProfileName, int nBar, UINT uiID);

  // ---- fields, in this order ----
  CUfxToolBarImages m_ImagesLocked;
  CUfxToolBarImages m_ColdImagesLocked;
  CUfxToolBarImages m_DisabledImagesLocked;
  CUfxToolBarImages m_LargeImagesLocked;
  CUfxToolBarImages m_LargeColdImagesLocked;
  CUfxToolBarImages m_LargeDisabledImagesLocked;
  CUfxToolBarImages m_MenuImagesLocked;
  CUfxToolBarImages m_DisabledMenuImagesLocked;
  BOOL m_bLocked = FALSE;
  BOOL m_bLargeIconsAreEnabled = TRUE;
  CUfxBarNcHelper m_Impl;
  BOOL m_bReserved = FALSE;
  BOOL m_bNotClosable = FALSE;
  BOOL m_bTextLabels = FALSE;
  BOOL m_bDrawTextLabels = FALSE;  // row height overridden by a tall label
  int m_nMaxBtnHeight = 0;
  CSize m_sizeLockedButton{23, 22};
  CSize m_sizeLockedImage{16, 15};
  CSize m_sizeCurLockedButton{23, 22};
  CSize m_sizeCurLockedImage{16, 15};
  int m_iButtonCapture = -1;    // pressed
  int m_iHighlighted = -1;
  int m_iSelected = -1;
  int m_iHotKeyButton = -1;     // dropped (keyboard-hot)
  CObList m_Buttons;
  CObList m_OrigButtons;
  BOOL m_bOriginalItemsChanged = FALSE;
  CUfxBarDropTarget m_DropTarget;
  int m_iDragIndex = -1;
  CRect m_rectDrag;
  CPen m_penDrag;
  CUfxToolbarButton* m_pDragButton = nullptr;
  CPoint m_ptStartDrag{-1, -1};
  BOOL m_bIsDragCopy = FALSE;
  BOOL m_bStretchButton = FALSE;
  CRect m_rectTrack;
  int m_iImagesOffset = 0;
  UINT m_uiOriginalResID = 0;
  BOOL m_bTracked = FALSE;
  CPoint m_ptLastMouse{-1, -1};
  BOOL m_bMenuMode = FALSE;
  CWnd* m_pWndLastCapture = nullptr;
  HWND m_hwndLastFocus = nullptr;
  BOOL m_bDisableControlsIfNoHandler = TRUE;
  BOOL m_bRouteCommandsViaFrame = TRUE;
  CMap<UINT, UINT, CUfxToolbarButton*, CUfxToolbarButton*> m_AcellKeys;
  BOOL m_bDrawBorder = TRUE;
  BOOL m_bGrayDisabledButtons = TRUE;
  BOOL m_bIgnoreSetText = FALSE;
  CCustomizeButton* m_pCustomizeBtn = nullptr;

  // ---- shared by all bars ----
  static CObList s_lstAllToolbars;
  static BOOL s_bCustomizeMode;
  static BOOL s_bLargeIcons;
  static CSize s_sizeButton;
  static CSize s_sizeImage;
  static CSize s_sizeCurButton;
  static CSize s_sizeCurImage;
  static CSize s_sizeMenuImage;
  static CSize s_sizeMenuButton;
  static BOOL s_bShowTooltips;
  static BOOL s_bShowShortcutKeys;
  static COLORREF s_clrText;
  static int s_iMenuAnimation;
  static BOOL s_bRecentlyUsedMenus;
  static BOOL s_bMenuShadows;
  static BOOL s_bShowAllMenusAfterDelay;
  static CUfxToolBarImages* s_pUserImages;
  static CUfxToolBarImages s_Images;
  static CUfxToolBarImages s_ColdImages;
  static CUfxToolBarImages s_DisabledImages;
  static CUfxToolBarImages s_LargeImages;
  static CUfxToolBarImages s_LargeColdImages;
  static CUfxToolBarImages s_LargeDisabledImages;
  static CUfxToolBarImages s_MenuImages;
  static CUfxToolBarImages s_DisabledMenuImages;
  static CMap<UINT, UINT, int, int> s_DefaultImages;
  static CList<UINT, UINT> s_lstForbiddenCommands;
  static CList<UINT, UINT> s_lstCoreCommands;
  static CUfxToolBar* s_pSelToolbar;
  static BOOL s_bAltCustomization;
  static BOOL s_bAltCustomizing;
  static BOOL s_bDragFromToolbar;
  static CUfxToolbarCustomize* s_pCustomizeSheet;
  static HHOOK s_hookMouseHelp;
  static CUfxToolBar* s_pLastHookedToolbar;
  static BOOL s_bWrapLabels;
  static int s_nLabelGap;

  DECLARE_MESSAGE_MAP()
};

// The command-UI object of a bar's update: it walks the bar's buttons.
class CUfxToolBarCmdUI : public CCmdUI {
public:
  void Enable(BOOL bOn) override;
  void SetCheck(int nCheck) override;
  void SetRadio(BOOL bOn) override;
  void SetText(LPCWSTR lpszText) override;
};
