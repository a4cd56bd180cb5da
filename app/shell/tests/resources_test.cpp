// The resource library holds everything the shell loads: its texts, the definition runs of the
// command panels, the menus (each command with its prompt), the accelerators, the tray icon and
// the panel window's template.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "DefinedCommandPanel.h"
#include "Framework.h"
#include "KeyHandle.h"
#include "ShellIds.h"

namespace {

class ShellResources : public ::testing::Test {
protected:
  static HMODULE s_resx;
  static void SetUpTestSuite() { s_resx = ::LoadLibraryW(L"BrookResx.dll"); }
  static void TearDownTestSuite() {
    AfxSetResourceHandle(nullptr);
    if (s_resx != nullptr) ::FreeLibrary(s_resx);
  }
  void SetUp() override {
    ASSERT_NE(nullptr, s_resx) << "BrookResx.dll beside the program";
    AfxSetResourceHandle(s_resx);
  }
  // Every command of a menu and its sub-menus.
  static void CollectCommands(HMENU menu, std::set<UINT>& commands) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      if (HMENU sub = ::GetSubMenu(menu, i))
        CollectCommands(sub, commands);
      else if (UINT id = ::GetMenuItemID(menu, i); id != 0 && id != static_cast<UINT>(-1))
        commands.insert(id);
    }
  }
};
HMODULE ShellResources::s_resx = nullptr;

TEST_F(ShellResources, CarriesTheShellTexts) {
  const UINT ids[] = {201, 205, 206, 207, 208, IDS_NO_KEY, IDS_PANEL_DEFINED_FIRST, IDS_PANEL_CATEGORIES,
                      IDS_PANEL_DEFINED_SECOND, IDR_TRAY_MENU, 2006, 2007, 2008, 2009, 2010, 2011, IDS_TIP_SHOW_HIDE,
                      IDS_TIP_SHOW_HIDE_CAPTION, IDS_SETTINGS_NOT_SAVED, IDS_SETTINGS_NOT_SAVED_CAPTION,
                      IDS_APP_TITLE_TIP,
                      // the program's start-up messages, the pane menus' names, the editor library,
                      // the caption bar's text and the document template's string
                      200, 203, 2014, 2015, 2021, 2022, 2035, 228};
  for (UINT id : ids) {
    CString text;
    EXPECT_TRUE(text.LoadString(id) && !text.IsEmpty()) << id;
  }
  EXPECT_STREQ(L"No key", KeyHandleToText(0));
  EXPECT_NE(nullptr, ::LoadImageW(s_resx, MAKEINTRESOURCEW(250), IMAGE_BITMAP, 0, 0, 0)) << "caption bar picture";
}

TEST_F(ShellResources, PanelRunsAreWholeAndUseKnownKinds) {
  for (UINT first : {IDS_PANEL_RUN_FIRST, IDS_PANEL_RUN_SECOND}) {
    CDefinedCommandPanel panel(first);
    EXPECT_TRUE(panel.IsComplete()) << first;
    long groups = 0;
    panel.GetGroupsCount(&groups);
    EXPECT_GT(groups, 0) << first;
    for (long g = 0; g < groups; ++g) {
      long commands = 0;
      panel.GetCommandsCount(g, &commands);
      EXPECT_GT(commands, 0) << first << " group " << g;
      for (long c = 0; c < commands; ++c) {
        CalcCommand command = {};
        ASSERT_EQ(S_OK, panel.GetCommandDesc(g, c, &command));
        EXPECT_NE(-1, command.CalcCommandType) << first << " " << command.CalcCommandIdentifier;
        ::SysFreeString(command.CalcCommandText);
        ::SysFreeString(command.CalcCommandTooltip);
        ::SysFreeString(command.CalcCommandName);
      }
    }
  }
}

TEST_F(ShellResources, MenusAndAcceleratorsHavePromptsForEveryCommand) {
  std::set<UINT> commands;
  for (UINT id : {228u, 231u, static_cast<UINT>(IDR_TRAY_MENU), 287u, 288u}) {
    HMENU menu = ::LoadMenuW(s_resx, MAKEINTRESOURCEW(id));
    ASSERT_NE(nullptr, menu) << id;
    CollectCommands(menu, commands);
    if (id == IDR_TRAY_MENU) {
      EXPECT_EQ(static_cast<UINT>(ID_TRAY_RESTORE), ::GetMenuItemID(::GetSubMenu(menu, 0), 0)) << "the double-click command";
    }
    ::DestroyMenu(menu);
  }
  HACCEL accel = ::LoadAcceleratorsW(s_resx, MAKEINTRESOURCEW(228));
  ASSERT_NE(nullptr, accel);
  ACCEL entries[64];
  int count = ::CopyAcceleratorTableW(accel, entries, 64);
  EXPECT_GT(count, 0);
  for (int i = 0; i < count; ++i) commands.insert(entries[i].cmd);
  ::DestroyAcceleratorTable(accel);
  for (UINT id : commands) {
    CString prompt;
    EXPECT_TRUE(prompt.LoadString(id) && prompt.Find(L'\n') > 0) << id;
  }
}

TEST_F(ShellResources, CarriesTheTrayIconAndThePanelTemplate) {
  HICON icon = static_cast<HICON>(::LoadImageW(s_resx, MAKEINTRESOURCEW(IDI_TRAY_ICON), IMAGE_ICON, 16, 16, 0));
  EXPECT_NE(nullptr, icon);
  if (icon != nullptr) ::DestroyIcon(icon);
  EXPECT_NE(nullptr, ::FindResourceW(s_resx, MAKEINTRESOURCEW(IDD_COMMAND_PANEL), reinterpret_cast<LPCWSTR>(RT_DIALOG)));
}

TEST_F(ShellResources, CarriesTheShellDialogsAndPages) {
  for (UINT id : {273u, 288u, 103u})
    EXPECT_NE(nullptr, ::FindResourceW(s_resx, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(RT_DIALOG))) << id;
  for (UINT id : {2033u, 2034u, 1001u, 1002u, 1003u, 1004u}) {
    CString text;
    EXPECT_TRUE(text.LoadString(id) && !text.IsEmpty()) << id;
  }
  CString filter;
  ASSERT_TRUE(filter.LoadString(501));
  EXPECT_EQ(0, filter.Find(L"HTML")) << "HTML first, text second";
  EXPECT_GT(filter.Find(L"*.txt"), filter.Find(L"*.htm"));

  HMENU menu = ::LoadMenuW(s_resx, MAKEINTRESOURCEW(254));
  ASSERT_NE(nullptr, menu);
  HMENU items = ::GetSubMenu(menu, 0);
  ASSERT_NE(nullptr, items);
  EXPECT_EQ(3, ::GetMenuItemCount(items));
  EXPECT_EQ(22854u, ::GetMenuItemID(items, 0));
  EXPECT_EQ(22855u, ::GetMenuItemID(items, 1));
  EXPECT_EQ(22857u, ::GetMenuItemID(items, 2));
  ::DestroyMenu(menu);

  // The pages, as the browser's resource protocol finds them.
  for (LPCWSTR page : {L"INDEX.HTM", L"TIP.HTM"}) {
    HRSRC found = ::FindResourceW(s_resx, page, RT_HTML);
    ASSERT_NE(nullptr, found);
    const char* text = static_cast<const char*>(::LockResource(::LoadResource(s_resx, found)));
    const std::string html(text, ::SizeofResource(s_resx, found));
    EXPECT_NE(std::string::npos, html.find("<body>"));
    if (std::wstring(page) == L"TIP.HTM") EXPECT_NE(std::string::npos, html.find("function SetFrameSrc(src)"));
  }
}

}  // namespace
