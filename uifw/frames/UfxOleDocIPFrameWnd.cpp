#include "frames/UfxOleDocIPFrameWnd.h"

IMPLEMENT_DYNCREATE(CUfxOleDocIPFrameWnd, COleDocIPFrameWnd)
