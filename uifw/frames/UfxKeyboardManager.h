// CUfxKeyboardManager: accelerator tables as the user edited them, stored per table and installed
// on the frame (and on the document templates that have one); reset to the resource tables; the
// key tests and shortcut texts that toolbars, menus and the frame's key routing use.
#pragma once
#include "Framework.h"

class CDocTemplate;

class CUfxKeyboardManager : public CObject {
public:
  CUfxKeyboardManager();
  ~CUfxKeyboardManager() override;

  // The tables of the document templates (their resource ids) and of the frame (id 0), under
  // "<section>UfxKeyboard-<id>"; TRUE.
  BOOL LoadState(LPCWSTR lpszProfileName = nullptr, CFrameWnd* pDefaultFrame = nullptr);
  BOOL SaveState(LPCWSTR lpszProfileName = nullptr, CFrameWnd* pDefaultFrame = nullptr);
  // Puts the resource tables back on the templates and the main frame.
  void ResetAll();

  // Builds a table from the entries and installs it; the table is destroyed when that fails.
  static BOOL UpdateAccelTable(CDocTemplate* pTemplate, LPACCEL lpAccel, int nSize, CFrameWnd* pDefaultFrame = nullptr);
  // Installs the table for the frame (given, else the main window); the old one is destroyed.
  static BOOL UpdateAcceleratorTable(CDocTemplate* pTemplate, HACCEL hAccelNew, CFrameWnd* pDefaultFrame = nullptr);

  // Whether the frame's table has an entry with this key and exactly these flags.
  static BOOL IsKeyInAccelTable(UINT uiKey, BYTE fVirt, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame = TRUE);
  // The text of the first key of the command in the frame's table.
  static BOOL GetShortcutText(UINT uiCmd, CString& str, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame = TRUE);
  // The upper-case character of a virtual key (mnemonics).
  static UINT TranslateCharToUpper(UINT nChar);
  // Frees the copies of the tables (the framework's clean-up at exit).
  static void CleanUp();

  // The entries of one stored table; a new table when it was read.
  HACCEL LoadAccelTable(LPCWSTR lpszSection, UINT uiResId);
  // TRUE only when the value was written.
  BOOL SaveAccelTable(LPCWSTR lpszSection, UINT uiResId, HACCEL hAccelTable);

protected:
  // The copy of the frame's default table (one per kind of frame); refreshed for another table.
  static const ACCEL* AccelEntries(CFrameWnd* pWndFrame, BOOL bIsDefaultFrame, int& nCount);
  static CFrameWnd* DefaultFrame(CFrameWnd* pDefaultFrame);
};

// The application's keyboard manager, null when it has none.
extern CUfxKeyboardManager* UfxKeyboardManager;
