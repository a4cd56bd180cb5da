// In-place frames of an OLE server: the frame bases an application's in-place frames derive
// from. This layer hosts no OLE containers, so no item is ever active in place.
#pragma once
#include "FwFrame.h"

class COleClientItem;

class COleIPFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(COleIPFrameWnd)
public:
  COleIPFrameWnd();
  // Bars for the container's frame and document window; TRUE when there were none to make.
  virtual BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc);
  // Puts the frame at lpPosRect, showing only what lies inside lpClipRect.
  virtual void RepositionFrame(LPCRECT lpPosRect, LPCRECT lpClipRect);

  BOOL m_bUIActive = FALSE;
  CRect m_rectPos;
  CRect m_rectClip;
};

class COleDocIPFrameWnd : public COleIPFrameWnd {
  DECLARE_DYNCREATE(COleDocIPFrameWnd)
public:
  COleDocIPFrameWnd();
};

// The OLE item active in place in pWnd's document: none, as no container exists here.
COleClientItem* AfxGetInPlaceActiveItem(CWnd* pWnd);
