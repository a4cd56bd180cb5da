// The framework frame in a test application: user toolbars made and deleted through the
// registered messages (with the message the user sees when the range is full), and the routing of
// keys and clicks to an open popup menu.
#include "FramesTestKit.h"
#include "frames/UfxFrameWnd.h"
#include "bars/UfxPopupMenu.h"
#include "frames/UfxRegistry.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxWorkspace.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

const wchar_t kAppKey[] = L"Software\\Ferrow Software\\FrameTest";

class CTestApp : public CWinApp, public CUfxWorkspace {
public:
  CTestApp() : CWinApp(L"FrameTest"), CUfxWorkspace(TRUE) {}
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
    PumpPending();
  }
  void TearDown() override {
    CUfxPopupMenu::SetActiveMenu(nullptr);
    theApp.m_pMainWnd = nullptr;
    if (frame != nullptr && frame->GetSafeHwnd() != nullptr) frame->DestroyWindow();
    PumpPending();
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

// The commands of a bar's buttons in order.
std::vector<UINT> Commands(const CUfxToolBar* pBar) {
  std::vector<UINT> ids;
  for (int i = 0; i < pBar->GetButtonCount(); ++i) ids.push_back(pBar->GetButton(i)->m_nID);
  return ids;
}

void SetCommands(CUfxToolBar* pBar, std::initializer_list<UINT> ids) {
  pBar->RemoveAllButtons();
  for (UINT id : ids) pBar->InsertButton(new CUfxToolbarButton(id, -1, L"B"));
}

bool KeyExists(const CString& path) {
  HKEY h;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  ::RegCloseKey(h);
  return true;
}

// A drop-down bar or popup menu's bar: locked.
class CLockedBar : public CUfxToolBar {
public:
  CLockedBar() { m_bLocked = TRUE; }
};

const wchar_t kSettings[] = L"Software\\Ferrow Software\\FrameTest\\Settings\\";

TEST_F(FrameTest, EachToolbarsButtonsComeBackWithTheWorkspaceAndLockedOnesAreNotKept) {
  CUfxToolBar bar;
  CLockedBar locked;
  ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE900));
  ASSERT_TRUE(locked.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE901));
  SetCommands(&bar, {100, 0, 101, 102});
  SetCommands(&locked, {200});
  EXPECT_TRUE(theApp.SaveState(nullptr, frame->GetFrameImpl()));
  EXPECT_TRUE(KeyExists(CString(kSettings) + L"UfxToolbarParameters"));
  EXPECT_TRUE(KeyExists(CString(kSettings) + L"UfxToolBar-59648"));   // 0xE900
  EXPECT_FALSE(KeyExists(CString(kSettings) + L"UfxToolBar-59649"));  // locked

  SetCommands(&bar, {300});
  SetCommands(&locked, {400});
  EXPECT_TRUE(theApp.LoadState(nullptr, frame->GetFrameImpl()));
  EXPECT_EQ((std::vector<UINT>{100, 0, 101, 102}), Commands(&bar));
  EXPECT_EQ((std::vector<UINT>{400}), Commands(&locked));
  bar.DestroyWindow();
  locked.DestroyWindow();
}

TEST_F(FrameTest, UserToolbarsWithStoredStateComeBackOnTheNextLoad) {
  CUfxToolBar* pBar = NewUserToolbar(L"Mine");
  ASSERT_NE(nullptr, pBar);
  SetCommands(pBar, {500, 501});
  NewUserToolbar(L"Second");
  EXPECT_TRUE(theApp.SaveState(nullptr, frame->GetFrameImpl()));

  // The next start: a new frame, no user toolbars until the load.
  frame->DestroyWindow();
  PumpPending();
  frame = new CUfxFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, L"Frame Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 640, 480)));
  frame->EnableDocking(CBRS_ALIGN_ANY);
  frame->InitUserToolbars(nullptr, 0xE828, 0xE831);
  EXPECT_EQ(nullptr, frame->GetUserBarByIndex(0));
  EXPECT_TRUE(theApp.LoadState(nullptr, frame->GetFrameImpl()));
  CUfxToolBar* pBack = frame->GetUserBarByIndex(0);
  ASSERT_NE(nullptr, pBack);
  EXPECT_EQ(0xE828, pBack->GetDlgCtrlID());
  CString name;
  pBack->GetWindowText(name);
  EXPECT_EQ(CString(L"Mine"), name);
  EXPECT_EQ((std::vector<UINT>{500, 501}), Commands(pBack));
  ASSERT_NE(nullptr, frame->GetUserBarByIndex(1));
  EXPECT_EQ(nullptr, frame->GetUserBarByIndex(2));

  // Deleting one removes its stored state too.
  EXPECT_TRUE(frame->SendMessage(UFXM_DELETETOOLBAR, 0, (LPARAM)pBack));
  EXPECT_FALSE(KeyExists(CString(kSettings) + L"UfxToolBar-59432"));  // 0xE828
}

// A torn-off bar as the popup menus make them.
CUfxToolBar* TearOff(CUfxFrameWnd* pFrame, UINT uiId, LPCWSTR lpszName, std::initializer_list<UINT> ids) {
  CUfxToolBar* pBar = new CUfxToolBar;
  EXPECT_TRUE(pBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, uiId));
  pBar->SetWindowText(lpszName);
  SetCommands(pBar, ids);
  pFrame->AddTearOffBar(pBar);
  return pBar;
}

TEST_F(FrameTest, TornOffBarsAreStoredByClassAndTheSurplusKeysGo) {
  TearOff(frame, 0xEA00, L"Edit", {10, 11});
  CUfxToolBar* pSecond = TearOff(frame, 0xEA01, L"View", {20});
  CUfxFrameHelper* pImpl = frame->GetFrameImpl();
  pImpl->SaveTearOffMenus();
  const CString strKey0 = CString(kSettings) + L"ControlBars-TearOff-0";
  const CString strKey1 = CString(kSettings) + L"ControlBars-TearOff-1";
  ASSERT_TRUE(KeyExists(strKey1));
  {
    CUfxRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(CString(L"SOFTWARE\\Ferrow Software\\FrameTest\\Settings\\ControlBars-TearOff-0")));
    int id = 0;
    CString name;
    EXPECT_TRUE(reg.Read(L"ID", id));
    EXPECT_EQ(0xEA00, id);
    EXPECT_TRUE(reg.Read(L"Name", name));
    EXPECT_EQ(CString(L"Edit"), name);
  }

  // Loading makes them again from the stored class, ids, names and buttons.
  pImpl->LoadTearOffMenus();
  EXPECT_EQ(2, pImpl->GetTearOffBarCount());
  CUfxToolBar* pEdit = DYNAMIC_DOWNCAST(CUfxToolBar, frame->GetControlBar(0xEA00));
  ASSERT_NE(nullptr, pEdit);
  CString name;
  pEdit->GetWindowText(name);
  EXPECT_EQ(CString(L"Edit"), name);
  EXPECT_EQ((std::vector<UINT>{10, 11}), Commands(pEdit));

  // One bar fewer: the second key goes.
  pSecond = DYNAMIC_DOWNCAST(CUfxToolBar, frame->GetControlBar(0xEA01));
  ASSERT_NE(nullptr, pSecond);
  frame->RemoveTearOffBar(pSecond);
  pSecond->DestroyWindow();
  delete pSecond;
  pImpl->SaveTearOffMenus();
  EXPECT_TRUE(KeyExists(strKey0));
  EXPECT_FALSE(KeyExists(strKey1));
}

TEST_F(FrameTest, ATornOffKeyNamingABarTheFrameHasEndsTheLoad) {
  CUfxToolBar* pBar = TearOff(frame, 0xEA00, L"Edit", {10});
  CUfxFrameHelper* pImpl = frame->GetFrameImpl();
  pImpl->SaveTearOffMenus();
  // A bar of the frame takes that id meanwhile; the stored one is not made a second time.
  frame->RemoveTearOffBar(pBar);
  pBar->DestroyWindow();
  delete pBar;
  CUfxToolBar other;
  ASSERT_TRUE(other.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xEA00));
  pImpl->LoadTearOffMenus();
  EXPECT_EQ(0, pImpl->GetTearOffBarCount());
  EXPECT_EQ(&other, frame->GetControlBar(0xEA00));
  other.DestroyWindow();
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
