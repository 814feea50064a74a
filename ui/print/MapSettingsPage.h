// The map page of the print settings sheet: hall maps with the checked circles marked, beside a
// colour legend, a list or the circles' cuts; leader lines from the marks in chosen colours.
#pragma once

#include <memory>

#include "ui/print/MapOptionRows.h"
#include "ui/print/PrintSettingsPage.h"

namespace vx {

class MapSettingsPage : public PrintSettingsPage {
  Q_OBJECT

 public:
  static constexpr int kLayoutsPerOrientation = 5;

  MapSettingsPage(const PrintSettingsContext& context, PrintSettings& work);

  QString Title() const override;
  void TakeTypedValues() override;

  QCheckBox* LeaderColorBox(int i) const { return leaderColors_[static_cast<std::size_t>(i)]; }
  QComboBox* LeaderWidthList() const { return leaderWidth_; }
  const MapOptionRows& Options() const { return *options_; }

 protected:
  void UpdateControls() override;
  void ReadControls() override;
  std::vector<int> LayoutPictures() const override;

 private:
  void CreateControls();
  MapOptionWords Words5();
  bool FillEnabled() const;

  std::array<QCheckBox*, kColorBoxes> leaderColors_{};
  std::array<QLabel*, kColorBoxes> leaderSwatches_{};
  QComboBox* leaderWidth_ = nullptr;
  std::unique_ptr<MapOptionRows> options_;
};

}  // namespace vx
