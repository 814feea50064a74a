// Asks for the image folder when no image data of the event was found at start-up.
#pragma once

#include <QDialog>

#include <span>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vx {

class UiServices;

class ImagePathDialog : public QDialog {
  Q_OBJECT

 public:
  // `pathField` is the caller's text field of the image path (CP932, NUL-terminated): shown in
  // the edit, and on OK replaced by the path entered, with a final "/". A path that does not fit
  // the field is refused with a message and the dialog stays open.
  ImagePathDialog(QWidget* parent, UiServices& ui, std::span<char> pathField, int eventNo);

  // 1 (OK, the field holds the path) or 0 (cancelled, the field is unchanged).
  int DoModal();

 private:
  void CreateControls();
  void ArrangeControls();
  void ConnectControls();
  void OnBrowse();
  void OnOk();

  UiServices& ui_;
  std::span<char> pathField_;
  int eventNo_;
  QLabel* icon_ = nullptr;
  QLabel* notFound_ = nullptr;
  QLabel* instruction_ = nullptr;
  QLabel* pathLabel_ = nullptr;
  QLineEdit* path_ = nullptr;
  QPushButton* browse_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// Stores `text` (a settings path text) in the field with a final "/" (unless empty) and a NUL;
// false, with the field unchanged, when that does not fit.
bool StoreImagePath(std::span<char> field, std::string_view text);

}  // namespace vx
