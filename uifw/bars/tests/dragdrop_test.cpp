// Dragging toolbar buttons with the real pointer in customize mode: the bar runs its OLE drag loop
// while a driver thread plays the gesture with SendInput, each step waiting for the program to
// have reacted to the one before. Moves between bars, a copy leaves the button where it was, a
// drop off every bar deletes, Esc keeps, a drop on its own place regroups, and a locked bar takes
// nothing. Ctrl itself is not played: under Wine here a Ctrl press sent with SendInput did not
// always reach the key state the drag loop reads; the drop target's own tests give it Ctrl.
#include "TestPump.h"
#include "CommandBarsTestKit.h"
#include "bars/UfxBarDropSource.h"
#include <atomic>
#include <thread>

using namespace toolbar_test;
using namespace command_bars_test;

namespace {

void SendMouse(DWORD dwFlags, CPoint ptScreen = CPoint(0, 0)) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = dwFlags;
  if (dwFlags & MOUSEEVENTF_MOVE) {
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (LONG)(((LONGLONG)ptScreen.x * 65536 + cx - 1) / cx);
    input.mi.dy = (LONG)(((LONGLONG)ptScreen.y * 65536 + cy - 1) / cy);
    input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
  }
  ::SendInput(1, &input, sizeof(input));
}

void SendKey(WORD vk, bool bUp) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &input, sizeof(input));
}

// Waits, on the driver thread, until the program shows the condition.
bool WaitFor(const std::function<bool()>& condition, DWORD dwTimeout = 5000) { return PumpUntil(condition, dwTimeout); }

// Waits as above while nudging the pointer by a pixel now and then, so that a drag loop that
// missed a move sees the pointer where it is.
bool WaitWhileNudging(const std::function<bool()>& condition, CPoint pt, DWORD dwTimeout = 10000) {
  int i = 0;
  return PumpUntil(
      [&] {
        if (condition()) return true;
        if (++i % 60 == 0) SendMouse(MOUSEEVENTF_MOVE, pt + CPoint((i / 60) % 2, 0));
        return false;
      },
      dwTimeout);
}

bool CursorAt(CPoint pt) {
  CPoint now;
  ::GetCursorPos(&now);
  return now == pt;
}

// Moves the pointer there in steps, each one seen by the system before the next.
bool MoveTo(CPoint from, CPoint to, int nSteps = 6) {
  for (int i = 1; i <= nSteps; ++i) {
    const CPoint pt(from.x + (to.x - from.x) * i / nSteps, from.y + (to.y - from.y) * i / nSteps);
    SendMouse(MOUSEEVENTF_MOVE, pt);
    if (!WaitFor([&] { return CursorAt(pt); })) return false;
  }
  return true;
}

class DragDropTest : public FrameFixture {
protected:
  DragDropTest() : FrameFixture(CRect(100, 100, 700, 400), WS_POPUP | WS_VISIBLE) {}
  static void SetUpTestSuite() { AfxOleInit(); }  // once for the program
  void SetUp() override {
    FrameFixture::SetUp();
    ASSERT_TRUE(barA.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE801));
    ASSERT_TRUE(barB.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE802));
    Fill(barA, {101, 102, 103, 104}, CRect(0, 0, 500, 30));
    Fill(barB, {201, 202}, CRect(0, 60, 500, 90));
    frame->SetForegroundWindow();
    frame->UpdateWindow();
    CUfxToolBar::SetCustomizeMode(TRUE);
  }
  void TearDown() override {
    CUfxToolBar::SetCustomizeMode(FALSE);
    barA.DestroyWindow();
    barB.DestroyWindow();
    FrameFixture::TearDown();
  }
  static void Fill(CTestBar& bar, std::vector<UINT> ids, CRect rect) {
    bar.RemoveAllButtons();
    for (UINT id : ids) {
      if (id == 0) bar.InsertSeparator();
      else bar.InsertButton(new CUfxToolbarButton(id, 0));
    }
    bar.SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    bar.LayoutButtons();
  }
  CPoint Screen(CTestBar& bar, CPoint pt) {
    bar.ClientToScreen(&pt);
    return pt;
  }

  // The gesture: press at the start, leave the button, go to the end, then Ctrl, Esc or nothing,
  // and let go. The target bar (if any) must show the expected drop index before the release.
  struct Gesture {
    CPoint start;
    CPoint end;
    CTestBar* target = nullptr;
    int index = -1;
    bool escape = false;
  };
  bool Play(const Gesture& g) {
    // Wine's drag loop reads Ctrl and Esc from the thread's own key state: the keys must come to
    // this thread, so the frame must have the focus.
    frame->SetForegroundWindow();
    if (!PumpUntil([&] { return ::GetForegroundWindow() == frame->GetSafeHwnd(); })) {
      m_strFailedStep = "the frame did not get the focus";
      return false;
    }
    std::atomic<bool> done{false};
    std::atomic<bool> ok{true};
    std::atomic<int> nStep{0};
    CUfxBarDropSource& source = CUfxBarDropSource::Shared();
    std::thread driver([&] {
      auto step = [&](bool b) {
        ++nStep;
        if (!b && ok) {
          ok = false;
          CPoint pt;
          ::GetCursorPos(&pt);
          m_strFailedStep = "step " + std::to_string(nStep.load()) + " at " + std::to_string(pt.x) + "," +
                            std::to_string(pt.y) + ", marks " + std::to_string(barA.GetDropIndex()) + " " +
                            std::to_string(barB.GetDropIndex()) + ", outside " + std::to_string(source.m_bDragOutside) +
                            ", started " + std::to_string(source.m_bDragStarted);
        }
        return b;
      };
      const CPoint park(g.start.x, g.start.y - 60);
      SendMouse(MOUSEEVENTF_MOVE, park);
      if (step(WaitFor([&] { return CursorAt(park); })) && step(MoveTo(park, g.start, 2))) {
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        // The bar runs its drag loop; the drag begins once the pointer leaves the button.
        if (step(WaitFor([] { return CUfxToolBar::IsDragFromToolbar() != FALSE; })) &&
            step(MoveTo(g.start, g.start + CPoint(0, 14), 2)) &&
            step(WaitWhileNudging([&] { return source.m_bDragStarted != FALSE; }, g.start + CPoint(0, 14))) &&
            step(MoveTo(g.start + CPoint(0, 14), g.end))) {
          if (g.target != nullptr) step(WaitWhileNudging([&] { return g.target->GetDropIndex() == g.index; }, g.end));
          else step(WaitWhileNudging([&] { return source.m_bDragOutside != FALSE; }, g.end));
          if (g.escape) {
            SendKey(VK_ESCAPE, false);
            SendKey(VK_ESCAPE, true);
          }
        }
        SendMouse(MOUSEEVENTF_LEFTUP);
        if (!step(WaitFor([] { return CUfxToolBar::IsDragFromToolbar() == FALSE; }))) {
          // The drag loop missed the release: Esc and another release end it, so that the
          // program is never left inside it.
          for (int i = 0; i < 20 && CUfxToolBar::IsDragFromToolbar(); ++i) {
            SendKey(VK_ESCAPE, false);
            SendKey(VK_ESCAPE, true);
            SendMouse(MOUSEEVENTF_LEFTUP);
            WaitFor([] { return CUfxToolBar::IsDragFromToolbar() == FALSE; }, 500);
          }
        }
      }
      done = true;
    });
    PumpUntil([&] { return done.load(); }, 30000);
    driver.join();
    PumpUntil([] { return false; }, 0);
    return ok;
  }
  static std::vector<UINT> Ids(const CUfxToolBar& bar) { return ButtonIds(bar.GetAllButtons()); }

  CTestBar barA;
  CTestBar barB;
  std::string m_strFailedStep;
};

TEST_F(DragDropTest, RealDragsMoveCopyDeleteKeepAndRegroup) {
  const struct {
    const char* name;
    std::vector<UINT> idsA;
    int dragged;
    int where;  // 0 between B's two buttons, 1 on the frame below the bars, 2 the left half of A's next button,
                // 3 the right half of the separator before it
    bool copy;  // the target answers copy
    bool escape;
    bool locked;
    std::vector<UINT> resultA;
    std::vector<UINT> resultB;
  } cases[] = {
      {"a move between bars", {101, 102, 103, 104}, 1, 0, false, false, false, {101, 103, 104}, {201, 102, 202}},
      {"a copy", {101, 102, 103, 104}, 1, 0, true, false, false, {101, 102, 103, 104}, {201, 102, 202}},
      {"a drop off every bar deletes", {101, 102, 103, 104}, 1, 1, false, false, false, {101, 103, 104}, {201, 202}},
      {"Esc keeps", {101, 102, 103, 104}, 1, 0, false, true, false, {101, 102, 103, 104}, {201, 202}},
      {"6 pixels forward begins a group", {101, 102, 103, 104}, 1, 2, false, false, false, {101, 0, 102, 103, 104}, {201, 202}},
      {"6 pixels back ends it", {101, 0, 102, 103, 104}, 2, 3, false, false, false, {101, 102, 103, 104}, {201, 202}},
      {"a locked bar takes nothing and the button stays", {101, 102, 103, 104}, 1, 0, false, false, true,
       {101, 102, 103, 104}, {201, 202}},
  };
  for (const auto& c : cases) {
    Fill(barA, c.idsA, CRect(0, 0, 500, 30));
    Fill(barB, {201, 202}, CRect(0, 60, 500, 90));
    barB.SetLocked(c.locked);
    const CRect rect = barA.ButtonRect(c.dragged);
    Gesture g;
    g.start = Screen(barA, rect.CenterPoint());
    barB.SetCopyOnly(c.copy);
    g.escape = c.escape;
    switch (c.where) {
      case 0:
        g.end = Screen(barB, CPoint(barB.ButtonRect(1).left + 2, barB.ButtonRect(1).CenterPoint().y));
        g.target = &barB;
        g.index = c.locked ? -1 : 1;
        break;
      case 1: {
        // Below the bars, on the frame (no drop target): a release over another program's window
        // (the desktop) goes to that program, and the drag loop here never sees it.
        CRect rectFrame;
        frame->GetWindowRect(rectFrame);
        g.end = CPoint(rectFrame.CenterPoint().x, rectFrame.bottom - 40);
        break;
      }
      case 2:
        g.end = Screen(barA, CPoint(barA.ButtonRect(c.dragged + 1).left + 1, rect.CenterPoint().y));
        g.target = &barA;
        g.index = c.dragged + 1;
        break;
      case 3:
        g.end = Screen(barA, CPoint(barA.ButtonRect(c.dragged - 1).right - 2, rect.CenterPoint().y));
        g.target = &barA;
        g.index = c.dragged;
        break;
    }
    m_strFailedStep.clear();
    EXPECT_TRUE(Play(g)) << c.name << ": the gesture did not play through, " << m_strFailedStep;
    RoundTrip(barA.GetSafeHwnd());
    EXPECT_EQ(c.resultA, Ids(barA)) << c.name;
    EXPECT_EQ(c.resultB, Ids(barB)) << c.name << ", drops on B " << barB.m_nDrops << " at " << barB.m_iLastDropIndex;
    barB.m_nDrops = 0;
    barB.SetLocked(FALSE);
    barB.SetCopyOnly(FALSE);
  }
}

}  // namespace
