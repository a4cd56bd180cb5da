// The built-in constants: their table, the lookup by name, the values' types and the view objects.
#include <gtest/gtest.h>
#include <wrl/client.h>

#include "BasicSetConsts.h"
#include "ComTestKit.h"
#include "Messages.h"

using namespace evalkern;
using Microsoft::WRL::ComPtr;

namespace {

ComPtr<IConsts> MakeConsts() {
  ComPtr<IConsts> c;
  EXPECT_EQ(CreateBasicSetConsts(IID_IConsts, reinterpret_cast<void**>(c.GetAddressOf())), S_OK);
  return c;
}

long IndexOf(IConsts* c, const wchar_t* name) {
  BSTR b = SysAllocString(name);
  long i = -2;
  c->GetIndex(b, &i);
  SysFreeString(b);
  return i;
}

}  // namespace

TEST(BasicSetConsts, TheFiveEntries) {
  auto c = MakeConsts();
  long n = 0;
  ASSERT_EQ(c->get_Count(&n), S_OK);
  EXPECT_EQ(n, 5);
  struct {
    const wchar_t* name;
    CategoryOrlen cat;
    int descriptionId;
  } rows[] = {{L"Authors", cHidden, 11001},     {L"pi", cTrigonometric, 11002},
              {L"exp", cArithmetic, 11003},     {L"true", cLogical, 11004},
              {L"false", cLogical, 11005}};
  for (long i = 0; i < 5; ++i) {
    BSTR b = nullptr;
    ASSERT_EQ(c->get_Name(i, &b), S_OK);
    EXPECT_EQ(TakeBstr(b), rows[i].name);
    ASSERT_EQ(c->get_Description(i, &b), S_OK);
    EXPECT_EQ(TakeBstr(b), GetMessageText(rows[i].descriptionId));
    CategoryOrlen cat = cAll;
    ASSERT_EQ(c->get_Category(i, &cat), S_OK);
    EXPECT_EQ(cat, rows[i].cat);
  }
}

TEST(BasicSetConsts, ValuesKeepTheirKinds) {
  auto c = MakeConsts();
  VARIANT v;
  VariantInit(&v);
  ASSERT_EQ(c->Value(1, &v), S_OK);  // pi travels as its text
  ASSERT_EQ(v.vt, VT_BSTR);
  EXPECT_EQ(TakeBstr(v.bstrVal), GetMessageText(11002));
  VariantInit(&v);
  ASSERT_EQ(c->Value(3, &v), S_OK);
  EXPECT_EQ(v.vt, VT_BOOL);
  EXPECT_EQ(v.boolVal, VARIANT_TRUE);
  ASSERT_EQ(c->Value(4, &v), S_OK);
  EXPECT_EQ(v.vt, VT_BOOL);
  EXPECT_EQ(v.boolVal, VARIANT_FALSE);
}

TEST(BasicSetConsts, LookupByNameIgnoresCase) {
  auto c = MakeConsts();
  struct {
    const wchar_t* name;
    long index;
  } cases[] = {{L"PI", 1}, {L"Pi", 1}, {L"pi", 1}, {L"e", -1}, {L"", -1}, {L"TRUE", 3},
               {L"authors", 0}, {L"pi ", -1}};
  for (const auto& k : cases) EXPECT_EQ(IndexOf(c.Get(), k.name), k.index);
}

TEST(BasicSetConsts, IndexesOutsideTheTableFail) {
  auto c = MakeConsts();
  BSTR b = nullptr;
  VARIANT v;
  VariantInit(&v);
  CategoryOrlen cat;
  for (long bad : {-1L, 5L}) {
    EXPECT_TRUE(FAILED(c->get_Name(bad, &b)));
    EXPECT_TRUE(FAILED(c->Value(bad, &v)));
    EXPECT_TRUE(FAILED(c->get_Description(bad, &b)));
    EXPECT_TRUE(FAILED(c->get_Category(bad, &cat)));
    ComPtr<IConst> item;
    EXPECT_TRUE(FAILED(c->get_Item(bad, item.GetAddressOf())));
    EXPECT_EQ(item.Get(), nullptr);
  }
}

// Views are made through the COM runtime, so this needs the registered server.
TEST(BasicSetConsts, ItemGivesANewViewEachTime) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  {
    auto c = MakeConsts();
    ComPtr<IConst> a, b;
    ASSERT_EQ(c->get_Item(1, a.GetAddressOf()), S_OK);
    ASSERT_EQ(c->get_Item(1, b.GetAddressOf()), S_OK);
    EXPECT_NE(a.Get(), b.Get());
    BSTR name = nullptr;
    ASSERT_EQ(a->get_Name(&name), S_OK);
    EXPECT_EQ(TakeBstr(name), L"pi");
  }
  CoUninitialize();
}
