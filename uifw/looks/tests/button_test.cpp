// The owner-drawn button in a window on the display, driven by posted mouse messages and by key
// messages through its message filter: hot and pressed looks, clicks, auto-repeat, check boxes and
// radio groups, sizing to its caption, and its border in each look.
#include "LooksTestKit.h"
#include "TestPump.h"
#include "looks/UfxButton.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxVisualManagerXP.h"
#include "looks/UfxWinXPVisualManager.h"
#include <vector>

namespace {

// The parent: counts the commands and click notifications its buttons send.
class CCommandCounter : public CWnd {
public:
  std::vector<std::pair<UINT, UINT>> commands;  // (id, notification)
  BOOL OnCommand(WPARAM wParam, LPARAM) override {
    commands.push_back({LOWORD(wParam), HIWORD(wParam)});
    return TRUE;
  }
  int Count(UINT id) const {
    int n = 0;
    for (auto& c : commands) n += c.first == id;
    return n;
  }
};

// A button that counts the timer ticks it gets: the auto-repeat's clock, seen from outside.
class CTickCountingButton : public CUfxButton {
public:
  int ticks = 0;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TIMER) ++ticks;
    return CUfxButton::WindowProc(message, wParam, lParam);
  }
};

class ButtonWindow : public LooksTest {
protected:
  void SetUp() override {
    LooksTest::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"buttons", WS_POPUP, 10, 10, 300, 200, nullptr, nullptr));
  }
  void TearDown() override {
    for (CUfxButton* b : {static_cast<CUfxButton*>(&button), &second, &third})
      if (b->GetSafeHwnd()) b->DestroyWindow();
    parent.DestroyWindow();
    LooksTest::TearDown();
  }
  void Make(CUfxButton& b, LPCWSTR text, DWORD style, const CRect& rect, UINT id) {
    ASSERT_TRUE(b.Create(text, WS_CHILD | WS_VISIBLE | style, rect, &parent, id));
  }
  // Posts a mouse message at (x, y) of the button. The real pointer is put on the same point
  // first: once the button holds the capture, a move of the real pointer elsewhere would reach
  // it too and tell it the pointer left.
  static void Post(CUfxButton& b, UINT msg, WPARAM w, int x, int y) {
    CPoint screen(x, y);
    b.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    PumpPending();
    b.PostMessage(msg, w, MAKELPARAM(x, y));
    PumpPending();
  }
  CCommandCounter parent;
  CTickCountingButton button;
  CUfxButton second, third;
};

TEST_F(ButtonWindow, CreationMakesItOwnerDrawnAndReadsItsKind) {
  Make(button, L"Check", BS_AUTOCHECKBOX | BS_LEFT | BS_DEFPUSHBUTTON, CRect(0, 0, 80, 24), 10);
  EXPECT_EQ((DWORD)BS_OWNERDRAW, button.GetStyle() & 0x0F);
  EXPECT_TRUE(button.m_bCheckButton);
  EXPECT_TRUE(button.m_bAutoCheck);
  EXPECT_EQ((int)CUfxButton::ALIGN_LEFT, button.m_nAlignStyle);
  Make(second, L"Push", BS_PUSHBUTTON, CRect(0, 30, 80, 54), 11);
  EXPECT_EQ(0, second.SendMessage(BM_GETCHECK));
  second.SendMessage(BM_SETCHECK, BST_CHECKED);  // not a check box: ignored
  EXPECT_FALSE(second.IsChecked());
}

TEST_F(ButtonWindow, FlatButtonGetsHotOnlyWhileTheCursorIsOver) {
  Make(button, L"Flat", BS_PUSHBUTTON, CRect(0, 0, 80, 24), 10);
  button.m_nFlatStyle = CUfxButton::BUTTONSTYLE_FLAT;
  Post(button, WM_MOUSEMOVE, 0, 10, 10);
  EXPECT_TRUE(button.IsHighlighted());
  Post(button, WM_MOUSEMOVE, 0, 200, 10);
  EXPECT_FALSE(button.IsHighlighted());
  // Held down, leaving removes only the pressed look.
  Post(button, WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
  EXPECT_TRUE(button.IsPressed());
  Post(button, WM_MOUSEMOVE, MK_LBUTTON, 200, 10);
  EXPECT_FALSE(button.IsPushed());
  EXPECT_TRUE(button.IsHighlighted());
  Post(button, WM_MOUSEMOVE, MK_LBUTTON, 10, 10);
  EXPECT_TRUE(button.IsPressed());  // back over it: pressed again
  Post(button, WM_LBUTTONUP, 0, 10, 10);
  EXPECT_EQ(1, parent.Count(10));
}

TEST_F(ButtonWindow, ReleasingOutsideIsNoClick) {
  Make(button, L"Check", BS_AUTOCHECKBOX, CRect(0, 0, 80, 24), 10);
  Post(button, WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
  Post(button, WM_MOUSEMOVE, MK_LBUTTON, 200, 10);
  Post(button, WM_LBUTTONUP, 0, 200, 10);
  EXPECT_EQ(0, parent.Count(10));
  EXPECT_FALSE(button.IsChecked());
  EXPECT_FALSE(button.m_bCaptured);
  Post(button, WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
  Post(button, WM_LBUTTONUP, 0, 10, 10);
  EXPECT_EQ(1, parent.Count(10));
  EXPECT_TRUE(button.IsChecked());
  EXPECT_EQ(BST_CHECKED, button.SendMessage(BM_GETCHECK));
}

TEST_F(ButtonWindow, AutoRepeatOnlyWhileHot) {
  Make(button, L"Repeat", BS_PUSHBUTTON, CRect(0, 0, 80, 24), 10);
  button.SetAutorepeatMode(30);
  Post(button, WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
  EXPECT_TRUE(PumpUntil([&] { return parent.Count(10) >= 3; })) << "repeated while held";
  Post(button, WM_MOUSEMOVE, MK_LBUTTON, 200, 10);  // away: no longer pushed
  const int away = parent.Count(10);
  const int ticksAway = button.ticks;
  ASSERT_TRUE(PumpUntil([&] { return button.ticks >= ticksAway + 3; }));  // the clock goes on, in vain
  EXPECT_EQ(away, parent.Count(10));
  Post(button, WM_LBUTTONUP, 0, 200, 10);
  EXPECT_EQ(away, parent.Count(10));  // no click
}

TEST_F(ButtonWindow, RadioGroupsByClicksAndArrowKeys) {
  parent.ShowWindow(SW_SHOWNA);  // the group walks visible buttons only
  Make(button, L"One", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, CRect(0, 0, 80, 20), 1);
  Make(second, L"Two", BS_AUTORADIOBUTTON, CRect(0, 20, 80, 40), 2);
  Make(third, L"Three", BS_AUTORADIOBUTTON, CRect(0, 40, 80, 60), 3);
  second.SendMessage(BM_SETCHECK, BST_CHECKED);
  Post(third, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  Post(third, WM_LBUTTONUP, 0, 5, 5);
  EXPECT_TRUE(third.IsChecked());
  EXPECT_FALSE(second.IsChecked());
  EXPECT_FALSE(button.IsChecked());
  // The down arrow moves the check to the next radio of the group (round to the first).
  MSG key = {third.GetSafeHwnd(), WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
  EXPECT_TRUE(third.PreTranslateMessage(&key));
  PumpPending();
  EXPECT_TRUE(button.IsChecked());
  EXPECT_FALSE(third.IsChecked());
  EXPECT_EQ(button.GetSafeHwnd(), ::GetFocus());
  EXPECT_EQ(1, parent.Count(1));
  MSG up = {button.GetSafeHwnd(), WM_KEYDOWN, VK_UP, 0, 0, {0, 0}};
  EXPECT_TRUE(button.PreTranslateMessage(&up));
  EXPECT_TRUE(third.IsChecked());
  // A disabled radio is passed over.
  second.EnableWindow(FALSE);
  MSG right = {third.GetSafeHwnd(), WM_KEYDOWN, VK_RIGHT, 0, 0, {0, 0}};
  third.PreTranslateMessage(&right);
  MSG left = {button.GetSafeHwnd(), WM_KEYDOWN, VK_LEFT, 0, 0, {0, 0}};
  button.PreTranslateMessage(&left);
  EXPECT_TRUE(third.IsChecked());
  EXPECT_FALSE(second.IsChecked());
}

TEST_F(ButtonWindow, SpaceTogglesAnAutoCheckBoxAndEnterSendsTheCommand) {
  Make(button, L"Check", BS_AUTOCHECKBOX, CRect(0, 0, 80, 24), 10);
  MSG space = {button.GetSafeHwnd(), WM_KEYDOWN, VK_SPACE, 0, 0, {0, 0}};
  EXPECT_TRUE(button.PreTranslateMessage(&space));
  EXPECT_TRUE(button.IsChecked());
  MSG enter = {button.GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  EXPECT_TRUE(button.PreTranslateMessage(&enter));
  EXPECT_EQ(2, parent.Count(10));
}

TEST_F(ButtonWindow, SizeToContentFollowsTheCaption) {
  Make(button, L"A caption", BS_PUSHBUTTON, CRect(0, 0, 20, 20), 10);
  CClientDC dc(&button);
  CFont* old = button.SelectFont(&dc);
  const CSize text = dc.GetTextExtent(CString(L"A caption"));
  dc.SelectObject(old);
  const CSize size = button.SizeToContent(TRUE);
  EXPECT_EQ(CSize(text.cx + 20, text.cy + 10), size);
  CRect rect;
  button.GetWindowRect(rect);
  EXPECT_EQ(20, rect.Width());  // only calculated
  button.SizeToContent();
  button.GetWindowRect(rect);
  EXPECT_EQ(size, rect.Size());
}

// The face and border a button paints, on a memory canvas.
std::basic_string<COLORREF> Paint(CUfxButton& b, CTestCanvas& canvas, const CRect& rect) {
  CRect r = rect;
  b.OnFillBackground(&canvas.dc(), rect);
  b.OnDrawBorder(&canvas.dc(), r, 0);
  return canvas.Pixels();
}

TEST_F(ButtonWindow, BordersInEachLook) {
  Make(button, L"", BS_PUSHBUTTON, CRect(0, 0, 40, 20), 10);
  const CRect rect(0, 0, 40, 20);
  // The base look: the classic raised border.
  CTestCanvas classic(40, 20, RGB(1, 2, 3));
  Paint(button, classic, rect);
  EXPECT_EQ(UfxGlobalData.clrBtnHilite, classic.At(0, 0));
  EXPECT_EQ(UfxGlobalData.clrBtnDkShadow, classic.At(39, 19));
  EXPECT_EQ(UfxGlobalData.clrBtnLight, classic.At(1, 1));
  // Flat and not hot: no border at all.
  button.m_nFlatStyle = CUfxButton::BUTTONSTYLE_FLAT;
  CTestCanvas flat(40, 20, RGB(1, 2, 3));
  Paint(button, flat, rect);
  EXPECT_EQ(UfxGlobalData.clrBtnFace, flat.At(0, 0));
  button.m_nFlatStyle = CUfxButton::BUTTONSTYLE_3D;
  // Under Wine's theme the themed look draws the BUTTON theme's push button instead.
  CUfxVisualManager::SetDefaultManager(RUNTIME_CLASS(CUfxWinXPVisualManager));
  ASSERT_TRUE(UfxGlobalData.IsThemeActive());
  CTestCanvas themed(40, 20, RGB(1, 2, 3));
  Paint(button, themed, rect);
  EXPECT_FALSE(themed.Pixels() == classic.Pixels());
  // The flat look keeps the classic border.
  CUfxVisualManager::SetDefaultManager(RUNTIME_CLASS(CUfxVisualManagerXP));
  CTestCanvas again(40, 20, RGB(1, 2, 3));
  Paint(button, again, rect);
  EXPECT_TRUE(again.Pixels() == classic.Pixels());
}

TEST_F(ButtonWindow, CheckedFaceIsLightenedUnlessPressed) {
  Make(button, L"", BS_AUTOCHECKBOX, CRect(0, 0, 40, 20), 10);
  button.SendMessage(BM_SETCHECK, BST_CHECKED);
  CTestCanvas canvas(40, 20);
  button.OnFillBackground(&canvas.dc(), CRect(0, 0, 40, 20));
  const COLORREF f = UfxGlobalData.clrBtnFace, h = UfxGlobalData.clrBtnHilite;
  EXPECT_EQ(RGB(GetRValue(f) + (GetRValue(h) - GetRValue(f)) / 2, GetGValue(f) + (GetGValue(h) - GetGValue(f)) / 2,
                GetBValue(f) + (GetBValue(h) - GetBValue(f)) / 2), canvas.At(20, 10));
}

TEST_F(ButtonWindow, FullTextTooltipOnlyWhenTheCaptionDoesNotFit) {
  Make(button, L"A caption of some length", BS_PUSHBUTTON, CRect(0, 0, 250, 24), 10);
  button.EnableFullTextTooltip();
  CTestCanvas canvas(250, 24);
  auto paint = [&](int width) {
    DRAWITEMSTRUCT dis = {};
    dis.hDC = canvas.dc().GetSafeHdc();
    dis.rcItem = CRect(0, 0, width, 24);
    button.DrawItem(&dis);
  };
  paint(250);
  EXPECT_EQ(nullptr, button.m_wndToolTip.GetSafeHwnd());  // it fits
  button.SetWindowPos(nullptr, 0, 0, 30, 24, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);  // WM_SIZE: check again
  paint(30);
  ASSERT_NE(nullptr, button.m_wndToolTip.GetSafeHwnd());
  EXPECT_EQ(1, (int)button.m_wndToolTip.SendMessage(TTM_GETTOOLCOUNT));
}

TEST_F(ButtonWindow, HandCursorComesFromTheResourceLibrary) {
  HMODULE resx = ::LoadLibraryW(L"BrookResx.dll");
  ASSERT_NE(nullptr, resx);
  HINSTANCE saved = AfxGetResourceHandle();
  AfxSetResourceHandle(resx);
  Make(button, L"Link", BS_PUSHBUTTON, CRect(0, 0, 80, 24), 10);
  button.SetMouseCursorHand();
  AfxSetResourceHandle(saved);
  EXPECT_NE(nullptr, button.m_hCursor);
  EXPECT_EQ(::LoadCursorW(resx, MAKEINTRESOURCEW(CUfxButton::IDC_UFX_HAND)), button.m_hCursor);
}

}  // namespace
