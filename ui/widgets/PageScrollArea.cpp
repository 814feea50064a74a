#include "ui/widgets/PageScrollArea.h"

#include <QScrollBar>

#include <algorithm>

namespace vx {

PageScrollArea::PageScrollArea(QWidget* page, QWidget* parent) : QScrollArea(parent) {
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWidget(page);
}

// Room for the vertical bar is kept whether it shows or not: the page never gets narrower than
// it asks to be, and never needs a horizontal bar.
QSize PageScrollArea::sizeHint() const {
  const QWidget* page = widget();
  if (!page) return QScrollArea::sizeHint();
  QSize size = page->sizeHint().expandedTo(page->minimumSizeHint()).expandedTo(page->minimumSize());
  if (page->hasHeightForWidth()) {
    size.setHeight(std::max(size.height(), page->heightForWidth(size.width())));
  }
  return size + Chrome();
}

QSize PageScrollArea::minimumSizeHint() const {
  const QWidget* page = widget();
  if (!page) return QScrollArea::minimumSizeHint();
  const int pageWidth = std::max(page->minimumSizeHint().width(), page->minimumWidth());
  return {pageWidth + Chrome().width(), QScrollArea::minimumSizeHint().height()};
}

QSize PageScrollArea::Chrome() const {
  const int frame = 2 * frameWidth();
  return {frame + verticalScrollBar()->sizeHint().width(), frame};
}

}  // namespace vx
