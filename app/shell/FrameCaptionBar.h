// CFrameCaptionBar: the main frame's caption bar.
#pragma once

#include "frames/UfxCaptionBar.h"

class CFrameCaptionBar : public CUfxCaptionBar {
  DECLARE_DYNAMIC(CFrameCaptionBar)
public:
  CFrameCaptionBar() = default;
};
