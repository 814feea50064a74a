// Where the image data and the web browser are found: for each a choice between the automatic
// (or standard) way and a place the user gives, with an edit and a browse button that are usable
// only for the second. Places are stored as settings path texts (app/SettingsPath.h); a folder
// ends with "/".
//
// A place that does not fit its 260-byte field would point elsewhere once cut: OK refuses it with
// a box and stays on the page.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ui/settings/SettingsPage.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vx {

class PathSettingsPage : public SettingsPage {
  Q_OBJECT

 public:
  PathSettingsPage(CatalogController& controller, SettingsValues& scratch, SettingsValues& live,
                   UiServices& ui);

  QString Title() const override;
  bool CanApply() override;
  // Copies the two modes and the two places into the live values; nothing is announced.
  void Apply() override;

 private:
  void CreateControls();
  void ArrangeControls();
  void ConnectControls();
  void FillControls();
  void EnableDependents();
  void OnChanged();
  void OnBrowseFolder();
  void OnBrowseBrowser();
  bool AcceptPlace(QLineEdit* edit, bool folder, const char* what);

  QRadioButton* imageAuto_ = nullptr;
  QRadioButton* imageFixed_ = nullptr;
  QLabel* imageLabel_ = nullptr;
  QLineEdit* imagePath_ = nullptr;
  QPushButton* imageBrowse_ = nullptr;
  QRadioButton* browserDefault_ = nullptr;
  QRadioButton* browserChosen_ = nullptr;
  QLabel* browserLabel_ = nullptr;
  QLineEdit* browserPath_ = nullptr;
  QPushButton* browserBrowse_ = nullptr;
};

// `text` (a settings path text) as stored in a place field of `fieldSize` bytes: with a final "/"
// when `folder` and not empty. Nothing when it does not fit with its terminating NUL.
std::optional<std::string> PlaceForField(std::string_view text, bool folder, std::size_t fieldSize);

}  // namespace vx
