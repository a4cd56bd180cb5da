// The benchmarks' clock and report line: microseconds per call, printed beside the target.
#pragma once
#include <windows.h>

#include <cstdio>

inline double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

template <typename F>
double MicrosecondsEach(int repeats, F f) {
  double start = Now();
  for (int i = 0; i < repeats; ++i) f(i);
  return (Now() - start) * 1e6 / repeats;
}

inline void Report(const char* what, double us, double targetUs) {
  std::printf("%-60s %10.2f us   (target <= %.0f us)  %s\n", what, us, targetUs, us <= targetUs ? "ok" : "SLOW");
}
