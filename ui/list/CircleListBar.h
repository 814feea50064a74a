// The list window's bar: the display mode, the day and the block (or kana initial) selectors, the
// button that opens the circle search and the quick keyword field.
#pragma once

#include <QToolBar>

class QAction;
class QComboBox;
class QLineEdit;

namespace vx {

class CircleListBar : public QToolBar {
  Q_OBJECT

 public:
  explicit CircleListBar(QWidget* parent = nullptr);

  QComboBox* ModeCombo() const { return mode_; }
  QComboBox* DayCombo() const { return day_; }
  QComboBox* BlockCombo() const { return block_; }
  QLineEdit* KeywordEdit() const { return keyword_; }
  QAction* SearchButton() const { return search_; }

 private:
  QComboBox* NewCombo(int controlId, int width);
  void AddGap();

  QComboBox* mode_ = nullptr;
  QComboBox* day_ = nullptr;
  QComboBox* block_ = nullptr;
  QLineEdit* keyword_ = nullptr;
  QAction* search_ = nullptr;
};

}  // namespace vx
