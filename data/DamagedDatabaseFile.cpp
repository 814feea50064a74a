#include "data/DamagedDatabaseFile.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

fs::path Journal(const fs::path& file) { return fs::path(file.string() + "-journal"); }

fs::path FreeAsideName(const fs::path& file) {
  const std::string base = file.string() + ".damaged";
  fs::path name = base;
  std::error_code error;
  for (int n = 2; fs::exists(name, error) || fs::exists(Journal(name), error); ++n) {
    name = base + "-" + std::to_string(n);
  }
  return name;
}

}  // namespace

// The journal goes first: left behind, it would be replayed onto the new database.
std::optional<fs::path> SetAsideDamagedDatabase(const fs::path& file, std::string& error) {
  const fs::path aside = FreeAsideName(file);
  std::error_code failure;
  const bool journal = fs::exists(Journal(file), failure);
  if (journal) fs::rename(Journal(file), Journal(aside), failure);
  if (!failure) fs::rename(file, aside, failure);
  if (!failure) return aside;
  error = failure.message();
  std::error_code ignored;
  if (journal) fs::rename(Journal(aside), Journal(file), ignored);
  return std::nullopt;
}

bool RestoreDamagedDatabase(const fs::path& aside, const fs::path& file, std::string& error) {
  std::error_code failure;
  fs::remove(Journal(file), failure);
  if (!failure) fs::remove(file, failure);
  if (!failure && fs::exists(Journal(aside), failure)) {
    fs::rename(Journal(aside), Journal(file), failure);
  }
  if (!failure) fs::rename(aside, file, failure);
  if (!failure) return true;
  error = failure.message();
  return false;
}

}  // namespace vx
