#include "looks/UfxPropSheetCategory.h"
#include "looks/UfxPropertyPage.h"

IMPLEMENT_DYNAMIC(CUfxPropSheetCategory, CObject)

CUfxPropSheetCategory::CUfxPropSheetCategory(LPCWSTR lpszName, int nIcon, int nSelectedIcon,
                                             CUfxPropSheetCategory* pParent)
    : m_strName(lpszName != nullptr ? lpszName : L""), m_nIcon(nIcon), m_nSelectedIcon(nSelectedIcon),
      m_pParentCategory(pParent) {
  if (pParent != nullptr) pParent->m_lstSubCategories.AddTail(this);
}

CUfxPropSheetCategory::~CUfxPropSheetCategory() {
  while (!m_lstSubCategories.IsEmpty()) delete m_lstSubCategories.RemoveHead();
  for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr;) {
    CUfxPropertyPage* pPage = m_lstPages.GetNext(pos);
    if (pPage->m_pCategory == this) pPage->m_pCategory = nullptr;
  }
}

void CUfxPropSheetCategory::AddPage(CUfxPropertyPage* pPage) {
  if (pPage == nullptr) return;
  m_lstPages.AddTail(pPage);
  pPage->m_pCategory = this;
}
