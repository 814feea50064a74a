#include "print/MapPictureFile.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "print/PrintEngine.h"

namespace vx {
namespace {

bool IsBmpName(std::string_view name) {
  if (name.size() < 4) return false;
  std::string tail(name.substr(name.size() - 4));
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return tail == ".BMP";
}

}  // namespace

DibImagePtr MapPicture_Load(std::string_view name) {
  const std::filesystem::path path = PrintEngine_ImagePath(name);
  return IsBmpName(name) ? DibImage_LoadBmp(path) : DibImage_LoadPng(path);
}

DibImagePtr DibImage_To24(const DibImage& image) {
  const int width = DibImage_Width(image);
  const int height = DibImage_Height(image);
  DibImagePtr copy = DibImage_Create(24, width, height);
  if (copy) DibImage_Blit(*copy, 0, 0, width, height, image, 0, 0, kDibSet);
  return copy;
}

}  // namespace vx
