// The tab operations of each look, drawn for a real tab window (3D tabs with scroll buttons at the
// bottom of a host window, and a sloped strip) onto a memory canvas under a fresh prefix's colours:
// the strip, active and inactive tabs, a coloured tab, the frame and the strip's buttons. A picture
// of the real window in each look is left in screenshots/ beside the test program.
#include "PngFile.h"
#include "LooksTestKit.h"
#include "TestPump.h"
#include "looks/UfxColorMath.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxTabWnd.h"
#include "looks/UfxVisualManager2003.h"
#include "looks/UfxVisualManagerXP.h"
#include "looks/UfxWinXPVisualManager.h"
#include <cstdlib>
#include <memory>
#include <tuple>
#include <vector>

namespace {

class CLooksTabApp : public CWinApp {
public:
  CLooksTabApp() : CWinApp(L"LooksTabDrawingTest") {}
};
CLooksTabApp theApp;

const COLORREF kBack = RGB(90, 80, 70);
const COLORREF kTabColor = RGB(200, 100, 50);

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

int Distance(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) + std::abs(GetBValue(a) - GetBValue(b));
}

class TabDrawing : public LooksTest {
protected:
  void SetUp() override {
    LooksTest::SetUp();
    ASSERT_EQ(RGB(245, 245, 245), ::GetSysColor(COLOR_BTNFACE));
    ASSERT_EQ(RGB(48, 150, 250), ::GetSysColor(COLOR_HIGHLIGHT));
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                              CRect(30, 30, 530, 270), nullptr, 0));
    MakeTabs(tabs3D, CUfxTabWnd::STYLE_3D_SCROLLED, CRect(0, 0, 500, 120), 1);
    MakeTabs(tabsSloped, CUfxTabWnd::STYLE_3D_SLOPED, CRect(0, 120, 500, 240), 2);
  }
  void TearDown() override {
    tabs3D.DestroyWindow();
    tabsSloped.DestroyWindow();
    host.DestroyWindow();
    PumpPending();
    LooksTest::TearDown();
  }
  void MakeTabs(CUfxTabWnd& tabs, CUfxTabWnd::Style style, const CRect& rect, UINT id) {
    ASSERT_TRUE(tabs.Create(style, rect, &host, id));
    for (LPCWSTR label : {L"One", L"Two", L"Three"}) {
      windows.push_back(std::make_unique<CWnd>());
      ASSERT_TRUE(windows.back()->CreateEx(0, L"STATIC", label, WS_CHILD, CRect(0, 0, 10, 10), &tabs, 0));
      tabs.AddTab(windows.back().get(), label);
    }
    tabs.SetTabBkColor(1, kTabColor);
  }
  static CUfxVisualManager* Use(CRuntimeClass* look) {
    CUfxVisualManager::SetDefaultManager(look);
    return CUfxVisualManager::GetInstance();
  }
  void Screenshot(const char* name) {
    ::CreateDirectoryA("screenshots", nullptr);
    host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPending();
    EXPECT_TRUE(SaveWindowPng(host.GetSafeHwnd(), std::string("screenshots/") + name));
  }

  CWnd host;
  CUfxTabWnd tabs3D, tabsSloped;
  std::vector<std::unique_ptr<CWnd>> windows;
};

// A 3D tab of 50 x 17 at (10, 5) on a canvas, as the tab window would draw it.
const CRect kTab(10, 5, 60, 22);

TEST_F(TabDrawing, BaseLook3DTabs) {
  CUfxVisualManager* look = Use(RUNTIME_CLASS(CUfxVisualManager));
  Screenshot("tabs_base.png");
  const UFX_GLOBAL_DATA& g = UfxGlobalData;
  {
    CTestCanvas canvas(80, 30, kBack);
    look->OnEraseTabsArea(&canvas.dc(), CRect(0, 0, 80, 30), &tabs3D);
    EXPECT_EQ(ColorText(g.clrBarFace), ColorText(canvas.At(40, 15)));
  }
  {
    SCOPED_TRACE("inactive coloured tab");
    CTestCanvas canvas(80, 30, kBack);
    look->OnDrawTab(&canvas.dc(), kTab, 1, FALSE, &tabs3D);
    EXPECT_EQ(ColorText(kTabColor), ColorText(canvas.At(12, 7)));        // filled inside
    EXPECT_EQ(ColorText(g.clrBarHilite), ColorText(canvas.At(10, 10)));  // lit side
    EXPECT_EQ(ColorText(g.clrBarDkShadow), ColorText(canvas.At(30, 21)));  // outer dark edge
    EXPECT_EQ(ColorText(g.clrBarShadow), ColorText(canvas.At(30, 20)));
    EXPECT_EQ(ColorText(g.clrBarDkShadow), ColorText(canvas.At(59, 10)));
    EXPECT_EQ(ColorText(kBack), ColorText(canvas.At(10, 21)));  // the chamfered corner
    EXPECT_EQ(ColorText(kBack), ColorText(canvas.At(30, 3)));   // no joining strip
  }
  {
    SCOPED_TRACE("active tab");
    CTestCanvas canvas(80, 30, kBack);
    look->OnDrawTab(&canvas.dc(), kTab, 0, TRUE, &tabs3D);
    EXPECT_EQ(ColorText(g.clrBarFace), ColorText(canvas.At(12, 7)));
    EXPECT_EQ(ColorText(g.clrBarFace), ColorText(canvas.At(30, 3)));  // joined to its window's area
  }
  // The frame colours of a plain strip are the bar colours; it erases no frame of its own.
  COLORREF dark, black, hi, face, dk, light;
  CBrush *pbrFace, *pbrBlack;
  look->GetTabFrameColors(&tabs3D, dark, black, hi, face, dk, light, pbrFace, pbrBlack);
  EXPECT_EQ(g.clrBarShadow, dark);
  EXPECT_EQ(g.clrBarText, black);
  EXPECT_EQ(g.clrBarFace, face);
  CTestCanvas canvas(20, 20, kBack);
  EXPECT_FALSE(look->OnEraseTabsFrame(&canvas.dc(), CRect(0, 0, 20, 20), &tabs3D));
  EXPECT_FALSE(look->IsTabHighlightSupported());
}

TEST_F(TabDrawing, BaseLookSlopedStripTakesTheActiveTabsColour) {
  CUfxVisualManager* look = Use(RUNTIME_CLASS(CUfxVisualManager));
  tabsSloped.SetTabBkColor(0, RGB(120, 200, 120));
  COLORREF dark, black, hi, face, dk, light;
  CBrush *pbrFace, *pbrBlack;
  look->GetTabFrameColors(&tabsSloped, dark, black, hi, face, dk, light, pbrFace, pbrBlack);
  EXPECT_EQ(RGB(120, 200, 120), face);
  CTestCanvas canvas(60, 30, kBack);
  EXPECT_TRUE(look->OnEraseTabsFrame(&canvas.dc(), CRect(0, 0, 60, 30), &tabsSloped));
  EXPECT_EQ(ColorText(RGB(120, 200, 120)), ColorText(canvas.At(5, 5)));
  CTestCanvas strip(60, 20, kBack);
  look->OnEraseTabsArea(&strip.dc(), CRect(0, 0, 60, 20), &tabsSloped);
  EXPECT_EQ(ColorText(UfxGlobalData.clrBarFace), ColorText(strip.At(30, 10)));
  EXPECT_EQ(ColorText(RGB(120, 200, 120)), ColorText(strip.At(30, 18)));  // the bottom two rows
  // A sloped tab: filled inside its outline, nothing left of its slanted edge near the far side.
  CTestCanvas tab(80, 30, kBack);
  look->OnDrawTab(&tab.dc(), kTab, 1, FALSE, &tabsSloped);
  EXPECT_EQ(ColorText(kTabColor), ColorText(tab.At(55, 8)));
  EXPECT_EQ(ColorText(kBack), ColorText(tab.At(12, 19)));
  EXPECT_EQ(ColorText(UfxGlobalData.clrBarHilite), ColorText(tab.At(11, 6)));
}

TEST_F(TabDrawing, FlatLookTabs) {
  auto* look = static_cast<CUfxVisualManagerXP*>(Use(RUNTIME_CLASS(CUfxVisualManagerXP)));
  Screenshot("tabs_flat.png");
  const UFX_GLOBAL_DATA& g = UfxGlobalData;
  const UFX_XP_COLORS& c = look->GetColors();
  CTestCanvas strip(80, 20, kBack);
  look->OnEraseTabsArea(&strip.dc(), CRect(0, 0, 80, 20), &tabs3D);
  EXPECT_EQ(ColorText(c.clrTabBack), ColorText(strip.At(40, 10)));
  EXPECT_EQ(ColorText(g.clrBarHilite), ColorText(strip.At(40, 19)));  // tabs at the bottom: a light line

  CTestCanvas active(80, 30, kBack);
  look->OnDrawTab(&active.dc(), kTab, 0, TRUE, &tabs3D);
  EXPECT_EQ(ColorText(g.clrBarFace), ColorText(active.At(12, 7)));
  EXPECT_EQ(ColorText(g.clrBarHilite), ColorText(active.At(10, 10)));
  EXPECT_EQ(ColorText(g.clrBarDkShadow), ColorText(active.At(30, 21)));
  EXPECT_EQ(ColorText(g.clrBarDkShadow), ColorText(active.At(59, 10)));
  // Inactive tabs are not filled; a line parts them from the next one, but not from the active tab.
  CTestCanvas inactive(80, 30, kBack);
  look->OnDrawTab(&inactive.dc(), kTab, 2, FALSE, &tabs3D);
  EXPECT_EQ(ColorText(kBack), ColorText(inactive.At(12, 7)));
  EXPECT_EQ(ColorText(g.clrBarShadow), ColorText(inactive.At(59, 13)));
  tabs3D.SetActiveTab(1);
  CTestCanvas before(80, 30, kBack);
  look->OnDrawTab(&before.dc(), kTab, 0, FALSE, &tabs3D);
  EXPECT_EQ(ColorText(kBack), ColorText(before.At(59, 13)));
  // Strip buttons of a 3D strip rest on the tab area colour.
  CTestCanvas button(20, 20, kBack);
  look->OnEraseTabsButton(&button.dc(), CRect(0, 0, 20, 20), tabs3D.GetButton(CUfxTabWnd::ID_BUTTON_LEFT), &tabs3D);
  EXPECT_EQ(ColorText(c.clrTabBack), ColorText(button.At(10, 10)));
}

TEST_F(TabDrawing, ThemedLookDrawsTabsAsTheFlatLookAndTheButtonsFromTheTheme) {
  CTestCanvas flatTab(80, 30, kBack), themedTab(80, 30, kBack);
  CTestCanvas flatButton(20, 20, kBack), themedButton(20, 20, kBack);
  CUfxTabButton* pButton = tabs3D.GetButton(CUfxTabWnd::ID_BUTTON_RIGHT);
  ASSERT_NE(nullptr, pButton);
  for (auto [look, tab, button] : {std::make_tuple(RUNTIME_CLASS(CUfxVisualManagerXP), &flatTab, &flatButton),
                                   std::make_tuple(RUNTIME_CLASS(CUfxWinXPVisualManager), &themedTab, &themedButton)}) {
    CUfxVisualManager* manager = Use(look);
    manager->OnEraseTabsArea(&tab->dc(), CRect(0, 0, 80, 30), &tabs3D);
    manager->OnDrawTab(&tab->dc(), kTab, 0, TRUE, &tabs3D);
    manager->OnDrawTab(&tab->dc(), CRect(61, 5, 80, 22), 1, FALSE, &tabs3D);
    CRect rect(0, 0, 20, 20);
    manager->OnDrawTabsButtonBorder(&button->dc(), rect, pButton, 0, &tabs3D);
  }
  Screenshot("tabs_themed.png");
  EXPECT_TRUE(flatTab.Pixels() == themedTab.Pixels());
  // A button at rest: nothing in the flat look, a themed push button here.
  EXPECT_EQ(ColorText(kBack), ColorText(flatButton.At(10, 10)));
  EXPECT_FALSE(flatButton.Pixels() == themedButton.Pixels());
}

TEST_F(TabDrawing, GradientLookStripFrameAndSlopedTabs) {
  auto* look = static_cast<CUfxVisualManager2003*>(Use(RUNTIME_CLASS(CUfxVisualManager2003)));
  Screenshot("tabs_gradient.png");
  const UFX_2003_COLORS& s = look->GetSchemeColors();
  const COLORREF plain = s.clrToolBarGradientDark;
  // Tabs at the bottom: the strip runs from the plain colour at its bottom to the lighter one.
  CTestCanvas strip(80, 64, kBack);
  look->OnEraseTabsArea(&strip.dc(), CRect(0, 0, 80, 64), &tabs3D);
  EXPECT_EQ(ColorText(plain), ColorText(strip.At(40, 63)));
  const COLORREF lighter = strip.At(40, 0);
  EXPECT_TRUE(Near(lighter, ScaleColor(plain, 120), 6)) << ColorText(lighter);
  // The frame is a diagonal gradient between bar face and bar highlight.
  CTestCanvas frame(60, 60, kBack);
  EXPECT_TRUE(look->OnEraseTabsFrame(&frame.dc(), CRect(0, 0, 60, 60), &tabs3D));
  EXPECT_NE(ColorText(kBack), ColorText(frame.At(30, 30)));
  EXPECT_NE(ColorText(frame.At(1, 1)), ColorText(frame.At(58, 58)));
  EXPECT_TRUE(look->IsTabHighlightSupported());

  // Sloped strip: dark frame colours, white face without an active colour.
  COLORREF dark, black, hi, face, dk, light;
  CBrush *pbrFace, *pbrBlack;
  look->GetTabFrameColors(&tabsSloped, dark, black, hi, face, dk, light, pbrFace, pbrBlack);
  EXPECT_EQ(RGB(255, 255, 255), face);
  for (COLORREF clr : {dark, black, hi, dk, light}) EXPECT_EQ(UfxGlobalData.clrBarDkShadow, clr);
  // Under Wine's theme there is no menu item highlight: the active sloped tab runs between the
  // toolbar gradient's colours, the dark one at the far (bottom) side.
  ASSERT_EQ((COLORREF)-1, s.clrHighlightMenuItem);
  CTestCanvas active(80, 30, kBack);
  look->OnDrawTab(&active.dc(), kTab, 0, TRUE, &tabsSloped);
  EXPECT_LE(Distance(active.At(45, 20), s.clrToolBarGradientDark), Distance(active.At(45, 20), s.clrToolBarGradientLight))
      << ColorText(active.At(45, 20));
  EXPECT_LE(Distance(active.At(55, 6), s.clrToolBarGradientLight), Distance(active.At(55, 6), s.clrToolBarGradientDark))
      << ColorText(active.At(55, 6));
  EXPECT_EQ(ColorText(UfxGlobalData.clrBarShadow), ColorText(active.At(45, 21)));
  // An inactive coloured tab runs from its colour to 150 % of it.
  CTestCanvas coloured(80, 30, kBack);
  look->OnDrawTab(&coloured.dc(), kTab, 1, FALSE, &tabsSloped);
  EXPECT_TRUE(Near(coloured.At(45, 20), ScaleColor(kTabColor, 150), 12)) << ColorText(coloured.At(45, 20));
  EXPECT_TRUE(Near(coloured.At(55, 6), kTabColor, 12)) << ColorText(coloured.At(55, 6));
}

TEST_F(TabDrawing, GradientLookOnAPaletteScreenDrawsTabsAsTheFlatLook) {
  const int saved = UfxGlobalData.m_nBitsPerPixel;
  UfxGlobalData.m_nBitsPerPixel = 8;  // the global colour depth of a palette screen
  UfxGlobalData.UpdateLightBrush(8);
  {
    CUfxVisualManager2003 gradient(TRUE);  // temporary: it leaves the global depth as set
    CUfxVisualManagerXP flat(TRUE);
    for (CUfxTabWnd* pTabs : {&tabs3D, &tabsSloped}) {
      CTestCanvas a(80, 30, kBack), b(80, 30, kBack);
      for (auto [manager, canvas] : {std::make_pair((CUfxVisualManager*)&gradient, &a),
                                     std::make_pair((CUfxVisualManager*)&flat, &b)}) {
        manager->OnEraseTabsArea(&canvas->dc(), CRect(0, 0, 80, 30), pTabs);
        manager->OnDrawTab(&canvas->dc(), kTab, 0, TRUE, pTabs);
        manager->OnDrawTab(&canvas->dc(), CRect(61, 5, 80, 22), 1, FALSE, pTabs);
      }
      EXPECT_TRUE(a.Pixels() == b.Pixels()) << (pTabs == &tabs3D ? "3D" : "sloped");
    }
  }
  UfxGlobalData.m_nBitsPerPixel = saved;
  UfxGlobalData.UpdateLightBrush(saved);
}

}  // namespace
