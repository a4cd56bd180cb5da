// Property sheets: a three-page modal sheet driven by posted messages (activation rules, apply of
// modified pages only, a refusing page, Apply, start page, pages added while open), a modeless
// sheet without its button row, and a sheet that is a child control of a dialog.
#include "Framework.h"
#include <gtest/gtest.h>
#include <functional>

enum { IDD_FIRST = 201, IDD_SECOND, IDD_THIRD, IDD_HOST = 300, IDC_VALUE = 1001, IDC_HOST_EDIT = 1101,
       IDC_HOST_BUTTON = 1102, IDS_SHEET = 500, IDS_CAPTION = 501 };

class CSheetApp : public CWinApp {
public:
  CSheetApp() : CWinApp(L"FwPropSheetTest") {}
  std::vector<CString> boxes;
  int DoMessageBox(LPCWSTR p, UINT, UINT) override {
    boxes.push_back(p);
    return IDOK;
  }
};
static CSheetApp theApp;

// A page with one text field; it can insist on a value and counts loads and applies.
class CTextPage : public CPropertyPage {
public:
  CTextPage(UINT nID, LPCWSTR initial, UINT nIDCaption = 0) : CPropertyPage(nID, nIDCaption), value(initial) {}
  CString value;
  bool required = false;
  int loads = 0, applies = 0;
  void DoDataExchange(CDataExchange* pDX) override {
    if (!pDX->m_bSaveAndValidate) ++loads;
    DDX_Text(pDX, IDC_VALUE, value);
    if (pDX->m_bSaveAndValidate && required && value.IsEmpty()) {
      AfxMessageBox(L"A value is needed.");
      pDX->Fail();
    }
  }
  BOOL OnApply() override {
    ++applies;
    return CPropertyPage::OnApply();
  }
  CString Shown() const {
    CString s;
    GetDlgItemText(IDC_VALUE, s);
    return s;
  }
};

// Runs a script step at every WM_APP; the first is posted when the sheet is set up.
class CScriptSheet : public CPropertySheet {
public:
  using CPropertySheet::CPropertySheet;
  std::function<void(CScriptSheet*, int)> script;
  int step = 0;
  BOOL OnInitDialog() override {
    CPropertySheet::OnInitDialog();
    PostMessage(WM_APP);
    return TRUE;
  }
  afx_msg LRESULT OnStep(WPARAM, LPARAM) {
    if (script) script(this, step++);
    return 0;
  }
  void Next() { PostMessage(WM_APP); }
  bool ApplyEnabled() const {
    HWND h = ::GetDlgItem(m_hWnd, ID_APPLY_NOW);
    return h != nullptr && ::IsWindowVisible(h) && ::IsWindowEnabled(h);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CScriptSheet, CPropertySheet)
  ON_MESSAGE(WM_APP, OnStep)
END_MESSAGE_MAP()

struct ThreePages {
  CTextPage first{IDD_FIRST, L"one"}, second{IDD_SECOND, L"two"}, third{IDD_THIRD, L"three"};
  void AddTo(CPropertySheet& sheet) {
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.AddPage(&third);
  }
};

TEST(Sheets, StartPageLaterActivationsReloadAndIndexAfterClose) {
  ThreePages pages;
  CScriptSheet sheet(IDS_SHEET, nullptr, 2);
  pages.AddTo(sheet);
  EXPECT_EQ(2, sheet.GetActiveIndex()) << "the start page before creation";
  int steps = 0;
  CString title;
  sheet.script = [&](CScriptSheet* s, int step) {
    ++steps;
    if (step == 0) {
      s->GetWindowText(title);
      EXPECT_EQ(2, s->GetActiveIndex());
      EXPECT_EQ(&pages.third, s->GetActivePage());
      EXPECT_EQ(nullptr, pages.first.m_hWnd) << "pages are created when first shown";
      EXPECT_EQ(1, pages.third.loads) << "the first activation leaves the data OnInitDialog showed";
      s->SetActivePage(0);
      s->Next();
    } else if (step == 1) {
      EXPECT_EQ(0, s->GetActiveIndex());
      pages.third.value = L"changed";
      s->SetActivePage(&pages.third);
      s->Next();
    } else {
      EXPECT_EQ(2, pages.third.loads);
      EXPECT_EQ(CString(L"changed"), pages.third.Shown()) << "a later activation shows the data again";
      s->SetActivePage(1);
      s->PressButton(PSBTN_CANCEL);
    }
  };
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  EXPECT_EQ(3, steps);
  EXPECT_NE(-1, title.Find(L"Settings"));
  EXPECT_EQ(nullptr, sheet.m_hWnd);
  EXPECT_EQ(1, sheet.GetActiveIndex()) << "the page shown at closing";
  EXPECT_EQ(0, pages.first.applies + pages.second.applies + pages.third.applies) << "Cancel applies nothing";
}

TEST(Sheets, OkAppliesOnlyModifiedPagesAndSetModifiedEnablesApply) {
  ThreePages pages;
  CScriptSheet sheet(L"Apply");
  pages.AddTo(sheet);
  bool applyBefore = true, applyAfter = false;
  sheet.script = [&](CScriptSheet* s, int step) {
    if (step == 0) {
      applyBefore = s->ApplyEnabled();
      pages.first.SetModified();
      applyAfter = s->ApplyEnabled();
      s->SetActivePage(1);  // created, never modified
      s->Next();
    } else {
      EXPECT_NE(nullptr, pages.second.m_hWnd);
      s->PressButton(PSBTN_OK);
    }
  };
  EXPECT_EQ(IDOK, sheet.DoModal());
  EXPECT_FALSE(applyBefore);
  EXPECT_TRUE(applyAfter);
  EXPECT_EQ(1, pages.first.applies);
  EXPECT_EQ(0, pages.second.applies) << "an unmodified page is not applied";
  EXPECT_EQ(0, pages.third.applies);
  EXPECT_FALSE(pages.first.IsModified());
}

TEST(Sheets, ApplyButtonAppliesAndARefusingPageIsKept) {
  theApp.boxes.clear();
  ThreePages pages;
  pages.first.required = true;
  CScriptSheet sheet(L"Refuse");
  pages.AddTo(sheet);
  sheet.script = [&](CScriptSheet* s, int step) {
    if (step == 0) {
      s->GetActivePage()->SetDlgItemText(IDC_VALUE, L"");
      s->SetActivePage(1);
      s->Next();
    } else if (step == 1) {
      EXPECT_EQ(0, s->GetActiveIndex()) << "OnKillActive said no";
      EXPECT_EQ(1u, theApp.boxes.size());
      s->GetActivePage()->SetDlgItemText(IDC_VALUE, L"given");
      pages.first.SetModified();
      s->PressButton(PSBTN_APPLYNOW);
      s->Next();
    } else if (step == 2) {
      EXPECT_EQ(1, pages.first.applies);
      EXPECT_EQ(CString(L"given"), pages.first.value);
      EXPECT_FALSE(s->ApplyEnabled());
      s->SetActivePage(1);
      s->Next();
    } else {
      EXPECT_EQ(1, s->GetActiveIndex());
      s->PressButton(PSBTN_OK);
    }
  };
  EXPECT_EQ(IDOK, sheet.DoModal());
  EXPECT_EQ(1, pages.first.applies) << "applied once by Apply, not again by OK";
}

TEST(Sheets, PageAddedAfterCreationAndNoApplyNow) {
  ThreePages pages;
  CTextPage extra(IDD_FIRST, L"extra", IDS_CAPTION);
  CScriptSheet sheet(L"Grow");
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  pages.AddTo(sheet);
  sheet.script = [&](CScriptSheet* s, int step) {
    if (step == 0) {
      EXPECT_FALSE(s->ApplyEnabled()) << "no Apply button with PSH_NOAPPLYNOW";
      s->AddPage(&extra);
      EXPECT_EQ(4, s->GetPageCount());
      EXPECT_EQ(4, s->GetTabControl()->GetItemCount());
      EXPECT_EQ(3, s->GetPageIndex(&extra));
      s->SetActivePage(&extra);
      s->Next();
    } else if (step == 1) {
      EXPECT_EQ(&extra, s->GetActivePage());
      EXPECT_EQ(CString(L"extra"), extra.Shown());
      wchar_t text[64] = {};
      TCITEMW item = {};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = 63;
      s->GetTabControl()->SendMessage(TCM_GETITEMW, 3, (LPARAM)&item);
      EXPECT_STREQ(L"Caption from strings", text);
      s->RemovePage(1);
      EXPECT_EQ(3, s->GetPageCount());
      EXPECT_EQ(3, s->GetTabControl()->GetItemCount());
      EXPECT_EQ(2, s->GetPageIndex(&extra));
      s->PressButton(PSBTN_CANCEL);
    }
  };
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
}

static bool Shown(CWnd* parent, int id) {
  HWND h = ::GetDlgItem(parent->m_hWnd, id);
  return h != nullptr && ::IsWindowVisible(h);
}

TEST(Sheets, ModelessSheetHasNoButtonRow) {
  ThreePages pages;
  CPropertySheet sheet(L"Modeless");
  pages.AddTo(sheet);
  ASSERT_TRUE(sheet.Create());
  EXPECT_TRUE(sheet.IsWindowVisible());
  for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP}) EXPECT_FALSE(Shown(&sheet, id)) << id;
  CRect tab, client;
  sheet.GetTabControl()->GetWindowRect(&tab);
  sheet.ScreenToClient(&tab);
  sheet.GetClientRect(&client);
  EXPECT_LE(client.bottom, tab.bottom + tab.top + 1) << "the row's room is given back";
  EXPECT_EQ(&pages.first, sheet.GetActivePage());
  EXPECT_NE(nullptr, pages.first.m_hWnd);
  sheet.DestroyWindow();
  EXPECT_EQ(nullptr, pages.first.m_hWnd);
}

TEST(Sheets, ChildSheetInADialogTabsBetweenBoth) {
  CDialog host;
  ASSERT_TRUE(host.Create(IDD_HOST));
  ThreePages pages;
  CPropertySheet sheet;
  pages.AddTo(sheet);
  ASSERT_TRUE(sheet.Create(&host, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0));
  EXPECT_EQ(host.m_hWnd, ::GetParent(sheet.m_hWnd));
  EXPECT_TRUE(sheet.GetStyle() & WS_CHILD);
  for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW}) EXPECT_FALSE(Shown(&sheet, id)) << id;
  sheet.SetWindowPos(nullptr, 0, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  host.ShowWindow(SW_SHOW);
  host.SetForegroundWindow();
  host.GetDlgItem(IDC_HOST_EDIT)->SetFocus();
  ASSERT_EQ(host.GetDlgItem(IDC_HOST_EDIT)->m_hWnd, ::GetFocus());
  bool reachedPage = false, cameBack = false;
  for (int i = 0; i < 8 && !cameBack; ++i) {
    MSG msg = {::GetFocus(), WM_KEYDOWN, VK_TAB, 0x000F0001};
    ASSERT_TRUE(host.PreTranslateMessage(&msg));
    HWND focus = ::GetFocus();
    if (::IsChild(pages.first.m_hWnd, focus)) reachedPage = true;
    if (reachedPage && focus == ::GetDlgItem(host.m_hWnd, IDC_HOST_EDIT)) cameBack = true;
  }
  EXPECT_TRUE(reachedPage) << "Tab walks from the dialog into the sheet's page";
  EXPECT_TRUE(cameBack) << "and from the sheet back to the dialog";
  sheet.DestroyWindow();
  host.DestroyWindow();
}
