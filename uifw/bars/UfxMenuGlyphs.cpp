#include "UfxMenuGlyphs.h"
#include "UfxToolBarImages.h"

BOOL CUfxMenuGlyphs::s_bInitialized = FALSE;

CUfxToolBarImages& CUfxMenuGlyphs::Images() {
  static CUfxToolBarImages images;
  return images;
}
BOOL CUfxMenuGlyphs::Initialize() { return FALSE; }
CSize CUfxMenuGlyphs::GetSize() { return CSize(9, 9); }
BOOL CUfxMenuGlyphs::Draw(CDC*, int, const CPoint&, const CSize&) { return FALSE; }
void CUfxMenuGlyphs::CleanUp() {}
