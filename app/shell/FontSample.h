// CFontSample: the fonts page's preview. It paints as a static and then asks its parent (message
// WM_FONT_SAMPLE_PAINT, wParam its window) to paint the sample text over it.
#pragma once
#include "Framework.h"

#define WM_FONT_SAMPLE_PAINT 1124

class CFontSample : public CStatic {
  DECLARE_DYNAMIC(CFontSample)
public:
  CFontSample() = default;

protected:
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()
};
