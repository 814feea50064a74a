// Pictures of the event's image folder that map pages are made of: hall maps, genre layers and
// outlines, by the names of the job's catalogue tables.
#pragma once

#include <string_view>

#include "print/DibImage.h"

namespace vx {

// The picture: a name ending in ".BMP" (any case) is read as a BMP file, others as PNG; null
// when it cannot be read.
DibImagePtr MapPicture_Load(std::string_view name);
// A 24-bit copy of an image of any depth; null when memory runs out.
DibImagePtr DibImage_To24(const DibImage& image);

}  // namespace vx
