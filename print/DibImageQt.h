// The image library's edge to Qt: page images become QImages for the preview, image files and
// the printer, and pictures drawn by Qt come back as 24-bit images.
#pragma once

#include <QImage>

#include "print/DibImage.h"

namespace vx {

// An image of 1, 4, 8, 16 or 24 bits as an RGB32 picture, upright; a null picture for another
// depth.
QImage DibImage_ToQImage(const DibImage& image);
// The picture as a 24-bit image (alpha dropped); null when it is null or too large.
DibImagePtr DibImage_FromQImage(const QImage& picture);
// Copies the picture into a 24-bit image of the same size (nothing when the sizes differ).
void DibImage_CopyFromQImage(DibImage& image24, const QImage& picture);

}  // namespace vx
