// The outlook bar in a test frame: three pages of six shortcuts docked on the left. Page buttons
// slide and activate their pages, the scroll buttons appear as the shortcuts need them and step
// while held, a larger bar scrolls back, a drag held over another page's button switches to it,
// the splitter sets the width; and the stored state: width, pages and the shortcuts' pages, an
// older library version's bytes, and a page of another class refused. A picture of the bar is
// left in screenshots/ beside the test program.
#include "ArchiveBytes.h"
#include "FramesTestKit.h"
#include "PngFile.h"
#include "frames/UfxOutlookBar.h"
#include "frames/UfxOutlookBarPage.h"
#include "frames/UfxOutlookButton.h"
#include "frames/UfxWorkspace.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class CTestApp : public CWinApp, public CUfxWorkspace {
public:
  CTestApp() : CWinApp(L"OutlookBarTest"), CUfxWorkspace(TRUE) {}
  // The library version of the state being read.
  void SetStoredVersion(int iMajor, int iMinor) {
    m_iSavedVersionMajor = iMajor;
    m_iSavedVersionMinor = iMinor;
  }
};
CTestApp theApp;

// Counts the page switches and the work-area fills of a slide.
class CTestOutlookBar : public CUfxOutlookBar {
public:
  int activations = 0;
  int fills = 0;
  void OnActivatePage() override { ++activations; }
  void OnFillWorkArea(CDC* pDC, CRect rectClip) override {
    ++fills;
    CUfxOutlookBar::OnFillWorkArea(pDC, rectClip);
  }
};

const int kPages = 3, kButtonsPerPage = 6;
const int kImageSize = 32;

// A square picture of one colour for each shortcut.
HBITMAP MakeImage(COLORREF clr) {
  HDC hScreen = ::GetDC(nullptr);
  HDC hMem = ::CreateCompatibleDC(hScreen);
  HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, kImageSize, kImageSize);
  HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
  RECT rect = {0, 0, kImageSize, kImageSize};
  HBRUSH hBrush = ::CreateSolidBrush(RGB(255, 0, 255));
  ::FillRect(hMem, &rect, hBrush);
  ::DeleteObject(hBrush);
  hBrush = ::CreateSolidBrush(clr);
  ::InflateRect(&rect, -4, -4);
  ::FillRect(hMem, &rect, hBrush);
  ::DeleteObject(hBrush);
  ::SelectObject(hMem, hOld);
  ::DeleteDC(hMem);
  ::ReleaseDC(nullptr, hScreen);
  return hBitmap;
}

// Posts a click (press and release) at a point of a window's client area.
void PostClick(HWND hwnd, CPoint point, bool bRelease = true) {
  ::PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  if (bRelease) ::PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}
CPoint CenterOf(CWnd& wnd) {
  CRect rect;
  wnd.GetClientRect(&rect);
  return rect.CenterPoint();
}

class OutlookBarTest : public ::testing::Test {
protected:
  CFrameWnd* frame = nullptr;
  CTestOutlookBar bar;

  void SetUp() override {
    static HMODULE resources = ::LoadLibraryW(L"BrookResx.dll");
    if (resources != nullptr) AfxSetResourceHandle(resources);
    theApp.SetStoredVersion(CUfxWorkspace::kVersionMajor, CUfxWorkspace::kVersionMinor);
    frame = NewDockingFrame<CFrameWnd>();
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, AFX_IDW_TOOLBAR));
    bar.EnableTextLabels(TRUE);
    const COLORREF colours[kButtonsPerPage] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200),
                                               RGB(200, 200, 0), RGB(0, 200, 200), RGB(120, 0, 120)};
    for (COLORREF clr : colours) {
      HBITMAP hBitmap = MakeImage(clr);
      ASSERT_GE(bar.AddImage(hBitmap), 0);
      ::DeleteObject(hBitmap);
    }
    for (int p = 1; p <= kPages; ++p) {
      CString name;
      name.Format(L"Page %d", p);
      ASSERT_TRUE(bar.AddPage(p, name));
      for (int b = 0; b < kButtonsPerPage; ++b) {
        CString label;
        label.Format(L"Item %d.%d", p, b + 1);
        ASSERT_TRUE(bar.AddButton(b, label, 1000 + p * 10 + b, p));
      }
    }
    frame->RecalcLayout();
    PumpPending();
  }
  void TearDown() override {
    if (frame != nullptr) frame->DestroyWindow();  // the frame deletes itself
    PumpPending();
  }
  CUfxOutlookBarPage* Page(int id) { return bar.FindPage(id); }
  // The shortcuts of a page that lie in the work area.
  int ShownButtons(int iPage) {
    int n = 0;
    CRect area;
    bar.GetClientRect(&area);
    for (POSITION pos = bar.GetAllButtons().GetHeadPosition(); pos != nullptr;) {
      auto* pButton = static_cast<CUfxOutlookButton*>(bar.GetAllButtons().GetNext(pos));
      if (pButton->m_iPageId == iPage && pButton->m_bVisible && !(pButton->Rect() & area).IsRectEmpty()) ++n;
    }
    return n;
  }
  void SetFrameHeight(int cy) {
    CRect rect;
    frame->GetWindowRect(&rect);
    frame->SetWindowPos(nullptr, 0, 0, rect.Width(), cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    frame->RecalcLayout();
    PumpPending();
  }
};

TEST_F(OutlookBarTest, APageButtonClickSlidesToItsPageAndShowsItsShortcuts) {
  ASSERT_EQ(1, bar.GetActivePage());
  EXPECT_GT(ShownButtons(1), 0);
  EXPECT_EQ(0, ShownButtons(2));
  // Pages after the active one wait at the bottom of the bar.
  CRect client;
  bar.GetClientRect(&client);
  EXPECT_GT(Page(2)->m_rectButton.top, client.Height() / 2);
  const CRect rectBefore = Page(2)->m_rectButton;
  bar.activations = bar.fills = 0;
  PostClick(Page(2)->m_btnPage.m_hWnd, CenterOf(Page(2)->m_btnPage));
  ASSERT_TRUE(PumpUntil([&] { return bar.GetActivePage() == 2; }));
  EXPECT_EQ(1, bar.activations);
  EXPECT_GT(bar.fills, 1) << "the page button slid up step by step";
  // Page 2's button now sits under page 1's; page 3 stays at the bottom.
  EXPECT_EQ(Page(1)->m_rectButton.bottom, Page(2)->m_rectButton.top);
  EXPECT_LT(Page(2)->m_rectButton.top, rectBefore.top);
  CRect rectWindow;
  Page(2)->m_btnPage.GetWindowRect(&rectWindow);
  bar.ScreenToClient(&rectWindow);
  EXPECT_EQ(Page(2)->m_rectButton, rectWindow);
  EXPECT_GT(ShownButtons(2), 0);
  EXPECT_EQ(0, ShownButtons(1));
  // A click on the active page's button changes nothing.
  bar.activations = 0;
  PostClick(Page(2)->m_btnPage.m_hWnd, CenterOf(Page(2)->m_btnPage));
  ASSERT_TRUE(PumpRoundTrip(Page(2)->m_btnPage.m_hWnd));
  EXPECT_EQ(0, bar.activations);
  EXPECT_EQ(2, bar.GetActivePage());

  ::CreateDirectoryA("screenshots", nullptr);
  bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_TRUE(SaveWindowPng(frame->m_hWnd, "screenshots/outlookbar.png"));
}

TEST_F(OutlookBarTest, AShortBarScrollsDownAndBackToTheFirstButton) {
  SetFrameHeight(300);
  ASSERT_TRUE(bar.CanScrollDown());
  EXPECT_TRUE(bar.GetScrollDownButton().IsWindowVisible());
  EXPECT_FALSE(bar.GetScrollUpButton().IsWindowVisible());
  PostClick(bar.GetScrollDownButton().m_hWnd, CenterOf(bar.GetScrollDownButton()));
  ASSERT_TRUE(PumpUntil([&] { return bar.GetFirstVisible() == 1; }));
  EXPECT_GT(bar.GetScrollOffset(), 0);
  EXPECT_TRUE(bar.GetScrollUpButton().IsWindowVisible());
  PostClick(bar.GetScrollUpButton().m_hWnd, CenterOf(bar.GetScrollUpButton()));
  ASSERT_TRUE(PumpUntil([&] { return bar.GetFirstVisible() == 0; }));
  EXPECT_EQ(0, bar.GetScrollOffset());
  EXPECT_FALSE(bar.GetScrollUpButton().IsWindowVisible());
}

TEST_F(OutlookBarTest, AHeldScrollButtonStepsToTheEndThenItsTimerStops) {
  SetFrameHeight(260);
  ASSERT_TRUE(bar.CanScrollDown());
  PostClick(bar.GetScrollDownButton().m_hWnd, CenterOf(bar.GetScrollDownButton()), false);
  ASSERT_TRUE(PumpUntil([&] { return !bar.CanScrollDown(); }, 10000));
  // One press went more than one step: the held button repeated it.
  EXPECT_GT(bar.GetFirstVisible(), 1);
  PumpPending();
  // The end stopped the timer: there is none left to kill.
  EXPECT_FALSE(::KillTimer(bar.m_hWnd, CUfxOutlookBar::kTimerScrollDown));
  EXPECT_FALSE(bar.GetScrollDownButton().IsWindowVisible());
  ::SendMessageW(bar.GetScrollDownButton().m_hWnd, WM_LBUTTONUP, 0, 0);
}

TEST_F(OutlookBarTest, EnlargingAScrolledBarScrollsBack) {
  SetFrameHeight(260);
  bar.ScrollDown();
  bar.ScrollDown();
  ASSERT_EQ(2, bar.GetFirstVisible());
  SetFrameHeight(900);
  EXPECT_EQ(0, bar.GetScrollOffset());
  EXPECT_EQ(0, bar.GetFirstVisible());
  EXPECT_EQ(kButtonsPerPage, ShownButtons(1));
}

TEST_F(OutlookBarTest, ADragHeldOverAnotherPagesButtonSwitchesToThatPage) {
  CRect rect;
  Page(3)->m_btnPage.GetWindowRect(&rect);
  ::SetCursorPos(rect.CenterPoint().x, rect.CenterPoint().y);
  CPoint point = rect.CenterPoint();
  bar.ScreenToClient(&point);
  COleDataObject data;
  EXPECT_EQ(DROPEFFECT_MOVE, bar.OnDragOver(&data, 0, point));
  ASSERT_TRUE(PumpUntil([&] { return bar.GetActivePage() == 3; }, 5000));
  // Over the active page's own button nothing waits.
  EXPECT_EQ(DROPEFFECT_NONE, bar.OnDragOver(&data, 0, point));
  EXPECT_FALSE(::KillTimer(bar.m_hWnd, CUfxOutlookBar::kTimerDragHover));
}

TEST_F(OutlookBarTest, TheSplitterSetsTheWidth) {
  CRect before;
  bar.GetWindowRect(&before);
  const CRect splitter = bar.GetSplitterRect();
  ASSERT_FALSE(splitter.IsRectEmpty());
  const CPoint start(splitter.CenterPoint());
  ::PostMessageW(bar.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
  ::PostMessageW(bar.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x + 40, start.y));
  ::PostMessageW(bar.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(start.x + 40, start.y));
  ASSERT_TRUE(PumpUntil([&] { return bar.GetBarWidth() != before.Width(); }));
  EXPECT_EQ(start.x + 40 + 3, bar.GetBarWidth());
  CRect after;
  bar.GetWindowRect(&after);
  EXPECT_EQ(bar.GetBarWidth(), after.Width());
  EXPECT_NE(::GetCapture(), bar.m_hWnd);
}

TEST_F(OutlookBarTest, APageIsRenamedInPlaceAndAnEmptyNameIsRefused) {
  struct Case {
    const wchar_t* typed;
    UINT key;
    const wchar_t* name;  // the page's name afterwards
  } cases[] = {{L"Renamed", VK_RETURN, L"Renamed"}, {L"Dropped", VK_ESCAPE, L"Page 2"}};
  for (const Case& c : cases) {
    bar.SetPageName(2, L"Page 2");
    ASSERT_TRUE(bar.EditPageName(2));
    HWND edit = ::GetFocus();
    ASSERT_NE(nullptr, edit);
    ::SendMessageW(edit, WM_SETTEXT, 0, (LPARAM)L"");
    // Enter on an empty name keeps the edit open.
    ::PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(PumpRoundTrip(edit));
    ASSERT_TRUE(::IsWindow(edit));
    for (const wchar_t* p = c.typed; *p != 0; ++p) ::PostMessageW(edit, WM_CHAR, *p, 0);
    ::PostMessageW(edit, WM_KEYDOWN, c.key, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(edit); }));
    EXPECT_EQ(std::wstring(c.name), std::wstring((LPCWSTR)Page(2)->m_strName));
    CString text;
    Page(2)->m_btnPage.GetWindowText(text);
    EXPECT_EQ(std::wstring(c.name), std::wstring((LPCWSTR)text));
    EXPECT_NE(bar.m_hWnd, ::GetCapture());
  }
}

TEST(OutlookBarInADialog, WithoutAFrameTheBarLaysItselfOutAndItsSplitterSizesIt) {
  CDialog host;
  struct {
    DLGTEMPLATE dlg;
    WORD menu, cls, title;
  } tmpl = {{WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, 300, 200}, 0, 0, 0};  // no menu, class or title
  ASSERT_TRUE(host.CreateIndirect(&tmpl.dlg, nullptr));
  CUfxOutlookBar bar;
  ASSERT_TRUE(bar.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, 0xE800));
  bar.SetWindowPos(nullptr, 0, 0, 120, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  HDC hScreen = ::GetDC(nullptr);
  HBITMAP hImage = ::CreateCompatibleBitmap(hScreen, 32, 32);
  ::ReleaseDC(nullptr, hScreen);
  ASSERT_EQ(0, bar.AddImage(hImage));
  ::DeleteObject(hImage);
  ASSERT_TRUE(bar.AddButton(0, L"General", 100));
  ASSERT_TRUE(bar.AddButton(0, L"Editor", 101));
  CRect rectFirst = bar.GetButton(0)->Rect(), rectSecond = bar.GetButton(1)->Rect();
  EXPECT_FALSE(rectFirst.IsRectEmpty());
  EXPECT_LE(rectFirst.bottom, rectSecond.top);
  // The splitter band on the inner edge sizes the bar itself when no frame lays it out.
  const CRect splitter = bar.GetSplitterRect();
  ASSERT_FALSE(splitter.IsRectEmpty());
  const CPoint start = splitter.CenterPoint();
  ::PostMessageW(bar.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
  ::PostMessageW(bar.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x + 30, start.y));
  ::PostMessageW(bar.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(start.x + 30, start.y));
  ASSERT_TRUE(PumpUntil([&] {
    CRect rect;
    bar.GetWindowRect(&rect);
    return rect.Width() == start.x + 30 + 3;
  }));
  bar.DestroyWindow();
  host.DestroyWindow();
}

// ---- stored state ------------------------------------------------------------------------------

using archive_bytes::Store;

// Loads the bytes into the bar; false when the load failed.
bool Load(CUfxOutlookBar& bar, std::vector<BYTE> bytes) {
  CMemFile file(bytes.data(), (UINT)bytes.size());
  CArchive ar(&file, CArchive::load);
  try {
    bar.Serialize(ar);
  } catch (CException* e) {
    e->Delete();
    return false;
  }
  return true;
}
std::vector<std::pair<int, CString>> PagesOf(const CUfxOutlookBar& bar) {
  std::vector<std::pair<int, CString>> pages;
  for (POSITION pos = bar.GetPages().GetHeadPosition(); pos != nullptr;) {
    auto* pPage = static_cast<CUfxOutlookBarPage*>(bar.GetPages().GetNext(pos));
    pages.emplace_back(pPage->m_iId, pPage->m_strName);
  }
  return pages;
}
std::vector<std::pair<UINT, int>> ShortcutsOf(const CUfxOutlookBar& bar) {
  std::vector<std::pair<UINT, int>> shortcuts;
  for (POSITION pos = bar.GetAllButtons().GetHeadPosition(); pos != nullptr;) {
    auto* pButton = DYNAMIC_DOWNCAST(CUfxOutlookButton, bar.GetAllButtons().GetNext(pos));
    if (pButton != nullptr) shortcuts.emplace_back(pButton->m_nID, pButton->m_iPageId);
  }
  return shortcuts;
}

TEST_F(OutlookBarTest, WidthPagesAndTheShortcutsPagesComeBackFromTheStoredState) {
  bar.SetBarWidth(150);
  bar.SetPageName(2, L"Renamed");
  const std::vector<BYTE> bytes = Store(bar);
  CUfxOutlookBar other;
  ASSERT_TRUE(other.Create(frame, WS_CHILD | CBRS_ALIGN_LEFT, AFX_IDW_TOOLBAR + 1));
  ASSERT_TRUE(Load(other, bytes));
  EXPECT_EQ(150, other.GetBarWidth());
  EXPECT_EQ(PagesOf(bar), PagesOf(other));
  EXPECT_EQ(ShortcutsOf(bar), ShortcutsOf(other));
  EXPECT_EQ(1, other.GetActivePage());
  EXPECT_NE(nullptr, other.FindPage(3)->m_btnPage.GetSafeHwnd());
  other.DestroyWindow();
}

TEST_F(OutlookBarTest, StateOfLibraryVersion470RestoresTheWidthButNoPages) {
  // What that version wrote: the toolbar's part, then the width alone.
  CUfxToolBar plain;
  std::vector<BYTE> bytes = Store(plain);
  const DWORD dwWidth = 177;
  bytes.insert(bytes.end(), (const BYTE*)&dwWidth, (const BYTE*)&dwWidth + sizeof(dwWidth));
  theApp.SetStoredVersion(4, 70);
  ASSERT_TRUE(Load(bar, bytes));
  EXPECT_EQ(177, bar.GetBarWidth());
  EXPECT_TRUE(PagesOf(bar).empty());
  EXPECT_EQ(-1, bar.GetActivePage());
}

TEST_F(OutlookBarTest, AStoredPageOfAnotherClassFailsTheLoadAndTheBarKeepsItsLayout) {
  bar.SetBarWidth(140);
  CUfxToolBar plain;
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    plain.Serialize(ar);
    ar << (DWORD)99;  // width
    ar.WriteCount(1);
    CUfxToolbarButton stranger(5, 0, L"not a page");
    ar.WriteObject(&stranger);
    ar.Close();
  }
  std::vector<BYTE> bytes((size_t)file.GetLength());
  file.SeekToBegin();
  file.Read(bytes.data(), (UINT)bytes.size());
  const auto pages = PagesOf(bar);
  const auto shortcuts = ShortcutsOf(bar);
  EXPECT_FALSE(Load(bar, bytes));
  EXPECT_EQ(140, bar.GetBarWidth());
  EXPECT_EQ(pages, PagesOf(bar));
  EXPECT_EQ(shortcuts, ShortcutsOf(bar));
  EXPECT_EQ(1, bar.GetActivePage());
}

TEST_F(OutlookBarTest, ShortcutsGoOnlyToKnownPagesOfButtons) {
  CEdit hosted;
  ASSERT_TRUE(hosted.Create(WS_CHILD, CRect(0, 0, 10, 10), &bar, 77));
  ASSERT_TRUE(bar.AddPage(4, L"Hosted", hosted.m_hWnd));
  EXPECT_FALSE(bar.AddButton(0, L"x", 2000, 4)) << "a page that hosts a window";
  EXPECT_FALSE(bar.AddButton(0, L"x", 2000, 9)) << "an unknown page";
  EXPECT_FALSE(bar.AddPage(2, L"again")) << "an id in use";
  EXPECT_TRUE(bar.AddButton(0, L"first page", 2001));
  EXPECT_EQ(1, ShortcutsOf(bar).back().second);
  bar.SetActivePage(4, FALSE);
  EXPECT_TRUE(hosted.IsWindowVisible());
  bar.SetActivePage(1, FALSE);
  EXPECT_FALSE(hosted.IsWindowVisible());
}

}  // namespace
