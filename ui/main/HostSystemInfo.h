// The environment texts of the about box, read from the running system: the operating system's
// name and kernel, and the Qt GUI library in use in place of the graphics library.
#pragma once

#include <filesystem>
#include <string>

#include "app/SystemInfoSource.h"

namespace vx {

class HostSystemInfo : public SystemInfoSource {
 public:
  // `osRelease`: the os-release file (freedesktop format) that names the system.
  explicit HostSystemInfo(std::filesystem::path osRelease = "/etc/os-release");

  std::string OsName() const override;
  std::string GraphicsLibraryPath() const override;
  std::string GraphicsLibraryVersion() const override;

 private:
  std::filesystem::path osRelease_;
};

// PRETTY_NAME of an os-release file without its quotes; "" when it has none.
std::string ReadPrettyName(const std::filesystem::path& osRelease);

// The installed memory in MiB.
int GetPhysicalMemoryMB();

}  // namespace vx
