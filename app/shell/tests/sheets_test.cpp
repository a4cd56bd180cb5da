// The settings sheet and the customization sheet of the running program, opened by their
// commands from another process: what the general, fonts and keyboard pages show and write, the
// page the settings sheet reopens on, and the pages the customization sheet offers.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "ProgramTestKit.h"

namespace {

// The program keeps its settings under a profile of this test's own (NUMBROOK_PROFILE).
const wchar_t kProfileName[] = L"NumbrookSheetsTest";
const wchar_t kProfile[] = L"Software\\Ferrow Software\\NumbrookSheetsTest";
const UINT kSettingsCommand = 22831;
const UINT kCustomizeCommand = 22883;
const UINT kAppExit = 0xE141;
enum { kMinToTray = 2070, kStartHidden = 2071, kCloseToTray = 2072, kAlwaysOnTop = 2074 };

void FreshProfile() { ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfile); }

void WriteDword(const std::wstring& section, const wchar_t* name, DWORD value) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(kProfile) + L"\\" + section).c_str(), 0,
                                             nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
  ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  ::RegCloseKey(key);
}

std::wstring ReadValue(const std::wstring& section, const std::wstring& name) {
  RegistryValues values = ReadRegistryValues(HKEY_CURRENT_USER, std::wstring(kProfile) + L"\\" + section);
  auto it = values.find(name);
  return it != values.end() ? it->second : L"<none>";
}

std::wstring WindowText(HWND hWnd) {
  wchar_t text[256] = {};
  ::GetWindowTextW(hWnd, text, 256);
  return text;
}

// A running program with a fresh profile (values written before Start() stay), its sheets opened
// by their commands; the program is ended at the end of each test.
class Sheets : public ::testing::Test {
protected:
  void SetUp() override {
    ::SetEnvironmentVariableW(L"NUMBROOK_PROFILE", kProfileName);
    FreshProfile();
  }
  void TearDown() override {
    if (program != nullptr) {
      ::PostMessageW(frame, WM_COMMAND, kAppExit, 0);
      EXPECT_TRUE(program->Ended());
    }
    program.reset();
    FreshProfile();
    ::SetEnvironmentVariableW(L"NUMBROOK_PROFILE", nullptr);
  }
  void Start() {
    program = std::make_unique<NumbrookProcess>(folder.Path(), L"");
    frame = program->Frame(true);
    ASSERT_NE(nullptr, frame);
  }
  // Opens a sheet by its command, on that page once it shows.
  void OpenSheet(UINT command, LPCWSTR caption, int iPage = -1) {
    ::PostMessageW(frame, WM_COMMAND, command, 0);
    sheet = program->Box(caption);
    ASSERT_NE(nullptr, sheet);
    ASSERT_TRUE(PumpUntil([&] { return ::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0) != 0; }));
    if (iPage >= 0) ::SendMessageW(sheet, PSM_SETCURSEL, (WPARAM)iPage, 0);
    page = (HWND)::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
  }
  // Presses a button of the sheet; true once the sheet has closed.
  bool Close(int button) {
    ::PostMessageW(sheet, WM_COMMAND, button, 0);
    return PumpUntil([&] { return !::IsWindow(sheet); });
  }
  // A modal box of the program with that caption, answered with a button.
  void Answer(LPCWSTR caption, int button) {
    HWND box = program->Box(caption);
    ASSERT_NE(nullptr, box) << "no box";
    ::PostMessageW(box, WM_COMMAND, button, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(box); }));
  }
  // Selects an item of a combo or list box of the page and tells the page.
  void Choose(int id, int index, UINT notification) {
    HWND control = FindControl(page, id);
    ::SendMessageW(control, notification == CBN_SELCHANGE ? CB_SETCURSEL : LB_SETCURSEL, index, 0);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, notification), (LPARAM)control);
  }
  void Click(int id) { ::PostMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)FindControl(page, id)); }

  ProgramFolder folder{kProgramFiles};
  std::unique_ptr<NumbrookProcess> program;
  HWND frame = nullptr, sheet = nullptr, page = nullptr;
};

TEST_F(Sheets, TheGeneralPageWithoutTheTrayAndItsOkWrittenAtOnce) {
  // Minimizing to the tray is off; the stored close-to-tray must not show.
  WriteDword(L"Settings\\Window", L"MinToTray", 0);
  WriteDword(L"Settings\\Window", L"CloseToTray", 1);
  Start();
  OpenSheet(kSettingsCommand, L"Settings");
  HWND startHidden = FindControl(page, kStartHidden), closeToTray = FindControl(page, kCloseToTray);
  ASSERT_NE(nullptr, startHidden);
  EXPECT_EQ(BST_UNCHECKED, ::SendMessageW(startHidden, BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_UNCHECKED, ::SendMessageW(closeToTray, BM_GETCHECK, 0, 0));
  EXPECT_FALSE(::IsWindowEnabled(startHidden));
  EXPECT_FALSE(::IsWindowEnabled(closeToTray));
  // Always on top, then OK.
  ::SendMessageW(FindControl(page, kAlwaysOnTop), BM_SETCHECK, BST_CHECKED, 0);
  Click(kAlwaysOnTop);
  ASSERT_TRUE(Close(IDOK));
  EXPECT_TRUE(PumpUntil([&] { return ReadValue(L"Settings", L"AlwaysOnTop") == L"1"; }));
  EXPECT_EQ(L"0", ReadValue(L"Settings\\Window", L"MinToTray"));
  EXPECT_EQ(L"0", ReadValue(L"Settings\\Window", L"CloseToTray"));
  EXPECT_EQ(L"1", ReadValue(L"Settings\\Window", L"ShowAtStartup"));
  EXPECT_TRUE(::GetWindowLongW(frame, GWL_EXSTYLE) & WS_EX_TOPMOST) << "always on top applies at once";
}

TEST_F(Sheets, TheSettingsSheetReopensOnThePageLastShown) {
  Start();
  OpenSheet(kSettingsCommand, L"Settings");
  EXPECT_NE(nullptr, FindControl(page, kMinToTray)) << "the first opening shows the general page";
  const int last = (int)::SendMessageW((HWND)::SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0), TCM_GETITEMCOUNT, 0, 0) - 1;
  ::SendMessageW(sheet, PSM_SETCURSEL, (WPARAM)last, 0);
  ASSERT_TRUE(Close(IDCANCEL));
  OpenSheet(kSettingsCommand, L"Settings");
  EXPECT_EQ(last, (int)::SendMessageW((HWND)::SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0), TCM_GETCURSEL, 0, 0));
  ASSERT_TRUE(Close(IDCANCEL));
}

TEST_F(Sheets, CustomizeOffersTheCommandsToolbarsMenuAndOptionsPages) {
  Start();
  OpenSheet(kCustomizeCommand, L"Customize");
  HWND tabs = (HWND)::SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0);
  // Each page by a control only it has: the categories, the toolbar list, the application
  // menus, the tooltips switch.
  const int marks[] = {16601, 16611, 16621, 16651};
  ASSERT_EQ(4, (int)::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < 4; i++) {
    ::SendMessageW(sheet, PSM_SETCURSEL, (WPARAM)i, 0);
    EXPECT_NE(nullptr, FindControl((HWND)::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0), marks[i])) << "page " << i;
  }
  EXPECT_EQ(L"Close", WindowText(::GetDlgItem(sheet, IDCANCEL)));
  ASSERT_TRUE(Close(IDCANCEL));
}

// ---- the fonts and colours page --------------------------------------------------------------------

enum { kFontSize = 2059, kLexemes = 2063, kUnderline = 2067, kDefaults = 2096 };

class FontsPage : public Sheets {
protected:
  void OpenFonts() {
    OpenSheet(kSettingsCommand, L"Settings", 1);
    ASSERT_NE(nullptr, FindControl(page, kFontSize));
  }
  void SetSize(const wchar_t* text) {
    HWND combo = FindControl(page, kFontSize);
    ::SendMessageW(combo, WM_SETTEXT, 0, (LPARAM)text);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(kFontSize, CBN_EDITCHANGE), (LPARAM)combo);
  }
};

TEST_F(FontsPage, SizesOutsideSixToThirtyAreRefusedAndTheEdgesStored) {
  Start();
  OpenFonts();
  SetSize(L"5");
  ::PostMessageW(sheet, WM_COMMAND, IDOK, 0);
  Answer(L"Font Size", IDOK);  // the refusal names the allowed sizes
  EXPECT_TRUE(::IsWindow(sheet)) << "the sheet stays open";
  EXPECT_EQ(L"<none>", ReadValue(L"Settings\\CodeFormat", L"CCFFontSize")) << "nothing is written";
  for (const auto& [text, stored] : {std::pair<const wchar_t*, const wchar_t*>{L"6", L"120"}, {L"30", L"600"}}) {
    if (!::IsWindow(sheet)) OpenFonts();
    SetSize(text);
    ASSERT_TRUE(Close(IDOK)) << text;
    EXPECT_TRUE(PumpUntil([&] { return ReadValue(L"Settings\\CodeFormat", L"CCFFontSize") == stored; })) << text;
    EXPECT_EQ(L"1", ReadValue(L"Settings\\CodeFormat", L"Lexeme10Bold")) << "a font change keeps the bracket highlight bold";
  }
}

TEST_F(FontsPage, AWaveUnderlineSurvivesReopeningAndIsSavedAsItsKind) {
  Start();
  OpenFonts();
  Choose(kLexemes, 0, LBN_SELCHANGE);
  Choose(kUnderline, 3, CBN_SELCHANGE);  // None, Simple, Dotted, Wave
  ASSERT_TRUE(Close(IDOK));
  EXPECT_TRUE(PumpUntil([&] { return ReadValue(L"Settings\\CodeFormat", L"Lexeme1Underline") == L"8"; }));
  OpenFonts();
  EXPECT_EQ(3, (int)::SendMessageW(FindControl(page, kUnderline), CB_GETCURSEL, 0, 0));
  // The defaults take every underline away again.
  ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(kDefaults, BN_CLICKED), (LPARAM)FindControl(page, kDefaults));
  EXPECT_EQ(0, (int)::SendMessageW(FindControl(page, kUnderline), CB_GETCURSEL, 0, 0));
  ASSERT_TRUE(Close(IDOK));
  EXPECT_TRUE(PumpUntil([&] { return ReadValue(L"Settings\\CodeFormat", L"Lexeme1Underline") == L"0"; }));
  EXPECT_EQ(L"220", ReadValue(L"Settings\\CodeFormat", L"CCFFontSize"));
  EXPECT_EQ(L"1", ReadValue(L"Settings\\CodeFormat", L"Lexeme10Bold"));
}

// ---- the keyboard page -----------------------------------------------------------------------------

TEST_F(Sheets, TheKeyboardPageAddsActionsAndAsksAboutMissingAndSharedKeys) {
  enum { kAdd = 2085, kActions = 2051, kNameEdit = 2086 };
  Start();
  OpenSheet(kSettingsCommand, L"Settings", 2);
  HWND list = FindControl(page, kActions);
  ASSERT_NE(nullptr, list);
  auto add = [&](const wchar_t* name) {
    Click(kAdd);
    HWND dialog = program->Box(L"New Action");
    ASSERT_NE(nullptr, dialog);
    // Typed once the dialog is set up; OK once the name has enabled it.
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(dialog) && ::GetDlgItem(dialog, kNameEdit) != nullptr; }));
    ::SendMessageW(::GetDlgItem(dialog, kNameEdit), WM_SETTEXT, 0, (LPARAM)name);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(::GetDlgItem(dialog, IDOK)) != FALSE; }));
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(dialog); }));
  };
  add(L"Sum");
  add(L"sum");  // letter case counts: a second action
  ASSERT_TRUE(PumpUntil([&] { return ::SendMessageW(list, LB_GETCOUNT, 0, 0) == 2; }));
  add(L"Sum");  // the same name is refused
  Answer(L"Action Name", IDOK);
  EXPECT_EQ(2, (int)::SendMessageW(list, LB_GETCOUNT, 0, 0));
  // OK: no show/hide key, then both new actions share Scroll Lock.
  ::PostMessageW(sheet, WM_COMMAND, IDOK, 0);
  Answer(L"No key", IDYES);
  Answer(L"Keys Used Twice", IDYES);
  ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(sheet); }));
  EXPECT_TRUE(PumpUntil([&] { return ReadValue(L"Settings\\Keyboard", L"KbdActionsCount") == L"2"; }));
  EXPECT_EQ(L"\"Sum\"", ReadValue(L"Settings\\Keyboard", L"Action1Name"));
  EXPECT_EQ(L"\"sum\"", ReadValue(L"Settings\\Keyboard", L"Action2Name"));
  // A new action's defaults.
  EXPECT_EQ(L"\"%d\"", ReadValue(L"Settings\\Keyboard", L"Action1Template"));
  EXPECT_EQ(L"0", ReadValue(L"Settings\\Keyboard", L"Action1Processing"));
  EXPECT_EQ(L"1", ReadValue(L"Settings\\Keyboard", L"Action1Activated"));
  EXPECT_EQ(L"8406673", ReadValue(L"Settings\\Keyboard", L"Action1KeyHandle"));
  EXPECT_EQ(L"1", ReadValue(L"Settings\\Keyboard", L"Action1Pass"));
}

}  // namespace
