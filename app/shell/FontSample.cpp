#include "FontSample.h"

IMPLEMENT_DYNAMIC(CFontSample, CStatic)

BEGIN_MESSAGE_MAP(CFontSample, CStatic)
  ON_WM_PAINT()
END_MESSAGE_MAP()

void CFontSample::OnPaint() {
  Default();
  if (CWnd* pParent = GetParent()) pParent->SendMessage(WM_FONT_SAMPLE_PAINT, (WPARAM)m_hWnd);
}
