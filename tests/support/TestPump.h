// The message pump of the tests and benchmarks: handle this thread's messages until a condition
// holds, sleeping in MsgWaitForMultipleObjects while there is nothing to do.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

// How long a test waits for what it expects before it gives up (only a failing test waits that long).
constexpr DWORD kPumpTimeoutMs = 15000;

// What the pump offers each message before dispatching it; a filter that answers TRUE has handled
// the message itself. Programs on the framework pass everything through its PreTranslateMessage
// chain, as the framework's own message loop does (FrameworkPump.h).
using PumpFilter = BOOL (*)(MSG*);
void SetPumpFilter(PumpFilter filter);

// Handles every waiting message, then asks condition(); until it holds, waits for the next message
// (or a few milliseconds, for what other threads and processes change without one) and does the
// same again. False when the condition still does not hold after timeoutMs.
// A WM_QUIT is dropped: a test that expects one looks for it (PeekMessage) before pumping, and a
// quit left behind would end the modal loops of the tests after it.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = kPumpTimeoutMs);

// Handles the messages that are waiting now (PumpUntil of a condition that holds at once).
inline void PumpPending() { PumpUntil([] { return true; }); }

// Notes every message this thread takes from its queue while it lives, by PumpUntil or by any
// modal loop running inside it: proof that a posted message or a piece of real input has arrived.
class QueueWatch {
public:
  QueueWatch();
  ~QueueWatch();
  QueueWatch(const QueueWatch&) = delete;
  QueueWatch& operator=(const QueueWatch&) = delete;
  // How many of the messages taken so far match.
  int Count(const std::function<bool(const MSG&)>& match) const;
  // How many of that message for that window (any window when null) were taken so far.
  int Count(UINT message, HWND hwnd = nullptr) const;

private:
  static LRESULT CALLBACK Note(int code, WPARAM removal, LPARAM param);
  static std::vector<QueueWatch*> s_watches;  // the live ones, served by one hook
  static HHOOK s_hook;
  std::vector<MSG> m_taken;
};

// A round trip through this thread's queue, for checks that something does NOT happen: posts a
// harmless message to hwnd (a window of this thread) behind whatever was posted before and pumps
// until it has been taken from the queue, by this pump or by a modal loop running inside it.
// Everything posted earlier has been handled then. Real input is taken after posted messages: for
// input, wait until a QueueWatch has seen the input itself (or a later marker key) taken.
bool PumpRoundTrip(HWND hwnd, DWORD timeoutMs = kPumpTimeoutMs);
