// One cut-image archive (a ZIP file with INIT.TXT and one PNG per circle) held open with an
// index of its entries, so that any cut can be read at any time.
//
// Not safe for concurrent use: minizip keeps one current entry per handle. The image store
// serialises access.
#pragma once

#include <minizip/unzip.h>

#include <QImage>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/images/PngBitmap.h"

namespace vx {

class CutArchive {
 public:
  // Entries declaring more uncompressed bytes than this are refused unread.
  static constexpr std::uint64_t kMaxEntrySize = 32u << 20;

  // The opened archive, or nothing when the file is missing, is no regular file, is not a ZIP
  // archive, is damaged beyond use or holds no readable "INIT.TXT".
  static std::unique_ptr<CutArchive> Open(const std::filesystem::path& path);

  ~CutArchive();
  CutArchive(const CutArchive&) = delete;
  CutArchive& operator=(const CutArchive&) = delete;

  // The inflated bytes of an entry (name matched without regard to ASCII case); nothing when the
  // entry is missing, empty, larger than kMaxEntrySize, shorter than declared or fails its CRC.
  // Memory follows the bytes the entry really gives, not the size it declares.
  std::optional<std::string> ReadEntry(std::string_view name);

  // The decoded picture of an entry; null when it is missing, cannot be decoded or is beyond
  // `limits`.
  QImage LoadImage(std::string_view name, const PictureLimits& limits = kPictureLimits);

  // The picture of entry "%06d.PNG" of `n`, which the archive keeps until the next LoadCut or
  // Close; null for n < 1, a missing entry or a picture larger than a cut can be. The previous
  // cut is dropped first in every case. The first cut that is there but gives no picture names
  // the archive on stderr; later ones do not.
  QImage LoadCut(int n);
  const QImage& LastCut() const { return lastCut_; }

  // Drops the kept cut, closes the file and empties the index.
  void Close();

  int EventNumber() const { return eventNumber_; }
  int CutWidth() const { return cutWidth_; }
  int CutHeight() const { return cutHeight_; }

 private:
  struct EntryPlace {
    std::uint64_t directoryOffset = 0;
    std::uint64_t entryNumber = 0;
    std::uint64_t size = 0;
  };

  CutArchive() = default;
  bool Index(const std::filesystem::path& path);
  void AddCurrentEntry();
  void SortIndex();
  const EntryPlace* Find(std::string_view name) const;
  bool ReadInitText();
  std::optional<std::string> ReadEntryAt(const EntryPlace& place);
  std::optional<std::string> ReadCurrentEntry(std::uint64_t size);
  void NameDamaged();

  unzFile zip_ = nullptr;
  std::filesystem::path path_;
  bool named_ = false;
  int eventNumber_ = 0;
  int cutWidth_ = 0;
  int cutHeight_ = 0;
  QImage lastCut_;
  // Upper-case entry names, sorted; of equal names only the last entry of the archive is kept.
  std::vector<std::pair<std::string, EntryPlace>> index_;
};

// Fields of INIT.TXT: TAB-separated key and value per line, keys compared exactly; keys that
// are missing leave 0, and so does a cut side outside 1..kMaxCutSide.
struct CutArchiveInit {
  int eventNumber = 0;
  int cutWidth = 0;
  int cutHeight = 0;
};
CutArchiveInit ParseCutArchiveInit(std::string_view text);

}  // namespace vx
