#include "tools/sample-disc/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace vx::sampledisc {

int WorkerCount() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

void ParallelFor(int count, const std::function<void(int)>& job) {
  std::atomic<int> next{0};
  auto worker = [&] {
    for (int i = next++; i < count; i = next++) job(i);
  };
  const int threads = std::min(WorkerCount(), count);
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(worker);
  worker();
  for (std::thread& thread : pool) thread.join();
}

}  // namespace vx::sampledisc
