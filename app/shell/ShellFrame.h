// What the automation root and its managers need of the main frame that owns them. The main
// frame implements it; the root reaches the frame only through it.
#pragma once

#include <windows.h>

#include "Framework.h"
#include "NumbrookLib.h"

class IShellFrame {
public:
  // The main window (null while it has no window).
  virtual HWND GetFrameHwnd() = 0;
  // The framework's toolbar customization mode is on.
  virtual BOOL IsCustomizing() = 0;
  // Makes the framework's current look the one of the style number (0 to 3; any other number
  // changes nothing).
  virtual void SelectLook(int style) = 0;
  // The frame's accelerator table (null when none).
  virtual HACCEL GetAccelTable() = 0;

  // The bar chosen by a Toolbar id (the three toolbars, the panel bar, the caption bar); null
  // for another id.
  virtual HWND GetBarHwnd(Toolbar bar) = 0;
  // Shows or hides that bar without delay and lays the frame out again.
  virtual void ShowBar(Toolbar bar, BOOL show) = 0;

  // The caption bar: its text, a new text (alignment 2, repainted), and its picture from a
  // bitmap of the resource library (transparent magenta, not stretched, alignment 2, repainted).
  virtual CString GetCaptionText() = 0;
  virtual void SetCaptionText(LPCWSTR text) = 0;
  virtual void SetCaptionBitmap(UINT bitmapId) = 0;

  // The tab window of the panel bar: the parent of the panel windows.
  virtual CWnd* GetPanelTabWnd() = 0;
  virtual void AddPanelTab(CWnd* panel, LPCWSTR label) = 0;
  virtual void RemoveAllPanelTabs() = 0;
  virtual int GetActivePanelTab() = 0;
  virtual void SetActivePanelTab(int index) = 0;

  // Shows a framework popup menu for `menu` at a screen point, the frame as its parent.
  virtual void ShowPopupMenu(HMENU menu, POINT point) = 0;

  // The current width of the expression pane (splitter column 0), in pixels.
  virtual int GetLeftPaneWidth() = 0;

  // The expression pane's formatter (a counted reference) or null when the active document
  // has no expression pane.
  virtual ICodeFormatter* GetCodeFormatter() = 0;
  // The application's kernel bridge and clipboard picker (counted references), or null while
  // the application has none.
  virtual ICalculatorKernel* GetCalculatorKernel() = 0;
  virtual INumbrookClipboardWatcher* GetClipboardWatcher() = 0;

  // The bar's window exists and has the visible style.
  bool IsBarVisible(Toolbar bar) {
    HWND hWnd = GetBarHwnd(bar);
    return hWnd != nullptr && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
  }

protected:
  ~IShellFrame() = default;
};
