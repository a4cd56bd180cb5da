// CPoint, CSize and CRect: the Win32 POINT, SIZE and RECT with arithmetic.
#pragma once
#include <windows.h>

class CSize;
class CRect;

class CPoint : public tagPOINT {
public:
  CPoint() { x = 0; y = 0; }
  CPoint(int initX, int initY) { x = initX; y = initY; }
  CPoint(POINT pt) { x = pt.x; y = pt.y; }
  CPoint(SIZE s) { x = s.cx; y = s.cy; }
  explicit CPoint(DWORD dwPoint) { x = (short)LOWORD(dwPoint); y = (short)HIWORD(dwPoint); }
  void Offset(int dx, int dy) { x += dx; y += dy; }
  void Offset(POINT pt) { x += pt.x; y += pt.y; }
  void SetPoint(int X, int Y) { x = X; y = Y; }
  bool operator==(POINT pt) const { return x == pt.x && y == pt.y; }
  bool operator!=(POINT pt) const { return !(*this == pt); }
  void operator+=(SIZE s) { x += s.cx; y += s.cy; }
  void operator-=(SIZE s) { x -= s.cx; y -= s.cy; }
  void operator+=(POINT p) { x += p.x; y += p.y; }
  void operator-=(POINT p) { x -= p.x; y -= p.y; }
  CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
  CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
  CPoint operator-() const { return CPoint(-x, -y); }
  CPoint operator+(POINT p) const { return CPoint(x + p.x, y + p.y); }
  inline CSize operator-(POINT p) const;
};

class CSize : public tagSIZE {
public:
  CSize() { cx = 0; cy = 0; }
  CSize(int initCX, int initCY) { cx = initCX; cy = initCY; }
  CSize(SIZE s) { cx = s.cx; cy = s.cy; }
  CSize(POINT pt) { cx = pt.x; cy = pt.y; }
  explicit CSize(DWORD dwSize) { cx = (short)LOWORD(dwSize); cy = (short)HIWORD(dwSize); }
  bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
  bool operator!=(SIZE s) const { return !(*this == s); }
  void operator+=(SIZE s) { cx += s.cx; cy += s.cy; }
  void operator-=(SIZE s) { cx -= s.cx; cy -= s.cy; }
  void SetSize(int CX, int CY) { cx = CX; cy = CY; }
  CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
  CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
  CSize operator-() const { return CSize(-cx, -cy); }
};

inline CSize CPoint::operator-(POINT p) const { return CSize(x - p.x, y - p.y); }

class CRect : public tagRECT {
public:
  CRect() { left = top = right = bottom = 0; }
  CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
  CRect(const RECT& r) { ::CopyRect(this, &r); }
  CRect(LPCRECT lpr) { if (lpr) ::CopyRect(this, lpr); else left = top = right = bottom = 0; }
  CRect(POINT pt, SIZE s) { left = pt.x; top = pt.y; right = pt.x + s.cx; bottom = pt.y + s.cy; }
  CRect(POINT topLeft, POINT bottomRight) { left = topLeft.x; top = topLeft.y; right = bottomRight.x; bottom = bottomRight.y; }

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
  CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
  const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
  const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }

  BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
  BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
  BOOL PtInRect(POINT pt) const { return ::PtInRect(this, pt); }
  void SetRect(int l, int t, int r, int b) { ::SetRect(this, l, t, r, b); }
  void SetRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
  void SetRectEmpty() { ::SetRectEmpty(this); }
  void CopyRect(LPCRECT lpSrc) { ::CopyRect(this, lpSrc); }
  BOOL EqualRect(LPCRECT lpRect) const { return ::EqualRect(this, lpRect); }
  void InflateRect(int x, int y) { ::InflateRect(this, x, y); }
  void InflateRect(SIZE s) { ::InflateRect(this, s.cx, s.cy); }
  void InflateRect(LPCRECT r) { left -= r->left; top -= r->top; right += r->right; bottom += r->bottom; }
  void InflateRect(int l, int t, int r, int b) { left -= l; top -= t; right += r; bottom += b; }
  void DeflateRect(int x, int y) { ::InflateRect(this, -x, -y); }
  void DeflateRect(SIZE s) { ::InflateRect(this, -s.cx, -s.cy); }
  void DeflateRect(LPCRECT r) { left += r->left; top += r->top; right -= r->right; bottom -= r->bottom; }
  void DeflateRect(int l, int t, int r, int b) { left += l; top += t; right -= r; bottom -= b; }
  void OffsetRect(int x, int y) { ::OffsetRect(this, x, y); }
  void OffsetRect(POINT pt) { ::OffsetRect(this, pt.x, pt.y); }
  void OffsetRect(SIZE s) { ::OffsetRect(this, s.cx, s.cy); }
  void MoveToX(int x) { right = Width() + x; left = x; }
  void MoveToY(int y) { bottom = Height() + y; top = y; }
  void MoveToXY(int x, int y) { MoveToX(x); MoveToY(y); }
  void MoveToXY(POINT pt) { MoveToXY(pt.x, pt.y); }
  void NormalizeRect() {
    if (left > right) { int t = left; left = right; right = t; }
    if (top > bottom) { int t = top; top = bottom; bottom = t; }
  }
  BOOL IntersectRect(LPCRECT a, LPCRECT b) { return ::IntersectRect(this, a, b); }
  BOOL UnionRect(LPCRECT a, LPCRECT b) { return ::UnionRect(this, a, b); }
  BOOL SubtractRect(LPCRECT a, LPCRECT b) { return ::SubtractRect(this, a, b); }

  void operator=(const RECT& r) { ::CopyRect(this, &r); }
  bool operator==(const RECT& r) const { return ::EqualRect(this, &r) != 0; }
  bool operator!=(const RECT& r) const { return !(*this == r); }
  void operator+=(POINT pt) { OffsetRect(pt); }
  void operator+=(SIZE s) { OffsetRect(s); }
  void operator-=(POINT pt) { OffsetRect(-pt.x, -pt.y); }
  void operator-=(SIZE s) { OffsetRect(-s.cx, -s.cy); }
  void operator&=(const RECT& r) { ::IntersectRect(this, this, &r); }
  void operator|=(const RECT& r) { ::UnionRect(this, this, &r); }
  CRect operator+(POINT pt) const { CRect r(*this); r.OffsetRect(pt); return r; }
  CRect operator-(POINT pt) const { CRect r(*this); r.OffsetRect(-pt.x, -pt.y); return r; }
  CRect operator&(const RECT& r2) const { CRect r; ::IntersectRect(&r, this, &r2); return r; }
  CRect operator|(const RECT& r2) const { CRect r; ::UnionRect(&r, this, &r2); return r; }
};
