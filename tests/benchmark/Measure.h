#pragma once
// What every benchmark here measures with: a wall-clock time of some work, the median
// of several runs, a check of the benchmark's own data, and the verdict on a target.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <stdexcept>
#include <vector>

inline double Seconds(const std::function<void()>& work) {
  LARGE_INTEGER frequency{}, start{}, end{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  work();
  QueryPerformanceCounter(&end);
  return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// A benchmark whose own data or results are wrong measures nothing: it stops.
inline void Require(bool condition, const char* what) {
  if (!condition) throw std::runtime_error(what);
}

inline const char* Verdict(bool met) { return met ? "met" : "NOT MET"; }

// A benchmark program's main: runs it, and reports a failure on standard error with
// status 1.
inline int RunBenchmark(int (*run)()) {
  try {
    return run();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "Benchmark failed: %s\n", error.what());
    return 1;
  }
}
