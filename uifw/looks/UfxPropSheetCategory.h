// CUfxPropSheetCategory: a node of a property sheet's tree navigation: a name, the images it shows
// collapsed and expanded, its sub-categories (which it owns) and its pages (which it does not).
#pragma once
#include "Framework.h"

class CUfxPropertyPage;

class CUfxPropSheetCategory : public CObject {
  DECLARE_DYNAMIC(CUfxPropSheetCategory)
public:
  // A category under pParent (null: a top-level one, which the sheet keeps in its own list).
  CUfxPropSheetCategory(LPCWSTR lpszName, int nIcon, int nSelectedIcon, CUfxPropSheetCategory* pParent = nullptr);
  ~CUfxPropSheetCategory() override;

  // Puts the page into this category; the page points back to it.
  void AddPage(CUfxPropertyPage* pPage);

  CString m_strName;
  int m_nIcon = -1;          // shown collapsed
  int m_nSelectedIcon = -1;  // shown expanded
  CUfxPropSheetCategory* m_pParentCategory = nullptr;
  CList<CUfxPropSheetCategory*, CUfxPropSheetCategory*> m_lstSubCategories;
  CList<CUfxPropertyPage*, CUfxPropertyPage*> m_lstPages;
  HTREEITEM m_hTreeItem = nullptr;
};
