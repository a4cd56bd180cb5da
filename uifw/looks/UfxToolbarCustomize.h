// CUfxToolbarCustomize: the modeless sheet in which the user customizes toolbars, menus, keys,
// mouse commands, user tools and options. While it is open every toolbar is in customize mode,
// the frame's other windows are disabled and the application's commands are offered by category
// for dragging onto toolbars and menus. The sheet owns that command model, which its pages share.
#pragma once
#include "Framework.h"
#include "FwPropSheet.h"
#include <vector>

class CUfxMenuBar;
class CUfxToolBar;
class CUfxToolbarButton;
class CUfxCustomizePage;
class CUfxToolbarsPage;
class CUfxKeyboardPage;
class CUfxMenuPage;
class CUfxMousePage;
class CUfxOptionsPage;
class CUfxExternalToolsPage;

typedef CList<CUfxToolbarButton*, CUfxToolbarButton*> CUfxButtonList;

class CUfxToolbarCustomize : public CPropertySheet {
  DECLARE_DYNAMIC(CUfxToolbarCustomize)
public:
  enum CustomizeFlags {
    Customize_MenuShadows = 0x01,
    Customize_TextLabels = 0x02,
    Customize_Look2000 = 0x04,
    Customize_MenuAnimations = 0x08,
    Customize_NoHelp = 0x10,
    Customize_ContextHelp = 0x20
  };

  CUfxToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus = FALSE, UINT uiFlags = 15,
                       CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages = nullptr);
  ~CUfxToolbarCustomize() override;

  // Modeless over the frame; switches customize mode on.
  virtual BOOL Create();
  void EnableUserToolbars(BOOL bEnable = TRUE);
  // A toolbar was shown or hidden while the sheet is open: its check in the toolbars page.
  virtual void ShowToolBar(CUfxToolBar* pToolBar, BOOL bShow);
  // Puts the frame and every toolbar in customize mode, or takes them out of it.
  void SetFrameCustomizeMode(BOOL bCustomize);

  // ---- the command model ----
  void AddButton(LPCWSTR lpszCategory, const CUfxToolbarButton& button, int iInsertBefore = -1);
  void AddMenuCommands(const CMenu* pMenu, BOOL bPopup, LPCWSTR lpszCategory = nullptr, LPCWSTR lpszMenuPath = nullptr);
  void AddUserTools(LPCWSTR lpszCategory);
  void SetupFromMenus();
  void FillCategoriesComboBox(CComboBox& wndCategory, BOOL bAddEmpty = TRUE) const;
  void FillCategoriesListBox(CListBox& wndCategory, BOOL bAddEmpty = TRUE) const;
  virtual void FillAllCommandsList(CListBox& wndListOfCommands) const;
  // The all-commands text of a command, or null.
  LPCWSTR GetCommandName(UINT uiCmd) const;
  const CUfxButtonList* GetCategoryButtons(LPCWSTR lpszCategory) const;
  const CStringList& GetCategoryNames() const { return m_lstCategories; }
  const CString& GetAllCommandsName() const { return m_strAllCommands; }
  // The names a category's buttons are listed under, in list order: the text, or the full name
  // (from the menu path) among all commands and where the category repeats a text.
  static std::vector<CString> DisplayNames(const CUfxButtonList& buttons, BOOL bAllCommands);

  virtual BOOL CheckToolsValidity(const CObList& lstTools) { return TRUE; }
  // Called by the user-tools page when it has set up its list's buttons.
  virtual void OnInitToolsPage() {}
  virtual BOOL OnEditToolbarMenuImage(CWnd* pWndParent, CBitmap& bitmap, int nBitsPerPixel);

  CFrameWnd* GetParentFrame() const { return m_pParentFrame; }
  UINT GetFlags() const { return m_uiFlags; }
  CUfxToolbarsPage* GetToolbarsPage() const { return m_pToolbarsPage; }
  CUfxMenuPage* GetMenuPage() const { return m_pMenuPage; }
  CUfxExternalToolsPage* GetToolsPage() const { return m_pToolsPage; }

  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

  // The menu bar of a framework frame, or null.
  static CUfxMenuBar* FrameMenuBar(CFrameWnd* pFrame);
  // The help topics of the pages' controls: control id, help id (the control id + 0x41000).
  static const DWORD* HelpIds();

protected:
  void AddButtonTo(const CString& strCategory, const CUfxToolbarButton& button, const CString& strText,
                   BOOL bUserTool, int iInsertBefore);
  void PlaceCloseAndHelpButtons();
  void ShowHelp();

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);

  CMap<CString, LPCWSTR, CUfxButtonList*, CUfxButtonList*> m_ButtonsByCategory;
  CStringList m_lstCategories;
  CUfxCustomizePage* m_pCustomizePage = nullptr;
  CUfxToolbarsPage* m_pToolbarsPage = nullptr;
  CUfxExternalToolsPage* m_pToolsPage = nullptr;
  CUfxKeyboardPage* m_pKeyboardPage = nullptr;
  CUfxMenuPage* m_pMenuPage = nullptr;
  CUfxMousePage* m_pMousePage = nullptr;
  CUfxOptionsPage* m_pOptionsPage = nullptr;
  CList<CPropertyPage*, CPropertyPage*> m_listCustomPages;
  CString m_strAllCommands;
  CFrameWnd* m_pParentFrame = nullptr;
  BOOL m_bAutoSetFromMenus = FALSE;
  UINT m_uiFlags = 0;
  CBitmap m_bmpHelp;
  DECLARE_MESSAGE_MAP()
};
