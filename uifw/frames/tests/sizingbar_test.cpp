// Sizing bars on a framework frame under the display, driven by posted mouse messages: two bars
// sharing a top row (splitter, expand button, the row's outer edge, a row too short for them), the
// saved state through the workspace, the toolbar-menu request on right clicks, the class-wide
// table, the dialog bar, and the floating frame (roll-up, caption kept on the work area, drag and
// resize from a corner).
#include "FramesTestKit.h"
#include "frames/UfxDialogBar.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxMiniDockFrameWnd.h"
#include "frames/UfxSizingControlBar.h"
#include "bars/UfxToolBar.h"
#include "looks/UfxVisualManager.h"
#include "frames/UfxWorkspace.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace {

class CSizingTestApp : public CWinApp, public CUfxWorkspace {
public:
  CSizingTestApp() : CWinApp(L"SizingBarTest"), CUfxWorkspace(FALSE) {}
};
CSizingTestApp theApp;

// The test application's own key, made and removed by each test.
const wchar_t kAppKey[] = L"Software\\Ferrow Software\\SizingBarTest";
const wchar_t kSettingsKey[] = L"Software\\Ferrow Software\\SizingBarTest\\Settings";
const UINT kBarA = 5001, kBarB = 5002, kBarC = 5003;

// Records what the bars ask of the frame.
class CSizingFrame : public CUfxFrameWnd {
public:
  std::vector<std::pair<WPARAM, LPARAM>> menuRequests;
  LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override {
    if (nMsg == UFXM_TOOLBAR_POPUPMENU) {
      menuRequests.emplace_back(wParam, lParam);
      return 0;
    }
    return CUfxFrameWnd::WindowProc(nMsg, wParam, lParam);
  }
};

// The base look, noting how it is asked to draw caption buttons.
struct CaptionButtonDraw {
  UINT nHit;
  BOOL bDisabled;
};
std::vector<CaptionButtonDraw> g_buttonDraws;
class CRecordingManager : public CUfxVisualManager {
  DECLARE_DYNCREATE(CRecordingManager)
public:
  void OnDrawCaptionButton(CDC* pDC, CUfxCaptionButton* pButton, BOOL bHorz, BOOL bMaximized, BOOL bDisabled) override {
    g_buttonDraws.push_back({pButton->m_nHit, bDisabled});
    CUfxVisualManager::OnDrawCaptionButton(pDC, pButton, bHorz, bMaximized, bDisabled);
  }
};
IMPLEMENT_DYNCREATE(CRecordingManager, CUfxVisualManager)

// A bar that may or may not be closed.
class CClosableBar : public CUfxSizingControlBar {
public:
  BOOL bClosable = TRUE;
  BOOL CanBeClosed() const override { return bClosable; }
};

CRect ScreenRect(CWnd* pWnd) {
  CRect r;
  pWnd->GetWindowRect(&r);
  return r;
}

CPoint ToClient(CWnd* pWnd, CPoint pt) {
  pWnd->ScreenToClient(&pt);
  return pt;
}

LPARAM Pt(CPoint pt) { return MAKELPARAM(pt.x, pt.y); }

DWORD RegDword(const CString& strKey, LPCWSTR lpszValue, DWORD* pType = nullptr) {
  DWORD dwValue = 0xFFFFFFFF, cb = sizeof(dwValue), dwType = 0;
  ::RegGetValueW(HKEY_CURRENT_USER, strKey, lpszValue, RRF_RT_ANY, &dwType, &dwValue, &cb);
  if (pType != nullptr) *pType = dwType;
  return dwValue;
}

CString BarKey(UINT nID) {
  CString str;
  str.Format(L"%s\\SizingBars-SCBar-%u", kSettingsKey, nID);
  return str;
}

class SizingBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
    CUfxVisualManager::SetDefaultManager(nullptr);
    CUfxToolBar::SetCustomizeMode(FALSE);
    theApp.SetRegistryKey(L"Ferrow Software");
    theApp.SetRegistryBase(L"Settings");
    frame = NewFrame();
  }
  void TearDown() override {
    if (frame != nullptr && ::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    ::SetCursorPos(5, 1000);
    PumpPending();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
    CUfxVisualManager::SetDefaultManager(nullptr);
    CUfxToolBar::SetCustomizeMode(FALSE);
  }
  static CSizingFrame* NewFrame() { return NewDockingFrame<CSizingFrame>(); }
  // A fresh frame in place of the one a table case used.
  void RenewFrame() {
    frame->DestroyWindow();
    frame = NewFrame();
  }
  // A sizing bar docked at the top (in the row of pLeftOf when given).
  static CUfxSizingControlBar* AddBar(CSizingFrame* pFrame, UINT nID, CControlBar* pLeftOf = nullptr,
                                      CUfxSizingControlBar* pBar = nullptr) {
    if (pBar == nullptr) pBar = new CUfxSizingControlBar;
    pBar->m_bAutoDelete = TRUE;
    EXPECT_TRUE(pBar->Create(L"pane", pFrame, CSize(200, 120), TRUE, nID, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    if (pLeftOf != nullptr) pFrame->DockControlBarLeftOf(pBar, pLeftOf);
    else pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    Layout(pFrame);
    return pBar;
  }
  static void Layout(CFrameWnd* pFrame) {
    PumpPending();
    pFrame->RecalcLayout();
    PumpPending();
  }
  void MakeRow() {
    a = AddBar(frame, kBarA);
    b = AddBar(frame, kBarB, a);
  }
  int RowLength() const {
    CRect r;
    frame->GetControlBar(AFX_IDW_DOCKBAR_TOP)->GetClientRect(&r);
    return r.Width();
  }
  // Presses on an edge or caption button of the bar, moves by d and releases, all posted.
  static void DragEdge(CUfxSizingControlBar* pBar, UINT nHit, CPoint ptStart, CSize d) {
    ::SetCursorPos(ptStart.x, ptStart.y);
    PumpPending();
    ::PostMessageW(pBar->m_hWnd, WM_NCLBUTTONDOWN, nHit, Pt(ptStart));
    PumpPending();
    const CPoint ptEnd = ptStart + d;
    ::PostMessageW(pBar->m_hWnd, WM_MOUSEMOVE, 0, Pt(ToClient(pBar, ptEnd)));
    ::PostMessageW(pBar->m_hWnd, WM_LBUTTONUP, 0, Pt(ToClient(pBar, ptEnd)));
    PumpPending();
  }
  static CPoint EdgePoint(CUfxSizingControlBar* pBar, UINT nHit) {
    CRect rectEdge;
    EXPECT_TRUE(pBar->CalcEdgeRect(ScreenRect(pBar), nHit, rectEdge));
    return rectEdge.CenterPoint();
  }
  static CPoint ButtonPoint(CUfxSizingControlBar* pBar, CUfxCaptionButton& button) {
    return button.GetRect().CenterPoint() + ScreenRect(pBar).TopLeft();
  }
  static void ClickButton(CUfxSizingControlBar* pBar, CUfxCaptionButton& button) {
    const CPoint pt = ButtonPoint(pBar, button);
    ::SetCursorPos(pt.x, pt.y);
    PumpPending();
    ::PostMessageW(pBar->m_hWnd, WM_NCLBUTTONDOWN, button.m_nHit, Pt(pt));
    ::PostMessageW(pBar->m_hWnd, WM_LBUTTONUP, 0, Pt(ToClient(pBar, pt)));
    PumpPending();
  }
  CUfxMiniDockFrameWnd* Float(CUfxSizingControlBar* pBar, CPoint pt) {
    frame->FloatControlBar(pBar, pt);
    Layout(frame);
    return DYNAMIC_DOWNCAST(CUfxMiniDockFrameWnd, pBar->GetParentFrame());
  }

  CSizingFrame* frame = nullptr;
  CUfxSizingControlBar* a = nullptr;
  CUfxSizingControlBar* b = nullptr;
};

TEST_F(SizingBarTest, TwoBarsShareTheTopRowEdgeToEdge) {
  MakeRow();
  const CRect ra = ScreenRect(a), rb = ScreenRect(b);
  EXPECT_EQ(ra.top, rb.top);
  EXPECT_EQ(ra.right, rb.left);
  EXPECT_EQ(RowLength(), ra.Width() + rb.Width());
  EXPECT_EQ(ra.Height(), rb.Height());
  EXPECT_EQ((LRESULT)HTRIGHT, a->SendMessage(WM_NCHITTEST, 0, Pt(EdgePoint(a, HTRIGHT))));
  EXPECT_EQ((LRESULT)HTBOTTOM, a->SendMessage(WM_NCHITTEST, 0, Pt(EdgePoint(a, HTBOTTOM))));
  EXPECT_FALSE(b->IsEdgeSizable(HTRIGHT));  // the last bar of the row has no splitter after it
}

// The non-client area through the base look: the face, the splitter edges as raised strips, the
// caption buttons framed.
TEST_F(SizingBarTest, TheNonClientAreaShowsFaceEdgesAndCaptionButtons) {
  MakeRow();
  a->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  CRect rectWindow = ScreenRect(a);
  rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
  const UFX_GLOBAL_DATA& g = UfxGlobalData;
  HDC hdc = ::GetWindowDC(a->m_hWnd);
  auto pixel = [hdc](CPoint pt) { return ::GetPixel(hdc, pt.x, pt.y); };
  for (UINT nHit : {(UINT)HTRIGHT, (UINT)HTBOTTOM}) {
    CRect rectEdge;
    ASSERT_TRUE(a->CalcEdgeRect(rectWindow, nHit, rectEdge));
    EXPECT_EQ(g.clrBarLight, pixel(rectEdge.TopLeft())) << nHit;
    EXPECT_EQ(g.clrBarDkShadow, pixel(rectEdge.BottomRight() - CSize(1, 1))) << nHit;
    EXPECT_EQ(g.clrBarHilite, pixel(rectEdge.TopLeft() + CSize(1, 1))) << nHit;
  }
  EXPECT_EQ(g.clrBarFace, pixel(CPoint(rectWindow.Width() / 2, 2)));  // the border inset
  const CRect rectClose = a->GetCloseButton().GetRect();
  EXPECT_EQ(g.clrBarLight, pixel(rectClose.TopLeft()));
  EXPECT_EQ(g.clrBarDkShadow, pixel(rectClose.BottomRight() - CSize(1, 1)));
  ::ReleaseDC(a->m_hWnd, hdc);
}

// A bar whose caption is drawn as a title bar, with or without the gradient.
class CTitleCaptionBar : public CUfxSizingControlBar {
public:
  static void SetTitleSwitches(BOOL bTitle, BOOL bGradient) {
    s_bCaptionTitleBar = bTitle;
    s_bGradientTitleBar = bGradient;
  }
  void SetCaptionActive(BOOL bActive) { m_bActive = bActive; }
};

// An active title caption beside a horizontal bar runs from the caption colour at its foot to the
// gradient colour at its head; without the gradient switch it is one colour.
TEST_F(SizingBarTest, ATitleCaptionFillsSolidOrWithItsGradient) {
  CTitleCaptionBar* pBar = new CTitleCaptionBar;
  AddBar(frame, kBarA, nullptr, pBar);
  ASSERT_TRUE(pBar->IsHorzDocked());
  pBar->SetCaptionActive(TRUE);
  BOOL bSystemGradients = FALSE;
  ::SystemParametersInfoW(SPI_GETGRADIENTCAPTIONS, 0, &bSystemGradients, 0);
  const COLORREF clrStart = ::GetSysColor(COLOR_ACTIVECAPTION);
  // The scheme here may give both caption colours alike: the gradient's end gets a colour of its own.
  const int iGradient = COLOR_GRADIENTACTIVECAPTION;
  const COLORREF clrSchemeGradient = ::GetSysColor(iGradient);
  const COLORREF clrOwnGradient = clrStart ^ 0xFFFFFF;
  ::SetSysColors(1, &iGradient, &clrOwnGradient);
  const COLORREF clrEnd = bSystemGradients ? clrOwnGradient : UfxGlobalData.clrBarFace;

  const CRect rect(0, 0, 16, 128);
  BITMAPINFO bmi = {};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), rect.Width(), rect.Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* pBits = nullptr;
  HBITMAP hbm = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
  CDC dc;
  dc.Attach(::CreateCompatibleDC(nullptr));
  HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hbm);
  auto isClose = [](COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 8;
  };
  struct Case {
    BOOL bGradient;
    COLORREF clrFoot, clrHead;
  };
  for (const Case& c : {Case{FALSE, clrStart, clrStart}, Case{TRUE, clrStart, clrEnd}}) {
    CTitleCaptionBar::SetTitleSwitches(TRUE, c.bGradient);
    pBar->DrawTitleCaption(&dc, rect);
    EXPECT_TRUE(isClose(c.clrFoot, dc.GetPixel(8, rect.bottom - 1))) << c.bGradient;
    EXPECT_TRUE(isClose(c.clrHead, dc.GetPixel(8, 0))) << c.bGradient;
  }
  CTitleCaptionBar::SetTitleSwitches(FALSE, FALSE);
  ::SetSysColors(1, &iGradient, &clrSchemeGradient);
  ::SelectObject(dc.m_hDC, hOld);
  ::DeleteDC(dc.Detach());
  ::DeleteObject(hbm);
}

// The splitter between two bars: what one gains the other loses, neither below its minimum 33;
// at the limit the growing bar is expanded.
TEST_F(SizingBarTest, TheSplitterMovesLengthFromOneBarToTheOther) {
  const struct {
    int dx;
    bool bLimit;
  } cases[] = {{50, false}, {-50, false}, {1000, true}, {-1000, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dx);
    MakeRow();
    const int wa = ScreenRect(a).Width(), wb = ScreenRect(b).Width();
    DragEdge(a, HTRIGHT, EdgePoint(a, HTRIGHT), CSize(c.dx, 0));
    Layout(frame);
    const int na = ScreenRect(a).Width(), nb = ScreenRect(b).Width();
    EXPECT_EQ(wa + wb, na + nb);
    if (!c.bLimit) {
      EXPECT_EQ(wa + c.dx, na);
      EXPECT_EQ(wb - c.dx, nb);
    } else {
      EXPECT_EQ(33, c.dx > 0 ? nb : na);
    }
    EXPECT_EQ(c.bLimit && c.dx > 0, !!a->IsExpanded());
    EXPECT_EQ(c.bLimit && c.dx < 0, !!b->IsExpanded());
    EXPECT_FALSE(a->m_bDragging);
    EXPECT_EQ(nullptr, ::GetCapture());
    RenewFrame();
  }
}

// The row's outer edge changes every bar's thickness, at most to the view's room minus 4.
TEST_F(SizingBarTest, TheOuterEdgeSetsTheThicknessOfTheWholeRow) {
  const struct {
    int dy;
    bool bLimit;
  } cases[] = {{30, false}, {1000, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dy);
    MakeRow();
    const int h = ScreenRect(a).Height();
    CRect rectRoom(0, 0, 0, 0);
    frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rectRoom);
    DragEdge(a, HTBOTTOM, EdgePoint(a, HTBOTTOM), CSize(0, c.dy));
    Layout(frame);
    const int expected = c.bLimit ? rectRoom.Height() + h - 4 : h + c.dy;
    EXPECT_EQ(expected, a->m_szHorz.cy);
    EXPECT_EQ(expected, b->m_szHorz.cy);
    EXPECT_EQ(ScreenRect(a).Height(), ScreenRect(b).Height());
    RenewFrame();
  }
}

TEST_F(SizingBarTest, TheExpandButtonFillsTheRowAndRestoresIt) {
  MakeRow();
  const int wa = ScreenRect(a).Width(), wb = ScreenRect(b).Width();
  ClickButton(a, a->GetExpandButton());
  Layout(frame);
  EXPECT_TRUE(a->IsExpanded());
  EXPECT_EQ((UINT)CUfxSizingControlBar::IDS_RESTORE_TIP, a->GetExpandButton().m_nTooltipId);
  EXPECT_EQ(33, ScreenRect(b).Width());
  EXPECT_EQ(RowLength() - 33, ScreenRect(a).Width());

  ClickButton(a, a->GetExpandButton());
  Layout(frame);
  EXPECT_FALSE(a->IsExpanded());
  EXPECT_EQ((UINT)CUfxSizingControlBar::IDS_EXPAND_TIP, a->GetExpandButton().m_nTooltipId);
  EXPECT_EQ(wa, ScreenRect(a).Width());
  EXPECT_EQ(wb, ScreenRect(b).Width());

  // Expanding the other bar takes the expansion from this one.
  ClickButton(a, a->GetExpandButton());
  ClickButton(b, b->GetExpandButton());
  Layout(frame);
  EXPECT_FALSE(a->IsExpanded());
  EXPECT_TRUE(b->IsExpanded());
  EXPECT_EQ(33, ScreenRect(a).Width());
  EXPECT_EQ(RowLength() - 33, ScreenRect(b).Width());
  EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(SizingBarTest, ABarAloneInItsRowDrawsItsExpandButtonDisabledAndIgnoresIt) {
  CUfxVisualManager::SetDefaultManager(RUNTIME_CLASS(CRecordingManager));
  a = AddBar(frame, kBarA);
  ASSERT_TRUE(a->IsSingleInRow());
  g_buttonDraws.clear();
  a->SendMessage(WM_NCPAINT, 1);
  ASSERT_EQ(2u, g_buttonDraws.size());
  for (const CaptionButtonDraw& draw : g_buttonDraws)
    EXPECT_EQ(draw.nHit == CUfxSizingControlBar::HIT_EXPAND, !!draw.bDisabled) << draw.nHit;

  ClickButton(a, a->GetExpandButton());
  Layout(frame);
  EXPECT_FALSE(a->IsExpanded());
  EXPECT_FALSE(a->GetExpandButton().m_bPushed);
  EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(SizingBarTest, TheCloseButtonHidesTheBar) {
  MakeRow();
  ClickButton(b, b->GetCloseButton());
  Layout(frame);
  EXPECT_FALSE(b->IsWindowVisible());
  EXPECT_EQ(RowLength(), ScreenRect(a).Width());  // the other bar takes the row
}

// A row that cannot hold every bar at its minimum sends the fitting bar to a row of its own.
TEST_F(SizingBarTest, ARowTooShortForTheMinimaPushesABarToANewRow) {
  MakeRow();
  for (CUfxSizingControlBar* pBar : {a, b}) pBar->SetMinSize(RowLength() / 2 + 10, 32);
  a->m_bParentSizing = TRUE;
  EXPECT_FALSE(a->FitRowToLength(RowLength(), TRUE));
  Layout(frame);
  EXPECT_NE(ScreenRect(a).top, ScreenRect(b).top);
  EXPECT_GE(ScreenRect(a).Width(), RowLength() / 2 + 10);
  EXPECT_GE(ScreenRect(b).Width(), RowLength() / 2 + 10);
}

// A bar shown again keeps its length: the others give way (and took its room while it was hidden).
TEST_F(SizingBarTest, ABarShownAgainKeepsItsLength) {
  MakeRow();
  CUfxSizingControlBar* c = AddBar(frame, kBarC, b);
  const int wc = ScreenRect(c).Width();
  ASSERT_EQ(ScreenRect(b).right, ScreenRect(c).left);
  frame->ShowControlBar(c, FALSE, FALSE);
  Layout(frame);
  EXPECT_EQ(RowLength(), ScreenRect(a).Width() + ScreenRect(b).Width());
  frame->ShowControlBar(c, TRUE, FALSE);
  Layout(frame);
  EXPECT_EQ(wc, ScreenRect(c).Width());
  EXPECT_EQ(RowLength(), ScreenRect(a).Width() + ScreenRect(b).Width() + ScreenRect(c).Width());
  EXPECT_FALSE(c->m_bKeepSize);
}

TEST_F(SizingBarTest, RightClicksAskTheFrameForTheToolbarMenu) {
  MakeRow();
  CUfxMiniDockFrameWnd* pMini = Float(b, CPoint(800, 300));
  ASSERT_NE(nullptr, pMini);
  const CPoint ptClient(20, 20);
  CPoint ptClientScreen = ptClient;
  a->ClientToScreen(&ptClientScreen);
  const CPoint ptCaption = ScreenRect(a).TopLeft() + CPoint(3, ScreenRect(a).Height() - 12);
  const CPoint ptFrame = ScreenRect(pMini).TopLeft() + CPoint(10, 5);
  const struct {
    HWND hWnd;
    UINT nMsg;
    WPARAM wParam;
    LPARAM lParam;
    HWND hWndExpected;
    CPoint ptExpected;
  } cases[] = {
      {a->m_hWnd, WM_RBUTTONDOWN, 0, Pt(ptClient), a->m_hWnd, ptClientScreen},
      {a->m_hWnd, WM_NCRBUTTONUP, HTCAPTION, Pt(ptCaption), a->m_hWnd, ptCaption},
      {pMini->m_hWnd, WM_NCRBUTTONDOWN, HTCAPTION, Pt(ptFrame), pMini->m_hWnd, ptFrame},
  };
  for (BOOL bCustomize : {FALSE, TRUE}) {
    CUfxToolBar::SetCustomizeMode(bCustomize);
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << c.nMsg << " customize " << bCustomize);
      frame->menuRequests.clear();
      ::PostMessageW(c.hWnd, c.nMsg, c.wParam, c.lParam);
      PumpPending();
      if (bCustomize) {
        EXPECT_TRUE(frame->menuRequests.empty());
        continue;
      }
      ASSERT_EQ(1u, frame->menuRequests.size());
      EXPECT_EQ((WPARAM)c.hWndExpected, frame->menuRequests[0].first);
      EXPECT_EQ(Pt(c.ptExpected), frame->menuRequests[0].second);
    }
  }
}

// Saved through the workspace: while expanded the sizes from before, "Expanded" 1; the reload
// in a new frame expands again.
TEST_F(SizingBarTest, TheSavedStateKeepsSizesAndExpansion) {
  MakeRow();
  const int wa = ScreenRect(a).Width();
  const CSize szVert = a->m_szVert, szFloat = a->m_szFloat;
  ClickButton(a, a->GetExpandButton());
  Layout(frame);
  ASSERT_TRUE(a->IsExpanded());
  ASSERT_TRUE(theApp.SaveState(nullptr, frame->GetFrameImpl()));

  const CString strKey = BarKey(kBarA);
  const struct {
    LPCWSTR lpszName;
    DWORD dwExpected;
  } values[] = {{L"sizeHorzCX", (DWORD)wa},          {L"sizeHorzCY", (DWORD)a->m_szHorz.cy},
                {L"sizeVertCX", (DWORD)szVert.cx},   {L"sizeVertCY", (DWORD)szVert.cy},
                {L"sizeFloatCX", (DWORD)szFloat.cx}, {L"sizeFloatCY", (DWORD)szFloat.cy},
                {L"Expanded", 1}};
  for (const auto& v : values) {
    DWORD dwType = 0;
    EXPECT_EQ(v.dwExpected, RegDword(strKey, v.lpszName, &dwType)) << v.lpszName;
    EXPECT_EQ((DWORD)REG_DWORD, dwType) << v.lpszName;
  }
  EXPECT_EQ(0u, RegDword(BarKey(kBarB), L"Expanded"));

  frame->DestroyWindow();
  PumpPending();
  frame = NewFrame();
  MakeRow();
  EXPECT_FALSE(a->IsExpanded());
  ASSERT_TRUE(theApp.LoadState(nullptr, frame->GetFrameImpl()));
  Layout(frame);
  EXPECT_TRUE(a->IsExpanded());
  EXPECT_EQ(RowLength() - 33, ScreenRect(a).Width());
  ClickButton(a, a->GetExpandButton());
  Layout(frame);
  EXPECT_EQ(wa, ScreenRect(a).Width());
}

TEST_F(SizingBarTest, LoadedValuesBelowTheMinimumAndTheRollUpModeAreCorrected) {
  a = AddBar(frame, kBarA);
  HKEY hKey = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, BarKey(kBarA), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &hKey, nullptr));
  const struct {
    LPCWSTR lpszName;
    DWORD dwValue;
  } stored[] = {{L"sizeHorzCX", 5}, {L"sizeHorzCY", 250}, {L"sizeFloatCX", 0},
                {L"sizeFloatCY", 7}, {L"RolledFloat", 0}, {L"RolledFloatDynamicState", 2}};
  for (const auto& v : stored)
    ::RegSetValueExW(hKey, v.lpszName, 0, REG_DWORD, (const BYTE*)&v.dwValue, sizeof(DWORD));
  ::RegCloseKey(hKey);
  const CSize szVert = a->m_szVert;

  ASSERT_TRUE(a->LoadState(L"Settings\\SizingBars"));
  EXPECT_EQ(CSize(33, 250), a->m_szHorz);
  EXPECT_EQ(szVert, a->m_szVert);  // absent values keep the current ones
  EXPECT_EQ(CSize(33, 32), a->m_szFloat);
  EXPECT_EQ(2, a->GetRollUpMode());
  EXPECT_TRUE(a->IsRolled());
  EXPECT_FALSE(a->LoadState(L"Settings\\NoSuchSection"));
}

// Stored sizes beyond the screen (a damaged or foreign profile) are held to the virtual screen,
// and the row still comes out filled edge to edge.
TEST_F(SizingBarTest, StoredSizesBeyondTheScreenAreHeldToIt) {
  MakeRow();
  HKEY hKey = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, BarKey(kBarA), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &hKey, nullptr));
  const struct {
    LPCWSTR lpszName;
    DWORD dwValue;
  } stored[] = {{L"sizeHorzCX", 2000000000}, {L"sizeHorzCY", 0x7FFFFFFF}, {L"sizeVertCX", 0x80000000},
                {L"sizeFloatCX", 0xFFFFFFFF}, {L"sizeFloatCY", 1500000000}};
  for (const auto& v : stored)
    ::RegSetValueExW(hKey, v.lpszName, 0, REG_DWORD, (const BYTE*)&v.dwValue, sizeof(DWORD));
  ::RegCloseKey(hKey);
  const CSize szScreen(::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN));

  ASSERT_TRUE(a->LoadState(L"Settings\\SizingBars"));
  EXPECT_EQ(szScreen, a->m_szHorz);
  EXPECT_EQ(33, a->m_szVert.cx) << "a negative width is the minimum";
  EXPECT_EQ(CSize(33, szScreen.cy), a->m_szFloat);
  a->m_bParentSizing = TRUE;
  Layout(frame);
  EXPECT_EQ(RowLength(), ScreenRect(a).Width() + ScreenRect(b).Width());
  EXPECT_EQ(ScreenRect(a).right, ScreenRect(b).left);
}

// The class-wide table and list forget a bar whose window goes with its frame.
TEST_F(SizingBarTest, ABarDestroyedWithItsFrameLeavesTheClassLists) {
  CUfxSizingControlBar* pBar = new CUfxSizingControlBar;  // not deleted with its window
  ASSERT_TRUE(pBar->Create(L"pane", frame, CSize(100, 100), TRUE, kBarC, WS_CHILD | WS_VISIBLE | CBRS_TOP));
  EXPECT_TRUE(CUfxSizingControlBar::IsSizingBar(pBar));
  EXPECT_NE(nullptr, CUfxSizingControlBar::GetSizingBarList().Find(pBar));
  EXPECT_NE(nullptr, UfxAllControlBars.Find(pBar));
  frame->DestroyWindow();
  frame = nullptr;
  PumpPending();
  EXPECT_FALSE(CUfxSizingControlBar::IsSizingBar(pBar));
  EXPECT_EQ(nullptr, CUfxSizingControlBar::GetSizingBarList().Find(pBar));
  EXPECT_EQ(nullptr, UfxAllControlBars.Find(pBar));
  delete pBar;
  EXPECT_FALSE(CUfxSizingControlBar::IsSizingBar(pBar));
}

TEST_F(SizingBarTest, ADialogBarHostsItsTemplatesControlsAtTheTemplatesSize) {
  EXPECT_EQ(VERSIONABLE_SCHEMA | 1, RUNTIME_CLASS(CUfxDialogBar)->m_wSchema);
  CUfxDialogBar* pBar = new CUfxDialogBar;
  pBar->m_bAutoDelete = TRUE;
  ASSERT_TRUE(pBar->Create(L"dialog pane", frame, TRUE, 300, WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarC));
  pBar->EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
  Layout(frame);
  EXPECT_TRUE(CUfxSizingControlBar::IsSizingBar(pBar));
  EXPECT_EQ((UINT)kBarC, (UINT)pBar->GetDlgCtrlID());
  ASSERT_NE(nullptr, pBar->GetDlgItem(301));
  const CSize size = pBar->CalcFixedLayout(FALSE, TRUE);
  EXPECT_EQ(pBar->m_sizeDefault.cx + 10 + pBar->m_nCaptionSize, size.cx);
  EXPECT_EQ(pBar->m_sizeDefault.cy + 10 + pBar->m_nEdgeWidth, size.cy);
  EXPECT_EQ(size.cy, ScreenRect(pBar).Height());

  // Without a handler a push button is disabled at idle time; a check box is left alone.
  pBar->OnUpdateCmdUI(frame, TRUE);
  EXPECT_FALSE(pBar->GetDlgItem(301)->IsWindowEnabled());
  ASSERT_NE(nullptr, pBar->GetDlgItem(302));
  EXPECT_TRUE(pBar->GetDlgItem(302)->IsWindowEnabled());
}

// ---- the floating frame ---------------------------------------------------------------------

TEST_F(SizingBarTest, AFloatingBarSitsInAToolWindowFrame) {
  a = AddBar(frame, kBarA);
  CUfxMiniDockFrameWnd* pMini = Float(a, CPoint(800, 300));
  ASSERT_NE(nullptr, pMini);
  EXPECT_TRUE(pMini->GetExStyle() & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(pMini->GetStyle() & MFS_4THICKFRAME);
  EXPECT_EQ(a, pMini->GetSizingBar());
  EXPECT_FALSE(a->IsSideDocked());
  EXPECT_NE((LRESULT)HTLEFT, a->SendMessage(WM_NCHITTEST, 0, Pt(ScreenRect(a).TopLeft() + CPoint(2, 2))));
  a->SetWindowText(L"renamed");
  Layout(pMini);
  CString strTitle;
  pMini->GetWindowText(strTitle);
  EXPECT_EQ(CString(L"renamed"), strTitle);
}

TEST_F(SizingBarTest, AFloatingFrameClosesOnlyWhenItsBarMayBeClosed) {
  for (BOOL bClosable : {TRUE, FALSE}) {
    SCOPED_TRACE(bClosable);
    CClosableBar* pBar = new CClosableBar;
    pBar->bClosable = bClosable;
    AddBar(frame, kBarA, nullptr, pBar);
    CUfxMiniDockFrameWnd* pMini = Float(pBar, CPoint(800, 300));
    ASSERT_NE(nullptr, pMini);
    pMini->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_EQ(!bClosable, !!pMini->IsWindowVisible());
    EXPECT_EQ(!bClosable, !!pBar->IsWindowVisible());
    RenewFrame();
  }
}

// The tear-off loop moves the frame with the mouse: dropped with the left button, cancelled with
// ESC or the right button, which leaves no bar behind.
TEST_F(SizingBarTest, ATearOffFollowsTheMouseUntilDroppedOrCancelled) {
  const struct {
    UINT nMsg;
    WPARAM wParam;
    bool bDropped;
  } cases[] = {{WM_LBUTTONUP, 0, true}, {WM_KEYDOWN, VK_ESCAPE, false}, {WM_RBUTTONDOWN, 0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nMsg);
    a = AddBar(frame, kBarA);
    CUfxMiniDockFrameWnd* pMini = Float(a, CPoint(800, 300));
    ASSERT_NE(nullptr, pMini);
    const HWND hBar = a->m_hWnd, hMini = pMini->m_hWnd;
    const CRect rectStart = ScreenRect(pMini);
    const CPoint ptTo(600, 650);
    ::PostMessageW(hBar, WM_MOUSEMOVE, 0, Pt(ToClient(a, ptTo)));
    ::PostMessageW(hBar, c.nMsg, c.wParam, 0);
    EXPECT_EQ(c.bDropped, !!pMini->StartTearOff(nullptr));
    PumpPending();
    EXPECT_EQ(nullptr, ::GetCapture());
    if (c.bDropped) {
      const CRect rect = ScreenRect(pMini);
      EXPECT_EQ(ptTo, rect.TopLeft() + CPoint(rectStart.Width() / 2, 5));
      EXPECT_EQ(rectStart.Size(), rect.Size());
      EXPECT_EQ(CBRS_ALIGN_ANY, a->m_dwDockStyle & CBRS_ALIGN_ANY);  // docking is back
    } else {
      EXPECT_FALSE(::IsWindow(hBar));
      EXPECT_FALSE(::IsWindow(hMini));
    }
    RenewFrame();
  }
}

TEST_F(SizingBarTest, TheRollUpButtonRollsTheFrameUpToItsCaption) {
  a = AddBar(frame, kBarA);
  a->m_nRollUpMode = 1;  // manual roll-up
  CUfxMiniDockFrameWnd* pMini = Float(a, CPoint(800, 300));
  ASSERT_NE(nullptr, pMini);
  const CRect rectOpen = ScreenRect(pMini);
  const CRect rectButton = pMini->GetRollUpButtonRect();
  ASSERT_FALSE(rectButton.IsRectEmpty());
  const CPoint pt = rectButton.CenterPoint() + rectOpen.TopLeft();
  ::PostMessageW(pMini->m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, Pt(pt));
  PumpPending();
  EXPECT_TRUE(a->IsRolled());
  pMini->RecalcLayout();
  PumpPending();
  const int cyRolled = ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * ::GetSystemMetrics(SM_CYFRAME) - 1;
  EXPECT_EQ(cyRolled, ScreenRect(pMini).Height());

  ::PostMessageW(pMini->m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, Pt(pt));
  PumpPending();
  EXPECT_FALSE(a->IsRolled());
  pMini->RecalcLayout();
  PumpPending();
  EXPECT_EQ(rectOpen.Height(), ScreenRect(pMini).Height());
}

// Mode 4 narrows a rolled frame to its title: the text, three small-caption buttons, two frame
// widths and 4 pixels.
TEST_F(SizingBarTest, InModeFourARolledFrameIsAsWideAsItsTitle) {
  a = AddBar(frame, kBarA);
  a->m_nRollUpMode = 4;
  a->m_bRolled = TRUE;
  CUfxMiniDockFrameWnd* pMini = Float(a, CPoint(800, 300));
  ASSERT_NE(nullptr, pMini);
  pMini->RecalcLayout();
  PumpPending();
  int cxText = 0;
  {
    CWindowDC dc(pMini);
    cxText = dc.GetTextExtent(CString(L"pane")).cx;
  }
  const CRect rect = ScreenRect(pMini);
  EXPECT_EQ(cxText + 3 * ::GetSystemMetrics(SM_CXSMSIZE) + 2 * ::GetSystemMetrics(SM_CXFRAME) + 4, rect.Width());
  EXPECT_EQ(::GetSystemMetrics(SM_CYSMCAPTION) + 2 * ::GetSystemMetrics(SM_CYFRAME) - 1, rect.Height());
}

// Mode 2: hovering the caption unrolls the frame; it rolls up again about 1.75 s after the mouse
// left it, but not while the focus is inside it.
TEST_F(SizingBarTest, AutomaticRollUpFollowsTheMouseAndTheFocus) {
  for (BOOL bFocusInside : {FALSE, TRUE}) {
    SCOPED_TRACE(bFocusInside);
    a = AddBar(frame, kBarA);
    CEdit* pEdit = new CEdit;
    ASSERT_TRUE(pEdit->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 20), a, 100));
    a->m_nRollUpMode = 2;
    a->m_bRolled = TRUE;
    CUfxMiniDockFrameWnd* pMini = Float(a, CPoint(800, 300));
    ASSERT_NE(nullptr, pMini);
    frame->SetFocus();
    ::SetCursorPos(5, 1000);
    const CPoint ptCaption = ScreenRect(pMini).TopLeft() + CPoint(10, 5);
    ::PostMessageW(pMini->m_hWnd, WM_NCMOUSEMOVE, HTCAPTION, Pt(ptCaption));
    PumpPending();
    EXPECT_FALSE(a->IsRolled());
    if (bFocusInside) pEdit->SetFocus();
    // The frame watches the pointer on its timer: each tick is a WM_TIMER taken from the queue.
    QueueWatch queue;
    auto ticks = [&] { return queue.Count(WM_TIMER, pMini->m_hWnd); };
    const int leaveTicks = CUfxMiniDockFrameWnd::kLeaveTicks;
    if (bFocusInside) {
      ASSERT_TRUE(PumpUntil([&] { return ticks() >= 2 * (leaveTicks + 1); }));
      EXPECT_FALSE(a->IsRolled()) << "rolled up after " << ticks() << " ticks";
    } else {
      EXPECT_TRUE(PumpUntil([&] { return a->IsRolled() != FALSE; }));
      EXPECT_GE(ticks(), leaveTicks) << "rolled up before the pointer had been away long enough";
    }
    delete pEdit;
    RenewFrame();
  }
}

// The caption stays on the work area, whether the frame is put or dragged off it.
TEST_F(SizingBarTest, TheFloatingFramesCaptionStaysOnTheWorkArea) {
  a = AddBar(frame, kBarA);
  CUfxMiniDockFrameWnd* pMini = Float(a, CPoint(800, 300));
  ASSERT_NE(nullptr, pMini);
  CRect rectWork;
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rectWork, 0);
  const int cyCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
  const struct {
    int y;
    int yExpected;
  } cases[] = {{rectWork.top - 60, rectWork.top}, {rectWork.bottom - 5, rectWork.bottom - cyCaption}, {300, 300}};
  for (const auto& c : cases) {
    pMini->SetWindowPos(nullptr, 800, c.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpPending();
    EXPECT_EQ(c.yExpected, ScreenRect(pMini).top) << c.y;
  }
  // Dragged by its caption far above the screen.
  const CPoint ptCaption = ScreenRect(pMini).TopLeft() + CPoint(20, cyCaption / 2 + 2);
  ::SetCursorPos(ptCaption.x, ptCaption.y);
  ::PostMessageW(pMini->m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, Pt(ptCaption));
  const CPoint ptEnd = ptCaption + CSize(0, -600);
  ::PostMessageW(a->m_hWnd, WM_MOUSEMOVE, 0, Pt(ToClient(a, ptEnd)));
  ::PostMessageW(a->m_hWnd, WM_LBUTTONUP, 0, Pt(ToClient(a, ptEnd)));
  PumpPending();
  pMini = DYNAMIC_DOWNCAST(CUfxMiniDockFrameWnd, a->GetParentFrame());
  ASSERT_NE(nullptr, pMini);
  EXPECT_EQ(rectWork.top, ScreenRect(pMini).top);
}

TEST_F(SizingBarTest, ResizingTheFloatingFrameFromItsTopLeftKeepsItsBottomRight) {
  a = AddBar(frame, kBarA);
  CUfxMiniDockFrameWnd* pMini = Float(a, CPoint(700, 300));
  ASSERT_NE(nullptr, pMini);
  const CRect rectBefore = ScreenRect(pMini);
  const CSize sizeBar = ScreenRect(a).Size();
  const CPoint ptStart = rectBefore.TopLeft() + CPoint(1, 1);
  const CPoint ptEnd = ptStart + CSize(-30, -20);
  ::PostMessageW(pMini->m_hWnd, WM_NCLBUTTONDOWN, HTTOPLEFT, Pt(ptStart));
  ::PostMessageW(a->m_hWnd, WM_MOUSEMOVE, 0, Pt(ToClient(a, ptEnd)));
  ::PostMessageW(a->m_hWnd, WM_LBUTTONUP, 0, Pt(ToClient(a, ptEnd)));
  PumpPending();
  pMini->RecalcLayout();
  PumpPending();
  const CRect rectAfter = ScreenRect(pMini);
  EXPECT_EQ(rectBefore.BottomRight(), rectAfter.BottomRight());
  EXPECT_EQ(rectBefore.Width() + 30, rectAfter.Width());
  EXPECT_EQ(rectBefore.Height() + 20, rectAfter.Height());
  EXPECT_EQ(sizeBar + CSize(30, 20), ScreenRect(a).Size());
}

}  // namespace
