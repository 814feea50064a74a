#include "program/VindaxelApplication.h"

#include <QApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <future>
#include <utility>

#include "app/CatalogController.h"
#include "app/DatabaseInitializer.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "platform/qt/QtStrings.h"
#include "platform/qt/SingleInstanceServer.h"
#include "platform/qt/UiThread.h"
#include "print/PrintDocuments.h"
#include "program/ApplicationCommands.h"
#include "program/BlockedCloseFilter.h"
#include "program/DatabaseInitializationSteps.h"
#include "program/TerminationSignalNotifier.h"
#include "res/ResourceIds.h"
#include "ui/checklist/ChecklistWindow.h"
#include "ui/checklist/QtChecklistDialogs.h"
#include "ui/detail/DetailWindow.h"
#include "ui/dialogs/ImagePathDialog.h"
#include "ui/list/ListWindow.h"
#include "ui/map/HallMapWindow.h"
#include "ui/main/AboutDialog.h"
#include "ui/main/BeaconWidget.h"
#include "ui/main/HostSystemInfo.h"
#include "ui/main/MainWindow.h"
#include "ui/main/SplashWindow.h"
#include "program/PrintCommands.h"
#include "program/QtTranslations.h"
#include "ui/search/SearchCommands.h"
#include "ui/web/QtPortalDialogs.h"
#include "ui/widgets/DialogFrameFilter.h"
#include "ui/widgets/ModalInputFilter.h"
#include "ui/widgets/ProgressDialogRunner.h"
#include "ui/widgets/QtActiveWindowTracker.h"
#include "ui/widgets/QtUiServices.h"
#include "web/WebChecklistJobs.h"
#include "web/WebServiceConfig.h"

namespace vx {

namespace {

// Set by developers and the smoke test: the main window is saved as a PNG file once the first
// page shows, and the program then closes as the user would close it.
constexpr char kScreenshotVariable[] = "VINDAXEL_SCREENSHOT";

WorkArea PrimaryWorkArea() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {0, 0, 1024, 768};
  const QRect r = screen->availableGeometry();
  return {r.left(), r.top(), r.width(), r.height()};
}

// A slot that no profile changed holds the frame rectangle of the default layout.
template <typename Frame>
void PlaceAtSlot(Frame& window, const SettingsValues& values, int slot) {
  const WindowRect& rect = values.windowRects[slot];
  if (HoldsDefaultFrameRect(values, slot, PrimaryWorkArea())) {
    window.PlaceFrameAt(rect);
  } else {
    window.PlaceAt(rect);
  }
}

}  // namespace

bool VindaxelApplication::StartDetached(const QString& program, const QStringList& arguments) {
  return QProcess::startDetached(program, arguments);
}

VindaxelApplication::VindaxelApplication(std::vector<std::string> arguments, Launcher launcher)
    : arguments_(StartupArguments::Parse(arguments)),
      launcher_(std::move(launcher)),
      qtTexts_(std::make_unique<QtTranslations>()),
      dialogFrames_(std::make_unique<DialogFrameFilter>(qApp)),
      ui_(std::make_unique<QtUiServices>()),
      progress_(std::make_unique<ProgressDialogRunner>()),
      activeWindows_(std::make_unique<QtActiveWindowTracker>()),
      systemInfo_(std::make_unique<HostSystemInfo>()),
      checklistDialogs_(std::make_unique<QtChecklistDialogs>()),
      portalDialogs_(std::make_unique<QtPortalDialogs>(ui_.get())),
      webJobs_(std::make_unique<WebChecklistJobs>(
          *progress_, ui_.get(), portalDialogs_.get(),
          [this] { return WebServiceConfig::Load(core_ ? &core_->Settings() : nullptr); })) {}

VindaxelApplication::~VindaxelApplication() {
  Exit();
  StartAgain();
}

MainWindow* VindaxelApplication::GetMainWindow() const { return main_; }

DetailWindow* VindaxelApplication::GetDetailWindow() const { return detail_; }

HallMapWindow* VindaxelApplication::GetMapWindow() const { return map_; }

ListWindow* VindaxelApplication::GetListWindow() const { return list_; }

ChecklistWindow* VindaxelApplication::GetChecklistWindow() const { return checklist_; }

BeaconWidget* VindaxelApplication::GetBeacon() const { return beacon_; }

bool VindaxelApplication::Start() {
  if (!ClaimSingleInstance()) return false;
  // A session that ends asks the checklist's question too; Cancel keeps the session going.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& session) {
    if (main_ && session.allowsInteraction() && !main_->MayClose()) session.cancel();
  });
  termination_ = std::make_unique<TerminationSignalNotifier>();
  connect(termination_.get(), &TerminationSignalNotifier::terminationRequested, this,
          [this] { Close(); });
  BuildCore();
  PrintDocuments_Register();
  CreateFrames();
  CreateBeacon();
  WatchBlockedCloses();
  RegisterFrames();
  ShowStartPage();
  TakeScreenshotIfAsked();
  return true;
}

// A restart skips the test: the instance that asked for it may not have gone yet.
bool VindaxelApplication::ClaimSingleInstance() {
  instance_ = std::make_unique<SingleInstanceServer>();
  if (!arguments_.restart && instance_->RaiseRunningInstance()) {
    std::fprintf(stderr,
                 "vindaxel: already running on this display; that window was brought to the "
                 "front and this start ends.\n");
    return false;
  }
  instance_->Listen();
  connect(instance_.get(), &SingleInstanceServer::raiseRequested, this,
          [this] { RaiseMainWindow(); });
  return true;
}

ApplicationServices VindaxelApplication::Services() {
  ApplicationServices services;
  services.ui = ui_.get();
  services.controller = {ui_.get(),
                         progress_.get(),
                         activeWindows_.get(),
                         systemInfo_.get(),
                         [](std::function<void()> work) { RunOnUiThread(std::move(work)); },
                         checklistDialogs_.get(),
                         webJobs_.get()};
  services.askImageFolder = [this](std::span<char> field, int event) {
    ImagePathDialog dialog(beacon_, *ui_, field, event);
    return dialog.DoModal() == 1;
  };
  // At start-up and after the initialisation command, at the end of the run.
  services.initializeDatabase = [this](std::unique_ptr<PavorunDatabase>& database) {
    DatabaseInitializer initializer(core_->ProgramFolder(), core_->Settings().UserFolder(),
                                    core_->EventNumber(), ui_.get(),
                                    DatabaseInitializationSteps(*ui_, *progress_));
    return initializer.Run(database);
  };
  services.discRoots = ListOpticalDiscMounts();
  return services;
}

void VindaxelApplication::BuildCore() {
  core_ = std::make_unique<ApplicationCore>(ProgramFolder(), Services());
  core_->LoadSettings(PrimaryWorkArea());
  core_->LocateImageData();
  core_->OpenImages();
  // The cover is decoded and scaled while the database opens; the splash follows.
  const QScreen* screen = QGuiApplication::primaryScreen();
  std::future<QImage> cover =
      std::async(std::launch::async, &VindaxelApplication::SplashCover, this,
                 screen ? screen->size() : QSize(), screen ? screen->devicePixelRatio() : 1.0);
  core_->OpenDatabase();
  ShowCover(cover.get());
  core_->CreateController();
}

// Scaled once to the splash window's size in device pixels, so that painting it is a copy.
QImage VindaxelApplication::SplashCover(QSize screen, qreal pixelRatio) {
  const QImage cover = core_->CoverImage();
  const QSize size = SplashSize(cover.size(), screen * pixelRatio);
  if (size.isEmpty() || size == cover.size()) return cover;
  QImage scaled = cover.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  scaled.setDevicePixelRatio(pixelRatio);
  return scaled;
}

void VindaxelApplication::ShowCover(const QImage& cover) {
  if (cover.isNull()) return;
  // The splash may outlive a start that ends at once.
  SplashWindow::ShowSplash(cover, [self = QPointer<VindaxelApplication>(this)] {
    if (self && self->main_) self->main_->update();
  });
}

void VindaxelApplication::CreateFrames() {
  CatalogController& controller = *core_->Controller();
  main_ = new MainWindow(controller);
  commands_ = std::make_unique<ApplicationCommands>(*this);
  search_ = std::make_unique<SearchCommands>(controller, [this] { return beacon_.data(); });
  print_ = std::make_unique<PrintCommands>(*core_, *ui_, [this] { return beacon_.data(); });
  catalogGate_ = std::make_unique<CatalogCommandGate>(controller);
  applicationRoute_.SetTargets({catalogGate_.get(), commands_.get(), search_.get(), print_.get()});
  main_->SetApplicationCommands(&applicationRoute_);
  PlaceAtSlot(*main_, core_->Values(), kMainSlot);
  main_->show();
  connect(main_, &MainWindow::closeAccepted, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
  CreateSecondaryFrames();
}

// Created hidden at their stored places; the controller shows them once they are registered.
void VindaxelApplication::CreateSecondaryFrames() {
  CatalogController& controller = *core_->Controller();
  checklist_ = new ChecklistWindow(controller);
  checklist_->SetColorMenu(&main_->Menu());
  checklist_->SetApplicationCommands(&applicationRoute_);
  PlaceAtSlot(*checklist_, core_->Values(), kChecklistSlot);
  controller.SaveWindowRect(checklist_);
  detail_ = new DetailWindow(controller);
  detail_->SetApplicationCommands(&applicationRoute_);
  detail_->SetChecklistMenu(&main_->Menu());
  PlaceAtSlot(*detail_, core_->Values(), kDetailSlot);
  map_ = new HallMapWindow(controller);
  map_->SetApplicationCommands(&applicationRoute_);
  map_->SetChecklistMenu(&main_->Menu());
  PlaceAtSlot(*map_, core_->Values(), kMapSlot);
  list_ = new ListWindow(controller);
  list_->SetColorMenu(&main_->Menu());
  list_->SetApplicationCommands(&applicationRoute_);
  PlaceAtSlot(*list_, core_->Values(), kListSlot);
  controller.SaveWindowRect(list_);
}

void VindaxelApplication::CreateBeacon() {
  beacon_ = new BeaconWidget;
  core_->Controller()->AttachOwnerWindow(beacon_);
}

// A close of the main window that a progress dialog blocks ends the work and the program, as
// SIGTERM does; it is taken up outside the window system's event.
void VindaxelApplication::WatchBlockedCloses() {
  const auto close = [this] {
    QMetaObject::invokeMethod(
        this, [this] { Close(); }, Qt::QueuedConnection);
  };
  blockedClose_ =
      std::make_unique<BlockedCloseFilter>(main_, BlockedCloseFilter::X11Atoms(), close);
  qApp->installNativeEventFilter(blockedClose_.get());
}

void VindaxelApplication::RegisterFrames() {
  CatalogController& controller = *core_->Controller();
  controller.RegisterWindow(kMainWindowId, main_, Sjis("メインウィンドウ"));
  controller.RegisterWindow(kChecklistWindowId, checklist_, Sjis("チェックリスト(&K)\tCtrl+K"));
  controller.RegisterWindow(kDetailWindowId, detail_, Sjis("サークル詳細(&D)\tCtrl+D"));
  controller.RegisterWindow(kMapWindowId, map_, Sjis("会場マップ(&M)\tCtrl+M"));
  controller.RegisterWindow(kListWindowId, list_, Sjis("サークル一覧(&L)\tCtrl+L"));
  modalFilter_ =
      std::make_unique<ModalInputFilter>(controller.GetGuard(), controller.GetRegistry());
  qApp->installEventFilter(modalFilter_.get());
  ShowSavedFrames();
  // Over the tool windows just shown, and active: the focus would stay in one of them, covered.
  main_->raise();
  main_->activateWindow();
  // "ChildWndTop" as stored: the command inverts it, so it is inverted first.
  SettingsValues& values = core_->Values();
  values.childWndTop = values.childWndTop ? 0 : 1;
  commands_->ToggleChildWindowsTop();
}

// The tool windows that were open when the program last ended.
void VindaxelApplication::ShowSavedFrames() {
  CatalogController& controller = *core_->Controller();
  if (core_->Values().windowShown[kDetailSlot]) controller.ShowRegisteredWindow(detail_);
  if (core_->Values().windowShown[kChecklistSlot]) controller.ShowRegisteredWindow(checklist_);
  if (core_->Values().windowShown[kListSlot] == 1) controller.ShowRegisteredWindow(list_);
  if (core_->Values().windowShown[kMapSlot] == 1) controller.ShowRegisteredWindow(map_);
}

void VindaxelApplication::ShowStartPage() {
  core_->GoToStartPage();
  CatalogController& controller = *core_->Controller();
  controller.UpdateTitle();
  controller.RebuildRecentFilesMenu();
  commands_->BuildBookmarkMenu();
  if (const auto checklist = core_->InitialChecklist(arguments_)) {
    controller.OpenChecklistFile(*checklist);
  }
  Q_EMIT started();
}

void VindaxelApplication::RaiseMainWindow() {
  if (!main_) return;
  if (main_->isMinimized()) main_->showNormal();
  main_->raise();
  main_->activateWindow();
}

void VindaxelApplication::TakeScreenshotIfAsked() {
  const char* path = std::getenv(kScreenshotVariable);
  if (!path || !*path || !main_) return;
  const QString file = QString::fromLocal8Bit(path);
  QTimer::singleShot(0, this, [this, file] {
    if (!main_) return;
    main_->grab().save(file, "PNG");
    main_->close();
  });
}

int VindaxelApplication::Run() {
  for (;;) {
    if (closeAfterModalLoops_) {
      closeAfterModalLoops_ = false;
      // From inside the loop: until a loop runs again, every dialog ends at once.
      QMetaObject::invokeMethod(
          this, [this] { Close(); }, Qt::QueuedConnection);
    }
    const int code = QApplication::exec();
    if (!closeAfterModalLoops_) return code;
  }
}

// Ending every modal loop makes each dialog stop its work and join its worker; the commands
// then unwind, any box they still show answers at once, and Run closes the window.
void VindaxelApplication::Close() {
  const CatalogController* controller = core_ ? core_->Controller() : nullptr;
  const bool modal = QApplication::activeModalWidget() != nullptr ||
                     (controller && controller->GetGuard().IsRaised());
  if (!modal) {
    if (main_) main_->close();
    return;
  }
  closeAfterModalLoops_ = true;
  QCoreApplication::exit(0);
}

void VindaxelApplication::RequestRestart(const RestartRequest& request) {
  restart_ = request;
  restart_.requested = true;
}

void VindaxelApplication::RestartAndExit(const RestartRequest& request) {
  RequestRestart(request);
  if (main_) main_->RunCommand(ID_APP_EXIT);
}

void VindaxelApplication::Exit() {
  if (exited_ || !core_) return;
  exited_ = true;
  if (main_ && main_->isVisible()) main_->SaveLayout();  // the session ended the program
  core_->CommitSettings(restart_);
  core_->ExitController();
  if (modalFilter_) qApp->removeEventFilter(modalFilter_.get());
  modalFilter_.reset();
  if (blockedClose_) qApp->removeNativeEventFilter(blockedClose_.get());
  blockedClose_.reset();
  // The commands go while every window they may show a box on is still there.
  applicationRoute_.SetTargets({});
  print_.reset();
  search_.reset();
  commands_.reset();
  delete list_;
  delete map_;
  delete detail_;
  delete checklist_;
  delete main_;
  delete beacon_;
  core_->DeleteController();
  core_->Release(restart_);
  core_.reset();
}

void VindaxelApplication::StartAgain() {
  if (!restart_.requested) return;
  // The new instance takes the socket name over; ours must be gone before it listens.
  instance_.reset();
  QStringList arguments;
  for (const std::string& argument : restart_.Arguments()) {
    arguments << QString::fromStdString(argument);
  }
  if (launcher_) launcher_(QCoreApplication::applicationFilePath(), arguments);
}

}  // namespace vx
