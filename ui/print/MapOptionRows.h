// The rows the map and blank-map pages share: the genre overlay with its density, the outline
// map (turned like the map view or not) and the corner of the page the map fills towards.
#pragma once

#include <cstdint>
#include <functional>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace vx {

// The five words of one page in the print settings.
struct MapOptionWords {
  std::int32_t& genre;
  std::int32_t& density;
  std::int32_t& outline;
  std::int32_t& rotate;
  std::int32_t& fill;  // 1..9, 5 the centre
};

// Control ids of the rows.
struct MapOptionIds {
  int genre;
  int density;
  int outline;
  int rotate;
  int fill;
};

class MapOptionRows {
 public:
  // `changed` runs after a box or the fill direction changed (not while Show runs).
  MapOptionRows(QWidget* page, QBoxLayout* layout, const MapOptionIds& ids,
                std::function<void()> changed);

  // A fill direction outside 1..9 is stored as 5 first; the fill list is enabled as asked.
  void Show(MapOptionWords words, bool fillEnabled);
  // The rotate word is taken only when the outline map was on before the change.
  void Read(MapOptionWords words, bool fillEnabled);
  // The density typed, clamped to 0..100, stored and shown.
  void TakeDensity(MapOptionWords words);

  QLineEdit* DensityField() const { return density_; }
  QComboBox* FillList() const { return fill_; }

 private:
  QCheckBox* genre_ = nullptr;
  QLineEdit* density_ = nullptr;
  QLabel* densityLabel_ = nullptr;
  QLabel* percentLabel_ = nullptr;
  QCheckBox* outline_ = nullptr;
  QCheckBox* rotate_ = nullptr;
  QComboBox* fill_ = nullptr;
  QLabel* fillLabel_ = nullptr;
  bool showing_ = false;
};

}  // namespace vx
