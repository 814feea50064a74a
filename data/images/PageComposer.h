// Builds one catalogue page from a cut archive: a caption band naming the page's day, hall and
// spaces, then six rows of six cuts with block titles and errata pictures in the empty cells.
#pragma once

#include <QFont>
#include <QImage>
#include <span>
#include <string>

#include "data/CircleRecord.h"
#include "data/images/CutArchive.h"
#include "data/images/PageQueries.h"

class QPainter;

namespace vx {

// "13日（土）東 ア5～ア6": the day and hall of the page's first circle, its first space and the
// last circle's space (CP932); "" for a page without circles.
std::string PageCaption(std::span<const CircleRecord> records, const PageQueries& queries);

class PageComposer {
 public:
  // `override` may be null; both archives must outlive the composer.
  PageComposer(CutArchive& archive, CutArchive* override, const PageQueries& queries);

  // The 24-bit page, `band` pixels of caption above the grid; `records` hold one circle per cell
  // in cell order (id 0 for an empty cell). Null when the archive's cut size cannot make a page.
  QImage Compose(int page, std::span<const CircleRecord> records, int band);

 private:
  // Where the walk over the cells stands: the desk half that the current cell would hold.
  struct DeskPosition {
    int day = 0;
    int blockId = 0;
    int spaceNo = 0;
    int spaceNoSub = 0;
    void Advance();
  };

  void DrawCaption(QPainter& painter, int page, std::span<const CircleRecord> records, int band);
  void DrawCells(QPainter& painter, std::span<const CircleRecord> records, int band);
  void DrawCircleCell(QPainter& painter, const CircleRecord& circle, const QRect& cell);
  void DrawErrataCell(QPainter& painter, const QRect& cell);
  bool IsBlockTitleCell(std::span<const CircleRecord> records, int index) const;
  QImage CircleCut(const CircleRecord& circle);
  const QImage& GenericErrata();
  static DeskPosition StartPosition(std::span<const CircleRecord> records);

  CutArchive& archive_;
  CutArchive* override_;
  const PageQueries& queries_;
  int cutW_ = 0;
  int cutH_ = 0;
  QRect markSquare_;  // within a cell
  QFont numberFont_;
  DeskPosition position_;
  int maxSpaceDay_ = 0;
  int maxSpaceBlock_ = 0;
  int maxSpaceNo_ = 0;
  bool genericErrataLoaded_ = false;
  QImage genericErrata_;
};

}  // namespace vx
