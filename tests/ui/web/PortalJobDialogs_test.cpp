// The portal jobs in the shared progress dialog with the Qt windows: the login (by a pasted
// address here, where no browser can be shown), the boxes and the export result, all shown for
// the job's worker while the dialog waits.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>

#include "platform/CodePage.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/web/PortalFixture.h"
#include "ui/web/ExportResultDialog.h"
#include "ui/web/PortalLoginPasteDialog.h"
#include "ui/web/QtPortalDialogs.h"
#include "ui/widgets/ProgressDialog.h"
#include "ui/widgets/QtUiServices.h"
#include "web/FavoriteExportJob.h"
#include "web/FavoriteImportJob.h"

namespace {

// Acts on the windows that come to the front, in order: each step waits until the window in front
// is of its type and then runs once. A timer drives it, so that it also runs inside the modal
// loops of windows that a worker opens.
class ModalScript {
 public:
  template <class T>
  void Then(std::function<void(T*)> act) {
    steps_.push_back([act](QWidget* front) {
      T* window = qobject_cast<T*>(front);
      if (window != nullptr) act(window);
      return window != nullptr;
    });
  }

  void Start() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (next_ < steps_.size() && steps_[next_](QApplication::activeModalWidget())) ++next_;
    });
    timer_.start(10);
  }
  bool Done() const { return next_ == steps_.size(); }

 private:
  std::vector<std::function<bool(QWidget*)>> steps_;
  std::size_t next_ = 0;
  QTimer timer_;
};

// The state the login page's address carries.
std::string StateOf(const QString& address) {
  const qsizetype at = address.indexOf(QStringLiteral("state=")) + 6;
  return address.mid(at, address.indexOf(QLatin1Char('&'), at) - at).toStdString();
}

class PortalJobDialogTest : public vxtest::PortalFixture {
 protected:
  void SetUp() override {
    PortalFixture::SetUp();
    services.ui = &qtUi;
    services.dialogs = &qtDialogs;
  }

  int RunDialog(vx::ProgressJob& job, const std::string& caption) {
    vx::ProgressDialog dialog(job);
    dialog.setWindowTitle(QString::fromStdString(vx::Cp932ToUtf8(caption)));
    script.Start();
    vxtest::Watchdog watchdog;
    const int result = dialog.exec();
    bar = dialog.BarControl()->value();
    EXPECT_TRUE(script.Done());
    return result;
  }

  // The next box is answered with OK; its text (UTF-8) goes to `text`.
  void AnswerBox(std::string& text) {
    script.Then<QMessageBox>([&text](QMessageBox* box) {
      text = box->text().toStdString();
      QTest::keyClick(box, Qt::Key_Return);
    });
  }

  vx::QtUiServices qtUi;
  vx::QtPortalDialogs qtDialogs{&qtUi};
  ModalScript script;
  int bar = -1;
};

TEST_F(PortalJobDialogTest, AnImportLogsInByThePastedAddressAndSaysItIsDone) {
  for (int id = 1001; id <= 1004; ++id) portal.AddFavorite(vxtest::Favorite(id, 1, "m"));
  vx::FavoriteImportJob job(task, *store, services);
  std::string loginTitle;
  std::string doneBox;
  script.Then<vx::PortalLoginPasteDialog>([&](vx::PortalLoginPasteDialog* login) {
    loginTitle = login->windowTitle().toStdString();
    const std::string back = portal.BaseUrl() +
                             "OAuth2/Blank?code=" + vxtest::FakePortal::kLoginCode +
                             "&state=" + StateOf(login->LoginAddress()->text());
    QTest::keyClicks(login->ReturnAddress(), QString::fromStdString(back));
    QTest::mouseClick(login->OkButton(), Qt::LeftButton);
  });
  AnswerBox(doneBox);
  const int result = RunDialog(job, vx::FavoriteImportJob::Caption());
  EXPECT_EQ(result, 0);
  EXPECT_EQ(loginTitle, "Orbalink 認証ダイアログ");
  EXPECT_EQ(doneBox, "インポート完了しました");
  EXPECT_EQ(StoredToken(), "token-1");
  EXPECT_EQ(store->GetImportRecords().size(), 4u);
  EXPECT_EQ(bar, 4);
}

TEST_F(PortalJobDialogTest, ACancelledLoginIsReportedAndTheDialogEnds) {
  vx::FavoriteImportJob job(task, *store, services);
  std::string box;
  script.Then<vx::PortalLoginPasteDialog>(
      [](vx::PortalLoginPasteDialog* login) { QTest::keyClick(login, Qt::Key_Escape); });
  AnswerBox(box);
  std::string end;
  AnswerBox(end);
  const int result = RunDialog(job, vx::FavoriteImportJob::Caption());
  EXPECT_EQ(result, 0);
  EXPECT_EQ(box, "認証処理がキャンセルされました");
  EXPECT_EQ(end, "ポータルのお気に入りは 1 件もインポートしていません。");
  EXPECT_EQ(portal.Server().RequestCount(), 0);
}

TEST_F(PortalJobDialogTest, AnExportListsWhatThePortalRefused) {
  services.dialogs = &dialogs;
  KnownToken();
  services.dialogs = &qtDialogs;
  ASSERT_TRUE(store->SetColor(1, 1));
  ASSERT_TRUE(store->SetColor(2, 2));
  portal.Refuse(1002, "closed");
  vx::FavoriteExportJob job(task, *store, services);
  std::string shown;
  script.Then<vx::ExportResultDialog>([&](vx::ExportResultDialog* list) {
    shown = list->TextEdit()->toPlainText().toStdString();
    QTest::keyClick(list, Qt::Key_Escape);
  });
  const int result = RunDialog(job, vx::FavoriteExportJob::Caption());
  EXPECT_EQ(result, 0);
  EXPECT_NE(shown.find("Beta:closed"), std::string::npos) << shown;
  EXPECT_EQ(portal.Stored().size(), 1u);
  EXPECT_EQ(bar, 2);
}

}  // namespace
