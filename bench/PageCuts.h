// The yardstick of the page benchmarks: Qt decoding a catalogue page's cuts (their PNG bytes read
// from the disc's archives beforehand) with QImage::loadFromData and drawing them with QPainter
// into a page of the same size.
#pragma once

#include <QImage>
#include <QPainter>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "data/CircleRecord.h"
#include "data/PavorunDatabase.h"
#include "data/images/CutArchive.h"

namespace vxbench {

class PageCuts {
 public:
  static constexpr int kColumns = 6;
  static constexpr int kRows = 6;
  static constexpr int kBand = 40;  // the caption band above the cuts

  // The cut bytes of every page from `firstPage` to `lastPage`: the override archive's entry when
  // it has one, as the image store takes it. False when the archive cannot be read.
  bool Read(vx::PavorunDatabase& db, const std::filesystem::path& disc, int firstPage, int lastPage,
            bool hiRes) {
    auto main = vx::CutArchive::Open(disc / (hiRes ? "V096CUTH.CCZ" : "V096CUTL.CCZ"));
    auto fix = vx::CutArchive::Open(disc / (hiRes ? "V096CUTHP.CCZ" : "V096CUTLP.CCZ"));
    if (!main) return false;
    cutW_ = main->CutWidth();
    cutH_ = main->CutHeight();
    first_ = firstPage;
    std::vector<vx::CircleRecord> records(kColumns * kRows);
    for (int page = firstPage; page >= 1 && page <= lastPage; ++page) {
      db.SelectPageCircles(page, records);
      std::vector<std::string>& cells = pages_.emplace_back(records.size());
      for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].id == 0) continue;
        char name[32];
        std::snprintf(name, sizeof name, "%06d.PNG", records[i].updateId);
        std::optional<std::string> bytes = fix ? fix->ReadEntry(name) : std::nullopt;
        if (!bytes) bytes = main->ReadEntry(name);
        cells[i] = bytes.value_or("");
      }
    }
    return !pages_.empty();
  }

  std::size_t PageCount() const { return pages_.size(); }
  int FirstPage() const { return first_; }
  QSize PageSize() const { return QSize(kColumns * cutW_, kRows * cutH_ + kBand); }

  // Page `page` (a page number) drawn by Qt; a null picture for a page not read.
  QImage Draw(int page) const {
    const std::size_t index = static_cast<std::size_t>(page - first_);
    if (page < first_ || index >= pages_.size()) return {};
    QImage picture(PageSize(), QImage::Format_RGB888);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    const std::vector<std::string>& cells = pages_[index];
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (cells[i].empty()) continue;
      QImage cut;
      cut.loadFromData(reinterpret_cast<const uchar*>(cells[i].data()),
                       static_cast<int>(cells[i].size()), "PNG");
      const int column = static_cast<int>(i) % kColumns;
      const int row = static_cast<int>(i) / kColumns;
      painter.drawImage(QRect(column * cutW_, kBand + row * cutH_, cutW_, cutH_), cut);
    }
    return picture;
  }

 private:
  std::vector<std::vector<std::string>> pages_;  // per page, per cell ("" for no circle)
  int first_ = 0;
  int cutW_ = 0;
  int cutH_ = 0;
};

}  // namespace vxbench
