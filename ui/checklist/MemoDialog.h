// The memo editor of one circle: a small modal dialog titled "メモの編集:<circle name>" with a
// multi-line edit (IDC_MEMO_EDIT), OK and Cancel. The caller puts the memo in, runs it and, on 1,
// takes the edited memo out.
//
// Keys as in a dialog: Return is OK and Tab moves on; Ctrl or Shift with Return breaks the line.
// Memos are CP932 with CR LF between lines. OK without any edit gives the memo back byte for
// byte; an edited memo comes back with CR LF line breaks.
#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;

namespace vx {

class MemoDialog : public QDialog {
  Q_OBJECT

 public:
  // `circleName` is CP932.
  MemoDialog(QWidget* parent, const std::string& circleName);

  void SetMemo(const std::string& memo);
  // After OK the edited memo, after Cancel the memo as it was set.
  const std::string& Memo() const { return memo_; }
  // IDOK (1) after OK, IDCANCEL (2) after Cancel, Escape or the close box.
  int DoModal();

  void accept() override;
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::string memo_;
  QPlainTextEdit* edit_;
};

}  // namespace vx
