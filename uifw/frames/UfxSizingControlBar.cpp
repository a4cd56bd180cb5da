#include "UfxSizingControlBar.h"

IMPLEMENT_DYNAMIC(CUfxSizingControlBar, CControlBar)

CUfxSizingControlBar::CUfxSizingControlBar() = default;

CUfxSizingControlBar::~CUfxSizingControlBar() = default;
