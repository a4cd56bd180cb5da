#include "FrameCaptionBar.h"

IMPLEMENT_DYNAMIC(CFrameCaptionBar, CUfxCaptionBar)
