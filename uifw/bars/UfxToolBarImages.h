// CUfxToolBarImages: a strip of equally sized images kept in one bitmap, drawn one at a time with
// an optional transparent colour.
#pragma once
#include "Framework.h"

class CUfxToolBarImages : public CObject {
public:
  CUfxToolBarImages();
  ~CUfxToolBarImages() override;

  void Clear();
  // Pixels of this colour are not drawn (-1: every pixel is drawn).
  void SetTransparentColor(COLORREF clrTransparent) { m_clrTransparent = clrTransparent; }
  COLORREF GetTransparentColor() const { return m_clrTransparent; }
  // The size of one image; set before the first image is added.
  void SetImageSize(SIZE sizeImage) { m_sizeImage = sizeImage; }
  CSize GetImageSize() const { return m_sizeImage; }
  int GetCount() const { return m_iCount; }
  // Appends the images of a bitmap (its width in images); the first new index, or -1.
  int AddImage(HBITMAP hbmp);

  // One draw sequence: PrepareDraw, any number of Draw calls, EndDraw.
  BOOL PrepareDraw();
  // Draws an image at (x, y), at its own size or stretched to sizeDest when that is given.
  BOOL Draw(CDC* pDC, int x, int y, int iImage, BOOL bHilite = FALSE, BOOL bDisabled = FALSE,
            CSize sizeDest = CSize(0, 0));
  void EndDraw();

protected:
  HBITMAP m_hbmImages = nullptr;
  CSize m_sizeImage;
  int m_iCount = 0;
  COLORREF m_clrTransparent = (COLORREF)-1;
  HDC m_hdcDraw = nullptr;
  HGDIOBJ m_hbmOldDraw = nullptr;
};
