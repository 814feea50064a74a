// The application object: builds the running program in a fixed order (settings, image data,
// image store, splash, database, controller, windows, the hidden beacon), tears it down in the
// reverse order when the main window closes, and starts the program again when a data command
// asked for a restart.
#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ApplicationCore.h"
#include "app/RestartRequest.h"
#include "app/StartupArguments.h"
#include "ui/main/CatalogCommandGate.h"
#include "ui/menus/CommandRoute.h"

namespace vx {

class ApplicationCommands;
class BeaconWidget;
class BlockedCloseFilter;
class DetailWindow;
class DialogFrameFilter;
class HallMapWindow;
class HostSystemInfo;
class ChecklistWindow;
class ListWindow;
class MainWindow;
class ModalInputFilter;
class PrintCommands;
class ProgressDialogRunner;
class QtActiveWindowTracker;
class QtChecklistDialogs;
class QtPortalDialogs;
class QtTranslations;
class QtUiServices;
class SearchCommands;
class SingleInstanceServer;
class TerminationSignalNotifier;
class WebChecklistJobs;

class VindaxelApplication : public QObject {
  Q_OBJECT

 public:
  // Starts a program with an argument vector, detached; false when it could not be started.
  using Launcher = std::function<bool(const QString& program, const QStringList& arguments)>;
  static bool StartDetached(const QString& program, const QStringList& arguments);

  // `arguments`: the command line after the program name. `launcher` starts the new instance of
  // a restart.
  explicit VindaxelApplication(std::vector<std::string> arguments,
                               Launcher launcher = StartDetached);
  // Starts the new instance when a restart was requested.
  ~VindaxelApplication() override;

  // False when the program is to end at once: another instance was brought forward instead.
  bool Start();
  // The main loop, until the main window has closed.
  int Run();
  // Closes the main window as the user does (on SIGTERM and SIGINT, and when the window manager
  // closes the main window while a modal dialog blocks it). Work running in a modal dialog is
  // stopped first: every modal loop ends, and the window closes once they have.
  void Close();
  // Saves the settings and releases everything, the windows first.
  void Exit();

  // A data command's restart: the program ends and starts again.
  void RequestRestart(const RestartRequest& request);
  // That, and the main window is closed as by the exit command.
  void RestartAndExit(const RestartRequest& request);

  ApplicationCore* GetCore() const { return core_.get(); }
  ApplicationCommands* GetCommands() const { return commands_.get(); }
  MainWindow* GetMainWindow() const;
  DetailWindow* GetDetailWindow() const;
  HallMapWindow* GetMapWindow() const;
  ListWindow* GetListWindow() const;
  ChecklistWindow* GetChecklistWindow() const;
  BeaconWidget* GetBeacon() const;

 Q_SIGNALS:
  // The main window shows the first page (once, at the end of start-up).
  void started();

 private:
  bool ClaimSingleInstance();
  ApplicationServices Services();
  void BuildCore();
  QImage SplashCover(QSize screen, qreal pixelRatio);
  void ShowCover(const QImage& cover);
  void CreateFrames();
  void CreateSecondaryFrames();
  void CreateBeacon();
  void WatchBlockedCloses();
  void RegisterFrames();
  void ShowSavedFrames();
  void ShowStartPage();
  void RaiseMainWindow();
  void TakeScreenshotIfAsked();
  void StartAgain();

  StartupArguments arguments_;
  Launcher launcher_;
  RestartRequest restart_;
  std::unique_ptr<QtTranslations> qtTexts_;
  std::unique_ptr<DialogFrameFilter> dialogFrames_;
  std::unique_ptr<QtUiServices> ui_;
  std::unique_ptr<ProgressDialogRunner> progress_;
  std::unique_ptr<QtActiveWindowTracker> activeWindows_;
  std::unique_ptr<HostSystemInfo> systemInfo_;
  std::unique_ptr<QtChecklistDialogs> checklistDialogs_;
  std::unique_ptr<QtPortalDialogs> portalDialogs_;
  std::unique_ptr<WebChecklistJobs> webJobs_;
  std::unique_ptr<SingleInstanceServer> instance_;
  std::unique_ptr<TerminationSignalNotifier> termination_;
  std::unique_ptr<BlockedCloseFilter> blockedClose_;
  std::unique_ptr<ApplicationCore> core_;
  std::unique_ptr<ModalInputFilter> modalFilter_;
  std::unique_ptr<ApplicationCommands> commands_;
  std::unique_ptr<SearchCommands> search_;
  std::unique_ptr<CatalogCommandGate> catalogGate_;  // closes them all without a catalogue
  std::unique_ptr<PrintCommands> print_;
  // What the frames pass on what they do not handle: the application's commands, then the
  // circle search.
  CommandRoute applicationRoute_;
  QPointer<MainWindow> main_;
  QPointer<DetailWindow> detail_;
  QPointer<HallMapWindow> map_;
  QPointer<ListWindow> list_;
  QPointer<ChecklistWindow> checklist_;
  QPointer<BeaconWidget> beacon_;
  bool exited_ = false;
  bool closeAfterModalLoops_ = false;
};

}  // namespace vx
