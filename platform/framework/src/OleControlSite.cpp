// The site of a hosted control: the site window, in-place activation, ambient properties and
// the connection that brings the control's events to the parent's event sink map.
#include "Framework.h"
#include "FwOleControl.h"
#include "ComCounted.h"
#include <olectl.h>
#include <map>

static std::map<HWND, COleControlSite*>& Sites() {
  static std::map<HWND, COleControlSite*> sites;
  return sites;
}

COleControlSite* COleControlSite::FromHandle(HWND hWnd) {
  auto it = Sites().find(hWnd);
  return it != Sites().end() ? it->second : nullptr;
}

// ---- the site's interfaces ------------------------------------------------------------------------

// One object answers for the client site, the in-place site and frame, and the ambient
// properties; it lives as long as the site window and anybody holding it.
class CSiteImpl : public CCounted<IOleClientSite>, public IOleInPlaceSite, public IOleInPlaceFrame, public IDispatch {
public:
  COleControlSite* owner;
  explicit CSiteImpl(COleControlSite* p) : owner(p) {}
  HWND Window() const { return owner != nullptr ? owner->GetWindow() : nullptr; }

  // One count for every interface.
  ULONG STDMETHODCALLTYPE AddRef() override { return CCounted::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return CCounted::Release(); }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    void* p = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) p = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) p = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame) p = static_cast<IOleInPlaceFrame*>(this);
    else if (riid == IID_IDispatch) p = static_cast<IDispatch*>(this);
    return Answer(ppv, p);
  }
  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** pp) override {
    if (pp) *pp = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** pp) override {
    if (pp) *pp = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
  // IOleWindow (in-place site and frame alike)
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override {
    if (phwnd == nullptr) return E_POINTER;
    *phwnd = Window();
    return *phwnd != nullptr ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                             LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) override {
    if (ppFrame) {
      *ppFrame = static_cast<IOleInPlaceFrame*>(this);
      AddRef();
    }
    if (ppDoc) *ppDoc = nullptr;
    RECT rc = {0, 0, 0, 0};
    if (Window() != nullptr) ::GetClientRect(Window(), &rc);
    if (lprcPosRect) *lprcPosRect = rc;
    if (lprcClipRect) *lprcClipRect = rc;
    if (lpFrameInfo) {
      lpFrameInfo->cb = sizeof(OLEINPLACEFRAMEINFO);
      lpFrameInfo->fMDIApp = FALSE;
      lpFrameInfo->hwndFrame = Window() != nullptr ? ::GetAncestor(Window(), GA_ROOT) : nullptr;
      lpFrameInfo->haccel = nullptr;
      lpFrameInfo->cAccelEntries = 0;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override {
    if (owner != nullptr) owner->OnSize();
    return S_OK;
  }
  // IOleInPlaceUIWindow / IOleInPlaceFrame: no tools, menus or status line to share.
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }
  // IDispatch: the ambient properties; the control runs in user mode.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* p) override {
    if (p) *p = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* pResult, EXCEPINFO*,
                                   UINT*) override {
    if (dispid == DISPID_AMBIENT_USERMODE && pResult != nullptr) {
      ::VariantInit(pResult);
      pResult->vt = VT_BOOL;
      pResult->boolVal = VARIANT_TRUE;
      return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }
};

// The control's outgoing dispatch interface, answered by the parent's event sink map.
class CEventSinkImpl : public CCounted<IDispatch> {
public:
  COleControlSite* owner;
  IID iidEvents;
  CEventSinkImpl(COleControlSite* p, REFIID iid) : owner(p), iidEvents(iid) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    const bool bKnown = riid == IID_IUnknown || riid == IID_IDispatch || riid == iidEvents;
    return Answer(ppv, bKnown ? static_cast<IDispatch*>(this) : nullptr);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* p) override {
    if (p) *p = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* pParams, VARIANT* pResult, EXCEPINFO*,
                                   UINT*) override {
    if (pResult != nullptr) ::VariantInit(pResult);
    if (owner == nullptr) return S_OK;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    try {
      owner->FireEvent(dispid, pParams != nullptr ? pParams : &none);
    } catch (CException* e) {
      SCODE sc = COleException::Process(e);
      e->Delete();
      return sc;
    } catch (...) {
      return E_UNEXPECTED;
    }
    return S_OK;
  }
};

// ---- the site window -------------------------------------------------------------------------------

static const wchar_t kSiteClass[] = L"FwControlSite";

static LRESULT CALLBACK SiteWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (COleControlSite* site = COleControlSite::FromHandle(hWnd)) site->OnSize();
      break;
    case WM_DESTROY:
      if (COleControlSite* site = COleControlSite::FromHandle(hWnd)) site->Close();
      break;
    case WM_NCDESTROY:
      if (COleControlSite* site = COleControlSite::FromHandle(hWnd)) delete site;
      break;
  }
  return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

static void RegisterSiteClass() {
  WNDCLASSW wc = {};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = SiteWndProc;
  wc.hInstance = AfxGetInstanceHandle();
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kSiteClass;
  AfxRegisterClass(&wc);
}

HWND COleControlSite::CreateSiteWindow(CWnd* pWnd, DWORD dwExStyle, LPCWSTR pszWindowName, DWORD dwStyle,
                                       const RECT& rect, HWND hWndParent, UINT nID) {
  RegisterSiteClass();
  dwStyle = (dwStyle | WS_CHILD | WS_CLIPCHILDREN) & ~WS_POPUP;
  if (pWnd != nullptr) {
    if (!pWnd->CreateEx(dwExStyle, kSiteClass, pszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, hWndParent, (HMENU)(UINT_PTR)nID))
      return nullptr;
    return pWnd->m_hWnd;
  }
  return ::CreateWindowExW(dwExStyle, kSiteClass, pszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, hWndParent, (HMENU)(UINT_PTR)nID, AfxGetInstanceHandle(), nullptr);
}

COleControlSite::COleControlSite(HWND hWnd) : m_pImpl(new CSiteImpl(this)), m_hWnd(hWnd) { Sites()[hWnd] = this; }

COleControlSite::~COleControlSite() {
  Close();
  Sites().erase(m_hWnd);
  m_pImpl->owner = nullptr;
  m_pImpl->Release();
}

BOOL COleControlSite::CreateControl(REFCLSID clsid) {
  HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IOleObject,
                                  (void**)&m_pObject);
  if (FAILED(hr) || m_pObject == nullptr) return FALSE;
  IOleClientSite* pClientSite = static_cast<IOleClientSite*>(m_pImpl);
  m_pObject->SetClientSite(pClientSite);
  IPersistStreamInit* pInit = nullptr;
  if (SUCCEEDED(m_pObject->QueryInterface(IID_IPersistStreamInit, (void**)&pInit)) && pInit != nullptr) {
    pInit->InitNew();
    pInit->Release();
  }
  m_pObject->SetHostNames(L"Container", nullptr);
  // The control's extent is the window's, in hundredths of a millimetre.
  RECT rc;
  ::GetClientRect(m_hWnd, &rc);
  HDC hDC = ::GetDC(m_hWnd);
  SIZEL extent = {::MulDiv(rc.right, 2540, ::GetDeviceCaps(hDC, LOGPIXELSX)),
                  ::MulDiv(rc.bottom, 2540, ::GetDeviceCaps(hDC, LOGPIXELSY))};
  ::ReleaseDC(m_hWnd, hDC);
  m_pObject->SetExtent(DVASPECT_CONTENT, &extent);
  hr = m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, pClientSite, 0, m_hWnd, &rc);
  if (FAILED(hr)) hr = m_pObject->DoVerb(OLEIVERB_SHOW, nullptr, pClientSite, 0, m_hWnd, &rc);
  if (FAILED(hr)) {
    Close();
    return FALSE;
  }
  m_pObject->QueryInterface(IID_IOleInPlaceObject, (void**)&m_pInPlace);
  m_pObject->QueryInterface(IID_IDispatch, (void**)&m_pDispatch);
  ConnectEvents();
  return TRUE;
}

// The control's default outgoing interface: from its class information when it tells it.
static BOOL DefaultSourceIID(IUnknown* pObject, IID& iid) {
  IProvideClassInfo2* pInfo2 = nullptr;
  if (SUCCEEDED(pObject->QueryInterface(IID_IProvideClassInfo2, (void**)&pInfo2)) && pInfo2 != nullptr) {
    HRESULT hr = pInfo2->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &iid);
    pInfo2->Release();
    if (SUCCEEDED(hr)) return TRUE;
  }
  IProvideClassInfo* pInfo = nullptr;
  if (FAILED(pObject->QueryInterface(IID_IProvideClassInfo, (void**)&pInfo)) || pInfo == nullptr) return FALSE;
  ITypeInfo* pClass = nullptr;
  BOOL found = FALSE;
  if (SUCCEEDED(pInfo->GetClassInfo(&pClass)) && pClass != nullptr) {
    TYPEATTR* pAttr = nullptr;
    if (SUCCEEDED(pClass->GetTypeAttr(&pAttr))) {
      for (UINT i = 0; i < pAttr->cImplTypes && !found; ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        ITypeInfo* pSource = nullptr;
        if (FAILED(pClass->GetImplTypeFlags(i, &flags)) || (flags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) !=
                                                               (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE))
          continue;
        if (SUCCEEDED(pClass->GetRefTypeOfImplType(i, &ref)) && SUCCEEDED(pClass->GetRefTypeInfo(ref, &pSource))) {
          TYPEATTR* pSourceAttr = nullptr;
          if (SUCCEEDED(pSource->GetTypeAttr(&pSourceAttr))) {
            iid = pSourceAttr->guid;
            found = TRUE;
            pSource->ReleaseTypeAttr(pSourceAttr);
          }
          pSource->Release();
        }
      }
      pClass->ReleaseTypeAttr(pAttr);
    }
    pClass->Release();
  }
  pInfo->Release();
  return found;
}

void COleControlSite::ConnectEvents() {
  IID iid;
  if (!DefaultSourceIID(m_pObject, iid)) return;
  IConnectionPointContainer* pContainer = nullptr;
  if (FAILED(m_pObject->QueryInterface(IID_IConnectionPointContainer, (void**)&pContainer)) || pContainer == nullptr)
    return;
  if (SUCCEEDED(pContainer->FindConnectionPoint(iid, &m_pEventPoint)) && m_pEventPoint != nullptr) {
    m_pSink = new CEventSinkImpl(this, iid);
    if (FAILED(m_pEventPoint->Advise(m_pSink, &m_dwEventCookie))) {
      m_pEventPoint->Release();
      m_pEventPoint = nullptr;
      m_pSink->owner = nullptr;
      m_pSink->Release();
      m_pSink = nullptr;
    }
  }
  pContainer->Release();
}

BOOL COleControlSite::FireEvent(DISPID dispid, DISPPARAMS* pParams) {
  HWND hParent = ::GetParent(m_hWnd);
  CWnd* pParent = CWnd::FromHandlePermanent(hParent);
  if (pParent == nullptr) return FALSE;
  UINT nID = (UINT)::GetDlgCtrlID(m_hWnd);
  for (const AFX_EVENTSINKMAP* pMap = pParent->GetEventSinkMap(); pMap != nullptr;
       pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
    for (const AFX_EVENTSINKMAP_ENTRY* e = pMap->lpEntries; e->pfn != nullptr; ++e)
      if (e->nCtrlID == nID && e->dispid == dispid) return e->pfn(pParent, pParams);
  }
  return FALSE;
}

void COleControlSite::OnSize() {
  if (m_pInPlace == nullptr) return;
  RECT rc;
  ::GetClientRect(m_hWnd, &rc);
  m_pInPlace->SetObjectRects(&rc, &rc);
}

void COleControlSite::Close() {
  if (m_pEventPoint != nullptr) {
    m_pEventPoint->Unadvise(m_dwEventCookie);
    m_pEventPoint->Release();
    m_pEventPoint = nullptr;
  }
  if (m_pSink != nullptr) {
    m_pSink->owner = nullptr;
    m_pSink->Release();
    m_pSink = nullptr;
  }
  if (m_pDispatch != nullptr) {
    m_pDispatch->Release();
    m_pDispatch = nullptr;
  }
  if (m_pInPlace != nullptr) {
    m_pInPlace->InPlaceDeactivate();
    m_pInPlace->Release();
    m_pInPlace = nullptr;
  }
  if (m_pObject != nullptr) {
    m_pObject->Close(OLECLOSE_NOSAVE);
    m_pObject->SetClientSite(nullptr);
    m_pObject->Release();
    m_pObject = nullptr;
  }
}

// ---- CWnd's hosting members --------------------------------------------------------------------------

BOOL CWnd::CreateControl(REFCLSID clsid, LPCWSTR pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID) {
  if (!AfxControlContainerEnabled() || m_hWnd != nullptr) return FALSE;
  HWND hWnd = COleControlSite::CreateSiteWindow(this, 0, pszWindowName, dwStyle, rect, pParentWnd->GetSafeHwnd(), nID);
  if (hWnd == nullptr) return FALSE;
  auto* pSite = new COleControlSite(hWnd);
  if (!pSite->CreateControl(clsid)) {
    DestroyWindow();  // takes the site with it
    return FALSE;
  }
  return TRUE;
}

BOOL CWnd::CreateControl(LPCWSTR pszProgID, LPCWSTR pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID) {
  CLSID clsid;
  HRESULT hr = pszProgID[0] == L'{' ? ::CLSIDFromString(pszProgID, &clsid) : ::CLSIDFromProgID(pszProgID, &clsid);
  return SUCCEEDED(hr) && CreateControl(clsid, pszWindowName, dwStyle, rect, pParentWnd, nID);
}

IUnknown* CWnd::GetControlUnknown() const {
  COleControlSite* pSite = COleControlSite::FromHandle(m_hWnd);
  return pSite != nullptr ? pSite->GetControlUnknown() : nullptr;
}
