// CUfxPathEdit: the in-place edit of an edit list. It may carry a browse button ("...") in its
// non-client area at the right end; a click on it asks the owning control to browse.
#pragma once
#include "Framework.h"

class CUfxEditListBase;

class CUfxPathEdit : public CEdit {
  DECLARE_DYNAMIC(CUfxPathEdit)
public:
  CUfxPathEdit();
  ~CUfxPathEdit() override;

  void SetOwner(CUfxEditListBase* pOwner) { m_pOwner = pOwner; }
  void EnableBrowseButton(BOOL bEnable = TRUE);
  // Later size changes and non-client recalculations by the list are ignored.
  void Freeze(BOOL bFreeze = TRUE) { m_bIsFrozen = bFreeze; }
  // The browse button in window coordinates (empty without one).
  CRect GetBrowseRectInWindow() const;

  BOOL m_bIsFrozen = FALSE;
  BOOL m_bBrowseButton = FALSE;
  CRect m_rectBtn;       // screen
  BOOL m_bIsButtonPressed = FALSE;
  BOOL m_bIsButtonCaptured = FALSE;
  CUfxEditListBase* m_pOwner = nullptr;

  static constexpr int kBrowseWidth = 20;

protected:
  void DrawBrowseButton();
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnCancelMode();
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  DECLARE_MESSAGE_MAP()
};
