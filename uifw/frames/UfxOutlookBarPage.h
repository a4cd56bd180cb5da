// CUfxOutlookBarPage: one page of an outlook bar: its id, its name on its page button, and the
// window it hosts instead of shortcut buttons (none for a page of buttons). The id and the name
// are stored with the bar; the hosted window is the application's and only hidden here.
#pragma once
#include "Framework.h"
#include "frames/UfxOutlookBarPageButton.h"

class CUfxOutlookBarPage : public CObject {
  DECLARE_SERIAL(CUfxOutlookBarPage)
public:
  CUfxOutlookBarPage();
  CUfxOutlookBarPage(int iId, LPCWSTR lpszName, HWND hwndHosted = nullptr);
  ~CUfxOutlookBarPage() override;

  void Serialize(CArchive& ar) override;
  // Takes id, name and hosted window; the page button stays this page's own.
  void CopyFrom(const CUfxOutlookBarPage& src);
  // The page button as a child of the bar with the page's name (command id: the page id).
  BOOL CreatePageButton(CWnd* pBar);

  // Fields, in this order.
  int m_iId = 0;
  CString m_strName;
  HWND m_hwndHosted = nullptr;
  CUfxOutlookBarPageButton m_btnPage;
  CRect m_rectButton;
};
