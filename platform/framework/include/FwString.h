// CString: the program's UTF-16 string.
#pragma once
#include "FwObject.h"
#include <string>
#include <stdarg.h>

class CString {
public:
  CString() = default;
  CString(const CString& s) = default;
  CString(CString&& s) noexcept = default;
  // A pointer made with MAKEINTRESOURCE loads that string from the resource handle.
  CString(LPCWSTR psz);
  CString(LPCWSTR pch, int nLength) : m_s(pch ? std::wstring(pch, nLength) : std::wstring()) {}
  CString(LPCSTR psz);   // converted from the ANSI code page
  CString(LPCSTR pch, int nLength);
  explicit CString(wchar_t ch, int nRepeat = 1) : m_s(nRepeat > 0 ? nRepeat : 0, ch) {}
  CString(const std::wstring& s) : m_s(s) {}

  CString& operator=(const CString& s) = default;
  CString& operator=(CString&& s) noexcept = default;
  CString& operator=(LPCWSTR psz) { m_s = psz ? psz : L""; return *this; }
  CString& operator=(LPCSTR psz) { return *this = CString(psz); }
  CString& operator=(wchar_t ch) { m_s.assign(1, ch); return *this; }

  CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
  CString& operator+=(LPCWSTR psz) { if (psz) m_s += psz; return *this; }
  CString& operator+=(wchar_t ch) { m_s += ch; return *this; }
  CString& operator+=(char ch) { m_s += (wchar_t)(unsigned char)ch; return *this; }

  int GetLength() const { return (int)m_s.size(); }
  BOOL IsEmpty() const { return m_s.empty(); }
  void Empty() { m_s.clear(); }
  wchar_t GetAt(int i) const { return m_s[(size_t)i]; }
  wchar_t operator[](int i) const { return m_s[(size_t)i]; }
  void SetAt(int i, wchar_t ch) { m_s[(size_t)i] = ch; }
  operator LPCWSTR() const { return m_s.c_str(); }
  LPCWSTR GetString() const { return m_s.c_str(); }
  const std::wstring& str() const { return m_s; }

  int Compare(LPCWSTR psz) const { return wcscmp(m_s.c_str(), psz ? psz : L""); }
  int CompareNoCase(LPCWSTR psz) const { return _wcsicmp(m_s.c_str(), psz ? psz : L""); }
  int Collate(LPCWSTR psz) const { return wcscoll(m_s.c_str(), psz ? psz : L""); }
  int CollateNoCase(LPCWSTR psz) const { return _wcsicoll(m_s.c_str(), psz ? psz : L""); }

  CString Mid(int iFirst) const { return Mid(iFirst, GetLength() - iFirst); }
  CString Mid(int iFirst, int nCount) const;
  CString Left(int nCount) const { return Mid(0, nCount); }
  CString Right(int nCount) const;
  CString SpanIncluding(LPCWSTR pszCharSet) const;
  CString SpanExcluding(LPCWSTR pszCharSet) const;

  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();
  int Replace(wchar_t chOld, wchar_t chNew);
  int Replace(LPCWSTR pszOld, LPCWSTR pszNew);
  int Remove(wchar_t ch);
  int Insert(int iIndex, wchar_t ch);
  int Insert(int iIndex, LPCWSTR psz);
  int Delete(int iIndex, int nCount = 1);
  CString& Append(LPCWSTR psz) { return *this += psz; }
  CString& Append(LPCWSTR psz, int nLength) { if (psz) m_s.append(psz, (size_t)nLength); return *this; }
  CString& AppendChar(wchar_t ch) { m_s += ch; return *this; }
  void Truncate(int nNewLength) { if (nNewLength >= 0 && nNewLength < GetLength()) m_s.resize((size_t)nNewLength); }

  CString& Trim() { TrimRight(); return TrimLeft(); }
  CString& Trim(wchar_t ch) { TrimRight(ch); return TrimLeft(ch); }
  CString& Trim(LPCWSTR pszTargets) { TrimRight(pszTargets); return TrimLeft(pszTargets); }
  CString& TrimLeft();
  CString& TrimLeft(wchar_t ch);
  CString& TrimLeft(LPCWSTR pszTargets);
  CString& TrimRight();
  CString& TrimRight(wchar_t ch);
  CString& TrimRight(LPCWSTR pszTargets);

  int Find(wchar_t ch, int iStart = 0) const;
  int Find(LPCWSTR pszSub, int iStart = 0) const;
  int ReverseFind(wchar_t ch) const;
  int FindOneOf(LPCWSTR pszCharSet) const;
  // Next token after iStart delimited by any of pszTokens; iStart becomes -1 at the end.
  CString Tokenize(LPCWSTR pszTokens, int& iStart) const;

  // Formatting with the platform's printf rules: %s and %c take wide arguments, %hs narrow.
  void Format(LPCWSTR pszFormat, ...);
  void Format(UINT nFormatID, ...);
  void FormatV(LPCWSTR pszFormat, va_list args);
  void AppendFormat(LPCWSTR pszFormat, ...);
  void AppendFormatV(LPCWSTR pszFormat, va_list args);
  // FormatMessage with %1 .. %n inserts.
  void FormatMessage(LPCWSTR pszFormat, ...);
  void FormatMessage(UINT nFormatID, ...);

  // Direct access to the characters: write at most nMinBufLength characters, then ReleaseBuffer.
  LPWSTR GetBuffer(int nMinBufLength = 0);
  LPWSTR GetBufferSetLength(int nNewLength);
  void ReleaseBuffer(int nNewLength = -1);
  void ReleaseBufferSetLength(int nNewLength) { ReleaseBuffer(nNewLength); }
  LPWSTR LockBuffer() { return GetBuffer(0); }
  void UnlockBuffer() {}
  void FreeExtra() { m_s.shrink_to_fit(); }
  void Preallocate(int nLength) { if (nLength > 0) m_s.reserve((size_t)nLength); }
  int GetAllocLength() const { return (int)m_s.capacity(); }

  BOOL LoadString(UINT nID);
  BOOL LoadString(HINSTANCE hInstance, UINT nID);

  BSTR AllocSysString() const { return ::SysAllocStringLen(m_s.data(), (UINT)m_s.size()); }
  BSTR SetSysString(BSTR* pbstr) const {
    ::SysReAllocStringLen(pbstr, m_s.data(), (UINT)m_s.size()); return *pbstr; }

  friend CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
  friend CString operator+(const CString& a, LPCWSTR b) { CString r(a); r += b; return r; }
  friend CString operator+(LPCWSTR a, const CString& b) { CString r(a); r += b; return r; }
  friend CString operator+(const CString& a, wchar_t b) { CString r(a); r += b; return r; }
  friend CString operator+(wchar_t a, const CString& b) { CString r(a); r += b; return r; }

  friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
  friend bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
  friend bool operator==(LPCWSTR a, const CString& b) { return b.Compare(a) == 0; }
  friend bool operator!=(const CString& a, const CString& b) { return a.m_s != b.m_s; }
  friend bool operator!=(const CString& a, LPCWSTR b) { return a.Compare(b) != 0; }
  friend bool operator!=(LPCWSTR a, const CString& b) { return b.Compare(a) != 0; }
  friend bool operator<(const CString& a, const CString& b) { return a.m_s < b.m_s; }
  friend bool operator<(const CString& a, LPCWSTR b) { return a.Compare(b) < 0; }
  friend bool operator>(const CString& a, const CString& b) { return a.m_s > b.m_s; }
  friend bool operator>(const CString& a, LPCWSTR b) { return a.Compare(b) > 0; }
  friend bool operator<=(const CString& a, const CString& b) { return a.m_s <= b.m_s; }
  friend bool operator>=(const CString& a, const CString& b) { return a.m_s >= b.m_s; }

private:
  std::wstring m_s;
};

// "%1" in the resource string nIDS replaced by lpsz1 (and "%2" by lpsz2).
void AfxFormatString1(CString& rString, UINT nIDS, LPCWSTR lpsz1);
void AfxFormatString2(CString& rString, UINT nIDS, LPCWSTR lpsz1, LPCWSTR lpsz2);
// Same with the format text given directly.
void AfxFormatStrings(CString& rString, LPCWSTR lpszFormat, LPCWSTR const* rglpsz, int nString);
// The iSubString-th field of a text whose fields are separated by chSep.
BOOL AfxExtractSubString(CString& rString, LPCWSTR lpszFullString, int iSubString, wchar_t chSep = L'\n');
