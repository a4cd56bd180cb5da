// CUfxPopupMenuHost: what a framework frame answers when one of its popup menus opens and
// closes. The single-document, MDI and in-place frames are hosts; the popup menus find theirs
// through their top-level frame.
#pragma once

class CUfxPopupMenu;
class CWnd;

class CUfxPopupMenuHost {
public:
  // A popup menu opens (null: the open chain closed). FALSE refuses it and it closes.
  virtual BOOL ShowPopupMenu(CUfxPopupMenu* pMenuPopup) = 0;
  virtual void OnClosePopupMenu(CUfxPopupMenu* pMenuPopup) = 0;
  // The host that a frame window is, or null.
  static CUfxPopupMenuHost* FromFrame(CWnd* pFrame);

protected:
  ~CUfxPopupMenuHost() = default;
};
