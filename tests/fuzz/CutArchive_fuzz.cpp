// Cut archives from any bytes, as a damaged or forged file on a disc holds them: the directory
// read in one piece agrees with minizip's own walk whenever it gives anything, and an archive
// that opens serves INIT.TXT, the entries its directory names, the cuts and the named pictures
// within their limits. Nothing of it may end the program or take memory the file does not hold
// (the replay test bounds the memory).
#include <QImage>
#include <string>
#include <vector>

#include "data/images/CutArchive.h"
#include "data/images/PngBitmap.h"
#include "data/images/ZipCentralDirectory.h"
#include "tests/data/images/MinizipWalk.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

constexpr std::size_t kEntriesRead = 16;  // enough to reach past the first few, never all
constexpr std::size_t kDirectoryRecordSize = 46;

bool Within(const QImage& image, const vx::PictureLimits& limits) {
  return image.isNull() || (static_cast<std::uint32_t>(image.width()) <= limits.maxSide &&
                            static_cast<std::uint32_t>(image.height()) <= limits.maxSide);
}

// The names the image store asks for, then those the directory holds.
std::vector<std::string> NamesToRead(const std::optional<vxtest::ZipEntries>& directory) {
  std::vector<std::string> names = {"INIT.TXT", "0001.PNG", "JIKO.PNG", "JIKO01.PNG", "B001.PNG"};
  for (std::size_t i = 0; directory && i < directory->size() && i < kEntriesRead; ++i) {
    names.push_back((*directory)[i].name);
  }
  return names;
}

void ReadEverything(vx::CutArchive& archive, const std::vector<std::string>& names) {
  vxfuzz::Check(archive.CutWidth() >= 0 && archive.CutWidth() <= int{vx::kMaxCutSide} &&
                    archive.CutHeight() >= 0 && archive.CutHeight() <= int{vx::kMaxCutSide},
                "cut sizes stay within what a catalogue holds");
  for (const std::string& name : names) {
    const std::optional<std::string> bytes = archive.ReadEntry(name);
    vxfuzz::Check(!bytes || (!bytes->empty() && bytes->size() <= vx::CutArchive::kMaxEntrySize),
                  "an entry read is neither empty nor beyond the entry limit");
    vxfuzz::Check(Within(archive.LoadImage(name), vx::kPictureLimits),
                  "a picture keeps the picture limits");
  }
  for (int n : {0, 1, 2}) {
    vxfuzz::Check(Within(archive.LoadCut(n), vx::kCutPictureLimits), "a cut keeps the cut limits");
  }
}

}  // namespace

VX_FUZZ_TARGET(CutArchive) {
  vxfuzz::EnsureGuiApplication();
  const auto path = vxfuzz::ScratchFile("V096CUTL.CCZ");
  vxfuzz::WriteBytes(path, vxfuzz::Bytes(data, size));
  const std::optional<vxtest::ZipEntries> directory = vx::ZipCentralDirectory::Read(path);
  if (directory) {
    vxfuzz::Check(directory->size() <= size / kDirectoryRecordSize,
                  "every entry of the directory takes a record's room in the file");
    vxfuzz::Check(vxtest::FirstDifference(*directory, vxtest::WalkWithMinizip(path)).empty(),
                  "the directory read in one piece finds what minizip finds");
  }
  const std::unique_ptr<vx::CutArchive> archive = vx::CutArchive::Open(path);
  if (archive) ReadEverything(*archive, NamesToRead(directory));
  return 0;
}
