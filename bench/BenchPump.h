// Handles every message waiting in this thread's queue: what a benchmark does between steps so
// that painting and layout posted by the step are part of what it measures.
#pragma once
#include <windows.h>

inline void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}
