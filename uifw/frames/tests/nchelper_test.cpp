// The bar non-client helper by pixels: a docked bar with a gripper shows it, a floating one does
// not, and a partial repaint leaves the parts outside its region as they were.
#include "FramesTestKit.h"
#include "frames/UfxBarNcHelper.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include <gtest/gtest.h>

namespace {

class CNcTestApp : public CWinApp {
public:
  CNcTestApp() : CWinApp(L"NcHelperTest") {}
};
CNcTestApp theApp;

// A bar of a fixed size whose borders and gripper the helper draws.
class CHelperBar : public CControlBar {
public:
  CUfxBarNcHelper nc{this};
  CHelperBar() { m_bAutoDelete = TRUE; }
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? CSize(160, 32) : CSize(32, 160); }
  CSize CalcDynamicLayout(int, DWORD nMode) override { return CalcFixedLayout(FALSE, (nMode & LM_HORZ) != 0); }
  afx_msg void OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* p) { nc.CalcNcSize(&p->rgrc[0]); }
  afx_msg void OnNcPaint() { nc.DrawNcArea(); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CHelperBar, CControlBar)
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
END_MESSAGE_MAP()

// Bars overlap their dock bar's edge by this much: those pixels show the neighbours.
const int kHidden = 2;


class NcHelperTest : public ::testing::Test {
protected:
  void SetUp() override {
    frame = new CUfxFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"frame", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, CRect(100, 100, 600, 400)));
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->ShowWindow(SW_SHOWNOACTIVATE);
    bar = new CHelperBar;
    ASSERT_TRUE(bar->CWnd::Create(nullptr, L"bar", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER,
                                  CRect(0, 0, 0, 0), frame, 1001));
    bar->SetBarStyle(bar->GetBarStyle() | CBRS_GRIPPER);
    bar->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
    frame->RecalcLayout();
    bar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    PumpPending();
  }
  void TearDown() override {
    if (::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    PumpPending();
  }
  // The bar's client rectangle in window coordinates.
  CRect ClientInWindow() const {
    CRect rw, rc;
    bar->GetWindowRect(&rw);
    bar->GetClientRect(&rc);
    bar->ClientToScreen(&rc);
    rc.OffsetRect(-rw.left, -rw.top);
    return rc;
  }
  int CountNot(COLORREF clr, const CRect& area) const {
    HDC hDC = ::GetWindowDC(bar->m_hWnd);
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (::GetPixel(hDC, x, y) != clr) ++n;
    ::ReleaseDC(bar->m_hWnd, hDC);
    return n;
  }
  CUfxFrameWnd* frame = nullptr;
  CHelperBar* bar = nullptr;
};

TEST_F(NcHelperTest, ADockedBarShowsItsGripper) {
  const CRect client = ClientInWindow();
  ASSERT_GT(client.left, 6);  // the gripper's room left of the client area
  bar->SendMessage(WM_NCPAINT, 1);
  const CRect gripper(kHidden, kHidden, client.left - 1, client.bottom);
  EXPECT_GT(CountNot(UfxGlobalData.clrBarFace, gripper), 0);
}

TEST_F(NcHelperTest, AFloatingBarHasNoGripper) {
  frame->FloatControlBar(bar, CPoint(200, 500));
  PumpPending();
  ASSERT_TRUE(bar->IsFloating());
  bar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  bar->SendMessage(WM_NCPAINT, 1);
  const CRect client = ClientInWindow();
  CRect rw;
  bar->GetWindowRect(&rw);
  // Everything left of the client area is plain bar face (the outermost pixels of a bar lie under
  // its neighbours' edges and are not looked at).
  EXPECT_EQ(0, CountNot(UfxGlobalData.clrBarFace, CRect(kHidden, kHidden, client.left, rw.Height() - kHidden)));
}

TEST_F(NcHelperTest, APartialRepaintStaysInsideItsRegion) {
  CRect rw;
  bar->GetWindowRect(&rw);
  const CRect client = ClientInWindow();
  const COLORREF kMark = RGB(255, 0, 255);
  HDC hDC = ::GetWindowDC(bar->m_hWnd);
  HBRUSH hMark = ::CreateSolidBrush(kMark);
  RECT all = {0, 0, rw.Width(), rw.Height()};
  ::FillRect(hDC, &all, hMark);
  ::DeleteObject(hMark);
  ::ReleaseDC(bar->m_hWnd, hDC);

  // The update region (screen coordinates) covers the left half of the window only.
  HRGN hRgn = ::CreateRectRgn(rw.left, rw.top, rw.left + rw.Width() / 2, rw.bottom);
  bar->SendMessage(WM_NCPAINT, (WPARAM)hRgn);
  ::DeleteObject(hRgn);
  const CRect leftStrip(kHidden, kHidden, client.left, rw.Height() - kHidden);
  const CRect rightStrip(client.right, kHidden, rw.Width() - kHidden, rw.Height() - kHidden);
  const CRect bottomLeft(kHidden, client.bottom, rw.Width() / 2, rw.Height() - kHidden);
  const CRect bottomRight(rw.Width() / 2, client.bottom, rw.Width() - kHidden, rw.Height() - kHidden);
  EXPECT_EQ(leftStrip.Width() * leftStrip.Height(), CountNot(kMark, leftStrip));  // repainted
  EXPECT_EQ(bottomLeft.Width() * bottomLeft.Height(), CountNot(kMark, bottomLeft));
  EXPECT_EQ(0, CountNot(kMark, rightStrip));  // outside the region: untouched
  EXPECT_EQ(0, CountNot(kMark, bottomRight));
  EXPECT_EQ(0, CountNot(kMark, client));      // the client area is never painted here
}

}  // namespace
