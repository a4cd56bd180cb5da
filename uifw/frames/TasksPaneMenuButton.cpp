#include "frames/TasksPaneMenuButton.h"

#include "bars/UfxPopupMenu.h"
#include "frames/UfxTasksPane.h"

IMPLEMENT_SERIAL(CTasksPaneMenuButton, CUfxToolbarMenuButton, 1)

CTasksPaneMenuButton::CTasksPaneMenuButton() : CUfxToolbarMenuButton((UINT)-1, nullptr, -1, nullptr, FALSE) {}

void CTasksPaneMenuButton::OnParentChanged(CWnd* pWndParent) {
  CUfxToolbarMenuButton::OnParentChanged(pWndParent);
  // The button sits on the pane's toolbar, a child of the pane.
  m_pParentTasksPane = DYNAMIC_DOWNCAST(CUfxTasksPane, pWndParent);
  if (m_pParentTasksPane == nullptr && pWndParent != nullptr && pWndParent->GetSafeHwnd() != nullptr)
    m_pParentTasksPane = DYNAMIC_DOWNCAST(CUfxTasksPane, pWndParent->GetParent());
}

HMENU CTasksPaneMenuButton::ExportToMenu() const {
  return m_pParentTasksPane != nullptr ? m_pParentTasksPane->CreatePageMenu() : nullptr;
}

CUfxPopupMenu* CTasksPaneMenuButton::CreatePopupMenu() {
  CUfxPopupMenu* pPopup = CUfxToolbarMenuButton::CreatePopupMenu();
  if (pPopup != nullptr && m_pParentTasksPane != nullptr) pPopup->SetMessageWnd(m_pParentTasksPane);
  return pPopup;
}
