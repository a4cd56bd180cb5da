// CUfxMiniDockFrameWnd: the floating frame of the framework's bars. A small tool window that keeps
// its caption on the work area, hands drags and border resizes to its bar's dock context, and can
// roll itself up to its caption, by its roll-up button or on its own when the mouse leaves it. It
// also carries the loop that moves a freshly torn-off menu with the mouse.
#pragma once
#include "Framework.h"

class CUfxPopupMenu;
class CUfxSizingControlBar;

class CUfxMiniDockFrameWnd : public CMiniDockFrameWnd {
  DECLARE_DYNCREATE(CUfxMiniDockFrameWnd)
public:
  CUfxMiniDockFrameWnd();
  ~CUfxMiniDockFrameWnd() override;

  BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
  using CMiniDockFrameWnd::Create;

  // Moves this frame (holding a freshly torn-off bar) with the mouse until the button is released;
  // TRUE when the bar was dropped, FALSE when the tear-off was cancelled (the bar is then gone).
  BOOL StartTearOff(CUfxPopupMenu* pMenuPopup);

  // The first bar docked in the frame, when it is a sizing bar.
  CUfxSizingControlBar* GetSizingBar() const;
  CControlBar* GetFirstBar() const;
  CRect GetRollUpButtonRect() const { return m_rectRollUp; }

  // Fields, as the frame's layout has them.
  int m_nRollUpMode = 0;
  BOOL m_bRolled = FALSE;
  CRect m_rectRollUp;      // window coordinates
  CRect m_rectRolledFrame;  // screen; left = right = -1 until measured
  int m_nLeaveCountdown = 0;

  // Ticks of the roll-up timer and how many of them outside the frame roll it up.
  static const UINT kRollUpTimerPeriod = 250;
  static const int kLeaveTicks = 6;

  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcPaint();
  afx_msg BOOL OnNcActivate(BOOL bActive);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
  afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnClose();

protected:
  // Takes the bar's roll-up mode and rolled flag.
  void CopyRollUpState();
  void DrawRollUpButton();
  void ClickRollUpButton();
  // Whether the cursor is over the frame or one of its children, the focus inside it.
  BOOL IsCursorInside() const;
  BOOL IsFocusInside() const;
  static BOOL IsPopupMenuActive();

  static BOOL s_bMovingOnScreen;  // the caption-on-screen correction is moving a frame
  DECLARE_MESSAGE_MAP()
};
