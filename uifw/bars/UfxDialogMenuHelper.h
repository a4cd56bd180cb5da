// CUfxDialogMenuHelper: lets a property sheet or page that opens a framework popup menu close it
// when the user clicks elsewhere, forward keys to it, keep its caption drawn active while the
// menu has the activation, and route accelerator commands.
#pragma once
#include "Framework.h"

class CUfxPopupMenu;

class CUfxDialogMenuHelper {
public:
  CUfxDialogMenuHelper() = default;
  explicit CUfxDialogMenuHelper(CWnd* pOwner) : m_pOwner(pOwner) {}
  virtual ~CUfxDialogMenuHelper();

  void SetOwner(CWnd* pOwner) { m_pOwner = pOwner; }
  CWnd* GetOwner() const { return m_pOwner; }

  // With a popup: records it, installs the thread mouse hook once and records this helper; with
  // null: removes the hook and forgets the helper.
  void SetActiveMenu(CUfxPopupMenu* pMenu);
  // The owner's message filter: TRUE when the message was consumed.
  BOOL ProcessMessage(MSG* pMsg);
  BOOL ProcessMouseClick(POINT pt);
  BOOL ProcessMouseMove(POINT pt);
  BOOL OnCommand(WPARAM wParam);
  void OnNcActivate(BOOL& bActive);
  void OnActivate(UINT nState, CWnd* pWndOther);

  static CUfxPopupMenu* GetActivePopup() { return s_pActivePopup; }
  static CUfxDialogMenuHelper* GetActiveHelper() { return s_pActiveHelper; }
  static BOOL IsHookInstalled() { return s_hookMouse != nullptr; }
  // The thread mouse hook (also installed by CUfxDialog).
  static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
  // The owner's "keep the caption active" state flag.
  static const DWORD kCaptionActiveFlag = 0x20;

protected:
  BOOL IsPopupLive() const;
  void ClosePopup(CUfxPopupMenu* pMenu);
  BOOL TestParentPopup(CUfxPopupMenu* pPopup, POINT pt, BOOL& bConsumed);

  CWnd* m_pOwner = nullptr;
  DWORD m_dwOwnerState = 0;

  static CUfxPopupMenu* s_pActivePopup;
  static CUfxDialogMenuHelper* s_pActiveHelper;
  static HHOOK s_hookMouse;
};
