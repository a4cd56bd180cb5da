// Shared by the frame tests: handling the queued messages the way the program's loop does.
#pragma once
#include "Framework.h"
#include <functional>

// Handles every queued message (each offered to the windows' PreTranslateMessage first).
inline void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!AfxPreTranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

// Pumps until done() answers true, for at most three seconds.
inline void PumpUntil(const std::function<bool()>& done) {
  const DWORD start = ::GetTickCount();
  while (!done() && ::GetTickCount() - start < 3000) {
    Pump();
    ::Sleep(5);
  }
}
