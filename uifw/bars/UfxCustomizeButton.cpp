#include "bars/UfxCustomizeButton.h"
#include "bars/UfxMenuGlyphs.h"
#include "bars/UfxToolBar.h"
#include "looks/UfxVisualManager.h"

IMPLEMENT_SERIAL(CCustomizeButton, CUfxToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

namespace {
const UINT kIdsToolbarCustomize = 16026;
}

CCustomizeButton::CCustomizeButton() = default;

CCustomizeButton::CCustomizeButton(int iCustomizeCmdId, const CString& strCustomizeText)
    : m_iCustomizeCmdId(iCustomizeCmdId), m_strCustomizeText(strCustomizeText) {}

CCustomizeButton::~CCustomizeButton() = default;

void CCustomizeButton::CopyFrom(const CUfxToolbarButton& src) {
  CUfxToolbarMenuButton::CopyFrom(src);
  const CCustomizeButton* pSrc = DYNAMIC_DOWNCAST(CCustomizeButton, const_cast<CUfxToolbarButton*>(&src));
  if (pSrc == nullptr) return;
  m_iCustomizeCmdId = pSrc->m_iCustomizeCmdId;
  m_strCustomizeText = pSrc->m_strCustomizeText;
  m_bIsEmpty = pSrc->m_bIsEmpty;
}

SIZE CCustomizeButton::OnCalculateSize(CDC*, const CSize& sizeDefault, BOOL bHorz) {
  if (m_bIsEmpty) return CSize(0, 0);
  if (m_strText.IsEmpty()) m_strText.LoadString(kIdsToolbarCustomize);
  if (m_pWndParentToolbar != nullptr && m_pWndParentToolbar->GetSafeHwnd() != nullptr &&
      m_pWndParentToolbar->IsFloating())
    return CSize(0, 0);
  const int nMargin = CUfxVisualManager::GetInstance()->GetToolbarCustomizeButtonMargin();
  const CSize sizeGlyph = CUfxMenuGlyphs::GetSize();
  return bHorz ? CSize(sizeGlyph.cx + 2 * nMargin, sizeDefault.cy) : CSize(sizeDefault.cx, sizeGlyph.cy + 2 * nMargin);
}

void CCustomizeButton::OnParentChanged(CWnd* pWndParent) {
  CUfxToolbarMenuButton::OnParentChanged(pWndParent);
  m_pWndParentToolbar = DYNAMIC_DOWNCAST(CUfxToolBar, pWndParent);
  m_bText = FALSE;
  m_bIsEmpty = FALSE;
}
