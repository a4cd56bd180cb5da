#include "ChangedSpan.h"

#include <algorithm>

ChangedSpan FindChangedSpan(std::string_view older, std::string_view newer) {
  const size_t shorter = std::min(older.size(), newer.size());
  size_t prefix = 0;
  while (prefix < shorter && older[prefix] == newer[prefix]) ++prefix;
  // The common ending may not reach into the common beginning.
  size_t suffix = 0;
  while (suffix < shorter - prefix && older[older.size() - 1 - suffix] == newer[newer.size() - 1 - suffix]) ++suffix;

  ChangedSpan span;
  span.start = prefix;
  span.oldEnd = older.size() - suffix;
  span.newEnd = newer.size() - suffix;
  if (span.Empty()) return span;
  // A line break is replaced whole or not at all.
  if (span.start > 0 && older[span.start - 1] == '\r') --span.start;
  if (span.oldEnd < older.size() && older[span.oldEnd] == '\n') {
    ++span.oldEnd;
    ++span.newEnd;
  }
  return span;
}
