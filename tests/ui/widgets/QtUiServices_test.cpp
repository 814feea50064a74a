#include "ui/widgets/QtUiServices.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QMessageBox>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <fstream>
#include <functional>
#include <map>
#include <vector>

#include "platform/CodePage.h"
#include "tests/support/EventLoopDeadline.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using vx::QtUiServices;

QString Utf16(const char* utf8) { return QString::fromUtf8(utf8); }

// Calls `drive` with the modal window that the next call shows: the zero-delay timer fires in
// that window's own loop, once the window is up.
template <typename Dialog>
void WhenShown(std::function<void(Dialog*)> drive) {
  QTimer::singleShot(0, [drive] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* dialog = qobject_cast<Dialog*>(modal)) return drive(dialog);
    ADD_FAILURE() << "no dialog appeared";
    if (modal != nullptr) modal->close();
  });
}

QString TextOf(int answer) {
  static const std::map<int, const char*> kTexts = {
      {IDOK, "OK"},           {IDCANCEL, "キャンセル"},
      {IDABORT, "中止(&A)"},  {IDRETRY, "再試行(&R)"},
      {IDIGNORE, "無視(&I)"}, {IDYES, "はい(&Y)"},
      {IDNO, "いいえ(&N)"}};
  return Utf16(kTexts.at(answer));
}

void Click(QMessageBox* box, int answer) {
  for (QAbstractButton* button : box->buttons()) {
    if (button->text() == TextOf(answer)) return button->click();
  }
  ADD_FAILURE() << "no button " << answer;
}

// Title and text in CP932, with characters that rich text would take as markup.
int Answer(QWidget* owner, unsigned flags, std::function<void(QMessageBox*)> drive) {
  WhenShown<QMessageBox>(std::move(drive));
  return QtUiServices().MessageBox(owner, vx::Sjis("<b>サークル</b> & 更新\r\n完了"),
                                   vx::Sjis("データベースの更新"), flags);
}

TEST(QtMessageBox, ShowsTheClassicBoxAndAnswersAsItDoes) {
  struct Case {
    unsigned flags;
    std::vector<int> buttons;
    QMessageBox::Icon icon;
    int onReturn;
    int onEscape;            // also on closing; 0: both are ignored until a button is pressed
    bool atStartUp = false;  // shown before any window, as the start-up questions are
  };
  const Case cases[] = {
      {vx::MB_OK | vx::MB_ICONHAND, {IDOK}, QMessageBox::Critical, IDOK, IDOK},
      {vx::MB_OKCANCEL | vx::MB_ICONEXCLAMATION,
       {IDOK, IDCANCEL},
       QMessageBox::Warning,
       IDOK,
       IDCANCEL},
      {vx::MB_ABORTRETRYIGNORE | vx::MB_ICONQUESTION | vx::MB_DEFBUTTON3,
       {IDABORT, IDRETRY, IDIGNORE},
       QMessageBox::Question,
       IDIGNORE,
       0},
      {vx::MB_YESNOCANCEL | vx::MB_ICONASTERISK | vx::MB_DEFBUTTON2,
       {IDYES, IDNO, IDCANCEL},
       QMessageBox::Information,
       IDNO,
       IDCANCEL},
      {vx::MB_YESNO | vx::MB_DEFBUTTON3, {IDYES, IDNO}, QMessageBox::NoIcon, IDYES, IDNO},
      {vx::MB_YESNO | vx::MB_ICONEXCLAMATION | vx::MB_DEFBUTTON2,
       {IDYES, IDNO},
       QMessageBox::Warning,
       IDNO,
       IDNO,
       true},
      {vx::MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, QMessageBox::NoIcon, IDRETRY, IDCANCEL},
      {vx::MB_OKCANCEL | 0x300, {IDOK, IDCANCEL}, QMessageBox::NoIcon, IDOK, IDCANCEL},
      {0x6, {IDOK}, QMessageBox::NoIcon, IDOK, IDOK},  // an unknown type shows the OK box
  };
  QWidget window;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "flags " << c.flags);
    QWidget* owner = c.atStartUp ? nullptr : &window;
    for (int button : c.buttons) {
      EXPECT_EQ(Answer(owner, c.flags,
                       [&](QMessageBox* box) {
                         EXPECT_EQ(box->buttons().size(), std::ssize(c.buttons));
                         EXPECT_EQ(box->icon(), c.icon);
                         EXPECT_EQ(box->windowTitle() + u'|' + box->text(),
                                   Utf16("データベースの更新|<b>サークル</b> & 更新\n完了"));
                         EXPECT_EQ(box->textFormat(), Qt::PlainText);
                         EXPECT_EQ(box->parentWidget(), owner);
                         Click(box, button);
                       }),
                button);
    }
    for (int key : {int{Qt::Key_Return}, int{Qt::Key_Escape}, 0}) {  // 0: the close button
      const int expected = key == Qt::Key_Return ? c.onReturn : c.onEscape;
      bool ignored = false;
      const int answer = Answer(owner, c.flags, [&](QMessageBox* box) {
        key != 0 ? QTest::keyClick(box, Qt::Key(key)) : void(box->close());
        QTimer::singleShot(0, box, [&, box] {
          ignored = box->isVisible();
          if (ignored) Click(box, c.buttons[0]);
        });
      });
      EXPECT_EQ(answer, expected != 0 ? expected : c.buttons[0]) << "key " << key;
      EXPECT_EQ(ignored, expected == 0) << "key " << key;
    }
  }
}

// An address in the text can be selected with the mouse whatever the style, Ctrl+C copies the
// whole text when nothing is selected, and the keys still answer.
TEST(QtMessageBox, TextIsSelectedWithTheMouseAndCopied) {
  const QString style = QApplication::style()->name();
  QApplication::setStyle(QStringLiteral("Windows"));  // its hint leaves message texts unselectable
  const QString text = Utf16("<b>サークル</b> & 更新\n完了");
  QStringList copied;
  const auto copyThenSelectAndCopy = [&](QMessageBox* box) {
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    copied << QGuiApplication::clipboard()->text();
    QGuiApplication::clipboard()->clear();
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    const QRect area = label->contentsRect();
    QTest::mousePress(label, Qt::LeftButton, {}, area.topLeft() + QPoint(1, 1));
    QTest::mouseMove(label, area.bottomRight());
    QTest::mouseRelease(label, Qt::LeftButton, {}, area.bottomRight());
    QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
    copied << QGuiApplication::clipboard()->text();
    QTest::keyClick(label, Qt::Key_Return);
  };
  EXPECT_EQ(Answer(nullptr, vx::MB_YESNO | vx::MB_DEFBUTTON2, copyThenSelectAndCopy), IDNO);
  QApplication::setStyle(style);
  EXPECT_EQ(copied, QStringList({text, text}));
}

TEST(QtNameFilters, ConvertsClassicPairs) {
  // "－" is 0x81 0x7C in CP932: its second byte is '|'.
  EXPECT_EQ(vx::ToQtNameFilters(vx::Sjis("画像－PNG|*.png; *.PNG|全て (*.*)|*.*|")),
            QStringList({Utf16("画像－PNG (*.png *.PNG)"), Utf16("全て (*.*) (*)")}));
  EXPECT_EQ(vx::ToQtNameFilters("|*.csv|Empty||Trailing"), QStringList({Utf16("*.csv (*.csv)")}));
}

TEST(QtFileDialogs, ShowTheRequestAndReturnTheChoice) {
  vxtest::TempDir dir;
  const fs::path folder = dir / "設定";
  fs::create_directory(folder);
  QtUiServices ui;
  QStringList shown;
  WhenShown<QFileDialog>([&](QFileDialog* dialog) {
    shown << dialog->windowTitle() << dialog->nameFilters() << dialog->directory().absolutePath();
    dialog->selectFile(QString::fromStdString((folder / "export").string()));
    static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
  });
  EXPECT_EQ(ui.SaveFileDialog(nullptr, {vx::Sjis("保存"), "INI|*.ini|", folder, "ini"}),
            folder / "export.ini");
  EXPECT_EQ(shown, QStringList({Utf16("保存"), Utf16("INI (*.ini)"), Utf16(folder.c_str())}));

  WhenShown<QFileDialog>([&](QFileDialog* dialog) {
    dialog->selectFile(QString::fromStdString(folder));
    static_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_EQ(ui.FolderDialog(nullptr, "", dir.Path()), folder);
  WhenShown<QFileDialog>([](QFileDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
  EXPECT_EQ(ui.SaveFileDialog(nullptr, {"", "", dir.Path(), "ini"}), std::nullopt);
}

// Several files can be opened at once; a save dialog whose caller asks its own question about an
// existing file does not ask first.
TEST(QtFileDialogs, OpenSeveralFilesAndLeaveTheOverwriteQuestionToTheCaller) {
  vxtest::TempDir dir;
  for (const char* name : {"a.csv", "b.csv"}) std::ofstream(dir / name) << "x";
  QtUiServices ui;
  const vx::FileDialogRequest request{"", "CSV|*.csv|", dir.Path(), "csv"};
  WhenShown<QFileDialog>([](QFileDialog* dialog) {
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
    dialog->selectFile(QStringLiteral("\"a.csv\" \"b.csv\""));
    static_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_EQ(ui.OpenFilesDialog(nullptr, request),
            (std::vector<fs::path>{dir / "a.csv", dir / "b.csv"}));
  WhenShown<QFileDialog>([](QFileDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
  EXPECT_TRUE(ui.OpenFilesDialog(nullptr, request).empty());

  for (const bool confirm : {true, false}) {
    vx::FileDialogRequest save = request;
    save.confirmOverwrite = confirm;
    bool asks = false;
    WhenShown<QFileDialog>([&](QFileDialog* dialog) {
      asks = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
      if (!confirm) dialog->selectFile(QStringLiteral("a.csv"));  // no box comes between
      confirm ? QTest::keyClick(dialog, Qt::Key_Escape) : static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(ui.SaveFileDialog(nullptr, save),
              confirm ? std::nullopt : std::optional<fs::path>(dir / "a.csv"));
    EXPECT_EQ(asks, confirm);
  }
}

TEST(QtClipboard, TextTravelsAsCp932) {
  QtUiServices ui;
  const std::string cp932 = vx::Sjis("QUILLOR,104,日本語－～\r\n");
  ASSERT_TRUE(ui.SetClipboardText(cp932));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), Utf16("QUILLOR,104,日本語－～\r\n"));
  EXPECT_EQ(ui.ClipboardText(), cp932);
  EXPECT_TRUE(ui.HasClipboardText());
  QGuiApplication::clipboard()->setText(Utf16("サークル😀"));
  EXPECT_EQ(ui.ClipboardText(), vx::Sjis("サークル") + "?");
}

class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
  Q_INVOKABLE void open(const QUrl& url) { urls << url; }
};

// Addresses go to the desktop, here a recorder, or as the only argument to the chosen browser.
TEST(QtUrls, OnlyWebAndMailAddressesAreOpened) {
  UrlRecorder recorder;
  const QStringList schemes = Utf16("https mailto file javascript").split(u' ');
  for (const QString& scheme : schemes) QDesktopServices::setUrlHandler(scheme, &recorder, "open");
  QtUiServices ui;
  EXPECT_TRUE(ui.OpenUrl(vx::Sjis("https://example.com/search?q=サークル")));
  EXPECT_TRUE(ui.OpenUrl("MAILTO:someone@example.com"));
  for (const char* refused : {"file:///etc/passwd", "JavaScript:alert(1)", " https://a.b/", ""})
    EXPECT_FALSE(ui.OpenUrl(refused)) << refused;
  // A desktop that cannot take the address, as one without a browser: the caller must learn it.
  QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "noSuchMethod");
  EXPECT_FALSE(ui.OpenUrl("https://example.com/"));
  for (const QString& scheme : schemes) QDesktopServices::unsetUrlHandler(scheme);
  ASSERT_EQ(recorder.urls.size(), 2);
  EXPECT_EQ(recorder.urls[0].query(QUrl::FullyDecoded), Utf16("q=サークル"));

  vxtest::TempDir dir;
  const fs::path browser = dir / "browser.sh";
  vxtest::WriteFileBytes(browser,
                         "#!/bin/sh\nprintf '%s|' \"$@\" >\"$0.tmp\"\nmv \"$0.tmp\" \"$0.out\"\n");
  fs::permissions(browser, fs::perms::owner_all);
  EXPECT_FALSE(ui.RunBrowser(browser, "--new-window"));
  EXPECT_FALSE(ui.RunBrowser(dir / "no-such-browser", "http://example.com/"));
  const fs::path written = dir / "browser.sh.out";
  QFileSystemWatcher watcher({QString::fromStdString(dir.Path())});
  QEventLoop loop;
  QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, &loop, [&] {
    if (fs::exists(written)) loop.quit();
  });
  ASSERT_TRUE(ui.RunBrowser(browser, "http://example.com/a b?x=1&y=2"));
  ASSERT_TRUE(fs::exists(written) || vxtest::ExecWithDeadline(loop));
  EXPECT_EQ(vxtest::ReadFileBytes(dir / "browser.sh.out"), "http://example.com/a b?x=1&y=2|");
}

}  // namespace

#include "QtUiServices_test.moc"
