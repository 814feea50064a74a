// The main window's status bar: the page box, "ページ", "<<", the page slider, ">>", an empty pane
// and, stretching, the circle under the pointer. The slider turns pages only on a step or on
// release; dragging its thumb only writes the page box.
#pragma once

#include <QStatusBar>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace vx {

class MainStatusBar : public QStatusBar {
  Q_OBJECT

 public:
  // The slider's moves, as the keyboard and mouse make them.
  enum class SliderMove { kLineLeft, kLineRight, kPageLeft, kPageRight, kThumbPosition };

  // Where a slider move leads from `page` (`position` for a thumb release), within first..last.
  static int SliderTarget(SliderMove move, int page, int position, int first, int last);

  explicit MainStatusBar(QWidget* parent = nullptr);

  void SetPageRange(int first, int last);
  // The page box and the slider show `page`; before the first page the box is empty.
  void ShowPage(int page);
  // The page box, the buttons and the slider take input only while there are pages.
  void EnablePaging(bool enabled);
  void ShowCircleText(const QString& text);

  QLineEdit* PageBox() const { return pageBox_; }
  QSlider* Slider() const { return slider_; }
  QPushButton* PrevButton() const { return prev_; }
  QPushButton* NextButton() const { return next_; }
  QLabel* CirclePane() const { return circle_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 Q_SIGNALS:
  // The slider chose a page: a backward move must be searched backwards for a page with circles.
  void pageChosen(int page, bool backward);

 private:
  void CreatePanes();
  void OnSliderAction(int action);

  QLineEdit* pageBox_ = nullptr;
  QLabel* pageLabel_ = nullptr;
  QPushButton* prev_ = nullptr;
  QSlider* slider_ = nullptr;
  QPushButton* next_ = nullptr;
  QWidget* spacer_ = nullptr;
  QLabel* circle_ = nullptr;
  int page_ = 0;
};

}  // namespace vx
