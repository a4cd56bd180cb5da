// CTextEditorPage: the settings sheet's page of how a command panel's function comes into the
// worksheet: over the selection or inserted before it.
#pragma once
#include "looks/UfxPropertyPage.h"

class CTextEditorPage : public CUfxPropertyPage {
  DECLARE_DYNAMIC(CTextEditorPage)
public:
  CTextEditorPage();
  BOOL OnInitDialog() override;
  BOOL OnApply() override;

protected:
  afx_msg void OnModified();
  DECLARE_MESSAGE_MAP()
};
