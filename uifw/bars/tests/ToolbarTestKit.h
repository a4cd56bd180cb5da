// Shared pieces of the toolbar tests: a frame that records what a bar sends it, a look that records
// what a bar draws, and pumping the message queue for a while.
#pragma once
#include "UfxToolBar.h"
#include "UfxToolbarButton.h"
#include "UfxCommandManager.h"
#include "UfxVisualManager.h"
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace toolbar_test {

// Records commands and status prompts; answers command updates for the ids it handles.
class CRecordingFrame : public CFrameWnd {
public:
  std::vector<UINT> commands;
  std::vector<WPARAM> prompts;
  std::vector<std::pair<WPARAM, LPARAM>> menus;  // "UFXTOOLBAR_POPUPMENU" requests
  std::set<UINT> handled;
  std::map<UINT, int> checks;       // id -> SetCheck value given in updates
  std::map<UINT, CString> texts;    // id -> SetText value given in updates
  BOOL destroyOnCommand = FALSE;

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override {
    if (handled.count(nID) != 0) {
      if (nCode == (int)CN_UPDATE_COMMAND_UI) {
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        pCmdUI->Enable(TRUE);
        if (checks.count(nID) != 0) pCmdUI->SetCheck(checks[nID]);
        if (texts.count(nID) != 0) pCmdUI->SetText(texts[nID]);
        return TRUE;
      }
      // Commands, and notifications that a bar passes on with their code.
      if (nCode == (int)CN_COMMAND || (nCode > 0 && nCode < 0x10000)) {
        if (pInfo == nullptr) {
          commands.push_back(nID);
          if (destroyOnCommand) DestroyWindow();
        }
        return TRUE;
      }
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pInfo);
  }

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETMESSAGESTRING) prompts.push_back(wParam);
    if (message == UFXM_TOOLBARMENU) menus.push_back({wParam, lParam});
    return CFrameWnd::WindowProc(message, wParam, lParam);
  }
};

// Fills the bar with one colour and records the parts a bar asks for.
class CRecordingLook : public CUfxVisualManager {
public:
  void OnFillBarBackground(CDC* pDC, CControlBar*, CRect rectClient, CRect, BOOL bNCArea) override {
    calls.push_back(bNCArea ? "frame background" : "background");
    pDC->FillSolidRect(rectClient, kBackground);
  }
  void OnDrawSeparator(CDC*, CControlBar*, CRect rect, BOOL bIsHoriz) override {
    calls.push_back(bIsHoriz ? "separator|" : "separator-");
    separators.push_back(rect);
  }
  void OnFillButtonInterior(CDC* pDC, CUfxToolbarButton* pButton, CRect rect, UFX_BUTTON_STATE state) override {
    calls.push_back("fill" + std::to_string(state) + ":" + std::to_string(pButton->m_nID));
    pDC->FillSolidRect(rect, kInterior[state]);
  }
  void OnDrawButtonBorder(CDC*, CUfxToolbarButton* pButton, CRect, UFX_BUTTON_STATE state) override {
    calls.push_back("border" + std::to_string(state) + ":" + std::to_string(pButton->m_nID));
  }
  CSize GetButtonExtraBorder() const override { return CSize(0, 0); }
  int Count(const std::string& prefix) const {
    int n = 0;
    for (const std::string& c : calls) n += c.compare(0, prefix.size(), prefix) == 0;
    return n;
  }
  static constexpr COLORREF kBackground = RGB(10, 20, 30);
  static constexpr COLORREF kInterior[3] = {RGB(40, 40, 40), RGB(90, 0, 90), RGB(0, 120, 120)};
  std::vector<std::string> calls;
  std::vector<CRect> separators;
};

// Runs the thread's messages for the given time.
inline void Pump(DWORD dwMilliseconds = 0) {
  const DWORD dwEnd = ::GetTickCount() + dwMilliseconds;
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if ((LONG)(::GetTickCount() - dwEnd) >= 0) break;
    ::Sleep(5);
  }
}

inline LPARAM PointParam(CPoint pt) { return MAKELPARAM(pt.x, pt.y); }

// Returns the shared toolbar settings to their defaults.
inline void ResetToolbarGlobals() {
  CUfxToolBar::SetCustomizeMode(FALSE);
  CUfxToolBar::SetLargeIcons(FALSE);
  CUfxToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
  CUfxToolBar::SetShowTooltips(TRUE, TRUE);
  CUfxToolBar::SetNonPermittedCommands(CList<UINT, UINT>());
  CUfxToolBar::SetHelpModeHook(FALSE);
  CUfxToolBar::FreeStaticImages();
  UfxGetCommandManager()->CleanUp();
}

}  // namespace toolbar_test
