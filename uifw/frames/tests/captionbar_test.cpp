// The caption bar as the program sets it up (string 203 and bitmap 250 of the resource library,
// both right-aligned) on a frame with the base look: its height, its pixels, the text kept clear of
// the image, the command button, and the toolbar-menu request on a right click.
#include "frames/UfxCaptionBar.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "bars/UfxToolBar.h"
#include "looks/UfxVisualManager.h"
#include <gtest/gtest.h>
#include "TestPump.h"
#include <string>
#include <vector>

namespace {

class CCaptionTestApp : public CWinApp {
public:
  CCaptionTestApp() : CWinApp(L"CaptionBarTest") {}
};
CCaptionTestApp theApp;

const UINT kCommand = 40123;
const COLORREF kMagenta = RGB(255, 0, 255);

// Records the commands and toolbar-menu requests it receives.
class CCaptionFrame : public CUfxFrameWnd {
public:
  std::vector<UINT> commands;
  std::vector<std::pair<WPARAM, LPARAM>> menuRequests;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.push_back(LOWORD(wParam));
    return TRUE;
  }
  LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override {
    if (nMsg == UFXM_TOOLBAR_POPUPMENU) {
      menuRequests.emplace_back(wParam, lParam);
      return 0;
    }
    return CUfxFrameWnd::WindowProc(nMsg, wParam, lParam);
  }
};

class CaptionBarTest : public ::testing::Test {
protected:
  static HMODULE hResx;
  static void SetUpTestSuite() { hResx = ::LoadLibraryW(L"BrookResx.dll"); }
  static void TearDownTestSuite() {
    AfxSetResourceHandle(nullptr);
    if (hResx) ::FreeLibrary(hResx);
  }
  void SetUp() override {
    ASSERT_NE(nullptr, hResx) << "BrookResx.dll not found beside the program";
    AfxSetResourceHandle(hResx);
    CUfxVisualManager::SetDefaultManager(nullptr);
    CUfxToolBar::SetCustomizeMode(FALSE);
    frame = new CCaptionFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(60, 60, 760, 400)));
    ASSERT_TRUE(bar.Create(0x54000000, frame, 22816));
    CString text;
    ASSERT_TRUE(text.LoadString(203));
    bar.SetText(text, CUfxCaptionBar::ALIGN_RIGHT);
    bitmap = (HBITMAP)::LoadImageW(hResx, MAKEINTRESOURCEW(250), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(nullptr, bitmap);
    bar.SetBitmap(bitmap, kMagenta, FALSE, CUfxCaptionBar::ALIGN_RIGHT);
    frame->ShowWindow(SW_SHOWNOACTIVATE);
    frame->RecalcLayout();
    PumpPending();
  }
  void TearDown() override {
    if (frame != nullptr && ::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    PumpPending();
    if (bitmap) ::DeleteObject(bitmap);
    CUfxToolBar::SetCustomizeMode(FALSE);
  }
  int TextHeight() const {
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(hdc, UfxGlobalData.fontRegular.GetSafeHandle());
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(hdc, &tm);
    ::SelectObject(hdc, old);
    ::ReleaseDC(nullptr, hdc);
    return tm.tmHeight;
  }
  // The bar repainted whole, read in window coordinates.
  COLORREF WindowPixel(int x, int y) {
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    HDC hdc = ::GetWindowDC(bar.m_hWnd);
    const COLORREF clr = ::GetPixel(hdc, x, y);
    ::ReleaseDC(bar.m_hWnd, hdc);
    return clr;
  }
  CPoint ClientOrigin() const {
    CRect rw;
    bar.GetWindowRect(&rw);
    CPoint pt(0, 0);
    bar.ClientToScreen(&pt);
    return CPoint(pt.x - rw.left, pt.y - rw.top);
  }
  void Move(CPoint pt, WPARAM keys = 0) {
    bar.SendMessage(WM_MOUSEMOVE, keys, MAKELPARAM(pt.x, pt.y));
  }
  CCaptionFrame* frame = nullptr;
  CUfxCaptionBar bar;
  HBITMAP bitmap = nullptr;
};
HMODULE CaptionBarTest::hResx = nullptr;

TEST_F(CaptionBarTest, HeightCountsOneBorderTwoMarginsAndTheTallerOfTextAndImage) {
  BITMAP bm = {};
  ::GetObjectW(bitmap, sizeof(bm), &bm);
  const int expected = 4 + 2 * 4 + std::max(TextHeight() + 2, (int)bm.bmHeight);
  EXPECT_EQ(expected, bar.GetCurrentHeight());
  CRect rw, rc;
  bar.GetWindowRect(&rw);
  bar.GetClientRect(&rc);
  EXPECT_EQ(expected, rw.Height());
  EXPECT_EQ(expected - 2 * 4, rc.Height());  // the border strips lie outside the client area
  // Nothing to show: the same formula with the text height alone.
  CUfxCaptionBar empty;
  ASSERT_TRUE(empty.Create(0x54000000, frame, 22817));
  EXPECT_EQ(4 + 2 * 4 + TextHeight() + 2, empty.CalcFixedLayout(TRUE, TRUE).cy);
  empty.DestroyWindow();
}

TEST_F(CaptionBarTest, TextEndsBeforeTheRightAlignedImage) {
  CRect rc;
  bar.GetClientRect(&rc);
  const CRect image = bar.GetImageRect(), text = bar.GetTextDrawRect();
  EXPECT_EQ(rc.right - 4, image.right);
  EXPECT_EQ(image.left - 4, text.right);
  EXPECT_LT(text.left, text.right);
  // A text too long for the bar is cut at the left margin and still ends before the image.
  bar.SetText(CString(L'W', 400), CUfxCaptionBar::ALIGN_RIGHT);
  EXPECT_EQ(4, bar.GetTextDrawRect().left);
  EXPECT_EQ(image.left - 4, bar.GetTextDrawRect().right);
  // Left-aligned text that runs under the image is cut to end before it.
  bar.SetText(CString(L'W', 400), CUfxCaptionBar::ALIGN_LEFT);
  EXPECT_EQ(4, bar.GetTextDrawRect().left);
  EXPECT_EQ(image.left - 4, bar.GetTextDrawRect().right);
}

TEST_F(CaptionBarTest, PixelsShowBackgroundBordersAndImage) {
  const CPoint origin = ClientOrigin();
  CRect rw;
  bar.GetWindowRect(&rw);
  // Border strips: the bar face inside a highlight top-left, shadow bottom-right frame.
  EXPECT_EQ(UfxGlobalData.clrBarHilite, WindowPixel(rw.Width() / 2, 0));
  EXPECT_EQ(UfxGlobalData.clrBarFace, WindowPixel(rw.Width() / 2, 2));
  EXPECT_EQ(UfxGlobalData.clrBarShadow, WindowPixel(rw.Width() / 2, 3));
  EXPECT_EQ(UfxGlobalData.clrBarFace, WindowPixel(rw.Width() / 2, rw.Height() - 2));
  EXPECT_EQ(UfxGlobalData.clrBarShadow, WindowPixel(rw.Width() / 2, rw.Height() - 1));
  // Background: the base look fills a caption bar with the shadow colour.
  const CRect text = bar.GetTextDrawRect();
  EXPECT_EQ(UfxGlobalData.clrBtnShadow, WindowPixel(origin.x + 1, origin.y + 1));
  EXPECT_EQ(UfxGlobalData.clrBtnShadow, WindowPixel(origin.x + text.right + 1, origin.y + 1));
  // The image: its corner is transparent (background), its middle is its own colour.
  const CRect image = bar.GetImageRect();
  HDC hdcMem = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(hdcMem, bitmap);
  const COLORREF clrMiddle = ::GetPixel(hdcMem, image.Width() / 2, image.Height() / 2);
  ::SelectObject(hdcMem, old);
  ::DeleteDC(hdcMem);
  ASSERT_NE(kMagenta, clrMiddle);
  EXPECT_EQ(UfxGlobalData.clrBtnShadow, WindowPixel(origin.x + image.left, origin.y + image.top));
  EXPECT_EQ(clrMiddle, WindowPixel(origin.x + image.left + image.Width() / 2, origin.y + image.top + image.Height() / 2));
  // The text is drawn over the background.
  bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC hdc = ::GetDC(bar.m_hWnd);
  int n = 0;
  for (int y = text.top; y < text.bottom; ++y)
    for (int x = text.left; x < text.right; ++x)
      if (::GetPixel(hdc, x, y) != UfxGlobalData.clrBtnShadow) ++n;
  ::ReleaseDC(bar.m_hWnd, hdc);
  EXPECT_GT(n, 0);
}

TEST_F(CaptionBarTest, CommandButtonSendsOnThePressOnlyWhileActive) {
  bar.SetButton(L"Options", kCommand, CUfxCaptionBar::ALIGN_LEFT);
  const CRect button = bar.GetButtonRect();
  ASSERT_FALSE(button.IsRectEmpty());
  const CPoint in = button.CenterPoint();
  Move(in);
  EXPECT_TRUE(bar.IsButtonHighlighted());
  bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(in.x, in.y));
  ASSERT_EQ(1u, frame->commands.size());  // sent on the press
  EXPECT_EQ(kCommand, frame->commands[0]);
  EXPECT_TRUE(bar.IsButtonPressed());
  bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(in.x, in.y));
  EXPECT_FALSE(bar.IsButtonPressed());
  bar.SendMessage(WM_MOUSELEAVE);
  EXPECT_FALSE(bar.IsButtonHighlighted());

  // Inactive: narrower (no drop-down mark), no highlight, no command.
  bar.EnableButton(FALSE);
  EXPECT_EQ(button.Width() - 10, bar.GetButtonRect().Width());
  Move(bar.GetButtonRect().CenterPoint());
  EXPECT_FALSE(bar.IsButtonHighlighted());
  bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar.GetButtonRect().CenterPoint().x, in.y));
  bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(bar.GetButtonRect().CenterPoint().x, in.y));
  EXPECT_EQ(1u, frame->commands.size());
}

// Every combination of alignments, with room for all three elements.
TEST_F(CaptionBarTest, TextIsNeverDrawnOverTheImageOrTheButton) {
  CRect rc;
  bar.GetClientRect(&rc);
  const int aligns[] = {CUfxCaptionBar::ALIGN_LEFT, CUfxCaptionBar::ALIGN_RIGHT, CUfxCaptionBar::ALIGN_CENTER};
  for (int image : aligns)
    for (int button : aligns)
      for (int text : aligns) {
        bar.SetBitmap(bitmap, kMagenta, FALSE, image);
        bar.SetButton(L"Options", kCommand, button);
        bar.SetText(CString(L'W', 12), text);
        const CRect drawn = bar.GetTextDrawRect();
        CRect image4 = bar.GetImageRect(), button4 = bar.GetButtonRect(), overlap;
        image4.InflateRect(4, 4);
        button4.InflateRect(4, 4);
        const std::string where = "alignments of image " + std::to_string(image) + ", button " +
                                  std::to_string(button) + ", text " + std::to_string(text);
        if (drawn.IsRectEmpty()) continue;
        EXPECT_FALSE(overlap.IntersectRect(&drawn, &image4)) << where;
        EXPECT_FALSE(overlap.IntersectRect(&drawn, &button4)) << where;
        EXPECT_GE(drawn.left, rc.left + 4) << where;
        EXPECT_LE(drawn.right, rc.right - 4) << where;
        EXPECT_GE(bar.GetImageRect().left, rc.left + 4) << where;
        EXPECT_LE(bar.GetImageRect().right, rc.right - 4) << where;
      }
}

TEST_F(CaptionBarTest, EmptyButtonTextIsNeverLaidOut) {
  bar.SetButton(L"", kCommand, CUfxCaptionBar::ALIGN_LEFT);
  EXPECT_TRUE(bar.GetButtonRect().IsRectEmpty());
}

TEST_F(CaptionBarTest, RightClickAsksForTheToolbarMenuOutsideCustomization) {
  CPoint pt(30, 5);
  bar.PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  PumpPending();
  ASSERT_EQ(1u, frame->menuRequests.size());
  bar.ClientToScreen(&pt);
  EXPECT_EQ((WPARAM)bar.m_hWnd, frame->menuRequests[0].first);
  EXPECT_EQ(MAKELPARAM(pt.x, pt.y), frame->menuRequests[0].second);

  CUfxToolBar::SetCustomizeMode(TRUE);
  bar.PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(30, 5));
  PumpPending();
  EXPECT_EQ(1u, frame->menuRequests.size());
}

TEST_F(CaptionBarTest, TheBarIsListedWithTheFrameworkBarsWhileItLives) {
  EXPECT_NE(nullptr, UfxAllControlBars.Find(&bar));
  CUfxCaptionBar other;
  ASSERT_TRUE(other.Create(0x54000000, frame, 22818));
  EXPECT_NE(nullptr, UfxAllControlBars.Find(&other));
  other.DestroyWindow();
  EXPECT_EQ(nullptr, UfxAllControlBars.Find(&other));
  EXPECT_NE(nullptr, UfxAllControlBars.Find(&bar));
}

}  // namespace
