// Creator operations: objects of the kernel's classes made through the COM runtime by class id.
#include <gtest/gtest.h>

#include <windows.h>

#include "Creators.h"

using namespace evalkern;

namespace {

class Creators : public ::testing::Test {
 protected:
  void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override { CoUninitialize(); }
};

HRESULT FailureOf(const CLSID& clsid, const IID& iid, std::wstring* text) {
  void* out = reinterpret_cast<void*>(1);
  try {
    CreateByClassId(clsid, iid, &out);
  } catch (const KernelError& e) {
    EXPECT_EQ(out, nullptr);
    *text = e.text;
    return e.hr;
  }
  if (out) static_cast<IUnknown*>(out)->Release();
  return S_OK;
}

}  // namespace

TEST_F(Creators, CreateGivesTheDefaultInterfaceOfANewObject) {
  Microsoft::WRL::ComPtr<IShellConsts> a, b;
  try {
    a = CoShellConsts::Create();
    b = CoShellConsts::Create();
  } catch (const KernelError& e) {
    FAIL() << "ShellConsts not creatable: " << std::string(e.text.begin(), e.text.end());
  }
  ASSERT_NE(a.Get(), nullptr);
  EXPECT_NE(a.Get(), b.Get());
}

TEST_F(Creators, AMissingDefaultInterfaceIsRaised) {
  std::wstring text;
  EXPECT_EQ(FailureOf(CLSID_CategoriesList, IID_IFuncs, &text), E_UNEXPECTED);
  EXPECT_EQ(text, L"Interface not supported");
}

TEST_F(Creators, AnUnknownClassRaisesTheRuntimesFailure) {
  const CLSID unregistered = {0x1b2c3d4e, 0x0000, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x43}};
  std::wstring text;
  EXPECT_EQ(FailureOf(unregistered, IID_IUnknown, &text), REGDB_E_CLASSNOTREG);
  EXPECT_FALSE(text.empty());
}
