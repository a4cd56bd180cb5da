#include "bars/UfxMenuGlyphs.h"
#include "bars/UfxToolBarImages.h"

BOOL CUfxMenuGlyphs::s_bInitialized = FALSE;

CUfxToolBarImages& CUfxMenuGlyphs::Images() {
  static CUfxToolBarImages images;
  return images;
}

BOOL CUfxMenuGlyphs::Initialize() {
  if (s_bInitialized) return TRUE;
  CUfxToolBarImages& images = Images();
  images.Clear();
  images.SetImageSize(CSize(9, 9));
  HBITMAP hbmp = (HBITMAP)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(kBitmapResId), IMAGE_BITMAP, 0, 0,
                                       LR_CREATEDIBSECTION);
  if (hbmp == nullptr) return FALSE;
  const int iFirst = images.AddImage(hbmp);
  ::DeleteObject(hbmp);
  if (iFirst < 0) {
    images.Clear();
    return FALSE;
  }
  images.SetTransparentColor(kTransparent);
  s_bInitialized = TRUE;
  return TRUE;
}

CSize CUfxMenuGlyphs::GetSize() {
  Initialize();
  return Images().GetImageSize();
}

BOOL CUfxMenuGlyphs::Draw(CDC* pDC, int iImage, const CPoint& ptImage, const CSize& sizeImage) {
  if (pDC == nullptr || !Initialize()) return FALSE;
  CUfxToolBarImages& images = Images();
  CUfxDrawState ds;
  if (!images.PrepareDraw(ds, sizeImage.cx, sizeImage.cy)) return FALSE;
  const BOOL bDrawn = images.Draw(pDC, ptImage.x, ptImage.y, iImage);
  images.EndDraw(ds);
  return bDrawn;
}

void CUfxMenuGlyphs::CleanUp() {
  if (!s_bInitialized) return;
  Images().Clear();
  s_bInitialized = FALSE;
}
