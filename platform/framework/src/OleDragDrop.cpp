// OLE drag and drop: the counted COM objects behind the data source, the drop source and the
// drop target, and the reading side of a data object.
#include "Framework.h"
#include "FwOleDragDrop.h"
#include "ComCounted.h"
#include <shlobj.h>

IMPLEMENT_DYNAMIC(COleException, CException)

SCODE COleException::Process(const CException* pAnyException) {
  if (const auto* p = dynamic_cast<const COleException*>(pAnyException)) return p->m_sc;
  if (dynamic_cast<const CMemoryException*>(pAnyException) != nullptr) return E_OUTOFMEMORY;
  if (dynamic_cast<const CNotSupportedException*>(pAnyException) != nullptr) return E_NOTIMPL;
  return E_UNEXPECTED;
}

BOOL COleException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext) *pnHelpContext = 0;
  if (lpszError == nullptr || nMaxError == 0) return FALSE;
  DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, (DWORD)m_sc, 0,
                             lpszError, nMaxError, nullptr);
  if (n == 0) _snwprintf(lpszError, nMaxError, L"OLE error 0x%08lX.", (unsigned long)m_sc);
  lpszError[nMaxError - 1] = 0;
  return TRUE;
}

void AfxThrowOleException(SCODE sc) { throw new COleException(sc); }

// Runs an interface method body; a framework or C++ exception becomes a status code.
template <class F>
static HRESULT Guarded(F body) {
  try {
    return body();
  } catch (CException* e) {
    SCODE sc = COleException::Process(e);
    e->Delete();
    return sc;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

static HGLOBAL CopyGlobal(HGLOBAL hSource) {
  SIZE_T n = ::GlobalSize(hSource);
  HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, n);
  if (hCopy == nullptr) return nullptr;
  void* from = ::GlobalLock(hSource);
  void* to = ::GlobalLock(hCopy);
  if (from != nullptr && to != nullptr) memcpy(to, from, n);
  ::GlobalUnlock(hCopy);
  ::GlobalUnlock(hSource);
  return hCopy;
}

// The whole rest of a stream in a global block of exactly its length.
static HGLOBAL ReadStream(IStream* pStream) {
  std::vector<BYTE> bytes;
  BYTE buf[4096];
  for (;;) {
    ULONG got = 0;
    HRESULT hr = pStream->Read(buf, sizeof(buf), &got);
    bytes.insert(bytes.end(), buf, buf + got);
    if (FAILED(hr) || got == 0) break;
  }
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
  if (h == nullptr) return nullptr;
  if (!bytes.empty()) {
    memcpy(::GlobalLock(h), bytes.data(), bytes.size());
    ::GlobalUnlock(h);
  }
  return h;
}

// ---- data source ---------------------------------------------------------------------------------

class CDataSourceImpl : public CCounted<IDataObject> {
public:
  struct Entry {
    FORMATETC format;
    STGMEDIUM medium;
  };
  std::vector<Entry> entries;
  ~CDataSourceImpl() override { Empty(); }
  void Empty() {
    for (Entry& e : entries) ::ReleaseStgMedium(&e.medium);
    entries.clear();
  }
  void Cache(const FORMATETC& format, const STGMEDIUM& medium) {
    for (Entry& e : entries) {
      if (e.format.cfFormat == format.cfFormat && e.format.dwAspect == format.dwAspect &&
          e.format.lindex == format.lindex) {
        ::ReleaseStgMedium(&e.medium);
        e = {format, medium};
        return;
      }
    }
    entries.push_back({format, medium});
  }
  const Entry* Find(const FORMATETC* p) const {
    for (const Entry& e : entries)
      if (e.format.cfFormat == p->cfFormat && (e.format.tymed & p->tymed) && e.format.dwAspect == p->dwAspect)
        return &e;
    return nullptr;
  }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override {
    if (pFormat == nullptr || pMedium == nullptr) return E_INVALIDARG;
    const Entry* e = Find(pFormat);
    if (e == nullptr) return DV_E_FORMATETC;
    // The receiver gets the cached medium and releases this object instead of the medium.
    *pMedium = e->medium;
    if (pMedium->tymed == TYMED_ISTREAM) {
      LARGE_INTEGER zero = {};
      pMedium->pstm->Seek(zero, STREAM_SEEK_SET, nullptr);
    }
    pMedium->pUnkForRelease = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pFormat) override {
    if (pFormat == nullptr) return E_INVALIDARG;
    return Find(pFormat) != nullptr ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) override {
    if (pOut != nullptr) pOut->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override {
    if (dwDirection != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const Entry& e : entries) formats.push_back(e.format);
    return ::SHCreateStdEnumFmtEtc((UINT)formats.size(), formats.data(), ppEnum);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

COleDataSource::COleDataSource() : m_pInterface(new CDataSourceImpl) {}
COleDataSource::~COleDataSource() { m_pInterface->Release(); }

static FORMATETC DefaultFormat(CLIPFORMAT cfFormat, DWORD tymed) { return {cfFormat, nullptr, DVASPECT_CONTENT, -1, tymed}; }

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc) {
  STGMEDIUM medium = {};
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = hGlobal;
  CacheData(cfFormat, &medium, lpFormatEtc);
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc) {
  FORMATETC format = lpFormatEtc != nullptr ? *lpFormatEtc : DefaultFormat(cfFormat, lpStgMedium->tymed);
  format.cfFormat = cfFormat;
  format.tymed = lpStgMedium->tymed;
  static_cast<CDataSourceImpl*>(m_pInterface)->Cache(format, *lpStgMedium);
}

void COleDataSource::Empty() { static_cast<CDataSourceImpl*>(m_pInterface)->Empty(); }

void COleDataSource::SetClipboard() {
  HRESULT hr = ::OleSetClipboard(m_pInterface);
  if (FAILED(hr)) AfxThrowOleException(hr);
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource) {
  COleDropSource defaultSource;
  if (pDropSource == nullptr) pDropSource = &defaultSource;
  if (lpRectStartDrag != nullptr) {
    pDropSource->m_rectStartDrag = *lpRectStartDrag;
  } else {
    // No rectangle: the system's drag distance around the pointer.
    CPoint pt;
    ::GetCursorPos(&pt);
    int cx = ::GetSystemMetrics(SM_CXDRAG), cy = ::GetSystemMetrics(SM_CYDRAG);
    pDropSource->m_rectStartDrag.SetRect(pt.x - cx, pt.y - cy, pt.x + cx + 1, pt.y + cy + 1);
  }
  CWnd* pWnd = CWnd::GetCapture();
  if (pWnd == nullptr) pWnd = CWnd::GetFocus();
  if (pWnd == nullptr) pWnd = CWnd::GetActiveWindow();
  if (!pDropSource->OnBeginDrag(pWnd)) return DROPEFFECT_NONE;
  DWORD effect = DROPEFFECT_NONE;
  HRESULT hr = ::DoDragDrop(m_pInterface, pDropSource->m_pInterface, dwEffects, &effect);
  return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

// ---- drop source -------------------------------------------------------------------------------

class CDropSourceImpl : public CCounted<IDropSource> {
public:
  COleDropSource* owner;
  explicit CDropSourceImpl(COleDropSource* p) : owner(p) {}
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override {
    return owner == nullptr ? DRAGDROP_S_CANCEL : Guarded([&] { return owner->QueryContinueDrag(fEscapePressed, grfKeyState); });
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD dwEffect) override {
    return owner == nullptr ? DRAGDROP_S_USEDEFAULTCURSORS : Guarded([&] { return owner->GiveFeedback(dwEffect); });
  }
};

COleDropSource::COleDropSource() : m_pInterface(new CDropSourceImpl(this)) {
  m_dwButtonDrop = MK_LBUTTON;
  m_dwButtonCancel = MK_RBUTTON;
}

COleDropSource::~COleDropSource() {
  static_cast<CDropSourceImpl*>(m_pInterface)->owner = nullptr;
  m_pInterface->Release();
}

BOOL COleDropSource::OnBeginDrag(CWnd* pWnd) {
  m_bDragStarted = FALSE;
  // The button that holds the drag drops it; the other one cancels.
  const bool right = ::GetKeyState(VK_RBUTTON) < 0 && ::GetKeyState(VK_LBUTTON) >= 0;
  m_dwButtonDrop = right ? MK_RBUTTON : MK_LBUTTON;
  m_dwButtonCancel = right ? MK_LBUTTON : MK_RBUTTON;
  HWND hWnd = pWnd->GetSafeHwnd();
  if (hWnd == nullptr) return FALSE;
  ::SetCapture(hWnd);
  const UINT upMessage = right ? WM_RBUTTONUP : WM_LBUTTONUP;
  while (::GetCapture() == hWnd) {
    MSG msg;
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::WaitMessage();
      continue;
    }
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage((int)msg.wParam);
      break;
    }
    if (msg.message == upMessage || msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN) break;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
    if (msg.message == WM_MOUSEMOVE) {
      CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
      ::ClientToScreen(msg.hwnd, &pt);
      if (!m_rectStartDrag.PtInRect(pt)) {
        m_bDragStarted = TRUE;
        break;
      }
      continue;
    }
    if ((msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
        (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST))
      continue;  // input belongs to the drag while it is decided
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  if (::GetCapture() == hWnd) ::ReleaseCapture();
  return m_bDragStarted;
}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) {
  if (bEscapePressed || (dwKeyState & m_dwButtonCancel)) return DRAGDROP_S_CANCEL;
  if (!(dwKeyState & m_dwButtonDrop)) return DRAGDROP_S_DROP;
  return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT) { return DRAGDROP_S_USEDEFAULTCURSORS; }

// ---- drop target -------------------------------------------------------------------------------

class CDropTargetImpl : public CCounted<IDropTarget> {
public:
  COleDropTarget* owner;
  COleDataObject data;
  DROPEFFECT lastEffect = DROPEFFECT_NONE;
  explicit CDropTargetImpl(COleDropTarget* p) : owner(p) {}
  CPoint ClientPoint(POINTL pt) const {
    CPoint p(pt.x, pt.y);
    ::ScreenToClient(owner->m_hWnd, &p);
    return p;
  }
  CWnd* Window() const { return CWnd::FromHandle(owner->m_hWnd); }
  // What the target answers, limited to what the source allows.
  static DROPEFFECT Allowed(DROPEFFECT answer, DWORD allowed) {
    DROPEFFECT kind = answer & (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
    return (kind & allowed) ? answer & (allowed | DROPEFFECT_SCROLL) : DROPEFFECT_NONE;
  }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override {
    if (pdwEffect == nullptr) return E_INVALIDARG;
    return Guarded([&] {
      DWORD allowed = *pdwEffect;
      *pdwEffect = DROPEFFECT_NONE;
      if (owner == nullptr || owner->m_hWnd == nullptr) return S_OK;
      pDataObj->AddRef();
      data.Attach(pDataObj, TRUE);
      lastEffect = Allowed(owner->OnDragEnter(Window(), &data, grfKeyState, ClientPoint(pt)), allowed);
      *pdwEffect = lastEffect;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override {
    if (pdwEffect == nullptr) return E_INVALIDARG;
    return Guarded([&] {
      DWORD allowed = *pdwEffect;
      *pdwEffect = DROPEFFECT_NONE;
      if (owner == nullptr || owner->m_hWnd == nullptr || data.GetIDataObject(FALSE) == nullptr) return S_OK;
      lastEffect = Allowed(owner->OnDragOver(Window(), &data, grfKeyState, ClientPoint(pt)), allowed);
      *pdwEffect = lastEffect;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    return Guarded([&] {
      if (owner != nullptr && owner->m_hWnd != nullptr) owner->OnDragLeave(Window());
      data.Release();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override {
    if (pdwEffect == nullptr) return E_INVALIDARG;
    HRESULT hr = Guarded([&] {
      DWORD allowed = *pdwEffect;
      *pdwEffect = DROPEFFECT_NONE;
      if (owner == nullptr || owner->m_hWnd == nullptr) return S_OK;
      pDataObj->AddRef();
      data.Attach(pDataObj, TRUE);
      CPoint point = ClientPoint(pt);
      // The effect the target gives at the drop point decides, unless OnDropEx decides alone.
      DROPEFFECT effect = Allowed(owner->OnDragOver(Window(), &data, grfKeyState, point), allowed);
      DROPEFFECT ex = owner->OnDropEx(Window(), &data, effect, allowed, point);
      if (ex != (DROPEFFECT)-1) {
        *pdwEffect = Allowed(ex, allowed);
      } else if (effect != DROPEFFECT_NONE && owner->OnDrop(Window(), &data, effect, point)) {
        *pdwEffect = effect & ~DROPEFFECT_SCROLL;
      }
      return S_OK;
    });
    data.Release();
    return hr;
  }
};

COleDropTarget::COleDropTarget() : m_pInterface(new CDropTargetImpl(this)) {}

COleDropTarget::~COleDropTarget() {
  if (m_hWnd != nullptr) Revoke();
  static_cast<CDropTargetImpl*>(m_pInterface)->owner = nullptr;
  m_pInterface->Release();
}

BOOL COleDropTarget::Register(CWnd* pWnd) {
  if (pWnd->GetSafeHwnd() == nullptr || m_hWnd != nullptr) return FALSE;
  if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, m_pInterface))) return FALSE;
  m_hWnd = pWnd->m_hWnd;
  return TRUE;
}

void COleDropTarget::Revoke() {
  if (m_hWnd == nullptr) return;
  ::RevokeDragDrop(m_hWnd);
  m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
void COleDropTarget::OnDragLeave(CWnd*) {}
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint) { return (DROPEFFECT)-1; }

// ---- data object -------------------------------------------------------------------------------

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease) {
  Release();
  m_lpDataObject = lpDataObject;
  m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach() {
  if (m_lpEnumerator != nullptr) {
    m_lpEnumerator->Release();
    m_lpEnumerator = nullptr;
  }
  LPDATAOBJECT p = m_lpDataObject;
  m_lpDataObject = nullptr;
  return p;
}

void COleDataObject::Release() {
  LPDATAOBJECT p = Detach();
  if (p != nullptr && m_bAutoRelease) p->Release();
}

BOOL COleDataObject::AttachClipboard() {
  LPDATAOBJECT p = nullptr;
  if (FAILED(::OleGetClipboard(&p)) || p == nullptr) return FALSE;
  Attach(p, TRUE);
  return TRUE;
}

LPDATAOBJECT COleDataObject::GetIDataObject(BOOL bAddRef) {
  if (bAddRef && m_lpDataObject != nullptr) m_lpDataObject->AddRef();
  return m_lpDataObject;
}

static FORMATETC RequestedFormat(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed) {
  FORMATETC f = lpFormatEtc != nullptr ? *lpFormatEtc : DefaultFormat(cfFormat, tymed);
  f.cfFormat = cfFormat;
  return f;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  if (m_lpDataObject == nullptr) return FALSE;
  FORMATETC f = RequestedFormat(cfFormat, lpFormatEtc,
                                TYMED_HGLOBAL | TYMED_FILE | TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_GDI | TYMED_MFPICT | TYMED_ENHMF);
  return m_lpDataObject->QueryGetData(&f) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc) {
  if (m_lpDataObject == nullptr) return FALSE;
  FORMATETC f = RequestedFormat(cfFormat, lpFormatEtc,
                                TYMED_HGLOBAL | TYMED_FILE | TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_GDI | TYMED_MFPICT | TYMED_ENHMF);
  memset(lpStgMedium, 0, sizeof(*lpStgMedium));
  return SUCCEEDED(m_lpDataObject->GetData(&f, lpStgMedium));
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  if (m_lpDataObject == nullptr) return nullptr;
  FORMATETC f = RequestedFormat(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM);
  STGMEDIUM medium = {};
  if (FAILED(m_lpDataObject->GetData(&f, &medium))) return nullptr;
  HGLOBAL h = nullptr;
  if (medium.tymed == TYMED_HGLOBAL) {
    // A block the object keeps for itself is copied; one handed over is the caller's.
    if (medium.pUnkForRelease == nullptr) {
      h = medium.hGlobal;
      medium.hGlobal = nullptr;
    } else {
      h = CopyGlobal(medium.hGlobal);
    }
  } else if (medium.tymed == TYMED_ISTREAM) {
    h = ReadStream(medium.pstm);
  }
  if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal != nullptr) ::ReleaseStgMedium(&medium);
  else if (medium.pUnkForRelease != nullptr) medium.pUnkForRelease->Release();
  return h;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  HGLOBAL h = GetGlobalData(cfFormat, lpFormatEtc);
  if (h == nullptr) return nullptr;
  auto* pFile = new CSharedFile(GMEM_MOVEABLE);
  pFile->SetHandle(h, TRUE);  // the file owns the block; its length is the block's size
  return pFile;
}

void COleDataObject::BeginEnumFormats() {
  if (m_lpEnumerator != nullptr) {
    m_lpEnumerator->Release();
    m_lpEnumerator = nullptr;
  }
  if (m_lpDataObject != nullptr) m_lpDataObject->EnumFormatEtc(DATADIR_GET, &m_lpEnumerator);
}

BOOL COleDataObject::GetNextFormat(LPFORMATETC lpFormatEtc) {
  if (m_lpEnumerator == nullptr) return FALSE;
  ULONG got = 0;
  if (m_lpEnumerator->Next(1, lpFormatEtc, &got) != S_OK || got != 1) return FALSE;
  if (lpFormatEtc->ptd != nullptr) {
    ::CoTaskMemFree(lpFormatEtc->ptd);
    lpFormatEtc->ptd = nullptr;
  }
  return TRUE;
}
