// CArchive: binary serialization with the platform's stored layout (little-endian values,
// counts, length-prefixed strings, class records and object references by index).
#pragma once
#include "FwFile.h"
#include "FwGeometry.h"
#include <vector>
#include <unordered_map>

class CDocument;

class CArchive {
public:
  enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };
  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
  ~CArchive();

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  CFile* GetFile() const { return m_pFile; }
  void Close();
  void Abort();
  void Flush();

  UINT Read(void* lpBuf, UINT nMax);
  void Write(const void* lpBuf, UINT nMax);
  // Reads exactly nMax bytes or throws CArchiveException::endOfFile.
  void EnsureRead(void* lpBuf, UINT nMax);

  // Counts: a WORD below 0xFFFF, else 0xFFFF and a DWORD. A count read back is never more
  // than the bytes left in the file (every item takes at least one byte); a larger one raises
  // CArchiveException::endOfFile.
  void WriteCount(DWORD_PTR dwCount);
  DWORD_PTR ReadCount();
  // Raises CArchiveException::endOfFile unless `nCount` items of `nItemSize` bytes each can
  // still be read from the file, so no count read from a file asks for more than it holds.
  void CheckCount(ULONGLONG nCount, ULONGLONG nItemSize);
  // Objects: null tag, a reference to an object stored before, or the class and the object.
  void WriteObject(const CObject* pOb);
  CObject* ReadObject(const CRuntimeClass* pClass);
  // For a caller that takes the object and deletes it: a reference back to an object read
  // before (which has its owner already) raises CArchiveException::badIndex. A null tag reads
  // as nullptr.
  CObject* ReadOwnedObject(const CRuntimeClass* pClass);
  void WriteClass(const CRuntimeClass* pClassRef);
  CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                           DWORD* pObTag = nullptr);
  // The stored schema of the object being read (once; -1 afterwards).
  UINT GetObjectSchema();
  void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }
  void WriteString(LPCWSTR lpsz);
  BOOL ReadString(CString& rString);  // one text line (CR LF or LF ended)

  CArchive& operator<<(BYTE v) { Write(&v, 1); return *this; }
  CArchive& operator<<(WORD v) { Write(&v, 2); return *this; }
  CArchive& operator<<(LONG v) { Write(&v, 4); return *this; }
  CArchive& operator<<(DWORD v) { Write(&v, 4); return *this; }
  CArchive& operator<<(int v) { Write(&v, 4); return *this; }
  CArchive& operator<<(UINT v) { Write(&v, 4); return *this; }
  CArchive& operator<<(short v) { Write(&v, 2); return *this; }
  CArchive& operator<<(char v) { Write(&v, 1); return *this; }
  CArchive& operator<<(wchar_t v) { Write(&v, 2); return *this; }
  CArchive& operator<<(bool v) { BYTE b = v; Write(&b, 1); return *this; }
  CArchive& operator<<(float v) { Write(&v, 4); return *this; }
  CArchive& operator<<(double v) { Write(&v, 8); return *this; }
  CArchive& operator<<(LONGLONG v) { Write(&v, 8); return *this; }
  CArchive& operator<<(ULONGLONG v) { Write(&v, 8); return *this; }
  CArchive& operator<<(const CObject* pOb) { WriteObject(pOb); return *this; }
  CArchive& operator<<(const CString& s);
  CArchive& operator<<(POINT pt) { return *this << (LONG)pt.x << (LONG)pt.y; }
  CArchive& operator<<(SIZE s) { return *this << (LONG)s.cx << (LONG)s.cy; }
  CArchive& operator<<(const RECT& r) { return *this << (LONG)r.left << (LONG)r.top << (LONG)r.right << (LONG)r.bottom; }

  CArchive& operator>>(BYTE& v) { EnsureRead(&v, 1); return *this; }
  CArchive& operator>>(WORD& v) { EnsureRead(&v, 2); return *this; }
  CArchive& operator>>(LONG& v) { EnsureRead(&v, 4); return *this; }
  CArchive& operator>>(DWORD& v) { EnsureRead(&v, 4); return *this; }
  CArchive& operator>>(int& v) { EnsureRead(&v, 4); return *this; }
  CArchive& operator>>(UINT& v) { EnsureRead(&v, 4); return *this; }
  CArchive& operator>>(short& v) { EnsureRead(&v, 2); return *this; }
  CArchive& operator>>(char& v) { EnsureRead(&v, 1); return *this; }
  CArchive& operator>>(wchar_t& v) { EnsureRead(&v, 2); return *this; }
  CArchive& operator>>(bool& v) { BYTE b; EnsureRead(&b, 1); v = b != 0; return *this; }
  CArchive& operator>>(float& v) { EnsureRead(&v, 4); return *this; }
  CArchive& operator>>(double& v) { EnsureRead(&v, 8); return *this; }
  CArchive& operator>>(LONGLONG& v) { EnsureRead(&v, 8); return *this; }
  CArchive& operator>>(ULONGLONG& v) { EnsureRead(&v, 8); return *this; }
  CArchive& operator>>(CObject*& pOb) { pOb = ReadObject(nullptr); return *this; }
  CArchive& operator>>(CString& s);
  CArchive& operator>>(POINT& pt) { return *this >> pt.x >> pt.y; }
  CArchive& operator>>(SIZE& s) { return *this >> s.cx >> s.cy; }
  CArchive& operator>>(RECT& r) { return *this >> r.left >> r.top >> r.right >> r.bottom; }

  CDocument* m_pDocument = nullptr;
  BOOL m_bForceFlat = TRUE;
  CString m_strFileName;
protected:
  CFile* m_pFile;
  UINT m_nMode;
  UINT m_nObjectSchema = (UINT)-1;
  // Storing: object or class record -> index; loading: index -> object or class record.
  std::unordered_map<const void*, DWORD> m_storeMap;
  std::vector<void*> m_loadArray;
  std::vector<bool> m_loadIsClass;
  std::unordered_map<const CRuntimeClass*, UINT> m_classSchemas;
private:
  CObject* ReadObjectOf(const CRuntimeClass* pClass, BOOL bOwned);
  CObject* ReadNewObject(CRuntimeClass* pClassRef, UINT nSchema);
};

// Writes and reads a string's length with the platform's prefix scheme (see CString operators).
void AfxWriteStringLength(CArchive& ar, UINT nLength, BOOL bUnicode);
UINT AfxReadStringLength(CArchive& ar, int& nCharSize);
