// What every object of a creatable class answers besides its own interfaces: ISupportErrorInfo
// (error information for each interface it implements) and IProvideClassInfo (the type
// information of its coclass).
//
// A class author adds it in three steps:
//
//   class TCategoriesList : public TRefCount, public ICategoriesList, public TCreatable {
//     EVALKERN_IUNKNOWN                                   // one IUnknown serves every base
//    public:
//     TCategoriesList() : TCreatable(CLSID_CategoriesList) {}
//     void* Cast(REFIID iid) {
//       if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ICategoriesList))
//         return static_cast<ICategoriesList*>(this);
//       return CreatableCast(iid);                        // ISupportErrorInfo, IProvideClassInfo
//     }
//   };
//
// and runs every member under Guard(ErrorSource{L"Evalkern.<Coclass>", &IID_<default>}, ...),
// so that a failure becomes the HRESULT plus error information with the ProgID as source.
#pragma once

#include <ocidl.h>
#include <oleauto.h>

#include "KernelObject.h"

namespace evalkern {

class TCreatable : public ISupportErrorInfo, public IProvideClassInfo {
 public:
  explicit TCreatable(const CLSID& clsid) : clsid_(clsid) {}
  virtual ~TCreatable() = default;

  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override;
  STDMETHODIMP GetClassInfo(ITypeInfo** info) override;

 protected:
  // The two interfaces above for their IIDs, else nullptr. Call it last in Cast.
  void* CreatableCast(REFIID iid);

 private:
  const CLSID& clsid_;
};

// The kernel's type library: from the module that holds the kernel code when it carries one
// (Evalkern.dll), else the registered library.
HRESULT LoadKernelTypeLib(ITypeLib** lib);

}  // namespace evalkern
