#include "ExternalDispatch.h"

#include "IEDlg.h"

namespace {
// The document's event interface, as which the page may ask for its handler.
const IID kDocumentEvents = {0x3050F60F, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};
}  // namespace

STDMETHODIMP CExternalDispatch::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, kDocumentEvents)) {
    *ppv = static_cast<IDispatch*>(this);
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP CExternalDispatch::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }
STDMETHODIMP CExternalDispatch::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
STDMETHODIMP CExternalDispatch::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

STDMETHODIMP CExternalDispatch::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  if (m_owner != nullptr) m_owner->OnPageClicked();
  return S_OK;
}
