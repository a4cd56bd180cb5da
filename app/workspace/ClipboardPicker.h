// ClipboardPicker: evaluates the selection of whatever program has the focus.
//
// A keyboard action calls HotKeyProcess(template, mode). A short-lived worker thread waits
// until the user has let go of the modifier keys and sends Ctrl+Insert to the foreground
// program; the picker, a hidden child of the main window in the clipboard-viewer chain, sees
// the copy arrive, evaluates the text through the kernel bridge, builds the answer from the
// template (AnswerTemplate.h) and, by the mode, pastes it over the selection (ApReplace), shows
// it in a tray balloon (ApPopupTray) or leaves it on the clipboard (ApCopyToClipboard).
// When no copy arrives within 1.5 seconds the user is told so and the clipboard is left alone.
//
// The watcher face is not reference-counted: the application owns the picker.
#pragma once

#include <windows.h>
#include <wrl/client.h>

#include <ctime>

#include "AnswerTemplate.h"
#include "Framework.h"
#include "NumbrookLib.h"

namespace CalculatorKernel {
// Raised on the evaluation path; its message becomes the answer.
struct Exception {
  CString Message;
};
}  // namespace CalculatorKernel

class ClipboardPicker : public CWnd {
public:
  // wParam values of the registered message "BROOK_DO_INITIALIZE_CLIPBOAD_DRAWING".
  enum DrawingRequest : WPARAM {
    RejoinChain = 0,     // rejoin the clipboard-viewer chain
    EvaluateLater = 11,  // evaluate the copied text now (posted while the kernel was busy)
    NoCopyArrived = 12,  // the run's copy did not arrive (lParam: the run)
    IsRunPending = 13,   // is the run still waiting for its copy? (lParam: the run)
  };
  static const UINT DrawingMessage;
  static constexpr UINT WindowId = 0x787878;
  // Seconds after which a run that still waits for its copy no longer blocks a new one.
  static constexpr time_t StaleRunSeconds = 2;
  // How long the worker waits for the copy after Ctrl+Insert.
  static constexpr DWORD CopyWaitMs = 1500;

  // Creates the hidden window under the application's main window, or under `parent` when
  // given; throws CResourceException when the window cannot be created.
  explicit ClipboardPicker(ICalculatorKernel* kernel, CWnd* parent = nullptr);
  ~ClipboardPicker() override;
  ClipboardPicker(const ClipboardPicker&) = delete;
  ClipboardPicker& operator=(const ClipboardPicker&) = delete;

  // The face that INumbrookMain::GetClipboardWatcher hands out.
  INumbrookClipboardWatcher* GetWatcher() { return &m_watcher; }

  // INumbrookClipboardWatcher::HotKeyProcess: stores the template and the mode and starts a
  // run unless one started less than StaleRunSeconds ago still waits for its copy.
  void HotKeyProcess(LPCWSTR answerTemplate, ActionProcessing mode);

  // The clock of the stale-run rule: whole seconds, as the C runtime's time() counts them. The
  // picker reads it through this function, which a test may replace.
  using Clock = time_t (*)();
  void SetClock(Clock clock) { m_clock = clock != nullptr ? clock : &SystemTime; }

  bool IsPending() const { return m_pending != 0; }
  // How many runs have been started.
  LPARAM GetRunCount() const { return m_run; }
  bool IsInChain() const { return m_inChain != 0; }
  const CString& GetAnswerTemplate() const { return m_answerTemplate; }
  ActionProcessing GetProcessing() const { return m_processing; }

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnDrawClipboard();
  afx_msg void OnChangeCbChain(HWND hWndRemove, HWND hWndAfter);
  afx_msg LRESULT OnDrawingRequest(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

private:
  class WatcherFace : public INumbrookClipboardWatcher {
  public:
    explicit WatcherFace(ClipboardPicker* owner) : m_owner(owner) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 1; }
    STDMETHODIMP_(ULONG) Release() override { return 0; }
    STDMETHODIMP HotKeyProcess(BSTR Format, unsigned long dwParams) override;

  private:
    ClipboardPicker* m_owner;
  };

  void StartRun();
  void RejoinClipboardChain();
  // Evaluates the copied text and delivers the answer by the mode.
  void ProcessCopiedText();
  void Deliver(const CString& answer, const CString& title, ActionProcessing mode, bool failed);
  numbrook::Evaluation Evaluate(const std::wstring& expression);
  bool KernelIsBusy() const;
  static void ShowTrayMessage(const CString& message, const CString& title, MessageType type);

  static time_t SystemTime() { return ::time(nullptr); }

  WatcherFace m_watcher{this};
  Clock m_clock = &SystemTime;
  HWND m_hWndNextViewer = nullptr;
  LONG m_pending = 0;
  time_t m_lastStart;
  UINT m_windowId = WindowId;
  Microsoft::WRL::ComPtr<ICalculatorKernel> m_kernel;
  BYTE m_inChain = 0;
  CString m_answerTemplate = L"%s = %d";
  ActionProcessing m_processing = ApReplace;
  // Number of the current run; the worker's messages carry it so that a late answer of an
  // earlier run cannot end a newer one.
  LPARAM m_run = 0;
};
