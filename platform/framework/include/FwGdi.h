// GDI wrappers (device contexts, pens, brushes, fonts, bitmaps, palettes, regions), image lists
// and menus. Each object owns its handle unless it was made by FromHandle or Detach-ed.
#pragma once
#include "FwWnd.h"
#include <commctrl.h>

class CGdiObject : public CObject {
  DECLARE_DYNCREATE(CGdiObject)
public:
  HGDIOBJ m_hObject = nullptr;
  CGdiObject() = default;
  ~CGdiObject() override { DeleteObject(); }
  operator HGDIOBJ() const { return this ? m_hObject : nullptr; }
  HGDIOBJ GetSafeHandle() const { return this ? m_hObject : nullptr; }
  static CGdiObject* FromHandle(HGDIOBJ hObject);
  static void DeleteTempMap();
  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  int GetObject(int nCount, LPVOID lpObject) const { return ::GetObjectW(m_hObject, nCount, lpObject); }
  UINT GetObjectType() const { return (UINT)::GetObjectType(m_hObject); }
  BOOL CreateStockObject(int nIndex) { return Attach(::GetStockObject(nIndex)); }
  BOOL UnrealizeObject() { return ::UnrealizeObject(m_hObject); }
};

class CPen : public CGdiObject {
  DECLARE_DYNAMIC(CPen)
public:
  CPen() = default;
  CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
  static CPen* FromHandle(HPEN h) { return (CPen*)CGdiObject::FromHandle(h); }
  operator HPEN() const { return (HPEN)GetSafeHandle(); }
  BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor) { return Attach(::CreatePen(nPenStyle, nWidth, crColor)); }
  BOOL CreatePenIndirect(LPLOGPEN lp) { return Attach(::CreatePenIndirect(lp)); }
  int GetLogPen(LOGPEN* p) { return GetObject(sizeof(LOGPEN), p); }
};

class CBrush : public CGdiObject {
  DECLARE_DYNAMIC(CBrush)
public:
  CBrush() = default;
  explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
  CBrush(int nIndex, COLORREF crColor) { CreateHatchBrush(nIndex, crColor); }
  static CBrush* FromHandle(HBRUSH h) { return (CBrush*)CGdiObject::FromHandle(h); }
  operator HBRUSH() const { return (HBRUSH)GetSafeHandle(); }
  BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
  BOOL CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }
  BOOL CreatePatternBrush(class CBitmap* pBitmap);
  BOOL CreateSysColorBrush(int nIndex) { return Attach(::GetSysColorBrush(nIndex)); }
  BOOL CreateBrushIndirect(const LOGBRUSH* lp) { return Attach(::CreateBrushIndirect(lp)); }
  int GetLogBrush(LOGBRUSH* p) { return GetObject(sizeof(LOGBRUSH), p); }
};

class CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)
public:
  static CFont* FromHandle(HFONT h) { return (CFont*)CGdiObject::FromHandle(h); }
  operator HFONT() const { return (HFONT)GetSafeHandle(); }
  BOOL CreateFontIndirect(const LOGFONTW* lp) { return Attach(::CreateFontIndirectW(lp)); }
  BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                  BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                  BYTE nQuality, BYTE nPitchAndFamily, LPCWSTR lpszFacename) {
    return Attach(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                                nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename)); }
  // nPointSize in tenths of a point, for the screen (or pDC when given).
  BOOL CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, class CDC* pDC = nullptr);
  BOOL CreatePointFontIndirect(const LOGFONTW* lpLogFont, class CDC* pDC = nullptr);
  int GetLogFont(LOGFONTW* p) { return GetObject(sizeof(LOGFONTW), p); }
};

class CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)
public:
  static CBitmap* FromHandle(HBITMAP h) { return (CBitmap*)CGdiObject::FromHandle(h); }
  operator HBITMAP() const { return (HBITMAP)GetSafeHandle(); }
  BOOL LoadBitmap(LPCWSTR lpszResourceName);
  BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEW(nIDResource)); }
  BOOL LoadOEMBitmap(UINT nIDBitmap) { return Attach(::LoadBitmapW(nullptr, MAKEINTRESOURCEW(nIDBitmap))); }
  BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) {
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits)); }
  BOOL CreateBitmapIndirect(LPBITMAP lpBitmap) { return Attach(::CreateBitmapIndirect(lpBitmap)); }
  BOOL CreateCompatibleBitmap(class CDC* pDC, int nWidth, int nHeight);
  BOOL CreateDiscardableBitmap(class CDC* pDC, int nWidth, int nHeight) { return CreateCompatibleBitmap(pDC, nWidth, nHeight); }
  int GetBitmap(BITMAP* pBitMap) { return GetObject(sizeof(BITMAP), pBitMap); }
  CSize GetBitmapDimension() const { SIZE s = {0, 0}; ::GetBitmapDimensionEx((HBITMAP)m_hObject, &s); return s; }
  DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const { return ::GetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits); }
  DWORD SetBitmapBits(DWORD dwCount, const void* lpBits) { return ::SetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits); }
};

class CPalette : public CGdiObject {
  DECLARE_DYNAMIC(CPalette)
public:
  static CPalette* FromHandle(HPALETTE h) { return (CPalette*)CGdiObject::FromHandle(h); }
  operator HPALETTE() const { return (HPALETTE)GetSafeHandle(); }
  BOOL CreatePalette(LPLOGPALETTE lpLogPalette) { return Attach(::CreatePalette(lpLogPalette)); }
  BOOL CreateHalftonePalette(class CDC* pDC);
  int GetEntryCount() { WORD n = 0; ::GetObjectW(m_hObject, sizeof(WORD), &n); return n; }
  UINT GetPaletteEntries(UINT nStart, UINT nCount, LPPALETTEENTRY p) const {
    return ::GetPaletteEntries((HPALETTE)m_hObject, nStart, nCount, p); }
  UINT SetPaletteEntries(UINT nStart, UINT nCount, LPPALETTEENTRY p) {
    return ::SetPaletteEntries((HPALETTE)m_hObject, nStart, nCount, p); }
  UINT GetNearestPaletteIndex(COLORREF c) const { return ::GetNearestPaletteIndex((HPALETTE)m_hObject, c); }
  BOOL ResizePalette(UINT n) { return ::ResizePalette((HPALETTE)m_hObject, n); }
};

class CRgn : public CGdiObject {
  DECLARE_DYNAMIC(CRgn)
public:
  static CRgn* FromHandle(HRGN h) { return (CRgn*)CGdiObject::FromHandle(h); }
  operator HRGN() const { return (HRGN)GetSafeHandle(); }
  BOOL CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
  BOOL CreateRectRgnIndirect(LPCRECT r) { return Attach(::CreateRectRgnIndirect(r)); }
  BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }
  BOOL CreateEllipticRgnIndirect(LPCRECT r) { return Attach(::CreateEllipticRgnIndirect(r)); }
  BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) { return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3)); }
  BOOL CreatePolygonRgn(LPPOINT pts, int n, int mode) { return Attach(::CreatePolygonRgn(pts, n, mode)); }
  void SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2); }
  void SetRectRgn(LPCRECT r) { SetRectRgn(r->left, r->top, r->right, r->bottom); }
  int CombineRgn(const CRgn* a, const CRgn* b, int mode) {
    return ::CombineRgn((HRGN)m_hObject, (HRGN)a->GetSafeHandle(), (HRGN)b->GetSafeHandle(), mode); }
  int CopyRgn(const CRgn* src) { return ::CombineRgn((HRGN)m_hObject, (HRGN)src->GetSafeHandle(), nullptr, RGN_COPY); }
  BOOL EqualRgn(const CRgn* o) const { return ::EqualRgn((HRGN)m_hObject, (HRGN)o->GetSafeHandle()); }
  int OffsetRgn(int x, int y) { return ::OffsetRgn((HRGN)m_hObject, x, y); }
  int OffsetRgn(POINT pt) { return OffsetRgn(pt.x, pt.y); }
  int GetRgnBox(LPRECT r) const { return ::GetRgnBox((HRGN)m_hObject, r); }
  BOOL PtInRegion(int x, int y) const { return ::PtInRegion((HRGN)m_hObject, x, y); }
  BOOL PtInRegion(POINT pt) const { return PtInRegion(pt.x, pt.y); }
  BOOL RectInRegion(LPCRECT r) const { return ::RectInRegion((HRGN)m_hObject, r); }
};

class CDC : public CObject {
  DECLARE_DYNCREATE(CDC)
public:
  HDC m_hDC = nullptr;        // output
  HDC m_hAttribDC = nullptr;  // queries (the same DC except for previews)
  BOOL m_bPrinting = FALSE;

  CDC() = default;
  ~CDC() override { if (m_hDC) ::DeleteDC(Detach()); }
  operator HDC() const { return this ? m_hDC : nullptr; }
  HDC GetSafeHdc() const { return this ? m_hDC : nullptr; }
  static CDC* FromHandle(HDC hDC);
  static void DeleteTempMap();
  BOOL Attach(HDC hDC);
  HDC Detach();
  virtual void SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
  virtual void SetOutputDC(HDC hDC) { m_hDC = hDC; }
  BOOL CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC->GetSafeHdc())); }
  BOOL CreateDC(LPCWSTR driver, LPCWSTR device, LPCWSTR output, const void* initData) {
    return Attach(::CreateDCW(driver, device, output, (const DEVMODEW*)initData)); }
  BOOL CreateIC(LPCWSTR driver, LPCWSTR device, LPCWSTR output, const void* initData) {
    return Attach(::CreateICW(driver, device, output, (const DEVMODEW*)initData)); }
  BOOL DeleteDC();
  BOOL IsPrinting() const { return m_bPrinting; }
  CWnd* GetWindow() const { return CWnd::FromHandle(::WindowFromDC(m_hDC)); }
  int SaveDC() { return ::SaveDC(m_hDC); }
  BOOL RestoreDC(int n) { return ::RestoreDC(m_hDC, n); }
  int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

  // Selection: the previous object comes back as a (temporary) wrapper.
  CGdiObject* SelectStockObject(int nIndex) { return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(nIndex))); }
  CPen* SelectObject(CPen* p) { return (CPen*)SelectGdiObject(p->GetSafeHandle()); }
  CBrush* SelectObject(CBrush* p) { return (CBrush*)SelectGdiObject(p->GetSafeHandle()); }
  CFont* SelectObject(CFont* p) { return (CFont*)SelectGdiObject(p->GetSafeHandle()); }
  CBitmap* SelectObject(CBitmap* p) { return (CBitmap*)SelectGdiObject(p->GetSafeHandle()); }
  CGdiObject* SelectObject(CGdiObject* p) { return SelectGdiObject(p->GetSafeHandle()); }
  int SelectObject(CRgn* pRgn) { return (int)(INT_PTR)::SelectObject(m_hDC, pRgn->GetSafeHandle()); }
  HGDIOBJ SelectObject(HGDIOBJ h) { return ::SelectObject(m_hDC, h); }
  CPalette* SelectPalette(CPalette* p, BOOL bForceBackground) {
    return CPalette::FromHandle(::SelectPalette(m_hDC, (HPALETTE)p->GetSafeHandle(), bForceBackground)); }
  UINT RealizePalette() { return ::RealizePalette(m_hDC); }
  CPen* GetCurrentPen() const { return CPen::FromHandle((HPEN)::GetCurrentObject(m_hDC, OBJ_PEN)); }
  CBrush* GetCurrentBrush() const { return CBrush::FromHandle((HBRUSH)::GetCurrentObject(m_hDC, OBJ_BRUSH)); }
  CFont* GetCurrentFont() const { return CFont::FromHandle((HFONT)::GetCurrentObject(m_hDC, OBJ_FONT)); }
  CBitmap* GetCurrentBitmap() const { return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hDC, OBJ_BITMAP)); }

  // Attributes.
  COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
  COLORREF GetTextColor() const { return ::GetTextColor(m_hAttribDC); }
  COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
  COLORREF GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
  int SetBkMode(int n) { return ::SetBkMode(m_hDC, n); }
  int GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
  int SetROP2(int n) { return ::SetROP2(m_hDC, n); }
  UINT SetTextAlign(UINT n) { return ::SetTextAlign(m_hDC, n); }
  int SetMapMode(int n) { return ::SetMapMode(m_hDC, n); }
  int GetMapMode() const { return ::GetMapMode(m_hAttribDC); }
  CPoint SetViewportOrg(int x, int y) { POINT p; ::SetViewportOrgEx(m_hDC, x, y, &p); return p; }
  CPoint SetViewportOrg(POINT pt) { return SetViewportOrg(pt.x, pt.y); }
  CPoint OffsetViewportOrg(int x, int y) { POINT p; ::OffsetViewportOrgEx(m_hDC, x, y, &p); return p; }
  CPoint GetViewportOrg() const { POINT p; ::GetViewportOrgEx(m_hAttribDC, &p); return p; }
  CPoint SetWindowOrg(int x, int y) { POINT p; ::SetWindowOrgEx(m_hDC, x, y, &p); return p; }
  CPoint SetWindowOrg(POINT pt) { return SetWindowOrg(pt.x, pt.y); }
  CPoint GetWindowOrg() const { POINT p; ::GetWindowOrgEx(m_hAttribDC, &p); return p; }
  CSize SetViewportExt(int cx, int cy) { SIZE s; ::SetViewportExtEx(m_hDC, cx, cy, &s); return s; }
  CSize SetWindowExt(int cx, int cy) { SIZE s; ::SetWindowExtEx(m_hDC, cx, cy, &s); return s; }
  CPoint SetBrushOrg(int x, int y) { POINT p; ::SetBrushOrgEx(m_hDC, x, y, &p); return p; }
  void DPtoLP(LPPOINT p, int n = 1) const { ::DPtoLP(m_hAttribDC, p, n); }
  void DPtoLP(LPRECT r) const { ::DPtoLP(m_hAttribDC, (LPPOINT)r, 2); }
  void LPtoDP(LPPOINT p, int n = 1) const { ::LPtoDP(m_hAttribDC, p, n); }
  void LPtoDP(LPRECT r) const { ::LPtoDP(m_hAttribDC, (LPPOINT)r, 2); }

  // Clipping.
  int GetClipBox(LPRECT r) const { return ::GetClipBox(m_hDC, r); }
  int IntersectClipRect(int l, int t, int r, int b) { return ::IntersectClipRect(m_hDC, l, t, r, b); }
  int IntersectClipRect(LPCRECT r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }
  int ExcludeClipRect(int l, int t, int r, int b) { return ::ExcludeClipRect(m_hDC, l, t, r, b); }
  int ExcludeClipRect(LPCRECT r) { return ExcludeClipRect(r->left, r->top, r->right, r->bottom); }
  int SelectClipRgn(CRgn* pRgn) { return ::SelectClipRgn(m_hDC, (HRGN)pRgn->GetSafeHandle()); }
  int SelectClipRgn(CRgn* pRgn, int nMode) { return ::ExtSelectClipRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), nMode); }
  BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
  BOOL RectVisible(LPCRECT r) const { return ::RectVisible(m_hDC, r); }

  // Drawing.
  CPoint MoveTo(int x, int y) { POINT p; ::MoveToEx(m_hDC, x, y, &p); return p; }
  CPoint MoveTo(POINT pt) { return MoveTo(pt.x, pt.y); }
  BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
  BOOL LineTo(POINT pt) { return LineTo(pt.x, pt.y); }
  CPoint GetCurrentPosition() const { POINT p; ::GetCurrentPositionEx(m_hAttribDC, &p); return p; }
  BOOL Polyline(const POINT* p, int n) { return ::Polyline(m_hDC, p, n); }
  BOOL Polygon(const POINT* p, int n) { return ::Polygon(m_hDC, p, n); }
  BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
  BOOL Rectangle(LPCRECT r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
  BOOL RoundRect(int l, int t, int r, int b, int w, int h) { return ::RoundRect(m_hDC, l, t, r, b, w, h); }
  BOOL RoundRect(LPCRECT r, POINT pt) { return RoundRect(r->left, r->top, r->right, r->bottom, pt.x, pt.y); }
  BOOL Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
  BOOL Ellipse(LPCRECT r) { return Ellipse(r->left, r->top, r->right, r->bottom); }
  BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) { return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4); }
  BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) { return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4); }
  void FillRect(LPCRECT r, CBrush* pBrush) { ::FillRect(m_hDC, r, (HBRUSH)pBrush->GetSafeHandle()); }
  void FrameRect(LPCRECT r, CBrush* pBrush) { ::FrameRect(m_hDC, r, (HBRUSH)pBrush->GetSafeHandle()); }
  void InvertRect(LPCRECT r) { ::InvertRect(m_hDC, r); }
  BOOL FillRgn(CRgn* pRgn, CBrush* pBrush) { return ::FillRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), (HBRUSH)pBrush->GetSafeHandle()); }
  BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int w, int h) {
    return ::FrameRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), (HBRUSH)pBrush->GetSafeHandle(), w, h); }
  void FillSolidRect(LPCRECT r, COLORREF c);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF c);
  void Draw3dRect(LPCRECT r, COLORREF clrTopLeft, COLORREF clrBottomRight);
  // Inverts the frame of lpRect (size thick) with pBrush, undoing the last frame drawn.
  void DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush = nullptr,
                    CBrush* pBrushLast = nullptr);
  // The 50% grey checker brush of drag outlines (shared, never deleted by callers).
  static CBrush* GetHalftoneBrush();
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
  BOOL DrawEdge(LPRECT r, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, r, nEdge, nFlags); }
  BOOL DrawFrameControl(LPRECT r, UINT nType, UINT nState) { return ::DrawFrameControl(m_hDC, r, nType, nState); }
  void DrawFocusRect(LPCRECT r) { ::DrawFocusRect(m_hDC, r); }
  BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
  BOOL DrawIcon(POINT pt, HICON hIcon) { return DrawIcon(pt.x, pt.y, hIcon); }
  BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush = nullptr) {
    return ::DrawStateW(m_hDC, (HBRUSH)pBrush->GetSafeHandle(), nullptr, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_ICON); }
  BOOL DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush = nullptr) {
    return ::DrawStateW(m_hDC, hBrush, nullptr, (LPARAM)hBitmap, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_BITMAP); }
  COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
  COLORREF SetPixel(POINT pt, COLORREF c) { return SetPixel(pt.x, pt.y, c); }
  COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
  COLORREF GetPixel(POINT pt) const { return GetPixel(pt.x, pt.y); }
  COLORREF GetNearestColor(COLORREF c) const { return ::GetNearestColor(m_hAttribDC, c); }
  BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
  BOOL BitBlt(int x, int y, int w, int h, CDC* pSrc, int xSrc, int ySrc, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, w, h, pSrc->GetSafeHdc(), xSrc, ySrc, rop); }
  BOOL StretchBlt(int x, int y, int w, int h, CDC* pSrc, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, w, h, pSrc->GetSafeHdc(), xSrc, ySrc, wSrc, hSrc, rop); }
  int SetStretchBltMode(int n) { return ::SetStretchBltMode(m_hDC, n); }
  BOOL TransparentBlt(int x, int y, int w, int h, CDC* pSrc, int xSrc, int ySrc, int wSrc, int hSrc, UINT clrTransparent) {
    return ::TransparentBlt(m_hDC, x, y, w, h, pSrc->GetSafeHdc(), xSrc, ySrc, wSrc, hSrc, clrTransparent); }

  // Text.
  BOOL TextOut(int x, int y, LPCWSTR s, int n) { return ::TextOutW(m_hDC, x, y, s, n); }
  BOOL TextOut(int x, int y, const CString& s) { return TextOut(x, y, s, s.GetLength()); }
  BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT r, LPCWSTR s, UINT n, LPINT dx) {
    return ::ExtTextOutW(m_hDC, x, y, nOptions, r, s, n, dx); }
  BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT r, const CString& s, LPINT dx) {
    return ExtTextOut(x, y, nOptions, r, s, (UINT)s.GetLength(), dx); }
  int DrawText(LPCWSTR s, int n, LPRECT r, UINT nFormat) { return ::DrawTextW(m_hDC, s, n, r, nFormat); }
  int DrawText(const CString& s, LPRECT r, UINT nFormat) { return DrawText(s, s.GetLength(), r, nFormat); }
  CSize GetTextExtent(LPCWSTR s, int n) const { SIZE sz = {0, 0}; ::GetTextExtentPoint32W(m_hAttribDC, s, n, &sz); return sz; }
  CSize GetTextExtent(const CString& s) const { return GetTextExtent(s, s.GetLength()); }
  CSize GetOutputTextExtent(const CString& s) const { SIZE sz = {0, 0}; ::GetTextExtentPoint32W(m_hDC, s, s.GetLength(), &sz); return sz; }
  CSize GetTabbedTextExtent(LPCWSTR s, int n, int nTabs, LPINT tabs) const {
    DWORD d = ::GetTabbedTextExtentW(m_hAttribDC, s, n, nTabs, tabs); return CSize(LOWORD(d), HIWORD(d)); }
  BOOL GetTextMetrics(LPTEXTMETRICW tm) const { return ::GetTextMetricsW(m_hAttribDC, tm); }
  int GetTextFace(CString& rString) const;
  int GetTextCharacterExtra() const { return ::GetTextCharacterExtra(m_hAttribDC); }
  BOOL GetCharWidth(UINT first, UINT last, LPINT buf) const { return ::GetCharWidth32W(m_hAttribDC, first, last, buf); }

  // Printing.
  int StartDoc(LPDOCINFOW lpDocInfo) { return ::StartDocW(m_hDC, lpDocInfo); }
  int StartDoc(LPCWSTR lpszDocName) { DOCINFOW di = {sizeof(di), lpszDocName, nullptr, nullptr, 0}; return StartDoc(&di); }
  int EndDoc() { return ::EndDoc(m_hDC); }
  int StartPage() { return ::StartPage(m_hDC); }
  int EndPage() { return ::EndPage(m_hDC); }
  int AbortDoc() { return ::AbortDoc(m_hDC); }
  int SetAbortProc(ABORTPROC p) { return ::SetAbortProc(m_hDC, p); }
  int Escape(int nEscape, int nCount, LPCSTR in, LPVOID out) { return ::Escape(m_hDC, nEscape, nCount, in, out); }

protected:
  // Into the output DC, and into the attribute DC too when that is another (a preview's printer),
  // so that measuring sees what drawing uses.
  CGdiObject* SelectGdiObject(HGDIOBJ h) {
    HGDIOBJ old = ::SelectObject(m_hDC, h);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC && ::GetObjectType(h) != OBJ_BITMAP) {
      HGDIOBJ oldAttrib = ::SelectObject(m_hAttribDC, h);
      if (m_hDC == nullptr) old = oldAttrib;
    }
    return CGdiObject::FromHandle(old);
  }
};

// Paint DC between BeginPaint and EndPaint.
class CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)
public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps;
protected:
  HWND m_hWnd;
};

// DC of a window's client area, released on destruction.
class CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)
public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;
protected:
  HWND m_hWnd;
};

// DC of a whole window including its non-client area.
class CWindowDC : public CDC {
  DECLARE_DYNAMIC(CWindowDC)
public:
  explicit CWindowDC(CWnd* pWnd);
  ~CWindowDC() override;
protected:
  HWND m_hWnd;
};

class CImageList : public CObject {
  DECLARE_DYNCREATE(CImageList)
public:
  HIMAGELIST m_hImageList = nullptr;
  CImageList() = default;
  ~CImageList() override { DeleteImageList(); }
  operator HIMAGELIST() const { return this ? m_hImageList : nullptr; }
  HIMAGELIST GetSafeHandle() const { return this ? m_hImageList : nullptr; }
  static CImageList* FromHandle(HIMAGELIST h);
  static void DeleteTempMap();
  BOOL Attach(HIMAGELIST h);
  HIMAGELIST Detach();
  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
  BOOL Create(CImageList* pImageList) { return Attach(ImageList_Duplicate(pImageList->m_hImageList)); }
  BOOL DeleteImageList();
  int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
  int Add(CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), (HBITMAP)pbmMask->GetSafeHandle()); }
  int Add(CBitmap* pbmImage, COLORREF crMask) {
    return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), crMask); }
  int Add(HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, -1, hIcon); }
  BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
  BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Replace(m_hImageList, nImage, (HBITMAP)pbmImage->GetSafeHandle(), (HBITMAP)pbmMask->GetSafeHandle()); }
  int Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
  HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }
  BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle); }
  COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
  COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
  BOOL GetImageInfo(int nImage, IMAGEINFO* p) const { return ImageList_GetImageInfo(m_hImageList, nImage, p); }
  BOOL SetImageCount(UINT n) { return ImageList_SetImageCount(m_hImageList, n); }
};

class CMenu : public CObject {
  DECLARE_DYNCREATE(CMenu)
public:
  HMENU m_hMenu = nullptr;
  CMenu() = default;
  ~CMenu() override { DestroyMenu(); }
  operator HMENU() const { return this ? m_hMenu : nullptr; }
  HMENU GetSafeHmenu() const { return this ? m_hMenu : nullptr; }
  static CMenu* FromHandle(HMENU hMenu);
  static CMenu* FromHandlePermanent(HMENU hMenu);
  static void DeleteTempMap();
  BOOL Attach(HMENU hMenu);
  HMENU Detach();
  BOOL CreateMenu() { return Attach(::CreateMenu()); }
  BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
  BOOL LoadMenu(LPCWSTR lpszResourceName);
  BOOL LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCEW(nIDResource)); }
  BOOL LoadMenuIndirect(const void* lpMenuTemplate) { return Attach(::LoadMenuIndirectW(lpMenuTemplate)); }
  BOOL DestroyMenu();
  BOOL DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr) {
    return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem); }
  BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr) {
    return ::InsertMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem); }
  BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr) {
    return ::ModifyMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem); }
  BOOL RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
  UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
  UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return (UINT)::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
  BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags) {
    return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags); }
  BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE) { return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos); }
  UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE) { return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags); }
  UINT GetMenuItemCount() const { return (UINT)::GetMenuItemCount(m_hMenu); }
  UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
  UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
  int GetMenuString(UINT nIDItem, LPWSTR lpString, int nMaxCount, UINT nFlags) const {
    return ::GetMenuStringW(m_hMenu, nIDItem, lpString, nMaxCount, nFlags); }
  int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
  BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFOW lpInfo, BOOL fByPos = FALSE) {
    return ::GetMenuItemInfoW(m_hMenu, uItem, fByPos, lpInfo); }
  BOOL SetMenuItemInfo(UINT uItem, LPMENUITEMINFOW lpInfo, BOOL fByPos = FALSE) {
    return ::SetMenuItemInfoW(m_hMenu, uItem, fByPos, lpInfo); }
  CMenu* GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }
  BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr) {
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect); }
  BOOL SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pUnchecked, const CBitmap* pChecked) {
    return ::SetMenuItemBitmaps(m_hMenu, nPosition, nFlags, (HBITMAP)pUnchecked->GetSafeHandle(), (HBITMAP)pChecked->GetSafeHandle()); }
  // Owner-draw hooks.
  virtual void DrawItem(LPDRAWITEMSTRUCT) {}
  virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
};
