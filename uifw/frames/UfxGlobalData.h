// UfxGlobalData: the framework's one record of system colours, brushes, fonts and platform flags
// that every bar, button, menu and pane draws with. Built before the program starts, refreshed on
// system colour and metric changes. Also the framework's other process-wide state: the list of
// live framework control bars, the image-registration switch, and the clean-up at exit.
#pragma once
#include "Framework.h"

struct UFX_GLOBAL_DATA {
  UFX_GLOBAL_DATA();
  ~UFX_GLOBAL_DATA();

  // System brushes (GetSysColorBrush; never deleted).
  HBRUSH hbrBtnHilite = nullptr;
  HBRUSH hbrBtnShadow = nullptr;
  HBRUSH hbrWindow = nullptr;

  // System colours.
  COLORREF clrBtnFace = 0;
  COLORREF clrBtnShadow = 0;
  COLORREF clrBtnHilite = 0;
  COLORREF clrBtnText = 0;
  COLORREF clrWindowFrame = 0;
  COLORREF clrBtnDkShadow = 0;
  COLORREF clrBtnLight = 0;
  COLORREF clrGrayedText = 0;
  COLORREF clrHilite = 0;
  COLORREF clrTextHilite = 0;
  COLORREF clrHotLinkText = RGB(0, 0, 255);
  COLORREF clrWindow = 0;

  // Bar colours: the button colours until a look rewrites them.
  COLORREF clrBarFace = 0;
  COLORREF clrBarShadow = 0;
  COLORREF clrBarHilite = 0;
  COLORREF clrBarDkShadow = 0;
  COLORREF clrBarLight = 0;
  COLORREF clrBarText = 0;
  COLORREF clrBarWindow = 0;

  COLORREF clrWindowText = 0;
  COLORREF clrCaptionText = 0;
  COLORREF clrMenuText = 0;
  COLORREF clrActiveCaption = 0;
  COLORREF clrInactiveCaption = 0;
  COLORREF clrInactiveCaptionText = 0;
  COLORREF clrActiveBorder = 0;
  COLORREF clrInactiveBorder = 0;

  // Owned brushes.
  CBrush brBtnFace;
  CBrush brHilite;
  CBrush brLight;       // halfway between face and highlight; a checkerboard at 8 bits or less
  CBrush brBlack;       // the 3D dark shadow
  CBrush brActiveCaption;
  CBrush brInactiveCaption;
  CBrush brWindow;
  CBrush brBarFace;

  DWORD dwReserved[4] = {0, 0, 0, 0};

  // Owned fonts.
  CFont fontRegular;      // bars and menus
  CFont fontStatus;       // the regular font with the status font's weight
  CFont fontBold;         // bold menu font
  CFont fontUnderline;    // the menu font underlined
  CFont fontVert;         // vertical bars (escapement 2700)
  CFont fontVertCaption;  // vertical captions (escapement 900)
  CFont fontMarlett;      // "Marlett" symbols, SM_CYMENUCHECK - 1 high

  BOOL bIsWindowsNT4 = FALSE;
  BOOL bIsWindows9x = FALSE;
  int m_nBitsPerPixel = 0;
  int m_nDragFrameThickness = -1;  // cached on first use, -1 until then
  int m_nTextHeightHorz = 0;       // tmHeight + tmInternalLeading + tmExternalLeading
  int m_nTextHeightVert = 0;
  HINSTANCE m_hinstUXThemeDLL = nullptr;

  // Widest tooltip in pixels, -1 while no bar has set one; large toolbar icons.
  int m_nMaxToolTipWidth = -1;
  BOOL m_bLargeIcons = FALSE;

  // Re-reads every colour, rebuilds the brushes and frees the menu glyphs for their new colours.
  void UpdateSysColors();
  // Rebuilds the light brush for a screen of that many bits per pixel.
  void UpdateLightBrush(int nBitsPerPixel);
  // Rebuilds the fonts from the non-client metrics, then the text heights.
  void UpdateFonts();
  void UpdateTextMetrics();
  // Paints what the parent of pWnd shows behind it into pDC (clipped to lpRect when given).
  BOOL DrawParentBackground(CWnd* pWnd, CDC* pDC, LPRECT lpRect = nullptr);
  // Themes: the theme library is there and the user has a theme switched on.
  BOOL IsThemeActive();
  void CleanUp();

  // Loaded from the theme library on first use; a caller may put its own in first.
  typedef HRESULT(WINAPI* PFN_DRAWTHEMEPARENTBACKGROUND)(HWND, HDC, const RECT*);
  PFN_DRAWTHEMEPARENTBACKGROUND m_pfnDrawThemeParentBackground = nullptr;

  // Whether a font family of that name is installed (compared without regard to case).
  static BOOL IsFontInstalled(LPCWSTR lpszFaceName);

private:
  HINSTANCE ThemeLibrary();
  BOOL m_bThemeLibraryTried = FALSE;
};

extern UFX_GLOBAL_DATA UfxGlobalData;

// Live framework control bars (each a CControlBar-derived object), walked by the looks' redraw.
extern CObList UfxAllControlBars;
// Cleared by the workspace while it loads its state: toolbar buttons then keep their standard
// images out of the command manager.
extern BOOL UfxImageRegistrationFlag;

// The framework's clean-up at application exit.
void UfxCleanUp();
