#include "frames/UfxGlobalData.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxKeyboardManager.h"
#include "bars/UfxMenuBarStore.h"
#include "bars/UfxMenuGlyphs.h"
#include "bars/UfxMenuSoundPlayer.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxToolBar.h"
#include "looks/UfxVisualManager.h"
#include <stddef.h>

// The global record is built before anything that draws; the bar list and the switch with it.
CObList UfxAllControlBars;
BOOL UfxImageRegistrationFlag = TRUE;
UFX_GLOBAL_DATA UfxGlobalData;

namespace {
// The non-client metrics as every Windows version since 2000 answers them (without the padded
// border that newer versions append).
const UINT kNonClientMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);

BOOL ReadNonClientMetrics(NONCLIENTMETRICSW& info) {
  ZeroMemory(&info, sizeof(info));
  info.cbSize = kNonClientMetricsSize;
  return ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, info.cbSize, &info, 0);
}

// A family looked for by name, and whether it was met.
struct FamilySearch {
  LPCWSTR name;
  BOOL found;
};

int CALLBACK StopAtFamily(const LOGFONTW* plf, const TEXTMETRICW*, DWORD, LPARAM lParam) {
  FamilySearch* search = (FamilySearch*)lParam;
  if (_wcsicmp(plf->lfFaceName, search->name) != 0) return 1;
  search->found = TRUE;
  return 0;  // found: stop
}

int TextHeight(HDC hDC, HFONT hFont) {
  if (hDC == nullptr || hFont == nullptr) return 0;
  HGDIOBJ hOld = ::SelectObject(hDC, hFont);
  TEXTMETRICW tm = {};
  ::GetTextMetricsW(hDC, &tm);
  ::SelectObject(hDC, hOld);
  return tm.tmHeight + tm.tmInternalLeading + tm.tmExternalLeading;
}

BYTE Halfway(BYTE from, BYTE to) { return (BYTE)(from + ((int)to - (int)from) / 2); }
}  // namespace

UFX_GLOBAL_DATA::UFX_GLOBAL_DATA() {
  UpdateSysColors();
  ZeroMemory(dwReserved, sizeof(dwReserved));
  UpdateFonts();
  OSVERSIONINFOW vi = {};
  vi.dwOSVersionInfoSize = sizeof(vi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (::GetVersionExW(&vi)) {
#pragma GCC diagnostic pop
    bIsWindowsNT4 = vi.dwPlatformId == VER_PLATFORM_WIN32_NT && vi.dwMajorVersion < 5;
    bIsWindows9x = vi.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
  }
  m_nDragFrameThickness = -1;
  m_hinstUXThemeDLL = nullptr;
}

UFX_GLOBAL_DATA::~UFX_GLOBAL_DATA() { CleanUp(); }

void UFX_GLOBAL_DATA::UpdateSysColors() {
  clrBtnFace = clrBarFace = ::GetSysColor(COLOR_BTNFACE);
  clrBtnShadow = clrBarShadow = ::GetSysColor(COLOR_BTNSHADOW);
  clrBtnDkShadow = clrBarDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
  clrBtnLight = clrBarLight = ::GetSysColor(COLOR_3DLIGHT);
  clrBtnHilite = clrBarHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  clrBtnText = clrBarText = ::GetSysColor(COLOR_BTNTEXT);
  clrGrayedText = ::GetSysColor(COLOR_GRAYTEXT);
  clrWindowFrame = ::GetSysColor(COLOR_WINDOWFRAME);
  clrHilite = ::GetSysColor(COLOR_HIGHLIGHT);
  clrTextHilite = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
  clrBarWindow = clrWindow = ::GetSysColor(COLOR_WINDOW);
  clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
  clrCaptionText = ::GetSysColor(COLOR_CAPTIONTEXT);
  clrMenuText = ::GetSysColor(COLOR_MENUTEXT);
  clrActiveCaption = ::GetSysColor(COLOR_ACTIVECAPTION);
  clrInactiveCaption = ::GetSysColor(COLOR_INACTIVECAPTION);
  clrInactiveCaptionText = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
  clrActiveBorder = ::GetSysColor(COLOR_ACTIVEBORDER);
  clrInactiveBorder = ::GetSysColor(COLOR_INACTIVEBORDER);
  clrHotLinkText = RGB(0, 0, 255);

  hbrBtnShadow = ::GetSysColorBrush(COLOR_BTNSHADOW);
  hbrBtnHilite = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
  hbrWindow = ::GetSysColorBrush(COLOR_WINDOW);

  const struct {
    CBrush& brush;
    COLORREF clr;
  } solid[] = {{brBtnFace, clrBtnFace},         {brBarFace, clrBarFace},
               {brActiveCaption, clrActiveCaption}, {brInactiveCaption, clrInactiveCaption},
               {brHilite, clrHilite},           {brBlack, clrBtnDkShadow},
               {brWindow, clrWindow}};
  for (const auto& s : solid) {
    s.brush.DeleteObject();
    s.brush.CreateSolidBrush(s.clr);
  }

  int nBits = 0;
  if (HDC hDC = ::GetDC(nullptr)) {
    nBits = ::GetDeviceCaps(hDC, BITSPIXEL);
    ::ReleaseDC(nullptr, hDC);
  }
  UpdateLightBrush(nBits);
  // The menu glyphs are drawn in these colours: the command bars free their strip with the
  // colours (their clean-up joins here when they exist).
}

void UFX_GLOBAL_DATA::UpdateLightBrush(int nBitsPerPixel) {
  m_nBitsPerPixel = nBitsPerPixel;
  brLight.DeleteObject();
  if (nBitsPerPixel > 8) {
    brLight.CreateSolidBrush(RGB(Halfway(GetRValue(clrBtnFace), GetRValue(clrBtnHilite)),
                                 Halfway(GetGValue(clrBtnFace), GetGValue(clrBtnHilite)),
                                 Halfway(GetBValue(clrBtnFace), GetBValue(clrBtnHilite))));
    return;
  }
  // A checkerboard: rows alternate 0xAA and 0x55, colour 0 the face, colour 1 the highlight. The
  // pattern is a device-independent bitmap so that it keeps its two colours whatever the DC's.
  struct {
    BITMAPINFOHEADER hdr;
    RGBQUAD colors[2];
    DWORD rows[8];  // each row padded to 32 bits
  } dib = {};
  dib.hdr.biSize = sizeof(BITMAPINFOHEADER);
  dib.hdr.biWidth = 8;
  dib.hdr.biHeight = 8;
  dib.hdr.biPlanes = 1;
  dib.hdr.biBitCount = 1;
  dib.hdr.biCompression = BI_RGB;
  dib.hdr.biClrUsed = 2;
  dib.colors[0] = {GetBValue(clrBtnFace), GetGValue(clrBtnFace), GetRValue(clrBtnFace), 0};
  dib.colors[1] = {GetBValue(clrBtnHilite), GetGValue(clrBtnHilite), GetRValue(clrBtnHilite), 0};
  for (int i = 0; i < 8; ++i) dib.rows[i] = (i % 2 == 0) ? 0xAA : 0x55;
  LOGBRUSH lb = {};
  lb.lbStyle = BS_DIBPATTERNPT;
  lb.lbColor = DIB_RGB_COLORS;
  lb.lbHatch = (ULONG_PTR)&dib;
  brLight.CreateBrushIndirect(&lb);
}

void UFX_GLOBAL_DATA::UpdateFonts() {
  CFont* fonts[] = {&fontRegular, &fontStatus, &fontBold, &fontUnderline, &fontVert, &fontVertCaption, &fontMarlett};
  for (CFont* f : fonts) f->DeleteObject();

  NONCLIENTMETRICSW info;
  ReadNonClientMetrics(info);
  LOGFONTW lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  if (HDC hDC = ::GetDC(nullptr)) {
    lf.lfCharSet = (BYTE)::GetTextCharsetInfo(hDC, nullptr, 0);
    ::ReleaseDC(nullptr, hDC);
  }
  lf.lfHeight = info.lfMenuFont.lfHeight;
  lf.lfWeight = info.lfMenuFont.lfWeight;
  lf.lfItalic = info.lfMenuFont.lfItalic;
  wcsncpy(lf.lfFaceName, info.lfMenuFont.lfFaceName, LF_FACESIZE - 1);
  if (info.lfMenuFont.lfCharSet <= SYMBOL_CHARSET)  // ANSI, default or symbol
    wcscpy(lf.lfFaceName, IsFontInstalled(L"Tahoma") ? L"Tahoma" : L"MS Sans Serif");
  fontRegular.CreateFontIndirect(&lf);

  ReadNonClientMetrics(info);
  lf.lfWeight = info.lfStatusFont.lfWeight;
  lf.lfItalic = info.lfStatusFont.lfItalic;
  fontStatus.CreateFontIndirect(&lf);

  lf.lfWeight = info.lfMenuFont.lfWeight;
  lf.lfItalic = info.lfMenuFont.lfItalic;
  lf.lfUnderline = TRUE;
  fontUnderline.CreateFontIndirect(&lf);

  lf.lfUnderline = FALSE;
  lf.lfWeight = FW_BOLD;
  fontBold.CreateFontIndirect(&lf);

  const BYTE savedCharSet = lf.lfCharSet;
  lf.lfCharSet = SYMBOL_CHARSET;
  lf.lfWeight = 0;
  lf.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK) - 1;
  wcscpy(lf.lfFaceName, L"Marlett");
  fontMarlett.CreateFontIndirect(&lf);
  lf.lfCharSet = savedCharSet;

  LOGFONTW lfGui = {};
  if (::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lfGui), &lfGui) != 0) {
    LOGFONTW lfVert = {};
    lfVert.lfCharSet = lf.lfCharSet;
    lfVert.lfHeight = lfGui.lfHeight;
    lfVert.lfWeight = lfGui.lfWeight;
    lfVert.lfItalic = lfGui.lfItalic;
    lfVert.lfOrientation = 900;
    wcscpy(lfVert.lfFaceName, L"Arial");
    lfVert.lfEscapement = 2700;
    fontVert.CreateFontIndirect(&lfVert);
    lfVert.lfEscapement = 900;
    fontVertCaption.CreateFontIndirect(&lfVert);
  }
  UpdateTextMetrics();
  // The toolbars adapt to the new fonts (they join here when they exist).
}

void UFX_GLOBAL_DATA::UpdateTextMetrics() {
  HDC hDC = ::GetDC(nullptr);
  m_nTextHeightHorz = TextHeight(hDC, fontRegular);
  m_nTextHeightVert = TextHeight(hDC, fontVert);
  if (hDC != nullptr) ::ReleaseDC(nullptr, hDC);
}

BOOL UFX_GLOBAL_DATA::IsFontInstalled(LPCWSTR lpszFaceName) {
  HDC hDC = ::GetDC(nullptr);
  if (hDC == nullptr) return FALSE;
  // Only the fonts of that family are listed, not every family of the system.
  FamilySearch search = {lpszFaceName, FALSE};
  ::EnumFontFamiliesW(hDC, lpszFaceName, StopAtFamily, (LPARAM)&search);
  ::ReleaseDC(nullptr, hDC);
  return search.found;
}

HINSTANCE UFX_GLOBAL_DATA::ThemeLibrary() {
  if (!m_bThemeLibraryTried) {
    m_bThemeLibraryTried = TRUE;
    m_hinstUXThemeDLL = ::LoadLibraryW(L"UxTheme.dll");
  }
  return m_hinstUXThemeDLL;
}

BOOL UFX_GLOBAL_DATA::IsThemeActive() {
  HINSTANCE hTheme = ThemeLibrary();
  if (hTheme == nullptr) return FALSE;
  typedef BOOL(WINAPI * PFN_ISTHEMEACTIVE)();
  PFN_ISTHEMEACTIVE pfn = reinterpret_cast<PFN_ISTHEMEACTIVE>(reinterpret_cast<void (*)()>(::GetProcAddress(hTheme, "IsThemeActive")));
  return pfn != nullptr && pfn();
}

BOOL UFX_GLOBAL_DATA::DrawParentBackground(CWnd* pWnd, CDC* pDC, LPRECT lpRect) {
  if (pWnd == nullptr || pDC == nullptr || pWnd->GetSafeHwnd() == nullptr) return FALSE;
  HDC hDC = pDC->GetSafeHdc();
  CRgn rgn;
  if (lpRect != nullptr) {
    rgn.CreateRectRgnIndirect(lpRect);
    ::SelectClipRgn(hDC, rgn);
  }
  if (m_pfnDrawThemeParentBackground == nullptr) {
    if (HINSTANCE hTheme = ThemeLibrary())
      m_pfnDrawThemeParentBackground =
          reinterpret_cast<PFN_DRAWTHEMEPARENTBACKGROUND>(
              reinterpret_cast<void (*)()>(::GetProcAddress(hTheme, "DrawThemeParentBackground")));
  }
  if (m_pfnDrawThemeParentBackground != nullptr &&
      m_pfnDrawThemeParentBackground(pWnd->GetSafeHwnd(), hDC, lpRect) == S_OK) {
    ::SelectClipRgn(hDC, nullptr);
    return TRUE;
  }
  BOOL bResult = FALSE;
  HWND hParent = ::GetParent(pWnd->GetSafeHwnd());
  if (hParent != nullptr) {
    POINT pt = {0, 0};
    ::MapWindowPoints(pWnd->GetSafeHwnd(), hParent, &pt, 1);
    POINT ptOld;
    ::OffsetWindowOrgEx(hDC, pt.x, pt.y, &ptOld);
    bResult = (BOOL)::SendMessageW(hParent, WM_ERASEBKGND, (WPARAM)hDC, 0);
    ::SetWindowOrgEx(hDC, ptOld.x, ptOld.y, nullptr);
  }
  ::SelectClipRgn(hDC, nullptr);
  return bResult;
}

void UFX_GLOBAL_DATA::CleanUp() {
  CUfxMenuSoundPlayer::Play(CUfxMenuSoundPlayer::kStop);
  brLight.DeleteObject();
  CFont* fonts[] = {&fontRegular, &fontStatus, &fontBold, &fontUnderline, &fontVert, &fontVertCaption};
  for (CFont* f : fonts) f->DeleteObject();
  if (m_hinstUXThemeDLL != nullptr) {
    m_pfnDrawThemeParentBackground = nullptr;
    ::FreeLibrary(m_hinstUXThemeDLL);
    m_hinstUXThemeDLL = nullptr;
  }
  m_bThemeLibraryTried = FALSE;
}

void UfxCleanUp() {
  UfxGlobalData.CleanUp();
  CUfxVisualManager::DeleteAutoCreatedInstance();
  UfxMenuBarStore.CleanUp();
  CUfxToolBar::FreeStaticImages();
  CUfxMenuGlyphs::CleanUp();
  UfxGetCommandManager()->CleanUp();
  CUfxKeyboardManager::CleanUp();
  // A popup menu still open at exit goes with its window (it deletes itself).
  if (CUfxPopupMenu* pPopup = CUfxPopupMenu::GetActiveMenu()) {
    CUfxPopupMenu::SetActiveMenu(nullptr);
    if (pPopup->GetSafeHwnd() != nullptr && pPopup->m_bAutoDestroy) pPopup->DestroyWindow();
  }
}
