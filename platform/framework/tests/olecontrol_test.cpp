// Hosting controls: a test control of this program (registered for the process only) created
// by CreateControl and from a dialog template that names it by class id, activated in place in
// its site window, driven through InvokeHelper and the property helpers, its events arriving in
// the parent's event sink map; and the system's web browser control created and navigated.
#include "Framework.h"
#include <gtest/gtest.h>
#include <olectl.h>

// {6F0E3C1A-2B4D-4E5F-8A9B-0C1D2E3F4A5B}
static const CLSID CLSID_TestControl = {0x6f0e3c1a, 0x2b4d, 0x4e5f, {0x8a, 0x9b, 0x0c, 0x1d, 0x2e, 0x3f, 0x4a, 0x5b}};
// {6F0E3C1B-2B4D-4E5F-8A9B-0C1D2E3F4A5B}: its events
static const IID DIID_TestEvents = {0x6f0e3c1b, 0x2b4d, 0x4e5f, {0x8a, 0x9b, 0x0c, 0x1d, 0x2e, 0x3f, 0x4a, 0x5b}};
static const CLSID CLSID_Browser = {0x8856f961, 0x340a, 0x11d0, {0xa9, 0x6b, 0x00, 0xc0, 0x4f, 0xd7, 0x05, 0xa2}};

enum { TC_VALUE = 1, TC_ADD = 2, TC_FIRE = 3, TC_CAPTION = 4, TC_CHANGED = 7, TC_NAMED = 8 };
enum { IDD_HOSTING = 300, IDC_EDIT = 1200, IDC_CONTROL = 1201, IDC_BUTTON = 1202 };

// The test control: a window of its own inside the site's, a value and a caption, a method,
// and two events fired on request.
class CTestControl : public IOleObject, public IOleInPlaceObject, public IDispatch, public IConnectionPointContainer,
                     public IConnectionPoint, public IProvideClassInfo2 {
public:
  static int live;
  CTestControl() { ++live; }
  virtual ~CTestControl() { --live; }
  HWND hWnd = nullptr;
  long value = 0;
  CString caption;
  IOleClientSite* site = nullptr;
  IDispatch* sink = nullptr;
  // IUnknown
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG n = --refs;
    if (n == 0) delete this;
    return n;
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleObject) *ppv = static_cast<IOleObject*>(this);
    else if (riid == IID_IOleInPlaceObject || riid == IID_IOleWindow) *ppv = static_cast<IOleInPlaceObject*>(this);
    else if (riid == IID_IDispatch) *ppv = static_cast<IDispatch*>(this);
    else if (riid == IID_IConnectionPointContainer) *ppv = static_cast<IConnectionPointContainer*>(this);
    else if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2) *ppv = static_cast<IProvideClassInfo2*>(this);
    if (*ppv == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  // IOleObject
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* p) override {
    if (site) site->Release();
    site = p;
    if (site) site->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** pp) override {
    *pp = site;
    if (site) site->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Close(DWORD) override {
    InPlaceDeactivate();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* pSite, LONG, HWND hwndParent, LPCRECT rc) override {
    if (verb != OLEIVERB_INPLACEACTIVATE && verb != OLEIVERB_SHOW) return OLEOBJ_S_INVALIDVERB;
    IOleInPlaceSite* inPlace = nullptr;
    if (FAILED(pSite->QueryInterface(IID_IOleInPlaceSite, (void**)&inPlace))) return E_FAIL;
    HRESULT hr = inPlace->CanInPlaceActivate();
    if (hr == S_OK) hr = inPlace->OnInPlaceActivate();
    HWND hSiteWnd = nullptr;
    inPlace->GetWindow(&hSiteWnd);
    inPlace->Release();
    if (hr != S_OK || hSiteWnd != hwndParent) return E_FAIL;
    if (hWnd == nullptr)
      hWnd = ::CreateWindowExW(0, L"STATIC", L"test control", WS_CHILD | WS_VISIBLE, rc->left, rc->top,
                               rc->right - rc->left, rc->bottom - rc->top, hwndParent, nullptr, nullptr, nullptr);
    return hWnd != nullptr ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* p) override {
    *p = CLSID_TestControl;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  // Unadvise serves the object and the connection point alike (one signature): see below.
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD* p) override {
    *p = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }
  // IOleInPlaceObject
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* p) override {
    *p = hWnd;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override {
    if (hWnd) ::DestroyWindow(hWnd);
    hWnd = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE UIDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT pos, LPCRECT) override {
    ::MoveWindow(hWnd, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top, TRUE);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* p) override {
    *p = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* p, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
    auto arg = [&](UINT i) -> VARIANT& { return p->rgvarg[p->cArgs - 1 - i]; };
    switch (id) {
      case TC_VALUE:
        if (put) {
          if (p->cArgs != 1 || arg(0).vt != VT_I4) return DISP_E_TYPEMISMATCH;
          value = arg(0).lVal;
        } else if (result) {
          result->vt = VT_I4;
          result->lVal = value;
        }
        return S_OK;
      case TC_CAPTION:
        if (put) {
          if (p->cArgs != 1 || arg(0).vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
          caption = arg(0).bstrVal;
        } else if (result) {
          result->vt = VT_BSTR;
          result->bstrVal = ::SysAllocString(caption);
        }
        return S_OK;
      case TC_ADD:
        if (p->cArgs != 2 || arg(0).vt != VT_I4 || arg(1).vt != VT_I4) return DISP_E_BADPARAMCOUNT;
        if (result) {
          result->vt = VT_I4;
          result->lVal = arg(0).lVal + arg(1).lVal;
        }
        return S_OK;
      case TC_FIRE: {
        if (p->cArgs != 1 || sink == nullptr) return E_FAIL;
        VARIANT n = arg(0);
        DISPPARAMS one = {&n, nullptr, 1, 0};
        sink->Invoke(TC_CHANGED, IID_NULL, 0, DISPATCH_METHOD, &one, nullptr, nullptr, nullptr);
        VARIANT text;
        text.vt = VT_BSTR;
        text.bstrVal = ::SysAllocString(L"fired");
        DISPPARAMS named = {&text, nullptr, 1, 0};
        sink->Invoke(TC_NAMED, IID_NULL, 0, DISPATCH_METHOD, &named, nullptr, nullptr, nullptr);
        ::SysFreeString(text.bstrVal);
        return S_OK;
      }
    }
    return DISP_E_MEMBERNOTFOUND;
  }
  // IConnectionPointContainer and its one connection point
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** pp) override {
    *pp = nullptr;
    if (riid != DIID_TestEvents) return CONNECT_E_NOCONNECTION;
    *pp = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* p) override {
    *p = DIID_TestEvents;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** pp) override {
    *pp = this;
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* pUnk, DWORD* cookie) override {
    if (sink != nullptr) return CONNECT_E_ADVISELIMIT;
    if (FAILED(pUnk->QueryInterface(DIID_TestEvents, (void**)&sink))) return CONNECT_E_CANNOTCONNECT;
    *cookie = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    if (cookie != 1 || sink == nullptr) return CONNECT_E_NOCONNECTION;
    sink->Release();
    sink = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }
  // IProvideClassInfo2
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* p) override {
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *p = DIID_TestEvents;
    return S_OK;
  }
private:
  ULONG refs = 1;
};
int CTestControl::live = 0;
static CTestControl* g_last = nullptr;  // the control made last

class CTestFactory : public IClassFactory {
public:
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    *ppv = (riid == IID_IUnknown || riid == IID_IClassFactory) ? this : nullptr;
    return *ppv ? S_OK : E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    g_last = new CTestControl;
    HRESULT hr = g_last->QueryInterface(riid, ppv);
    g_last->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

// OLE for the program, the container switched on, and the test control's class registered.
class HostingEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    ASSERT_TRUE(AfxOleInit());
    AfxEnableControlContainer();
    ASSERT_EQ(S_OK, ::CoRegisterClassObject(CLSID_TestControl, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));
  }
  void TearDown() override { ::CoRevokeClassObject(cookie); }
  CTestFactory factory;
  DWORD cookie = 0;
};
static ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new HostingEnvironment);

// A parent whose event sink map takes the test control's events (control 101 only).
class CHostWnd : public CWnd {
public:
  std::vector<long> changed;
  std::vector<CString> named;
  BOOL Make() {
    return CreateEx(0, AfxRegisterWndClass(0), L"Host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr);
  }
  void OnChanged(long n) { changed.push_back(n); }
  void OnNamed(LPCWSTR text) { named.push_back(text); }
  void OnOtherChanged(long n) { changed.push_back(-n); }
  DECLARE_EVENTSINK_MAP()
};
BEGIN_EVENTSINK_MAP(CHostWnd, CWnd)
  ON_EVENT(CHostWnd, 101, TC_CHANGED, OnChanged, VTS_I4)
  ON_EVENT(CHostWnd, 101, TC_NAMED, OnNamed, VTS_BSTR)
  ON_EVENT(CHostWnd, 102, TC_CHANGED, OnOtherChanged, VTS_I4)
END_EVENTSINK_MAP()

TEST(Hosting, ACreatedControlIsActiveInItsSiteAndAnswersInvokeHelper) {
  CHostWnd host;
  ASSERT_TRUE(host.Make());
  {
    CWnd ctl;
    ASSERT_TRUE(ctl.CreateControl(CLSID_TestControl, L"Test", WS_VISIBLE, CRect(10, 10, 210, 110), &host, 101));
    EXPECT_EQ(101, ctl.GetDlgCtrlID());
    EXPECT_EQ(host.m_hWnd, ::GetParent(ctl.m_hWnd));
    CTestControl* control = g_last;
    ASSERT_NE(nullptr, control->hWnd) << "activated in place";
    EXPECT_EQ(ctl.m_hWnd, ::GetParent(control->hWnd));
    CRect rc;
    ::GetWindowRect(control->hWnd, &rc);
    EXPECT_EQ(CSize(200, 100), rc.Size()) << "the control fills its site";
    ctl.SetWindowPos(nullptr, 0, 0, 120, 60, SWP_NOMOVE | SWP_NOZORDER);
    ::GetWindowRect(control->hWnd, &rc);
    EXPECT_EQ(CSize(120, 60), rc.Size()) << "and follows its size";

    long sum = 0;
    ctl.InvokeHelper(TC_ADD, DISPATCH_METHOD, VT_I4, &sum, (const BYTE*)(VTS_I4 VTS_I4), 20L, 22L);
    EXPECT_EQ(42, sum);
    ctl.SetProperty(TC_VALUE, VT_I4, 7L);
    long value = 0;
    ctl.GetProperty(TC_VALUE, VT_I4, &value);
    EXPECT_EQ(7, value);
    ctl.SetProperty(TC_CAPTION, VT_BSTR, L"hello");
    CString caption;
    ctl.GetProperty(TC_CAPTION, VT_BSTR, &caption);
    EXPECT_EQ(CString(L"hello"), caption);
    IUnknown* unknown = ctl.GetControlUnknown();
    ASSERT_NE(nullptr, unknown);
    IOleObject* object = nullptr;
    EXPECT_EQ(S_OK, unknown->QueryInterface(IID_IOleObject, (void**)&object));
    object->Release();

    SCODE failure = S_OK;
    try {
      ctl.InvokeHelper(99, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
    } catch (COleException* e) {
      failure = e->m_sc;
      e->Delete();
    }
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, failure);

    ctl.InvokeHelper(TC_FIRE, DISPATCH_METHOD, VT_EMPTY, nullptr, (const BYTE*)VTS_I4, 5L);
    EXPECT_EQ(std::vector<long>{5}, host.changed) << "the event of control 101 reached the map";
    EXPECT_EQ(std::vector<CString>{L"fired"}, host.named);
    ctl.DestroyWindow();
  }
  EXPECT_EQ(0, CTestControl::live) << "closing the site let the control go";
  host.DestroyWindow();
}

class CHostingDlg : public CDialog {
public:
  CHostingDlg() : CDialog(IDD_HOSTING) {}
  CWnd control;
  std::vector<long> changed;
  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_CONTROL, control); }
  void OnChanged(long n) { changed.push_back(n); }
  DECLARE_EVENTSINK_MAP()
};
BEGIN_EVENTSINK_MAP(CHostingDlg, CDialog)
  ON_EVENT(CHostingDlg, IDC_CONTROL, TC_CHANGED, OnChanged, VTS_I4)
END_EVENTSINK_MAP()

TEST(Hosting, ADialogTemplateNamesAControlByClassId) {
  CHostingDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_HOSTING));
  ASSERT_EQ(dlg.GetDlgItem(IDC_CONTROL)->m_hWnd, dlg.control.m_hWnd) << "bound by DDX_Control";
  ASSERT_NE(nullptr, dlg.control.GetControlUnknown());
  long sum = 0;
  dlg.control.InvokeHelper(TC_ADD, DISPATCH_METHOD, VT_I4, &sum, (const BYTE*)(VTS_I4 VTS_I4), 2L, 3L);
  EXPECT_EQ(5, sum);
  dlg.control.InvokeHelper(TC_FIRE, DISPATCH_METHOD, VT_EMPTY, nullptr, (const BYTE*)VTS_I4, 9L);
  EXPECT_EQ(std::vector<long>{9}, dlg.changed);
  CRect expected(10, 30, 110, 70), site;
  dlg.MapDialogRect(&expected);
  dlg.control.GetWindowRect(&site);
  dlg.ScreenToClient(&site);
  EXPECT_EQ(expected, site) << "placed where the template says";
  EXPECT_EQ(dlg.control.m_hWnd, ::GetWindow(dlg.GetDlgItem(IDC_EDIT)->m_hWnd, GW_HWNDNEXT)) << "in the template's Tab order";
  EXPECT_NE(nullptr, dlg.GetDlgItem(IDC_BUTTON));
  dlg.DestroyWindow();
  EXPECT_EQ(0, CTestControl::live);
}

TEST(Hosting, TheWebBrowserIsCreatedAndNavigates) {
  CHostWnd host;
  ASSERT_TRUE(host.Make());
  CWnd browser;
  ASSERT_TRUE(browser.CreateControl(CLSID_Browser, L"", WS_VISIBLE, CRect(0, 0, 300, 200), &host, 103));
  bool failed = false;
  try {
    browser.InvokeHelper(104, DISPATCH_METHOD, VT_EMPTY, nullptr,
                         (const BYTE*)(VTS_BSTR VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT), L"about:blank",
                         (VARIANT*)nullptr, (VARIANT*)nullptr, (VARIANT*)nullptr, (VARIANT*)nullptr);
  } catch (COleException* e) {
    failed = true;
    ADD_FAILURE() << std::hex << e->m_sc;
    e->Delete();
  }
  EXPECT_FALSE(failed);
  browser.DestroyWindow();
  host.DestroyWindow();
}
