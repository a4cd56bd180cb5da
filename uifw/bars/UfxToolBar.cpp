#include "UfxToolBar.h"

IMPLEMENT_DYNAMIC(CUfxToolBar, CControlBar)

BOOL CUfxToolBar::s_bCustomizeMode = FALSE;
BOOL CUfxToolBar::s_bLargeIcons = FALSE;
CSize CUfxToolBar::s_sizeButton(23, 22);
CSize CUfxToolBar::s_sizeImage(16, 15);
CSize CUfxToolBar::s_sizeCurButton(23, 22);
CSize CUfxToolBar::s_sizeCurImage(16, 15);
CSize CUfxToolBar::s_sizeMenuImage(-1, -1);
CList<UINT, UINT> CUfxToolBar::s_lstForbiddenCommands;
CList<UINT, UINT> CUfxToolBar::s_lstCoreCommands;
CMap<UINT, UINT, int, int> CUfxToolBar::s_DefaultImages(10);
BOOL CUfxToolBar::s_bWrapLabels = TRUE;
int CUfxToolBar::s_nLabelGap = 2;

namespace {
void CopyList(CList<UINT, UINT>& dest, const CList<UINT, UINT>& src) {
  dest.RemoveAll();
  for (POSITION pos = src.GetHeadPosition(); pos != nullptr;) dest.AddTail(src.GetNext(pos));
}
}  // namespace

CUfxToolBar::CUfxToolBar() = default;

CUfxToolBar::~CUfxToolBar() = default;

void CUfxToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
  s_sizeButton = sizeButton;
  s_sizeImage = sizeImage;
  const int nScale = s_bLargeIcons ? 2 : 1;
  s_sizeCurButton = CSize(sizeButton.cx * nScale, sizeButton.cy * nScale);
  s_sizeCurImage = CSize(sizeImage.cx * nScale, sizeImage.cy * nScale);
}

CSize CUfxToolBar::GetMenuImageSize() {
  return s_sizeMenuImage.cx == -1 ? s_sizeCurImage : s_sizeMenuImage;
}

void CUfxToolBar::SetNonPermittedCommands(const CList<UINT, UINT>& lstCommands) {
  CopyList(s_lstForbiddenCommands, lstCommands);
}

void CUfxToolBar::AddCoreCommand(UINT uiCmd) {
  if (!IsCoreCommand(uiCmd)) s_lstCoreCommands.AddTail(uiCmd);
}

void CUfxToolBar::SetCoreCommands(const CList<UINT, UINT>& lstCommands) { CopyList(s_lstCoreCommands, lstCommands); }
