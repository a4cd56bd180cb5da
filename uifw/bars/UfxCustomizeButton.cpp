#include "bars/UfxCustomizeButton.h"
#include "bars/UfxMenuGlyphs.h"
#include "bars/UfxToolBar.h"
#include "looks/UfxVisualManager.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxToolbarComboBoxButton.h"

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

void CCustomizeButton::OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages*, BOOL bHorz, BOOL bCustomizeMode,
                              BOOL bHighlight, BOOL, BOOL) {
  if (m_bMenuMode) return;
  FillInterior(pDC, rect, bHighlight || IsDroppedDown());
  const int nMargin = CUfxVisualManager::GetInstance()->GetToolbarCustomizeButtonMargin();
  const CSize sizeGlyph = CUfxMenuGlyphs::GetSize();
  // The arrow at the far end (bottom, or left on a vertical bar); the chevron at the other.
  CRect rectArrow = rect;
  CRect rectChevron = rect;
  if (bHorz) {
    rectArrow.top = rect.bottom - (sizeGlyph.cy + 2 * nMargin);
    rectChevron.bottom = rect.top + sizeGlyph.cy + 2 * nMargin;
  } else {
    rectArrow.right = rect.left + sizeGlyph.cx + 2 * nMargin;
    rectChevron.left = rect.right - (sizeGlyph.cx + 2 * nMargin);
  }
  auto centred = [&](const CRect& r) {
    return CPoint(r.left + (r.Width() - sizeGlyph.cx) / 2, r.top + (r.Height() - sizeGlyph.cy) / 2);
  };
  if (m_iCustomizeCmdId > 0)
    CUfxMenuGlyphs::Draw(pDC, bHorz ? CUfxMenuGlyphs::IdArowDown : CUfxMenuGlyphs::IdArowRight, centred(rectArrow));
  if (!m_lstInvisibleButtons.IsEmpty())
    CUfxMenuGlyphs::Draw(pDC, bHorz ? CUfxMenuGlyphs::IdCustomizeArowDown : CUfxMenuGlyphs::IdMoreButtons,
                         centred(rectChevron));
  if (bCustomizeMode) return;
  CUfxVisualManager* pVisManager = CUfxVisualManager::GetInstance();
  if ((m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) || IsDroppedDown())
    pVisManager->OnDrawButtonBorder(pDC, this, rect, CUfxVisualManager::ButtonsIsPressed);
  else if (bHighlight && !(m_nStyle & (TBBS_CHECKED | TBBS_DISABLED | TBBS_INDETERMINATE)))
    pVisManager->OnDrawButtonBorder(pDC, this, rect, CUfxVisualManager::ButtonsIsHighlighted);
}

void CCustomizeButton::OnCancelMode() {
  CUfxToolbarMenuButton::OnCancelMode();
  if ((m_bOnRebar || m_bMenuRightAlign) && m_pWndParentToolbar != nullptr &&
      m_pWndParentToolbar->GetSafeHwnd() != nullptr)
    m_pWndParentToolbar->InvalidateRect(m_rect);
}

namespace {
// The part of the command's string resource after its first line feed.
CString CommandTooltip(UINT uiCmd) {
  CString strMessage;
  if (uiCmd == 0 || uiCmd == (UINT)-1 || !strMessage.LoadString(uiCmd)) return CString();
  const int iLineFeed = strMessage.Find(L'\n');
  return iLineFeed < 0 ? CString() : strMessage.Mid(iLineFeed + 1);
}
}  // namespace

CUfxPopupMenu* CCustomizeButton::CreatePopupMenu() {
  CUfxPopupMenu* pPopup = new CUfxPopupMenu;
  const BOOL bImages = m_pWndParentToolbar != nullptr && !m_pWndParentToolbar->IsLocked();
  BOOL bLastSeparator = TRUE;  // no separator at the start
  for (POSITION pos = m_lstInvisibleButtons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = static_cast<CUfxToolbarButton*>(m_lstInvisibleButtons.GetNext(pos));
    const BOOL bSeparator = (pButton->m_nStyle & TBBS_SEPARATOR) != 0 || pButton->m_nID == 0;
    if (bSeparator) {
      if (!bLastSeparator) pPopup->InsertSeparator();
      bLastSeparator = TRUE;
      continue;
    }
    CUfxToolbarMenuButton item;
    if (const CUfxToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pButton)) {
      item.CopyFrom(*pMenuButton);
    } else {
      item.m_nID = pButton->m_nID;
      item.m_bUserButton = pButton->m_bUserButton;
      if (bImages) item.SetImage(pButton->GetImage());
      item.m_strText = pButton->m_strText;
    }
    if (!bImages) {
      item.m_iImage = item.m_iUserImage = -1;
      item.m_bImage = FALSE;
    }
    if (item.m_strText.IsEmpty() || pButton->IsKindOf(RUNTIME_CLASS(CUfxToolbarComboBoxButton)))
      item.m_strText = CommandTooltip(pButton->m_nID);
    item.m_bText = TRUE;
    pPopup->InsertItem(item);
    bLastSeparator = FALSE;
  }
  if (m_iCustomizeCmdId > 0) {
    if (!m_lstInvisibleButtons.IsEmpty() && !bLastSeparator) pPopup->InsertSeparator();
    CUfxToolbarMenuButton item;
    item.m_nID = (UINT)m_iCustomizeCmdId;
    item.m_bImage = FALSE;
    item.m_strText = m_strCustomizeText;
    item.m_bText = TRUE;
    pPopup->InsertItem(item);
  }
  if (m_pWndParentToolbar != nullptr) {
    CWnd* pTarget = m_pWndParentToolbar->GetOwner();
    if (pTarget == nullptr) pTarget = m_pWndParentToolbar->GetParent();
    pPopup->SetMessageWnd(pTarget);
  }
  return pPopup;
}
