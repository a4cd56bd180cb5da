// What the shell's test programs share: a main frame of their own behind IShellFrame (a plain
// window with child windows as its bars, recording what the managers ask of it), an expression
// pane's formatter double, the profile of the test program, and a helper that answers message
// boxes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <thread>
#include <vector>

#include "Framework.h"
#include "NumbrookLib.h"
#include "ShellFrame.h"
#include "TestPump.h"

namespace {

// ---- the frame ----------------------------------------------------------------------------------

class TestFrame : public IShellFrame {
public:
  TestFrame() {
    m_hWnd = ::CreateWindowExW(0, L"STATIC", L"ShellTestFrame", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                               nullptr, nullptr);
    for (int bar = TbStandard; bar <= TbCaptionBar; ++bar)
      m_bars[bar] = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_hWnd, nullptr, nullptr,
                                      nullptr);
    m_tabs.Attach(::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, m_hWnd, nullptr, nullptr,
                                    nullptr));
  }
  ~TestFrame() {
    m_tabs.Detach();
    if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
  }

  HWND GetFrameHwnd() override { return m_hWnd; }
  BOOL IsCustomizing() override { return customizing; }
  void SelectLook(int style) override { looks.push_back(style); }
  HACCEL GetAccelTable() override { return accel; }
  HWND GetBarHwnd(Toolbar bar) override {
    auto it = m_bars.find(bar);
    return it != m_bars.end() ? it->second : nullptr;
  }
  void ShowBar(Toolbar bar, BOOL show) override { ::ShowWindow(GetBarHwnd(bar), show ? SW_SHOW : SW_HIDE); }
  CString GetCaptionText() override { return captionText; }
  void SetCaptionText(LPCWSTR text) override {
    captionText = text;
    ++captionTextSets;
  }
  void SetCaptionBitmap(UINT bitmapId) override { captionBitmaps.push_back(bitmapId); }
  CWnd* GetPanelTabWnd() override { return &m_tabs; }
  void AddPanelTab(CWnd* panel, LPCWSTR label) override { tabs.push_back(label); }
  void RemoveAllPanelTabs() override { tabs.clear(); }
  int GetActivePanelTab() override { return activeTab; }
  void SetActivePanelTab(int index) override { activeTab = index; }
  void ShowPopupMenu(HMENU menu, POINT point) override { popupItems.push_back(::GetMenuItemID(menu, 0)); }
  int GetLeftPaneWidth() override { return leftPaneWidth; }
  ICodeFormatter* GetCodeFormatter() override {
    if (formatter != nullptr) formatter->AddRef();
    return formatter;
  }
  ICalculatorKernel* GetCalculatorKernel() override {
    if (kernel != nullptr) kernel->AddRef();
    return kernel;
  }
  INumbrookClipboardWatcher* GetClipboardWatcher() override { return nullptr; }

  BOOL customizing = FALSE;
  HACCEL accel = nullptr;
  std::vector<int> looks;
  CString captionText;
  int captionTextSets = 0;
  std::vector<UINT> captionBitmaps;
  std::vector<CString> tabs;
  int activeTab = 0;
  std::vector<UINT> popupItems;
  int leftPaneWidth = 300;
  ICodeFormatter* formatter = nullptr;
  ICalculatorKernel* kernel = nullptr;

private:
  HWND m_hWnd = nullptr;
  std::map<int, HWND> m_bars;
  CWnd m_tabs;
};

// ---- the expression pane's formatter ------------------------------------------------------------

class FormatterDouble : public ICodeFormatter {
public:
  FormatterDouble() {
    for (CharFormat& f : chars) f = CharFormat{0x1234, 0x5678, 0, 0, 0, UnderlineTypeNone};
  }
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
    *ppv = this;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetCharFormat(LexemeType type, CharFormat* format) override {
    *format = chars[type];
    return S_OK;
  }
  STDMETHODIMP SetCharFormat(LexemeType type, CharFormat format) override {
    chars[type] = format;
    return S_OK;
  }
  STDMETHODIMP GetCommonFormat(CodeCommonFormat* format) override {
    if (failCommonFormat) return E_FAIL;
    *format = common;
    format->CcfFontName = ::SysAllocString(fontName);
    return S_OK;
  }
  STDMETHODIMP SetCommonFormat(CodeCommonFormat format) override {
    common = format;
    fontName = format.CcfFontName;
    common.CcfFontName = nullptr;
    return S_OK;
  }
  STDMETHODIMP EndUpdate() override {
    ++endUpdates;
    return S_OK;
  }

  CharFormat chars[LexemeTypeMax + 1];
  CodeCommonFormat common = {0, 0, 0, nullptr};
  CString fontName;
  int endUpdates = 0;
  bool failCommonFormat = false;
};

// ---- the profile ----------------------------------------------------------------------------------

// HKCU\Software\Ferrow Software\<the test program's application name>, emptied.
inline CString FreshProfile() {
  CWinApp* app = AfxGetApp();
  app->SetRegistryKey(L"Ferrow Software");
  CString key;
  key.Format(L"Software\\Ferrow Software\\%s", app->m_pszProfileName);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, key);
  return key;
}

// ---- message boxes --------------------------------------------------------------------------------

// Answers the box with the given caption with OK as soon as it shows; Found() tells whether it
// showed within ten seconds.
class BoxCloser {
public:
  explicit BoxCloser(LPCWSTR caption) : m_caption(caption), m_thread([this] { Run(); }) {}
  ~BoxCloser() {
    if (m_thread.joinable()) m_thread.join();
  }
  bool Found() {
    if (m_thread.joinable()) m_thread.join();
    return m_found;
  }

private:
  void Run() {
    HWND box = nullptr;
    if (!PumpUntil([&] { return (box = ::FindWindowW(nullptr, m_caption)) != nullptr; }, 10000)) return;
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    m_found = true;
  }
  CString m_caption;
  bool m_found = false;
  std::thread m_thread;
};

}  // namespace
