// The dialogs and jobs the data commands open, behind an interface so that the commands' questions
// and restarts are tested without windows. Each runs modally, owned by the beacon window, under
// the controller's modal guard.
#pragma once

#include <filesystem>
#include <vector>

namespace vx {

class PavorunDatabase;

class DataCommandDialogs {
 public:
  virtual ~DataCommandDialogs() = default;

  // The circle-data installer: 1 when the event shown was installed while it was open, else 0.
  virtual int InstallCircleData(PavorunDatabase& database, int currentEvent) = 0;
  // The event to show among the stored ones (ascending); 0 when cancelled.
  virtual int ChooseEvent(const std::vector<int>& storedEvents, int currentEvent) = 0;
  // The image data installer, on the folder where events' images are installed.
  virtual void InstallImageData(const std::filesystem::path& imageFolder,
                                const std::vector<int>& storedEvents, int currentEvent) = 0;
  // The update of the event's circle data from an archive file (empty: from the update server),
  // with its result box: 1 cancelled, 2 done, 3 no update for the event, 4 error.
  virtual int UpdateCircleData(PavorunDatabase& database, int event,
                               const std::filesystem::path& archive) = 0;
};

}  // namespace vx
