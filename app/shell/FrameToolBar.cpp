#include "FrameToolBar.h"

IMPLEMENT_DYNAMIC(CFrameToolBar, CUfxToolBar)
