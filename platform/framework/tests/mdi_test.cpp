// MDI: the active child's template gives the frame its menu and accelerators, the window menu
// lists the children, the frame's own menu comes back with the last child gone.
#include "BarTestKit.h"

static CBarTestApp theApp;
CBarTestApp& TheApp() { return theApp; }

// A document that counts the template commands it gets.
class CCountingDoc : public CDocument {
  DECLARE_DYNCREATE(CCountingDoc)
public:
  static int alpha, beta;
  afx_msg void OnAlpha() { ++alpha; }
  afx_msg void OnBeta() { ++beta; }
  DECLARE_MESSAGE_MAP()
};
int CCountingDoc::alpha = 0, CCountingDoc::beta = 0;
IMPLEMENT_DYNCREATE(CCountingDoc, CDocument)
BEGIN_MESSAGE_MAP(CCountingDoc, CDocument)
  ON_COMMAND(0x8101, OnAlpha)
  ON_COMMAND(0x8102, OnBeta)
END_MESSAGE_MAP()

class CBlankView : public CView {
  DECLARE_DYNCREATE(CBlankView)
public:
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CBlankView, CView)

class Mdi : public ::testing::Test {
protected:
  CMDIFrameWnd* frame = nullptr;
  CMultiDocTemplate* alpha = nullptr;
  CMultiDocTemplate* beta = nullptr;
  void SetUp() override {
    if (theApp.GetFirstDocTemplatePosition() == nullptr) {
      theApp.AddDocTemplate(new CMultiDocTemplate(301, RUNTIME_CLASS(CCountingDoc), RUNTIME_CLASS(CMDIChildWnd),
                                                  RUNTIME_CLASS(CBlankView)));
      theApp.AddDocTemplate(new CMultiDocTemplate(302, RUNTIME_CLASS(CCountingDoc), RUNTIME_CLASS(CMDIChildWnd),
                                                  RUNTIME_CLASS(CBlankView)));
    }
    POSITION pos = theApp.GetFirstDocTemplatePosition();
    alpha = (CMultiDocTemplate*)theApp.GetNextDocTemplate(pos);
    beta = (CMultiDocTemplate*)theApp.GetNextDocTemplate(pos);
    // The templates outlive a test; their untitled documents count from 1 again in each.
    alpha->m_nUntitledCount = beta->m_nUntitledCount = 0;
    frame = new CMDIFrameWnd;
    // A popup with a plain border: the display has no window manager to wait for.
    ASSERT_TRUE(frame->LoadFrame(300, WS_POPUP | WS_BORDER | WS_CLIPCHILDREN | FWS_ADDTOTITLE));
    theApp.m_pMainWnd = frame;
    frame->SetWindowPos(nullptr, 50, 50, 600, 400, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    CCountingDoc::alpha = CCountingDoc::beta = 0;
  }
  void TearDown() override {
    theApp.CloseAllDocuments(TRUE);
    if (::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    PumpPending();
  }
  // Presses F5 in the active child's view, through the program's message filter.
  void PressF5() {
    CMDIChildWnd* pChild = frame->MDIGetActive();
    ASSERT_NE(nullptr, pChild);
    CView* pView = pChild->GetActiveView();
    ASSERT_NE(nullptr, pView);
    pView->PostMessage(WM_KEYDOWN, VK_F5, 0);
    PumpPending();
  }
  static bool HasItem(HMENU hMenu, UINT nID) {
    for (int i = 0, n = ::GetMenuItemCount(hMenu); i < n; ++i)
      if (::GetMenuItemID(hMenu, i) == nID) return true;
    return false;
  }
};

TEST_F(Mdi, ActiveTemplateGivesTheMenuAndAccelerators) {
  HMENU hDefault = frame->m_hMenuDefault;
  ASSERT_NE(nullptr, hDefault);
  EXPECT_EQ(hDefault, ::GetMenu(frame->m_hWnd));
  ASSERT_NE(nullptr, alpha->m_hMenuShared);
  ASSERT_NE(nullptr, alpha->m_hAccelTable);

  CDocument* pAlpha = alpha->OpenDocumentFile(nullptr);
  ASSERT_NE(nullptr, pAlpha);
  EXPECT_STREQ(L"Alpha1", pAlpha->GetTitle());
  CMDIChildWnd* pAlphaChild = frame->MDIGetActive();
  ASSERT_NE(nullptr, pAlphaChild);
  EXPECT_EQ(alpha->m_hMenuShared, ::GetMenu(frame->m_hWnd));
  EXPECT_EQ(alpha->m_hAccelTable, pAlphaChild->GetDefaultAccelerator());
  PressF5();
  EXPECT_EQ(1, CCountingDoc::alpha);
  EXPECT_EQ(0, CCountingDoc::beta);

  // A second kind of document brings its own menu and keys; activating the first brings its back.
  CDocument* pBeta = beta->OpenDocumentFile(nullptr);
  ASSERT_NE(nullptr, pBeta);
  EXPECT_EQ(beta->m_hMenuShared, ::GetMenu(frame->m_hWnd));
  PressF5();
  EXPECT_EQ(1, CCountingDoc::beta);
  frame->MDIActivate(pAlphaChild);
  EXPECT_EQ(pAlphaChild, frame->MDIGetActive());
  EXPECT_EQ(alpha->m_hMenuShared, ::GetMenu(frame->m_hWnd));
  PressF5();
  EXPECT_EQ(2, CCountingDoc::alpha);
  // The window menu of the shown menu lists the children.
  HMENU hWindow = frame->GetWindowMenuPopup(alpha->m_hMenuShared);
  ASSERT_NE(nullptr, hWindow);
  EXPECT_TRUE(HasItem(hWindow, AFX_IDM_FIRST_MDICHILD));
  EXPECT_TRUE(HasItem(hWindow, AFX_IDM_FIRST_MDICHILD + 1));

  // With the last child gone the frame's own menu is back and the window commands are off.
  theApp.CloseAllDocuments(FALSE);
  EXPECT_EQ(nullptr, frame->MDIGetActive());
  EXPECT_EQ(hDefault, ::GetMenu(frame->m_hWnd));
  CRecordingCmdUI ui;
  ui.m_nID = ID_WINDOW_CASCADE;
  ui.DoUpdate(frame, FALSE);
  EXPECT_EQ(0, ui.enabled);
}

TEST_F(Mdi, CommandsGoThroughTheActiveChildAndWindowCommandsWork) {
  alpha->OpenDocumentFile(nullptr);
  alpha->OpenDocumentFile(nullptr);
  CMDIChildWnd* pActive = frame->MDIGetActive();
  ASSERT_NE(nullptr, pActive);
  EXPECT_EQ(pActive, frame->GetActiveFrame());
  // A document command sent to the frame reaches the active child's document.
  frame->SendMessage(WM_COMMAND, 0x8101);
  EXPECT_EQ(1, CCountingDoc::alpha);
  // Tiling lays the two children side by side inside the client area.
  frame->SendMessage(WM_COMMAND, ID_WINDOW_TILE_VERT);
  CRect a, b;
  pActive->GetWindowRect(&a);
  frame->MDINext();
  CMDIChildWnd* pOther = frame->MDIGetActive();
  ASSERT_NE(pActive, pOther);
  pOther->GetWindowRect(&b);
  EXPECT_EQ(a.top, b.top);
  EXPECT_NE(a.left, b.left);
  // The frame's title names the active document.
  CString title;
  frame->GetWindowText(title);
  EXPECT_NE(-1, title.Find(pOther->GetActiveDocument()->GetTitle()));
}
