// CFrameSplitterWnd: the main frame's splitter between the expression and the results pane.
// Its bars are filled with the bar-face colour of the current look.
#pragma once

#include "Framework.h"

class CFrameSplitterWnd : public CSplitterWnd {
  DECLARE_DYNAMIC(CFrameSplitterWnd)
public:
  CFrameSplitterWnd() = default;

protected:
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()
};
