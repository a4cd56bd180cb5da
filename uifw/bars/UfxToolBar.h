// CUfxToolBar: the framework's toolbar, a control bar that owns a list of button objects, lays
// them out, draws them through the visual manager and keeps them in the saved state.
#pragma once
#include "Framework.h"

class CUfxToolbarButton;

// Messages the bars and the customization sheet send to the frame (registered at start-up).
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
  DECLARE_DYNAMIC(CUfxToolBar)
public:
  CUfxToolBar();
  ~CUfxToolBar() override;

  // The framework-wide customization mode: while it is on, bars offer no context menus.
  static BOOL IsCustomizeMode() { return s_bCustomizeMode; }
  static void SetCustomizeMode(BOOL bSet) { s_bCustomizeMode = bSet; }

  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
  virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(1, 1, 1, 1),
                        UINT nID = AFX_IDW_TOOLBAR);
  virtual void RemoveAllButtons();
  // TRUE: the visual manager's extra button border is added around each button (plain toolbars).
  virtual BOOL UsesExtraButtonBorder() const { return TRUE; }
  virtual BOOL GetButtonRect(int iIndex, CRect& rect) const;
  virtual BOOL SetDefaultButtonText(UINT uiCmd);
  virtual void AfterResourceButtons() {}
  virtual BOOL AllowsTextLabels() const { return TRUE; }

  // The list of buttons; indexes are positions in it. Insertions answer the index or -1.
  int InsertButton(CUfxToolbarButton* pButton, int iInsertAt = -1);
  int InsertButtonCopy(const CUfxToolbarButton& button, int iInsertAt = -1);
  int InsertSeparator(int iInsertAt = -1);
  BOOL RemoveButton(int iIndex);
  CUfxToolbarButton* GetButton(int iIndex) const;
  int GetButtonCount() const { return (int)m_Buttons.GetCount(); }
  int CommandToIndex(UINT nIDFind, int iIndexFirst = 0) const;
  int ButtonToIndex(const CUfxToolbarButton* pButton) const;
  CString GetButtonText(int iIndex) const;
  void SetButtonText(int iIndex, LPCWSTR lpszText);
  void SetButtonTextMode(int iIndex, BOOL bShowText, LPCWSTR lpszText = nullptr, BOOL bShowImage = TRUE);
  const CObList& GetAllButtons() const { return m_Buttons; }
  // The buttons for the ids (0: separator); with remap each gets the next image.
  BOOL SetButtons(const UINT* lpIDArray, int nIDCount, BOOL bRemapImages = TRUE);
  void EnableTextLabels(BOOL bEnable = TRUE);
  BOOL AreTextLabels() const { return m_bTextLabels; }

  // The bar archive: the storable buttons, the labels flag and the window text. Loading reads
  // into a new list and takes it only when the whole archive was read; anything else than
  // buttons is damaged data.
  void Serialize(CArchive& ar) override;

  // Sizes: the shared base and current ones, and a locked bar's own.
  static void SetSizes(SIZE sizeButton, SIZE sizeImage);
  void SetLockedSizes(SIZE sizeButton, SIZE sizeImage);
  static void SetLargeIcons(BOOL bLargeIcons = TRUE);
  static BOOL IsLargeIcons() { return s_bLargeIcons; }
  CSize GetButtonSize() const;
  CSize GetImageSize() const;
  static CSize GetMenuImageSize();
  void EnableLargeIcons(BOOL bEnable) { m_bLargeIconsAreEnabled = bEnable; }
  BOOL IsLocked() const { return m_bLocked; }

  static const CObList& GetAllToolbars() { return s_lstAllToolbars; }
  // Every button of every live toolbar that carries the id; the count.
  static int GetCommandButtons(UINT uiCmd, CObList& listButtons);

  // Commands never put on a bar, and commands always shown in menus and never counted.
  static BOOL IsCommandAllowed(UINT uiCmd) { return s_lstForbiddenCommands.Find(uiCmd) == nullptr; }
  static void SetNonPermittedCommands(const CList<UINT, UINT>& lstCommands);
  static BOOL IsCoreCommand(UINT uiCmd) { return s_lstCoreCommands.Find(uiCmd) != nullptr; }
  static void AddCoreCommand(UINT uiCmd);
  static void SetCoreCommands(const CList<UINT, UINT>& lstCommands);

  // The image index that toolbar resources gave a command in the shared images.
  static BOOL GetDefaultImage(UINT uiCmd, int& iImage) { return s_DefaultImages.Lookup(uiCmd, iImage); }
  static void SetDefaultImage(UINT uiCmd, int iImage) { s_DefaultImages.SetAt(uiCmd, iImage); }

  // Labels below images: whether they wrap, and the gap between image and label.
  static BOOL IsWrapLabels() { return s_bWrapLabels; }
  static void SetWrapLabels(BOOL bWrap) { s_bWrapLabels = bWrap; }
  static int GetLabelGap() { return s_nLabelGap; }

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  // Index bookkeeping after a removal, then separators left at the end or side by side go.
  void AfterButtonRemoved(int iIndex);
  static void DeleteButtons(CObList& list);

  BOOL m_bLocked = FALSE;
  BOOL m_bLargeIconsAreEnabled = TRUE;
  BOOL m_bTextLabels = FALSE;
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
  int m_iImagesOffset = 0;
  UINT m_uiOriginalResID = 0;

  static CObList s_lstAllToolbars;
  static BOOL s_bCustomizeMode;
  static BOOL s_bLargeIcons;
  static CSize s_sizeButton;
  static CSize s_sizeImage;
  static CSize s_sizeCurButton;
  static CSize s_sizeCurImage;
  static CSize s_sizeMenuImage;
  static CList<UINT, UINT> s_lstForbiddenCommands;
  static CList<UINT, UINT> s_lstCoreCommands;
  static CMap<UINT, UINT, int, int> s_DefaultImages;
  static BOOL s_bWrapLabels;
  static int s_nLabelGap;

  DECLARE_MESSAGE_MAP()
};
