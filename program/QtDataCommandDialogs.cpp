#include "program/QtDataCommandDialogs.h"

#include "app/CatalogController.h"
#include "app/ModalScope.h"
#include "platform/UiServices.h"
#include "ui/dialogs/CatalogInstallDialog.h"
#include "ui/dialogs/EventSwitchDialog.h"
#include "ui/dialogs/ImageInstallDialog.h"
#include "web/UpdateDownloadJob.h"
#include "web/WebServiceConfig.h"

namespace vx {

QtDataCommandDialogs::QtDataCommandDialogs(UiServices& ui, CatalogController& controller,
                                           const AppSettings& settings)
    : ui_(ui), controller_(controller), settings_(settings) {}

QWidget* QtDataCommandDialogs::Owner() const {
  return static_cast<QWidget*>(controller_.GetDialogOwner());
}

int QtDataCommandDialogs::InstallCircleData(PavorunDatabase& database, int currentEvent) {
  ModalScope modal(&controller_);
  return CatalogInstallDialog(Owner(), ui_, database, currentEvent).DoModal();
}

int QtDataCommandDialogs::ChooseEvent(const std::vector<int>& storedEvents, int currentEvent) {
  ModalScope modal(&controller_);
  return EventSwitchDialog(Owner(), storedEvents, currentEvent).DoModal();
}

void QtDataCommandDialogs::InstallImageData(const std::filesystem::path& imageFolder,
                                            const std::vector<int>& storedEvents,
                                            int currentEvent) {
  ImageInstallDialog::Setup setup;
  setup.imageFolder = imageFolder;
  setup.storedEvents = storedEvents;
  setup.currentEvent = currentEvent;
  setup.releaseImages = [this] { controller_.CloseImages(); };
  ModalScope modal(&controller_);
  ImageInstallDialog(Owner(), ui_, std::move(setup)).DoModal();
}

// The outcome comes from the job itself: a dialog that could not run the job has not updated
// anything, whatever it answers.
int QtDataCommandDialogs::UpdateCircleData(PavorunDatabase& database, int event,
                                           const std::filesystem::path& archive) {
  UpdateDownloadJob job(database, event, archive, WebServiceConfig::Load(&settings_));
  controller_.RunProgressJob(job, UpdateDownloadJob::Caption());
  const int outcome = job.Result(job.State());
  ModalScope modal(&controller_);
  ui_.MessageBox(nullptr, job.ResultText(outcome), UpdateDownloadJob::ResultTitle(),
                 UpdateDownloadJob::ResultIcon(outcome));
  return outcome;
}

}  // namespace vx
