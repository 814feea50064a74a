// Runs a job for every index on all cores. Jobs write into their own slot of a result array, so
// the output does not depend on which thread ran which job.
#pragma once

#include <functional>

namespace vx::sampledisc {

int WorkerCount();
void ParallelFor(int count, const std::function<void(int)>& job);

}  // namespace vx::sampledisc
