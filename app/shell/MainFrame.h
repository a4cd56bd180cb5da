// CMainFrame: the program's one frame window. It carries the menu bar, the toolbars, the status
// bar, the caption bar, the command-panel bar and a splitter with the expression pane on the left
// and the results pane on the right. It embeds the automation root, so every part of the program
// reaches the managers through the main window; it turns minimise and close into hiding in the
// notification area, hands every command and message to the messenger's subscribers first, and
// owns the global keyboard hook's lifetime.
#pragma once

#include "Framework.h"
#include "FrameCaptionBar.h"
#include "FrameSplitterWnd.h"
#include "FrameToolBar.h"
#include "MainInterfaceRoot.h"
#include "PanelBar.h"
#include "ShellFrame.h"
#include "frames/UfxFrameWnd.h"
#include "bars/UfxMenuBar.h"
#include "frames/UfxStatusBar.h"

class CLeftView;

// Commands of the frame.
#define ID_VIEW_CAPTION_BAR 22816
#define ID_VIEW_PANEL_BAR 22817
#define ID_VIEW_TOOLBAR_STANDARD 22896
#define ID_VIEW_TOOLBAR_SECOND 22897
#define ID_VIEW_TOOLBAR_THIRD 22898
#define ID_VIEW_USER_TOOLBAR_FIRST 22873
#define ID_VIEW_USER_TOOLBAR_LAST 22882
#define ID_TOOLBARS_PLACEHOLDER 22771
#define ID_SETTINGS_SHEET 22831
#define ID_TOOLBAR_CUSTOMIZE 22883
#define ID_TIP_OF_THE_DAY 40001
#define ID_HELP_CONTENTS 22832
#define ID_HELP_SEARCH 22870
#define ID_FILE_EXPORT_WORKSHEET 22908

// Resource ids of the frame.
#define IDR_TOOLBAR_MENU 231
#define IDS_HELP_MISSING 2008
#define IDS_HELP_MISSING_CAPTION 2009
#define IDS_HOOK_START 2006
#define IDS_HOOK_STOP 2007
#define IDS_CUSTOMIZE_HELP 2010
#define IDS_CUSTOMIZE_HELP_CAPTION 2011
#define IDS_TOOLBAR_STANDARD 201
#define IDS_TOOLBAR_SECOND 205
#define IDS_TOOLBAR_THIRD 206
#define IDS_MENU_BAR_TITLE 207
#define IDS_PANEL_BAR_TITLE 208
#define IDS_CAPTION_TEXT 203
#define IDB_CAPTION_PICTURE 250
// The toolbars: window ids, then the resources (the standard one's is the main menu's,
// IDR_MAINFRAME_NB) and their hot images; the images that menu commands show; the window ids of
// the user toolbars.
#define IDW_TOOLBAR_STANDARD 100
#define IDW_TOOLBAR_SECOND 401
#define IDW_TOOLBAR_THIRD 402
#define IDR_TOOLBAR_SECOND 600
#define IDR_TOOLBAR_THIRD 277
#define IDB_TOOLBAR_STANDARD_HOT 251
#define IDB_TOOLBAR_SECOND_HOT 278
#define IDB_TOOLBAR_THIRD_HOT 279
#define IDR_MENU_IMAGES 255
#define IDB_MENU_IMAGES_HOT 256
#define IDW_USER_TOOLBAR_FIRST 59432
#define IDW_USER_TOOLBAR_LAST 59441

// The help file, beside the program.
#define HELP_FILE_NAME L"Help\\Numbrook.chm"

// The help viewer's entry (HtmlHelpW's shape). Tests put a recorder in its place.
typedef HWND(WINAPI* HtmlHelpProc)(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data);
// Replaces the help viewer's entry; null puts HtmlHelpW back. Answers the previous one.
HtmlHelpProc SetHtmlHelpProc(HtmlHelpProc proc);

class CMainFrame : public CUfxFrameWnd, public IShellFrame {
  DECLARE_DYNCREATE(CMainFrame)
public:
  CMainFrame();
  ~CMainFrame() override;

  CMainInterface& GetRoot() { return m_root; }
  // The show command of the first activation (the frame stays hidden until start-up shows it).
  int GetRecordedShowCommand() const { return m_nRecordedShow; }
  CFrameSplitterWnd& GetSplitter() { return m_wndSplitter; }
  CUfxStatusBar& GetStatusBar() { return m_wndStatusBar; }
  // The first expression pane of the active document, or null.
  CLeftView* GetExpressionPane();

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  void ActivateFrame(int nCmdShow = -1) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnShowPopupMenu(CUfxPopupMenu* pMenuPopup) override;

  // IShellFrame.
  HWND GetFrameHwnd() override { return m_hWnd; }
  BOOL IsCustomizing() override;
  void SelectLook(int style) override;
  HACCEL GetAccelTable() override { return m_hAccelTable; }
  HWND GetBarHwnd(Toolbar bar) override;
  void ShowBar(Toolbar bar, BOOL show) override;
  CString GetCaptionText() override;
  void SetCaptionText(LPCWSTR text) override;
  void SetCaptionBitmap(UINT bitmapId) override;
  CWnd* GetPanelTabWnd() override;
  void AddPanelTab(CWnd* panel, LPCWSTR label) override;
  void RemoveAllPanelTabs() override;
  int GetActivePanelTab() override;
  void SetActivePanelTab(int index) override;
  void ShowPopupMenu(HMENU menu, POINT point) override;
  int GetLeftPaneWidth() override;
  ICodeFormatter* GetCodeFormatter() override;
  ICalculatorKernel* GetCalculatorKernel() override;
  INumbrookClipboardWatcher* GetClipboardWatcher() override;

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnClose();
  afx_msg void OnDestroy();
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg void OnDropFiles(HDROP hDropInfo);
  afx_msg void OnEndSession(BOOL bEnding);
  afx_msg LRESULT OnToolbarContextMenu(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnToolbarCustomizeHelp(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnToolbarReset(WPARAM wParam, LPARAM lParam);
  afx_msg void OnViewUserToolbar(UINT nID);
  afx_msg void OnUpdateViewUserToolbar(CCmdUI* pCmdUI);
  afx_msg void OnViewBar(UINT nID);
  afx_msg void OnUpdateViewBar(CCmdUI* pCmdUI);
  afx_msg void OnNoAction(UINT nID);
  afx_msg void OnToggleMinToTray();
  afx_msg void OnUpdateMinToTray(CCmdUI* pCmdUI);
  afx_msg void OnRestoreFromTray();
  afx_msg void OnUpdateRestoreFromTray(CCmdUI* pCmdUI);
  afx_msg void OnToggleHook();
  afx_msg void OnUpdateToggleHook(CCmdUI* pCmdUI);
  afx_msg void OnHelpContents();
  afx_msg void OnHelpSearch();
  afx_msg void OnHelpIndex();
  afx_msg void OnUpdateNotYetAvailable(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()

private:
  // OnCreate's steps; each FALSE makes the creation fail.
  void ReadStartupStyle();
  static void SetCoreCommands();
  BOOL CreateMenuBar();
  BOOL CreateToolbars();
  BOOL CreateStatusBar();
  BOOL CreateCaptionBar();
  BOOL CreatePanelBar();
  void SetUpTray();

  // The bar of a bar command (22816, 22817, 22896 to 22898) or a Toolbar id; null when none.
  CControlBar* BarOfCommand(UINT nID);
  CControlBar* BarOfToolbarId(Toolbar bar);
  void ToggleBar(CControlBar* pBar);
  void ShowHelp(UINT command, DWORD_PTR data);
  // The toolbar context menu (menu 231) with the user toolbars filled in, or null.
  HMENU LoadToolbarMenu(CMenu& menu);
  // A popup that holds the toolbar-list placeholder gets the toolbar menu's items instead.
  void FillToolbarList(CUfxPopupMenu* pMenuPopup);

  CMainInterface m_root{this};
  CUfxMenuBar m_wndMenuBar;
  CUfxStatusBar m_wndStatusBar;
  CFrameToolBar m_wndToolBar;
  CFrameToolBar m_wndToolBarSecond;
  CFrameToolBar m_wndToolBarThird;
  CPanelBar m_wndPanelBar;
  BOOL m_bFirstActivation = TRUE;
  int m_nRecordedShow = SW_SHOW;
  CFrameSplitterWnd m_wndSplitter;
  CFrameCaptionBar m_wndCaptionBar;
  CBitmap m_bmpCaption;
};

// The automation root of the program's main frame; null when the main window is no CMainFrame.
CMainInterface* ShellRoot();
