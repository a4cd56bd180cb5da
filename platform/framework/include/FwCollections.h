// Collections: arrays, lists and hash maps (templates and the ready-made element types), each
// serializable through CArchive (a count, then the elements).
#pragma once
#include "FwArchive.h"
#include <vector>
#include <new>

// ---- element helpers ------------------------------------------------------------------------
// Elements are stored as their raw bytes unless an overload below says otherwise.
template <class TYPE>
void SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount) {
  if (nCount <= 0) return;
  if (ar.IsStoring()) {
    ar.Write(pElements, (UINT)(nCount * (INT_PTR)sizeof(TYPE)));
  } else {
    ar.CheckCount((ULONGLONG)nCount, sizeof(TYPE));
    ar.EnsureRead(pElements, (UINT)(nCount * (INT_PTR)sizeof(TYPE)));
  }
}
template <>
inline void SerializeElements<CString>(CArchive& ar, CString* p, INT_PTR n) {
  for (INT_PTR i = 0; i < n; ++i) {
    if (ar.IsStoring()) ar << p[i];
    else ar >> p[i];
  }
}
template <>
inline void SerializeElements<CObject*>(CArchive& ar, CObject** p, INT_PTR n) {
  for (INT_PTR i = 0; i < n; ++i) {
    if (ar.IsStoring()) ar << p[i];
    else ar >> p[i];
  }
}

template <class ARG_KEY>
inline UINT HashKey(ARG_KEY key) { return (UINT)(((UINT_PTR)key) >> 4); }
inline UINT HashKeyString(LPCWSTR key) {
  UINT h = 0;
  if (key) while (*key) h = (h << 5) + h + (UINT)*key++;
  return h;
}
template <> inline UINT HashKey<LPCWSTR>(LPCWSTR key) { return HashKeyString(key); }
template <> inline UINT HashKey<const CString&>(const CString& key) { return HashKeyString(key); }
template <> inline UINT HashKey<CString>(CString key) { return HashKeyString(key); }

template <class TYPE, class ARG_TYPE>
inline BOOL CompareElements(const TYPE* a, const ARG_TYPE* b) { return *a == *b; }

// ---- CArray -----------------------------------------------------------------------------------
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
  CArray() = default;
  INT_PTR GetSize() const { return (INT_PTR)m_data.size(); }
  INT_PTR GetCount() const { return (INT_PTR)m_data.size(); }
  BOOL IsEmpty() const { return m_data.empty(); }
  INT_PTR GetUpperBound() const { return (INT_PTR)m_data.size() - 1; }
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) {
    if (nNewSize < 0) AfxThrowInvalidArgException();
    m_data.resize((size_t)nNewSize);
  }
  void FreeExtra() { m_data.shrink_to_fit(); }
  void RemoveAll() { m_data.clear(); }
  const TYPE& GetAt(INT_PTR i) const { Check(i); return m_data[(size_t)i]; }
  TYPE& GetAt(INT_PTR i) { Check(i); return m_data[(size_t)i]; }
  void SetAt(INT_PTR i, ARG_TYPE e) { Check(i); m_data[(size_t)i] = e; }
  TYPE& ElementAt(INT_PTR i) { Check(i); return m_data[(size_t)i]; }
  const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
  TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }
  void SetAtGrow(INT_PTR i, ARG_TYPE e) {
    if (i < 0) AfxThrowInvalidArgException();
    if (i >= GetSize()) m_data.resize((size_t)i + 1);
    m_data[(size_t)i] = e;
  }
  INT_PTR Add(ARG_TYPE e) { m_data.push_back(e); return GetSize() - 1; }
  INT_PTR Append(const CArray& src) {
    INT_PTR old = GetSize();
    m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    return old;
  }
  void Copy(const CArray& src) { if (&src != this) m_data = src.m_data; }
  const TYPE& operator[](INT_PTR i) const { return GetAt(i); }
  TYPE& operator[](INT_PTR i) { return ElementAt(i); }
  void InsertAt(INT_PTR i, ARG_TYPE e, INT_PTR nCount = 1) {
    if (i < 0 || nCount < 0) AfxThrowInvalidArgException();
    if (i > GetSize()) m_data.resize((size_t)i);
    m_data.insert(m_data.begin() + i, (size_t)nCount, TYPE(e));
  }
  void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray) {
    if (nStartIndex < 0 || pNewArray == nullptr) AfxThrowInvalidArgException();
    if (nStartIndex > GetSize()) m_data.resize((size_t)nStartIndex);
    std::vector<TYPE> copy = pNewArray->m_data;
    m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
  }
  void RemoveAt(INT_PTR i, INT_PTR nCount = 1) {
    if (i < 0 || nCount < 0 || i + nCount > GetSize()) AfxThrowInvalidArgException();
    m_data.erase(m_data.begin() + i, m_data.begin() + i + nCount);
  }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar.WriteCount((DWORD_PTR)GetSize());
    } else {
      DWORD_PTR n = ar.ReadCount();
      SetSize((INT_PTR)n);
    }
    SerializeElements<TYPE>(ar, GetData(), GetSize());
  }
protected:
  void Check(INT_PTR i) const {
    if (i < 0 || i >= GetSize()) AfxThrowInvalidArgException();
  }
  std::vector<TYPE> m_data;
};

// ---- CList --------------------------------------------------------------------------------------
template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
protected:
  struct CNode {
    CNode* pNext;
    CNode* pPrev;
    TYPE data;
  };
public:
  CList() = default;
  explicit CList(INT_PTR) {}
  ~CList() override { RemoveAll(); }
  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }
  TYPE& GetHead() { Need(m_pHead); return m_pHead->data; }
  const TYPE& GetHead() const { Need(m_pHead); return m_pHead->data; }
  TYPE& GetTail() { Need(m_pTail); return m_pTail->data; }
  const TYPE& GetTail() const { Need(m_pTail); return m_pTail->data; }
  TYPE RemoveHead() {
    Need(m_pHead);
    CNode* p = m_pHead;
    TYPE v = p->data;
    Unlink(p);
    return v;
  }
  TYPE RemoveTail() {
    Need(m_pTail);
    CNode* p = m_pTail;
    TYPE v = p->data;
    Unlink(p);
    return v;
  }
  POSITION AddHead(ARG_TYPE e) { return InsertBefore((POSITION)m_pHead, e); }
  POSITION AddTail(ARG_TYPE e) { return InsertAfter((POSITION)m_pTail, e); }
  void AddHead(CList* pNewList) {
    for (POSITION pos = pNewList->GetTailPosition(); pos;) AddHead(pNewList->GetPrev(pos));
  }
  void AddTail(CList* pNewList) {
    for (POSITION pos = pNewList->GetHeadPosition(); pos;) AddTail(pNewList->GetNext(pos));
  }
  void RemoveAll() {
    while (m_pHead) {
      CNode* p = m_pHead;
      m_pHead = p->pNext;
      delete p;
    }
    m_pTail = nullptr;
    m_nCount = 0;
  }
  POSITION GetHeadPosition() const { return (POSITION)m_pHead; }
  POSITION GetTailPosition() const { return (POSITION)m_pTail; }
  TYPE& GetNext(POSITION& pos) { CNode* p = Node(pos); pos = (POSITION)p->pNext; return p->data; }
  const TYPE& GetNext(POSITION& pos) const { CNode* p = Node(pos); pos = (POSITION)p->pNext; return p->data; }
  TYPE& GetPrev(POSITION& pos) { CNode* p = Node(pos); pos = (POSITION)p->pPrev; return p->data; }
  const TYPE& GetPrev(POSITION& pos) const { CNode* p = Node(pos); pos = (POSITION)p->pPrev; return p->data; }
  TYPE& GetAt(POSITION pos) { return Node(pos)->data; }
  const TYPE& GetAt(POSITION pos) const { return Node(pos)->data; }
  void SetAt(POSITION pos, ARG_TYPE e) { Node(pos)->data = e; }
  void RemoveAt(POSITION pos) { Unlink(Node(pos)); }
  POSITION InsertBefore(POSITION pos, ARG_TYPE e) {
    CNode* pNew = new CNode{nullptr, nullptr, TYPE(e)};
    CNode* pOld = (CNode*)pos;
    if (pOld == nullptr) {  // at the head
      pNew->pNext = m_pHead;
      if (m_pHead) m_pHead->pPrev = pNew;
      else m_pTail = pNew;
      m_pHead = pNew;
    } else {
      pNew->pPrev = pOld->pPrev;
      pNew->pNext = pOld;
      if (pOld->pPrev) pOld->pPrev->pNext = pNew;
      else m_pHead = pNew;
      pOld->pPrev = pNew;
    }
    ++m_nCount;
    return (POSITION)pNew;
  }
  POSITION InsertAfter(POSITION pos, ARG_TYPE e) {
    CNode* pNew = new CNode{nullptr, nullptr, TYPE(e)};
    CNode* pOld = (CNode*)pos;
    if (pOld == nullptr) {  // at the tail
      pNew->pPrev = m_pTail;
      if (m_pTail) m_pTail->pNext = pNew;
      else m_pHead = pNew;
      m_pTail = pNew;
    } else {
      pNew->pNext = pOld->pNext;
      pNew->pPrev = pOld;
      if (pOld->pNext) pOld->pNext->pPrev = pNew;
      else m_pTail = pNew;
      pOld->pNext = pNew;
    }
    ++m_nCount;
    return (POSITION)pNew;
  }
  POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const {
    CNode* p = startAfter ? ((CNode*)startAfter)->pNext : m_pHead;
    for (; p; p = p->pNext)
      if (CompareElements<TYPE, TYPE>(&p->data, &searchValue)) return (POSITION)p;
    return nullptr;
  }
  POSITION FindIndex(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount) return nullptr;
    CNode* p = m_pHead;
    while (nIndex--) p = p->pNext;
    return (POSITION)p;
  }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar.WriteCount((DWORD_PTR)m_nCount);
      for (CNode* p = m_pHead; p; p = p->pNext) SerializeElements<TYPE>(ar, &p->data, 1);
    } else {
      DWORD_PTR n = ar.ReadCount();
      while (n--) {
        TYPE v{};
        SerializeElements<TYPE>(ar, &v, 1);
        AddTail(v);
      }
    }
  }
protected:
  static CNode* Node(POSITION pos) {
    if (pos == nullptr) AfxThrowInvalidArgException();
    return (CNode*)pos;
  }
  static void Need(CNode* p) {
    if (p == nullptr) AfxThrowInvalidArgException();  // empty list
  }
  void Unlink(CNode* p) {
    if (p->pPrev) p->pPrev->pNext = p->pNext;
    else m_pHead = p->pNext;
    if (p->pNext) p->pNext->pPrev = p->pPrev;
    else m_pTail = p->pPrev;
    delete p;
    --m_nCount;
  }
  CNode* m_pHead = nullptr;
  CNode* m_pTail = nullptr;
  INT_PTR m_nCount = 0;
};

// ---- CMap ----------------------------------------------------------------------------------------
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
protected:
  struct CAssoc {
    CAssoc* pNext;
    UINT nHashValue;
    KEY key;
    VALUE value;
  };
public:
  explicit CMap(INT_PTR nBlockSize = 10) {}
  ~CMap() override { RemoveAll(); }
  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }
  UINT GetHashTableSize() const { return m_nHashTableSize; }
  void InitHashTable(UINT nHashSize, BOOL = TRUE) {
    if (m_nCount != 0 || nHashSize == 0) return;  // only while empty
    m_table.assign(nHashSize, nullptr);
    m_nHashTableSize = nHashSize;
  }
  BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
    CAssoc* p = Find(key);
    if (p == nullptr) return FALSE;
    rValue = p->value;
    return TRUE;
  }
  VALUE& operator[](ARG_KEY key) {
    CAssoc* p = Find(key);
    if (p != nullptr) return p->value;
    if (m_table.empty()) InitHashTable(m_nHashTableSize);
    UINT h = HashKey<ARG_KEY>(key);
    p = new CAssoc{m_table[h % m_nHashTableSize], h, KEY(key), VALUE()};
    m_table[h % m_nHashTableSize] = p;
    ++m_nCount;
    return p->value;
  }
  void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
  BOOL RemoveKey(ARG_KEY key) {
    if (m_table.empty()) return FALSE;
    UINT h = HashKey<ARG_KEY>(key);
    const KEY k(key);
    CAssoc** pp = &m_table[h % m_nHashTableSize];
    for (; *pp; pp = &(*pp)->pNext) {
      if ((*pp)->nHashValue == h && CompareElements<KEY, KEY>(&(*pp)->key, &k)) {
        CAssoc* dead = *pp;
        *pp = dead->pNext;
        delete dead;
        --m_nCount;
        return TRUE;
      }
    }
    return FALSE;
  }
  void RemoveAll() {
    for (CAssoc*& head : m_table) {
      while (head) {
        CAssoc* p = head;
        head = p->pNext;
        delete p;
      }
    }
    m_nCount = 0;
  }
  POSITION GetStartPosition() const {
    if (m_nCount == 0) return nullptr;
    for (CAssoc* head : m_table)
      if (head) return (POSITION)head;
    return nullptr;
  }
  void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
    CAssoc* p = (CAssoc*)rNextPosition;
    if (p == nullptr) AfxThrowInvalidArgException();
    rKey = p->key;
    rValue = p->value;
    CAssoc* next = p->pNext;
    for (UINT b = p->nHashValue % m_nHashTableSize + 1; next == nullptr && b < m_nHashTableSize; ++b) next = m_table[b];
    rNextPosition = (POSITION)next;
  }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar.WriteCount((DWORD_PTR)m_nCount);
      for (CAssoc* head : m_table)
        for (CAssoc* p = head; p; p = p->pNext) {
          SerializeElements<KEY>(ar, &p->key, 1);
          SerializeElements<VALUE>(ar, &p->value, 1);
        }
    } else {
      DWORD_PTR n = ar.ReadCount();
      while (n--) {
        KEY k{};
        VALUE v{};
        SerializeElements<KEY>(ar, &k, 1);
        SerializeElements<VALUE>(ar, &v, 1);
        SetAt(k, v);
      }
    }
  }
protected:
  CAssoc* Find(ARG_KEY key) const {
    if (m_table.empty()) return nullptr;
    UINT h = HashKey<ARG_KEY>(key);
    const KEY k(key);
    for (CAssoc* p = m_table[h % m_nHashTableSize]; p; p = p->pNext)
      if (p->nHashValue == h && CompareElements<KEY, KEY>(&p->key, &k)) return p;
    return nullptr;
  }
  std::vector<CAssoc*> m_table;
  UINT m_nHashTableSize = 17;
  INT_PTR m_nCount = 0;
};

// ---- ready-made collections ------------------------------------------------------------------
#define FW_ARRAY_CLASS(name, type, argtype, decl) \
  class name : public CArray<type, argtype> { decl(name) };
#define FW_DECL_SERIAL(name) DECLARE_SERIAL(name)
#define FW_DECL_DYNAMIC_NOSER(name) DECLARE_DYNAMIC(name) public: void Serialize(CArchive& ar) override;

FW_ARRAY_CLASS(CByteArray, BYTE, BYTE, FW_DECL_SERIAL)
FW_ARRAY_CLASS(CWordArray, WORD, WORD, FW_DECL_SERIAL)
FW_ARRAY_CLASS(CDWordArray, DWORD, DWORD, FW_DECL_SERIAL)
FW_ARRAY_CLASS(CUIntArray, UINT, UINT, FW_DECL_SERIAL)
FW_ARRAY_CLASS(CStringArray, CString, LPCWSTR, FW_DECL_SERIAL)
FW_ARRAY_CLASS(CObArray, CObject*, CObject*, FW_DECL_SERIAL)
// Pointers have no stored form: Serialize throws CNotSupportedException.
FW_ARRAY_CLASS(CPtrArray, void*, void*, FW_DECL_DYNAMIC_NOSER)

class CObList : public CList<CObject*, CObject*> { DECLARE_SERIAL(CObList) };
class CStringList : public CList<CString, LPCWSTR> { DECLARE_SERIAL(CStringList) };
class CPtrList : public CList<void*, void*> { FW_DECL_DYNAMIC_NOSER(CPtrList) };
class CMapPtrToPtr : public CMap<void*, void*, void*, void*> { FW_DECL_DYNAMIC_NOSER(CMapPtrToPtr) };
class CMapStringToPtr : public CMap<CString, LPCWSTR, void*, void*> { FW_DECL_DYNAMIC_NOSER(CMapStringToPtr) };
class CMapStringToString : public CMap<CString, LPCWSTR, CString, LPCWSTR> { DECLARE_SERIAL(CMapStringToString) };
class CMapStringToOb : public CMap<CString, LPCWSTR, CObject*, CObject*> { DECLARE_SERIAL(CMapStringToOb) };
class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> { FW_DECL_DYNAMIC_NOSER(CMapWordToPtr) };
