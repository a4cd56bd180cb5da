#include "UfxToolBar.h"

IMPLEMENT_DYNAMIC(CUfxToolBar, CControlBar)

CUfxToolBar::CUfxToolBar() = default;

CUfxToolBar::~CUfxToolBar() = default;
