// The benchmarks that need a Qt application run it on the offscreen platform unless another one
// is asked for, and print their summaries while it still lives.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace vxbench {

inline void UseOffscreenPlatform() {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

inline void RunRegisteredBenchmarks(int& argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}

template <class Application, class Summary>
int RunOffscreen(int argc, char** argv, Summary printSummary) {
  UseOffscreenPlatform();
  Application app(argc, argv);
  RunRegisteredBenchmarks(argc, argv);
  printSummary();
  return 0;
}

}  // namespace vxbench
