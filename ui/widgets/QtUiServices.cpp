#include "ui/widgets/QtUiServices.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>
#include <map>
#include <string>

#include "platform/qt/QtStrings.h"
#include "platform/qt/UiThread.h"

namespace vx {

namespace {

QWidget* OwnerWidget(OwnerWindow owner) { return static_cast<QWidget*>(owner); }

// A message box whose Escape and close button answer Cancel, No or OK, whichever it has; an
// Abort/Retry/Ignore box, like the classic one, waits for a button (Qt would take Escape as Abort).
// Its text can be selected with the mouse whatever the style, and Ctrl+C copies it, as the
// classic box does: addresses and paths in it are there to be copied.
class ClassicMessageBox : public QMessageBox {
 public:
  ClassicMessageBox(QWidget* owner, unsigned flags) : QMessageBox(owner) {
    setTextFormat(Qt::PlainText);  // names from the catalogue may hold '<' and '&'
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setIcon(IconFor(flags));
    AddButtons(flags);
    dismissable_ = MessageBoxEscapeAnswer(flags) != 0;
    if (dismissable_) setEscapeButton(buttons_.at(MessageBoxEscapeAnswer(flags)));
    setDefaultButton(buttons_.at(MessageBoxDefaultAnswer(flags)));
  }

  // The answer of the button the user pressed; the escape answer when the box was closed
  // another way (IDCANCEL for a box without one).
  int Answer(unsigned flags) const {
    for (const auto& [answer, button] : buttons_) {
      if (clickedButton() == button) return answer;
    }
    const int escapeAnswer = MessageBoxEscapeAnswer(flags);
    return escapeAnswer != 0 ? escapeAnswer : IDCANCEL;
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (!dismissable_ && event->matches(QKeySequence::Cancel)) {
      event->accept();
      return;
    }
    if (event->matches(QKeySequence::Copy)) {  // the text does not have the focus: all of it
      QGuiApplication::clipboard()->setText(text());
      event->accept();
      return;
    }
    QMessageBox::keyPressEvent(event);
  }

  // A new style would bring back its own notion of a selectable text.
  void changeEvent(QEvent* event) override {
    QMessageBox::changeEvent(event);
    if (event->type() == QEvent::StyleChange) setTextInteractionFlags(Qt::TextSelectableByMouse);
  }

  void closeEvent(QCloseEvent* event) override {
    if (!dismissable_) {
      event->ignore();
      return;
    }
    QMessageBox::closeEvent(event);
  }

 private:
  static Icon IconFor(unsigned flags) {
    switch (flags & MB_ICONMASK) {
      case MB_ICONHAND:
        return Critical;
      case MB_ICONQUESTION:
        return Question;
      case MB_ICONEXCLAMATION:
        return Warning;
      case MB_ICONASTERISK:
        return Information;
      default:
        return NoIcon;
    }
  }

  void AddButtons(unsigned flags) {
    for (int answer : MessageBoxAnswers(flags)) {
      QPushButton* button = addButton(StandardButtonFor(answer));
      button->setText(ButtonText(answer));
      buttons_[answer] = button;
    }
  }

  static StandardButton StandardButtonFor(int answer) {
    switch (answer) {
      case IDCANCEL:
        return Cancel;
      case IDABORT:
        return Abort;
      case IDRETRY:
        return Retry;
      case IDIGNORE:
        return Ignore;
      case IDYES:
        return Yes;
      case IDNO:
        return No;
      default:
        return Ok;
    }
  }

  static QString ButtonText(int answer) {
    switch (answer) {
      case IDCANCEL:
        return QStringLiteral("キャンセル");
      case IDABORT:
        return QStringLiteral("中止(&A)");
      case IDRETRY:
        return QStringLiteral("再試行(&R)");
      case IDIGNORE:
        return QStringLiteral("無視(&I)");
      case IDYES:
        return QStringLiteral("はい(&Y)");
      case IDNO:
        return QStringLiteral("いいえ(&N)");
      default:
        return QStringLiteral("OK");
    }
  }

  std::map<int, QPushButton*> buttons_;
  bool dismissable_ = true;
};

int ShowMessageBox(QWidget* owner, std::string_view text, std::string_view caption,
                   unsigned flags) {
  ClassicMessageBox box(owner, flags);
  box.setWindowTitle(QtText(caption));
  box.setText(QtText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  box.exec();
  return box.Answer(flags);
}

void StartAt(QFileDialog& dialog, const std::filesystem::path& initialPath) {
  if (initialPath.empty()) return;
  std::error_code error;
  if (std::filesystem::is_directory(initialPath, error)) {
    dialog.setDirectory(QtPath(initialPath));
    return;
  }
  if (initialPath.has_parent_path()) dialog.setDirectory(QtPath(initialPath.parent_path()));
  dialog.selectFile(QtPath(initialPath.filename()));
}

void ApplyRequest(QFileDialog& dialog, const FileDialogRequest& request) {
  if (!request.title.empty()) dialog.setWindowTitle(QtText(request.title));
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  const QStringList filters = ToQtNameFilters(request.filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(QtText(request.defaultExtension));
  StartAt(dialog, request.initialPath);
}

std::vector<std::filesystem::path> ChosenPaths(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted) return {};
  std::vector<std::filesystem::path> paths;
  for (const QString& file : dialog.selectedFiles()) {
    if (!file.isEmpty()) paths.push_back(PathFromQt(file));
  }
  return paths;
}

std::optional<std::filesystem::path> FirstPath(std::vector<std::filesystem::path> paths) {
  if (paths.empty()) return std::nullopt;
  return std::move(paths.front());
}

std::vector<std::filesystem::path> RunFileDialog(QWidget* owner, const FileDialogRequest& request,
                                                 QFileDialog::FileMode fileMode) {
  QFileDialog dialog(owner);
  const bool saving = fileMode == QFileDialog::AnyFile;
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(fileMode);
  if (saving && !request.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  ApplyRequest(dialog, request);
  return ChosenPaths(dialog);
}

std::optional<std::filesystem::path> RunFolderDialog(QWidget* owner, std::string_view title,
                                                     const std::filesystem::path& start) {
  QFileDialog dialog(owner, QtText(title));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  StartAt(dialog, start);
  return FirstPath(ChosenPaths(dialog));
}

QString ToQtPatterns(const QString& patterns) {
  QStringList result;
  for (const QString& pattern : patterns.split(u';')) {
    const QString trimmed = pattern.trimmed();
    if (trimmed.isEmpty()) continue;
    result << (trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
  }
  return result.join(u' ');
}

}  // namespace

QStringList ToQtNameFilters(std::string_view cp932Filter) {
  // Split after decoding: '|' is also the second byte of some double-byte characters.
  const QStringList parts = QtText(cp932Filter).split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString patterns = ToQtPatterns(parts[i + 1]);
    if (patterns.isEmpty()) continue;
    const QString name = parts[i].isEmpty() ? patterns : parts[i];
    filters << name + QStringLiteral(" (") + patterns + u')';
  }
  return filters;
}

int QtUiServices::MessageBox(OwnerWindow owner, std::string_view text, std::string_view caption,
                             unsigned flags) {
  int answer = IDCANCEL;
  RunOnUiThread([&] { answer = ShowMessageBox(OwnerWidget(owner), text, caption, flags); });
  return answer;
}

std::optional<std::filesystem::path> QtUiServices::OpenFileDialog(
    OwnerWindow owner, const FileDialogRequest& request) {
  std::optional<std::filesystem::path> chosen;
  RunOnUiThread([&] {
    chosen = FirstPath(RunFileDialog(OwnerWidget(owner), request, QFileDialog::ExistingFile));
  });
  return chosen;
}

std::vector<std::filesystem::path> QtUiServices::OpenFilesDialog(OwnerWindow owner,
                                                                 const FileDialogRequest& request) {
  std::vector<std::filesystem::path> chosen;
  RunOnUiThread(
      [&] { chosen = RunFileDialog(OwnerWidget(owner), request, QFileDialog::ExistingFiles); });
  return chosen;
}

std::optional<std::filesystem::path> QtUiServices::SaveFileDialog(
    OwnerWindow owner, const FileDialogRequest& request) {
  std::optional<std::filesystem::path> chosen;
  RunOnUiThread([&] {
    chosen = FirstPath(RunFileDialog(OwnerWidget(owner), request, QFileDialog::AnyFile));
  });
  // Native dialogs may ignore the default suffix.
  if (chosen) chosen = WithDefaultExtension(*chosen, request.defaultExtension);
  return chosen;
}

std::optional<std::filesystem::path> QtUiServices::FolderDialog(
    OwnerWindow owner, std::string_view title, const std::filesystem::path& start) {
  std::optional<std::filesystem::path> chosen;
  RunOnUiThread([&] { chosen = RunFolderDialog(OwnerWidget(owner), title, start); });
  return chosen;
}

bool QtUiServices::HasClipboardText() {
  bool hasText = false;
  RunOnUiThread([&] { hasText = !QGuiApplication::clipboard()->text().isEmpty(); });
  return hasText;
}

std::string QtUiServices::ClipboardText() {
  std::string text;
  RunOnUiThread([&] { text = Cp932Text(QGuiApplication::clipboard()->text()); });
  return text;
}

bool QtUiServices::SetClipboardText(std::string_view cp932) {
  bool taken = false;
  RunOnUiThread([&] {
    const QString text = QtText(cp932);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text);
    taken = clipboard->text() == text;
  });
  return taken;
}

bool QtUiServices::OpenUrl(std::string_view url) {
  if (!IsOpenableUrl(url)) return false;
  bool opened = false;
  RunOnUiThread([&] { opened = QDesktopServices::openUrl(QUrl(QtText(url), QUrl::TolerantMode)); });
  return opened;
}

bool QtUiServices::RunBrowser(const std::filesystem::path& program, std::string_view url) {
  if (program.empty() || !IsOpenableUrl(url)) return false;
  return QProcess::startDetached(QtPath(program), {QtText(url)});
}

void QtUiServices::Beep() {
  RunOnUiThread([] { QApplication::beep(); });
}

}  // namespace vx
