// Window objects: attaching by subclassing, the default procedure, temporary objects, search of
// descendants and messages to descendants.
#include "Framework.h"
#include <gtest/gtest.h>

class CCountingWnd : public CWnd {
public:
  int clicks = 0, setTexts = 0;
  afx_msg void OnClicked() { ++clicks; }
  afx_msg LRESULT OnSetText(WPARAM, LPARAM) {
    ++setTexts;
    return Default();  // the control still stores the text
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCountingWnd, CWnd)
  ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
  ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

class Wnd : public ::testing::Test {
protected:
  CWnd parent;
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr));
  }
  void TearDown() override { parent.DestroyWindow(); }
};

TEST_F(Wnd, SubclassingAttachesAndUnsubclassingRestores) {
  HWND hButton = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | BS_PUSHBUTTON, 0, 0, 50, 20, parent.m_hWnd,
                                   (HMENU)7, nullptr, nullptr);
  WNDPROC original = (WNDPROC)::GetWindowLongPtrW(hButton, GWLP_WNDPROC);
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hButton));
  CCountingWnd button;
  ASSERT_TRUE(button.SubclassDlgItem(7, &parent));
  EXPECT_EQ(&button, CWnd::FromHandlePermanent(hButton));
  EXPECT_FALSE(CCountingWnd().SubclassWindow(hButton));  // one object per window
  button.SetWindowText(L"new");
  EXPECT_EQ(1, button.setTexts);
  CString text;
  button.GetWindowText(text);
  EXPECT_STREQ(L"new", text);  // Default passed the message to the original procedure
  parent.SendMessage(WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), (LPARAM)hButton);
  EXPECT_EQ(1, button.clicks);
  EXPECT_EQ(hButton, button.UnsubclassWindow());
  EXPECT_EQ(original, (WNDPROC)::GetWindowLongPtrW(hButton, GWLP_WNDPROC));
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hButton));
  ::DestroyWindow(hButton);
}

TEST_F(Wnd, TemporaryObjectsStandInUntilIdle) {
  HWND hChild = ::CreateWindowExW(0, L"STATIC", L"s", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd, (HMENU)9, nullptr, nullptr);
  CWnd* temp = CWnd::FromHandle(hChild);
  ASSERT_NE(nullptr, temp);
  EXPECT_EQ(temp, CWnd::FromHandle(hChild));  // the same stand-in until it is freed
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hChild));
  EXPECT_EQ(temp, parent.GetDlgItem(9));
  AfxDeleteTempMaps();
  EXPECT_TRUE(::IsWindow(hChild));  // freeing the stand-in leaves the window alone
  EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
  ::DestroyWindow(hChild);
}

TEST_F(Wnd, DescendantSearchPrefersChildrenWithTheParentsId) {
  CWnd outer, inner, other;
  ASSERT_TRUE(outer.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 50, 50), &parent, 100));
  ASSERT_TRUE(inner.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &outer, 100));
  ASSERT_TRUE(other.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &outer, 200));
  EXPECT_EQ(&inner, parent.GetDescendantWindow(100, TRUE));
  EXPECT_EQ(&other, parent.GetDescendantWindow(200, TRUE));
  EXPECT_EQ(nullptr, parent.GetDescendantWindow(300, TRUE));
  // Only the object-backed windows get the message when asked so.
  struct CCounter : public CWnd {
    int hits = 0;
    LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
      if (m == WM_APP + 3) ++hits;
      return CWnd::WindowProc(m, w, l);
    }
  } deep;
  ASSERT_TRUE(deep.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 5, 5), &inner, 1));
  parent.SendMessageToDescendants(WM_APP + 3, 0, 0, FALSE, TRUE);
  EXPECT_EQ(0, deep.hits);  // not deep
  parent.SendMessageToDescendants(WM_APP + 3, 0, 0, TRUE, TRUE);
  EXPECT_EQ(1, deep.hits);
  EXPECT_TRUE(outer.ModifyStyle(0, WS_DISABLED));
  EXPECT_FALSE(outer.ModifyStyle(0, WS_DISABLED));  // nothing changed
  EXPECT_TRUE(outer.GetStyle() & WS_DISABLED);
}

TEST_F(Wnd, DestroyedWindowsLeaveTheirObjectsDetached) {
  struct CSelfDeleting : public CWnd {
    bool* flag;
    explicit CSelfDeleting(bool* f) : flag(f) {}
    void PostNcDestroy() override {
      *flag = true;
      delete this;
    }
  };
  bool deleted = false;
  CSelfDeleting* p = new CSelfDeleting(&deleted);
  ASSERT_TRUE(p->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 5, 5), &parent, 5));
  HWND h = p->m_hWnd;
  ::DestroyWindow(h);
  EXPECT_TRUE(deleted);
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(h));
  // A stack object's window is destroyed with the object.
  HWND hStack;
  {
    CWnd local;
    ASSERT_TRUE(local.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 5, 5), &parent, 6));
    hStack = local.m_hWnd;
  }
  EXPECT_FALSE(::IsWindow(hStack));
}
