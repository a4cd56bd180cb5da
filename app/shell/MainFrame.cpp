#include "MainFrame.h"

#include <htmlhelp.h>
#include <shellapi.h>
#include <windowsx.h>

#include "ClipboardPicker.h"
#include "InstanceRecord.h"
#include "KeyboardHook.h"
#include "LeftView.h"
#include "MainInterface.h"
#include "NumbrookApp.h"
#include "RightView.h"
#include "SettingsDlg.h"
#include "SettingsPages.h"
#include "ShellIds.h"
#include "ShellSettings.h"
#include "TipDlg.h"
#include "ToolbarCustomizeSheet.h"
#include "frames/UfxContextMenuManager.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "looks/UfxVisualManager.h"
#include "looks/UfxVisualManager2003.h"
#include "looks/UfxVisualManagerXP.h"
#include "looks/UfxWinXPVisualManager.h"

namespace {

HtmlHelpProc g_htmlHelp = nullptr;

HWND WINAPI CallHtmlHelp(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data) {
  return ::HtmlHelpW(caller, file, command, data);
}

const UINT kStatusIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// The commands that stay on every toolbar and menu, whatever the user's customization.
const UINT kCoreCommands[] = {
    ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT, ID_APP_EXIT, ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
    ID_TOOLBARS_PLACEHOLDER, ID_VIEW_LINE_NUMBERS, ID_TOOLBAR_CUSTOMIZE, ID_BOOKMARK_TOGGLE, ID_BOOKMARK_NEXT,
    ID_BOOKMARK_CLEAR_ALL, ID_BOOKMARK_PREVIOUS, ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT, ID_SETTINGS_SHEET,
    ID_STYLE_SIMPLE, ID_STYLE_WINXP, ID_STYLE_OFFICEXP, ID_STYLE_OFFICE2003, ID_HELP_CONTENTS, ID_APP_ABOUT};

const DWORD kToolbarStyle =
    WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
const DWORD kMenuBarStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP | CBRS_HIDE_INPLACE;

}  // namespace

HtmlHelpProc SetHtmlHelpProc(HtmlHelpProc proc) {
  HtmlHelpProc previous = g_htmlHelp != nullptr ? g_htmlHelp : &CallHtmlHelp;
  g_htmlHelp = proc;
  return previous;
}

IMPLEMENT_DYNCREATE(CMainFrame, CUfxFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CUfxFrameWnd)
  ON_WM_CREATE()
  ON_WM_CLOSE()
  ON_WM_DESTROY()
  ON_WM_SYSCOMMAND()
  ON_WM_DROPFILES()
  ON_WM_ENDSESSION()
  ON_REGISTERED_MESSAGE(UFXM_TOOLBAR_POPUPMENU, OnToolbarContextMenu)
  ON_REGISTERED_MESSAGE(UFXM_CUSTOMIZEHELP, OnToolbarCustomizeHelp)
  ON_REGISTERED_MESSAGE(UFXM_RESETTOOLBAR, OnToolbarReset)
  ON_COMMAND_RANGE(ID_VIEW_USER_TOOLBAR_FIRST, ID_VIEW_USER_TOOLBAR_LAST, OnViewUserToolbar)
  ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_USER_TOOLBAR_FIRST, ID_VIEW_USER_TOOLBAR_LAST, OnUpdateViewUserToolbar)
  ON_COMMAND_RANGE(ID_VIEW_CAPTION_BAR, ID_VIEW_PANEL_BAR, OnViewBar)
  ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_CAPTION_BAR, ID_VIEW_PANEL_BAR, OnUpdateViewBar)
  ON_COMMAND_RANGE(ID_VIEW_TOOLBAR_STANDARD, ID_VIEW_TOOLBAR_THIRD, OnViewBar)
  ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_TOOLBAR_STANDARD, ID_VIEW_TOOLBAR_THIRD, OnUpdateViewBar)
  ON_COMMAND_RANGE(ID_VIEW_SPARE_FIRST, ID_VIEW_SPARE_LAST, OnNoAction)
  ON_COMMAND(ID_TRAY_MIN_TO_TRAY, OnToggleMinToTray)
  ON_UPDATE_COMMAND_UI(ID_TRAY_MIN_TO_TRAY, OnUpdateMinToTray)
  ON_COMMAND(ID_TRAY_RESTORE, OnRestoreFromTray)
  ON_UPDATE_COMMAND_UI(ID_TRAY_RESTORE, OnUpdateRestoreFromTray)
  ON_COMMAND(ID_HOOK_TOGGLE, OnToggleHook)
  ON_UPDATE_COMMAND_UI(ID_HOOK_TOGGLE, OnUpdateToggleHook)
  ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
  ON_COMMAND(ID_HELP_SEARCH, OnHelpSearch)
  ON_COMMAND(ID_HELP_INDEX, OnHelpIndex)
  ON_COMMAND(ID_TIP_OF_THE_DAY, OnTipOfTheDay)
  ON_COMMAND(ID_SETTINGS_SHEET, OnSettingsSheet)
  ON_COMMAND(ID_TOOLBAR_CUSTOMIZE, OnToolbarCustomize)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() {
  // The bars go before the root, whose tray icon removes the notification-area icon.
  m_bmpCaption.DeleteObject();
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) { return CUfxFrameWnd::PreCreateWindow(cs) ? TRUE : FALSE; }

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  const int leftWidth = AfxGetApp()->GetProfileInt(L"Settings\\ViewsConfig", L"LeftPaneWidth", 300);
  return m_wndSplitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST) &&
         m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CLeftView), CSize(leftWidth, 100), pContext) &&
         m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CRightView), CSize(100, 100), pContext);
}

void CMainFrame::ActivateFrame(int nCmdShow) {
  // Start-up decides whether the frame shows or goes to the notification area: the first
  // activation only records how it would show.
  if (m_bFirstActivation) {
    m_bFirstActivation = FALSE;
    m_nRecordedShow = nCmdShow;
    return;
  }
  CUfxFrameWnd::ActivateFrame(nCmdShow);
}

BOOL CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
  m_root.GetMessenger().FireOnCommand(static_cast<long>(wParam));
  return CUfxFrameWnd::OnCommand(wParam, lParam);
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  m_root.GetMessenger().FireOnMessage(static_cast<long>(message), static_cast<long>(wParam),
                                      static_cast<long>(lParam));
  return CUfxFrameWnd::WindowProc(message, wParam, lParam);
}

BOOL CMainFrame::OnShowPopupMenu(CUfxPopupMenu* pMenuPopup) {
  if (pMenuPopup == nullptr || pMenuPopup->GetMenuBar()->CommandToIndex(ID_TOOLBARS_PLACEHOLDER) < 0) return TRUE;
  // The toolbar list is the frame's to build: it cannot be customized.
  if (IsCustomizing()) return FALSE;
  FillToolbarList(pMenuPopup);
  return TRUE;
}

void CMainFrame::FillToolbarList(CUfxPopupMenu* pMenuPopup) {
  CMenu menu;
  HMENU list = LoadToolbarMenu(menu);
  if (list == nullptr) return;
  CUfxPopupMenuBar* bar = pMenuPopup->GetMenuBar();
  bar->ImportFromMenu(list, TRUE);
  bar->UpdateCommands(FALSE);
}

// ---- creation -------------------------------------------------------------------------------------

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CUfxFrameWnd::OnCreate(lpcs) == -1) return -1;
  ReadStartupStyle();
  SetCoreCommands();
  // Buttons can be dragged with Alt held, outside the customization sheet too.
  CUfxToolBar::EnableAltCustomization(TRUE);
  if (!CreateMenuBar() || !CreateToolbars() || !CreateStatusBar()) return -1;
  EnableDocking(CBRS_ALIGN_ANY);
  if (!CreatePanelBar() || !CreateCaptionBar()) return -1;
  CString title;
  title.LoadString(IDS_MENU_BAR_TITLE);
  m_wndMenuBar.SetWindowText(title);
  DockControlBar(&m_wndMenuBar);
  DockControlBar(&m_wndToolBar);
  DockControlBarLeftOf(&m_wndToolBarSecond, &m_wndToolBar);
  DockControlBarLeftOf(&m_wndToolBarThird, &m_wndToolBarSecond);
  SetUpTray();
  InstallKeyboardHook();
  // Its resting images too, so that the shared resting strip stays in step with the hot one
  // for any toolbar loaded later.
  CUfxToolBar::LoadToolbarImagesOnly(IDR_MENU_IMAGES, IDB_MENU_IMAGES_HOT, IDR_MENU_IMAGES);
  InitUserToolbars(nullptr, IDW_USER_TOOLBAR_FIRST, IDW_USER_TOOLBAR_LAST);
  return 0;
}

void CMainFrame::ReadStartupStyle() {
  CWinApp* app = AfxGetApp();
  CSettingsManager& settings = m_root.GetSettings();
  settings.put_CurrentStyle(static_cast<VisualStyle>(app->GetProfileInt(L"Settings\\Window", L"CurrentStyle", 3)));
  settings.put_DocModel(static_cast<DocumentModel>(app->GetProfileInt(L"Settings", L"DocumentModel", 1)));
  settings.put_CurrentFnProcessing(
      static_cast<FnProcessing>(app->GetProfileInt(L"Settings\\TextEditor", L"FnProcessing", 1)));
}

void CMainFrame::SetCoreCommands() {
  CList<UINT, UINT> commands;
  for (UINT id : kCoreCommands) commands.AddTail(id);
  CUfxToolBar::SetCoreCommands(commands);
}

BOOL CMainFrame::CreateMenuBar() {
  // The bar takes the frame's menu (resource 228) and the frame shows no menu of its own.
  if (!m_wndMenuBar.Create(this, kMenuBarStyle, AFX_IDW_MENUBAR)) return FALSE;
  m_wndMenuBar.SetBarStyle(m_wndMenuBar.GetBarStyle() | CBRS_SIZE_DYNAMIC);
  m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
  return TRUE;
}

BOOL CMainFrame::CreateToolbars() {
  struct BarDef {
    CFrameToolBar* bar;
    UINT id;
    UINT resource;
    UINT hotImages;
    UINT title;
  };
  const BarDef bars[] = {
      {&m_wndToolBar, IDW_TOOLBAR_STANDARD, IDR_MAINFRAME_NB, IDB_TOOLBAR_STANDARD_HOT, IDS_TOOLBAR_STANDARD},
      {&m_wndToolBarSecond, IDW_TOOLBAR_SECOND, IDR_TOOLBAR_SECOND, IDB_TOOLBAR_SECOND_HOT, IDS_TOOLBAR_SECOND},
      {&m_wndToolBarThird, IDW_TOOLBAR_THIRD, IDR_TOOLBAR_THIRD, IDB_TOOLBAR_THIRD_HOT, IDS_TOOLBAR_THIRD}};
  for (const BarDef& def : bars) {
    if (!def.bar->CreateEx(this, TBSTYLE_FLAT, kToolbarStyle, CRect(1, 1, 1, 1), def.id)) return FALSE;
    // The toolbar's own bitmap at rest, the hot images under the mouse.
    if (!def.bar->LoadToolBarResource(def.resource, def.hotImages, def.resource)) return FALSE;
    CString title;
    title.LoadString(def.title);
    def.bar->SetWindowText(title);
    def.bar->EnableDocking(CBRS_ALIGN_ANY);
  }
  return TRUE;
}

BOOL CMainFrame::CreateStatusBar() {
  return m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) &&
         m_wndStatusBar.SetIndicators(kStatusIndicators, _countof(kStatusIndicators));
}

BOOL CMainFrame::CreatePanelBar() {
  if (!m_wndPanelBar.Create(L"", this, CSize(228, 228), TRUE, ID_VIEW_PANEL_BAR, WS_CHILD | WS_VISIBLE | CBRS_LEFT))
    return FALSE;
  m_wndPanelBar.EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndPanelBar);
  CString title;
  title.LoadString(IDS_PANEL_BAR_TITLE);
  m_wndPanelBar.SetWindowText(title);
  return TRUE;
}

BOOL CMainFrame::CreateCaptionBar() {
  if (!m_wndCaptionBar.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, this, ID_VIEW_CAPTION_BAR, -1)) return FALSE;
  CString text;
  text.LoadString(IDS_CAPTION_TEXT);
  m_wndCaptionBar.SetText(text, CUfxCaptionBar::ALIGN_RIGHT);
  SetCaptionBitmap(IDB_CAPTION_PICTURE);
  return TRUE;
}

void CMainFrame::SetUpTray() {
  CTrayIcon& icon = m_root.GetTray().GetTrayIcon();
  icon.SetNotificationWnd(m_hWnd, WM_TRAY_NOTIFY);
  icon.SetIcon(IDI_TRAY_ICON, IDS_APP_TITLE_TIP);
}

// ---- closing --------------------------------------------------------------------------------------

void CMainFrame::OnClose() {
  // A print preview ends first (its bars come back), so the layout saved is the user's.
  if (!ClosePrintPreview()) return;
  if (CNumbrookApp* app = GetNumbrookApp()) app->m_bClosingFrame = TRUE;
  CUfxFrameWnd::OnClose();
  // A cancelled close leaves the frame as it was.
  if (::IsWindow(m_hWnd)) {
    if (CNumbrookApp* app = GetNumbrookApp()) app->m_bClosingFrame = FALSE;
  }
}

void CMainFrame::OnDestroy() {
  RemoveKeyboardHook();
  ClearInstanceWindow(m_hWnd);
  CUfxFrameWnd::OnDestroy();
}

void CMainFrame::OnSysCommand(UINT nID, LPARAM lParam) {
  switch (nID & 0xFFF0) {
    case SC_MINIMIZE:
      if (IsCustomizing()) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return;
      }
      CUfxFrameWnd::OnSysCommand(nID, lParam);
      m_root.GetTray().MinimizeToTray();
      return;
    case SC_CLOSE: {
      if (IsCustomizing()) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return;
      }
      VARIANT_BOOL closeToTray = VARIANT_FALSE;
      if (SUCCEEDED(m_root.GetTray().get_CloseToTray(&closeToTray)) && closeToTray) {
        m_root.GetTray().MinimizeToTray();
        return;
      }
      break;
    }
  }
  CUfxFrameWnd::OnSysCommand(nID, lParam);
}

void CMainFrame::OnDropFiles(HDROP hDropInfo) {
  SetActiveWindow();
  wchar_t path[MAX_PATH + 1] = {};
  if (::DragQueryFileW(hDropInfo, (UINT)-1, nullptr, 0) > 0 && ::DragQueryFileW(hDropInfo, 0, path, MAX_PATH) > 0)
    AfxGetApp()->OpenDocumentFile(path);
  ::DragFinish(hDropInfo);
}

void CMainFrame::OnEndSession(BOOL bEnding) {
  if (bEnding) ClosePrintPreview();
  if (CUfxWorkspace* workspace = UfxGetWorkspace()) workspace->SaveState(nullptr, GetFrameImpl());
  CUfxFrameWnd::OnEndSession(bEnding);
}

// ---- toolbar messages -----------------------------------------------------------------------------

HMENU CMainFrame::LoadToolbarMenu(CMenu& menu) {
  if (!menu.LoadMenu(IDR_TOOLBAR_MENU)) return nullptr;
  CMenu* popup = menu.GetSubMenu(0);
  if (popup == nullptr) return nullptr;
  m_Impl.SetupToolbarMenu(*popup, ID_VIEW_USER_TOOLBAR_FIRST, ID_VIEW_USER_TOOLBAR_LAST);
  return popup->GetSafeHmenu();
}

LRESULT CMainFrame::OnToolbarContextMenu(WPARAM, LPARAM lParam) {
  CMenu menu;
  if (HMENU popup = LoadToolbarMenu(menu)) ShowPopupMenu(popup, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
  return 0;
}

LRESULT CMainFrame::OnToolbarCustomizeHelp(WPARAM, LPARAM) {
  ResourceMessageBox(m_hWnd, IDS_CUSTOMIZE_HELP, IDS_CUSTOMIZE_HELP_CAPTION, MB_ICONINFORMATION);
  return 0;
}

LRESULT CMainFrame::OnToolbarReset(WPARAM, LPARAM) { return 0; }

// ---- the settings and customization sheets ---------------------------------------------------------

void CMainFrame::OnSettingsSheet() {
  CSettingsDlg sheet(IDS_SETTINGS_CAPTION, this);
  sheet.DoModal();
  // What the sheet applied is in the registry at once, not only at the end of the session.
  SaveShellSettings(&m_root, GetLeftPaneWidth());
}

void CMainFrame::OnToolbarCustomize() {
  if (CUfxToolBar::GetCustomizeSheet() != nullptr) return;  // one sheet at a time
  CToolbarCustomizeSheet* pSheet = new CToolbarCustomizeSheet(this, &m_root);
  if (!pSheet->Create()) delete pSheet;
}

// ---- bars -----------------------------------------------------------------------------------------

CControlBar* CMainFrame::BarOfCommand(UINT nID) {
  switch (nID) {
    case ID_VIEW_CAPTION_BAR: return &m_wndCaptionBar;
    case ID_VIEW_PANEL_BAR: return &m_wndPanelBar;
    case ID_VIEW_TOOLBAR_STANDARD: return &m_wndToolBar;
    case ID_VIEW_TOOLBAR_SECOND: return &m_wndToolBarSecond;
    case ID_VIEW_TOOLBAR_THIRD: return &m_wndToolBarThird;
    default: return nullptr;
  }
}

CControlBar* CMainFrame::BarOfToolbarId(Toolbar bar) {
  switch (bar) {
    case TbStandard: return &m_wndToolBar;
    case TbView: return &m_wndToolBarSecond;
    case TbHelp: return &m_wndToolBarThird;
    case TbButtonsBar: return &m_wndPanelBar;
    case TbCaptionBar: return &m_wndCaptionBar;
    default: return nullptr;
  }
}

void CMainFrame::ToggleBar(CControlBar* pBar) {
  if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr) return;
  ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
  RecalcLayout();
}

void CMainFrame::OnViewBar(UINT nID) { ToggleBar(BarOfCommand(nID)); }

void CMainFrame::OnUpdateViewBar(CCmdUI* pCmdUI) {
  CControlBar* bar = BarOfCommand(pCmdUI->m_nID);
  pCmdUI->Enable(bar != nullptr && bar->GetSafeHwnd() != nullptr);
  pCmdUI->SetCheck(bar != nullptr && bar->GetSafeHwnd() != nullptr && (bar->GetStyle() & WS_VISIBLE) != 0);
}

void CMainFrame::OnViewUserToolbar(UINT nID) {
  ToggleBar(m_Impl.GetUserBarByIndex(static_cast<int>(nID - ID_VIEW_USER_TOOLBAR_FIRST)));
}

void CMainFrame::OnUpdateViewUserToolbar(CCmdUI* pCmdUI) {
  CControlBar* bar = m_Impl.GetUserBarByIndex(static_cast<int>(pCmdUI->m_nID - ID_VIEW_USER_TOOLBAR_FIRST));
  pCmdUI->Enable(bar != nullptr);
  pCmdUI->SetCheck(bar != nullptr && bar->GetSafeHwnd() != nullptr && (bar->GetStyle() & WS_VISIBLE) != 0);
}

void CMainFrame::OnNoAction(UINT) {}

// ---- tray and hook --------------------------------------------------------------------------------

void CMainFrame::OnToggleMinToTray() {
  VARIANT_BOOL value = VARIANT_FALSE;
  if (SUCCEEDED(m_root.GetTray().get_MinToTray(&value)))
    m_root.GetTray().put_MinToTray(value ? VARIANT_FALSE : VARIANT_TRUE);
}

void CMainFrame::OnUpdateMinToTray(CCmdUI* pCmdUI) {
  VARIANT_BOOL value = VARIANT_FALSE;
  m_root.GetTray().get_MinToTray(&value);
  pCmdUI->SetCheck(value != 0);
}

void CMainFrame::OnRestoreFromTray() { m_root.GetTray().RestoreFromTray(); }

void CMainFrame::OnUpdateRestoreFromTray(CCmdUI* pCmdUI) {
  VARIANT_BOOL minimized = VARIANT_FALSE;
  (m_root.GetTray().IsMinimized)(&minimized);
  pCmdUI->Enable(minimized != 0);
}

void CMainFrame::OnToggleHook() {
  VARIANT_BOOL running = VARIANT_FALSE;
  if (SUCCEEDED(m_root.GetMessenger().get_HookIsRunning(&running)))
    m_root.GetMessenger().put_HookIsRunning(running ? VARIANT_FALSE : VARIANT_TRUE);
}

void CMainFrame::OnUpdateToggleHook(CCmdUI* pCmdUI) {
  VARIANT_BOOL running = VARIANT_FALSE;
  m_root.GetMessenger().get_HookIsRunning(&running);
  CString text;
  text.LoadString(running ? IDS_HOOK_STOP : IDS_HOOK_START);
  pCmdUI->SetText(text);
}


void CMainFrame::OnTipOfTheDay() {
  CTipDlg dialog(this);
  dialog.DoModal();
}

// ---- help -----------------------------------------------------------------------------------------

void CMainFrame::ShowHelp(UINT command, DWORD_PTR data) {
  const CString file = CNumbrookApp::GetProgramFolder() + L"\\" + HELP_FILE_NAME;
  HtmlHelpProc proc = g_htmlHelp != nullptr ? g_htmlHelp : &CallHtmlHelp;
  if (proc(m_hWnd, file, command, data) == nullptr)
    ResourceMessageBox(m_hWnd, IDS_HELP_MISSING, IDS_HELP_MISSING_CAPTION, MB_ICONERROR);
}

void CMainFrame::OnHelpContents() { ShowHelp(HH_DISPLAY_TOC, 0); }

void CMainFrame::OnHelpSearch() {
  HH_FTS_QUERY query = {};
  query.cbStruct = sizeof(query);
  ShowHelp(HH_DISPLAY_SEARCH, reinterpret_cast<DWORD_PTR>(&query));
}

void CMainFrame::OnHelpIndex() {
  CString keyword;
  if (CLeftView* view = GetExpressionPane()) {
    if (CScintillaWnd* editor = view->GetEditor()) keyword = editor->GetSelectedText();
  }
  int cut = keyword.Find(L'\r');
  if (cut >= 0) keyword = keyword.Left(cut);
  cut = keyword.Find(L'\n');
  if (cut >= 0) keyword = keyword.Left(cut);
  ShowHelp(HH_DISPLAY_INDEX, keyword.IsEmpty() ? 0 : reinterpret_cast<DWORD_PTR>(static_cast<LPCWSTR>(keyword)));
}

// ---- IShellFrame ----------------------------------------------------------------------------------

BOOL CMainFrame::IsCustomizing() { return CUfxToolBar::IsCustomizeMode(); }

void CMainFrame::SelectLook(int style) {
  static CRuntimeClass* const looks[] = {RUNTIME_CLASS(CUfxVisualManager), RUNTIME_CLASS(CUfxWinXPVisualManager),
                                         RUNTIME_CLASS(CUfxVisualManagerXP), RUNTIME_CLASS(CUfxVisualManager2003)};
  if (style < 0 || style > 3) return;
  CUfxVisualManager::SetDefaultManager(looks[style]);
  if (m_hWnd != nullptr) {
    CUfxVisualManager::RedrawAll();
    RecalcLayout();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  }
}

HWND CMainFrame::GetBarHwnd(Toolbar bar) {
  CControlBar* pBar = BarOfToolbarId(bar);
  return pBar != nullptr ? pBar->GetSafeHwnd() : nullptr;
}

void CMainFrame::ShowBar(Toolbar bar, BOOL show) {
  CControlBar* pBar = BarOfToolbarId(bar);
  if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr) return;
  ShowControlBar(pBar, show, FALSE);
  RecalcLayout();
}

CString CMainFrame::GetCaptionText() { return m_wndCaptionBar.GetText(); }

void CMainFrame::SetCaptionText(LPCWSTR text) {
  m_wndCaptionBar.SetText(text, CUfxCaptionBar::ALIGN_RIGHT);
  if (m_wndCaptionBar.GetSafeHwnd() != nullptr) m_wndCaptionBar.RedrawWindow();
}

void CMainFrame::SetCaptionBitmap(UINT bitmapId) {
  CBitmap picture;
  if (!picture.LoadBitmap(bitmapId)) return;
  m_bmpCaption.DeleteObject();
  m_bmpCaption.Attach(picture.Detach());
  m_wndCaptionBar.SetBitmap((HBITMAP)m_bmpCaption.GetSafeHandle(), RGB(255, 0, 255), FALSE,
                            CUfxCaptionBar::ALIGN_RIGHT);
  if (m_wndCaptionBar.GetSafeHwnd() != nullptr) m_wndCaptionBar.RedrawWindow();
}

CWnd* CMainFrame::GetPanelTabWnd() { return &m_wndPanelBar.GetTabWnd(); }

void CMainFrame::AddPanelTab(CWnd* panel, LPCWSTR label) { m_wndPanelBar.GetTabWnd().AddTab(panel, label, -1); }

void CMainFrame::RemoveAllPanelTabs() { m_wndPanelBar.GetTabWnd().RemoveAllTabs(); }

int CMainFrame::GetActivePanelTab() { return m_wndPanelBar.GetTabWnd().GetActiveTab(); }

void CMainFrame::SetActivePanelTab(int index) { m_wndPanelBar.GetTabWnd().SetActiveTab(index); }

void CMainFrame::ShowPopupMenu(HMENU menu, POINT point) {
  if (menu == nullptr || m_hWnd == nullptr) return;
  // The framework's popup menu, through the application's context-menu manager; its commands
  // come to this frame. The popup reads the items when it opens: the caller keeps the menu.
  if (UfxContextMenuManager != nullptr)
    UfxContextMenuManager->ShowPopupMenu(menu, point.x, point.y, this, FALSE, TRUE);
}

int CMainFrame::GetLeftPaneWidth() {
  if (m_wndSplitter.GetSafeHwnd() == nullptr) return 300;
  int current = 0, minimum = 0;
  m_wndSplitter.GetColumnInfo(0, current, minimum);
  return current;
}

CLeftView* CMainFrame::GetExpressionPane() {
  CDocument* doc = GetActiveDocument();
  if (doc == nullptr) return nullptr;
  POSITION pos = doc->GetFirstViewPosition();
  while (pos != nullptr) {
    if (CLeftView* view = dynamic_cast<CLeftView*>(doc->GetNextView(pos))) return view;
  }
  return nullptr;
}

ICodeFormatter* CMainFrame::GetCodeFormatter() {
  CLeftView* view = GetExpressionPane();
  if (view == nullptr) return nullptr;
  ICodeFormatter* formatter = view->GetCodeFormatter();
  formatter->AddRef();
  return formatter;
}

ICalculatorKernel* CMainFrame::GetCalculatorKernel() {
  CNumbrookApp* app = GetNumbrookApp();
  return app != nullptr ? app->GetCalculatorKernel() : nullptr;
}

INumbrookClipboardWatcher* CMainFrame::GetClipboardWatcher() {
  CNumbrookApp* app = GetNumbrookApp();
  ClipboardPicker* picker = app != nullptr ? app->GetClipboardPicker() : nullptr;
  if (picker == nullptr) return nullptr;
  INumbrookClipboardWatcher* watcher = picker->GetWatcher();
  watcher->AddRef();
  return watcher;
}

CMainInterface* ShellRoot() {
  CMainFrame* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
  return frame != nullptr ? &frame->GetRoot() : nullptr;
}
