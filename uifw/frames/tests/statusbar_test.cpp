// The status bar on a sizable frame with the program's four indicators: the message pane stretches
// to the grip and shows the window text, the text messages answer as callers expect, the grip
// follows the frame's maximised state, panes update like commands, and a pane's text is painted.
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxStatusBar.h"
#include "looks/UfxVisualManager.h"
#include <gtest/gtest.h>
#include "TestPump.h"
#include <vector>

namespace {

class CStatusTestApp : public CWinApp {
public:
  CStatusTestApp() : CWinApp(L"StatusBarTest") {}
};
CStatusTestApp theApp;

const UINT kIndicators[] = {0, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
const UINT kNoString = 0xE7F0;  // an indicator without a string resource

// A frame whose caps indicator is disabled and whose num indicator is checked by update handlers,
// and which records the commands it receives.
class CStatusFrame : public CUfxFrameWnd {
public:
  std::vector<UINT> commands;
  afx_msg void OnUpdateCaps(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  afx_msg void OnUpdateNum(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.push_back(LOWORD(wParam));
    return CUfxFrameWnd::OnCommand(wParam, lParam);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CStatusFrame, CUfxFrameWnd)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateCaps)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateNum)
END_MESSAGE_MAP()

int TextWidth(LPCWSTR text) {
  HDC hdc = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(hdc, UfxGlobalData.fontRegular.GetSafeHandle());
  SIZE size = {};
  ::GetTextExtentPoint32W(hdc, text, (int)wcslen(text), &size);
  ::SelectObject(hdc, old);
  ::ReleaseDC(nullptr, hdc);
  return size.cx;
}

class StatusBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    CUfxVisualManager::SetDefaultManager(nullptr);
    frame = new CStatusFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(80, 80, 680, 420)));
    ASSERT_TRUE(bar.Create(frame, 0x50008200, 59393));
    ASSERT_TRUE(bar.SetIndicators(kIndicators, 4));
    frame->ShowWindow(SW_SHOWNOACTIVATE);
    frame->RecalcLayout();
    PumpPending();
  }
  void TearDown() override {
    if (::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    PumpPending();
  }
  // The bar's hit-test answer at a client point.
  LRESULT HitAt(CPoint pt) {
    bar.ClientToScreen(&pt);
    return bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
  }
  CRect PaneRect(int i) const {
    CRect r;
    bar.GetItemRect(i, &r);
    return r;
  }
  // Pixels of the repainted bar in the area that pass the test.
  template <class Pred> int Count(const CRect& area, Pred pred) {
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    HDC hdc = ::GetDC(bar.m_hWnd);
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (pred(::GetPixel(hdc, x, y))) ++n;
    ::ReleaseDC(bar.m_hWnd, hdc);
    return n;
  }
  int CountInk(const CRect& area) {
    return Count(area, [](COLORREF c) { return c != UfxGlobalData.clrBarFace; });
  }
  // Black text, anti-aliased or not, has pixels darker than any grey.
  int CountDark(const CRect& area) {
    return Count(area, [](COLORREF c) { return GetRValue(c) < 48 && GetGValue(c) < 48 && GetBValue(c) < 48; });
  }
  CStatusFrame* frame = nullptr;
  CUfxStatusBar bar;
};

TEST_F(StatusBarTest, MessagePaneStretchesToTheGripAndIndicatorsFitTheirText) {
  EXPECT_EQ((UINT)(SBPS_STRETCH | SBPS_NOBORDERS), bar.GetPaneStyle(0));
  EXPECT_EQ(4, bar.GetPane(0)->rect.left);  // the left border
  const LPCWSTR texts[] = {L"CAP", L"NUM", L"SCRL"};
  for (int i = 1; i < 4; ++i) {
    EXPECT_EQ(0u, bar.GetPaneStyle(i)) << i;
    EXPECT_EQ(TextWidth(texts[i - 1]) + 4, PaneRect(i).Width()) << i;
    EXPECT_EQ(PaneRect(i - 1).right + bar.m_cxDefaultGap, PaneRect(i).left) << i;
  }
  ASSERT_FALSE(bar.IsGripHidden());
  const CRect grip = bar.GetSizeBoxRect();
  EXPECT_EQ(PaneRect(3).right, grip.left);
  CRect client;
  bar.GetClientRect(&client);
  EXPECT_EQ(client.right, grip.left + std::min(::GetSystemMetrics(SM_CXVSCROLL) + 1, client.Height() - 2));
  // A zero id later in the array only reserves a quarter of the screen.
  const UINT later[] = {ID_INDICATOR_CAPS, 0};
  ASSERT_TRUE(bar.SetIndicators(later, 2));
  EXPECT_EQ(0u, bar.GetPaneStyle(1));
  EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN) / 4 + 4, PaneRect(1).Width());
}

TEST_F(StatusBarTest, HeightFollowsTheFont) {
  TEXTMETRICW tm = {};
  HDC hdc = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(hdc, UfxGlobalData.fontRegular.GetSafeHandle());
  ::GetTextMetricsW(hdc, &tm);
  ::SelectObject(hdc, old);
  ::ReleaseDC(nullptr, hdc);
  // The top border (2) and 4 pixels of room; a bottom bar draws no border lines.
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading + 2 + 4, bar.CalcFixedLayout(TRUE, TRUE).cy);
  CRect rw;
  bar.GetWindowRect(&rw);
  EXPECT_EQ(bar.CalcFixedLayout(TRUE, TRUE).cy, rw.Height());
}

TEST_F(StatusBarTest, SetWindowTextFillsTheMessagePane) {
  EXPECT_TRUE(::SetWindowTextW(bar.m_hWnd, L"Ready to calculate"));
  EXPECT_EQ(bar.GetPaneText(0), CString(L"Ready to calculate"));
  wchar_t buf[64] = {};
  EXPECT_EQ(18, ::GetWindowTextW(bar.m_hWnd, buf, 64));
  EXPECT_STREQ(L"Ready to calculate", buf);
  EXPECT_EQ(18, ::GetWindowTextLengthW(bar.m_hWnd));
  // Without a message pane there is nowhere to put it.
  const UINT onlyIndicators[] = {ID_INDICATOR_CAPS};
  ASSERT_TRUE(bar.SetIndicators(onlyIndicators, 1));
  EXPECT_FALSE(::SetWindowTextW(bar.m_hWnd, L"lost"));
  EXPECT_EQ(0, ::GetWindowTextLengthW(bar.m_hWnd));
}

TEST_F(StatusBarTest, GetTextCopiesWhatFitsTheBuffer) {
  struct Case {
    BOOL bMessagePane;
    int cchBuffer;
    LRESULT expected;
    LPCWSTR text;
  } cases[] = {
      {TRUE, 0, 0, L"untouched"},       // a zero-sized buffer is left alone
      {TRUE, 6, 5, L"Hello"},           // cut to the buffer size - 1 and terminated
      {TRUE, 32, 11, L"Hello world"},   // the whole text
      {FALSE, 32, 0, L""},              // no message pane: an empty string
  };
  for (const Case& c : cases) {
    const UINT withPane[] = {0, ID_INDICATOR_CAPS}, withoutPane[] = {ID_INDICATOR_CAPS};
    ASSERT_TRUE(c.bMessagePane ? bar.SetIndicators(withPane, 2) : bar.SetIndicators(withoutPane, 1));
    if (c.bMessagePane) bar.SetPaneText(0, L"Hello world");
    wchar_t buf[32];
    wcscpy(buf, L"untouched");
    EXPECT_EQ(c.expected, bar.SendMessage(WM_GETTEXT, (WPARAM)c.cchBuffer, (LPARAM)buf)) << c.cchBuffer;
    EXPECT_STREQ(c.text, buf) << c.cchBuffer;
  }
}

TEST_F(StatusBarTest, AMissingStringFailsAndLeavesTheRestUnset) {
  const UINT ids[] = {0, kNoString, ID_INDICATOR_NUM};
  EXPECT_FALSE(bar.SetIndicators(ids, 3));
  EXPECT_EQ(kNoString, bar.GetItemID(1));
  EXPECT_EQ(0u, bar.GetItemID(2));
  EXPECT_FALSE(PaneRect(0).IsRectEmpty());  // the layout ran
}

TEST_F(StatusBarTest, GripHidesWhileTheFrameIsMaximised) {
  const CRect grip = bar.GetSizeBoxRect();
  EXPECT_EQ(HTBOTTOMRIGHT, HitAt(CPoint(grip.right - 2, grip.bottom - 2)));

  frame->ShowWindow(SW_MAXIMIZE);
  frame->RecalcLayout();
  PumpPending();
  ASSERT_TRUE(frame->IsZoomed());
  EXPECT_TRUE(bar.IsGripHidden());
  EXPECT_TRUE(bar.GetSizeBoxRect().IsRectEmpty());
  CRect client;
  bar.GetClientRect(&client);
  EXPECT_EQ(client.right, PaneRect(3).right);  // the panes take the grip's room
  EXPECT_NE(HTBOTTOMRIGHT, HitAt(CPoint(client.right - 2, client.bottom - 2)));

  frame->ShowWindow(SW_RESTORE);
  frame->RecalcLayout();
  PumpPending();
  EXPECT_FALSE(bar.IsGripHidden());
  EXPECT_FALSE(bar.GetSizeBoxRect().IsRectEmpty());
}

TEST_F(StatusBarTest, GripAnswersBottomLeftOnlyInRightToLeftLayout) {
  bar.ModifyStyleEx(0, WS_EX_TOOLWINDOW);
  const CRect grip = bar.GetSizeBoxRect();
  EXPECT_EQ(HTBOTTOMRIGHT, HitAt(CPoint(grip.right - 2, grip.bottom - 2)));
}

TEST_F(StatusBarTest, PanesUpdateLikeCommands) {
  bar.OnUpdateCmdUI(frame, FALSE);
  EXPECT_EQ((UINT)SBPS_DISABLED, bar.GetPaneStyle(1) & (SBPS_DISABLED | SBPS_POPOUT));
  EXPECT_EQ((UINT)SBPS_POPOUT, bar.GetPaneStyle(2) & (SBPS_DISABLED | SBPS_POPOUT));
  EXPECT_EQ(0u, bar.GetPaneStyle(3) & (SBPS_DISABLED | SBPS_POPOUT));
}

TEST_F(StatusBarTest, DoubleClickPostsThePaneCommandOnlyWhenAsked) {
  const CRect pane = PaneRect(2);
  const LPARAM at = MAKELPARAM(pane.CenterPoint().x, pane.CenterPoint().y);
  bar.PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PumpPending();
  EXPECT_TRUE(frame->commands.empty());
  bar.EnablePaneDoubleClick();
  bar.PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PumpPending();
  ASSERT_EQ(1u, frame->commands.size());
  EXPECT_EQ((UINT)ID_INDICATOR_NUM, frame->commands[0]);
}

TEST_F(StatusBarTest, TooltipComesFromThePaneUnderThePoint) {
  bar.SetTipText(3, L"Scroll lock");
  TOOLINFOW ti = {};
  ti.cbSize = sizeof(ti);
  EXPECT_EQ((INT_PTR)ID_INDICATOR_SCRL, bar.OnToolHitTest(PaneRect(3).CenterPoint(), &ti));
  ASSERT_NE(nullptr, ti.lpszText);
  EXPECT_STREQ(L"Scroll lock", ti.lpszText);
  EXPECT_EQ(PaneRect(3), CRect(ti.rect));
  EXPECT_EQ(bar.m_hWnd, ti.hwnd);
  free(ti.lpszText);
  EXPECT_EQ(-1, bar.OnToolHitTest(PaneRect(1).CenterPoint(), nullptr));
}

TEST_F(StatusBarTest, PaneTextIsPaintedUnlessAProgressBarTakesThePane) {
  ASSERT_EQ(0u, bar.GetPane(0)->clrText);  // black: a new pane's colour
  CRect content = PaneRect(0);
  content.right = content.left + TextWidth(L"WWWW") + 1;
  EXPECT_EQ(0, CountInk(content));
  bar.SetPaneText(0, L"WWWW");
  EXPECT_GT(CountDark(content), 0);
  // The caps pane disabled: its text turns grey.
  CRect caps = PaneRect(1);
  caps.DeflateRect(2, 1);
  EXPECT_GT(CountDark(caps), 0);
  bar.SetPaneStyle(1, SBPS_DISABLED);
  EXPECT_EQ(0, CountDark(caps));
  EXPECT_GT(CountInk(caps), 0);
  // A progress bar replaces the text.
  bar.EnablePaneProgressBar(0, 100);
  EXPECT_EQ(0, CountInk(content));
}

TEST_F(StatusBarTest, AnimationWrapsAndNewIndicatorsStopItsTimer) {
  HIMAGELIST frames = ::ImageList_Create(16, 16, ILC_COLOR32, 2, 0);
  ASSERT_TRUE(::ImageList_SetImageCount(frames, 2));
  bar.SetPaneAnimation(3, frames, 5000);
  ASSERT_EQ(2, bar.GetPane(3)->nFrameCount);
  EXPECT_EQ(16, bar.GetPane(3)->cxIcon);
  bar.SendMessage(WM_TIMER, ID_INDICATOR_SCRL);
  EXPECT_EQ(1, bar.GetPane(3)->nCurrFrame);
  bar.SendMessage(WM_TIMER, ID_INDICATOR_SCRL);
  EXPECT_EQ(0, bar.GetPane(3)->nCurrFrame);
  // The old panes' timer goes with them (KillTimer fails for a timer that no longer runs).
  ASSERT_TRUE(bar.SetIndicators(kIndicators, 4));
  EXPECT_EQ(0, bar.GetPane(3)->nFrameCount);
  EXPECT_FALSE(::KillTimer(bar.m_hWnd, ID_INDICATOR_SCRL));
}

TEST_F(StatusBarTest, TheBarIsListedWithTheFrameworkBarsWhileItLives) {
  EXPECT_NE(nullptr, UfxAllControlBars.Find(&bar));
  CUfxStatusBar other;
  ASSERT_TRUE(other.Create(frame, 0x50008200, 59394));
  EXPECT_NE(nullptr, UfxAllControlBars.Find(&other));
  other.DestroyWindow();
  EXPECT_EQ(nullptr, UfxAllControlBars.Find(&other));
  EXPECT_NE(nullptr, UfxAllControlBars.Find(&bar));
}

}  // namespace
