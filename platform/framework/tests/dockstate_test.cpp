// Saved bar layouts: a frame's rows, floating frames and hidden bars go to the profile and
// come back; a stored layout naming bars the frame lacks loads what it can.
#include "BarTestKit.h"
#include <algorithm>

static CBarTestApp theApp;
CBarTestApp& TheApp() { return theApp; }

class DockState : public BarFrameTest {
protected:
  void SetUp() override {
    theApp.SetRegistryKey(L"Numbrook Framework Test");
    ClearSections(L"Layout");
    BarFrameTest::SetUp();
  }
  static void ClearSections(LPCWSTR name) {
    CString section;
    section.Format(L"%s-Summary", name);
    theApp.WriteProfileString(section, nullptr, nullptr);
    for (int i = 0; i < 16; ++i) {
      section.Format(L"%s-Bar%d", name, i);
      theApp.WriteProfileString(section, nullptr, nullptr);
    }
  }
  // The four bars of these tests, docked top each in a row of its own.
  std::vector<CFixedBar*> MakeBars() {
    std::vector<CFixedBar*> bars;
    for (UINT nID = 0x7001; nID <= 0x7004; ++nID) {
      bars.push_back(NewBar(nID, CSize(60 + 10 * (int)(nID - 0x7000), 30)));
      frame->DockControlBar(bars.back(), AFX_IDW_DOCKBAR_TOP);
    }
    frame->RecalcLayout();
    return bars;
  }
  // A fresh frame with the same bars, as the next start of the program has it.
  std::vector<CFixedBar*> Restart() {
    frame->DestroyWindow();
    PumpPending();
    BarFrameTest::SetUp();
    return MakeBars();
  }
  static std::vector<CMiniDockFrameWnd*> FloatingFrames() {
    std::vector<CMiniDockFrameWnd*> result;
    for (CFrameWnd* pFrame : CFrameWnd::GetFrameList())
      if (CMiniDockFrameWnd* p = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pFrame))
        if (p->m_hWnd != nullptr) result.push_back(p);
    return result;
  }
  static std::vector<UINT> Entries(CDockBar* pDock) {
    // Bars by id, place holders as id + 0x10000, row ends as 0.
    std::vector<UINT> ids;
    for (INT_PTR i = 0; i < pDock->m_arrBars.GetSize(); ++i) {
      void* p = pDock->m_arrBars[i];
      ids.push_back(p == nullptr ? 0 : AfxIsPlaceHolder(p) ? (UINT)(UINT_PTR)p + 0x10000 : ((CControlBar*)p)->GetDlgCtrlID());
    }
    return ids;
  }
};

TEST_F(DockState, ThreeBarLayoutWithTwoRowsAFloatingAndAHiddenBarComesBack) {
  std::vector<CFixedBar*> bars = MakeBars();
  CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
  // Row 1: bar 1 and bar 4 (hidden); row 2: bar 2; bar 3 floats.
  CRect place(200, 0, 300, 30);
  pTop->ClientToScreen(&place);
  frame->DockControlBar(bars[3], AFX_IDW_DOCKBAR_TOP, &place);
  frame->FloatControlBar(bars[2], CPoint(320, 340));
  frame->ShowControlBar(bars[3], FALSE, FALSE);
  frame->RecalcLayout();
  std::vector<UINT> rows = Entries(pTop);
  CRect floatRect;
  bars[2]->GetDockingFrame()->GetWindowRect(&floatRect);
  frame->SaveBarState(L"Layout");
  // The profile holds a summary and one section per bar and dock bar that has something.
  EXPECT_GE(theApp.GetProfileInt(L"Layout-Summary", L"Bars", 0), 5u);
  EXPECT_EQ((UINT)GetSystemMetrics(SM_CXSCREEN), theApp.GetProfileInt(L"Layout-Summary", L"ScreenCX", 0));

  bars = Restart();
  pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
  ASSERT_EQ(7u, Entries(pTop).size() - 2);  // four rows of one bar before loading
  frame->LoadBarState(L"Layout");
  theApp.OnIdle(0);
  EXPECT_EQ(rows, Entries(pTop));
  EXPECT_TRUE(bars[0]->IsWindowVisible());
  EXPECT_FALSE(bars[3]->IsWindowVisible());
  ASSERT_TRUE(bars[2]->IsFloating());
  CFrameWnd* pFloat = bars[2]->GetDockingFrame();
  EXPECT_TRUE(pFloat->IsWindowVisible());
  CRect rect;
  pFloat->GetWindowRect(&rect);
  EXPECT_EQ(floatRect, rect);
  EXPECT_EQ(1u, FloatingFrames().size());
  // The rows are laid out as they were: bar 2 under bar 1.
  EXPECT_EQ(CRect(-2, -2, 68, 28), RectInParent(bars[0]));
  EXPECT_EQ(CRect(-2, 26, 78, 56), RectInParent(bars[1]));
}

TEST_F(DockState, StoredLayoutNamingUnknownBarsLoadsTheRest) {
  std::vector<CFixedBar*> bars = MakeBars();
  // Summary claims far more entries than are stored.
  theApp.WriteProfileInt(L"Layout-Summary", L"Bars", 100000);
  // The top dock bar: a row naming bar 1, an unknown id, the left dock bar and bar 1 again.
  const int topRow[] = {0, 0x7001, 0x7777, 0xE81C, 0x7001, 0, 0x17778, 0x7002, 0};
  theApp.WriteProfileInt(L"Layout-Bar0", L"BarID", AFX_IDW_DOCKBAR_TOP);
  theApp.WriteProfileInt(L"Layout-Bar0", L"Bars", 50);  // more than stored
  for (int i = 0; i < (int)(sizeof(topRow) / sizeof(topRow[0])); ++i) {
    CString entry;
    entry.Format(L"Bar#%d", i);
    theApp.WriteProfileInt(L"Layout-Bar0", entry, topRow[i]);
  }
  // An entry for a deleted bar, one naming a bar as if it were a dock bar.
  theApp.WriteProfileInt(L"Layout-Bar1", L"BarID", 0x7777);
  theApp.WriteProfileInt(L"Layout-Bar1", L"Visible", 0);
  theApp.WriteProfileInt(L"Layout-Bar2", L"BarID", 0x7003);
  theApp.WriteProfileInt(L"Layout-Bar2", L"Bars", 2);
  theApp.WriteProfileInt(L"Layout-Bar2", L"Bar#0", 0);
  theApp.WriteProfileInt(L"Layout-Bar2", L"Bar#1", 0x7004);
  // A floating frame far off the screen holding only an unknown bar, and one holding bar 4.
  theApp.WriteProfileInt(L"Layout-Bar3", L"BarID", AFX_IDW_DOCKBAR_FLOAT);
  theApp.WriteProfileInt(L"Layout-Bar3", L"Floating", 1);
  theApp.WriteProfileInt(L"Layout-Bar3", L"Bars", 3);
  theApp.WriteProfileInt(L"Layout-Bar3", L"Bar#1", 0x7778);
  theApp.WriteProfileInt(L"Layout-Bar4", L"BarID", AFX_IDW_DOCKBAR_FLOAT);
  theApp.WriteProfileInt(L"Layout-Bar4", L"Floating", 1);
  theApp.WriteProfileInt(L"Layout-Bar4", L"XPos", -30000);
  theApp.WriteProfileInt(L"Layout-Bar4", L"YPos", 90000);
  theApp.WriteProfileInt(L"Layout-Bar4", L"MRUWidth", 2000000000);
  theApp.WriteProfileInt(L"Layout-Bar4", L"Bars", 3);
  theApp.WriteProfileInt(L"Layout-Bar4", L"Bar#0", 0);
  theApp.WriteProfileInt(L"Layout-Bar4", L"Bar#1", 0x7004);
  theApp.WriteProfileInt(L"Layout-Bar4", L"Bar#2", 0);

  CDockState state;
  state.LoadState(L"Layout");
  EXPECT_EQ(5, state.m_arrBarInfo.GetSize());  // as many as are stored
  // A position or a length beyond the screens is held to them.
  const CControlBarInfo* pFar = (CControlBarInfo*)state.m_arrBarInfo[4];
  EXPECT_GE(pFar->m_pointPos.x, -GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(32767u, pFar->m_nMRUWidth);
  frame->SetDockState(state);
  theApp.OnIdle(0);
  CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
  // Unknown ids, dock bars and repeats are skipped; bar 3, not named, keeps a row of its own.
  std::vector<UINT> expected = {0, 0x7001, 0, 0x7002, 0, 0x7003, 0};
  EXPECT_EQ(expected, Entries(pTop));
  EXPECT_EQ(0, DockBar(AFX_IDW_DOCKBAR_LEFT)->GetDockedCount());
  // The empty floating frame is gone; bar 4's frame stays inside the screen.
  std::vector<CMiniDockFrameWnd*> floating = FloatingFrames();
  ASSERT_EQ(1u, floating.size());
  EXPECT_EQ(bars[3]->GetDockingFrame(), floating[0]);
  CRect rect, screen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  floating[0]->GetWindowRect(&rect);
  EXPECT_TRUE(rect.IntersectRect(rect, screen));
}

TEST_F(DockState, ArchiveKeepsTheLayout) {
  std::vector<CFixedBar*> bars = MakeBars();
  frame->FloatControlBar(bars[1], CPoint(300, 300));
  CDockState state;
  frame->GetDockState(state);
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    state.Serialize(ar);
  }
  file.SeekToBegin();
  CDockState loaded;
  {
    CArchive ar(&file, CArchive::load);
    loaded.Serialize(ar);
  }
  ASSERT_EQ(state.m_arrBarInfo.GetSize(), loaded.m_arrBarInfo.GetSize());
  for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
    CControlBarInfo* a = (CControlBarInfo*)state.m_arrBarInfo[i];
    CControlBarInfo* b = (CControlBarInfo*)loaded.m_arrBarInfo[i];
    EXPECT_EQ(a->m_nBarID, b->m_nBarID);
    EXPECT_EQ(a->m_bFloating, b->m_bFloating);
    EXPECT_EQ(a->m_pointPos, b->m_pointPos);
    ASSERT_EQ(a->m_arrBarID.GetSize(), b->m_arrBarID.GetSize());
    for (INT_PTR k = 0; k < a->m_arrBarID.GetSize(); ++k) EXPECT_EQ(a->m_arrBarID[k], b->m_arrBarID[k]);
  }
}

namespace {
// The names and types of a profile section's values, sorted; empty when the section is missing.
std::vector<std::pair<CString, DWORD>> SectionValues(LPCWSTR lpszSection) {
  std::vector<std::pair<CString, DWORD>> values;
  HKEY hApp = theApp.GetAppRegistryKey();
  HKEY hSection = nullptr;
  if (hApp != nullptr && ::RegOpenKeyExW(hApp, lpszSection, 0, KEY_READ, &hSection) == ERROR_SUCCESS) {
    wchar_t name[256];
    DWORD cch = 256, type = 0;
    for (DWORD i = 0; ::RegEnumValueW(hSection, i, name, &cch, nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, cch = 256)
      values.emplace_back(CString(name), type);
    ::RegCloseKey(hSection);
  }
  if (hApp != nullptr) ::RegCloseKey(hApp);
  std::sort(values.begin(), values.end(), [](const auto& a, const auto& b) { return a.first.Compare(b.first) < 0; });
  return values;
}
bool SectionExists(LPCWSTR lpszSection) {
  HKEY hApp = theApp.GetAppRegistryKey(), hSection = nullptr;
  const bool bExists = hApp != nullptr && ::RegOpenKeyExW(hApp, lpszSection, 0, KEY_READ, &hSection) == ERROR_SUCCESS;
  if (hSection != nullptr) ::RegCloseKey(hSection);
  if (hApp != nullptr) ::RegCloseKey(hApp);
  return bExists;
}
}  // namespace

TEST_F(DockState, SavedSectionsHoldTheirValuesAsDwordsAndAShorterLayoutClearsTheRest) {
  // An older layout with more sections than the next save writes.
  for (int i = 0; i < 12; ++i) {
    CString section;
    section.Format(L"Layout-Bar%d", i);
    theApp.WriteProfileInt(section, L"BarID", 0x7777);
    theApp.WriteProfileInt(section, L"Stale", 1);
  }
  std::vector<CFixedBar*> bars = MakeBars();
  frame->FloatControlBar(bars[1], CPoint(300, 300));
  frame->RecalcLayout();
  CDockState state;
  frame->GetDockState(state);
  state.SaveState(L"Layout");
  const int nSaved = (int)theApp.GetProfileInt(L"Layout-Summary", L"Bars", 0);
  ASSERT_GT(nSaved, 0);
  ASSERT_LT(nSaved, 12);
  const std::vector<std::pair<CString, DWORD>> summary = {
      {L"Bars", REG_DWORD}, {L"ScreenCX", REG_DWORD}, {L"ScreenCY", REG_DWORD}};
  EXPECT_EQ(summary, SectionValues(L"Layout-Summary"));
  bool bFloatingSeen = false;
  for (int i = 0; i < nSaved; ++i) {
    CString section;
    section.Format(L"Layout-Bar%d", i);
    const auto values = SectionValues(section);
    ASSERT_FALSE(values.empty()) << i;
    for (const auto& v : values) {
      EXPECT_EQ((DWORD)REG_DWORD, v.second) << (LPCWSTR)v.first;
      EXPECT_NE(CString(L"Stale"), v.first);  // each section is written fresh
    }
    if (theApp.GetProfileInt(section, L"Floating", 0) == 1) {
      bFloatingSeen = true;
      EXPECT_EQ(1u, theApp.GetProfileInt(section, L"Horz", 0));
    }
  }
  EXPECT_TRUE(bFloatingSeen);
  for (int i = nSaved; i < 12; ++i) {
    CString section;
    section.Format(L"Layout-Bar%d", i);
    EXPECT_FALSE(SectionExists(section)) << i;
  }
}

TEST_F(DockState, LoadingALayoutThatWasNeverSavedCreatesNothing) {
  CDockState state;
  state.LoadState(L"NeverSaved");
  EXPECT_EQ(0, state.m_arrBarInfo.GetSize());
  EXPECT_FALSE(SectionExists(L"NeverSaved-Summary"));
  EXPECT_FALSE(SectionExists(L"NeverSaved-Bar0"));
}
