// The blank-map page of the print settings sheet: the hall maps alone, one page per checked day
// and hall.
#pragma once

#include <memory>

#include "ui/print/MapOptionRows.h"
#include "ui/print/PrintSettingsPage.h"

namespace vx {

class BlankMapSettingsPage : public PrintSettingsPage {
  Q_OBJECT

 public:
  BlankMapSettingsPage(const PrintSettingsContext& context, PrintSettings& work);

  QString Title() const override;
  void TakeTypedValues() override;
  const MapOptionRows& Options() const { return *options_; }

 protected:
  void UpdateControls() override;
  void ReadControls() override;
  std::vector<int> LayoutPictures() const override;

 private:
  void CreateControls();
  MapOptionWords Words5();

  std::unique_ptr<MapOptionRows> options_;
};

}  // namespace vx
