// Shared by the frame tests: a docking frame; the queue is pumped the way the program's loop does
// (FrameworkPump.h).
#pragma once
#include "Framework.h"
#include "FrameworkPump.h"
#include <gtest/gtest.h>

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
