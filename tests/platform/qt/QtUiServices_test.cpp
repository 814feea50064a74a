#include "platform/qt/QtUiServices.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "platform/CodePage.h"
#include "tests/support/TempDir.h"

namespace {

using vx::QtUiServices;

// Calls `drive` with the next modal window once it is shown (looked for every 5 ms, 10 s at most).
void WhenModalShows(std::function<void(QWidget*)> drive) {
  auto* timer = new QTimer(QCoreApplication::instance());
  auto deadline = std::make_shared<QDeadlineTimer>(10000);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, deadline, drive] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr && !deadline->hasExpired()) return;
    timer->stop();
    timer->deleteLater();
    if (modal == nullptr) {
      ADD_FAILURE() << "no modal window appeared";
      return;
    }
    drive(modal);
  });
  timer->start(5);
}

template <typename Dialog>
void WhenDialogShows(std::function<void(Dialog*)> drive) {
  WhenModalShows([drive](QWidget* modal) {
    auto* dialog = qobject_cast<Dialog*>(modal);
    if (dialog == nullptr) {
      ADD_FAILURE() << "the modal window is a " << modal->metaObject()->className();
      modal->close();
      return;
    }
    drive(dialog);
  });
}

QAbstractButton* ButtonWithText(QMessageBox* box, const QString& text) {
  for (QAbstractButton* button : box->buttons()) {
    if (button->text() == text) return button;
  }
  ADD_FAILURE() << "no button " << text.toStdString();
  return nullptr;
}

void ClickButton(QMessageBox* box, const QString& text) {
  if (QAbstractButton* button = ButtonWithText(box, text)) button->click();
}

void PressKey(QWidget* widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

QStringList ButtonTexts(QMessageBox* box) {
  QStringList texts;
  for (QAbstractButton* button : box->buttons()) texts << button->text();
  texts.sort();
  return texts;
}

QString Utf16(const char* utf8) { return QString::fromUtf8(utf8); }

struct ButtonCase {
  int answer;
  const char* text;
};

const ButtonCase kButtons[] = {
    {IDOK, "OK"},           {IDCANCEL, "キャンセル"},
    {IDABORT, "中止(&A)"},  {IDRETRY, "再試行(&R)"},
    {IDIGNORE, "無視(&I)"}, {IDYES, "はい(&Y)"},
    {IDNO, "いいえ(&N)"},
};

QString TextOf(int answer) {
  for (const ButtonCase& button : kButtons) {
    if (button.answer == answer) return Utf16(button.text);
  }
  return {};
}

TEST(QtMessageBox, EveryButtonOfEveryTypeGivesItsAnswer) {
  QtUiServices ui;
  for (unsigned type : {vx::MB_OK, vx::MB_OKCANCEL, vx::MB_ABORTRETRYIGNORE, vx::MB_YESNOCANCEL,
                        vx::MB_YESNO, vx::MB_RETRYCANCEL}) {
    for (int answer : vx::MessageBoxAnswers(type)) {
      QStringList shown;
      WhenDialogShows<QMessageBox>([&](QMessageBox* box) {
        shown = ButtonTexts(box);
        ClickButton(box, TextOf(answer));
      });
      EXPECT_EQ(ui.MessageBox(nullptr, "text", "caption", type), answer) << "type " << type;

      QStringList expected;
      for (int offered : vx::MessageBoxAnswers(type)) expected << TextOf(offered);
      expected.sort();
      EXPECT_EQ(shown, expected) << "type " << type;
    }
  }
}

TEST(QtMessageBox, IconFollowsTheIconFlags) {
  QtUiServices ui;
  const std::pair<unsigned, QMessageBox::Icon> cases[] = {
      {vx::MB_ICONHAND, QMessageBox::Critical},
      {vx::MB_ICONQUESTION, QMessageBox::Question},
      {vx::MB_ICONEXCLAMATION, QMessageBox::Warning},
      {vx::MB_ICONASTERISK, QMessageBox::Information},
      {0, QMessageBox::NoIcon},
  };
  for (const auto& [flag, icon] : cases) {
    QMessageBox::Icon shown = QMessageBox::NoIcon;
    WhenDialogShows<QMessageBox>([&](QMessageBox* box) {
      shown = box->icon();
      ClickButton(box, Utf16("OK"));
    });
    ui.MessageBox(nullptr, "text", "", vx::MB_OK | flag);
    EXPECT_EQ(shown, icon) << "flag " << flag;
  }
}

TEST(QtMessageBox, EnterAnswersTheDefaultButton) {
  QtUiServices ui;
  const std::pair<unsigned, int> cases[] = {
      {vx::MB_YESNOCANCEL, IDYES},
      {vx::MB_YESNOCANCEL | vx::MB_DEFBUTTON2, IDNO},
      {vx::MB_YESNOCANCEL | vx::MB_DEFBUTTON3, IDCANCEL},
      {vx::MB_ABORTRETRYIGNORE | vx::MB_DEFBUTTON3, IDIGNORE},
      {vx::MB_YESNO | vx::MB_DEFBUTTON3, IDYES},
  };
  for (const auto& [flags, answer] : cases) {
    QString defaultText;
    WhenDialogShows<QMessageBox>([&](QMessageBox* box) {
      if (box->defaultButton() != nullptr) defaultText = box->defaultButton()->text();
      PressKey(box, Qt::Key_Return);
    });
    EXPECT_EQ(ui.MessageBox(nullptr, "text", "", flags), answer) << "flags " << flags;
    EXPECT_EQ(defaultText, TextOf(answer));
  }
}

TEST(QtMessageBox, EscapeAnswersCancelOrOkAsTheClassicBox) {
  QtUiServices ui;
  const std::pair<unsigned, int> cases[] = {
      {vx::MB_OK, IDOK},
      {vx::MB_OKCANCEL, IDCANCEL},
      {vx::MB_YESNOCANCEL | vx::MB_DEFBUTTON1, IDCANCEL},
      {vx::MB_RETRYCANCEL, IDCANCEL},
  };
  for (const auto& [flags, answer] : cases) {
    WhenDialogShows<QMessageBox>([](QMessageBox* box) { PressKey(box, Qt::Key_Escape); });
    EXPECT_EQ(ui.MessageBox(nullptr, "text", "", flags), answer) << "flags " << flags;
  }
}

TEST(QtMessageBox, ClosingTheWindowAnswersCancel) {
  QtUiServices ui;
  WhenDialogShows<QMessageBox>([](QMessageBox* box) { box->close(); });
  EXPECT_EQ(ui.MessageBox(nullptr, "text", "", vx::MB_YESNOCANCEL), IDCANCEL);
}

// A question without Cancel must be answered with a button: Escape and closing are ignored.
TEST(QtMessageBox, QuestionsWithoutCancelIgnoreEscapeAndClose) {
  QtUiServices ui;
  const std::pair<unsigned, int> cases[] = {{vx::MB_YESNO, IDYES},
                                            {vx::MB_ABORTRETRYIGNORE, IDRETRY}};
  for (const auto& [flags, answer] : cases) {
    bool stillShown = false;
    WhenDialogShows<QMessageBox>([&, answer = answer](QMessageBox* box) {
      PressKey(box, Qt::Key_Escape);
      box->close();
      QTimer::singleShot(0, box, [&, box, answer] {
        stillShown = box->isVisible();
        ClickButton(box, TextOf(answer));
      });
    });
    EXPECT_EQ(ui.MessageBox(nullptr, "text", "", flags), answer) << "flags " << flags;
    EXPECT_TRUE(stillShown);
  }
}

TEST(QtMessageBox, ShowsCp932TextAsPlainTextWithTheOwnerAsParent) {
  QtUiServices ui;
  QWidget owner;
  QString title;
  QString text;
  Qt::TextFormat format = Qt::AutoText;
  QWidget* parent = nullptr;
  WhenDialogShows<QMessageBox>([&](QMessageBox* box) {
    title = box->windowTitle();
    text = box->text();
    format = box->textFormat();
    parent = box->parentWidget();
    ClickButton(box, Utf16("OK"));
  });
  ui.MessageBox(&owner, vx::Sjis("<b>サークル</b> & 更新\r\n完了"), vx::Sjis("データベースの更新"),
                vx::MB_OK | vx::MB_ICONINFORMATION);
  EXPECT_EQ(title, Utf16("データベースの更新"));
  EXPECT_EQ(text, Utf16("<b>サークル</b> & 更新\n完了"));
  EXPECT_EQ(format, Qt::PlainText);
  EXPECT_EQ(parent, &owner);
}

TEST(QtMessageBox, WorkerThreadBoxIsShownOnTheUiThread) {
  QtUiServices ui;
  QThread* boxThread = nullptr;
  WhenDialogShows<QMessageBox>([&](QMessageBox* box) {
    boxThread = box->thread();
    ClickButton(box, TextOf(IDNO));
  });
  std::atomic<int> answer = 0;
  QEventLoop loop;
  std::thread worker([&] {
    answer = ui.MessageBox(nullptr, "from a worker", "", vx::MB_YESNO);
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);
  loop.exec();
  worker.join();
  EXPECT_EQ(answer, IDNO);
  EXPECT_EQ(boxThread, QCoreApplication::instance()->thread());
}

TEST(QtNameFilters, ConvertsClassicPairs) {
  const QStringList filters =
      vx::ToQtNameFilters(vx::Sjis("動作設定ファイル(*.ini)|*.ini|全てのファイル (*.*)|*.*|"));
  EXPECT_EQ(filters, QStringList({Utf16("動作設定ファイル(*.ini) (*.ini)"),
                                  Utf16("全てのファイル (*.*) (*)")}));
}

TEST(QtNameFilters, SeveralPatternsAndNamesWithABarByte) {
  // "－" is 0x81 0x7C in CP932: its second byte is '|'.
  const QStringList filters =
      vx::ToQtNameFilters(vx::Sjis("画像－PNG|*.png; *.PNG|JPEG|*.jpg;*.jpeg"));
  EXPECT_EQ(filters, QStringList({Utf16("画像－PNG (*.png *.PNG)"), Utf16("JPEG (*.jpg *.jpeg)")}));
}

TEST(QtNameFilters, IncompletePairsAreDroppedAndEmptyNamesShowThePattern) {
  EXPECT_TRUE(vx::ToQtNameFilters("").isEmpty());
  EXPECT_TRUE(vx::ToQtNameFilters("Name only").isEmpty());
  EXPECT_TRUE(vx::ToQtNameFilters("Empty||").isEmpty());
  EXPECT_EQ(vx::ToQtNameFilters("|*.csv|Trailing"), QStringList({Utf16("*.csv (*.csv)")}));
}

TEST(QtFileDialogs, SaveShowsTheRequestAndAddsTheDefaultExtension) {
  vxtest::TempDir dir;
  const std::filesystem::path folder = dir / "設定";
  std::filesystem::create_directory(folder);
  QtUiServices ui;
  QString title;
  QStringList filters;
  QString shownFolder;
  WhenDialogShows<QFileDialog>([&](QFileDialog* dialog) {
    title = dialog->windowTitle();
    filters = dialog->nameFilters();
    shownFolder = dialog->directory().absolutePath();
    dialog->selectFile(QString::fromStdString((folder / "export").string()));
    static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
  });
  const vx::FileDialogRequest request{vx::Sjis("動作設定ファイルの選択"),
                                      vx::Sjis("動作設定ファイル(*.ini)|*.ini|"), folder, "ini"};
  EXPECT_EQ(ui.SaveFileDialog(nullptr, request), folder / "export.ini");
  EXPECT_EQ(title, Utf16("動作設定ファイルの選択"));
  EXPECT_EQ(filters, QStringList({Utf16("動作設定ファイル(*.ini) (*.ini)")}));
  EXPECT_EQ(shownFolder, QString::fromStdString(folder.string()));
}

TEST(QtFileDialogs, OpenStartsAtTheGivenFileAndReturnsIt) {
  vxtest::TempDir dir;
  const std::filesystem::path file = dir / "チェックリスト.csv";
  vxtest::WriteFileBytes(file, "Header\r\n");
  QtUiServices ui;
  QStringList preselected;
  QFileDialog::FileMode mode = QFileDialog::AnyFile;
  WhenDialogShows<QFileDialog>([&](QFileDialog* dialog) {
    preselected = dialog->selectedFiles();
    mode = dialog->fileMode();
    static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
  });
  const vx::FileDialogRequest request{"", "CSV|*.csv|", file, "csv"};
  EXPECT_EQ(ui.OpenFileDialog(nullptr, request), file);
  EXPECT_EQ(preselected, QStringList({QString::fromStdString(file.string())}));
  EXPECT_EQ(mode, QFileDialog::ExistingFile);
}

TEST(QtFileDialogs, CancelAnswersNothing) {
  vxtest::TempDir dir;
  QtUiServices ui;
  WhenDialogShows<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_EQ(ui.OpenFileDialog(nullptr, {"", "", dir.path(), ""}), std::nullopt);
  WhenDialogShows<QFileDialog>([](QFileDialog* dialog) { PressKey(dialog, Qt::Key_Escape); });
  EXPECT_EQ(ui.SaveFileDialog(nullptr, {"", "", dir.path(), "ini"}), std::nullopt);
  WhenDialogShows<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_EQ(ui.FolderDialog(nullptr, "", dir.path()), std::nullopt);
}

TEST(QtFileDialogs, FolderDialogChoosesAFolder) {
  vxtest::TempDir dir;
  const std::filesystem::path sub = dir / "画像";
  std::filesystem::create_directory(sub);
  QtUiServices ui;
  QString title;
  QFileDialog::FileMode mode = QFileDialog::AnyFile;
  WhenDialogShows<QFileDialog>([&](QFileDialog* dialog) {
    title = dialog->windowTitle();
    mode = dialog->fileMode();
    dialog->selectFile(QString::fromStdString(sub.string()));
    static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
  });
  EXPECT_EQ(ui.FolderDialog(nullptr, vx::Sjis("出力先"), dir.path()), sub);
  EXPECT_EQ(title, Utf16("出力先"));
  EXPECT_EQ(mode, QFileDialog::Directory);
}

TEST(QtClipboard, JapaneseTextRoundTripsThroughCp932) {
  QtUiServices ui;
  const std::string cp932 = vx::Sjis("QUILLOR,104,日本語－～\r\n");
  ASSERT_TRUE(ui.SetClipboardText(cp932));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), Utf16("QUILLOR,104,日本語－～\r\n"));
  EXPECT_TRUE(ui.HasClipboardText());
  EXPECT_EQ(ui.ClipboardText(), cp932);
}

TEST(QtClipboard, TextFromOtherProgramsIsReadAsCp932) {
  QtUiServices ui;
  QGuiApplication::clipboard()->setText(Utf16("サークル😀"));
  EXPECT_EQ(ui.ClipboardText(), vx::Sjis("サークル") + "?");
}

TEST(QtClipboard, EmptyClipboardHasNoText) {
  QtUiServices ui;
  QGuiApplication::clipboard()->clear();
  EXPECT_FALSE(ui.HasClipboardText());
  EXPECT_EQ(ui.ClipboardText(), "");
}

class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
  Q_INVOKABLE void open(const QUrl& url) { urls << url; }
};

// Stands in for the desktop: the schemes are routed to a recorder instead of a browser.
class QtUrls : public testing::Test {
 protected:
  void SetUp() override {
    for (const QString& scheme : kSchemes)
      QDesktopServices::setUrlHandler(scheme, &recorder, "open");
  }
  void TearDown() override {
    for (const QString& scheme : kSchemes) QDesktopServices::unsetUrlHandler(scheme);
  }

  const QStringList kSchemes = {QStringLiteral("http"), QStringLiteral("https"),
                                QStringLiteral("mailto"), QStringLiteral("file"),
                                QStringLiteral("javascript")};
  UrlRecorder recorder;
  QtUiServices ui;
};

TEST_F(QtUrls, WebAndMailAddressesAreOpened) {
  EXPECT_TRUE(ui.OpenUrl(vx::Sjis("https://example.com/search?q=サークル")));
  EXPECT_TRUE(ui.OpenUrl("mailto:someone@example.com"));
  ASSERT_EQ(recorder.urls.size(), 2);
  EXPECT_EQ(recorder.urls[0].host(), QStringLiteral("example.com"));
  EXPECT_EQ(recorder.urls[0].query(QUrl::FullyDecoded), Utf16("q=サークル"));
  EXPECT_EQ(recorder.urls[1].scheme(), QStringLiteral("mailto"));
}

TEST_F(QtUrls, OtherSchemesAreRefused) {
  EXPECT_FALSE(ui.OpenUrl("file:///etc/passwd"));
  EXPECT_FALSE(ui.OpenUrl("javascript:alert(1)"));
  EXPECT_FALSE(ui.OpenUrl("JavaScript:alert(1)"));
  EXPECT_FALSE(ui.OpenUrl(" http://example.com/"));
  EXPECT_TRUE(recorder.urls.isEmpty());
}

// Waits (10 s at most) for `file` to appear and returns its bytes.
std::string WaitForFile(const std::filesystem::path& file) {
  QDeadlineTimer deadline(10000);
  while (!std::filesystem::exists(file) && !deadline.hasExpired()) QThread::msleep(10);
  return std::filesystem::exists(file) ? vxtest::ReadFileBytes(file) : std::string("<none>");
}

TEST(QtBrowser, RunsTheProgramWithTheAddressAsItsOnlyArgument) {
  vxtest::TempDir dir;
  const std::filesystem::path script = dir / "browser.sh";
  const std::filesystem::path output = dir / "args.txt";
  vxtest::WriteFileBytes(script, "#!/bin/sh\nprintf '%s|' \"$@\" > \"" + output.string() +
                                     ".tmp\"\n"
                                     "mv \"" +
                                     output.string() + ".tmp\" \"" + output.string() + "\"\n");
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  QtUiServices ui;

  ASSERT_TRUE(ui.RunBrowser(script, "http://example.com/a b?x=1&y=2"));
  EXPECT_EQ(WaitForFile(output), "http://example.com/a b?x=1&y=2|");
}

TEST(QtBrowser, RefusesOptionLikeAndLocalAddressesAndMissingPrograms) {
  vxtest::TempDir dir;
  QtUiServices ui;
  EXPECT_FALSE(ui.RunBrowser("/bin/true", "--new-window"));
  EXPECT_FALSE(ui.RunBrowser("/bin/true", "file:///etc/passwd"));
  EXPECT_FALSE(ui.RunBrowser("", "http://example.com/"));
  EXPECT_FALSE(ui.RunBrowser(dir / "no-such-browser", "http://example.com/"));
}

}  // namespace

#include "QtUiServices_test.moc"
