// CUfxToolbarMenuButton: a button that owns a submenu. Every title of the menu bar, every item of
// a popup menu and every toolbar button with a drop-down menu is one. It keeps its submenu as a
// list of button objects, converts it from and to a menu handle, opens a CUfxPopupMenu beside
// itself and draws itself as a bar button (with a split arrow) or as a menu item.
#pragma once
#include "bars/UfxToolbarButton.h"

class CUfxPopupMenu;

class CUfxToolbarMenuButton : public CUfxToolbarButton {
  DECLARE_SERIAL(CUfxToolbarMenuButton)
public:
  CUfxToolbarMenuButton();
  // A button for the command and image; its submenu is read from hMenu (which stays the caller's).
  CUfxToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCWSTR lpszText = nullptr,
                        BOOL bUserButton = FALSE);
  ~CUfxToolbarMenuButton() override;

  void Serialize(CArchive& ar) override;
  void CopyFrom(const CUfxToolbarButton& src) override;
  void OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz = TRUE,
              BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
              BOOL bGrayDisabledButtons = TRUE) override;
  SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
  BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
  void OnParentChanged(CWnd* pWndParent) override;
  BOOL IsBorderDrawn() const override { return FALSE; }
  void OnCancelMode() override;
  BOOL DropDownMenu(CWnd* pWnd) override { return OnClick(pWnd, FALSE); }
  int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
  BOOL IsDroppedDown() const override { return m_pPopupMenu != nullptr; }
  BOOL CloseSubMenus() override;
  void CloseTopPopup() override;
  void ResetImageToDefault() override;
  BOOL CompareWith(const CUfxToolbarButton& other) const override;
  void SetRadio() override;

  // New slots, in this order.
  // Opens the popup under or beside the button (pWnd null: the parent bar); FALSE when it is
  // open already or cannot be made.
  virtual BOOL OpenPopupMenu(CWnd* pWnd = nullptr);
  // Replaces the submenu by the items of the menu (the handle stays the caller's).
  virtual void CreateFromMenu(HMENU hMenu);
  // A new popup menu handle built from the submenu (the caller owns it), or null.
  virtual HMENU ExportToMenu() const;
  // The popup object OpenPopupMenu shows.
  virtual CUfxPopupMenu* CreatePopupMenu();
  virtual BOOL IsEmptyMenuAllowed() const { return FALSE; }
  virtual BOOL IsReservedQueryA() const { return TRUE; }   // kept in its slot
  virtual BOOL IsReservedQueryB() const { return FALSE; }  // kept in its slot
  virtual BOOL IsTearOff() const { return m_uiTearOffBarID != 0; }
  virtual void SetTearOffId(UINT uiBarID);

  // The popup-menu item drawing (the in-popup form of OnDraw).
  virtual void DrawMenuItem(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bCustomizeMode,
                            BOOL bHighlight, BOOL bGrayDisabledButtons);

  // Accessors.
  const CObList& GetCommands() const { return m_listCommands; }
  CUfxPopupMenu* GetPopupMenu() const { return m_pPopupMenu; }
  CWnd* GetParentWnd() const { return m_pWndParent; }
  BOOL IsDrawDownArrow() const { return m_bDrawDownArrow; }
  BOOL IsMenuPaletteMode() const { return FALSE; }
  BOOL IsClickedOnMenu() const { return m_bClickedOnMenu; }
  UINT GetTearOffId() const { return m_uiTearOffBarID; }
  BOOL IsRadio() const { return m_bIsRadio; }
  BOOL IsMenuOnly() const { return m_bMenuOnly; }
  // Forgets the open popup without closing it (the popup calls this as it goes).
  void ResetPopupLink() { m_pPopupMenu = nullptr; }
  // Removes and deletes the submenu items.
  void RemoveAllSubItems();
  // Takes ownership of a submenu item appended at the end.
  void AddSubItem(CUfxToolbarMenuButton* pItem) { m_listCommands.AddTail(pItem); }

  // Archives written inside this scope (store files, drag data) always carry the tear-off id
  // and are always read with it; elsewhere the workspace's saved version decides.
  struct AlwaysTearOffIdScope {
    AlwaysTearOffIdScope();
    ~AlwaysTearOffIdScope();
  };
  static BOOL ArchiveCarriesTearOffId(BOOL bStoring);
  // Inside such a scope: the archive is a store file or drag data, always of the current layout.
  static BOOL IsAlwaysCurrentArchive();

  // The check column of popup menus: half the menu image width + 3, and the glyph width.
  static void GetCheckAreaMetrics(int& iCheckColumnHalf, int& iGlyphWidth);

  // Fields, in this order.
  CObList m_listCommands;           // CUfxToolbarMenuButton*, owned
  BOOL m_bDrawDownArrow = FALSE;
  BOOL m_bMenuMode = FALSE;         // an item of a popup-menu bar
  CUfxPopupMenu* m_pPopupMenu = nullptr;
  CWnd* m_pWndParent = nullptr;
  BOOL m_bDefault = FALSE;
  BOOL m_bClickedOnMenu = FALSE;
  BOOL m_bToBeClosed = FALSE;
  BOOL m_bMenuOnly = FALSE;
  UINT m_uiTearOffBarID = 0;
  BOOL m_bIsRadio = FALSE;

protected:
  void DrawOnBar(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz, BOOL bCustomizeMode,
                 BOOL bHighlight, BOOL bGrayDisabledButtons);
  // The arrow part at the end of the button, for the orientation.
  CRect ArrowRect(const CRect& rect, BOOL bHorz) const;
  // A split button: a real command with an arrow part that opens the menu.
  BOOL IsSplitButton() const;
  // The shortcut column text of the command, from the keyboard manager; empty when none.
  CString ShortcutText() const;
  // The button's rectangle widened by the menu border, repainted on the parent bar.
  void RedrawOnParent();
  // In a popup menu: the room the drawing keeps left of the label (the image column with its
  // margins) and right of the label or shortcut (the submenu arrow).
  static int MenuTextLeftInset();
  static int MenuTextRightInset();
  // The item's text cut at its first tab into the label and the shortcut after it.
  void SplitMenuText(CString& strLabel, CString& strShortcut) const;
  // In a popup menu: the width that shows the label and the shortcut whole in the font
  // selected into the DC.
  int MenuItemWidth(CDC* pDC) const;
};
