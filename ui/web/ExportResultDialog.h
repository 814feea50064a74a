// The favourites the portal refused in an export, listed in a read-only text until OK, Escape or
// the close box ends the window (the caller does not ask how).
#pragma once

#include <QDialog>

#include <string_view>

class QPlainTextEdit;

namespace vx {

class ExportResultDialog : public QDialog {
  Q_OBJECT

 public:
  // `text` is CP932 with CR LF line ends.
  ExportResultDialog(std::string_view text, QWidget* parent);

  QPlainTextEdit* TextEdit() const { return edit_; }

 private:
  QPlainTextEdit* edit_;
};

}  // namespace vx
