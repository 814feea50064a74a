// Draws the pictures of the cut archives: one cut per circle (its space, name, pen name and a
// little artwork), the generic and the numbered errata pictures, block titles and the cover.
// `scale` is 1 for the low-resolution archive and 2 for the high-resolution one.
#pragma once

#include <QImage>

#include "tools/sample-disc/CatalogModel.h"

namespace vx::sampledisc {

// The label of a circle's space as printed on its cut ("金 東Ａ01a"), as UTF-16.
QString SpaceLabel(const Catalog& catalog, const Circle& circle);

QImage DrawCut(const Catalog& catalog, const Circle& circle, int scale, bool corrected);
QImage DrawGenericErrata(const Geometry& geometry, int scale);                 // JIKO.PNG
QImage DrawErrataPicture(const Geometry& geometry, int number, int scale);     // JIKO%02d.PNG
QImage DrawBlockTitle(const Catalog& catalog, const Block& block, int scale);  // B%03d.PNG
QImage DrawCover(const Catalog& catalog, int width, int height);               // 0001.PNG

}  // namespace vx::sampledisc
