// Run-time class records, CObject and the exception classes.
#include "FwString.h"
#include <string.h>
#include <stdio.h>

static CRuntimeClass* g_pFirstClass = nullptr;  // constant-initialised before any registration

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) {
  pNewClass->m_pNextClass = g_pFirstClass;
  g_pFirstClass = pNewClass;
}

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, nullptr, nullptr, nullptr};
static AFX_CLASSINIT _init_CObject(&CObject::classCObject);

CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
  return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

void CObject::Serialize(CArchive&) {}

CObject* CRuntimeClass::CreateObject() const {
  if (m_pfnCreateObject == nullptr) return nullptr;
  try {
    return m_pfnCreateObject();
  } catch (CException* e) {
    e->Delete();
    return nullptr;
  }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  for (const CRuntimeClass* p = this; p != nullptr; p = p->m_pBaseClass)
    if (p == pBaseClass) return TRUE;
  return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
  if (lpszClassName == nullptr) return nullptr;
  for (CRuntimeClass* p = g_pFirstClass; p != nullptr; p = p->m_pNextClass)
    if (strcmp(p->m_lpszClassName, lpszClassName) == 0) return p;
  return nullptr;
}

CRuntimeClass* CRuntimeClass::FromName(LPCWSTR lpszClassName) {
  if (lpszClassName == nullptr) return nullptr;
  std::string narrow;
  for (LPCWSTR p = lpszClassName; *p; ++p) {
    if (*p > 0x7F) return nullptr;  // class names are plain ASCII identifiers
    narrow += (char)*p;
  }
  return FromName(narrow.c_str());
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
  CRuntimeClass* p = FromName(lpszClassName);
  return p ? p->CreateObject() : nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCWSTR lpszClassName) {
  CRuntimeClass* p = FromName(lpszClassName);
  return p ? p->CreateObject() : nullptr;
}

// ---- exceptions --------------------------------------------------------------------------
IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

void CException::Delete() {
  if (m_bAutoDelete) delete this;
}

static BOOL CopyMessage(LPCWSTR text, LPWSTR lpszError, UINT nMaxError) {
  if (lpszError == nullptr || nMaxError == 0) return FALSE;
  lstrcpynW(lpszError, text, (int)nMaxError);
  return TRUE;
}

BOOL CException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext) *pnHelpContext = 0;
  if (lpszError && nMaxError) *lpszError = 0;
  return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID) {
  wchar_t text[512];
  if (GetErrorMessage(text, 512)) return AfxMessageBox(text, nType);
  if (nMessageID == 0) nMessageID = AFX_IDP_COMMAND_FAILURE;
  CString s;
  if (!s.LoadString(nMessageID)) s = L"The command could not be carried out.";
  return AfxMessageBox(s, nType);
}

BOOL CMemoryException::GetErrorMessage(LPWSTR e, UINT n, PUINT h) {
  if (h) *h = 0;
  return CopyMessage(L"Out of memory.", e, n);
}
BOOL CNotSupportedException::GetErrorMessage(LPWSTR e, UINT n, PUINT h) {
  if (h) *h = 0;
  return CopyMessage(L"The operation is not supported.", e, n);
}
BOOL CInvalidArgException::GetErrorMessage(LPWSTR e, UINT n, PUINT h) {
  if (h) *h = 0;
  return CopyMessage(L"An invalid argument was passed.", e, n);
}
BOOL CResourceException::GetErrorMessage(LPWSTR e, UINT n, PUINT h) {
  if (h) *h = 0;
  return CopyMessage(L"A resource could not be loaded or created.", e, n);
}

CFileException::CFileException(int cause, LONG lOsError, LPCWSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName ? _wcsdup(lpszArchiveName) : nullptr) {}

CFileException::~CFileException() { free(m_strFileName); }

int CFileException::OsErrorToException(LONG lOsError) {
  switch (lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND: case ERROR_INVALID_DRIVE: case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: case ERROR_BAD_NETPATH: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED: case ERROR_WRITE_PROTECT: case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS: return accessDenied;
    case ERROR_INVALID_HANDLE: case ERROR_INVALID_ACCESS: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK: case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL: case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
  }
}

BOOL CFileException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT h) {
  if (h) *h = 0;
  static const wchar_t* const texts[] = {
      L"No error occurred.", L"An unspecified error occurred while accessing %s.",
      L"%s was not found.", L"%s contains an invalid path.", L"%s could not be opened because there are too many open files.",
      L"Access to %s was denied.", L"An invalid file handle was associated with %s.",
      L"%s could not be removed because it is the current directory.", L"%s could not be created because the directory is full.",
      L"Seek failed on %s.", L"A hardware I/O error was reported while accessing %s.",
      L"A sharing violation occurred while accessing %s.", L"A locking violation occurred while accessing %s.",
      L"Disk full while accessing %s.", L"An attempt was made to access %s past its end."};
  int cause = (m_cause >= 0 && m_cause <= endOfFile) ? m_cause : genericException;
  wchar_t buf[1024];
  _snwprintf(buf, 1023, texts[cause], m_strFileName ? m_strFileName : L"an unnamed file");
  buf[1023] = 0;
  return CopyMessage(buf, lpszError, nMaxError);
}

CArchiveException::CArchiveException(int cause, LPCWSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName ? _wcsdup(lpszArchiveName) : nullptr) {}

CArchiveException::~CArchiveException() { free(m_strFileName); }

BOOL CArchiveException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT h) {
  if (h) *h = 0;
  static const wchar_t* const texts[] = {
      L"No error occurred.", L"An unexpected error occurred while reading %s.",
      L"An attempt was made to write to %s while it was being read.", L"An unexpected end of file was met while reading %s.",
      L"An attempt was made to read from %s while it was being written.", L"%s has an invalid format.",
      L"%s contains an unexpected object.", L"%s contains an object of an incorrect version."};
  int cause = (m_cause >= 0 && m_cause <= badSchema) ? m_cause : genericException;
  wchar_t buf[1024];
  _snwprintf(buf, 1023, texts[cause], m_strFileName ? m_strFileName : L"an unnamed file");
  buf[1023] = 0;
  return CopyMessage(buf, lpszError, nMaxError);
}

void AfxThrowMemoryException() { throw new CMemoryException; }
void AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AfxThrowResourceException() { throw new CResourceException; }
void AfxThrowUserException() { throw new CUserException; }
void AfxThrowFileException(int cause, LONG lOsError, LPCWSTR lpszFileName) {
  throw new CFileException(cause, lOsError, lpszFileName);
}
void AfxThrowArchiveException(int cause, LPCWSTR lpszArchiveName) {
  throw new CArchiveException(cause, lpszArchiveName);
}

// ---- resource and instance handles --------------------------------------------------------
static HINSTANCE g_hInstResource = nullptr;
static HINSTANCE g_hInstance = nullptr;

HINSTANCE AfxGetInstanceHandle() { return g_hInstance ? g_hInstance : ::GetModuleHandleW(nullptr); }
void AfxSetInstanceHandle(HINSTANCE hInstance) { g_hInstance = hInstance; }
HINSTANCE AfxGetResourceHandle() { return g_hInstResource ? g_hInstResource : AfxGetInstanceHandle(); }
void AfxSetResourceHandle(HINSTANCE hInstResource) { g_hInstResource = hInstResource; }

HINSTANCE AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType) {
  HINSTANCE h = AfxGetResourceHandle();
  if (::FindResourceW(h, lpszName, lpszType) != nullptr) return h;
  HINSTANCE hApp = AfxGetInstanceHandle();
  if (hApp != h && ::FindResourceW(hApp, lpszName, lpszType) != nullptr) return hApp;
  return h;
}
