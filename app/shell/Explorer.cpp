#include "Explorer.h"

namespace {
const CLSID kBrowserClsid = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};
const DISPID kDispidNavigate = 104;
const DISPID kDispidDocument = 203;
}  // namespace

IMPLEMENT_DYNCREATE(CExplorer, CWnd)

const CLSID& CExplorer::GetClsid() { return kBrowserClsid; }

BOOL CExplorer::CreateControl(LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::CreateControl(kBrowserClsid, windowName, style, rect, parent, id);
}

BOOL CExplorer::Navigate(LPCWSTR url) {
  if (GetControlUnknown() == nullptr) return FALSE;
  try {
    InvokeHelper(kDispidNavigate, DISPATCH_METHOD, VT_EMPTY, nullptr,
                 reinterpret_cast<const BYTE*>(VTS_BSTR VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT), url,
                 static_cast<VARIANT*>(nullptr), static_cast<VARIANT*>(nullptr), static_cast<VARIANT*>(nullptr),
                 static_cast<VARIANT*>(nullptr));
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

IDispatch* CExplorer::GetDocument() {
  if (GetControlUnknown() == nullptr) return nullptr;
  IDispatch* document = nullptr;
  try {
    GetProperty(kDispidDocument, VT_DISPATCH, &document);
  } catch (CException* e) {
    e->Delete();
    return nullptr;
  }
  return document;
}

CString ResourcePageUrl(LPCWSTR page) {
  wchar_t path[1040] = L"";
  ::GetModuleFileNameW(AfxGetResourceHandle(), path, 1039);
  CString url = L"res://";
  url += path;
  url += L"/";
  url += page;
  return url;
}
