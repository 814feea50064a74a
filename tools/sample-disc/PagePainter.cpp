#include "tools/sample-disc/PagePainter.h"

#include <QPainter>

#include "tools/sample-disc/PaintKit.h"

namespace vx::sampledisc {
namespace {

QString Japanese(const char* utf8) { return QString::fromUtf8(utf8); }

const Circle* CellCircle(const Catalog& catalog, const PageCell& cell) {
  return cell.kind == PageCell::kCircle ? &catalog.circles[cell.circleIndex] : nullptr;
}

QString BlockSpace(const Catalog& catalog, const Circle& circle) {
  return ToQString(catalog.BlockById(circle.blockId).name) + QString::number(circle.spaceNo);
}

QRect CellRect(const Geometry& g, int index) {
  const int column = index % Geometry::kColumns;
  const int row = index / Geometry::kColumns;
  return QRect(g.pageOriginX + column * g.cutW, g.pageOriginY + row * g.cutH, g.cutW, g.cutH);
}

void DrawCell(QPainter& painter, const Catalog& catalog, const CatalogPage& page, int index,
              const std::vector<QImage>& cuts, const PagePictures& pictures) {
  const PageCell& cell = page.cells[index];
  const QRect rect = CellRect(catalog.geometry, index);
  switch (cell.kind) {
    case PageCell::kCircle: {
      const QImage& cut =
          catalog.circles[cell.circleIndex].name.empty() ? pictures.genericErrata : cuts[index];
      painter.drawImage(rect.topLeft(), cut);
      return;
    }
    case PageCell::kBlockTitle:
      painter.drawImage(rect.topLeft(), pictures.blockTitles[cell.blockId - 1]);
      return;
    case PageCell::kVacancy:
      painter.drawImage(rect.topLeft(), cell.jikoNo > 0 ? pictures.errata[cell.jikoNo - 1]
                                                        : pictures.genericErrata);
      return;
    case PageCell::kTitleTail:
    case PageCell::kEmpty:
      return;
  }
}

// The cut grid: a frame per cell, one frame over both cells of a block title.
void DrawGrid(QPainter& painter, const Catalog& catalog, const CatalogPage& page) {
  painter.setPen(QPen(QColor(160, 160, 160), 1));
  painter.setBrush(Qt::NoBrush);
  for (int i = 0; i < Geometry::kCellsPerPage; ++i) {
    const PageCell::Kind kind = page.cells[i].kind;
    if (kind == PageCell::kTitleTail) continue;
    QRect rect = CellRect(catalog.geometry, i);
    if (kind == PageCell::kBlockTitle) rect.setWidth(2 * rect.width());
    painter.drawRect(rect);
  }
}

}  // namespace

QSize PageFileSize(const Geometry& g) {
  return QSize(2 * g.pageOriginX + Geometry::kColumns * g.cutW,
               g.pageOriginY + Geometry::kRows * g.cutH + g.pageFooter);
}

QString PageCaption(const Catalog& catalog, const CatalogPage& page) {
  const Circle* first = nullptr;
  const Circle* last = nullptr;
  for (const PageCell& cell : page.cells) {
    const Circle* circle = CellCircle(catalog, cell);
    if (!circle) continue;
    if (!first) first = circle;
    last = circle;
  }
  if (!first) return {};
  static const char* const kDays[] = {"", "日", "月", "火", "水", "木", "金", "土"};
  const EventDay& day = catalog.DayById(first->day);
  const HallArea& area = catalog.AreaById(catalog.BlockById(first->blockId).areaId);
  QString caption = QString::number(day.day) + Japanese("日（") + Japanese(kDays[day.weekday]) +
                    Japanese("）") + ToQString(area.name) + QLatin1Char(' ') +
                    BlockSpace(catalog, *first) + Japanese("～");
  if (last != first) caption += BlockSpace(catalog, *last);
  return caption;
}

QImage DrawPageFile(const Catalog& catalog, const CatalogPage& page,
                    const std::vector<QImage>& cuts, const PagePictures& pictures) {
  const Geometry& g = catalog.geometry;
  const QSize size = PageFileSize(g);
  QImage image = WhiteImage(size.width(), size.height());
  QPainter painter(&image);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setPen(Qt::black);
  const Qt::Alignment side = page.pageNo % 2 == 1 ? Qt::AlignRight : Qt::AlignLeft;
  DrawFittedText(painter, QRect(g.pageOriginX, 4, Geometry::kColumns * g.cutW, g.captionBand - 8),
                 PageCaption(catalog, page), g.captionBand - 12, true, side | Qt::AlignVCenter);
  for (int i = 0; i < Geometry::kCellsPerPage; ++i)
    DrawCell(painter, catalog, page, i, cuts, pictures);
  DrawGrid(painter, catalog, page);
  DrawFittedText(painter, QRect(0, size.height() - g.pageFooter, size.width(), g.pageFooter),
                 QStringLiteral("- %1 -").arg(page.pageNo), 12, false);
  painter.end();
  return ToGrey(image);
}

}  // namespace vx::sampledisc
