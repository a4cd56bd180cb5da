// A small frame/document/view application: message-map dispatch, command routing, command
// user-interface updates, idle processing, reflection, pre-translation, layout and closing.
#include "Framework.h"
#include <gtest/gtest.h>
#include <new>
#include <string>
#include <vector>

enum {
  ID_T_VIEW = 40001, ID_T_DOC, ID_T_FRAME, ID_T_APP, ID_T_SHARED, ID_T_DISABLED, ID_T_NOHANDLER,
  ID_T_RANGE1 = 40100, ID_T_RANGE3 = 40102, IDC_PLAIN = 300, IDC_REFLECT = 301
};

static std::vector<std::wstring> g_log;
static const UINT WM_TEST_REG = ::RegisterWindowMessageW(L"FwTestRegisteredMessage");

class CTestApp : public CWinApp {
public:
  CTestApp() : CWinApp(L"FwDocViewTest") {}
  std::vector<CString> boxes;
  int boxAnswer = IDNO;
  int DoMessageBox(LPCWSTR p, UINT, UINT) override {
    boxes.push_back(p);
    return boxAnswer;
  }
  afx_msg void OnApp() { g_log.push_back(L"app"); }
  afx_msg void OnShared() { g_log.push_back(L"app-shared"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
  ON_COMMAND(ID_T_APP, OnApp)
  ON_COMMAND(ID_T_SHARED, OnShared)
END_MESSAGE_MAP()
static CTestApp theApp;

// Cancels every file-name prompt, as a user who closes the save dialog.
class CNoPromptDocManager : public CDocManager {
public:
  BOOL DoPromptFileName(CString&, UINT, DWORD, BOOL, CDocTemplate*) override { return FALSE; }
};

static int g_liveDocs = 0;
class CTestDoc : public CDocument {
  DECLARE_DYNCREATE(CTestDoc)
public:
  CTestDoc() { ++g_liveDocs; }
  ~CTestDoc() override { --g_liveDocs; }
  CString text;
  static bool s_outOfMemoryWhileLoading;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << text;
    } else {
      ar >> text;
      if (s_outOfMemoryWhileLoading) throw std::bad_alloc();
    }
  }
  void DeleteContents() override { text.Empty(); }
  afx_msg void OnDoc() { g_log.push_back(L"doc"); }
  afx_msg void OnShared() { g_log.push_back(L"doc-shared"); }
  afx_msg void OnDisabled() { g_log.push_back(L"disabled-ran"); }
  afx_msg void OnUpdateDisabled(CCmdUI* p) { p->Enable(FALSE); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
bool CTestDoc::s_outOfMemoryWhileLoading = false;
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
  ON_COMMAND(ID_T_DOC, OnDoc)
  ON_COMMAND(ID_T_SHARED, OnShared)
  ON_COMMAND(ID_T_DISABLED, OnDisabled)
  ON_UPDATE_COMMAND_UI(ID_T_DISABLED, OnUpdateDisabled)
END_MESSAGE_MAP()

// A button that handles its own click and notification (reflection).
class CReflectButton : public CButton {
public:
  int clicks = 0;
  afx_msg void OnClicked() { ++clicks; }
  afx_msg void OnClickNotify(NMHDR*, LRESULT* pResult) { *pResult = 42; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CReflectButton, CButton)
  ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
  ON_NOTIFY_REFLECT(NM_CLICK, OnClickNotify)
END_MESSAGE_MAP()

class CTestView : public CView {
  DECLARE_DYNCREATE(CTestView)
public:
  int cx = -1, cy = -1, initialUpdates = 0, idleUpdates = 0, eatenKeys = 0;
  UINT lastRange = 0;
  CReflectButton reflect;
  CButton plain;
  void OnDraw(CDC*) override {}
  void OnInitialUpdate() override {
    ++initialUpdates;
    CView::OnInitialUpdate();
  }
  BOOL PreTranslateMessage(MSG* p) override {
    if (p->message == WM_KEYDOWN && p->wParam == 'V') {
      ++eatenKeys;
      return TRUE;
    }
    return CView::PreTranslateMessage(p);
  }
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    if (CView::OnCreate(lpcs) == -1) return -1;
    plain.Create(L"plain", WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 50, 20), this, IDC_PLAIN);
    reflect.Create(L"reflect", WS_CHILD | BS_PUSHBUTTON, CRect(0, 30, 50, 50), this, IDC_REFLECT);
    return 0;
  }
  afx_msg void OnSize(UINT nType, int x, int y) {
    CView::OnSize(nType, x, y);
    cx = x;
    cy = y;
  }
  afx_msg void OnView() { g_log.push_back(L"view"); }
  afx_msg void OnRange(UINT id) { lastRange = id; }
  afx_msg void OnUpdateRange(CCmdUI* p) { p->SetCheck(p->m_nID == ID_T_RANGE1 + 1); }
  afx_msg LRESULT OnPing(WPARAM w, LPARAM l) { return (LRESULT)(w + l); }
  afx_msg LRESULT OnRegistered(WPARAM w, LPARAM) { return (LRESULT)(w * 2); }
  afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM) { ++idleUpdates; return 0; }
  afx_msg void OnPlainClicked() { g_log.push_back(L"plain-clicked"); }
  afx_msg void OnReflectClicked() { g_log.push_back(L"parent-saw-reflected-click"); }
  afx_msg void OnPlainNotify(NMHDR*, LRESULT* pResult) { *pResult = 5; }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestView, CView)
BEGIN_MESSAGE_MAP(CTestView, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_COMMAND(ID_T_VIEW, OnView)
  ON_COMMAND_RANGE(ID_T_RANGE1, ID_T_RANGE3, OnRange)
  ON_UPDATE_COMMAND_UI_RANGE(ID_T_RANGE1, ID_T_RANGE3, OnUpdateRange)
  ON_MESSAGE(WM_APP + 1, OnPing)
  ON_REGISTERED_MESSAGE(WM_TEST_REG, OnRegistered)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
  ON_BN_CLICKED(IDC_PLAIN, OnPlainClicked)
  ON_BN_CLICKED(IDC_REFLECT, OnReflectClicked)
  ON_NOTIFY(NM_CLICK, IDC_PLAIN, OnPlainNotify)
END_MESSAGE_MAP()

class CTestFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CTestFrame)
public:
  int frameKeys = 0;
  BOOL PreTranslateMessage(MSG* p) override {
    if (p->message == WM_KEYDOWN && p->wParam == 'F') {
      ++frameKeys;
      return TRUE;
    }
    return CFrameWnd::PreTranslateMessage(p);
  }
  afx_msg void OnFrame() { g_log.push_back(L"frame"); }
  afx_msg void OnShared() { g_log.push_back(L"frame-shared"); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
  ON_COMMAND(ID_T_FRAME, OnFrame)
  ON_COMMAND(ID_T_SHARED, OnShared)
END_MESSAGE_MAP()

// A bar that claims the top 20 pixels of its frame during layout.
class CTopBar : public CWnd {
public:
  afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam) {
    AFX_SIZEPARENTPARAMS* p = (AFX_SIZEPARENTPARAMS*)lParam;
    CRect r(p->rect);
    r.bottom = r.top + 20;
    AfxRepositionWindow(p, m_hWnd, &r);
    p->rect.top += 20;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTopBar, CWnd)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

// Every test starts the application's document anew, in a new frame, and ends it again.
class DocView : public ::testing::Test {
protected:
  static CTestFrame* frame;
  static CTestView* view;
  static CTestDoc* doc;
  static void SetUpTestSuite() {
    theApp.m_pDocManager = new CNoPromptDocManager;
    theApp.AddDocTemplate(new CSingleDocTemplate(200, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                                 RUNTIME_CLASS(CTestView)));
  }
  void SetUp() override {
    g_log.clear();
    theApp.boxes.clear();
    theApp.boxAnswer = IDNO;
    ASSERT_EQ(nullptr, theApp.m_pMainWnd);
    theApp.OnFileNew();
    frame = DYNAMIC_DOWNCAST(CTestFrame, theApp.m_pMainWnd);
    view = frame ? DYNAMIC_DOWNCAST(CTestView, frame->GetActiveView()) : nullptr;
    doc = view ? DYNAMIC_DOWNCAST(CTestDoc, view->GetDocument()) : nullptr;
    ASSERT_NE(nullptr, doc) << "frame, view and document were not created";
  }
  void TearDown() override {
    if (CWnd* main = theApp.m_pMainWnd) {
      if (doc != nullptr) doc->SetModifiedFlag(FALSE);
      main->DestroyWindow();
      theApp.m_pMainWnd = nullptr;
    }
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    frame = nullptr;
    view = nullptr;
    doc = nullptr;
  }
  static std::wstring Run(UINT id) {
    g_log.clear();
    frame->SendMessage(WM_COMMAND, id, 0);
    std::wstring all;
    for (auto& s : g_log) all += (all.empty() ? L"" : L",") + s;
    return all;
  }
};
CTestFrame* DocView::frame = nullptr;
CTestView* DocView::view = nullptr;
CTestDoc* DocView::doc = nullptr;

TEST_F(DocView, TemplateBuildsFrameViewAndDocument) {
  EXPECT_EQ(frame, view->GetParentFrame());
  EXPECT_EQ(frame, view->GetTopLevelFrame());
  EXPECT_EQ(doc, frame->GetActiveDocument());
  EXPECT_EQ(AFX_IDW_PANE_FIRST, view->GetDlgCtrlID());
  EXPECT_EQ(1, view->initialUpdates);
  EXPECT_EQ(view, CWnd::FromHandlePermanent(view->m_hWnd));
  EXPECT_TRUE(frame->IsWindowVisible());
  CString title;
  frame->GetWindowText(title);
  EXPECT_NE(-1, title.Find(doc->GetTitle())) << (LPCWSTR)title;
}

TEST_F(DocView, FrameTakesTitleMenuAndAcceleratorsFromItsResource) {
  CString title;
  frame->GetWindowText(title);
  EXPECT_NE(-1, title.Find(L"Doc View Test")) << (LPCWSTR)title;
  ASSERT_NE(nullptr, frame->m_hMenuDefault);
  EXPECT_EQ(frame->m_hMenuDefault, ::GetMenu(frame->m_hWnd));
  EXPECT_EQ(40001u, ::GetMenuItemID(::GetSubMenu(frame->m_hMenuDefault, 0), 0));
  // F5 in the view is the frame's accelerator for the view's command.
  MSG key = {view->m_hWnd, WM_KEYDOWN, VK_F5, 0};
  EXPECT_TRUE(theApp.PreTranslateMessage(&key));
  EXPECT_EQ(std::vector<std::wstring>{L"view"}, g_log);
}

TEST_F(DocView, MessageTextGoesToTheStatusBar) {
  CWnd status;
  ASSERT_TRUE(status.Create(L"STATIC", L"", WS_CHILD, CRect(0, 0, 10, 10), frame, AFX_IDW_STATUS_BAR));
  frame->SetMessageText(L"Working");
  CString text;
  status.GetWindowText(text);
  EXPECT_STREQ(L"Working", text);
  frame->SetMessageText(40001);  // the prompt is the part before the line break
  status.GetWindowText(text);
  EXPECT_STREQ(L"Runs the view's command", text);
  status.DestroyWindow();
}

TEST_F(DocView, CommandsRouteViewDocumentFrameApplication) {
  struct { UINT id; const wchar_t* handler; } table[] = {
      {ID_T_VIEW, L"view"}, {ID_T_DOC, L"doc"}, {ID_T_FRAME, L"frame"}, {ID_T_APP, L"app"},
      {ID_T_SHARED, L"doc-shared"},  // the document comes before frame and application
      {ID_T_DISABLED, L""},          // its update handler disables it, so it does not run
      {ID_T_NOHANDLER, L""}};
  for (auto& t : table) EXPECT_EQ(std::wstring(t.handler), Run(t.id)) << t.id;
  frame->SendMessage(WM_COMMAND, ID_T_RANGE1 + 2, 0);
  EXPECT_EQ((UINT)ID_T_RANGE1 + 2, view->lastRange);
}

TEST_F(DocView, MenuItemsAreUpdatedThroughTheRoute) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  UINT ids[] = {ID_T_VIEW, ID_T_DISABLED, ID_T_NOHANDLER, ID_T_RANGE1, ID_T_RANGE1 + 1, ID_T_APP};
  for (UINT id : ids) menu.AppendMenu(MF_STRING, id, L"item");
  frame->SendMessage(WM_INITMENUPOPUP, (WPARAM)menu.m_hMenu, 0);
  struct { UINT id; bool grayed; bool checked; } table[] = {
      {ID_T_VIEW, false, false}, {ID_T_DISABLED, true, false}, {ID_T_NOHANDLER, true, false},
      {ID_T_RANGE1, false, false}, {ID_T_RANGE1 + 1, false, true}, {ID_T_APP, false, false}};
  for (auto& t : table) {
    UINT state = menu.GetMenuState(t.id, MF_BYCOMMAND);
    EXPECT_EQ(t.grayed, (state & MF_GRAYED) != 0) << t.id;
    EXPECT_EQ(t.checked, (state & MF_CHECKED) != 0) << t.id;
  }
}

TEST_F(DocView, WindowMessagesReachTheirHandlers) {
  EXPECT_EQ(7, view->SendMessage(WM_APP + 1, 3, 4));
  EXPECT_EQ(42, view->SendMessage(WM_TEST_REG, 21, 0));
  frame->MoveWindow(10, 10, 400, 300);
  CRect client;
  view->GetClientRect(&client);
  EXPECT_EQ(client.Width(), view->cx);
  EXPECT_EQ(client.Height(), view->cy);
}

TEST_F(DocView, ControlNotificationsAreReflectedToTheirObjects) {
  view->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PLAIN, BN_CLICKED), (LPARAM)view->plain.m_hWnd);
  view->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_REFLECT, BN_CLICKED), (LPARAM)view->reflect.m_hWnd);
  // The plain button has no handler of its own: its parent handles it. The other handles itself.
  EXPECT_EQ(std::vector<std::wstring>{L"plain-clicked"}, g_log);
  EXPECT_EQ(1, view->reflect.clicks);
  NMHDR reflected = {view->reflect.m_hWnd, IDC_REFLECT, (UINT)NM_CLICK};
  EXPECT_EQ(42, view->SendMessage(WM_NOTIFY, IDC_REFLECT, (LPARAM)&reflected));
  NMHDR direct = {view->plain.m_hWnd, IDC_PLAIN, (UINT)NM_CLICK};
  EXPECT_EQ(5, view->SendMessage(WM_NOTIFY, IDC_PLAIN, (LPARAM)&direct));
}

TEST_F(DocView, PreTranslationWalksFromTheFocusWindowUp) {
  MSG viewKey = {view->m_hWnd, WM_KEYDOWN, 'V', 0};
  MSG frameKey = {view->m_hWnd, WM_KEYDOWN, 'F', 0};
  MSG other = {view->m_hWnd, WM_KEYDOWN, 'X', 0};
  EXPECT_TRUE(theApp.PreTranslateMessage(&viewKey));
  EXPECT_TRUE(theApp.PreTranslateMessage(&frameKey));
  EXPECT_FALSE(theApp.PreTranslateMessage(&other));
  EXPECT_EQ(1, view->eatenKeys);
  EXPECT_EQ(1, frame->frameKeys);
}

TEST_F(DocView, IdleTimeUpdatesTheWindowsAndControls) {
  int before = view->idleUpdates;
  EXPECT_TRUE(theApp.OnIdle(0));   // more idle work to come
  EXPECT_FALSE(theApp.OnIdle(1));  // temporary objects freed, done
  EXPECT_EQ(before + 1, view->idleUpdates);
  // Controls follow the command route of their updater: no handler, disabled.
  view->plain.SetDlgCtrlID(ID_T_NOHANDLER);
  view->UpdateDialogControls(frame, TRUE);
  EXPECT_FALSE(view->plain.IsWindowEnabled());
  view->plain.SetDlgCtrlID(ID_T_VIEW);
  view->UpdateDialogControls(frame, TRUE);
  EXPECT_TRUE(view->plain.IsWindowEnabled());
  view->plain.SetDlgCtrlID(IDC_PLAIN);
}

TEST_F(DocView, OnlyPushButtonsGoGreyForWantOfAHandler) {
  // A bar's tab window or list shares its id with no command: it must stay usable.
  struct Case {
    const wchar_t* cls;
    DWORD style;
    bool enabledAfter;
  } cases[] = {
      {L"BUTTON", BS_PUSHBUTTON, false},     {L"BUTTON", BS_DEFPUSHBUTTON, false}, {L"BUTTON", BS_AUTOCHECKBOX, true},
      {L"BUTTON", BS_AUTORADIOBUTTON, true}, {L"EDIT", 0, true},                   {L"LISTBOX", 0, true},
      {L"STATIC", 0, true},                  {WC_TABCONTROLW, 0, true},
  };
  for (const Case& c : cases) {
    HWND control = ::CreateWindowExW(0, c.cls, L"", WS_CHILD | c.style, 0, 60, 50, 20, view->m_hWnd,
                                     (HMENU)(UINT_PTR)ID_T_NOHANDLER, nullptr, nullptr);
    ASSERT_NE(nullptr, control) << c.cls;
    view->UpdateDialogControls(frame, TRUE);
    EXPECT_EQ(c.enabledAfter, ::IsWindowEnabled(control) != FALSE) << c.cls << " style " << c.style;
    ::DestroyWindow(control);
  }
}

TEST_F(DocView, LayoutGivesBarsTheirSpaceAndTheViewTheRest) {
  CTopBar bar;
  ASSERT_TRUE(bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_CONTROLBAR_FIRST + 9));
  frame->RecalcLayout();
  CRect client, rcView, rcBar;
  frame->GetClientRect(&client);
  view->GetWindowRect(&rcView);
  frame->ScreenToClient(&rcView);
  bar.GetWindowRect(&rcBar);
  frame->ScreenToClient(&rcBar);
  EXPECT_EQ(CRect(0, 0, client.right, 20), rcBar);
  EXPECT_EQ(CRect(0, 20, client.right, client.bottom), rcView);
  bar.DestroyWindow();
  frame->RecalcLayout();
}

static HWND FindToolTipWindow() {
  HWND found = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND h, LPARAM lp) -> BOOL {
    wchar_t cls[64];
    ::GetClassNameW(h, cls, 64);
    if (_wcsicmp(cls, TOOLTIPS_CLASSW) == 0) {
      *(HWND*)lp = h;
      return FALSE;
    }
    return TRUE;
  }, (LPARAM)&found);
  return found;
}

TEST_F(DocView, ToolTipsFollowTheMouseAndTakeTheirTextFromResources) {
  view->plain.ShowWindow(SW_SHOW);
  view->EnableToolTips(TRUE);
  CRect rcPlain, rcView;
  view->plain.GetWindowRect(&rcPlain);
  view->GetClientRect(&rcView);
  view->ClientToScreen(&rcView);
  MSG over = {view->plain.m_hWnd, WM_MOUSEMOVE, 0, 0, 0, rcPlain.CenterPoint()};
  view->PreTranslateMessage(&over);
  HWND tip = FindToolTipWindow();
  ASSERT_NE(nullptr, tip);
  EXPECT_EQ(1, ::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
  TOOLINFOW ti = {sizeof(ti)};
  ASSERT_TRUE(::SendMessageW(tip, TTM_ENUMTOOLSW, 0, (LPARAM)&ti));
  EXPECT_EQ((UINT_PTR)view->plain.m_hWnd, ti.uId);
  EXPECT_EQ(view->m_hWnd, ti.hwnd);
  MSG away = {view->m_hWnd, WM_MOUSEMOVE, 0, 0, 0, CPoint(rcView.right - 3, rcView.bottom - 3)};
  view->PreTranslateMessage(&away);
  EXPECT_EQ(0, ::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
  // The frame answers the text request from the control's string.
  NMTTDISPINFOW info = {};
  info.hdr.hwndFrom = tip;
  info.hdr.idFrom = (UINT_PTR)view->plain.m_hWnd;
  info.hdr.code = TTN_NEEDTEXTW;
  info.uFlags = TTF_IDISHWND;
  frame->SendMessage(WM_NOTIFY, 0, (LPARAM)&info);
  EXPECT_STREQ(L"Plain tip", info.lpszText);
  view->EnableToolTips(FALSE);
  view->plain.ShowWindow(SW_HIDE);
}

TEST_F(DocView, ClosingAModifiedDocumentAsksFirstThenEndsEverything) {
  doc->SetModifiedFlag(TRUE);
  theApp.boxAnswer = IDCANCEL;
  frame->SendMessage(WM_CLOSE);
  ASSERT_EQ(1u, theApp.boxes.size());
  EXPECT_NE(-1, theApp.boxes[0].Find(doc->GetTitle()));
  EXPECT_EQ(frame, theApp.m_pMainWnd);  // cancelled: still open
  theApp.boxAnswer = IDNO;
  frame->SendMessage(WM_CLOSE);
  EXPECT_EQ(nullptr, theApp.m_pMainWnd);
  EXPECT_EQ(0, g_liveDocs);
  MSG msg;
  EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // the loop would end
  doc = nullptr;
}

static std::string FileBytes(const CString& path) {
  HANDLE h = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(4096, '\0');
  DWORD got = 0;
  ::ReadFile(h, &bytes[0], (DWORD)bytes.size(), &got, nullptr);
  ::CloseHandle(h);
  bytes.resize(got);
  return bytes;
}

static void WriteFileBytes(const CString& path, const std::string& bytes) {
  CFile f(path, CFile::modeCreate | CFile::modeWrite);
  f.Write(bytes.data(), (UINT)bytes.size());
}

// An open that fails once the reading began (counts that lie, memory running out) leaves an
// empty document without a name, so a later Save asks for one and never writes over the
// previous document's file; an open that fails before reading keeps the previous document.
TEST_F(DocView, AFailedOpenNeverLeavesItsContentsUnderThePreviousName) {
  wchar_t dir[MAX_PATH];
  ::GetTempPathW(MAX_PATH, dir);
  const CString previous = CString(dir) + L"fw_docview_previous.bin", inflated = CString(dir) + L"fw_docview_inflated.bin",
                good = CString(dir) + L"fw_docview_good.bin", missing = CString(dir) + L"fw_docview_missing.bin";
  const std::string previousBytes("\x04kept", 5);
  WriteFileBytes(previous, previousBytes);
  WriteFileBytes(inflated, std::string("\xFF\xFE\xFF\xFE\xFF", 5));  // 65534 characters promised
  WriteFileBytes(good, std::string("\x02xy", 3));
  ::DeleteFileW(missing);
  struct {
    CString file;
    bool outOfMemory;
    bool keepsPrevious;
  } table[] = {{inflated, false, false}, {good, true, false}, {missing, false, true}};
  for (auto& t : table) {
    SCOPED_TRACE((LPCWSTR)t.file);
    ASSERT_NE(nullptr, theApp.OpenDocumentFile(previous));
    ASSERT_STREQ(L"kept", doc->text);
    doc->text = L"changed";
    doc->SetModifiedFlag(TRUE);
    theApp.boxAnswer = IDNO;  // the changes are let go when asked
    theApp.boxes.clear();
    CTestDoc::s_outOfMemoryWhileLoading = t.outOfMemory;
    CDocument* opened = reinterpret_cast<CDocument*>(1);
    EXPECT_NO_THROW(opened = theApp.OpenDocumentFile(t.file));
    CTestDoc::s_outOfMemoryWhileLoading = false;
    EXPECT_EQ(nullptr, opened);
    EXPECT_EQ(2u, theApp.boxes.size()) << "the question, then the failure";
    if (t.keepsPrevious) {
      EXPECT_EQ(previous, doc->GetPathName());
      EXPECT_TRUE(doc->IsModified());
      EXPECT_STREQ(L"changed", doc->text);
      doc->SetModifiedFlag(FALSE);
      continue;
    }
    EXPECT_TRUE(doc->GetPathName().IsEmpty());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_STREQ(L"", doc->text);
    doc->text = L"typed after the failure";
    EXPECT_FALSE(doc->DoFileSave()) << "no name: the user is asked for one and cancels";
    EXPECT_EQ(previousBytes, FileBytes(previous));
    doc->SetModifiedFlag(FALSE);
  }
  ::DeleteFileW(previous);
  ::DeleteFileW(inflated);
  ::DeleteFileW(good);
}
