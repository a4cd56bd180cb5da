// The framework frame in a test application: user toolbars made and deleted through the
// registered messages (with the message the user sees when the range is full), and the routing of
// keys and clicks to an open popup menu.
#include "FramesTestKit.h"
#include "UfxFrameWnd.h"
#include "UfxPopupMenu.h"
#include "UfxToolBar.h"
#include "UfxWorkspace.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

const wchar_t kAppKey[] = L"Software\\Ferrow Software\\Numbrook";

class CTestApp : public CWinApp, public CUfxWorkspace {
public:
  CTestApp() : CWinApp(L"Numbrook"), CUfxWorkspace(TRUE) {}
  std::vector<std::pair<CString, UINT>> messages;  // what the user was told, with the box's type
  int DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT) override {
    messages.emplace_back(lpszPrompt, nType);
    return IDOK;
  }
};
CTestApp theApp;

// Stands in for an open popup menu: a window that records the keys and the close it is sent.
class COpenPopup : public CUfxPopupMenu {
public:
  std::vector<UINT> keys;
  int closes = 0;
  BOOL Open(CWnd* pOwner) {
    return CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"", WS_POPUP | WS_VISIBLE, CRect(600, 600, 700, 700),
                    pOwner, 0);
  }
  void PostNcDestroy() override {}  // the test owns it
  afx_msg void OnKeyDown(UINT nChar, UINT, UINT) { keys.push_back(nChar); }
  afx_msg void OnClose() {
    ++closes;
    DestroyWindow();
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(COpenPopup, CUfxPopupMenu)
  ON_WM_KEYDOWN()
  ON_WM_CLOSE()
END_MESSAGE_MAP()

class FrameTest : public ::testing::Test {
protected:
  static HMODULE hResx;
  static void SetUpTestSuite() { hResx = ::LoadLibraryW(L"BrookResx.dll"); }
  void SetUp() override {
    ASSERT_NE(nullptr, hResx) << "BrookResx.dll not found beside the program";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
    theApp.SetRegistryKey(L"Ferrow Software");
    theApp.SetRegistryBase(L"Settings");
    theApp.messages.clear();
    AfxSetResourceHandle(hResx);
    frame = new CUfxFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Frame Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 640, 480)));
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->InitUserToolbars(nullptr, 0xE828, 0xE831);
    theApp.m_pMainWnd = frame;
    Pump();
  }
  void TearDown() override {
    CUfxPopupMenu::SetActiveMenu(nullptr);
    theApp.m_pMainWnd = nullptr;
    if (frame != nullptr && frame->GetSafeHwnd() != nullptr) frame->DestroyWindow();
    Pump();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
  }
  CUfxToolBar* NewUserToolbar(LPCWSTR lpszName) {
    return (CUfxToolBar*)frame->SendMessage(UFXM_CREATETOOLBAR, 0, (LPARAM)lpszName);
  }
  CUfxFrameWnd* frame = nullptr;
};
HMODULE FrameTest::hResx = nullptr;

TEST_F(FrameTest, UserToolbarsFloatWithTheirNamesUntilTheRangeIsFull) {
  for (int i = 0; i < 10; ++i) {
    CString name;
    name.Format(L"Mine %d", i + 1);
    CUfxToolBar* pBar = NewUserToolbar(name);
    ASSERT_NE(nullptr, pBar) << i;
    EXPECT_EQ(0xE828 + i, pBar->GetDlgCtrlID());
    EXPECT_TRUE(pBar->IsFloating());
    EXPECT_TRUE(pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC);
    CString text;
    pBar->GetWindowText(text);
    EXPECT_EQ(name, text);
    EXPECT_EQ(pBar, frame->GetUserBarByIndex(i));
  }
  EXPECT_TRUE(theApp.messages.empty());

  // The eleventh: the user is told how many there may be, and nothing is made.
  EXPECT_EQ(nullptr, NewUserToolbar(L"One too many"));
  ASSERT_EQ(1u, theApp.messages.size());
  CString expected;
  expected.Format(CString(MAKEINTRESOURCEW(16243)), 10);
  EXPECT_FALSE(expected.IsEmpty());
  EXPECT_NE(-1, theApp.messages[0].first.Find(L"10"));
  EXPECT_EQ(expected, theApp.messages[0].first);
  EXPECT_EQ((UINT)MB_ICONINFORMATION, theApp.messages[0].second & MB_ICONMASK);
  EXPECT_EQ(nullptr, frame->GetUserBarByIndex(10));
}

TEST_F(FrameTest, ADeletedUserToolbarFreesItsIdAndOtherBarsAreRefused) {
  CUfxToolBar* pFirst = NewUserToolbar(L"First");
  CUfxToolBar* pSecond = NewUserToolbar(L"Second");
  ASSERT_NE(nullptr, pSecond);
  EXPECT_TRUE(frame->SendMessage(UFXM_DELETETOOLBAR, 0, (LPARAM)pFirst));
  EXPECT_EQ(pSecond, frame->GetUserBarByIndex(0));
  // The freed id is the next one given out.
  CUfxToolBar* pThird = NewUserToolbar(L"Third");
  ASSERT_NE(nullptr, pThird);
  EXPECT_EQ(0xE828, pThird->GetDlgCtrlID());
  // A toolbar that is not a user toolbar of this frame is not deleted.
  CUfxToolBar other;
  EXPECT_FALSE(frame->SendMessage(UFXM_DELETETOOLBAR, 0, (LPARAM)&other));
}

TEST_F(FrameTest, AnOpenPopupTakesTheKeysAndAltClosesIt) {
  COpenPopup popup;
  ASSERT_TRUE(popup.Open(frame));
  ASSERT_TRUE(frame->ShowPopupMenu(&popup));
  EXPECT_EQ(&popup, CUfxPopupMenu::GetActiveMenu());

  // Keys the frame filters reach the popup, not the frame's accelerators.
  MSG msg = {frame->GetSafeHwnd(), WM_KEYDOWN, VK_DOWN, 0};
  EXPECT_TRUE(frame->PreTranslateMessage(&msg));
  msg.wParam = VK_RETURN;
  EXPECT_TRUE(frame->PreTranslateMessage(&msg));
  EXPECT_EQ((std::vector<UINT>{VK_DOWN, VK_RETURN}), popup.keys);

  // Alt pressed closes it; the frame forgets it when it reports its closing.
  MSG alt = {frame->GetSafeHwnd(), WM_SYSKEYDOWN, VK_MENU, 0};
  EXPECT_TRUE(frame->PreTranslateMessage(&alt));
  EXPECT_EQ(1, popup.closes);
  frame->OnClosePopupMenu(&popup);
  EXPECT_EQ(nullptr, CUfxPopupMenu::GetActiveMenu());
  // Without a popup Alt is the frame's again.
  EXPECT_FALSE(frame->PreTranslateMessage(&alt));
}

TEST_F(FrameTest, ClosingAnotherPopupLeavesTheActiveOne) {
  COpenPopup popup, other;
  ASSERT_TRUE(popup.Open(frame));
  frame->ShowPopupMenu(&popup);
  frame->OnClosePopupMenu(&other);
  EXPECT_EQ(&popup, CUfxPopupMenu::GetActiveMenu());
  popup.DestroyWindow();
}

}  // namespace
