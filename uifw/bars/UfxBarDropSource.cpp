#include "bars/UfxBarDropSource.h"

CUfxBarDropSource& CUfxBarDropSource::Shared() {
  static CUfxBarDropSource source;
  return source;
}

BOOL CUfxBarDropSource::OnBeginDrag(CWnd* pWnd) {
  if (!m_bCursorsLoaded) {
    const HINSTANCE hInst = AfxGetResourceHandle();
    m_hcurDelete = ::LoadCursorW(hInst, MAKEINTRESOURCEW(kNoDropCursor));
    m_hcurMove = ::LoadCursorW(hInst, MAKEINTRESOURCEW(kMoveCursor));
    m_hcurCopy = ::LoadCursorW(hInst, MAKEINTRESOURCEW(kCopyCursor));
    m_bCursorsLoaded = TRUE;
  }
  m_bEscapePressed = FALSE;
  m_bDragOutside = TRUE;
  m_bReleased = FALSE;
  return COleDropSource::OnBeginDrag(pWnd);
}

SCODE CUfxBarDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) {
  if (bEscapePressed) m_bEscapePressed = TRUE;
  const SCODE sc = COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
  if (sc == DRAGDROP_S_DROP || sc == DRAGDROP_S_CANCEL) m_bReleased = TRUE;
  return sc;
}

SCODE CUfxBarDropSource::GiveFeedback(DROPEFFECT dropEffect) {
  HCURSOR hcur = m_hcurDelete;
  if (!m_bDragOutside) {
    if (dropEffect & DROPEFFECT_COPY) hcur = m_hcurCopy;
    else if (dropEffect & DROPEFFECT_MOVE) hcur = m_hcurMove;
  }
  if (hcur == nullptr) return m_bDragStarted ? DRAGDROP_S_USEDEFAULTCURSORS : S_OK;
  ::SetCursor(hcur);
  return S_OK;
}
