#include "UfxToolbarMenuButton.h"
#include "UfxPopupMenu.h"

IMPLEMENT_SERIAL(CUfxToolbarMenuButton, CUfxToolbarButton, VERSIONABLE_SCHEMA | 1)

CUfxToolbarMenuButton::CUfxToolbarMenuButton() = default;
CUfxToolbarMenuButton::CUfxToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCWSTR lpszText, BOOL bUserButton)
    : CUfxToolbarButton(uiID, iImage, lpszText, bUserButton) {
  CreateFromMenu(hMenu);
}
CUfxToolbarMenuButton::~CUfxToolbarMenuButton() { RemoveAllSubItems(); }
void CUfxToolbarMenuButton::Serialize(CArchive& ar) { CUfxToolbarButton::Serialize(ar); }
void CUfxToolbarMenuButton::CopyFrom(const CUfxToolbarButton& src) { CUfxToolbarButton::CopyFrom(src); }
void CUfxToolbarMenuButton::OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz,
                                   BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons) {
  CUfxToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder, bGrayDisabledButtons);
}
SIZE CUfxToolbarMenuButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
  return CUfxToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
}
BOOL CUfxToolbarMenuButton::OnClick(CWnd*, BOOL) { return FALSE; }
void CUfxToolbarMenuButton::OnParentChanged(CWnd* pWndParent) {
  CUfxToolbarButton::OnParentChanged(pWndParent);
  m_pWndParent = pWndParent;
}
void CUfxToolbarMenuButton::OnCancelMode() {}
int CUfxToolbarMenuButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) {
  return CUfxToolbarButton::OnDrawOnCustomizeList(pDC, rect, bSelected);
}
BOOL CUfxToolbarMenuButton::CloseSubMenus() { return TRUE; }
void CUfxToolbarMenuButton::CloseTopPopup() {}
void CUfxToolbarMenuButton::ResetImageToDefault() { CUfxToolbarButton::ResetImageToDefault(); }
BOOL CUfxToolbarMenuButton::CompareWith(const CUfxToolbarButton& other) const { return CUfxToolbarButton::CompareWith(other); }
void CUfxToolbarMenuButton::SetRadio() { m_bIsRadio = TRUE; }
BOOL CUfxToolbarMenuButton::OpenPopupMenu(CWnd*) { return FALSE; }
void CUfxToolbarMenuButton::CreateFromMenu(HMENU) {}
HMENU CUfxToolbarMenuButton::ExportToMenu() const { return nullptr; }
CUfxPopupMenu* CUfxToolbarMenuButton::CreatePopupMenu() { return new CUfxPopupMenu; }
void CUfxToolbarMenuButton::SetTearOffId(UINT uiBarID) { m_uiTearOffBarID = uiBarID; }
void CUfxToolbarMenuButton::DrawMenuItem(CDC*, const CRect&, CUfxToolBarImages*, BOOL, BOOL, BOOL) {}
void CUfxToolbarMenuButton::RemoveAllSubItems() {
  while (!m_listCommands.IsEmpty()) delete m_listCommands.RemoveHead();
}
void CUfxToolbarMenuButton::GetCheckAreaMetrics(int& iCheckColumnHalf, int& iGlyphWidth) {
  iCheckColumnHalf = 3;
  iGlyphWidth = 9;
}
void CUfxToolbarMenuButton::DrawOnBar(CDC*, const CRect&, CUfxToolBarImages*, BOOL, BOOL, BOOL, BOOL) {}
CRect CUfxToolbarMenuButton::ArrowRect(const CRect& rect, BOOL) const { return rect; }
BOOL CUfxToolbarMenuButton::IsSplitButton() const { return FALSE; }
CString CUfxToolbarMenuButton::ShortcutText() const { return CString(); }
void CUfxToolbarMenuButton::RedrawOnParent() {}
