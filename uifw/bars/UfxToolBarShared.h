// The pieces that the toolbar's source files share: constants, button-list helpers, the bar
// font selection and the paint buffer.
#pragma once
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxGlobalData.h"

namespace ufx_toolbar {
const UINT kMaxLength = 32767;
const UINT kCustomizeFirst = 16910;
const UINT kCustomizeLast = 16918;

inline void CopyList(CList<UINT, UINT>& dest, const CList<UINT, UINT>& src) {
  dest.RemoveAll();
  for (POSITION pos = src.GetHeadPosition(); pos != nullptr;) dest.AddTail(src.GetNext(pos));
}

inline CSize Doubled(CSize size, BOOL bDouble) { return bDouble ? CSize(size.cx * 2, size.cy * 2) : size; }

inline CUfxToolbarButton* AsButton(CObject* pObject) { return static_cast<CUfxToolbarButton*>(pObject); }

inline BOOL IsSeparator(CObject* pObject) { return (AsButton(pObject)->m_nStyle & TBBS_SEPARATOR) != 0; }

inline CUfxToolbarButton* NewSeparator() {
  CUfxToolbarButton* pSeparator = new CUfxToolbarButton;
  pSeparator->m_nStyle = TBBS_SEPARATOR;
  return pSeparator;
}

// The bar's font selected into a DC for the life of the object.
class CBarFontSelector {
public:
  CBarFontSelector(CDC& dc, BOOL bHorz) : m_dc(dc) {
    CFont& font = bHorz ? UfxGlobalData.fontRegular : UfxGlobalData.fontVert;
    m_hOld = font.GetSafeHandle() != nullptr ? ::SelectObject(dc.GetSafeHdc(), font.GetSafeHandle()) : nullptr;
  }
  ~CBarFontSelector() {
    if (m_hOld != nullptr) ::SelectObject(m_dc.GetSafeHdc(), m_hOld);
  }
private:
  CDC& m_dc;
  HGDIOBJ m_hOld;
};

// The paint buffer: one memory DC and bitmap shared by all bars of the thread, grown as needed.
// Making them anew for every paint costs more than drawing a few buttons.
struct PaintBuffer {
  CDC dc;
  CBitmap bitmap;
  CBitmap* pOldBitmap = nullptr;
  CSize size{0, 0};

  CDC* Get(CDC* pDCPaint, CSize sizeNeeded) {
    if (dc.GetSafeHdc() == nullptr && !dc.CreateCompatibleDC(pDCPaint)) return nullptr;
    if (sizeNeeded.cx > size.cx || sizeNeeded.cy > size.cy) {
      if (pOldBitmap != nullptr) dc.SelectObject(pOldBitmap);
      bitmap.DeleteObject();
      const CSize sizeNew(sizeNeeded.cx > size.cx ? sizeNeeded.cx : size.cx,
                          sizeNeeded.cy > size.cy ? sizeNeeded.cy : size.cy);
      if (!bitmap.CreateCompatibleBitmap(pDCPaint, sizeNew.cx, sizeNew.cy)) {
        size = CSize(0, 0);
        pOldBitmap = nullptr;
        return nullptr;
      }
      size = sizeNew;
      pOldBitmap = dc.SelectObject(&bitmap);
    }
    return &dc;
  }
  void Free() {
    if (pOldBitmap != nullptr) dc.SelectObject(pOldBitmap);
    pOldBitmap = nullptr;
    bitmap.DeleteObject();
    dc.DeleteDC();
    size = CSize(0, 0);
  }
};
inline PaintBuffer& ThePaintBuffer() {
  static PaintBuffer buffer;
  return buffer;
}
}  // namespace ufx_toolbar
