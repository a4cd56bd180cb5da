// CExplorer: the window of a web browser control, hosted through the framework's control
// hosting, with the two calls the program makes of it: navigation and the current document.
#pragma once

#include "Framework.h"
#include "FwOleControl.h"

class CExplorer : public CWnd {
  DECLARE_DYNCREATE(CExplorer)
public:
  // The web browser control's class id.
  static const CLSID& GetClsid();

  // Creates the control in a new child window of `parent`.
  BOOL CreateControl(LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id);
  // Navigates to `url`; FALSE when the control refused.
  BOOL Navigate(LPCWSTR url);
  // The current document's dispatch interface (a counted reference), or null without one.
  IDispatch* GetDocument();
};

// "res://" + the full path of the resource library's file + "/" + page.
CString ResourcePageUrl(LPCWSTR page);
