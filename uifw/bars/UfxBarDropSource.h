// CUfxBarDropSource: the one drag source of all toolbars. It knows whether the drag is over a bar
// (a drop elsewhere deletes the dragged button), whether Esc ended it, and shows the move, copy
// and no-drop cursors of the resource library.
#pragma once
#include "Framework.h"
#include "FwOleDragDrop.h"

class CUfxBarDropSource : public COleDropSource {
public:
  CUfxBarDropSource() = default;

  BOOL OnBeginDrag(CWnd* pWnd) override;
  SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override;
  SCODE GiveFeedback(DROPEFFECT dropEffect) override;

  // The source every bar drags with.
  static CUfxBarDropSource& Shared();

  // Resource ids of the cursors.
  static const UINT kNoDropCursor = 16133;
  static const UINT kMoveCursor = 16146;
  static const UINT kCopyCursor = 16004;

  // Fields, in this order (after the base's drag-started flag).
  BOOL m_bDragOutside = TRUE;
  BOOL m_bEscapePressed = FALSE;
  // The button was let go (or the drag cancelled): where it was then no longer changes, even
  // though the bar under it is told that the drag left.
  BOOL m_bReleased = FALSE;
  HCURSOR m_hcurDelete = nullptr;
  HCURSOR m_hcurMove = nullptr;
  HCURSOR m_hcurCopy = nullptr;

protected:
  BOOL m_bCursorsLoaded = FALSE;
};
