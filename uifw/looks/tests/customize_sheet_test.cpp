// The customization sheet over a framework frame with a menu bar and a toolbar: the command model
// it builds from the menus, its pages and their order, customize mode while it is open, its Close
// and Help buttons, and what the commands, toolbars, keyboard, menu and options pages do.
#include "Framework.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxMenuBarStore.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxContextMenuManager.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxKeyboardManager.h"
#include "frames/UfxMouseManager.h"
#include "looks/UfxAccelText.h"
#include "looks/UfxCustomizeIds.h"
#include "looks/UfxCustomizePage.h"
#include "looks/UfxKeyboardPage.h"
#include "looks/UfxMenuPage.h"
#include "looks/UfxMousePage.h"
#include "looks/UfxOptionsPage.h"
#include "looks/UfxShortcutEdit.h"
#include "looks/UfxToolbarCustomize.h"
#include "looks/UfxToolbarsPage.h"
#include "looks/UfxVisualManager.h"
#include "TestPump.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace {

enum : UINT { ID_SAVE_AS = 0xE104, ID_OPEN = 0xE101, ID_COPY = 0xE122, ID_PASTE = 0xE125, ID_TOOLBAR = 0xE801 };

class CSheetTestApp : public CWinApp {
public:
  CSheetTestApp() : CWinApp(L"UfxCustomizeSheetTest") {}
  std::vector<CString> boxes;
  int answer = IDNO;
  std::vector<std::pair<DWORD_PTR, UINT>> help;
  int DoMessageBox(LPCWSTR lpszPrompt, UINT, UINT) override {
    boxes.push_back(lpszPrompt);
    return answer;
  }
  void WinHelp(DWORD_PTR dwData, UINT nCmd) override { help.emplace_back(dwData, nCmd); }
};
CSheetTestApp theApp;

// Records the customize-mode message and the toolbar requests it gets.
class CTestFrame : public CUfxFrameWnd {
public:
  std::vector<WPARAM> customizeMessages;
  CUfxToolBar* created = nullptr;
  LRESULT deleteAnswer = 1;
  CString createdName;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == UFXM_CUSTOMIZETOOLBAR) {
      customizeMessages.push_back(wParam);
      return 0;
    }
    if (message == UFXM_CREATETOOLBAR) {
      createdName = reinterpret_cast<LPCWSTR>(lParam);
      created = new CUfxToolBar;
      created->Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE820);
      created->SetWindowText(createdName);
      return (LRESULT)created;
    }
    if (message == UFXM_DELETETOOLBAR) return deleteAnswer;
    return CUfxFrameWnd::WindowProc(message, wParam, lParam);
  }
};

// &File{&Open, Save &As...\tCtrl+S, (reserved) recent file}, &Edit{&Copy, &Paste, Save &As...}.
HMENU MakeMenu() {
  HMENU hFile = ::CreatePopupMenu();
  ::AppendMenuW(hFile, MF_STRING, ID_OPEN, L"&Open");
  ::AppendMenuW(hFile, MF_STRING, ID_SAVE_AS, L"Save &As...\tCtrl+S");
  ::AppendMenuW(hFile, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(hFile, MF_STRING, 0xE110, L"Recent File");
  HMENU hEdit = ::CreatePopupMenu();
  ::AppendMenuW(hEdit, MF_STRING, ID_COPY, L"&Copy");
  ::AppendMenuW(hEdit, MF_STRING, ID_PASTE, L"&Paste");
  ::AppendMenuW(hEdit, MF_STRING, ID_SAVE_AS, L"Save &As...");
  HMENU hMenu = ::CreateMenu();
  ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hFile, L"&File");
  ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hEdit, L"&Edit");
  return hMenu;
}

class CustomizeSheet : public ::testing::Test {
protected:
  void SetUp() override {
    m_hResx = ::LoadLibraryW(L"BrookResx.dll");
    ASSERT_NE(nullptr, m_hResx);
    m_hSaved = AfxGetResourceHandle();
    AfxSetResourceHandle(m_hResx);
    CUfxPopupMenu::SetAnimationType(CUfxPopupMenu::NO_ANIMATION);
    frame = new CTestFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Customize", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, CRect(40, 40, 640, 440)));
    frame->EnableDocking(CBRS_ALIGN_ANY);
    theApp.m_pMainWnd = frame;
    ASSERT_TRUE(menuBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_MENUBAR));
    frame->SetMenuBar(&menuBar);
    menuBar.CreateFromMenu(MakeMenu(), TRUE);
    ASSERT_TRUE(toolBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, ID_TOOLBAR));
    const UINT ids[] = {ID_OPEN, ID_COPY};
    ASSERT_TRUE(toolBar.SetButtons(ids, 2));
    toolBar.SetWindowText(L"Standard");
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(200, 200, 300, 220), frame, 1234));
    frame->ShowWindow(SW_SHOWNOACTIVATE);
    theApp.boxes.clear();
    theApp.help.clear();
    theApp.answer = IDNO;
  }
  void TearDown() override {
    if (sheet != nullptr && ::IsWindow(sheet->GetSafeHwnd())) sheet->DestroyWindow();  // deletes itself
    if (frame != nullptr && ::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    PumpPending();
    delete UfxMouseManager;
    UfxMouseManager = nullptr;
    UfxMenuBarStore.CleanUp();
    UfxGetCommandManager()->CleanUp();
    AfxSetResourceHandle(m_hSaved);
    if (m_hResx != nullptr) ::FreeLibrary(m_hResx);
  }
  CUfxToolbarCustomize* Open(UINT uiFlags = 15) {
    sheet = new CUfxToolbarCustomize(frame, TRUE, uiFlags);
    sheet->EnableUserToolbars();
    EXPECT_TRUE(sheet->Create());
    return sheet;
  }
  const CUfxToolbarButton* FindIn(LPCWSTR lpszCategory, UINT uiCmd, int* pCount = nullptr) const {
    const CUfxButtonList* pList = sheet->GetCategoryButtons(lpszCategory);
    const CUfxToolbarButton* pFound = nullptr;
    int count = 0;
    for (POSITION pos = pList != nullptr ? pList->GetHeadPosition() : nullptr; pos != nullptr;) {
      const CUfxToolbarButton* pButton = pList->GetNext(pos);
      if (pButton->m_nID != uiCmd) continue;
      pFound = pButton;
      count++;
    }
    if (pCount != nullptr) *pCount = count;
    return pFound;
  }

  HMODULE m_hResx = nullptr;
  HINSTANCE m_hSaved = nullptr;
  CTestFrame* frame = nullptr;
  CUfxMenuBar menuBar;
  CUfxToolBar toolBar;
  CEdit edit;
  CUfxToolbarCustomize* sheet = nullptr;
};

TEST_F(CustomizeSheet, TheCommandModelComesFromTheMenus) {
  Open();
  const CString all = sheet->GetAllCommandsName();
  EXPECT_EQ(CString(L"All Commands"), all);
  const CUfxToolbarButton* pSaveAs = FindIn(L"File", ID_SAVE_AS);
  ASSERT_NE(nullptr, pSaveAs);
  EXPECT_EQ(CString(L"Save As..."), pSaveAs->m_strText);
  EXPECT_EQ(CString(L"FileSaveAs..."), pSaveAs->m_strTextCustom);
  int inAll = 0;
  EXPECT_NE(nullptr, FindIn(all, ID_SAVE_AS, &inAll));
  EXPECT_EQ(1, inAll) << "a command of two menus is once in the all-commands category";
  EXPECT_NE(nullptr, FindIn(L"Edit", ID_SAVE_AS)) << "and once in each of its categories";
  EXPECT_EQ(nullptr, FindIn(L"File", 0xE110)) << "recent-file commands are reserved";
  EXPECT_EQ(nullptr, FindIn(all, 0xE110));
  EXPECT_EQ(CString(L"Copy"), CString(sheet->GetCommandName(ID_COPY)));
  EXPECT_EQ(nullptr, sheet->GetCommandName(0x1234));
  // The categories in the order met, the new menu's last of them.
  const CStringList& names = sheet->GetCategoryNames();
  ASSERT_EQ(3, (int)names.GetCount());
  EXPECT_EQ(CString(L"File"), names.GetHead());
  EXPECT_EQ(CString(L"New Menu"), names.GetTail());
}

TEST_F(CustomizeSheet, PagesAreOrderedByTheManagersPresentWithOptionsLast) {
  struct Case {
    const char* what;
    bool mouseManager;
    std::vector<CRuntimeClass*> expected;
  } cases[] = {
      {"menu bar only", false,
       {RUNTIME_CLASS(CUfxCustomizePage), RUNTIME_CLASS(CUfxToolbarsPage), RUNTIME_CLASS(CUfxMenuPage), RUNTIME_CLASS(CUfxOptionsPage)}},
      {"and a mouse manager", true,
       {RUNTIME_CLASS(CUfxCustomizePage), RUNTIME_CLASS(CUfxToolbarsPage), RUNTIME_CLASS(CUfxMenuPage),
        RUNTIME_CLASS(CUfxMousePage), RUNTIME_CLASS(CUfxOptionsPage)}},
  };
  for (const Case& c : cases) {
    if (c.mouseManager && UfxMouseManager == nullptr) UfxMouseManager = new CUfxMouseManager;
    CUfxToolbarCustomize model(frame, TRUE, 15);
    ASSERT_EQ((int)c.expected.size(), model.GetPageCount()) << c.what;
    for (int i = 0; i < model.GetPageCount(); i++)
      EXPECT_TRUE(model.GetPage(i)->IsKindOf(c.expected[i])) << c.what << " page " << i;
  }
}

TEST_F(CustomizeSheet, OpeningSwitchesCustomizeModeOnAndClosingOff) {
  Open();
  EXPECT_TRUE(CUfxToolBar::IsCustomizeMode());
  EXPECT_EQ(sheet, CUfxToolBar::GetCustomizeSheet());
  ASSERT_EQ(1u, frame->customizeMessages.size());
  EXPECT_EQ(1u, frame->customizeMessages[0]);
  EXPECT_FALSE(edit.IsWindowEnabled()) << "the frame's other windows are disabled";
  EXPECT_TRUE(toolBar.IsWindowEnabled()) << "toolbars stay";
  // The Close button: the default button, string 16105's text, 8 pixels from the right edge.
  CWnd* pClose = sheet->GetDlgItem(IDCANCEL);
  ASSERT_NE(nullptr, pClose);
  EXPECT_TRUE(pClose->IsWindowVisible());
  EXPECT_TRUE(pClose->GetStyle() & BS_DEFPUSHBUTTON);
  CRect rectClose, rectClient;
  pClose->GetWindowRect(rectClose);
  sheet->ScreenToClient(rectClose);
  sheet->GetClientRect(rectClient);
  EXPECT_EQ(rectClient.right - 8, rectClose.right);
  sheet->PostMessage(WM_COMMAND, IDCANCEL);
  HWND hSheet = sheet->GetSafeHwnd();
  ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(hSheet); }));
  sheet = nullptr;  // it deleted itself
  EXPECT_FALSE(CUfxToolBar::IsCustomizeMode());
  EXPECT_EQ(nullptr, CUfxToolBar::GetCustomizeSheet());
  ASSERT_EQ(2u, frame->customizeMessages.size());
  EXPECT_EQ(0u, frame->customizeMessages[1]);
  EXPECT_TRUE(edit.IsWindowEnabled());
}

TEST_F(CustomizeSheet, HelpFlagsHideTheButtonOrAskForAControlsTopic) {
  Open(15 | CUfxToolbarCustomize::Customize_NoHelp);
  CWnd* pHelp = sheet->GetDlgItem(IDHELP);
  EXPECT_TRUE(pHelp == nullptr || !pHelp->IsWindowVisible());
  sheet->DestroyWindow();
  sheet = nullptr;

  Open(15 | CUfxToolbarCustomize::Customize_ContextHelp);
  EXPECT_TRUE(sheet->GetExStyle() & WS_EX_CONTEXTHELP);
  sheet->SetActivePage(1);
  CWnd* pList = sheet->GetActivePage()->GetDlgItem(IDC_UFX_TOOLBAR_LIST);
  ASSERT_NE(nullptr, pList);
  HELPINFO info = {sizeof(HELPINFO), HELPINFO_WINDOW, IDC_UFX_TOOLBAR_LIST, pList->GetSafeHwnd(), 0, {0, 0}};
  sheet->SendMessage(WM_HELP, 0, (LPARAM)&info);
  ASSERT_EQ(1u, theApp.help.size());
  EXPECT_EQ((DWORD_PTR)(IDC_UFX_TOOLBAR_LIST + 0x41000), theApp.help[0].first);
  EXPECT_EQ((UINT)HELP_CONTEXTPOPUP, theApp.help[0].second);
}

TEST_F(CustomizeSheet, TheCommandsPageSortsAllCommandsAndShowsFullNamesWhereTextsRepeat) {
  Open();
  auto* pPage = DYNAMIC_DOWNCAST(CUfxCustomizePage, sheet->GetActivePage());
  ASSERT_NE(nullptr, pPage);
  const int iAll = pPage->m_wndCategories.FindStringExact(-1, sheet->GetAllCommandsName());
  ASSERT_EQ(pPage->m_wndCategories.GetCount() - 1, iAll) << "all commands come last";
  pPage->m_wndCategories.SetCurSel(iAll);
  pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UFX_CATEGORIES, LBN_SELCHANGE), (LPARAM)pPage->m_wndCategories.m_hWnd);
  std::vector<std::wstring> shown;
  for (int i = 0; i < pPage->m_wndTools.GetCount(); i++) {
    CString text;
    pPage->m_wndTools.GetText(i, text);
    shown.push_back((LPCWSTR)text);
  }
  // Full names, in ordinal order; the new menu has only its text.
  const std::vector<std::wstring> expected = {L"EditCopy", L"EditPaste", L"FileOpen", L"FileSaveAs...", L"New Menu"};
  EXPECT_EQ(expected, shown);
  // In the commands' own category the plain text shows.
  pPage->m_wndCategories.SetCurSel(0);
  pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UFX_CATEGORIES, LBN_SELCHANGE), (LPARAM)pPage->m_wndCategories.m_hWnd);
  CString first;
  pPage->m_wndTools.GetText(0, first);
  EXPECT_EQ(CString(L"Open"), first);
}

TEST_F(CustomizeSheet, TheToolbarsPageKeepsTheMenuBarAndMakesRenamesAndDeletesToolbars) {
  Open();
  sheet->SetActivePage(1);
  auto* pPage = DYNAMIC_DOWNCAST(CUfxToolbarsPage, sheet->GetActivePage());
  ASSERT_NE(nullptr, pPage);
  CUfxBarCheckList& list = pPage->m_wndToolbarList;
  int iMenuBar = -1;
  for (int i = 0; i < list.GetCount(); i++)
    if (list.GetItemDataPtr(i) == &menuBar) iMenuBar = i;
  ASSERT_GE(iMenuBar, 0);
  EXPECT_FALSE(list.IsCheckable(iMenuBar));
  // Unchecked anyway: the check comes back and the menu bar stays.
  list.SetCurSel(iMenuBar);
  list.SetCheck(iMenuBar, 0);
  pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UFX_TOOLBAR_LIST, CLBN_CHKCHANGE), (LPARAM)list.m_hWnd);
  EXPECT_EQ(1, list.GetCheck(iMenuBar));
  EXPECT_TRUE(menuBar.IsWindowVisible());

  // New: the name dialog (answered through a posted OK), then the frame makes the toolbar.
  const int before = list.GetCount();
  frame->PostMessage(WM_NULL);
  struct Namer {
    static void CALLBACK Fill(HWND, UINT, UINT_PTR id, DWORD) {
      HWND hDlg = ::GetActiveWindow();
      if (HWND hEdit = ::GetDlgItem(hDlg, IDC_UFX_TOOLBAR_NAME)) {
        ::SetWindowTextW(hEdit, L"Mine");
        ::PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
        ::KillTimer(nullptr, id);
      }
    }
  };
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &Namer::Fill);
  pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UFX_NEW_TOOLBAR, BN_CLICKED), 0);
  ::KillTimer(nullptr, timer);
  EXPECT_EQ(CString(L"Mine"), frame->createdName);
  ASSERT_EQ(before + 1, list.GetCount());
  EXPECT_EQ(frame->created, pPage->m_pSelectedToolbar);

  // Delete, refused by the frame: the toolbar stays listed; answered No: nothing happens.
  theApp.answer = IDYES;
  frame->deleteAnswer = 0;
  pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UFX_DELETE_TOOLBAR, BN_CLICKED), 0);
  EXPECT_EQ(before + 1, list.GetCount());
  frame->deleteAnswer = 1;
  pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UFX_DELETE_TOOLBAR, BN_CLICKED), 0);
  EXPECT_EQ(before, list.GetCount());
  ASSERT_FALSE(theApp.boxes.empty());
  EXPECT_EQ(CString(L"Delete the toolbar 'Mine'?"), theApp.boxes.back());
}

TEST_F(CustomizeSheet, ResetAllAnsweredNoChangesNothing) {
  Open();
  sheet->SetActivePage(1);
  toolBar.RemoveButton(0);
  theApp.answer = IDNO;
  sheet->GetActivePage()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UFX_RESET_ALL, BN_CLICKED), 0);
  EXPECT_EQ(1, toolBar.GetButtonCount());
  EXPECT_EQ(1u, theApp.boxes.size());
}

TEST_F(CustomizeSheet, TheOptionsPageEnablesByItsSwitches) {
  CUfxToolBar::SetShowTooltips(FALSE, TRUE);
  Open(15);
  sheet->SetActivePage(sheet->GetPageCount() - 1);
  auto* pPage = DYNAMIC_DOWNCAST(CUfxOptionsPage, sheet->GetActivePage());
  ASSERT_NE(nullptr, pPage);
  EXPECT_FALSE(pPage->GetDlgItem(IDC_UFX_SHORTCUT_TIPS)->IsWindowEnabled()) << "no shortcut keys without tooltips";
  pPage->CheckDlgButton(IDC_UFX_TOOLTIPS, BST_CHECKED);
  pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UFX_TOOLTIPS, BN_CLICKED), 0);
  EXPECT_TRUE(CUfxToolBar::IsShowTooltips());
  EXPECT_TRUE(pPage->GetDlgItem(IDC_UFX_SHORTCUT_TIPS)->IsWindowEnabled());
  // No core commands: the recently-used group is hidden; the hidden control always is.
  EXPECT_FALSE(pPage->GetDlgItem(IDC_UFX_RECENTLY_USED)->IsWindowVisible());
  EXPECT_FALSE(pPage->GetDlgItem(IDC_UFX_OPTIONS_HIDDEN)->IsWindowVisible());
  // The 2000 look switches the current look.
  CUfxVisualManager* pLook = CUfxVisualManager::GetInstance();
  if (pPage->GetDlgItem(IDC_UFX_LOOK_2000)->IsWindowVisible()) {
    const BOOL bBefore = pLook->IsLook2000();
    pPage->CheckDlgButton(IDC_UFX_LOOK_2000, bBefore ? BST_UNCHECKED : BST_CHECKED);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UFX_LOOK_2000, BN_CLICKED), 0);
    EXPECT_NE(bBefore, pLook->IsLook2000());
    pLook->SetLook2000(bBefore);
  }
  CUfxToolBar::SetShowTooltips(TRUE, TRUE);
}

// ---- the shortcut edit and the keyboard page ----------------------------------------------------------

MSG KeyMsg(HWND hWnd, UINT message, UINT vk) {
  MSG msg = {hWnd, message, vk, (LPARAM)((message == WM_KEYUP || message == WM_SYSKEYUP) ? 0xC0000001 : 1), 0, {0, 0}};
  return msg;
}

TEST_F(CustomizeSheet, TheShortcutEditRecordsKeyCombinations) {
  const CString ctrl = CUfxAccelText::GetKeyName(VK_CONTROL), shift = CUfxAccelText::GetKeyName(VK_SHIFT);
  const CString f5 = CUfxAccelText::GetKeyName(VK_F5), esc = CUfxAccelText::GetKeyName(VK_ESCAPE);
  struct Step {
    UINT message, vk;
  };
  struct Case {
    const char* what;
    bool armed;
    std::vector<Step> steps;
    CString text;
    bool complete;
    bool lastSwallowed;
  } cases[] = {
      {"Ctrl+Shift+F5, Ctrl first", true,
       {{WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, VK_CONTROL}, {WM_KEYDOWN, VK_F5}}, ctrl + L"+" + shift + L"+" + f5, true, true},
      {"Escape alone clears", true, {{WM_KEYDOWN, VK_ESCAPE}}, L"", false, true},
      {"Ctrl+Escape is recorded", true, {{WM_KEYDOWN, VK_CONTROL}, {WM_KEYDOWN, VK_ESCAPE}}, ctrl + L"+" + esc, true, true},
      {"Tab alone clears and moves on", true, {{WM_KEYDOWN, VK_TAB}}, L"", false, false},
      {"the key that brought the focus only arms", false, {{WM_KEYDOWN, VK_F5}}, L"", false, true},
      {"a modifier let go is forgotten", true,
       {{WM_KEYDOWN, VK_CONTROL}, {WM_KEYUP, VK_CONTROL}, {WM_KEYDOWN, VK_F5}}, f5, true, true},
  };
  for (const Case& c : cases) {
    CUfxShortcutEdit shortcut;
    ASSERT_TRUE(shortcut.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 30), frame, 4321));
    if (c.armed) shortcut.SendMessage(WM_LBUTTONDOWN);  // a click arms it, as the page's user does
    MSG armClick = {shortcut.m_hWnd, WM_LBUTTONDOWN, 0, 0, 0, {0, 0}};
    if (c.armed) EXPECT_TRUE(shortcut.PreTranslateMessage(&armClick)) << c.what;
    BOOL bSwallowed = FALSE;
    for (const Step& step : c.steps) {
      MSG msg = KeyMsg(shortcut.m_hWnd, step.message, step.vk);
      bSwallowed = shortcut.PreTranslateMessage(&msg);
    }
    CString text;
    shortcut.GetWindowText(text);
    EXPECT_EQ(std::wstring(c.text), std::wstring(text)) << c.what;
    EXPECT_EQ(c.complete, shortcut.IsKeyDefined() != FALSE) << c.what;
    EXPECT_EQ(c.lastSwallowed, bSwallowed != FALSE) << c.what;
    shortcut.DestroyWindow();
  }
}

TEST_F(CustomizeSheet, TheKeyboardPageShowsOwnersAssignsAndRemovesKeys) {
  CUfxKeyboardManager keyboard;
  ACCEL table[] = {{FVIRTKEY | FCONTROL, 'O', (WORD)ID_OPEN}, {FVIRTKEY | FALT, 'Q', 0x7777}};
  frame->m_hAccelTable = ::CreateAcceleratorTableW(table, 2);
  Open();
  CUfxKeyboardPage* pPage = nullptr;
  for (int i = 0; i < sheet->GetPageCount(); i++)
    if (auto* p = DYNAMIC_DOWNCAST(CUfxKeyboardPage, sheet->GetPage(i))) pPage = p;
  ASSERT_NE(nullptr, pPage) << "a keyboard manager and a table bring the keyboard page";
  sheet->SetActivePage(pPage);
  // The all-commands category, the command Copy.
  pPage->m_wndCategoryList.SetCurSel(pPage->m_wndCategoryList.GetCount() - 1);
  pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UFX_CATEGORIES, CBN_SELCHANGE), (LPARAM)pPage->m_wndCategoryList.m_hWnd);
  int iCopy = -1;
  for (int i = 0; i < pPage->m_wndCommandsList.GetCount(); i++)
    if (static_cast<CUfxToolbarButton*>(pPage->m_wndCommandsList.GetItemDataPtr(i))->m_nID == ID_COPY) iCopy = i;
  ASSERT_GE(iCopy, 0);
  pPage->m_wndCommandsList.SetCurSel(iCopy);
  pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UFX_KEY_COMMANDS, LBN_SELCHANGE), (LPARAM)pPage->m_wndCommandsList.m_hWnd);
  EXPECT_EQ(0, pPage->m_wndCurrentKeysList.GetCount());

  auto press = [&](BYTE fVirt, UINT vk) {
    pPage->m_wndNewKey.ResetKey();
    MSG click = {pPage->m_wndNewKey.m_hWnd, WM_LBUTTONDOWN, 0, 0, 0, {0, 0}};
    pPage->m_wndNewKey.PreTranslateMessage(&click);
    for (UINT mod : {VK_CONTROL, VK_MENU})
      if (fVirt & (mod == VK_CONTROL ? FCONTROL : FALT)) {
        MSG m = KeyMsg(pPage->m_wndNewKey.m_hWnd, WM_KEYDOWN, mod);
        pPage->m_wndNewKey.PreTranslateMessage(&m);
      }
    MSG m = KeyMsg(pPage->m_wndNewKey.m_hWnd, WM_KEYDOWN, vk);
    pPage->m_wndNewKey.PreTranslateMessage(&m);
    CString owner;
    pPage->GetDlgItemText(IDC_UFX_ASSIGNED_TO, owner);
    return std::wstring(owner);
  };
  EXPECT_EQ(L"Open", press(FCONTROL, 'O')) << "a taken key shows its command";
  EXPECT_FALSE(pPage->GetDlgItem(IDC_UFX_ASSIGN)->IsWindowEnabled());
  EXPECT_EQ(L"????", press(FALT, 'Q')) << "a command without a name";
  EXPECT_EQ(L"[Unassigned]", press(FCONTROL, 'K'));
  ASSERT_TRUE(pPage->GetDlgItem(IDC_UFX_ASSIGN)->IsWindowEnabled());
  pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UFX_ASSIGN, BN_CLICKED), (LPARAM)pPage->GetDlgItem(IDC_UFX_ASSIGN)->m_hWnd);
  ACCEL installed[8] = {};
  int n = ::CopyAcceleratorTableW(frame->m_hAccelTable, installed, 8);
  ASSERT_EQ(3, n) << "the keyboard manager installed the new table";
  EXPECT_EQ((WORD)ID_COPY, installed[2].cmd);
  EXPECT_EQ((WORD)'K', installed[2].key);
  ASSERT_EQ(1, pPage->m_wndCurrentKeysList.GetCount());
  pPage->m_wndCurrentKeysList.SetCurSel(0);
  pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UFX_CURRENT_KEYS, LBN_SELCHANGE), (LPARAM)pPage->m_wndCurrentKeysList.m_hWnd);
  pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UFX_REMOVE, BN_CLICKED), (LPARAM)pPage->GetDlgItem(IDC_UFX_REMOVE)->m_hWnd);
  n = ::CopyAcceleratorTableW(frame->m_hAccelTable, installed, 8);
  EXPECT_EQ(2, n);
  EXPECT_EQ(0, pPage->m_wndCurrentKeysList.GetCount());
}

// ---- the menu page ----------------------------------------------------------------------------------------

CUfxMenuPage* MenuPageOf(CUfxToolbarCustomize* pSheet) {
  for (int i = 0; i < pSheet->GetPageCount(); i++)
    if (auto* p = DYNAMIC_DOWNCAST(CUfxMenuPage, pSheet->GetPage(i))) {
      pSheet->SetActivePage(p);
      return p;
    }
  return nullptr;
}

TEST_F(CustomizeSheet, WithoutAContextMenuManagerTheMenuPageShowsOnlyApplicationMenus) {
  ASSERT_EQ(nullptr, UfxContextMenuManager);
  Open();
  CUfxMenuPage* pPage = MenuPageOf(sheet);
  ASSERT_NE(nullptr, pPage);
  EXPECT_FALSE(pPage->GetDlgItem(IDC_UFX_CONTEXT_MENUS)->IsWindowVisible());
  EXPECT_TRUE(pPage->GetDlgItem(IDC_UFX_APP_MENUS)->IsWindowEnabled());
  CString shown;
  pPage->m_wndMenuesList.GetLBText(pPage->m_wndMenuesList.GetCurSel(), shown);
  EXPECT_EQ(std::wstring(L"Default menu"), std::wstring(shown));
}

TEST_F(CustomizeSheet, TheEditingPopupReopensWhereItWasLeftAndACancelledResetKeepsIt) {
  CUfxContextMenuManager contextMenus;
  UfxContextMenuManager = &contextMenus;
  ASSERT_TRUE(contextMenus.AddMenu(L"Worksheet", 228));
  Open();
  CUfxMenuPage* pPage = MenuPageOf(sheet);
  ASSERT_NE(nullptr, pPage);
  ASSERT_EQ(2, pPage->m_wndContextMenus.GetCount());
  auto choose = [&](int i) {
    pPage->m_wndContextMenus.SetCurSel(i);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UFX_CONTEXT_MENUS, CBN_SELCHANGE), (LPARAM)pPage->m_wndContextMenus.m_hWnd);
  };
  choose(1);
  CUfxPopupMenu* pPopup = pPage->GetContextMenu();
  ASSERT_NE(nullptr, pPopup);
  EXPECT_TRUE(pPage->GetDlgItem(IDC_UFX_RESET_CONTEXT_MENU)->IsWindowEnabled());
  pPopup->SetWindowPos(nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A reset answered No leaves the popup as it is.
  const int nItems = pPopup->GetMenuBar()->GetButtonCount();
  pPopup->GetMenuBar()->RemoveButton(0);
  theApp.answer = IDNO;
  pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UFX_RESET_CONTEXT_MENU, BN_CLICKED), 0);
  EXPECT_EQ(nItems - 1, pPopup->GetMenuBar()->GetButtonCount());
  choose(0);
  EXPECT_EQ(nullptr, pPage->GetContextMenu());
  EXPECT_EQ(CPoint(300, 200), CUfxMenuPage::GetMenuPosition());
  choose(1);
  pPopup = pPage->GetContextMenu();
  ASSERT_NE(nullptr, pPopup);
  CRect rect;
  pPopup->GetWindowRect(rect);
  EXPECT_EQ(CPoint(300, 200), rect.TopLeft());
  choose(0);
  sheet->DestroyWindow();
  sheet = nullptr;
  UfxContextMenuManager = nullptr;
}

}  // namespace
