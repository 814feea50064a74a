// Page images written as PNG files (no encoder options) and JPEG files (4:4:4 sampling), straight
// from the image's rows: no second copy of a page is made. A failure removes the partial file and
// answers a negative value, with the reason (CP932) in `failure` when one is given; the caller
// tells the user.
#pragma once

#include <filesystem>
#include <string>

#include "print/DibImage.h"

namespace vx {

// 24-bit images only; 0 when written.
int PageImage_WritePng(const std::filesystem::path& path, const DibImage& image,
                       std::string* failure = nullptr);
// `quality` 1..100 as the encoder's quality scale.
int PageImage_WriteJpeg(const std::filesystem::path& path, const DibImage& image, int quality,
                        std::string* failure = nullptr);

}  // namespace vx
