// CUfxToolbarCustomize: the modeless sheet in which the user customizes toolbars, menus, keys and
// tools. While it is open every toolbar is in customize mode and the bars tell it when one of them
// is shown or hidden. This holds what the bars need of it; the pages and the command model come
// with the customization pages.
#pragma once
#include "Framework.h"
#include "FwPropSheet.h"

class CUfxToolBar;

class CUfxToolbarCustomize : public CPropertySheet {
  DECLARE_DYNAMIC(CUfxToolbarCustomize)
public:
  CUfxToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus = FALSE, UINT uiFlags = 15,
                       CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages = nullptr);
  ~CUfxToolbarCustomize() override;

  // A toolbar was shown or hidden while the sheet is open: its check in the toolbars page.
  virtual void ShowToolBar(CUfxToolBar* pToolBar, BOOL bShow);
  // Puts the frame and every toolbar in customize mode, or takes them out of it.
  void SetFrameCustomizeMode(BOOL bCustomize);

  CFrameWnd* GetParentFrame() const { return m_pParentFrame; }
  UINT GetFlags() const { return m_uiFlags; }

protected:
  CFrameWnd* m_pParentFrame = nullptr;
  BOOL m_bAutoSetFromMenus = FALSE;
  UINT m_uiFlags = 0;
};
