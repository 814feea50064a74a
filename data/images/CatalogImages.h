// The pictures of one event: its cut-image archives (low and high resolution, each with an
// override archive) and its folder of page files. Answers where cuts sit on a page, which cut lies
// under a point, what a page looks like (composed from the archives, else the page file) and draws
// single cuts with their check-colour marks.
//
// Safe to use from several threads: one lock guards the archives and the kept pictures, and
// pictures are handed out as values.
#pragma once

#include <QImage>
#include <QRectF>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <span>

#include "data/CircleRecord.h"
#include "data/EventInfo.h"
#include "data/images/CutArchive.h"
#include "data/images/CutDrawing.h"
#include "data/images/PageQueries.h"

class QPainter;

namespace vx {

class CatalogPageFacts;
class PavorunDatabase;

// True when `folder` holds the image data of `event`: page files or a main cut archive, and the
// map folder. Names are matched without regard to case.
bool HasImageData(const std::filesystem::path& folder, int event);

class CatalogImages {
 public:
  static constexpr int kHeaderBand = 40;  // caption band of a low-resolution composed page
  static constexpr int kColumns = 6;
  static constexpr int kRows = 6;

  CatalogImages() = default;
  ~CatalogImages();
  CatalogImages(const CatalogImages&) = delete;
  CatalogImages& operator=(const CatalogImages&) = delete;

  // Opens the archives of `event` in `folder` (missing ones stay absent); nothing happens when
  // both equal the ones open now.
  void Open(const std::filesystem::path& folder, int event);
  void Close();
  // Where cuts sit on the page files (from the event information). A size outside
  // 1..kMaxCutSide or an origin outside 0..kMaxPictureSide counts as 0.
  void SetCutGeometry(int originX, int originY, int sizeW, int sizeH, int offsetX, int offsetY);
  void SetCutGeometry(const EventInfo& info);

  std::filesystem::path GetFolder() const;
  bool HasLowResArchive() const;
  bool HasHighResArchive() const;

  // One cut's size, for the pages as GetPageImage makes them.
  int GetCutWidth(bool hiRes) const;
  int GetCutHeight(bool hiRes) const;
  // `index` counts from 0, row by row over six columns.
  CutRect GetCutRect(int index, bool hiRes) const;
  // The 0-based cell under page point (x, y), or -1.
  int HitTestCut(int x, int y, bool hiRes) const;

  // Makes `page` current and answers its picture: composed from the high-resolution archive when
  // it is asked for (or the only one), else from the low-resolution archive, else the page file.
  // `records` hold the page's circles in cell order (id 0 for an empty cell). The picture is kept
  // until the page or the resolution changes; null when no source gives one.
  QImage GetPageImage(int page, const PageQueries& queries, std::span<const CircleRecord> records,
                      bool hiRes);
  // The same with the answers of the database's current event, taken from a copy
  // (CatalogPageFacts) that is read once per event: the first page of an event must be composed
  // on the database's thread; later ones, from any thread, never touch the database.
  QImage GetPageImage(int page, PavorunDatabase& database, std::span<const CircleRecord> records,
                      bool hiRes);
  bool HasPageImage() const;
  int GetPageImageWidth() const;
  int GetPageImageHeight() const;
  QImage GetCurrentPageImage() const;
  // The current page picture scaled into `rect`; nothing without one.
  void DrawPageImage(QPainter& painter, const QRectF& rect) const;

  // Catalogue page 1 for the splash window; null when no source has it.
  QImage LoadCoverImage();

  // Draws one cut into `rect`, then its mark: `page` and `cutIndex` (from 1) locate it on a page
  // file, `cutNumber` names the archive entry (the circle's updateId; -1 draws the generic
  // picture of a circle without a name). The mark square is filled with `colorRef` when it is a
  // mark colour (IsMarkColor), and shows `number` unless it is 0.
  void DrawCut(QPainter& painter, const CutRect& rect, int page, int cutIndex, int cutNumber,
               std::uint32_t colorRef, int number);

 private:
  // A cut picture and the part of it to draw (the whole picture when `source` is null).
  struct CutPicture {
    QImage image;
    QRect source;
  };

  void CloseLocked();
  CutArchive* HighResLocked() const;
  int CutWidthLocked(bool hiRes) const;
  int CutHeightLocked(bool hiRes) const;
  int CutOriginXLocked() const;
  int CutOriginYLocked(bool hiRes) const;
  // The page file of `page`, kept for one page number; null when missing.
  QImage LoadPageFileLocked(int page);
  // Where the page file of `page` is; nothing when it is missing or no regular file.
  std::optional<std::filesystem::path> PageFilePathLocked(int page);
  CutPicture FindCutPicture(int rectWidth, int page, int cutIndex, int cutNumber);
  QImage ArchiveCut(CutArchive& archive, CutArchive* override, int cutNumber);
  CutPicture PageFileCut(int page, int cutIndex);
  std::shared_ptr<const CatalogPageFacts> PageFactsOf(PavorunDatabase& database);

  mutable std::mutex mutex_;
  int cutOriginX_ = 0;
  int cutOriginY_ = 0;
  int cutSizeW_ = 0;
  int cutSizeH_ = 0;
  int cutOffsetX_ = 0;
  int cutOffsetY_ = 0;
  std::filesystem::path folder_;
  int event_ = 0;
  mutable std::unique_ptr<CutArchive> highRes_;
  std::unique_ptr<CutArchive> lowRes_;
  mutable std::unique_ptr<CutArchive> highResOverride_;
  std::unique_ptr<CutArchive> lowResOverride_;
  mutable bool highResPending_ = false;  // Open named them; not looked at yet
  int pageFileNumber_ = 0;
  QImage pageFile_;
  std::set<std::filesystem::path> refusedPictures_;  // named on stderr already
  int currentPage_ = 0;
  bool currentHiRes_ = false;
  QImage currentPageImage_;

  // The copy of the last database's page facts and what it was read for; a lock of its own, so
  // that composing one page never waits for the copy of another event.
  struct FactsSource {
    const PavorunDatabase* database = nullptr;
    int event = 0;
    unsigned dateGeneration = 0;
    unsigned blockGeneration = 0;
    friend bool operator==(const FactsSource&, const FactsSource&) = default;
  };
  std::mutex factsMutex_;
  FactsSource factsSource_;
  std::shared_ptr<const CatalogPageFacts> facts_;
};

}  // namespace vx
