#include "frames/UfxOutlookBarPage.h"

IMPLEMENT_SERIAL(CUfxOutlookBarPage, CObject, 1)

CUfxOutlookBarPage::CUfxOutlookBarPage() = default;

CUfxOutlookBarPage::CUfxOutlookBarPage(int iId, LPCWSTR lpszName, HWND hwndHosted)
    : m_iId(iId), m_strName(lpszName != nullptr ? lpszName : L""), m_hwndHosted(hwndHosted) {}

CUfxOutlookBarPage::~CUfxOutlookBarPage() {
  if (m_btnPage.GetSafeHwnd() != nullptr) m_btnPage.DestroyWindow();
  if (m_hwndHosted != nullptr && ::IsWindow(m_hwndHosted)) ::ShowWindow(m_hwndHosted, SW_HIDE);
}

void CUfxOutlookBarPage::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << (DWORD)m_iId << m_strName;
    return;
  }
  DWORD dwId = 0;
  ar >> dwId >> m_strName;
  m_iId = (int)dwId;
}

void CUfxOutlookBarPage::CopyFrom(const CUfxOutlookBarPage& src) {
  m_iId = src.m_iId;
  m_strName = src.m_strName;
  m_hwndHosted = src.m_hwndHosted;
}

BOOL CUfxOutlookBarPage::CreatePageButton(CWnd* pBar) {
  if (m_btnPage.GetSafeHwnd() != nullptr) return TRUE;
  return m_btnPage.Create(m_strName, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 0, 0), pBar, (UINT)m_iId);
}
