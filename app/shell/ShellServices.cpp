#include "ShellServices.h"

#include "ExportDlg.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "MainInterface.h"
#include "NumbrookApp.h"
#include "frames/UfxWorkspace.h"

namespace {

// The main frame's automation root, as the workspace and the hooks reach it.
INumbrookMain* MainInterfaceOfFrame() {
  try {
    CMainFrame* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (frame == nullptr) return nullptr;
    INumbrookMain* main = nullptr;
    if (FAILED(frame->GetRoot().QueryInterface(IID_INumbrookMain, reinterpret_cast<void**>(&main)))) return nullptr;
    return main;
  } catch (...) {
    return nullptr;
  }
}

ICalculatorKernel* KernelOfApp() {
  CNumbrookApp* app = GetNumbrookApp();
  return app != nullptr ? app->GetCalculatorKernel() : nullptr;
}

// A pane's context menu: the menu registered with the context-menu manager under that id, as
// the framework's popup menu whose commands go to the pane's top-level frame.
BOOL ShowPaneMenu(UINT nMenuId, POINT point, CWnd* pWnd) {
  CUfxWorkspace* workspace = UfxGetWorkspace();
  return workspace != nullptr && workspace->ShowPopupMenu(nMenuId, CPoint(point), pWnd);
}

}  // namespace

void InstallShellServices() {
  SetMainInterfaceSource(&MainInterfaceOfFrame);
  PaneShellServices services;
  services.GetCalculatorKernel = &KernelOfApp;
  services.ShowPopupMenu = &ShowPaneMenu;
  services.RunExportDialog = &RunExportDialog;
  SetPaneShellServices(services);
}
