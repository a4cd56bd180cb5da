#include "frames/UfxRegistry.h"
#include <algorithm>
#include <new>

IMPLEMENT_DYNCREATE(CUfxRegistry, CObject)

namespace {
const REGSAM kReadMask = KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY;  // 0x19

// A key name without its trailing backslash.
CString WithoutTrailingSlash(LPCWSTR lpszKey) {
  CString s(lpszKey ? lpszKey : L"");
  if (!s.IsEmpty() && s[s.GetLength() - 1] == L'\\') s.Truncate(s.GetLength() - 1);
  return s;
}

HKEY RootKey(BOOL bAdmin) { return bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

// The stored image of a point: a 32-bit array x, y, 0, 0, 0 with the archive's count.
const int kPointElements = 5;
const UINT kPointMaxBytes = 40;
}  // namespace

CUfxRegistry::CUfxRegistry(BOOL bAdmin, BOOL bReadOnly) { SetRoot(bAdmin, bReadOnly); }

CUfxRegistry::~CUfxRegistry() {
  if (m_hKey != nullptr && m_hKey != HKEY_CURRENT_USER && m_hKey != HKEY_LOCAL_MACHINE) ::RegCloseKey(m_hKey);
}

void CUfxRegistry::SetRoot(BOOL bAdmin, BOOL bReadOnly) {
  m_bAdmin = bAdmin;
  m_bReadOnly = bReadOnly;
  if (m_hKey != nullptr && m_hKey != HKEY_CURRENT_USER && m_hKey != HKEY_LOCAL_MACHINE) ::RegCloseKey(m_hKey);
  m_hKey = RootKey(bAdmin);
}

REGSAM CUfxRegistry::OpenMask() const { return m_bReadOnly ? kReadMask : KEY_ALL_ACCESS; }

// ---- keys --------------------------------------------------------------------------------------
BOOL CUfxRegistry::ReadKeyValues(CStringArray& values) {
  if (m_hKey == nullptr) return FALSE;
  BOOL bAny = FALSE;
  for (DWORD i = 0;; ++i) {
    wchar_t name[2048];
    DWORD cch = 2048;
    if (::RegEnumValueW(m_hKey, i, name, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    values.Add(name);
    bAny = TRUE;
  }
  return bAny;
}

BOOL CUfxRegistry::KeyExists(LPCWSTR lpszSubKey) {
  if (m_hKey == nullptr) return FALSE;
  HKEY hKey = nullptr;
  if (::RegOpenKeyExW(m_hKey, WithoutTrailingSlash(lpszSubKey), 0, OpenMask(), &hKey) != ERROR_SUCCESS) return FALSE;
  ::RegCloseKey(hKey);
  return TRUE;
}

BOOL CUfxRegistry::ValueExists(LPCWSTR lpszValueName) {
  return m_hKey != nullptr &&
         ::RegQueryValueExW(m_hKey, lpszValueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

BOOL CUfxRegistry::CreateKey(LPCWSTR lpszSubKey) {
  if (m_bReadOnly || m_hKey == nullptr) return FALSE;
  HKEY hKey = nullptr;
  if (::RegCreateKeyExW(m_hKey, WithoutTrailingSlash(lpszSubKey), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey,
                        nullptr) != ERROR_SUCCESS)
    return FALSE;
  Close();
  m_hKey = hKey;
  return TRUE;
}

BOOL CUfxRegistry::Open(LPCWSTR lpszSubKey) {
  m_strKeyName = lpszSubKey ? lpszSubKey : L"";
  if (m_hKey == nullptr) return FALSE;
  HKEY hKey = nullptr;
  if (::RegOpenKeyExW(m_hKey, WithoutTrailingSlash(lpszSubKey), 0, OpenMask(), &hKey) != ERROR_SUCCESS) return FALSE;
  Close();
  m_hKey = hKey;
  return TRUE;
}

void CUfxRegistry::Close() {
  if (m_hKey != nullptr && m_hKey != HKEY_CURRENT_USER && m_hKey != HKEY_LOCAL_MACHINE) ::RegCloseKey(m_hKey);
  m_hKey = nullptr;
}

BOOL CUfxRegistry::DeleteValue(LPCWSTR lpszValueName) {
  return m_hKey != nullptr && ::RegDeleteValueW(m_hKey, lpszValueName) == ERROR_SUCCESS;
}

BOOL CUfxRegistry::DeleteKey(LPCWSTR lpszKey, BOOL bAdmin) {
  if (m_bReadOnly) return FALSE;
  const CString strKey = WithoutTrailingSlash(lpszKey);
  if (strKey.IsEmpty()) return FALSE;  // never the root itself
  const HKEY hRoot = RootKey(bAdmin);
  HKEY hKey = nullptr;
  if (::RegOpenKeyExW(hRoot, strKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS) return FALSE;
  for (;;) {
    DWORD nSubKeys = 0, cchLongest = 0;
    if (::RegQueryInfoKeyW(hKey, nullptr, nullptr, nullptr, &nSubKeys, &cchLongest, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      ::RegCloseKey(hKey);
      return FALSE;
    }
    if (nSubKeys == 0) break;
    std::vector<wchar_t> name(cchLongest + 1);
    if (::RegEnumKeyW(hKey, 0, name.data(), (DWORD)name.size()) != ERROR_SUCCESS ||
        !DeleteKey(strKey + L"\\" + name.data(), bAdmin)) {
      ::RegCloseKey(hKey);
      return FALSE;
    }
  }
  ::RegCloseKey(hKey);
  return ::RegDeleteKeyW(hRoot, strKey) == ERROR_SUCCESS;
}

BOOL CUfxRegistry::ReadSubKeys(CStringArray& subKeys) {
  if (m_hKey == nullptr) return FALSE;
  BOOL bAny = FALSE;
  for (DWORD i = 0;; ++i) {
    wchar_t name[2048];
    DWORD cch = 2048;
    if (::RegEnumKeyExW(m_hKey, i, name, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    subKeys.Add(name);
    bAny = TRUE;
  }
  return bAny;
}

// ---- raw values ----------------------------------------------------------------------------
BOOL CUfxRegistry::QueryValue(LPCWSTR lpszValueName, DWORD& dwType, std::vector<BYTE>& data) {
  if (m_hKey == nullptr) return FALSE;
  DWORD cb = 0;
  if (::RegQueryValueExW(m_hKey, lpszValueName, nullptr, &dwType, nullptr, &cb) != ERROR_SUCCESS) return FALSE;
  try {
    data.assign(cb, 0);
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
  if (cb == 0) return TRUE;
  if (::RegQueryValueExW(m_hKey, lpszValueName, nullptr, &dwType, data.data(), &cb) != ERROR_SUCCESS) return FALSE;
  data.resize(cb);
  return TRUE;
}

BOOL CUfxRegistry::WriteValue(LPCWSTR lpszValueName, DWORD dwType, const void* pData, DWORD nBytes) {
  if (m_bReadOnly || m_hKey == nullptr) return FALSE;
  return ::RegSetValueExW(m_hKey, lpszValueName, 0, dwType, (const BYTE*)pData, nBytes) == ERROR_SUCCESS;
}

template <class F> BOOL CUfxRegistry::WriteArchive(LPCWSTR lpszValueName, F ser) {
  if (m_bReadOnly || m_hKey == nullptr) return FALSE;
  BYTE* pImage = nullptr;
  UINT nBytes = 0;
  try {
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store);
      ser(ar);
      ar.Close();
    }
    nBytes = (UINT)file.GetLength();
    pImage = file.Detach();
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
  const BOOL bOk = WriteValue(lpszValueName, REG_BINARY, pImage, nBytes);
  free(pImage);
  return bOk;
}

template <class F> BOOL CUfxRegistry::ReadArchive(LPCWSTR lpszValueName, F ser) {
  DWORD dwType = 0;
  std::vector<BYTE> data;
  if (!QueryValue(lpszValueName, dwType, data) || dwType != REG_BINARY || data.empty()) return FALSE;
  try {
    CMemFile file(data.data(), (UINT)data.size());
    CArchive ar(&file, CArchive::load);
    ser(ar);
    ar.Close();
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  } catch (...) {
    // Out of memory or any other failure while reading: the value is as good as damaged.
    return FALSE;
  }
  return TRUE;
}

template <class T> BOOL CUfxRegistry::ReadCollection(LPCWSTR lpszValueName, T& target) {
  T loaded;
  if (!ReadArchive(lpszValueName, [&](CArchive& ar) { loaded.Serialize(ar); })) return FALSE;
  target.RemoveAll();
  for (INT_PTR i = 0; i < loaded.GetSize(); ++i) target.Add(loaded[i]);
  return TRUE;
}

// ---- writes ---------------------------------------------------------------------------------
BOOL CUfxRegistry::Write(LPCWSTR lpszValueName, CObject* pObject) {
  return WriteArchive(lpszValueName, [&](CArchive& ar) { ar.WriteObject(pObject); });
}

BOOL CUfxRegistry::Write(LPCWSTR lpszValueName, CObject& object) {
  return WriteArchive(lpszValueName, [&](CArchive& ar) { object.Serialize(ar); });
}

BOOL CUfxRegistry::Write(LPCWSTR lpszValueName, CStringList& list) { return Write(lpszValueName, (CObject&)list); }
BOOL CUfxRegistry::Write(LPCWSTR lpszValueName, CObList& list) { return Write(lpszValueName, (CObject&)list); }
BOOL CUfxRegistry::Write(LPCWSTR lpszValueName, CByteArray& array) { return Write(lpszValueName, (CObject&)array); }
BOOL CUfxRegistry::Write(LPCWSTR lpszValueName, CDWordArray& array) { return Write(lpszValueName, (CObject&)array); }
BOOL CUfxRegistry::Write(LPCWSTR lpszValueName, CStringArray& array) {
  return Write(lpszValueName, (CObject&)array);
}

BOOL CUfxRegistry::Write(LPCWSTR lpszValueName, LPBYTE pData, UINT nBytes) {
  return WriteValue(lpszValueName, REG_BINARY, pData, nBytes);
}

BOOL CUfxRegistry::Write(LPCWSTR lpszValueName, LPPOINT pPoint) {
  if (pPoint == nullptr) return FALSE;
  CDWordArray array;
  array.SetSize(kPointElements);
  array[0] = (DWORD)pPoint->x;
  array[1] = (DWORD)pPoint->y;
  return Write(lpszValueName, (CObject&)array);
}

BOOL CUfxRegistry::Write(LPCWSTR lpszValueName, LPRECT pRect) {
  if (pRect == nullptr) return FALSE;
  const LONG v[4] = {pRect->left, pRect->top, pRect->right, pRect->bottom};
  return WriteValue(lpszValueName, REG_BINARY, v, sizeof(v));
}

BOOL CUfxRegistry::Write(LPCWSTR lpszValueName, CWordArray& array) {
  std::vector<BYTE> image(4 + 2 * (size_t)array.GetSize());
  const LONG n = (LONG)array.GetSize();
  memcpy(image.data(), &n, 4);
  if (n > 0) memcpy(image.data() + 4, array.GetData(), 2 * (size_t)n);
  return WriteValue(lpszValueName, REG_BINARY, image.data(), (DWORD)image.size());
}

BOOL CUfxRegistry::Write(LPCWSTR lpszValueName, LPCWSTR lpszValue) {
  if (lpszValue == nullptr) lpszValue = L"";
  return WriteValue(lpszValueName, REG_SZ, lpszValue, (DWORD)(wcslen(lpszValue) + 1) * 2);
}

BOOL CUfxRegistry::Write(LPCWSTR lpszValueName, int nValue) {
  return WriteValue(lpszValueName, REG_DWORD, &nValue, 4);
}

BOOL CUfxRegistry::Write(LPCWSTR lpszValueName, DWORD dwValue) {
  return WriteValue(lpszValueName, REG_DWORD, &dwValue, 4);
}

// ---- reads ----------------------------------------------------------------------------------
BOOL CUfxRegistry::Read(LPCWSTR lpszValueName, CObject*& pObject, const CRuntimeClass* pExpected) {
  CObject* pNew = nullptr;
  const CRuntimeClass* pClass = pExpected ? pExpected : RUNTIME_CLASS(CObject);
  if (!ReadArchive(lpszValueName, [&](CArchive& ar) { pNew = ar.ReadOwnedObject(pClass); })) return FALSE;
  if (pNew == nullptr) return FALSE;  // a stored null is no object
  pObject = pNew;
  return TRUE;
}

BOOL CUfxRegistry::Read(LPCWSTR lpszValueName, CObject& object) {
  return ReadArchive(lpszValueName, [&](CArchive& ar) { object.Serialize(ar); });
}

BOOL CUfxRegistry::Read(LPCWSTR lpszValueName, CObList& list, const CRuntimeClass* pElementClass) {
  CObList loaded;
  const CRuntimeClass* pClass = pElementClass ? pElementClass : RUNTIME_CLASS(CObject);
  const BOOL bOk = ReadArchive(lpszValueName, [&](CArchive& ar) {
    for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) {
      // The list owns its elements: a reference back to one read before is damaged data.
      CObject* pOb = ar.ReadOwnedObject(pClass);
      if (pOb == nullptr) AfxThrowArchiveException(CArchiveException::badClass);
      try {
        loaded.AddTail(pOb);
      } catch (...) {
        delete pOb;
        throw;
      }
    }
  });
  if (!bOk) {
    while (!loaded.IsEmpty()) delete loaded.RemoveHead();
    return FALSE;
  }
  // The new elements join behind the old ones, which go only once all of them are in.
  const INT_PTR nOld = list.GetCount();
  try {
    list.AddTail(&loaded);
  } catch (...) {
    while (list.GetCount() > nOld) list.RemoveTail();
    while (!loaded.IsEmpty()) delete loaded.RemoveHead();
    return FALSE;
  }
  loaded.RemoveAll();
  for (INT_PTR i = 0; i < nOld; ++i) delete list.RemoveHead();
  return TRUE;
}

BOOL CUfxRegistry::Read(LPCWSTR lpszValueName, BYTE** ppData, UINT* pBytes) {
  if (ppData == nullptr || pBytes == nullptr) return FALSE;
  *ppData = nullptr;
  DWORD dwType = 0;
  std::vector<BYTE> data;
  if (!QueryValue(lpszValueName, dwType, data)) return FALSE;
  BYTE* p = new (std::nothrow) BYTE[data.empty() ? 1 : data.size()];
  if (p == nullptr) return FALSE;
  if (!data.empty()) memcpy(p, data.data(), data.size());
  *ppData = p;
  *pBytes = (UINT)data.size();
  return TRUE;
}

BOOL CUfxRegistry::Read(LPCWSTR lpszValueName, CRect& rect) {
  DWORD dwType = 0;
  std::vector<BYTE> data;
  if (!QueryValue(lpszValueName, dwType, data) || dwType != REG_BINARY || data.size() < 16) return FALSE;
  LONG v[4];
  memcpy(v, data.data(), 16);
  rect.SetRect(v[0], v[1], v[2], v[3]);
  return TRUE;
}

BOOL CUfxRegistry::Read(LPCWSTR lpszValueName, CPoint& point) {
  DWORD dwType = 0;
  std::vector<BYTE> data;
  if (!QueryValue(lpszValueName, dwType, data) || dwType != REG_BINARY || data.size() > kPointMaxBytes) return FALSE;
  CDWordArray array;
  if (!ReadArchive(lpszValueName, [&](CArchive& ar) { array.Serialize(ar); }) || array.GetSize() < 2) return FALSE;
  point.x = (LONG)array[0];
  point.y = (LONG)array[1];
  return TRUE;
}

BOOL CUfxRegistry::Read(LPCWSTR lpszValueName, CByteArray& array) { return ReadCollection(lpszValueName, array); }
BOOL CUfxRegistry::Read(LPCWSTR lpszValueName, CDWordArray& array) { return ReadCollection(lpszValueName, array); }
BOOL CUfxRegistry::Read(LPCWSTR lpszValueName, CStringArray& array) { return ReadCollection(lpszValueName, array); }

BOOL CUfxRegistry::Read(LPCWSTR lpszValueName, CWordArray& array) {
  DWORD dwType = 0;
  std::vector<BYTE> data;
  if (!QueryValue(lpszValueName, dwType, data) || dwType != REG_BINARY || data.size() < 4) return FALSE;
  LONG n = 0;
  memcpy(&n, data.data(), 4);
  if (n < 0 || (size_t)n > (data.size() - 4) / 2) return FALSE;
  array.SetSize(n);
  if (n > 0) memcpy(array.GetData(), data.data() + 4, 2 * (size_t)n);
  return TRUE;
}

BOOL CUfxRegistry::Read(LPCWSTR lpszValueName, CStringList& list) {
  CStringList loaded;
  if (!ReadArchive(lpszValueName, [&](CArchive& ar) { loaded.Serialize(ar); })) return FALSE;
  list.RemoveAll();
  list.AddTail(&loaded);
  return TRUE;
}

BOOL CUfxRegistry::Read(LPCWSTR lpszValueName, CString& value) {
  DWORD dwType = 0;
  std::vector<BYTE> data;
  // A text that cannot be read (missing, of no size, of another type) is empty: callers take the
  // answer as the value either way.
  value.Empty();
  if (!QueryValue(lpszValueName, dwType, data) || dwType != REG_SZ || data.empty()) return FALSE;
  // The text ends at its terminating zero or at the end of the stored bytes, whichever comes first.
  const size_t nChars = data.size() / 2;
  const wchar_t* p = (const wchar_t*)data.data();
  size_t n = 0;
  while (n < nChars && p[n] != 0) ++n;
  value = CString(n ? p : L"", (int)n);
  return TRUE;
}

BOOL CUfxRegistry::Read(LPCWSTR lpszValueName, int& nValue) {
  DWORD dw = 0;
  if (!Read(lpszValueName, dw)) return FALSE;
  nValue = (int)dw;
  return TRUE;
}

BOOL CUfxRegistry::Read(LPCWSTR lpszValueName, DWORD& dwValue) {
  DWORD dwType = 0;
  std::vector<BYTE> data;
  if (!QueryValue(lpszValueName, dwType, data) || dwType != REG_DWORD || data.size() != 4) return FALSE;
  memcpy(&dwValue, data.data(), 4);
  return TRUE;
}

// ---- paths ------------------------------------------------------------------------------------
CString UfxGetRegPath(LPCWSTR lpszPostfix, LPCWSTR lpszProfileName) {
  if (lpszProfileName != nullptr && *lpszProfileName != 0) return CString(lpszProfileName);
  CWinApp* pApp = AfxGetApp();
  CString strPath = L"SOFTWARE\\";
  if (pApp != nullptr && pApp->m_pszRegistryKey != nullptr && *pApp->m_pszRegistryKey != 0) {
    strPath += pApp->m_pszRegistryKey;
    strPath += L"\\";
  }
  if (pApp != nullptr && pApp->m_pszProfileName != nullptr) strPath += pApp->m_pszProfileName;
  strPath += L"\\";
  strPath += lpszPostfix ? lpszPostfix : L"";
  strPath += L"\\";
  return strPath;
}
