#include "UfxToolBar.h"

IMPLEMENT_DYNAMIC(CUfxToolBar, CControlBar)

BOOL CUfxToolBar::s_bCustomizeMode = FALSE;

CUfxToolBar::CUfxToolBar() = default;

CUfxToolBar::~CUfxToolBar() = default;
