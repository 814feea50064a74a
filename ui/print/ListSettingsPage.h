// The list page of the print settings sheet (the circle list without cuts), and the base of the
// cut page, which prints the same choices with the circles' cuts.
#pragma once

#include "ui/print/PrintSettingsPage.h"

namespace vx {

class ListSettingsPage : public PrintSettingsPage {
  Q_OBJECT

 public:
  ListSettingsPage(const PrintSettingsContext& context, PrintSettings& work)
      : ListSettingsPage(kListKind, context, work) {}

  QString Title() const override;

  QCheckBox* BlockAllBox() const { return blockAll_; }

 protected:
  static constexpr int kListKind = 0;

  ListSettingsPage(int printKind, const PrintSettingsContext& context, PrintSettings& work);
  // The derived page adds its own rows after the shared ones, then calls Refresh().
  void CreateControls(const QStringList& layouts, int blockAllId, int enlargeSupId,
                      int enlargeMemoId);
  void UpdateControls() override;
  void ReadControls() override;
  std::vector<int> LayoutPictures() const override;

  QBoxLayout* pageLayout_ = nullptr;

 private:
  QCheckBox* blockAll_ = nullptr;
};

}  // namespace vx
