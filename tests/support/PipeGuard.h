#pragma once

#include <filesystem>
#include <functional>
#include <vector>

namespace vxtest {

// Runs `step` on this thread while no one writes to the named pipes. A step that waits for a writer
// fails the test (false) rather than hanging it: after ten seconds another thread opens and closes
// each pipe until the step returns.
bool ReturnsWithoutAWriter(const std::vector<std::filesystem::path>& pipes,
                           const std::function<void()>& step);

}  // namespace vxtest
