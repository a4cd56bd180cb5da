#include "frames/UfxOleIPFrameWnd.h"

IMPLEMENT_DYNCREATE(CUfxOleIPFrameWnd, COleIPFrameWnd)
