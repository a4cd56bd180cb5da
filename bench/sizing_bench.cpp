// Speed of the sizing bars: in a row of four bars on a frame's top side, one mouse move during a
// splitter drag (the tracker erased and drawn again) and the relayout at button up; then the
// start-up of a row of two from a fresh profile, a saved one and one whose stored width is
// 2,000,000,000. Prints one line per figure with its target; the exit code is 0 either way
// (figures are read).
#include "BenchClock.h"
#include "TestPump.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxSizingControlBar.h"
#include <vector>

namespace {

CWinApp theApp(L"SizingBench");

// The bars' saved state lives below HKCU\Software\Numbrook Bench.
const wchar_t kBenchKey[] = L"Software\\Numbrook Bench";
const wchar_t kProfile[] = L"SizingBench";

// Sets a value in every key below `strKey` (itself included) whose name ends in `lpszKeyEnd`.
void SetStoredDword(const CString& strKey, LPCWSTR lpszKeyEnd, LPCWSTR lpszName, DWORD dwValue) {
  HKEY hKey = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, strKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS) return;
  if (strKey.Right((int)wcslen(lpszKeyEnd)) == lpszKeyEnd)
    ::RegSetValueExW(hKey, lpszName, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(DWORD));
  std::vector<CString> subKeys;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD cchName = 256;
    if (::RegEnumKeyExW(hKey, i, name, &cchName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    subKeys.push_back(strKey + L"\\" + name);
  }
  ::RegCloseKey(hKey);
  for (const CString& strSub : subKeys) SetStoredDword(strSub, lpszKeyEnd, lpszName, dwValue);
}

// A frame with a row of two sizing bars on its top side.
CUfxFrameWnd* MakeRowFrame(CUfxSizingControlBar* bars[2]) {
  CUfxFrameWnd* pFrame = new CUfxFrameWnd;
  pFrame->Create(nullptr, L"bench", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, CRect(0, 0, 1200, 800));
  pFrame->EnableDocking(CBRS_ALIGN_ANY);
  pFrame->ShowWindow(SW_SHOWNOACTIVATE);
  for (int i = 0; i < 2; ++i) {
    bars[i] = new CUfxSizingControlBar;
    bars[i]->m_bAutoDelete = TRUE;
    bars[i]->Create(L"pane", pFrame, CSize(250, 150), TRUE, 6000 + i, WS_CHILD | WS_VISIBLE | CBRS_TOP);
    bars[i]->EnableDocking(CBRS_ALIGN_ANY);
    if (i == 0) pFrame->DockControlBar(bars[i], AFX_IDW_DOCKBAR_TOP);
    else pFrame->DockControlBarLeftOf(bars[i], bars[i - 1]);
  }
  pFrame->RecalcLayout();
  PumpPending();
  return pFrame;
}

LONG g_nLoadedWidth = 0;  // the first bar's width as loaded, in the last start

// Start-up of a row of two bars: their saved state loaded and the first layout that fits the
// row. With a stored width, the first bar's saved "sizeHorzCX" is that value.
double StartMicroseconds(BOOL bSaved, const DWORD* pStoredWidth) {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kBenchKey);
  CUfxSizingControlBar* bars[2] = {};
  CUfxFrameWnd* pFrame = MakeRowFrame(bars);
  // A fresh profile holds nothing; a saved one is as the program leaves it, the first bar's width
  // changed when asked.
  if (bSaved) {
    for (CUfxSizingControlBar* pBar : bars) pBar->SaveState(kProfile);
    if (pStoredWidth != nullptr) SetStoredDword(kBenchKey, L"-SCBar-6000", L"sizeHorzCX", *pStoredWidth);
  }
  const double start = Now();
  for (CUfxSizingControlBar* pBar : bars) pBar->LoadState(kProfile);
  g_nLoadedWidth = bars[0]->m_szHorz.cx;
  bars[0]->m_bParentSizing = TRUE;
  pFrame->RecalcLayout();
  const double us = (Now() - start) * 1e6;
  pFrame->DestroyWindow();
  PumpPending();
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kBenchKey);
  return us;
}

// One layout of a row whose first bar was given a length of 2,000,000,000 directly (no load):
// the row fitting closes the gap.
double HugeGapMicroseconds() {
  CUfxSizingControlBar* bars[2] = {};
  CUfxFrameWnd* pFrame = MakeRowFrame(bars);
  bars[0]->m_szHorz.cx = 2000000000;
  bars[0]->m_bParentSizing = TRUE;
  const double start = Now();
  pFrame->RecalcLayout();
  const double us = (Now() - start) * 1e6;
  pFrame->DestroyWindow();
  PumpPending();
  return us;
}

void ReportStartUp() {
  double tFresh = 0, tSaved = 0, tHuge = 0;
  const DWORD dwHuge = 2000000000;
  const int repeats = 20;
  for (int i = 0; i < repeats; ++i) {
    tFresh += StartMicroseconds(FALSE, nullptr);
    tSaved += StartMicroseconds(TRUE, nullptr);
    tHuge += StartMicroseconds(TRUE, &dwHuge);
  }
  Report("sizing bars: start, state loaded and row fitted, fresh profile", tFresh / repeats, 20000);
  Report("sizing bars: start, saved profile", tSaved / repeats, 20000);
  Report("sizing bars: start, saved profile with width 2,000,000,000", tHuge / repeats, 20000);
  std::printf("  (the stored width loaded as %ld)\n", (long)g_nLoadedWidth);
  Report("sizing bars: one layout closing a 2,000,000,000 pixel gap", HugeGapMicroseconds(), 20000);
}

}  // namespace

int main() {
  AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOW);
  theApp.SetRegistryKey(L"Numbrook Bench");
  CUfxFrameWnd* pFrame = new CUfxFrameWnd;
  pFrame->Create(nullptr, L"bench", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, CRect(0, 0, 1200, 800));
  pFrame->EnableDocking(CBRS_ALIGN_ANY);
  pFrame->ShowWindow(SW_SHOWNOACTIVATE);
  CUfxSizingControlBar* bars[4] = {};
  for (int i = 0; i < 4; ++i) {
    bars[i] = new CUfxSizingControlBar;
    bars[i]->m_bAutoDelete = TRUE;
    bars[i]->Create(L"pane", pFrame, CSize(250, 150), TRUE, 5000 + i, WS_CHILD | WS_VISIBLE | CBRS_TOP);
    bars[i]->EnableDocking(CBRS_ALIGN_ANY);
    if (i == 0) pFrame->DockControlBar(bars[i], AFX_IDW_DOCKBAR_TOP);
    else pFrame->DockControlBarLeftOf(bars[i], bars[i - 1]);
    pFrame->RecalcLayout();
    PumpPending();
  }
  CUfxSizingControlBar* pBar = bars[1];
  CRect rectWindow, rectEdge;
  pBar->GetWindowRect(&rectWindow);
  pBar->CalcEdgeRect(rectWindow, HTRIGHT, rectEdge);
  CPoint ptStart = rectEdge.CenterPoint();
  ::SetCursorPos(ptStart.x, ptStart.y);
  pBar->ScreenToClient(&ptStart);

  pBar->StartSplitterDrag(HTRIGHT);
  Report("sizing bars: one mouse move of a splitter drag, row of four", MicrosecondsEach(2000, [&](int i) {
           pBar->TrackSplitterDrag(ptStart + CSize(i % 60 - 30, 0));
         }),
         1000);
  pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptStart.x, ptStart.y));
  pFrame->RecalcLayout();
  PumpPending();

  double tUp = 0;
  double total = 0;
  const int repeats = 200;
  for (int i = 0; i < repeats; ++i) {
    pBar->StartSplitterDrag(HTRIGHT);
    const CPoint pt = ptStart + CSize(i % 2 == 0 ? 20 : -20, 0);
    pBar->TrackSplitterDrag(pt);
    const double start = Now();
    pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    tUp += Now() - start;
    pFrame->RecalcLayout();
    total += Now() - start;
    PumpPending();
  }
  Report("sizing bars: button up and the row's relayout, row of four", total * 1e6 / repeats, 5000);
  Report("  (of which the button up)", tUp * 1e6 / repeats, 5000);
  pFrame->DestroyWindow();
  PumpPending();
  ReportStartUp();
  return 0;
}
