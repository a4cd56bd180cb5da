// Shared pieces of the toolbar tests: a frame that records what a bar sends it, a look that records
// what a bar draws, pumping the message queue for a while, the bytes of a stored standard bar and
// a fixture of a frame with one bar.
#pragma once
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxCommandManager.h"
#include "bars/UfxUserTool.h"
#include "looks/UfxVisualManager.h"
#include "TestPump.h"
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
  std::vector<WPARAM> resets;                    // "UFXTOOLBAR_RESETTOOLBAR" requests
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
    if (message == UFXM_RESETTOOLBAR) resets.push_back(wParam);
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

// The archive of a bar with 0xE100 and 0xE101 (images 0 and 1, no text, style 0) titled "Standard".
inline std::vector<BYTE> StandardBarBytes() {
  std::vector<BYTE> v = {0x02, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x11, 0x00};
  for (const char* p = "CUfxToolbarButton"; *p; ++p) v.push_back((BYTE)*p);
  const BYTE buttons[] = {0x00, 0xE1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0x00, 0, 0, 0, 0, 0, 0, 0,
                          0, 0, 0, 0, 0, 1, 0, 0, 0, 0x01, 0x80, 0x01, 0xE1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0xFF,
                          0xFE, 0xFF, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFE,
                          0xFF, 0x08};
  v.insert(v.end(), std::begin(buttons), std::end(buttons));
  for (const char* p = "Standard"; *p; ++p) {
    v.push_back((BYTE)*p);
    v.push_back(0);
  }
  return v;
}

// A bar archive whose one entry is an object of another class than a button.
inline std::vector<BYTE> ArchiveOfAnotherClass() {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar.WriteCount(1);
    CUfxUserTool tool;
    ar << &tool;
    ar << (DWORD)0 << CString(L"x");
  }
  std::vector<BYTE> bytes((size_t)file.GetLength());
  file.SeekToBegin();
  file.Read(bytes.data(), (UINT)bytes.size());
  return bytes;
}

inline std::vector<UINT> ButtonIds(const CObList& list) {
  std::vector<UINT> ids;
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    ids.push_back(static_cast<CUfxToolbarButton*>(list.GetNext(pos))->m_nID);
  return ids;
}

inline CString WindowTitle(const CWnd& wnd) {
  CString s;
  wnd.GetWindowText(s);
  return s;
}

// A recording look, the shared settings at their defaults and a recording frame of the size and
// style that the derived fixture gives.
class FrameFixture : public ::testing::Test {
protected:
  explicit FrameFixture(CRect rectFrame = CRect(0, 0, 400, 200), DWORD dwFrameStyle = WS_POPUP)
      : m_rectFrame(rectFrame), m_dwFrameStyle(dwFrameStyle) {}
  void SetUp() override {
    CUfxVisualManager::SetDefaultManager(nullptr);
    CUfxVisualManager::DeleteAutoCreatedInstance();
    look = new CRecordingLook;
    ResetToolbarGlobals();
    frame = new CRecordingFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"frame", m_dwFrameStyle, m_rectFrame));
    frameHandle = frame->GetSafeHwnd();
  }
  // Derived fixtures destroy their bars first.
  void TearDown() override {
    if (::IsWindow(frameHandle)) frame->DestroyWindow();  // deletes itself
    ResetToolbarGlobals();
    PumpPending();
    delete look;
  }

  CRecordingLook* look = nullptr;
  CRecordingFrame* frame = nullptr;
  HWND frameHandle = nullptr;

private:
  CRect m_rectFrame;
  DWORD m_dwFrameStyle;
};

// The frame fixture with a bar titled "Standard" in the frame.
class ToolbarFixture : public FrameFixture {
protected:
  void SetUp() override {
    FrameFixture::SetUp();
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE801));
    bar.SetWindowText(L"Standard");
  }
  void TearDown() override {
    bar.DestroyWindow();
    FrameFixture::TearDown();
  }
  std::vector<UINT> Ids() const { return ButtonIds(bar.GetAllButtons()); }
  CString Title() const { return WindowTitle(bar); }

  CUfxToolBar bar;
};

}  // namespace toolbar_test
