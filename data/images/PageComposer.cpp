#include "data/images/PageComposer.h"

#include <QPainter>
#include <cstdio>

#include "data/Weekday.h"
#include "data/images/CatalogImages.h"
#include "data/images/CutDrawing.h"
#include "data/images/PngBitmap.h"
#include "platform/CodePage.h"

namespace vx {
namespace {

constexpr int kColumns = CatalogImages::kColumns;
constexpr int kRows = CatalogImages::kRows;
constexpr int kCells = kColumns * kRows;
// The largest page the largest cuts make, caption band included.
constexpr std::int64_t kMaxPagePixels =
    std::int64_t{kColumns} * kMaxCutSide *
    (std::int64_t{kRows} * kMaxCutSide + 2 * CatalogImages::kHeaderBand);

const CircleRecord* CellCircle(std::span<const CircleRecord> records, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= records.size()) return nullptr;
  const CircleRecord& record = records[static_cast<std::size_t>(index)];
  return record.id != 0 ? &record : nullptr;
}

int FirstOccupied(std::span<const CircleRecord> records) {
  for (int i = 0; i < kCells; ++i) {
    if (CellCircle(records, i)) return i;
  }
  return -1;
}

std::string EntryName(const char* format, int number) {
  char name[32];
  std::snprintf(name, sizeof name, format, number);
  return name;
}

void DrawInto(QPainter& painter, const QRect& target, const QImage& picture) {
  if (picture.isNull()) return;
  if (picture.size() == target.size()) {
    painter.drawImage(target.topLeft(), picture);
  } else {
    painter.drawImage(target, picture);
  }
}

}  // namespace

std::string PageCaption(std::span<const CircleRecord> records, const PageQueries& queries) {
  const int first = FirstOccupied(records);
  if (first < 0) return {};
  const CircleRecord& head = records[static_cast<std::size_t>(first)];
  std::string caption = std::to_string(queries.GetDateOfDay(head.day)) + Sjis("日（") +
                        GetWeekdayShortName(queries.GetWeekdayOfDay(head.day)) + Sjis("）") +
                        queries.GetAreaNameOfBlock(head.blockId) + " " +
                        queries.GetBlockName(head.blockId) + std::to_string(head.spaceNo) +
                        Sjis("\xEF\xBD\x9E");  // FULLWIDTH TILDE, CP932 0x8160
  for (int i = kCells - 1; i >= 1; --i) {
    if (const CircleRecord* tail = CellCircle(records, i)) {
      caption += queries.GetBlockName(tail->blockId) + std::to_string(tail->spaceNo);
      break;
    }
  }
  return caption;
}

PageComposer::PageComposer(CutArchive& archive, CutArchive* override, const PageQueries& queries)
    : archive_(archive),
      override_(override),
      queries_(queries),
      cutW_(archive.CutWidth()),
      cutH_(archive.CutHeight()) {
  CutRect mark{0, 0, cutW_, cutH_};
  CutMarkRect(mark);
  markSquare_ = QRect(mark.x, mark.y, mark.w, mark.h);
  numberFont_ = CatalogPGothicFont(mark.h * 0.9, true);
}

QImage PageComposer::Compose(int page, std::span<const CircleRecord> records, int band) {
  if (cutW_ <= 0 || cutH_ <= 0 || band < 0) return {};
  const std::int64_t width = std::int64_t{kColumns} * cutW_;
  const std::int64_t height = std::int64_t{kRows} * cutH_ + band;
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPagePixels) {
    return {};
  }
  // Drawn in 32 bits, where Qt's painting is fastest, and handed out as 24-bit RGB.
  QImage picture(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
  if (picture.isNull()) return {};
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  DrawCaption(painter, page, records, band);
  DrawCells(painter, records, band);
  painter.end();
  return picture.convertToFormat(QImage::Format_RGB888);
}

// Right-aligned on odd pages, left-aligned on even ones: the outer edge of a printed spread.
void PageComposer::DrawCaption(QPainter& painter, int page, std::span<const CircleRecord> records,
                               int band) {
  const std::string caption = PageCaption(records, queries_);
  if (caption.empty() || band <= 0) return;
  painter.save();
  painter.setFont(CatalogPGothicFont(band, false));
  painter.setPen(Qt::black);
  const Qt::Alignment side = (page % 2 != 0) ? Qt::AlignRight : Qt::AlignLeft;
  painter.drawText(QRectF(0, 0, painter.device()->width(), band), side | Qt::AlignTop,
                   QString::fromStdString(Cp932ToUtf8(caption)));
  painter.restore();
}

PageComposer::DeskPosition PageComposer::StartPosition(std::span<const CircleRecord> records) {
  const int first = FirstOccupied(records);
  if (first < 0) return {};
  const CircleRecord& head = records[static_cast<std::size_t>(first)];
  return {head.day, head.blockId, head.spaceNo - first / 2, 0};
}

void PageComposer::DeskPosition::Advance() {
  if (spaceNoSub == 0) {
    spaceNoSub = 1;
  } else {
    spaceNoSub = 0;
    ++spaceNo;
  }
}

void PageComposer::DrawCells(QPainter& painter, std::span<const CircleRecord> records, int band) {
  position_ = StartPosition(records);
  maxSpaceDay_ = maxSpaceBlock_ = maxSpaceNo_ = 0;
  for (int index = 0; index < kCells; ++index) {
    const int column = index % kColumns;
    const QRect cell(column * cutW_, band + (index / kColumns) * cutH_, cutW_, cutH_);
    if (const CircleRecord* circle = CellCircle(records, index)) {
      DrawCircleCell(painter, *circle, cell);
    } else if (IsBlockTitleCell(records, index)) {
      const CircleRecord& first = *CellCircle(records, index + 2);
      DrawInto(painter, QRect(cell.x(), cell.y(), 2 * cutW_, cutH_),
               archive_.LoadImage(EntryName("B%03d.PNG", first.blockId)));
      position_ = {};
      ++index;  // the title covers the next cell too
    } else {
      if (index != 0) position_.Advance();
      DrawErrataCell(painter, cell);
    }
  }
}

void PageComposer::DrawCircleCell(QPainter& painter, const CircleRecord& circle,
                                  const QRect& cell) {
  DrawInto(painter, cell, CircleCut(circle));
  position_ = {circle.day, circle.blockId, circle.spaceNo, circle.spaceNoSub};
  if (circle.spaceNoSub == 0) {
    DrawCentredNumber(painter, markSquare_.translated(cell.topLeft()), circle.spaceNo, numberFont_);
  }
}

// A block starts two cells further on: its title takes this cell and the next.
bool PageComposer::IsBlockTitleCell(std::span<const CircleRecord> records, int index) const {
  if (index % kColumns >= kColumns - 1 || index + 2 >= kCells) return false;
  const CircleRecord* ahead = CellCircle(records, index + 2);
  return ahead && ahead->spaceNo == 1;
}

QImage PageComposer::CircleCut(const CircleRecord& circle) {
  if (circle.circleName.empty()) return archive_.LoadImage("JIKO.PNG");
  if (override_) {
    QImage cut = override_->LoadCut(circle.updateId);
    if (!cut.isNull()) return cut;
  }
  return archive_.LoadCut(circle.updateId);
}

// An empty desk inside a block shows its errata picture, or the generic one.
void PageComposer::DrawErrataCell(QPainter& painter, const QRect& cell) {
  if (position_.day != maxSpaceDay_ || position_.blockId != maxSpaceBlock_) {
    maxSpaceDay_ = position_.day;
    maxSpaceBlock_ = position_.blockId;
    maxSpaceNo_ = queries_.GetMaxSpaceNo(position_.day, position_.blockId);
  }
  if (position_.spaceNo >= maxSpaceNo_) return;
  const int jikoNo =
      queries_.GetJikoNo(position_.day, position_.blockId, position_.spaceNo, position_.spaceNoSub);
  DrawInto(painter, cell,
           jikoNo >= 0 ? archive_.LoadImage(EntryName("JIKO%02d.PNG", jikoNo)) : GenericErrata());
}

const QImage& PageComposer::GenericErrata() {
  if (!genericErrataLoaded_) {
    genericErrata_ = archive_.LoadImage("JIKO.PNG");
    genericErrataLoaded_ = true;
  }
  return genericErrata_;
}

}  // namespace vx
