// A label whose words wrap, holding the height its text needs at the width it is given: a
// window's minimum size leaves the wrapping out, so a dialog kept small (by a small screen) cut
// two lines of text into a strip that the next control covered.
#pragma once

#include <QLabel>

namespace vx {

class WrappedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit WrappedLabel(QWidget* parent, const QString& text = QString());

  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
};

}  // namespace vx
