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

// Only the low 32 bits of a window handle count: the same window reaches the program sign- or
// zero-extended (one or the other once its handle value passes 0x80000000), and either form finds
// its object.
TEST_F(Wnd, EitherFormOfAWindowHandleFindsItsObject) {
  const ULONG_PTR low = (ULONG_PTR)(ULONG)(ULONG_PTR)parent.m_hWnd;
  for (HWND form : {(HWND)low, (HWND)(low | 0xFFFFFFFF00000000ull)}) {
    ASSERT_TRUE(::IsWindow(form)) << std::hex << (ULONG_PTR)form;
    EXPECT_EQ(&parent, CWnd::FromHandlePermanent(form)) << std::hex << (ULONG_PTR)form;
    EXPECT_EQ(&parent, CWnd::FromHandle(form)) << std::hex << (ULONG_PTR)form;
  }
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

// Records what each handler received, to check how the maps take messages apart.
class CCrackWnd : public CWnd {
public:
  CString log;
  void Add(LPCWSTR what) { log += what; log += L";"; }
  afx_msg void OnSize(UINT t, int cx, int cy) { CString s; s.Format(L"size %u %d %d", t, cx, cy); Add(s); }
  afx_msg void OnMove(int x, int y) { CString s; s.Format(L"move %d %d", x, y); Add(s); }
  afx_msg void OnLButtonDown(UINT f, CPoint p) { CString s; s.Format(L"ldown %u %d %d", f, p.x, p.y); Add(s); }
  afx_msg void OnKeyDown(UINT c, UINT r, UINT f) { CString s; s.Format(L"key %u %u %x", c, r, f); Add(s); }
  afx_msg void OnTimer(UINT_PTR id) { CString s; s.Format(L"timer %u", (UINT)id); Add(s); }
  afx_msg void OnContextMenu(CWnd* w, CPoint p) { CString s; s.Format(L"ctx %d %d %d", w == this, p.x, p.y); Add(s); }
  afx_msg BOOL OnMouseWheel(UINT f, short d, CPoint) { CString s; s.Format(L"wheel %u %d", f, d); Add(s); return TRUE; }
  afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
    CString s; s.Format(L"hscroll %u %d %d", code, (int)pos, bar == nullptr); Add(s); }
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd*, UINT kind) {
    CString s; s.Format(L"color %u %d", kind, dc != nullptr); Add(s); return (HBRUSH)::GetStockObject(GRAY_BRUSH); }
  afx_msg BOOL OnSetCursor(CWnd*, UINT hit, UINT msg) { CString s; s.Format(L"cursor %u %x", hit, msg); Add(s); return TRUE; }
  afx_msg void OnRange(UINT id) { CString s; s.Format(L"cmd %u", id); Add(s); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCrackWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_MOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_KEYDOWN()
  ON_WM_TIMER()
  ON_WM_CONTEXTMENU()
  ON_WM_MOUSEWHEEL()
  ON_WM_HSCROLL()
  ON_WM_CTLCOLOR()
  ON_WM_SETCURSOR()
  ON_COMMAND_RANGE(500, 510, OnRange)
END_MESSAGE_MAP()

TEST_F(Wnd, HandlersReceiveTheirMessagesTakenApart) {
  CCrackWnd w;
  ASSERT_TRUE(w.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &parent, 1));
  w.log.Empty();
  struct { UINT msg; WPARAM wp; LPARAM lp; LRESULT result; const wchar_t* logged; } table[] = {
      {WM_SIZE, SIZE_RESTORED, MAKELPARAM(40000, 20), 0, L"size 0 40000 20;"},
      {WM_MOVE, 0, MAKELPARAM(-5, 7), 0, L"move -5 7;"},
      {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 4), 0, L"ldown 1 -3 4;"},
      {WM_KEYDOWN, VK_RETURN, MAKELPARAM(2, 0x1C), 0, L"key 13 2 1c;"},
      {WM_TIMER, 77, 0, 0, L"timer 77;"},
      {WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1), 0, L"ctx 0 -1 -1;"},
      {WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, (WORD)-120), 0, TRUE, L"wheel 4 -120;"},
      {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 300), 0, 0, L"hscroll 5 300 1;"},
      {WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), TRUE, L"cursor 1 200;"},
      {WM_COMMAND, 505, 0, 1, L"cmd 505;"}};
  for (auto& t : table) {
    w.log.Empty();
    if (t.msg == WM_CONTEXTMENU) {
      LRESULT r = w.SendMessage(t.msg, (WPARAM)parent.m_hWnd, t.lp);
      EXPECT_EQ(t.result, r);
    } else {
      EXPECT_EQ(t.result, w.SendMessage(t.msg, t.wp, t.lp)) << t.logged;
    }
    EXPECT_STREQ(t.logged, w.log);
  }
  // All colour messages reach the one handler with their kind; its brush is the answer.
  HDC hdc = ::GetDC(w.m_hWnd);
  w.log.Empty();
  EXPECT_EQ((LRESULT)::GetStockObject(GRAY_BRUSH), w.SendMessage(WM_CTLCOLOREDIT, (WPARAM)hdc, (LPARAM)parent.m_hWnd));
  EXPECT_EQ((LRESULT)::GetStockObject(GRAY_BRUSH), w.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hdc, (LPARAM)parent.m_hWnd));
  EXPECT_STREQ(L"color 1 1;color 6 1;", w.log);
  ::ReleaseDC(w.m_hWnd, hdc);
}
