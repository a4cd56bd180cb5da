// CUfxMDIChildWnd: a document frame inside a CUfxMDIFrameWnd. It keeps its MDI tab (when tabs
// are on) in step with its title and icon, and leaves keys alone while a popup menu is open.
#pragma once
#include "Framework.h"
#include "FwMDI.h"

class CUfxMDIFrameWnd;

class CUfxMDIChildWnd : public CMDIChildWnd {
  DECLARE_DYNCREATE(CUfxMDIChildWnd)
public:
  CUfxMDIChildWnd();

  BOOL PreTranslateMessage(MSG* pMsg) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;

  // What the child's tab shows: the window text and the small icon.
  virtual CString GetFrameText() const;
  virtual HICON GetFrameIcon() const;

  BOOL IsTabbedClosing() const { return m_bToBeDestroyed; }
  void SetTabbedClosing() { m_bToBeDestroyed = TRUE; }

protected:
  // The client's tabs follow this child.
  void UpdateClientTabs(BOOL bSetActive);

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetIcon(WPARAM wParam, LPARAM lParam);
  afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);

  // Fields, in this order.
  CUfxMDIFrameWnd* m_pMDIFrame = nullptr;
  BOOL m_bToBeDestroyed = FALSE;
  DECLARE_MESSAGE_MAP()
};
