// One page of the print settings sheet: the choices of one print kind on the sheet's working
// copy of the print settings. Every change is written to the working copy at once; the page
// shows the picture of the chosen layout and the checklist's print colours, and opens the
// preview of its kind. The rows the pages share (days, halls, hall groups, check colours, the
// layout with its picture, the preview) are built here.
#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

#include "app/PrintSettings.h"
#include "app/SettingsValues.h"

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vx {

class PrintDataSource;
class UiServices;

// Opens the check colour sheet over the page; the page repaints its swatches afterwards.
using EditColorsFunction = std::function<void(QWidget* page)>;

struct PrintSettingsContext {
  PrintDataSource& source;
  UiServices& ui;
  EditColorsFunction editColors;  // empty: the button is disabled
};

class PrintSettingsPage : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDayBoxes = 5;
  static constexpr int kHallBoxes = 14;
  static constexpr int kGroupBoxes = 7;
  // One box per check colour in use (the settings' colour count); the others stay hidden and
  // their bits as they were.
  static constexpr int kColorBoxes = kMaxCheckColors;
  static constexpr int kPageBreakBoxes = 4;  // day, hall, check colour, block

  PrintSettingsPage(int printKind, const PrintSettingsContext& context, PrintSettings& work);

  int PrintKind() const { return kind_; }
  virtual QString Title() const = 0;
  // The page became the current one: its kind is the print kind.
  void Activate();
  // Before OK: takes what is typed but not yet stored.
  virtual void TakeTypedValues() {}
  // Shows the working copy.
  void Refresh();

  QCheckBox* DayBox(int i) const { return days_[static_cast<std::size_t>(i)]; }
  QCheckBox* HallBox(int i) const { return halls_[static_cast<std::size_t>(i)]; }
  QCheckBox* ColorBox(int i) const { return colors_[static_cast<std::size_t>(i)]; }
  QComboBox* LayoutList() const { return layout_; }
  QLabel* LayoutPicture() const { return picture_; }
  QPushButton* PreviewButton() const { return preview_; }
  QComboBox* OrderList() const { return order_; }
  QCheckBox* PageBreakBox(int i) const { return breaks_[static_cast<std::size_t>(i)]; }

 protected:
  PrintKindSettings& Words() { return work_.kinds[static_cast<std::size_t>(kind_)]; }
  // The page's controls are made and filled by the derived constructor, which then calls
  // Refresh(); UpdateControls shows the words, ReadControls stores the boxes.
  virtual void UpdateControls() = 0;
  virtual void ReadControls() = 0;
  virtual std::vector<int> LayoutPictures() const = 0;

  // --- Building ----------------------------------------------------------------------------------
  QCheckBox* AddBox(QBoxLayout* row, const QString& text, int controlId);
  QGroupBox* AddDayHallGroupRows(QBoxLayout* page);
  QGroupBox* AddColorRow(QBoxLayout* page, std::array<QCheckBox*, kColorBoxes>& boxes,
                         std::array<QLabel*, kColorBoxes>& swatches, int firstBoxId,
                         const QString& title);
  QComboBox* AddCombo(QBoxLayout* row, const QString& label, const QStringList& items,
                      int controlId);
  QListWidget* AddItemList(QBoxLayout* row, int controlId);
  // The print order list and, after it, the page-break boxes (ids from orderId + 1).
  void AddOrderRow(QBoxLayout* page, const QStringList& orders, int orderId);
  // Serial numbers and colour list (ids serialId, serialId + 1) and the two enlarge boxes.
  void AddPrintedOptions(QBoxLayout* column, int serialId, int enlargeSupId, int enlargeMemoId);
  void AddLayoutRow(QBoxLayout* page, const QStringList& layouts, int comboId);
  void AddButtons(QBoxLayout* page, bool editColors, int editColorsId, int previewId);

  // --- Showing and reading -----------------------------------------------------------------------
  void ShowDayAndHallBoxes(const PrintKindSettings& words);
  // The map pages: the group boxes from the stored mask, each enabled when its map can print.
  void ShowMapGroupBoxes(const PrintKindSettings& words);
  // Days, halls, hall groups and check colours from their boxes (a page without colour boxes
  // stores none).
  void ReadRangeBoxes(PrintKindSettings& words) const;
  // The colour boxes of the colours in use, checked from `mask`; the others hidden.
  void ShowColorBoxes(const std::array<QCheckBox*, kColorBoxes>& boxes,
                      const std::array<QLabel*, kColorBoxes>& swatches, int mask) const;
  // `stored` with the bits of the shown colour boxes taken from them.
  int ReadColorBoxes(const std::array<QCheckBox*, kColorBoxes>& boxes, int stored) const;
  int ColorsInUse() const;
  int EnabledHalls() const;
  static int CheckedMask(const QCheckBox* const* boxes, int count);
  static void ShowMask(QCheckBox* const* boxes, int count, int mask);
  void ShowItems(int mask);
  int CheckedItems() const;
  // The item list, serial numbers, colour list and the enlarge boxes.
  void ShowPrintedOptions(const PrintKindSettings& words);
  void ReadPrintedOptions(PrintKindSettings& words) const;
  void ShowSwatches();
  void ShowLayoutPicture();
  // Reads the boxes after a change, shows the result and tells the sheet.
  void OnOptionChanged();
  void ShowPrintPreview();

  int kind_;
  PrintSettingsContext context_;
  PrintSettings& work_;
  bool updating_ = false;  // change notices suppressed while the page shows the words
  std::array<QCheckBox*, kDayBoxes> days_{};
  std::array<QCheckBox*, kHallBoxes> halls_{};
  std::array<QCheckBox*, kGroupBoxes> groups_{};
  std::array<QCheckBox*, kColorBoxes> colors_{};
  std::array<QLabel*, kColorBoxes> swatches_{};
  std::vector<QLabel*> allSwatches_;
  QListWidget* items_ = nullptr;
  QComboBox* order_ = nullptr;
  std::array<QCheckBox*, kPageBreakBoxes> breaks_{};
  QCheckBox* serial_ = nullptr;
  QCheckBox* colorList_ = nullptr;
  QCheckBox* enlargeSup_ = nullptr;
  QCheckBox* enlargeMemo_ = nullptr;
  QComboBox* layout_ = nullptr;
  QLabel* picture_ = nullptr;
  QPushButton* preview_ = nullptr;

 Q_SIGNALS:
  void modified();
};

}  // namespace vx
