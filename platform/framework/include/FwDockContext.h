// CDockContext: the drag and resize loops of a dockable bar. A drag shows an outline that
// snaps to the frame's dock bars (horizontal or vertical) or floats (Ctrl keeps it floating);
// a resize of a floating dynamic bar asks the bar for its size at every step.
#pragma once
#include "FwControlBar.h"

class CDockContext {
public:
  explicit CDockContext(CControlBar* pBar);
  virtual ~CDockContext();

  virtual void StartDrag(CPoint pt);
  virtual void Move(CPoint pt);
  virtual void EndDrag();
  virtual void OnKey(int nChar, BOOL bDown);
  virtual void StartResize(int nHitTest, CPoint pt);
  virtual void Stretch(CPoint pt);
  virtual void EndResize();
  virtual void ToggleDocking();
  virtual void InitLoop();
  virtual void CancelLoop();
  virtual void DrawFocusRect(BOOL bRemoveRect = FALSE);
  void UpdateState(BOOL* pFlag, BOOL bNewValue);
  // The dock bar under the outline (null: floating) and the style it takes.
  DWORD CanDock();
  CDockBar* GetDockBar(DWORD dwOverDockStyle);
  BOOL Track();

protected:
  // The start of a drag or resize loop; returns the bar's rectangle on the screen.
  CRect BeginLoop(BOOL bDragging, CPoint pt);
  // The border a resize hit-test code moves.
  static bool HitsLeft(int nHitTest);
  static bool HitsTop(int nHitTest);
  // Moves the dragged edges of the asked rectangle by the mouse and returns the size the bar takes.
  CSize StretchedSize(CPoint pt);
  // Sizes the floating frame around the bar size, the corner named staying, unless the frame would
  // leave the desktop; then redraws the outline.
  void PlaceStretchedFrame(CSize size, bool bKeepRight, bool bKeepBottom, CPoint pt);

public:
  CPoint m_ptLast;
  CRect m_rectLast;
  CSize m_sizeLast;
  BOOL m_bDitherLast = FALSE;
  CRect m_rectDragHorz, m_rectDragVert;
  CRect m_rectFrameDragHorz, m_rectFrameDragVert;
  CControlBar* m_pBar;
  CFrameWnd* m_pDockSite;
  DWORD m_dwDockStyle = 0;
  DWORD m_dwOverDockStyle = 0;
  DWORD m_dwStyle = 0;
  BOOL m_bFlip = FALSE;
  BOOL m_bForceFrame = FALSE;
  CDC* m_pDC = nullptr;
  BOOL m_bDragging = FALSE;
  int m_nHitTest = 0;
  UINT m_uMRUDockID = 0;
  CRect m_rectMRUDockPos;
  DWORD m_dwMRUFloatStyle = 0;
  CPoint m_ptMRUFloatPos;
  CPoint m_ptOrigin;  // where the drag started (screen)
  BOOL m_bTracking = FALSE;
};
