// CUfxRegistry: the one way the framework keeps state between runs. A thin wrapper over a
// registry key that writes strings, numbers, rectangles, points, word arrays and archived objects
// in fixed binary layouts and reads them back, refusing anything whose type or size does not fit.
#pragma once
#include "Framework.h"

class CUfxRegistry : public CObject {
  DECLARE_DYNCREATE(CUfxRegistry)
public:
  explicit CUfxRegistry(BOOL bAdmin = FALSE, BOOL bReadOnly = FALSE);
  ~CUfxRegistry() override;

  // Root and access of a fresh object (used by CUfxRegistryPtr before the first Open).
  void SetRoot(BOOL bAdmin, BOOL bReadOnly);

  // The operations below are virtual so that a derived store can stand in for the registry.
  virtual BOOL ReadKeyValues(CStringArray& values);
  virtual BOOL KeyExists(LPCWSTR lpszSubKey);
  virtual BOOL ValueExists(LPCWSTR lpszValueName);
  virtual BOOL CreateKey(LPCWSTR lpszSubKey);
  virtual BOOL Open(LPCWSTR lpszSubKey);
  virtual void Close();
  virtual BOOL DeleteValue(LPCWSTR lpszValueName);
  // Recursive: the key and everything below it, below the root chosen by bAdmin.
  virtual BOOL DeleteKey(LPCWSTR lpszKey, BOOL bAdmin = FALSE);

  virtual BOOL Write(LPCWSTR lpszValueName, CObject* pObject);   // class record + contents
  virtual BOOL Write(LPCWSTR lpszValueName, CObject& object);    // contents only
  virtual BOOL Write(LPCWSTR lpszValueName, CStringList& list);
  virtual BOOL Write(LPCWSTR lpszValueName, LPBYTE pData, UINT nBytes);
  virtual BOOL Write(LPCWSTR lpszValueName, LPPOINT pPoint);
  virtual BOOL Write(LPCWSTR lpszValueName, LPRECT pRect);
  virtual BOOL Write(LPCWSTR lpszValueName, CWordArray& array);
  virtual BOOL Write(LPCWSTR lpszValueName, CObList& list);
  virtual BOOL Write(LPCWSTR lpszValueName, CByteArray& array);
  virtual BOOL Write(LPCWSTR lpszValueName, CDWordArray& array);
  virtual BOOL Write(LPCWSTR lpszValueName, CStringArray& array);
  virtual BOOL Write(LPCWSTR lpszValueName, LPCWSTR lpszValue);
  virtual BOOL Write(LPCWSTR lpszValueName, int nValue);
  virtual BOOL Write(LPCWSTR lpszValueName, DWORD dwValue);

  // An object comes back only when its stored class is pExpected or derives from it; the class is
  // checked before anything is constructed. The caller owns the new object.
  virtual BOOL Read(LPCWSTR lpszValueName, CObject*& pObject, const CRuntimeClass* pExpected = nullptr);
  virtual BOOL Read(LPCWSTR lpszValueName, CObject& object);
  // Elements are checked against pElementClass when it is given. The old elements are deleted only
  // when the new list was read whole.
  virtual BOOL Read(LPCWSTR lpszValueName, CObList& list, const CRuntimeClass* pElementClass = nullptr);
  // *ppData is allocated with new[]; the caller deletes it. Null on failure.
  virtual BOOL Read(LPCWSTR lpszValueName, BYTE** ppData, UINT* pBytes);
  virtual BOOL Read(LPCWSTR lpszValueName, CRect& rect);
  virtual BOOL Read(LPCWSTR lpszValueName, CPoint& point);
  virtual BOOL Read(LPCWSTR lpszValueName, CByteArray& array);
  virtual BOOL Read(LPCWSTR lpszValueName, CWordArray& array);
  virtual BOOL Read(LPCWSTR lpszValueName, CDWordArray& array);
  virtual BOOL Read(LPCWSTR lpszValueName, CStringArray& array);
  virtual BOOL Read(LPCWSTR lpszValueName, CStringList& list);
  virtual BOOL Read(LPCWSTR lpszValueName, CString& value);
  virtual BOOL Read(LPCWSTR lpszValueName, int& nValue);
  virtual BOOL Read(LPCWSTR lpszValueName, DWORD& dwValue);
  virtual BOOL ReadSubKeys(CStringArray& subKeys);

  HKEY GetKey() const { return m_hKey; }
  const CString& GetKeyName() const { return m_strKeyName; }
  BOOL IsReadOnly() const { return m_bReadOnly; }
  BOOL IsAdmin() const { return m_bAdmin; }

protected:
  // The value's type and bytes; FALSE when it is missing or cannot be read.
  BOOL QueryValue(LPCWSTR lpszValueName, DWORD& dwType, std::vector<BYTE>& data);
  BOOL WriteValue(LPCWSTR lpszValueName, DWORD dwType, const void* pData, DWORD nBytes);
  // The archive image of what ser writes; FALSE when building it failed.
  template <class F> BOOL WriteArchive(LPCWSTR lpszValueName, F ser);
  // Runs ser over the stored REG_BINARY image in loading mode; FALSE on any fault.
  template <class F> BOOL ReadArchive(LPCWSTR lpszValueName, F ser);
  // Reads a whole collection into a fresh object of the same kind, then hands it over.
  template <class T> BOOL ReadCollection(LPCWSTR lpszValueName, T& target);
  REGSAM OpenMask() const;

  HKEY m_hKey = nullptr;
  BOOL m_bAdmin = FALSE;
  CString m_strKeyName;
  BOOL m_bReadOnly = FALSE;
};

// The registry path of a framework section: the override when it is not empty, else
// "SOFTWARE\<registry key>\<profile>\<postfix>\".
CString UfxGetRegPath(LPCWSTR lpszPostfix, LPCWSTR lpszProfileName = nullptr);
