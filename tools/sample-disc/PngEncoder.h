// PNG bytes of a picture, written the same way every time (no time stamps, fixed settings).
#pragma once

#include <functional>
#include <string>

class QImage;

namespace vx::sampledisc {

// Grey pictures are written as 8-bit grey, others as RGB or RGBA as their format says. Fast
// compression: the catalogue has tens of thousands of pictures. Empty when the picture cannot be
// encoded (a null picture, no memory).
std::string EncodePng(const QImage& image);

using PngEncodeFunction = std::function<std::string(const QImage&)>;

}  // namespace vx::sampledisc
