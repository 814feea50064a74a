// Which columns the checklist and the circle list show, and in what order: one list of column
// captions with check boxes per view, buttons that move the selected column one place earlier
// or later, and a button that puts both layouts back to the event's defaults. The circle-name
// column cannot be hidden.
#pragma once

#include "ui/settings/SettingsPage.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vx {

class ListColumnsPage : public SettingsPage {
  Q_OBJECT

 public:
  ListColumnsPage(CatalogController& controller, SettingsValues& scratch, SettingsValues& live,
                  UiServices& ui);

  QString Title() const override;
  // The lists become the column slots (then empty slots), the widths follow; announces
  // UM_OPTIONS_CHANGED when any slot or width differed.
  void Apply() override;

 private:
  void CreateControls();
  void ArrangeControls();
  void ConnectControls();
  void FillLists();
  void OnItemChanged(QListWidget* list, QListWidgetItem* item);
  void MoveSelected(QListWidget* list, int step);
  void OnDefaults();
  int* ScratchSlots(const QListWidget* list) const;

  QLabel* checkLabel_ = nullptr;
  QListWidget* checkColumns_ = nullptr;
  QPushButton* checkUp_ = nullptr;
  QPushButton* checkDown_ = nullptr;
  QLabel* listLabel_ = nullptr;
  QListWidget* listColumns_ = nullptr;
  QPushButton* listUp_ = nullptr;
  QPushButton* listDown_ = nullptr;
  QPushButton* defaults_ = nullptr;
  QLabel* note_ = nullptr;
};

}  // namespace vx
