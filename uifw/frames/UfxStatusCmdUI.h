// CUfxStatusCmdUI: updates one status-bar pane like a command (its index is the pane index):
// enabled panes show their text in the normal colour, checked ones pop out.
#pragma once
#include "Framework.h"

class CUfxStatusBar;

class CUfxStatusCmdUI : public CCmdUI {
public:
  explicit CUfxStatusCmdUI(CUfxStatusBar* pBar);
  void Enable(BOOL bOn = TRUE) override;
  void SetCheck(int nCheck = 1) override;
  void SetText(LPCWSTR lpszText) override;

protected:
  CUfxStatusBar* m_pBar;
};
