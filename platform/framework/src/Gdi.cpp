// GDI objects, device contexts, image lists and menus: handle maps and the non-inline members.
#include "Framework.h"
#include "HandleMap.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)
IMPLEMENT_DYNCREATE(CImageList, CObject)
IMPLEMENT_DYNCREATE(CMenu, CObject)

static CHandleMap<CGdiObject, HGDIOBJ>& GdiMap() { static CHandleMap<CGdiObject, HGDIOBJ> m; return m; }
static CHandleMap<CDC, HDC>& DCMap() { static CHandleMap<CDC, HDC> m; return m; }
static CHandleMap<CMenu, HMENU>& MenuMap() { static CHandleMap<CMenu, HMENU> m; return m; }
static CHandleMap<CImageList, HIMAGELIST>& ImageListMap() { static CHandleMap<CImageList, HIMAGELIST> m; return m; }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ h) {
  return GdiMap().FromHandle(h, [](HGDIOBJ hObj) -> CGdiObject* {
    CGdiObject* p;
    switch (::GetObjectType(hObj)) {
      case OBJ_PEN: case OBJ_EXTPEN: p = new CPen; break;
      case OBJ_BRUSH: p = new CBrush; break;
      case OBJ_FONT: p = new CFont; break;
      case OBJ_BITMAP: p = new CBitmap; break;
      case OBJ_PAL: p = new CPalette; break;
      case OBJ_REGION: p = new CRgn; break;
      default: p = new CGdiObject; break;
    }
    p->m_hObject = hObj;
    return p;
  });
}

void CGdiObject::DeleteTempMap() {
  GdiMap().DeleteTemp([](CGdiObject* p) { p->m_hObject = nullptr; delete p; });
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  if (hObject == nullptr) return FALSE;
  if (m_hObject != nullptr) DeleteObject();
  m_hObject = hObject;
  GdiMap().SetPermanent(hObject, this);
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  if (h != nullptr) GdiMap().RemoveHandle(h);
  m_hObject = nullptr;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (m_hObject == nullptr) return FALSE;
  return ::DeleteObject(Detach());
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
  return Attach(::CreatePatternBrush((HBITMAP)pBitmap->GetSafeHandle()));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, CDC* pDC) {
  LOGFONTW lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = nPointSize;
  lstrcpynW(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
  return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTW* lpLogFont, CDC* pDC) {
  HDC hDC = pDC ? pDC->m_hAttribDC : ::GetDC(nullptr);
  LOGFONTW lf = *lpLogFont;
  POINT pt = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lf.lfHeight, 720)};
  ::DPtoLP(hDC, &pt, 1);
  POINT ptOrg = {0, 0};
  ::DPtoLP(hDC, &ptOrg, 1);
  lf.lfHeight = -abs(pt.y - ptOrg.y);
  if (pDC == nullptr) ::ReleaseDC(nullptr, hDC);
  return CreateFontIndirect(&lf);
}

BOOL CBitmap::LoadBitmap(LPCWSTR lpszResourceName) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, (LPCWSTR)RT_BITMAP);
  return Attach(::LoadBitmapW(hInst, lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
  return Attach(::CreateCompatibleBitmap(pDC->GetSafeHdc(), nWidth, nHeight));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC) { return Attach(::CreateHalftonePalette(pDC->GetSafeHdc())); }

// ---- CDC -------------------------------------------------------------------------------------
CDC* CDC::FromHandle(HDC hDC) {
  return DCMap().FromHandle(hDC, [](HDC h) { CDC* p = new CDC; p->m_hDC = p->m_hAttribDC = h; return p; });
}

void CDC::DeleteTempMap() {
  DCMap().DeleteTemp([](CDC* p) { p->m_hDC = p->m_hAttribDC = nullptr; delete p; });
}

BOOL CDC::Attach(HDC hDC) {
  if (hDC == nullptr) return FALSE;
  m_hDC = m_hAttribDC = hDC;
  DCMap().SetPermanent(hDC, this);
  return TRUE;
}

HDC CDC::Detach() {
  HDC h = m_hDC;
  if (h != nullptr) DCMap().RemoveHandle(h);
  m_hDC = m_hAttribDC = nullptr;
  return h;
}

BOOL CDC::DeleteDC() {
  if (m_hDC == nullptr) return FALSE;
  return ::DeleteDC(Detach());
}

void CDC::FillSolidRect(LPCRECT r, COLORREF c) {
  COLORREF old = ::SetBkColor(m_hDC, c);
  ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, r, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF c) {
  RECT r = {x, y, x + cx, y + cy};
  FillSolidRect(&r, c);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
  FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
  FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
  FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

void CDC::Draw3dRect(LPCRECT r, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, clrTopLeft, clrBottomRight);
}

int CDC::GetTextFace(CString& rString) const {
  int n = ::GetTextFaceW(m_hAttribDC, 0, nullptr);
  int got = ::GetTextFaceW(m_hAttribDC, n, rString.GetBuffer(n));
  rString.ReleaseBuffer();
  return got;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) {
  if (!Attach(::BeginPaint(m_hWnd, &m_ps))) AfxThrowResourceException();
}
CPaintDC::~CPaintDC() {
  ::EndPaint(m_hWnd, &m_ps);
  Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()) {
  if (!Attach(::GetDC(m_hWnd))) AfxThrowResourceException();
}
CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()) {
  if (!Attach(::GetWindowDC(m_hWnd))) AfxThrowResourceException();
}
CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }

// ---- CImageList ---------------------------------------------------------------------------------
CImageList* CImageList::FromHandle(HIMAGELIST h) {
  return ImageListMap().FromHandle(h, [](HIMAGELIST hl) { CImageList* p = new CImageList; p->m_hImageList = hl; return p; });
}

void CImageList::DeleteTempMap() {
  ImageListMap().DeleteTemp([](CImageList* p) { p->m_hImageList = nullptr; delete p; });
}

BOOL CImageList::Attach(HIMAGELIST h) {
  if (h == nullptr) return FALSE;
  m_hImageList = h;
  ImageListMap().SetPermanent(h, this);
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST h = m_hImageList;
  if (h != nullptr) ImageListMap().RemoveHandle(h);
  m_hImageList = nullptr;
  return h;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
  HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEW(nBitmapID), (LPCWSTR)RT_BITMAP);
  return Attach(ImageList_LoadImageW(hInst, MAKEINTRESOURCEW(nBitmapID), cx, nGrow, crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::DeleteImageList() {
  if (m_hImageList == nullptr) return FALSE;
  return ImageList_Destroy(Detach());
}

// ---- CMenu ------------------------------------------------------------------------------------
CMenu* CMenu::FromHandle(HMENU hMenu) {
  return MenuMap().FromHandle(hMenu, [](HMENU h) { CMenu* p = new CMenu; p->m_hMenu = h; return p; });
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) { return hMenu ? MenuMap().LookupPermanent(hMenu) : nullptr; }

void CMenu::DeleteTempMap() {
  MenuMap().DeleteTemp([](CMenu* p) { p->m_hMenu = nullptr; delete p; });
}

BOOL CMenu::Attach(HMENU hMenu) {
  if (hMenu == nullptr) return FALSE;
  m_hMenu = hMenu;
  MenuMap().SetPermanent(hMenu, this);
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU h = m_hMenu;
  if (h != nullptr) MenuMap().RemoveHandle(h);
  m_hMenu = nullptr;
  return h;
}

BOOL CMenu::DestroyMenu() {
  if (m_hMenu == nullptr) return FALSE;
  return ::DestroyMenu(Detach());
}

BOOL CMenu::LoadMenu(LPCWSTR lpszResourceName) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, (LPCWSTR)RT_MENU);
  return Attach(::LoadMenuW(hInst, lpszResourceName));
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  int n = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
  int got = ::GetMenuStringW(m_hMenu, nIDItem, rString.GetBuffer(n + 1), n + 1, nFlags);
  rString.ReleaseBuffer(got);
  return got;
}
