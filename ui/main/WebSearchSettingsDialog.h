// Which circle fields the web search of the current circle sends and how they are joined: circle
// name or pen name, both, or two chosen fields joined by OR or AND.
#pragma once

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;

namespace vx {

class CatalogController;

class WebSearchSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  enum Type { kNameOrPenName = 0, kNameAndPenName = 1, kCustom = 2 };

  WebSearchSettingsDialog(QWidget* owner, CatalogController& controller);

  // The values as chosen so far.
  int Type() const { return type_; }
  int Item1() const { return item1_; }
  int Item2() const { return item2_; }
  int Condition() const { return condition_; }

  void accept() override;

 private:
  void CreateControls();
  void ArrangeControls();
  void ConnectControls();
  void Fill();
  void ApplyEnableRule();
  void OnItemChosen(int& chosen, int& other, QComboBox* otherBox, int index);

  CatalogController& controller_;
  int type_;
  int item1_;
  int item2_;
  int condition_;
  QButtonGroup* types_ = nullptr;
  QComboBox* item1Box_ = nullptr;
  QComboBox* item2Box_ = nullptr;
  QComboBox* conditionBox_ = nullptr;
  QLabel* item1Label_ = nullptr;
  QLabel* item2Label_ = nullptr;
  QLabel* conditionLabel_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace vx
