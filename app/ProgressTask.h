// The record a web-portal job carries through its progress dialog: the settings the job reads
// (the access token), a status word of the portal jobs, three texts and the stop flag that the
// dialog's Cancel raises and the job polls.
#pragma once

#include <array>
#include <atomic>
#include <string>

namespace vx {

class AppSettings;

struct ProgressTask {
  explicit ProgressTask(AppSettings* settings) : owner(settings) {}

  AppSettings* owner;
  int status = 0;
  std::array<std::string, 3> texts;  // CP932
  std::atomic<bool> stop{false};
};

}  // namespace vx
