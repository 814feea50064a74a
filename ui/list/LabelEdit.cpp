#include "ui/list/LabelEdit.h"

#include <QKeyEvent>

#include "ui/widgets/ControlFont.h"

namespace vx {

namespace {
// Cells may hold 65,535 bytes of CP932, never more characters than that.
constexpr int kMaxCharacters = 65535;
}  // namespace

LabelEdit::LabelEdit(QWidget* parent, QWidget* owner) : QLineEdit(parent), owner_(owner) {
  setMaxLength(kMaxCharacters);
  setFont(ControlFont());
  setFrame(true);
  hide();
}

void LabelEdit::StartEdit(const QString& text) {
  start_ = text;
  setText(text);
  shown_ = this->text();
  selectAll();
}

void LabelEdit::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      setText(start_);
      [[fallthrough]];
    case Qt::Key_Return:
    case Qt::Key_Enter:
      owner_->setFocus(Qt::OtherFocusReason);
      event->accept();
      return;
    default:
      QLineEdit::keyPressEvent(event);
  }
}

void LabelEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  Q_EMIT focusLost();
}

}  // namespace vx
