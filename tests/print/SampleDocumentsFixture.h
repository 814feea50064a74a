// The five documents over the sample catalogue with a fixed checklist (every seventh circle,
// colours 1..9 in turn, in print colours that tell the marks apart), and how far two pictures
// of a page differ.
#pragma once

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "print/PrintDocuments.h"
#include "print/PrintSelection.h"
#include "tests/print/SampleCatalogFixture.h"

namespace vxtest {

struct DocumentCase {
  const char* name;
  int family;
  int layout;
};

inline constexpr DocumentCase kSampleDocuments[] = {
    {"list", vx::PrintSelection::kFamilyList, 1},           // LIST_0V
    {"circlelist", vx::PrintSelection::kFamilyCutList, 1},  // CIRCLELIST_3H
    {"map", vx::PrintSelection::kFamilyMaps, 2},            // MAP_0H
    {"listmap", vx::PrintSelection::kFamilyMaps, 3},        // LISTMAP_0H
    {"listmap2", vx::PrintSelection::kFamilyMaps, 4},       // LISTMAP2_0H
};

// How far two pictures of a page differ.
struct Difference {
  double meanChannel = 0;  // mean absolute difference per channel
  double farPixels = 0;    // share of pixels with a channel off by more than 48
};

inline Difference Compare(const QImage& a, const QImage& b) {
  Difference d;
  long long sum = 0;
  long long far = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      const int dr = std::abs(qRed(p) - qRed(q));
      const int dg = std::abs(qGreen(p) - qGreen(q));
      const int db = std::abs(qBlue(p) - qBlue(q));
      sum += dr + dg + db;
      far += std::max({dr, dg, db}) > 48;
    }
  }
  const double pixels = static_cast<double>(a.width()) * a.height();
  d.meanChannel = static_cast<double>(sum) / (3 * pixels);
  d.farPixels = static_cast<double>(far) / pixels;
  return d;
}

class SampleDocumentsFixture : public SampleCatalogFixture {
 protected:
  void SetUp() override {
    SampleCatalogFixture::SetUp();
    if (IsSkipped()) return;
    vx::PrintDocuments_Register();
    // Print colours that tell the marks apart (0x00BBGGRR).
    const vx::ColorRef colors[] = {0x3030FF, 0x0080FF, 0x00D0E0, 0x30C030, 0xD0C000,
                                   0xFF6000, 0xC040A0, 0x9070FF, 0x808080};
    for (int i = 0; i < 9; ++i) {
      Store().SetColorDef(i, colors[i], colors[i], vx::Sjis("色") + std::to_string(i + 1));
    }
    CheckFixedCircles();
  }

  // Every seventh circle, colours 1..9 in turn.
  void CheckFixedCircles() {
    int n = 0;
    for (int id = 1; id <= Db().GetMaxCircleId(); id += 7) {
      ASSERT_TRUE(Store().SetColor(id, 1 + n++ % 9));
      checked.push_back(id);
    }
  }

  void SetUpJob(const DocumentCase& c) {
    vx::PrintSelection request;
    request.Reset();
    request.family = c.family;
    request.layout = c.layout;
    for (int g = 1; g <= 7; ++g) request.AddHallGroup(g);
    for (int color = 1; color <= 9; ++color) request.AddLineColor(color);
    request.mapLine = true;
    request.smallMap = true;
    request.colorList = true;
    request.mapPosition = 5;
    vx::PrintEngine_SetupJob(request);
  }

  std::vector<int> checked;
};

}  // namespace vxtest
