// The edit list on the display: its standard buttons with their pictures, tooltips and keys,
// the layout of caption, buttons and list, moving, deleting and adding items (in-place editing
// that ends with or without a text), and the browse button of the in-place edit.
#include "ColorTestKit.h"
#include "FrameLooksKit.h"
#include "looks/UfxButton.h"
#include "looks/UfxListEditorCtrl.h"
#include <string>

using namespace color_test;

namespace {

CWinApp theApp(L"LooksEditListTests");

// Records what the list reports.
class CRecordingList : public CUfxListEditorCtrl {
public:
  std::vector<std::string> events;
  void OnAfterAddItem(int i) override { events.push_back("added " + std::to_string(i)); }
  void OnAfterRenameItem(int i) override { events.push_back("renamed " + std::to_string(i)); }
  void OnAfterMoveItemUp(int i) override { events.push_back("up " + std::to_string(i)); }
  void OnAfterMoveItemDown(int i) override { events.push_back("down " + std::to_string(i)); }
  void OnBrowse() override { events.push_back("browse"); }
};

class EditList : public ColorTest {
protected:
  void SetUp() override {
    ColorTest::SetUp();
    ASSERT_TRUE(resources.IsLoaded()) << "BrookResx.dll not found beside the program";
    ASSERT_TRUE(parent.Make(60, 60, 320, 260, WS_POPUP | WS_VISIBLE));
    ASSERT_TRUE(list.Create(L"Items", WS_CHILD | WS_VISIBLE, CRect(10, 10, 250, 210), &parent, 70));
    ASSERT_TRUE(list.SetStandardButtons());
    ::SetForegroundWindow(parent.GetSafeHwnd());
  }
  void TearDown() override {
    SetKeys({});
    list.DestroyWindow();
    parent.DestroyWindow();
    ColorTest::TearDown();
  }
  void Fill(std::initializer_list<const wchar_t*> items) {
    for (const wchar_t* p : items) list.AddItem(p);
  }
  std::vector<std::wstring> Items() {
    std::vector<std::wstring> v;
    for (int i = 0; i < list.GetCount(); ++i) v.push_back((LPCWSTR)list.GetItemText(i));
    return v;
  }
  // The thread's key state: these keys down, all others up.
  static void SetKeys(std::initializer_list<BYTE> keys) {
    BYTE state[256] = {};
    for (BYTE k : keys) state[k] = 0x80;
    ::SetKeyboardState(state);
  }
  // A key pressed in the list, through the program's message filter as the loop delivers it.
  void PressKey(UINT vk, bool bAlt = false) {
    SetKeys(bAlt ? std::initializer_list<BYTE>{VK_MENU} : std::initializer_list<BYTE>{});
    ::PostMessageW(list.GetListHwnd(), bAlt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, bAlt ? (1 << 29) : 0);
    PumpRoundTrip(list.GetListHwnd());
    SetKeys({});
  }
  static CString TooltipOf(CUfxButton* pButton) {
    wchar_t szText[256] = {};
    TTTOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = pButton->GetSafeHwnd();
    ti.uId = (UINT_PTR)pButton->GetSafeHwnd();
    ti.lpszText = szText;
    pButton->m_wndToolTip.SendMessage(TTM_GETTEXTW, 256, (LPARAM)&ti);
    if (szText[0] == 0) {
      ti.uFlags = TTF_IDISHWND;
      ti.hwnd = pButton->GetParent()->GetSafeHwnd();
      pButton->m_wndToolTip.SendMessage(TTM_GETTEXTW, 256, (LPARAM)&ti);
    }
    return szText;
  }
  looks_frame::CMenuGlyphResources resources;
  CCommandRecorder parent;
  CRecordingList list;
};

TEST_F(EditList, StandardButtonsCarryPicturesTooltipsWithTheirKeysAndStandRightToLeft) {
  ASSERT_EQ(4, list.GetButtonsCount());
  const wchar_t* expected[] = {L"New (Insert)", L"Delete (Delete)", L"Move Up (Alt+Up)", L"Move Down (Alt+Down)"};
  CRect rectCaption = list.GetCaptionRect();
  int xRight = rectCaption.right - 1;
  for (int i = 0; i < 4; ++i) {
    CUfxButton* pButton = list.GetButton(i);
    EXPECT_EQ(CSize(12, 12), pButton->m_sizeImage) << i;
    EXPECT_EQ(CString(expected[i]), TooltipOf(pButton)) << i;
    EXPECT_EQ((UINT)(i + 2), (UINT)pButton->GetDlgCtrlID());
    CRect rect;
    pButton->GetWindowRect(rect);
    list.ScreenToClient(rect);
    EXPECT_EQ(xRight, rect.right) << i;
    EXPECT_EQ(rectCaption.top + 1, rect.top) << i;
    xRight = rect.left;
  }
  CRect rectList;
  ::GetWindowRect(list.GetListHwnd(), rectList);
  list.ScreenToClient(rectList);
  EXPECT_EQ(rectCaption.bottom, rectList.top);
  EXPECT_GE(rectCaption.Height(), list.GetButton(0)->m_sizeImage.cy + 6);
  EXPECT_EQ(list.GetStandardButtons(), 15u);
}

TEST_F(EditList, AltDownMovesAnItemDownKeepingItSelectedButNotPastTheEnd) {
  Fill({L"a", L"b", L"c"});
  EXPECT_EQ(0, list.GetSelItem());  // the first item added is selected
  PressKey(VK_DOWN, true);
  EXPECT_EQ((std::vector<std::wstring>{L"b", L"a", L"c"}), Items());
  EXPECT_EQ(1, list.GetSelItem());
  PressKey(VK_DOWN, true);
  PressKey(VK_DOWN, true);  // already last: nothing
  EXPECT_EQ((std::vector<std::wstring>{L"b", L"c", L"a"}), Items());
  EXPECT_EQ(2, list.GetSelItem());
  PressKey(VK_UP, true);
  EXPECT_EQ((std::vector<std::wstring>{L"b", L"a", L"c"}), Items());
  EXPECT_EQ((std::vector<std::string>{"down 1", "down 2", "up 1"}), list.events);
}

TEST_F(EditList, DeletingTheLastItemSelectsTheNewLastItem) {
  Fill({L"a", L"b", L"c"});
  list.SelectItem(2);
  PressKey(VK_DELETE);
  EXPECT_EQ((std::vector<std::wstring>{L"a", L"b"}), Items());
  EXPECT_EQ(1, list.GetSelItem());
  list.SelectItem(0);
  list.GetButton(1)->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  list.GetButton(1)->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  ASSERT_TRUE(PumpUntil([&] { return list.GetCount() == 1; }));
  EXPECT_EQ(0, list.GetSelItem());
  EXPECT_EQ(CString(L"b"), list.GetItemText(0));
}

TEST_F(EditList, ANewItemStaysWithATextAndGoesWithoutOne) {
  Fill({L"a"});
  for (const bool bWithText : {true, false}) {
    SCOPED_TRACE(bWithText ? "with text" : "empty");
    PressKey(VK_INSERT);
    ASSERT_EQ(2, list.GetCount());
    CEdit* pEdit = list.GetList()->GetEditControl();
    ASSERT_NE(nullptr, pEdit);
    EXPECT_EQ(pEdit->GetSafeHwnd(), list.GetEdit().GetSafeHwnd());
    EXPECT_FALSE(list.GetButton(0)->IsWindowEnabled());  // buttons wait for the edit
    pEdit->SetWindowText(bWithText ? L"new one" : L"");
    pEdit->PostMessage(WM_KEYDOWN, VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return list.GetList()->GetEditControl() == nullptr; }));
    EXPECT_TRUE(list.GetButton(0)->IsWindowEnabled());
    if (bWithText) {
      EXPECT_EQ((std::vector<std::wstring>{L"a", L"new one"}), Items());
      EXPECT_EQ((std::vector<std::string>{"added 1"}), list.events);
      list.RemoveItem(1);
    } else {
      EXPECT_EQ((std::vector<std::wstring>{L"a"}), Items());
    }
    list.events.clear();
  }
}

TEST_F(EditList, F2RenamesTheSelectedItemAndAnEmptyTextKeepsTheOldOne) {
  Fill({L"a", L"b"});
  list.SelectItem(1);
  PressKey(VK_F2);
  CEdit* pEdit = list.GetList()->GetEditControl();
  ASSERT_NE(nullptr, pEdit);
  pEdit->SetWindowText(L"");
  pEdit->PostMessage(WM_KEYDOWN, VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return list.GetList()->GetEditControl() == nullptr; }));
  EXPECT_EQ((std::vector<std::wstring>{L"a", L"b"}), Items());
  PressKey(VK_F2);
  pEdit = list.GetList()->GetEditControl();
  ASSERT_NE(nullptr, pEdit);
  pEdit->SetWindowText(L"bee");
  pEdit->PostMessage(WM_KEYDOWN, VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return list.GetList()->GetEditControl() == nullptr; }));
  EXPECT_EQ((std::vector<std::wstring>{L"a", L"bee"}), Items());
  EXPECT_EQ((std::vector<std::string>{"renamed 1"}), list.events);
}

TEST_F(EditList, TheBrowseButtonOfTheInPlaceEditAsksTheListToBrowse) {
  list.EnableBrowseButton();
  Fill({L"C:\\tools"});
  PressKey(VK_F2);
  CUfxPathEdit& edit = list.GetEdit();
  ASSERT_NE(nullptr, edit.GetSafeHwnd());
  CRect rectWindow, rectClient;
  edit.GetWindowRect(rectWindow);
  edit.GetClientRect(rectClient);
  EXPECT_EQ(CUfxPathEdit::kBrowseWidth, edit.m_rectBtn.Width());
  EXPECT_LE(rectClient.Width(), rectWindow.Width() - CUfxPathEdit::kBrowseWidth);
  EXPECT_LE(edit.m_rectBtn.right, rectWindow.right);
  const CPoint ptButton = edit.m_rectBtn.CenterPoint();
  ::SetCursorPos(ptButton.x, ptButton.y);
  const LRESULT hit = edit.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptButton.x, ptButton.y));
  edit.PostMessage(WM_NCLBUTTONDOWN, hit, MAKELPARAM(ptButton.x, ptButton.y));
  CPoint ptClient = ptButton;
  edit.ScreenToClient(&ptClient);
  edit.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
  ASSERT_TRUE(PumpUntil([&] { return !list.events.empty(); }));
  EXPECT_EQ((std::vector<std::string>{"browse"}), list.events);
  edit.PostMessage(WM_KEYDOWN, VK_ESCAPE);
  PumpUntil([&] { return list.GetList()->GetEditControl() == nullptr; });
}

TEST_F(EditList, AClickOnTheSelectedItemsLabelEditsItOnRelease) {
  Fill({L"first item", L"second item"});
  list.SelectItem(1);
  list.GetList()->SetFocus();
  CRect rectLabel;
  ASSERT_TRUE(list.GetList()->GetItemRect(1, rectLabel, LVIR_LABEL));
  const CPoint pt(rectLabel.left + 5, rectLabel.CenterPoint().y);
  // Moved away past the drag distance: no edit.
  const CPoint ptFar(pt.x + ::GetSystemMetrics(SM_CXDRAG) + 30, pt.y);
  list.GetList()->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  list.GetList()->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptFar.x, ptFar.y));
  PumpRoundTrip(list.GetListHwnd());
  EXPECT_EQ(nullptr, list.GetList()->GetEditControl());
  EXPECT_EQ(1, list.GetSelItem());
  // Released where it was pressed: the label is edited at once (the list's own click editing
  // would wait for the double-click time first).
  list.GetList()->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  list.GetList()->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  PumpRoundTrip(list.GetListHwnd());
  ASSERT_NE(nullptr, list.GetList()->GetEditControl());
  EXPECT_EQ(CString(L"second item"), [&] {
    CString s;
    list.GetList()->GetEditControl()->GetWindowText(s);
    return s;
  }());
  list.GetList()->GetEditControl()->PostMessage(WM_KEYDOWN, VK_ESCAPE);
  ASSERT_TRUE(PumpUntil([&] { return list.GetList()->GetEditControl() == nullptr; }));
  EXPECT_EQ((std::vector<std::wstring>{L"first item", L"second item"}), Items());
}

TEST_F(EditList, ADoubleClickWithNothingSelectedStartsANewItem) {
  list.GetList()->PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 20));
  ASSERT_TRUE(PumpUntil([&] { return list.GetList()->GetEditControl() != nullptr; }));
  EXPECT_EQ(1, list.GetCount());
  list.GetList()->GetEditControl()->PostMessage(WM_KEYDOWN, VK_ESCAPE);
  ASSERT_TRUE(PumpUntil([&] { return list.GetList()->GetEditControl() == nullptr; }));
  EXPECT_EQ(0, list.GetCount());
}

TEST_F(EditList, DisablingTheControlDisablesItsButtonsAndList) {
  list.EnableWindow(FALSE);
  for (int i = 0; i < list.GetButtonsCount(); ++i) EXPECT_FALSE(list.GetButton(i)->IsWindowEnabled());
  EXPECT_FALSE(::IsWindowEnabled(list.GetListHwnd()));
  list.EnableWindow(TRUE);
  EXPECT_TRUE(::IsWindowEnabled(list.GetListHwnd()));
}

}  // namespace
