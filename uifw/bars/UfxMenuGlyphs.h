// CUfxMenuGlyphs: the program-wide strip of 9 x 9 menu glyphs (arrows, check and radio marks,
// system-command symbols, chevrons), shared by menus, bars, the looks and buttons.
#pragma once
#include "Framework.h"

class CUfxToolBarImages;

class CUfxMenuGlyphs {
public:
  // Glyph indexes of the strip; a disabled variant follows its glyph where there is one.
  enum IMAGES_IDS {
    IdArowDown = 0,
    IdArowDownDsbl = 1,
    IdArowRight = 2,
    IdArowRightDsbl = 3,
    IdArowRightSelected = 4,
    IdCheck = 6,
    IdCheckDsbl = 7,
    IdMinimize = 8,
    IdMinimizeDsbl = 9,
    IdRestore = 10,
    IdRestoreDsbl = 11,
    IdClose = 12,
    IdCloseDsbl = 13,
    IdMaximize = 14,
    IdMaximizeDsbl = 15,
    IdArowUp = 16,
    IdArowUpDisabled = 17,
    IdMoreButtons = 18,
    IdArowLeft = 19,
    IdCloseSmall = 20,
    IdCustomizeArowDown = 21,
    IdRadio = 22,
    IdRadioDsbl = 23,
    IdCount = 40
  };

  // Loads bitmap 16129 once (later calls answer TRUE at once); FALSE when it cannot be loaded,
  // and the next call tries again.
  static BOOL Initialize();
  // The glyph size, loading the strip on first use.
  static CSize GetSize();
  // Draws the glyph at the point, scaled to sizeImage unless that is 0 x 0.
  static BOOL Draw(CDC* pDC, int iImage, const CPoint& ptImage, const CSize& sizeImage = CSize(0, 0));
  // Frees the strip (it is loaded again on next use).
  static void CleanUp();

  static const UINT kBitmapResId = 16129;
  static const COLORREF kTransparent = RGB(255, 0, 255);

protected:
  static CUfxToolBarImages& Images();
  static BOOL s_bInitialized;
};
