// CIEDlg: the window of one command panel, a modeless child dialog (template 263) on a tab of
// the panel bar. Its browser loads the resource library's "index.htm"; when the page is
// complete, its body is replaced by the panel description's groups and commands, and a click on
// a command sends that command to the messenger's subscribers.
//
// The browser control is made when the program first has nothing else to do (its frame's idle
// update), so that the panels do not hold up start-up or the first results.
#pragma once

#include <vector>

#include "DocHostUIHandler.h"
#include "Explorer.h"
#include "ExternalDispatch.h"
#include "Framework.h"
#include "NumbrookLib.h"
#include "PanelPage.h"

class CMsgManager;

#define IDC_PANEL_BROWSER 2054

class CIEDlg : public CDialog {
  DECLARE_DYNAMIC(CIEDlg)
public:
  // Creates the window under `parent`; `messenger` gets the panel's clicks (not owned).
  CIEDlg(CWnd* parent, CMsgManager* messenger);
  ~CIEDlg() override;
  CIEDlg(const CIEDlg&) = delete;
  CIEDlg& operator=(const CIEDlg&) = delete;

  // Keeps the caption and the view type; with a description (a counted reference is kept) the
  // browser goes to the panel page. Without one the panel stays empty.
  void SetUp(LPCWSTR caption, ICBCommandPanel* description, PanelViewType view);

  const CString& GetCaption() const { return m_caption; }
  ICBCommandPanel* GetDescription() const { return m_description; }
  PanelViewType GetViewType() const { return m_viewType; }
  CExplorer& GetBrowser() { return m_wndBrowser; }
  // Makes the browser control now unless it is there; TRUE when it is.
  BOOL CreateBrowser();
  // The commands of the page built last.
  const std::vector<PanelCommand>& GetCommands() const { return m_commands; }

  // The page's body for the description; the command list is built anew with it. A failing
  // description call is raised as _com_error, and the command list stays as it was.
  CString BuildPage();
  // The page was clicked: the element under the click names the command (through the document).
  void OnPageClicked();
  // A click on the element with this id: the command it names goes to the messenger.
  void DispatchClick(LPCWSTR elementId);


protected:
  void OnDocumentComplete(IDispatch* pDisp, VARIANT* url);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()
  DECLARE_EVENTSINK_MAP()

private:
  // Puts the page into the document and hooks the handlers to it; a document without the HTML
  // interfaces is left alone.
  void FillDocument();
  // Takes the handlers off the document.
  void ReleaseDocument();
  // Sends the browser to the panel page when it and a description are there.
  void NavigateToPage();

  CExternalDispatch m_xExternal;
  CExplorer m_wndBrowser;
  // The idle time has tried to make the browser: a system without the control is not asked again
  // at every idle time.
  bool m_browserTried = false;
  CDocHostUIHandler m_xHostHandler;
  CMsgManager* m_messenger;
  ICBCommandPanel* m_description = nullptr;
  std::vector<PanelCommand> m_commands;
  CString m_caption;
  PanelViewType m_viewType = PVTGroups;
};
