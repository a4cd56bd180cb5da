// CUfxToolbarSystemMenuButton: the icon at the left of the menu bar that stands for a maximized
// MDI child's system menu; it opens that menu and closes the child on a double click.
#pragma once
#include "bars/UfxToolbarMenuButton.h"

class CUfxToolbarSystemMenuButton : public CUfxToolbarMenuButton {
  DECLARE_SERIAL(CUfxToolbarSystemMenuButton)
public:
  CUfxToolbarSystemMenuButton();
  CUfxToolbarSystemMenuButton(HMENU hSystemMenu, HICON hSystemIcon);
  ~CUfxToolbarSystemMenuButton() override;

  void Serialize(CArchive& ar) override {}
  void CopyFrom(const CUfxToolbarButton& src) override;
  void OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz = TRUE,
              BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
              BOOL bGrayDisabledButtons = TRUE) override;
  SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
  void OnDblClick(CWnd* pWnd) override;
  BOOL CanBeStored() const override { return FALSE; }
  void OnCancelMode() override;
  void CreateFromMenu(HMENU hMenu) override;
  HMENU ExportToMenu() const override;

  HMENU GetSysMenu() const { return m_hSysMenu; }
  HICON GetIcon() const { return m_hSysMenuIcon; }

  HICON m_hSysMenuIcon = nullptr;  // not owned
  HMENU m_hSysMenu = nullptr;      // not owned
};
