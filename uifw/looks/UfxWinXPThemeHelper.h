// The theme helper of the themed and 2003 looks: UxTheme.dll loaded by name at run time (the
// program runs without it) and one theme handle per control class.
#pragma once
#include "Framework.h"
#include <uxtheme.h>
#include <vssym32.h>

class CUfxButton;
class CUfxStatusBar;

// Where the helper takes UxTheme.dll and its entry points from. The default loads the library by
// name and looks the entry points up with GetProcAddress; tests put a table of their own in.
struct UFX_THEME_LIBRARY {
  HMODULE (*Load)();                        // null when the library is not there
  FARPROC (*GetEntry)(HMODULE, LPCSTR);     // null when the entry point is missing
  void (*Free)(HMODULE);
};

class CUfxWinXPThemeHelper {
public:
  typedef HTHEME(WINAPI* PFNOPENTHEMEDATA)(HWND, LPCWSTR);
  typedef HRESULT(WINAPI* PFNCLOSETHEMEDATA)(HTHEME);
  typedef HRESULT(WINAPI* PFNDRAWTHEMEBACKGROUND)(HTHEME, HDC, int, int, const RECT*, const RECT*);
  typedef HRESULT(WINAPI* PFNGETTHEMECOLOR)(HTHEME, int, int, int, COLORREF*);
  typedef COLORREF(WINAPI* PFNGETTHEMESYSCOLOR)(HTHEME, int);
  typedef HRESULT(WINAPI* PFNGETCURRENTTHEMENAME)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
  typedef HTHEME(WINAPI* PFNGETWINDOWTHEME)(HWND);

  CUfxWinXPThemeHelper();
  virtual ~CUfxWinXPThemeHelper();
  // A themed push button in the button's state; FALSE without a BUTTON theme.
  virtual BOOL DrawPushButton(CDC* pDC, CRect rect, CUfxButton* pButton);
  // The themed progress bar of a status bar pane; FALSE without a PROGRESS theme.
  virtual BOOL DrawStatusBarProgress(CDC* pDC, CUfxStatusBar* pStatusBar, CRect rectProgress, int nProgressTotal,
                                     int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                     COLORREF clrProgressText, BOOL bProgressText);

  // Closes the open handles and opens every class again for the main window of the moment.
  void UpdateThemes();
  void CleanUpThemes();
  // Reopens the handles unless they are open for the same main window and the same theme (file,
  // colour scheme and size) as last time; a theme that cannot be named is always reopened.
  // Answers whether it reopened them.
  BOOL RefreshThemes();

  // The library the helpers load from (replaceable; null restores the default).
  static void SetThemeLibrary(const UFX_THEME_LIBRARY* pLibrary);
  static const UFX_THEME_LIBRARY& GetThemeLibrary();

  // The theme classes in the order of their handles.
  static const LPCWSTR s_ThemeClasses[14];

  HTHEME m_hThemeToolBar = nullptr;
  HTHEME m_hThemeRebar = nullptr;
  HTHEME m_hThemeButton = nullptr;
  HTHEME m_hThemeStatusBar = nullptr;
  HTHEME m_hThemeWindow = nullptr;
  HTHEME m_hThemeComboBox = nullptr;
  HTHEME m_hThemeProgress = nullptr;
  HTHEME m_hThemeHeader = nullptr;
  HTHEME m_hThemeScrollBar = nullptr;
  HTHEME m_hThemeExplorerBar = nullptr;
  HTHEME m_hThemeTree = nullptr;
  HTHEME m_hThemeStartPanel = nullptr;
  HTHEME m_hThemeTaskBand = nullptr;
  HTHEME m_hThemeTaskBar = nullptr;

  HMODULE m_hThemeDLL = nullptr;
  PFNOPENTHEMEDATA m_pfOpenThemeData = nullptr;
  PFNCLOSETHEMEDATA m_pfCloseThemeData = nullptr;
  PFNDRAWTHEMEBACKGROUND m_pfDrawThemeBackground = nullptr;
  PFNGETTHEMECOLOR m_pfGetThemeColor = nullptr;
  PFNGETTHEMESYSCOLOR m_pfGetThemeSysColor = nullptr;
  PFNGETCURRENTTHEMENAME m_pfGetCurrentThemeName = nullptr;
  PFNGETWINDOWTHEME m_pfGetWindowTheme = nullptr;
  // What the open handles were opened for.
  CString m_strOpenTheme;
  HWND m_hwndThemeOwner = nullptr;
  BOOL m_bThemesOpen = FALSE;

protected:
  // Draws one part of a class's theme; FALSE when the handle or the entry point is missing.
  BOOL DrawThemePart(HTHEME hTheme, CDC* pDC, int nPart, int nState, const CRect& rect) const;
  // A theme system colour through the WINDOW theme, else the system colour.
  COLORREF GetThemeSysColorOr(int nIndex) const;
  // A colour property of a theme part, or fallback when it cannot be read.
  COLORREF GetThemeColorOr(HTHEME hTheme, int nPart, int nState, int nProp, COLORREF fallback) const;

private:
  static HTHEME CUfxWinXPThemeHelper::*const s_Handles[14];
};
