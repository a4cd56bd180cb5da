// The creatable classes register their creation functions here at load; the COM server's class
// objects and the creator operations find them by CLSID.
#pragma once
#include <windows.h>
#include "Evalkern.h"

namespace evalkern {

// Makes a new object, runs its initialisation, and answers the asked interface.
using CreateFn = HRESULT (*)(REFIID iid, void** out);

struct ClassRegistrar {
  ClassRegistrar(const CLSID& clsid, CreateFn create);
};

// The creation function registered for clsid, or nullptr.
CreateFn FindClass(const CLSID& clsid);

}  // namespace evalkern

// In the .cpp of a creatable class:  EVALKERN_CLASS(LibOrlen, &CreateLibOrlen);
#define EVALKERN_CLASS(Coclass, fn) \
  static const ::evalkern::ClassRegistrar g_register_##Coclass(CLSID_##Coclass, fn)
