// Start positions of the lines of a text. An edit shifts every later start; that shift is kept
// pending over a run of entries and applied lazily, so typing in a long document costs O(1)
// instead of O(lines). The starts sit in a gap buffer, so adding or removing a line near the
// previous one is cheap too.
#pragma once

#include "GapBuffer.h"

class LineIndex {
 public:
  LineIndex() { Reset(); }

  void Reset() {
    starts_.Clear();
    starts_.InsertValue(0, 2, 0);  // line 0 starts at 0; the last entry is the text length
    stepIndex_ = 1;
    stepLength_ = 0;
  }

  int Lines() const { return starts_.Length() - 1; }

  int Start(int line) const {
    if (line < 0) return 0;
    if (line > Lines()) line = Lines();
    int v = starts_.ValueAt(line);
    if (line > stepIndex_) v += stepLength_;
    return v;
  }

  // Line whose range [start, next start) holds pos; the last line when pos is at or past the end.
  int LineOf(int pos) const {
    int lines = Lines();
    if (pos >= Start(lines)) return lines - 1;
    int lo = 0, hi = lines - 1;
    while (lo < hi) {
      int mid = (lo + hi + 1) / 2;
      if (Start(mid) <= pos)
        lo = mid;
      else
        hi = mid - 1;
    }
    return lo;
  }

  // Adds delta to the start of every line after `line` (and to the length).
  void Shift(int line, int delta) {
    if (delta == 0) return;
    int last = Lines();
    if (stepLength_ != 0) {
      if (line >= stepIndex_) {
        ApplyStep(line);
        stepLength_ += delta;
      } else if (line >= stepIndex_ - last / 10) {
        BackStep(line);
        stepLength_ += delta;
      } else {
        ApplyStep(last);
        stepIndex_ = line;
        stepLength_ = delta;
      }
    } else {
      stepIndex_ = line;
      stepLength_ = delta;
    }
    if (stepIndex_ >= last) {
      ApplyStep(last);
    }
  }

  // A new line starting at pos becomes line number `line`.
  void InsertLine(int line, int pos) {
    if (line > stepIndex_) {
      starts_.InsertValue(line, 1, pos - stepLength_);
    } else {
      starts_.InsertValue(line, 1, pos);
      stepIndex_++;
    }
  }

  void RemoveLine(int line) {
    starts_.Delete(line, 1);
    if (line <= stepIndex_) stepIndex_--;
  }

  void SetStart(int line, int pos) { starts_.SetValueAt(line, line > stepIndex_ ? pos - stepLength_ : pos); }

 private:
  void ApplyStep(int upTo) {
    if (stepLength_ != 0) {
      for (int i = stepIndex_ + 1; i <= upTo; ++i) starts_.SetValueAt(i, starts_.ValueAt(i) + stepLength_);
    }
    stepIndex_ = upTo;
    if (stepIndex_ >= Lines()) {
      stepIndex_ = Lines();
      stepLength_ = 0;
    }
  }

  void BackStep(int downTo) {
    if (stepLength_ != 0) {
      for (int i = downTo + 1; i <= stepIndex_; ++i) starts_.SetValueAt(i, starts_.ValueAt(i) - stepLength_);
    }
    stepIndex_ = downTo;
  }

  GapBuffer<int> starts_;
  int stepIndex_ = 1;   // entries after this one still lack stepLength_
  int stepLength_ = 0;
};
