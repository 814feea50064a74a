// The state images of a circle list's rows: image 0 empty (memo only), image i the swatch of check
// colour i, as high as the rows so that a cut column shows whole cuts.
#pragma once

#include <span>

namespace vx {

class CatalogController;
class ListControl;

class RowSwatches {
 public:
  static constexpr int kWidth = 16;
  static constexpr int kDefaultHeight = 16;

  // As high as a cut shown in a column that wide (a wider column shows the cut at its own size);
  // kDefaultHeight without a cut column or cut pictures.
  static int Height(int cutColumnWidth, int cutWidth, int cutHeight);
  // The swatches of the current checklist's colours become every list's state images, and the
  // rows as high as the swatches (at least as high as a line of text).
  static void Apply(const CatalogController& controller, int cutColumnWidth,
                    std::span<ListControl* const> lists);
};

}  // namespace vx
