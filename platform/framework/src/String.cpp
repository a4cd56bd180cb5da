// CString members that are not inline.
#include "FwString.h"
#include <wchar.h>
#include <vector>

CString::CString(LPCWSTR psz) {
  if (psz == nullptr) return;
  if (IS_INTRESOURCE(psz)) {
    LoadString((UINT)(UINT_PTR)psz);
    return;
  }
  m_s = psz;
}

CString::CString(LPCSTR psz) {
  if (psz == nullptr) return;
  if (IS_INTRESOURCE(psz)) {
    LoadString((UINT)(UINT_PTR)psz);
    return;
  }
  *this = CString(psz, (int)strlen(psz));
}

CString::CString(LPCSTR pch, int nLength) {
  if (pch == nullptr || nLength <= 0) return;
  int n = ::MultiByteToWideChar(CP_ACP, 0, pch, nLength, nullptr, 0);
  m_s.resize((size_t)n);
  ::MultiByteToWideChar(CP_ACP, 0, pch, nLength, &m_s[0], n);
}

CString CString::Mid(int iFirst, int nCount) const {
  if (iFirst < 0) iFirst = 0;
  if (nCount < 0) nCount = 0;
  int len = GetLength();
  if (iFirst >= len) return CString();
  if (nCount > len - iFirst) nCount = len - iFirst;
  return CString(m_s.substr((size_t)iFirst, (size_t)nCount));
}

CString CString::Right(int nCount) const {
  if (nCount < 0) nCount = 0;
  int len = GetLength();
  if (nCount >= len) return *this;
  return CString(m_s.substr((size_t)(len - nCount)));
}

CString CString::SpanIncluding(LPCWSTR set) const {
  return Left((int)wcsspn(m_s.c_str(), set));
}

CString CString::SpanExcluding(LPCWSTR set) const {
  return Left((int)wcscspn(m_s.c_str(), set));
}

CString& CString::MakeUpper() {
  if (!m_s.empty()) ::CharUpperBuffW(&m_s[0], (DWORD)m_s.size());
  return *this;
}

CString& CString::MakeLower() {
  if (!m_s.empty()) ::CharLowerBuffW(&m_s[0], (DWORD)m_s.size());
  return *this;
}

CString& CString::MakeReverse() {
  m_s.assign(m_s.rbegin(), m_s.rend());
  return *this;
}

int CString::Replace(wchar_t chOld, wchar_t chNew) {
  int n = 0;
  for (auto& c : m_s)
    if (c == chOld) { c = chNew; ++n; }
  return n;
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew) {
  if (pszOld == nullptr || *pszOld == 0) return 0;
  std::wstring from(pszOld), to(pszNew ? pszNew : L""), out;
  int n = 0;
  size_t pos = 0;
  for (;;) {
    size_t hit = m_s.find(from, pos);
    if (hit == std::wstring::npos) break;
    out.append(m_s, pos, hit - pos);
    out += to;
    pos = hit + from.size();
    ++n;
  }
  if (n == 0) return 0;
  out.append(m_s, pos, std::wstring::npos);
  m_s.swap(out);
  return n;
}

int CString::Remove(wchar_t ch) {
  size_t before = m_s.size();
  std::wstring out;
  for (wchar_t c : m_s)
    if (c != ch) out += c;
  m_s.swap(out);
  return (int)(before - m_s.size());
}

int CString::Insert(int iIndex, wchar_t ch) {
  if (iIndex < 0) iIndex = 0;
  if (iIndex > GetLength()) iIndex = GetLength();
  m_s.insert((size_t)iIndex, 1, ch);
  return GetLength();
}

int CString::Insert(int iIndex, LPCWSTR psz) {
  if (iIndex < 0) iIndex = 0;
  if (iIndex > GetLength()) iIndex = GetLength();
  if (psz) m_s.insert((size_t)iIndex, psz);
  return GetLength();
}

int CString::Delete(int iIndex, int nCount) {
  if (iIndex < 0) iIndex = 0;
  if (nCount > 0 && iIndex < GetLength()) m_s.erase((size_t)iIndex, (size_t)nCount);
  return GetLength();
}

CString& CString::TrimLeft() {
  size_t i = 0;
  while (i < m_s.size() && iswspace(m_s[i])) ++i;
  m_s.erase(0, i);
  return *this;
}
CString& CString::TrimLeft(wchar_t ch) {
  size_t i = 0;
  while (i < m_s.size() && m_s[i] == ch) ++i;
  m_s.erase(0, i);
  return *this;
}
CString& CString::TrimLeft(LPCWSTR set) {
  if (set == nullptr) return *this;
  size_t i = 0;
  while (i < m_s.size() && wcschr(set, m_s[i]) && m_s[i]) ++i;
  m_s.erase(0, i);
  return *this;
}
CString& CString::TrimRight() {
  size_t n = m_s.size();
  while (n > 0 && iswspace(m_s[n - 1])) --n;
  m_s.resize(n);
  return *this;
}
CString& CString::TrimRight(wchar_t ch) {
  size_t n = m_s.size();
  while (n > 0 && m_s[n - 1] == ch) --n;
  m_s.resize(n);
  return *this;
}
CString& CString::TrimRight(LPCWSTR set) {
  if (set == nullptr) return *this;
  size_t n = m_s.size();
  while (n > 0 && m_s[n - 1] && wcschr(set, m_s[n - 1])) --n;
  m_s.resize(n);
  return *this;
}

int CString::Find(wchar_t ch, int iStart) const {
  if (iStart < 0 || iStart >= GetLength()) return -1;
  size_t p = m_s.find(ch, (size_t)iStart);
  return p == std::wstring::npos ? -1 : (int)p;
}

int CString::Find(LPCWSTR pszSub, int iStart) const {
  if (pszSub == nullptr || iStart < 0 || iStart > GetLength()) return -1;
  size_t p = m_s.find(pszSub, (size_t)iStart);
  return p == std::wstring::npos ? -1 : (int)p;
}

int CString::ReverseFind(wchar_t ch) const {
  size_t p = m_s.rfind(ch);
  return p == std::wstring::npos ? -1 : (int)p;
}

int CString::FindOneOf(LPCWSTR set) const {
  if (set == nullptr) return -1;
  size_t p = m_s.find_first_of(set);
  return p == std::wstring::npos ? -1 : (int)p;
}

CString CString::Tokenize(LPCWSTR pszTokens, int& iStart) const {
  if (iStart < 0) return CString();
  if (pszTokens == nullptr || *pszTokens == 0) {
    if (iStart < GetLength()) { CString r = Mid(iStart); iStart = GetLength(); return r; }
    iStart = -1;
    return CString();
  }
  size_t from = m_s.find_first_not_of(pszTokens, (size_t)iStart);
  if (from == std::wstring::npos) { iStart = -1; return CString(); }
  size_t to = m_s.find_first_of(pszTokens, from);
  if (to == std::wstring::npos) to = m_s.size();
  iStart = (int)to + (to < m_s.size() ? 1 : 0);
  return CString(m_s.substr(from, to - from));
}

// Formats with msvcrt's own printf, whose %s in a wide function takes a wide string.
static std::wstring FormatPlatform(LPCWSTR fmt, va_list args) {
  if (fmt == nullptr) return std::wstring();
  std::vector<wchar_t> buf(256);
  for (;;) {
    va_list copy;
    va_copy(copy, args);
    int n = _vsnwprintf(buf.data(), buf.size() - 1, fmt, copy);
    va_end(copy);
    if (n >= 0 && (size_t)n < buf.size() - 1) return std::wstring(buf.data(), (size_t)n);
    if (buf.size() > (1u << 26)) AfxThrowMemoryException();
    buf.resize(buf.size() * 2);
  }
}

void CString::FormatV(LPCWSTR pszFormat, va_list args) { m_s = FormatPlatform(pszFormat, args); }

void CString::Format(LPCWSTR pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  FormatV(pszFormat, args);
  va_end(args);
}

void CString::Format(UINT nFormatID, ...) {
  CString fmt;
  fmt.LoadString(nFormatID);
  va_list args;
  va_start(args, nFormatID);
  FormatV(fmt, args);
  va_end(args);
}

void CString::AppendFormatV(LPCWSTR pszFormat, va_list args) { m_s += FormatPlatform(pszFormat, args); }

void CString::AppendFormat(LPCWSTR pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  AppendFormatV(pszFormat, args);
  va_end(args);
}

static std::wstring FormatInserts(LPCWSTR fmt, va_list* args) {
  LPWSTR out = nullptr;
  DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, fmt, 0, 0,
                             (LPWSTR)&out, 0, args);
  std::wstring r = (n && out) ? std::wstring(out, n) : std::wstring();
  if (out) ::LocalFree(out);
  return r;
}

void CString::FormatMessage(LPCWSTR pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  m_s = FormatInserts(pszFormat, &args);
  va_end(args);
}

void CString::FormatMessage(UINT nFormatID, ...) {
  CString fmt;
  fmt.LoadString(nFormatID);
  va_list args;
  va_start(args, nFormatID);
  m_s = FormatInserts(fmt, &args);
  va_end(args);
}

LPWSTR CString::GetBuffer(int nMinBufLength) {
  size_t want = nMinBufLength > GetLength() ? (size_t)nMinBufLength : m_s.size();
  // The buffer holds the characters plus room for a terminator the caller may write.
  m_s.resize(want);
  m_s.reserve(want + 1);
  return const_cast<LPWSTR>(m_s.data());
}

LPWSTR CString::GetBufferSetLength(int nNewLength) {
  if (nNewLength < 0) nNewLength = 0;
  m_s.resize((size_t)nNewLength);
  return const_cast<LPWSTR>(m_s.data());
}

void CString::ReleaseBuffer(int nNewLength) {
  if (nNewLength < 0) {
    size_t n = 0;
    while (n < m_s.size() && m_s[n] != 0) ++n;
    nNewLength = (int)n;
  }
  if ((size_t)nNewLength <= m_s.size()) m_s.resize((size_t)nNewLength);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID) {
  LPCWSTR p = nullptr;
  int n = ::LoadStringW(hInstance, nID, (LPWSTR)&p, 0);
  if (n <= 0 || p == nullptr) return FALSE;
  m_s.assign(p, (size_t)n);
  return TRUE;
}

BOOL CString::LoadString(UINT nID) {
  HINSTANCE hRes = AfxGetResourceHandle();
  if (LoadString(hRes, nID)) return TRUE;
  HINSTANCE hApp = AfxGetInstanceHandle();
  return hApp != hRes && LoadString(hApp, nID);
}

void AfxFormatStrings(CString& rString, LPCWSTR lpszFormat, LPCWSTR const* rglpsz, int nString) {
  CString out;
  for (LPCWSTR p = lpszFormat; p && *p; ++p) {
    if (*p == L'%' && p[1] >= L'1' && p[1] <= L'9') {
      int i = p[1] - L'1';
      if (i < nString && rglpsz[i]) out += rglpsz[i];
      ++p;
    } else {
      out += *p;
    }
  }
  rString = out;
}

void AfxFormatString1(CString& rString, UINT nIDS, LPCWSTR lpsz1) {
  CString fmt;
  fmt.LoadString(nIDS);
  AfxFormatStrings(rString, fmt, &lpsz1, 1);
}

void AfxFormatString2(CString& rString, UINT nIDS, LPCWSTR lpsz1, LPCWSTR lpsz2) {
  CString fmt;
  fmt.LoadString(nIDS);
  LPCWSTR args[2] = {lpsz1, lpsz2};
  AfxFormatStrings(rString, fmt, args, 2);
}

BOOL AfxExtractSubString(CString& rString, LPCWSTR lpszFullString, int iSubString, wchar_t chSep) {
  rString.Empty();
  if (lpszFullString == nullptr) return FALSE;
  while (iSubString--) {
    lpszFullString = wcschr(lpszFullString, chSep);
    if (lpszFullString == nullptr) return FALSE;
    ++lpszFullString;
  }
  LPCWSTR end = wcschr(lpszFullString, chSep);
  int n = end ? (int)(end - lpszFullString) : (int)wcslen(lpszFullString);
  rString = CString(lpszFullString, n);
  return TRUE;
}
