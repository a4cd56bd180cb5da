#include "looks/UfxWinXPThemeHelper.h"
#include "looks/UfxButton.h"
#include "frames/UfxGlobalData.h"

namespace {

HMODULE LoadUxTheme() { return ::LoadLibraryW(L"UxTheme.dll"); }
FARPROC GetUxThemeEntry(HMODULE module, LPCSTR name) { return ::GetProcAddress(module, name); }
void FreeUxTheme(HMODULE module) { ::FreeLibrary(module); }

const UFX_THEME_LIBRARY kUxTheme = {LoadUxTheme, GetUxThemeEntry, FreeUxTheme};
const UFX_THEME_LIBRARY* s_pThemeLibrary = &kUxTheme;

template <class T> void LookUp(HMODULE module, LPCSTR name, T& entry) {
  entry = reinterpret_cast<T>(reinterpret_cast<void (*)()>(s_pThemeLibrary->GetEntry(module, name)));
}

}  // namespace

const LPCWSTR CUfxWinXPThemeHelper::s_ThemeClasses[14] = {
    L"TOOLBAR", L"REBAR", L"BUTTON", L"STATUS", L"WINDOW", L"COMBOBOX", L"PROGRESS",
    L"HEADER", L"SCROLLBAR", L"EXPLORERBAR", L"TREEVIEW", L"STARTPANEL", L"TASKBAND", L"TASKBAR"};

HTHEME CUfxWinXPThemeHelper::*const CUfxWinXPThemeHelper::s_Handles[14] = {
    &CUfxWinXPThemeHelper::m_hThemeToolBar,    &CUfxWinXPThemeHelper::m_hThemeRebar,
    &CUfxWinXPThemeHelper::m_hThemeButton,     &CUfxWinXPThemeHelper::m_hThemeStatusBar,
    &CUfxWinXPThemeHelper::m_hThemeWindow,     &CUfxWinXPThemeHelper::m_hThemeComboBox,
    &CUfxWinXPThemeHelper::m_hThemeProgress,   &CUfxWinXPThemeHelper::m_hThemeHeader,
    &CUfxWinXPThemeHelper::m_hThemeScrollBar,  &CUfxWinXPThemeHelper::m_hThemeExplorerBar,
    &CUfxWinXPThemeHelper::m_hThemeTree,       &CUfxWinXPThemeHelper::m_hThemeStartPanel,
    &CUfxWinXPThemeHelper::m_hThemeTaskBand,   &CUfxWinXPThemeHelper::m_hThemeTaskBar};

void CUfxWinXPThemeHelper::SetThemeLibrary(const UFX_THEME_LIBRARY* pLibrary) {
  s_pThemeLibrary = pLibrary != nullptr ? pLibrary : &kUxTheme;
}

const UFX_THEME_LIBRARY& CUfxWinXPThemeHelper::GetThemeLibrary() { return *s_pThemeLibrary; }

CUfxWinXPThemeHelper::CUfxWinXPThemeHelper() {
  m_hThemeDLL = s_pThemeLibrary->Load();
  if (m_hThemeDLL == nullptr) return;
  LookUp(m_hThemeDLL, "OpenThemeData", m_pfOpenThemeData);
  LookUp(m_hThemeDLL, "CloseThemeData", m_pfCloseThemeData);
  LookUp(m_hThemeDLL, "DrawThemeBackground", m_pfDrawThemeBackground);
  LookUp(m_hThemeDLL, "GetThemeColor", m_pfGetThemeColor);
  LookUp(m_hThemeDLL, "GetThemeSysColor", m_pfGetThemeSysColor);
  LookUp(m_hThemeDLL, "GetCurrentThemeName", m_pfGetCurrentThemeName);
  LookUp(m_hThemeDLL, "GetWindowTheme", m_pfGetWindowTheme);
  RefreshThemes();
}

CUfxWinXPThemeHelper::~CUfxWinXPThemeHelper() {
  if (m_hThemeDLL == nullptr) return;
  CleanUpThemes();
  s_pThemeLibrary->Free(m_hThemeDLL);
}

void CUfxWinXPThemeHelper::UpdateThemes() {
  if (m_hThemeDLL == nullptr) return;
  CleanUpThemes();
  if (m_pfOpenThemeData == nullptr || m_pfCloseThemeData == nullptr || m_pfDrawThemeBackground == nullptr) return;
  CWnd* pMain = AfxGetMainWnd();
  HWND hwnd = pMain->GetSafeHwnd();
  for (int i = 0; i < 14; ++i) this->*s_Handles[i] = m_pfOpenThemeData(hwnd, s_ThemeClasses[i]);
  m_bThemesOpen = TRUE;
}

BOOL CUfxWinXPThemeHelper::RefreshThemes() {
  CString strTheme;
  if (m_pfGetCurrentThemeName != nullptr) {
    WCHAR file[256] = L"", color[256] = L"", size[256] = L"";
    if (SUCCEEDED(m_pfGetCurrentThemeName(file, 255, color, 255, size, 255)))
      strTheme = CString(file) + L"|" + color + L"|" + size;
  }
  const HWND hwndOwner = AfxGetMainWnd()->GetSafeHwnd();
  if (m_bThemesOpen && !strTheme.IsEmpty() && strTheme == m_strOpenTheme && hwndOwner == m_hwndThemeOwner) return FALSE;
  UpdateThemes();
  m_strOpenTheme = strTheme;
  m_hwndThemeOwner = hwndOwner;
  return TRUE;
}

void CUfxWinXPThemeHelper::CleanUpThemes() {
  for (int i = 0; i < 14; ++i) {
    HTHEME& h = this->*s_Handles[i];
    if (h != nullptr && m_pfCloseThemeData != nullptr) m_pfCloseThemeData(h);
    h = nullptr;
  }
  m_bThemesOpen = FALSE;
}

BOOL CUfxWinXPThemeHelper::DrawThemePart(HTHEME hTheme, CDC* pDC, int nPart, int nState, const CRect& rect) const {
  if (hTheme == nullptr || m_pfDrawThemeBackground == nullptr) return FALSE;
  m_pfDrawThemeBackground(hTheme, pDC->GetSafeHdc(), nPart, nState, &rect, nullptr);
  return TRUE;
}

COLORREF CUfxWinXPThemeHelper::GetThemeSysColorOr(int nIndex) const {
  if (m_hThemeWindow != nullptr && m_pfGetThemeSysColor != nullptr) return m_pfGetThemeSysColor(m_hThemeWindow, nIndex);
  return ::GetSysColor(nIndex);
}

COLORREF CUfxWinXPThemeHelper::GetThemeColorOr(HTHEME hTheme, int nPart, int nState, int nProp,
                                               COLORREF fallback) const {
  COLORREF color = fallback;
  if (hTheme == nullptr || m_pfGetThemeColor == nullptr) return fallback;
  if (FAILED(m_pfGetThemeColor(hTheme, nPart, nState, nProp, &color))) return fallback;
  return color;
}

BOOL CUfxWinXPThemeHelper::DrawPushButton(CDC* pDC, CRect rect, CUfxButton* pButton) {
  if (m_hThemeButton == nullptr) return FALSE;
  int nState = PBS_NORMAL;
  if (!pButton->IsWindowEnabled()) nState = PBS_DISABLED;
  else if ((pButton->m_bPushed && pButton->m_bHighlighted) || pButton->SendMessage(BM_GETCHECK) != 0) nState = PBS_PRESSED;
  else if (pButton->m_bHighlighted) nState = PBS_HOT;
  UfxGlobalData.DrawParentBackground(pButton, pDC, &rect);
  DrawThemePart(m_hThemeButton, pDC, BP_PUSHBUTTON, nState, rect);
  return TRUE;
}

BOOL CUfxWinXPThemeHelper::DrawStatusBarProgress(CDC* pDC, CUfxStatusBar*, CRect rectProgress, int nProgressTotal,
                                                 int nProgressCurr, COLORREF, COLORREF, COLORREF,
                                                 BOOL bProgressText) {
  if (m_hThemeProgress == nullptr) return FALSE;
  DrawThemePart(m_hThemeProgress, pDC, PP_BAR, 0, rectProgress);
  if (nProgressTotal <= 0) return TRUE;
  const long long pos = nProgressCurr < 0 ? 0 : (nProgressCurr > nProgressTotal ? nProgressTotal : nProgressCurr);
  CRect chunk = rectProgress;
  chunk.DeflateRect(3, 3);
  chunk.right = chunk.left + (int)(chunk.Width() * pos / nProgressTotal);
  DrawThemePart(m_hThemeProgress, pDC, PP_CHUNK, 0, chunk);
  if (bProgressText) {
    CString text;
    text.Format(L"%d%%", (int)(pos * 100 / nProgressTotal));
    COLORREF oldText = pDC->SetTextColor(UfxGlobalData.clrBtnText);
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(text, &rectProgress, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldText);
  }
  return TRUE;
}
