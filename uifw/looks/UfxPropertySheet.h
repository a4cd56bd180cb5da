// CUfxPropertySheet: the framework's property sheet. Its pages can be reached through the
// platform's tab row or, instead, through an outlook bar, a tree or a tab window at its left or
// top; the sheet keeps the navigation and the active page in step both ways.
#pragma once
#include "Framework.h"
#include "bars/UfxDialogMenuHelper.h"

class CUfxOutlookBar;
class CUfxTabWnd;
class CUfxPropSheetCategory;
class CUfxPropertyPage;

class CUfxPropertySheet : public CPropertySheet {
  DECLARE_DYNAMIC(CUfxPropertySheet)
public:
  enum PropSheetLook {
    PropSheetLook_Tabs = 0,        // the platform's tab row
    PropSheetLook_OutlookBar = 1,  // an outlook bar at the left
    PropSheetLook_Tree = 2,        // a tree of categories and pages at the left
    PropSheetLook_TabWindow = 3    // a framework tab window in place of the tab row
  };
  // Control ids of the navigation controls.
  enum { ID_NAV_OUTLOOKBAR = 0xE800, ID_NAV_TREE = 101, ID_NAV_TABWND = 102 };
  // The commands of the outlook bar's buttons: the first page's, then one for each page after it.
  enum { ID_NAV_FIRST_PAGE = 0x7000, ID_NAV_LAST_PAGE = 0x70FF };

  explicit CUfxPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  ~CUfxPropertySheet() override;

  // Before the window exists: the look and the width of a navigation pane at the left.
  void SetLook(PropSheetLook look, int nNavControlWidth = 100);
  PropSheetLook GetLook() const { return m_look; }
  // The navigation's images: a bitmap resource cut into images nImageWidth wide; clrMask -1: no
  // mask. FALSE, and no images, when the bitmap cannot be loaded.
  BOOL SetIconsList(UINT uiImageListResID, int nImageWidth, COLORREF clrMask = RGB(255, 0, 255));
  CImageList* GetIconsList() { return m_Icons.GetSafeHandle() != nullptr ? &m_Icons : nullptr; }

  // The platform's AddPage; on an open sheet the page also joins the navigation, at its end.
  void AddPage(CPropertyPage* pPage);

  // A page has become active: the navigation shows it.
  virtual void OnActivatePage(CPropertyPage* pPage);
  // Makes the look's navigation control (null in the tabs look).
  virtual CWnd* InitNavigationControl();

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnInitDialog() override;

  CWnd* GetNavigationControl() const;
  CTreeCtrl& GetTree() { return m_wndTree; }
  CUfxTabWnd* GetTabWnd() const { return m_pTabWnd; }
  CUfxOutlookBar* GetOutlookBar() const { return m_pOutlookBar; }

  // The tree look's top-level categories, owned by the sheet.
  CList<CUfxPropSheetCategory*, CUfxPropSheetCategory*> m_lstTreeCategories;

protected:
  void AddPageToNavigation(int iPage);
  void InsertCategory(CUfxPropSheetCategory* pCategory);
  void LayoutTabWindow();
  void LayoutLeftPane(CWnd* pNavigation);
  void MoveButtons();
  int TabRowHeight() const;
  // Brings the page window onto the tab window's page area.
  void PlacePageInTabWnd();
  void ActivatePageFromNavigation(int iPage);
  friend class CUfxPropSheetTabWnd;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  afx_msg LRESULT OnShowOutlookButton(WPARAM, LPARAM);

  afx_msg void OnTreeGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
  void OnTreeSelection(HTREEITEM hItem, HTREEITEM hOldItem);
  // The item of the page, redrawn with its image.
  void RedrawPageItem(CPropertyPage* pPage);

  CUfxOutlookBar* m_pOutlookBar = nullptr;
  CUfxTabWnd* m_pTabWnd = nullptr;
  CTreeCtrl m_wndTree;
  CImageList m_Icons;
  CUfxDialogMenuHelper m_Impl;
  PropSheetLook m_look = PropSheetLook_Tabs;
  int m_nBarWidth = 100;
  int m_nActivePage = -1;       // the outlook button shown as active
  BOOL m_bIsInSelectTree = FALSE;
  DECLARE_MESSAGE_MAP()
};
