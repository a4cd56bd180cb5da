// Stored bytes of archives (counts, strings, class-tagged objects) and collections round-tripping.
#include "Framework.h"
#include <gtest/gtest.h>
#include <vector>

class CPoint3 : public CObject {
  DECLARE_SERIAL(CPoint3)
public:
  LONG x = 0, y = 0, z = 0;
  CPoint3* link = nullptr;  // stored by pointer: shared objects are stored once
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) ar << x << y << z << (CObject*)link;
    else {
      CObject* p;
      ar >> x >> y >> z >> p;
      link = (CPoint3*)p;
    }
  }
};
IMPLEMENT_SERIAL(CPoint3, CObject, 1)

// Reads version 1 and 2; writes 2.
class CNote : public CObject {
  DECLARE_SERIAL(CNote)
public:
  CString text;
  LONG priority = 0;
  UINT loadedSchema = 0;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << text << priority;
    } else {
      loadedSchema = ar.GetObjectSchema();
      ar >> text;
      if (loadedSchema >= 2) ar >> priority;
    }
  }
};
IMPLEMENT_SERIAL(CNote, CObject, VERSIONABLE_SCHEMA | 2)

static std::vector<BYTE> Bytes(CMemFile& f) {
  std::vector<BYTE> out((size_t)f.GetLength());
  f.SeekToBegin();
  if (!out.empty()) f.Read(out.data(), (UINT)out.size());
  return out;
}

template <class F>
static std::vector<BYTE> Store(F write) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
  }
  return Bytes(file);
}

template <class F>
static void Load(const std::vector<BYTE>& bytes, F read) {
  CMemFile file;
  file.Write(bytes.data(), (UINT)bytes.size());
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  read(ar);
}

TEST(Archive, CountsUseWordThenEscapedDword) {
  struct { DWORD_PTR count; std::vector<BYTE> bytes; } table[] = {
      {0, {0x00, 0x00}},
      {0x1234, {0x34, 0x12}},
      {0xFFFE, {0xFE, 0xFF}},
      {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {0x12345678, {0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}}};
  for (auto& t : table) {
    auto bytes = Store([&](CArchive& ar) { ar.WriteCount(t.count); });
    EXPECT_EQ(t.bytes, bytes) << t.count;
    // A count is read back when the file still holds at least a byte per item.
    if (t.count <= 0xFFFF) {
      bytes.resize(bytes.size() + t.count);
      Load(bytes, [&](CArchive& ar) { EXPECT_EQ(t.count, ar.ReadCount()); });
    }
  }
}

// A file whose counts or lengths promise more than it holds is refused before anything is
// allocated for them, also where the byte count would wrap to a small number.
TEST(Archive, CountsThatLieAboutTheFileRaiseTheArchiveException) {
  struct Case {
    const char* what;
    std::vector<BYTE> bytes;
    void (*read)(CArchive&);
  } table[] = {
      {"six bytes asking for two billion bytes", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},
       [](CArchive& ar) { CByteArray a; a.Serialize(ar); }},
      {"DWORD count whose byte size wraps to 4", {0xFF, 0xFF, 0x01, 0x00, 0x00, 0x40, 1, 2, 3, 4},
       [](CArchive& ar) { CDWordArray a; a.Serialize(ar); }},
      {"WORD count whose byte size wraps to 2", {0xFF, 0xFF, 0x01, 0x00, 0x00, 0x80, 1, 2},
       [](CArchive& ar) { CWordArray a; a.Serialize(ar); }},
      {"truncated DWORD array", {0x03, 0x00, 1, 0, 0, 0, 2, 0, 0, 0},
       [](CArchive& ar) { CDWordArray a; a.Serialize(ar); }},
      {"string array of a thousand with one string", {0xE8, 0x03, 0x01, 'a'},
       [](CArchive& ar) { CStringArray a; a.Serialize(ar); }},
      {"list of 65534 objects with none", {0xFE, 0xFF},
       [](CArchive& ar) { CObList l; l.Serialize(ar); }},
      {"map of five with one pair", {0x05, 0x00, 0x01, 'k', 0x01, 'v'},
       [](CArchive& ar) { CMapStringToString m; m.Serialize(ar); }},
      {"wide string of 134 million characters", {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x07, 'a', 0},
       [](CArchive& ar) { CString s; ar >> s; }},
      {"narrow string longer than the file", {0xFF, 0x00, 0x10, 'a', 'b'},
       [](CArchive& ar) { CString s; ar >> s; }},
  };
  for (auto& t : table) {
    int cause = -1;
    try {
      Load(t.bytes, t.read);
    } catch (CArchiveException* e) {
      cause = e->m_cause;
      e->Delete();
    } catch (...) {
      cause = -2;  // anything but the archive exception
    }
    EXPECT_EQ(CArchiveException::endOfFile, cause) << t.what;
  }
}

TEST(Archive, StringsCarryUnicodeMarkerAndLengthPrefix) {
  auto bytes = Store([](CArchive& ar) { ar << CString(L"Ab"); });
  EXPECT_EQ((std::vector<BYTE>{0xFF, 0xFE, 0xFF, 0x02, 'A', 0, 'b', 0}), bytes);
  bytes = Store([](CArchive& ar) { ar << CString(); });
  EXPECT_EQ((std::vector<BYTE>{0xFF, 0xFE, 0xFF, 0x00}), bytes);
  // Lengths from 255 on take a WORD after an 0xFF byte.
  CString longText(L'x', 300);
  bytes = Store([&](CArchive& ar) { ar << longText; });
  ASSERT_EQ(3u + 3u + 600u, bytes.size());
  EXPECT_EQ((std::vector<BYTE>{0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}), std::vector<BYTE>(bytes.begin(), bytes.begin() + 6));
  CString back;
  Load(bytes, [&](CArchive& ar) { ar >> back; });
  EXPECT_EQ(longText, back);
  // Narrow strings of older files load too.
  Load({0x03, 'a', 'b', 'c'}, [](CArchive& ar) {
    CString s;
    ar >> s;
    EXPECT_STREQ(L"abc", s);
  });
}

TEST(Archive, ObjectsAreTaggedWithClassRecordsAndIndexes) {
  CPoint3 a, b;
  a.x = 1; a.y = 2; a.z = 3;
  b.x = 7;
  a.link = &b;
  b.link = &a;  // a cycle: b refers back to a by index
  auto bytes = Store([&](CArchive& ar) { ar << (CObject*)&a << (CObject*)&b << (CObject*)nullptr; });
  std::vector<BYTE> expected = {
      0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00, 'C', 'P', 'o', 'i', 'n', 't', '3',  // new class, schema 1, name
      1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0,                                   // a's x y z
      0x01, 0x80,                                                            // b: class index 1
      7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                                   // b's x y z
      0x02, 0x00,                                                            // b.link: object index 2 (a)
      0x03, 0x00,                                                            // second store of b: index 3
      0x00, 0x00};                                                           // null
  EXPECT_EQ(expected, bytes);
  Load(bytes, [](CArchive& ar) {
    CObject *pa, *pb, *pn;
    ar >> pa >> pb >> pn;
    ASSERT_TRUE(pa->IsKindOf(RUNTIME_CLASS(CPoint3)));
    CPoint3* la = (CPoint3*)pa;
    EXPECT_EQ(3, la->z);
    EXPECT_EQ(pb, la->link);
    EXPECT_EQ(la, ((CPoint3*)pb)->link);
    EXPECT_EQ(nullptr, pn);
    delete la->link;
    delete la;
  });
}

TEST(Archive, BadInputIsReportedNotTrusted) {
  struct { const char* what; std::vector<BYTE> bytes; int cause; } table[] = {
      {"unknown class", {0xFF, 0xFF, 0x01, 0x00, 0x03, 0x00, 'C', 'Z', 'z'}, CArchiveException::badClass},
      {"wrong schema", {0xFF, 0xFF, 0x05, 0x00, 0x07, 0x00, 'C', 'P', 'o', 'i', 'n', 't', '3'}, CArchiveException::badSchema},
      {"dangling index", {0x05, 0x00}, CArchiveException::badIndex},
      {"dangling class", {0x03, 0x80}, CArchiveException::badIndex},
      {"truncated", {0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00, 'C', 'P', 'o', 'i', 'n', 't', '3', 1, 0}, CArchiveException::endOfFile}};
  for (auto& t : table) {
    int cause = -1;
    try {
      Load(t.bytes, [](CArchive& ar) { CObject* p; ar >> p; delete p; });
    } catch (CArchiveException* e) {
      cause = e->m_cause;
      e->Delete();
    }
    EXPECT_EQ(t.cause, cause) << t.what;
  }
}

// An owning read takes new objects and nulls; a reference back to an object read before (whose
// owner has it already) is refused, also where the plain read hands the object out again.
TEST(Archive, AnOwningReadRefusesAReferenceBack) {
  CPoint3 a;
  a.x = 4;
  const auto bytes = Store([&](CArchive& ar) { ar << (CObject*)&a << (CObject*)&a << (CObject*)nullptr; });
  Load(bytes, [](CArchive& ar) {
    CObject* first = ar.ReadOwnedObject(RUNTIME_CLASS(CPoint3));
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(4, static_cast<CPoint3*>(first)->x);
    int cause = -1;
    try {
      ar.ReadOwnedObject(RUNTIME_CLASS(CPoint3));
    } catch (CArchiveException* e) {
      cause = e->m_cause;
      e->Delete();
    }
    EXPECT_EQ(CArchiveException::badIndex, cause);
    delete first;
  });
  Load(bytes, [](CArchive& ar) {
    CObject* first = ar.ReadObject(RUNTIME_CLASS(CPoint3));
    EXPECT_EQ(first, ar.ReadObject(RUNTIME_CLASS(CPoint3))) << "the plain read shares";
    EXPECT_EQ(nullptr, ar.ReadOwnedObject(RUNTIME_CLASS(CPoint3)));
    delete first;
  });
}

// Reads one child object and then fails.
class CFailingParent : public CObject {
  DECLARE_SERIAL(CFailingParent)
public:
  void Serialize(CArchive& ar) override {
    CObject* child = nullptr;
    ar >> child;
    AfxThrowArchiveException(CArchiveException::genericException);
  }
};
IMPLEMENT_SERIAL(CFailingParent, CObject, 1)

// A failed object is forgotten in its own slot: later references to it read as null, and the
// child it read before it failed stays what it was.
TEST(Archive, AFailedObjectClearsItsOwnSlotNotItsChilds) {
  std::vector<BYTE> bytes = {
      0xFF, 0xFF, 0x01, 0x00, 0x0E, 0x00, 'C', 'F', 'a', 'i', 'l', 'i', 'n', 'g', 'P', 'a', 'r', 'e', 'n', 't',  // class 1, object 2
      0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00, 'C', 'P', 'o', 'i', 'n', 't', '3',  // class 3, object 4
      5, 0, 0, 0, 6, 0, 0, 0, 7, 0, 0, 0, 0x00, 0x00,                        // the child's x y z, no link
      0x04, 0x00,                                                            // a reference to the child
      0x02, 0x00};                                                           // a reference to the parent
  Load(bytes, [](CArchive& ar) {
    CObject* parent = reinterpret_cast<CObject*>(1);
    int cause = -1;
    try {
      ar >> parent;
    } catch (CArchiveException* e) {
      cause = e->m_cause;
      e->Delete();
    }
    EXPECT_EQ(CArchiveException::genericException, cause);
    CObject *child = nullptr, *again = reinterpret_cast<CObject*>(1);
    ar >> child >> again;
    ASSERT_NE(nullptr, child);
    ASSERT_TRUE(child->IsKindOf(RUNTIME_CLASS(CPoint3)));
    EXPECT_EQ(6, static_cast<CPoint3*>(child)->y);
    EXPECT_EQ(nullptr, again) << "the failed parent is not handed out";
    delete child;
  });
}

TEST(Archive, VersionableSchemaReportsStoredVersion) {
  // A version-1 record (no priority) loads into the version-2 class.
  std::vector<BYTE> v1 = {0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00, 'C', 'N', 'o', 't', 'e', 0xFF, 0xFE, 0xFF, 0x01, 'q', 0};
  Load(v1, [](CArchive& ar) {
    CNote* p = nullptr;
    ar >> p;
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(1u, p->loadedSchema);
    EXPECT_STREQ(L"q", p->text);
    delete p;
  });
  CNote n;
  n.text = L"hi";
  n.priority = 5;
  auto bytes = Store([&](CArchive& ar) { ar << &n; });
  EXPECT_EQ(0x02, bytes[2]);  // stored without the versionable flag
  Load(bytes, [](CArchive& ar) {
    CNote* p = nullptr;
    ar >> p;
    EXPECT_EQ(2u, p->loadedSchema);
    EXPECT_EQ(5, p->priority);
    delete p;
  });
}

TEST(Collections, RoundTripThroughArchive) {
  CStringArray strings;
  strings.Add(L"one");
  strings.Add(L"");
  strings.Add(L"three");
  CDWordArray dwords;
  dwords.Add(1);
  dwords.Add(0xDEADBEEF);
  CStringList list;
  list.AddTail(L"b");
  list.AddHead(L"a");
  CMapStringToString map;
  map[L"k1"] = L"v1";
  map[L"k2"] = L"v2";
  CObList objects;
  CPoint3* shared = new CPoint3;
  shared->x = 9;
  objects.AddTail(shared);
  objects.AddTail(shared);
  auto bytes = Store([&](CArchive& ar) {
    strings.Serialize(ar);
    dwords.Serialize(ar);
    list.Serialize(ar);
    map.Serialize(ar);
    objects.Serialize(ar);
  });
  // The DWORD array is its count and raw values.
  EXPECT_EQ(0x03, bytes[0]);
  CStringArray strings2;
  CDWordArray dwords2;
  CStringList list2;
  CMapStringToString map2;
  CObList objects2;
  Load(bytes, [&](CArchive& ar) {
    strings2.Serialize(ar);
    dwords2.Serialize(ar);
    list2.Serialize(ar);
    map2.Serialize(ar);
    objects2.Serialize(ar);
  });
  ASSERT_EQ(3, strings2.GetSize());
  EXPECT_STREQ(L"three", strings2[2]);
  ASSERT_EQ(2, dwords2.GetSize());
  EXPECT_EQ(0xDEADBEEFu, dwords2[1]);
  EXPECT_STREQ(L"a", list2.GetHead());
  EXPECT_STREQ(L"b", list2.GetTail());
  CString v;
  EXPECT_TRUE(map2.Lookup(L"k2", v));
  EXPECT_STREQ(L"v2", v);
  ASSERT_EQ(2, objects2.GetCount());
  EXPECT_EQ(objects2.GetHead(), objects2.GetTail());  // still one shared object
  EXPECT_EQ(9, ((CPoint3*)objects2.GetHead())->x);
  delete objects2.GetHead();
  delete shared;
  // Pointer collections have no stored form.
  CPtrArray ptrs;
  EXPECT_THROW(Store([&](CArchive& ar) { ptrs.Serialize(ar); }), CNotSupportedException*);
}

TEST(Collections, ListAndMapEditing) {
  CList<int, int> list;
  for (int i = 1; i <= 5; ++i) list.AddTail(i);
  POSITION pos = list.Find(3);
  ASSERT_NE(nullptr, pos);
  list.InsertBefore(pos, 30);
  list.RemoveAt(pos);
  list.RemoveHead();
  std::vector<int> seen;
  for (POSITION p = list.GetHeadPosition(); p;) seen.push_back(list.GetNext(p));
  EXPECT_EQ((std::vector<int>{2, 30, 4, 5}), seen);
  EXPECT_EQ(nullptr, list.FindIndex(4));
  CMap<int, int, CString, LPCWSTR> map;
  for (int i = 0; i < 100; ++i) map[i].Format(L"%d", i * i);
  EXPECT_TRUE(map.RemoveKey(50));
  EXPECT_FALSE(map.RemoveKey(50));
  int count = 0;
  for (POSITION p = map.GetStartPosition(); p;) {
    int k;
    CString val;
    map.GetNextAssoc(p, k, val);
    CString want;
    want.Format(L"%d", k * k);
    EXPECT_EQ(want, val);
    ++count;
  }
  EXPECT_EQ(99, count);
  CArray<int> arr;
  EXPECT_THROW(arr.GetAt(0), CInvalidArgException*);
}

TEST(Files, MemoryAndSharedFiles) {
  CSharedFile shared;
  shared.Write("clip", 4);
  HGLOBAL h = shared.Detach();
  ASSERT_NE(nullptr, h);
  EXPECT_EQ(0, memcmp(::GlobalLock(h), "clip", 4));
  ::GlobalUnlock(h);
  CSharedFile reader;
  reader.SetHandle(h, FALSE);
  char buf[8] = {0};
  EXPECT_GE(reader.Read(buf, 8), 4u);  // the block is allocated in steps and may be longer
  EXPECT_EQ(0, memcmp(buf, "clip", 4));
  reader.Close();
  ::GlobalFree(h);
  BYTE fixed[4];
  CMemFile mf(fixed, 4);
  mf.SetLength(0);
  mf.Write("abcd", 4);
  EXPECT_THROW(mf.Write("e", 1), CMemoryException*);  // a fixed buffer does not grow
  wchar_t tmp[MAX_PATH], path[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tmp);
  ::GetTempFileNameW(tmp, L"fw", 0, path);
  {
    CFile f(path, CFile::modeCreate | CFile::modeWrite);
    f.Write("hello", 5);
  }
  CFile f;
  ASSERT_TRUE(f.Open(path, CFile::modeRead));
  EXPECT_EQ(5u, f.GetLength());
  f.Close();
  CFile::Remove(path);
  CFileException fe;
  EXPECT_FALSE(f.Open(path, CFile::modeRead, &fe));
  EXPECT_EQ(CFileException::fileNotFound, fe.m_cause);
}
