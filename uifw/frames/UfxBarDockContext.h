// CUfxBarDockContext: the dock context of sizing bars. Dragging and toggling are the platform's;
// resizing a floating sizing bar asks the bar for its size at every mouse move, keeping the frame's
// opposite corner where it was.
#pragma once
#include "Framework.h"

class CUfxBarDockContext : public CDockContext {
public:
  explicit CUfxBarDockContext(CControlBar* pBar);
  ~CUfxBarDockContext() override;

  // Runs the resize loop from a border hit-test code and the screen point of the press.
  void StartResize(int nHitTest, CPoint pt) override;
  void Stretch(CPoint pt) override;
  // Whether the last resize was committed.
  BOOL m_bResizeCommitted = FALSE;
};
