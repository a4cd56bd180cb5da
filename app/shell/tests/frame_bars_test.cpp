// The main frame's bars as the program makes them, under the program's own application object:
// the menu bar in place of the Windows menu, the toolbars from their resources, the popup menus
// (the menu bar's, the toolbar list, the panes', the toolbars' and the tray's) driven by posted
// messages and keys, and the command panels' tabs.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "MainFrameTestKit.h"
#include "NumbrookApp.h"
#include "RightView.h"
#include "ShellIds.h"
#include "ShellServices.h"
#include "ShellTestKit.h"
#include "frames/UfxContextMenuManager.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxMenuBarStore.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "frames/UfxTabWnd.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarButton.h"

CNumbrookApp theApp;

namespace {

typedef std::vector<std::wstring> Texts;

// The texts of a toolbar's or a popup's items, separators as "-".
Texts ItemTexts(CUfxToolBar* bar) {
  Texts texts;
  for (int i = 0; bar != nullptr && i < bar->GetButtonCount(); ++i) {
    CUfxToolbarButton* button = bar->GetButton(i);
    texts.push_back((button->m_nStyle & TBBS_SEPARATOR) ? L"-" : std::wstring(button->m_strText));
  }
  return texts;
}

// The texts of a menu resource's first sub-menu, separators as "-".
Texts MenuTexts(UINT menuId) {
  Texts texts;
  HMENU menu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(menuId));
  HMENU popup = ::GetSubMenu(menu, 0);
  for (int i = 0; popup != nullptr && i < ::GetMenuItemCount(popup); ++i) {
    wchar_t text[256] = {};
    ::GetMenuStringW(popup, i, text, 256, MF_BYPOSITION);
    texts.push_back(::GetMenuItemID(popup, i) == 0 ? L"-" : text);
  }
  ::DestroyMenu(menu);
  return texts;
}

// The commands of a toolbar resource (type 241: version, width, height, count, ids), without
// the separators.
std::vector<UINT> ResourceCommands(UINT id) {
  std::vector<UINT> commands;
  HMODULE resx = AfxGetResourceHandle();
  HRSRC info = ::FindResourceW(resx, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(241));
  const WORD* words = info != nullptr ? static_cast<const WORD*>(::LockResource(::LoadResource(resx, info))) : nullptr;
  for (int i = 0; words != nullptr && i < words[3]; ++i)
    if (words[4 + i] != 0) commands.push_back(words[4 + i]);
  return commands;
}

std::vector<UINT> ButtonCommands(CUfxToolBar* bar) {
  std::vector<UINT> commands;
  for (int i = 0; bar != nullptr && i < bar->GetButtonCount(); ++i)
    if (!(bar->GetButton(i)->m_nStyle & TBBS_SEPARATOR)) commands.push_back(bar->GetButton(i)->m_nID);
  return commands;
}

CUfxPopupMenu* ActivePopup() {
  CUfxPopupMenu* popup = CUfxPopupMenu::GetActiveMenu();
  return popup != nullptr && ::IsWindow(popup->GetSafeHwnd()) ? popup : nullptr;
}

CRect WindowRect(CWnd* wnd) {
  CRect rect;
  wnd->GetWindowRect(&rect);
  return rect;
}

typedef std::set<COLORREF> Colors;

// The colours of picture `index` (16 x 15) of a bitmap of the resource library, without the
// greys (the background, and what the look may draw around a button as well).
Colors PictureColors(UINT bitmapId, int index) {
  Colors colors;
  CBitmap bitmap;
  if (!bitmap.LoadBitmap(bitmapId)) return colors;
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap* old = dc.SelectObject(&bitmap);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 16; ++x)
      if (COLORREF c = dc.GetPixel(16 * index + x, y); GetRValue(c) != GetGValue(c) || GetGValue(c) != GetBValue(c))
        colors.insert(c);
  dc.SelectObject(old);
  return colors;
}

// The colours a window shows in a rectangle of its client area, after it painted.
Colors ShownColors(CWnd* wnd, const CRect& rect) {
  wnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Colors colors;
  CClientDC dc(wnd);
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) colors.insert(dc.GetPixel(x, y));
  return colors;
}

Colors Without(const Colors& a, const Colors& b) {
  Colors rest;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(rest, rest.begin()));
  return rest;
}

// Some colour of a is one of b.
bool Meet(const Colors& a, const Colors& b) { return Without(a, b).size() < a.size(); }

class FrameBars : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    // The program's application object under a name of its own, so that the settings it saves go
    // to a key of the test's, not to the program's.
    free((void*)theApp.m_pszAppName);
    theApp.m_pszAppName = _wcsdup(L"ShellFrameBarsTest");
    SetUpFrameSuite(theApp);
    theApp.SetRegistryBase(L"Settings");
    theApp.InitContextMenuManager();
    InstallShellServices();
  }
  static void TearDownTestSuite() {
    FreshProfile();
    TearDownFrameSuite();
  }

  void SetUp() override {
    FreshProfile();
    CUfxToolBar::SetCustomizeMode(FALSE);
    CUfxPopupMenu::SetAnimationType(CUfxPopupMenu::NO_ANIMATION);
    CUfxPopupMenu::EnableMenuShadows(FALSE);
    ::SetCursorPos(0, 0);
    theApp.OnFileNew();
    m_frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
    ASSERT_NE(nullptr, m_frame);
    m_hWnd = m_frame->GetSafeHwnd();
    m_frame->ActivateFrame(SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    PumpPending();
  }
  void TearDown() override {
    CUfxToolBar::SetCustomizeMode(FALSE);
    if (CUfxPopupMenu* popup = ActivePopup()) popup->GetTopLevelPopup()->DestroyWindow();
    PumpPending();
    if (::IsWindow(m_hWnd)) {
      if (CDocument* doc = m_frame->GetActiveDocument()) doc->SetModifiedFlag(FALSE);
      ::DestroyWindow(m_hWnd);
    }
    theApp.m_pMainWnd = nullptr;
    PumpPending();
    UfxMenuBarStore.CleanUp();
  }

  // A key typed into the window that has the focus.
  void Key(UINT vk) {
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, vk, 1);
    PumpPending();
  }
  CUfxToolBar* Bar(Toolbar id) { return dynamic_cast<CUfxToolBar*>(CWnd::FromHandlePermanent(m_frame->GetBarHwnd(id))); }
  CScintillaColorerView* Pane(int column) {
    return dynamic_cast<CScintillaColorerView*>(m_frame->GetSplitter().GetPane(0, column));
  }
  bool PopupShows(const Texts& items) {
    return PumpUntil([&] { return ActivePopup() != nullptr && ItemTexts(ActivePopup()->GetMenuBar()) == items; }, 5000);
  }
  bool PopupClosed() {
    return PumpUntil([] { return ActivePopup() == nullptr; }, 5000);
  }

  CMainFrame* m_frame = nullptr;
  HWND m_hWnd = nullptr;
};

// ---- the menu bar ---------------------------------------------------------------------------------

TEST_F(FrameBars, MenuBarShowsTheMainMenuInPlaceOfTheWindowsMenu) {
  EXPECT_EQ(nullptr, ::GetMenu(m_hWnd));
  CUfxMenuBar* bar = m_frame->GetMenuBar();
  ASSERT_NE(nullptr, bar);
  EXPECT_EQ((Texts{L"&File", L"&Edit", L"&View", L"&Calculate", L"&Tools", L"&Help"}), ItemTexts(bar));
  EXPECT_EQ(228u, bar->GetDefaultMenuResId()) << "a reset reloads the frame's menu";
  EXPECT_EQ(AFX_IDW_MENUBAR, bar->GetDlgCtrlID());
  CString title;
  bar->GetWindowText(title);
  EXPECT_STREQ(L"Menu Bar", title);
  const DWORD styles = CBRS_GRIPPER | CBRS_HIDE_INPLACE | CBRS_SIZE_DYNAMIC;
  EXPECT_EQ(styles, bar->GetBarStyle() & styles);

  // Docked at the top, above the toolbars.
  ASSERT_NE(nullptr, bar->GetParent());
  EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, bar->GetParent()->GetDlgCtrlID());
  EXPECT_LE(WindowRect(bar).bottom, WindowRect(Bar(TbStandard)).top);
}

TEST_F(FrameBars, MenuCommandsReachTheFrame) {
  CommandRecorder recorder(*m_frame);
  m_frame->GetMenuBar()->SetFocus();
  PumpPending();
  Key('V');
  ASSERT_NE(nullptr, ActivePopup());
  Key('C');  // &Caption Bar
  EXPECT_TRUE(PopupClosed());
  EXPECT_EQ(std::vector<long>{ID_VIEW_CAPTION_BAR}, recorder.commands);
  EXPECT_FALSE(m_frame->IsBarVisible(TbCaptionBar));
}

TEST_F(FrameBars, ToolbarsSubmenuListsTheToolbarsAndSwitchesThem) {
  m_frame->GetMenuBar()->SetFocus();
  PumpPending();
  Key('V');
  Key('T');  // &Toolbars
  ASSERT_TRUE(PopupShows(MenuTexts(IDR_TOOLBAR_MENU)));
  CUfxPopupMenuBar* list = ActivePopup()->GetMenuBar();
  CUfxToolbarButton* standard = list->GetButton(list->CommandToIndex(ID_VIEW_TOOLBAR_STANDARD));
  ASSERT_NE(nullptr, standard);
  EXPECT_TRUE(standard->m_nStyle & TBBS_CHECKED) << "a shown toolbar is checked";

  Key('S');  // &Standard
  EXPECT_TRUE(PopupClosed());
  EXPECT_FALSE(m_frame->IsBarVisible(TbStandard));
  EXPECT_TRUE(m_frame->IsBarVisible(TbView));
}

struct PlaceholderCase {
  const char* name;
  BOOL customizing;
  bool shown;
};

class ToolbarPlaceholder : public FrameBars, public ::testing::WithParamInterface<PlaceholderCase> {};

TEST_P(ToolbarPlaceholder, GetsTheToolbarListOnlyOutsideCustomization) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME_NB));
  HMENU toolbars = ::GetSubMenu(::GetSubMenu(menu.GetSafeHmenu(), 2), 0);  // View, Toolbars
  ASSERT_EQ(static_cast<UINT>(ID_TOOLBARS_PLACEHOLDER), ::GetMenuItemID(toolbars, 0));
  CUfxToolBar::SetCustomizeMode(GetParam().customizing);
  CUfxPopupMenu* popup = UfxContextMenuManager->ShowPopupMenu(toolbars, 100, 100, m_frame, FALSE, TRUE);
  PumpPending();
  EXPECT_EQ(GetParam().shown, popup != nullptr && ActivePopup() == popup);
  if (GetParam().shown) EXPECT_TRUE(PopupShows(MenuTexts(IDR_TOOLBAR_MENU)));
}

INSTANTIATE_TEST_SUITE_P(Cases, ToolbarPlaceholder,
                         ::testing::Values(PlaceholderCase{"Working", FALSE, true},
                                           PlaceholderCase{"Customizing", TRUE, false}),
                         [](const ::testing::TestParamInfo<PlaceholderCase>& info) { return info.param.name; });

// ---- the toolbars ---------------------------------------------------------------------------------

TEST_F(FrameBars, ToolbarsComeFromTheirResourcesSideBySideAtTheTop) {
  const struct {
    Toolbar bar;
    UINT id;
    UINT resource;
    const wchar_t* title;
  } bars[] = {{TbStandard, 100, 228, L"Standard"}, {TbView, 401, 600, L"View"}, {TbHelp, 402, 277, L"Help"}};
  int left = -1;
  int top = 0;
  for (const auto& b : bars) {
    SCOPED_TRACE(b.resource);
    CUfxToolBar* bar = Bar(b.bar);
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(static_cast<int>(b.id), bar->GetDlgCtrlID());
    ASSERT_FALSE(ResourceCommands(b.resource).empty());
    EXPECT_EQ(ResourceCommands(b.resource), ButtonCommands(bar));
    CString title;
    bar->GetWindowText(title);
    EXPECT_STREQ(b.title, title);
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_ANY), bar->m_dwDockStyle & CBRS_ALIGN_ANY);
    ASSERT_NE(nullptr, bar->GetParent());
    EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, bar->GetParent()->GetDlgCtrlID());
    // One row, in the order standard, second, third.
    const CRect rect = WindowRect(bar);
    if (left >= 0) {
      EXPECT_EQ(top, rect.top);
      EXPECT_GT(rect.left, left);
    }
    left = rect.left;
    top = rect.top;
  }
}

TEST_F(FrameBars, ToolbarButtonShowsItsRestingPictureAndTheHotOneUnderTheMouse) {
  // The Open button: the second picture of the standard toolbar's bitmaps, in colour.
  CUfxToolBar* bar = Bar(TbStandard);
  CRect button;
  ASSERT_EQ(1, bar->CommandToIndex(ID_FILE_OPEN));
  ASSERT_TRUE(bar->GetButtonRect(1, button));
  const Colors resting = PictureColors(228, 1), hot = PictureColors(251, 1);
  const Colors restingOnly = Without(resting, hot), hotOnly = Without(hot, resting);
  ASSERT_FALSE(restingOnly.empty());
  ASSERT_FALSE(hotOnly.empty());

  Colors shown = ShownColors(bar, button);
  EXPECT_TRUE(Meet(restingOnly, shown));
  EXPECT_FALSE(Meet(hotOnly, shown));

  CPoint center = button.CenterPoint();
  CPoint screen = center;
  bar->ClientToScreen(&screen);
  ::SetCursorPos(screen.x, screen.y);
  bar->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(center.x, center.y));
  PumpPending();
  shown = ShownColors(bar, button);
  EXPECT_TRUE(Meet(hotOnly, shown));
  EXPECT_FALSE(Meet(restingOnly, shown));
}

TEST_F(FrameBars, MenuCommandsWithoutAToolbarButtonHaveImages) {
  // Resource 255 only gives menu commands their images.
  for (UINT command : ResourceCommands(255)) {
    int image = -1;
    EXPECT_TRUE(CUfxToolBar::GetDefaultImage(command, image) && image >= 0) << command;
  }
}

// ---- the other popup menus ------------------------------------------------------------------------

struct PopupCase {
  const char* name;
  UINT menu;       // the menu resource whose items show
  UINT key;        // the mnemonic then typed
  long command;    // the command that reaches the frame
  bool floating;   // the toolbar is asked while it floats
};

class FramePopups : public FrameBars, public ::testing::WithParamInterface<PopupCase> {
protected:
  // Asks for the case's popup as the user would.
  void Open() {
    const UINT menu = GetParam().menu;
    CPoint point(300, 300);
    if (menu == IDR_EXPRESSION_PANE_MENU || menu == IDR_RESULTS_PANE_MENU) {
      CScintillaWnd* editor = Pane(menu == IDR_EXPRESSION_PANE_MENU ? 0 : 1)->GetEditor();
      editor->SetFocus();
      editor->PostMessage(WM_CONTEXTMENU, (WPARAM)editor->GetSafeHwnd(), MAKELPARAM(point.x, point.y));
    } else if (menu == IDR_TOOLBAR_MENU) {
      CUfxToolBar* bar = Bar(TbStandard);
      if (GetParam().floating) {
        m_frame->FloatControlBar(bar, CPoint(400, 400));
        PumpPending();
        ASSERT_TRUE(bar->IsFloating());
      }
      bar->PostMessage(WM_CONTEXTMENU, (WPARAM)bar->GetSafeHwnd(), MAKELPARAM(point.x, point.y));
    } else {
      ::SetCursorPos(point.x, point.y);
      ::PostMessageW(m_hWnd, WM_TRAY_NOTIFY, IDR_TRAY_MENU, WM_RBUTTONUP);
    }
  }
};

TEST_P(FramePopups, ShowTheirMenuAndSendTheChosenCommandToTheFrame) {
  CommandRecorder recorder(*m_frame);
  Open();
  ASSERT_TRUE(PopupShows(MenuTexts(GetParam().menu)));
  Key(GetParam().key);
  EXPECT_TRUE(PopupClosed());
  EXPECT_EQ(std::vector<long>{GetParam().command}, recorder.commands);
}

INSTANTIATE_TEST_SUITE_P(
    Menus, FramePopups,
    ::testing::Values(PopupCase{"ExpressionPane", IDR_EXPRESSION_PANE_MENU, 'A', ID_EDIT_SELECT_ALL, false},
                      PopupCase{"ResultsPane", IDR_RESULTS_PANE_MENU, 'A', ID_EDIT_SELECT_ALL, false},
                      PopupCase{"Toolbar", IDR_TOOLBAR_MENU, 'V', ID_VIEW_TOOLBAR_SECOND, false},
                      PopupCase{"FloatingToolbar", IDR_TOOLBAR_MENU, 'V', ID_VIEW_TOOLBAR_SECOND, true},
                      PopupCase{"Tray", IDR_TRAY_MENU, 'H', ID_TRAY_MIN_TO_TRAY, false}),
    [](const ::testing::TestParamInfo<PopupCase>& info) { return std::string(info.param.name); });

TEST_F(FrameBars, ExpressionPaneMenuCommandActsOnThePane) {
  CScintillaWnd* editor = Pane(0)->GetEditor();
  editor->SetText(L"1+2\r\n3*4");
  editor->SetSelectionStart(0);
  editor->SetSelectionEnd(0);
  editor->SetFocus();
  editor->PostMessage(WM_CONTEXTMENU, (WPARAM)editor->GetSafeHwnd(), MAKELPARAM(200, 200));
  ASSERT_TRUE(PopupShows(MenuTexts(IDR_EXPRESSION_PANE_MENU)));
  Key('A');  // Select &All
  EXPECT_TRUE(PopupClosed());
  EXPECT_EQ(0, editor->GetSelectionStart());
  EXPECT_EQ(editor->GetLength(), editor->GetSelectionEnd());
}

// ---- the command panels ---------------------------------------------------------------------------

TEST_F(FrameBars, CommandPanelsAreTabsOfThePanelBar) {
  theApp.LoadSettings();
  CUfxTabWnd* tabs = dynamic_cast<CUfxTabWnd*>(m_frame->GetPanelTabWnd());
  ASSERT_NE(nullptr, tabs);
  EXPECT_EQ(1, tabs->GetDlgCtrlID());
  EXPECT_EQ(m_frame->GetBarHwnd(TbButtonsBar), ::GetParent(tabs->GetSafeHwnd()));
  ASSERT_EQ(3, tabs->GetTabsNum());
  const wchar_t* labels[] = {L"Operators", L"Functions", L"Numbers"};
  for (int i = 0; i < 3; ++i) {
    CString label;
    tabs->GetTabLabel(i, label);
    EXPECT_STREQ(labels[i], label);
    ASSERT_NE(nullptr, tabs->GetTabWindow(i));
    EXPECT_EQ(tabs->GetSafeHwnd(), ::GetParent(tabs->GetTabWindow(i)->GetSafeHwnd())) << i;
  }
  EXPECT_EQ(0, tabs->GetActiveTab());

  // The panels manager works the tabs.
  CPanelsManager& panels = m_frame->GetRoot().GetPanels();
  ASSERT_EQ(S_OK, panels.put_ActivePanel(2));
  long active = -1;
  panels.get_ActivePanel(&active);
  EXPECT_EQ(2, active);
  EXPECT_EQ(2, tabs->GetActiveTab());
  EXPECT_TRUE(tabs->GetTabWindow(2)->IsWindowVisible());
  EXPECT_FALSE(tabs->GetTabWindow(0)->IsWindowVisible());

  HWND panel = tabs->GetTabWindow(0)->GetSafeHwnd();
  ASSERT_EQ(S_OK, panels.Clear());
  EXPECT_EQ(0, tabs->GetTabsNum());
  EXPECT_FALSE(::IsWindow(panel)) << "the panels' windows go with them";
}

}  // namespace
