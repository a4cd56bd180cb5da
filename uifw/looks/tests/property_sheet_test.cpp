// The framework's property sheet in its looks: where the button row ends, the navigation controls
// following the active page and the active page following them, the tree's categories, and the
// navigation images. Each sheet runs modally and is driven by a script posted to it.
#include "Framework.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxContextMenuManager.h"
#include "frames/UfxOutlookBar.h"
#include "frames/UfxTabWnd.h"
#include "looks/UfxPropSheetCategory.h"
#include "looks/UfxPropertyPage.h"
#include "looks/UfxPropertySheet.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <functional>

namespace {

enum { IDD_GENERAL = 201, IDD_FONTS, IDD_COLOURS, IDD_KEYS, IDB_NAV = 300, IDS_SHEET = 500 };

class CSheetApp : public CWinApp {
public:
  CSheetApp() : CWinApp(L"UfxPropertySheetTest") {}
};
CSheetApp theApp;

// Runs a script step at every WM_APP; the first is posted when the sheet is set up.
template <class Base>
class CScripted : public Base {
public:
  using Base::Base;
  std::function<void(CScripted*, int)> script;
  int step = 0;
  BOOL OnInitDialog() override {
    const BOOL bResult = Base::OnInitDialog();
    this->PostMessage(WM_APP);
    return bResult;
  }
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    if (message != WM_APP) return Base::OnWndMsg(message, wParam, lParam, pResult);
    if (script) script(this, step++);
    *pResult = 0;
    return TRUE;
  }
  void Next() { this->PostMessage(WM_APP); }
  CRect ClientRectOf(int id) {
    CRect rect;
    CWnd* pWnd = this->GetDlgItem(id);
    if (pWnd == nullptr || !pWnd->IsWindowVisible()) return rect;
    pWnd->GetWindowRect(rect);
    this->ScreenToClient(rect);
    return rect;
  }
};
using CScriptSheet = CScripted<CUfxPropertySheet>;
using CPlainSheet = CScripted<CPropertySheet>;

struct Pages {
  CUfxPropertyPage general{IDD_GENERAL}, fonts{IDD_FONTS}, colours{IDD_COLOURS}, keys{IDD_KEYS};
  void AddTo(CPropertySheet& sheet, bool withKeys = true) {
    sheet.AddPage(&general);
    sheet.AddPage(&fonts);
    sheet.AddPage(&colours);
    if (withKeys) sheet.AddPage(&keys);
  }
};

TEST(UfxPropertySheet, TheButtonRowEndsFivePixelsFromTheCornerInTheNavigationLooks) {
  struct Case {
    const char* what;
    CUfxPropertySheet::PropSheetLook look;
  } cases[] = {{"outlook bar", CUfxPropertySheet::PropSheetLook_OutlookBar},
               {"tree", CUfxPropertySheet::PropSheetLook_Tree},
               {"tab window", CUfxPropertySheet::PropSheetLook_TabWindow}};
  for (const Case& c : cases) {
    Pages pages;
    CScriptSheet sheet(IDS_SHEET);
    sheet.SetLook(c.look, 120);
    pages.AddTo(sheet);
    CRect client, apply, ok;
    sheet.script = [&](CScriptSheet* s, int) {
      s->GetClientRect(client);
      apply = s->ClientRectOf(ID_APPLY_NOW);
      ok = s->ClientRectOf(IDOK);
      s->PressButton(PSBTN_CANCEL);
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal()) << c.what;
    ASSERT_FALSE(apply.IsRectEmpty()) << c.what;
    EXPECT_EQ(client.right - 5, apply.right) << c.what;
    EXPECT_EQ(client.bottom - 5, apply.bottom) << c.what;
    EXPECT_EQ(apply.top, ok.top) << c.what << ": one row";
    EXPECT_LT(ok.right, apply.left) << c.what;
  }
}

TEST(UfxPropertySheet, TheTabsLookKeepsThePlatformLayout) {
  CRect plainOk, plainClient, ufxOk, ufxClient;
  {
    Pages pages;
    CPlainSheet plain(IDS_SHEET);
    pages.AddTo(plain);
    plain.script = [&](CPlainSheet* s, int) {
      plainOk = s->ClientRectOf(IDOK);
      s->GetClientRect(plainClient);
      s->PressButton(PSBTN_CANCEL);
    };
    plain.DoModal();
  }
  Pages pages;
  CScriptSheet sheet(IDS_SHEET);
  pages.AddTo(sheet);
  sheet.script = [&](CScriptSheet* s, int) {
    ufxOk = s->ClientRectOf(IDOK);
    s->GetClientRect(ufxClient);
    EXPECT_EQ(nullptr, s->GetNavigationControl());
    s->PressButton(PSBTN_CANCEL);
  };
  sheet.DoModal();
  EXPECT_FALSE(plainOk.IsRectEmpty());
  EXPECT_EQ(plainOk, ufxOk);
  EXPECT_EQ(plainClient, ufxClient);
}

// Categories "Editor" (General, Fonts) and "Extras", whose first sub-category "Empty" has no
// pages and whose second, "Look", holds Colours.
struct Tree {
  Pages pages;
  CUfxPropSheetCategory* editor;
  CUfxPropSheetCategory* extras;
  CUfxPropSheetCategory* empty;
  CUfxPropSheetCategory* look;
  explicit Tree(CUfxPropertySheet& sheet) {
    editor = new CUfxPropSheetCategory(L"Editor", 0, 1);
    extras = new CUfxPropSheetCategory(L"Extras", 2, 3);
    empty = new CUfxPropSheetCategory(L"Empty", 2, 3, extras);
    look = new CUfxPropSheetCategory(L"Look", 2, 3, extras);
    sheet.m_lstTreeCategories.AddTail(editor);
    sheet.m_lstTreeCategories.AddTail(extras);
    editor->AddPage(&pages.general);
    editor->AddPage(&pages.fonts);
    look->AddPage(&pages.colours);
    sheet.SetLook(CUfxPropertySheet::PropSheetLook_Tree);
    pages.AddTo(sheet, false);
  }
};

bool Expanded(CTreeCtrl& tree, HTREEITEM hItem) { return (tree.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0; }

TEST(UfxPropertySheet, TheTreeAndTheActivePageFollowEachOther) {
  CScriptSheet sheet(IDS_SHEET);
  Tree t(sheet);
  sheet.script = [&](CScriptSheet* s, int step) {
    CTreeCtrl& tree = s->GetTree();
    switch (step) {
      case 0:
        ASSERT_NE(nullptr, tree.GetSafeHwnd());
        EXPECT_EQ(t.pages.general.m_hTreeNode, tree.GetSelectedItem()) << "the first page is shown in the tree";
        EXPECT_EQ(t.editor->m_hTreeItem, tree.GetParentItem(t.pages.fonts.m_hTreeNode));
        EXPECT_EQ(t.look->m_hTreeItem, tree.GetParentItem(t.pages.colours.m_hTreeNode));
        tree.SelectItem(t.pages.fonts.m_hTreeNode);  // the user picks a page in the tree
        s->Next();
        break;
      case 1:
        EXPECT_EQ(&t.pages.fonts, s->GetActivePage());
        s->SetActivePage(&t.pages.colours);  // the sheet turns to a page
        s->Next();
        break;
      case 2:
        EXPECT_EQ(t.pages.colours.m_hTreeNode, tree.GetSelectedItem());
        EXPECT_TRUE(Expanded(tree, t.look->m_hTreeItem)) << "the new page's category opens";
        EXPECT_FALSE(Expanded(tree, t.editor->m_hTreeItem)) << "the old one closes";
        tree.SelectItem(t.editor->m_hTreeItem);  // a category: its first page
        s->Next();
        break;
      default:
        EXPECT_EQ(&t.pages.general, s->GetActivePage());
        s->PressButton(PSBTN_CANCEL);
    }
  };
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  EXPECT_EQ(4, sheet.step);
}

TEST(UfxPropertySheet, AnEmptyFirstLeafChangesNothingAndALatePageEndsItsCategory) {
  CScriptSheet sheet(IDS_SHEET);
  Tree t(sheet);
  sheet.script = [&](CScriptSheet* s, int step) {
    CTreeCtrl& tree = s->GetTree();
    if (step == 0) {
      s->SetActivePage(&t.pages.fonts);
      tree.SelectItem(t.extras->m_hTreeItem);  // its first leaf, "Empty", has no pages
      s->Next();
      return;
    }
    EXPECT_EQ(&t.pages.fonts, s->GetActivePage());
    t.editor->AddPage(&t.pages.keys);
    s->AddPage(&t.pages.keys);
    HTREEITEM hLast = tree.GetChildItem(t.editor->m_hTreeItem);
    while (tree.GetNextSiblingItem(hLast) != nullptr) hLast = tree.GetNextSiblingItem(hLast);
    EXPECT_EQ(t.pages.keys.m_hTreeNode, hLast);
    EXPECT_EQ(CString(L"Keys"), tree.GetItemText(hLast));
    s->PressButton(PSBTN_CANCEL);
  };
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
}

TEST(UfxPropertySheet, TheTabWindowAndTheActivePageFollowEachOther) {
  Pages pages;
  CScriptSheet sheet(IDS_SHEET);
  sheet.SetLook(CUfxPropertySheet::PropSheetLook_TabWindow);
  pages.AddTo(sheet);
  sheet.script = [&](CScriptSheet* s, int step) {
    CUfxTabWnd* pTabs = s->GetTabWnd();
    ASSERT_NE(nullptr, pTabs);
    if (step == 0) {
      EXPECT_EQ(4, pTabs->GetTabsNum());
      CString label;
      pTabs->GetTabLabel(2, label);
      EXPECT_EQ(CString(L"Colours"), label);
      EXPECT_FALSE(s->GetTabControl()->IsWindowVisible()) << "the tab window stands in for the tab row";
      pTabs->SetActiveTab(2);  // the user picks a tab
      s->Next();
    } else if (step == 1) {
      EXPECT_EQ(&pages.colours, s->GetActivePage());
      CRect area = pTabs->GetWndArea(), page;
      pTabs->MapWindowPoints(s, area);
      pages.colours.GetWindowRect(page);
      s->ScreenToClient(page);
      EXPECT_EQ(area, page) << "the page fills the tab window's page area";
      s->SetActivePage(1);
      s->Next();
    } else {
      EXPECT_EQ(1, pTabs->GetActiveTab());
      s->PressButton(PSBTN_CANCEL);
    }
  };
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  EXPECT_EQ(3, sheet.step);
}

TEST(UfxPropertySheet, TheOutlookBarAndTheActivePageFollowEachOther) {
  // A program's main frame stands behind the sheet: the bar's commands must still reach the sheet.
  CFrameWnd* pMain = new CFrameWnd;
  ASSERT_TRUE(pMain->Create(nullptr, L"Main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
  theApp.m_pMainWnd = pMain;
  Pages pages;
  CScriptSheet sheet(IDS_SHEET);
  sheet.SetLook(CUfxPropertySheet::PropSheetLook_OutlookBar);
  ASSERT_TRUE(sheet.SetIconsList(IDB_NAV, 16));
  pages.AddTo(sheet);
  sheet.script = [&](CScriptSheet* s, int step) {
    CUfxOutlookBar* pBar = s->GetOutlookBar();
    ASSERT_NE(nullptr, pBar);
    if (step == 0) {
      ASSERT_EQ(4, pBar->GetButtonCount());
      EXPECT_EQ(CString(L"Fonts"), pBar->GetButton(1)->m_strText);
      EXPECT_TRUE(pBar->GetButton(0)->m_nStyle & TBBS_CHECKED) << "the first page's button shows as active";
      // A click on the third button.
      const CPoint pt = pBar->GetButton(2)->Rect().CenterPoint();
      pBar->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
      pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
      s->Next();
    } else if (step > 500) {
      ADD_FAILURE() << "the click never reached the sheet";
      s->PressButton(PSBTN_CANCEL);
    } else if (s->GetActivePage() != &pages.keys) {
      // The click's command and the button's check are posted behind the step: steps wait for
      // the clicked page to show with its button checked.
      if (s->GetActivePage() == &pages.colours && (pBar->GetButton(2)->m_nStyle & TBBS_CHECKED)) s->SetActivePage(3);
      s->Next();
    } else {
      EXPECT_TRUE(pBar->GetButton(3)->m_nStyle & TBBS_CHECKED);
      EXPECT_FALSE(pBar->GetButton(2)->m_nStyle & TBBS_CHECKED);
      s->PressButton(PSBTN_CANCEL);
    }
  };
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  EXPECT_EQ(3, sheet.GetActiveIndex());
  theApp.m_pMainWnd = nullptr;
  pMain->DestroyWindow();
}

TEST(UfxPropertySheet, NavigationImagesComeFromABitmapCutIntoImages) {
  CUfxPropertySheet sheet(IDS_SHEET);
  EXPECT_FALSE(sheet.SetIconsList(999, 16));
  EXPECT_EQ(nullptr, sheet.GetIconsList());
  ASSERT_TRUE(sheet.SetIconsList(IDB_NAV, 16));
  ASSERT_NE(nullptr, sheet.GetIconsList());
  EXPECT_EQ(10, sheet.GetIconsList()->GetImageCount());
  int cx = 0, cy = 0;
  ImageList_GetIconSize(sheet.GetIconsList()->GetSafeHandle(), &cx, &cy);
  EXPECT_EQ(16, cx);
  EXPECT_EQ(15, cy);
}

}  // namespace

namespace {
// A page shows its own context menus: the manager refuses one asked for it, unless the page
// asks for its own messages.
TEST(UfxPropertyPage, TheContextMenuManagerLeavesAPagesMenusToThePage) {
  CUfxContextMenuManager manager;
  CUfxPropertyPage page(IDD_GENERAL);
  HMENU hMenu = ::CreatePopupMenu();
  ::AppendMenuW(hMenu, MF_STRING, 100, L"Item");
  EXPECT_EQ(nullptr, manager.ShowPopupMenu(hMenu, 10, 10, &page, FALSE, TRUE, FALSE));
  ::DestroyMenu(hMenu);
}
}  // namespace
