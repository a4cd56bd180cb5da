// CUfxInPlaceFrame<TBase>: what the framework's in-place frames add to the platform's in-place
// frame bases: the frame helper with its toolbars, popup menus and key routing, and the
// top-level frame override, which an active in-place frame holds instead of the container's
// window. CUfxOleIPFrameWnd and CUfxOleDocIPFrameWnd are its two instances.
#pragma once
#include "Framework.h"
#include "FwOleIPFrame.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxToolBar.h"
#include "frames/UfxFrameHelper.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxPopupMenuHost.h"

class CControlBar;
class CUfxToolbarButton;

template <class TBase>
class CUfxInPlaceFrame : public TBase, public CUfxPopupMenuHost {
public:
  CUfxInPlaceFrame() : m_Impl(this) {}

  // Hooks for the command bars, with the framework frame's answers.
  virtual BOOL OnShowPopupMenu(CUfxPopupMenu*) { return TRUE; }
  void OnClosePopupMenu(CUfxPopupMenu* pMenuPopup) override {
    if (CUfxPopupMenu::GetActiveMenu() == pMenuPopup) CUfxPopupMenu::SetActiveMenu(nullptr);
  }
  virtual BOOL OnMenuButtonToolHit(CUfxToolbarButton*, TOOLINFOW*) { return FALSE; }
  virtual BOOL OnQueryButtonTooltip(CUfxToolbarButton*, CString&) { return FALSE; }
  virtual BOOL OnDrawMenuImage(CDC*, CUfxToolbarButton*, const CRect&) { return FALSE; }
  virtual void OnDrawMenuLogo(CDC*, CUfxPopupMenu*, const CRect&) {}
  virtual BOOL OnTearOffMenu(CUfxPopupMenu*, CControlBar*) { return TRUE; }

  // The frame's resource id goes to the helper; in-place frames load no workspace state.
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override {
    m_Impl.OnLoadFrame(nIDResource, FALSE);
    return TBase::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
  }
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (m_Impl.FilterInPlaceFrameMessage(pMsg)) return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (CUfxToolBar::IsCustomizeMode()) return FALSE;
    if (m_Impl.TakeFrameCommand(wParam)) return TRUE;
    return TBase::OnCommand(wParam, lParam);
  }
  void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override {
    if (dwData != 0 || !m_bContextHelp) TBase::WinHelp(dwData, nCmd);
    else OnContextHelp();
  }
  void OnContextHelp() override {
    m_bContextHelp = TRUE;
    if (this->m_bHelpMode != CFrameWnd::HELP_ACTIVE && this->CanEnterHelpMode()) CUfxToolBar::SetHelpModeHook(TRUE);
    TBase::OnContextHelp();
    if (this->m_bHelpMode != CFrameWnd::HELP_ACTIVE) CUfxToolBar::SetHelpModeHook(FALSE);
    m_bContextHelp = FALSE;
  }
  // A popup menu opens (null: the open chain closed). FALSE refuses it and it closes.
  BOOL ShowPopupMenu(CUfxPopupMenu* pMenuPopup) override {
    if (!m_Impl.OnShowPopupMenu(pMenuPopup)) return FALSE;
    if (pMenuPopup != nullptr && pMenuPopup->IsShown()) return TRUE;
    return OnShowPopupMenu(pMenuPopup);
  }
  CUfxFrameHelper* GetFrameImpl() { return &m_Impl; }
  // The override this frame replaced while it is active (null: none).
  HWND GetLastTopLevelFrame() const { return m_hwndLastTopLevelFrame; }

  void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    TBase::OnActivate(nState, pWndOther, bMinimized);
    m_Impl.OnInPlaceActivate(nState, m_hwndLastTopLevelFrame, AlwaysDropsMenuOnDeactivate());
  }
  void OnDestroy() {
    m_Impl.OnInPlaceDestroy(m_hwndLastTopLevelFrame);
    TBase::OnDestroy();
  }
  void OnClose() {
    m_Impl.OnCloseFrame();
    CFrameWnd::OnClose();
  }
  LRESULT OnMenuChar(UINT nChar, UINT, CMenu*) {
    if (m_Impl.TakeMenuChar(nChar)) return (LRESULT)(DWORD)0xFFFF0002;
    return this->Default();
  }
  LRESULT OnToolbarCreateNew(WPARAM, LPARAM lParam) { return (LRESULT)m_Impl.CreateNewToolbar((LPCWSTR)lParam); }
  LRESULT OnToolbarDelete(WPARAM, LPARAM lParam) { return m_Impl.DeleteToolbar((CUfxToolBar*)lParam); }

protected:
  // The document in-place frame drops the menu bar's popup state on every deactivation, the
  // plain one only outside customization mode.
  virtual BOOL AlwaysDropsMenuOnDeactivate() const { return FALSE; }

  // Fields, in this order.
  CUfxFrameHelper m_Impl;
  BOOL m_bContextHelp = FALSE;
  HWND m_hwndLastTopLevelFrame = nullptr;

  static const AFX_MSGMAP* GetThisMessageMap();
  const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }
};

template <class TBase>
const AFX_MSGMAP* CUfxInPlaceFrame<TBase>::GetThisMessageMap() {
  typedef CUfxInPlaceFrame<TBase> ThisClass;
  typedef TBase TheBaseClass;
  static const AFX_MSGMAP_ENTRY _messageEntries[] = {
    ON_WM_ACTIVATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_MENUCHAR()
    ON_REGISTERED_MESSAGE(UFXM_CREATETOOLBAR, OnToolbarCreateNew)
    ON_REGISTERED_MESSAGE(UFXM_DELETETOOLBAR, OnToolbarDelete)
    {0, 0, 0, 0, nullptr, nullptr}};
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};
  return &messageMap;
}
