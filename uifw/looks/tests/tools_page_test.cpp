// The user-tools page of the customization sheet with a user-tools manager of ten ids: its place
// among the pages, the editing controls following the selection, the command edit changing the
// tool, a new tool refused when the range is full, and the question before a tool is deleted.
#include "Framework.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxUserToolsManager.h"
#include "looks/UfxExternalToolsPage.h"
#include "looks/UfxToolbarCustomize.h"
#include "TestPump.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

const UINT kFirstTool = 33000;

class CToolsTestApp : public CWinApp {
public:
  CToolsTestApp() : CWinApp(L"UfxToolsPageTest") {}
  std::vector<CString> boxes;
  int answer = IDNO;
  int DoMessageBox(LPCWSTR lpszPrompt, UINT, UINT) override {
    boxes.push_back(lpszPrompt);
    return answer;
  }
};
CToolsTestApp theApp;

class ToolsPage : public ::testing::Test {
protected:
  void SetUp() override {
    m_hResx = ::LoadLibraryW(L"BrookResx.dll");
    ASSERT_NE(nullptr, m_hResx);
    m_hSaved = AfxGetResourceHandle();
    AfxSetResourceHandle(m_hResx);
    CUfxPopupMenu::SetAnimationType(CUfxPopupMenu::NO_ANIMATION);
    manager = new CUfxUserToolsManager(32999, kFirstTool, kFirstTool + 9);
    frame = new CUfxFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Tools", WS_POPUP | WS_BORDER, CRect(40, 40, 640, 440)));
    theApp.m_pMainWnd = frame;
    theApp.boxes.clear();
    theApp.answer = IDNO;
  }
  void TearDown() override {
    if (sheet != nullptr && ::IsWindow(sheet->GetSafeHwnd())) sheet->DestroyWindow();  // deletes itself
    if (frame != nullptr && ::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    PumpPending();
    delete manager;
    UfxGetCommandManager()->CleanUp();
    AfxSetResourceHandle(m_hSaved);
    ::FreeLibrary(m_hResx);
  }
  void AddTools(int nTools) {
    for (int i = 0; i < nTools; i++) {
      CUfxUserTool* pTool = manager->CreateNewTool();
      ASSERT_NE(nullptr, pTool);
      pTool->m_strLabel.Format(L"Tool %d", i + 1);
    }
  }
  CUfxExternalToolsPage* Open() {
    sheet = new CUfxToolbarCustomize(frame, FALSE, 15);
    EXPECT_TRUE(sheet->Create());
    CUfxExternalToolsPage* pPage = sheet->GetToolsPage();
    sheet->SetActivePage(pPage);
    EXPECT_NE(nullptr, pPage->GetSafeHwnd());
    return pPage;
  }
  static bool Enabled(CUfxExternalToolsPage* pPage, UINT uiID) { return pPage->GetDlgItem(uiID)->IsWindowEnabled() != FALSE; }

  HMODULE m_hResx = nullptr;
  HINSTANCE m_hSaved = nullptr;
  CUfxUserToolsManager* manager = nullptr;
  CUfxFrameWnd* frame = nullptr;
  CUfxToolbarCustomize* sheet = nullptr;
};

TEST_F(ToolsPage, ComesAfterTheToolbarsPageAndItsControlsFollowTheSelection) {
  AddTools(2);
  ((CUfxUserTool*)manager->GetUserTools().GetHead())->m_strArguments = L"-x";
  CUfxExternalToolsPage* pPage = Open();
  EXPECT_EQ(2, sheet->GetPageIndex(pPage));
  CUfxToolsListCtrl& list = pPage->GetToolsList();
  ASSERT_EQ(2, list.GetCount());
  EXPECT_EQ(CString(L"Tool 2"), list.GetItemText(1));

  const UINT editing[] = {CUfxExternalToolsPage::kCommand, CUfxExternalToolsPage::kArguments,
                          CUfxExternalToolsPage::kInitialDir, CUfxExternalToolsPage::kBrowse};
  ListView_SetItemState(list.GetListHwnd(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  PumpPending();
  EXPECT_EQ(nullptr, pPage->GetSelectedTool());
  for (UINT uiID : editing) EXPECT_FALSE(Enabled(pPage, uiID)) << uiID;
  list.SelectItem(0);
  PumpPending();
  EXPECT_EQ(manager->GetUserTools().GetHead(), (CObject*)pPage->GetSelectedTool());
  for (UINT uiID : editing) EXPECT_TRUE(Enabled(pPage, uiID)) << uiID;
  CString strArguments;
  pPage->GetDlgItemText(CUfxExternalToolsPage::kArguments, strArguments);
  EXPECT_EQ(CString(L"-x"), strArguments);

  // Typing in the edits changes the selected tool at once.
  pPage->SetDlgItemText(CUfxExternalToolsPage::kCommand, L"C:\\windows\\notepad.exe");
  pPage->SetDlgItemText(CUfxExternalToolsPage::kInitialDir, L"C:\\temp");
  CUfxUserTool* pTool = (CUfxUserTool*)manager->GetUserTools().GetHead();
  EXPECT_EQ(CString(L"C:\\windows\\notepad.exe"), pTool->GetCommand());
  EXPECT_EQ(CString(L"C:\\temp"), pTool->m_strInitialDirectory);
  EXPECT_EQ(CString(L"-x"), pTool->m_strArguments);
}

TEST_F(ToolsPage, ANewToolBeyondTheRangeIsReportedAndItsItemGoes) {
  AddTools(10);
  CUfxExternalToolsPage* pPage = Open();
  CUfxToolsListCtrl& list = pPage->GetToolsList();
  ASSERT_EQ(10, list.GetCount());
  list.OnClickButton(0);  // new
  CEdit* pEdit = list.GetList()->GetEditControl();
  ASSERT_NE(nullptr, pEdit);
  pEdit->SetWindowText(L"Eleventh");
  pEdit->PostMessage(WM_KEYDOWN, VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return list.GetList()->GetEditControl() == nullptr; }));
  ASSERT_EQ(1u, theApp.boxes.size());
  CString strExpected;
  strExpected.Format(CString(MAKEINTRESOURCEW(16024)), 10);
  EXPECT_EQ(strExpected, theApp.boxes[0]);
  EXPECT_NE(-1, theApp.boxes[0].Find(L"10"));
  EXPECT_EQ(10, list.GetCount());
  EXPECT_EQ(10, (int)manager->GetUserTools().GetCount());
}

TEST_F(ToolsPage, DeletingAToolAsksFirstAndNoKeepsIt) {
  AddTools(3);
  CUfxExternalToolsPage* pPage = Open();
  CUfxToolsListCtrl& list = pPage->GetToolsList();
  const struct {
    const char* name;
    int answer;
    int toolsAfter;
  } cases[] = {{"No keeps the tool", IDNO, 3}, {"Yes deletes it", IDYES, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    theApp.boxes.clear();
    theApp.answer = c.answer;
    list.SelectItem(1);
    PumpPending();
    list.OnClickButton(1);  // delete
    PumpPending();
    ASSERT_EQ(1u, theApp.boxes.size());
    CString strQuestion;
    AfxFormatString1(strQuestion, 16023, L"Tool 2");
    EXPECT_EQ(strQuestion, theApp.boxes[0]);
    EXPECT_EQ(c.toolsAfter, (int)manager->GetUserTools().GetCount());
    EXPECT_EQ(c.toolsAfter, list.GetCount());
  }
  EXPECT_EQ(nullptr, manager->FindTool(kFirstTool + 1));
  EXPECT_EQ(CString(L"Tool 3"), list.GetItemText(1));
}

}  // namespace
