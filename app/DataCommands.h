// The data commands of the application: image data, circle data, event switch, database
// initialisation and the two updates. Each asks its question, then the checklist's save question
// (Cancel stops the command), and runs its dialog; a command that changed the catalogue restarts
// the program: the checklist becomes an empty one without asking, and the restart request goes to
// the application, which ends and starts again.
#pragma once

#include <functional>
#include <string_view>

#include "app/RestartRequest.h"

namespace vx {

class ApplicationCore;
class DataCommandDialogs;
class UiServices;

class DataCommands {
 public:
  // The application ends the run and starts again as asked.
  using Restart = std::function<void(const RestartRequest& request)>;

  DataCommands(ApplicationCore& core, UiServices& ui, DataCommandDialogs& dialogs, Restart restart);

  void InstallImageData();
  void InstallCircleData();
  void SwitchEvent();
  void InitializeDatabase();
  void UpdateCircleData(bool fromFile);

 private:
  int Box(std::string_view utf8Text, std::string_view utf8Title, unsigned flags);
  // The database is open and may be written; else the read-only message with its title.
  bool CanWriteDatabase(std::string_view utf8Text, std::string_view utf8Title);
  // Yes to the command's question, then no Cancel to the checklist's.
  bool Confirm(std::string_view utf8Question, std::string_view utf8Title);
  void RestartWith(const RestartRequest& request);

  ApplicationCore& core_;
  UiServices& ui_;
  DataCommandDialogs& dialogs_;
  Restart restart_;
};

}  // namespace vx
