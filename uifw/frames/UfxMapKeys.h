// The keys of a map appended to a string list (the managers' name lists).
#pragma once
#include "Framework.h"

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void UfxAppendMapKeys(const CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>& map, CStringList& list) {
  for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
    KEY key;
    VALUE value;
    map.GetNextAssoc(pos, key, value);
    list.AddTail(key);
  }
}
