// CUfxToolBarImages: an image strip, one bitmap holding equally sized images side by side,
// addressed by index. Strips are built from bitmap resources or bitmap files, grow by added
// images, save back to their file, follow the system colours, and draw single images in their
// normal, highlighted, disabled, indeterminate, shadow and inactive (light) forms.
#pragma once
#include "Framework.h"

// What a draw sequence changed in the shared drawing contexts, restored by EndDraw.
struct CUfxDrawState {
  HGDIOBJ hbmOldSource = nullptr;  // bitmap the source context held before the sequence
  HGDIOBJ hbmOldMask = nullptr;    // bitmap the mask context held before the sequence
  HBITMAP hbmMask = nullptr;       // the sequence's monochrome mask
  BOOL bActive = FALSE;
};

class CUfxToolBarImages : public CObject {
public:
  CUfxToolBarImages();
  ~CUfxToolBarImages() override;

  // Loads a bitmap resource (module null: the resource module). Without add the strip becomes
  // that bitmap; with add its images are appended, once per resource id.
  BOOL Load(UINT uiResID, HINSTANCE hinstRes = nullptr, BOOL bAdd = FALSE);
  // Loads a bitmap file; a bare file name is looked for beside the program.
  BOOL LoadFromFile(LPCWSTR lpszBmpFileName);
  // Writes a file-based strip back (to its own file when no name is given). An unmodified strip
  // writes nothing to its own file. The file is replaced only once the new one is complete.
  BOOL Save(LPCWSTR lpszBmpFileName = nullptr);
  // Rebuilds the strip from its file or resources for the current system colours.
  BOOL Reload();
  void Clear();
  // Makes the other strip a shared copy of this one (it refers to this strip's bitmap).
  BOOL CopyTo(CUfxToolBarImages& imageList);

  // Appends the images of a bitmap; the index of the last image, or -1.
  int AddImage(HBITMAP hbmp);
  // Replaces one image of a file-based strip.
  BOOL UpdateImage(int iImage, HBITMAP hbmp);

  // One draw sequence: PrepareDraw, any number of Draw calls, EndDraw with the same state.
  // Images are drawn at cxDraw x cyDraw when both are positive, else at the image size.
  BOOL PrepareDraw(CUfxDrawState& ds, int cxDraw = 0, int cyDraw = 0, BOOL bUseLightImage = FALSE);
  void EndDraw(CUfxDrawState& ds);
  BOOL Draw(CDC* pDC, int x, int y, int iImage, BOOL bHilite = FALSE, BOOL bDisabled = FALSE,
            BOOL bIndeterminate = FALSE, BOOL bShadow = FALSE, BOOL bInactive = FALSE);

  // Puts one image on the clipboard as a bitmap; tells the user when that fails.
  BOOL CopyImageToClipboard(int iImage);

  // Pixels of this colour are the background (-1: the button-face colour). The old colour.
  COLORREF SetTransparentColor(COLORREF clrTransparent);
  COLORREF GetTransparentColor() const { return m_clrTransparent; }
  // From -1: every pixel of a standard colour becomes its system colour; else every pixel of
  // clrFrom becomes clrTo.
  BOOL MapColors(COLORREF clrFrom = (COLORREF)-1, COLORREF clrTo = (COLORREF)-1);

  // The size of one image; set before the first image is added.
  void SetImageSize(SIZE sizeImage) { m_sizeImage = sizeImage; }
  CSize GetImageSize() const { return m_sizeImage; }
  CSize GetDrawSize() const { return m_sizeImageDest; }
  int GetCount() const { return m_iCount; }
  int GetBitsPerPixel() const { return m_nBitsPerPixel; }
  HBITMAP GetImageWell() const { return m_hbmImageWell; }
  HBITMAP GetLightImage() const { return m_hbmImageLight; }
  BOOL IsFileBased() const { return m_bUserImagesList; }
  CString GetFileName() const { return m_strUDLPath; }
  BOOL IsModified() const { return m_bModified; }
  BOOL IsReadOnly() const { return m_bReadOnly; }
  BOOL IsShared() const { return m_bIsTemporary; }
  COLORREF GetShadowColor() const { return m_clrImageShadow; }
  // The index of the first image a resource added, -1 when it was not loaded.
  int GetResourceOffset(UINT uiResID) const;

  // Frees the drawing contexts shared by all strips (clean-up at exit); made again on demand.
  static void CleanUp();

protected:
  void UpdateCount();
  void UpdateShadowColor();
  BOOL UpdateInternalImage();  // the light image
  // A monochrome mask of one image in the mask context: transparent pixels white.
  void CreateMask(int iImage, BOOL bHilite, BOOL bHiliteShadow);
  // Replaces the strip by a bitmap that the strip owns from now on.
  void TakeBitmap(HBITMAP hbmp);
  BOOL LoadResourceImages(UINT uiResID, HINSTANCE hinstRes);
  COLORREF BackgroundColor() const;
  void TransparentBlt(HDC hdcDest, int x, int y, int cxDest, int cyDest, HDC hdcSrc, COLORREF clrKey) const;
  static BOOL CreateSharedContexts();

  // Fields, in this order.
  CSize m_sizeImage;
  CSize m_sizeImageDest;
  HBITMAP m_hbmImageWell = nullptr;
  HBITMAP m_hbmImageLight = nullptr;
  BOOL m_bUserImagesList = FALSE;
  CString m_strUDLPath;
  BOOL m_bModified = FALSE;
  int m_iCount = 0;
  CList<UINT, UINT> m_lstOrigResIds;
  CList<HINSTANCE, HINSTANCE> m_lstOrigResInstances;
  CMap<UINT, UINT, int, int> m_mapOrigResOffsets;
  BOOL m_bStretch = FALSE;
  HDC m_hdcScratch = nullptr;
  HBITMAP m_hbmScratch = nullptr;
  HGDIOBJ m_hbmOldScratch = nullptr;
  COLORREF m_clrTransparent = (COLORREF)-1;
  BOOL m_bReadOnly = FALSE;
  BOOL m_bIsTemporary = FALSE;
  COLORREF m_clrImageShadow = 0;
  BOOL m_bFadeInactive = FALSE;
  int m_nBitsPerPixel = 0;

  // The two drawing contexts shared by all strips.
  static HDC s_hdcSource;
  static HDC s_hdcMask;
};

// Translate through the standard colour table (black, dark grey, light grey, white to the button
// text, shadow, face and highlight colours). bSwapRB: the colour has red and blue exchanged.
COLORREF UfxMapStdColorToSysColor(COLORREF color, BOOL bSwapRB = FALSE);
COLORREF UfxMapSysColorToStdColor(COLORREF color, BOOL bSwapRB = FALSE);
// Fills a rectangle with the framework's light brush.
void UfxFillWithLightBrush(CDC* pDC, const CRect& rect);
