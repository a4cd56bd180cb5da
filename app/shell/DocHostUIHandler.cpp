#include "DocHostUIHandler.h"

#include "MainInterface.h"

STDMETHODIMP CDocHostUIHandler::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) { return S_OK; }
STDMETHODIMP CDocHostUIHandler::GetHostInfo(DOCHOSTUIINFO*) { return E_NOTIMPL; }
STDMETHODIMP CDocHostUIHandler::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                       IOleInPlaceUIWindow*) {
  return E_NOTIMPL;
}
STDMETHODIMP CDocHostUIHandler::HideUI() { return E_NOTIMPL; }
STDMETHODIMP CDocHostUIHandler::UpdateUI() { return E_NOTIMPL; }
STDMETHODIMP CDocHostUIHandler::EnableModeless(BOOL) { return E_NOTIMPL; }
STDMETHODIMP CDocHostUIHandler::OnDocWindowActivate(BOOL) { return E_NOTIMPL; }
STDMETHODIMP CDocHostUIHandler::OnFrameWindowActivate(BOOL) { return E_NOTIMPL; }
STDMETHODIMP CDocHostUIHandler::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return E_NOTIMPL; }
STDMETHODIMP CDocHostUIHandler::GetOptionKeyPath(LPOLESTR*, DWORD) { return E_NOTIMPL; }
STDMETHODIMP CDocHostUIHandler::GetDropTarget(IDropTarget*, IDropTarget**) { return E_NOTIMPL; }
STDMETHODIMP CDocHostUIHandler::GetExternal(IDispatch**) { return E_NOTIMPL; }
STDMETHODIMP CDocHostUIHandler::TranslateUrl(DWORD, LPWSTR, LPWSTR*) { return E_NOTIMPL; }
STDMETHODIMP CDocHostUIHandler::FilterDataObject(IDataObject*, IDataObject**) { return E_NOTIMPL; }

STDMETHODIMP CDocHostUIHandler::TranslateAccelerator(LPMSG lpMsg, const GUID*, DWORD) {
  if (lpMsg == nullptr) return E_NOTIMPL;
  try {
    IKivKbdManager* keyboard = TakeManager(&INumbrookMain::GetKbdManager);
    if (keyboard == nullptr) return S_FALSE;
    VARIANT_BOOL translated = VARIANT_FALSE;
    const HRESULT hr = keyboard->TranslateKbdAccel(lpMsg, &translated);
    keyboard->Release();
    if (SUCCEEDED(hr) && translated != VARIANT_FALSE) return S_OK;
  } catch (...) {
    return S_FALSE;
  }
  const bool keyMessage = lpMsg->message == WM_KEYDOWN || lpMsg->message == WM_KEYUP;
  if (keyMessage && lpMsg->wParam >= VK_PRIOR && lpMsg->wParam <= VK_DOWN) return E_NOTIMPL;
  return S_OK;
}
