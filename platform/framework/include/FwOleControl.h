// Hosting of controls (ActiveX): the site that activates a control in place inside its window,
// the parameter codes of CWnd::InvokeHelper, event sink maps, and the hosted controls that dialog
// templates name by class id.
#pragma once
#include "FwWnd.h"
#include "FwOleDragDrop.h"
#include <ole2.h>
#include <ocidl.h>
#include <type_traits>
#include <utility>
#include <vector>

// Argument codes of InvokeHelper and of event handlers (an argument list is a string of them).
#define VT_MFCBYREF   0x40
#define VTS_NONE      ""
#define VTS_I2        "\x02"
#define VTS_I4        "\x03"
#define VTS_R4        "\x04"
#define VTS_R8        "\x05"
#define VTS_BSTR      "\x08"   // passed as LPCWSTR
#define VTS_DISPATCH  "\x09"
#define VTS_BOOL      "\x0B"
#define VTS_VARIANT   "\x0C"   // passed as const VARIANT*
#define VTS_UNKNOWN   "\x0D"
#define VTS_PI2       "\x42"
#define VTS_PI4       "\x43"
#define VTS_PBSTR     "\x48"
#define VTS_PVARIANT  "\x4C"

// ---- hosted controls ------------------------------------------------------------------------------

class COleControlSite;

// The site of one hosted control: its window (the CWnd that CreateControl made, or the window a
// dialog made for a template item), the control's object and dispatch, and the event connection.
class COleControlSite {
public:
  // The site of a site window, or null.
  static COleControlSite* FromHandle(HWND hWnd);
  // Makes a site window (child of hWndParent, or attached to pWnd when given) and the control in it.
  static HWND CreateSiteWindow(CWnd* pWnd, DWORD dwExStyle, LPCWSTR pszWindowName, DWORD dwStyle, const RECT& rect,
                               HWND hWndParent, UINT nID);
  BOOL CreateControl(REFCLSID clsid);
  IUnknown* GetControlUnknown() const { return m_pObject; }
  IDispatch* GetDispatch() const { return m_pDispatch; }
  HWND GetWindow() const { return m_hWnd; }
  // An event from the control: the parent's event sink map (by control id and dispatch id) runs it.
  BOOL FireEvent(DISPID dispid, DISPPARAMS* pParams);

  explicit COleControlSite(HWND hWnd);
  ~COleControlSite();
  void OnSize();
  void Close();
  class CSiteImpl* m_pImpl = nullptr;
private:
  HWND m_hWnd;
  IOleObject* m_pObject = nullptr;
  IOleInPlaceObject* m_pInPlace = nullptr;
  IDispatch* m_pDispatch = nullptr;
  IConnectionPoint* m_pEventPoint = nullptr;
  DWORD m_dwEventCookie = 0;
  class CEventSinkImpl* m_pSink = nullptr;
  void ConnectEvents();
};

// A hosted control that a dialog template names: the item's class is "{class id}".
struct AFX_OCC_DIALOG_ITEM {
  CLSID clsid;
  UINT nID;
  DWORD dwStyle;
  DWORD dwExStyle;
  RECT rectDlgUnits;
  CString strWindowName;
  int nPrevItemID;   // the item before it in the template (its place in the Tab order), or -1
};

struct _AFX_OCC_DIALOG_INFO {
  std::vector<BYTE> newTemplate;            // the template without the hosted controls
  std::vector<AFX_OCC_DIALOG_ITEM> items;   // the hosted controls, in template order
};

// Splits the hosted controls out of a template; FALSE when it names none.
BOOL AfxSplitOleDialogItems(LPCDLGTEMPLATEW lpTemplate, _AFX_OCC_DIALOG_INFO& info);
// Creates the template's hosted controls in a dialog that has just been created.
BOOL AfxCreateOleDialogItems(HWND hDlg, const _AFX_OCC_DIALOG_INFO& info);

// ---- event sink maps --------------------------------------------------------------------------------

typedef BOOL (*AFX_EVENTTHUNK)(CCmdTarget* pTarget, DISPPARAMS* pParams);

struct AFX_EVENTSINKMAP_ENTRY {
  UINT nCtrlID;
  DISPID dispid;
  AFX_EVENTTHUNK pfn;
};

struct AFX_EVENTSINKMAP {
  const AFX_EVENTSINKMAP* (*pfnGetBaseMap)();
  const AFX_EVENTSINKMAP_ENTRY* lpEntries;
};

// One event argument in the handler's parameter type.
template <class T, class = void>
struct AfxEventArg;
template <class T>
struct AfxEventArg<T, std::enable_if_t<std::is_integral_v<T>>> {
  static T Get(VARIANTARG& v) {
    VARIANT t;
    ::VariantInit(&t);
    if (FAILED(::VariantChangeType(&t, &v, 0, VT_I4))) AfxThrowOleException(DISP_E_TYPEMISMATCH);
    return (T)t.lVal;
  }
};
template <class T>
struct AfxEventArg<T, std::enable_if_t<std::is_floating_point_v<T>>> {
  static T Get(VARIANTARG& v) {
    VARIANT t;
    ::VariantInit(&t);
    if (FAILED(::VariantChangeType(&t, &v, 0, VT_R8))) AfxThrowOleException(DISP_E_TYPEMISMATCH);
    return (T)t.dblVal;
  }
};
template <>
struct AfxEventArg<LPCWSTR> {
  static LPCWSTR Get(VARIANTARG& v) {
    if (v.vt == VT_BSTR) return v.bstrVal;
    if (v.vt == (VT_BSTR | VT_BYREF)) return *v.pbstrVal;
    AfxThrowOleException(DISP_E_TYPEMISMATCH);
  }
};
template <>
struct AfxEventArg<BSTR> {
  static BSTR Get(VARIANTARG& v) { return (BSTR)AfxEventArg<LPCWSTR>::Get(v); }
};
template <>
struct AfxEventArg<VARIANT*> {
  static VARIANT* Get(VARIANTARG& v) { return v.vt == (VT_VARIANT | VT_BYREF) ? v.pvarVal : &v; }
};
template <>
struct AfxEventArg<const VARIANT*> {
  static const VARIANT* Get(VARIANTARG& v) { return AfxEventArg<VARIANT*>::Get(v); }
};
template <>
struct AfxEventArg<IDispatch*> {
  static IDispatch* Get(VARIANTARG& v) { return v.vt == VT_DISPATCH ? v.pdispVal : nullptr; }
};
template <>
struct AfxEventArg<IUnknown*> {
  static IUnknown* Get(VARIANTARG& v) { return v.vt == VT_UNKNOWN || v.vt == VT_DISPATCH ? v.punkVal : nullptr; }
};
template <>
struct AfxEventArg<long*> {
  static long* Get(VARIANTARG& v) {
    if (v.vt != (VT_I4 | VT_BYREF)) AfxThrowOleException(DISP_E_TYPEMISMATCH);
    return (long*)v.plVal;
  }
};

template <class R, class C, class... A, size_t... I>
BOOL AfxEventCall(C* p, R (C::*pfn)(A...), DISPPARAMS* pParams, std::index_sequence<I...>) {
  constexpr UINT n = sizeof...(A);
  if (pParams->cArgs < n) AfxThrowOleException(DISP_E_BADPARAMCOUNT);
  // The arguments come last first.
  if constexpr (std::is_void_v<R>) {
    (p->*pfn)(AfxEventArg<std::decay_t<A>>::Get(pParams->rgvarg[pParams->cArgs - 1 - I])...);
    return TRUE;
  } else {
    return (BOOL)(p->*pfn)(AfxEventArg<std::decay_t<A>>::Get(pParams->rgvarg[pParams->cArgs - 1 - I])...);
  }
}

template <auto Pfn>
struct AfxEventThunkOf;
template <class R, class C, class... A, R (C::*Pfn)(A...)>
struct AfxEventThunkOf<Pfn> {
  static BOOL Run(CCmdTarget* pTarget, DISPPARAMS* pParams) {
    return AfxEventCall(static_cast<C*>(pTarget), Pfn, pParams, std::index_sequence_for<A...>{});
  }
};

#define DECLARE_EVENTSINK_MAP() \
protected: \
  static const AFX_EVENTSINKMAP* GetThisEventSinkMap(); \
public: \
  const AFX_EVENTSINKMAP* GetEventSinkMap() const override;

#define BEGIN_EVENTSINK_MAP(theClass, baseClass) \
  const AFX_EVENTSINKMAP* theClass::GetEventSinkMap() const { return GetThisEventSinkMap(); } \
  const AFX_EVENTSINKMAP* theClass::GetThisEventSinkMap() { \
    typedef theClass ThisClass [[maybe_unused]]; \
    typedef baseClass TheBaseClass; \
    static const AFX_EVENTSINKMAP_ENTRY _eventEntries[] = {

// The handler's own parameter types decide how the arguments are read; vtsParams documents them.
#define ON_EVENT(theClass, id, dispid, pfnHandler, vtsParams) \
      {(UINT)(id), (DISPID)(dispid), &AfxEventThunkOf<&theClass::pfnHandler>::Run},

#define END_EVENTSINK_MAP() \
      {0, 0, nullptr}}; \
    static const AFX_EVENTSINKMAP eventMap = {&TheBaseClass::GetThisEventSinkMap, _eventEntries}; \
    return &eventMap; \
  }
