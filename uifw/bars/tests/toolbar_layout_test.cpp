// The toolbar's sizes, loading from toolbar resources, layout in rows, hit tests and painting.
#include "ToolbarTestKit.h"
#include "bars/UfxCustomizeButton.h"
#include "bars/UfxMenuGlyphs.h"

using namespace toolbar_test;

namespace {

const UINT kResource = 228;
const UINT kBadVersion = 229;
const UINT kShortResource = 230;

class ToolbarLayoutTest : public FrameFixture {
protected:
  ToolbarLayoutTest() : FrameFixture(CRect(0, 0, 600, 300), WS_POPUP | WS_VISIBLE) {}
  void SetUp() override {
    FrameFixture::SetUp();
    bar = new CUfxToolBar;
    ASSERT_TRUE(bar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE801));
  }
  void TearDown() override {
    if (bar != nullptr) {
      bar->DestroyWindow();
      delete bar;
    }
    FrameFixture::TearDown();
  }
  // The bar placed at a size of our choosing, its buttons laid out.
  void Place(int cx, int cy) {
    bar->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    bar->LayoutButtons();
  }
  void SetIds(std::vector<UINT> ids) { ASSERT_TRUE(bar->SetButtons(ids.data(), (int)ids.size())); }
  CRect RectOf(int i) {
    CRect rect;
    bar->GetButtonRect(i, rect);
    return rect;
  }
  CUfxToolBar* bar = nullptr;
};

TEST_F(ToolbarLayoutTest, ResourceSizesFollowTheImagesAndLargeIconsOnlyOnBarsThatFollowTheFlag) {
  // Before any resource the defaults hold.
  EXPECT_EQ(CSize(23, 22), bar->GetButtonSize());
  EXPECT_EQ(CSize(16, 15), bar->GetImageSize());

  ASSERT_TRUE(bar->LoadToolBarResource(kResource));
  EXPECT_EQ(CSize(22, 21), bar->GetButtonSize());
  EXPECT_EQ(CSize(16, 15), bar->GetImageSize());
  EXPECT_EQ(kResource, bar->GetResourceID());
  ASSERT_EQ(4, bar->GetButtonCount());
  const UINT ids[] = {0xE100, 0xE101, 0, 0xE103};
  const int images[] = {0, 1, -1, 2};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(ids[i], bar->GetButton(i)->m_nID) << i;
    EXPECT_EQ(images[i] < 0 ? -1 : images[i] + bar->GetImagesOffset(), bar->GetButton(i)->m_nStyle & TBBS_SEPARATOR ? -1 : bar->GetButton(i)->GetImage()) << i;
  }
  int iImage = -1;
  EXPECT_TRUE(CUfxToolBar::GetDefaultImage(0xE103, iImage));
  EXPECT_EQ(bar->GetImagesOffset() + 2, iImage);
  EXPECT_GE(CUfxToolBar::GetImages()->GetCount(), 4);

  CUfxToolBar fixed;
  ASSERT_TRUE(fixed.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE802));
  fixed.EnableLargeIcons(FALSE);
  CUfxToolBar::SetLargeIcons(TRUE);
  EXPECT_EQ(CSize(44, 42), bar->GetButtonSize());
  EXPECT_EQ(CSize(32, 30), bar->GetImageSize());
  EXPECT_EQ(CSize(22, 21), fixed.GetButtonSize());
  EXPECT_EQ(CSize(16, 15), fixed.GetImageSize());
  CUfxToolBar::SetLargeIcons(FALSE);
  EXPECT_EQ(CSize(22, 21), bar->GetButtonSize());
  fixed.DestroyWindow();
}

TEST_F(ToolbarLayoutTest, ResourcesOfAnotherVersionOrCutShortAreRefused) {
  const struct {
    const char* name;
    UINT id;
  } cases[] = {{"version 2", kBadVersion}, {"ids missing", kShortResource}, {"no such resource", 231}};
  for (const auto& c : cases) {
    EXPECT_FALSE(bar->LoadToolBarResource(c.id)) << c.name;
    EXPECT_EQ(0u, bar->GetResourceID()) << c.name;
    EXPECT_EQ(0, bar->GetButtonCount()) << c.name;
    EXPECT_EQ(CSize(23, 22), bar->GetButtonSize()) << c.name;
  }
}

TEST_F(ToolbarLayoutTest, ButtonsStartOnePixelInAndRowsAreRowHeightPlusFiveApart) {
  SetIds({101, 102, 103, 104, 105, 106});
  Place(400, 30);
  const int nWidth = bar->GetButtonSize().cx;
  for (int i = 0; i < 6; ++i) EXPECT_EQ(CRect(1 + i * nWidth, 0, 1 + (i + 1) * nWidth, bar->RowHeight()), RectOf(i)) << i;

  // Sized to three buttons' width: two rows.
  bar->SetBarStyle(bar->GetBarStyle() | CBRS_SIZE_DYNAMIC);
  CRect rectInside(0, 0, 0, 0);
  bar->CalcInsideRect(rectInside, TRUE);
  const CSize size = bar->CalcDynamicLayout(3 * nWidth - rectInside.Width(), LM_HORZ);
  EXPECT_EQ(2 * bar->RowHeight() + CUfxToolBar::kRowGap - rectInside.Height(), size.cy);
  Place(3 * nWidth + 2, size.cy);
  EXPECT_EQ(RectOf(0).top, RectOf(2).top);
  EXPECT_EQ(RectOf(0).top + bar->RowHeight() + CUfxToolBar::kRowGap, RectOf(3).top);
  EXPECT_EQ(1, RectOf(3).left);
  EXPECT_EQ(RectOf(4).left, RectOf(1).left);
}

TEST_F(ToolbarLayoutTest, SeparatorsAtARowStartOrAfterASeparatorTakeNoSpace) {
  bar->InsertButton(new CUfxToolbarButton(101, 0));
  bar->InsertSeparator(1);
  bar->InsertSeparator(2);
  bar->InsertButton(new CUfxToolbarButton(102, 1));
  // A separator in front of everything (the bar allows it only through the list).
  CUfxToolbarButton* pLeading = new CUfxToolbarButton;
  pLeading->m_nStyle = TBBS_SEPARATOR;
  ASSERT_EQ(0, bar->InsertButton(pLeading, 0));
  Place(400, 30);
  const int nWidth = bar->GetButtonSize().cx;
  EXPECT_FALSE(bar->GetButton(0)->m_bVisible);
  EXPECT_EQ(0, RectOf(0).Width());
  EXPECT_EQ(CRect(1, 0, 1 + nWidth, bar->RowHeight()), RectOf(1));
  EXPECT_TRUE(bar->GetButton(2)->m_bVisible);
  EXPECT_EQ(8, RectOf(2).Width());
  EXPECT_FALSE(bar->GetButton(3)->m_bVisible);
  EXPECT_EQ(RectOf(2).right, RectOf(4).left);
}

TEST_F(ToolbarLayoutTest, AShortDockedBarHidesItsLastButtonsBehindTheCustomizeButton) {
  SetIds({101, 102, 103, 104, 105, 106});
  CCustomizeButton* pCustomize = new CCustomizeButton(0, L"");
  bar->SetCustomizeButton(pCustomize);
  EXPECT_EQ(6, bar->InsertButton(new CUfxToolbarButton(107, -1))) << "inserted before the customize button";
  ASSERT_EQ(pCustomize, bar->GetButton(7));
  const int nWidth = bar->GetButtonSize().cx;
  const int nCustomize = CUfxMenuGlyphs::GetSize().cx + 2 * look->GetToolbarCustomizeButtonMargin();

  // Everything fits: no customize button.
  Place(1 + 7 * nWidth + 1, 30);
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(bar->GetButton(i)->m_bVisible) << i;
  EXPECT_FALSE(pCustomize->m_bVisible);
  EXPECT_TRUE(pCustomize->GetInvisibleButtons().IsEmpty());

  // Room for three buttons and the customize button (the borders lie outside the client area).
  CRect rectWindow, rectInner;
  bar->GetWindowRect(rectWindow);
  bar->GetClientRect(rectInner);
  const int cx = rectWindow.Width() - rectInner.Width() + 1 + 3 * nWidth + nCustomize + 2;
  Place(cx, 30);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(i < 3, bar->GetButton(i)->m_bVisible) << i;
  std::vector<UINT> hidden;
  for (POSITION pos = pCustomize->GetInvisibleButtons().GetHeadPosition(); pos != nullptr;)
    hidden.push_back(static_cast<CUfxToolbarButton*>(pCustomize->GetInvisibleButtons().GetNext(pos))->m_nID);
  EXPECT_EQ(std::vector<UINT>({104, 105, 106, 107}), hidden);
  CRect rectClient;
  bar->GetClientRect(rectClient);
  EXPECT_TRUE(pCustomize->m_bVisible);
  EXPECT_EQ(CRect(rectClient.right - nCustomize, rectClient.top, rectClient.right - 1, rectClient.bottom), RectOf(7));
  EXPECT_EQ(-1, bar->HitTest(RectOf(4).CenterPoint()));
  EXPECT_FALSE(bar->RemoveButton(7)) << "the customize button stays";
}

TEST_F(ToolbarLayoutTest, AFloatingBarWithLabelsCentresEachRow) {
  SetIds({101, 102, 103});
  const LPCWSTR labels[] = {L"A", L"A much longer label", L"B"};
  for (int i = 0; i < 3; ++i) bar->SetButtonText(i, labels[i]);
  bar->SetBarStyle(bar->GetBarStyle() | CBRS_SIZE_DYNAMIC);
  frame->EnableDocking(CBRS_ALIGN_ANY);
  bar->EnableDocking(CBRS_ALIGN_ANY);
  frame->FloatControlBar(bar, CPoint(50, 50));
  ASSERT_TRUE(bar->IsFloating());
  bar->EnableTextLabels(TRUE);

  // Wrapped after the long button: two rows, each centred in the client width.
  const int nRowEnd = RectOf(1).right;
  CRect rectInside(0, 0, 0, 0);
  bar->CalcInsideRect(rectInside, TRUE);
  const CSize size = bar->CalcDynamicLayout(nRowEnd + 4 - rectInside.Width(), LM_HORZ);
  ASSERT_TRUE(bar->GetButton(1)->m_bWrap);
  Place(size.cx + 60, size.cy);
  CRect rectClient;
  bar->GetClientRect(rectClient);
  EXPECT_LE(abs((RectOf(0).left - rectClient.left) - (rectClient.right - RectOf(1).right)), 2);
  EXPECT_LE(abs((RectOf(2).left - rectClient.left) - (rectClient.right - RectOf(2).right)), 2);
  EXPECT_GT(RectOf(2).left, RectOf(0).left) << "the short row sits further in";
  EXPECT_GT(RectOf(2).top, RectOf(0).top);
}

TEST_F(ToolbarLayoutTest, HitTestsFindOnlyShownButtons) {
  SetIds({101, 0, 102});
  Place(400, 30);
  const CRect r0 = RectOf(0), r1 = RectOf(1), r2 = RectOf(2);
  const struct {
    const char* name;
    CPoint pt;
    int expected;
  } cases[] = {{"first button", r0.CenterPoint(), 0},
               {"separator", r1.CenterPoint(), -1},
               {"last button", r2.CenterPoint(), 2},
               {"the pixel left of the first", CPoint(0, 5), -1},
               {"past the end", CPoint(r2.right + 3, 5), -1}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, bar->HitTest(c.pt)) << c.name;
  bar->GetButton(2)->m_bVisible = FALSE;
  EXPECT_EQ(-1, bar->HitTest(r2.CenterPoint()));
}

TEST_F(ToolbarLayoutTest, TextLabelsMakeRowsAsHighAsTheTallestLabel) {
  SetIds({101, 102});
  for (int i = 0; i < 2; ++i) bar->SetButtonText(i, L"Label");
  bar->EnableTextLabels(TRUE);
  EXPECT_TRUE(bar->GetButton(0)->m_bTextBelow);
  EXPECT_GT(bar->RowHeight(), bar->GetButtonSize().cy);
  Place(400, 80);
  EXPECT_EQ(bar->RowHeight(), RectOf(0).Height());
  bar->EnableTextLabels(FALSE);
  EXPECT_FALSE(bar->GetButton(0)->m_bTextBelow);
  EXPECT_EQ(bar->GetButtonSize().cy, bar->RowHeight());
}

TEST_F(ToolbarLayoutTest, PaintFillsOnceDrawsEachButtonAndCopiesTheBufferToTheWindow) {
  SetIds({101, 0, 102, 103, 104});
  Place(300, 24);
  look->calls.clear();
  bar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(1, look->Count("background"));
  EXPECT_EQ(1, look->Count("separator|"));
  for (UINT id : {101, 102, 103, 104}) EXPECT_EQ(1, look->Count("fill0:" + std::to_string(id))) << id;

  // The pixels on the screen come from the buffer: the background left of the first button and
  // the interior of a button.
  CClientDC dc(bar);
  EXPECT_EQ(CRecordingLook::kBackground, dc.GetPixel(0, 10));
  EXPECT_EQ(CRecordingLook::kInterior[0], dc.GetPixel(RectOf(0).left + 2, RectOf(0).top + 2));

  // Highlighting the last: its interior in state 2; only what meets the clip box is drawn.
  look->calls.clear();
  bar->SendMessage(WM_MOUSEMOVE, 0, PointParam(RectOf(4).CenterPoint()));
  bar->UpdateWindow();
  EXPECT_EQ(4, bar->GetHighlightedButton());
  EXPECT_EQ(1, look->Count("fill2:104"));
  EXPECT_EQ(0, look->Count("fill0:101")) << "the first button lies outside the repainted area";
  EXPECT_EQ(CRecordingLook::kInterior[2], dc.GetPixel(RectOf(4).left + 2, RectOf(4).top + 2));
}

TEST_F(ToolbarLayoutTest, ASeparatorEndingARowIsDrawnAcrossTheBarInTheGap) {
  SetIds({101, 0, 102});
  bar->SetBarStyle(bar->GetBarStyle() | CBRS_SIZE_DYNAMIC);
  CRect rectInside(0, 0, 0, 0);
  bar->CalcInsideRect(rectInside, TRUE);
  const int nWidth = bar->GetButtonSize().cx;
  // Room for the first button and the separator only.
  const CSize size = bar->CalcDynamicLayout(nWidth + 8 - rectInside.Width(), LM_HORZ);
  Place(nWidth + 10, size.cy);
  ASSERT_TRUE(bar->GetButton(1)->m_bWrap);
  look->calls.clear();
  look->separators.clear();
  bar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_EQ(1, look->Count("separator-"));
  CRect rectClient;
  bar->GetClientRect(rectClient);
  EXPECT_EQ(CRect(rectClient.left, RectOf(1).bottom, rectClient.right, RectOf(1).bottom + CUfxToolBar::kRowGap),
            look->separators[0]);
}

}  // namespace
