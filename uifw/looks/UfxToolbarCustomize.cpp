#include "looks/UfxToolbarCustomize.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxPopupMenuBar.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarButton.h"
#include "bars/UfxToolbarMenuButton.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxContextMenuManager.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxKeyboardManager.h"
#include "frames/UfxMouseManager.h"
#include "frames/UfxSizingControlBar.h"
#include "frames/UfxUserToolsManager.h"
#include "frames/UfxWorkspace.h"
#include "looks/UfxCustomizeIds.h"
#include "looks/UfxCustomizePage.h"
#include "looks/UfxExternalToolsPage.h"
#include "looks/UfxKeyboardPage.h"
#include "looks/UfxMenuPage.h"
#include "looks/UfxMousePage.h"
#include "looks/UfxOptionsPage.h"
#include "looks/UfxPixelEditorDlg.h"
#include "looks/UfxToolbarsPage.h"
#include "looks/UfxVisualManager.h"
#include "FwDockBar.h"
#include "FwMDI.h"
#include "FwReBar.h"
#include <map>

IMPLEMENT_DYNAMIC(CUfxToolbarCustomize, CPropertySheet)

namespace {
const DWORD kHelpIdOffset = 0x41000;
// Every control of the pages that has a help topic (16601 twice: the commands and keyboard pages).
const UINT kHelpControls[] = {16601, 16602, 16603, 16611, 16612, 16613, 16614, 16615, 16616, 16617,
                              16621, 16622, 16623, 16624, 16625, 16626, 16631, 16632, 16633, 16634,
                              16601, 16641, 16642, 16643, 16644, 16645, 16646, 16647, 16651, 16652,
                              16653, 16654, 16655, 16656, 16657};
const int kHelpPairs = sizeof(kHelpControls) / sizeof(kHelpControls[0]);

// A menu item's text without its mnemonic marks.
CString StripAmpersands(CString strText) {
  strText.Remove(L'&');
  return strText;
}

// A full name from a menu path: each word capitalised, blanks removed, cut at the first tab.
CString FullNameOf(const CString& strPrefix, const CString& strText) {
  CString strSource = strPrefix + strText;
  const int iTab = strSource.Find(L'\t');
  if (iTab >= 0) strSource = strSource.Left(iTab);
  CString strName;
  BOOL bUpper = FALSE;
  for (int i = 0; i < strSource.GetLength(); i++) {
    const wchar_t ch = strSource[i];
    if (ch == L' ') {
      bUpper = TRUE;
      continue;
    }
    strName += bUpper ? (wchar_t)towupper(ch) : ch;
    bUpper = FALSE;
  }
  return strName;
}

// The tooltip part of a command's string resource (after the first line feed).
CString TooltipOf(UINT uiCmd) {
  CString strResource;
  if (!strResource.LoadString(uiCmd)) return CString();
  const int iNewLine = strResource.Find(L'\n');
  return iNewLine >= 0 ? strResource.Mid(iNewLine + 1) : CString();
}
}  // namespace

BEGIN_MESSAGE_MAP(CUfxToolbarCustomize, CPropertySheet)
  ON_WM_CREATE()
  ON_WM_HELPINFO()
  ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CUfxMenuBar* CUfxToolbarCustomize::FrameMenuBar(CFrameWnd* pFrame) {
  CUfxFrameWnd* pUfxFrame = DYNAMIC_DOWNCAST(CUfxFrameWnd, pFrame);
  return pUfxFrame != nullptr ? pUfxFrame->GetMenuBar() : nullptr;
}

// ---- building --------------------------------------------------------------------------------------

CUfxToolbarCustomize::CUfxToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus, UINT uiFlags,
                                           CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages)
    : CPropertySheet(L"", pWndParentFrame), m_pParentFrame(pWndParentFrame), m_bAutoSetFromMenus(bAutoSetFromMenus) {
  if (plistCustomPages != nullptr) {
    for (POSITION pos = plistCustomPages->GetHeadPosition(); pos != nullptr;) {
      CRuntimeClass* pClass = plistCustomPages->GetNext(pos);
      if (pClass == nullptr) continue;
      if (CPropertyPage* pPage = DYNAMIC_DOWNCAST(CPropertyPage, pClass->CreateObject())) m_listCustomPages.AddTail(pPage);
    }
  }
  m_uiFlags = uiFlags & ~0x40u;
  CUfxVisualManager* pLook = CUfxVisualManager::GetInstance();
  if (pLook != nullptr && !pLook->IsLook2000Allowed()) m_uiFlags &= ~(UINT)Customize_Look2000;

  m_pCustomizePage = new CUfxCustomizePage;
  m_pToolbarsPage = new CUfxToolbarsPage(m_pParentFrame);
  m_pToolsPage = new CUfxExternalToolsPage;
  m_pKeyboardPage = new CUfxKeyboardPage(m_pParentFrame, m_bAutoSetFromMenus);
  m_pMenuPage = new CUfxMenuPage(m_pParentFrame, m_bAutoSetFromMenus);
  m_pMousePage = new CUfxMousePage;

  AddPage(m_pCustomizePage);
  AddPage(m_pToolbarsPage);
  if (UfxUserToolsManager != nullptr) AddPage(m_pToolsPage);
  const BOOL bHasMenuBar = FrameMenuBar(m_pParentFrame) != nullptr;
  if (UfxKeyboardManager != nullptr && m_pParentFrame != nullptr && m_pParentFrame->m_hAccelTable != nullptr)
    AddPage(m_pKeyboardPage);
  if (UfxContextMenuManager != nullptr || bHasMenuBar) AddPage(m_pMenuPage);
  if (UfxMouseManager != nullptr) AddPage(m_pMousePage);
  for (POSITION pos = m_listCustomPages.GetHeadPosition(); pos != nullptr;) AddPage(m_listCustomPages.GetNext(pos));
  m_pOptionsPage = new CUfxOptionsPage(bHasMenuBar);
  AddPage(m_pOptionsPage);

  CString strTitle;
  strTitle.LoadString(IDS_UFX_CUSTOMIZE_TITLE);
  SetTitle(strTitle);
  m_strAllCommands.LoadString(IDS_UFX_ALL_COMMANDS);
  m_pCustomizePage->SetAllCategory(m_strAllCommands);
  m_pKeyboardPage->SetAllCategory(m_strAllCommands);

  if (m_bAutoSetFromMenus) SetupFromMenus();

  // The new, empty menu that the user drags to make a menu of his own.
  CString strNewMenu;
  if (strNewMenu.LoadString(IDS_UFX_NEW_MENU)) {
    CUfxToolbarMenuButton newMenu(0, nullptr, -1, strNewMenu);
    AddButton(strNewMenu, newMenu);
  }
}

CUfxToolbarCustomize::~CUfxToolbarCustomize() {
  if (CUfxToolBar::GetCustomizeSheet() == this) CUfxToolBar::SetCustomizeSheet(nullptr);
  for (POSITION pos = m_ButtonsByCategory.GetStartPosition(); pos != nullptr;) {
    CString strCategory;
    CUfxButtonList* pList = nullptr;
    m_ButtonsByCategory.GetNextAssoc(pos, strCategory, pList);
    while (!pList->IsEmpty()) delete pList->RemoveHead();
    delete pList;
  }
  delete m_pToolsPage;
  m_ButtonsByCategory.RemoveAll();
  delete m_pCustomizePage;
  delete m_pToolbarsPage;
  delete m_pKeyboardPage;
  delete m_pMenuPage;
  delete m_pMousePage;
  delete m_pOptionsPage;
  while (!m_listCustomPages.IsEmpty()) delete m_listCustomPages.RemoveHead();
}

void CUfxToolbarCustomize::EnableUserToolbars(BOOL bEnable) {
  if (m_pToolbarsPage != nullptr) m_pToolbarsPage->EnableUserDefinedToolbars(bEnable);
}

BOOL CUfxToolbarCustomize::Create() {
  DWORD dwExStyle = 0;
  if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr &&
      (m_pParentFrame->GetExStyle() & WS_EX_LAYOUTRTL))
    dwExStyle |= WS_EX_LAYOUTRTL;
  if (!CPropertySheet::Create(m_pParentFrame, (DWORD)-1, dwExStyle)) return FALSE;
  SetFrameCustomizeMode(TRUE);
  return TRUE;
}

// ---- the command model -----------------------------------------------------------------------------

const CUfxButtonList* CUfxToolbarCustomize::GetCategoryButtons(LPCWSTR lpszCategory) const {
  CUfxButtonList* pList = nullptr;
  return m_ButtonsByCategory.Lookup(lpszCategory, pList) ? pList : nullptr;
}

void CUfxToolbarCustomize::AddButton(LPCWSTR lpszCategory, const CUfxToolbarButton& button, int iInsertBefore) {
  const UINT uiCmd = button.m_nID;
  if (UfxIsReservedCommand(uiCmd) || !CUfxToolBar::IsCommandAllowed(uiCmd)) return;
  CString strText = button.m_strText;
  strText.Trim();
  BOOL bUserTool = FALSE;
  if (UfxUserToolsManager != nullptr && UfxUserToolsManager->IsUserToolCmd(uiCmd)) {
    CUfxUserTool* pTool = UfxUserToolsManager->FindTool(uiCmd);
    if (pTool == nullptr) return;
    strText = pTool->m_strLabel;
    bUserTool = TRUE;
  }
  if (!strText.IsEmpty()) {
    strText.Remove(L'&');
    const int iTab = strText.Find(L'\t');
    if (iTab >= 0) strText = strText.Left(iTab);
  } else {
    strText = TooltipOf(uiCmd);
  }
  const CString strCategory = lpszCategory != nullptr ? lpszCategory : L"";
  if (strText.IsEmpty() && strCategory == m_strAllCommands) return;
  AddButtonTo(strCategory, button, strText, bUserTool, iInsertBefore);
}

void CUfxToolbarCustomize::AddButtonTo(const CString& strCategory, const CUfxToolbarButton& button,
                                       const CString& strText, BOOL bUserTool, int iInsertBefore) {
  CUfxButtonList* pList = nullptr;
  if (m_ButtonsByCategory.Lookup(strCategory, pList)) {
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;) {
      CUfxToolbarButton* pOld = pList->GetNext(pos);
      const BOOL bSame = button.m_nID != (UINT)-1 ? pOld->m_nID == button.m_nID
                                                  : pOld->m_nID == (UINT)-1 && pOld->m_strText == strText;
      if (!bSame) continue;
      if (pOld->m_strText.IsEmpty()) pOld->m_strText = strText;
      return;
    }
  } else {
    pList = new CUfxButtonList;
    m_ButtonsByCategory.SetAt(strCategory, pList);
    if (strCategory != m_strAllCommands) m_lstCategories.AddTail(strCategory);
  }
  CUfxToolbarButton* pNew = DYNAMIC_DOWNCAST(CUfxToolbarButton, button.GetRuntimeClass()->CreateObject());
  if (pNew == nullptr) return;
  pNew->CopyFrom(button);
  pNew->m_strText = strText;
  if (bUserTool) {
    pNew->m_bUserButton = TRUE;
    pNew->SetImage(0);
  }
  POSITION posBefore = iInsertBefore >= 0 ? pList->FindIndex(iInsertBefore) : nullptr;
  if (posBefore != nullptr) pList->InsertBefore(posBefore, pNew);
  else pList->AddTail(pNew);
  if (strCategory != m_strAllCommands) AddButtonTo(m_strAllCommands, *pNew, strText, bUserTool, -1);
}

void CUfxToolbarCustomize::AddUserTools(LPCWSTR lpszCategory) {
  if (UfxUserToolsManager == nullptr) return;
  const CObList& tools = UfxUserToolsManager->GetUserTools();
  for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;) {
    CUfxUserTool* pTool = DYNAMIC_DOWNCAST(CUfxUserTool, tools.GetNext(pos));
    if (pTool == nullptr) continue;
    CUfxToolbarButton button(pTool->GetCommandId(), 0, pTool->m_strLabel, TRUE);
    AddButton(lpszCategory, button);
  }
}

void CUfxToolbarCustomize::AddMenuCommands(const CMenu* pMenu, BOOL bPopup, LPCWSTR lpszCategory,
                                           LPCWSTR lpszMenuPath) {
  if (pMenu == nullptr || pMenu->GetSafeHmenu() == nullptr) return;
  const HMENU hMenu = pMenu->GetSafeHmenu();
  const CString strPrefix = lpszMenuPath != nullptr ? lpszMenuPath : L"";
  BOOL bWindowsMenu = FALSE;
  const int nCount = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < nCount; i++) {
    wchar_t text[1025] = {};
    ::GetMenuStringW(hMenu, i, text, 1024, MF_BYPOSITION);
    const CString strText = StripAmpersands(text);
    const UINT uiState = ::GetMenuState(hMenu, i, MF_BYPOSITION);
    if (uiState & MF_SEPARATOR) continue;
    if (HMENU hSubMenu = ::GetSubMenu(hMenu, i)) {
      const CString strCategory = lpszCategory != nullptr ? CString(lpszCategory) : strText;
      if (m_bAutoSetFromMenus) {
        if (bPopup) {
          CUfxToolbarMenuButton popup((UINT)-1, hSubMenu, -1, strText);
          AddButton(strCategory, popup);
        }
        CMenu sub;
        sub.Attach(hSubMenu);
        AddMenuCommands(&sub, TRUE, strCategory, strPrefix + strText);
        sub.Detach();
      } else {
        CMenu sub;
        sub.Attach(hSubMenu);
        AddMenuCommands(&sub, TRUE, nullptr, nullptr);
        sub.Detach();
      }
      continue;
    }
    const UINT uiCmd = ::GetMenuItemID(hMenu, i);
    if (bPopup && uiCmd >= 0xE130 && uiCmd <= 0xE13F) bWindowsMenu = TRUE;
    if (UfxUserToolsManager != nullptr && uiCmd == UfxUserToolsManager->GetToolsEntryCmd() && lpszCategory != nullptr) {
      AddUserTools(lpszCategory);
      continue;
    }
    CUfxToolbarButton button(uiCmd, -1, strText);
    if (lpszMenuPath != nullptr) button.m_strTextCustom = FullNameOf(strPrefix, strText);
    AddButton(lpszCategory != nullptr ? lpszCategory : (LPCWSTR)m_strAllCommands, button);
  }
  (void)bWindowsMenu;
}

void CUfxToolbarCustomize::SetupFromMenus() {
  CWinApp* pApp = AfxGetApp();
  if (pApp != nullptr) {
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
      CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
      if (pTemplate == nullptr || pTemplate->m_hMenuShared == nullptr) continue;
      CMenu menu;
      menu.Attach(pTemplate->m_hMenuShared);
      AddMenuCommands(&menu, FALSE);
      menu.Detach();
    }
  }
  if (m_pParentFrame == nullptr || m_pParentFrame->GetSafeHwnd() == nullptr) return;
  HMENU hFrameMenu = ::GetMenu(m_pParentFrame->GetSafeHwnd());
  if (hFrameMenu == nullptr) {
    if (CUfxMenuBar* pMenuBar = FrameMenuBar(m_pParentFrame)) hFrameMenu = pMenuBar->GetDefaultMenu();
  }
  if (hFrameMenu == nullptr) return;
  CMenu menu;
  menu.Attach(hFrameMenu);
  AddMenuCommands(&menu, FALSE);
  menu.Detach();
}

namespace {
// A category worth listing: one of its buttons is a real command.
BOOL HasCommands(const CUfxButtonList* pList) {
  for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;) {
    const UINT uiCmd = pList->GetNext(pos)->m_nID;
    if (uiCmd != 0 && uiCmd != (UINT)-1) return TRUE;
  }
  return FALSE;
}


// Each category in order with its buttons as item data (unless empty and not asked for), then
// the all-commands category; for a combo box and a list box alike.
template <class Control>
void FillCategories(const CUfxToolbarCustomize& sheet, Control& wndCategory, BOOL bAddEmpty) {
  const CStringList& names = sheet.GetCategoryNames();
  for (POSITION pos = names.GetHeadPosition(); pos != nullptr;) {
    const CString& strCategory = names.GetNext(pos);
    const CUfxButtonList* pList = sheet.GetCategoryButtons(strCategory);
    if (pList == nullptr || (!bAddEmpty && !HasCommands(pList))) continue;
    wndCategory.SetItemDataPtr(wndCategory.AddString(strCategory), (void*)pList);
  }
  if (const CUfxButtonList* pAll = sheet.GetCategoryButtons(sheet.GetAllCommandsName()))
    wndCategory.SetItemDataPtr(wndCategory.AddString(sheet.GetAllCommandsName()), (void*)pAll);
}
}  // namespace

void CUfxToolbarCustomize::FillCategoriesComboBox(CComboBox& wndCategory, BOOL bAddEmpty) const {
  FillCategories(*this, wndCategory, bAddEmpty);
}

void CUfxToolbarCustomize::FillCategoriesListBox(CListBox& wndCategory, BOOL bAddEmpty) const {
  FillCategories(*this, wndCategory, bAddEmpty);
}

void CUfxToolbarCustomize::FillAllCommandsList(CListBox& wndListOfCommands) const {
  wndListOfCommands.ResetContent();
  const CUfxButtonList* pAll = GetCategoryButtons(m_strAllCommands);
  if (pAll == nullptr) return;
  for (POSITION pos = pAll->GetHeadPosition(); pos != nullptr;) {
    const CUfxToolbarButton* pButton = pAll->GetNext(pos);
    const int i = wndListOfCommands.AddString(pButton->m_strTextCustom.IsEmpty() ? pButton->m_strText
                                                                                : pButton->m_strTextCustom);
    wndListOfCommands.SetItemData(i, pButton->m_nID);
  }
}

std::vector<CString> CUfxToolbarCustomize::DisplayNames(const CUfxButtonList& buttons, BOOL bAllCommands) {
  std::map<CString, int> textCount;
  for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) textCount[buttons.GetNext(pos)->m_strText]++;
  std::vector<CString> names;
  for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
    const CUfxToolbarButton* pButton = buttons.GetNext(pos);
    const BOOL bFullName = !pButton->m_strTextCustom.IsEmpty() && (bAllCommands || textCount[pButton->m_strText] > 1);
    names.push_back(bFullName ? pButton->m_strTextCustom : pButton->m_strText);
  }
  return names;
}

LPCWSTR CUfxToolbarCustomize::GetCommandName(UINT uiCmd) const {
  const CUfxButtonList* pAll = GetCategoryButtons(m_strAllCommands);
  if (pAll == nullptr) return nullptr;
  for (POSITION pos = pAll->GetHeadPosition(); pos != nullptr;) {
    const CUfxToolbarButton* pButton = pAll->GetNext(pos);
    if (pButton->m_nID == uiCmd) return pButton->m_strText;
  }
  return nullptr;
}

// ---- customize mode ----------------------------------------------------------------------------------

void CUfxToolbarCustomize::SetFrameCustomizeMode(BOOL bCustomize) {
  CUfxToolBar::SetCustomizeSheet(bCustomize ? this : nullptr);
  if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr) {
    for (CWnd* pChild = m_pParentFrame->GetWindow(GW_CHILD); pChild != nullptr; pChild = pChild->GetNextWindow()) {
      CWnd* pPermanent = CWnd::FromHandlePermanent(pChild->GetSafeHwnd());
      const BOOL bDockBar = pPermanent != nullptr && pPermanent->IsKindOf(RUNTIME_CLASS(CDockBar));
      if (bDockBar) {
        // Sizing bars inside a dock bar keep their frame but not their contents.
        for (CWnd* pBar = pChild->GetWindow(GW_CHILD); pBar != nullptr; pBar = pBar->GetNextWindow()) {
          CUfxSizingControlBar* pSizing = DYNAMIC_DOWNCAST(CUfxSizingControlBar, CWnd::FromHandlePermanent(pBar->GetSafeHwnd()));
          if (pSizing == nullptr) continue;
          for (CWnd* pInner = pSizing->GetWindow(GW_CHILD); pInner != nullptr; pInner = pInner->GetNextWindow())
            pInner->EnableWindow(!bCustomize);
        }
        continue;
      }
      if (pPermanent != nullptr && (pPermanent->IsKindOf(RUNTIME_CLASS(CReBar)) || pPermanent->IsKindOf(RUNTIME_CLASS(CUfxToolBar))))
        continue;
      pChild->EnableWindow(!bCustomize);
    }
  }
  CUfxToolBar::SetCustomizeMode(bCustomize);
  if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr) {
    m_pParentFrame->SendMessage(UFXM_CUSTOMIZETOOLBAR, (WPARAM)bCustomize);
    if (!bCustomize) {
      CFrameWnd* pActive = m_pParentFrame->GetActiveFrame();
      if (pActive != nullptr && pActive->GetSafeHwnd() != nullptr) pActive->PostMessage(WM_SETFOCUS);
    }
  }
}

void CUfxToolbarCustomize::ShowToolBar(CUfxToolBar* pToolBar, BOOL bShow) {
  if (m_pToolbarsPage != nullptr && m_pToolbarsPage->GetSafeHwnd() != nullptr) m_pToolbarsPage->ShowToolBar(pToolBar, bShow);
}

// ---- the window --------------------------------------------------------------------------------------

int CUfxToolbarCustomize::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  const int nResult = (int)Default();
  if (nResult == -1) return -1;
  if (m_uiFlags & Customize_ContextHelp) ModifyStyleEx(0, WS_EX_CONTEXTHELP);
  CUfxToolBar::SetCustomizeSheet(this);
  return nResult;
}

BOOL CUfxToolbarCustomize::OnInitDialog() {
  const BOOL bResult = CPropertySheet::OnInitDialog();
  PlaceCloseAndHelpButtons();
  return bResult;
}

void CUfxToolbarCustomize::PlaceCloseAndHelpButtons() {
  CWnd* pClose = GetDlgItem(IDCANCEL);
  if (pClose == nullptr) return;
  CRect rectClient;
  GetClientRect(rectClient);
  CRect rectClose;
  pClose->GetWindowRect(rectClose);
  ScreenToClient(rectClose);
  // The Cancel button turns into the sheet's default Close button.
  if (CWnd* pOk = GetDlgItem(IDOK)) pOk->ModifyStyle(BS_DEFPUSHBUTTON, 0);
  pClose->ModifyStyle(0, BS_DEFPUSHBUTTON);
  CString strClose;
  strClose.LoadString(IDS_UFX_CLOSE);
  pClose->SetWindowText(strClose);
  pClose->ShowWindow(SW_SHOW);
  pClose->EnableWindow(TRUE);
  CRect rectWindow;
  GetWindowRect(rectWindow);
  SetWindowPos(nullptr, 0, 0, rectWindow.Width(), rectWindow.Height() + rectClose.Height() + 16,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  pClose->SetWindowPos(nullptr, rectClient.Width() - rectClose.Width() - 8, rectClose.top + 4, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  CWnd* pHelp = GetDlgItem(IDHELP);
  if (pHelp == nullptr) return;
  if (m_uiFlags & Customize_NoHelp) {
    pHelp->ShowWindow(SW_HIDE);
    pHelp->EnableWindow(FALSE);
    return;
  }
  pHelp->ShowWindow(SW_SHOW);
  pHelp->EnableWindow(TRUE);
  CSize sizeBitmap(16, 16);
  HBITMAP hBitmap = (HBITMAP)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDB_UFX_HELP_BUTTON), IMAGE_BITMAP,
                                          0, 0, LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS);
  if (hBitmap != nullptr) {
    m_bmpHelp.DeleteObject();
    m_bmpHelp.Attach(hBitmap);
    BITMAP info = {};
    m_bmpHelp.GetBitmap(&info);
    sizeBitmap = CSize(info.bmWidth, info.bmHeight);
    pHelp->ModifyStyle(0, BS_BITMAP);
    pHelp->SendMessage(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap);
  }
  pHelp->SetWindowPos(nullptr, rectClient.left + 8, rectClose.top, sizeBitmap.cx + 8, sizeBitmap.cy + 8,
                      SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CUfxToolbarCustomize::OnCommand(WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
    case IDCANCEL:
      if (UfxUserToolsManager != nullptr && !CheckToolsValidity(UfxUserToolsManager->GetUserTools())) {
        if (m_pToolsPage != nullptr) SetActivePage(m_pToolsPage);
        return TRUE;
      }
      DestroyWindow();
      return TRUE;
    case IDHELP:
      ShowHelp();
      return TRUE;
  }
  return CPropertySheet::OnCommand(wParam, lParam);
}

void CUfxToolbarCustomize::ShowHelp() {
  if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr)
    m_pParentFrame->SendMessage(UFXM_CUSTOMIZEHELP, (WPARAM)GetActiveIndex(), (LPARAM)this);
}

BOOL CUfxToolbarCustomize::OnHelpInfo(HELPINFO* pHelpInfo) {
  if ((m_uiFlags & Customize_ContextHelp) && pHelpInfo != nullptr && pHelpInfo->iContextType == HELPINFO_WINDOW) {
    if (CWinApp* pApp = AfxGetApp()) pApp->WinHelp((DWORD_PTR)pHelpInfo->iCtrlId + kHelpIdOffset, HELP_CONTEXTPOPUP);
    return TRUE;
  }
  ShowHelp();
  return TRUE;
}

void CUfxToolbarCustomize::OnContextMenu(CWnd* pWnd, CPoint) {
  if (!(m_uiFlags & Customize_ContextHelp) || UfxGetWorkspace() == nullptr || pWnd == nullptr) return;
  if (CWinApp* pApp = AfxGetApp()) pApp->WinHelp((DWORD_PTR)HelpIds(), HELP_CONTEXTMENU);
}

const DWORD* CUfxToolbarCustomize::HelpIds() {
  static DWORD ids[2 * kHelpPairs + 2] = {};
  if (ids[0] == 0) {
    for (int i = 0; i < kHelpPairs; i++) {
      ids[2 * i] = kHelpControls[i];
      ids[2 * i + 1] = kHelpControls[i] + kHelpIdOffset;
    }
  }
  return ids;
}

void CUfxToolbarCustomize::PostNcDestroy() {
  CUfxToolBar::SetCustomizeSheet(nullptr);
  SetFrameCustomizeMode(FALSE);
  CPropertySheet::PostNcDestroy();
  delete this;
}

BOOL CUfxToolbarCustomize::OnEditToolbarMenuImage(CWnd* pWndParent, CBitmap& bitmap, int nBitsPerPixel) {
  CUfxPixelEditorDlg dlg(&bitmap, pWndParent, nBitsPerPixel);
  return dlg.DoModal() == IDOK;
}
