// The colorer view base in a small frame/document/view application with the real editing
// control: layout, routing of the control's notifications, colouring requests, the edit
// commands with their updates, and find/replace through the common find dialog.
#include "ScintillaColorerDoc.h"
#include "ScintillaColorerView.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "EditorMessages.h"
#include "WorkspaceTestKit.h"

namespace {

class CTestApp : public CWinApp {
public:
  CTestApp() : CWinApp(L"WorkspaceColorerViewTest") {}
};
CTestApp theApp;

class CTestView : public CScintillaColorerView {
  DECLARE_DYNCREATE(CTestView)
public:
  int changed = 0;
  std::vector<std::pair<int, int>> coloured;
  std::vector<UINT> codes;
  void OnEditorChanged() override {
    ++changed;
    CScintillaColorerView::OnEditorChanged();
  }
  void ColourRange(int nStart, int nEnd) override {
    coloured.emplace_back(nStart, nEnd);
    CScintillaColorerView::ColourRange(nStart, nEnd);
  }
  LRESULT OnEditorNotify(UINT nCode, SCNotification* pNotify) override {
    codes.push_back(nCode);
    return CScintillaColorerView::OnEditorNotify(nCode, pNotify);
  }
  void SetColouring(BOOL on) { m_bColouringEnabled = on; }
  void SetFindText(LPCWSTR text) { m_strFind = text; }
  void Reset() {
    changed = 0;
    coloured.clear();
    codes.clear();
  }
};
IMPLEMENT_DYNCREATE(CTestView, CScintillaColorerView)

// Records what an update handler decided.
class CProbeCmdUI : public CCmdUI {
public:
  int enabled = -1;
  void Enable(BOOL bOn) override { enabled = bOn ? 1 : 0; }
};

const UINT WM_FIND = ::RegisterWindowMessageW(FINDMSGSTRING);

class ColorerView : public ::testing::Test {
protected:
  static CFrameWnd* frame;
  static CTestView* view;
  static CScintillaColorerDoc* doc;
  static void SetUpTestSuite() {
    if (frame != nullptr) return;  // a repeated run goes on with the frame of the first
    ASSERT_NE(nullptr, ::LoadLibraryW(L"BrookEdit.dll"));
    theApp.AddDocTemplate(new CSingleDocTemplate(200, RUNTIME_CLASS(CScintillaColorerDoc), RUNTIME_CLASS(CFrameWnd),
                                                 RUNTIME_CLASS(CTestView)));
    theApp.OnFileNew();
    frame = DYNAMIC_DOWNCAST(CFrameWnd, theApp.m_pMainWnd);
    view = frame ? DYNAMIC_DOWNCAST(CTestView, frame->GetActiveView()) : nullptr;
    doc = view ? DYNAMIC_DOWNCAST(CScintillaColorerDoc, view->GetDocument()) : nullptr;
  }
  void SetUp() override {
    ASSERT_NE(nullptr, doc) << "frame, view and document were not created";
    editor = view->GetEditor();
    editor->SetReadOnly(FALSE);
    editor->SetText(L"");
    view->SetColouring(TRUE);
    view->Reset();
    doc->SetModifiedFlag(FALSE);
  }
  LRESULT Notify(UINT code, int position = 0, int length = 0, HWND from = nullptr) {
    SCNotification scn = {};
    scn.nmhdr.hwndFrom = from ? from : editor->m_hWnd;
    scn.nmhdr.code = code;
    scn.position = position;
    scn.length = length;
    return view->SendMessage(WM_NOTIFY, 0, (LPARAM)&scn);
  }
  int Update(UINT id) {
    CProbeCmdUI ui;
    ui.m_nID = id;
    view->OnCmdMsg(id, (int)CN_UPDATE_COMMAND_UI, &ui, nullptr);
    return ui.enabled;
  }
  void Select(int start, int end) {
    editor->SetSelectionStart(start);
    editor->SetSelectionEnd(end);
  }
  CScintillaWnd* editor = nullptr;
};
CFrameWnd* ColorerView::frame = nullptr;
CTestView* ColorerView::view = nullptr;
CScintillaColorerDoc* ColorerView::doc = nullptr;

TEST_F(ColorerView, EditorFillsTheViewAndIsSetUpAtInitialUpdate) {
  ASSERT_NE(nullptr, editor->m_hWnd);
  EXPECT_EQ(view->m_hWnd, ::GetParent(editor->m_hWnd));
  EXPECT_EQ((DWORD)(WS_CHILD | WS_VISIBLE | WS_TABSTOP), editor->GetStyle() & (WS_CHILD | WS_VISIBLE | WS_TABSTOP));
  EXPECT_EQ(16, editor->SendMessage(SCI_GETMARGINWIDTHN, 1)) << "InitEditor ran";
  frame->MoveWindow(20, 20, 520, 380);
  CRect client, inner;
  view->GetClientRect(&client);
  editor->GetWindowRect(&inner);
  view->ScreenToClient(&inner);
  EXPECT_EQ(client, inner);
  EXPECT_GT(inner.Width(), 0);
}

TEST_F(ColorerView, NotificationsReachTheirHandlers) {
  editor->SetText(L"12\r\n345\r\n");
  view->Reset();
  struct Step {
    UINT code;
    int position, length;
    int changed;                               // OnEditorChanged calls after the step, in total
    std::vector<std::pair<int, int>> coloured;  // ColourRange calls after the step, in total
  };
  const int len = 9;
  std::vector<Step> steps = {
      {SCN_MODIFIED, 0, 0, 1, {}},
      {EDN_RESTYLERANGE, 2, 3, 1, {{2, 5}}},
      // A burst of modifications: the notices in between are ignored, one change and one
      // full recolouring follow at the end.
      {EDN_INSERTBEGIN, 0, 0, 1, {{2, 5}}},
      {SCN_MODIFIED, 0, 0, 1, {{2, 5}}},
      {SCN_MODIFIED, 0, 0, 1, {{2, 5}}},
      {EDN_INSERTEND, 0, 0, 2, {{2, 5}, {0, len}}},
      {EDN_DELETEBEGIN, 0, 0, 2, {{2, 5}, {0, len}}},
      {SCN_MODIFIED, 0, 0, 2, {{2, 5}, {0, len}}},
      {EDN_DELETEEND, 0, 0, 3, {{2, 5}, {0, len}, {0, len}}},
      {SCN_MODIFIED, 0, 0, 4, {{2, 5}, {0, len}, {0, len}}},
      {9999, 0, 0, 4, {{2, 5}, {0, len}, {0, len}}},
  };
  for (size_t i = 0; i < steps.size(); ++i) {
    EXPECT_EQ(0, Notify(steps[i].code, steps[i].position, steps[i].length)) << i;
    EXPECT_EQ(steps[i].changed, view->changed) << "step " << i;
    EXPECT_EQ(steps[i].coloured, view->coloured) << "step " << i;
  }
  EXPECT_TRUE(doc->IsModified());

  // Notices from any other window are not the editor's.
  view->Reset();
  Notify(SCN_MODIFIED, 0, 0, frame->m_hWnd);
  EXPECT_EQ(0, view->changed);
  EXPECT_TRUE(view->codes.empty());
}

TEST_F(ColorerView, ColouringIsSkippedWhileDisabled) {
  editor->SetText(L"12\r\n345\r\n");
  view->SetColouring(FALSE);
  view->Reset();
  Notify(EDN_RESTYLERANGE, 0, 4);
  Notify(EDN_INSERTBEGIN);
  Notify(EDN_INSERTEND);
  Notify(SCN_STYLENEEDED, 9);
  EXPECT_TRUE(view->coloured.empty());
  EXPECT_EQ(1, view->changed);
}

TEST_F(ColorerView, StyleNeededColoursFromTheLineWhereStylingStopped) {
  struct {
    const wchar_t* text;
    int styledTo;  // end of styling before the request
    int position;  // the request's position
    std::vector<std::pair<int, int>> coloured;
  } table[] = {
      {L"12\r\n345\r\n", 4, 6, {{4, 9}}},   // raised to the start of the next line
      {L"12\r\n345\r\n", 5, 9, {{4, 9}}},   // from the start of the line
      {L"12\r\n345\r\n6", 0, 10, {{0, 10}}},  // up to the requested position
      {L"12\r\n", 4, 4, {}},                  // the line where styling stopped is empty
  };
  for (auto& t : table) {
    editor->SetText(t.text);
    editor->StartStyling(0);
    editor->SetStyling(editor->GetLength(), 5);
    editor->StartStyling(0);
    if (t.styledTo > 0) editor->SetStyling(t.styledTo, 5);
    ASSERT_EQ(t.styledTo, editor->GetEndStyled());
    view->Reset();
    Notify(SCN_STYLENEEDED, t.position);
    EXPECT_EQ(t.coloured, view->coloured) << t.styledTo << " " << t.position;
    // The base colouring gives the range the default style (through the style mask of 31).
    for (auto& range : t.coloured) {
      EXPECT_EQ(STYLE_DEFAULT & 31, editor->SendMessage(SCI_GETSTYLEAT, range.first));
      EXPECT_EQ(STYLE_DEFAULT & 31, editor->SendMessage(SCI_GETSTYLEAT, range.second - 1));
    }
  }
}

TEST_F(ColorerView, RealEditsAndClicksArriveThroughTheView) {
  editor->SetText(L"1+1");
  view->Reset();
  doc->SetModifiedFlag(FALSE);
  editor->InsertText(L"2*", 0);
  EXPECT_GE(view->changed, 1);
  EXPECT_TRUE(doc->IsModified());

  view->codes.clear();
  editor->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 4));
  editor->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(30, 4));
  int clicks = 0;
  for (UINT c : view->codes) clicks += c == SCN_CLICK;
  EXPECT_EQ(1, clicks);
}

TEST_F(ColorerView, EditCommandUpdatesFollowReadOnlyAndSelection) {
  struct {
    bool readOnly;
    bool selection;
    UINT id;
    int enabled;
  } table[] = {
      {false, true, ID_EDIT_CUT, 1},   {false, false, ID_EDIT_CUT, 0},  {true, true, ID_EDIT_CUT, 0},
      {false, true, ID_EDIT_COPY, 1},  {true, true, ID_EDIT_COPY, 1},   {false, false, ID_EDIT_COPY, 0},
      {false, true, ID_EDIT_UNDO, 1},  {true, true, ID_EDIT_UNDO, 0},   {false, true, ID_EDIT_REDO, 0},
      {false, true, ID_EDIT_FIND, 1},  {true, true, ID_EDIT_FIND, 1},   {false, true, ID_EDIT_REPLACE, 1},
      {true, true, ID_EDIT_REPLACE, 0}, {true, true, ID_EDIT_PASTE, 0},
  };
  for (auto& t : table) {
    editor->SetReadOnly(FALSE);
    editor->SetText(L"abc");
    editor->InsertText(L"x", 0);  // something to undo
    editor->SetReadOnly(t.readOnly);
    Select(t.selection ? 1 : 2, 2);
    EXPECT_EQ(t.enabled, Update(t.id)) << t.id << " read-only " << t.readOnly << " selection " << t.selection;
  }
  editor->SetReadOnly(FALSE);
  view->SetFindText(L"");
  EXPECT_EQ(0, Update(ID_EDIT_FIND_NEXT));
  view->SetFindText(L"a");
  EXPECT_EQ(1, Update(ID_EDIT_FIND_NEXT));
}

TEST_F(ColorerView, EditCommandsLeaveAReadOnlyEditorAlone) {
  editor->SetText(L"abcdef");
  editor->InsertText(L"x", 0);
  Select(1, 3);
  editor->SetReadOnly(TRUE);
  view->OnEditCut();
  view->OnEditPaste();
  view->OnEditUndo();
  EXPECT_EQ(CString(L"xabcdef"), editor->GetText());
  editor->SetReadOnly(FALSE);
  view->OnEditCut();
  EXPECT_EQ(CString(L"xcdef"), editor->GetText());
  view->OnEditUndo();
  EXPECT_EQ(CString(L"xabcdef"), editor->GetText());
  view->OnEditRedo();
  EXPECT_EQ(CString(L"xcdef"), editor->GetText());
  editor->GotoPosition(0);
  frame->SendMessage(WM_COMMAND, ID_EDIT_PASTE, 0);  // through the command route
  EXPECT_EQ(CString(L"abxcdef"), editor->GetText());
}

TEST_F(ColorerView, FindDialogOpensOnceAndReportsItsRequests) {
  editor->SetText(L"Sin(x) + sin(y) + sinh(z)");
  editor->SetReadOnly(TRUE);
  view->OnEditReplace();
  EXPECT_EQ(nullptr, view->GetFindDialog()) << "no replace dialog on a read-only editor";
  editor->SetReadOnly(FALSE);

  view->OnEditReplace();
  CFindReplaceDialog* dlg = view->GetFindDialog();
  ASSERT_NE(nullptr, dlg);
  EXPECT_TRUE(::IsWindow(dlg->m_hWnd));
  EXPECT_EQ(0, Update(ID_EDIT_FIND));
  EXPECT_EQ(0, Update(ID_EDIT_REPLACE));
  view->OnEditFind();
  EXPECT_EQ(dlg, view->GetFindDialog()) << "the open dialog is reused";

  struct {
    const wchar_t* find;
    const wchar_t* replace;
    DWORD flags;
    int selStart, selEnd;  // selection before the request
    LRESULT answer;
    const wchar_t* text;  // text afterwards
    int foundAt;          // selection start afterwards, -1 to skip
    DWORD searchFlags;
  } table[] = {
      {L"sin", L"", FR_FINDNEXT | FR_DOWN, 0, 0, 0, L"Sin(x) + sin(y) + sinh(z)", 9, 0},
      {L"sin", L"", FR_FINDNEXT | FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD, 0, 0, 0, L"Sin(x) + sin(y) + sinh(z)", 9,
       SCFIND_MATCHCASE | SCFIND_WHOLEWORD},
      {L"sin", L"", FR_FINDNEXT, 18, 18, 0, L"Sin(x) + sin(y) + sinh(z)", 9, 0},   // upwards
      {L"cos", L"", FR_FINDNEXT | FR_DOWN, 0, 0, -1, L"Sin(x) + sin(y) + sinh(z)", -1, 0},
      // Replace takes the selected match and goes on to the next one.
      {L"sin", L"cos", FR_REPLACE | FR_DOWN, 9, 12, 0, L"Sin(x) + cos(y) + sinh(z)", 18, 0},
      // With nothing selected, or something else selected, nothing is replaced.
      {L"sin", L"cos", FR_REPLACE | FR_DOWN, 2, 2, 0, L"Sin(x) + sin(y) + sinh(z)", 9, 0},
      {L"sin", L"cos", FR_REPLACE | FR_DOWN, 4, 5, 0, L"Sin(x) + sin(y) + sinh(z)", 9, 0},
      {L"sin", L"cos", FR_REPLACEALL | FR_DOWN, 0, 0, 0, L"cos(x) + cos(y) + cosh(z)", -1, 0},
      {L"sin", L"cos", FR_REPLACEALL | FR_DOWN | FR_MATCHCASE, 0, 0, 0, L"Sin(x) + cos(y) + cosh(z)", -1,
       SCFIND_MATCHCASE},
      {L"", L"cos", FR_REPLACEALL | FR_DOWN, 0, 0, 0, L"Sin(x) + sin(y) + sinh(z)", -1, 0},
  };
  for (auto& t : table) {
    editor->SetText(L"Sin(x) + sin(y) + sinh(z)");
    Select(t.selStart, t.selEnd);
    lstrcpynW(dlg->m_szFindWhat, t.find, 128);
    lstrcpynW(dlg->m_szReplaceWith, t.replace, 128);
    dlg->m_fr.Flags = t.flags;
    EXPECT_EQ(t.answer, view->SendMessage(WM_FIND, 0, (LPARAM)&dlg->m_fr)) << t.find << " flags " << t.flags;
    EXPECT_EQ(CString(t.text), editor->GetText()) << t.find << " flags " << t.flags;
    if (t.foundAt >= 0) EXPECT_EQ(t.foundAt, editor->GetSelectionStart()) << t.find << " flags " << t.flags;
    EXPECT_EQ(t.searchFlags, editor->GetSearchFlags()) << t.find << " flags " << t.flags;
    EXPECT_EQ(CString(t.find), view->GetFindText());
    EXPECT_EQ(CString(t.replace), view->GetReplaceText());
  }

  // Closing the dialog makes the view forget it.
  HWND hDlg = dlg->m_hWnd;
  ::SendMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(::IsWindow(hDlg));
  EXPECT_EQ(nullptr, view->GetFindDialog());
  EXPECT_EQ(1, Update(ID_EDIT_FIND));
  FINDREPLACEW stray = {sizeof(stray)};
  stray.Flags = FR_FINDNEXT | FR_DOWN;
  EXPECT_EQ(0, view->SendMessage(WM_FIND, 0, (LPARAM)&stray)) << "no dialog, nothing to do";
}

TEST_F(ColorerView, FindNextWrapsToTheTopAndReportsAMissOnce) {
  struct {
    const wchar_t* text;
    const wchar_t* find;
    int caret;
    int foundAt;  // -1: not there
  } table[] = {
      {L"x + y + x", L"y", 0, 4},
      {L"x + y + x", L"y", 7, 4},   // only before the caret: wraps
      {L"y + x + x", L"y", 3, 0},   // only at the very start: the wrap finds it too
      {L"x + y + x", L"z", 3, -1},
  };
  for (auto& t : table) {
    editor->SetText(t.text);
    editor->GotoPosition(t.caret);
    view->SetFindText(t.find);
    g_boxes = 0;
    HHOOK hook = ::SetWindowsHookExW(WH_CBT, NoDialogs, nullptr, ::GetCurrentThreadId());
    frame->SendMessage(WM_COMMAND, ID_EDIT_FIND_NEXT, 0);
    ::UnhookWindowsHookEx(hook);
    if (t.foundAt >= 0) {
      EXPECT_EQ(0, g_boxes) << t.text << " / " << t.find;
      EXPECT_EQ(t.foundAt, editor->GetSelectionStart()) << t.text << " / " << t.find;
      EXPECT_EQ(t.foundAt + 1, editor->GetSelectionEnd()) << t.text << " / " << t.find;
    } else {
      EXPECT_EQ(1, g_boxes) << t.text << " / " << t.find;
    }
  }
}

}  // namespace
