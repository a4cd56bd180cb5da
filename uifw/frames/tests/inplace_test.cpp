// The in-place frames and the top-level frame override: activated one after the other and
// deactivated in reverse order they hand the override back; a frame destroyed while it holds
// the override gives back the one it replaced. Without an override the outermost frame counts.
#include "FramesTestKit.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxOleDocIPFrameWnd.h"
#include "frames/UfxOleIPFrameWnd.h"
#include <gtest/gtest.h>

namespace {

class CTestApp : public CWinApp {
public:
  CTestApp() : CWinApp(L"InPlaceFrameTest") {}
};
CTestApp theApp;

// A top-level frame, or one inside a parent window, as in-place frames sit in their container's
// window (messages sent to them change no real activation).
CFrameWnd* NewFrame(CRuntimeClass* pClass, LPCWSTR lpszName, CWnd* pParent = nullptr) {
  auto* pFrame = static_cast<CFrameWnd*>(pClass->CreateObject());
  const DWORD dwStyle = pParent != nullptr ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_BORDER;
  if (!pFrame->Create(nullptr, lpszName, dwStyle, CRect(10, 10, 200, 150), pParent)) {
    ADD_FAILURE() << "the frame was not created";
    return nullptr;
  }
  return pFrame;
}
void Activate(CFrameWnd* pFrame, UINT nState) { pFrame->SendMessage(WM_ACTIVATE, MAKEWPARAM(nState, 0), 0); }

class InPlaceFrames : public ::testing::TestWithParam<CRuntimeClass*> {
protected:
  CFrameWnd* container = nullptr;
  void SetUp() override {
    UfxFrameOverride = nullptr;
    container = NewFrame(RUNTIME_CLASS(CFrameWnd), L"container");
  }
  void TearDown() override {
    UfxFrameOverride = nullptr;
    if (container != nullptr) container->DestroyWindow();
    PumpPending();
  }
};

TEST_P(InPlaceFrames, ActivatedInTurnAndDeactivatedInReverseTheyHandTheOverrideBack) {
  CFrameWnd* a = NewFrame(GetParam(), L"A", container);
  CFrameWnd* b = NewFrame(GetParam(), L"B", container);
  ASSERT_TRUE(a != nullptr && b != nullptr);
  Activate(a, WA_ACTIVE);
  EXPECT_EQ(a, UfxGetTopLevelFrame(nullptr));
  Activate(b, WA_CLICKACTIVE);
  EXPECT_EQ(b, UfxGetTopLevelFrame(nullptr));
  // Any window's top-level frame is the override while there is one.
  EXPECT_EQ(b, UfxGetTopLevelFrame(a));
  Activate(b, WA_INACTIVE);
  EXPECT_EQ(a, UfxGetTopLevelFrame(nullptr));
  Activate(a, WA_INACTIVE);
  EXPECT_EQ(nullptr, UfxGetTopLevelFrame(nullptr));
  a->DestroyWindow();
  b->DestroyWindow();
}

TEST_P(InPlaceFrames, DestroyedWhileHoldingTheOverrideItGivesBackTheOneBefore) {
  CFrameWnd* a = NewFrame(GetParam(), L"A", container);
  CFrameWnd* b = NewFrame(GetParam(), L"B", container);
  ASSERT_TRUE(a != nullptr && b != nullptr);
  Activate(a, WA_ACTIVE);
  Activate(b, WA_ACTIVE);
  b->DestroyWindow();
  EXPECT_EQ(a, UfxGetTopLevelFrame(nullptr));
  // A frame activated twice does not remember itself.
  Activate(a, WA_ACTIVE);
  Activate(a, WA_INACTIVE);
  EXPECT_EQ(nullptr, UfxGetTopLevelFrame(nullptr));
  a->DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Frames, InPlaceFrames,
                         ::testing::Values(RUNTIME_CLASS(CUfxOleIPFrameWnd), RUNTIME_CLASS(CUfxOleDocIPFrameWnd)));

TEST(TopLevelFrame, WithoutAnOverrideTheOutermostFrameCounts) {
  UfxFrameOverride = nullptr;
  EXPECT_EQ(nullptr, UfxGetTopLevelFrame(nullptr));
  CFrameWnd* outer = NewFrame(RUNTIME_CLASS(CFrameWnd), L"outer");
  ASSERT_NE(nullptr, outer);
  auto* inner = new CFrameWnd;
  ASSERT_TRUE(inner->Create(nullptr, L"inner", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 80), outer));
  CWnd child;
  ASSERT_TRUE(child.Create(L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), inner, 1));
  EXPECT_EQ(outer, UfxGetTopLevelFrame(&child));
  EXPECT_EQ(outer, UfxGetTopLevelFrame(inner));
  EXPECT_EQ(outer, UfxGetTopLevelFrame(outer));
  CWnd empty;
  EXPECT_EQ(nullptr, UfxGetTopLevelFrame(&empty));
  child.DestroyWindow();
  outer->DestroyWindow();
  PumpPending();
}

}  // namespace
