#include "ui/print/PaperPreview.h"

#include <QPainter>

#include "app/PrintSettings.h"

namespace vx {

PaperPreview::PaperPreview(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void PaperPreview::SetPaper(int width, int height, const PrintMargins& margins) {
  width_ = width;
  height_ = height;
  left_ = margins.left;
  right_ = margins.right;
  top_ = margins.top;
  bottom_ = margins.bottom;
  update();
}

void PaperPreview::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = contentsRect();
  painter.fillRect(area, palette().color(QPalette::Window));
  if (width_ > 0 && height_ > 0) {
    // Products before divisions, all in 64 bits: the sizes reach 99999.
    const long long cw = area.width();
    const long long ch = area.height();
    long long pw = cw - 16;
    long long ph = pw * height_ / width_;
    if (ph > ch) {
      ph = ch - 16;
      pw = ph * width_ / height_;
    }
    const long long x0 = area.x() + (cw - pw) / 2;
    const long long y0 = area.y() + (ch - ph) / 2;
    painter.fillRect(QRect(x0, y0, pw, ph), Qt::white);
    const long long x1 = x0 + left_ * pw / width_;
    const long long y1 = y0 + top_ * ph / height_;
    const long long x2 = x0 + (width_ - right_) * pw / width_;
    const long long y2 = y0 + (height_ - bottom_) * ph / height_;
    painter.setPen(QPen(QColor(0, 0, 255), 1, Qt::DotLine));
    painter.drawRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)));
  }
  QFrame::paintEvent(event);
}

}  // namespace vx
