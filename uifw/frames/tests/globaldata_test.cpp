// The global record: colours follow the system, the light brush (midpoint or checkerboard), the
// fonts chosen from the metrics, and the parent background painted behind a child.
#include "frames/UfxGlobalData.h"
#include <gtest/gtest.h>

namespace {

// An 8 x 8 32-bit memory DC whose pixels can be read back.
class PixelCanvas {
public:
  explicit PixelCanvas(int cx = 8, int cy = 8) : m_cx(cx) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    m_hDC = ::CreateCompatibleDC(nullptr);
    m_hBmp = ::CreateDIBSection(m_hDC, &bi, DIB_RGB_COLORS, (void**)&m_pBits, nullptr, 0);
    m_hOld = ::SelectObject(m_hDC, m_hBmp);
  }
  ~PixelCanvas() {
    ::SelectObject(m_hDC, m_hOld);
    ::DeleteObject(m_hBmp);
    ::DeleteDC(m_hDC);
  }
  HDC dc() const { return m_hDC; }
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    DWORD v = m_pBits[y * m_cx + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
private:
  int m_cx;
  HDC m_hDC;
  HBITMAP m_hBmp;
  HGDIOBJ m_hOld;
  DWORD* m_pBits = nullptr;
};

// Puts the system colours back whatever a test changed.
class GlobalDataTest : public ::testing::Test {
protected:
  void TearDown() override {
    UfxGlobalData.m_pfnDrawThemeParentBackground = nullptr;
    UfxGlobalData.UpdateSysColors();
  }
};

TEST_F(GlobalDataTest, ColoursFollowTheSystem) {
  UfxGlobalData.UpdateSysColors();
  const struct {
    COLORREF value;
    int index;
  } cases[] = {
      {UfxGlobalData.clrBtnFace, COLOR_BTNFACE},         {UfxGlobalData.clrBtnShadow, COLOR_BTNSHADOW},
      {UfxGlobalData.clrBtnHilite, COLOR_BTNHIGHLIGHT},  {UfxGlobalData.clrBtnText, COLOR_BTNTEXT},
      {UfxGlobalData.clrBtnDkShadow, COLOR_3DDKSHADOW},  {UfxGlobalData.clrBtnLight, COLOR_3DLIGHT},
      {UfxGlobalData.clrGrayedText, COLOR_GRAYTEXT},     {UfxGlobalData.clrHilite, COLOR_HIGHLIGHT},
      {UfxGlobalData.clrTextHilite, COLOR_HIGHLIGHTTEXT}, {UfxGlobalData.clrWindow, COLOR_WINDOW},
      {UfxGlobalData.clrWindowText, COLOR_WINDOWTEXT},   {UfxGlobalData.clrMenuText, COLOR_MENUTEXT},
      {UfxGlobalData.clrBarFace, COLOR_BTNFACE},         {UfxGlobalData.clrBarShadow, COLOR_BTNSHADOW},
      {UfxGlobalData.clrBarHilite, COLOR_BTNHIGHLIGHT},  {UfxGlobalData.clrBarDkShadow, COLOR_3DDKSHADOW},
      {UfxGlobalData.clrBarLight, COLOR_3DLIGHT},        {UfxGlobalData.clrBarText, COLOR_BTNTEXT},
      {UfxGlobalData.clrBarWindow, COLOR_WINDOW},
  };
  for (const auto& c : cases) EXPECT_EQ(::GetSysColor(c.index), c.value) << "colour index " << c.index;
  EXPECT_EQ(RGB(0, 0, 255), UfxGlobalData.clrHotLinkText);
  LOGBRUSH lb = {};
  ASSERT_NE(0, UfxGlobalData.brBarFace.GetLogBrush(&lb));
  EXPECT_EQ(UfxGlobalData.clrBarFace, lb.lbColor);
  HDC hScreen = ::GetDC(nullptr);
  EXPECT_EQ(::GetDeviceCaps(hScreen, BITSPIXEL), UfxGlobalData.m_nBitsPerPixel);
  ::ReleaseDC(nullptr, hScreen);
}

TEST_F(GlobalDataTest, LightBrushIsTheMidpointAboveEightBits) {
  const struct {
    COLORREF face, hilite, light;
  } cases[] = {
      {RGB(192, 192, 192), RGB(255, 255, 255), RGB(223, 223, 223)},
      {RGB(245, 245, 245), RGB(255, 255, 255), RGB(250, 250, 250)},
      {RGB(200, 100, 0), RGB(100, 201, 3), RGB(150, 150, 1)},  // per channel, towards the highlight
  };
  for (const auto& c : cases) {
    UfxGlobalData.clrBtnFace = c.face;
    UfxGlobalData.clrBtnHilite = c.hilite;
    for (int bits : {16, 24, 32}) {
      UfxGlobalData.UpdateLightBrush(bits);
      LOGBRUSH lb = {};
      ASSERT_NE(0, UfxGlobalData.brLight.GetLogBrush(&lb));
      EXPECT_EQ((UINT)BS_SOLID, lb.lbStyle);
      EXPECT_EQ(c.light, lb.lbColor) << bits << " bits";
    }
  }
}

TEST_F(GlobalDataTest, LightBrushIsACheckerboardAtEightBits) {
  UfxGlobalData.clrBtnFace = RGB(192, 192, 192);
  UfxGlobalData.clrBtnHilite = RGB(255, 255, 255);
  UfxGlobalData.UpdateLightBrush(8);
  PixelCanvas canvas;
  RECT rc = {0, 0, 8, 8};
  ::FillRect(canvas.dc(), &rc, UfxGlobalData.brLight);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const COLORREF c = canvas.At(x, y);
      ASSERT_TRUE(c == RGB(192, 192, 192) || c == RGB(255, 255, 255)) << x << "," << y;
      if (x > 0) {
        EXPECT_NE(canvas.At(x - 1, y), c) << x << "," << y;
      }
      if (y > 0) {
        EXPECT_NE(canvas.At(x, y - 1), c) << x << "," << y;
      }
    }
}

TEST_F(GlobalDataTest, FontsComeFromTheMenuMetrics) {
  UfxGlobalData.UpdateFonts();
  NONCLIENTMETRICSW info = {};
  info.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
  ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, info.cbSize, &info, 0));

  LOGFONTW regular = {};
  ASSERT_NE(0, UfxGlobalData.fontRegular.GetLogFont(&regular));
  const CString expectedFace =
      info.lfMenuFont.lfCharSet <= SYMBOL_CHARSET
          ? CString(UFX_GLOBAL_DATA::IsFontInstalled(L"Tahoma") ? L"Tahoma" : L"MS Sans Serif")
          : CString(info.lfMenuFont.lfFaceName);
  EXPECT_EQ(expectedFace, CString(regular.lfFaceName));
  EXPECT_EQ(info.lfMenuFont.lfHeight, regular.lfHeight);

  LOGFONTW bold = {}, underline = {}, marlett = {}, vert = {}, vertCaption = {};
  UfxGlobalData.fontBold.GetLogFont(&bold);
  UfxGlobalData.fontUnderline.GetLogFont(&underline);
  UfxGlobalData.fontMarlett.GetLogFont(&marlett);
  UfxGlobalData.fontVert.GetLogFont(&vert);
  UfxGlobalData.fontVertCaption.GetLogFont(&vertCaption);
  EXPECT_EQ(FW_BOLD, bold.lfWeight);
  EXPECT_FALSE(bold.lfUnderline);
  EXPECT_TRUE(underline.lfUnderline);
  EXPECT_EQ(CString(L"Marlett"), CString(marlett.lfFaceName));
  EXPECT_EQ(SYMBOL_CHARSET, marlett.lfCharSet);
  EXPECT_EQ(::GetSystemMetrics(SM_CYMENUCHECK) - 1, marlett.lfHeight);
  EXPECT_EQ(CString(L"Arial"), CString(vert.lfFaceName));
  EXPECT_EQ(2700, vert.lfEscapement);
  EXPECT_EQ(900, vertCaption.lfEscapement);

  // Text heights as the screen measures the fonts.
  HDC hDC = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(hDC, UfxGlobalData.fontRegular);
  TEXTMETRICW tm = {};
  ::GetTextMetricsW(hDC, &tm);
  ::SelectObject(hDC, old);
  ::ReleaseDC(nullptr, hDC);
  EXPECT_EQ(tm.tmHeight + tm.tmInternalLeading + tm.tmExternalLeading, UfxGlobalData.m_nTextHeightHorz);
  EXPECT_GT(UfxGlobalData.m_nTextHeightVert, 0);
}

// A parent that paints its whole client red with one blue pixel at (30, 20) when asked to erase.
const COLORREF kParentFill = RGB(255, 0, 0);
const COLORREF kParentMark = RGB(0, 0, 255);
int g_erases = 0;
LRESULT CALLBACK ParentProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) {
    ++g_erases;
    HDC hDC = (HDC)wParam;
    HBRUSH red = ::CreateSolidBrush(kParentFill);
    RECT rc = {0, 0, 400, 300};
    ::FillRect(hDC, &rc, red);
    ::DeleteObject(red);
    ::SetPixel(hDC, 30, 20, kParentMark);
    return 1;
  }
  return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}
HRESULT WINAPI ThemeFails(HWND, HDC, const RECT*) { return E_FAIL; }
HRESULT WINAPI ThemePaints(HWND, HDC, const RECT*) { return S_OK; }

class ParentBackgroundTest : public GlobalDataTest {
protected:
  void SetUp() override {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"UfxParentBackgroundTest";
    ::RegisterClassW(&wc);
    parent = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                               wc.hInstance, nullptr);
    child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 30, 20, 50, 40, parent, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, child);
    g_erases = 0;
  }
  void TearDown() override {
    ::DestroyWindow(parent);
    GlobalDataTest::TearDown();
  }
  HWND parent = nullptr, child = nullptr;
};

TEST_F(ParentBackgroundTest, WithoutAThemeTheParentErasesUnderTheChild) {
  UfxGlobalData.m_pfnDrawThemeParentBackground = ThemeFails;
  PixelCanvas canvas;
  CDC dc;
  dc.Attach(canvas.dc());
  EXPECT_TRUE(UfxGlobalData.DrawParentBackground(CWnd::FromHandle(child), &dc));
  EXPECT_EQ(1, g_erases);
  EXPECT_EQ(kParentMark, canvas.At(0, 0));  // the parent's (30, 20)
  EXPECT_EQ(kParentFill, canvas.At(3, 3));
  POINT org;
  ::GetWindowOrgEx(canvas.dc(), &org);
  EXPECT_EQ(0, org.x);  // the origin is put back
  EXPECT_EQ(0, org.y);
  dc.Detach();
}

TEST_F(ParentBackgroundTest, ARectangleLimitsThePainting) {
  UfxGlobalData.m_pfnDrawThemeParentBackground = ThemeFails;
  PixelCanvas canvas;
  RECT all = {0, 0, 8, 8};
  ::FillRect(canvas.dc(), &all, (HBRUSH)::GetStockObject(WHITE_BRUSH));
  CDC dc;
  dc.Attach(canvas.dc());
  RECT part = {4, 4, 8, 8};
  UfxGlobalData.DrawParentBackground(CWnd::FromHandle(child), &dc, &part);
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(1, 1));
  EXPECT_EQ(kParentFill, canvas.At(5, 5));
  HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(0, ::GetClipRgn(canvas.dc(), probe));  // the clipping is removed again
  ::DeleteObject(probe);
  dc.Detach();
}

TEST_F(ParentBackgroundTest, AThemeThatPaintsLeavesTheParentAlone) {
  UfxGlobalData.m_pfnDrawThemeParentBackground = ThemePaints;
  PixelCanvas canvas;
  CDC dc;
  dc.Attach(canvas.dc());
  EXPECT_TRUE(UfxGlobalData.DrawParentBackground(CWnd::FromHandle(child), &dc));
  EXPECT_EQ(0, g_erases);
  dc.Detach();
}

}  // namespace
