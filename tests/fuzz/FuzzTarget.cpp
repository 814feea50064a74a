#include "tests/fuzz/FuzzTarget.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <system_error>

namespace vxfuzz {
namespace {

namespace fs = std::filesystem;

struct ScratchFolder {
  ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "vx-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    path = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  fs::path path;
};

}  // namespace

std::map<std::string, FuzzFunction>& Targets() {
  static std::map<std::string, FuzzFunction> targets;
  return targets;
}

bool Register(const char* name, FuzzFunction function) {
  Targets()[name] = function;
  return true;
}

void Check(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "fuzz property does not hold: %s\n", property);
  std::abort();
}

fs::path ScratchFile(const std::string& name) {
  static ScratchFolder folder;
  return folder.path / name;
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Check(static_cast<bool>(out), "the scratch file is written");
}

void EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "vx-fuzz";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);
  // Qt's font cache lives in storage made on its first use and gone before the application's
  // static would be: the application, deleted while the storage stands, releases the cache.
  QFontMetrics(QFont()).height();
  std::atexit([] { delete QCoreApplication::instance(); });
}

}  // namespace vxfuzz
