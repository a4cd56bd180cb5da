#include "bars/UfxToolBarImages.h"
#include <vector>
#include "looks/UfxColorMath.h"
#include "looks/UfxGdiEffects.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxVisualManager.h"

HDC CUfxToolBarImages::s_hdcSource = nullptr;
HDC CUfxToolBarImages::s_hdcMask = nullptr;

namespace {
const UINT kIdsCopyFailed = 16008;       // the image could not be prepared for the clipboard
const UINT kIdsClipboardFailed = 16010;  // the clipboard refused it
const DWORD kRopPSDPxax = 0x00B8074A;    // pattern where the mask is black, else the target
const DWORD kRopDSPDxax = 0x00E20746;    // pattern where the mask is white, else the target

// The standard colours and the system colours they stand for.
const struct {
  COLORREF clrStd;
  int nSysColor;
} kStdColors[] = {
    {RGB(0x00, 0x00, 0x00), COLOR_BTNTEXT},
    {RGB(0x80, 0x80, 0x80), COLOR_BTNSHADOW},
    {RGB(0xC0, 0xC0, 0xC0), COLOR_BTNFACE},
    {RGB(0xFF, 0xFF, 0xFF), COLOR_BTNHIGHLIGHT},
};

COLORREF SwapRB(COLORREF c) { return RGB(GetBValue(c), GetGValue(c), GetRValue(c)); }

// A bitmap selected into a memory context for the span of a scope. A strip that is being drawn
// sits in the shared source context already (a bitmap can be in one context only): that one is
// used then.
class CSelectedBitmap {
public:
  CSelectedBitmap(HBITMAP hbmp, HDC hdcShared) {
    if (hbmp == nullptr) return;
    if (hdcShared != nullptr && ::GetCurrentObject(hdcShared, OBJ_BITMAP) == hbmp) {
      m_hdc = hdcShared;
      return;
    }
    m_hdcOwn = ::CreateCompatibleDC(nullptr);
    if (m_hdcOwn == nullptr) return;
    m_hbmOld = ::SelectObject(m_hdcOwn, hbmp);
    if (m_hbmOld == nullptr) return;
    m_hdc = m_hdcOwn;
  }
  ~CSelectedBitmap() {
    if (m_hdcOwn == nullptr) return;
    if (m_hbmOld != nullptr) ::SelectObject(m_hdcOwn, m_hbmOld);
    ::DeleteDC(m_hdcOwn);
  }
  HDC Get() const { return m_hdc; }

private:
  HDC m_hdc = nullptr;
  HDC m_hdcOwn = nullptr;
  HGDIOBJ m_hbmOld = nullptr;
};

// A DIB section of 24 or 32 bits per pixel, bottom-up; its bits through ppvBits.
HBITMAP CreateDib(int cx, int cy, int nBits, void** ppvBits = nullptr) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = cx;
  bmi.bmiHeader.biHeight = cy;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = (WORD)nBits;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* pvBits = nullptr;
  HBITMAP hbmp = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pvBits, nullptr, 0);
  if (ppvBits != nullptr) *ppvBits = pvBits;
  return hbmp;
}

// What a pixel of the colour becomes: from -1 the standard table, else clrFrom to clrTo.
COLORREF MapOne(COLORREF clr, COLORREF clrFrom, COLORREF clrTo) {
  if (clrFrom == (COLORREF)-1) return UfxMapStdColorToSysColor(clr);
  return clr == clrFrom ? clrTo : clr;
}

// Recolours a bitmap. Pixels of 24- and 32-bit DIB sections change in place, the colour table of
// palette DIB sections entry by entry; any other bitmap is replaced by a 24-bit copy (hbmp then
// names the copy and the old one is deleted). FALSE when nothing could be done.
BOOL MapBitmapColors(HBITMAP& hbmp, COLORREF clrFrom, COLORREF clrTo, HDC hdcShared) {
  DIBSECTION ds = {};
  const int nSize = ::GetObjectW(hbmp, sizeof(ds), &ds);
  if (nSize == 0) return FALSE;
  const BOOL bDib = nSize == sizeof(DIBSECTION) && ds.dsBm.bmBits != nullptr;
  if (bDib && ds.dsBm.bmBitsPixel <= 8) {
    CSelectedBitmap sel(hbmp, hdcShared);
    if (sel.Get() == nullptr) return FALSE;
    RGBQUAD table[256];
    const UINT nEntries = ::GetDIBColorTable(sel.Get(), 0, 256, table);
    for (UINT i = 0; i < nEntries; i++) {
      const COLORREF clr = RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue);
      const COLORREF clrNew = MapOne(clr, clrFrom, clrTo);
      table[i].rgbRed = GetRValue(clrNew);
      table[i].rgbGreen = GetGValue(clrNew);
      table[i].rgbBlue = GetBValue(clrNew);
    }
    if (nEntries > 0) ::SetDIBColorTable(sel.Get(), 0, nEntries, table);
    return TRUE;
  }
  HBITMAP hbmWork = hbmp;
  if (!bDib || (ds.dsBm.bmBitsPixel != 24 && ds.dsBm.bmBitsPixel != 32)) {
    // A compatible copy takes the pixels, then replaces the bitmap.
    BITMAP bm = {};
    ::GetObjectW(hbmp, sizeof(bm), &bm);
    void* pvBits = nullptr;
    hbmWork = CreateDib(bm.bmWidth, bm.bmHeight, 24, &pvBits);
    if (hbmWork == nullptr) return FALSE;
    CSelectedBitmap src(hbmp, hdcShared), dst(hbmWork, nullptr);
    if (src.Get() == nullptr || dst.Get() == nullptr) {
      ::DeleteObject(hbmWork);
      return FALSE;
    }
    ::BitBlt(dst.Get(), 0, 0, bm.bmWidth, bm.bmHeight, src.Get(), 0, 0, SRCCOPY);
    ::GetObjectW(hbmWork, sizeof(ds), &ds);
  }
  ::GdiFlush();
  const int nBytes = ds.dsBm.bmBitsPixel / 8;
  for (int y = 0; y < ds.dsBm.bmHeight; y++) {
    BYTE* p = (BYTE*)ds.dsBm.bmBits + (size_t)y * ds.dsBm.bmWidthBytes;
    for (int x = 0; x < ds.dsBm.bmWidth; x++, p += nBytes) {
      const COLORREF clr = RGB(p[2], p[1], p[0]);
      const COLORREF clrNew = MapOne(clr, clrFrom, clrTo);
      if (clrNew == clr) continue;
      p[0] = GetBValue(clrNew);
      p[1] = GetGValue(clrNew);
      p[2] = GetRValue(clrNew);
    }
  }
  if (hbmWork != hbmp) {
    ::DeleteObject(hbmp);
    hbmp = hbmWork;
  }
  return TRUE;
}

int BitsOf(HBITMAP hbmp) {
  BITMAP bm = {};
  return ::GetObjectW(hbmp, sizeof(bm), &bm) ? bm.bmBitsPixel : 0;
}

// The program's folder joined with a bare file name.
CString BesideProgram(const CString& strName) {
  WCHAR szPath[MAX_PATH * 2] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, szPath, MAX_PATH * 2);
  if (n == 0 || n >= MAX_PATH * 2) return strName;
  CString strDir(szPath);
  const int iSlash = strDir.ReverseFind(L'\\');
  return (iSlash >= 0 ? strDir.Left(iSlash + 1) : CString()) + strName;
}

BOOL WriteAll(HANDLE hFile, const void* pv, DWORD cb) {
  DWORD cbWritten = 0;
  return ::WriteFile(hFile, pv, cb, &cbWritten, nullptr) && cbWritten == cb;
}
}  // namespace

// ---- colours ---------------------------------------------------------------------------------

COLORREF UfxMapStdColorToSysColor(COLORREF color, BOOL bSwapRB) {
  const COLORREF clr = bSwapRB ? SwapRB(color) : color;
  for (const auto& entry : kStdColors) {
    if (clr == entry.clrStd) {
      const COLORREF clrSys = ::GetSysColor(entry.nSysColor);
      return bSwapRB ? SwapRB(clrSys) : clrSys;
    }
  }
  return color;
}

COLORREF UfxMapSysColorToStdColor(COLORREF color, BOOL bSwapRB) {
  const COLORREF clr = bSwapRB ? SwapRB(color) : color;
  for (const auto& entry : kStdColors) {
    if (clr == ::GetSysColor(entry.nSysColor)) return bSwapRB ? SwapRB(entry.clrStd) : entry.clrStd;
  }
  return color;
}

void UfxFillWithLightBrush(CDC* pDC, const CRect& rect) {
  ::FillRect(pDC->GetSafeHdc(), &rect, (HBRUSH)UfxGlobalData.brLight.GetSafeHandle());
}

// ---- construction ------------------------------------------------------------------------------

CUfxToolBarImages::CUfxToolBarImages() : m_sizeImage(16, 15), m_sizeImageDest(0, 0) {
  m_mapOrigResOffsets.InitHashTable(17);
  if (!CreateSharedContexts()) AfxThrowResourceException();
  Reload();
}

CUfxToolBarImages::~CUfxToolBarImages() {
  if (m_hdcScratch != nullptr) {
    ::SelectObject(m_hdcScratch, m_hbmOldScratch);
    ::DeleteDC(m_hdcScratch);
  }
  if (m_hbmScratch != nullptr) ::DeleteObject(m_hbmScratch);
  if (!m_bIsTemporary) {
    if (m_hbmImageWell != nullptr) ::DeleteObject(m_hbmImageWell);
    if (m_hbmImageLight != nullptr) ::DeleteObject(m_hbmImageLight);
  }
}

BOOL CUfxToolBarImages::CreateSharedContexts() {
  if (s_hdcSource == nullptr) s_hdcSource = ::CreateCompatibleDC(nullptr);
  if (s_hdcMask == nullptr) s_hdcMask = ::CreateCompatibleDC(nullptr);
  return s_hdcSource != nullptr && s_hdcMask != nullptr;
}

void CUfxToolBarImages::CleanUp() {
  if (s_hdcSource != nullptr) ::DeleteDC(s_hdcSource);
  if (s_hdcMask != nullptr) ::DeleteDC(s_hdcMask);
  s_hdcSource = s_hdcMask = nullptr;
}

void CUfxToolBarImages::Clear() {
  if (m_bIsTemporary) return;
  if (m_hbmImageWell != nullptr) ::DeleteObject(m_hbmImageWell);
  if (m_hbmImageLight != nullptr) ::DeleteObject(m_hbmImageLight);
  m_hbmImageWell = m_hbmImageLight = nullptr;
  m_lstOrigResIds.RemoveAll();
  m_lstOrigResInstances.RemoveAll();
  m_mapOrigResOffsets.RemoveAll();
  m_strUDLPath.Empty();
  m_iCount = 0;
  m_bUserImagesList = FALSE;
  m_bModified = FALSE;
  m_bReadOnly = FALSE;
  m_nBitsPerPixel = 0;
}

void CUfxToolBarImages::TakeBitmap(HBITMAP hbmp) {
  if (m_hbmImageWell != nullptr && m_hbmImageWell != hbmp) ::DeleteObject(m_hbmImageWell);
  m_hbmImageWell = hbmp;
}

void CUfxToolBarImages::UpdateCount() {
  BITMAP bm = {};
  if (m_hbmImageWell == nullptr || m_sizeImage.cx <= 0 || !::GetObjectW(m_hbmImageWell, sizeof(bm), &bm)) {
    m_iCount = 0;
    return;
  }
  m_iCount = bm.bmWidth / m_sizeImage.cx;
}

int CUfxToolBarImages::GetResourceOffset(UINT uiResID) const {
  int iOffset = -1;
  return m_mapOrigResOffsets.Lookup(uiResID, iOffset) ? iOffset : -1;
}

BOOL CUfxToolBarImages::CopyTo(CUfxToolBarImages& other) {
  if (&other == this) return FALSE;
  if (!other.m_bIsTemporary) other.Clear();
  else other.m_hbmImageWell = other.m_hbmImageLight = nullptr;
  other.m_sizeImage = m_sizeImage;
  other.m_sizeImageDest = m_sizeImageDest;
  other.m_hbmImageWell = m_hbmImageWell;
  other.m_bUserImagesList = m_bUserImagesList;
  other.m_iCount = m_iCount;
  other.m_nBitsPerPixel = m_nBitsPerPixel;
  other.m_bIsTemporary = TRUE;
  other.m_bReadOnly = TRUE;
  return TRUE;
}

// ---- loading -----------------------------------------------------------------------------------

BOOL CUfxToolBarImages::Load(UINT uiResID, HINSTANCE hinstRes, BOOL bAdd) {
  if (m_bIsTemporary) return FALSE;
  if (bAdd && m_lstOrigResIds.Find(uiResID) != nullptr) return TRUE;
  if (hinstRes == nullptr) hinstRes = AfxGetResourceHandle();
  HBITMAP hbmp = (HBITMAP)::LoadImageW(hinstRes, MAKEINTRESOURCEW(uiResID), IMAGE_BITMAP, 0, 0,
                                       LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS);
  const int nBits = BitsOf(hbmp);
  if (nBits == 0) {
    if (hbmp != nullptr) ::DeleteObject(hbmp);
    return FALSE;
  }
  // The strip takes the system's colours: the load option recolours only the greys of palette
  // bitmaps, the table does the rest.
  MapBitmapColors(hbmp, (COLORREF)-1, (COLORREF)-1, nullptr);
  if (bAdd) {
    const int iOffset = m_iCount;
    const BOOL bModified = m_bModified;
    if (AddImage(hbmp) < 0) {
      ::DeleteObject(hbmp);
      return FALSE;
    }
    ::DeleteObject(hbmp);
    m_bModified = bModified;
    m_nBitsPerPixel = nBits;
    m_mapOrigResOffsets.SetAt(uiResID, iOffset);
  } else {
    Clear();
    TakeBitmap(hbmp);
    m_nBitsPerPixel = nBits;
    m_mapOrigResOffsets.SetAt(uiResID, 0);
  }
  m_lstOrigResIds.AddTail(uiResID);
  m_lstOrigResInstances.AddTail(hinstRes);
  UpdateCount();
  UpdateInternalImage();
  return TRUE;
}

BOOL CUfxToolBarImages::LoadFromFile(LPCWSTR lpszBmpFileName) {
  if (m_bIsTemporary || lpszBmpFileName == nullptr || *lpszBmpFileName == 0) return FALSE;
  CString strPath(lpszBmpFileName);
  if (strPath.FindOneOf(L"\\/:") < 0) strPath = BesideProgram(strPath);
  HBITMAP hbmp = (HBITMAP)::LoadImageW(nullptr, strPath, IMAGE_BITMAP, 0, 0,
                                       LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS | LR_LOADFROMFILE);
  const int nBits = BitsOf(hbmp);
  if (nBits == 0) {
    if (hbmp != nullptr) ::DeleteObject(hbmp);
    return FALSE;
  }
  MapBitmapColors(hbmp, (COLORREF)-1, (COLORREF)-1, nullptr);
  Clear();
  TakeBitmap(hbmp);
  m_bUserImagesList = TRUE;
  m_strUDLPath = strPath;
  const DWORD dwAttr = ::GetFileAttributesW(strPath);
  m_bReadOnly = dwAttr != INVALID_FILE_ATTRIBUTES && (dwAttr & FILE_ATTRIBUTE_READONLY) != 0;
  m_nBitsPerPixel = nBits;
  UpdateCount();
  UpdateInternalImage();
  return TRUE;
}

BOOL CUfxToolBarImages::Reload() {
  if (m_bIsTemporary) return FALSE;
  BOOL bResult = TRUE;
  if (m_bUserImagesList) {
    // Unsaved images stay as they are: reloading the file would lose them.
    if (!m_bModified && !m_strUDLPath.IsEmpty()) {
      const CString strPath = m_strUDLPath;
      bResult = LoadFromFile(strPath);
    }
  } else if (!m_lstOrigResIds.IsEmpty()) {
    bResult = LoadResourceImages(0, nullptr);
  }
  UpdateShadowColor();
  return bResult;
}

void CUfxToolBarImages::UpdateShadowColor() {
  const BOOL bPalette = UfxGlobalData.m_nBitsPerPixel <= 8;
  m_clrImageShadow = bPalette ? UfxGlobalData.clrBtnShadow : ScaleColor(UfxGlobalData.clrBtnShadow, 170);
}

// Builds the strip again from every remembered resource, in load order; images added after them
// are kept. On any failure the strip stays as it was.
BOOL CUfxToolBarImages::LoadResourceImages(UINT, HINSTANCE) {
  HBITMAP hbmOld = m_hbmImageWell;
  const int nOldCount = m_iCount;
  const int nOldBits = m_nBitsPerPixel;
  const BOOL bModified = m_bModified;
  CMap<UINT, UINT, int, int> mapOld;
  for (POSITION pos = m_lstOrigResIds.GetHeadPosition(); pos != nullptr;) {
    const UINT uiID = m_lstOrigResIds.GetNext(pos);
    mapOld.SetAt(uiID, GetResourceOffset(uiID));
  }

  m_hbmImageWell = nullptr;
  m_iCount = 0;
  m_mapOrigResOffsets.RemoveAll();
  BOOL bOK = TRUE;
  int nBits = 0;
  POSITION posInst = m_lstOrigResInstances.GetHeadPosition();
  for (POSITION pos = m_lstOrigResIds.GetHeadPosition(); pos != nullptr && bOK;) {
    const UINT uiID = m_lstOrigResIds.GetNext(pos);
    const HINSTANCE hinst = posInst != nullptr ? m_lstOrigResInstances.GetNext(posInst) : AfxGetResourceHandle();
    HBITMAP hbmp = (HBITMAP)::LoadImageW(hinst, MAKEINTRESOURCEW(uiID), IMAGE_BITMAP, 0, 0,
                                         LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS);
    nBits = BitsOf(hbmp);
    if (nBits == 0) {
      bOK = FALSE;
    } else {
      MapBitmapColors(hbmp, (COLORREF)-1, (COLORREF)-1, nullptr);
      const int iOffset = m_iCount;
      if (AddImage(hbmp) < 0) bOK = FALSE;
      else m_mapOrigResOffsets.SetAt(uiID, iOffset);
    }
    if (hbmp != nullptr) ::DeleteObject(hbmp);
  }
  const int nResourceImages = m_iCount;
  if (bOK && nOldCount > nResourceImages && hbmOld != nullptr) {
    // Images appended after the resources: copied over from the old strip.
    HBITMAP hbmTail = CreateDib((nOldCount - nResourceImages) * m_sizeImage.cx, m_sizeImage.cy, 32);
    {
      CSelectedBitmap src(hbmOld, s_hdcSource), dst(hbmTail, nullptr);
      if (hbmTail == nullptr || src.Get() == nullptr || dst.Get() == nullptr) {
        bOK = FALSE;
      } else {
        ::BitBlt(dst.Get(), 0, 0, (nOldCount - nResourceImages) * m_sizeImage.cx, m_sizeImage.cy, src.Get(),
                 nResourceImages * m_sizeImage.cx, 0, SRCCOPY);
      }
    }
    if (bOK && AddImage(hbmTail) < 0) bOK = FALSE;
    if (hbmTail != nullptr) ::DeleteObject(hbmTail);
  }
  if (!bOK) {
    if (m_hbmImageWell != nullptr) ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = hbmOld;
    m_iCount = nOldCount;
    m_nBitsPerPixel = nOldBits;
    m_bModified = bModified;
    m_mapOrigResOffsets.RemoveAll();
    for (POSITION pos = mapOld.GetStartPosition(); pos != nullptr;) {
      UINT uiID = 0;
      int iOffset = 0;
      mapOld.GetNextAssoc(pos, uiID, iOffset);
      m_mapOrigResOffsets.SetAt(uiID, iOffset);
    }
    UpdateInternalImage();
    return FALSE;
  }
  if (hbmOld != nullptr) ::DeleteObject(hbmOld);
  m_nBitsPerPixel = nBits;
  m_bModified = bModified;
  UpdateCount();
  UpdateInternalImage();
  return TRUE;
}

// ---- adding and changing images ----------------------------------------------------------------

int CUfxToolBarImages::AddImage(HBITMAP hbmp) {
  BITMAP bm = {};
  if (m_bIsTemporary || hbmp == nullptr || !::GetObjectW(hbmp, sizeof(bm), &bm)) return -1;
  if (m_sizeImage.cx <= 0 || m_sizeImage.cy <= 0) return -1;
  const int nAdded = bm.bmWidth / m_sizeImage.cx;
  if (nAdded <= 0) return -1;
  const int nBitsOld = m_hbmImageWell != nullptr ? BitsOf(m_hbmImageWell) : 0;
  const int nBits = (bm.bmBitsPixel == 32 || nBitsOld == 32) ? 32 : 24;
  HBITMAP hbmNew = CreateDib((m_iCount + nAdded) * m_sizeImage.cx, m_sizeImage.cy, nBits);
  if (hbmNew == nullptr) return -1;
  {
    CSelectedBitmap dst(hbmNew, nullptr);
    CSelectedBitmap src(hbmp, s_hdcSource);
    CSelectedBitmap old(m_hbmImageWell, s_hdcSource);
    if (dst.Get() == nullptr || src.Get() == nullptr || (m_hbmImageWell != nullptr && old.Get() == nullptr)) {
      ::DeleteObject(hbmNew);
      return -1;
    }
    RECT rectAll = {0, 0, (m_iCount + nAdded) * m_sizeImage.cx, m_sizeImage.cy};
    ::FillRect(dst.Get(), &rectAll, (HBRUSH)UfxGlobalData.brBtnFace.GetSafeHandle());
    if (old.Get() != nullptr)
      ::BitBlt(dst.Get(), 0, 0, m_iCount * m_sizeImage.cx, m_sizeImage.cy, old.Get(), 0, 0, SRCCOPY);
    ::BitBlt(dst.Get(), m_iCount * m_sizeImage.cx, 0, nAdded * m_sizeImage.cx, m_sizeImage.cy, src.Get(), 0, 0,
             SRCCOPY);
  }
  const BOOL bWasEmpty = m_hbmImageWell == nullptr;
  // A strip being drawn holds its old bitmap in the shared context: the new one takes its place.
  const BOOL bSelected = !bWasEmpty && ::GetCurrentObject(s_hdcSource, OBJ_BITMAP) == m_hbmImageWell;
  if (bSelected) ::SelectObject(s_hdcSource, hbmNew);
  TakeBitmap(hbmNew);
  if (bWasEmpty) m_nBitsPerPixel = bm.bmBitsPixel;
  m_bModified = TRUE;
  UpdateCount();
  UpdateInternalImage();
  return m_iCount - 1;
}

BOOL CUfxToolBarImages::UpdateImage(int iImage, HBITMAP hbmp) {
  if (m_bIsTemporary || !m_bUserImagesList || hbmp == nullptr || iImage < 0 || iImage >= m_iCount) return FALSE;
  CSelectedBitmap dst(m_hbmImageWell, s_hdcSource), src(hbmp, s_hdcSource);
  if (dst.Get() == nullptr || src.Get() == nullptr) return FALSE;
  if (!::BitBlt(dst.Get(), iImage * m_sizeImage.cx, 0, m_sizeImage.cx, m_sizeImage.cy, src.Get(), 0, 0, SRCCOPY))
    return FALSE;
  m_bModified = TRUE;
  UpdateInternalImage();
  return TRUE;
}

COLORREF CUfxToolBarImages::SetTransparentColor(COLORREF clrTransparent) {
  const COLORREF clrOld = m_clrTransparent;
  m_clrTransparent = clrTransparent;
  if (clrOld != clrTransparent) UpdateInternalImage();
  return clrOld;
}

BOOL CUfxToolBarImages::MapColors(COLORREF clrFrom, COLORREF clrTo) {
  if (m_bIsTemporary || m_hbmImageWell == nullptr) return FALSE;
  if (clrFrom != (COLORREF)-1 && clrTo == (COLORREF)-1) return FALSE;
  HBITMAP hbmp = m_hbmImageWell;
  const BOOL bSelected = ::GetCurrentObject(s_hdcSource, OBJ_BITMAP) == hbmp;
  if (!MapBitmapColors(hbmp, clrFrom, clrTo, s_hdcSource)) return FALSE;
  if (hbmp != m_hbmImageWell) {
    if (bSelected) ::SelectObject(s_hdcSource, hbmp);
    m_hbmImageWell = hbmp;
  }
  UpdateInternalImage();
  return TRUE;
}

COLORREF CUfxToolBarImages::BackgroundColor() const {
  return m_clrTransparent != (COLORREF)-1 ? m_clrTransparent : UfxGlobalData.clrBtnFace;
}

// The light image: a 32-bit copy of the strip lightened to 130 % but for the background.
BOOL CUfxToolBarImages::UpdateInternalImage() {
  if (m_hbmImageLight != nullptr && !m_bIsTemporary) ::DeleteObject(m_hbmImageLight);
  m_hbmImageLight = nullptr;
  if (m_hbmImageWell == nullptr || UfxGlobalData.m_nBitsPerPixel <= 8) return TRUE;
  BITMAP bm = {};
  if (!::GetObjectW(m_hbmImageWell, sizeof(bm), &bm)) return FALSE;
  HBITMAP hbmLight = CreateDib(bm.bmWidth, bm.bmHeight, 32);
  if (hbmLight == nullptr) return FALSE;
  {
    CSelectedBitmap src(m_hbmImageWell, s_hdcSource), dst(hbmLight, nullptr);
    if (src.Get() == nullptr || dst.Get() == nullptr) {
      ::DeleteObject(hbmLight);
      return FALSE;
    }
    ::BitBlt(dst.Get(), 0, 0, bm.bmWidth, bm.bmHeight, src.Get(), 0, 0, SRCCOPY);
    CDC dc;
    dc.Attach(dst.Get());
    CUfxGdiEffects effects(dc);
    effects.HighlightRect(CRect(0, 0, bm.bmWidth, bm.bmHeight), 130, BackgroundColor());
    dc.Detach();
  }
  m_hbmImageLight = hbmLight;
  return TRUE;
}

// ---- saving ------------------------------------------------------------------------------------

BOOL CUfxToolBarImages::Save(LPCWSTR lpszBmpFileName) {
  if (!m_bUserImagesList || m_hbmImageWell == nullptr || m_bReadOnly || m_bIsTemporary) return FALSE;
  const CString strFile = (lpszBmpFileName != nullptr && *lpszBmpFileName != 0) ? CString(lpszBmpFileName) : m_strUDLPath;
  const BOOL bOwnFile = strFile.CompareNoCase(m_strUDLPath) == 0;
  if (!m_bModified && bOwnFile) return TRUE;
  if (strFile.IsEmpty()) return FALSE;

  BITMAP bm = {};
  if (!::GetObjectW(m_hbmImageWell, sizeof(bm), &bm)) return FALSE;
  // Palette strips keep their depth; deeper ones are written with 24 bits (32 when they have 32).
  const int nBits = bm.bmBitsPixel <= 8 ? bm.bmBitsPixel : (bm.bmBitsPixel == 32 ? 32 : 24);
  const int nColors = nBits <= 8 ? (1 << nBits) : 0;
  const DWORD cbRow = ((DWORD)bm.bmWidth * nBits + 31) / 32 * 4;
  const DWORD cbPixels = cbRow * (DWORD)bm.bmHeight;
  const DWORD cbHeader = sizeof(BITMAPINFOHEADER) + nColors * sizeof(RGBQUAD);
  std::vector<BYTE> packed(cbHeader + cbPixels);
  BITMAPINFO* pbmi = (BITMAPINFO*)packed.data();
  pbmi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  pbmi->bmiHeader.biWidth = bm.bmWidth;
  pbmi->bmiHeader.biHeight = bm.bmHeight;
  pbmi->bmiHeader.biPlanes = 1;
  pbmi->bmiHeader.biBitCount = (WORD)nBits;
  pbmi->bmiHeader.biCompression = BI_RGB;
  pbmi->bmiHeader.biSizeImage = cbPixels;
  pbmi->bmiHeader.biClrUsed = 0;
  BYTE* pBits = packed.data() + cbHeader;
  HDC hdcScreen = ::GetDC(nullptr);
  const int nLines = ::GetDIBits(hdcScreen, m_hbmImageWell, 0, bm.bmHeight, pBits, pbmi, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, hdcScreen);
  if (nLines != bm.bmHeight) return FALSE;
  pbmi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  pbmi->bmiHeader.biClrUsed = 0;

  // The file keeps the standard colours, never the colour scheme it was drawn in.
  for (int i = 0; i < nColors; i++) {
    RGBQUAD& q = pbmi->bmiColors[i];
    const COLORREF clr = UfxMapSysColorToStdColor(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
    q.rgbRed = GetRValue(clr);
    q.rgbGreen = GetGValue(clr);
    q.rgbBlue = GetBValue(clr);
  }
  if (nColors == 0) {
    const int nBytes = nBits / 8;
    for (int y = 0; y < bm.bmHeight; y++) {
      BYTE* p = pBits + (size_t)y * cbRow;
      for (int x = 0; x < bm.bmWidth; x++, p += nBytes) {
        const COLORREF clr = RGB(p[2], p[1], p[0]);
        const COLORREF clrStd = UfxMapSysColorToStdColor(clr);
        if (clrStd == clr) continue;
        p[0] = GetBValue(clrStd);
        p[1] = GetGValue(clrStd);
        p[2] = GetRValue(clrStd);
      }
    }
  }

  BITMAPFILEHEADER bfh = {};
  bfh.bfType = 0x4D42;  // "BM"
  bfh.bfSize = (DWORD)(sizeof(BITMAPFILEHEADER) + packed.size());
  bfh.bfOffBits = sizeof(BITMAPFILEHEADER) + cbHeader;

  // A new file beside the old one replaces it only once it is complete.
  const CString strTemp = strFile + L".new";
  HANDLE hFile = ::CreateFileW(strTemp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (hFile == INVALID_HANDLE_VALUE) return FALSE;
  const BOOL bWritten = WriteAll(hFile, &bfh, sizeof(bfh)) && WriteAll(hFile, packed.data(), (DWORD)packed.size()) &&
                        ::FlushFileBuffers(hFile);
  const BOOL bClosed = ::CloseHandle(hFile);
  if (!bWritten || !bClosed || !::MoveFileExW(strTemp, strFile, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileW(strTemp);
    return FALSE;
  }
  // Written elsewhere, the own file still lacks the changes.
  if (bOwnFile) m_bModified = FALSE;
  return TRUE;
}

// ---- drawing -----------------------------------------------------------------------------------

BOOL CUfxToolBarImages::PrepareDraw(CUfxDrawState& ds, int cxDraw, int cyDraw, BOOL bUseLightImage) {
  ds = CUfxDrawState();
  if (m_hbmImageWell == nullptr || m_sizeImage.cx <= 0 || m_sizeImage.cy <= 0) return FALSE;
  if (!CreateSharedContexts()) return FALSE;
  // Strips made before the global colours were read take them now.
  UpdateShadowColor();
  m_bFadeInactive = bUseLightImage && m_hbmImageLight != nullptr && m_nBitsPerPixel >= 1 && m_nBitsPerPixel <= 4;

  ds.hbmOldSource = ::SelectObject(s_hdcSource, m_bFadeInactive ? m_hbmImageLight : m_hbmImageWell);
  if (ds.hbmOldSource == nullptr) {
    m_bFadeInactive = FALSE;
    return FALSE;
  }
  ds.hbmMask = ::CreateBitmap(m_sizeImage.cx + 2, m_sizeImage.cy + 2, 1, 1, nullptr);
  ds.hbmOldMask = ds.hbmMask != nullptr ? ::SelectObject(s_hdcMask, ds.hbmMask) : nullptr;
  if (ds.hbmOldMask == nullptr) {
    ::SelectObject(s_hdcSource, ds.hbmOldSource);
    if (ds.hbmMask != nullptr) ::DeleteObject(ds.hbmMask);
    ds = CUfxDrawState();
    m_bFadeInactive = FALSE;
    return FALSE;
  }

  m_sizeImageDest = (cxDraw > 0 && cyDraw > 0) ? CSize(cxDraw, cyDraw) : m_sizeImage;
  m_bStretch = m_sizeImageDest != m_sizeImage;
  if (m_bStretch || m_clrTransparent != (COLORREF)-1) {
    HDC hdcScreen = ::GetDC(nullptr);
    m_hdcScratch = ::CreateCompatibleDC(hdcScreen);
    m_hbmScratch = ::CreateCompatibleBitmap(hdcScreen, m_sizeImage.cx + 2, m_sizeImage.cy + 2);
    ::ReleaseDC(nullptr, hdcScreen);
    m_hbmOldScratch = (m_hdcScratch != nullptr && m_hbmScratch != nullptr) ? ::SelectObject(m_hdcScratch, m_hbmScratch)
                                                                         : nullptr;
    if (m_hbmOldScratch == nullptr) {
      ds.bActive = TRUE;
      EndDraw(ds);
      return FALSE;
    }
  }
  ds.bActive = TRUE;
  return TRUE;
}

void CUfxToolBarImages::EndDraw(CUfxDrawState& ds) {
  if (m_hdcScratch != nullptr) {
    if (m_hbmOldScratch != nullptr) ::SelectObject(m_hdcScratch, m_hbmOldScratch);
    ::DeleteDC(m_hdcScratch);
  }
  if (m_hbmScratch != nullptr) ::DeleteObject(m_hbmScratch);
  m_hdcScratch = nullptr;
  m_hbmScratch = nullptr;
  m_hbmOldScratch = nullptr;
  if (ds.bActive) {
    if (s_hdcSource != nullptr && ds.hbmOldSource != nullptr) ::SelectObject(s_hdcSource, ds.hbmOldSource);
    if (s_hdcMask != nullptr && ds.hbmOldMask != nullptr) ::SelectObject(s_hdcMask, ds.hbmOldMask);
    if (ds.hbmMask != nullptr) ::DeleteObject(ds.hbmMask);
  }
  ds = CUfxDrawState();
  m_sizeImageDest = CSize(0, 0);
  m_bStretch = FALSE;
  m_bFadeInactive = FALSE;
}

void CUfxToolBarImages::CreateMask(int iImage, BOOL bHilite, BOOL bHiliteShadow) {
  const int cx = m_sizeImage.cx, cy = m_sizeImage.cy;
  ::PatBlt(s_hdcMask, 0, 0, cx + 2, cy + 2, WHITENESS);
  const COLORREF clrOldBk = ::SetBkColor(s_hdcSource, BackgroundColor());
  ::BitBlt(s_hdcMask, 0, 0, cx, cy, s_hdcSource, iImage * cx, 0, SRCCOPY);
  if (bHilite) {
    ::SetBkColor(s_hdcSource, UfxGlobalData.clrBtnHilite);
    ::BitBlt(s_hdcMask, 0, 0, cx, cy, s_hdcSource, iImage * cx, 0, SRCPAINT);
  }
  ::SetBkColor(s_hdcSource, clrOldBk);
  if (bHiliteShadow) ::BitBlt(s_hdcMask, 1, 1, cx + 1, cy + 1, s_hdcMask, 0, 0, SRCAND);
}

// Copies the source (at the image size) to the target at the given size, leaving out the pixels
// of the key colour.
void CUfxToolBarImages::TransparentBlt(HDC hdcDest, int x, int y, int cxDest, int cyDest, HDC hdcSrc,
                                       COLORREF clrKey) const {
  const int cxSrc = m_bStretch ? m_sizeImage.cx : cxDest;
  const int cySrc = m_bStretch ? m_sizeImage.cy : cyDest;
  HDC hdcImage = ::CreateCompatibleDC(hdcDest);
  HDC hdcMask = ::CreateCompatibleDC(hdcDest);
  HBITMAP hbmImage = ::CreateCompatibleBitmap(hdcDest, cxDest, cyDest);
  HBITMAP hbmMask = ::CreateBitmap(cxDest, cyDest, 1, 1, nullptr);
  if (hdcImage == nullptr || hdcMask == nullptr || hbmImage == nullptr || hbmMask == nullptr) {
    if (hdcImage != nullptr) ::DeleteDC(hdcImage);
    if (hdcMask != nullptr) ::DeleteDC(hdcMask);
    if (hbmImage != nullptr) ::DeleteObject(hbmImage);
    if (hbmMask != nullptr) ::DeleteObject(hbmMask);
    return;
  }
  HGDIOBJ hOldImage = ::SelectObject(hdcImage, hbmImage);
  HGDIOBJ hOldMask = ::SelectObject(hdcMask, hbmMask);
  const int nOldMode = ::SetStretchBltMode(hdcImage, COLORONCOLOR);
  ::StretchBlt(hdcImage, 0, 0, cxDest, cyDest, hdcSrc, 0, 0, cxSrc, cySrc, SRCCOPY);
  ::SetStretchBltMode(hdcImage, nOldMode);
  // The mask: key pixels white.
  ::SetBkColor(hdcImage, clrKey);
  ::BitBlt(hdcMask, 0, 0, cxDest, cyDest, hdcImage, 0, 0, SRCCOPY);
  // The key blacked out in the copy.
  ::SetBkColor(hdcImage, RGB(0, 0, 0));
  ::SetTextColor(hdcImage, RGB(255, 255, 255));
  ::BitBlt(hdcImage, 0, 0, cxDest, cyDest, hdcMask, 0, 0, SRCAND);
  // The image area cut out of the target, then the two combined.
  const COLORREF clrOldBk = ::SetBkColor(hdcDest, RGB(255, 255, 255));
  const COLORREF clrOldText = ::SetTextColor(hdcDest, RGB(0, 0, 0));
  ::BitBlt(hdcDest, x, y, cxDest, cyDest, hdcMask, 0, 0, SRCAND);
  ::BitBlt(hdcDest, x, y, cxDest, cyDest, hdcImage, 0, 0, SRCPAINT);
  ::SetBkColor(hdcDest, clrOldBk);
  ::SetTextColor(hdcDest, clrOldText);
  ::SelectObject(hdcImage, hOldImage);
  ::SelectObject(hdcMask, hOldMask);
  ::DeleteObject(hbmImage);
  ::DeleteObject(hbmMask);
  ::DeleteDC(hdcImage);
  ::DeleteDC(hdcMask);
}

BOOL CUfxToolBarImages::Draw(CDC* pDC, int x, int y, int iImage, BOOL bHilite, BOOL bDisabled, BOOL bIndeterminate,
                             BOOL bShadow, BOOL bInactive) {
  if (iImage < 0 || iImage >= m_iCount || pDC == nullptr) return FALSE;
  if (bShadow && UfxGlobalData.m_nBitsPerPixel <= 8) return TRUE;
  if (m_sizeImageDest.cx <= 0 || s_hdcSource == nullptr) return FALSE;  // outside a draw sequence

  const int cx = m_sizeImage.cx, cy = m_sizeImage.cy;
  // Inactive images come from the light copy, all others from the strip itself.
  HGDIOBJ hbmLight = nullptr;
  if (m_bFadeInactive && !bInactive) hbmLight = ::SelectObject(s_hdcSource, m_hbmImageWell);

  const BOOL bScratch = m_hdcScratch != nullptr;
  const HDC hdcDest = bScratch ? m_hdcScratch : pDC->GetSafeHdc();
  const int xDest = bScratch ? 0 : x;
  const int yDest = bScratch ? 0 : y;
  if (bScratch) {
    RECT rect = {0, 0, cx + 2, cy + 2};
    if (m_clrTransparent != (COLORREF)-1 && m_clrTransparent != UfxGlobalData.clrBtnFace) {
      HBRUSH hbr = ::CreateSolidBrush(m_clrTransparent);
      ::FillRect(hdcDest, &rect, hbr);
      ::DeleteObject(hbr);
    } else {
      ::FillRect(hdcDest, &rect, (HBRUSH)UfxGlobalData.brBtnFace.GetSafeHandle());
    }
  }

  const BOOL bGrayed = bDisabled && !bShadow && m_nBitsPerPixel >= 24;
  const int xSrc = iImage * cx;
  if (!bShadow && (!bDisabled || bGrayed)) {
    ::BitBlt(hdcDest, xDest, yDest, cx, cy, s_hdcSource, xSrc, 0, SRCCOPY);
  }
  if (bGrayed) {
    CDC dcDest;
    dcDest.Attach(hdcDest);
    CUfxGdiEffects(dcDest).GrayRect(CRect(xDest, yDest, xDest + cx, yDest + cy), -1, BackgroundColor());
    dcDest.Detach();
  }

  const COLORREF clrOldText = ::SetTextColor(hdcDest, RGB(0, 0, 0));
  const COLORREF clrOldBk = ::SetBkColor(hdcDest, RGB(255, 255, 255));
  if ((bDisabled && !bGrayed) || bShadow) {
    // The shape of the image painted through its mask: a shadow in the shadow colour, a
    // disabled image in the button shadow over (when the look wants it) an embossed highlight.
    CreateMask(iImage, TRUE, FALSE);
    if (bShadow) {
      HBRUSH hbrShadow = ::CreateSolidBrush(m_clrImageShadow);
      HGDIOBJ hOldBrush = ::SelectObject(hdcDest, hbrShadow);
      ::BitBlt(hdcDest, xDest, yDest, cx, cy, s_hdcMask, 0, 0, kRopPSDPxax);
      ::SelectObject(hdcDest, hOldBrush);
      ::DeleteObject(hbrShadow);
    } else {
      HGDIOBJ hOldBrush = nullptr;
      if (CUfxVisualManager::GetInstance()->IsEmbossDisabledImage()) {
        hOldBrush = ::SelectObject(hdcDest, UfxGlobalData.hbrBtnHilite);
        ::BitBlt(hdcDest, xDest + 1, yDest + 1, cx, cy, s_hdcMask, 0, 0, kRopPSDPxax);
        ::SelectObject(hdcDest, UfxGlobalData.hbrBtnShadow);
      } else {
        hOldBrush = ::SelectObject(hdcDest, UfxGlobalData.hbrBtnShadow);
      }
      ::BitBlt(hdcDest, xDest, yDest, cx, cy, s_hdcMask, 0, 0, kRopPSDPxax);
      ::SelectObject(hdcDest, hOldBrush);
    }
  }
  if ((bHilite || bIndeterminate) && !m_bStretch) {
    // The light brush around the image.
    CreateMask(iImage, !bIndeterminate, bDisabled);
    HGDIOBJ hOldBrush = ::SelectObject(hdcDest, UfxGlobalData.brLight.GetSafeHandle());
    ::BitBlt(hdcDest, xDest, yDest, cx, cy, s_hdcMask, 0, 0, kRopDSPDxax);
    ::SelectObject(hdcDest, hOldBrush);
  }
  ::SetTextColor(hdcDest, clrOldText);
  ::SetBkColor(hdcDest, clrOldBk);

  if (bScratch) {
    // The emboss reaches one pixel beyond the image; stretched images keep their own size.
    const int cxOut = m_bStretch ? m_sizeImageDest.cx : cx + 1;
    const int cyOut = m_bStretch ? m_sizeImageDest.cy : cy + 1;
    TransparentBlt(pDC->GetSafeHdc(), x, y, cxOut, cyOut, m_hdcScratch, BackgroundColor());
  }
  if (hbmLight != nullptr) ::SelectObject(s_hdcSource, hbmLight);
  return TRUE;
}

// ---- clipboard ---------------------------------------------------------------------------------

BOOL CUfxToolBarImages::CopyImageToClipboard(int iImage) {
  if (iImage < 0 || iImage >= m_iCount) return FALSE;
  HBITMAP hbmCopy = nullptr;
  try {
    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdcMem = ::CreateCompatibleDC(hdcScreen);
    hbmCopy = ::CreateCompatibleBitmap(hdcScreen, m_sizeImage.cx, m_sizeImage.cy);
    ::ReleaseDC(nullptr, hdcScreen);
    if (hdcMem == nullptr || hbmCopy == nullptr) {
      if (hdcMem != nullptr) ::DeleteDC(hdcMem);
      AfxThrowResourceException();
    }
    HGDIOBJ hOld = ::SelectObject(hdcMem, hbmCopy);
    RECT rect = {0, 0, m_sizeImage.cx, m_sizeImage.cy};
    ::FillRect(hdcMem, &rect, (HBRUSH)UfxGlobalData.brBtnFace.GetSafeHandle());
    CDC dc;
    dc.Attach(hdcMem);
    CUfxDrawState ds;
    const BOOL bDrawn = PrepareDraw(ds) && Draw(&dc, 0, 0, iImage);
    EndDraw(ds);
    dc.Detach();
    ::SelectObject(hdcMem, hOld);
    ::DeleteDC(hdcMem);
    if (!bDrawn) AfxThrowResourceException();
  } catch (...) {
    if (hbmCopy != nullptr) ::DeleteObject(hbmCopy);
    AfxMessageBox(kIdsCopyFailed);
    return FALSE;
  }
  CWnd* pMainWnd = AfxGetMainWnd();
  if (!::OpenClipboard(pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr)) {
    ::DeleteObject(hbmCopy);
    AfxMessageBox(kIdsClipboardFailed);
    return FALSE;
  }
  const BOOL bSet = ::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, hbmCopy) != nullptr;
  ::CloseClipboard();
  if (!bSet) {
    ::DeleteObject(hbmCopy);
    AfxMessageBox(kIdsClipboardFailed);
    return FALSE;
  }
  return TRUE;  // the clipboard owns the bitmap now
}
