// Shared by the menu tests: a frame carrying a menu bar built from File, Edit and Help, that
// records the commands it gets and the menu resets it is told of; pumping the queue the way the
// program's loop does.
#pragma once
#include "bars/UfxMenuBar.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "bars/UfxToolbarMenuButton.h"
#include "bars/UfxMenuBarStore.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxCommandManager.h"
#include "looks/UfxVisualManager.h"
#include "FrameworkPump.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <vector>

namespace menu_test {

enum : UINT {
  ID_NEW = 40001, ID_OPEN, ID_EXIT, ID_UNDO, ID_CUT, ID_COPY, ID_PASTE, ID_ABOUT, ID_RECENT_ONE
};

// Real input: the pointer moves to the screen point (absolute units round up so that the pixel
// reached is the one asked for).
inline void MoveMouseTo(CPoint ptScreen) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = (LONG)(((LONGLONG)ptScreen.x * 65536 + cx - 1) / cx);
  input.mi.dy = (LONG)(((LONGLONG)ptScreen.y * 65536 + cy - 1) / cy);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof(input));
}

// A frame that records the commands it gets and the menu resets it is told of.
class CRecordingFrame : public CUfxFrameWnd {
public:
  std::vector<UINT> commands;
  std::vector<WPARAM> resets;
  std::vector<UINT> disabled;  // commands whose update disables them

  // Every test command has a handler; the listed ones are disabled.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
    if (nID >= ID_NEW && nID <= ID_RECENT_ONE && nCode == CN_UPDATE_COMMAND_UI && pExtra != nullptr) {
      static_cast<CCmdUI*>(pExtra)->Enable(std::find(disabled.begin(), disabled.end(), nID) == disabled.end());
      return TRUE;
    }
    return CUfxFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  }

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND && lParam == 0 && HIWORD(wParam) == 0) {
      commands.push_back(LOWORD(wParam));
      return 0;
    }
    if (message == UFXM_RESETMENU) resets.push_back(wParam);
    return CUfxFrameWnd::WindowProc(message, wParam, lParam);
  }
};

// &File{&New, &Open..., -, E&xit}, &Edit{&Undo, -, Cu&t, &Copy, &Paste}, &Help{&About}.
inline HMENU MakeMainMenu(BOOL bPasteDisabled = FALSE) {
  HMENU hFile = ::CreatePopupMenu();
  ::AppendMenuW(hFile, MF_STRING, ID_NEW, L"&New");
  ::AppendMenuW(hFile, MF_STRING, ID_OPEN, L"&Open...");
  ::AppendMenuW(hFile, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(hFile, MF_STRING, ID_EXIT, L"E&xit");
  HMENU hEdit = ::CreatePopupMenu();
  ::AppendMenuW(hEdit, MF_STRING, ID_UNDO, L"&Undo");
  ::AppendMenuW(hEdit, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(hEdit, MF_STRING, ID_CUT, L"Cu&t");
  ::AppendMenuW(hEdit, MF_STRING, ID_COPY, L"&Copy");
  ::AppendMenuW(hEdit, MF_STRING | (bPasteDisabled ? MF_GRAYED : 0), ID_PASTE, L"&Paste");
  HMENU hHelp = ::CreatePopupMenu();
  ::AppendMenuW(hHelp, MF_STRING, ID_ABOUT, L"&About");
  HMENU hMenu = ::CreateMenu();
  ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hFile, L"&File");
  ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hEdit, L"&Edit");
  ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hHelp, L"&Help");
  return hMenu;
}

class MenuFrame : public ::testing::Test {
protected:
  void SetUp() override {
    CUfxVisualManager::SetDefaultManager(nullptr);
    CUfxPopupMenu::SetAnimationType(CUfxPopupMenu::NO_ANIMATION);
    CUfxPopupMenu::EnableMenuShadows(FALSE);
    CUfxToolBar::SetCoreCommands(CList<UINT, UINT>());
    CUfxPopupMenu::SetForceShowAllMenus(FALSE);
    ::SetCursorPos(0, 0);
    Make(FALSE);
  }
  void Make(BOOL bPasteDisabled) {
    frame = new CRecordingFrame;
    if (bPasteDisabled) frame->disabled.push_back(ID_PASTE);
    ASSERT_TRUE(frame->Create(nullptr, L"Menus", WS_OVERLAPPEDWINDOW, CRect(200, 150, 700, 450)));
    ASSERT_TRUE(view.Create(L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 60, 300, 200), frame, 0xE900));
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_MENUBAR));
    bar.CreateFromMenu(MakeMainMenu(bPasteDisabled), TRUE);
    bar.SetWindowPos(nullptr, 0, 0, 500, 26, SWP_NOZORDER);
    bar.AdjustLayout();
    frame->ShowWindow(SW_SHOWNORMAL);
    frame->UpdateWindow();
    view.SetFocus();
    PumpPending();
  }
  void TearDown() override {
    if (CUfxPopupMenu* pPopup = CUfxPopupMenu::GetActiveMenu())
      if (::IsWindow(pPopup->GetSafeHwnd())) pPopup->GetTopLevelPopup()->DestroyWindow();
    PumpPending();
    bar.DestroyWindow();
    frame->DestroyWindow();
    PumpPending();
    UfxMenuBarStore.CleanUp();
    UfxGetCommandManager()->CleanUp();
  }
  // A key typed into the window that has the focus.
  void Key(UINT vk) {
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, vk, 1);
    PumpPending();
  }
  CString Highlighted() const {
    CUfxToolbarButton* p = bar.GetButton(bar.GetHighlightedButton());
    return p != nullptr ? p->m_strText : CString(L"<none>");
  }
  CUfxPopupMenu* Popup() const { return CUfxPopupMenu::GetActiveMenu(); }
  CString PopupHighlighted() const {
    CUfxPopupMenu* pPopup = Popup();
    if (pPopup == nullptr || !::IsWindow(pPopup->GetSafeHwnd())) return L"<no popup>";
    CUfxToolbarButton* p = pPopup->GetMenuBar()->GetButton(pPopup->GetMenuBar()->GetHighlighted());
    return p != nullptr ? p->m_strText : CString(L"<none>");
  }
  CString OpenTitle() const {
    int i = -1;
    CUfxToolbarMenuButton* p = bar.GetDroppedMenuButton(i);
    return p != nullptr ? p->m_strText : CString(L"<closed>");
  }
  void EnterMenuBar() {
    bar.SetFocus();
    PumpPending();
  }

  CRecordingFrame* frame = nullptr;
  CWnd view;
  CUfxMenuBar bar;
};

}  // namespace menu_test
