// CIEDlg: the window of one command panel, a modeless child dialog (template 263) on a tab of
// the panel bar. It keeps the panel's caption, description and view type; the page that shows
// the description's commands is built by the browser host.
#pragma once

#include "Framework.h"
#include "NumbrookLib.h"

class CMsgManager;

class CIEDlg : public CDialog {
public:
  // Creates the window under `parent`; `messenger` gets the panel's clicks (not owned).
  CIEDlg(CWnd* parent, CMsgManager* messenger);
  ~CIEDlg() override;
  CIEDlg(const CIEDlg&) = delete;
  CIEDlg& operator=(const CIEDlg&) = delete;

  // Keeps the caption, the description (a counted reference; may be null) and the view type.
  void SetUp(LPCWSTR caption, ICBCommandPanel* description, PanelViewType view);

  const CString& GetCaption() const { return m_caption; }
  ICBCommandPanel* GetDescription() const { return m_description; }
  PanelViewType GetViewType() const { return m_viewType; }

private:
  CMsgManager* m_messenger;
  ICBCommandPanel* m_description = nullptr;
  CString m_caption;
  PanelViewType m_viewType = PVTGroups;
};
