// The state images of a circle list's rows: image 0 empty (memo only), image i the swatch of check
// colour i, as high as the rows so that a cut column shows whole cuts.
#pragma once

#include <QIcon>

#include <vector>

namespace vx {

class CatalogController;

class RowSwatches {
 public:
  static constexpr int kWidth = 16;
  static constexpr int kDefaultHeight = 16;

  // As high as a cut shown in a column that wide (a wider column shows the cut at its own size);
  // kDefaultHeight without a cut column or cut pictures.
  static int Height(int cutColumnWidth, int cutWidth, int cutHeight);
  // The empty image, then one swatch per check colour of the current checklist.
  static std::vector<QIcon> Build(const CatalogController& controller, int height);
};

}  // namespace vx
