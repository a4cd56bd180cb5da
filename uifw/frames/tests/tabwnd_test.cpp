// The tab window on a host window that records its registered messages, with the base look:
// removing tabs, dragging a tab to a new place, switching by keyboard, renaming in place, the
// shrinking 3D strip with its tooltips, the colour list, and the pixels of the flat and sloped
// strips (a picture of each is left in screenshots/ beside the test program).
#include "FramesTestKit.h"
#include "PngFile.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxTabWnd.h"
#include "looks/UfxVisualManager.h"
#include "looks/UfxVisualManager2003.h"
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Rectangles print as their four edges in failures.
inline void PrintTo(const CRect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

class CTabTestApp : public CWinApp {
public:
  CTabTestApp() : CWinApp(L"TabWndTest") {}
};
CTabTestApp theApp;

struct Note {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// The tab window's parent: keeps every registered message and answers the vetoable ones.
class CHostWnd : public CWnd {
public:
  std::vector<Note> notes;
  LRESULT answerRename = 0, answerMove = 0;
  CString lastRename;
  std::vector<Note> NotesOf(UINT message) const {
    std::vector<Note> found;
    for (const Note& n : notes)
      if (n.message == message) found.push_back(n);
    return found;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == UFXM_ONCHANGE_ACTIVE_TAB || message == UFXM_ON_MOVE_TAB || message == UFXM_ON_HSCROLL) {
      notes.push_back({message, wParam, lParam});
      return 0;
    }
    if (message == UFXM_ON_BEFOREMOVE_TAB) {
      notes.push_back({message, wParam, lParam});
      return answerMove;
    }
    if (message == UFXM_ON_RENAME_TAB) {
      notes.push_back({message, wParam, 0});
      lastRename = *(const CString*)lParam;
      return answerRename;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

int g_beeps = 0;
BOOL WINAPI CountBeep(UINT) {
  ++g_beeps;
  return TRUE;
}

class TabWndTest : public ::testing::Test {
protected:
  void SetUp() override {
    CUfxVisualManager::SetDefaultManager(nullptr);
    g_beeps = 0;
    CUfxTabWnd::s_pfnMessageBeep = CountBeep;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                              CRect(40, 40, 640, 240), nullptr, 0));
  }
  void TearDown() override {
    if (tabs.GetSafeHwnd() != nullptr) tabs.DestroyWindow();
    host.DestroyWindow();
    PumpPending();
    CUfxTabWnd::s_pfnMessageBeep = ::MessageBeep;
    CUfxVisualManager::DeleteAutoCreatedInstance();
  }
  // A tab window over the host's client area with one static window per label.
  void MakeTabs(CUfxTabWnd::Style style, const std::vector<CString>& labels,
                CUfxTabWnd::Location location = CUfxTabWnd::LOCATION_BOTTOM) {
    CRect rc;
    host.GetClientRect(rc);
    ASSERT_TRUE(tabs.Create(style, rc, &host, 1, location));
    for (const CString& label : labels) {
      windows.push_back(std::make_unique<CWnd>());
      ASSERT_TRUE(windows.back()->CreateEx(0, L"STATIC", label, WS_CHILD, CRect(0, 0, 10, 10), &tabs, 0));
      tabs.AddTab(windows.back().get(), label);
    }
    PumpPending();
  }
  std::vector<CString> Labels() const {
    std::vector<CString> all;
    for (int i = 0; i < tabs.GetTabsNum(); ++i) {
      CString label;
      tabs.GetTabLabel(i, label);
      all.push_back(label);
    }
    return all;
  }
  CRect TabRect(int i) const {
    CRect rect;
    tabs.GetTabRectangle(i, rect);
    return rect;
  }
  void Mouse(UINT message, CPoint pt, WPARAM keys = 0) { tabs.SendMessage(message, keys, MAKELPARAM(pt.x, pt.y)); }
  int TextWidth(const CString& text) {
    CClientDC dc(nullptr);
    CFont* pOld = dc.SelectObject(&UfxGlobalData.fontRegular);
    const int cx = dc.GetTextExtent(text).cx;
    dc.SelectObject(pOld);
    return cx;
  }
  // The tooltip tool of a tab: its rectangle and text.
  CRect ToolRect(int iTab, CString* pText = nullptr) {
    TOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.hwnd = tabs.GetSafeHwnd();
    info.uId = (UINT_PTR)(iTab + 1);  // the tools were made in order, from 1
    wchar_t text[256] = {};
    info.lpszText = text;
    if (!tabs.GetToolTip().SendMessage(TTM_GETTOOLINFOW, 0, (LPARAM)&info)) return CRect(-1, -1, -1, -1);
    if (pText != nullptr) {
      info.lpszText = text;
      tabs.GetToolTip().SendMessage(TTM_GETTEXTW, 256, (LPARAM)&info);
      *pText = text;
    }
    return info.rect;
  }
  COLORREF Pixel(CPoint pt) {
    tabs.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC hdc = ::GetDC(tabs.GetSafeHwnd());
    const COLORREF clr = ::GetPixel(hdc, pt.x, pt.y);
    ::ReleaseDC(tabs.GetSafeHwnd(), hdc);
    return clr;
  }
  void Screenshot(const char* name) {
    ::CreateDirectoryA("screenshots", nullptr);
    tabs.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPending();
    EXPECT_TRUE(SaveWindowPng(tabs.GetSafeHwnd(), std::string("screenshots/") + name));
  }

  CHostWnd host;
  CUfxTabWnd tabs;
  std::vector<std::unique_ptr<CWnd>> windows;
};

// count labels: the stem followed by 0, 1, 2...
std::vector<CString> NumberedLabels(LPCWSTR stem, int count) {
  std::vector<CString> labels;
  for (int i = 0; i < count; ++i) labels.push_back(CString(stem) + CString(std::to_wstring(i).c_str()));
  return labels;
}

std::string Text(const CString& s) {
  std::string out;
  for (int i = 0; i < s.GetLength(); ++i) out.push_back((char)s[i]);
  return out;
}

// ---- Removing tabs ----

struct DeleteCase {
  int active, removed, newActive;
  LPARAM previous;
  const char* newActiveLabel;
};

TEST_F(TabWndTest, DeletingATabMovesTheSelectionAndTellsTheParentInEveryCase) {
  const DeleteCase cases[] = {
      {2, 2, 1, -1, "B"},  // the active tab: the one before it
      {0, 0, 0, -1, "B"},  // the active first tab: the new first tab
      {3, 1, 2, -1, "D"},  // a tab before the active one: the same tab, one place on
      {1, 3, 1, 1, "B"},   // a tab after the active one: the selection stays
  };
  for (const DeleteCase& c : cases) {
    SCOPED_TRACE("active " + std::to_string(c.active) + ", removed " + std::to_string(c.removed));
    MakeTabs(CUfxTabWnd::STYLE_3D_SCROLLED, {L"A", L"B", L"C", L"D"});
    ASSERT_TRUE(tabs.SetActiveTab(c.active));
    CWnd* pRemoved = tabs.GetTabWindow(c.removed);
    const HWND hRemoved = pRemoved->GetSafeHwnd();
    host.notes.clear();
    ASSERT_TRUE(tabs.DeleteTab(c.removed));
    EXPECT_EQ(3, tabs.GetTabsNum());
    EXPECT_EQ(c.newActive, tabs.GetActiveTab());
    EXPECT_EQ(c.newActiveLabel, Text(Labels()[c.newActive]));
    EXPECT_FALSE(::IsWindow(hRemoved));  // the tab's window goes with it
    const auto changes = host.NotesOf(UFXM_ONCHANGE_ACTIVE_TAB);
    ASSERT_EQ(1u, changes.size());
    EXPECT_EQ((WPARAM)c.newActive, changes[0].wParam);
    EXPECT_EQ(c.previous, changes[0].lParam);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(i == c.newActive, (bool)tabs.GetTabWindow(i)->IsWindowVisible()) << i;
    tabs.DestroyWindow();
    windows.clear();
  }
}

TEST_F(TabWndTest, BadIndexesChangeNothing) {
  MakeTabs(CUfxTabWnd::STYLE_FLAT, {L"A", L"B"});
  host.notes.clear();
  EXPECT_FALSE(tabs.DeleteTab(2));
  EXPECT_FALSE(tabs.DeleteTab(-1));
  EXPECT_FALSE(tabs.SetActiveTab(5));
  EXPECT_FALSE(tabs.SetTabText(0, L""));
  EXPECT_EQ((COLORREF)-1, tabs.GetTabBkColor(7));
  CRect rect;
  EXPECT_FALSE(tabs.GetTabRectangle(9, rect));
  EXPECT_TRUE(rect.IsRectEmpty());
  EXPECT_EQ(2, tabs.GetTabsNum());
  EXPECT_EQ(0, tabs.GetActiveTab());
  EXPECT_TRUE(host.notes.empty());
  // The last tab goes through the removal of all: no tab is active then.
  ASSERT_TRUE(tabs.DeleteTab(1));
  ASSERT_TRUE(tabs.DeleteTab(0));
  EXPECT_EQ(-1, tabs.GetActiveTab());
}

// ---- Moving a tab by dragging ----

TEST_F(TabWndTest, DraggingTabZeroIntoTheRightHalfOfTabTwoMovesItToTheEnd) {
  struct Case {
    LRESULT answer;
    std::vector<std::string> order;
    int active;
    size_t moves;
  };
  const Case cases[] = {{0, {"Two", "Three", "One"}, 2, 1}, {1, {"One", "Two", "Three"}, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer ? "vetoed" : "allowed");
    MakeTabs(CUfxTabWnd::STYLE_3D_SCROLLED, {L"One", L"Two", L"Three"});
    tabs.EnableTabSwap();
    host.notes.clear();
    host.answerMove = c.answer;
    const CRect r0 = TabRect(0), r2 = TabRect(2);
    Mouse(WM_LBUTTONDOWN, r0.CenterPoint(), MK_LBUTTON);
    EXPECT_TRUE(tabs.IsMovingTab());
    Mouse(WM_MOUSEMOVE, CPoint(r2.right - 2, r2.CenterPoint().y), MK_LBUTTON);
    EXPECT_EQ(3, tabs.GetMoveTarget());
    Mouse(WM_LBUTTONUP, CPoint(r2.right - 2, r2.CenterPoint().y));
    EXPECT_FALSE(tabs.IsMovingTab());
    EXPECT_NE(CWnd::GetCapture(), &tabs);
    std::vector<std::string> order;
    for (const CString& label : Labels()) order.push_back(Text(label));
    EXPECT_EQ(c.order, order);
    EXPECT_EQ(c.active, tabs.GetActiveTab());
    const auto before = host.NotesOf(UFXM_ON_BEFOREMOVE_TAB), after = host.NotesOf(UFXM_ON_MOVE_TAB);
    ASSERT_EQ(1u, before.size());
    EXPECT_EQ(0u, before[0].wParam);
    EXPECT_EQ(3, before[0].lParam);
    ASSERT_EQ(c.moves, after.size());
    if (c.moves) {
      EXPECT_EQ(0u, after[0].wParam);
      EXPECT_EQ(3, after[0].lParam);
    }
    EXPECT_TRUE(host.NotesOf(UFXM_ONCHANGE_ACTIVE_TAB).empty());  // tab 0 was active already
    tabs.DestroyWindow();
    windows.clear();
  }
}

TEST_F(TabWndTest, ClickingATabActivatesItAndTellsTheParent) {
  MakeTabs(CUfxTabWnd::STYLE_FLAT, {L"One", L"Two", L"Three"});
  host.notes.clear();
  Mouse(WM_LBUTTONDOWN, TabRect(2).CenterPoint(), MK_LBUTTON);
  Mouse(WM_LBUTTONUP, TabRect(2).CenterPoint());
  EXPECT_EQ(2, tabs.GetActiveTab());
  const auto changes = host.NotesOf(UFXM_ONCHANGE_ACTIVE_TAB);
  ASSERT_EQ(1u, changes.size());
  EXPECT_EQ(2u, changes[0].wParam);
  EXPECT_EQ(0, changes[0].lParam);
  EXPECT_TRUE(tabs.GetTabWindow(2)->IsWindowVisible());
  EXPECT_FALSE(tabs.GetTabWindow(0)->IsWindowVisible());
  // Its window fills the window area.
  CRect rw;
  tabs.GetTabWindow(2)->GetWindowRect(rw);
  tabs.ScreenToClient(rw);
  EXPECT_EQ(tabs.GetWndArea(), rw);
}

// ---- Keyboard ----

TEST_F(TabWndTest, CtrlPageDownAndUpSwitchCyclicallyOverVisibleTabs) {
  MakeTabs(CUfxTabWnd::STYLE_3D_SCROLLED, {L"A", L"B", L"C", L"D"});
  tabs.ShowTab(3, FALSE);
  ASSERT_TRUE(tabs.SetActiveTab(2));
  host.notes.clear();
  BYTE keys[256];
  ::GetKeyboardState(keys);
  BYTE withCtrl[256];
  memcpy(withCtrl, keys, sizeof(keys));
  withCtrl[VK_CONTROL] = 0x80;
  ::SetKeyboardState(withCtrl);
  ::PostMessageW(tabs.GetTabWindow(2)->GetSafeHwnd(), WM_KEYDOWN, VK_NEXT, 1);
  PumpPending();
  EXPECT_EQ(0, tabs.GetActiveTab());  // past the hidden last tab to the first
  ::PostMessageW(tabs.GetTabWindow(0)->GetSafeHwnd(), WM_KEYDOWN, VK_PRIOR, 1);
  PumpPending();
  EXPECT_EQ(2, tabs.GetActiveTab());
  ::SetKeyboardState(keys);
  const auto changes = host.NotesOf(UFXM_ONCHANGE_ACTIVE_TAB);
  ASSERT_EQ(2u, changes.size());
  EXPECT_EQ(0u, changes[0].wParam);
  EXPECT_EQ(2, changes[0].lParam);
  EXPECT_EQ(2u, changes[1].wParam);
  EXPECT_EQ(0, changes[1].lParam);
  // Without Ctrl Page Down is the window's own key.
  ::PostMessageW(tabs.GetTabWindow(2)->GetSafeHwnd(), WM_KEYDOWN, VK_NEXT, 1);
  PumpPending();
  EXPECT_EQ(2, tabs.GetActiveTab());
}

// ---- Renaming in place ----

TEST_F(TabWndTest, AVetoedRenameBeepsAndKeepsTheEditorAnAcceptedOneRenames) {
  MakeTabs(CUfxTabWnd::STYLE_3D_SCROLLED, {L"One", L"Two", L"Three"});
  tabs.EnableInPlaceEdit();
  Mouse(WM_LBUTTONDBLCLK, TabRect(1).CenterPoint());
  CEdit* pEdit = tabs.GetLabelEditor();
  ASSERT_NE(nullptr, pEdit);
  EXPECT_EQ(1, tabs.GetEditedTab());
  CString text;
  pEdit->GetWindowText(text);
  EXPECT_EQ("Two", Text(text));
  EXPECT_EQ(CWnd::GetCapture(), &tabs);

  auto pressEnter = [&] {
    ::PostMessageW(pEdit->GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 1);
    PumpPending();
  };
  // An empty label is refused without asking the parent.
  pEdit->SetWindowText(L"");
  pressEnter();
  EXPECT_EQ(1, g_beeps);
  EXPECT_TRUE(host.NotesOf(UFXM_ON_RENAME_TAB).empty());
  EXPECT_EQ(pEdit, tabs.GetLabelEditor());
  // The parent vetoes.
  pEdit->SetWindowText(L"Renamed");
  host.answerRename = 1;
  pressEnter();
  EXPECT_EQ(2, g_beeps);
  ASSERT_EQ(1u, host.NotesOf(UFXM_ON_RENAME_TAB).size());
  EXPECT_EQ(1u, host.NotesOf(UFXM_ON_RENAME_TAB)[0].wParam);
  EXPECT_EQ("Renamed", Text(host.lastRename));
  EXPECT_EQ(pEdit, tabs.GetLabelEditor());
  EXPECT_EQ("Two", Text(Labels()[1]));
  // The parent accepts.
  host.answerRename = 0;
  pressEnter();
  EXPECT_EQ(2, g_beeps);
  EXPECT_EQ(nullptr, tabs.GetLabelEditor());
  EXPECT_EQ("Renamed", Text(Labels()[1]));
  EXPECT_NE(CWnd::GetCapture(), &tabs);
}

TEST_F(TabWndTest, EscapeCancelsARenameAndRenamingIsOffByDefault) {
  MakeTabs(CUfxTabWnd::STYLE_FLAT, {L"One", L"Two"});
  EXPECT_FALSE(tabs.BeginLabelEdit(0));
  tabs.EnableInPlaceEdit();
  ASSERT_TRUE(tabs.BeginLabelEdit(0));
  tabs.GetLabelEditor()->SetWindowText(L"Other");
  ::PostMessageW(tabs.GetLabelEditor()->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
  PumpPending();
  EXPECT_EQ(nullptr, tabs.GetLabelEditor());
  EXPECT_EQ("One", Text(Labels()[0]));
  EXPECT_TRUE(host.NotesOf(UFXM_ON_RENAME_TAB).empty());
}

// ---- The 3D strip without buttons ----

TEST_F(TabWndTest, Style0ShrinksTabsToTheAreaAndGivesCutOnesTheirLabelAsTooltip) {
  const CString longLabel = L"A rather long label for a tab";
  MakeTabs(CUfxTabWnd::STYLE_3D, {L"X", longLabel, longLabel, longLabel, longLabel, longLabel});
  const CRect area = tabs.GetTabsArea();
  const int fullShort = TextWidth(L"X") + 12, fullLong = TextWidth(longLabel) + 12;
  const int m = area.Width() / 6;
  ASSERT_LT(fullShort, m);
  ASSERT_GT(fullShort + 5 * fullLong, area.Width());
  SCOPED_TRACE("area " + std::to_string(area.left) + ".." + std::to_string(area.right) + " short " +
               std::to_string(fullShort) + " long " + std::to_string(fullLong));
  // The narrow tab keeps its width and hands its spare room to the five others.
  const int wLong = m + (m - fullShort) / 5;
  EXPECT_EQ(fullShort, TabRect(0).Width());
  for (int i = 1; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(wLong, TabRect(i).Width());
    EXPECT_EQ(TabRect(i - 1).right + 1, TabRect(i).left);
    CString tip;
    EXPECT_EQ(TabRect(i), ToolRect(i, &tip));
    EXPECT_EQ(Text(longLabel), Text(tip));
  }
  EXPECT_EQ(area.left, TabRect(0).left);
  EXPECT_LE(TabRect(5).right, area.right + 5);
  EXPECT_TRUE(ToolRect(0).IsRectEmpty());  // not cut: no tooltip
  // Tabs that fit keep their full width and have no tooltip.
  for (int i = 5; i >= 2; --i) ASSERT_TRUE(tabs.DeleteTab(i));
  if (fullShort + fullLong + 1 <= tabs.GetTabsArea().Width()) {
    EXPECT_EQ(fullLong, TabRect(1).Width());
    EXPECT_TRUE(ToolRect(1).IsRectEmpty());
  }
}

TEST_F(TabWndTest, AHiddenSingleTabStripGivesTheWholeClientToTheWindow) {
  MakeTabs(CUfxTabWnd::STYLE_3D_SCROLLED, {L"Only"});
  tabs.HideSingleTab();
  CRect rc;
  tabs.GetClientRect(rc);
  rc.DeflateRect(tabs.GetTabBorderSize() + 1, tabs.GetTabBorderSize() + 1);
  EXPECT_EQ(0, tabs.GetTabsArea().Height());
  EXPECT_EQ(rc, tabs.GetWndArea());
  CRect rw;
  tabs.GetTabWindow(0)->GetWindowRect(rw);
  tabs.ScreenToClient(rw);
  EXPECT_EQ(rc, rw);
  EXPECT_TRUE(TabRect(0).IsRectEmpty());
}

// ---- Strip height, images and location ----

TEST_F(TabWndTest, ImagesAndLocationSetTheStripHeightAndPlaces) {
  MakeTabs(CUfxTabWnd::STYLE_3D_SCROLLED, {L"One", L"Two"});
  const int border = tabs.GetTabBorderSize();
  EXPECT_EQ(UfxGlobalData.m_nTextHeightHorz + 2, tabs.GetTabsHeight());
  HIMAGELIST hImages = ::ImageList_Create(16, 24, ILC_COLOR32 | ILC_MASK, 1, 1);
  CClientDC screen(nullptr);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, 16, 24);
  ::ImageList_Add(hImages, (HBITMAP)bitmap.GetSafeHandle(), nullptr);
  ASSERT_TRUE(tabs.SetImageList(hImages));
  ::ImageList_Destroy(hImages);  // the tab window keeps its own copy
  EXPECT_EQ(CSize(16, 24), tabs.GetImageSize());
  EXPECT_EQ(std::max(UfxGlobalData.m_nTextHeightHorz + 2, 24 + 2 * CUfxTabWnd::kImageMargin), tabs.GetTabsHeight());
  // A tab with an image is wider by the image.
  const int plain = TabRect(0).Width();
  ASSERT_TRUE(tabs.SetTabImage(0, 0));
  EXPECT_EQ(plain + 16, TabRect(0).Width());

  CRect rc;
  tabs.GetClientRect(rc);
  EXPECT_EQ(rc.bottom - (border - 1), tabs.GetTabsArea().bottom);
  EXPECT_EQ(tabs.GetTabsArea().top - 2 * border, tabs.GetWndArea().bottom);
  tabs.SetStripLocation(CUfxTabWnd::LOCATION_TOP);
  EXPECT_EQ(border - 1, tabs.GetTabsArea().top);
  EXPECT_EQ(tabs.GetTabsArea().top + 2, TabRect(1).top);  // tabs at the top sit 2 pixels lower
  EXPECT_EQ(tabs.GetTabsArea().bottom + 2 * border, tabs.GetWndArea().top);
  CRect rw;
  tabs.GetTabWindow(0)->GetWindowRect(rw);
  tabs.ScreenToClient(rw);
  EXPECT_EQ(tabs.GetWndArea(), rw);

  // Flat tabs show no images.
  CUfxTabWnd flat;
  ASSERT_TRUE(flat.Create(CUfxTabWnd::STYLE_FLAT, CRect(0, 0, 200, 100), &host, 2));
  EXPECT_FALSE(flat.SetImageList(hImages));
  EXPECT_EQ(::GetSystemMetrics(SM_CYHSCROLL) + 2, flat.GetTabsHeight());
  flat.DestroyWindow();
}

// ---- Scrolling the strip ----

TEST_F(TabWndTest, ScrollButtonsMoveTheStripAndFollowItsEnds) {
  MakeTabs(CUfxTabWnd::STYLE_3D_SCROLLED, NumberedLabels(L"Sheet number ", 30));
  CUfxTabButton* pLeft = tabs.GetButton(CUfxTabWnd::ID_BUTTON_LEFT);
  CUfxTabButton* pRight = tabs.GetButton(CUfxTabWnd::ID_BUTTON_RIGHT);
  ASSERT_NE(nullptr, pLeft);
  ASSERT_NE(nullptr, pRight);
  EXPECT_EQ(nullptr, tabs.GetButton(CUfxTabWnd::ID_BUTTON_FIRST));  // flat strips only
  ASSERT_GT(tabs.GetMaxScrollOffset(), 0);
  EXPECT_FALSE(pLeft->IsWindowEnabled());
  EXPECT_TRUE(pRight->IsWindowEnabled());
  const int left0 = TabRect(0).left;
  tabs.SendMessage(WM_COMMAND, MAKEWPARAM(CUfxTabWnd::ID_BUTTON_RIGHT, BN_CLICKED), (LPARAM)pRight->GetSafeHwnd());
  EXPECT_EQ(20, tabs.GetScrollOffset());
  EXPECT_EQ(left0 - 20, TabRect(0).left);
  EXPECT_TRUE(pLeft->IsWindowEnabled());
  // The last tab made visible ends at the strip's right edge; the strip may go on by the half
  // strip height it keeps after the last tab, and no further.
  ASSERT_TRUE(tabs.EnsureVisible(29));
  EXPECT_EQ(tabs.GetTabsArea().right, TabRect(29).right);
  EXPECT_LT(tabs.GetScrollOffset(), tabs.GetMaxScrollOffset());
  EXPECT_GE(tabs.GetScrollOffset(), tabs.GetMaxScrollOffset() - tabs.GetTabsHeight() / 2 - 1);
  tabs.SendMessage(WM_COMMAND, MAKEWPARAM(CUfxTabWnd::ID_BUTTON_RIGHT, BN_CLICKED), (LPARAM)pRight->GetSafeHwnd());
  EXPECT_EQ(tabs.GetMaxScrollOffset(), tabs.GetScrollOffset());
  EXPECT_FALSE(pRight->IsWindowEnabled());
  ASSERT_TRUE(tabs.EnsureVisible(0));
  EXPECT_EQ(0, tabs.GetScrollOffset());
  EXPECT_FALSE(tabs.EnsureVisible(30));
  // A real click on the right button scrolls one step.
  pRight->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  pRight->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  PumpPending();
  EXPECT_EQ(20, tabs.GetScrollOffset());
}

TEST_F(TabWndTest, FlatStripsJumpToTheirEnds) {
  std::vector<CString> labels(30, CString(L"A flat sheet"));
  MakeTabs(CUfxTabWnd::STYLE_FLAT, labels);
  CUfxTabButton* pLast = tabs.GetButton(CUfxTabWnd::ID_BUTTON_LAST);
  CUfxTabButton* pFirst = tabs.GetButton(CUfxTabWnd::ID_BUTTON_FIRST);
  ASSERT_NE(nullptr, pLast);
  ASSERT_NE(nullptr, pFirst);
  tabs.SendMessage(WM_COMMAND, MAKEWPARAM(CUfxTabWnd::ID_BUTTON_LAST, BN_CLICKED), (LPARAM)pLast->GetSafeHwnd());
  EXPECT_GT(tabs.GetScrollOffset(), 0);
  EXPECT_EQ(tabs.GetMaxScrollOffset(), tabs.GetScrollOffset());
  tabs.SendMessage(WM_COMMAND, MAKEWPARAM(CUfxTabWnd::ID_BUTTON_FIRST, BN_CLICKED), (LPARAM)pFirst->GetSafeHwnd());
  EXPECT_EQ(0, tabs.GetScrollOffset());
}

TEST_F(TabWndTest, TheSlopedStripScrollsByWholeTabs) {
  MakeTabs(CUfxTabWnd::STYLE_3D_SLOPED, NumberedLabels(L"Page ", 20));
  CUfxTabButton* pLeft = tabs.GetButton(CUfxTabWnd::ID_BUTTON_LEFT);
  CUfxTabButton* pRight = tabs.GetButton(CUfxTabWnd::ID_BUTTON_RIGHT);
  EXPECT_FALSE(pLeft->IsWindowEnabled());  // at the first tab
  EXPECT_TRUE(pRight->IsWindowEnabled());
  const int step = TabRect(0).Width() - tabs.GetTabsHeight() + 5;
  tabs.SendMessage(WM_COMMAND, MAKEWPARAM(CUfxTabWnd::ID_BUTTON_RIGHT, BN_CLICKED), (LPARAM)pRight->GetSafeHwnd());
  EXPECT_EQ(1, tabs.GetFirstShownTab());
  EXPECT_EQ(step, tabs.GetScrollOffset());
  EXPECT_TRUE(pLeft->IsWindowEnabled());
  tabs.SendMessage(WM_COMMAND, MAKEWPARAM(CUfxTabWnd::ID_BUTTON_LEFT, BN_CLICKED), (LPARAM)pLeft->GetSafeHwnd());
  EXPECT_EQ(0, tabs.GetFirstShownTab());
  EXPECT_EQ(0, tabs.GetScrollOffset());
  // Making the last tab visible moves the first shown tab on, one tab at a time.
  ASSERT_TRUE(tabs.EnsureVisible(19));
  EXPECT_GT(tabs.GetFirstShownTab(), 0);
  EXPECT_LE(TabRect(19).right, tabs.GetTabsArea().right);
}

TEST_F(TabWndTest, ADraggedTabHeldLeftOfTheStripScrollsItStepByStep) {
  std::vector<CString> labels(30, CString(L"A flat sheet"));
  MakeTabs(CUfxTabWnd::STYLE_FLAT, labels);
  tabs.EnableTabSwap();
  ASSERT_TRUE(tabs.EnsureVisible(29));
  const int start = tabs.GetScrollOffset();
  ASSERT_GT(start, 40);
  const CRect area = tabs.GetTabsArea();
  Mouse(WM_LBUTTONDOWN, TabRect(29).CenterPoint(), MK_LBUTTON);
  ASSERT_TRUE(tabs.IsMovingTab());
  // Each step comes with a tick of the strip's timer, a WM_TIMER taken from the queue.
  QueueWatch queue;
  auto ticks = [&] { return queue.Count(WM_TIMER, tabs.GetSafeHwnd()); };
  Mouse(WM_MOUSEMOVE, CPoint(area.left - 2, area.CenterPoint().y), MK_LBUTTON);
  PumpUntil([&] { return tabs.GetScrollOffset() <= start - 40; });
  EXPECT_EQ(start - 40, tabs.GetScrollOffset());  // two steps of 20
  EXPECT_EQ(2, ticks()) << "a step for each tick";
  // Back inside the strip the scrolling stops: a thread timer of the strip's period, set after
  // the move, ticks after the strip's own would have; a cancel ends the drag.
  Mouse(WM_MOUSEMOVE, area.CenterPoint(), MK_LBUTTON);
  const int held = tabs.GetScrollOffset();
  const int ticksInside = ticks();
  const UINT_PTR probe = ::SetTimer(nullptr, 0, 250, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return queue.Count([&](const MSG& m) { return m.message == WM_TIMER && m.wParam == probe; }) >= 2; }));
  ::KillTimer(nullptr, probe);
  EXPECT_EQ(ticksInside, ticks());
  EXPECT_EQ(held, tabs.GetScrollOffset());
  tabs.SendMessage(WM_CANCELMODE);
  EXPECT_FALSE(tabs.IsMovingTab());
  EXPECT_NE(CWnd::GetCapture(), &tabs);
}

// ---- Hot tracking ----

TEST_F(TabWndTest, HotTrackingNeedsALookThatHighlightsTabs) {
  struct Case {
    CRuntimeClass* look;
    BOOL tracks;
  };
  const Case cases[] = {{RUNTIME_CLASS(CUfxVisualManager), FALSE}, {RUNTIME_CLASS(CUfxVisualManager2003), TRUE}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.look->m_lpszClassName);
    CUfxVisualManager::SetDefaultManager(c.look);
    // Sloped tabs start out tracking. This is read before any message is pumped: a window that
    // appears under the real pointer gets a mouse move like ours.
    CRect rc;
    host.GetClientRect(rc);
    ASSERT_TRUE(tabs.Create(CUfxTabWnd::STYLE_3D_SLOPED, rc, &host, 1, CUfxTabWnd::LOCATION_BOTTOM));
    EXPECT_TRUE(tabs.IsHotTracking());
    tabs.DestroyWindow();
    MakeTabs(CUfxTabWnd::STYLE_3D_SLOPED, {L"One", L"Two", L"Three"});
    Mouse(WM_MOUSEMOVE, TabRect(2).CenterPoint());
    EXPECT_EQ(2, tabs.GetHighlightedTab());
    EXPECT_EQ(c.tracks, tabs.IsHotTracking());
    EXPECT_EQ(c.tracks, CWnd::GetCapture() == &tabs);
    Mouse(WM_MOUSEMOVE, CPoint(-5, -5));
    EXPECT_EQ(-1, tabs.GetHighlightedTab());
    EXPECT_NE(CWnd::GetCapture(), &tabs);
    tabs.DestroyWindow();
    windows.clear();
  }
}

// ---- The shared scroll bar ----

// A window with a horizontal scroll range that remembers the scroll messages it receives.
class CScrolledWnd : public CWnd {
public:
  std::vector<UINT> codes;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_HSCROLL) {
      codes.push_back(LOWORD(wParam));
      if (LOWORD(wParam) == SB_LINERIGHT) SetScrollPos(SB_HORZ, GetScrollPos(SB_HORZ) + 10);
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

TEST_F(TabWndTest, TheSharedScrollBarScrollsTheActiveWindowAndTellsTheParent) {
  CRect rc;
  host.GetClientRect(rc);
  ASSERT_TRUE(tabs.Create(CUfxTabWnd::STYLE_FLAT_SHARED_SCROLL, rc, &host, 1));
  CScrolledWnd scrolled;
  ASSERT_TRUE(scrolled.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_HSCROLL, CRect(0, 0, 100, 100), &tabs, 0));
  SCROLLINFO info = {};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = 500;
  info.nPage = 100;
  info.nPos = 30;
  scrolled.SetScrollInfo(SB_HORZ, &info);
  tabs.SetDestroyTabWindows(FALSE);
  tabs.AddTab(&scrolled, L"Wide");
  PumpPending();
  CScrollBar& bar = tabs.GetSharedScrollBar();
  EXPECT_GT(tabs.GetHorzScrollWidth(), 0);
  EXPECT_FALSE(tabs.GetSplitterRect().IsRectEmpty());
  EXPECT_TRUE(bar.IsWindowEnabled());
  SCROLLINFO shared = {};
  bar.GetScrollInfo(&shared);
  EXPECT_EQ(500, shared.nMax);
  EXPECT_EQ(100u, shared.nPage);
  EXPECT_EQ(30, shared.nPos);
  EXPECT_EQ(0, scrolled.GetStyle() & WS_HSCROLL);  // its own bar gives way
  host.notes.clear();
  tabs.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), (LPARAM)bar.GetSafeHwnd());
  ASSERT_EQ(1u, scrolled.codes.size());
  EXPECT_EQ((UINT)SB_LINERIGHT, scrolled.codes[0]);
  EXPECT_EQ(40, bar.GetScrollPos());
  const auto scrolls = host.NotesOf(UFXM_ON_HSCROLL);
  ASSERT_EQ(1u, scrolls.size());
  EXPECT_EQ((WPARAM)SB_LINERIGHT, LOWORD(scrolls[0].wParam));
  // Dragging the splitter left widens the bar; it never gets narrower than two arrows.
  const CRect splitter = tabs.GetSplitterRect();
  const int width = tabs.GetHorzScrollWidth();
  Mouse(WM_LBUTTONDOWN, splitter.CenterPoint(), MK_LBUTTON);
  EXPECT_TRUE(tabs.IsSplitterDragging());
  Mouse(WM_MOUSEMOVE, CPoint(splitter.CenterPoint().x - 30, splitter.CenterPoint().y), MK_LBUTTON);
  EXPECT_GT(tabs.GetHorzScrollWidth(), width);
  Mouse(WM_MOUSEMOVE, CPoint(rc.right + 500, splitter.CenterPoint().y), MK_LBUTTON);
  EXPECT_EQ(2 * ::GetSystemMetrics(SM_CXHSCROLL), tabs.GetHorzScrollWidth());
  Mouse(WM_LBUTTONUP, CPoint(rc.right, splitter.CenterPoint().y));
  EXPECT_FALSE(tabs.IsSplitterDragging());
  tabs.DestroyWindow();
}

// ---- Colours ----

// A tab window whose own colour list stays empty.
class CNoColorsTabWnd : public CUfxTabWnd {
public:
  void BuildAutoColorList() override {}
};

TEST_F(TabWndTest, AutomaticColoursCycleThroughTheListAndAnEmptyListGivesNone) {
  MakeTabs(CUfxTabWnd::STYLE_FLAT, {L"A", L"B", L"C", L"D", L"E", L"F", L"G", L"H", L"I"});
  EXPECT_EQ((COLORREF)-1, tabs.GetTabBkColor(1));
  tabs.EnableAutoColor();
  EXPECT_EQ((COLORREF)0xE6AF94, tabs.GetTabBkColor(0));
  EXPECT_EQ((COLORREF)0x75DBFF, tabs.GetTabBkColor(1));
  EXPECT_EQ((COLORREF)0xE6AF94, tabs.GetTabBkColor(8));  // eight colours, then again
  tabs.SetTabBkColor(2, RGB(1, 2, 3));
  EXPECT_EQ(RGB(1, 2, 3), tabs.GetTabBkColor(2));
  CArray<COLORREF, COLORREF> own;
  own.Add(RGB(10, 20, 30));
  tabs.SetAutoColors(own);
  EXPECT_EQ(RGB(10, 20, 30), tabs.GetTabBkColor(5));
  tabs.SetAutoColors(CArray<COLORREF, COLORREF>());
  EXPECT_EQ((COLORREF)0x75DBFF, tabs.GetTabBkColor(1));

  CNoColorsTabWnd plain;
  CRect rc(0, 0, 200, 100);
  ASSERT_TRUE(plain.Create(CUfxTabWnd::STYLE_FLAT, rc, &host, 2));
  plain.AddTab(nullptr, L"A");
  plain.EnableAutoColor();
  EXPECT_EQ((COLORREF)-1, plain.GetTabBkColor(0));
  plain.DestroyWindow();
}

// ---- Pixels ----

TEST_F(TabWndTest, FlatStripPixels) {
  MakeTabs(CUfxTabWnd::STYLE_FLAT, {L"II", L"II", L"II", L"II"});
  const COLORREF clrTab = RGB(200, 100, 50);
  tabs.SetTabBkColor(2, clrTab);
  Screenshot("tabwnd_style1.png");
  const UFX_GLOBAL_DATA& g = UfxGlobalData;
  const CRect area = tabs.GetTabsArea(), r0 = TabRect(0), r2 = TabRect(2);
  EXPECT_EQ(tabs.GetTabsHeight(), area.Height());
  EXPECT_EQ(r0.Height(), area.Height() - 2);
  // Near the far edge of each tab, below the label: the active tab in the window colour, an
  // inactive one in its own colour; the edge itself is the outline.
  EXPECT_EQ(g.clrWindow, Pixel(CPoint(r0.CenterPoint().x, r0.bottom - 2)));
  EXPECT_EQ(clrTab, Pixel(CPoint(r2.CenterPoint().x, r2.bottom - 2)));
  EXPECT_EQ(g.clrBarDkShadow, Pixel(CPoint(r2.CenterPoint().x, r2.bottom - 1)));
  // Beyond the last tab: the strip's background.
  EXPECT_EQ(g.clrBarFace, Pixel(CPoint(area.right - 3, area.CenterPoint().y)));
  // The four buttons stand at the left of the strip.
  CRect rb;
  tabs.GetButton(CUfxTabWnd::ID_BUTTON_LAST)->GetWindowRect(rb);
  tabs.ScreenToClient(rb);
  EXPECT_EQ(area.left, rb.right);
  EXPECT_EQ(rb.Width(), std::min(tabs.GetTabsHeight() - 4, 15));
}

TEST_F(TabWndTest, SlopedStripPixels) {
  MakeTabs(CUfxTabWnd::STYLE_3D_SLOPED, {L"One", L"Two", L"Three", L"Four"});
  const COLORREF clrTab = RGB(90, 160, 220);
  tabs.SetTabBkColor(2, clrTab);
  Screenshot("tabwnd_style4.png");
  const UFX_GLOBAL_DATA& g = UfxGlobalData;
  const CRect area = tabs.GetTabsArea(), r0 = TabRect(0), r1 = TabRect(1), r2 = TabRect(2);
  // The tabs overlap by the strip height - 5.
  EXPECT_EQ(r0.right - (tabs.GetTabsHeight() - 5) + 1, r1.left);
  EXPECT_EQ(r1.right - (tabs.GetTabsHeight() - 5) + 1, r2.left);
  // A coloured tab's fill by its far side, above its label; its dark far edge.
  EXPECT_EQ(clrTab, Pixel(CPoint(r2.right - 4, r2.top + 2)));
  EXPECT_EQ(g.clrBarShadow, Pixel(CPoint(r2.CenterPoint().x, r2.bottom - 1)));
  // The active tab is drawn last, over its neighbour; its slanted edge is lit.
  EXPECT_EQ(g.clrBarHilite, Pixel(CPoint(r0.left + 1, r0.top + 1)));
  EXPECT_EQ(g.clrBtnFace, Pixel(CPoint(r0.right - 4, r0.top + 2)));
  EXPECT_EQ(g.clrBarFace, Pixel(CPoint(area.right - 2, area.top + 2)));
  // The left button stands alone before the strip, the right one after it.
  CRect rl, rr;
  tabs.GetButton(CUfxTabWnd::ID_BUTTON_LEFT)->GetWindowRect(rl);
  tabs.GetButton(CUfxTabWnd::ID_BUTTON_RIGHT)->GetWindowRect(rr);
  tabs.ScreenToClient(rl);
  tabs.ScreenToClient(rr);
  EXPECT_EQ(area.left - 1, rl.right);
  EXPECT_GT(rr.left, area.right);
  EXPECT_FALSE(tabs.GetButton(CUfxTabWnd::ID_BUTTON_LEFT)->IsWindowEnabled());  // at the first tab
}

}  // namespace
