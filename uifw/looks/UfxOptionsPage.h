// CUfxOptionsPage: the customization sheet's last page: tooltips, recently used menus, large
// icons, the 2000 look, and resetting the command-usage data.
#pragma once
#include "Framework.h"

class CUfxOptionsPage : public CPropertyPage {
  DECLARE_DYNCREATE(CUfxOptionsPage)
public:
  explicit CUfxOptionsPage(BOOL bIsMenuBarExist = TRUE);
  BOOL OnInitDialog() override;

  int m_bShowTooltips = 0;
  int m_bShowShortcutKeys = 0;
  int m_bRecentlyUsedMenus = 0;
  int m_bShowAllMenusDelay = 0;
  int m_bLargeIcons = 0;
  int m_bLook2000 = 0;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnShowTooltips();
  afx_msg void OnShowShortcutKeys();
  afx_msg void OnRecentlyUsedMenus();
  afx_msg void OnShowAllMenusDelay();
  afx_msg void OnLargeIcons();
  afx_msg void OnLook2000();
  afx_msg void OnResetUsageData();
  void HideAndDisable(int nId);
  BOOL m_bIsMenuBarExist = TRUE;
  DECLARE_MESSAGE_MAP()
};
