// The settings: the managers' own defaults, their limits, and the registry round trip of the
// settings loader and saver over a fresh, a full and a damaged profile.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "FwComSupport.h"
#include "MainInterfaceRoot.h"
#include "FreshProfileTable.h"
#include "ProgramDriver.h"
#include "ShellSettings.h"
#include "ShellTestKit.h"

CWinApp theApp(L"ShellSettingsTest");

namespace {

// One registry section of the profile.
typedef RegistryValues Values;
Values ReadSection(const CString& profile, LPCWSTR section) {
  return ReadRegistryValues(HKEY_CURRENT_USER, static_cast<LPCWSTR>(profile + L"\\" + section));
}

void WriteDword(const CString& profile, LPCWSTR section, LPCWSTR name, DWORD value) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, profile + L"\\" + section, name, REG_DWORD, &value, sizeof(value));
}

void WriteText(const CString& profile, LPCWSTR section, LPCWSTR name, LPCWSTR text) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, profile + L"\\" + section, name, REG_SZ, text,
                    static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
}

// Action `index` of the settings manager has these fields.
void ExpectAction(CSettingsManager& settings, long index, long processing, LPCWSTR answer, LPCWSTR name,
                  long activated, long key, long pass) {
  CalcActionEx action = {};
  ASSERT_EQ(S_OK, settings.GetKbdActionEx(index, &action));
  EXPECT_EQ(processing, action.BaseAction.Processing);
  EXPECT_STREQ(answer, action.BaseAction.Template);
  EXPECT_STREQ(name, action.Name);
  EXPECT_EQ(activated, action.Activated);
  EXPECT_EQ(key, action.KeyHandle);
  EXPECT_EQ(pass, action.Pass);
  ::SysFreeString(action.Name);
  ::SysFreeString(action.BaseAction.Template);
}

class Settings : public ::testing::Test {
protected:
  void SetUp() override {
    m_profile = FreshProfile();
    m_frame.formatter = &m_formatter;
  }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, m_profile); }

  CString m_profile;
  TestFrame m_frame;
  FormatterDouble m_formatter;
  // The panel windows hold the panels: the root goes first.
  CommandPanels m_panels;
  CMainInterface m_root{&m_frame};
  CSettingsManager& settings() { return m_root.GetSettings(); }
};

// ---- the managers -------------------------------------------------------------------------------

TEST_F(Settings, ManagersStartWithTheDefaults) {
  VARIANT_BOOL flag = 0;
  long number = -7;
  EXPECT_TRUE(SUCCEEDED(settings().get_ShowAtStartup(&flag)) && flag == VARIANT_TRUE);
  EXPECT_TRUE(SUCCEEDED(settings().get_PassShowHideKey(&flag)) && flag == VARIANT_FALSE);
  EXPECT_TRUE(SUCCEEDED(settings().get_AlwaysOnTop(&flag)) && flag == VARIANT_FALSE);
  EXPECT_TRUE(SUCCEEDED(settings().get_ShowHideKey(&number)) && number == 0);
  EXPECT_TRUE(SUCCEEDED(settings().get_KbdActionsCount(&number)) && number == 0);
  VisualStyle style = VsSimple;
  DocumentModel model = SDI;
  FnProcessing processing = FpReplace;
  EXPECT_TRUE(SUCCEEDED(settings().get_CurrentStyle(&style)) && style == VsOffice2003);
  EXPECT_TRUE(SUCCEEDED(settings().get_DocModel(&model)) && model == PDI);
  EXPECT_TRUE(SUCCEEDED(settings().get_CurrentFnProcessing(&processing)) && processing == FpInsert);
  EXPECT_TRUE(SUCCEEDED(m_root.GetTray().get_MinToTray(&flag)) && flag == VARIANT_TRUE);
  EXPECT_TRUE(SUCCEEDED(m_root.GetTray().get_CloseToTray(&flag)) && flag == VARIANT_TRUE);
}

TEST_F(Settings, NewActionsHaveTheDefaultsAndShrinkingDropsThem) {
  ASSERT_EQ(S_OK, settings().put_KbdActionsCount(2));
  ExpectAction(settings(), 1, ApReplace, L"%d", L"", 1, 8406673, 1);

  _bstr_t name(L"Sum"), answer(L"%s = %d");
  CalcActionEx changed = {{ApPopupTray, answer}, name, 0, 123, 0};
  ASSERT_EQ(S_OK, settings().SetKbdActionEx(0, changed));
  ASSERT_EQ(S_OK, settings().put_KbdActionsCount(0));
  ASSERT_EQ(S_OK, settings().put_KbdActionsCount(1));
  long key = 0;
  EXPECT_TRUE(SUCCEEDED(settings().GetKeyHandle(0, &key)) && key == 8406673) << "a shrunk action comes back new";
}

TEST_F(Settings, BadCountsAndIndexesAnswerInvalidArgument) {
  ASSERT_EQ(S_OK, settings().put_KbdActionsCount(1));
  EXPECT_EQ(E_INVALIDARG, settings().put_KbdActionsCount(-1));
  EXPECT_EQ(E_INVALIDARG, settings().put_KbdActionsCount(1025));
  long count = 0;
  settings().get_KbdActionsCount(&count);
  EXPECT_EQ(1, count) << "a refused count changes nothing";

  long number = 0;
  VARIANT_BOOL flag = 0;
  CalcAction action = {};
  CalcActionEx actionEx = {};
  for (long index : {-1L, 1L, 1000L}) {
    EXPECT_EQ(E_INVALIDARG, settings().GetKeyHandle(index, &number)) << index;
    EXPECT_EQ(E_INVALIDARG, settings().GetKeyPass(index, &flag)) << index;
    EXPECT_EQ(E_INVALIDARG, settings().GetKeyActivated(index, &flag)) << index;
    EXPECT_EQ(E_INVALIDARG, settings().GetKbdAction(index, &action)) << index;
    EXPECT_EQ(E_INVALIDARG, settings().GetKbdActionEx(index, &actionEx)) << index;
    EXPECT_EQ(E_INVALIDARG, settings().SetKbdActionEx(index, actionEx)) << index;
  }
}

TEST_F(Settings, StyleSelectsOnlyKnownLooks) {
  EXPECT_EQ(S_OK, settings().put_CurrentStyle(VsOfficeXP));
  EXPECT_EQ(S_OK, settings().put_CurrentStyle(static_cast<VisualStyle>(7)));
  VisualStyle style = VsSimple;
  settings().get_CurrentStyle(&style);
  EXPECT_EQ(7, style);
  EXPECT_EQ(std::vector<int>{VsOfficeXP}, m_frame.looks);
}

TEST_F(Settings, AlwaysOnTopPlacesTheWindow) {
  HWND frame = m_frame.GetFrameHwnd();
  settings().put_AlwaysOnTop(VARIANT_TRUE);
  EXPECT_TRUE(::GetWindowLongW(frame, GWL_EXSTYLE) & WS_EX_TOPMOST);
  settings().put_AlwaysOnTop(VARIANT_FALSE);
  EXPECT_FALSE(::GetWindowLongW(frame, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(Settings, PersistManagerReadsDefaultsForMissingAndDamagedValues) {
  IKivPersistManager* persist = nullptr;
  ASSERT_EQ(S_OK, m_root.GetPersistManager(&persist));
  _bstr_t section(L"Settings\\Test"), number(L"Number"), text(L"Text"), fallback(L"fallback");
  long value = 0;
  EXPECT_EQ(S_OK, persist->ReadInteger(section, number, 42, &value));
  EXPECT_EQ(42, value);
  WriteText(m_profile, L"Settings\\Test", L"Number", L"not a number");
  EXPECT_EQ(S_OK, persist->ReadInteger(section, number, 43, &value));
  EXPECT_EQ(43, value);
  EXPECT_EQ(S_OK, persist->WriteInteger(section, number, -5));
  EXPECT_EQ(S_OK, persist->ReadInteger(section, number, 0, &value));
  EXPECT_EQ(-5, value);

  BSTR read = nullptr;
  WriteDword(m_profile, L"Settings\\Test", L"Text", 9);
  EXPECT_EQ(S_OK, persist->ReadString(section, text, fallback, &read));
  EXPECT_STREQ(L"fallback", read);
  ::SysFreeString(read);
  EXPECT_EQ(S_OK, persist->WriteString(section, text, _bstr_t(L"Grüße")));
  EXPECT_EQ(S_OK, persist->ReadString(section, text, fallback, &read));
  EXPECT_STREQ(L"Grüße", read);
  ::SysFreeString(read);

  VARIANT blob;
  ::VariantInit(&blob);
  EXPECT_EQ(E_NOTIMPL, persist->WriteBLOB(section, text, blob));
  EXPECT_EQ(E_NOTIMPL, persist->ReadBLOB(section, text, &blob));
}

// ---- load and save ------------------------------------------------------------------------------

TEST_F(Settings, FreshProfileLoadsTheDefaults) {
  ASSERT_EQ(S_OK, LoadShellSettings(&m_root, m_panels));
  EXPECT_EQ(AutoColor, m_formatter.common.CcfBackColor);
  EXPECT_EQ(220, m_formatter.common.CcfFontHeight);
  EXPECT_EQ(1, m_formatter.common.CcfFontCharSet);
  EXPECT_STREQ(L"Courier New", m_formatter.fontName);
  for (int type = LexemeTypeMin; type <= LexemeTypeMax; ++type) {
    const CharFormat& f = m_formatter.chars[type];
    EXPECT_EQ(AutoColor, f.CfBackColor) << type;
    EXPECT_EQ(AutoColor, f.CfForeColor) << type;
    EXPECT_EQ(type == LexemeTypeBracketsHilight ? 1 : 0, f.CfBold) << type;
    EXPECT_EQ(0, f.CfItalic + f.CfStrikeout + f.CfUnderline) << type;
  }
  EXPECT_EQ(1, m_formatter.endUpdates);
  long count = -1;
  settings().get_KbdActionsCount(&count);
  EXPECT_EQ(0, count);
  EXPECT_EQ(3u, m_frame.tabs.size()) << "the three command panels";
  EXPECT_TRUE(m_panels.firstDefined && m_panels.categories && m_panels.secondDefined);
}

TEST_F(Settings, SavingAFreshLoadWritesTheDefaultTable) {
  ASSERT_EQ(S_OK, LoadShellSettings(&m_root, m_panels));
  ASSERT_TRUE(SaveShellSettings(&m_root, 300));

  for (const auto& [section, values] : FreshProfileTable())
    EXPECT_EQ(values, ReadSection(m_profile, section.c_str())) << section.c_str();
}

TEST_F(Settings, ChangedSettingsComeBackAfterSaveAndLoad) {
  ASSERT_EQ(S_OK, LoadShellSettings(&m_root, m_panels));
  m_formatter.chars[LexemeTypeComment] = CharFormat{0x00FF00, 0x0000FF, 1, 1, 1, UnderlineTypeWave};
  m_formatter.fontName = L"Consolas";
  m_root.GetTray().put_MinToTray(VARIANT_FALSE);
  settings().put_ShowAtStartup(VARIANT_FALSE);
  settings().put_ShowHideKey(0x1234);
  settings().put_PassShowHideKey(VARIANT_TRUE);
  settings().put_KbdActionsCount(2);
  _bstr_t name(L"Sum"), answer(L"%s = %d");
  settings().SetKbdActionEx(1, CalcActionEx{{ApCopyToClipboard, answer}, name, 0, 4321, 7});
  m_frame.activeTab = 2;
  ASSERT_TRUE(SaveShellSettings(&m_root, 250));

  EXPECT_EQ(L"1", ReadSection(m_profile, L"Settings\\Keyboard")[L"Action2Pass"]) << "flags are saved as 0 or 1";

  TestFrame frame;
  FormatterDouble formatter;
  frame.formatter = &formatter;
  CommandPanels loaded;
  CMainInterface root(&frame);
  ASSERT_EQ(S_OK, LoadShellSettings(&root, loaded));
  const CharFormat& comment = formatter.chars[LexemeTypeComment];
  EXPECT_EQ(0x00FF00u, comment.CfBackColor);
  EXPECT_EQ(0x0000FFu, comment.CfForeColor);
  EXPECT_EQ(UnderlineTypeWave, comment.CfUnderline);
  EXPECT_EQ(1, comment.CfBold);
  EXPECT_EQ(1, comment.CfItalic);
  EXPECT_EQ(1, comment.CfStrikeout);
  EXPECT_STREQ(L"Consolas", formatter.fontName);
  VARIANT_BOOL flag = 0;
  long number = 0;
  root.GetTray().get_MinToTray(&flag);
  EXPECT_EQ(VARIANT_FALSE, flag);
  root.GetSettings().get_ShowAtStartup(&flag);
  EXPECT_EQ(VARIANT_FALSE, flag);
  root.GetSettings().get_PassShowHideKey(&flag);
  EXPECT_EQ(VARIANT_TRUE, flag);
  root.GetSettings().get_ShowHideKey(&number);
  EXPECT_EQ(0x1234, number);
  EXPECT_EQ(2, frame.activeTab);
  ExpectAction(root.GetSettings(), 1, ApCopyToClipboard, L"%s = %d", L"Sum", 0, 4321, 1);
}

TEST_F(Settings, DamagedActionValuesLoadAsTheirFallbacks) {
  struct Case {
    DWORD stored;
    long loaded;
  } counts[] = {{5000, 1024}, {static_cast<DWORD>(-3), 0}, {1, 1}};
  for (const Case& c : counts) {
    WriteDword(m_profile, L"Settings\\Keyboard", L"KbdActionsCount", c.stored);
    WriteText(m_profile, L"Settings\\Keyboard", L"Action1KeyHandle", L"damaged");
    ASSERT_EQ(S_OK, LoadShellSettings(&m_root, m_panels));
    long count = -1;
    settings().get_KbdActionsCount(&count);
    EXPECT_EQ(c.loaded, count) << c.stored;
    if (count == 0) continue;
    ExpectAction(settings(), 0, -1, L"", L"", -1, -1, -1);
  }
}

TEST_F(Settings, SaveWritesWhatItCanAndReportsTheFailure) {
  m_formatter.failCommonFormat = true;
  settings().put_ShowHideKey(77);
  EXPECT_FALSE(SaveShellSettings(&m_root, 300));
  Values keyboard = ReadSection(m_profile, L"Settings\\Keyboard");
  EXPECT_EQ(L"77", keyboard[L"ShowHideKey"]);
  EXPECT_EQ(L"0", ReadSection(m_profile, L"Settings\\CodeFormat")[L"Lexeme1Bold"]);
  EXPECT_EQ(0u, ReadSection(m_profile, L"Settings\\CodeFormat").count(L"CCFFontName"));
}

}  // namespace
