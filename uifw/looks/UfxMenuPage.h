// CUfxMenuPage: the customization page for menus: which menu the menu bar shows while the user
// edits it, a context menu opened for editing, resetting either to its resource, and the menus'
// animation and shadows.
#pragma once
#include "Framework.h"

class CUfxMenuBar;
class CUfxPopupMenu;

class CUfxMenuPage : public CPropertyPage {
  DECLARE_DYNCREATE(CUfxMenuPage)
public:
  explicit CUfxMenuPage(CFrameWnd* pParentFrame = nullptr, BOOL bAutoSet = FALSE);
  BOOL OnInitDialog() override;

  // The active document changed during customization: show its template's menu.
  BOOL SelectMenu(CDocTemplate* pTemplate, BOOL bSaveMenu = TRUE);
  // The editing popup closed by itself.
  void CloseContextMenu(CUfxPopupMenu* pMenu);
  CUfxPopupMenu* GetContextMenu() const { return m_pContextMenu; }
  static CPoint GetMenuPosition() { return CPoint(s_iMenuLastX, s_iMenuLastY); }

  CComboBox m_wndMenuAnimations;
  CButton m_wndMenuShadows;
  CComboBox m_wndContextMenus;
  CComboBox m_wndMenuesList;
  CStatic m_wndIcon;
  CString m_strMenuDescr;
  CString m_strContextMenuName;
  CString m_strMenuName;
  int m_iMenuAnimationType = 0;
  int m_bMenuShadows = 0;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnSelchangeMenuList();
  afx_msg void OnSelchangeContextMenuList();
  afx_msg void OnResetContextMenu();
  afx_msg void OnResetMenu();
  afx_msg void OnDestroy();
  // Closes the editing popup, keeping its place and its items.
  void CloseEditingPopup();
  // Stores what the menu bar shows before it shows another menu.
  void StoreShownMenu();
  void HideControl(int nId);
  void ResetTemplateMenu(CMultiDocTemplate* pTemplate);
  void ResetDefaultMenu();

  CUfxMenuBar* m_pMenuBar = nullptr;
  HMENU m_hmenuCurr = nullptr;
  HMENU m_hmenuSelected = nullptr;
  CUfxPopupMenu* m_pContextMenu = nullptr;
  UINT m_uiContextMenuResId = 0;
  BOOL m_bIsDefaultMDIMenu = FALSE;
  BOOL m_bAutoSet = FALSE;
  CFrameWnd* m_pParentFrame = nullptr;
  static int s_iMenuLastX;
  static int s_iMenuLastY;
  DECLARE_MESSAGE_MAP()
};
