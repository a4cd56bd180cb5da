// CUfxDialogBar: a sizing bar that hosts the controls of a dialog template. Unless it is made
// resizable it keeps the template's size, like a fixed dialog bar; its controls update at idle
// time through the frame's command route.
#pragma once
#include "frames/UfxSizingControlBar.h"

class CUfxDialogBar : public CUfxSizingControlBar {
  DECLARE_SERIAL(CUfxDialogBar)
public:
  CUfxDialogBar();
  ~CUfxDialogBar() override;

  // Creates the bar from the dialog template (a child template) with the bar's window text and
  // control id; the template's size is the bar's size.
  BOOL Create(LPCWSTR lpszWindowName, CWnd* pParentWnd, BOOL bHasGripper, LPCWSTR lpszTemplateName, UINT nStyle,
              UINT nID);
  BOOL Create(LPCWSTR lpszWindowName, CWnd* pParentWnd, BOOL bHasGripper, UINT nIDTemplate, UINT nStyle, UINT nID) {
    return Create(lpszWindowName, pParentWnd, bHasGripper, MAKEINTRESOURCEW(nIDTemplate), nStyle, nID);
  }
  using CUfxSizingControlBar::Create;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  BOOL SetOccDialogInfo(struct _AFX_OCC_DIALOG_INFO* pOccDialogInfo) override;
  BOOL ClipNcPaintToUpdateRegion() const override { return FALSE; }

  // Fields, as the bar's layout has them.
  CSize m_sizeDefault = CSize(0, 0);  // the template's size
  BOOL m_bAllowSizing = FALSE;        // FALSE: the bar keeps its template size
  struct _AFX_OCC_DIALOG_INFO* m_pOccDialogInfo = nullptr;
  LPCWSTR m_lpszTemplateName = nullptr;

  afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);

protected:
  DECLARE_MESSAGE_MAP()
};
