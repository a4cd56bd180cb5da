// CFile, CMemFile and CSharedFile.
#include "Framework.h"
#include <shlwapi.h>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CMemFile, CFile)
IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFile::CFile(LPCWSTR lpszFileName, UINT nOpenFlags) {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() {
  // Never throws: a failing close at destruction is dropped.
  if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete) Abort();
}

BOOL CFile::Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  m_bCloseOnDelete = FALSE;
  m_hFile = INVALID_HANDLE_VALUE;
  wchar_t full[MAX_PATH * 2];
  if (!::GetFullPathNameW(lpszFileName, MAX_PATH * 2, full, nullptr)) lstrcpynW(full, lpszFileName, MAX_PATH * 2);
  m_strFileName = full;
  DWORD access;
  switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
  }
  DWORD share;
  switch (nOpenFlags & 0x70) {
    case shareExclusive: share = 0; break;
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;
  }
  DWORD create = (nOpenFlags & modeCreate) ? ((nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS) : OPEN_EXISTING;
  SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, (nOpenFlags & modeNoInherit) == 0};
  HANDLE h = ::CreateFileW(full, access, share, &sa, create, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    if (pError != nullptr) {
      LONG err = (LONG)::GetLastError();
      pError->m_lOsError = err;
      pError->m_cause = CFileException::OsErrorToException(err);
      free(pError->m_strFileName);
      pError->m_strFileName = _wcsdup(full);
    }
    return FALSE;
  }
  m_hFile = h;
  m_bCloseOnDelete = TRUE;
  return TRUE;
}

void CFile::Close() {
  BOOL ok = TRUE;
  if (m_hFile != INVALID_HANDLE_VALUE) ok = ::CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
  m_bCloseOnDelete = FALSE;
  if (!ok) AfxThrowFileException(CFileException::OsErrorToException((LONG)::GetLastError()), (LONG)::GetLastError(), m_strFileName);
}

void CFile::Abort() {
  if (m_hFile != INVALID_HANDLE_VALUE) ::CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
  m_bCloseOnDelete = FALSE;
}

static void ThrowLast(const CString& name) {
  LONG err = (LONG)::GetLastError();
  AfxThrowFileException(CFileException::OsErrorToException(err), err, name);
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0) return 0;
  DWORD got = 0;
  if (!::ReadFile(m_hFile, lpBuf, nCount, &got, nullptr)) ThrowLast(m_strFileName);
  return got;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  DWORD written = 0;
  if (!::WriteFile(m_hFile, lpBuf, nCount, &written, nullptr)) ThrowLast(m_strFileName);
  if (written != nCount) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  LARGE_INTEGER li, out;
  li.QuadPart = lOff;
  if (!::SetFilePointerEx(m_hFile, li, &out, nFrom)) ThrowLast(m_strFileName);
  return (ULONGLONG)out.QuadPart;
}

ULONGLONG CFile::GetPosition() const {
  LARGE_INTEGER zero = {}, out;
  if (!::SetFilePointerEx(m_hFile, zero, &out, FILE_CURRENT)) ThrowLast(m_strFileName);
  return (ULONGLONG)out.QuadPart;
}

ULONGLONG CFile::GetLength() const {
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(m_hFile, &size)) ThrowLast(m_strFileName);
  return (ULONGLONG)size.QuadPart;
}

void CFile::SetLength(ULONGLONG dwNewLen) {
  Seek((LONGLONG)dwNewLen, begin);
  if (!::SetEndOfFile(m_hFile)) ThrowLast(m_strFileName);
}

void CFile::Flush() {
  if (m_hFile != INVALID_HANDLE_VALUE && !::FlushFileBuffers(m_hFile)) ThrowLast(m_strFileName);
}

CString CFile::GetFileName() const { return ::PathFindFileNameW(m_strFileName); }

void CFile::Remove(LPCWSTR lpszFileName) {
  if (!::DeleteFileW(lpszFileName)) ThrowLast(lpszFileName);
}

void CFile::Rename(LPCWSTR lpszOldName, LPCWSTR lpszNewName) {
  if (!::MoveFileW(lpszOldName, lpszNewName)) ThrowLast(lpszOldName);
}

// ---- CMemFile ---------------------------------------------------------------------------------
CMemFile::~CMemFile() {
  if (m_lpBuffer != nullptr) Close();
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
  m_lpBuffer = lpBuffer;
  m_nBufferSize = nBufferSize;
  m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
  m_nGrowBytes = nGrowBytes;
  m_nPosition = 0;
  m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() {
  BYTE* p = m_lpBuffer;
  m_lpBuffer = nullptr;
  m_nFileSize = m_nBufferSize = m_nPosition = 0;
  return p;
}

void CMemFile::GrowFile(SIZE_T dwNewLen) {
  if (dwNewLen <= m_nBufferSize) return;
  if (m_nGrowBytes == 0) AfxThrowMemoryException();  // a fixed buffer cannot grow
  SIZE_T newSize = m_nBufferSize;
  while (newSize < dwNewLen) newSize += m_nGrowBytes;
  BYTE* p = m_lpBuffer == nullptr ? Alloc(newSize) : Realloc(m_lpBuffer, newSize);
  if (p == nullptr) AfxThrowMemoryException();
  m_lpBuffer = p;
  m_nBufferSize = newSize;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
  if (m_nPosition >= m_nFileSize) return 0;
  SIZE_T n = m_nFileSize - m_nPosition;
  if (n > nCount) n = nCount;
  memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
  m_nPosition += n;
  return (UINT)n;
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  if (m_nPosition + nCount > m_nBufferSize) GrowFile(m_nPosition + nCount);
  memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
  m_nPosition += nCount;
  if (m_nPosition > m_nFileSize) m_nFileSize = m_nPosition;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
  LONGLONG base = nFrom == begin ? 0 : nFrom == current ? (LONGLONG)m_nPosition : (LONGLONG)m_nFileSize;
  LONGLONG pos = base + lOff;
  if (pos < 0) AfxThrowFileException(CFileException::badSeek);
  m_nPosition = (SIZE_T)pos;
  return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen) {
  if (dwNewLen > m_nBufferSize) GrowFile((SIZE_T)dwNewLen);
  if (dwNewLen < m_nPosition) m_nPosition = (SIZE_T)dwNewLen;
  m_nFileSize = (SIZE_T)dwNewLen;
}

void CMemFile::Close() {
  if (m_lpBuffer != nullptr && m_bAutoDelete) Free(m_lpBuffer);
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
}

// ---- CSharedFile ------------------------------------------------------------------------------
CSharedFile::~CSharedFile() {
  if (m_lpBuffer != nullptr) Close();
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes) {
  m_hGlobalMemory = ::GlobalAlloc(m_nAllocFlags, nBytes);
  return m_hGlobalMemory ? (BYTE*)::GlobalLock(m_hGlobalMemory) : nullptr;
}

BYTE* CSharedFile::Realloc(BYTE*, SIZE_T nBytes) {
  if (!m_bAllowGrow) return nullptr;
  ::GlobalUnlock(m_hGlobalMemory);
  HGLOBAL h = ::GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags);
  if (h == nullptr) {
    ::GlobalLock(m_hGlobalMemory);
    return nullptr;
  }
  m_hGlobalMemory = h;
  return (BYTE*)::GlobalLock(h);
}

void CSharedFile::Free(BYTE*) {
  ::GlobalUnlock(m_hGlobalMemory);
  ::GlobalFree(m_hGlobalMemory);
  m_hGlobalMemory = nullptr;
}

HGLOBAL CSharedFile::Detach() {
  HGLOBAL h = m_hGlobalMemory;
  if (h != nullptr) ::GlobalUnlock(h);
  m_hGlobalMemory = nullptr;
  m_lpBuffer = nullptr;
  m_nFileSize = m_nBufferSize = m_nPosition = 0;
  return h;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow) {
  m_hGlobalMemory = hGlobalMemory;
  m_lpBuffer = (BYTE*)::GlobalLock(hGlobalMemory);
  m_nBufferSize = m_nFileSize = ::GlobalSize(hGlobalMemory);
  m_nPosition = 0;
  m_bAllowGrow = bAllowGrow;
  m_bAutoDelete = bAllowGrow;
}
