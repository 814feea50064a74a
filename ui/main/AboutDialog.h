// The about box: the program's title and version over a block of system information (the
// catalogue shown, the system, its memory, the GUI library) and the JSON library's licence.
#pragma once

#include <QDialog>

#include <string>
#include <string_view>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vx {

class CatalogController;

// The program's name as the title bar and the about box show it (CP932).
std::string ApplicationTitle();

// The system information block (CP932, lines ended by CR LF).
std::string AboutText(std::string_view eventName, std::string_view osName, int memoryMB,
                      std::string_view libraryPath, std::string_view libraryVersion,
                      std::string_view license);

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  AboutDialog(QWidget* parent, const CatalogController& controller);

 private:
  void CreateControls(const CatalogController& controller);
  void ArrangeControls();

  QLabel* icon_ = nullptr;
  QLabel* title_ = nullptr;
  QPlainTextEdit* info_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace vx
