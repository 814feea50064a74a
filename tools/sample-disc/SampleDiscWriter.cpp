#include "tools/sample-disc/SampleDiscWriter.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <system_error>
#include <vector>

#include "platform/CodePage.h"
#include "tools/sample-disc/CatalogBuilder.h"
#include "tools/sample-disc/CatalogTextWriter.h"
#include "tools/sample-disc/ChecklistWriter.h"
#include "tools/sample-disc/CutPainter.h"
#include "tools/sample-disc/DiscPaths.h"
#include "tools/sample-disc/EarlierSample.h"
#include "tools/sample-disc/MapPainter.h"
#include "tools/sample-disc/PagePainter.h"
#include "tools/sample-disc/ParallelFor.h"
#include "tools/sample-disc/PngEncoder.h"
#include "tools/sample-disc/UpdateFileWriter.h"
#include "tools/sample-disc/ZipWriter.h"

namespace fs = std::filesystem;

namespace vx::sampledisc {
namespace {

struct CutPngs {
  int circleIndex = -1;
  std::string low;
  std::string high;
  std::string lowCorrected;  // only for circles in the override archives
  std::string highCorrected;
};

// What one unit of parallel work produces: the cuts of one catalogue page (and the page file)
// or of one run of unplaced circles.
struct UnitResult {
  std::vector<CutPngs> cuts;
  std::string pagePng;
};

class DiscWriter {
 public:
  DiscWriter(const SampleOptions& options, std::string& error, const PngEncodeFunction& encode)
      : options_(options),
        paths_(options),
        error_(error),
        encode_(encode),
        catalog_(BuildCatalog(options)) {}

  bool Run(DiscSummary& summary) {
    const bool ok =
        MakeFolders() && WriteTextFiles() && WriteImageData() && WriteMaps() && WriteExtras();
    if (!ok && error_.empty()) error_ = encodeError_;
    summary.circles = static_cast<int>(catalog_.circles.size());
    summary.placedCircles = catalog_.PlacedCircleCount();
    summary.pages = static_cast<int>(catalog_.pages.size());
    summary.desks = static_cast<int>(catalog_.desks.size());
    summary.errata = static_cast<int>(catalog_.errata.size());
    summary.correctedCuts = static_cast<int>(catalog_.correctedCuts.size());
    return ok;
  }

 private:
  static constexpr int kUnplacedPerUnit = Geometry::kCellsPerPage;

  bool Fail(const std::string& message) {
    if (error_.empty()) error_ = message;
    return false;
  }

  // Pictures are encoded on several threads at once: the first failure is kept, and each stage
  // checks for one before it writes anything.
  std::string Encode(const QImage& picture, const std::string& what) const {
    std::string png = encode_(picture);
    if (png.empty()) {
      std::lock_guard lock(encodeMutex_);
      if (encodeError_.empty()) encodeError_ = what + ": the picture could not be encoded as PNG";
    }
    return png;
  }

  bool EncodedAll() {
    std::lock_guard lock(encodeMutex_);
    return encodeError_.empty() || Fail(encodeError_);
  }

  bool MakeFolders() {
    std::error_code ec;
    for (const fs::path& folder :
         {paths_.Data("PDATA"), paths_.Data("MDATA"), paths_.ExtraRoot()}) {
      fs::create_directories(folder, ec);
      if (ec) return Fail(folder.string() + ": cannot create the folder: " + ec.message());
    }
    return true;
  }

  bool WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) return Fail(path.string() + ": cannot write the file");
    return true;
  }

  bool WriteTextFiles() {
    const int event = catalog_.event;
    if (!WriteFile(paths_.Data(DefinitionFileName(event)), DefinitionFileText(catalog_)) ||
        !WriteFile(paths_.Data(LayoutFileName(event)), LayoutFileText(catalog_))) {
      return false;
    }
    if (options_.rom == RomForm::kSingle) {
      return WriteFile(paths_.Data(SingleCircleFileName(event)), SingleCircleFileText(catalog_));
    }
    for (const EventDay& day : catalog_.days) {
      if (!WriteFile(paths_.Data(DayCircleFileName(event, day.id)),
                     DayCircleFileText(catalog_, day.id))) {
        return false;
      }
    }
    return WriteFile(paths_.Data(DayCircleFileName(event, 0)), DayCircleFileText(catalog_, 0));
  }

  // --- cut archives and page files ---

  struct Archives {
    std::unique_ptr<ZipWriter> low, high, lowOverride, highOverride;
    std::vector<ZipWriter*> All() const {
      return {low.get(), high.get(), lowOverride.get(), highOverride.get()};
    }
  };

  std::string InitText(int scale) const {
    return "vqnum\t" + std::to_string(catalog_.event) + "\r\nwidth\t" +
           std::to_string(catalog_.geometry.cutW * scale) + "\r\nheight\t" +
           std::to_string(catalog_.geometry.cutH * scale) + "\r\n";
  }

  // The pictures every archive of one resolution starts with: cover, errata and block titles.
  std::vector<std::pair<std::string, std::string>> CommonEntries(int scale, PagePictures* keep) {
    const Geometry& g = catalog_.geometry;
    std::vector<std::pair<std::string, QImage>> pictures;
    pictures.emplace_back("0001.PNG",
                          DrawCover(catalog_, Geometry::kColumns * g.cutW * scale,
                                    (Geometry::kRows * g.cutH + g.captionBand) * scale));
    pictures.emplace_back("JIKO.PNG", DrawGenericErrata(g, scale));
    for (int n = 1; n <= catalog_.errataPictureCount; ++n) {
      pictures.emplace_back(Numbered("JIKO%02d.PNG", n), DrawErrataPicture(g, n, scale));
    }
    for (const Block& block : catalog_.blocks) {
      pictures.emplace_back(Numbered("B%03d.PNG", block.id),
                            DrawBlockTitle(catalog_, block, scale));
    }
    if (keep) {
      keep->genericErrata = pictures[1].second;
      for (int n = 1; n <= catalog_.errataPictureCount; ++n)
        keep->errata.push_back(pictures[1 + n].second);
      for (std::size_t b = 0; b < catalog_.blocks.size(); ++b) {
        keep->blockTitles.push_back(pictures[2 + catalog_.errataPictureCount + b].second);
      }
    }
    std::vector<std::pair<std::string, std::string>> entries(pictures.size());
    ParallelFor(static_cast<int>(pictures.size()), [&](int i) {
      entries[i] = {pictures[i].first, Encode(pictures[i].second, pictures[i].first)};
    });
    return entries;
  }

  static std::string Numbered(const char* pattern, int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
  }

  bool OpenArchives(Archives& archives) {
    const int event = catalog_.event;
    archives.low = std::make_unique<ZipWriter>(paths_.Data(CutArchiveName(event, "CUTL")));
    archives.high = std::make_unique<ZipWriter>(paths_.Data(CutArchiveName(event, "CUTH")));
    archives.lowOverride = std::make_unique<ZipWriter>(paths_.Data(CutArchiveName(event, "CUTLP")));
    archives.highOverride =
        std::make_unique<ZipWriter>(paths_.Data(CutArchiveName(event, "CUTHP")));
    for (ZipWriter* zip : archives.All()) {
      if (!zip->Ok()) return Fail(zip->Error());
    }
    archives.low->Add("INIT.TXT", InitText(1), true);
    archives.lowOverride->Add("INIT.TXT", InitText(1), true);
    archives.high->Add("INIT.TXT", InitText(2), true);
    archives.highOverride->Add("INIT.TXT", InitText(2), true);
    const auto low = CommonEntries(1, &pagePictures_);
    const auto high = CommonEntries(2, nullptr);
    if (!EncodedAll()) return false;
    for (const auto& [name, png] : low) archives.low->Add(name, png, false);
    for (const auto& [name, png] : high) archives.high->Add(name, png, false);
    return CheckArchives(archives);
  }

  bool CheckArchives(const Archives& archives) {
    for (ZipWriter* zip : archives.All()) {
      if (!zip->Ok()) return Fail(zip->Error());
    }
    return true;
  }

  // `lowPicture`, when given, receives the low-resolution cut for the page file.
  CutPngs RenderCut(int index, QImage* lowPicture = nullptr) const {
    const Circle& circle = catalog_.circles[index];
    CutPngs pngs;
    pngs.circleIndex = index;
    if (circle.name.empty()) return pngs;  // drawn from JIKO.PNG, so it has no entry
    const std::string name = CutEntryName(index);
    const QImage low = DrawCut(catalog_, circle, 1, false);
    if (lowPicture) *lowPicture = low;
    pngs.low = Encode(low, name);
    pngs.high = Encode(DrawCut(catalog_, circle, 2, false), name);
    if (corrected_.count(index)) {
      pngs.lowCorrected = Encode(DrawCut(catalog_, circle, 1, true), name);
      pngs.highCorrected = Encode(DrawCut(catalog_, circle, 2, true), name);
    }
    return pngs;
  }

  UnitResult RenderPageUnit(const CatalogPage& page) const {
    UnitResult result;
    std::vector<QImage> cuts(Geometry::kCellsPerPage);
    for (int i = 0; i < Geometry::kCellsPerPage; ++i) {
      const PageCell& cell = page.cells[i];
      if (cell.kind != PageCell::kCircle) continue;
      result.cuts.push_back(RenderCut(cell.circleIndex, &cuts[i]));
    }
    result.pagePng =
        Encode(DrawPageFile(catalog_, page, cuts, pagePictures_), PageFileName(page.pageNo));
    return result;
  }

  UnitResult RenderUnplacedUnit(int first) const {
    UnitResult result;
    const int end = std::min(first + kUnplacedPerUnit, static_cast<int>(unplaced_.size()));
    for (int i = first; i < end; ++i) result.cuts.push_back(RenderCut(unplaced_[i]));
    return result;
  }

  std::string CutEntryName(int circleIndex) const {
    return Numbered("%06d.PNG", catalog_.circles[circleIndex].updateId);
  }

  bool StoreUnit(const UnitResult& unit, int pageNo, Archives& archives) {
    for (const CutPngs& cut : unit.cuts) {
      if (cut.low.empty()) continue;
      const std::string name = CutEntryName(cut.circleIndex);
      archives.low->Add(name, cut.low, false);
      archives.high->Add(name, cut.high, false);
      if (!cut.lowCorrected.empty()) {
        archives.lowOverride->Add(name, cut.lowCorrected, false);
        archives.highOverride->Add(name, cut.highCorrected, false);
      }
    }
    if (pageNo > 0 && !WriteFile(paths_.Data(PageFileName(pageNo)), unit.pagePng)) return false;
    return CheckArchives(archives);
  }

  bool WriteImageData() {
    corrected_ = std::set<int>(catalog_.correctedCuts.begin(), catalog_.correctedCuts.end());
    for (std::size_t i = 0; i < catalog_.circles.size(); ++i) {
      if (catalog_.circles[i].day == 0) unplaced_.push_back(static_cast<int>(i));
    }
    Archives archives;
    if (!OpenArchives(archives) || !WriteCoverPage()) return false;

    const int pageUnits = static_cast<int>(catalog_.pages.size());
    const int unplacedUnits =
        (static_cast<int>(unplaced_.size()) + kUnplacedPerUnit - 1) / kUnplacedPerUnit;
    const int units = pageUnits + unplacedUnits;
    const int batch = WorkerCount() * 4;
    for (int start = 0; start < units; start += batch) {
      const int count = std::min(batch, units - start);
      std::vector<UnitResult> results(count);
      ParallelFor(count, [&](int i) {
        const int unit = start + i;
        results[i] = unit < pageUnits ? RenderPageUnit(catalog_.pages[unit])
                                      : RenderUnplacedUnit((unit - pageUnits) * kUnplacedPerUnit);
      });
      if (!EncodedAll()) return false;
      for (int i = 0; i < count; ++i) {
        const int unit = start + i;
        const int pageNo = unit < pageUnits ? catalog_.pages[unit].pageNo : 0;
        if (!StoreUnit(results[i], pageNo, archives)) return false;
      }
    }
    for (ZipWriter* zip : archives.All()) {
      if (!zip->Close()) return Fail(zip->Error());
    }
    return true;
  }

  bool WriteCoverPage() {
    const QSize size = PageFileSize(catalog_.geometry);
    const std::string png = Encode(DrawCover(catalog_, size.width(), size.height()), "cover");
    return EncodedAll() && WriteFile(paths_.Data(PageFileName(1)), png);
  }

  // --- hall maps ---

  struct MapJob {
    std::string name;
    std::function<QImage()> draw;
  };

  std::vector<MapJob> MapJobs(const std::vector<std::vector<int>>& occupancy) const {
    std::vector<MapJob> jobs;
    for (const EventDay& day : catalog_.days) {
      const std::vector<int>& occupied = occupancy[day.id - 1];
      for (const HallMap& map : catalog_.maps) {
        const int d = day.id;
        const HallMap* m = &map;
        jobs.push_back({MapFileName("MAP", d, map.stem),
                        [=, this] { return DrawHallMap(catalog_, *m, d, 1); }});
        jobs.push_back({MapFileName("HMP", d, map.stem),
                        [=, this] { return DrawHallMap(catalog_, *m, d, 2); }});
        jobs.push_back({MapFileName("GNR", d, map.stem),
                        [=, this, &occupied] { return DrawGenreMap(catalog_, *m, occupied, 1); }});
        jobs.push_back({MapFileName("HGR", d, map.stem),
                        [=, this, &occupied] { return DrawGenreMap(catalog_, *m, occupied, 2); }});
      }
    }
    for (const std::string& stem : OutlineStems(catalog_)) {
      jobs.push_back(
          {OutlineFileName("ALLMAP", stem), [=, this] { return DrawOutline(catalog_, stem, 1); }});
      jobs.push_back(
          {OutlineFileName("HALMAP", stem), [=, this] { return DrawOutline(catalog_, stem, 2); }});
    }
    return jobs;
  }

  bool WriteMaps() {
    std::vector<std::vector<int>> occupancy;
    for (const EventDay& day : catalog_.days) occupancy.push_back(DayOccupancy(catalog_, day.id));
    const std::vector<MapJob> jobs = MapJobs(occupancy);
    std::vector<std::string> pngs(jobs.size());
    ParallelFor(static_cast<int>(jobs.size()),
                [&](int i) { pngs[i] = Encode(jobs[i].draw(), jobs[i].name); });
    if (!EncodedAll()) return false;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
      if (!WriteFile(paths_.Data(jobs[i].name), pngs[i])) return false;
    }
    return true;
  }

  // --- update archive and checklists ---

  bool WriteExtras() {
    ZipWriter update(paths_.Extra(UpdateArchiveName(catalog_.event)));
    update.Add("UPDATE.TXT", UpdateFileText(catalog_, PlanUpdate(catalog_, options_.seed)), true);
    if (!update.Close()) return Fail(update.Error());

    const int event = catalog_.event;
    const std::vector<ChecklistEntry> entries = CurrentEventEntries(catalog_, options_.seed);
    struct Encoding {
      const char* suffix;
      const char* header;
      int codePage;
    };
    for (const Encoding& e :
         {Encoding{"SJIS", "Shift_JIS", kCodePageCp932}, Encoding{"UTF8", "UTF-8", kCodePageUtf8},
          Encoding{"EUCJP", "EUC-JP", kCodePageEucJp},
          Encoding{"JIS", "ISO-2022-JP", kCodePageIso2022Jp}}) {
      const std::string text = CurrentChecklistText(catalog_, entries, event, e.header);
      const std::string bytes = e.codePage == kCodePageCp932 ? text : EncodeLines(text, e.codePage);
      if (!WriteFile(paths_.Extra(ChecklistName(event, e.suffix)), bytes)) return false;
    }
    if (!WriteFile(paths_.Extra(ChecklistName(event, "OLD")),
                   OlderChecklistText(catalog_, entries, event))) {
      return false;
    }
    const int other = event > 1 ? event - 1 : event + 1;
    return WriteFile(
        paths_.Extra(ChecklistName(other, "SJIS")),
        CurrentChecklistText(catalog_, OtherEventEntries(catalog_), other, "Shift_JIS"));
  }

  static std::string ChecklistName(int event, const char* suffix) {
    return "CHECK" + std::to_string(event) + "_" + suffix + ".CSV";
  }

  const SampleOptions& options_;
  DiscPaths paths_;
  std::string& error_;
  const PngEncodeFunction& encode_;
  mutable std::mutex encodeMutex_;
  mutable std::string encodeError_;
  Catalog catalog_;
  PagePictures pagePictures_;
  std::set<int> corrected_;
  std::vector<int> unplaced_;
};

}  // namespace

bool PrepareOutputFolder(const fs::path& out, std::string& error) {
  std::error_code ec;
  if (!fs::exists(out, ec)) {
    fs::create_directories(out, ec);
    if (ec) error = out.string() + ": cannot create the folder: " + ec.message();
    return !ec;
  }
  if (!fs::is_directory(out, ec)) {
    error = out.string() + ": exists and is not a folder";
    return false;
  }
  if (fs::is_empty(out, ec)) return true;
  if (!HoldsSampleDisc(out)) {
    error = out.string() +
            ": the folder is not empty and holds no earlier sample disc; not overwriting it";
    return false;
  }
  return RemoveEarlierSample(out, error);
}

bool WriteSampleDisc(const SampleOptions& options, DiscSummary& summary, std::string& error,
                     const PngEncodeFunction& encode) {
  error.clear();
  if (!PrepareOutputFolder(options.outDir, error)) return false;
  DiscWriter writer(options, error, encode);
  return writer.Run(summary);
}

}  // namespace vx::sampledisc
