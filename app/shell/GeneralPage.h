// CGeneralPage: the settings sheet's page of the window's behaviour: the notification area, the
// start, always on top.
#pragma once
#include "looks/UfxPropertyPage.h"

class CGeneralPage : public CUfxPropertyPage {
  DECLARE_DYNAMIC(CGeneralPage)
public:
  CGeneralPage();

  BOOL m_bMinToTray = FALSE;
  BOOL m_bCloseToTray = FALSE;
  BOOL m_bStartHidden = FALSE;  // the negation of "show at start-up"
  BOOL m_bAlwaysOnTop = FALSE;

  BOOL OnInitDialog() override;
  BOOL OnApply() override;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnMinToTray();
  afx_msg void OnModified();
  // The options that need the tray follow "minimize to tray".
  void EnableTrayOptions();
  DECLARE_MESSAGE_MAP()
};
