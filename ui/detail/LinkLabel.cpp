#include "ui/detail/LinkLabel.h"

#include <QMouseEvent>
#include <QPainter>

#include "res/Pictures.h"
#include "res/ResourceIds.h"

namespace vx {

LinkLabel::LinkLabel(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void LinkLabel::SetLink(const QString& text, bool openable) {
  text_ = text;
  openable_ = openable && !text.isEmpty();
  SetHovered(false);
  update();
}

namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;

}  // namespace

QFont LinkLabel::TextFont() const {
  QFont font = this->font();
  font.setUnderline(openable_);
  return font;
}

QRect LinkLabel::TextBounds() const { return rect().adjusted(1, 0, 0, 0); }

QRect LinkLabel::TextExtent() const {
  if (text_.isEmpty()) return {};
  return QFontMetrics(TextFont()).boundingRect(TextBounds(), kTextFlags, text_) & rect();
}

void LinkLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Button));
  painter.setFont(TextFont());
  painter.setPen(openable_ ? QColor(kLinkColor) : palette().color(QPalette::ButtonText));
  painter.setClipRect(rect());
  painter.drawText(TextBounds(), kTextFlags, text_);
}

bool LinkLabel::OnText(QPoint point) const { return openable_ && TextExtent().contains(point); }

void LinkLabel::SetHovered(bool hovered) {
  if (hovered) {
    setCursor(ProgramCursor(IDCUR_LINK));
  } else {
    unsetCursor();
  }
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
  SetHovered(OnText(event->position().toPoint()));
  QWidget::mouseMoveEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
  SetHovered(false);
  QWidget::leaveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && OnText(event->position().toPoint())) {
    event->accept();
    Q_EMIT activated();
    return;
  }
  QWidget::mousePressEvent(event);
}

}  // namespace vx
