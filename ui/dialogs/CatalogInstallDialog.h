// The circle-data installer: lists the events stored in the database, installs an event from its
// disc definition file or merges the older events of another database file, and deletes a stored
// event.
#pragma once

#include <QDialog>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace vx {

class PavorunDatabase;
class UiServices;

class CatalogInstallDialog : public QDialog {
  Q_OBJECT

 public:
  // `currentEvent` is the event the program shows, taken when the dialog opens: installing and
  // deleting change the database's own current event number.
  CatalogInstallDialog(QWidget* parent, UiServices& ui, PavorunDatabase& database,
                       int currentEvent);

  // 1 when the event shown was installed while the dialog was open, else 0.
  int DoModal();

 private:
  void CreateControls();
  void ArrangeControls();
  void ConnectControls();

  void FillList();
  void OnCurrentItemChanged();
  void OnBrowse();
  void OnInstall();
  std::optional<int> InstallDefinitionFile(const std::filesystem::path& path);
  int MergeDatabaseFile(const std::filesystem::path& path);
  // The run's result; a failure the run has shown already is not shown again.
  void ReportInstallResult(int result);
  void OnDelete();

  UiServices& ui_;
  PavorunDatabase& database_;
  int currentEvent_;
  std::vector<int> storedEvents_;
  int source_ = 0;  // InstallSource::source of the file chosen last
  int result_ = 0;
  // Why the last run failed (CP932; empty when not known), and whether the run showed it.
  std::string failureText_;
  bool failureShown_ = false;

  QLabel* instruction_ = nullptr;
  QLabel* pathLabel_ = nullptr;
  QLineEdit* path_ = nullptr;
  QPushButton* browse_ = nullptr;
  QLabel* kind_ = nullptr;
  QLabel* listLabel_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QPushButton* install_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* close_ = nullptr;
};

}  // namespace vx
