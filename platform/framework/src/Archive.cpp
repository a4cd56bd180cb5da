// CArchive and the class records it stores.
#include "Framework.h"

namespace {
const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;
}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int, void*) : m_pFile(pFile), m_nMode(nMode) {
  m_strFileName = pFile ? pFile->GetFilePath() : CString();
  // Index 0 stands for the null object.
  m_loadArray.push_back(nullptr);
  m_loadIsClass.push_back(false);
}

CArchive::~CArchive() {}

void CArchive::Close() {
  if (IsStoring() && m_pFile != nullptr) m_pFile->Flush();
  m_pFile = nullptr;
}

void CArchive::Abort() { m_pFile = nullptr; }
void CArchive::Flush() {
  if (IsStoring() && m_pFile != nullptr) m_pFile->Flush();
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  if (IsStoring()) AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
  if (m_pFile == nullptr) AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);  // closed
  return m_pFile->Read(lpBuf, nMax);
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  if (IsLoading()) AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
  if (m_pFile == nullptr) AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);  // closed
  m_pFile->Write(lpBuf, nMax);
}

void CArchive::EnsureRead(void* lpBuf, UINT nMax) {
  if (Read(lpBuf, nMax) != nMax) AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

void CArchive::WriteCount(DWORD_PTR dwCount) {
  if (dwCount < 0xFFFF) {
    *this << (WORD)dwCount;
  } else {
    *this << (WORD)0xFFFF << (DWORD)dwCount;
  }
}

DWORD_PTR CArchive::ReadCount() {
  WORD w;
  *this >> w;
  DWORD dw = w;
  if (w == 0xFFFF) *this >> dw;
  CheckCount(dw, 1);
  return dw;
}

void CArchive::CheckCount(ULONGLONG nCount, ULONGLONG nItemSize) {
  if (IsStoring() || nCount == 0) return;
  if (m_pFile == nullptr) AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);  // closed
  const ULONGLONG length = m_pFile->GetLength(), position = m_pFile->GetPosition();
  const ULONGLONG left = position < length ? length - position : 0;
  // Also keeps every byte count of one read within 32 bits.
  if (nItemSize != 0 && (nCount > left / nItemSize || nCount * nItemSize > 0xFFFFFFFFull))
    AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

void AfxWriteStringLength(CArchive& ar, UINT nLength, BOOL bUnicode) {
  if (bUnicode) ar << (BYTE)0xFF << (WORD)0xFFFE;  // marks a UTF-16 string
  if (nLength < 255) {
    ar << (BYTE)nLength;
  } else {
    ar << (BYTE)0xFF;
    if (nLength < 0xFFFE) ar << (WORD)nLength;
    else ar << (WORD)0xFFFF << (DWORD)nLength;
  }
}

UINT AfxReadStringLength(CArchive& ar, int& nCharSize) {
  nCharSize = 1;
  BYTE b;
  ar >> b;
  if (b < 0xFF) return b;
  WORD w;
  ar >> w;
  if (w == 0xFFFE) {
    nCharSize = 2;
    ar >> b;
    if (b < 0xFF) return b;
    ar >> w;
  }
  if (w < 0xFFFF) return w;
  DWORD dw;
  ar >> dw;
  return dw;
}

CArchive& CArchive::operator<<(const CString& s) {
  AfxWriteStringLength(*this, (UINT)s.GetLength(), TRUE);
  Write((LPCWSTR)s, (UINT)s.GetLength() * 2);
  return *this;
}

CArchive& CArchive::operator>>(CString& s) {
  int nCharSize;
  UINT n = AfxReadStringLength(*this, nCharSize);
  if (n > 0x7FFFFFF) AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
  CheckCount(n, (ULONGLONG)nCharSize);
  if (nCharSize == 2) {
    LPWSTR p = s.GetBufferSetLength((int)n);
    EnsureRead(p, n * 2);
    s.ReleaseBuffer((int)n);
  } else {
    std::string narrow(n, '\0');
    if (n) EnsureRead(&narrow[0], n);
    s = CString(narrow.c_str(), (int)n);
  }
  return *this;
}

void CArchive::WriteString(LPCWSTR lpsz) {
  if (lpsz) Write(lpsz, (UINT)wcslen(lpsz) * 2);
}

BOOL CArchive::ReadString(CString& rString) {
  rString.Empty();
  wchar_t ch;
  BOOL any = FALSE;
  while (Read(&ch, 2) == 2) {
    any = TRUE;
    if (ch == L'\n') break;
    if (ch != L'\r') rString += ch;
  }
  return any;
}

// ---- class records ------------------------------------------------------------------------------
void CRuntimeClass::Store(CArchive& ar) const {
  WORD nLen = (WORD)strlen(m_lpszClassName);
  ar << (WORD)(m_wSchema & ~VERSIONABLE_SCHEMA) << nLen;
  ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum) {
  WORD wSchema, nLen;
  ar >> wSchema >> nLen;
  if (nLen >= 64) return nullptr;
  char name[64];
  if (ar.Read(name, nLen) != nLen) return nullptr;
  name[nLen] = 0;
  if (pwSchemaNum) *pwSchemaNum = wSchema;
  return FromName(name);
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef) {
  if (pClassRef->m_wSchema == 0xFFFF) AfxThrowNotSupportedException();  // not serializable
  auto it = m_storeMap.find(pClassRef);
  if (it != m_storeMap.end()) {
    DWORD idx = it->second;
    if (idx < wBigObjectTag) *this << (WORD)(wClassTag | idx);
    else *this << wBigObjectTag << (DWORD)(dwBigClassTag | idx);
    return;
  }
  *this << wNewClassTag;
  pClassRef->Store(*this);
  DWORD idx = (DWORD)m_storeMap.size() + 1;
  m_storeMap[pClassRef] = idx;
}

void CArchive::WriteObject(const CObject* pOb) {
  if (pOb == nullptr) {
    *this << wNullTag;
    return;
  }
  auto it = m_storeMap.find(pOb);
  if (it != m_storeMap.end()) {
    DWORD idx = it->second;
    if (idx < wBigObjectTag) *this << (WORD)idx;
    else *this << wBigObjectTag << idx;
    return;
  }
  WriteClass(pOb->GetRuntimeClass());
  DWORD idx = (DWORD)m_storeMap.size() + 1;
  m_storeMap[pOb] = idx;
  const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag) {
  WORD wTag;
  *this >> wTag;
  DWORD obTag;
  if (wTag == wBigObjectTag) *this >> obTag;
  else obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);
  if (pObTag) *pObTag = obTag;
  CRuntimeClass* pClassRef = nullptr;
  UINT nSchema = 0;
  if (wTag == wNewClassTag) {
    pClassRef = CRuntimeClass::Load(*this, &nSchema);
    if (pClassRef == nullptr) AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema) {
      if (!(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
        AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
    }
    m_loadArray.push_back(pClassRef);
    m_loadIsClass.push_back(true);
    m_classSchemas[pClassRef] = nSchema;
  } else if (obTag & dwBigClassTag) {
    DWORD idx = obTag & ~dwBigClassTag;
    if (idx == 0 || idx >= m_loadArray.size() || !m_loadIsClass[idx])
      AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    pClassRef = (CRuntimeClass*)m_loadArray[idx];
    nSchema = m_classSchemas[pClassRef];
  } else {
    return nullptr;  // an object reference, not a class
  }
  if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
    AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
  if (pSchema) *pSchema = nSchema;
  return pClassRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) { return ReadObjectOf(pClassRefRequested, FALSE); }

CObject* CArchive::ReadOwnedObject(const CRuntimeClass* pClassRefRequested) {
  return ReadObjectOf(pClassRefRequested, TRUE);
}

CObject* CArchive::ReadObjectOf(const CRuntimeClass* pClassRefRequested, BOOL bOwned) {
  UINT nSchema = 0;
  DWORD obTag = 0;
  CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
  if (pClassRef != nullptr) return ReadNewObject(pClassRef, nSchema);
  if (obTag == 0) return nullptr;
  // The object read before belongs to whoever took it then: a second owner would delete it twice.
  if (bOwned || obTag >= m_loadArray.size() || m_loadIsClass[obTag])
    AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
  CObject* pOb = (CObject*)m_loadArray[obTag];
  if (pOb != nullptr && pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
    AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
  return pOb;
}

CObject* CArchive::ReadNewObject(CRuntimeClass* pClassRef, UINT nSchema) {
  CObject* pOb = pClassRef->CreateObject();
  if (pOb == nullptr) AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
  // Registered before its contents so that they can refer back to it.
  const size_t slot = m_loadArray.size();
  try {
    m_loadArray.push_back(pOb);
    m_loadIsClass.push_back(false);
  } catch (...) {
    m_loadArray.resize(slot);
    delete pOb;
    throw;
  }
  UINT saved = m_nObjectSchema;
  m_nObjectSchema = nSchema;
  try {
    pOb->Serialize(*this);
  } catch (...) {
    // Its own slot: the children read before the failure sit behind it.
    m_loadArray[slot] = nullptr;
    delete pOb;
    m_nObjectSchema = saved;
    throw;
  }
  m_nObjectSchema = saved;
  return pOb;
}

UINT CArchive::GetObjectSchema() {
  UINT n = m_nObjectSchema;
  m_nObjectSchema = (UINT)-1;
  return n;
}
