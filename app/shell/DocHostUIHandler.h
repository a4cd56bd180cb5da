// CDocHostUIHandler: how a command panel's page behaves in the browser. The page shows no
// context menu, and its keys go to the main window's accelerators first; only the scrolling
// keys reach the browser. Embedded in its panel: nothing is counted.
#pragma once

#include <windows.h>
#include <mshtmhst.h>

#include "EmbeddedObject.h"

class CIEDlg;

class CDocHostUIHandler : public CEmbeddedObject<IDocHostUIHandler> {
public:
  explicit CDocHostUIHandler(CIEDlg* owner) : m_owner(owner) {}

  STDMETHODIMP ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved, IDispatch* pdispReserved) override;
  STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* pInfo) override;
  STDMETHODIMP ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject, IOleCommandTarget* pCommandTarget,
                      IOleInPlaceFrame* pFrame, IOleInPlaceUIWindow* pDoc) override;
  STDMETHODIMP HideUI() override;
  STDMETHODIMP UpdateUI() override;
  STDMETHODIMP EnableModeless(BOOL fEnable) override;
  STDMETHODIMP OnDocWindowActivate(BOOL fActivate) override;
  STDMETHODIMP OnFrameWindowActivate(BOOL fActivate) override;
  STDMETHODIMP ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow, BOOL fRameWindow) override;
  // A main-window accelerator runs and the key is taken (S_OK); Page Up, Page Down, End, Home
  // and the arrows go to the browser (E_NOTIMPL); any other key is taken without effect. A null
  // message is not handled; without the automation root the browser keeps the key (S_FALSE).
  STDMETHODIMP TranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID) override;
  STDMETHODIMP GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) override;
  STDMETHODIMP GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) override;
  STDMETHODIMP GetExternal(IDispatch** ppDispatch) override;
  STDMETHODIMP TranslateUrl(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut) override;
  STDMETHODIMP FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) override;

  CIEDlg* GetOwner() const { return m_owner; }

private:
  CIEDlg* m_owner;
};
