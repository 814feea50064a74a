#include "ui/main/HostSystemInfo.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <dlfcn.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <fstream>
#include <utility>

#include "platform/CodePage.h"

namespace vx {

namespace {

std::string Unquoted(std::string value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

std::string KernelText() {
  utsname name{};
  if (::uname(&name) != 0) return {};
  return std::string(name.sysname) + " " + name.release;
}

}  // namespace

std::string ReadPrettyName(const std::filesystem::path& osRelease) {
  std::ifstream file(osRelease);
  std::string line;
  constexpr std::string_view kKey = "PRETTY_NAME=";
  while (std::getline(file, line)) {
    if (line.rfind(kKey, 0) == 0) return Unquoted(line.substr(kKey.size()));
  }
  return {};
}

int GetPhysicalMemoryMB() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return 0;
  return static_cast<int>(
      (static_cast<unsigned long long>(pages) * static_cast<unsigned long long>(pageSize)) >> 20);
}

HostSystemInfo::HostSystemInfo(std::filesystem::path osRelease)
    : osRelease_(std::move(osRelease)) {}

std::string HostSystemInfo::OsName() const {
  const std::string name = ReadPrettyName(osRelease_);
  const std::string kernel = KernelText();
  if (name.empty()) return Utf8ToCp932(kernel);
  return Utf8ToCp932(kernel.empty() ? name : name + " (" + kernel + ")");
}

std::string HostSystemInfo::GraphicsLibraryPath() const {
  Dl_info info{};
  const auto symbol = reinterpret_cast<void*>(&QGuiApplication::platformName);
  if (::dladdr(symbol, &info) == 0 || !info.dli_fname) return {};
  return Utf8ToCp932(info.dli_fname);
}

std::string HostSystemInfo::GraphicsLibraryVersion() const { return qVersion(); }

}  // namespace vx
