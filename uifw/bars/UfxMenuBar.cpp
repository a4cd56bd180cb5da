#include "UfxMenuBar.h"

IMPLEMENT_DYNAMIC(CUfxMenuBar, CUfxToolBar)

CUfxMenuBar::CUfxMenuBar() = default;

CUfxMenuBar::~CUfxMenuBar() = default;
