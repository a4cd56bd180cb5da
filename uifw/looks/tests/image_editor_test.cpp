// The button image editor on a 16 x 15 image: each drawing tool, shapes from a pixel to itself,
// picking a colour, pasting smaller and larger bitmaps, paste following the clipboard, copy and
// clear; and the paint area on its own with no bitmap or a bitmap larger than itself. The dialog
// runs modally; the tests act from a timer inside its loop with posted mouse messages.
#include "Framework.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxPixelCanvas.h"
#include "looks/UfxPixelEditorDlg.h"
#include "ColorTestKit.h"
#include "TestPump.h"
#include <gtest/gtest.h>
#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace {

const COLORREF kPaper = RGB(200, 220, 240);  // the image's ground: no system colour
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 160, 0);
const COLORREF kBlue = RGB(0, 0, 255);

class CEditorTestApp : public CWinApp {
public:
  CEditorTestApp() : CWinApp(L"UfxImageEditorTest") {}
  std::vector<CString> boxes;
  int DoMessageBox(LPCWSTR lpszPrompt, UINT, UINT) override {
    boxes.push_back(lpszPrompt);
    return IDOK;
  }
};
CEditorTestApp theApp;

using Pixel = std::pair<int, int>;
using PixelSet = std::set<Pixel>;

// A screen-compatible bitmap filled with a colour; draw() may paint on it.
void MakeBitmap(CBitmap& bitmap, int cx, int cy, COLORREF clrFill, std::function<void(CDC&)> draw = nullptr) {
  CClientDC dcScreen(nullptr);
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dcScreen, cx, cy));
  CDC dc;
  dc.CreateCompatibleDC(&dcScreen);
  CBitmap* pOld = dc.SelectObject(&bitmap);
  dc.FillSolidRect(CRect(0, 0, cx, cy), clrFill);
  if (draw) draw(dc);
  dc.SelectObject(pOld);
}

COLORREF PixelOf(HBITMAP hbmp, int x, int y) {
  CClientDC dcScreen(nullptr);
  HDC hdc = ::CreateCompatibleDC(dcScreen.GetSafeHdc());
  HGDIOBJ hOld = ::SelectObject(hdc, hbmp);
  const COLORREF color = ::GetPixel(hdc, x, y);
  ::SelectObject(hdc, hOld);
  ::DeleteDC(hdc);
  return color;
}

// The pixels of the 16 x 15 image that have the colour.
PixelSet PixelsOf(CBitmap& bitmap, COLORREF color) {
  PixelSet pixels;
  for (int y = 0; y < 15; y++)
    for (int x = 0; x < 16; x++)
      if (PixelOf((HBITMAP)bitmap.GetSafeHandle(), x, y) == color) pixels.insert({x, y});
  return pixels;
}

void PutBitmapOnClipboard(HBITMAP hbmp) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  if (hbmp != nullptr) ::SetClipboardData(CF_BITMAP, hbmp);
  ::CloseClipboard();
}

class ImageEditor : public ::testing::Test {
protected:
  void SetUp() override {
    m_hResx = ::LoadLibraryW(L"BrookResx.dll");
    ASSERT_NE(nullptr, m_hResx);
    m_hSaved = AfxGetResourceHandle();
    AfxSetResourceHandle(m_hResx);
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Editor", WS_POPUP, CRect(40, 40, 440, 340)));
    theApp.boxes.clear();
  }
  void TearDown() override {
    if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();  // deletes itself
    PumpPending();
    AfxSetResourceHandle(m_hSaved);
    ::FreeLibrary(m_hResx);
  }

  // Runs the editor on the bitmap; the action runs inside its modal loop, and OK ends it.
  int RunEditor(CBitmap& bitmap, std::function<void(CUfxPixelEditorDlg&)> action) {
    CUfxPixelEditorDlg dlg(&bitmap, frame);
    bool bActed = false;
    color_test::RunSoon([&] {
      bActed = true;
      action(dlg);
      dlg.PostMessage(WM_COMMAND, IDOK);
    });
    const int nResult = (int)dlg.DoModal();
    EXPECT_TRUE(bActed);
    return nResult;
  }

  static void Command(CUfxPixelEditorDlg& dlg, UINT uiCmd) {
    dlg.PostMessage(WM_COMMAND, uiCmd);
    ASSERT_TRUE(PumpRoundTrip(dlg.GetSafeHwnd()));
  }
  // A press on one pixel, a move to another and the release there.
  static void Drag(CUfxPixelCanvas& canvas, Pixel from, Pixel to) {
    const CPoint ptFrom = canvas.PixelCenter(CPoint(from.first, from.second));
    const CPoint ptTo = canvas.PixelCenter(CPoint(to.first, to.second));
    canvas.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptFrom.x, ptFrom.y));
    canvas.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptTo.x, ptTo.y));
    canvas.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptTo.x, ptTo.y));
    ASSERT_TRUE(PumpRoundTrip(canvas.GetSafeHwnd()));
  }
  // The toolbar button of a command after the idle update.
  static UINT ToolStyle(CUfxPixelEditorDlg& dlg, UINT uiCmd) {
    dlg.SendMessage(WM_KICKIDLE);
    const int iIndex = dlg.GetToolBar().CommandToIndex(uiCmd);
    CUfxToolbarButton* pButton = iIndex >= 0 ? dlg.GetToolBar().GetButton(iIndex) : nullptr;
    return pButton != nullptr ? pButton->m_nStyle : (UINT)-1;
  }

  HMODULE m_hResx = nullptr;
  HINSTANCE m_hSaved = nullptr;
  CFrameWnd* frame = nullptr;
};

PixelSet Row(int y, int x0, int x1) {
  PixelSet s;
  for (int x = x0; x <= x1; x++) s.insert({x, y});
  return s;
}

TEST_F(ImageEditor, EachToolDrawsWithTheCurrentColour) {
  const PixelSet frame2x2to5x4 = {{2, 2}, {3, 2}, {4, 2}, {5, 2}, {2, 3}, {5, 3}, {2, 4}, {3, 4}, {4, 4}, {5, 4}};
  const struct {
    const char* name;
    UINT uiCmd;
    Pixel from, to;
    std::function<void(CDC&)> prepare;       // the image before (null: plain)
    std::function<void(const PixelSet&)> check;  // the red pixels after
  } cases[] = {
      {"pen: the pressed pixel and the one dragged to", 16902, {2, 3}, {5, 3}, nullptr,
       [](const PixelSet& red) { EXPECT_EQ(PixelSet({{2, 3}, {5, 3}}), red); }},
      {"line across", 16904, {1, 1}, {6, 1}, nullptr, [](const PixelSet& red) { EXPECT_EQ(Row(1, 1, 6), red); }},
      {"line down the diagonal, end pixel included", 16904, {0, 0}, {3, 3}, nullptr,
       [](const PixelSet& red) { EXPECT_EQ(PixelSet({{0, 0}, {1, 1}, {2, 2}, {3, 3}}), red); }},
      {"line from a pixel to itself", 16904, {9, 9}, {9, 9}, nullptr,
       [](const PixelSet& red) { EXPECT_EQ(PixelSet({{9, 9}}), red); }},
      {"rectangle, both corners included", 16905, {2, 2}, {5, 4}, nullptr,
       [&](const PixelSet& red) { EXPECT_EQ(frame2x2to5x4, red); }},
      {"rectangle dragged backwards", 16905, {5, 4}, {2, 2}, nullptr,
       [&](const PixelSet& red) { EXPECT_EQ(frame2x2to5x4, red); }},
      {"rectangle from a pixel to itself", 16905, {7, 7}, {7, 7}, nullptr,
       [](const PixelSet& red) { EXPECT_EQ(PixelSet({{7, 7}}), red); }},
      {"rectangle of one row", 16905, {3, 6}, {8, 6}, nullptr, [](const PixelSet& red) { EXPECT_EQ(Row(6, 3, 8), red); }},
      {"ellipse from a pixel to itself", 16906, {7, 7}, {7, 7}, nullptr,
       [](const PixelSet& red) { EXPECT_EQ(PixelSet({{7, 7}}), red); }},
      {"ellipse: hollow, touching its box", 16906, {2, 2}, {10, 10}, nullptr,
       [](const PixelSet& red) {
         EXPECT_TRUE(red.count({6, 2}) && red.count({6, 10}) && red.count({2, 6}) && red.count({10, 6}));
         EXPECT_FALSE(red.count({6, 6}));
         EXPECT_FALSE(red.count({2, 2}));
         for (const Pixel& p : red) EXPECT_TRUE(p.first >= 2 && p.first <= 10 && p.second >= 2 && p.second <= 10);
       }},
      {"fill: the area left of a blue wall", 16901, {2, 2}, {2, 2},
       [](CDC& dc) { dc.FillSolidRect(CRect(8, 0, 9, 15), kBlue); },
       [](const PixelSet& red) {
         PixelSet left;
         for (int y = 0; y < 15; y++)
           for (int x = 0; x < 8; x++) left.insert({x, y});
         EXPECT_EQ(left, red);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CBitmap bitmap;
    MakeBitmap(bitmap, 16, 15, kPaper, c.prepare);
    EXPECT_EQ(IDOK, RunEditor(bitmap, [&](CUfxPixelEditorDlg& dlg) {
                Command(dlg, c.uiCmd);
                EXPECT_EQ(CUfxPixelEditorDlg::ToolOfCommand(c.uiCmd), dlg.GetCanvas().GetTool());
                EXPECT_NE(0u, ToolStyle(dlg, c.uiCmd) & TBBS_CHECKED);  // the tool's button shows it
                dlg.GetCanvas().SetColor(kRed);
                Drag(dlg.GetCanvas(), c.from, c.to);
              }));
    c.check(PixelsOf(bitmap, kRed));
  }
}

TEST_F(ImageEditor, PickingAColourReturnsToThePenAndShowsTheColourInTheBar) {
  CBitmap bitmap;
  MakeBitmap(bitmap, 16, 15, kPaper, [](CDC& dc) { dc.SetPixel(4, 4, kGreen); });
  RunEditor(bitmap, [&](CUfxPixelEditorDlg& dlg) {
    CUfxPixelCanvas& canvas = dlg.GetCanvas();
    EXPECT_EQ(RGB(0, 0, 0), dlg.GetColorBar().GetColor());  // black to start with
    Command(dlg, CUfxPixelEditorDlg::kCmdPick);
    ASSERT_EQ(CUfxPixelCanvas::ToolPick, canvas.GetTool());
    Drag(canvas, {4, 4}, {4, 4});
    EXPECT_EQ(CUfxPixelCanvas::ToolPen, canvas.GetTool());
    EXPECT_EQ(kGreen, canvas.GetColor());
    EXPECT_EQ(kGreen, dlg.GetColorBar().GetColor());
    EXPECT_NE(0u, ToolStyle(dlg, CUfxPixelEditorDlg::kCmdPen) & TBBS_CHECKED);
    EXPECT_EQ(0u, ToolStyle(dlg, CUfxPixelEditorDlg::kCmdPick) & TBBS_CHECKED);
    Drag(canvas, {1, 1}, {1, 1});  // the pen draws in the picked colour

    // A colour chosen in the bar goes to the canvas.
    dlg.GetColorBar().SetColor(kBlue);
    dlg.SendMessage(WM_COMMAND, CUfxPixelEditorDlg::kColorBarFrame);
    EXPECT_EQ(kBlue, canvas.GetColor());
  });
  EXPECT_EQ(PixelSet({{1, 1}, {4, 4}}), PixelsOf(bitmap, kGreen));
}

TEST_F(ImageEditor, APastedBitmapIsCentredOrKeepsItsTopLeftPart) {
  const struct {
    const char* name;
    int cx, cy;
    std::function<void(CDC&)> draw;
    std::vector<std::pair<Pixel, COLORREF>> expected;  // kPaper: the button face
  } cases[] = {
      {"8 x 8 lands at (4, 3) on the button face", 8, 8, nullptr,
       {{{4, 3}, kRed}, {{11, 10}, kRed}, {{3, 3}, kPaper}, {{4, 2}, kPaper}, {{12, 10}, kPaper}, {{11, 11}, kPaper}}},
      {"20 x 20 gives its top-left 16 x 15", 20, 20,
       [](CDC& dc) {
         dc.SetPixel(0, 0, kBlue);
         dc.SetPixel(15, 14, kBlue);
         dc.SetPixel(16, 14, kGreen);
       },
       {{{0, 0}, kBlue}, {{15, 14}, kBlue}, {{1, 1}, kRed}, {{14, 14}, kRed}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CBitmap clip;
    MakeBitmap(clip, c.cx, c.cy, kRed, c.draw);
    PutBitmapOnClipboard((HBITMAP)clip.Detach());
    CBitmap bitmap;
    MakeBitmap(bitmap, 16, 15, kPaper);
    RunEditor(bitmap, [&](CUfxPixelEditorDlg& dlg) {
      EXPECT_EQ(0u, ToolStyle(dlg, CUfxPixelEditorDlg::kCmdPaste) & TBBS_DISABLED);
      Command(dlg, CUfxPixelEditorDlg::kCmdPaste);
    });
    EXPECT_TRUE(theApp.boxes.empty());
    for (const auto& e : c.expected) {
      const COLORREF clrExpected = e.second == kPaper ? UfxGlobalData.clrBtnFace : e.second;
      EXPECT_EQ(clrExpected, PixelOf((HBITMAP)bitmap.GetSafeHandle(), e.first.first, e.first.second))
          << e.first.first << "," << e.first.second;
    }
  }
}

TEST_F(ImageEditor, PasteFollowsTheClipboardAndCopyAndClearWorkOnTheWholeImage) {
  PutBitmapOnClipboard(nullptr);
  CBitmap bitmap;
  MakeBitmap(bitmap, 16, 15, kPaper, [](CDC& dc) { dc.SetPixel(3, 2, kRed); });
  RunEditor(bitmap, [&](CUfxPixelEditorDlg& dlg) {
    EXPECT_NE(0u, ToolStyle(dlg, CUfxPixelEditorDlg::kCmdPaste) & TBBS_DISABLED);
    // Copy puts the image on the clipboard, and paste comes alive.
    Command(dlg, CUfxPixelEditorDlg::kCmdCopy);
    ASSERT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_EQ(0u, ToolStyle(dlg, CUfxPixelEditorDlg::kCmdPaste) & TBBS_DISABLED);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HBITMAP hCopy = (HBITMAP)::GetClipboardData(CF_BITMAP);
    EXPECT_EQ(kRed, PixelOf(hCopy, 3, 2));
    EXPECT_EQ(kPaper, PixelOf(hCopy, 4, 2));
    ::CloseClipboard();
    // Clear gives the button face everywhere.
    Command(dlg, CUfxPixelEditorDlg::kCmdClear);
  });
  EXPECT_TRUE(theApp.boxes.empty());
  EXPECT_EQ(240u, PixelsOf(bitmap, UfxGlobalData.clrBtnFace).size());
  PutBitmapOnClipboard(nullptr);
}

// ---- the paint area on its own ------------------------------------------------------------------------

TEST_F(ImageEditor, ThePaintAreaHasNoCellsWithoutABitmapAndAtLeastOnePixelPerCell) {
  CUfxPixelCanvas canvas;
  ASSERT_TRUE(canvas.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 162, 152), frame, 100));
  const struct {
    const char* name;
    int cx, cy;  // 0: no bitmap
    CSize cell;
  } cases[] = {{"no bitmap", 0, 0, CSize(0, 0)},
               {"16 x 15: ten by ten", 16, 15, CSize(10, 10)},
               {"larger than the area", 400, 300, CSize(1, 1)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CBitmap bitmap;
    if (c.cx > 0) MakeBitmap(bitmap, c.cx, c.cy, kPaper);
    canvas.SetBitmap(c.cx > 0 ? &bitmap : nullptr);
    EXPECT_EQ(c.cell, canvas.GetCellSize());
    canvas.SetColor(kRed);
    // A press and release at the far corner: clipped to the image, or nothing without one.
    canvas.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 150));
    canvas.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(160, 150));
    ASSERT_TRUE(PumpRoundTrip(canvas.GetSafeHwnd()));
    EXPECT_EQ(nullptr, ::GetCapture());
    canvas.UpdateWindow();  // paints without fault
    if (c.cx == 16) EXPECT_EQ(kRed, PixelOf((HBITMAP)bitmap.GetSafeHandle(), 15, 14));
    if (c.cx == 400) EXPECT_EQ(kRed, PixelOf((HBITMAP)bitmap.GetSafeHandle(), 159, 149));
    canvas.SetBitmap(nullptr);
  }
  canvas.DestroyWindow();
}

}  // namespace
