// CDockBar: the strip along one side of a frame (or inside a floating frame) that holds docked
// bars in rows. m_arrBars lists them: entry 0 is null, a null entry ends a row, and a small
// integer (a bar's control id) keeps the place of a hidden bar that was docked there.
#pragma once
#include "FwControlBar.h"

class CDockBar : public CControlBar {
  DECLARE_DYNAMIC(CDockBar)
public:
  explicit CDockBar(BOOL bFloating = FALSE);
  ~CDockBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

  // Docks pBar at the row and place lpRect (screen coordinates) points to; null: the end.
  void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
  // Puts pBar back where its place holder is (lpRect when it has none).
  void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
  // Takes pBar out; nAddPlaceHolder 1 leaves its id in its place, -1 removes that id, 0 neither.
  BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
  void RemovePlaceHolder(CControlBar* pBar);
  // Takes pBar's entry out and nothing more (no place holder, no relayout, no frame ending).
  void ForgetBar(CControlBar* pBar);
  // Rebuilds the rows from stored ids (a saved layout): unknown ids, dock bars and repeats are
  // skipped; bars docked here that the layout does not name stay, on rows of their own.
  void SetDockedBarIDs(const CPtrArray& arrBarID, CFrameWnd* pFrameWnd);
  void GetDockedBarIDs(CPtrArray& arrBarID) const;
  int GetDockedCount() const;
  int GetDockedVisibleCount() const;
  // The bar at nPos, or null for a row end or a place holder.
  CControlBar* GetDockedControlBar(int nPos) const;
  int FindBar(CControlBar* pBar, int nPosExclude = -1);
  void ShowAll(BOOL bShow);

  BOOL IsDockBar() const override { return TRUE; }
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void DoPaint(CDC* pDC) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  CPtrArray m_arrBars;
  BOOL m_bFloating;
  BOOL m_bLayoutQuery = FALSE;
  CRect m_rectLayout;

  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

protected:
  // The entry index a bar at rect belongs to (and whether it starts a new row).
  int Insert(CControlBar* pBar, CRect rect, CPoint ptMid);
  // Reparents pBar into this dock bar (moving it out of its old one).
  void AttachBar(CControlBar* pBar);
  DECLARE_MESSAGE_MAP()
};

// True when an m_arrBars entry holds a place holder (a control id), not a bar or a row end.
inline bool AfxIsPlaceHolder(void* p) { return p != nullptr && (UINT_PTR)p <= 0xFFFF; }
