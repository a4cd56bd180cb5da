// Image strips: loading from resources and files in the system's colours, adding once per
// resource, saving back only what changed, and the pixels of every drawing form.
#include "bars/UfxToolBarImages.h"
#include "bars/UfxToolbarButton.h"
#include "bars/UfxToolBar.h"
#include "looks/UfxColorMath.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxVisualManager.h"
#include "TestCanvas.h"
#include "BitmapFileKit.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace {

// The test program's strips (tests/images): two 16 x 15 images each, image 0 "bands" (columns
// of black, dark grey, light grey and white, the top row red), image 1 "glyph" (a black square at
// x 4-11, y 4-10 with a red centre at x 6-9, y 6-8, on light grey).
const UINT kStrip4 = 101;
const UINT kStrip24 = 102;
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kCanvas = RGB(10, 200, 30);  // no system colour

COLORREF Sys(int n) { return ::GetSysColor(n); }

class ImagesTest : public ::testing::Test {
protected:
  void SetUp() override {
    CUfxVisualManager::SetDefaultManager(nullptr);
    CUfxVisualManager::DeleteAutoCreatedInstance();
    UfxGlobalData.UpdateSysColors();
  }
};

// Draws one image in a draw sequence of its own.
BOOL DrawOne(CUfxToolBarImages& images, CTestCanvas& canvas, int iImage, int x = 0, int y = 0,
             std::function<BOOL(CDC*)> draw = nullptr) {
  CUfxDrawState ds;
  if (!images.PrepareDraw(ds)) return FALSE;
  const BOOL b = draw ? draw(&canvas.dc()) : images.Draw(&canvas.dc(), x, y, iImage);
  images.EndDraw(ds);
  return b;
}

// A pixel of a bitmap file as stored, without any recolouring.
COLORREF FilePixel(const CString& strPath, int x, int y) {
  HBITMAP hbmp = (HBITMAP)::LoadImageW(nullptr, strPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  if (hbmp == nullptr) return (COLORREF)-2;
  HDC hdc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(hdc, hbmp);
  const COLORREF c = ::GetPixel(hdc, x, y);
  ::SelectObject(hdc, old);
  ::DeleteDC(hdc);
  ::DeleteObject(hbmp);
  return c;
}

CString TempFolder() {
  WCHAR sz[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, sz);
  return sz;
}

CString ProgramFolder() {
  WCHAR sz[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, sz, MAX_PATH);
  CString s(sz);
  return s.Left(s.ReverseFind(L'\\') + 1);
}

CString UniqueName(LPCWSTR lpszStem) {
  CString s;
  s.Format(L"%s_%lu_%lu.bmp", lpszStem, ::GetCurrentProcessId(), ::GetTickCount());
  return s;
}

BOOL Exists(const CString& strPath) { return ::GetFileAttributesW(strPath) != INVALID_FILE_ATTRIBUTES; }

// A one-image bitmap of the strip's size in one colour.
HBITMAP SolidImage(COLORREF c, int cx = 16, int cy = 15) {
  HDC hdcScreen = ::GetDC(nullptr);
  HBITMAP hbmp = ::CreateCompatibleBitmap(hdcScreen, cx, cy);
  HDC hdc = ::CreateCompatibleDC(hdcScreen);
  ::ReleaseDC(nullptr, hdcScreen);
  HGDIOBJ old = ::SelectObject(hdc, hbmp);
  RECT r = {0, 0, cx, cy};
  HBRUSH hbr = ::CreateSolidBrush(c);
  ::FillRect(hdc, &r, hbr);
  ::DeleteObject(hbr);
  ::SelectObject(hdc, old);
  ::DeleteDC(hdc);
  return hbmp;
}

// ---- loading -------------------------------------------------------------------------------------

TEST_F(ImagesTest, ResourceStripsShowTheStandardColoursInTheSystemColours) {
  const struct {
    UINT id;
    int bits;
  } cases[] = {{kStrip4, 4}, {kStrip24, 24}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bits);
    CUfxToolBarImages images;
    ASSERT_TRUE(images.Load(c.id));
    EXPECT_EQ(2, images.GetCount());
    EXPECT_EQ(c.bits, images.GetBitsPerPixel());
    CTestCanvas canvas(40, 20, kCanvas);
    ASSERT_TRUE(DrawOne(images, canvas, 0));
    EXPECT_EQ(Sys(COLOR_BTNTEXT), canvas.At(1, 5));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), canvas.At(5, 5));
    EXPECT_EQ(Sys(COLOR_BTNFACE), canvas.At(9, 5));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), canvas.At(13, 5));
    EXPECT_EQ(kRed, canvas.At(5, 0));
    EXPECT_EQ(kCanvas, canvas.At(16, 5)) << "one image only";
  }
}

TEST_F(ImagesTest, AMissingResourceLeavesTheStripAsItWas) {
  CUfxToolBarImages images;
  ASSERT_TRUE(images.Load(kStrip24));
  EXPECT_FALSE(images.Load(999));
  EXPECT_FALSE(images.Load(999, nullptr, TRUE));
  EXPECT_EQ(2, images.GetCount());
  EXPECT_EQ(0, images.GetResourceOffset(kStrip24));
}

TEST_F(ImagesTest, AddModeAppendsEachResourceOnce) {
  CUfxToolBarImages images;
  ASSERT_TRUE(images.Load(kStrip4, nullptr, TRUE));
  ASSERT_TRUE(images.Load(kStrip4, nullptr, TRUE));
  EXPECT_EQ(2, images.GetCount());
  ASSERT_TRUE(images.Load(kStrip24, nullptr, TRUE));
  EXPECT_EQ(4, images.GetCount());
  EXPECT_EQ(0, images.GetResourceOffset(kStrip4));
  EXPECT_EQ(2, images.GetResourceOffset(kStrip24));
  ASSERT_TRUE(images.Load(kStrip4, nullptr, TRUE));
  EXPECT_EQ(4, images.GetCount());

  // Reloading keeps the order, the offsets and an image added after the resources.
  HBITMAP hbmBlue = SolidImage(RGB(0, 0, 255));
  EXPECT_EQ(4, images.AddImage(hbmBlue));
  ::DeleteObject(hbmBlue);
  ASSERT_TRUE(images.Reload());
  EXPECT_EQ(5, images.GetCount());
  EXPECT_EQ(2, images.GetResourceOffset(kStrip24));
  CTestCanvas canvas(20, 20, kCanvas);
  ASSERT_TRUE(DrawOne(images, canvas, 4));
  EXPECT_EQ(RGB(0, 0, 255), canvas.At(3, 3));
  canvas.Fill(kCanvas);
  ASSERT_TRUE(DrawOne(images, canvas, 3));
  EXPECT_EQ(Sys(COLOR_BTNTEXT), canvas.At(5, 5));

  // Without add the strip is that resource alone.
  ASSERT_TRUE(images.Load(kStrip24));
  EXPECT_EQ(2, images.GetCount());
  EXPECT_EQ(-1, images.GetResourceOffset(kStrip4));
  ASSERT_TRUE(images.Reload());
  EXPECT_EQ(2, images.GetCount());
}

TEST_F(ImagesTest, ABareFileNameIsFoundBesideTheProgram) {
  const CString strName = UniqueName(L"images_beside");
  const CString strPath = ProgramFolder() + strName;
  WriteBmp24(strPath, 48, 15, [](int x, int) { return x < 16 ? RGB(0xC0, 0xC0, 0xC0) : RGB(0, 0, 255); });
  CUfxToolBarImages images;
  const BOOL bLoaded = images.LoadFromFile(strName);
  ::DeleteFileW(strPath);
  ASSERT_TRUE(bLoaded);
  EXPECT_EQ(3, images.GetCount());
  EXPECT_TRUE(images.IsFileBased());
  EXPECT_EQ(0, images.GetFileName().CompareNoCase(strPath));
  EXPECT_FALSE(images.IsModified());
  CTestCanvas canvas(20, 20, kCanvas);
  ASSERT_TRUE(DrawOne(images, canvas, 0));
  EXPECT_EQ(Sys(COLOR_BTNFACE), canvas.At(3, 3)) << "light grey shown as the face colour";

  EXPECT_FALSE(images.LoadFromFile(UniqueName(L"images_missing")));
  EXPECT_EQ(3, images.GetCount());
}

// ---- saving --------------------------------------------------------------------------------------

TEST_F(ImagesTest, SaveWritesNothingUnchangedAndTheStandardColoursOtherwise) {
  const CString strPath = TempFolder() + UniqueName(L"images_save");
  WriteBmp24(strPath, 32, 15, [](int x, int) { return x < 16 ? RGB(0xC0, 0xC0, 0xC0) : RGB(0x80, 0x80, 0x80); });
  CUfxToolBarImages images;
  ASSERT_TRUE(images.LoadFromFile(strPath));

  // Unchanged: nothing is written, not even a file that went away.
  ASSERT_TRUE(::DeleteFileW(strPath));
  EXPECT_TRUE(images.Save());
  EXPECT_FALSE(Exists(strPath));

  HBITMAP hbmFace = SolidImage(Sys(COLOR_BTNFACE));
  EXPECT_EQ(2, images.AddImage(hbmFace));
  ::DeleteObject(hbmFace);
  EXPECT_TRUE(images.IsModified());
  ASSERT_TRUE(images.Save());
  EXPECT_FALSE(images.IsModified());
  EXPECT_FALSE(Exists(strPath + L".new"));
  // The file holds the standard colours, not the scheme's.
  EXPECT_EQ(RGB(0xC0, 0xC0, 0xC0), FilePixel(strPath, 3, 3));
  EXPECT_EQ(RGB(0x80, 0x80, 0x80), FilePixel(strPath, 20, 3));
  EXPECT_EQ(RGB(0xC0, 0xC0, 0xC0), FilePixel(strPath, 40, 3));

  CUfxToolBarImages again;
  ASSERT_TRUE(again.LoadFromFile(strPath));
  EXPECT_EQ(3, again.GetCount());
  HBITMAP hbmBlack = SolidImage(RGB(0, 0, 0));
  ASSERT_TRUE(again.UpdateImage(1, hbmBlack));
  ::DeleteObject(hbmBlack);
  EXPECT_FALSE(again.UpdateImage(3, hbmBlack)) << "no such image";
  CTestCanvas canvas(20, 20, kCanvas);
  ASSERT_TRUE(DrawOne(again, canvas, 1));
  EXPECT_EQ(RGB(0, 0, 0), canvas.At(3, 3));

  // A copy written elsewhere leaves the own file's changes unsaved.
  const CString strOther = TempFolder() + UniqueName(L"images_other");
  HBITMAP hbmRed = SolidImage(kRed);
  again.AddImage(hbmRed);
  ::DeleteObject(hbmRed);
  EXPECT_TRUE(again.Save(strOther));
  EXPECT_TRUE(again.IsModified());
  EXPECT_EQ(kRed, FilePixel(strOther, 50, 3));

  // A read-only file is never written.
  ::SetFileAttributesW(strOther, FILE_ATTRIBUTE_READONLY);
  CUfxToolBarImages readOnly;
  ASSERT_TRUE(readOnly.LoadFromFile(strOther));
  EXPECT_TRUE(readOnly.IsReadOnly());
  HBITMAP hbmBlue = SolidImage(RGB(0, 0, 255));
  readOnly.AddImage(hbmBlue);
  ::DeleteObject(hbmBlue);
  EXPECT_FALSE(readOnly.Save());
  ::SetFileAttributesW(strOther, FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(strOther);
  ::DeleteFileW(strPath);
}

TEST_F(ImagesTest, StripsNotBackedByAFileAreNotSaved) {
  CUfxToolBarImages images;
  ASSERT_TRUE(images.Load(kStrip24));
  EXPECT_FALSE(images.Save(TempFolder() + UniqueName(L"images_resource")));
  EXPECT_FALSE(images.UpdateImage(0, nullptr));
}

// ---- drawing -------------------------------------------------------------------------------------

struct DrawCase {
  const char* name;
  UINT strip;
  BOOL hilite, disabled, shadow;
  COLORREF transparent;
};

TEST_F(ImagesTest, EachFormOfAnImageDrawsItsPixels) {
  const COLORREF face = Sys(COLOR_BTNFACE), text = Sys(COLOR_BTNTEXT);
  const COLORREF shadow = Sys(COLOR_BTNSHADOW), hilite = Sys(COLOR_BTNHIGHLIGHT);
  const COLORREF light = RGB((GetRValue(face) + GetRValue(hilite)) / 2, (GetGValue(face) + GetGValue(hilite)) / 2,
                             (GetBValue(face) + GetBValue(hilite)) / 2);
  // Pixels of image 1 drawn at (2, 2): background, square, red centre, one past the square's
  // bottom-right corner.
  const struct {
    DrawCase c;
    COLORREF background, square, centre, beyond;
  } cases[] = {
      {{"normal", kStrip24, FALSE, FALSE, FALSE, (COLORREF)-1}, face, text, kRed, face},
      {{"keyed", kStrip24, FALSE, FALSE, FALSE, face}, kCanvas, text, kRed, kCanvas},
      {{"disabled 4", kStrip4, FALSE, TRUE, FALSE, (COLORREF)-1}, kCanvas, shadow, shadow, hilite},
      {{"shadow", kStrip4, FALSE, FALSE, TRUE, (COLORREF)-1}, kCanvas, (COLORREF)-3, (COLORREF)-3, kCanvas},
      {{"highlighted", kStrip4, TRUE, FALSE, FALSE, (COLORREF)-1}, light, text, kRed, light},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.c.name);
    CUfxToolBarImages images;
    ASSERT_TRUE(images.Load(k.c.strip));
    images.SetTransparentColor(k.c.transparent);
    CTestCanvas canvas(30, 30, kCanvas);
    ASSERT_TRUE(DrawOne(images, canvas, 1, 2, 2, [&](CDC* pDC) {
      return images.Draw(pDC, 2, 2, 1, k.c.hilite, k.c.disabled, FALSE, k.c.shadow);
    }));
    const COLORREF square = k.square == (COLORREF)-3 ? images.GetShadowColor() : k.square;
    const COLORREF centre = k.centre == (COLORREF)-3 ? images.GetShadowColor() : k.centre;
    EXPECT_EQ(k.background, canvas.At(2 + 1, 2 + 1));
    EXPECT_EQ(square, canvas.At(2 + 5, 2 + 5));
    EXPECT_EQ(centre, canvas.At(2 + 7, 2 + 7));
    EXPECT_EQ(k.beyond, canvas.At(2 + 12, 2 + 11));
    EXPECT_EQ(kCanvas, canvas.At(2 + 16, 2 + 5)) << "nothing right of the image";
  }
}

TEST_F(ImagesTest, DisabledDeepImagesAreGreyed) {
  CUfxToolBarImages images;
  ASSERT_TRUE(images.Load(kStrip24));
  CTestCanvas canvas(30, 30, kCanvas);
  ASSERT_TRUE(DrawOne(images, canvas, 1, 0, 0, [&](CDC* pDC) { return images.Draw(pDC, 0, 0, 1, FALSE, TRUE); }));
  EXPECT_EQ(Sys(COLOR_BTNFACE), canvas.At(1, 1)) << "the background stays";
  for (const POINT pt : {POINT{5, 5}, POINT{7, 7}}) {
    const COLORREF c = canvas.At(pt.x, pt.y);
    EXPECT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c)) << std::hex << c;
    EXPECT_NE(Sys(COLOR_BTNTEXT), c);
  }
  EXPECT_NE(canvas.At(5, 5), canvas.At(7, 7)) << "black and red give different greys";
}

TEST_F(ImagesTest, StretchedImagesKeepTheirBackgroundOut) {
  CUfxToolBarImages images;
  ASSERT_TRUE(images.Load(kStrip24));
  CTestCanvas canvas(40, 40, kCanvas);
  CUfxDrawState ds;
  ASSERT_TRUE(images.PrepareDraw(ds, 32, 30));
  EXPECT_EQ(CSize(32, 30), images.GetDrawSize());
  EXPECT_TRUE(images.Draw(&canvas.dc(), 0, 0, 1));
  images.EndDraw(ds);
  EXPECT_EQ(CSize(0, 0), images.GetDrawSize());
  EXPECT_EQ(kCanvas, canvas.At(2, 2));
  EXPECT_EQ(Sys(COLOR_BTNTEXT), canvas.At(2 * 5 + 1, 2 * 5 + 1));
  EXPECT_EQ(kRed, canvas.At(2 * 7, 2 * 7));
  EXPECT_EQ(Sys(COLOR_BTNTEXT), canvas.At(2 * 11 + 1, 2 * 10 + 1));
  EXPECT_EQ(kCanvas, canvas.At(2 * 12 + 1, 2 * 11 + 1));
}

TEST_F(ImagesTest, DrawingNeedsASequenceAndAnImage) {
  CUfxToolBarImages images;
  CUfxDrawState ds;
  EXPECT_FALSE(images.PrepareDraw(ds)) << "an empty strip";
  ASSERT_TRUE(images.Load(kStrip24));
  CTestCanvas canvas(20, 20, kCanvas);
  EXPECT_FALSE(images.Draw(&canvas.dc(), 0, 0, 0)) << "outside a sequence";
  ASSERT_TRUE(images.PrepareDraw(ds));
  EXPECT_FALSE(images.Draw(&canvas.dc(), 0, 0, 2));
  EXPECT_FALSE(images.Draw(&canvas.dc(), 0, 0, -1));
  images.EndDraw(ds);
  EXPECT_EQ(kCanvas, canvas.At(3, 3));
}

TEST_F(ImagesTest, OnAPaletteDisplayShadowsAreLeftOutAndNoLightImageIsMade) {
  UfxGlobalData.UpdateLightBrush(8);
  CUfxToolBarImages images;
  const BOOL bLoaded = images.Load(kStrip4);
  CTestCanvas canvas(20, 20, kCanvas);
  const BOOL bDrawn = bLoaded && DrawOne(images, canvas, 1, 0, 0, [&](CDC* pDC) {
    return images.Draw(pDC, 0, 0, 1, FALSE, FALSE, FALSE, TRUE);
  });
  const HBITMAP hbmLight = images.GetLightImage();
  UfxGlobalData.UpdateSysColors();
  ASSERT_TRUE(bLoaded);
  EXPECT_TRUE(bDrawn);
  EXPECT_EQ(kCanvas, canvas.At(5, 5));
  EXPECT_EQ(nullptr, hbmLight);
}

TEST_F(ImagesTest, ALightImageDrawsInactiveImagesLighter) {
  CUfxToolBarImages images;
  ASSERT_TRUE(images.Load(kStrip4));
  ASSERT_NE(nullptr, images.GetLightImage());
  CTestCanvas canvas(40, 20, kCanvas);
  CUfxDrawState ds;
  ASSERT_TRUE(images.PrepareDraw(ds, 0, 0, TRUE));
  images.Draw(&canvas.dc(), 0, 0, 0, FALSE, FALSE, FALSE, FALSE, TRUE);
  images.Draw(&canvas.dc(), 20, 0, 0);
  images.EndDraw(ds);
  EXPECT_EQ(ScaleColorChannels(Sys(COLOR_BTNSHADOW), 130, 130, 130), canvas.At(5, 5));
  EXPECT_EQ(Sys(COLOR_BTNFACE), canvas.At(9, 5)) << "the background is not lightened";
  EXPECT_EQ(Sys(COLOR_BTNSHADOW), canvas.At(25, 5)) << "an active image is drawn as it is";
}

TEST_F(ImagesTest, ColoursAreMappedOneToAnother) {
  CUfxToolBarImages images;
  ASSERT_TRUE(images.Load(kStrip24));
  EXPECT_FALSE(images.MapColors(kRed));
  ASSERT_TRUE(images.MapColors(kRed, RGB(0, 0, 255)));
  CTestCanvas canvas(20, 20, kCanvas);
  ASSERT_TRUE(DrawOne(images, canvas, 1));
  EXPECT_EQ(RGB(0, 0, 255), canvas.At(7, 7));
  EXPECT_EQ(Sys(COLOR_BTNTEXT), canvas.At(5, 5));

  EXPECT_EQ(Sys(COLOR_BTNSHADOW), UfxMapStdColorToSysColor(RGB(0x80, 0x80, 0x80)));
  EXPECT_EQ(RGB(0x80, 0x80, 0x80), UfxMapSysColorToStdColor(Sys(COLOR_BTNSHADOW)));
  const COLORREF faceSwapped = RGB(GetBValue(Sys(COLOR_BTNFACE)), GetGValue(Sys(COLOR_BTNFACE)), GetRValue(Sys(COLOR_BTNFACE)));
  EXPECT_EQ(faceSwapped, UfxMapStdColorToSysColor(RGB(0xC0, 0xC0, 0xC0), TRUE));
  EXPECT_EQ(kRed, UfxMapStdColorToSysColor(kRed));
}

TEST_F(ImagesTest, ASharedCopyDrawsButNeverChangesTheStrip) {
  CUfxToolBarImages images;
  ASSERT_TRUE(images.Load(kStrip24));
  {
    CUfxToolBarImages copy;
    ASSERT_TRUE(images.CopyTo(copy));
    EXPECT_TRUE(copy.IsShared());
    EXPECT_EQ(2, copy.GetCount());
    HBITMAP hbmp = SolidImage(kRed);
    EXPECT_EQ(-1, copy.AddImage(hbmp));
    ::DeleteObject(hbmp);
    EXPECT_FALSE(copy.Load(kStrip4));
    copy.Clear();
    EXPECT_EQ(2, copy.GetCount());
    CTestCanvas canvas(20, 20, kCanvas);
    ASSERT_TRUE(DrawOne(copy, canvas, 1));
    EXPECT_EQ(kRed, canvas.At(7, 7));
  }
  CTestCanvas canvas(20, 20, kCanvas);
  ASSERT_TRUE(DrawOne(images, canvas, 1));
  EXPECT_EQ(kRed, canvas.At(7, 7)) << "the copy's end left the strip's bitmap alone";
}

TEST_F(ImagesTest, AnImageGoesToTheClipboardAsABitmap) {
  CUfxToolBarImages images;
  ASSERT_TRUE(images.Load(kStrip24));
  ASSERT_TRUE(images.CopyImageToClipboard(1));
  ASSERT_TRUE(::OpenClipboard(nullptr));
  HBITMAP hbmp = (HBITMAP)::GetClipboardData(CF_BITMAP);
  COLORREF centre = (COLORREF)-2;
  BITMAP bm = {};
  if (hbmp != nullptr && ::GetObjectW(hbmp, sizeof(bm), &bm)) {
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(hdc, hbmp);
    centre = ::GetPixel(hdc, 7, 7);
    ::SelectObject(hdc, old);
    ::DeleteDC(hdc);
  }
  ::CloseClipboard();
  EXPECT_EQ(16, bm.bmWidth);
  EXPECT_EQ(15, bm.bmHeight);
  EXPECT_EQ(kRed, centre);
}

TEST_F(ImagesTest, AButtonDrawsItsImageFromTheStrip) {
  CUfxToolBarImages images;
  ASSERT_TRUE(images.Load(kStrip4));
  const struct {
    const char* name;
    UINT style;
    COLORREF square;
  } cases[] = {{"enabled", 0, Sys(COLOR_BTNTEXT)}, {"disabled", TBBS_DISABLED, Sys(COLOR_BTNSHADOW)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CUfxToolbarButton button(0, 1, nullptr, FALSE, TRUE);
    button.m_nStyle = c.style;
    CTestCanvas canvas(30, 30, kCanvas);
    // A 22 x 21 button centres its 16 x 15 image: the image starts at (3, 3).
    button.OnDraw(&canvas.dc(), CRect(0, 0, 22, 21), &images, TRUE, FALSE, FALSE, FALSE);
    EXPECT_EQ(c.square, canvas.At(3 + 5, 3 + 5));
  }
  UfxGetCommandManager()->CleanUp();
}

TEST_F(ImagesTest, ACommandListItemShowsTheBarsImage) {
  CUfxToolBarImages* pShared = CUfxToolBar::GetImages();
  ASSERT_TRUE(pShared->Load(kStrip4));
  ASSERT_EQ(0, CUfxToolBar::GetMenuImages()->GetCount());
  CUfxToolbarButton button(0, 1, L"Glyph", FALSE, TRUE);
  CTestCanvas canvas(120, 21, kCanvas);
  button.OnDrawOnCustomizeList(&canvas.dc(), CRect(0, 0, 120, 21), FALSE);
  pShared->Clear();
  const CSize sizeImage = CUfxToolBar::GetMenuImageSize();
  const CPoint ptImage(CUfxVisualManager::GetInstance()->GetMenuImageMargin(), (21 - sizeImage.cy) / 2);
  EXPECT_EQ(Sys(COLOR_BTNTEXT), canvas.At(ptImage.x + sizeImage.cx * 5 / 16, ptImage.y + sizeImage.cy * 5 / 15));
  EXPECT_EQ(kRed, canvas.At(ptImage.x + sizeImage.cx * 7 / 16, ptImage.y + sizeImage.cy * 7 / 15));
}

}  // namespace
