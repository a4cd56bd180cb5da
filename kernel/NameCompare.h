// Names of constants, variables and functions compare with the case of the ASCII letters folded
// and every other character taken as it is. Nothing here depends on the locale.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "BlockPool.h"

namespace evalkern {

inline wchar_t FoldAscii(wchar_t c) {
  return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
}

inline bool NamesEqual(const wchar_t* a, std::size_t na, const wchar_t* b, std::size_t nb) {
  if (na != nb) return false;
  for (std::size_t i = 0; i < na; ++i)
    if (a[i] != b[i] && FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

inline bool NamesEqual(const std::wstring& a, const std::wstring& b) {
  return NamesEqual(a.data(), a.size(), b.data(), b.size());
}

// A BSTR may be null, which stands for the empty text.
inline std::size_t BstrLength(BSTR s) { return s ? SysStringLen(s) : 0; }
inline const wchar_t* BstrChars(BSTR s) { return s ? s : L""; }

inline bool NamesEqual(const std::wstring& a, BSTR b) {
  return NamesEqual(a.data(), a.size(), BstrChars(b), BstrLength(b));
}

// A hash that agrees with NamesEqual: equal names hash alike.
inline std::uint32_t NameHash(const wchar_t* s, std::size_t n) {
  std::uint32_t h = 2166136261u;
  for (std::size_t i = 0; i < n; ++i) {
    h ^= static_cast<std::uint32_t>(FoldAscii(s[i]));
    h *= 16777619u;
  }
  return h;
}

// Positions of names in a list, keyed by the case-folded hash of the name. A bucket holds
// ascending positions; a caller confirms each candidate with NamesEqual.
class NameIndex {
 public:
  void Add(const wchar_t* name, std::size_t length, long position) {
    Bucket& bucket = buckets_[NameHash(name, length)];
    if (bucket.empty() || bucket.back() != position) bucket.push_back(position);
  }
  void Add(const std::wstring& name, long position) { Add(name.data(), name.size(), position); }
  const PooledVector<long>* Find(const wchar_t* name, std::size_t length) const {
    auto it = buckets_.find(NameHash(name, length));
    return it == buckets_.end() ? nullptr : &it->second;
  }
  void Clear() { buckets_.clear(); }

 private:
  // An index is made anew with its list at every refresh of a library: its nodes come from the
  // block pool.
  using Bucket = PooledVector<long>;
  std::unordered_map<std::uint32_t, Bucket, std::hash<std::uint32_t>, std::equal_to<std::uint32_t>,
                     PoolAllocator<std::pair<const std::uint32_t, Bucket>>>
      buckets_;
};

}  // namespace evalkern
