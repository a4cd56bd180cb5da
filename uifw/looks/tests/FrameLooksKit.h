// Shared by the looks' tests on real frames: a frame whose test commands are enabled, its menu,
// screen pixels and pictures, and the menu glyphs of the resource library.
#pragma once
#include "PngFile.h"
#include "frames/UfxFrameWnd.h"
#include "bars/UfxMenuGlyphs.h"
#include <string>

namespace looks_frame {

enum : UINT { ID_UNDO = 40001, ID_CUT, ID_COPY, ID_ABOUT, ID_ONE = 0xE100, ID_TWO, ID_THREE, ID_FOUR };

// Every test command, of the menus and of the toolbar, is enabled.
class CEnabledFrame : public CUfxFrameWnd {
public:
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
    if (nCode == CN_UPDATE_COMMAND_UI && pExtra != nullptr &&
        ((nID >= ID_UNDO && nID <= ID_ABOUT) || (nID >= ID_ONE && nID <= ID_FOUR))) {
      static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
      return TRUE;
    }
    return CUfxFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  }
};

// &Edit{&Undo the last change, -, Cu&t, &Copy}, &Help{&About}.
inline HMENU MakeEditHelpMenu() {
  HMENU hEdit = ::CreatePopupMenu();
  ::AppendMenuW(hEdit, MF_STRING, ID_UNDO, L"&Undo the last change");
  ::AppendMenuW(hEdit, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(hEdit, MF_STRING, ID_CUT, L"Cu&t");
  ::AppendMenuW(hEdit, MF_STRING, ID_COPY, L"&Copy");
  HMENU hHelp = ::CreatePopupMenu();
  ::AppendMenuW(hHelp, MF_STRING, ID_ABOUT, L"&About");
  HMENU hMenu = ::CreateMenu();
  ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hEdit, L"&Edit");
  ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hHelp, L"&Help");
  return hMenu;
}

inline COLORREF ScreenPixel(CPoint pt) {
  HDC hdc = ::GetDC(nullptr);
  const COLORREF clr = ::GetPixel(hdc, pt.x, pt.y);
  ::ReleaseDC(nullptr, hdc);
  return clr;
}

// What the screen shows over a window (popups in front of it included), saved in screenshots/.
inline BOOL SaveScreenOver(CWnd* pWnd, const std::string& name) {
  ::CreateDirectoryA("screenshots", nullptr);
  CRect rect;
  pWnd->GetWindowRect(rect);
  HDC hdc = ::GetDC(nullptr);
  const BOOL ok = SavePng(hdc, rect.left, rect.top, rect.Width(), rect.Height(), "screenshots/" + name);
  ::ReleaseDC(nullptr, hdc);
  return ok;
}

// The menu glyphs of the resource library, for the life of the object.
class CMenuGlyphResources {
public:
  CMenuGlyphResources() : m_hResx(::LoadLibraryW(L"BrookResx.dll")), m_hSaved(AfxGetResourceHandle()) {
    if (m_hResx != nullptr) AfxSetResourceHandle(m_hResx);
    CUfxMenuGlyphs::CleanUp();
  }
  ~CMenuGlyphResources() {
    CUfxMenuGlyphs::CleanUp();
    AfxSetResourceHandle(m_hSaved);
    if (m_hResx != nullptr) ::FreeLibrary(m_hResx);
  }
  BOOL IsLoaded() const { return m_hResx != nullptr && CUfxMenuGlyphs::Initialize(); }

private:
  HMODULE m_hResx;
  HINSTANCE m_hSaved;
};

}  // namespace looks_frame
