// CPropertySheet and CPropertyPage over the common property sheet: modal with the framework's
// own loop, modeless (without the button row), or as a child window inside another dialog.
#pragma once
#include "FwDialog.h"
#include <prsht.h>
#include <vector>

#ifndef ID_APPLY_NOW
#define ID_APPLY_NOW 0x3021   // 12321: the sheet's Apply button
#endif
#ifndef ID_WIZBACK
#define ID_WIZBACK   0x3023
#define ID_WIZNEXT   0x3024
#define ID_WIZFINISH 0x3025
#endif

class CTabCtrl;
class CPropertySheet;

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
public:
  CPropertyPage();
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  explicit CPropertyPage(LPCWSTR lpszTemplateName, UINT nIDCaption = 0);

  // First activation only clears the first-activation flag (OnInitDialog showed the data);
  // later ones show the data again.
  virtual BOOL OnSetActive();
  // Reads the controls; FALSE keeps the page.
  virtual BOOL OnKillActive();
  // Applies the page (OK or Apply): calls OnOK and answers TRUE.
  virtual BOOL OnApply();
  virtual void OnReset() { OnCancel(); }
  virtual BOOL OnQueryCancel() { return TRUE; }
  void OnOK() override {}
  void OnCancel() override {}
  // Tells the sheet the page has changes (enables Apply); only a modified page is applied.
  void SetModified(BOOL bChanged = TRUE);
  BOOL IsModified() const { return m_bModified; }
  CPropertySheet* GetSheet() const { return m_pSheet; }
  void CancelToClose();

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  PROPSHEETPAGEW m_psp;
  CString m_strCaption;
  BOOL m_bFirstSetActive = TRUE;
protected:
  void CommonConstruct(LPCWSTR lpszTemplateName, UINT nIDCaption);
  // Fills m_psp for the sheet (template, title, the page's own dialog procedure).
  void PreProcessPageTemplate();
  BOOL m_bModified = FALSE;
  CPropertySheet* m_pSheet = nullptr;
  friend class CPropertySheet;
  friend INT_PTR CALLBACK AfxPropPageProc(HWND, UINT, WPARAM, LPARAM);
};

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)
public:
  CPropertySheet();
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  explicit CPropertySheet(LPCWSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  ~CPropertySheet() override;

  void AddPage(CPropertyPage* pPage);
  void RemovePage(CPropertyPage* pPage);
  void RemovePage(int nPage);
  int GetPageCount() const { return (int)m_pages.size(); }
  CPropertyPage* GetPage(int nPage) const;
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const;
  int GetPageIndex(CPropertyPage* pPage) const;
  BOOL SetActivePage(int nPage);
  BOOL SetActivePage(CPropertyPage* pPage);
  CTabCtrl* GetTabControl() const;
  void EnableStackedTabs(BOOL bStacked) { m_bStacked = bStacked; }
  void SetTitle(LPCWSTR lpszText, UINT nStyle = 0);
  BOOL PressButton(int nButton) { return (BOOL)SendMessage(PSM_PRESSBUTTON, (WPARAM)nButton); }

  // Modal: the framework's loop (pre-translation through page and controls, WM_KICKIDLE);
  // answers IDOK or IDCANCEL.
  virtual INT_PTR DoModal();
  // Modeless, or a child window when dwStyle holds WS_CHILD; either way without the button row.
  virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
  void EndDialog(int nEndID);
  virtual BOOL OnInitDialog();

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL ContinueModal() override;
  void PostNcDestroy() override {}

  afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);
  afx_msg void OnDestroy();
  afx_msg void OnClose();

  PROPSHEETHEADERW m_psh;
  CWnd* m_pParentWnd = nullptr;
  CString m_strCaption;
  BOOL m_bStacked = TRUE;
  BOOL m_bModeless = FALSE;
protected:
  void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
  // Builds the page array and creates the sheet window (modeless, style applied before creation).
  BOOL BuildAndCreate(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle);
  // A modeless sheet has no OK, Cancel, Apply or Help: hides them and gives their row back.
  void HideButtonRow();
  HPROPSHEETPAGE CreatePageHandle(CPropertyPage* pPage);
  std::vector<CPropertyPage*> m_pages;
  std::vector<HPROPSHEETPAGE> m_handles;
  BOOL m_bModalEnded = FALSE;
  friend class CPropertyPage;  // an applying page records OK as the answer
  DECLARE_MESSAGE_MAP()
};
