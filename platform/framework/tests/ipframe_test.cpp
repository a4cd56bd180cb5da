// In-place frame bases: creatable by run-time class, placed and clipped by RepositionFrame; no
// item is ever active in place.
#include "Framework.h"
#include <gtest/gtest.h>

TEST(InPlaceFrame, FramesAreCreatableAndClipToTheVisiblePart) {
  CObject* pObject = RUNTIME_CLASS(COleDocIPFrameWnd)->CreateObject();
  ASSERT_NE(nullptr, pObject);
  EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(COleIPFrameWnd)));
  EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CFrameWnd)));
  COleIPFrameWnd* pFrame = (COleIPFrameWnd*)pObject;
  ASSERT_TRUE(pFrame->Create(nullptr, L"in place", WS_POPUP, CRect(0, 0, 10, 10)));
  EXPECT_TRUE(pFrame->OnCreateControlBars(nullptr, nullptr));
  pFrame->RepositionFrame(CRect(100, 100, 300, 200), CRect(150, 0, 1000, 180));
  CRect rect;
  pFrame->GetWindowRect(&rect);
  EXPECT_EQ(CRect(100, 100, 300, 200), rect);
  HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(ERROR, ::GetWindowRgn(pFrame->m_hWnd, hRgn));
  CRect box;
  ::GetRgnBox(hRgn, &box);
  ::DeleteObject(hRgn);
  EXPECT_EQ(CRect(50, 0, 200, 80), box);
  EXPECT_EQ(nullptr, AfxGetInPlaceActiveItem(pFrame));
  pFrame->DestroyWindow();  // deletes the frame
}
