// Page images written as PNG files (no encoder options) and JPEG files (4:4:4 sampling), straight
// from the image's rows: no second copy of a page is made. A failure is reported (label
// "E_WicWrite", title "LOG_Error"), the partial file is removed and a negative value returned.
#pragma once

#include <filesystem>

#include "print/DibImage.h"

namespace vx {

// 24-bit images only; 0 when written.
int PageImage_WritePng(const std::filesystem::path& path, const DibImage& image);
// `quality` 1..100 as the encoder's quality scale.
int PageImage_WriteJpeg(const std::filesystem::path& path, const DibImage& image, int quality);

}  // namespace vx
