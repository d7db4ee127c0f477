#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

// Timing helpers shared by the benchmarks.

// Wall-clock milliseconds that `work` takes.
inline double Milliseconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// The median of repeated measurements.
inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
