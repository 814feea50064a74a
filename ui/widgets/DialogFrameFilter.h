// The title bar of every dialog the program shows (its own, message boxes, file, colour and
// print dialogs): a close button only, and the help button of a dialog that has one. Dialogs are
// not minimised or maximised on their own. It watches the whole application while it lives, so
// that no dialog needs to set this itself.
#pragma once

#include <QObject>

class QWidget;

namespace vx {

class DialogFrameFilter : public QObject {
  Q_OBJECT

 public:
  explicit DialogFrameFilter(QObject* application);

  // The flags a dialog with `flags` is shown with.
  static Qt::WindowFlags DialogFlags(Qt::WindowFlags flags);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static void Apply(QWidget* dialog);
};

}  // namespace vx
