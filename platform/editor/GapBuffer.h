// A gap buffer: a vector with a movable hole, so that edits near the previous edit cost time
// proportional to their own size and to the distance moved, not to the whole content.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

template <typename T>
class GapBuffer {
 public:
  int Length() const { return length_; }

  T ValueAt(int pos) const {
    if (pos < 0 || pos >= length_) return T();
    return pos < part1_ ? body_[pos] : body_[pos + gap_];
  }

  void SetValueAt(int pos, T value) {
    if (pos < 0 || pos >= length_) return;
    if (pos < part1_)
      body_[pos] = value;
    else
      body_[pos + gap_] = value;
  }

  void Insert(int pos, const T* values, int count) {
    if (count <= 0 || pos < 0 || pos > length_) return;
    MakeRoom(count);
    GapTo(pos);
    std::memcpy(&body_[part1_], values, sizeof(T) * count);
    part1_ += count;
    length_ += count;
    gap_ -= count;
  }

  void InsertValue(int pos, int count, T value) {
    if (count <= 0 || pos < 0 || pos > length_) return;
    MakeRoom(count);
    GapTo(pos);
    std::fill(body_.begin() + part1_, body_.begin() + part1_ + count, value);
    part1_ += count;
    length_ += count;
    gap_ -= count;
  }

  void Delete(int pos, int count) {
    if (count <= 0 || pos < 0 || pos + count > length_) return;
    if (pos == 0 && count == length_) {
      Clear();
      return;
    }
    GapTo(pos);
    length_ -= count;
    gap_ += count;
  }

  void Clear() {
    body_.clear();
    body_.shrink_to_fit();
    part1_ = length_ = gap_ = 0;
  }

  // Copies [pos, pos + count) into out.
  void Copy(T* out, int pos, int count) const {
    if (count <= 0) return;
    int n1 = std::max(0, std::min(count, part1_ - pos));
    if (n1 > 0) std::memcpy(out, &body_[pos], sizeof(T) * n1);
    if (count > n1) std::memcpy(out + n1, &body_[pos + n1 + gap_], sizeof(T) * (count - n1));
  }

  // A contiguous view of [pos, pos + count): moves the gap out of the way when needed.
  const T* RangePointer(int pos, int count) {
    if (pos < 0 || count <= 0 || pos + count > length_) return nullptr;
    if (pos + count > part1_ && pos < part1_) GapTo(pos);
    return pos < part1_ ? &body_[pos] : &body_[pos + gap_];
  }

 private:
  void GapTo(int pos) {
    if (pos == part1_) return;
    if (pos < part1_)
      std::memmove(&body_[pos + gap_], &body_[pos], sizeof(T) * (part1_ - pos));
    else
      std::memmove(&body_[part1_], &body_[part1_ + gap_], sizeof(T) * (pos - part1_));
    part1_ = pos;
  }

  void MakeRoom(int count) {
    if (gap_ >= count) return;
    GapTo(length_);
    size_t want = std::max<size_t>(body_.size() * 3 / 2 + 64, length_ + count + 64);
    body_.resize(want);
    gap_ = static_cast<int>(want) - length_;
  }

  std::vector<T> body_;
  int part1_ = 0;  // elements before the gap
  int length_ = 0;
  int gap_ = 0;  // size of the hole
};
