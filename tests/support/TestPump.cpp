#include "TestPump.h"

#include <algorithm>

namespace {

PumpFilter g_filter = nullptr;

// The marker of a round trip: WM_NULL with this word, and the trip's number.
constexpr WPARAM kRoundTripMark = 0x6E627274;

// Handles every message waiting now (a WM_QUIT is dropped). True when there was any.
bool HandleWaiting() {
  bool any = false;
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    any = true;
    if (msg.message == WM_QUIT) continue;
    if (g_filter != nullptr && g_filter(&msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return any;
}

}  // namespace

void SetPumpFilter(PumpFilter filter) { g_filter = filter; }

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  // Conditions on other threads and processes change without a message here: they are asked
  // again a millisecond after the last message, then less and less often (the question may itself
  // be a message that another program has to answer).
  constexpr DWORD kFirstPollMs = 1, kLastPollMs = 16;
  DWORD poll = kFirstPollMs;
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  for (;;) {
    if (HandleWaiting()) poll = kFirstPollMs;
    if (condition()) return true;
    const ULONGLONG now = ::GetTickCount64();
    if (now >= end) return false;
    const DWORD wait = static_cast<DWORD>(end - now < poll ? end - now : poll);
    if (::MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_TIMEOUT &&
        poll < kLastPollMs)
      poll *= 2;
  }
}

std::vector<QueueWatch*> QueueWatch::s_watches;
HHOOK QueueWatch::s_hook = nullptr;

QueueWatch::QueueWatch() {
  if (s_watches.empty()) s_hook = ::SetWindowsHookExW(WH_GETMESSAGE, &QueueWatch::Note, nullptr, ::GetCurrentThreadId());
  s_watches.push_back(this);
}

QueueWatch::~QueueWatch() {
  s_watches.erase(std::find(s_watches.begin(), s_watches.end(), this));
  if (s_watches.empty() && s_hook != nullptr) {
    ::UnhookWindowsHookEx(s_hook);
    s_hook = nullptr;
  }
}

LRESULT CALLBACK QueueWatch::Note(int code, WPARAM removal, LPARAM param) {
  if (code == HC_ACTION && removal == PM_REMOVE)
    for (QueueWatch* watch : s_watches) watch->m_taken.push_back(*reinterpret_cast<const MSG*>(param));
  return ::CallNextHookEx(nullptr, code, removal, param);
}

int QueueWatch::Count(const std::function<bool(const MSG&)>& match) const {
  int n = 0;
  for (const MSG& msg : m_taken) n += match(msg) ? 1 : 0;
  return n;
}

int QueueWatch::Count(UINT message, HWND hwnd) const {
  return Count([&](const MSG& msg) { return msg.message == message && (hwnd == nullptr || msg.hwnd == hwnd); });
}

bool PumpRoundTrip(HWND hwnd, DWORD timeoutMs) {
  if (!::IsWindow(hwnd) || ::GetWindowThreadProcessId(hwnd, nullptr) != ::GetCurrentThreadId()) return false;
  static LPARAM s_trips = 0;
  const LPARAM trip = ++s_trips;
  QueueWatch watch;
  auto arrived = [&] {
    return watch.Count([&](const MSG& msg) {
             return msg.message == WM_NULL && msg.wParam == kRoundTripMark && msg.lParam == trip;
           }) > 0;
  };
  return ::PostMessageW(hwnd, WM_NULL, kRoundTripMark, trip) && PumpUntil(arrived, timeoutMs);
}
