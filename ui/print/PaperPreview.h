// The small picture of the paper in the paper size and margin dialog: the page in white on the
// dialog's colour, its printable area inside a dotted blue frame.
#pragma once

#include <QFrame>

namespace vx {

struct PrintMargins;

class PaperPreview : public QFrame {
  Q_OBJECT

 public:
  explicit PaperPreview(QWidget* parent);

  // The paper (tenths of a millimetre) and its margins; a paper without a size shows no page.
  void SetPaper(int width, int height, const PrintMargins& margins);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int width_ = 0;
  int height_ = 0;
  int left_ = 0;
  int right_ = 0;
  int top_ = 0;
  int bottom_ = 0;
};

}  // namespace vx
