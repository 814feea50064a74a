// The image data installer: installs an event's images from a disc folder into the image folder
// and deletes installed ones.
#pragma once

#include <QDialog>

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace vx {

class UiServices;

class ImageInstallDialog : public QDialog {
  Q_OBJECT

 public:
  struct Setup {
    std::filesystem::path imageFolder;    // where "VQ<n>" folders are installed
    std::vector<int> storedEvents;        // the database's events, ascending
    int currentEvent = 0;                 // the event shown, taken when the dialog opens
    std::function<void()> releaseImages;  // closes the shown event's open image files
  };

  ImageInstallDialog(QWidget* parent, UiServices& ui, Setup setup);

  // 1 (OK).
  int DoModal();

 private:
  void CreateControls();
  void ArrangeControls();
  void ConnectControls();

  void FillInstalledList();
  void OnInstall();
  bool ConfirmReinstall(int event, const std::filesystem::path& destination);
  std::optional<std::filesystem::path> AskForSource(int event);
  void OnDelete();
  void ShowError(const std::string& text, const std::string& title);

  UiServices& ui_;
  Setup setup_;
  QLabel* comboLabel_ = nullptr;
  QComboBox* events_ = nullptr;
  QLabel* listLabel_ = nullptr;
  QTreeWidget* installed_ = nullptr;
  QPushButton* install_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace vx
