// The glyphs of the strip buttons in each look: a sizing bar's close and expand buttons, drawn by
// the look at their corner, and the scroll and close buttons of a real tab window, which show the
// menu glyph they were given (the disabled one while they cannot act).
#include "GlyphFinder.h"
#include "FrameworkPump.h"
#include "FrameLooksKit.h"
#include "LooksTestKit.h"
#include "frames/UfxCaptionButton.h"
#include "frames/UfxTabWnd.h"
#include "looks/UfxVisualManager2003.h"
#include "looks/UfxVisualManagerXP.h"
#include "looks/UfxWinXPVisualManager.h"
#include <memory>
#include <vector>

namespace {

class CStripGlyphsApp : public CWinApp {
public:
  CStripGlyphsApp() : CWinApp(L"LooksStripGlyphsTest") {}
};
CStripGlyphsApp theApp;


// The glyphs come from the resource library.
class StripGlyphs : public LooksTest {
protected:
  void SetUp() override {
    LooksTest::SetUp();
    glyphs = std::make_unique<looks_frame::CMenuGlyphResources>();
    ASSERT_TRUE(glyphs->IsLoaded());
  }
  void TearDown() override {
    glyphs.reset();
    LooksTest::TearDown();
  }
  static CUfxVisualManager* Use(CRuntimeClass* look) {
    CUfxVisualManager::SetDefaultManager(look);
    return CUfxVisualManager::GetInstance();
  }
  std::unique_ptr<looks_frame::CMenuGlyphResources> glyphs;
};

struct CaptionCase {
  const char* what;
  CRuntimeClass* look;
  UINT nHit;  // 19 close, 9 expand
  BOOL bPushed, bFocused, bHorz, bMaximized, bDisabled;
  int nGlyph, nOffset;  // from the button's top-left corner
};

const CaptionCase kCaptions[] = {
    {"base close", RUNTIME_CLASS(CUfxVisualManager), 19, FALSE, FALSE, TRUE, FALSE, FALSE, 20, 2},
    {"base close pressed", RUNTIME_CLASS(CUfxVisualManager), 19, TRUE, TRUE, TRUE, FALSE, FALSE, 20, 3},
    {"base expand, bar on a side", RUNTIME_CLASS(CUfxVisualManager), 9, FALSE, FALSE, TRUE, FALSE, FALSE, 19, 2},
    {"base expand, expanded", RUNTIME_CLASS(CUfxVisualManager), 9, FALSE, FALSE, TRUE, TRUE, FALSE, 2, 2},
    {"base expand, alone in its row", RUNTIME_CLASS(CUfxVisualManager), 9, FALSE, FALSE, FALSE, FALSE, TRUE, 17, 2},
    {"flat close hot", RUNTIME_CLASS(CUfxVisualManagerXP), 19, FALSE, TRUE, FALSE, FALSE, FALSE, 20, 2},
    {"flat close pressed", RUNTIME_CLASS(CUfxVisualManagerXP), 19, TRUE, TRUE, FALSE, FALSE, FALSE, 20, 2},
    {"flat expand, alone in its row", RUNTIME_CLASS(CUfxVisualManagerXP), 9, FALSE, FALSE, TRUE, FALSE, TRUE, 3, 2},
    {"flat expand, top bar", RUNTIME_CLASS(CUfxVisualManagerXP), 9, FALSE, FALSE, FALSE, FALSE, FALSE, 16, 2},
    {"themed close over the theme's button", RUNTIME_CLASS(CUfxWinXPVisualManager), 19, FALSE, TRUE, TRUE, FALSE, FALSE, 20, 2},
    {"themed expand pressed", RUNTIME_CLASS(CUfxWinXPVisualManager), 9, TRUE, TRUE, FALSE, TRUE, FALSE, 0, 2},
    {"gradient close hot", RUNTIME_CLASS(CUfxVisualManager2003), 19, FALSE, TRUE, TRUE, FALSE, FALSE, 20, 2},
};

TEST_F(StripGlyphs, CaptionButtonsShowTheirGlyphAtTheirCorner) {
  for (const CaptionCase& c : kCaptions) {
    CUfxVisualManager* look = Use(c.look);
    CTestCanvas canvas(24, 24, RGB(90, 80, 70));
    CUfxCaptionButton button(c.nHit, 0);
    button.m_ptOrg = CPoint(4, 5);
    button.m_bPushed = c.bPushed;
    button.m_bFocused = c.bFocused;
    look->OnDrawCaptionButton(&canvas.dc(), &button, c.bHorz, c.bMaximized, c.bDisabled);
    EXPECT_EQ(CPoint(4 + c.nOffset, 5 + c.nOffset), FindGlyph(canvas, c.nGlyph)) << c.what;
  }
}

TEST_F(StripGlyphs, AHiddenCaptionButtonDrawsNothing) {
  CUfxVisualManager* look = Use(RUNTIME_CLASS(CUfxVisualManagerXP));
  CTestCanvas canvas(24, 24, RGB(90, 80, 70));
  CUfxCaptionButton button(19, 0);
  button.m_bHidden = TRUE;
  look->OnDrawCaptionButton(&canvas.dc(), &button, TRUE, FALSE, FALSE);
  EXPECT_EQ(std::basic_string<COLORREF>(24 * 24, RGB(90, 80, 70)), canvas.Pixels());
}

// A tab window scrolled to its start: its left button cannot act and shows the disabled arrow.
TEST_F(StripGlyphs, TabWindowButtonsShowTheirGlyphsInEachLook) {
  for (CRuntimeClass* lookClass : {RUNTIME_CLASS(CUfxVisualManager), RUNTIME_CLASS(CUfxVisualManagerXP),
                                   RUNTIME_CLASS(CUfxWinXPVisualManager), RUNTIME_CLASS(CUfxVisualManager2003)}) {
    Use(lookClass);
    const char* name = lookClass->m_lpszClassName;
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                              CRect(40, 40, 240, 140), nullptr, 0));
    CUfxTabWnd tabs;
    ASSERT_TRUE(tabs.Create(CUfxTabWnd::STYLE_3D_SCROLLED, CRect(0, 0, 200, 100), &host, 1, CUfxTabWnd::LOCATION_BOTTOM, TRUE));
    std::vector<std::unique_ptr<CWnd>> pages;
    for (LPCWSTR label : {L"One", L"Two", L"Three", L"Four", L"Five", L"Six", L"Seven", L"Eight"}) {
      pages.push_back(std::make_unique<CWnd>());
      ASSERT_TRUE(pages.back()->CreateEx(0, L"STATIC", label, WS_CHILD, CRect(0, 0, 10, 10), &tabs, 0));
      tabs.AddTab(pages.back().get(), label);
    }
    tabs.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPending();
    const struct {
      UINT nID;
      int nGlyph;
    } buttons[] = {{CUfxTabWnd::ID_BUTTON_LEFT, 39}, {CUfxTabWnd::ID_BUTTON_RIGHT, 26}, {CUfxTabWnd::ID_BUTTON_CLOSE, 12}};
    for (const auto& b : buttons) {
      CUfxTabButton* pButton = tabs.GetButton(b.nID);
      ASSERT_NE(nullptr, pButton) << name;
      CRect rect;
      pButton->GetClientRect(rect);
      ASSERT_GE(rect.Width(), 9) << name << " button " << b.nID;
      CTestCanvas canvas(rect.Width(), rect.Height());
      CClientDC dc(pButton);
      canvas.CopyFrom(dc.GetSafeHdc(), 0, 0);
      const CPoint pt = FindGlyph(canvas, b.nGlyph);
      EXPECT_NE(CPoint(-1, -1), pt) << name << " button " << b.nID << " glyph " << b.nGlyph;
    }
    tabs.DestroyWindow();
    host.DestroyWindow();
    PumpPending();
  }
}

}  // namespace
