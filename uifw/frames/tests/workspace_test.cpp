// The workspace in a test application: the registry layout it writes and cleans, the saved
// library version, manager sections only for managers that exist, double clicks, and the frame's
// window placement and key routing while minimised.
#include "FramesTestKit.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxMouseManager.h"
#include "frames/UfxRegistry.h"
#include "bars/UfxToolBar.h"
#include "frames/UfxWorkspace.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

const UINT kIdFrame = 500;
const UINT kCmdAccel = 40010;
const UINT kCmdMenu = 40011;
const wchar_t kAppKey[] = L"Software\\Ferrow Software\\WorkspaceTest";
const wchar_t kSettings[] = L"Software\\Ferrow Software\\WorkspaceTest\\Settings";

class CTestApp : public CWinApp, public CUfxWorkspace {
public:
  CTestApp() : CWinApp(L"WorkspaceTest"), CUfxWorkspace(TRUE) {}
  int seenMajor = 0, seenMinor = 0, preLoads = 0;
  void PreLoadState() override { ++preLoads; }
  void LoadCustomState() override {
    seenMajor = GetDataVersionMajor();
    seenMinor = GetDataVersionMinor();
  }
};
CTestApp theApp;

std::vector<UINT> g_commands;

class CTestFrame : public CUfxFrameWnd {
public:
  afx_msg void OnAccel() { g_commands.push_back(kCmdAccel); }
  afx_msg void OnMenu() { g_commands.push_back(kCmdMenu); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestFrame, CUfxFrameWnd)
  ON_COMMAND(kCmdAccel, OnAccel)
  ON_COMMAND(kCmdMenu, OnMenu)
END_MESSAGE_MAP()

bool KeyExists(const CString& path) {
  HKEY h;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  ::RegCloseKey(h);
  return true;
}


class WorkspaceTest : public ::testing::Test {
protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
    theApp.SetRegistryKey(L"Ferrow Software");
    theApp.SetRegistryBase(L"Settings");
    theApp.m_bSaveState = TRUE;
    theApp.m_nCmdShow = SW_SHOWNORMAL;
    AfxSetResourceHandle(::GetModuleHandleW(nullptr));
    UfxGetCommandManager()->CleanUp();
    g_commands.clear();
  }
  void TearDown() override {
    UfxGetCommandManager()->CleanUp();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
  }
  void StorePlacement(const CRect& rect, int showCmd) {
    ASSERT_TRUE(theApp.StoreWindowPlacement(rect, 0, showCmd));
  }
  CTestFrame* NewFrame() {
    CTestFrame* pFrame = new CTestFrame;
    EXPECT_TRUE(pFrame->LoadFrame(kIdFrame, WS_OVERLAPPEDWINDOW));
    return pFrame;
  }
};

TEST_F(WorkspaceTest, AFirstRunLoadsAndEndsAtThisVersion) {
  theApp.seenMajor = theApp.seenMinor = 0;
  EXPECT_TRUE(theApp.LoadState());
  EXPECT_EQ(6, theApp.seenMajor);  // nothing stored: the readers see this program's version
  EXPECT_EQ(31, theApp.seenMinor);
  EXPECT_EQ(6, theApp.GetDataVersionMajor());
  EXPECT_EQ(31, theApp.GetDataVersionMinor());
  EXPECT_TRUE(UfxImageRegistrationFlag);
}

TEST_F(WorkspaceTest, TheStoredVersionIsSeenDuringTheLoadOnly) {
  CUfxRegistry reg;
  ASSERT_TRUE(reg.CreateKey(CString(kSettings) + L"\\UfxFrameworkVersion"));
  reg.Write(L"Major", 5);
  reg.Write(L"Minor", 2);
  EXPECT_TRUE(theApp.LoadState());
  EXPECT_EQ(5, theApp.seenMajor);
  EXPECT_EQ(2, theApp.seenMinor);
  EXPECT_EQ(6, theApp.GetDataVersionMajor());
}

TEST_F(WorkspaceTest, SavingWritesTheVersionAndOnlyTheManagersThatExist) {
  UfxGetCommandManager()->EnableMenuItemImage(100, FALSE);
  UfxGetCommandManager()->EnableMenuItemImage(100, FALSE);
  UfxGetCommandManager()->EnableMenuItemImage(200, FALSE);
  ASSERT_TRUE(theApp.SaveState());

  DWORD type = 0, value = 0, cb = 4;
  ASSERT_EQ(ERROR_SUCCESS, ::RegGetValueW(HKEY_CURRENT_USER, CString(kSettings) + L"\\UfxFrameworkVersion", L"Major",
                                          RRF_RT_ANY, &type, &value, &cb));
  EXPECT_EQ((DWORD)REG_DWORD, type);
  EXPECT_EQ(6u, value);
  cb = 4;
  ASSERT_EQ(ERROR_SUCCESS, ::RegGetValueW(HKEY_CURRENT_USER, CString(kSettings) + L"\\UfxFrameworkVersion", L"Minor",
                                          RRF_RT_ANY, &type, &value, &cb));
  EXPECT_EQ((DWORD)REG_DWORD, type);
  EXPECT_EQ(31u, value);

  BYTE bytes[32];
  cb = sizeof(bytes);
  ASSERT_EQ(ERROR_SUCCESS, ::RegGetValueW(HKEY_CURRENT_USER, CString(kSettings) + L"\\UfxCommandManager",
                                          L"CommandsWithoutImages", RRF_RT_REG_BINARY, nullptr, bytes, &cb));
  const std::vector<BYTE> expected = {0x02, 0x00, 0x64, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00};
  EXPECT_EQ(expected, std::vector<BYTE>(bytes, bytes + cb));

  // No mouse, keyboard or tools manager: none of their values or keys.
  HKEY hKey;
  ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER, kSettings, 0, KEY_READ, &hKey));
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD cch = 256;
    if (::RegEnumKeyExW(hKey, i, name, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    EXPECT_NE(0, wcsncmp(name, L"UfxKeyboard-", 12)) << name;
    EXPECT_STRNE(L"UfxMouseManager", name);
    EXPECT_STRNE(L"UfxUserToolsManager", name);
  }
  EXPECT_NE(ERROR_SUCCESS, ::RegQueryValueExW(hKey, L"Mouse", nullptr, nullptr, nullptr, nullptr));
  EXPECT_NE(ERROR_SUCCESS, ::RegQueryValueExW(hKey, L"Tools", nullptr, nullptr, nullptr, nullptr));
  ::RegCloseKey(hKey);

  // A mouse manager that exists saves its bindings under the section.
  CUfxMouseManager mouse;
  ASSERT_TRUE(theApp.SaveState());
  ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER, kSettings, 0, KEY_READ, &hKey));
  EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExW(hKey, L"Mouse", nullptr, nullptr, nullptr, nullptr));
  ::RegCloseKey(hKey);
}

TEST_F(WorkspaceTest, SavingCanBeSwitchedOff) {
  theApp.m_bSaveState = FALSE;
  EXPECT_FALSE(theApp.SaveState());
  EXPECT_FALSE(KeyExists(kSettings));
}

namespace {
// A bitmap file of one grey 16x15 image, as the user's button images start out.
CString WriteOneImageFile() {
  WCHAR szDir[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, szDir);
  CString strPath;
  strPath.Format(L"%sworkspace_user_images_%lu.bmp", szDir, ::GetCurrentProcessId());
  const int w = 16, h = 15, cbRow = (w * 3 + 3) & ~3;
  std::vector<BYTE> pixels((size_t)cbRow * h, 0x80);
  BITMAPINFOHEADER bih = {sizeof(bih), w, h, 1, 24, BI_RGB, (DWORD)pixels.size(), 0, 0, 0, 0};
  BITMAPFILEHEADER bfh = {0x4D42, (DWORD)(sizeof(bfh) + sizeof(bih) + pixels.size()), 0, 0, sizeof(bfh) + sizeof(bih)};
  HANDLE hFile = ::CreateFileW(strPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD cb = 0;
  ::WriteFile(hFile, &bfh, sizeof(bfh), &cb, nullptr);
  ::WriteFile(hFile, &bih, sizeof(bih), &cb, nullptr);
  ::WriteFile(hFile, pixels.data(), (DWORD)pixels.size(), &cb, nullptr);
  ::CloseHandle(hFile);
  return strPath;
}
}  // namespace

TEST_F(WorkspaceTest, SavingWritesTheUsersButtonImagesToTheirFile) {
  const CString strPath = WriteOneImageFile();
  CUfxToolBarImages userImages;
  ASSERT_TRUE(userImages.LoadFromFile(strPath));
  ASSERT_EQ(1, userImages.GetCount());
  HDC hdcScreen = ::GetDC(nullptr);
  HBITMAP hbmNew = ::CreateCompatibleBitmap(hdcScreen, 16, 15);
  ::ReleaseDC(nullptr, hdcScreen);
  EXPECT_EQ(1, userImages.AddImage(hbmNew));
  ::DeleteObject(hbmNew);
  CUfxToolBar::SetUserImages(&userImages);

  const BOOL bSaved = theApp.SaveState();
  CUfxToolBar::SetUserImages(nullptr);
  ASSERT_TRUE(bSaved);
  EXPECT_FALSE(userImages.IsModified());
  CUfxToolBarImages reread;
  ASSERT_TRUE(reread.LoadFromFile(strPath));
  EXPECT_EQ(2, reread.GetCount()) << "the image drawn since the load is in the file";
  reread.Clear();
  ::DeleteFileW(strPath);
}

TEST_F(WorkspaceTest, CleanStateLeavesNothingUnderTheSection) {
  ASSERT_TRUE(theApp.SaveState());
  ASSERT_TRUE(theApp.StoreWindowPlacement(CRect(1, 2, 3, 4), 0, 1));
  ASSERT_TRUE(KeyExists(CString(kSettings) + L"\\WindowPlacement"));
  EXPECT_TRUE(theApp.CleanState());
  EXPECT_FALSE(KeyExists(kSettings));
  EXPECT_TRUE(KeyExists(kAppKey));
}

TEST_F(WorkspaceTest, PlacementNeedsAllThreeValues) {
  CRect rect(9, 9, 9, 9);
  int flags = 7, show = 7;
  EXPECT_FALSE(theApp.LoadWindowPlacement(rect, flags, show));
  CUfxRegistry reg;
  ASSERT_TRUE(reg.CreateKey(CString(kSettings) + L"\\WindowPlacement"));
  CRect stored(1, 2, 3, 4);
  reg.Write(L"MainWindowRect", (LPRECT)&stored);
  reg.Write(L"Flags", 2);
  EXPECT_FALSE(theApp.LoadWindowPlacement(rect, flags, show));
  EXPECT_EQ(CRect(9, 9, 9, 9), rect);
  reg.Write(L"ShowCmd", 3);
  ASSERT_TRUE(theApp.LoadWindowPlacement(rect, flags, show));
  EXPECT_EQ(stored, rect);
  EXPECT_EQ(2, flags);
  EXPECT_EQ(3, show);
}

TEST_F(WorkspaceTest, DoubleClicksRunTheBoundCommand) {
  CTestFrame* pFrame = NewFrame();
  EXPECT_FALSE(theApp.OnViewDoubleClick(pFrame, 1));  // no mouse manager
  {
    CUfxMouseManager mouse;
    mouse.AddView(1, L"Expressions");
    EXPECT_FALSE(theApp.OnViewDoubleClick(pFrame, 1));  // nothing bound: a beep
    mouse.SetCommandForDblClick(1, kCmdMenu);
    EXPECT_TRUE(theApp.OnViewDoubleClick(pFrame, 1));
  }
  EXPECT_EQ(std::vector<UINT>{kCmdMenu}, g_commands);
  pFrame->DestroyWindow();
}

TEST_F(WorkspaceTest, AStoredPlacementIsClampedToTheWorkArea) {
  CRect work;
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  ASSERT_EQ(CRect(0, 0, 1280, 1024), work);
  StorePlacement(CRect(-100, -50, 500, 400), SW_SHOWNORMAL);
  CTestFrame* pFrame = NewFrame();
  CRect rect;
  pFrame->GetWindowRect(&rect);
  EXPECT_EQ(CRect(0, 0, 600, 450), rect);
  pFrame->DestroyWindow();
}

// A stored size beyond the screen (a damaged or foreign profile) is held to the virtual screen;
// one whose corners overflow when added up is ignored.
TEST_F(WorkspaceTest, AStoredPlacementLargerThanTheScreenIsHeldToIt) {
  const CSize szScreen(::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
  StorePlacement(CRect(10, 20, 2000000000, 1500000000), SW_SHOWNORMAL);
  CTestFrame* pFrame = NewFrame();
  CRect rect;
  pFrame->GetWindowRect(&rect);
  EXPECT_EQ(CPoint(10, 20), rect.TopLeft());
  EXPECT_LE(rect.Width(), szScreen.cx);
  EXPECT_LE(rect.Height(), szScreen.cy);
  pFrame->DestroyWindow();

  StorePlacement(CRect(-2000000000, 10, 2000000000, 400), SW_SHOWNORMAL);
  pFrame = NewFrame();
  pFrame->GetWindowRect(&rect);
  EXPECT_LE(rect.Width(), szScreen.cx);
  pFrame->DestroyWindow();
}

TEST_F(WorkspaceTest, APlacementWhollyOutsideIsIgnored) {
  StorePlacement(CRect(3000, 3000, 3400, 3300), SW_SHOWNORMAL);
  CTestFrame* pFrame = NewFrame();
  CRect rect;
  pFrame->GetWindowRect(&rect);
  EXPECT_NE(400, rect.Width());
  EXPECT_LT(rect.left, 1280);
  pFrame->DestroyWindow();
}

TEST_F(WorkspaceTest, TheStartUpShowCommandTakesTheStoredOneUnlessMinimisedOrHidden) {
  const struct {
    int appShow, stored, expected;
  } cases[] = {{SW_SHOWNORMAL, 3, 3}, {SW_SHOWDEFAULT, 3, 3}, {SW_HIDE, 3, 3},          {SW_SHOW, 3, 3},
               {SW_SHOWNOACTIVATE, 3, 3}, {SW_SHOWMINIMIZED, 3, 2}, {SW_SHOWMAXIMIZED, 1, 3}, {SW_MINIMIZE, 3, 6},
               {SW_SHOWMINNOACTIVE, 3, 7}, {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWNORMAL}};
  for (const auto& c : cases) {
    StorePlacement(CRect(10, 10, 410, 310), c.stored);
    theApp.m_nCmdShow = c.appShow;
    CREATESTRUCT cs = {};
    cs.hInstance = ::GetModuleHandleW(nullptr);
    CUfxFrameHelper helper(nullptr);
    helper.RestorePosition(cs);
    EXPECT_EQ(c.expected, theApp.m_nCmdShow) << "start-up " << c.appShow << ", stored " << c.stored;
    EXPECT_EQ(10, cs.x);
    EXPECT_EQ(400, cs.cx);
  }
}

TEST_F(WorkspaceTest, AFrameClosedMaximisedReopensMaximised) {
  CTestFrame* pFrame = NewFrame();
  pFrame->ShowWindow(SW_SHOWMAXIMIZED);
  pFrame->SendMessage(WM_CLOSE);  // saves and destroys
  CRect rect;
  int flags = 0, show = 0;
  ASSERT_TRUE(theApp.LoadWindowPlacement(rect, flags, show));
  EXPECT_EQ(SW_SHOWMAXIMIZED, show);

  pFrame = NewFrame();
  EXPECT_EQ(SW_SHOWMAXIMIZED, theApp.m_nCmdShow);
  pFrame->ShowWindow(theApp.m_nCmdShow);
  EXPECT_TRUE(pFrame->IsZoomed());
  pFrame->ShowWindow(SW_SHOWNORMAL);
  pFrame->SendMessage(WM_CLOSE);
  ASSERT_TRUE(theApp.LoadWindowPlacement(rect, flags, show));
  EXPECT_EQ(SW_SHOWNORMAL, show);
}

TEST_F(WorkspaceTest, AMinimisedFrameTakesMenuCommandsAndClosesOnAltF4) {
  CTestFrame* pFrame = NewFrame();
  HWND hFrame = pFrame->GetSafeHwnd();
  pFrame->ShowWindow(SW_SHOWMINIMIZED);
  ASSERT_TRUE(pFrame->IsIconic());
  ::PostMessageW(hFrame, WM_COMMAND, MAKEWPARAM(kCmdMenu, 0), 0);  // menu or tray
  ::PostMessageW(hFrame, WM_COMMAND, MAKEWPARAM(kCmdAccel, 1), 0);  // an accelerator
  PumpUntil([] { return g_commands.size() >= 2; });
  EXPECT_EQ((std::vector<UINT>{kCmdMenu, kCmdAccel}), g_commands);

  // F6 and Alt+F4 are accelerators of this frame, but a minimised frame translates nothing:
  // F6 does nothing and Alt+F4 closes it.
  g_commands.clear();
  ::PostMessageW(hFrame, WM_KEYDOWN, VK_F6, 1 | (::MapVirtualKeyW(VK_F6, MAPVK_VK_TO_VSC) << 16));
  const LPARAM lAltF4 = 1 | (::MapVirtualKeyW(VK_F4, MAPVK_VK_TO_VSC) << 16) | (1 << 29);
  ::PostMessageW(hFrame, WM_SYSKEYDOWN, VK_F4, lAltF4);
  PumpUntil([hFrame] { return !::IsWindow(hFrame); });
  EXPECT_FALSE(::IsWindow(hFrame));
  EXPECT_TRUE(g_commands.empty());
}

TEST_F(WorkspaceTest, ARestoredFrameTranslatesItsAccelerators) {
  CTestFrame* pFrame = NewFrame();
  HWND hFrame = pFrame->GetSafeHwnd();
  pFrame->ShowWindow(SW_SHOWNORMAL);
  ::PostMessageW(hFrame, WM_KEYDOWN, VK_F6, 1 | (::MapVirtualKeyW(VK_F6, MAPVK_VK_TO_VSC) << 16));
  PumpUntil([] { return !g_commands.empty(); });
  EXPECT_EQ(std::vector<UINT>{kCmdAccel}, g_commands);
  EXPECT_TRUE(::IsWindow(hFrame));
  pFrame->DestroyWindow();
}

}  // namespace

namespace {

TEST_F(WorkspaceTest, UserToolbarsHaveTheirIdRangeAndMenuItems) {
  CUfxFrameHelper helper(nullptr);
  EXPECT_EQ(0u, helper.GetFreeUserToolbarId());  // no range
  helper.InitUserToolbars(nullptr, 0xE828, 0xE831);
  EXPECT_EQ(0xE828u, helper.GetFreeUserToolbarId());
  EXPECT_EQ(CString(L"SOFTWARE\\Ferrow Software\\WorkspaceTest\\Settings\\"), helper.GetUserToolbarsEntry());
  EXPECT_TRUE(helper.IsUserDefinedToolbarId(0xE831));
  EXPECT_FALSE(helper.IsUserDefinedToolbarId(0xE832));
  EXPECT_EQ(nullptr, helper.GetUserBarByIndex(0));

  // Without user toolbars every item of the range goes.
  CMenu menu;
  menu.CreatePopupMenu();
  menu.AppendMenu(MF_STRING, 100, L"Before");
  menu.AppendMenu(MF_STRING, 22873, L"User 1");
  menu.AppendMenu(MF_STRING, 22874, L"User 2");
  menu.AppendMenu(MF_STRING, 200, L"After");
  EXPECT_EQ(2, helper.SetupToolbarMenu(menu, 22873, 22882));
  EXPECT_EQ(100u, menu.GetMenuItemID(0));
  EXPECT_EQ(200u, menu.GetMenuItemID(1));
}

}  // namespace
