// The images a toolbar draws: the strips a resource loads (regular, resting, disabled; shared or
// a locked bar's own), resources shared by several bars, the user images kept beside the program,
// the reload after a system colour change, and the clean-up at exit.
#include "BitmapFileKit.h"
#include "ToolbarTestKit.h"
#include "frames/UfxGlobalData.h"

using namespace toolbar_test;

namespace {

// The test program's toolbars (toolbar_images_test.rc): 260 with strips 260 (regular), 261
// (resting) and 262 (disabled), 263 with strip 263. Every image is a square at x 4-11, y 4-10 on
// light grey, in a colour of its strip's own.
const UINT kBar = 260;
const UINT kCold = 261;
const UINT kDisabled = 262;
const UINT kOtherBar = 263;
const COLORREF kRegular[] = {RGB(200, 0, 0), RGB(0, 0, 200)};
const COLORREF kResting[] = {RGB(240, 150, 150), RGB(150, 150, 240)};
const COLORREF kDisabledImage[] = {RGB(90, 90, 90), RGB(60, 60, 60)};
const COLORREF kOther[] = {RGB(0, 160, 0), RGB(220, 220, 0)};
const COLORREF kUser = RGB(30, 140, 160);

// Reaches the drawing contexts that all strips share.
struct CStripContexts : CUfxToolBarImages {
  static BOOL Exist() { return s_hdcSource != nullptr || s_hdcMask != nullptr; }
};

// Sets the button-face colour for the life of the object.
class CFaceColour {
public:
  explicit CFaceColour(COLORREF clr) : m_clrOld(::GetSysColor(COLOR_BTNFACE)) { Set(clr); }
  ~CFaceColour() { Set(m_clrOld); }
private:
  static void Set(COLORREF clr) {
    const INT nElement = COLOR_BTNFACE;
    ::SetSysColors(1, &nElement, &clr);
    UfxGlobalData.UpdateSysColors();
  }
  COLORREF m_clrOld;
};

// A 24-bit bitmap file of one 16 x 15 image: a square of the colour on light grey.
void WriteSquareBmp(const CString& strPath, COLORREF clrSquare) {
  WriteBmp24(strPath, 16, 15, [clrSquare](int x, int y) {
    return (x >= 4 && x <= 11 && y >= 4 && y <= 10) ? clrSquare : RGB(192, 192, 192);
  });
}

CString ProgramFolder() {
  WCHAR sz[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, sz, MAX_PATH);
  CString s(sz);
  return s.Left(s.ReverseFind(L'\\') + 1);
}

class ToolbarImagesTest : public FrameFixture {
protected:
  ToolbarImagesTest() : FrameFixture(CRect(0, 0, 400, 200), WS_POPUP | WS_VISIBLE) {}
  void SetUp() override {
    UfxGlobalData.UpdateSysColors();
    FrameFixture::SetUp();
  }
  void TearDown() override {
    for (CUfxToolBar* pBar : bars) {
      pBar->DestroyWindow();
      delete pBar;
    }
    CUfxToolBar::SetUserImages(nullptr);
    FrameFixture::TearDown();
  }
  // A shown bar at the top of the frame (y: its top), its buttons laid out.
  CUfxToolBar* NewBar(int y = 0) {
    CUfxToolBar* pBar = new CUfxToolBar;
    bars.push_back(pBar);
    EXPECT_TRUE(pBar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE801 + (UINT)bars.size()));
    pBar->SetWindowPos(nullptr, 0, y, 300, 30, SWP_NOZORDER | SWP_NOACTIVATE);
    return pBar;
  }
  static void Show(CUfxToolBar* pBar) {
    pBar->LayoutButtons();
    pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  // A pixel of button i's image as shown on the screen; the image sits centred in the button.
  static COLORREF ImagePixel(CUfxToolBar* pBar, int i, int x, int y) {
    CRect rect;
    pBar->GetButtonRect(i, rect);
    const CSize sizeImage = pBar->GetImageSize();
    CClientDC dc(pBar);
    return dc.GetPixel(rect.left + (rect.Width() - sizeImage.cx) / 2 + x, rect.top + (rect.Height() - sizeImage.cy) / 2 + y);
  }
  static COLORREF Square(CUfxToolBar* pBar, int i) { return ImagePixel(pBar, i, 8, 7); }
  static COLORREF Background(CUfxToolBar* pBar, int i) { return ImagePixel(pBar, i, 1, 1); }

  std::vector<CUfxToolBar*> bars;
};

TEST_F(ToolbarImagesTest, ButtonsRestInTheColdImageAndShowTheRegularOneHotAndTheDisabledOneDisabled) {
  for (BOOL bLocked : {FALSE, TRUE}) {
    SCOPED_TRACE(bLocked ? "locked" : "shared");
    CUfxToolBar* pBar = NewBar(bLocked ? 40 : 0);
    const int nSharedBefore = CUfxToolBar::GetImages()->GetCount();
    ASSERT_TRUE(pBar->LoadToolBarResource(kBar, 0, kCold, kDisabled, 0, 0, 0, 0, 0, bLocked));
    Show(pBar);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(kResting[i], Square(pBar, i)) << i;
    EXPECT_EQ(UfxGlobalData.clrBtnFace, Background(pBar, 0)) << "light grey shows as the button face";

    pBar->SendMessage(WM_MOUSEMOVE, 0, PointParam(CPoint(12, 10)));
    pBar->UpdateWindow();
    ASSERT_EQ(0, pBar->GetHighlightedButton());
    EXPECT_EQ(kRegular[0], Square(pBar, 0));
    EXPECT_EQ(kResting[1], Square(pBar, 1));

    pBar->SetButtonStyle(1, TBBS_DISABLED);
    Show(pBar);
    EXPECT_EQ(kDisabledImage[1], Square(pBar, 1));

    // A locked bar keeps its images to itself.
    EXPECT_EQ(nSharedBefore + (bLocked ? 0 : 2), CUfxToolBar::GetImages()->GetCount());
    EXPECT_EQ(2, pBar->GetImagesToDraw()->GetCount());
    pBar->SendMessage(WM_MOUSELEAVE);
  }
}

TEST_F(ToolbarImagesTest, BarsOfOneResourceShareItsImagesAndEachResourceFindsItsOwn) {
  CUfxToolBar* pFirst = NewBar(0);
  CUfxToolBar* pSecond = NewBar(40);
  CUfxToolBar* pOther = NewBar(80);
  ASSERT_TRUE(pFirst->LoadToolBarResource(kBar));
  ASSERT_TRUE(pOther->LoadToolBarResource(kOtherBar));
  ASSERT_TRUE(pSecond->LoadToolBarResource(kBar));
  ASSERT_TRUE(CUfxToolBar::LoadToolbarImagesOnly(kOtherBar));

  EXPECT_EQ(4, CUfxToolBar::GetImages()->GetCount()) << "each resource is in the shared strip once";
  EXPECT_EQ(0, pFirst->GetImagesOffset());
  EXPECT_EQ(0, pSecond->GetImagesOffset());
  EXPECT_EQ(2, pOther->GetImagesOffset());
  int iImage = -1;
  ASSERT_TRUE(CUfxToolBar::GetDefaultImage(0xE104, iImage));
  EXPECT_EQ(3, iImage);

  for (CUfxToolBar* pBar : {pFirst, pSecond, pOther}) Show(pBar);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(kRegular[i], Square(pFirst, i)) << i;
    EXPECT_EQ(kRegular[i], Square(pSecond, i)) << i;
    EXPECT_EQ(kOther[i], Square(pOther, i)) << i;
  }
}

TEST_F(ToolbarImagesTest, ASystemColourChangeReloadsSharedOwnAndUserStripsInTheNewColours) {
  // User images kept in a file beside the program, named without a folder.
  CString strName;
  strName.Format(L"toolbar_user_%lu.bmp", ::GetCurrentProcessId());
  WriteSquareBmp(ProgramFolder() + strName, kUser);
  CUfxToolBarImages userImages;
  ASSERT_TRUE(userImages.LoadFromFile(strName));
  CUfxToolBar::SetUserImages(&userImages);

  CUfxToolBar* pShared = NewBar(0);
  CUfxToolBar* pLocked = NewBar(40);
  ASSERT_TRUE(pShared->LoadToolBarResource(kBar));
  ASSERT_TRUE(pLocked->LoadToolBarResource(kOtherBar, 0, 0, 0, 0, 0, 0, 0, 0, TRUE));
  ASSERT_NE(-1, pShared->InsertButton(new CUfxToolbarButton(501, 0, nullptr, TRUE)));
  for (CUfxToolBar* pBar : {pShared, pLocked}) Show(pBar);
  EXPECT_EQ(kUser, Square(pShared, 2)) << "a user-image button draws from the user images";

  const COLORREF clrFace = RGB(210, 120, 60);
  {
    CFaceColour face(clrFace);
    for (CUfxToolBar* pBar : {pShared, pLocked}) {
      pBar->SendMessage(WM_SYSCOLORCHANGE);
      pBar->UpdateWindow();
    }
    EXPECT_EQ(clrFace, Background(pShared, 0)) << "shared strip";
    EXPECT_EQ(clrFace, Background(pLocked, 1)) << "own strip";
    EXPECT_EQ(clrFace, Background(pShared, 2)) << "user images";
    EXPECT_EQ(kRegular[1], Square(pShared, 1));
    EXPECT_EQ(kOther[0], Square(pLocked, 0));
    EXPECT_EQ(kUser, Square(pShared, 2));
  }
  for (CUfxToolBar* pBar : bars) pBar->DestroyWindow();
  CUfxToolBar::SetUserImages(nullptr);
  ::DeleteFileW(ProgramFolder() + strName);
}

TEST_F(ToolbarImagesTest, CleanUpEmptiesTheSharedStripsAndTheirContextsAndALaterLoadDrawsAgain) {
  CUfxToolBar* pBar = NewBar();
  ASSERT_TRUE(pBar->LoadToolBarResource(kBar, 0, kCold, kDisabled));
  Show(pBar);
  ASSERT_TRUE(CStripContexts::Exist());

  CUfxToolBar::FreeStaticImages();
  for (CUfxToolBarImages* pImages : {CUfxToolBar::GetImages(), CUfxToolBar::GetColdImages(), CUfxToolBar::GetDisabledImages()})
    EXPECT_EQ(0, pImages->GetCount());
  int iImage = -1;
  EXPECT_FALSE(CUfxToolBar::GetDefaultImage(0xE100, iImage));
  EXPECT_FALSE(CStripContexts::Exist());

  CUfxToolBar* pAgain = NewBar(40);
  ASSERT_TRUE(pAgain->LoadToolBarResource(kBar, 0, kCold));
  Show(pAgain);
  EXPECT_EQ(kResting[0], Square(pAgain, 0));
}

}  // namespace
