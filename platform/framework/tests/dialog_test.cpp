// Dialogs: a modal dialog from a resource template driven by posted messages (data exchange,
// validation, idle kicks, pre-translation), modeless creation and the find dialog.
#include "Framework.h"
#include "TestPump.h"
#include <gtest/gtest.h>
#include <functional>

enum { IDD_DATA = 100, IDD_MISSING = 999, IDC_NAME = 1001, IDC_COUNT, IDC_CHECK, IDC_RADIO1, IDC_RADIO2 };

class CDlgApp : public CWinApp {
public:
  CDlgApp() : CWinApp(L"FwDialogTest") {}
  std::vector<CString> boxes;
  int DoMessageBox(LPCWSTR p, UINT, UINT) override {
    boxes.push_back(p);
    return IDOK;
  }
};
static CDlgApp theApp;

class CDataDlg : public CDialog {
public:
  CDataDlg() : CDialog(IDD_DATA) {}
  CString name = L"initial";
  int count = 3, check = 1, radio = 1;
  int kicks = 0, keys = 0, step = 0;
  bool onIdle = false;  // run the script at idle time instead of at WM_APP
  std::function<void(CDataDlg*, int)> script;
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_NAME, name);
    DDV_MaxChars(pDX, name, 10);
    DDX_Text(pDX, IDC_COUNT, count);
    DDV_MinMaxInt(pDX, count, 0, 100);
    DDX_Check(pDX, IDC_CHECK, check);
    DDX_Radio(pDX, IDC_RADIO1, radio);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    if (!onIdle) PostMessage(WM_APP);
    return TRUE;
  }
  BOOL PreTranslateMessage(MSG* p) override {
    if (p->message == WM_KEYDOWN) ++keys;
    return CDialog::PreTranslateMessage(p);
  }
  // The script drives the dialog with posted commands (no control handle); key presses that
  // reach the display from elsewhere must not end it.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if ((LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) && lParam != 0) return TRUE;
    return CDialog::OnCommand(wParam, lParam);
  }
  afx_msg LRESULT OnKickIdle(WPARAM, LPARAM lCount) {
    ++kicks;
    if (onIdle && lCount == 0 && script) script(this, step++);
    return 0;
  }
  afx_msg LRESULT OnStep(WPARAM, LPARAM) {
    if (script) script(this, step++);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDataDlg, CDialog)
  ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
  ON_MESSAGE(WM_APP, OnStep)
END_MESSAGE_MAP()

static CString ItemText(CWnd* dlg, int id) {
  CString s;
  dlg->GetDlgItemText(id, s);
  return s;
}

TEST(Dialog, ModalDataExchangeWithValidation) {
  theApp.boxes.clear();
  CDataDlg dlg;
  dlg.onIdle = true;
  std::vector<CString> shown;
  dlg.script = [&](CDataDlg* d, int step) {
    if (step == 0) {
      // Members went into the controls before the dialog showed.
      shown = {ItemText(d, IDC_NAME), ItemText(d, IDC_COUNT)};
      EXPECT_EQ((UINT)BST_CHECKED, d->IsDlgButtonChecked(IDC_CHECK));
      EXPECT_EQ((UINT)BST_CHECKED, d->IsDlgButtonChecked(IDC_RADIO2));
      d->SetDlgItemText(IDC_NAME, L"typed");
      d->SetDlgItemText(IDC_COUNT, L"abc");  // not a number: OK must fail
      d->CheckRadioButton(IDC_RADIO1, IDC_RADIO2, IDC_RADIO1);
      d->GetDlgItem(IDC_NAME)->PostMessage(WM_KEYDOWN, VK_RIGHT, 0);
      d->PostMessage(WM_COMMAND, IDOK);
    } else if (step == 1) {
      EXPECT_TRUE(d->IsWindowVisible());  // still open after the failed validation
      d->SetDlgItemText(IDC_COUNT, L"42");
      d->PostMessage(WM_COMMAND, IDOK);
    }
  };
  EXPECT_EQ(IDOK, dlg.DoModal());
  ASSERT_EQ(2u, shown.size());
  EXPECT_STREQ(L"initial", shown[0]);
  EXPECT_STREQ(L"3", shown[1]);
  EXPECT_STREQ(L"typed", dlg.name);
  EXPECT_EQ(42, dlg.count);
  EXPECT_EQ(0, dlg.radio);
  EXPECT_EQ(1u, theApp.boxes.size());  // the one complaint about "abc"
  EXPECT_GT(dlg.kicks, 0);
  EXPECT_GE(dlg.keys, 1);
  EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(Dialog, ValidationTable) {
  struct { const wchar_t* name; const wchar_t* count; bool ok; } table[] = {
      {L"short", L"0", true}, {L"short", L"100", true}, {L"short", L"101", false}, {L"short", L"-1", false},
      {L"short", L"99999999999", false}, {L"elevenchars", L"5", false}, {L"", L" 7 ", true}};
  for (auto& t : table) {
    theApp.boxes.clear();
    CDataDlg dlg;
    BOOL updated = FALSE;
    dlg.script = [&](CDataDlg* d, int) {
      d->SetDlgItemText(IDC_NAME, t.name);
      d->SetDlgItemText(IDC_COUNT, t.count);
      updated = d->UpdateData(TRUE);
      d->EndDialog(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(t.ok, updated != FALSE) << t.name << " " << t.count;
    EXPECT_EQ(t.ok ? 0u : 1u, theApp.boxes.size()) << t.name << " " << t.count;
  }
}

TEST(Dialog, CancelKeepsMembersAndMissingTemplateFails) {
  CDataDlg dlg;
  dlg.script = [](CDataDlg* d, int) {
    d->SetDlgItemText(IDC_NAME, L"changed");
    d->PostMessage(WM_COMMAND, IDCANCEL);
  };
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  EXPECT_STREQ(L"initial", dlg.name);
  CDialog missing(IDD_MISSING);
  EXPECT_EQ(-1, missing.DoModal());
}

TEST(Dialog, ModelessDialogAndResourceStrings) {
  CDataDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_DATA));
  EXPECT_STREQ(L"initial", ItemText(&dlg, IDC_NAME));
  EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.m_hWnd));
  dlg.DestroyWindow();
  EXPECT_EQ(nullptr, dlg.m_hWnd);
  CString s;
  EXPECT_TRUE(s.LoadString(100));
  EXPECT_STREQ(L"Loaded from the resource handle", s);
  EXPECT_STREQ(L"Loaded from the resource handle", CString(MAKEINTRESOURCEW(100)));
  EXPECT_FALSE(s.LoadString(4242));
}

static bool g_findDeleted = false;
class CWatchedFind : public CFindReplaceDialog {
public:
  ~CWatchedFind() override { g_findDeleted = true; }
};

// Receives the find dialog's registered message.
class CFindOwner : public CWnd {
public:
  std::vector<CString> found;
  bool terminated = false;
  CFindReplaceDialog* notifier = nullptr;
  afx_msg LRESULT OnFind(WPARAM, LPARAM lParam) {
    notifier = CFindReplaceDialog::GetNotifier(lParam);
    if (notifier->IsTerminating()) terminated = true;
    else if (notifier->FindNext()) found.push_back(notifier->GetFindString());
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
static const UINT WM_FINDREPLACE = ::RegisterWindowMessageW(FINDMSGSTRINGW);
BEGIN_MESSAGE_MAP(CFindOwner, CWnd)
  ON_REGISTERED_MESSAGE(WM_FINDREPLACE, OnFind)
END_MESSAGE_MAP()

TEST(Dialog, FindDialogNotifiesItsOwnerAndDeletesItself) {
  CFindOwner owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
  CWatchedFind* find = new CWatchedFind;
  g_findDeleted = false;
  ASSERT_TRUE(find->Create(TRUE, L"needle", nullptr, FR_DOWN, &owner));
  EXPECT_EQ(find, CWnd::FromHandlePermanent(find->m_hWnd));
  find->SendMessage(WM_COMMAND, IDOK);  // "Find Next"
  ASSERT_EQ(1u, owner.found.size());
  EXPECT_STREQ(L"needle", owner.found[0]);
  EXPECT_EQ(find, owner.notifier);
  find->SendMessage(WM_COMMAND, IDCANCEL);  // closes the dialog
  PumpPending();
  EXPECT_TRUE(owner.terminated);
  EXPECT_TRUE(g_findDeleted);
  owner.DestroyWindow();
}

// The save dialog, confirmed from its own init-done hook.
class CAutoSaveDlg : public CFileDialog {
public:
  CAutoSaveDlg(LPCWSTR name) : CFileDialog(FALSE, L"txt", name, OFN_HIDEREADONLY, L"Text files (*.txt)|*.txt|All files|*.*||") {}
  bool initDone = false, attached = false;
  int fileOk = 0;
  void OnInitDone() override {
    initDone = true;
    attached = m_hWnd != nullptr && CWnd::FromHandlePermanent(m_hWnd) == this;
    ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, IDOK, 0);
  }
  BOOL OnFileNameOK() override {
    ++fileOk;
    return FALSE;
  }
};

TEST(Dialog, FileDialogRunsItsHooksAndAnswersThePath) {
  wchar_t tmp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tmp);
  CString path = CString(tmp) + L"fw_save_test.txt";
  ::DeleteFileW(path);
  CAutoSaveDlg dlg(path);
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_TRUE(dlg.initDone);
  EXPECT_TRUE(dlg.attached);
  EXPECT_EQ(1, dlg.fileOk);
  EXPECT_EQ(0, dlg.GetPathName().CompareNoCase(path));
  EXPECT_STREQ(L"fw_save_test.txt", dlg.GetFileName());
  EXPECT_STREQ(L"txt", dlg.GetFileExt());
  EXPECT_STREQ(L"fw_save_test", dlg.GetFileTitle());
  EXPECT_EQ(nullptr, dlg.m_hWnd);  // detached when the system dialog ended
}

// The colour dialog runs as this object: its OnInitDialog accepts the colour at once.
class CAutoColorDlg : public CColorDialog {
public:
  explicit CAutoColorDlg(COLORREF c) : CColorDialog(c, CC_FULLOPEN) {}
  bool inited = false;
  BOOL OnInitDialog() override {
    inited = true;
    BOOL r = CColorDialog::OnInitDialog();
    PostMessage(WM_COMMAND, IDOK);
    return r;
  }
};

TEST(Dialog, ColorDialogAnswersTheChosenColour) {
  CAutoColorDlg dlg(RGB(10, 20, 30));
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_TRUE(dlg.inited);
  EXPECT_EQ(RGB(10, 20, 30), dlg.GetColor());
  EXPECT_EQ(nullptr, dlg.m_hWnd);
}
