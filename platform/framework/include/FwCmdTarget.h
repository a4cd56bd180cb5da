// CCmdTarget, message maps and command-user-interface updates.
#pragma once
#include "FwObject.h"

class CCmdTarget;
class CCmdUI;
struct AFX_EVENTSINKMAP;  // events of hosted controls (FwOleControl.h)
class CMenu;
class CWnd;

// What a message-map handler receives.
struct AFX_DISPATCH {
  UINT message;       // window message (WM_COMMAND / WM_NOTIFY and their reflected forms for commands)
  WPARAM wParam;
  LPARAM lParam;
  UINT nID;           // command or control id
  int nCode;          // notification code
  void* pExtra;       // CCmdUI* for updates, AFX_NOTIFY* for notifications
  LRESULT* pResult;
};

typedef BOOL (*AFX_PTHUNK)(CCmdTarget* pTarget, AFX_DISPATCH& d);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;
  UINT nCode;        // control code or WM_NOTIFY code (as a WORD), or CN_UPDATE_COMMAND_UI
  UINT nID;
  UINT nLastID;
  const UINT* pRegMsg;  // registered message: the variable that holds its number
  AFX_PTHUNK pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};

struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  const AFX_MSGMAP_ENTRY* pEntry;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() { \
    typedef theClass ThisClass [[maybe_unused]]; \
    typedef baseClass TheBaseClass; \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
      {0, 0, 0, 0, nullptr, nullptr}}; \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap; \
  }

// Entry builders: the handler body sees _p (this object), _d (the dispatch record).
#define FW_ENTRY(msg, code, id, lastId, reg, ...) \
  {(UINT)(msg), (UINT)(code), (UINT)(id), (UINT)(lastId), reg, \
   [](CCmdTarget* _t, AFX_DISPATCH& _d) -> BOOL { \
     ThisClass* _p = static_cast<ThisClass*>(_t); (void)_p; (void)_d; __VA_ARGS__; return TRUE; }},
#define FW_ENTRY_EX(msg, code, id, lastId, ...) \
  {(UINT)(msg), (UINT)(code), (UINT)(id), (UINT)(lastId), nullptr, \
   [](CCmdTarget* _t, AFX_DISPATCH& _d) -> BOOL { \
     ThisClass* _p = static_cast<ThisClass*>(_t); (void)_p; (void)_d; return (__VA_ARGS__); }},
#define FW_MSG(msg, ...) FW_ENTRY(msg, 0, 0, 0, nullptr, __VA_ARGS__)
#define FW_RESULT(expr) (*_d.pResult = (LRESULT)(expr))
#define FW_PT() CPoint((short)LOWORD(_d.lParam), (short)HIWORD(_d.lParam))

// Commands and their user-interface updates.
#define ON_COMMAND(id, fn) FW_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, _p->fn())
#define ON_COMMAND_EX(id, fn) FW_ENTRY_EX(WM_COMMAND, CN_COMMAND, id, id, _p->fn(_d.nID))
#define ON_COMMAND_RANGE(id, idLast, fn) FW_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, nullptr, _p->fn(_d.nID))
#define ON_COMMAND_EX_RANGE(id, idLast, fn) FW_ENTRY_EX(WM_COMMAND, CN_COMMAND, id, idLast, _p->fn(_d.nID))
#define ON_UPDATE_COMMAND_UI(id, fn) \
  FW_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, nullptr, _p->fn((CCmdUI*)_d.pExtra))
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, fn) \
  FW_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast, nullptr, _p->fn((CCmdUI*)_d.pExtra))

// Control notifications (WM_COMMAND from child controls) and WM_NOTIFY.
#define ON_CONTROL(code, id, fn) FW_ENTRY(WM_COMMAND, (WORD)(code), id, id, nullptr, _p->fn())
#define ON_CONTROL_RANGE(code, id, idLast, fn) FW_ENTRY(WM_COMMAND, (WORD)(code), id, idLast, nullptr, _p->fn(_d.nID))
#define ON_NOTIFY(code, id, fn) \
  FW_ENTRY(WM_NOTIFY, (WORD)(int)(code), id, id, nullptr, \
           _p->fn(((AFX_NOTIFY*)_d.pExtra)->pNMHDR, ((AFX_NOTIFY*)_d.pExtra)->pResult))
#define ON_NOTIFY_RANGE(code, id, idLast, fn) \
  FW_ENTRY(WM_NOTIFY, (WORD)(int)(code), id, idLast, nullptr, \
           _p->fn(_d.nID, ((AFX_NOTIFY*)_d.pExtra)->pNMHDR, ((AFX_NOTIFY*)_d.pExtra)->pResult))
#define ON_NOTIFY_EX(code, id, fn) \
  FW_ENTRY_EX(WM_NOTIFY, (WORD)(int)(code), id, id, \
              _p->fn(_d.nID, ((AFX_NOTIFY*)_d.pExtra)->pNMHDR, ((AFX_NOTIFY*)_d.pExtra)->pResult))
#define ON_NOTIFY_EX_RANGE(code, id, idLast, fn) \
  FW_ENTRY_EX(WM_NOTIFY, (WORD)(int)(code), id, idLast, \
              _p->fn(_d.nID, ((AFX_NOTIFY*)_d.pExtra)->pNMHDR, ((AFX_NOTIFY*)_d.pExtra)->pResult))

// Notifications reflected back to the control that sent them.
#define ON_CONTROL_REFLECT(code, fn) FW_ENTRY(WM_REFLECT_BASE + WM_COMMAND, (WORD)(code), 0, 0, nullptr, _p->fn())
#define ON_CONTROL_REFLECT_EX(code, fn) FW_ENTRY_EX(WM_REFLECT_BASE + WM_COMMAND, (WORD)(code), 0, 0, _p->fn())
#define ON_NOTIFY_REFLECT(code, fn) \
  FW_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, (WORD)(int)(code), 0, 0, nullptr, \
           _p->fn(((AFX_NOTIFY*)_d.pExtra)->pNMHDR, ((AFX_NOTIFY*)_d.pExtra)->pResult))
#define ON_NOTIFY_REFLECT_EX(code, fn) \
  FW_ENTRY_EX(WM_REFLECT_BASE + WM_NOTIFY, (WORD)(int)(code), 0, 0, \
              _p->fn(((AFX_NOTIFY*)_d.pExtra)->pNMHDR, ((AFX_NOTIFY*)_d.pExtra)->pResult))
#define ON_WM_CTLCOLOR_REFLECT() \
  FW_MSG(WM_REFLECT_BASE + WM_CTLCOLOR, FW_RESULT(_p->CtlColor(CDC::FromHandle((HDC)_d.wParam), \
         _d.message - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX)))
#define ON_WM_DRAWITEM_REFLECT() FW_MSG(WM_REFLECT_BASE + WM_DRAWITEM, _p->DrawItem((LPDRAWITEMSTRUCT)_d.lParam); FW_RESULT(TRUE))
#define ON_WM_MEASUREITEM_REFLECT() FW_MSG(WM_REFLECT_BASE + WM_MEASUREITEM, _p->MeasureItem((LPMEASUREITEMSTRUCT)_d.lParam); FW_RESULT(TRUE))
#define ON_WM_HSCROLL_REFLECT() FW_MSG(WM_REFLECT_BASE + WM_HSCROLL, _p->HScroll(LOWORD(_d.wParam), HIWORD(_d.wParam)))
#define ON_WM_VSCROLL_REFLECT() FW_MSG(WM_REFLECT_BASE + WM_VSCROLL, _p->VScroll(LOWORD(_d.wParam), HIWORD(_d.wParam)))
#define ON_WM_COMPAREITEM_REFLECT() FW_MSG(WM_REFLECT_BASE + WM_COMPAREITEM, FW_RESULT(_p->CompareItem((LPCOMPAREITEMSTRUCT)_d.lParam)))
#define ON_WM_DELETEITEM_REFLECT() FW_MSG(WM_REFLECT_BASE + WM_DELETEITEM, _p->DeleteItem((LPDELETEITEMSTRUCT)_d.lParam); FW_RESULT(TRUE))
#define ON_WM_CHARTOITEM_REFLECT() FW_MSG(WM_REFLECT_BASE + WM_CHARTOITEM, FW_RESULT(_p->CharToItem(LOWORD(_d.wParam), HIWORD(_d.wParam))))
#define ON_WM_VKEYTOITEM_REFLECT() FW_MSG(WM_REFLECT_BASE + WM_VKEYTOITEM, FW_RESULT(_p->VKeyToItem(LOWORD(_d.wParam), HIWORD(_d.wParam))))
#define ON_WM_PARENTNOTIFY_REFLECT() FW_MSG(WM_REFLECT_BASE + WM_PARENTNOTIFY, _p->ParentNotify(LOWORD(_d.wParam), _d.lParam))

// Arbitrary and registered messages.
#define ON_MESSAGE(msg, fn) FW_MSG(msg, FW_RESULT(_p->fn(_d.wParam, _d.lParam)))
#define ON_REGISTERED_MESSAGE(var, fn) FW_ENTRY(0xC000, 0, 0, 0, &(var), FW_RESULT(_p->fn(_d.wParam, _d.lParam)))
#define ON_THREAD_MESSAGE(msg, fn) FW_MSG(msg, _p->fn(_d.wParam, _d.lParam))
#define ON_REGISTERED_THREAD_MESSAGE(var, fn) FW_ENTRY(0xC000, 0, 0, 0, &(var), _p->fn(_d.wParam, _d.lParam))

// Button, edit, list-box, combo-box and static notifications.
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_BN_SETFOCUS(id, fn) ON_CONTROL(BN_SETFOCUS, id, fn)
#define ON_BN_KILLFOCUS(id, fn) ON_CONTROL(BN_KILLFOCUS, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_UPDATE(id, fn) ON_CONTROL(EN_UPDATE, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_MAXTEXT(id, fn) ON_CONTROL(EN_MAXTEXT, id, fn)
#define ON_EN_HSCROLL(id, fn) ON_CONTROL(EN_HSCROLL, id, fn)
#define ON_EN_VSCROLL(id, fn) ON_CONTROL(EN_VSCROLL, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_LBN_SETFOCUS(id, fn) ON_CONTROL(LBN_SETFOCUS, id, fn)
#define ON_LBN_KILLFOCUS(id, fn) ON_CONTROL(LBN_KILLFOCUS, id, fn)
#define ON_LBN_SELCANCEL(id, fn) ON_CONTROL(LBN_SELCANCEL, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_DBLCLK(id, fn) ON_CONTROL(CBN_DBLCLK, id, fn)
#define ON_CBN_SETFOCUS(id, fn) ON_CONTROL(CBN_SETFOCUS, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_EDITUPDATE(id, fn) ON_CONTROL(CBN_EDITUPDATE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
#define ON_CBN_SELENDCANCEL(id, fn) ON_CONTROL(CBN_SELENDCANCEL, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)
#define ON_STN_DBLCLK(id, fn) ON_CONTROL(STN_DBLCLK, id, fn)

// Window messages with their usual handlers (see CWnd for the signatures).
#define ON_WM_CREATE() FW_MSG(WM_CREATE, FW_RESULT(_p->OnCreate((LPCREATESTRUCT)_d.lParam)))
#define ON_WM_NCCREATE() FW_MSG(WM_NCCREATE, FW_RESULT(_p->OnNcCreate((LPCREATESTRUCT)_d.lParam)))
#define ON_WM_DESTROY() FW_MSG(WM_DESTROY, _p->OnDestroy())
#define ON_WM_NCDESTROY() FW_MSG(WM_NCDESTROY, _p->OnNcDestroy())
#define ON_WM_CLOSE() FW_MSG(WM_CLOSE, _p->OnClose())
#define ON_WM_SIZE() FW_MSG(WM_SIZE, _p->OnSize((UINT)_d.wParam, LOWORD(_d.lParam), HIWORD(_d.lParam)))
#define ON_WM_MOVE() FW_MSG(WM_MOVE, _p->OnMove((short)LOWORD(_d.lParam), (short)HIWORD(_d.lParam)))
#define ON_WM_SIZING() FW_MSG(WM_SIZING, _p->OnSizing((UINT)_d.wParam, (LPRECT)_d.lParam); FW_RESULT(TRUE))
#define ON_WM_MOVING() FW_MSG(WM_MOVING, _p->OnMoving((UINT)_d.wParam, (LPRECT)_d.lParam); FW_RESULT(TRUE))
#define ON_WM_PAINT() FW_MSG(WM_PAINT, _p->OnPaint())
#define ON_WM_NCPAINT() FW_MSG(WM_NCPAINT, _p->OnNcPaint())
#define ON_WM_ERASEBKGND() FW_MSG(WM_ERASEBKGND, FW_RESULT(_p->OnEraseBkgnd(CDC::FromHandle((HDC)_d.wParam))))
#define ON_WM_TIMER() FW_MSG(WM_TIMER, _p->OnTimer((UINT_PTR)_d.wParam))
#define ON_WM_SETFOCUS() FW_MSG(WM_SETFOCUS, _p->OnSetFocus(CWnd::FromHandle((HWND)_d.wParam)))
#define ON_WM_KILLFOCUS() FW_MSG(WM_KILLFOCUS, _p->OnKillFocus(CWnd::FromHandle((HWND)_d.wParam)))
#define ON_WM_ACTIVATE() FW_MSG(WM_ACTIVATE, _p->OnActivate(LOWORD(_d.wParam), CWnd::FromHandle((HWND)_d.lParam), HIWORD(_d.wParam)))
#define ON_WM_ACTIVATEAPP() FW_MSG(WM_ACTIVATEAPP, _p->OnActivateApp((BOOL)_d.wParam, (DWORD)_d.lParam))
#define ON_WM_NCACTIVATE() FW_MSG(WM_NCACTIVATE, FW_RESULT(_p->OnNcActivate((BOOL)_d.wParam)))
#define ON_WM_MOUSEACTIVATE() \
  FW_MSG(WM_MOUSEACTIVATE, FW_RESULT(_p->OnMouseActivate(CWnd::FromHandle((HWND)_d.wParam), LOWORD(_d.lParam), HIWORD(_d.lParam))))
#define ON_WM_SHOWWINDOW() FW_MSG(WM_SHOWWINDOW, _p->OnShowWindow((BOOL)_d.wParam, (UINT)_d.lParam))
#define ON_WM_WINDOWPOSCHANGING() FW_MSG(WM_WINDOWPOSCHANGING, _p->OnWindowPosChanging((WINDOWPOS*)_d.lParam))
#define ON_WM_WINDOWPOSCHANGED() FW_MSG(WM_WINDOWPOSCHANGED, _p->OnWindowPosChanged((WINDOWPOS*)_d.lParam))
#define ON_WM_GETMINMAXINFO() FW_MSG(WM_GETMINMAXINFO, _p->OnGetMinMaxInfo((MINMAXINFO*)_d.lParam))
#define ON_WM_LBUTTONDOWN() FW_MSG(WM_LBUTTONDOWN, _p->OnLButtonDown((UINT)_d.wParam, FW_PT()))
#define ON_WM_LBUTTONUP() FW_MSG(WM_LBUTTONUP, _p->OnLButtonUp((UINT)_d.wParam, FW_PT()))
#define ON_WM_LBUTTONDBLCLK() FW_MSG(WM_LBUTTONDBLCLK, _p->OnLButtonDblClk((UINT)_d.wParam, FW_PT()))
#define ON_WM_RBUTTONDOWN() FW_MSG(WM_RBUTTONDOWN, _p->OnRButtonDown((UINT)_d.wParam, FW_PT()))
#define ON_WM_RBUTTONUP() FW_MSG(WM_RBUTTONUP, _p->OnRButtonUp((UINT)_d.wParam, FW_PT()))
#define ON_WM_RBUTTONDBLCLK() FW_MSG(WM_RBUTTONDBLCLK, _p->OnRButtonDblClk((UINT)_d.wParam, FW_PT()))
#define ON_WM_MBUTTONDOWN() FW_MSG(WM_MBUTTONDOWN, _p->OnMButtonDown((UINT)_d.wParam, FW_PT()))
#define ON_WM_MBUTTONUP() FW_MSG(WM_MBUTTONUP, _p->OnMButtonUp((UINT)_d.wParam, FW_PT()))
#define ON_WM_MBUTTONDBLCLK() FW_MSG(WM_MBUTTONDBLCLK, _p->OnMButtonDblClk((UINT)_d.wParam, FW_PT()))
#define ON_WM_MOUSEMOVE() FW_MSG(WM_MOUSEMOVE, _p->OnMouseMove((UINT)_d.wParam, FW_PT()))
#define ON_WM_MOUSEWHEEL() \
  FW_MSG(WM_MOUSEWHEEL, FW_RESULT(_p->OnMouseWheel(LOWORD(_d.wParam), (short)HIWORD(_d.wParam), FW_PT())))
#define ON_WM_NCLBUTTONDOWN() FW_MSG(WM_NCLBUTTONDOWN, _p->OnNcLButtonDown((UINT)_d.wParam, FW_PT()))
#define ON_WM_NCLBUTTONUP() FW_MSG(WM_NCLBUTTONUP, _p->OnNcLButtonUp((UINT)_d.wParam, FW_PT()))
#define ON_WM_NCLBUTTONDBLCLK() FW_MSG(WM_NCLBUTTONDBLCLK, _p->OnNcLButtonDblClk((UINT)_d.wParam, FW_PT()))
#define ON_WM_NCRBUTTONDOWN() FW_MSG(WM_NCRBUTTONDOWN, _p->OnNcRButtonDown((UINT)_d.wParam, FW_PT()))
#define ON_WM_NCRBUTTONUP() FW_MSG(WM_NCRBUTTONUP, _p->OnNcRButtonUp((UINT)_d.wParam, FW_PT()))
#define ON_WM_NCRBUTTONDBLCLK() FW_MSG(WM_NCRBUTTONDBLCLK, _p->OnNcRButtonDblClk((UINT)_d.wParam, FW_PT()))
#define ON_WM_NCMBUTTONDOWN() FW_MSG(WM_NCMBUTTONDOWN, _p->OnNcMButtonDown((UINT)_d.wParam, FW_PT()))
#define ON_WM_NCMBUTTONUP() FW_MSG(WM_NCMBUTTONUP, _p->OnNcMButtonUp((UINT)_d.wParam, FW_PT()))
#define ON_WM_NCMOUSEMOVE() FW_MSG(WM_NCMOUSEMOVE, _p->OnNcMouseMove((UINT)_d.wParam, FW_PT()))
#define ON_WM_NCHITTEST() FW_MSG(WM_NCHITTEST, FW_RESULT(_p->OnNcHitTest(FW_PT())))
#define ON_WM_NCCALCSIZE() FW_MSG(WM_NCCALCSIZE, _p->OnNcCalcSize((BOOL)_d.wParam, (NCCALCSIZE_PARAMS*)_d.lParam))
#define ON_WM_SETCURSOR() \
  FW_MSG(WM_SETCURSOR, FW_RESULT(_p->OnSetCursor(CWnd::FromHandle((HWND)_d.wParam), LOWORD(_d.lParam), HIWORD(_d.lParam))))
#define ON_WM_KEYDOWN() FW_MSG(WM_KEYDOWN, _p->OnKeyDown((UINT)_d.wParam, LOWORD(_d.lParam), HIWORD(_d.lParam)))
#define ON_WM_KEYUP() FW_MSG(WM_KEYUP, _p->OnKeyUp((UINT)_d.wParam, LOWORD(_d.lParam), HIWORD(_d.lParam)))
#define ON_WM_SYSKEYDOWN() FW_MSG(WM_SYSKEYDOWN, _p->OnSysKeyDown((UINT)_d.wParam, LOWORD(_d.lParam), HIWORD(_d.lParam)))
#define ON_WM_SYSKEYUP() FW_MSG(WM_SYSKEYUP, _p->OnSysKeyUp((UINT)_d.wParam, LOWORD(_d.lParam), HIWORD(_d.lParam)))
#define ON_WM_CHAR() FW_MSG(WM_CHAR, _p->OnChar((UINT)_d.wParam, LOWORD(_d.lParam), HIWORD(_d.lParam)))
#define ON_WM_SYSCHAR() FW_MSG(WM_SYSCHAR, _p->OnSysChar((UINT)_d.wParam, LOWORD(_d.lParam), HIWORD(_d.lParam)))
#define ON_WM_SYSCOMMAND() FW_MSG(WM_SYSCOMMAND, _p->OnSysCommand((UINT)_d.wParam, _d.lParam))
#define ON_WM_CONTEXTMENU() FW_MSG(WM_CONTEXTMENU, _p->OnContextMenu(CWnd::FromHandle((HWND)_d.wParam), FW_PT()))
#define ON_WM_HSCROLL() \
  FW_MSG(WM_HSCROLL, _p->OnHScroll(LOWORD(_d.wParam), (short)HIWORD(_d.wParam), (CScrollBar*)CWnd::FromHandle((HWND)_d.lParam)))
#define ON_WM_VSCROLL() \
  FW_MSG(WM_VSCROLL, _p->OnVScroll(LOWORD(_d.wParam), (short)HIWORD(_d.wParam), (CScrollBar*)CWnd::FromHandle((HWND)_d.lParam)))
#define ON_WM_CTLCOLOR() \
  FW_MSG(WM_CTLCOLOR, FW_RESULT(_p->OnCtlColor(CDC::FromHandle((HDC)_d.wParam), CWnd::FromHandle((HWND)_d.lParam), \
         _d.message - WM_CTLCOLORMSGBOX)))
#define ON_WM_DRAWITEM() FW_MSG(WM_DRAWITEM, _p->OnDrawItem((int)_d.wParam, (LPDRAWITEMSTRUCT)_d.lParam); FW_RESULT(TRUE))
#define ON_WM_MEASUREITEM() FW_MSG(WM_MEASUREITEM, _p->OnMeasureItem((int)_d.wParam, (LPMEASUREITEMSTRUCT)_d.lParam); FW_RESULT(TRUE))
#define ON_WM_INITMENU() FW_MSG(WM_INITMENU, _p->OnInitMenu(CMenu::FromHandle((HMENU)_d.wParam)))
#define ON_WM_INITMENUPOPUP() \
  FW_MSG(WM_INITMENUPOPUP, _p->OnInitMenuPopup(CMenu::FromHandle((HMENU)_d.wParam), LOWORD(_d.lParam), HIWORD(_d.lParam)))
#define ON_WM_MENUSELECT() FW_MSG(WM_MENUSELECT, _p->OnMenuSelect(LOWORD(_d.wParam), HIWORD(_d.wParam), (HMENU)_d.lParam))
#define ON_WM_MENUCHAR() \
  FW_MSG(WM_MENUCHAR, FW_RESULT(_p->OnMenuChar(LOWORD(_d.wParam), HIWORD(_d.wParam), CMenu::FromHandle((HMENU)_d.lParam))))
#define ON_WM_ENTERIDLE() FW_MSG(WM_ENTERIDLE, _p->OnEnterIdle((UINT)_d.wParam, CWnd::FromHandle((HWND)_d.lParam)))
#define ON_WM_ENTERMENULOOP() FW_MSG(WM_ENTERMENULOOP, _p->OnEnterMenuLoop((BOOL)_d.wParam))
#define ON_WM_EXITMENULOOP() FW_MSG(WM_EXITMENULOOP, _p->OnExitMenuLoop((BOOL)_d.wParam))
#define ON_WM_CAPTURECHANGED() FW_MSG(WM_CAPTURECHANGED, _p->OnCaptureChanged(CWnd::FromHandle((HWND)_d.lParam)))
#define ON_WM_CANCELMODE() FW_MSG(WM_CANCELMODE, _p->OnCancelMode())
#define ON_WM_ENABLE() FW_MSG(WM_ENABLE, _p->OnEnable((BOOL)_d.wParam))
#define ON_WM_SYSCOLORCHANGE() FW_MSG(WM_SYSCOLORCHANGE, _p->OnSysColorChange())
#define ON_WM_SETTINGCHANGE() FW_MSG(WM_SETTINGCHANGE, _p->OnSettingChange((UINT)_d.wParam, (LPCWSTR)_d.lParam))
#define ON_WM_WININICHANGE() FW_MSG(WM_WININICHANGE, _p->OnWinIniChange((LPCWSTR)_d.lParam))
#define ON_WM_DEVMODECHANGE() FW_MSG(WM_DEVMODECHANGE, _p->OnDevModeChange((LPWSTR)_d.lParam))
#define ON_WM_TIMECHANGE() FW_MSG(WM_TIMECHANGE, _p->OnTimeChange())
#define ON_WM_COMPAREITEM() FW_MSG(WM_COMPAREITEM, FW_RESULT(_p->OnCompareItem((int)_d.wParam, (LPCOMPAREITEMSTRUCT)_d.lParam)))
#define ON_WM_DELETEITEM() FW_MSG(WM_DELETEITEM, _p->OnDeleteItem((int)_d.wParam, (LPDELETEITEMSTRUCT)_d.lParam); FW_RESULT(TRUE))
#define ON_WM_CHARTOITEM() \
  FW_MSG(WM_CHARTOITEM, FW_RESULT(_p->OnCharToItem(LOWORD(_d.wParam), (CListBox*)CWnd::FromHandle((HWND)_d.lParam), HIWORD(_d.wParam))))
#define ON_WM_VKEYTOITEM() \
  FW_MSG(WM_VKEYTOITEM, FW_RESULT(_p->OnVKeyToItem(LOWORD(_d.wParam), (CListBox*)CWnd::FromHandle((HWND)_d.lParam), HIWORD(_d.wParam))))
#define ON_WM_RENDERFORMAT() FW_MSG(WM_RENDERFORMAT, _p->OnRenderFormat((UINT)_d.wParam))
#define ON_WM_RENDERALLFORMATS() FW_MSG(WM_RENDERALLFORMATS, _p->OnRenderAllFormats())
#define ON_WM_DESTROYCLIPBOARD() FW_MSG(WM_DESTROYCLIPBOARD, _p->OnDestroyClipboard())
#define ON_WM_ICONERASEBKGND() FW_MSG(WM_ICONERASEBKGND, _p->OnIconEraseBkgnd(CDC::FromHandle((HDC)_d.wParam)))
#define ON_WM_FONTCHANGE() FW_MSG(WM_FONTCHANGE, _p->OnFontChange())
#define ON_WM_DRAWCLIPBOARD() FW_MSG(WM_DRAWCLIPBOARD, _p->OnDrawClipboard())
#define ON_WM_CHANGECBCHAIN() FW_MSG(WM_CHANGECBCHAIN, _p->OnChangeCbChain((HWND)_d.wParam, (HWND)_d.lParam))
#define ON_WM_DROPFILES() FW_MSG(WM_DROPFILES, _p->OnDropFiles((HDROP)_d.wParam))
#define ON_WM_QUERYENDSESSION() FW_MSG(WM_QUERYENDSESSION, FW_RESULT(_p->OnQueryEndSession()))
#define ON_WM_ENDSESSION() FW_MSG(WM_ENDSESSION, _p->OnEndSession((BOOL)_d.wParam))
#define ON_WM_GETDLGCODE() FW_MSG(WM_GETDLGCODE, FW_RESULT(_p->OnGetDlgCode()))
#define ON_WM_STYLECHANGED() FW_MSG(WM_STYLECHANGED, _p->OnStyleChanged((int)_d.wParam, (LPSTYLESTRUCT)_d.lParam))
#define ON_WM_STYLECHANGING() FW_MSG(WM_STYLECHANGING, _p->OnStyleChanging((int)_d.wParam, (LPSTYLESTRUCT)_d.lParam))
#define ON_WM_PALETTECHANGED() FW_MSG(WM_PALETTECHANGED, _p->OnPaletteChanged(CWnd::FromHandle((HWND)_d.wParam)))
#define ON_WM_QUERYNEWPALETTE() FW_MSG(WM_QUERYNEWPALETTE, FW_RESULT(_p->OnQueryNewPalette()))
#define ON_WM_HELPINFO() FW_MSG(WM_HELP, FW_RESULT(_p->OnHelpInfo((HELPINFO*)_d.lParam)))
#define ON_WM_PARENTNOTIFY() FW_MSG(WM_PARENTNOTIFY, _p->OnParentNotify(LOWORD(_d.wParam), _d.lParam))
#define ON_WM_CHILDACTIVATE() FW_MSG(WM_CHILDACTIVATE, _p->OnChildActivate())
#define ON_WM_COPYDATA() \
  FW_MSG(WM_COPYDATA, FW_RESULT(_p->OnCopyData(CWnd::FromHandle((HWND)_d.wParam), (COPYDATASTRUCT*)_d.lParam)))
#define ON_WM_QUERYDRAGICON() FW_MSG(WM_QUERYDRAGICON, FW_RESULT(_p->OnQueryDragIcon()))
#define ON_WM_MDIACTIVATE() \
  FW_MSG(WM_MDIACTIVATE, _p->OnMDIActivate(_p->m_hWnd == (HWND)_d.lParam, CWnd::FromHandle((HWND)_d.lParam), CWnd::FromHandle((HWND)_d.wParam)))

// ---- CCmdTarget ---------------------------------------------------------------------------
class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
public:
  CCmdTarget() = default;
  // Finds and runs the handler of a command, update or notification in this object's map.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();
  // Runs a map entry found by OnCmdMsg.
  static BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, const AFX_MSGMAP_ENTRY* pEntry,
                             void* pExtra, UINT nMsg);
  // The events of hosted controls this object handles (DECLARE_EVENTSINK_MAP), or none.
  virtual const AFX_EVENTSINKMAP* GetEventSinkMap() const { return nullptr; }
protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
  static const AFX_EVENTSINKMAP* GetThisEventSinkMap() { return nullptr; }
};

// Brings one command's user-interface element (menu item, control, ...) up to date.
class CCmdUI {
public:
  CCmdUI();
  virtual ~CCmdUI() = default;
  UINT m_nID;
  UINT m_nIndex;
  CMenu* m_pMenu;        // for menu items
  CMenu* m_pSubMenu;     // the popup the item opens, if any
  CMenu* m_pParentMenu;
  CWnd* m_pOther;        // for controls and other windows
  BOOL m_bEnableChanged;
  BOOL m_bContinueRouting;
  UINT m_nIndexMax;

  virtual void Enable(BOOL bOn = TRUE);
  virtual void SetCheck(int nCheck = 1);
  virtual void SetRadio(BOOL bOn = TRUE);
  virtual void SetText(LPCWSTR lpszText);
  void ContinueRouting() { m_bContinueRouting = TRUE; }
  // Asks pTarget's command route for an update handler; without one, disables the element
  // when bDisableIfNoHndler is set and nobody handles the command itself.
  BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};
