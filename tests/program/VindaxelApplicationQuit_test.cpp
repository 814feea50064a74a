// Quitting while work runs in a modal dialog: a close request (as the window system or the
// session makes it) and SIGTERM both end the program within seconds, with the worker stopped and
// joined and nothing half-done left behind.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <tuple>

#include "app/ApplicationCore.h"
#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "checklist/FavoriteStore.h"
#include "platform/qt/UiThread.h"
#include "print/ImageFileOutput.h"
#include "print/PrintEngine.h"
#include "print/PrintJob.h"
#include "program/VindaxelApplication.h"
#include "res/ResourceIds.h"
#include "tests/program/SampleProfile.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/web/support/TestHttpServer.h"
#include "ui/main/MainWindow.h"
#include "ui/print/ImageOutputDialog.h"
#include "ui/widgets/ProgressDialog.h"

namespace {

namespace fs = std::filesystem;

enum class Work { kPrint, kChecklistLoad, kUpdate };
enum class Trigger { kClose, kSigterm };

// Acts on every window of type T once it shows, from the event loop.
template <class T>
class OnShow : public QObject {
 public:
  explicit OnShow(std::function<void(T*)> act) : act_(std::move(act)) {
    qApp->installEventFilter(this);
  }
  ~OnShow() override { qApp->removeEventFilter(this); }

  bool eventFilter(QObject* object, QEvent* event) override {
    auto* window = qobject_cast<T*>(object);
    if (event->type() == QEvent::Show && window && window->isWindow()) {
      QTimer::singleShot(0, window, [this, window] { act_(window); });
    }
    return false;
  }

 private:
  std::function<void(T*)> act_;
};

// Image files of the blank maps; after the first page the document waits for its stop flag.
class GatedPages : public vx::PrintPageOutput {
 public:
  explicit GatedPages(std::function<void()> firstPage) : firstPage_(std::move(firstPage)) {}
  int Open(vx::PrintJob& job) override { return files_.Open(job); }
  int Put(vx::PrintJob& job) override {
    const int result = files_.Put(job);
    if (pages_++ > 0) return result;
    firstPage_();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (vx::PrintEngine_StopFlag(vx::PrintEngine_DocumentKind()) == 0 &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::yield();
    }
    return result;
  }
  int Close(vx::PrintJob& job) override {
    closed = true;
    return files_.Close(job);
  }

  std::atomic<bool> closed{false};

 private:
  vx::ImageFileOutput files_;
  std::function<void()> firstPage_;
  int pages_ = 0;
};

class QuitTest : public vxtest::SampleProgramTest {
 protected:
  void SetUp() override {
    SampleProgramTest::SetUp();
    ::setenv("VINDAXEL_UPDATE_SERVER", server.BaseUrl().c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("VINDAXEL_UPDATE_SERVER");
    SampleProgramTest::TearDown();
  }

  // From any thread, once: the quit as `trigger_` makes it.
  void Quit() {
    if (quitting_.exchange(true)) return;
    if (trigger_ == Trigger::kSigterm) {
      ::kill(::getpid(), SIGTERM);
      return;
    }
    vx::PostToUiThread([this] { program_->Close(); });
  }

  // The checklist of many circles; repeated, so that reading it takes a while.
  fs::path WriteLongChecklist(vx::CatalogController& controller) {
    const fs::path file = root / "long.csv";
    const int circles = program_->core()->database()->GetMaxCircleId();
    for (int id = 1; id <= circles; ++id) controller.SetCircleColor(1, id);
    EXPECT_FALSE(controller.GetFavoriteStore()->Save(file));
    controller.NewChecklist(true);
    const std::string text = vxtest::ReadFileBytes(file);
    const std::size_t body = text.find("\r\nCircle,") + 2;
    std::string repeated = text;
    for (int i = 0; i < 200; ++i) repeated += text.substr(body);
    vxtest::WriteFileBytes(file, repeated);
    return file;
  }

  std::vector<fs::path> TemporaryFiles() const {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path())) {
      if (entry.path().filename().string().starts_with("vindaxel")) files.push_back(entry);
    }
    return files;
  }

  // Blank maps to image files, the pages going to `pages`.
  void PrepareImageOutput(vx::VindaxelApplication& program, std::shared_ptr<GatedPages> pages) {
    ChooseBlankMapImages(program.core()->values().print);
    vx::PrintEngine_SetPageOutput(vx::kTargetImageFiles, std::move(pages));
    okOnImageOutput_ = std::make_unique<OnShow<vx::ImageOutputDialog>>(
        [](vx::ImageOutputDialog* dialog) {
          vxtest::Control<QPushButton>(dialog, IDOK)->click();
        });
  }

  vxtest::TestHttpServer server;
  vx::VindaxelApplication* program_ = nullptr;
  Trigger trigger_ = Trigger::kClose;
  std::atomic<bool> quitting_{false};
  std::unique_ptr<QObject> okOnImageOutput_;
};

class QuitWhileWorkTest : public QuitTest,
                          public ::testing::WithParamInterface<std::tuple<Work, Trigger>> {};

TEST_P(QuitWhileWorkTest, EndsWithinSecondsWithTheWorkerJoinedAndNothingHalfDone) {
  int restarts = 0;
  auto owned = std::make_unique<vx::VindaxelApplication>(
      std::vector<std::string>{}, [&](const QString&, const QStringList&) {
        return ++restarts, true;
      });
  vx::VindaxelApplication& program = *owned;
  program_ = &program;
  ASSERT_TRUE(program.Start());
  trigger_ = std::get<1>(GetParam());
  vx::CatalogController& controller = *program.core()->controller();
  const auto temporaryBefore = TemporaryFiles();
  const std::string databaseBefore = vxtest::ReadFileBytes(root / "vindaxel96.db");
  OnShow<QMessageBox> answer([](QMessageBox* box) {
    QAbstractButton* yes = box->button(QMessageBox::Yes);
    yes ? yes->click() : box->accept();
  });
  std::function<void()> start;
  std::unique_ptr<QObject> watch;
  auto pages = std::make_shared<GatedPages>([this] { Quit(); });
  switch (std::get<0>(GetParam())) {
    case Work::kPrint:
      PrepareImageOutput(program, pages);
      start = [&] { program.mainWindow()->RunCommand(ID_IMAGE_OUTPUT); };
      break;
    case Work::kChecklistLoad: {
      const fs::path file = WriteLongChecklist(controller);
      watch = std::make_unique<OnShow<vx::ProgressDialog>>([this](vx::ProgressDialog* dialog) {
        QObject::connect(dialog->BarControl(), &QProgressBar::valueChanged, [this](int value) {
          if (value > 0) Quit();
        });
      });
      start = [&controller, file] { controller.OpenChecklistFile(file); };
      break;
    }
    case Work::kUpdate: {
      vxtest::TestReply stalled;
      stalled.body = std::string(64 * 1024, 'z');
      stalled.delivery = vxtest::TestReply::Delivery::kStall;
      server.Handle("/quillor/update/VQ096SJIS.ZIP", [this, stalled](const vxtest::TestRequest&) {
        Quit();
        return stalled;
      });
      start = [&] { program.mainWindow()->RunCommand(ID_UPDATE_FROM_NET); };
      break;
    }
  }
  vxtest::Watchdog watchdog(15000);
  QTimer::singleShot(0, [&] { start(); });
  EXPECT_EQ(program.Run(), 0);
  EXPECT_TRUE(quitting_);
  EXPECT_FALSE(program.mainWindow()->isVisible());
  EXPECT_FALSE(controller.Guard().IsRaised());
  switch (std::get<0>(GetParam())) {
    case Work::kPrint:
      EXPECT_TRUE(pages->closed);  // on the document thread, before its end message
      for (const auto& entry : fs::directory_iterator(out.path())) {
        EXPECT_EQ(entry.path().filename(), "map001.png");
        EXPECT_FALSE(QImage(QString::fromStdString(entry.path().string())).isNull());
      }
      EXPECT_FALSE(fs::exists(out / "map002.png"));
      break;
    case Work::kChecklistLoad:
      EXPECT_EQ(controller.GetFavoriteStore()->GetEntryCount(), 0);
      EXPECT_TRUE(controller.ChecklistPath().empty());
      break;
    case Work::kUpdate:
      EXPECT_EQ(server.RequestCount(), 1);
      EXPECT_TRUE(vxtest::ReadFileBytes(root / "vindaxel96.db") == databaseBefore);
      EXPECT_EQ(TemporaryFiles(), temporaryBefore);
      EXPECT_EQ(restarts, 0);
      break;
  }
  owned.reset();
  EXPECT_NE(vxtest::ReadFileBytes(root / "vindaxel.ini").find("LastSelPage="), std::string::npos);
}

// A changed checklist is asked about once the work has stopped, as when the user closes the
// window; Cancel keeps the program running, and a later close asks again.
TEST_F(QuitTest, AChangedChecklistIsAskedAboutOnceTheWorkHasStopped) {
  vx::VindaxelApplication program({});
  program_ = &program;
  ASSERT_TRUE(program.Start());
  trigger_ = Trigger::kSigterm;
  vx::CatalogController& controller = *program.core()->controller();
  controller.SetCircleColor(2, controller.CurrentCircle().id);
  auto pages = std::make_shared<GatedPages>([this] { Quit(); });
  PrepareImageOutput(program, pages);
  int questions = 0;
  OnShow<QMessageBox> answer([&](QMessageBox* box) {
    EXPECT_TRUE(pages->closed);  // the print has ended before the question
    const bool first = ++questions == 1;
    box->button(first ? QMessageBox::Cancel : QMessageBox::No)->click();
    if (first) QTimer::singleShot(0, &program, [&] { program.Close(); });
  });
  vxtest::Watchdog watchdog(15000);
  QTimer::singleShot(0, [&] { program.mainWindow()->RunCommand(ID_IMAGE_OUTPUT); });
  EXPECT_EQ(program.Run(), 0);
  EXPECT_EQ(questions, 2);
  EXPECT_FALSE(program.mainWindow()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    WhileWorkRuns, QuitWhileWorkTest,
    ::testing::Combine(::testing::Values(Work::kPrint, Work::kChecklistLoad, Work::kUpdate),
                       ::testing::Values(Trigger::kClose, Trigger::kSigterm)));

}  // namespace
