#include "data/images/CatalogImages.h"

#include <QPainter>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <system_error>

#include "data/PavorunDatabase.h"
#include "data/images/CatalogPageFacts.h"
#include "data/images/PageComposer.h"
#include "data/images/PngBitmap.h"
#include "platform/Paths.h"

namespace vx {
namespace {

// `value` when it lies in min..max, else 0.
int Bounded(int value, int min, std::uint32_t max) {
  return value >= min && static_cast<std::uint32_t>(value) <= max ? value : 0;
}

int Saturated(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

std::string ArchiveName(int event, const char* kind) {
  char name[64];
  std::snprintf(name, sizeof name, "V%03d%s.CCZ", event, kind);
  return name;
}

std::string PageFileName(int page) {
  char name[64];
  std::snprintf(name, sizeof name, "PDATA/%04d.PNG", page);
  return name;
}

bool IsDirectoryIn(const std::filesystem::path& folder, std::string_view relative) {
  const auto path = ResolveCaseInsensitive(folder, relative);
  std::error_code error;
  return path && std::filesystem::is_directory(*path, error);
}

bool IsFileIn(const std::filesystem::path& folder, std::string_view relative) {
  const auto path = ResolveCaseInsensitive(folder, relative);
  std::error_code error;
  return path && std::filesystem::exists(*path, error) &&
         !std::filesystem::is_directory(*path, error);
}

// An archive that is there but cannot serve is named, so that its owner knows which file to
// replace; the other sources show the pictures they hold.
std::unique_ptr<CutArchive> OpenArchive(const std::filesystem::path& folder, int event,
                                        const char* kind) {
  const auto path = ResolveCaseInsensitive(folder, ArchiveName(event, kind));
  if (!path) return nullptr;
  std::unique_ptr<CutArchive> archive = CutArchive::Open(*path);
  if (!archive) {
    std::fprintf(stderr, "%s: damaged cut archive, skipped\n", path->c_str());
  }
  return archive;
}

void DrawScaled(QPainter& painter, const QRectF& target, const QImage& image, const QRect& source) {
  const QRect from = source.isNull() ? image.rect() : source;
  if (target.size() == QSizeF(from.size())) {
    painter.drawImage(target.topLeft(), image, from);
    return;
  }
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, image, from);
  painter.restore();
}

}  // namespace

bool HasImageData(const std::filesystem::path& folder, int event) {
  const bool pictures = IsDirectoryIn(folder, "PDATA") ||
                        IsFileIn(folder, ArchiveName(event, "CUTL")) ||
                        IsFileIn(folder, ArchiveName(event, "CUTH"));
  return pictures && IsDirectoryIn(folder, "MDATA");
}

CatalogImages::~CatalogImages() { Close(); }

void CatalogImages::Open(const std::filesystem::path& folder, int event) {
  std::lock_guard lock(mutex_);
  if (folder == folder_ && event == event_) return;
  CloseLocked();
  lowRes_ = OpenArchive(folder, event, "CUTL");
  lowResOverride_ = OpenArchive(folder, event, "CUTLP");
  highResPending_ = true;
  folder_ = folder;
  event_ = event;
}

void CatalogImages::Close() {
  std::lock_guard lock(mutex_);
  CloseLocked();
}

void CatalogImages::CloseLocked() {
  currentPageImage_ = QImage();
  currentPage_ = 0;
  pageFile_ = QImage();
  pageFileNumber_ = 0;
  highRes_.reset();
  lowRes_.reset();
  highResOverride_.reset();
  lowResOverride_.reset();
  highResPending_ = false;
  folder_.clear();
  event_ = 0;
}

// The geometry comes from the catalogue's definition file: values no page file can have count as
// none, so that no later product overflows.
void CatalogImages::SetCutGeometry(int originX, int originY, int sizeW, int sizeH, int offsetX,
                                   int offsetY) {
  std::lock_guard lock(mutex_);
  cutOriginX_ = Bounded(originX, 0, kMaxPictureSide);
  cutOriginY_ = Bounded(originY, 0, kMaxPictureSide);
  cutSizeW_ = Bounded(sizeW, 1, kMaxCutSide);
  cutSizeH_ = Bounded(sizeH, 1, kMaxCutSide);
  cutOffsetX_ = offsetX;
  cutOffsetY_ = offsetY;
}

void CatalogImages::SetCutGeometry(const EventInfo& info) {
  SetCutGeometry(info.cutOriginX, info.cutOriginY, info.cutSizeW, info.cutSizeH, info.cutOffsetX,
                 info.cutOffsetY);
}

std::filesystem::path CatalogImages::GetFolder() const {
  std::lock_guard lock(mutex_);
  return folder_;
}

bool CatalogImages::HasLowResArchive() const {
  std::lock_guard lock(mutex_);
  return lowRes_ != nullptr;
}

bool CatalogImages::HasHighResArchive() const {
  std::lock_guard lock(mutex_);
  return HighResLocked() != nullptr;
}

// The high-resolution archives are opened when first asked for: while low-resolution cuts are on
// screen, start-up need not index them.
CutArchive* CatalogImages::HighResLocked() const {
  if (highResPending_) {
    highRes_ = OpenArchive(folder_, event_, "CUTH");
    highResOverride_ = OpenArchive(folder_, event_, "CUTHP");
    highResPending_ = false;
  }
  return highRes_.get();
}

int CatalogImages::GetCutWidth(bool hiRes) const {
  std::lock_guard lock(mutex_);
  return CutWidthLocked(hiRes);
}

int CatalogImages::GetCutHeight(bool hiRes) const {
  std::lock_guard lock(mutex_);
  return CutHeightLocked(hiRes);
}

int CatalogImages::CutWidthLocked(bool hiRes) const {
  if ((hiRes || !lowRes_) && HighResLocked()) return highRes_->CutWidth();
  return lowRes_ ? lowRes_->CutWidth() : cutSizeW_;
}

int CatalogImages::CutHeightLocked(bool hiRes) const {
  if ((hiRes || !lowRes_) && HighResLocked()) return highRes_->CutHeight();
  return lowRes_ ? lowRes_->CutHeight() : cutSizeH_;
}

// Composed pages start their grid at the left edge, below the caption band.
int CatalogImages::CutOriginXLocked() const {
  return (lowRes_ || HighResLocked()) ? 0 : cutOriginX_;
}

int CatalogImages::CutOriginYLocked(bool hiRes) const {
  if (!hiRes && lowRes_) return kHeaderBand;
  if (HighResLocked()) return 2 * kHeaderBand;
  return lowRes_ ? kHeaderBand : cutOriginY_;
}

CutRect CatalogImages::GetCutRect(int index, bool hiRes) const {
  std::lock_guard lock(mutex_);
  const int w = CutWidthLocked(hiRes);
  const int h = CutHeightLocked(hiRes);
  const int column = index % kColumns;
  const std::int64_t row = index / kColumns;
  return {CutOriginXLocked() + column * w, Saturated(row * h + CutOriginYLocked(hiRes)), w, h};
}

int CatalogImages::HitTestCut(int x, int y, bool hiRes) const {
  std::lock_guard lock(mutex_);
  const int ox = CutOriginXLocked();
  const int oy = CutOriginYLocked(hiRes);
  const int w = CutWidthLocked(hiRes);
  const int h = CutHeightLocked(hiRes);
  if (w <= 0 || h <= 0) return -1;
  if (x < ox || y < oy || x >= ox + kColumns * w || y >= oy + kRows * h) return -1;
  return (x - ox) / w + ((y - oy) / h) * kColumns;
}

QImage CatalogImages::GetPageImage(int page, const PageQueries& queries,
                                   std::span<const CircleRecord> records, bool hiRes) {
  std::lock_guard lock(mutex_);
  if (page == currentPage_ && hiRes == currentHiRes_ && !currentPageImage_.isNull()) {
    return currentPageImage_;
  }
  currentPageImage_ = QImage();
  currentPage_ = page;
  currentHiRes_ = hiRes;
  if ((hiRes || !lowRes_) && HighResLocked()) {
    currentPageImage_ = PageComposer(*highRes_, highResOverride_.get(), queries)
                            .Compose(page, records, 2 * kHeaderBand);
  } else if (lowRes_) {
    currentPageImage_ =
        PageComposer(*lowRes_, lowResOverride_.get(), queries).Compose(page, records, kHeaderBand);
  } else {
    currentPageImage_ = LoadPageFileLocked(page);
  }
  return currentPageImage_;
}

QImage CatalogImages::GetPageImage(int page, PavorunDatabase& database,
                                   std::span<const CircleRecord> records, bool hiRes) {
  const std::shared_ptr<const CatalogPageFacts> facts = PageFactsOf(database);
  return GetPageImage(page, *facts, records, hiRes);
}

// Read again when the database selected another event or reloaded its masters.
std::shared_ptr<const CatalogPageFacts> CatalogImages::PageFactsOf(PavorunDatabase& database) {
  const FactsSource source{&database, database.GetEventNo(), database.GetDateMaster().Generation(),
                           database.GetBlockMaster().Generation()};
  std::lock_guard lock(factsMutex_);
  if (!facts_ || !(factsSource_ == source)) {
    facts_ = CatalogPageFacts::Read(database);
    factsSource_ = source;
  }
  return facts_;
}

bool CatalogImages::HasPageImage() const {
  std::lock_guard lock(mutex_);
  return !currentPageImage_.isNull();
}

int CatalogImages::GetPageImageWidth() const {
  std::lock_guard lock(mutex_);
  return currentPageImage_.width();
}

int CatalogImages::GetPageImageHeight() const {
  std::lock_guard lock(mutex_);
  return currentPageImage_.height();
}

QImage CatalogImages::GetCurrentPageImage() const {
  std::lock_guard lock(mutex_);
  return currentPageImage_;
}

void CatalogImages::DrawPageImage(QPainter& painter, const QRectF& rect) const {
  const QImage page = GetCurrentPageImage();
  if (!page.isNull()) DrawScaled(painter, rect, page, QRect());
}

QImage CatalogImages::LoadPageFileLocked(int page) {
  if (page == pageFileNumber_ && !pageFile_.isNull()) return pageFile_;
  pageFile_ = QImage();
  pageFileNumber_ = page;
  const auto path = PageFilePathLocked(page);
  if (path) pageFile_ = LoadImageFile(*path);
  return pageFile_;
}

// A pipe or a device in place of a page picture is named once; the page is asked for again at
// every paint.
std::optional<std::filesystem::path> CatalogImages::PageFilePathLocked(int page) {
  const auto path = ResolveCaseInsensitive(folder_, PageFileName(page));
  std::error_code error;
  if (!path || std::filesystem::is_regular_file(*path, error)) return path;
  if (refusedPictures_.insert(*path).second) {
    std::fprintf(stderr, "%s: damaged picture, skipped\n", path->c_str());
  }
  return std::nullopt;
}

// Decoded outside the lock: start-up decodes the cover while it composes the first page.
QImage CatalogImages::LoadCoverImage() {
  for (const bool high : {true, false}) {
    std::optional<std::string> bytes;
    {
      std::lock_guard lock(mutex_);
      CutArchive* archive = high ? HighResLocked() : lowRes_.get();
      if (archive) bytes = archive->ReadEntry("0001.PNG");
    }
    if (!bytes) continue;
    QImage cover = LoadImageFromMemory(*bytes);
    if (!cover.isNull()) return cover;
  }
  std::optional<std::filesystem::path> path;
  {
    std::lock_guard lock(mutex_);
    path = PageFilePathLocked(1);
  }
  return path ? LoadImageFile(*path) : QImage();
}

void CatalogImages::DrawCut(QPainter& painter, const CutRect& rect, int page, int cutIndex,
                            int cutNumber, std::uint32_t colorRef, int number) {
  CutPicture picture;
  {
    std::lock_guard lock(mutex_);
    picture = FindCutPicture(rect.w, page, cutIndex, cutNumber);
  }
  if (picture.image.isNull()) {
    painter.fillRect(ToRectF(rect), Qt::white);
  } else {
    DrawScaled(painter, ToRectF(rect), picture.image, picture.source);
  }
  CutRect square = rect;
  CutMarkRect(square);
  if (IsMarkColor(colorRef)) {
    painter.fillRect(ToRectF(square), ColorFromColorRef(colorRef));
  }
  if (number != 0) {
    DrawCentredNumber(painter, ToRectF(square), number, CatalogPGothicFont(square.h * 0.9, true));
  }
}

// The high-resolution archive serves cells wider than a low-resolution cut; the low-resolution
// archive the rest; the page file is the last resort.
CatalogImages::CutPicture CatalogImages::FindCutPicture(int rectWidth, int page, int cutIndex,
                                                        int cutNumber) {
  if ((!lowRes_ || rectWidth > lowRes_->CutWidth()) && HighResLocked()) {
    QImage cut = ArchiveCut(*highRes_, highResOverride_.get(), cutNumber);
    if (!cut.isNull()) return {cut, QRect()};
  }
  if (lowRes_) {
    QImage cut = ArchiveCut(*lowRes_, lowResOverride_.get(), cutNumber);
    if (!cut.isNull()) return {cut, QRect()};
  }
  return PageFileCut(page, cutIndex);
}

QImage CatalogImages::ArchiveCut(CutArchive& archive, CutArchive* override, int cutNumber) {
  if (cutNumber < 0) return archive.LoadImage("JIKO.PNG");
  if (override) {
    QImage cut = override->LoadCut(cutNumber);
    if (!cut.isNull()) return cut;
  }
  return archive.LoadCut(cutNumber);
}

CatalogImages::CutPicture CatalogImages::PageFileCut(int page, int cutIndex) {
  if (page < 1 || cutIndex < 1 || cutSizeW_ <= 0 || cutSizeH_ <= 0) return {};
  QImage pageImage = LoadPageFileLocked(page);
  if (pageImage.isNull()) return {};
  const int column = (cutIndex - 1) % kColumns;
  const int row = (cutIndex - 1) / kColumns;
  return {pageImage, QRect(column * cutSizeW_ + cutOriginX_, row * cutSizeH_ + cutOriginY_,
                           cutSizeW_, cutSizeH_)};
}

}  // namespace vx
