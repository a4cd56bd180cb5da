// CExternalDispatch: the click handler that a command panel hangs on its page's onclick. Every
// call of Invoke is a click somewhere on the page; the panel finds out which element it hit.
// Embedded in its panel: nothing is counted.
#pragma once

#include <windows.h>
#include <oaidl.h>

class CIEDlg;

class CExternalDispatch : public IDispatch {
public:
  explicit CExternalDispatch(CIEDlg* owner) : m_owner(owner) {}

  // IUnknown, IDispatch and the document's event interface answer with the object itself.
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
  STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
  // Whatever the arguments: the owner handles the click; S_OK.
  STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                      VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

private:
  CIEDlg* m_owner;
};
