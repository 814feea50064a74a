#include "ui/widgets/WrappedLabel.h"

#include <QResizeEvent>

#include <algorithm>

namespace vx {

WrappedLabel::WrappedLabel(QWidget* parent, const QString& text) : QLabel(text, parent) {
  setWordWrap(true);
}

// Before a layout has given the label its width, the width is no measure of anything.
QSize WrappedLabel::minimumSizeHint() const {
  QSize size = QLabel::minimumSizeHint();
  if (testAttribute(Qt::WA_Resized)) {
    size.setHeight(std::max(size.height(), heightForWidth(width())));
  }
  return size;
}

void WrappedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  if (event->size().width() != event->oldSize().width()) updateGeometry();
}

}  // namespace vx
