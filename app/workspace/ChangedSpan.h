// Where a newer text differs from an older one, for updating a long text in place: everything
// before the span and everything after it is the same in both texts.
#pragma once

#include <cstddef>
#include <string_view>

struct ChangedSpan {
  size_t start = 0;   // the first byte that differs, in both texts
  size_t oldEnd = 0;  // the end of the part of the older text that goes
  size_t newEnd = 0;  // the end of the part of the newer text that comes in its place
  bool Empty() const { return start == oldEnd && start == newEnd; }
};

// The smallest span outside of which the texts agree, widened so that neither of its ends falls
// between the CR and the LF of a line break.
ChangedSpan FindChangedSpan(std::string_view older, std::string_view newer);
