// The themed look through the helper's replaceable library: which theme class, part and state
// each operation draws, the fall-backs when the library, an entry point or a class is missing
// (the same pixels as the flat or base look), the scheme detection of the gradient look, and the
// real theme of a fresh Wine prefix.
#include "LooksTestKit.h"
#include "frames/UfxCaptionButton.h"
#include "looks/UfxVisualManager2003.h"
#include "looks/UfxWinXPVisualManager.h"
#include "looks/UfxColorMath.h"
#include "frames/UfxGlobalData.h"
#include <set>
#include <string>
#include <vector>

namespace {

// A theme library of the test's own: every class it is told to know opens, draws are recorded.
struct FakeTheme {
  static bool loads;
  static std::set<std::string> missingEntries;
  static std::set<std::wstring> openClasses;
  static std::wstring file, color;
  static int opens;
  static std::vector<std::string> draws;  // "CLASS part state"

  static HTHEME WINAPI Open(HWND, LPCWSTR name) {
    ++opens;
    for (int i = 0; i < 14; ++i)
      if (openClasses.count(name) && lstrcmpW(name, CUfxWinXPThemeHelper::s_ThemeClasses[i]) == 0) return (HTHEME)(INT_PTR)(i + 1);
    return nullptr;
  }
  static HRESULT WINAPI Close(HTHEME) { return S_OK; }
  static HRESULT WINAPI Draw(HTHEME h, HDC hdc, int part, int state, const RECT* rect, const RECT*) {
    std::string cls;
    for (const WCHAR* p = CUfxWinXPThemeHelper::s_ThemeClasses[(INT_PTR)h - 1]; *p; ++p) cls += (char)*p;
    draws.push_back(cls + " " + std::to_string(part) + " " + std::to_string(state));
    HBRUSH b = ::CreateSolidBrush(RGB(1, 2, 3));
    ::FillRect(hdc, rect, b);
    ::DeleteObject(b);
    return S_OK;
  }
  static HRESULT WINAPI Color(HTHEME, int, int, int, COLORREF* c) { *c = RGB(200, 100, 50); return S_OK; }
  static COLORREF WINAPI SysColor(HTHEME, int i) { return ::GetSysColor(i); }
  static HRESULT WINAPI Name(LPWSTR f, int nf, LPWSTR c, int nc, LPWSTR, int) {
    if (file.empty()) return E_FAIL;
    lstrcpynW(f, file.c_str(), nf);
    lstrcpynW(c, color.c_str(), nc);
    return S_OK;
  }
  static HTHEME WINAPI WindowTheme(HWND) { return nullptr; }

  static HMODULE Load() { return loads ? ::GetModuleHandleW(nullptr) : nullptr; }
  static FARPROC GetEntry(HMODULE, LPCSTR name) {
    if (missingEntries.count(name)) return nullptr;
    const std::string n = name;
    if (n == "OpenThemeData") return (FARPROC)(void (*)())Open;
    if (n == "CloseThemeData") return (FARPROC)(void (*)())Close;
    if (n == "DrawThemeBackground") return (FARPROC)(void (*)())Draw;
    if (n == "GetThemeColor") return (FARPROC)(void (*)())Color;
    if (n == "GetThemeSysColor") return (FARPROC)(void (*)())SysColor;
    if (n == "GetCurrentThemeName") return (FARPROC)(void (*)())Name;
    if (n == "GetWindowTheme") return (FARPROC)(void (*)())WindowTheme;
    return nullptr;
  }
  static void Free(HMODULE) {}
};
bool FakeTheme::loads = true;
std::set<std::string> FakeTheme::missingEntries;
std::set<std::wstring> FakeTheme::openClasses;
std::wstring FakeTheme::file, FakeTheme::color;
int FakeTheme::opens = 0;
std::vector<std::string> FakeTheme::draws;

const UFX_THEME_LIBRARY kFakeLibrary = {FakeTheme::Load, FakeTheme::GetEntry, FakeTheme::Free};

class ThemeSeam : public LooksTest {
protected:
  void SetUp() override {
    LooksTest::SetUp();
    FakeTheme::loads = true;
    FakeTheme::missingEntries.clear();
    FakeTheme::openClasses.clear();
    for (LPCWSTR c : CUfxWinXPThemeHelper::s_ThemeClasses) FakeTheme::openClasses.insert(c);
    FakeTheme::file.clear();
    FakeTheme::color.clear();
    FakeTheme::opens = 0;
    FakeTheme::draws.clear();
    CUfxWinXPThemeHelper::SetThemeLibrary(&kFakeLibrary);
  }
  void TearDown() override {
    CUfxWinXPThemeHelper::SetThemeLibrary(nullptr);
    LooksTest::TearDown();
  }
};

struct DrawCase {
  const char* operation;
  void (*draw)(CUfxWinXPVisualManager&, CDC&);
  const char* expected;  // class, part, state
};

const CRect kR(2, 2, 30, 20);
const DrawCase kDraws[] = {
    {"gripper, horizontal", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnDrawBarGripper(&dc, kR, TRUE, nullptr); }, "REBAR 1 0"},
    {"gripper, vertical", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnDrawBarGripper(&dc, kR, FALSE, nullptr); }, "REBAR 2 0"},
    {"separator", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnDrawSeparator(&dc, nullptr, kR, TRUE); }, "TOOLBAR 5 0"},
    {"separator, vertical", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnDrawSeparator(&dc, nullptr, kR, FALSE); }, "TOOLBAR 6 0"},
    {"button at rest", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnFillButtonInterior(&dc, nullptr, kR, CUfxVisualManager::ButtonsIsRegular); }, "TOOLBAR 1 1"},
    {"button hot", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnFillButtonInterior(&dc, nullptr, kR, CUfxVisualManager::ButtonsIsHighlighted); }, "TOOLBAR 1 2"},
    {"button pushed", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnFillButtonInterior(&dc, nullptr, kR, CUfxVisualManager::ButtonsIsPressed); }, "TOOLBAR 1 3"},
    {"split divider", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnDrawMenuButtonBorder(&dc, nullptr, kR, CUfxVisualManager::ButtonsIsRegular, TRUE); }, "TOOLBAR 5 0"},
    {"status pane", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnDrawStatusBarPaneBorder(&dc, nullptr, kR, 0, 0); }, "STATUS 1 0"},
    {"size box", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnDrawStatusBarSizeBox(&dc, nullptr, kR); }, "SCROLLBAR 10 1"},
    {"combo button disabled", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnDrawComboDropButton(&dc, kR, TRUE, TRUE, TRUE, nullptr); }, "COMBOBOX 1 4"},
    {"combo button dropped", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnDrawComboDropButton(&dc, kR, FALSE, TRUE, TRUE, nullptr); }, "COMBOBOX 1 3"},
    {"combo button hot", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnDrawComboDropButton(&dc, kR, FALSE, FALSE, TRUE, nullptr); }, "COMBOBOX 1 2"},
    {"combo button", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnDrawComboDropButton(&dc, kR, FALSE, FALSE, FALSE, nullptr); }, "COMBOBOX 1 1"},
    {"close button hot", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnDrawMenuSystemButton(&dc, kR, SC_CLOSE, 0, TRUE); }, "WINDOW 20 2"},
    {"minimize pressed", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnDrawMenuSystemButton(&dc, kR, SC_MINIMIZE, 0x20000, TRUE); }, "WINDOW 16 3"},
    {"restore disabled", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnDrawMenuSystemButton(&dc, kR, SC_RESTORE, 0x40000, FALSE); }, "WINDOW 22 4"},
    {"header pressed", [](CUfxWinXPVisualManager& m, CDC& dc) { CRect r = kR; m.OnDrawHeaderCtrlBorder(nullptr, &dc, r, TRUE, TRUE); }, "HEADER 1 3"},
    {"outlook page button hot", [](CUfxWinXPVisualManager& m, CDC& dc) { COLORREF t; m.OnFillOutlookPageButton(&dc, kR, TRUE, FALSE, t); }, "BUTTON 1 2"},
    {"progress", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnDrawStatusBarProgress(&dc, nullptr, kR, 10, 5, 0, -1, -1, FALSE); }, "PROGRESS 1 0|PROGRESS 3 0"},
    {"caption button at rest", [](CUfxWinXPVisualManager& m, CDC& dc) { CUfxCaptionButton b(19, 0); m.OnDrawCaptionButton(&dc, &b, TRUE, FALSE, FALSE); }, "BUTTON 1 1"},
    {"caption button pressed", [](CUfxWinXPVisualManager& m, CDC& dc) { CUfxCaptionButton b(19, 0); b.m_bPushed = b.m_bFocused = TRUE; m.OnDrawCaptionButton(&dc, &b, TRUE, FALSE, FALSE); }, "BUTTON 1 3"},
    {"caption button pushed, cursor away", [](CUfxWinXPVisualManager& m, CDC& dc) { CUfxCaptionButton b(19, 0); b.m_bPushed = TRUE; m.OnDrawCaptionButton(&dc, &b, TRUE, FALSE, FALSE); }, "BUTTON 1 2"},
    {"caption button, maximize kind", [](CUfxWinXPVisualManager& m, CDC& dc) { CUfxCaptionButton b(9, 0); m.OnDrawCaptionButton(&dc, &b, TRUE, FALSE, TRUE); }, "BUTTON 1 4"},
    {"progress of range 0", [](CUfxWinXPVisualManager& m, CDC& dc) { m.OnDrawStatusBarProgress(&dc, nullptr, kR, 0, 5, 0, -1, -1, FALSE); }, "PROGRESS 1 0"},
};

TEST_F(ThemeSeam, EachOperationDrawsItsClassPartAndState) {
  CUfxWinXPVisualManager look;
  CTestCanvas canvas(40, 30);
  for (const DrawCase& c : kDraws) {
    FakeTheme::draws.clear();
    c.draw(look, canvas.dc());
    std::string got;
    for (const std::string& d : FakeTheme::draws) got += (got.empty() ? "" : "|") + d;
    EXPECT_EQ(c.expected, got) << c.operation;
  }
  FakeTheme::draws.clear();
  look.OnDrawButtonBorder(&canvas.dc(), nullptr, kR, CUfxVisualManager::ButtonsIsHighlighted);
  EXPECT_TRUE(FakeTheme::draws.empty());  // the theme drew the border with the interior
  EXPECT_EQ(CSize(2, 2), look.GetButtonExtraBorder());
}

// Draws one operation with the look and with the reference look on two canvases.
void ExpectSamePixels(CUfxVisualManager& look, CUfxVisualManager& reference,
                      void (*draw)(CUfxVisualManager&, CDC&), const char* what) {
  CTestCanvas a(40, 30, RGB(90, 80, 70)), b(40, 30, RGB(90, 80, 70));
  draw(look, a.dc());
  draw(reference, b.dc());
  EXPECT_TRUE(a.Pixels() == b.Pixels()) << what;
}

struct FallBackCase {
  const char* what;
  void (*draw)(CUfxVisualManager&, CDC&);
  bool base;  // falls back to the base look rather than the flat one
};

const FallBackCase kFallBacks[] = {
    {"gripper", [](CUfxVisualManager& m, CDC& dc) { m.OnDrawBarGripper(&dc, kR, TRUE, nullptr); }, false},
    {"separator", [](CUfxVisualManager& m, CDC& dc) { m.OnDrawSeparator(&dc, nullptr, kR, TRUE); }, false},
    {"button hot", [](CUfxVisualManager& m, CDC& dc) {
       m.OnFillButtonInterior(&dc, nullptr, kR, CUfxVisualManager::ButtonsIsHighlighted);
       m.OnDrawButtonBorder(&dc, nullptr, kR, CUfxVisualManager::ButtonsIsHighlighted); }, false},
    {"status pane", [](CUfxVisualManager& m, CDC& dc) { m.OnDrawStatusBarPaneBorder(&dc, nullptr, kR, 0, 0x200); }, false},
    {"combo button", [](CUfxVisualManager& m, CDC& dc) { m.OnDrawComboDropButton(&dc, kR, FALSE, FALSE, TRUE, nullptr); }, false},
    {"combo border", [](CUfxVisualManager& m, CDC& dc) { m.OnDrawComboBorder(&dc, kR, FALSE, FALSE, TRUE, nullptr); }, false},
    {"menu border", [](CUfxVisualManager& m, CDC& dc) { m.OnDrawMenuBorder(&dc, nullptr, kR); }, false},
    {"progress", [](CUfxVisualManager& m, CDC& dc) { m.OnDrawStatusBarProgress(&dc, nullptr, kR, 4, 1, RGB(0, 0, 255), -1, -1, FALSE); }, true},
    {"split divider", [](CUfxVisualManager& m, CDC& dc) { m.OnDrawMenuButtonBorder(&dc, nullptr, kR, CUfxVisualManager::ButtonsIsPressed, TRUE); }, true},
};

TEST_F(ThemeSeam, WithoutTheLibraryEveryOperationDrawsTheFlatOrBaseLook) {
  FakeTheme::loads = false;
  CUfxWinXPVisualManager look;
  CUfxVisualManagerXP flat;
  CUfxVisualManager base;
  EXPECT_EQ(nullptr, look.m_hThemeDLL);
  EXPECT_EQ(nullptr, look.m_pfOpenThemeData);
  EXPECT_EQ(CSize(0, 0), look.GetButtonExtraBorder());
  EXPECT_TRUE(look.IsShadowHighlightedImage());
  for (const FallBackCase& c : kFallBacks) ExpectSamePixels(look, c.base ? base : flat, c.draw, c.what);
}

TEST_F(ThemeSeam, MissingClassesFallBackOneByOne) {
  FakeTheme::openClasses = {L"WINDOW", L"BUTTON"};  // no TOOLBAR, REBAR, STATUS, COMBOBOX, PROGRESS
  CUfxWinXPVisualManager look;
  CUfxVisualManagerXP flat;
  CUfxVisualManager base;
  EXPECT_EQ(CSize(2, 2), look.GetButtonExtraBorder());  // themed: the WINDOW class is open
  for (const FallBackCase& c : kFallBacks) {
    if (std::string(c.what) == "menu border" || std::string(c.what) == "combo border") continue;  // WINDOW-themed
    ExpectSamePixels(look, c.base ? base : flat, c.draw, c.what);
  }
}

TEST_F(ThemeSeam, AMissingDrawingEntryOpensNoTheme) {
  FakeTheme::missingEntries = {"DrawThemeBackground"};
  CUfxWinXPVisualManager look;
  EXPECT_EQ(0, FakeTheme::opens);
  EXPECT_EQ(nullptr, look.m_hThemeWindow);
  EXPECT_FALSE(CUfxWinXPVisualManager::IsWinXPThemeAvailable());
}

TEST_F(ThemeSeam, TheThemedLookReopensItsThemesOnColourChanges) {
  CUfxWinXPVisualManager look;
  const int opened = FakeTheme::opens;
  look.OnUpdateSystemColors();
  EXPECT_EQ(opened + 14, FakeTheme::opens);
  FakeTheme::openClasses.erase(L"WINDOW");  // the theme changed
  look.OnUpdateSystemColors();
  EXPECT_EQ(nullptr, look.m_hThemeWindow);
  EXPECT_EQ(CSize(0, 0), look.GetButtonExtraBorder());
  EXPECT_TRUE(look.IsShadowHighlightedImage());
}

// A colour change under the same named theme keeps the open handles; a changed theme (file,
// colour scheme) reopens them, for the gradient look and the themed look alike.
TEST_F(ThemeSeam, ThemesAreReopenedOnlyWhenTheThemeChanged) {
  FakeTheme::file = L"light.msstyles";
  FakeTheme::color = L"Blue";
  CUfxVisualManager2003 gradient(TRUE);
  CUfxWinXPVisualManager themed(TRUE);
  int opened = FakeTheme::opens;
  gradient.OnUpdateSystemColors();
  themed.OnUpdateSystemColors();
  EXPECT_EQ(opened, FakeTheme::opens);
  EXPECT_NE(nullptr, gradient.m_hThemeWindow);
  FakeTheme::color = L"Green";
  FakeTheme::openClasses.erase(L"WINDOW");
  gradient.OnUpdateSystemColors();
  themed.OnUpdateSystemColors();
  EXPECT_EQ(opened + 28, FakeTheme::opens);
  EXPECT_EQ(nullptr, gradient.m_hThemeWindow);
  EXPECT_EQ(nullptr, themed.m_hThemeWindow);
  EXPECT_EQ(CString(L"Green"), gradient.GetColorSchemeName());
  opened = FakeTheme::opens;
  FakeTheme::file = L"Luna.msstyles";
  gradient.OnUpdateSystemColors();
  EXPECT_EQ(opened + 14, FakeTheme::opens);
  EXPECT_TRUE(gradient.IsThemed());
}

struct NameCase {
  const wchar_t* file;
  const wchar_t* color;
  BOOL themed;
};

const NameCase kNames[] = {
    {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor", TRUE},
    {L"C:\\Themes\\LUNA.MSSTYLES", L"HomeStead", TRUE},
    {L"C:\\Themes\\Royale.msstyles", L"homestead", FALSE},
    {L"light.msstyles", L"Blue", FALSE},
};

TEST_F(ThemeSeam, OnlyTheLunaThemeFileCountsAsTheStandardTheme) {
  for (const NameCase& n : kNames) {
    FakeTheme::file = n.file;
    FakeTheme::color = n.color;
    CUfxVisualManager2003 look(TRUE);
    EXPECT_EQ(n.themed, look.IsThemed()) << n.color;
    EXPECT_EQ(CString(n.color), look.GetColorSchemeName());
  }
  // Under Luna homestead the bar face follows the homestead formula of the toolbar gradient.
  FakeTheme::file = L"Luna.msstyles";
  FakeTheme::color = L"homestead";
  CUfxVisualManager2003 look(TRUE);
  const UFX_2003_COLORS& c = look.GetSchemeColors();
  EXPECT_EQ(MixColors(c.clrToolBarGradientLight, c.clrToolBarGradientDark, 1, 2, 1), c.clrBarFace);
  EXPECT_EQ(c.clrBarFace, UfxGlobalData.clrBarFace);
}

using WineTheme = LooksTest;

TEST_F(WineTheme, AFreshPrefixHasItsThemeButNoLuna) {
  CUfxWinXPVisualManager look(TRUE);
  ASSERT_NE(nullptr, look.m_hThemeDLL);
  const HTHEME open[] = {look.m_hThemeWindow, look.m_hThemeButton, look.m_hThemeToolBar, look.m_hThemeRebar,
                         look.m_hThemeStatusBar, look.m_hThemeComboBox, look.m_hThemeProgress, look.m_hThemeHeader,
                         look.m_hThemeScrollBar, look.m_hThemeTree};
  for (HTHEME h : open) EXPECT_NE(nullptr, h);
  EXPECT_EQ(CSize(2, 2), look.GetButtonExtraBorder());
  EXPECT_TRUE(CUfxWinXPVisualManager::IsWinXPThemeAvailable());
  CUfxVisualManager2003 gradient(TRUE);
  EXPECT_FALSE(gradient.IsThemed());
  EXPECT_EQ(CString(L"Blue"), gradient.GetColorSchemeName());
}

}  // namespace
