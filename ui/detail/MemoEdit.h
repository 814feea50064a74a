// The detail view's memo box: a plain multi-line edit that holds at most 65,535 CP932 bytes with
// its line breaks stored as CR LF. Typing or pasting past the limit keeps only what fits, never
// half a double-byte character.
#pragma once

#include <QPlainTextEdit>

#include <cstddef>
#include <string>
#include <string_view>

namespace vx {

class MemoEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  static constexpr std::size_t kMaxBytes = 65535;

  explicit MemoEdit(QWidget* parent = nullptr);

  // Shows a memo (CP932) whole, whatever its line breaks.
  void SetMemo(std::string_view cp932);
  // The box's text as a memo: CP932 with CR LF line breaks.
  std::string Memo() const;
  // Whether two memos read the same once their line breaks (CR LF, LF, CR) are alike.
  static bool SameText(std::string_view a, std::string_view b);

 Q_SIGNALS:
  void focusLost();

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void KeepWithinLimit(int position, int added);

  bool setting_ = false;
};

}  // namespace vx
