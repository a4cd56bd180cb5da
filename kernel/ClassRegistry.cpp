#include "ClassRegistry.h"

#include <vector>

namespace evalkern {

namespace {

struct ClassEntry {
  CLSID clsid;
  CreateFn create;
};

// Filled by static registrars while the kernel loads, read on every creation. The list is
// guarded by a reader/writer lock: registration writes, lookups only read.
struct ClassList {
  SRWLOCK lock = SRWLOCK_INIT;
  std::vector<ClassEntry> entries;
};

ClassList& Classes() {
  static ClassList list;
  return list;
}

}  // namespace

ClassRegistrar::ClassRegistrar(const CLSID& clsid, CreateFn create) {
  ClassList& list = Classes();
  AcquireSRWLockExclusive(&list.lock);
  bool replaced = false;
  for (ClassEntry& e : list.entries) {
    if (IsEqualCLSID(e.clsid, clsid)) {
      e.create = create;
      replaced = true;
    }
  }
  if (!replaced) list.entries.push_back(ClassEntry{clsid, create});
  ReleaseSRWLockExclusive(&list.lock);
}

CreateFn FindClass(const CLSID& clsid) {
  ClassList& list = Classes();
  CreateFn found = nullptr;
  AcquireSRWLockShared(&list.lock);
  for (const ClassEntry& e : list.entries) {
    if (IsEqualCLSID(e.clsid, clsid)) {
      found = e.create;
      break;
    }
  }
  ReleaseSRWLockShared(&list.lock);
  return found;
}

}  // namespace evalkern
