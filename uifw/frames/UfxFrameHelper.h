// CUfxFrameHelper: what every framework frame does, embedded in the frame: the saved window
// placement, the user-defined toolbars and their id range, the frame's menu-bar link, and the
// routing of keys to the popup menus and toolbars.
#pragma once
#include "Framework.h"

class CUfxMenuBar;
class CUfxPopupMenu;
class CUfxToolBar;

class CUfxFrameHelper {
public:
  explicit CUfxFrameHelper(CFrameWnd* pFrame);
  virtual ~CUfxFrameHelper();

  CFrameWnd* GetOwnerFrame() const { return m_pFrame; }
  UINT GetFrameResourceId() const { return m_uiFrameResId; }

  // Called around the frame's own steps. In-place frames load no workspace state.
  void OnLoadFrame(UINT uiFrameResId, BOOL bLoadState = TRUE);
  // Before the window exists: the stored placement, clamped to the work area it lands on.
  void RestorePosition(CREATESTRUCT& cs);
  // WM_CLOSE: the whole state and the placement are saved.
  void OnCloseFrame();

  // The user-toolbar id range and the section its toolbars are stored under.
  void InitUserToolbars(LPCWSTR lpszRegEntry, UINT uiUserToolbarFirst, UINT uiUserToolbarLast);
  BOOL IsUserDefinedToolbarId(UINT uiId) const;
  BOOL IsUserDefinedToolbar(const CControlBar* pBar) const;
  // The user toolbar at that place of the list, or null.
  CUfxToolBar* GetUserBarByIndex(int iIndex) const;
  // The lowest id of the range no user toolbar has; 0 when the range is unset or full.
  UINT GetFreeUserToolbarId() const;
  // Items of the range [uiCmdFirst, uiCmdLast] take the names of the user toolbars at their
  // places; items without a toolbar go. Answers the menu's item count.
  int SetupToolbarMenu(CMenu& menu, UINT uiCmdFirst, UINT uiCmdLast);
  UINT GetFirstUserToolbarId() const { return m_uiUserToolbarFirst; }
  UINT GetLastUserToolbarId() const { return m_uiUserToolbarLast; }
  const CString& GetUserToolbarsEntry() const { return m_strControlBarRegEntry; }

  // Docking: the frame's dock bars become framework dock bars.
  void EnableDocking(DWORD dwDockStyle);
  // Docks pBar in the row of pLeftOf, just after it.
  void DockControlBarLeftOf(CControlBar* pBar, CControlBar* pLeftOf);
  // Every entry floats or names a bar the frame has.
  BOOL IsDockStateValid(const CDockState& state) const;
  // Takes out the entries that name bars the frame does not have: a bar deleted since the state
  // was saved is simply left out.
  void DropMissingBars(CDockState& state) const;
  void SetDockState(const CDockState& state);

  // Key routing: TRUE consumes the key. bProcessAccel comes back FALSE when the key must not be
  // translated as an accelerator.
  BOOL ProcessKeyboard(int nKey, BOOL* pbProcessAccel = nullptr);
  // A mnemonic for the menu bar or, failing it, another visible toolbar of the frame.
  BOOL OnMenuChar(UINT nChar);
  // WM_MENUCHAR of a frame: the character as a mnemonic of its bars (TRUE when one took it).
  BOOL TakeMenuChar(UINT nChar);
  // WM_COMMAND of a frame, before the frame's own handling: an accelerator command that closes
  // a popup menu (Escape) or runs a user tool is taken (TRUE).
  BOOL TakeFrameCommand(WPARAM wParam);
  // Mouse routing while a popup menu is open (or in customization mode): TRUE consumes the click.
  BOOL ProcessMouseClick(UINT uiMsg, POINT ptScreen, HWND hwnd);
  // The frames' message filter (their PreTranslateMessage): keys for the popup menus, toolbars
  // and menu bar, Alt for the menu bar, non-client clicks, and the mouse while a popup is open.
  enum FilterResult { FilterPassOn = 0, FilterConsumed = 1, FilterNoTranslate = 2 };
  FilterResult FilterFrameMessage(MSG* pMsg);
  // The in-place frames' filter: non-client clicks, keys other than a plain F1, the mouse while
  // a popup is open; TRUE consumes the message.
  BOOL FilterInPlaceFrameMessage(MSG* pMsg);
  // The in-place frames' activation and destruction: an active in-place frame is the top-level
  // frame override (UfxFrameOverride); hwndPrevTop keeps the override it replaced, which comes
  // back when it deactivates or goes. bAlwaysDropMenu: the menu bar drops its popup state on
  // deactivation also in customization mode.
  void OnInPlaceActivate(UINT nState, HWND& hwndPrevTop, BOOL bAlwaysDropMenu);
  void OnInPlaceDestroy(HWND& hwndPrevTop);
  // A popup menu opens: it becomes the framework's active one. Always TRUE.
  BOOL OnShowPopupMenu(CUfxPopupMenu* pMenuPopup);

  // The frame's menu bar: it takes the frame's menu as its default one and the window menu goes.
  void SetMenuBar(CUfxMenuBar* pMenuBar);
  CUfxMenuBar* GetMenuBar() const { return m_pMenuBar; }
  HMENU GetDefaultMenu() const { return m_hDefaultMenu; }

  // Toolbars torn off popup menus; the helper owns them.
  void AddTearOffBar(CControlBar* pBar);
  void RemoveTearOffBar(CControlBar* pBar);
  int GetTearOffBarCount() const { return (int)m_listTearOffToolbars.GetCount(); }
  // A new user toolbar with the name, floating; null (after telling the user) when the range is full.
  CUfxToolBar* CreateNewToolbar(LPCWSTR lpszName);
  // Removes a user toolbar with its stored state; FALSE when it is not one of this frame's.
  BOOL DeleteToolbar(CUfxToolBar* pBar);
  // User toolbars come back only where state was stored for their ids.
  void LoadUserToolbars();
  void SaveUserToolbars(BOOL bFrameBarsOnly = FALSE);
  // Torn-off bars, in the sections "ControlBars-TearOff-<n>" below the workspace's path.
  void LoadTearOffMenus();
  void SaveTearOffMenus(BOOL bFrameBarsOnly = FALSE);

protected:
  CFrameWnd* m_pFrame;
  // The message filter by concern: keys, Alt release, mouse. A right click on a dock bar asks
  // the frame for the toolbar menu (UFXTOOLBAR_POPUPMENU).
  BOOL OnKeyMessage(MSG* pMsg);
  BOOL OnAltReleased(MSG* pMsg);
  BOOL OnMouseMessage(MSG* pMsg);
  MSG m_msgLastMouse = {};
  // Only the frame's own bars when bFrameBarsOnly.
  BOOL IsOwnBar(CControlBar* pBar, BOOL bFrameBarsOnly) const;
  // Answers for ProcessMouseClick by where the click lies on the open popup.
  BOOL ProcessCustomizeOrAltClick(UINT uiMsg, POINT ptScreen, HWND hwnd);
  BOOL ProcessClickOnParentButton(CUfxPopupMenu* pActivePopup, POINT ptScreen);
  void CloseActivePopup(CUfxPopupMenu* pActivePopup);
  // A bar made for the frame as user and torn-off toolbars are: docked, tooltips, any side.
  BOOL CreateUserBar(CUfxToolBar* pBar, UINT uiId, LPCWSTR lpszName);
  CString GetTearOffSection(int iIndex) const;
  BOOL IsBarIdUsed(UINT uiId) const;
  void DeleteTearOffBars();

  CPtrList m_listUserDefinedToolbars;  // CUfxToolBar*, owned
  CPtrList m_listTearOffToolbars;      // CControlBar*, owned
  CUfxMenuBar* m_pMenuBar = nullptr;
  HMENU m_hDefaultMenu = nullptr;
  UINT m_uiUserToolbarFirst = (UINT)-1;
  UINT m_uiUserToolbarLast = (UINT)-1;
  CString m_strControlBarRegEntry;
  UINT m_uiFrameResId = 0;
};
