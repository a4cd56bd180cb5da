// The check list box: checks kept beside the items (item data stays the caller's), the list
// messages a derived class can watch, toggling by click, double click and space with
// notification 40, and the drawn box; plus the owner-draw reflection of plain list and combo boxes.
#include "Framework.h"
#include <gtest/gtest.h>

enum { IDC_CHECKS = 100, IDC_OWNER_LIST, IDC_OWNER_COMBO };

// A parent that records the command notifications of its children.
class CNotifyParent : public CWnd {
public:
  std::vector<std::pair<int, int>> commands;  // (control id, notification)
  BOOL Make() {
    return CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_WINDOW + 1)), L"Parent",
                    WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.push_back({LOWORD(wParam), HIWORD(wParam)});
    return CWnd::OnCommand(wParam, lParam);
  }
  int Count(int code) const {
    int n = 0;
    for (auto& c : commands) n += c.second == code;
    return n;
  }
};

// Watches the list messages the way a derived check list keeps its own per-item state.
class CWatchingList : public CCheckListBox {
public:
  std::vector<UINT> seen;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == LB_ADDSTRING || message == LB_INSERTSTRING || message == LB_DELETESTRING || message == LB_RESETCONTENT)
      seen.push_back(message);
    return CCheckListBox::WindowProc(message, wParam, lParam);
  }
};

struct CheckListFixture : ::testing::Test {
  CNotifyParent parent;
  CWatchingList list;
  void SetUp() override {
    ASSERT_TRUE(parent.Make());
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(0, 0, 200, 200), &parent, IDC_CHECKS));
    for (LPCWSTR s : {L"alpha", L"beta", L"gamma"}) list.AddString(s);
  }
  void TearDown() override { parent.DestroyWindow(); }
  CPoint BoxOf(int n) {
    CRect rc;
    list.GetItemRect(n, &rc);
    return CPoint(rc.left + list.CheckBoxWidth() / 2, rc.top + rc.Height() / 2);
  }
  CPoint TextOf(int n) {
    CRect rc;
    list.GetItemRect(n, &rc);
    return CPoint(rc.left + list.CheckBoxWidth() + 30, rc.top + rc.Height() / 2);
  }
  void Click(CPoint p, bool dbl = false) {
    list.SendMessage(dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  }
};

TEST_F(CheckListFixture, ChecksFollowTheirItemsAndItemDataStaysTheCallers) {
  EXPECT_TRUE(list.GetStyle() & LBS_OWNERDRAWFIXED);
  list.SetItemData(1, 0xDEADBEEF);
  list.SetCheck(1, 1);
  list.InsertString(0, L"first");
  EXPECT_EQ(0, list.GetCheck(1));
  EXPECT_EQ(1, list.GetCheck(2)) << "the check moved with its item";
  EXPECT_EQ((DWORD_PTR)0xDEADBEEF, list.GetItemData(2)) << "item data is the caller's";
  list.DeleteString(0);
  EXPECT_EQ(1, list.GetCheck(1));
  EXPECT_EQ((DWORD_PTR)0xDEADBEEF, list.GetItemData(1));
  list.ResetContent();
  EXPECT_EQ(0, list.GetCount());
  list.AddString(L"again");
  EXPECT_EQ(0, list.GetCheck(0)) << "emptying forgot the checks";
  EXPECT_EQ((std::vector<UINT>{LB_ADDSTRING, LB_ADDSTRING, LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING,
                               LB_RESETCONTENT, LB_ADDSTRING}),
            list.seen);
}

TEST_F(CheckListFixture, ClickDoubleClickAndSpaceToggleAndNotify) {
  struct Case {
    const char* what;
    UINT style;
    bool disable;
    int action;  // 0 click on box, 1 click on text, 2 double click on box, 3 space
    std::vector<int> checks;  // the check after each of three actions
  };
  const Case cases[] = {
      {"click on the box", BS_AUTOCHECKBOX, false, 0, {1, 0, 1}},
      {"click on the text", BS_AUTOCHECKBOX, false, 1, {0, 0, 0}},
      {"double click on the box", BS_AUTOCHECKBOX, false, 2, {1, 0, 1}},
      {"space", BS_AUTOCHECKBOX, false, 3, {1, 0, 1}},
      {"three states", BS_AUTO3STATE, false, 0, {1, 2, 0}},
      {"not automatic", BS_CHECKBOX, false, 0, {0, 0, 0}},
      {"disabled item", BS_AUTOCHECKBOX, true, 0, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    list.SetCheckStyle(c.style);
    list.SetCheck(1, 0);
    list.Enable(1, !c.disable);
    list.SetCurSel(1);
    parent.commands.clear();
    int changes = 0;
    for (size_t i = 0; i < c.checks.size(); ++i) {
      if (c.action == 0) Click(BoxOf(1));
      else if (c.action == 1) Click(TextOf(1));
      else if (c.action == 2) Click(BoxOf(1), true);
      else list.SendMessage(WM_KEYDOWN, VK_SPACE, 0x00390001);
      changes += i == 0 ? c.checks[0] != 0 : c.checks[i] != c.checks[i - 1];
      EXPECT_EQ(c.checks[i], list.GetCheck(1)) << c.what << " #" << i;
    }
    EXPECT_EQ(changes, parent.Count(CLBN_CHKCHANGE)) << c.what;
    for (auto& cmd : parent.commands) EXPECT_EQ(IDC_CHECKS, cmd.first);
    EXPECT_EQ(0, list.GetCheck(0)) << c.what << ": the neighbour is untouched";
  }
}

// Dark pixels inside the box of an item, read back from the screen.
static int DarkPixelsInBox(CCheckListBox& list, int n) {
  list.RedrawWindow();
  CRect rc;
  list.GetItemRect(n, &rc);
  HDC dc = ::GetDC(list.m_hWnd);
  int dark = 0;
  for (int y = rc.top + 2; y < rc.bottom - 2; ++y)
    for (int x = rc.left + 4; x < rc.left + list.CheckBoxWidth() - 4; ++x) {
      COLORREF c = ::GetPixel(dc, x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ++dark;
    }
  ::ReleaseDC(list.m_hWnd, dc);
  return dark;
}

TEST_F(CheckListFixture, ACheckedBoxIsDrawnWithAMark) {
  list.SetCheck(0, 1);
  int checked = DarkPixelsInBox(list, 0), unchecked = DarkPixelsInBox(list, 1);
  EXPECT_GT(checked, unchecked + 4) << checked << " vs " << unchecked;
}

// Plain owner-drawn lists get their WM_MEASUREITEM and WM_DRAWITEM through the parent.
template <class Base>
class COwnerDrawn : public Base {
public:
  int drawn = 0, measured = 0;
  void DrawItem(LPDRAWITEMSTRUCT) override { ++drawn; }
  void MeasureItem(LPMEASUREITEMSTRUCT p) override {
    ++measured;
    p->itemHeight = 21;
  }
};

TEST(OwnerDraw, ListAndComboBoxesDrawAndMeasureTheirItems) {
  CNotifyParent parent;
  ASSERT_TRUE(parent.Make());
  COwnerDrawn<CListBox> list;
  COwnerDrawn<CComboBox> combo;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, CRect(0, 0, 100, 100), &parent,
                          IDC_OWNER_LIST));
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                           CRect(110, 0, 200, 100), &parent, IDC_OWNER_COMBO));
  list.AddString(L"one");
  list.AddString(L"two");
  combo.AddString(L"one");
  combo.SetCurSel(0);
  list.RedrawWindow();
  combo.RedrawWindow();
  EXPECT_GE(list.measured, 2);
  EXPECT_EQ(21, list.GetItemHeight(1));
  EXPECT_GE(combo.measured, 1);
  EXPECT_GE(list.drawn, 2);
  EXPECT_GE(combo.drawn, 1);
  parent.DestroyWindow();
}
