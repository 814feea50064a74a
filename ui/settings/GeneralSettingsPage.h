// The behaviour options: the scroll mode and twelve check boxes, each bound to one key of the
// setting values, and a button that puts them back to their first values.
//
// Two boxes depend on others: while "OneClickSel" is on, "AutoSel" shows ticked and cannot be
// changed; while either of them is on, "CursorInit" shows cleared and cannot be changed. A box
// held so keeps the stored value of its key.
#pragma once

#include <array>

#include "ui/settings/SettingsPage.h"

class QAbstractButton;
class QCheckBox;
class QPushButton;
class QRadioButton;

namespace vx {

class GeneralSettingsPage : public SettingsPage {
  Q_OBJECT

 public:
  static constexpr int kBoxCount = 12;
  static constexpr int kScrollModeCount = 3;

  GeneralSettingsPage(CatalogController& controller, SettingsValues& scratch, SettingsValues& live,
                      UiServices& ui);

  QString Title() const override;
  // Copies the thirteen keys into the live values; announces UM_OPTIONS_CHANGED when any differed.
  void Apply() override;

 private:
  void CreateControls();
  void ArrangeControls();
  void ConnectControls();
  void FillControls();
  void ShowDependencies();
  void ReadControls();
  void OnControlClicked();
  void OnReset();
  QCheckBox* Box(int id) const;

  std::array<QRadioButton*, kScrollModeCount> scrollModes_{};
  std::array<QCheckBox*, kBoxCount> boxes_{};
  QPushButton* reset_ = nullptr;
};

}  // namespace vx
