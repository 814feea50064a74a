// The program's objects that live for the whole run and hold no window: settings with the
// working copy of their values, bookmarks, the image store, the catalogue database and the
// controller. Start-up builds them step by step in a fixed order (the program creates the
// windows between the steps); shut-down saves the settings and releases them in reverse.
#pragma once

#include <QImage>

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "app/AppSettings.h"
#include "app/BookmarkList.h"
#include "app/CatalogController.h"
#include "app/CatalogDatabaseOpener.h"
#include "app/DefaultWindowLayout.h"
#include "app/ImageDataLocator.h"
#include "app/RestartRequest.h"
#include "app/SettingsValues.h"
#include "app/StartupArguments.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"

namespace vx {

class UiServices;

struct ApplicationServices {
  UiServices* ui = nullptr;  // the start-up boxes, which have no owner
  ControllerServices controller;
  ImageDataLocator::AskFolder askImageFolder;
  CatalogDatabaseOpener::Initializer initializeDatabase;
  std::vector<std::filesystem::path> discRoots;
};

class ApplicationCore {
 public:
  ApplicationCore(std::filesystem::path programFolder, ApplicationServices services);
  ~ApplicationCore();
  ApplicationCore(const ApplicationCore&) = delete;
  ApplicationCore& operator=(const ApplicationCore&) = delete;

  // --- Start-up, in this order --------------------------------------------------------------
  // Window slots, default layout on `area`, the system group (with print), the event group with
  // the bookmarks; then the working copy is taken. Margins set back to their defaults are told.
  void LoadSettings(const WorkArea& area);
  // The image folder; false (after a warning box) when none holds the event's images.
  bool LocateImageData();
  // Opens the image store on the folder found and builds the search fold table.
  void OpenImages();
  // After the image folder may have changed (the settings sheet, the image data command): the
  // probe again (it may ask for the folder, but warns of nothing), then the image store and the
  // controller on what it found.
  void RelocateImageData();
  // The cover page for the splash window, when "StartCover" is on and the disc has one.
  QImage CoverImage();
  // Opens the database (with its fallbacks) and selects the event; warns when it is damaged or
  // has no circle.
  void OpenDatabase();
  // Creates the controller on the database, the image store and the working copy (which loads the
  // search group into its condition). False only when no controller could be made.
  bool CreateController();
  // After the windows are registered: "LastSelPage" when it lies within the catalogue's pages,
  // else the first cut of day 1, else the first page; a catalogue without pages says so. Without
  // a catalogue (none, or a damaged one) no page and no circle.
  void GoToStartPage();
  // The checklist to open at the end of start-up: nothing after an event switch, else the file
  // named on the command line, else with "AutoLoad" the newest recent file. Without a catalogue
  // to match it against, nothing: the user is told which file was not opened, and why.
  std::optional<std::filesystem::path> InitialChecklist(const StartupArguments& arguments);

  // --- While running ------------------------------------------------------------------------
  // A change the user committed (a settings dialog's OK, bookmarks, a checklist file, an import)
  // is written at once, as at exit, so that a crash loses nothing of it. False when it could not
  // be written: the first failure says so, naming the file and the reason; the failures after
  // it are silent until a commit succeeds again.
  // At exit the restart's event switch goes with it, and a first failure is told there too: a
  // session that committed nothing would otherwise lose its window places without a word.
  bool CommitSettings(const RestartRequest& restart = {});
  // After a read of the print settings (start-up, an import): which paper kinds' margins were
  // set back to their defaults because they left no printable area; nothing when none were.
  void ReportMarginsReset() const;

  // --- Shut-down ----------------------------------------------------------------------------
  // "LastSelPage", the working copy back into the settings, then the search, event and system
  // groups, all under the event shown; an event switch then writes "VQNumber96" alone, so that
  // nothing of the old event is filed under the new number. False when a group was not written.
  bool SaveSettings(const RestartRequest& restart);
  // Ends the controller's work (before the secondary windows go) and then deletes it.
  void ExitController();
  void DeleteController();
  // Runs a requested database initialisation, then releases database, image store and
  // bookmarks.
  void Release(const RestartRequest& restart);

  const std::filesystem::path& ProgramFolder() const { return programFolder_; }
  AppSettings& Settings() { return *settings_; }
  SettingsValues& Values() { return values_; }
  BookmarkList& Bookmarks() { return *bookmarks_; }
  PavorunDatabase* Database() { return database_.get(); }
  CatalogController* Controller() { return controller_.get(); }
  const std::optional<std::filesystem::path>& ImageFolder() const { return imageFolder_; }
  bool UsesUserDatabase() const { return userDatabase_; }
  int EventNumber() const { return values_.eventNumber; }

 private:
  std::optional<std::filesystem::path> FindImageFolder();
  void ReportNoPage() const;
  std::optional<std::filesystem::path> ChosenChecklist(const StartupArguments& arguments) const;
  void ReportChecklistNotOpened(const std::filesystem::path& file) const;
  // The image store on the folder found, with the event's cut geometry, and the controller.
  void ApplyImageFolder();

  std::filesystem::path programFolder_;
  ApplicationServices services_;
  std::unique_ptr<BookmarkList> bookmarks_;
  std::unique_ptr<AppSettings> settings_;
  SettingsValues values_{};  // the working copy every window and command uses
  std::optional<std::filesystem::path> imageFolder_;
  std::unique_ptr<CatalogImages> images_;
  std::unique_ptr<PavorunDatabase> database_;
  bool userDatabase_ = false;
  std::unique_ptr<CatalogController> controller_;
  bool commitFailureTold_ = false;
};

}  // namespace vx
