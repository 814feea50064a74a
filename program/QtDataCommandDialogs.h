// The data commands' dialogs as the program shows them: the circle-data and image-data
// installers, the event switch and the update job in the progress dialog, each owned by the
// beacon window under the controller's modal guard.
#pragma once

#include "app/DataCommandDialogs.h"

class QWidget;

namespace vx {

class AppSettings;
class CatalogController;
class UiServices;

class QtDataCommandDialogs : public DataCommandDialogs {
 public:
  // The dialogs are owned by the controller's owner window. The settings give the update server.
  QtDataCommandDialogs(UiServices& ui, CatalogController& controller, const AppSettings& settings);

  int InstallCircleData(PavorunDatabase& database, int currentEvent) override;
  int ChooseEvent(const std::vector<int>& storedEvents, int currentEvent) override;
  void InstallImageData(const std::filesystem::path& imageFolder,
                        const std::vector<int>& storedEvents, int currentEvent) override;
  int UpdateCircleData(PavorunDatabase& database, int event,
                       const std::filesystem::path& archive) override;

 private:
  QWidget* Owner() const;

  UiServices& ui_;
  CatalogController& controller_;
  const AppSettings& settings_;
};

}  // namespace vx
