// CTasksPaneMenuButton: the drop-down button of a tasks pane's toolbar. Its menu is the pane's
// page menu, and the chosen page command goes to the pane.
#pragma once
#include "bars/UfxToolbarMenuButton.h"

class CUfxTasksPane;

class CTasksPaneMenuButton : public CUfxToolbarMenuButton {
  DECLARE_SERIAL(CTasksPaneMenuButton)
public:
  CTasksPaneMenuButton();

  void OnParentChanged(CWnd* pWndParent) override;
  HMENU ExportToMenu() const override;
  CUfxPopupMenu* CreatePopupMenu() override;

  CUfxTasksPane* GetTasksPane() const { return m_pParentTasksPane; }

protected:
  CUfxTasksPane* m_pParentTasksPane = nullptr;  // not owned
};
