// Quitting while work runs in a modal dialog: the program on the sample profile, each kind of
// long work held at a point where it waits for the quit, and the quit made as SIGTERM, as the
// program's own Close(), or as the window manager closing the main window. After the quit the
// program has ended within seconds, its worker stopped and joined, nothing half-done left.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/ApplicationCore.h"
#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "checklist/FavoriteStore.h"
#include "data/PavorunDatabase.h"
#include "platform/qt/UiThread.h"
#include "print/ImageFileOutput.h"
#include "print/PrintEngine.h"
#include "print/PrintEngineState.h"
#include "print/PrintJob.h"
#include "program/BlockedCloseFilter.h"
#include "program/VindaxelApplication.h"
#include "res/ResourceIds.h"
#include "tests/program/OnShow.h"
#include "tests/program/SampleProfile.h"
#include "tests/support/EventLoopDeadline.h"
#include "tests/support/ThreadCounter.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/web/support/TestHttpServer.h"
#include "ui/dialogs/CatalogInstallDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/print/ImageOutputDialog.h"
#include "ui/print/PrintDialog.h"
#include "ui/widgets/ProgressDialog.h"

namespace vxtest {

enum class Work { kInstall, kChecklistLoad, kPreview, kPrint, kUpdate };
enum class Trigger { kClose, kSigterm, kWindowClose };

inline void PrintTo(Work work, std::ostream* out) {
  constexpr const char* kNames[] = {"install", "checklist load", "preview", "print", "update"};
  *out << kNames[static_cast<int>(work)];
}
inline void PrintTo(Trigger trigger, std::ostream* out) {
  constexpr const char* kNames[] = {"Close()", "SIGTERM", "window manager's close"};
  *out << kNames[static_cast<int>(trigger)];
}

// Holds a print or preview document once it has begun, until its stop flag is up: the dialogs
// raise it when the quit ends their modal loop. The UI thread looks each time it is about to
// wait for events; at the deadline the document is let go (and the test fails).
class DocumentGate {
 public:
  DocumentGate() {
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &context_, [this] {
                       const int kind = kind_.load();
                       if (kind > 0 && vx::PrintEngine_StopFlag(kind) != 0 && !released_) {
                         released_ = true;
                         stopped_.Raise();
                       }
                     });
  }

  // On the document's thread: `begun` (the quit), then the wait for the stop.
  void Hold(int documentKind, const std::function<void()>& begun) {
    kind_ = documentKind;
    begun();
    stopped_.WaitFor(1);
  }
  void Release() { stopped_.Raise(); }
  // UI thread: the document was let go because its stop flag was up.
  bool SawStop() const { return released_; }

 private:
  QObject context_;
  std::atomic<int> kind_{0};
  bool released_ = false;  // UI thread
  ThreadCounter stopped_;
};

// Image files of the blank maps; the first page holds the document.
class GatedPages : public vx::PrintPageOutput {
 public:
  GatedPages(DocumentGate& gate, std::function<void()> firstPage)
      : gate_(gate), firstPage_(std::move(firstPage)) {}
  int Open(vx::PrintJob& job) override { return files_.Open(job); }
  int Put(vx::PrintJob& job) override {
    const int result = files_.Put(job);
    if (pages_++ == 0) gate_.Hold(vx::PrintEngine_DocumentKind(), firstPage_);
    return result;
  }
  int Close(vx::PrintJob& job) override {
    closed = true;
    return files_.Close(job);
  }

  std::atomic<bool> closed{false};

 private:
  DocumentGate& gate_;
  vx::ImageFileOutput files_;
  std::function<void()> firstPage_;
  int pages_ = 0;
};

class QuitTest : public SampleProgramTest {
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
  void Quit();

  // Runs `work` on a started program and quits it as `trigger` makes it, once the work waits.
  void QuitWhileWorkRuns(Work work, Trigger trigger);

  // The checklist of many circles; repeated, so that reading it takes a while.
  std::filesystem::path WriteLongChecklist(vx::CatalogController& controller);
  std::vector<std::filesystem::path> TemporaryFiles() const;
  // Blank maps to image files, the pages going to `pages`.
  void PrepareImageOutput(vx::VindaxelApplication& program, std::shared_ptr<GatedPages> pages);
  // The blank maps' document holds in the preview until it is stopped.
  void HoldPreviewDocument(vx::VindaxelApplication& program);
  // Event 95's disc without its second day's circle file: the install waits in the file dialog
  // that asks for it.
  std::filesystem::path WriteDiscMissingADay();

  TestHttpServer server;
  vx::VindaxelApplication* program_ = nullptr;
  Trigger trigger_ = Trigger::kClose;
  // Where the window manager's close goes (taken on the UI thread before the work starts).
  void* x11Connection_ = nullptr;
  std::uint32_t mainWindowId_ = 0;
  vx::BlockedCloseFilter::Atoms closeAtoms_;
  std::atomic<bool> quitting_{false};
  DocumentGate gate_;
  std::vector<std::unique_ptr<QObject>> actors_;
};

}  // namespace vxtest
