#include "tests/program/QuitFixture.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

namespace vxtest {

namespace fs = std::filesystem;

namespace {

void Click(QWidget* dialog, int id) {
  if (auto* button = Control<QPushButton>(dialog, id)) button->click();
}

// What a window manager sends when the close button of the window's title bar is pressed.
void SendWindowManagerClose(void* connection, std::uint32_t window,
                            vx::BlockedCloseFilter::Atoms atoms) {
  auto* x11 = static_cast<xcb_connection_t*>(connection);
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = window;
  event.type = atoms.protocols;
  event.data.data32[0] = atoms.deleteWindow;
  event.data.data32[1] = XCB_CURRENT_TIME;
  xcb_send_event(x11, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
  xcb_flush(x11);
}

}  // namespace

void QuitTest::Quit() {
  if (quitting_.exchange(true)) return;
  switch (trigger_) {
    case Trigger::kSigterm:
      ::kill(::getpid(), SIGTERM);
      return;
    case Trigger::kClose:
      vx::PostToUiThread([this] { program_->Close(); });
      return;
    case Trigger::kWindowClose:
      SendWindowManagerClose(x11Connection_, mainWindowId_, closeAtoms_);
      return;
  }
}

fs::path QuitTest::WriteLongChecklist(vx::CatalogController& controller) {
  const fs::path file = root / "long.csv";
  const int circles = program_->GetCore()->Database()->GetMaxCircleId();
  for (int id = 1; id <= circles; ++id) controller.SetCircleColor(1, id);
  EXPECT_FALSE(controller.GetFavoriteStore()->Save(file));
  controller.NewChecklist(true);
  const std::string text = ReadFileBytes(file);
  const std::size_t body = text.find("\r\nCircle,") + 2;
  std::string repeated = text;
  for (int i = 0; i < 200; ++i) repeated += text.substr(body);
  WriteFileBytes(file, repeated);
  return file;
}

std::vector<fs::path> QuitTest::TemporaryFiles() const {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(fs::temp_directory_path())) {
    if (entry.path().filename().string().starts_with("vindaxel")) files.push_back(entry);
  }
  return files;
}

void QuitTest::PrepareImageOutput(vx::VindaxelApplication& program,
                                  std::shared_ptr<GatedPages> pages) {
  ChooseBlankMapImages(program.GetCore()->Values().print);
  vx::PrintEngine_SetPageOutput(vx::kTargetImageFiles, std::move(pages));
  actors_.push_back(std::make_unique<OnShow<vx::ImageOutputDialog>>(
      [](vx::ImageOutputDialog* dialog) { Click(dialog, IDOK); }));
}

void QuitTest::HoldPreviewDocument(vx::VindaxelApplication& program) {
  program.GetCore()->Values().print.mode = 3;
  for (int kind = 1; kind <= vx::kDocumentKindCount; ++kind) {
    vx::PrintDocumentRun run = vx::PrintEngine_State().documents[kind];
    vx::PrintEngine_SetDocument(kind, [this, run, kind](vx::PrintJob& job, int target) {
      if (target == vx::kTargetPreview) gate_.Hold(kind, [this] { Quit(); });
      return run(job, target);
    });
  }
  actors_.push_back(std::make_unique<OnShow<vx::PrintDialog>>(
      [](vx::PrintDialog* dialog) { Click(dialog, 1052); }));  // the preview
}

fs::path QuitTest::WriteDiscMissingADay() {
  const fs::path disc = root / "disc95";
  ChildProcess make;
  EXPECT_TRUE(make.Start(VX_SAMPLE_DISC_TOOL, {"--out", disc.string(), "--event", "95", "--size",
                                               "small", "--seed", "1"}));
  EXPECT_TRUE(make.WaitForExit(std::chrono::minutes(1)));
  EXPECT_EQ(make.ExitCode(), 0) << make.Output();
  fs::remove(disc / "V95ROM2.TXT");
  return disc;
}

void QuitTest::QuitWhileWorkRuns(Work work, Trigger trigger) {
  int restarts = 0;
  auto owned = std::make_unique<vx::VindaxelApplication>(
      std::vector<std::string>{},
      [&](const QString&, const QStringList&) { return ++restarts, true; });
  vx::VindaxelApplication& program = *owned;
  program_ = &program;
  ASSERT_TRUE(program.Start());
  trigger_ = trigger;
  if (trigger == Trigger::kWindowClose) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_NE(x11, nullptr);
    x11Connection_ = x11->connection();
    mainWindowId_ = static_cast<std::uint32_t>(program.GetMainWindow()->winId());
    closeAtoms_ = vx::BlockedCloseFilter::X11Atoms();
  }
  vx::CatalogController& controller = *program.GetCore()->Controller();
  const auto temporaryBefore = TemporaryFiles();
  const std::string databaseBefore = ReadFileBytes(root / "vindaxel96.db");
  OnShow<QMessageBox> answer([](QMessageBox* box) {
    QAbstractButton* yes = box->button(QMessageBox::Yes);
    yes ? yes->click() : box->accept();
  });
  std::function<void()> start;
  auto pages = std::make_shared<GatedPages>(gate_, [this] { Quit(); });
  switch (work) {
    case Work::kInstall: {
      const fs::path definitions = WriteDiscMissingADay() / "V95DEF.TXT";
      // The file chosen in the install dialog, then the quit while the install asks for the
      // second day's file.
      actors_.push_back(std::make_unique<OnShow<QFileDialog>>([this, definitions](QFileDialog* d) {
        if (d->windowTitle().contains(QStringLiteral("の場所の指定"))) return Quit();
        d->selectFile(QString::fromStdString(definitions.string()));
        static_cast<QDialog*>(d)->accept();
      }));
      actors_.push_back(
          std::make_unique<OnShow<vx::CatalogInstallDialog>>([](vx::CatalogInstallDialog* dialog) {
            Click(dialog, IDC_DB_BROWSE);
            Click(dialog, IDC_DB_INSTALL);
          }));
      start = [&] { program.GetMainWindow()->RunCommand(ID_CIRCLE_DATA); };
      break;
    }
    case Work::kChecklistLoad: {
      const fs::path file = WriteLongChecklist(controller);
      actors_.push_back(
          std::make_unique<OnShow<vx::ProgressDialog>>([this](vx::ProgressDialog* dialog) {
            QObject::connect(dialog->BarControl(), &QProgressBar::valueChanged, [this](int value) {
              if (value > 0) Quit();
            });
          }));
      start = [&controller, file] { controller.OpenChecklistFile(file); };
      break;
    }
    case Work::kPreview:
      HoldPreviewDocument(program);
      start = [&] { program.GetMainWindow()->RunCommand(ID_PRINT); };
      break;
    case Work::kPrint:
      PrepareImageOutput(program, pages);
      start = [&] { program.GetMainWindow()->RunCommand(ID_IMAGE_OUTPUT); };
      break;
    case Work::kUpdate: {
      TestReply stalled;
      stalled.body = std::string(64 * 1024, 'z');
      stalled.delivery = TestReply::Delivery::kStall;
      server.Handle("/quillor/update/VQ096SJIS.ZIP", [this, stalled](const TestRequest&) {
        Quit();
        return stalled;
      });
      start = [&] { program.GetMainWindow()->RunCommand(ID_UPDATE_FROM_NET); };
      break;
    }
  }
  MainLoopDeadline deadline(std::chrono::seconds(15), [this] { gate_.Release(); });
  QTimer::singleShot(0, [&] { start(); });
  EXPECT_EQ(program.Run(), 0);
  EXPECT_TRUE(quitting_);
  EXPECT_FALSE(program.GetMainWindow()->isVisible());
  EXPECT_FALSE(controller.GetGuard().IsRaised());
  switch (work) {
    case Work::kInstall:
    case Work::kUpdate:
      EXPECT_TRUE(ReadFileBytes(root / "vindaxel96.db") == databaseBefore);
      EXPECT_EQ(TemporaryFiles(), temporaryBefore);
      EXPECT_EQ(restarts, 0);
      if (work == Work::kUpdate) {
        EXPECT_EQ(server.RequestCount(), 1);
      }
      break;
    case Work::kChecklistLoad:
      EXPECT_EQ(controller.GetFavoriteStore()->GetEntryCount(), 0);
      EXPECT_TRUE(controller.ChecklistPath().empty());
      break;
    case Work::kPreview:
      EXPECT_TRUE(gate_.SawStop());
      break;
    case Work::kPrint:
      EXPECT_TRUE(gate_.SawStop());
      EXPECT_TRUE(pages->closed);  // on the document thread, before its end message
      for (const auto& entry : fs::directory_iterator(out.Path())) {
        EXPECT_EQ(entry.path().filename(), "map001.png");
        EXPECT_FALSE(QImage(QString::fromStdString(entry.path().string())).isNull());
      }
      EXPECT_FALSE(fs::exists(out / "map002.png"));
      break;
  }
  actors_.clear();
  owned.reset();
  EXPECT_NE(ReadFileBytes(root / "vindaxel.ini").find("LastSelPage="), std::string::npos);
}

}  // namespace vxtest
