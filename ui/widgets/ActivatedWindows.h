// The windows the user worked in, the latest last. Between one dialog closing and the next
// opening no window is active; the one before that dialog is the one the user works in.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace vx {

class ActivatedWindows : public QObject {
  Q_OBJECT

 public:
  // The application's record, kept from its first use on.
  static ActivatedWindows& Instance();

  // The latest still shown, other than `except`; none when no such window is left.
  const QWidget* Latest(const QWidget& except) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ActivatedWindows();
  void Remember(QWidget* window);

  std::vector<QPointer<QWidget>> windows_;
};

}  // namespace vx
