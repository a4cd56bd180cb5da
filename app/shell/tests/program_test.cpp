// Numbrook.exe driven from outside, as a user meets it: a copy of the program in a folder of its
// own is started, typed into with posted keys, asked for commands and ended; its worksheet file
// and its registry settings are read afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FreshProfileTable.h"
#include "ProgramDriver.h"
#include "ProgramTestKit.h"
#include "TestPump.h"

namespace {

// The program keeps its settings under a profile of this program's own (NUMBROOK_PROFILE).
const wchar_t kProfileName[] = L"NumbrookProgramTest";
const wchar_t kProfile[] = L"Software\\Ferrow Software\\NumbrookProgramTest";
const UINT kTrayCallback = 1124;
const UINT kTrayIconId = 253;
const UINT kHelpContents = 22832;
const UINT kAppExit = 0xE141;  // the Exit command
const UINT kFileExport = 22908;
const UINT kTipOfTheDay = 40001;
const int kSeparatorEdit = 2072;


// One registry section of the profile.
typedef RegistryValues Values;
Values ReadSection(const std::wstring& section) {
  return ReadRegistryValues(HKEY_CURRENT_USER, std::wstring(kProfile) + L"\\" + section);
}

DWORD ReadProfileDword(const std::wstring& section, const std::wstring& name, DWORD fallback) {
  DWORD value = 0, size = sizeof(value);
  if (::RegGetValueW(HKEY_CURRENT_USER, (std::wstring(kProfile) + L"\\" + section).c_str(), name.c_str(),
                     RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
    return fallback;
  return value;
}

// A fresh user: no settings and no worksheet.
void FreshProfile() {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfile);
  ::DeleteFileW(AppDataWorksheet().c_str());
}

class NumbrookProgram : public ::testing::Test {
protected:
  void SetUp() override {
    ::SetEnvironmentVariableW(L"NUMBROOK_PROFILE", kProfileName);
    FreshProfile();
  }
  void TearDown() override {
    FreshProfile();
    ::SetEnvironmentVariableW(L"NUMBROOK_PROFILE", nullptr);
  }
};

// ---- the worksheet --------------------------------------------------------------------------------

TEST_F(NumbrookProgram, TypedWorksheetIsCalculatedSavedAndShownAfterARestart) {
  ProgramFolder folder(kProgramFiles);  // no sample worksheet
  {
    NumbrookProcess program(folder.Path(), L"");
    ASSERT_TRUE(program.Started());
    HWND frame = program.Frame(true);
    ASSERT_NE(nullptr, frame);
    auto panes = WorksheetPanes(frame);
    ASSERT_NE(nullptr, panes.first);
    EXPECT_EQ(L"", EditorText(panes.first));
    Type(panes.first, L"1+2; 3*4\nx := 5\nx*2");
    EXPECT_TRUE(PumpUntil([&] { return EditorText(panes.second) == L"3; 12\r\n5\r\n10"; }))
        << EditorText(panes.second).c_str();

    ::PostMessageW(frame, WM_COMMAND, kAppExit, 0);
    ASSERT_TRUE(program.Ended());
  }
  EXPECT_EQ("1+2; 3*4\r\nx := 5\r\nx*2", ReadFileBytes(AppDataWorksheet()));

  // The settings table of a fresh start, written at exit.
  for (const auto& [section, values] : FreshProfileTable()) EXPECT_EQ(values, ReadSection(section)) << section.c_str();

  NumbrookProcess again(folder.Path(), L"");
  HWND frame = again.Frame(true);
  ASSERT_NE(nullptr, frame);
  auto panes = WorksheetPanes(frame);
  // The caret starts on a new empty line after the worksheet.
  EXPECT_TRUE(PumpUntil([&] { return EditorText(panes.second) == L"3; 12\r\n5\r\n10\r\n"; }))
      << EditorText(panes.second).c_str();
  EXPECT_EQ(L"1+2; 3*4\r\nx := 5\r\nx*2\r\n", EditorText(panes.first));
}

TEST_F(NumbrookProgram, SampleIsCopiedOnceAndNeverOverAWorksheet) {
  ProgramFolder folder(kProgramFiles);
  folder.Add(L"NumbrookDoc.txt");
  const std::string sample = ReadFileBytes(L"NumbrookDoc.txt");
  {
    NumbrookProcess program(folder.Path(), L"");
    HWND frame = program.Frame(true);
    ASSERT_NE(nullptr, frame);
    ::PostMessageW(frame, WM_COMMAND, kAppExit, 0);
    ASSERT_TRUE(program.Ended());
  }
  EXPECT_EQ(sample, ReadFileBytes(AppDataWorksheet()));

  ASSERT_TRUE(WriteFileBytes(AppDataWorksheet(), "6*7"));
  NumbrookProcess program(folder.Path(), L"");
  HWND frame = program.Frame(true);
  ASSERT_NE(nullptr, frame);
  auto panes = WorksheetPanes(frame);
  EXPECT_TRUE(PumpUntil([&] { return EditorText(panes.second) == L"42\r\n"; })) << EditorText(panes.second).c_str();
  EXPECT_EQ(L"6*7\r\n", EditorText(panes.first));
}

// ---- the notification area ------------------------------------------------------------------------

class TraySwitch : public NumbrookProgram, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(TraySwitch, StartsHiddenAndASecondStartBringsItBack) {
  ProgramFolder folder(kProgramFiles);
  NumbrookProcess first(folder.Path(), GetParam());
  HWND frame = first.Frame(false);
  ASSERT_NE(nullptr, frame);
  ASSERT_TRUE(first.Settled());
  EXPECT_FALSE(::IsWindowVisible(frame));

  NumbrookProcess second(folder.Path(), L"");
  EXPECT_TRUE(second.Ended());
  EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(frame) != FALSE; }));
  EXPECT_FALSE(first.Ended(0));
}

INSTANTIATE_TEST_SUITE_P(AnyCaseAndFlag, TraySwitch, ::testing::Values(L"/TRAY", L"-tray"));

TEST_F(NumbrookProgram, TrayDoubleClickShowsTheWindowAndTheTipOnce) {
  ProgramFolder folder(kProgramFiles);
  NumbrookProcess program(folder.Path(), L"/tray");
  HWND frame = program.Frame(false);
  ASSERT_NE(nullptr, frame);
  ASSERT_TRUE(program.Settled());
  ASSERT_FALSE(::IsWindowVisible(frame));

  ::PostMessageW(frame, kTrayCallback, kTrayIconId, WM_LBUTTONDBLCLK);
  HWND tip = program.Box(L"Numbrook in the notification area");
  ASSERT_NE(nullptr, tip);
  EXPECT_TRUE(::IsWindowVisible(frame));
  EXPECT_EQ(0u, ReadProfileDword(L"Settings", L"ShowTipAboutShowHide", 1));
  ::PostMessageW(tip, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(tip); }));

  // Hidden again and double-clicked again: the window, no second tip. The tip would be shown
  // before the notification returns: the sent notification coming back is the proof.
  ::ShowWindow(frame, SW_HIDE);
  DWORD_PTR handled = 0;
  EXPECT_NE(0, ::SendMessageTimeoutW(frame, kTrayCallback, kTrayIconId, WM_LBUTTONDBLCLK, SMTO_NORMAL, kPumpTimeoutMs,
                                     &handled))
      << "the notification did not return: a tip is open";
  EXPECT_TRUE(::IsWindowVisible(frame));
  EXPECT_EQ(nullptr, ::FindWindowW(nullptr, L"Numbrook in the notification area"));
}

TEST_F(NumbrookProgram, MessageBoxRaisedInTheTrayShowsTheWindowFirst) {
  ProgramFolder folder(kProgramFiles);  // no help file: the help command answers with a message
  NumbrookProcess program(folder.Path(), L"/tray");
  HWND frame = program.Frame(false);
  ASSERT_NE(nullptr, frame);
  ASSERT_TRUE(program.Settled());
  ASSERT_FALSE(::IsWindowVisible(frame));

  ::PostMessageW(frame, WM_COMMAND, kHelpContents, 0);
  HWND box = program.Box(L"Help not found");
  ASSERT_NE(nullptr, box);
  EXPECT_TRUE(::IsWindowVisible(frame));
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// ---- dialogs --------------------------------------------------------------------------------------

TEST_F(NumbrookProgram, ExportWritesTheWorksheetWithTheOptionsOfItsDialog) {
  ProgramFolder folder(kProgramFiles);
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring target = std::wstring(temp) + L"numbrook_export_" + std::to_wstring(::GetCurrentProcessId()) + L".txt";
  ::DeleteFileW(target.c_str());
  NumbrookProcess program(folder.Path(), L"");
  HWND frame = program.Frame(true);
  ASSERT_NE(nullptr, frame);
  auto panes = WorksheetPanes(frame);
  ASSERT_NE(nullptr, panes.first);
  Type(panes.first, L"1+2\nx := 5");
  ASSERT_TRUE(PumpUntil([&] { return EditorText(panes.second) == L"3\r\n5"; })) << EditorText(panes.second).c_str();

  // Cancel asks nothing and writes nothing.
  ::PostMessageW(frame, WM_COMMAND, kFileExport, 0);
  HWND dialog = program.Box(L"Save As");
  ASSERT_NE(nullptr, dialog);
  ::SendMessageW(FindControl(dialog, kSeparatorEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(dialog); }));
  // The question would have come before the dialog could close.
  EXPECT_EQ(nullptr, program.Box(L"Export", 0));

  // A text export, results after " = ", numbered lines.
  ::PostMessageW(frame, WM_COMMAND, kFileExport, 0);
  dialog = program.Box(L"Save As");
  ASSERT_NE(nullptr, dialog);
  HWND name = ::GetDlgItem(dialog, cmb13) != nullptr ? ::GetDlgItem(dialog, cmb13) : ::GetDlgItem(dialog, edt1);
  ASSERT_NE(nullptr, name);
  ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
  HWND types = ::GetDlgItem(dialog, cmb1);
  ASSERT_NE(nullptr, types);
  ::SendMessageW(types, CB_SETCURSEL, 1, 0);
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
  HWND separator = FindControl(dialog, kSeparatorEdit);
  ASSERT_NE(nullptr, separator);
  EXPECT_TRUE(::IsWindowEnabled(separator)) << "a text export with results takes a separator";
  ::SendMessageW(separator, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"[#0032]=[#0032]"));
  ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(PumpUntil([&] { return ReadFileBytes(target) != "<missing>"; }));
  EXPECT_EQ("1:\t1+2 = 3\r\n2:\tx := 5 = 5\r\n", ReadFileBytes(target));
  ::DeleteFileW(target.c_str());
}

TEST_F(NumbrookProgram, TipOfTheDayOpensAndCloses) {
  ProgramFolder folder(kProgramFiles);
  NumbrookProcess program(folder.Path(), L"");
  HWND frame = program.Frame(true);
  ASSERT_NE(nullptr, frame);
  ::PostMessageW(frame, WM_COMMAND, kTipOfTheDay, 0);
  HWND tip = program.Box(L"Tip of the Day");
  ASSERT_NE(nullptr, tip);
  // The browser is made while the dialog sets itself up, after its window shows up.
  EXPECT_TRUE(PumpUntil([&] { return ::GetDlgItem(tip, 1004) != nullptr; })) << "the browser";
  ::PostMessageW(tip, WM_COMMAND, 3, 0);  // no page here: nothing to show
  ::PostMessageW(tip, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(tip); }));
  EXPECT_TRUE(::IsWindowEnabled(frame)) << "the frame is given back";
}

// ---- missing libraries ----------------------------------------------------------------------------

struct MissingLibrary {
  const wchar_t* file;
  const wchar_t* caption;
};

class MissingLibraries : public NumbrookProgram, public ::testing::WithParamInterface<MissingLibrary> {};

TEST_P(MissingLibraries, EndWithTheirMessage) {
  std::vector<std::wstring> files;
  for (const std::wstring& file : kProgramFiles)
    if (file != GetParam().file) files.push_back(file);
  ProgramFolder folder(files);
  // The current folder (the build's) holds every library: only the program's folder counts.
  wchar_t current[MAX_PATH];
  ::GetCurrentDirectoryW(MAX_PATH, current);
  NumbrookProcess program(folder.Path(), L"", current);
  HWND box = program.Box(GetParam().caption);
  ASSERT_NE(nullptr, box);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(program.Ended());
}

INSTANTIATE_TEST_SUITE_P(Libraries, MissingLibraries,
                         ::testing::Values(MissingLibrary{L"BrookResx.dll", L"BrookResx.dll not found"},
                                           MissingLibrary{L"BrookEdit.dll", L"Editor library not found"}));

TEST_F(NumbrookProgram, AutomationStartsEndAtOnce) {
  ProgramFolder folder(kProgramFiles);
  for (const wchar_t* flag : {L"/Embedding", L"/Automation"}) {
    NumbrookProcess program(folder.Path(), flag);
    EXPECT_TRUE(program.Ended()) << flag;
  }
  // They held no instance: a normal start shows its window.
  NumbrookProcess program(folder.Path(), L"");
  EXPECT_NE(nullptr, program.Frame(true));
}

}  // namespace
