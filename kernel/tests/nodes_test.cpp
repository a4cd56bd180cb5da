#include <gtest/gtest.h>

#include <climits>

#include "Nodes.h"

using namespace evalkern;

namespace {

VARIANT IntValue(LONGLONG v) {
  VARIANT x;
  VariantInit(&x);
  x.vt = VT_I8;
  x.llVal = v;
  return x;
}

std::wstring Take(BSTR s) {
  std::wstring r = s ? std::wstring(s, SysStringLen(s)) : std::wstring();
  SysFreeString(s);
  return r;
}

}  // namespace

TEST(Nodes, EachNodeAnswersItsOwnInterfaceOnly) {
  VARIANT one = IntValue(1);
  struct Case {
    INodeParsing* node;
    const IID* own;
  } cases[] = {
      {MakeLowermostNode(one), &IID_INodeLowermost},
      {MakeErrorNode(L"bad"), &IID_INodeError},
      {MakeVariableOrConstNode(L"x"), &IID_INodeVariableOrConst},
      {MakeFuncNode(L"f", {}), &IID_INodeFunc},
      {MakeListNode({}), &IID_INodeList},
  };
  const IID* all[] = {&IID_INodeLowermost, &IID_INodeError, &IID_INodeVariableOrConst,
                      &IID_INodeFunc, &IID_INodeList};
  for (auto& c : cases) {
    // INodeParsing, IUnknown and the own interface are one and the same pointer.
    void* parsing = nullptr;
    void* unknown = nullptr;
    void* own = nullptr;
    ASSERT_EQ(S_OK, c.node->QueryInterface(IID_INodeParsing, &parsing));
    ASSERT_EQ(S_OK, c.node->QueryInterface(IID_IUnknown, &unknown));
    ASSERT_EQ(S_OK, static_cast<INodeParsing*>(parsing)->QueryInterface(*c.own, &own));
    EXPECT_EQ(parsing, own);
    EXPECT_EQ(unknown, own);
    static_cast<IUnknown*>(parsing)->Release();
    static_cast<IUnknown*>(unknown)->Release();
    static_cast<IUnknown*>(own)->Release();
    for (const IID* other : all) {
      if (other == c.own) continue;
      void* p = reinterpret_cast<void*>(1);
      EXPECT_EQ(E_NOINTERFACE, c.node->QueryInterface(*other, &p));
      EXPECT_EQ(nullptr, p);
    }
    c.node->Release();
  }
}

TEST(Nodes, GettersReturnStoredFields) {
  VARIANT v = IntValue(42);
  INodeParsing* low = MakeLowermostNode(v);
  INodeLowermost* lowItf = nullptr;
  ASSERT_EQ(S_OK, low->QueryInterface(IID_INodeLowermost, reinterpret_cast<void**>(&lowItf)));
  VARIANT got;
  VariantInit(&got);
  ASSERT_EQ(S_OK, lowItf->get_Value(&got));
  EXPECT_EQ(VT_I8, got.vt);
  EXPECT_EQ(42, got.llVal);
  lowItf->Release();

  INodeParsing* err = MakeErrorNode(L"Syntax error");
  BSTR s = nullptr;
  ASSERT_EQ(S_OK, static_cast<INodeError*>(err)->get_TextError(&s));
  EXPECT_EQ(L"Syntax error", Take(s));

  INodeParsing* var = MakeVariableOrConstNode(L"MyVar");
  ASSERT_EQ(S_OK, static_cast<INodeVariableOrConst*>(var)->get_Name(&s));
  EXPECT_EQ(L"MyVar", Take(s));  // spelling kept

  INodeParsing* fn = MakeFuncNode(L"Max", {low, err, var});
  INodeFunc* f = AsFuncNode(fn);
  ASSERT_NE(nullptr, f);
  ASSERT_EQ(S_OK, f->get_Name(&s));
  EXPECT_EQ(L"Max", Take(s));
  long n = -1;
  ASSERT_EQ(S_OK, f->get_CountChildNodes(&n));
  EXPECT_EQ(3, n);
  INodeParsing* child = nullptr;
  ASSERT_EQ(S_OK, f->get_ChildNodes(2, &child));
  EXPECT_EQ(var, child);
  child->Release();
  EXPECT_EQ(AsFuncNode(fn)->ChildNodes()[0], low);
  EXPECT_EQ(nullptr, AsFuncNode(low));
  EXPECT_EQ(nullptr, AsListNode(fn));
  EXPECT_NE(nullptr, AsLowermostNode(low));
  fn->Release();
}

TEST(Nodes, ChildIndexOutsideRangeFailsAndLeavesNull) {
  INodeParsing* empty = MakeFuncNode(L"f", {});
  INodeParsing* list = MakeListNode({MakeVariableOrConstNode(L"a")});
  INodeFunc* f = static_cast<INodeFunc*>(empty);
  INodeList* l = static_cast<INodeList*>(list);
  long n = -1;
  ASSERT_EQ(S_OK, f->get_CountChildNodes(&n));
  EXPECT_EQ(0, n);

  struct {
    long index;
    bool listOk;
  } cases[] = {{0, true}, {1, false}, {-1, false}, {LONG_MIN, false}, {LONG_MAX, false}};
  for (auto& c : cases) {
    INodeParsing* child = reinterpret_cast<INodeParsing*>(1);
    EXPECT_EQ(E_UNEXPECTED, f->get_ChildNodes(c.index, &child)) << c.index;
    EXPECT_EQ(nullptr, child);
    child = reinterpret_cast<INodeParsing*>(1);
    HRESULT hr = l->get_ChildNodes(c.index, &child);
    if (c.listOk) {
      EXPECT_EQ(S_OK, hr);
      ASSERT_NE(nullptr, child);
      child->Release();
    } else {
      EXPECT_EQ(E_UNEXPECTED, hr) << c.index;
      EXPECT_EQ(nullptr, child);
    }
  }
  empty->Release();
  list->Release();
}

TEST(Nodes, ReleasingTheRootFreesTheWholeTreeOnce) {
  const long before = ServerLockCount();
  VARIANT one = IntValue(1);
  INodeParsing* shared = MakeVariableOrConstNode(L"x");
  shared->AddRef();  // used twice below, one reference each
  INodeParsing* root = MakeListNode(
      {MakeFuncNode(L"(", {MakeFuncNode(L"plus", {MakeLowermostNode(one), shared})}),
       MakeFuncNode(L"sin", {shared})});
  EXPECT_EQ(before + 6, ServerLockCount());
  shared->AddRef();
  root->Release();
  // Only the node the test still holds survives.
  EXPECT_EQ(before + 1, ServerLockCount());
  EXPECT_EQ(0u, shared->Release());
  EXPECT_EQ(before, ServerLockCount());
}
