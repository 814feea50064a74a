// Draws a catalogue page file (PDATA/%04d.PNG): a caption band, then the six by six grid of
// cuts with block titles over two cells and errata pictures on vacant spaces.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "tools/sample-disc/CatalogModel.h"

namespace vx::sampledisc {

// Low-resolution pictures that pages share.
struct PagePictures {
  QImage genericErrata;
  std::vector<QImage> errata;       // JIKO01.. at index jikoNo - 1
  std::vector<QImage> blockTitles;  // at index blockId - 1
};

QSize PageFileSize(const Geometry& geometry);
// "30日（金）東1 Ａ3～Ｂ4": the day, area and first space of the page and its last space.
QString PageCaption(const Catalog& catalog, const CatalogPage& page);
// `cuts` holds the low-resolution cut of every cell that shows a circle (null elsewhere).
QImage DrawPageFile(const Catalog& catalog, const CatalogPage& page,
                    const std::vector<QImage>& cuts, const PagePictures& pictures);

}  // namespace vx::sampledisc
