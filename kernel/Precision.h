// The kernel computes in the x87 80-bit extended type. A thread may start with the x87 unit
// set to 53-bit precision (Wine does this for new threads), which silently rounds every
// long double operation to double. Put an X87Precision on the stack around extended work.
#pragma once

namespace evalkern {

class X87Precision {
 public:
  // Sets the precision-control field to 64-bit significands; the destructor restores it.
  X87Precision() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    __asm__ __volatile__("fnstcw %0" : "=m"(saved_));
    unsigned short cw = static_cast<unsigned short>(saved_ | 0x0300);
    if (cw != saved_) __asm__ __volatile__("fldcw %0" : : "m"(cw));
#endif
  }
  ~X87Precision() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    __asm__ __volatile__("fldcw %0" : : "m"(saved_));
#endif
  }
  X87Precision(const X87Precision&) = delete;
  X87Precision& operator=(const X87Precision&) = delete;

  // The current precision-control field: 0 = 24 bits, 2 = 53 bits, 3 = 64 bits.
  static unsigned Current() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    unsigned short cw;
    __asm__ __volatile__("fnstcw %0" : "=m"(cw));
    return (cw >> 8) & 3u;
#else
    return 3u;
#endif
  }

 private:
  unsigned short saved_ = 0;
};

}  // namespace evalkern
