// The in-place editor of a list control's cell. Return hands the focus back to the list, which
// ends the edit and keeps the text; Escape first restores the text the edit started with.
#pragma once

#include <QLineEdit>

namespace vx {

class LabelEdit : public QLineEdit {
  Q_OBJECT

 public:
  // Lies on `parent`; Return and Escape give the focus to `owner`.
  LabelEdit(QWidget* parent, QWidget* owner);

  // Shows `text`, all of it selected, the caret in view.
  void StartEdit(const QString& text);
  // Whether the text differs from the one the edit started with.
  bool Changed() const { return text() != shown_; }

 Q_SIGNALS:
  void focusLost();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QWidget* owner_;
  QString start_;
  QString shown_;  // the start text as the edit holds it
};

}  // namespace vx
