// What the workspace test programs share: files and temporary folders (the message pump is
// TestPump.h's), message boxes kept away or answered, the two worksheet panes in a split frame, and stand-ins
// for the kernel bridge and the shell whose members all answer E_NOTIMPL until a test's double
// overrides the ones it needs (each double keeps its own IUnknown).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LeftView.h"
#include "NumbrookLib.h"
#include "RightView.h"
#include "TestPump.h"

namespace {

// ---- files and temporary folders ---------------------------------------------------------------

// What ReadBytes gives for a file that cannot be opened.
const char kMissing[] = "<missing>";

inline std::string ReadBytes(LPCWSTR path) {
  HANDLE h = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return kMissing;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(h, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  ::CloseHandle(h);
  return bytes;
}
inline std::string ReadBytes(const std::wstring& path) { return ReadBytes(path.c_str()); }

// Replaces the file with exactly these bytes.
inline void WriteBytes(LPCWSTR path, const std::string& bytes) {
  HANDLE h = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h) << path;
  DWORD written = 0;
  ::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
  ::CloseHandle(h);
}
inline void WriteBytes(const std::wstring& path, const std::string& bytes) { WriteBytes(path.c_str(), bytes); }

// The text in the system's ANSI code page, as the worksheet file holds it.
inline std::string AnsiBytes(const CString& text) {
  int n = ::WideCharToMultiByte(CP_ACP, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
  std::string bytes((size_t)n, '\0');
  if (n > 0) ::WideCharToMultiByte(CP_ACP, 0, text, text.GetLength(), &bytes[0], n, nullptr, nullptr);
  return bytes;
}

// A path in the temporary folder that belongs to this process: <temp><stem>_<process id>.
inline CString TempPathFor(LPCWSTR stem) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  CString path;
  path.Format(L"%s%s_%lu", temp, stem, ::GetCurrentProcessId());
  return path;
}

// The names in a folder, sub-folders included ("." and ".." left out).
inline std::vector<CString> FilesIn(const CString& folder) {
  std::vector<CString> names;
  WIN32_FIND_DATAW fd;
  HANDLE h = ::FindFirstFileW(folder + L"\\*", &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (lstrcmpW(fd.cFileName, L".") != 0 && lstrcmpW(fd.cFileName, L"..") != 0) names.emplace_back(fd.cFileName);
  } while (::FindNextFileW(h, &fd));
  ::FindClose(h);
  return names;
}

// Removes a folder with everything in it, read-only files too.
inline void RemoveTree(const CString& folder) {
  for (const CString& name : FilesIn(folder)) {
    CString path = folder + L"\\" + name;
    DWORD attr = ::GetFileAttributesW(path);
    ::SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    if (attr & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
    else ::DeleteFileW(path);
  }
  ::RemoveDirectoryW(folder);
}

// ---- message boxes -------------------------------------------------------------------------------

// A CBT hook that keeps message boxes and dialogs from appearing (their creation fails) and
// counts them in g_boxes. Dialogs made as child windows (dialog bars) are let through.
inline int g_boxes = 0;
inline LRESULT CALLBACK NoDialogs(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    wchar_t cls[16] = {};
    ::GetClassNameW((HWND)wParam, cls, 16);
    const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    if (lstrcmpW(cls, L"#32770") == 0 && (cs == nullptr || !(cs->style & WS_CHILD))) {
      ++g_boxes;
      return 1;
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Run on a thread of its own: closes the first message box of this process with OK and keeps
// its caption and text.
struct MessageBoxCloser {
  std::wstring caption, text;
  static DWORD WINAPI Run(void* param) {
    auto* self = static_cast<MessageBoxCloser*>(param);
    // Other test programs share the display: only a box of this process counts.
    HWND box = nullptr;
    auto find = [&] {
      ::EnumWindows(
          [](HWND h, LPARAM found) -> BOOL {
            wchar_t cls[16] = {};
            DWORD pid = 0;
            ::GetWindowThreadProcessId(h, &pid);
            if (pid != ::GetCurrentProcessId() || !::GetClassNameW(h, cls, 16) || lstrcmpW(cls, L"#32770") != 0)
              return TRUE;
            *reinterpret_cast<HWND*>(found) = h;
            return FALSE;
          },
          reinterpret_cast<LPARAM>(&box));
      return box != nullptr;
    };
    if (!PumpUntil(find, 10000)) return 1;
    wchar_t buffer[1024] = {};
    ::GetWindowTextW(box, buffer, 1024);
    self->caption = buffer;
    ::GetDlgItemTextW(box, 0xFFFF, buffer, 1024);
    self->text = buffer;
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    return 0;
  }
};

// ---- the two worksheet panes ---------------------------------------------------------------------

// The expression pane and the results pane side by side in a static splitter, as the program's
// main frame has them. A test may put a class of its own in for the expression pane.
class CPanesFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CPanesFrame)
public:
  static CRuntimeClass* s_pExpressionPane;
  CSplitterWnd m_wndSplitter;
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override {
    return m_wndSplitter.CreateStatic(this, 1, 2) &&
           m_wndSplitter.CreateView(0, 0, s_pExpressionPane, CSize(300, 300), pContext) &&
           m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CRightView), CSize(200, 300), pContext);
  }
  // A new document in the application's frame, shown at 640 x 300; the frame and its panes, or
  // nulls when none was made.
  static CPanesFrame* OpenNew(CLeftView*& left, CRightView*& right) {
    AfxGetApp()->OnFileNew();
    CPanesFrame* frame = DYNAMIC_DOWNCAST(CPanesFrame, AfxGetApp()->m_pMainWnd);
    left = nullptr;
    right = nullptr;
    if (frame == nullptr) return nullptr;
    frame->MoveWindow(0, 0, 640, 300);
    frame->ShowWindow(SW_SHOW);
    left = DYNAMIC_DOWNCAST(CLeftView, frame->m_wndSplitter.GetPane(0, 0));
    right = DYNAMIC_DOWNCAST(CRightView, frame->m_wndSplitter.GetPane(0, 1));
    return frame;
  }
};
CRuntimeClass* CPanesFrame::s_pExpressionPane = RUNTIME_CLASS(CLeftView);
IMPLEMENT_DYNCREATE(CPanesFrame, CFrameWnd)

// ---- stand-ins: every member E_NOTIMPL ---------------------------------------------------------

class KernelStub : public ICalculatorKernel {
public:
  STDMETHODIMP ParseExpression(BSTR, ParseExpResult*) override { return E_NOTIMPL; }
  STDMETHODIMP GetVarValue(int, VARIANT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetVarName(int, BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP IsDefined(BSTR, CalcObjectType*, int*) override { return E_NOTIMPL; }
  STDMETHODIMP GetCountObjects(CalcObjectType, int*) override { return E_NOTIMPL; }
  STDMETHODIMP GetFunction(int, CalcFunction*) override { return E_NOTIMPL; }
  STDMETHODIMP GetFunctionIndex(BSTR, int*) override { return E_NOTIMPL; }
  STDMETHODIMP GetConstant(int, CalcConstant*) override { return E_NOTIMPL; }
  STDMETHODIMP GetOperator(int, CalcOperator*) override { return E_NOTIMPL; }
  STDMETHODIMP GetCategory(int, CalcCategory*) override { return E_NOTIMPL; }
  STDMETHODIMP GetCategoryIndex(int, int*) override { return E_NOTIMPL; }
  STDMETHODIMP GetCalcAngleFormat(CalcAngleFormat*) override { return E_NOTIMPL; }
  STDMETHODIMP GetCalcResultFormat(CalcResultFormat*) override { return E_NOTIMPL; }
  STDMETHODIMP SetCalcSettings(CalcAngleFormat, CalcResultFormat) override { return E_NOTIMPL; }
};

class SettingsStub : public IKivSettingsManager {
public:
  STDMETHODIMP get_ShowAtStartup(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_ShowAtStartup(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_ShowHideKey(LONG*) override { return E_NOTIMPL; }
  STDMETHODIMP put_ShowHideKey(LONG) override { return E_NOTIMPL; }
  STDMETHODIMP get_PassShowHideKey(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_PassShowHideKey(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_KbdActionsCount(LONG*) override { return E_NOTIMPL; }
  STDMETHODIMP put_KbdActionsCount(LONG) override { return E_NOTIMPL; }
  STDMETHODIMP GetKeyHandle(LONG, LONG*) override { return E_NOTIMPL; }
  STDMETHODIMP GetKeyPass(LONG, VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP GetKeyActivated(LONG, VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP GetKbdAction(LONG, CalcAction*) override { return E_NOTIMPL; }
  STDMETHODIMP GetKbdActionEx(LONG, CalcActionEx*) override { return E_NOTIMPL; }
  STDMETHODIMP SetKbdActionEx(LONG, CalcActionEx) override { return E_NOTIMPL; }
  STDMETHODIMP get_CurrentStyle(VisualStyle*) override { return E_NOTIMPL; }
  STDMETHODIMP put_CurrentStyle(VisualStyle) override { return E_NOTIMPL; }
  STDMETHODIMP get_DocModel(DocumentModel*) override { return E_NOTIMPL; }
  STDMETHODIMP put_DocModel(DocumentModel) override { return E_NOTIMPL; }
  STDMETHODIMP get_AlwaysOnTop(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_AlwaysOnTop(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_CurrentFnProcessing(FnProcessing*) override { return E_NOTIMPL; }
  STDMETHODIMP put_CurrentFnProcessing(FnProcessing) override { return E_NOTIMPL; }
};

class MainStub : public INumbrookMain {
public:
  STDMETHODIMP GetTrayManager(IKivTray**) override { return E_NOTIMPL; }
  STDMETHODIMP GetMsgManager(IKivMessenger**) override { return E_NOTIMPL; }
  STDMETHODIMP GetCaptionbarManager(IKivCaptionBar**) override { return E_NOTIMPL; }
  STDMETHODIMP GetSettingsManager(IKivSettingsManager**) override { return E_NOTIMPL; }
  STDMETHODIMP GetPersistManager(IKivPersistManager**) override { return E_NOTIMPL; }
  STDMETHODIMP GetCalculatorKernel(ICalculatorKernel**) override { return E_NOTIMPL; }
  STDMETHODIMP GetCodeFormatter(ICodeFormatter**) override { return E_NOTIMPL; }
  STDMETHODIMP GetPanelsManager(IKivPanelsManager**) override { return E_NOTIMPL; }
  STDMETHODIMP GetKbdManager(IKivKbdManager**) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardWatcher(INumbrookClipboardWatcher**) override { return E_NOTIMPL; }
};

}  // namespace
