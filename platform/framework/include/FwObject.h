// The object model: CObject, run-time class records, dynamic creation and the exception classes.
#pragma once
#include <windows.h>
#include <stddef.h>
#include "FwIds.h"

class CObject;
class CArchive;
class CString;

// Marks a schema whose objects can read older stored schemas (the stored one is then reported
// through CArchive::GetObjectSchema instead of failing the load).
#define VERSIONABLE_SCHEMA 0x80000000u

struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;                      // 0xFFFF: not serializable
  CObject* (*m_pfnCreateObject)();     // null: not creatable
  CRuntimeClass* m_pBaseClass;
  CRuntimeClass* m_pNextClass;         // list of every registered class

  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
  // Writes the class record of an archive (schema, name length, name).
  void Store(CArchive& ar) const;
  // Reads a class record and finds the class; pwSchemaNum receives the stored schema.
  static CRuntimeClass* Load(CArchive& ar, UINT* pwSchemaNum);
  static CRuntimeClass* FromName(LPCSTR lpszClassName);
  static CRuntimeClass* FromName(LPCWSTR lpszClassName);
  static CObject* CreateObject(LPCSTR lpszClassName);
  static CObject* CreateObject(LPCWSTR lpszClassName);
};

// Links a class record into the list of known classes during static initialisation.
struct AFX_CLASSINIT {
  explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class CObject {
public:
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;
  BOOL IsKindOf(const CRuntimeClass* pClass) const;
  BOOL IsSerializable() const;
  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const {}
  static CRuntimeClass classCObject;
protected:
  CObject() = default;
private:
  CObject(const CObject&) = delete;
  void operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name) \
public: \
  static CRuntimeClass class##class_name; \
  virtual CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name) \
  static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) \
  DECLARE_DYNCREATE(class_name) \
  friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
  CRuntimeClass class_name::class##class_name = { \
    #class_name, (int)sizeof(class_name), (UINT)(wSchema), pfnNew, RUNTIME_CLASS(base_class_name), nullptr}; \
  static AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name)); \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
  CObject* class_name::CreateObject() { return new class_name; } \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
  CObject* class_name::CreateObject() { return new class_name; } \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
  CArchive& operator>>(CArchive& ar, class_name*& pOb) { \
    pOb = (class_name*)ar.ReadObject(RUNTIME_CLASS(class_name)); return ar; }

// Same for class templates and nested use: the caller names the record explicitly.
template <class T> inline T* DynamicDowncastHelper(CRuntimeClass* pClass, CObject* pObject) {
  return (pObject != nullptr && pObject->IsKindOf(pClass)) ? static_cast<T*>(pObject) : nullptr;
}
#define DYNAMIC_DOWNCAST(class_name, object) \
  DynamicDowncastHelper<class_name>(RUNTIME_CLASS(class_name), (CObject*)(object))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

// Diagnostics compile to nothing (there is no debug build of the framework).
#ifndef ASSERT
#define ASSERT(f) ((void)0)
#endif
#ifndef VERIFY
#define VERIFY(f) ((void)(f))
#endif
#ifndef ASSERT_VALID
#define ASSERT_VALID(p) ((void)0)
#endif
#ifndef ASSERT_KINDOF
#define ASSERT_KINDOF(class_name, object) ((void)0)
#endif
#ifndef TRACE
#define TRACE(...) ((void)0)
#endif
#ifndef TRACE0
#define TRACE0(s) ((void)0)
#endif
#define afx_msg

// ---- Exceptions -------------------------------------------------------------------------
// Thrown by pointer (throw new CFileException(...)); the catcher calls Delete().
class CException : public CObject {
  DECLARE_DYNAMIC(CException)
public:
  explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}
  void Delete();
  // Writes the message text into the buffer; FALSE when there is none.
  virtual BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr);
  virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);
  BOOL m_bAutoDelete;
};

class CMemoryException : public CException {
  DECLARE_DYNAMIC(CMemoryException)
public:
  BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;
};

class CNotSupportedException : public CException {
  DECLARE_DYNAMIC(CNotSupportedException)
public:
  BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;
};

class CInvalidArgException : public CException {
  DECLARE_DYNAMIC(CInvalidArgException)
public:
  BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;
};

class CResourceException : public CException {
  DECLARE_DYNAMIC(CResourceException)
public:
  BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;
};

// Thrown after the user has already been told (failed validation, cancelled operation).
class CUserException : public CException {
  DECLARE_DYNAMIC(CUserException)
};

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
public:
  enum {
    none, genericException, fileNotFound, badPath, tooManyOpenFiles, accessDenied,
    invalidFile, removeCurrentDir, directoryFull, badSeek, hardIO, sharingViolation,
    lockViolation, diskFull, endOfFile
  };
  CFileException(int cause = none, LONG lOsError = -1, LPCWSTR lpszArchiveName = nullptr);
  ~CFileException() override;
  static int OsErrorToException(LONG lOsError);
  BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;
  int m_cause;
  LONG m_lOsError;
  LPWSTR m_strFileName;  // owned copy, may be null
};

class CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)
public:
  enum {
    none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema
  };
  CArchiveException(int cause = none, LPCWSTR lpszArchiveName = nullptr);
  ~CArchiveException() override;
  BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;
  int m_cause;
  LPWSTR m_strFileName;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCWSTR lpszFileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCWSTR lpszArchiveName = nullptr);

// Thin checks used by the collection and string code.
inline BOOL AfxIsValidAddress(const void* p, UINT_PTR, BOOL = TRUE) { return p != nullptr; }
inline BOOL AfxIsValidString(LPCWSTR p, int = -1) { return p != nullptr; }

// The module whose resources the framework loads (strings, menus, dialogs, bitmaps).
// Starts as the program's own module; the program replaces it with its resource library.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
HINSTANCE AfxGetInstanceHandle();
void AfxSetInstanceHandle(HINSTANCE hInstance);
// The resource handle, or the program when the resource handle lacks the resource.
HINSTANCE AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType);

// Message boxes with the application's name as caption, owned by the active main window.
int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Iteration position of the collections.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)
