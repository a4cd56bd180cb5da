// Shared by the frame tests: handling the queued messages the way the program's loop does.
#pragma once
#include "Framework.h"
#include <gtest/gtest.h>
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

// Pumps until done() answers true, for at most ms milliseconds; what done() answers last.
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms = 3000) {
  const DWORD start = ::GetTickCount();
  while (!done() && ::GetTickCount() - start < ms) {
    Pump();
    ::Sleep(5);
  }
  return done();
}

// A frame of the class given at a known place, docking on every side and made the program's main
// window: a popup with a plain border, since the display has no window manager to wait for.
template <class Frame> Frame* NewDockingFrame() {
  Frame* pFrame = new Frame;
  if (!pFrame->Create(nullptr, L"frame", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, CRect(100, 100, 700, 500))) {
    ADD_FAILURE() << "the frame was not created";
    return pFrame;
  }
  pFrame->EnableDocking(CBRS_ALIGN_ANY);
  pFrame->ShowWindow(SW_SHOWNOACTIVATE);
  AfxGetApp()->m_pMainWnd = pFrame;
  return pFrame;
}
