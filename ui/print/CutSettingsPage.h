// The cut page of the print settings sheet: the list page's choices, printed with the circles'
// cuts, plus cut frames and the direction the cuts fill the page in.
#pragma once

#include "ui/print/ListSettingsPage.h"

class QRadioButton;

namespace vx {

class CutSettingsPage : public ListSettingsPage {
  Q_OBJECT

 public:
  CutSettingsPage(const PrintSettingsContext& context, PrintSettings& work);

  QString Title() const override;

 protected:
  void UpdateControls() override;
  void ReadControls() override;
  std::vector<int> LayoutPictures() const override;

 private:
  QCheckBox* frame_ = nullptr;
  QRadioButton* horizontal_ = nullptr;
  QRadioButton* vertical_ = nullptr;
};

}  // namespace vx
