// The page canvas over the job's 24-bit page image: every call composes into the picture with
// the image library, text through the engine's text drawer.
#pragma once

#include <memory>

#include "print/PageCanvas.h"

namespace vx {

class PageImageCanvas final : public PageCanvas {
 public:
  explicit PageImageCanvas(std::shared_ptr<DibImage> page) : page_(std::move(page)) {}

  int BeginPage() override;
  void FillRect(const DibRect& r, ColorRef color) override;
  void DrawLine(int x, int y, int dx, int dy, ColorRef color) override;
  int DrawText(const DibRect& box, std::string_view text, int fontSize, unsigned format,
               TextFlow flow) override;
  int DrawPicture(const DibRect& to, const DibImage& picture, const DibRect& from) override;
  int DrawCircleCut(int circleId, const DibRect& box) override;
  int DrawLeaderLines(const std::vector<LeaderLine>& lines, int widthSetting,
                      bool highResolution) override;
  bool OnPrinter() const override { return false; }

 private:
  std::shared_ptr<DibImage> page_;
};

}  // namespace vx
