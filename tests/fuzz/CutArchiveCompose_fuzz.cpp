// Cut archives with page composition. The bytes are an archive's entries, not a ZIP file, so that
// the fuzzer reaches what lies inside: INIT.TXT first, then entries, split at "\n==\n"; each
// entry is "NAME\n" and its bytes. The archive is written with minizip, opened with CutArchive and
// a page of cuts, empty desks, errata and a block title is composed from it.
#include <minizip/zip.h>

#include <QImage>
#include <string>
#include <vector>

#include "data/images/CatalogImages.h"
#include "data/images/CutArchive.h"
#include "data/images/PageComposer.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

class FixedQueries : public vx::PageQueries {
 public:
  int GetDateOfDay(int day) const override { return day; }
  int GetWeekdayOfDay(int day) const override { return day % 8; }
  std::string GetAreaNameOfBlock(int) const override { return "E"; }
  std::string GetBlockName(int id) const override { return id == 1 ? "A" : "B"; }
  int GetMaxSpaceNo(int, int) const override { return 30; }
  int GetJikoNo(int, int, int spaceNo, int) const override { return spaceNo % 3 == 0 ? 1 : -1; }
};

std::vector<std::string_view> Split(std::string_view bytes) {
  std::vector<std::string_view> parts;
  for (std::size_t at; (at = bytes.find("\n==\n")) != std::string_view::npos;) {
    parts.push_back(bytes.substr(0, at));
    bytes.remove_prefix(at + 4);
  }
  parts.push_back(bytes);
  return parts;
}

bool WriteArchive(const std::filesystem::path& path, const std::vector<std::string_view>& parts) {
  zipFile zip = zipOpen64(path.c_str(), 0);
  if (zip == nullptr) return false;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::string name = "INIT.TXT";
    std::string_view body = parts[i];
    if (i > 0) {
      const std::size_t end = body.find('\n');
      name = std::string(body.substr(0, std::min<std::size_t>(end, 64)));
      body.remove_prefix(end == std::string_view::npos ? body.size() : end + 1);
    }
    zip_fileinfo info{};
    if (zipOpenNewFileInZip(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, 0, 0) ==
        ZIP_OK) {
      zipWriteInFileInZip(zip, body.data(), static_cast<unsigned>(body.size()));
      zipCloseFileInZip(zip);
    }
  }
  return zipClose(zip, nullptr) == ZIP_OK;
}

// A page of day 2 in blocks 1 and 2: circles with cuts 1 to 3, a nameless one, empty desks and
// an empty cell two before block 2's first space, where its title goes.
std::vector<vx::CircleRecord> Page() {
  std::vector<vx::CircleRecord> records(36);
  for (int i = 0; i < 36; ++i) {
    if (i % 7 == 3 || i == 10) continue;  // empty desks; cell 10 takes block 2's title
    vx::CircleRecord& r = records[i];
    r.id = i + 1;
    r.day = 2;
    r.blockId = i < 12 ? 1 : 2;
    r.spaceNo = i < 12 ? 20 + i / 2 : 1 + (i - 12) / 2;
    r.spaceNoSub = i % 2;
    r.updateId = 1 + i % 3;
    r.circleName = i == 5 ? "" : "circle";
  }
  return records;
}

}  // namespace

VX_FUZZ_TARGET(CutArchiveCompose) {
  vxfuzz::EnsureGuiApplication();
  const auto path = vxfuzz::ScratchFile("V096CUTL.CCZ");
  if (!WriteArchive(path, Split(vxfuzz::Bytes(data, size)))) return 0;
  const std::unique_ptr<vx::CutArchive> archive = vx::CutArchive::Open(path);
  if (!archive) return 0;
  vxfuzz::Check(archive->CutWidth() >= 0 && archive->CutWidth() <= int{vx::kMaxCutSide} &&
                    archive->CutHeight() >= 0 && archive->CutHeight() <= int{vx::kMaxCutSide},
                "cut sizes stay within what a catalogue holds");
  for (int n : {-1, 0, 1, 2, 3}) {
    const QImage cut = archive->LoadCut(n);
    vxfuzz::Check(cut.isNull() ||
                      (cut.width() <= int{vx::kMaxCutSide} && cut.height() <= int{vx::kMaxCutSide}),
                  "a cut keeps the cut limits");
  }
  const FixedQueries queries;
  for (int band : {vx::CatalogImages::kHeaderBand, 2 * vx::CatalogImages::kHeaderBand}) {
    const QImage page = vx::PageComposer(*archive, archive.get(), queries).Compose(3, Page(), band);
    vxfuzz::Check(page.isNull() || (page.width() == 6 * archive->CutWidth() &&
                                    page.height() == 6 * archive->CutHeight() + band),
                  "a page is six cuts wide and six cuts and its band tall");
  }
  return 0;
}
