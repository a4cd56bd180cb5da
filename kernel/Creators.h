// Creator operations: the kernel makes objects of its own creatable classes the way a host does,
// through the COM runtime by class id, so the kernel works only when it is registered.
//
//   ComPtr<IShellConsts> shell = CoShellConsts::Create();
//
// Create() raises a KernelError when the runtime fails (REGDB_E_CLASSNOTREG when the server is
// not registered) or when the new object lacks the class's default interface.
#pragma once
#include <wrl/client.h>

#include "KernelObject.h"

namespace evalkern {

// Asks the runtime for a new object of `clsid` (in-process or local server) and queries it for
// `iid`; the intermediate reference is released in every case.
void CreateByClassId(const CLSID& clsid, const IID& iid, void** out);

template <class I, const CLSID* Clsid, const IID* Iid>
struct TCreator {
  static Microsoft::WRL::ComPtr<I> Create() {
    Microsoft::WRL::ComPtr<I> result;
    CreateByClassId(*Clsid, *Iid, reinterpret_cast<void**>(result.GetAddressOf()));
    return result;
  }
};

using CoShellConsts = TCreator<IShellConsts, &CLSID_ShellConsts, &IID_IShellConsts>;
using CoShellVars = TCreator<IShellVars, &CLSID_ShellVars, &IID_IShellVars>;
using CoShellFuncs = TCreator<IShellFuncs, &CLSID_ShellFuncs, &IID_IShellFuncs>;
using CoCollectionVars = TCreator<ICollectionVars, &CLSID_CollectionVars, &IID_ICollectionVars>;
using CoLibOrlen = TCreator<ILibOrlen, &CLSID_LibOrlen, &IID_ILibOrlen>;
using CoBasicSetConsts = TCreator<IBasicSetConsts, &CLSID_BasicSetConsts, &IID_IBasicSetConsts>;
using CoBasicSetFuncs = TCreator<IBasicSetFuncs, &CLSID_BasicSetFuncs, &IID_IBasicSetFuncs>;

}  // namespace evalkern
