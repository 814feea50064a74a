#include "data/ImageCopyJob.h"

#include "data/ImportProgress.h"
#include "data/TextLineReader.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <system_error>
#include <thread>
#include <utility>

namespace vx {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kChunkSize = 262144;

bool HasExtension(const fs::path& path, std::string_view upperExtension) {
  const std::string extension = path.extension().string();
  return std::equal(
      extension.begin(), extension.end(), upperExtension.begin(), upperExtension.end(),
      [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
}

std::string OpenErrorText() {
  return Sjis(
      "書き込みファイルが開けません.\nアクセス権限が無いか、ファイルが使用中か、"
      "もしくは同名の書込み禁止ファイルがあります.");
}

std::string WriteErrorText() {
  return Sjis(
      "ファイルの書き込み中にエラーが発生しました.\nハードディスクの容量が足らない恐れがあります.");
}

fs::path WithoutTrailingSeparator(fs::path path) {
  return path.has_filename() ? path : path.parent_path();
}

}  // namespace

ImageCopyJob::ImageCopyJob(fs::path source, fs::path destination, ImportProgress* listener)
    : source_(std::move(source)),
      destination_(WithoutTrailingSeparator(std::move(destination))),
      listener_(listener) {
  staging_ = destination_.parent_path() / ("." + destination_.filename().string() + ".installing");
}

bool ImageCopyJob::Begin() {
  ListFiles("PDATA", ImageCopyState::kPages);
  ListFiles("MDATA", ImageCopyState::kMaps);
  ListFiles("", ImageCopyState::kArchives);
  std::error_code error;
  fs::remove_all(staging_, error);  // left by a copy that was interrupted
  fs::create_directories(staging_ / "PDATA", error);
  if (!error) fs::create_directories(staging_ / "MDATA", error);
  if (!error) return true;
  Stop(OpenErrorText());
  return false;
}

// Page and map images from their folders, the cut archives from the source itself.
void ImageCopyJob::ListFiles(const std::string& folder, ImageCopyState part) {
  const std::optional<fs::path> found =
      folder.empty() ? std::optional(source_) : ResolveCaseInsensitive(source_, folder);
  if (!found) return;
  const std::string_view extension = folder.empty() ? ".CCZ" : ".PNG";
  std::vector<File> listed;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(*found, error)) {
    if (!entry.is_regular_file(error) || !HasExtension(entry.path(), extension)) continue;
    const fs::path name = entry.path().filename();
    listed.push_back({entry.path(), folder.empty() ? name : fs::path(folder) / name, part});
  }
  std::sort(listed.begin(), listed.end(),
            [](const File& a, const File& b) { return a.relative < b.relative; });
  files_.insert(files_.end(), listed.begin(), listed.end());
}

int ImageCopyJob::Step() {
  if (StopRequested()) return 1;
  const int index = copied_.load();
  if (index < Total()) {
    const File& file = files_[index];
    ImageCopyState state = State();
    if (state != file.part && !state_.compare_exchange_strong(state, file.part)) return 1;
    if (!CopyFile(file)) return 1;
    ++copied_;
    if (listener_ != nullptr) listener_->ReportProgress(copied_.load());
    if (copied_.load() < Total()) return 0;
  }
  ImageCopyState state = State();
  while (state != ImageCopyState::kStopped &&
         !state_.compare_exchange_weak(state, ImageCopyState::kFinished)) {
  }
  return 1;
}

void ImageCopyJob::Cancel() {
  ImageCopyState state = State();
  while (state != ImageCopyState::kFinished &&
         !state_.compare_exchange_weak(state, ImageCopyState::kStopped)) {
  }
}

bool ImageCopyJob::CopyFile(const File& file) {
  const FileHandle in = OpenFileForReading(file.from);
  if (!in) {
    Stop(Sjis("読み込み側ファイルが開けません."));
    return false;
  }
  const FileHandle out(std::fopen((staging_ / file.relative).c_str(), "wb"));
  if (!out) {
    Stop(OpenErrorText());
    return false;
  }
  buffer_.resize(kChunkSize);
  bool written = true;
  while (written && !StopRequested()) {
    const std::size_t read = std::fread(buffer_.data(), 1, buffer_.size(), in.get());
    if (read == 0 && std::ferror(in.get())) {
      Stop(Sjis("ファイルの読み取り中にエラーが発生しました."));
      return false;
    }
    if (read == 0) break;
    written = std::fwrite(buffer_.data(), 1, read, out.get()) == read;
    std::this_thread::yield();
  }
  if (StopRequested()) return false;
  if (!written || std::fflush(out.get()) != 0) {
    Stop(WriteErrorText());
    return false;
  }
  return true;
}

int ImageCopyJob::Finish() {
  const bool done = State() == ImageCopyState::kFinished && MoveIntoPlace();
  std::error_code error;
  fs::remove_all(staging_, error);
  return done ? kResultDone : kResultStopped;
}

int ImageCopyJob::Run() {
  if (Begin()) {
    while (Step() == 0) {
    }
  }
  return Finish();
}

// Renames inside one file system. Each file of an earlier installation is moved aside into a
// backup folder before its replacement goes in; when any rename fails, the files moved in go
// out again, the earlier ones come back and the folders made for them go: the installation is
// either wholly new or wholly as it was.
bool ImageCopyJob::MoveIntoPlace() {
  const fs::path backup = BackupFolder();
  std::error_code error;
  fs::remove_all(backup, error);
  const std::vector<fs::path> newFolders = MissingFolders();
  std::vector<Placed> placed;
  for (const File& file : files_) {
    if (!PlaceFile(file, backup, placed)) {
      RestorePrevious(placed, backup, newFolders);
      state_ = ImageCopyState::kStopped;
      errorText_ = WriteErrorText();
      return false;
    }
  }
  fs::remove_all(backup, error);
  for (const char* folder : {"PDATA", "MDATA"}) {
    if (!ResolveCaseInsensitive(destination_, folder)) {
      fs::create_directories(destination_ / folder, error);
    }
  }
  return !error;
}

bool ImageCopyJob::PlaceFile(const File& file, const fs::path& backup,
                             std::vector<Placed>& placed) {
  std::error_code error;
  Placed move{DestinationOf(file.relative), backup / file.relative, false};
  fs::create_directories(move.target.parent_path(), error);
  if (error) return false;
  if (fs::symlink_status(move.target, error).type() != fs::file_type::not_found) {
    fs::create_directories(move.previous.parent_path(), error);
    if (!error) fs::rename(move.target, move.previous, error);
    if (error) return false;
    move.hadPrevious = true;
  }
  fs::rename(staging_ / file.relative, move.target, error);
  if (error) {
    std::error_code ignored;  // the earlier file back in its place; the move still failed
    if (move.hadPrevious) fs::rename(move.previous, move.target, ignored);
    return false;
  }
  placed.push_back(move);
  return true;
}

// The backup folder goes only when every earlier file is back in place.
void ImageCopyJob::RestorePrevious(const std::vector<Placed>& placed, const fs::path& backup,
                                   const std::vector<fs::path>& newFolders) {
  bool restored = true;
  for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
    std::error_code error;
    fs::remove(it->target, error);
    if (it->hadPrevious) fs::rename(it->previous, it->target, error);
    restored = restored && !error;
  }
  std::error_code error;
  for (const fs::path& folder : newFolders) fs::remove(folder, error);  // deepest first, if empty
  if (restored) fs::remove_all(backup, error);
}

// The destination and its picture folders that do not exist yet, deepest first.
std::vector<fs::path> ImageCopyJob::MissingFolders() const {
  std::vector<fs::path> missing;
  for (const char* folder : {"PDATA", "MDATA"}) {
    if (!ResolveCaseInsensitive(destination_, folder)) missing.push_back(destination_ / folder);
  }
  std::error_code error;
  if (!fs::exists(destination_, error)) missing.push_back(destination_);
  return missing;
}

fs::path ImageCopyJob::BackupFolder() const {
  return destination_.parent_path() / ("." + destination_.filename().string() + ".previous");
}

// The destination's own spelling of a name it already holds, so no second copy in another case
// appears beside it.
fs::path ImageCopyJob::DestinationOf(const fs::path& relative) const {
  if (const auto existing = ResolveCaseInsensitive(destination_, relative.generic_string())) {
    return *existing;
  }
  const fs::path folder = relative.parent_path();
  if (folder.empty()) return destination_ / relative;
  const auto existingFolder = ResolveCaseInsensitive(destination_, folder.generic_string());
  return existingFolder.value_or(destination_ / folder) / relative.filename();
}

void ImageCopyJob::Stop(const std::string& text) {
  if (errorText_.empty()) errorText_ = text;
  state_ = ImageCopyState::kStopped;
}

}  // namespace vx
