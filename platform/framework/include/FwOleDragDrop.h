// OLE drag and drop: the data offered (COleDataSource), the data received (COleDataObject),
// the side that drags (COleDropSource), the window that takes drops (COleDropTarget).
#pragma once
#include "FwWnd.h"
#include "FwFile.h"
#include <ole2.h>
#include <vector>

typedef DWORD DROPEFFECT;

// A failed OLE call, by its status code.
class COleException : public CException {
  DECLARE_DYNAMIC(COleException)
public:
  explicit COleException(SCODE sc = E_FAIL) : m_sc(sc) {}
  static SCODE Process(const CException* pAnyException);
  BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;
  SCODE m_sc;
};
[[noreturn]] void AfxThrowOleException(SCODE sc);

// The data of a drop or of the clipboard, read through the object's IDataObject.
class COleDataObject {
public:
  COleDataObject() = default;
  ~COleDataObject() { Release(); }
  COleDataObject(const COleDataObject&) = delete;
  COleDataObject& operator=(const COleDataObject&) = delete;
  void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
  LPDATAOBJECT Detach();
  void Release();
  BOOL AttachClipboard();
  LPDATAOBJECT GetIDataObject(BOOL bAddRef);
  BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
  // The medium as the object gives it (the caller releases it with ReleaseStgMedium).
  BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
  // A global block the caller owns (a copy when the object keeps its own), or null.
  HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
  // The data as a memory file the caller deletes, or null; it holds the object's block and
  // never reads beyond it.
  CFile* GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
  void BeginEnumFormats();
  BOOL GetNextFormat(LPFORMATETC lpFormatEtc);
protected:
  LPDATAOBJECT m_lpDataObject = nullptr;
  LPENUMFORMATETC m_lpEnumerator = nullptr;
  BOOL m_bAutoRelease = TRUE;
};

// The dragging side: decides when a drag begins, when it drops or ends, and the feedback.
class COleDropSource : public CCmdTarget {
public:
  COleDropSource();
  ~COleDropSource() override;
  // Runs until the pointer leaves the start rectangle with the button held (TRUE), or the
  // button is let go or Esc pressed first (FALSE: no drag).
  virtual BOOL OnBeginDrag(CWnd* pWnd);
  // Esc cancels; letting go of the button that started the drag drops; the other button cancels.
  virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
  virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
  IDropSource* GetInterface() { return m_pInterface; }

  CRect m_rectStartDrag;
  BOOL m_bDragStarted = FALSE;
  DWORD m_dwButtonCancel = 0;
  DWORD m_dwButtonDrop = 0;
protected:
  IDropSource* m_pInterface;  // counted; holds this object only while the object lives
  friend class COleDataSource;
};

// The data offered by a drag (or put on the clipboard): formats cached in global memory or
// in any medium; the object owns what it caches.
class COleDataSource : public CCmdTarget {
public:
  COleDataSource();
  ~COleDataSource() override;
  void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
  void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
  void Empty();
  // Drags the data: nothing happens until the pointer leaves lpRectStartDrag (the drop
  // source's OnBeginDrag); answers the effect of the drop, DROPEFFECT_NONE when there was none.
  DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                        LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);
  void SetClipboard();
  LPDATAOBJECT GetInterface() { return m_pInterface; }
protected:
  LPDATAOBJECT m_pInterface;  // the counted object that holds the cache
};

// A window's drop target: Register hands it to OLE, the virtuals answer the drag over it with
// points in the window's client coordinates.
class COleDropTarget : public CCmdTarget {
public:
  COleDropTarget();
  ~COleDropTarget() override;
  BOOL Register(CWnd* pWnd);
  virtual void Revoke();
  virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual void OnDragLeave(CWnd* pWnd);
  virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
  // -1: not handled here, OnDrop decides.
  virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
                              CPoint point);
  HWND m_hWnd = nullptr;
protected:
  IDropTarget* m_pInterface;
  friend class CDropTargetImpl;
};
