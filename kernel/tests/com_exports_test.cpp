// The four exports of Evalkern.dll called directly: their ordinals, class objects for known and
// unknown classes, and when the server may unload. A program of its own, so that no object made
// by another test is alive while it counts.
#include <gtest/gtest.h>

#include <windows.h>

#include "Evalkern.h"

namespace {

class ComServer : public ::testing::Test {
 protected:
  void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override { CoUninitialize(); }
};

// The exports, called directly on the DLL that COM loads for the registered classes.
class ServerExports : public ComServer {
 protected:
  void SetUp() override {
    ComServer::SetUp();
    module_ = LoadLibraryW(L"Evalkern.dll");
    ASSERT_NE(module_, nullptr);
    getClassObject_ = reinterpret_cast<decltype(getClassObject_)>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    canUnloadNow_ = reinterpret_cast<decltype(canUnloadNow_)>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
    ASSERT_NE(getClassObject_, nullptr);
    ASSERT_NE(canUnloadNow_, nullptr);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
    ComServer::TearDown();
  }

  HMODULE module_ = nullptr;
  HRESULT(STDAPICALLTYPE* getClassObject_)(REFCLSID, REFIID, void**) = nullptr;
  HRESULT(STDAPICALLTYPE* canUnloadNow_)() = nullptr;
};

TEST_F(ServerExports, ExportsHaveTheirOrdinals) {
  EXPECT_EQ(GetProcAddress(module_, MAKEINTRESOURCEA(1)), GetProcAddress(module_, "DllUnregisterServer"));
  EXPECT_EQ(GetProcAddress(module_, MAKEINTRESOURCEA(2)), GetProcAddress(module_, "DllRegisterServer"));
  EXPECT_EQ(GetProcAddress(module_, MAKEINTRESOURCEA(3)), GetProcAddress(module_, "DllCanUnloadNow"));
  EXPECT_EQ(GetProcAddress(module_, MAKEINTRESOURCEA(4)), GetProcAddress(module_, "DllGetClassObject"));
}

TEST_F(ServerExports, UnknownClassIdGivesNullAndClassNotAvailable) {
  const CLSID unknown = {0x1b2c3d4e, 0x0000, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x42}};
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(getClassObject_(unknown, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(out, nullptr);
  // A known class asked for an interface its class object lacks.
  out = reinterpret_cast<void*>(1);
  EXPECT_EQ(getClassObject_(CLSID_CategoriesList, IID_IDispatch, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
}

TEST_F(ServerExports, CanUnloadOnlyWithoutLiveObjectsOrLocks) {
  IClassFactory* factory = nullptr;
  ASSERT_EQ(getClassObject_(CLSID_CategoriesList, IID_IClassFactory,
                            reinterpret_cast<void**>(&factory)), S_OK);
  EXPECT_EQ(canUnloadNow_(), S_OK);  // a class object alone keeps nothing alive

  IUnknown* outer = reinterpret_cast<IUnknown*>(factory);
  IUnknown* object = nullptr;
  EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&object)),
            CLASS_E_NOAGGREGATION);
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_ICategoriesList, reinterpret_cast<void**>(&object)), S_OK);
  IUnknown* another = nullptr;
  ASSERT_EQ(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&another)), S_OK);
  EXPECT_EQ(canUnloadNow_(), S_FALSE);
  object->Release();
  EXPECT_EQ(canUnloadNow_(), S_FALSE);  // one reference remains
  another->Release();
  EXPECT_EQ(canUnloadNow_(), S_OK);

  ASSERT_EQ(factory->LockServer(TRUE), S_OK);
  EXPECT_EQ(canUnloadNow_(), S_FALSE);
  ASSERT_EQ(factory->LockServer(FALSE), S_OK);
  EXPECT_EQ(canUnloadNow_(), S_OK);
  factory->Release();
}


}  // namespace
