#include "UfxToolbarSystemMenuButton.h"

IMPLEMENT_SERIAL(CUfxToolbarSystemMenuButton, CUfxToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

CUfxToolbarSystemMenuButton::CUfxToolbarSystemMenuButton() = default;
CUfxToolbarSystemMenuButton::CUfxToolbarSystemMenuButton(HMENU hSystemMenu, HICON hSystemIcon)
    : CUfxToolbarMenuButton(0, hSystemMenu, -1), m_hSysMenuIcon(hSystemIcon), m_hSysMenu(hSystemMenu) {}
CUfxToolbarSystemMenuButton::~CUfxToolbarSystemMenuButton() = default;
void CUfxToolbarSystemMenuButton::CopyFrom(const CUfxToolbarButton& src) { CUfxToolbarMenuButton::CopyFrom(src); }
void CUfxToolbarSystemMenuButton::OnDraw(CDC*, const CRect&, CUfxToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL) {}
SIZE CUfxToolbarSystemMenuButton::OnCalculateSize(CDC*, const CSize& sizeDefault, BOOL) {
  return CSize(::GetSystemMetrics(SM_CXSMICON), sizeDefault.cy);
}
void CUfxToolbarSystemMenuButton::OnDblClick(CWnd*) {}
void CUfxToolbarSystemMenuButton::OnCancelMode() {}
void CUfxToolbarSystemMenuButton::CreateFromMenu(HMENU hMenu) { m_hSysMenu = hMenu; }
HMENU CUfxToolbarSystemMenuButton::ExportToMenu() const { return CUfxToolbarMenuButton::ExportToMenu(); }
