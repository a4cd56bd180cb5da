#include "frames/UfxTasksPane.h"

#include "frames/UfxFramesResources.h"

IMPLEMENT_DYNAMIC(CUfxTasksPane, CUfxOutlookBar)

HMENU CUfxTasksPane::CreatePageMenu() const {
  if (m_iActivePageIndex < 0 || m_iActivePageIndex >= (int)m_arrPagesMenuPos.GetSize()) AfxThrowInvalidArgException();
  HMENU hMenu = ::CreatePopupMenu();
  if (hMenu == nullptr) return nullptr;
  // The page command is never hidden as rarely used.
  CUfxToolBar::AddCoreCommand(ID_UFX_TASKSPANE_PAGE);
  for (POSITION pos = m_lstTaskPages.GetHeadPosition(); pos != nullptr;)
    ::AppendMenuW(hMenu, MF_STRING, ID_UFX_TASKSPANE_PAGE, m_lstTaskPages.GetNext(pos));
  ::CheckMenuItem(hMenu, (UINT)m_arrPagesMenuPos[m_iActivePageIndex], MF_BYPOSITION | MF_CHECKED);
  return hMenu;
}
