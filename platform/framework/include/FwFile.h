// CFile over a Win32 file handle, and CMemFile over a growing memory block.
#pragma once
#include "FwString.h"

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)
public:
  enum OpenFlags {
    modeRead = 0x0000, modeWrite = 0x0001, modeReadWrite = 0x0002, shareCompat = 0x0000, shareExclusive = 0x0010,
    shareDenyWrite = 0x0020, shareDenyRead = 0x0030, shareDenyNone = 0x0040, modeNoInherit = 0x0080,
    modeCreate = 0x1000, modeNoTruncate = 0x2000, typeText = 0x4000, typeBinary = 0x8000
  };
  enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };
  static const HANDLE hFileNull;

  CFile() = default;
  explicit CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}
  CFile(LPCWSTR lpszFileName, UINT nOpenFlags);  // throws CFileException
  ~CFile() override;

  HANDLE m_hFile = INVALID_HANDLE_VALUE;
  BOOL m_bCloseOnDelete = FALSE;
  CString m_strFileName;
  operator HANDLE() const { return m_hFile; }

  virtual BOOL Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
  virtual void Close();
  virtual void Abort();
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  void SeekToBegin() { Seek(0, begin); }
  virtual ULONGLONG GetPosition() const;
  virtual ULONGLONG GetLength() const;
  virtual void SetLength(ULONGLONG dwNewLen);
  virtual void Flush();
  virtual CString GetFileName() const;
  virtual CString GetFilePath() const { return m_strFileName; }
  static void Remove(LPCWSTR lpszFileName);
  static void Rename(LPCWSTR lpszOldName, LPCWSTR lpszNewName);
};

class CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)
public:
  explicit CMemFile(UINT nGrowBytes = 1024) : m_nGrowBytes(nGrowBytes) {}
  CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0) { Attach(lpBuffer, nBufferSize, nGrowBytes); }
  ~CMemFile() override;
  // Uses the caller's buffer; with nGrowBytes 0 the file cannot grow beyond it.
  void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  // Hands the buffer to the caller (who frees it with free()).
  BYTE* Detach();
  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
  ULONGLONG GetPosition() const override { return m_nPosition; }
  ULONGLONG GetLength() const override { return m_nFileSize; }
  void SetLength(ULONGLONG dwNewLen) override;
  void Flush() override {}
  void Close() override;
  void Abort() override { Close(); }
protected:
  virtual BYTE* Alloc(SIZE_T nBytes) { return (BYTE*)malloc(nBytes); }
  virtual BYTE* Realloc(BYTE* p, SIZE_T nBytes) { return (BYTE*)realloc(p, nBytes); }
  virtual void Free(BYTE* p) { free(p); }
  void GrowFile(SIZE_T dwNewLen);
  UINT m_nGrowBytes = 1024;
  SIZE_T m_nPosition = 0;
  SIZE_T m_nBufferSize = 0;
  SIZE_T m_nFileSize = 0;
  BYTE* m_lpBuffer = nullptr;
  BOOL m_bAutoDelete = TRUE;
};

// A memory file in a movable global block, as the clipboard wants it.
class CSharedFile : public CMemFile {
  DECLARE_DYNAMIC(CSharedFile)
public:
  explicit CSharedFile(UINT nAllocFlags = GMEM_MOVEABLE, UINT nGrowBytes = 4096)
      : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags) {}
  ~CSharedFile() override;
  // Hands the global block to the caller; the file is empty afterwards.
  HGLOBAL Detach();
  // Reads an existing block (not freed unless bAllowGrow lets the file own it).
  void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);
protected:
  BYTE* Alloc(SIZE_T nBytes) override;
  BYTE* Realloc(BYTE* p, SIZE_T nBytes) override;
  void Free(BYTE* p) override;
  UINT m_nAllocFlags;
  HGLOBAL m_hGlobalMemory = nullptr;
  BOOL m_bAllowGrow = TRUE;
};
