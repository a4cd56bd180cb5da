// CReBar: a control bar over the rebar control; each band holds a bar or a window, and the
// rebar is as high as its rows of bands.
#pragma once
#include "FwControlBar.h"

class CReBar : public CControlBar {
  DECLARE_DYNAMIC(CReBar)
public:
  CReBar();
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                      DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                      UINT nID = AFX_IDW_REBAR);
  // A band for pBar (sized by its fixed layout) with an optional label and background.
  BOOL AddBar(CWnd* pBar, LPCWSTR pszText = nullptr, CBitmap* pbmp = nullptr,
              DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
  BOOL AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCWSTR pszText = nullptr,
              DWORD dwStyle = RBBS_GRIPPERALWAYS);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
protected:
  BOOL InsertBand(CWnd* pBar, REBARBANDINFOW* pRBBI);
  DECLARE_MESSAGE_MAP()
};
