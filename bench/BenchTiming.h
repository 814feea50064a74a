// Timing helpers shared by the benchmarks that time several ways of doing one thing in turn.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace vxbench {

using Clock = std::chrono::steady_clock;

inline double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The median of the samples (0 for none): load spikes of a shared machine weigh less than in a
// mean.
inline double Median(std::vector<double> samples) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  const std::size_t middle = samples.size() / 2;
  return samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

// Runs `run` once per iteration, gives Google Benchmark each iteration's time (for UseManualTime)
// and answers the median time of an iteration in milliseconds.
template <class F>
double TimeIterations(benchmark::State& state, F&& run) {
  std::vector<double> samples;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    run();
    samples.push_back(MillisecondsSince(start));
    state.SetIterationTime(samples.back() / 1000);
  }
  return Median(std::move(samples));
}

// The line a benchmark program ends with: its figure against the baseline, and the goal.
inline void PrintGoalLine(const std::string& what, double figureMs, const std::string& baseline,
                          double baselineMs, const std::string& goal, bool met) {
  std::printf("%s: %.1f ms, %s %.1f ms, ratio %.2f; goal %s: %s\n", what.c_str(), figureMs,
              baseline.c_str(), baselineMs, baselineMs > 0 ? figureMs / baselineMs : 0.0,
              goal.c_str(), met ? "met" : "NOT met");
}

}  // namespace vxbench
