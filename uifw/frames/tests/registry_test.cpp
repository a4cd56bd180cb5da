// CUfxRegistry against Wine's registry: the stored bytes of every value layout, refusal of
// damaged values (the target stays as it was, a string comes back empty), keys, access and the
// section path.
#include "frames/UfxRegistry.h"
#include "frames/UfxRegistryPtr.h"
#include <gtest/gtest.h>
#include <vector>

namespace registry_fixtures {

class CShape : public CObject {
  DECLARE_SERIAL(CShape)
public:
  LONG sides = 0;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) ar << sides;
    else ar >> sides;
  }
};

class CSquare : public CShape {
  DECLARE_SERIAL(CSquare)
};

class CColourName : public CObject {
  DECLARE_SERIAL(CColourName)
public:
  CString name;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) ar << name;
    else ar >> name;
  }
};

}  // namespace registry_fixtures

using namespace registry_fixtures;
IMPLEMENT_SERIAL(CShape, CObject, 1)
IMPLEMENT_SERIAL(CSquare, CShape, 1)
IMPLEMENT_SERIAL(CColourName, CObject, 1)

namespace {

const wchar_t kRoot[] = L"Software\\Ferrow Software\\RegistryTest";

// Each test owns a key named after it below kRoot and removes it again.
class RegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    path = CString(kRoot) + L"\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path);
    CUfxRegistry reg;
    ASSERT_TRUE(reg.CreateKey(path));
  }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, path); }

  // The stored type and bytes of a value, straight from the registry.
  bool Raw(LPCWSTR name, DWORD& type, std::vector<BYTE>& bytes) {
    DWORD cb = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, path, name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &cb) != ERROR_SUCCESS)
      return false;
    bytes.assign(cb, 0);
    return ::RegGetValueW(HKEY_CURRENT_USER, path, name, RRF_RT_ANY | RRF_NOEXPAND, &type, bytes.data(), &cb) ==
           ERROR_SUCCESS;
  }
  void Put(LPCWSTR name, DWORD type, const std::vector<BYTE>& bytes) {
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(HKEY_CURRENT_USER, path, name, type, bytes.data(), (DWORD)bytes.size()));
  }
  CUfxRegistry& OpenWritable() {
    EXPECT_TRUE(writer.Open(path));
    return writer;
  }
  CUfxRegistry& OpenReadOnly() {
    EXPECT_TRUE(reader.Open(path));
    return reader;
  }

  CString path;
  CUfxRegistry writer{FALSE, FALSE};
  CUfxRegistry reader{FALSE, TRUE};
};

std::vector<BYTE> Bytes(std::initializer_list<int> v) { return std::vector<BYTE>(v.begin(), v.end()); }

TEST_F(RegistryTest, EachLayoutStoresItsBytes) {
  CUfxRegistry& reg = OpenWritable();
  CRect rect(-100, -50, 500, 400);
  CPoint point(7, -2);
  CWordArray words;
  words.Add(1);
  words.Add(2);
  words.Add(3);
  ASSERT_TRUE(reg.Write(L"Rect", (LPRECT)&rect));
  ASSERT_TRUE(reg.Write(L"Point", (LPPOINT)&point));
  ASSERT_TRUE(reg.Write(L"Words", words));
  ASSERT_TRUE(reg.Write(L"Text", L"Ab"));
  ASSERT_TRUE(reg.Write(L"Int", -2));
  ASSERT_TRUE(reg.Write(L"Dword", (DWORD)0x01020304));
  BYTE block[] = {9, 8, 7};
  ASSERT_TRUE(reg.Write(L"Block", block, 3));

  const struct {
    LPCWSTR name;
    DWORD type;
    std::vector<BYTE> bytes;
  } expected[] = {
      {L"Rect", REG_BINARY, Bytes({0x9C, 0xFF, 0xFF, 0xFF, 0xCE, 0xFF, 0xFF, 0xFF, 0xF4, 1, 0, 0, 0x90, 1, 0, 0})},
      {L"Point", REG_BINARY, Bytes({5, 0, 7, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
      {L"Words", REG_BINARY, Bytes({3, 0, 0, 0, 1, 0, 2, 0, 3, 0})},
      {L"Text", REG_SZ, Bytes({'A', 0, 'b', 0, 0, 0})},
      {L"Int", REG_DWORD, Bytes({0xFE, 0xFF, 0xFF, 0xFF})},
      {L"Dword", REG_DWORD, Bytes({4, 3, 2, 1})},
      {L"Block", REG_BINARY, Bytes({9, 8, 7})},
  };
  for (const auto& e : expected) {
    DWORD type = 0;
    std::vector<BYTE> bytes;
    ASSERT_TRUE(Raw(e.name, type, bytes)) << e.name;
    EXPECT_EQ(e.type, type) << e.name;
    EXPECT_EQ(e.bytes, bytes) << e.name;
  }

  CUfxRegistry& in = OpenReadOnly();
  CRect r2;
  CPoint p2;
  CWordArray w2;
  CString s2;
  int n2 = 0;
  DWORD d2 = 0;
  ASSERT_TRUE(in.Read(L"Rect", r2));
  ASSERT_TRUE(in.Read(L"Point", p2));
  ASSERT_TRUE(in.Read(L"Words", w2));
  ASSERT_TRUE(in.Read(L"Text", s2));
  ASSERT_TRUE(in.Read(L"Int", n2));
  ASSERT_TRUE(in.Read(L"Dword", d2));
  EXPECT_EQ(rect, r2);
  EXPECT_EQ(point, p2);
  ASSERT_EQ(3, w2.GetSize());
  EXPECT_EQ(3, w2[2]);
  EXPECT_EQ(CString(L"Ab"), s2);
  EXPECT_EQ(-2, n2);
  EXPECT_EQ(0x01020304u, d2);
  BYTE* p = nullptr;
  UINT n = 0;
  ASSERT_TRUE(in.Read(L"Block", &p, &n));
  EXPECT_EQ(3u, n);
  EXPECT_EQ(7, p[2]);
  delete[] p;
}

// Values whose type or size does not fit their reader: FALSE, the target as it was.
TEST_F(RegistryTest, DamagedValuesLeaveTheTargetAlone) {
  Put(L"Short", REG_BINARY, Bytes({1, 0, 0, 0, 2, 0, 0, 0}));
  Put(L"Dword", REG_DWORD, Bytes({1, 0, 0, 0}));
  Put(L"Text", REG_SZ, Bytes({'x', 0}));
  Put(L"WordsTooFew", REG_BINARY, Bytes({5, 0, 0, 0, 1, 0}));
  Put(L"WordsNegative", REG_BINARY, Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
  Put(L"PointOneElement", REG_BINARY, Bytes({1, 0, 7, 0, 0, 0}));
  Put(L"PointTooLong", REG_BINARY, std::vector<BYTE>(41, 0));
  Put(L"DwordShort", REG_DWORD, Bytes({1, 0}));
  Put(L"Garbage", REG_BINARY, Bytes({0xFF, 0xFF}));
  CUfxRegistry& in = OpenReadOnly();

  const CRect rectBefore(1, 2, 3, 4);
  for (LPCWSTR name : {L"Short", L"Dword", L"Text", L"Missing"}) {
    CRect r = rectBefore;
    EXPECT_FALSE(in.Read(name, r)) << name;
    EXPECT_EQ(rectBefore, r) << name;
  }
  for (LPCWSTR name : {L"PointOneElement", L"PointTooLong", L"Dword", L"Garbage"}) {
    CPoint pt(5, 6);
    EXPECT_FALSE(in.Read(name, pt)) << name;
    EXPECT_EQ(CPoint(5, 6), pt) << name;
  }
  for (LPCWSTR name : {L"WordsTooFew", L"WordsNegative", L"Dword"}) {
    CWordArray w;
    w.Add(42);
    EXPECT_FALSE(in.Read(name, w)) << name;
    ASSERT_EQ(1, w.GetSize()) << name;
    EXPECT_EQ(42, w[0]);
  }
  for (LPCWSTR name : {L"Short", L"Text", L"DwordShort", L"Missing"}) {
    int n = 77;
    DWORD d = 78;
    EXPECT_FALSE(in.Read(name, n)) << name;
    EXPECT_FALSE(in.Read(name, d)) << name;
    EXPECT_EQ(77, n);
    EXPECT_EQ(78u, d);
  }
  CStringArray strings;
  strings.Add(L"kept");
  EXPECT_FALSE(in.Read(L"Garbage", strings));
  ASSERT_EQ(1, strings.GetSize());
  EXPECT_EQ(CString(L"kept"), strings[0]);
}

// A string that cannot be read (missing, of no bytes, of another type) answers FALSE and leaves
// no old text behind.
TEST_F(RegistryTest, UnreadableStringsComeBackEmpty) {
  Put(L"Short", REG_BINARY, Bytes({1, 0, 0, 0, 2, 0, 0, 0}));
  Put(L"Dword", REG_DWORD, Bytes({1, 0, 0, 0}));
  Put(L"NoBytes", REG_SZ, {});
  CUfxRegistry& in = OpenReadOnly();
  for (LPCWSTR name : {L"Short", L"Dword", L"NoBytes", L"Missing"}) {
    CString s = L"old";
    EXPECT_FALSE(in.Read(name, s)) << name;
    EXPECT_EQ(CString(), s) << name;
  }
}

TEST_F(RegistryTest, StringsEndAtTheirZeroOrTheirSize) {
  Put(L"Unterminated", REG_SZ, Bytes({'a', 0, 'b', 0}));
  Put(L"OddSized", REG_SZ, Bytes({'a', 0, 'b', 0, 'c'}));
  Put(L"EarlyZero", REG_SZ, Bytes({'a', 0, 0, 0, 'b', 0, 0, 0}));
  Put(L"JustTheZero", REG_SZ, Bytes({0, 0}));
  CUfxRegistry& in = OpenReadOnly();
  const struct {
    LPCWSTR name;
    LPCWSTR text;
  } cases[] = {{L"Unterminated", L"ab"}, {L"OddSized", L"ab"}, {L"EarlyZero", L"a"}, {L"JustTheZero", L""}};
  for (const auto& c : cases) {
    CString s = L"old";
    EXPECT_TRUE(in.Read(c.name, s)) << c.name;
    EXPECT_EQ(CString(c.text), s) << c.name;
  }
}

TEST_F(RegistryTest, ObjectsComeBackOnlyAsTheirExpectedClass) {
  CUfxRegistry& reg = OpenWritable();
  CSquare square;
  square.sides = 4;
  CColourName colour;
  colour.name = L"teal";
  ASSERT_TRUE(reg.Write(L"Square", (CObject*)&square));
  ASSERT_TRUE(reg.Write(L"Colour", (CObject*)&colour));

  CUfxRegistry& in = OpenReadOnly();
  CObject* pOb = nullptr;
  ASSERT_TRUE(in.Read(L"Square", pOb, RUNTIME_CLASS(CShape)));
  ASSERT_TRUE(pOb->IsKindOf(RUNTIME_CLASS(CSquare)));
  EXPECT_EQ(4, static_cast<CSquare*>(pOb)->sides);
  delete pOb;

  CObject* pKept = &colour;
  EXPECT_FALSE(in.Read(L"Colour", pKept, RUNTIME_CLASS(CShape)));
  EXPECT_EQ(&colour, pKept);

  // By reference: the contents only, no class record.
  ASSERT_TRUE(reg.Write(L"Plain", (CObject&)square));
  DWORD type = 0;
  std::vector<BYTE> bytes;
  ASSERT_TRUE(Raw(L"Plain", type, bytes));
  EXPECT_EQ(Bytes({4, 0, 0, 0}), bytes);
  CShape shape;
  ASSERT_TRUE(in.Read(L"Plain", shape));
  EXPECT_EQ(4, shape.sides);
}

TEST_F(RegistryTest, ObjectListsAreReplacedOnlyWhenReadWhole) {
  CUfxRegistry& reg = OpenWritable();
  CObList shapes;
  for (LONG n : {3, 5}) {
    CShape* p = new CShape;
    p->sides = n;
    shapes.AddTail(p);
  }
  ASSERT_TRUE(reg.Write(L"Shapes", shapes));
  CObList mixed;
  mixed.AddTail(new CShape);
  mixed.AddTail(new CColourName);
  ASSERT_TRUE(reg.Write(L"Mixed", mixed));
  while (!mixed.IsEmpty()) delete mixed.RemoveHead();
  // One element stored twice: the second entry refers back to the first.
  CObList aliased;
  CShape twice;
  aliased.AddTail(&twice);
  aliased.AddTail(&twice);
  ASSERT_TRUE(reg.Write(L"Aliased", aliased));

  CUfxRegistry& in = OpenReadOnly();
  CObList list;
  list.AddTail(new CShape);
  for (LPCWSTR name : {L"Mixed", L"Aliased"}) {
    EXPECT_FALSE(in.Read(name, list, RUNTIME_CLASS(CShape))) << name;
    EXPECT_EQ(1, list.GetCount()) << name;
  }
  ASSERT_TRUE(in.Read(L"Shapes", list, RUNTIME_CLASS(CShape)));
  ASSERT_EQ(2, list.GetCount());
  EXPECT_EQ(5, static_cast<CShape*>(list.GetTail())->sides);
  for (CObList* l : {&list, &shapes})
    while (!l->IsEmpty()) delete l->RemoveHead();
}

TEST_F(RegistryTest, ReadOnlyObjectsRefuseEveryWrite) {
  CUfxRegistry& in = OpenReadOnly();
  CRect rect(1, 2, 3, 4);
  CWordArray words;
  EXPECT_FALSE(in.Write(L"Text", L"x"));
  EXPECT_FALSE(in.Write(L"Int", 1));
  EXPECT_FALSE(in.Write(L"Rect", (LPRECT)&rect));
  EXPECT_FALSE(in.Write(L"Words", words));
  EXPECT_FALSE(in.CreateKey(L"Child"));
  EXPECT_FALSE(in.DeleteKey(path));
  EXPECT_FALSE(in.ValueExists(L"Text"));
  CUfxRegistry probe;
  EXPECT_FALSE(probe.KeyExists(path + L"\\Child"));
  // Read-only opening asks for query, enumerate and notify access only.
  HKEY hKey = in.GetKey();
  EXPECT_NE(ERROR_SUCCESS, ::RegSetValueExW(hKey, L"Sneak", 0, REG_DWORD, (const BYTE*)&rect, 4));
}

TEST_F(RegistryTest, KeysOpenBelowTheCurrentOneAndDeleteAsATree) {
  CUfxRegistry reg;
  ASSERT_TRUE(reg.CreateKey(path + L"\\A\\B\\C\\"));
  ASSERT_TRUE(reg.Write(L"Leaf", 1));
  CUfxRegistry walker;
  ASSERT_TRUE(walker.Open(path + L"\\A\\"));
  EXPECT_EQ(path + L"\\A\\", walker.GetKeyName());
  ASSERT_TRUE(walker.Open(L"B"));  // below the first
  EXPECT_FALSE(walker.Open(L"Nowhere"));
  EXPECT_TRUE(walker.KeyExists(L"C\\"));  // the current key stayed B
  CStringArray subKeys;
  ASSERT_TRUE(walker.ReadSubKeys(subKeys));
  ASSERT_EQ(1, subKeys.GetSize());
  EXPECT_EQ(CString(L"C"), subKeys[0]);
  walker.Close();

  CUfxRegistry deleter;
  EXPECT_TRUE(deleter.DeleteKey(path + L"\\A\\"));
  EXPECT_FALSE(deleter.KeyExists(path + L"\\A"));
  EXPECT_FALSE(deleter.DeleteKey(path + L"\\A"));
}

TEST_F(RegistryTest, ValueNamesAreListed) {
  CUfxRegistry& reg = OpenWritable();
  CStringArray names;
  EXPECT_FALSE(reg.ReadKeyValues(names));
  reg.Write(L"One", 1);
  reg.Write(L"Two", L"2");
  ASSERT_TRUE(reg.ReadKeyValues(names));
  EXPECT_EQ(2, names.GetSize());
  EXPECT_TRUE(reg.DeleteValue(L"One"));
  EXPECT_FALSE(reg.ValueExists(L"One"));
}

TEST(RegistryPtr, CreatesOnceWithTheAskedAccess) {
  CUfxRegistryPtr holder;
  CUfxRegistry& first = holder.Create(FALSE, TRUE);
  CUfxRegistry& second = holder.Create(FALSE, FALSE);
  EXPECT_EQ(&first, &second);
  EXPECT_TRUE(first.IsReadOnly());
  EXPECT_EQ(HKEY_CURRENT_USER, first.GetKey());
}

class PathApp : public CWinApp {};

TEST(RegPath, BuildsTheSectionPath) {
  PathApp app;
  const struct {
    LPCWSTR key;
    LPCWSTR profile;
    LPCWSTR override_;
    LPCWSTR expected;
  } cases[] = {
      {L"K", L"P", nullptr, L"SOFTWARE\\K\\P\\Settings\\"},
      {L"", L"P", nullptr, L"SOFTWARE\\P\\Settings\\"},
      {nullptr, L"P", L"", L"SOFTWARE\\P\\Settings\\"},
      {L"K", L"P", L"X", L"X"},
  };
  for (const auto& c : cases) {
    free((void*)app.m_pszRegistryKey);
    free((void*)app.m_pszProfileName);
    app.m_pszRegistryKey = c.key ? _wcsdup(c.key) : nullptr;
    app.m_pszProfileName = c.profile ? _wcsdup(c.profile) : nullptr;
    EXPECT_EQ(CString(c.expected), UfxGetRegPath(L"Settings", c.override_));
  }
}

}  // namespace
