// Lets the user choose which stored event the program shows.
#pragma once

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace vx {

class EventSwitchDialog : public QDialog {
  Q_OBJECT

 public:
  // `storedEvents` ascending; `currentEvent` is the event shown now.
  EventSwitchDialog(QWidget* parent, std::vector<int> storedEvents, int currentEvent);

  // The chosen event number, or 0 when cancelled.
  int DoModal();

 private:
  void CreateControls();
  void ArrangeControls();
  void ConnectControls();
  void OnCurrentItemChanged();

  std::vector<int> storedEvents_;
  int currentEvent_;
  QLabel* currentText_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QPushButton* switch_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace vx
