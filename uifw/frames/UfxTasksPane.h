// CUfxTasksPane: an outlook bar whose pages are chosen from a drop-down menu on a small toolbar
// at its top. Here it keeps the names of its pages, where each page stands in the menu and which
// one is active, and builds the page menu; the pane's pages themselves are the application's.
#pragma once
#include "frames/UfxOutlookBar.h"

class CUfxTasksPane : public CUfxOutlookBar {
  DECLARE_DYNAMIC(CUfxTasksPane)
public:
  // A new popup menu (the caller owns it): one item of command 17020 per page, the active page's
  // item checked. An active index outside the position array is an invalid argument.
  HMENU CreatePageMenu() const;

protected:
  // Fields, in this order.
  CStringList m_lstTaskPages;            // the pages' names, in page order
  CArray<int, int> m_arrPagesMenuPos;    // page index -> position in the page menu
  int m_iActivePageIndex = 0;
};
