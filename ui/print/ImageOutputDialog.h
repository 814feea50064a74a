// Sets up writing the print pages as image files: folder, base name, long side, format and high
// resolution, with the print kind and page range of the print dialog. OK checks the folder
// (offering to create it) and the values; the dialog writes no image itself.
#pragma once

#include <QDialog>
#include <filesystem>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vx {

class PrintKindPanel;
struct PrintDialogServices;
struct PrintSettings;

class ImageOutputDialog : public QDialog {
  Q_OBJECT

 public:
  ImageOutputDialog(QWidget* parent, PrintSettings& settings, const PrintDialogServices& services);

  // 1 after OK, 0 after Cancel; the values typed stay in the settings either way.
  int DoModal();
  bool AllPages() const { return allPages_; }
  const std::string& PageRange() const { return pageRange_; }

  void accept() override;
  void reject() override;

 private:
  void CreateControls();
  void ArrangeControls();
  void ConnectControls();
  void SaveFields();
  void ShowFormatHint();
  void OnBrowse();
  void OnFormatChange(int format);
  bool CheckFolder();
  // Creates the folder and its missing parents; a box and false when that fails.
  bool CreateFolderPath(const std::filesystem::path& folder);
  // `text` in a "BMP出力" box; false.
  bool Refuse(const std::string& text);

  PrintSettings& settings_;
  const PrintDialogServices& services_;
  bool allPages_ = true;
  std::string pageRange_;
  QLineEdit* folder_ = nullptr;
  QPushButton* browse_ = nullptr;
  QLineEdit* baseName_ = nullptr;
  QLineEdit* longSide_ = nullptr;
  QCheckBox* highResolution_ = nullptr;
  QComboBox* format_ = nullptr;
  QLabel* formatHint_ = nullptr;
  QPushButton* help_ = nullptr;
  PrintKindPanel* kind_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace vx
