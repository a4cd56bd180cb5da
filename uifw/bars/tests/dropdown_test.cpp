// Drop-down buttons: a short click runs the current command, a 500 ms hold opens the source
// toolbar in a frame where a chosen command becomes the current one and runs; where the frame
// goes; copies and the archive; the export into a menu.
#include "ArchiveBytes.h"
#include "CommandBarsTestKit.h"
#include "bars/UfxDropDownFrame.h"
#include "bars/UfxDropDownToolBar.h"
#include "bars/UfxDropDownToolbarButton.h"
#include "bars/UfxToolbarMenuButton.h"

using namespace toolbar_test;
using namespace command_bars_test;

namespace {

using archive_bytes::Load;
using archive_bytes::Store;

const UINT kSourceBarId = 0xE810;

class DropDownTest : public FrameFixture {
protected:
  DropDownTest() : FrameFixture(CRect(100, 100, 700, 400), WS_POPUP | WS_VISIBLE) {}
  void SetUp() override {
    FrameFixture::SetUp();
    AfxSetResourceHandle(::GetModuleHandleW(nullptr));
    ASSERT_TRUE(source.Create(frame, WS_CHILD | CBRS_TOP, kSourceBarId));
    ASSERT_TRUE(source.LoadToolBarImages(240));
    int iImage = 0;
    for (UINT id : {501u, 502u, 0u, 503u}) {
      if (id == 0) source.InsertSeparator();
      else source.InsertButton(new CUfxToolbarButton(id, iImage++, nullptr, FALSE, TRUE));
    }
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE801));
    button = new CUfxDropDownToolbarButton(L"Shapes", &source);
    bar.InsertButton(new CUfxToolbarButton(101, 0));
    ASSERT_EQ(1, bar.InsertButton(button));
    bar.SetWindowPos(nullptr, 0, 0, 400, 30, SWP_NOZORDER | SWP_NOACTIVATE);
    bar.LayoutButtons();
    frame->handled = {501, 502, 503};
  }
  void TearDown() override {
    bar.DestroyWindow();
    source.DestroyWindow();
    FrameFixture::TearDown();
  }
  CPoint ButtonCentre() { return bar.ButtonRect(1).CenterPoint(); }

  CUfxDropDownToolBar source;
  CTestBar bar;
  CUfxDropDownToolbarButton* button = nullptr;
};

TEST_F(DropDownTest, AShortClickRunsTheCurrentCommandAndOpensNothing) {
  EXPECT_EQ(501u, button->m_nID) << "the first command of the source bar";
  bar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(ButtonCentre()));
  bar.PostMessage(WM_LBUTTONUP, 0, PointParam(ButtonCentre()));
  RoundTrip(bar.GetSafeHwnd());
  RoundTrip(frame->GetSafeHwnd());
  EXPECT_EQ(std::vector<UINT>({501}), frame->commands);
  EXPECT_FALSE(button->IsWaitingForHold());
  EXPECT_EQ(nullptr, CUfxDropDownToolbarButton::GetWaitingButton());
  EXPECT_EQ(nullptr, button->GetDropDownFrame());
}

TEST_F(DropDownTest, HoldingOpensTheFrameWhereAChosenCommandBecomesCurrentAndRuns) {
  bar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(ButtonCentre()));
  ASSERT_TRUE(PumpUntil([&] { return button->GetDropDownFrame() != nullptr; }));
  CUfxDropDownFrame* pFrame = button->GetDropDownFrame();
  const HWND hwndFrame = pFrame->GetSafeHwnd();
  ASSERT_TRUE(::IsWindowVisible(hwndFrame));
  EXPECT_FALSE(button->IsWaitingForHold());

  // The frame's corner is the button's bottom-left, one pixel up; it holds a copy of the source.
  CRect rectButton = bar.ButtonRect(1);
  bar.ClientToScreen(rectButton);
  CRect rectFrame;
  pFrame->GetWindowRect(rectFrame);
  EXPECT_EQ(CPoint(rectButton.left, rectButton.bottom - 1), rectFrame.TopLeft());
  CUfxToolBar& copy = pFrame->m_wndToolBar;
  EXPECT_EQ(std::vector<UINT>({501, 502, 0, 503}), ButtonIds(copy.GetAllButtons()));
  EXPECT_EQ(copy.GetSafeHwnd(), ::GetCapture());
  EXPECT_FALSE(copy.GetBarStyle() & CBRS_ORIENT_HORZ) << "under a horizontal bar the copy stands upright";

  // The pointer goes to the circle and lets go there.
  CRect rectCircle;
  copy.GetButtonRect(3, rectCircle);
  copy.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(rectCircle.CenterPoint()));
  EXPECT_EQ(3, copy.GetHighlightedButton());
  copy.SendMessage(WM_LBUTTONUP, 0, PointParam(rectCircle.CenterPoint()));
  ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(hwndFrame) && !frame->commands.empty(); }));
  RoundTrip(frame->GetSafeHwnd());
  EXPECT_EQ(std::vector<UINT>({503}), frame->commands);
  EXPECT_EQ(503u, button->m_nID);
  EXPECT_EQ(2, button->GetCurrentImage()) << "the third non-separator button's image";
  EXPECT_EQ(nullptr, button->GetDropDownFrame());
  EXPECT_EQ(-1, bar.GetPressedButton());
}

TEST_F(DropDownTest, TheFrameStaysInTheWorkArea) {
  const CRect rectWork(0, 0, 1280, 1000);
  const CSize size(30, 100);
  const struct {
    const char* name;
    CPoint corner;
    CRect button;
    BOOL horzBar;
    CRect bar;
    CPoint expected;
  } cases[] = {
      {"room enough", CPoint(100, 50), CRect(100, 20, 130, 51), TRUE, CRect(0, 20, 400, 51), CPoint(100, 50)},
      {"at the right under a horizontal bar", CPoint(1270, 50), CRect(1270, 20, 1279, 51), TRUE,
       CRect(900, 20, 1280, 51), CPoint(1280 - 30 - 1, 50)},
      {"at the right beside a vertical bar", CPoint(1271, 300), CRect(1240, 300, 1270, 330), FALSE,
       CRect(1240, 0, 1270, 900), CPoint(1240 - 30, 300)},
      {"at the bottom: above the button", CPoint(100, 950), CRect(100, 920, 130, 951), TRUE,
       CRect(0, 920, 400, 951), CPoint(100, 920 - 100 - 4)},
      {"at the bottom without a button", CPoint(100, 950), CRect(), TRUE, CRect(), CPoint(100, 850)},
      {"never above the top", CPoint(100, 950), CRect(100, 60, 130, 951), TRUE, CRect(), CPoint(100, 0)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, CUfxDropDownFrame::PlaceFrame(c.corner, size, c.button, c.horzBar, c.bar, rectWork))
        << c.name;
}

TEST_F(DropDownTest, ACopyEqualsItsSourceAndTheArchiveComesBack) {
  button->SetDefaultCommand(503);
  button->m_bStored = TRUE;
  CUfxDropDownToolbarButton copy;
  copy.CopyFrom(*button);
  EXPECT_EQ(button->m_nID, copy.m_nID);
  EXPECT_EQ(button->m_nStyle, copy.m_nStyle);
  EXPECT_EQ(&source, copy.GetSourceToolBar());
  EXPECT_EQ(CString(L"Shapes"), copy.m_strName);
  EXPECT_EQ(2, copy.GetCurrentImage());
  EXPECT_FALSE(copy.m_bStored);

  const std::vector<BYTE> bytes = Store(*button);
  CUfxDropDownToolbarButton loaded;
  ASSERT_TRUE(Load(loaded, bytes));
  EXPECT_EQ(503u, loaded.m_nID);
  EXPECT_EQ(&source, loaded.GetSourceToolBar()) << "found again by its bar's id";
  EXPECT_EQ(CString(L"Shapes"), loaded.m_strName);
  EXPECT_EQ(2, loaded.GetCurrentImage());
  EXPECT_EQ(bytes, Store(loaded));

  // Without that bar the button keeps no source.
  source.DestroyWindow();
  CUfxDropDownToolbarButton orphan;
  ASSERT_TRUE(Load(orphan, bytes));
  EXPECT_EQ(nullptr, orphan.GetSourceToolBar());
}

TEST_F(DropDownTest, InAMenuTheButtonBecomesASubmenuOfTheSourceCommands) {
  CUfxToolbarMenuButton item;
  ASSERT_TRUE(button->ExportToMenuButton(item));
  EXPECT_EQ(0u, item.m_nID);
  EXPECT_EQ(CString(L"Shapes"), item.m_strText);
  std::vector<std::pair<UINT, CString>> entries;
  for (POSITION pos = item.GetCommands().GetHeadPosition(); pos != nullptr;) {
    const CUfxToolbarButton* p = static_cast<CUfxToolbarButton*>(item.GetCommands().GetNext(pos));
    entries.push_back({p->m_nID, p->m_strText});
  }
  const std::vector<std::pair<UINT, CString>> expected = {{501, L"Line"}, {502, L"Box"}, {0, L""}, {503, L"Circle"}};
  EXPECT_EQ(expected, entries);
}

}  // namespace
