// The check colours, in two sets: the palette the settings keep (set 0) and the current
// checklist's own definitions (set 1). For the selected set the page shows a display colour and
// a print colour button per colour (up to 16 each) and edits one colour's name at a time; the
// reset buttons put the palette back to one of the two built-in tables, or the checklist's
// colours back to the palette.
//
// Edits stay in the page until Apply, which stores both sets through the controller and
// announces UM_COLORS_CHANGED only when a display colour or a name of the checklist changed:
// print colours and the palette do not show in the windows.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/SettingsValues.h"
#include "ui/settings/ColorChooser.h"
#include "ui/settings/SettingsPage.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vx {

class ColorButton;

class CheckColorPage : public SettingsPage {
  Q_OBJECT

 public:
  enum ColorSetIndex { kPaletteSet = 0, kChecklistSet = 1 };
  static constexpr int kSetCount = 2;
  static constexpr int kMaxNameBytes = kColorNameSize - 1;

  // `startSet` is the set shown first: the palette in the settings sheet, the checklist when
  // the page stands alone.
  CheckColorPage(CatalogController& controller, SettingsValues& scratch, SettingsValues& live,
                 UiServices& ui, int startSet, ColorChooser chooser);

  QString Title() const override;
  void Apply() override;

  // The colour button of a display (print = false) or print colour, 0-based; null beyond 16.
  ColorButton* Button(int index, bool print) const;
  int SelectedSet() const { return set_; }

 private:
  struct ColorSet {
    std::array<std::uint32_t, kMaxCheckColors> display{};
    std::array<std::uint32_t, kMaxCheckColors> print{};
    std::array<std::string, kMaxCheckColors> names;  // CP932
    friend bool operator==(const ColorSet&, const ColorSet&) = default;
  };

  void ReadSets();
  void CreateControls();
  void ArrangeControls();
  void ConnectControls();
  void Refresh();
  void OnColorButton(int index, bool print);
  void OnNameEdited(const QString& text);
  void OnNameIndex(int index);
  void OnSetChosen(int set);
  void OnReset(const std::uint32_t (&table)[kMaxCheckColors]);
  bool ChecklistShownDiffers() const;

  ColorChooser chooser_;
  int count_;
  int set_;
  int nameIndex_ = 0;
  std::array<ColorSet, kSetCount> sets_;
  std::array<ColorSet, kSetCount> unedited_;
  std::array<ColorButton*, kMaxCheckColors> displayButtons_{};
  std::array<ColorButton*, kMaxCheckColors> printButtons_{};
  QLabel* displayLabel_ = nullptr;
  QLabel* printLabel_ = nullptr;
  QLabel* setLabel_ = nullptr;
  QComboBox* setCombo_ = nullptr;
  QComboBox* nameIndexCombo_ = nullptr;
  QLabel* nameLabel_ = nullptr;
  QLineEdit* name_ = nullptr;
  QPushButton* reset_ = nullptr;
  QPushButton* resetSecond_ = nullptr;
};

}  // namespace vx
