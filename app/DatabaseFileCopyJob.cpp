#include "app/DatabaseFileCopyJob.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/CodePage.h"

namespace vx {

namespace fs = std::filesystem;

DatabaseFileCopyJob::DatabaseFileCopyJob(fs::path source, fs::path target)
    : source_(std::move(source)), target_(std::move(target)) {}

DatabaseFileCopyJob::~DatabaseFileCopyJob() { Discard(); }

std::string DatabaseFileCopyJob::Caption() { return Sjis("データベースファイルのコピー"); }

std::string DatabaseFileCopyJob::ProgressText(int position, int total) const {
  return FormatProgressText(Sjis("データベースファイルをコピーしています"), position, total);
}

StepResult DatabaseFileCopyJob::Step() {
  if (StopRequested()) return StepResult::kFailed;
  if (!in_) return Open();
  return CopyChunk();
}

StepResult DatabaseFileCopyJob::Open() {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(source_, error);
  in_ = error ? nullptr : std::fopen(source_.c_str(), "rb");
  if (!in_) return Fail("を開けません.", source_, error ? error.value() : errno);
  // Permissions of a database the user may write, whatever those of the source.
  const int fd = CreateFileBeside(target_, 0644, copy_, error);
  if (fd < 0) return Fail("にコピーを作れません.", target_, error.value());
  out_ = fd;
  chunks_ = static_cast<int>(size / kChunkBytes) + 1;
  SetTotal(chunks_);
  return StepResult::kContinue;
}

StepResult DatabaseFileCopyJob::CopyChunk() {
  std::vector<char> buffer(kChunkBytes);
  const std::size_t read = std::fread(buffer.data(), 1, buffer.size(), in_);
  if (read < buffer.size() && std::ferror(in_)) return Fail("を読み取れません.", source_, errno);
  std::size_t written = 0;
  while (written < read) {
    const ssize_t n = ::write(out_, buffer.data() + written, read - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return Fail("に書き込めません.", copy_, n < 0 ? errno : EIO);
    written += static_cast<std::size_t>(n);
  }
  const int position = Position() + 1;
  if (read == buffer.size()) {
    ReportProgress(position);
    return StepResult::kContinue;
  }
  if (::fsync(out_) != 0) return Fail("に書き込めません.", copy_, errno);
  const int closed = ::close(out_);
  out_ = -1;
  if (closed != 0) return Fail("に書き込めません.", copy_, errno);
  ReportProgress(-1);
  complete_ = true;
  return StepResult::kFinished;
}

bool DatabaseFileCopyJob::Commit() {
  if (!complete_ || StopRequested()) return false;
  std::error_code error;
  fs::path journal = target_;
  journal += "-journal";
  fs::remove(journal, error);
  if (error) {
    Fail("を削除できません.", journal, error.value());
    return false;
  }
  fs::rename(copy_, target_, error);
  if (error) {
    Fail("を置き換えられません.", target_, error.value());
    return false;
  }
  copy_.clear();
  return true;
}

StepResult DatabaseFileCopyJob::Fail(const std::string& what, const fs::path& path, int error) {
  errorText_ = Utf8ToCp932(path.string()) + "\n" + Sjis(what) + " (" + std::strerror(error) + ")";
  return StepResult::kFailed;
}

void DatabaseFileCopyJob::Discard() {
  if (in_) std::fclose(in_);
  in_ = nullptr;
  if (out_ >= 0) ::close(out_);
  out_ = -1;
  if (!copy_.empty()) {
    std::error_code ignored;
    fs::remove(copy_, ignored);
  }
}

}  // namespace vx
