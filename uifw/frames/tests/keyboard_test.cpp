// The keyboard manager in a test application: stored tables, installing and resetting the frame's
// table, exact key tests, shortcut texts and upper-case mnemonics.
#include "looks/UfxAccelText.h"
#include "frames/UfxKeyboardManager.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

class CKeyboardTestApp : public CWinApp {
public:
  CKeyboardTestApp() : CWinApp(L"KeyboardTest") {}
};
CKeyboardTestApp theApp;

const UINT kIdFrame = 300;
const wchar_t kSection[] = L"Software\\Ferrow Software\\KeyboardTest\\";

std::vector<ACCEL> Entries(HACCEL h) {
  std::vector<ACCEL> v((size_t)::CopyAcceleratorTableW(h, nullptr, 0));
  if (!v.empty()) ::CopyAcceleratorTableW(h, v.data(), (int)v.size());
  return v;
}

// A frame with the resource table, the thread's main window while the test runs.
class KeyboardTest : public ::testing::Test {
protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kSection);
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Keys"));
    frame->m_nIDHelp = kIdFrame;
    frame->m_hAccelTable = ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIdFrame));
    ASSERT_NE(nullptr, frame->m_hAccelTable);
    theApp.m_pMainWnd = frame;
    AfxSetResourceHandle(::GetModuleHandleW(nullptr));
  }
  void TearDown() override {
    theApp.m_pMainWnd = nullptr;
    frame->DestroyWindow();  // the frame deletes itself
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kSection);
    CUfxKeyboardManager::CleanUp();
  }
  CFrameWnd* frame = nullptr;
  CUfxKeyboardManager km;
};

TEST_F(KeyboardTest, TheFrameTableIsStoredAndInstalledAgain) {
  ACCEL custom[] = {{FVIRTKEY | FCONTROL, 'S', 40001}, {FVIRTKEY, VK_F5, 40002}, {FVIRTKEY | FALT, 'R', 40003}};
  ASSERT_TRUE(CUfxKeyboardManager::UpdateAccelTable(nullptr, custom, 3));
  HACCEL hCustom = frame->m_hAccelTable;
  ASSERT_TRUE(km.SaveState(kSection));
  BYTE bytes[64];
  DWORD cb = sizeof(bytes);
  ASSERT_EQ(ERROR_SUCCESS, ::RegGetValueW(HKEY_CURRENT_USER, CString(kSection) + L"UfxKeyboard-0", L"Accelerators",
                                          RRF_RT_REG_BINARY, nullptr, bytes, &cb));
  ASSERT_EQ(18u, cb);
  EXPECT_EQ(FVIRTKEY | FALT, bytes[12]);
  EXPECT_EQ('R', bytes[14]);
  EXPECT_EQ(40003, bytes[16] | bytes[17] << 8);

  km.ResetAll();  // back to the resource table; the customised one is destroyed
  EXPECT_EQ(2u, Entries(frame->m_hAccelTable).size());
  EXPECT_EQ(0, ::CopyAcceleratorTableW(hCustom, nullptr, 0));

  ASSERT_TRUE(km.LoadState(kSection));
  const std::vector<ACCEL> loaded = Entries(frame->m_hAccelTable);
  ASSERT_EQ(3u, loaded.size());
  EXPECT_EQ(40003, loaded[2].cmd);
}

TEST_F(KeyboardTest, DamagedOrMissingTablesInstallNothing) {
  HACCEL hBefore = frame->m_hAccelTable;
  EXPECT_EQ(nullptr, km.LoadAccelTable(kSection, 0));
  const BYTE empty[1] = {0};
  ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(HKEY_CURRENT_USER, CString(kSection) + L"UfxKeyboard-0", L"Accelerators",
                                             REG_BINARY, empty, 0));
  km.LoadState(kSection);
  EXPECT_EQ(hBefore, frame->m_hAccelTable);
  // A key name too long for the registry cannot be created: nothing written, FALSE.
  EXPECT_FALSE(km.SaveAccelTable(CString(L'x', 300), 0, frame->m_hAccelTable));
}

TEST_F(KeyboardTest, KeysMatchTheirFlagsExactly) {
  ACCEL table[] = {{FVIRTKEY | FCONTROL, 'S', 40001}, {FVIRTKEY | FCONTROL | FSHIFT, 'S', 40004}};
  ASSERT_TRUE(CUfxKeyboardManager::UpdateAccelTable(nullptr, table, 1));  // Ctrl+S only
  const struct {
    BYTE flags;
    BOOL found;
  } cases[] = {{FVIRTKEY | FCONTROL, TRUE}, {FVIRTKEY | FCONTROL | FSHIFT, FALSE}, {FVIRTKEY, FALSE}};
  for (const auto& c : cases) EXPECT_EQ(c.found, CUfxKeyboardManager::IsKeyInAccelTable('S', c.flags, frame));
  ASSERT_TRUE(CUfxKeyboardManager::UpdateAccelTable(nullptr, table, 2));
  EXPECT_TRUE(CUfxKeyboardManager::IsKeyInAccelTable('S', FVIRTKEY | FCONTROL | FSHIFT, frame));
  EXPECT_FALSE(CUfxKeyboardManager::IsKeyInAccelTable('S', FVIRTKEY, nullptr));
}

TEST_F(KeyboardTest, ShortcutTextsNameTheModifiersFirst) {
  ACCEL table[] = {{FVIRTKEY | FSHIFT | FCONTROL, VK_F5, 40002}, {FVIRTKEY | FSHIFT | FCONTROL, 'Z', 40002}};
  ASSERT_TRUE(CUfxKeyboardManager::UpdateAccelTable(nullptr, table, 2));
  CString text = L"old";
  ASSERT_TRUE(CUfxKeyboardManager::GetShortcutText(40002, text, frame));
  const CString ctrl = CUfxAccelText::GetKeyName(VK_CONTROL);
  const CString shift = CUfxAccelText::GetKeyName(VK_SHIFT);
  EXPECT_EQ(ctrl + L"+" + shift + L"+" + CUfxAccelText::GetKeyName(VK_F5), text);  // the first entry
  ASSERT_FALSE(ctrl.IsEmpty());
  EXPECT_TRUE(::IsCharUpperW(ctrl[0]));
  CString rest = ctrl.Mid(1);
  EXPECT_EQ(CString(rest).MakeLower(), rest);
  EXPECT_FALSE(CUfxKeyboardManager::GetShortcutText(49999, text, frame));
  EXPECT_TRUE(text.IsEmpty());

  ACCEL plain = {0, 'q', 1};
  CUfxAccelText(&plain).Format(text);
  EXPECT_EQ(CString(L"q"), text);
  ACCEL escape = {FCONTROL, 27, 1};
  CUfxAccelText(&escape).Format(text);
  EXPECT_EQ(ctrl + L"+", text);
}

// The application's one multiple-document template (the application owns it from then on).
CMultiDocTemplate* Template() {
  static CMultiDocTemplate* pTemplate = [] {
    CMultiDocTemplate* p = new CMultiDocTemplate(310, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(CFrameWnd),
                                                 RUNTIME_CLASS(CView));
    p->LoadTemplate();
    theApp.AddDocTemplate(p);
    return p;
  }();
  return pTemplate;
}

TEST_F(KeyboardTest, TemplateTablesAreStoredUnderTheirIds) {
  CMultiDocTemplate* pTemplate = Template();
  ASSERT_NE(nullptr, pTemplate->m_hAccelTable);
  ACCEL three[] = {{FVIRTKEY | FCONTROL, 'P', 40101}, {FVIRTKEY, VK_F9, 40102}, {FVIRTKEY | FSHIFT, VK_F9, 40103}};
  ASSERT_TRUE(CUfxKeyboardManager::UpdateAccelTable(pTemplate, three, 3));
  ASSERT_TRUE(km.SaveState(kSection));
  BYTE bytes[64];
  DWORD cb = sizeof(bytes);
  ASSERT_EQ(ERROR_SUCCESS, ::RegGetValueW(HKEY_CURRENT_USER, CString(kSection) + L"UfxKeyboard-310", L"Accelerators",
                                          RRF_RT_REG_BINARY, nullptr, bytes, &cb));
  EXPECT_EQ(18u, cb);

  km.ResetAll();
  EXPECT_EQ(2u, Entries(pTemplate->m_hAccelTable).size());
  ASSERT_TRUE(km.LoadState(kSection));
  EXPECT_EQ(3u, Entries(pTemplate->m_hAccelTable).size());
}

TEST(KeyboardChars, MnemonicsAreUpperCase) {
  EXPECT_EQ((UINT)'Z', CUfxKeyboardManager::TranslateCharToUpper('Z'));
  EXPECT_EQ((UINT)'7', CUfxKeyboardManager::TranslateCharToUpper('7'));
  EXPECT_EQ(0xC9u, CUfxKeyboardManager::TranslateCharToUpper(0xE9));  // e acute
  // A keypad digit is the digit the layout gives it (with Num Lock on).
  BYTE keys[256];
  ::GetKeyboardState(keys);
  const BYTE saved = keys[VK_NUMLOCK];
  keys[VK_NUMLOCK] |= 1;
  ::SetKeyboardState(keys);
  EXPECT_EQ((UINT)'5', CUfxKeyboardManager::TranslateCharToUpper(VK_NUMPAD5));
  keys[VK_NUMLOCK] = saved;
  ::SetKeyboardState(keys);
}

}  // namespace
