// A frame whose client is a static splitter with two views of one document.
#include "Framework.h"
#include <gtest/gtest.h>

class CSplitApp : public CWinApp {
public:
  CSplitApp() : CWinApp(L"FwSplitterTest") {}
};
static CSplitApp theApp;

class CPaneDoc : public CDocument {
  DECLARE_DYNCREATE(CPaneDoc)
};
IMPLEMENT_DYNCREATE(CPaneDoc, CDocument)

static const UINT ID_T_WHO = 41000;

class CLeftPane : public CView {
  DECLARE_DYNCREATE(CLeftPane)
public:
  int initialUpdates = 0, commands = 0;
  void OnDraw(CDC*) override {}
  void OnInitialUpdate() override { ++initialUpdates; }
  afx_msg void OnWho() { ++commands; }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CLeftPane, CView)
BEGIN_MESSAGE_MAP(CLeftPane, CView)
  ON_COMMAND(ID_T_WHO, OnWho)
END_MESSAGE_MAP()

class CRightPane : public CLeftPane {
  DECLARE_DYNCREATE(CRightPane)
};
IMPLEMENT_DYNCREATE(CRightPane, CLeftPane)

class CSplitFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CSplitFrame)
public:
  CSplitterWnd m_wndSplitter;
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override {
    if (!m_wndSplitter.CreateStatic(this, 1, 2)) return FALSE;
    if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CLeftPane), CSize(150, 100), pContext)) return FALSE;
    if (!m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CRightPane), CSize(100, 100), pContext)) return FALSE;
    return TRUE;
  }
};
IMPLEMENT_DYNCREATE(CSplitFrame, CFrameWnd)

// Every test opens the document in a frame of its own and closes it again.
class Splitter : public ::testing::Test {
protected:
  static CSplitFrame* frame;
  static void SetUpTestSuite() {
    theApp.AddDocTemplate(new CSingleDocTemplate(201, RUNTIME_CLASS(CPaneDoc), RUNTIME_CLASS(CSplitFrame),
                                                 RUNTIME_CLASS(CLeftPane)));
  }
  void SetUp() override {
    ASSERT_EQ(nullptr, theApp.m_pMainWnd);
    theApp.OnFileNew();
    frame = DYNAMIC_DOWNCAST(CSplitFrame, theApp.m_pMainWnd);
    ASSERT_NE(nullptr, frame);
    frame->MoveWindow(0, 0, 600, 400);
  }
  void TearDown() override {
    if (theApp.m_pMainWnd != nullptr) theApp.m_pMainWnd->SendMessage(WM_CLOSE);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    frame = nullptr;
  }
  CSplitterWnd& sp() { return frame->m_wndSplitter; }
};
CSplitFrame* Splitter::frame = nullptr;

TEST_F(Splitter, TwoPanesOfOneDocument) {
  ASSERT_EQ(1, sp().GetRowCount());
  ASSERT_EQ(2, sp().GetColumnCount());
  CWnd* left = sp().GetPane(0, 0);
  CWnd* right = sp().GetPane(0, 1);
  ASSERT_TRUE(left && left->IsKindOf(RUNTIME_CLASS(CLeftPane)));
  ASSERT_TRUE(right && right->IsKindOf(RUNTIME_CLASS(CRightPane)));
  EXPECT_EQ(nullptr, sp().GetPane(0, 2));
  EXPECT_EQ(AFX_IDW_PANE_FIRST, left->GetDlgCtrlID());
  EXPECT_EQ(AFX_IDW_PANE_FIRST + 1, right->GetDlgCtrlID());
  CDocument* doc = ((CView*)left)->GetDocument();
  ASSERT_NE(nullptr, doc);
  EXPECT_EQ(doc, ((CView*)right)->GetDocument());
  EXPECT_EQ(2u, doc->m_viewList.size());
  // Both panes got their initial update; the first pane is the active view.
  EXPECT_EQ(1, ((CLeftPane*)left)->initialUpdates);
  EXPECT_EQ(1, ((CLeftPane*)right)->initialUpdates);
  EXPECT_EQ(left, frame->GetActiveView());
  EXPECT_EQ(frame, right->GetParentFrame());
}

TEST_F(Splitter, ColumnsFollowTheirInfoAndTheLastTakesTheRest) {
  sp().SetColumnInfo(0, 200, 10);
  sp().RecalcLayout();
  CRect client, rcLeft, rcRight;
  sp().GetClientRect(&client);
  int cur, min;
  sp().GetColumnInfo(0, cur, min);
  EXPECT_EQ(200, cur);
  EXPECT_EQ(10, min);
  sp().GetColumnInfo(1, cur, min);
  EXPECT_EQ(client.Width() - 200 - sp().m_cxSplitter, cur);
  sp().GetPane(0, 0)->GetWindowRect(&rcLeft);
  sp().GetPane(0, 1)->GetWindowRect(&rcRight);
  EXPECT_LT(rcLeft.right, rcRight.left);
  EXPECT_EQ(client.Height() - 2 * sp().m_cyBorder, rcLeft.Height());
  // A column narrower than its minimum is hidden.
  sp().SetColumnInfo(0, 5, 10);
  sp().RecalcLayout();
  sp().GetColumnInfo(0, cur, min);
  EXPECT_EQ(0, cur);
}

TEST_F(Splitter, DraggingTheBarResizesTheFirstColumn) {
  sp().SetColumnInfo(0, 200, 10);
  sp().RecalcLayout();
  CPoint onBar(200 + 3, 50);
  sp().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onBar.x, onBar.y));
  sp().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(onBar.x + 40, onBar.y));
  sp().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(onBar.x + 40, onBar.y));
  int cur, min;
  sp().GetColumnInfo(0, cur, min);
  EXPECT_EQ(240, cur);
}

TEST_F(Splitter, CommandsReachTheActivePane) {
  CLeftPane* right = (CLeftPane*)sp().GetPane(0, 1);
  sp().SetActivePane(0, 1);
  EXPECT_EQ(right, frame->GetActiveView());
  int row = -1, col = -1;
  EXPECT_EQ(right, sp().GetActivePane(&row, &col));
  EXPECT_EQ(1, col);
  frame->SendMessage(WM_COMMAND, ID_T_WHO);
  EXPECT_EQ(1, right->commands);
  // A command sent from inside a pane goes up through the splitter to the frame's route.
  CLeftPane* left = (CLeftPane*)sp().GetPane(0, 0);
  sp().SendMessage(WM_COMMAND, ID_T_WHO);
  EXPECT_EQ(2, right->commands);
  EXPECT_EQ(0, left->commands);
  frame->SendMessage(WM_CLOSE);
  EXPECT_EQ(nullptr, theApp.m_pMainWnd);
  frame = nullptr;
}
