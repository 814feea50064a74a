// Keeps an edit's text within a number of CP932 bytes, as the program's text is stored: what was
// just typed or pasted is cut where it no longer fits, never in the middle of a double-byte
// character, and the text already there stays whole.
#pragma once

#include <QValidator>

#include <cstddef>

namespace vx {

class Cp932LengthValidator : public QValidator {
  Q_OBJECT

 public:
  explicit Cp932LengthValidator(std::size_t maxBytes, QObject* parent = nullptr);

  // The text before the cursor is what was inserted last.
  State validate(QString& input, int& pos) const override;

  // The CP932 bytes of `text`, each line break counted as `lineBreakBytes` (2 where it is
  // stored as CR LF).
  static std::size_t Length(const QString& text, int lineBreakBytes = 1);
  // The longest beginning of `text` that fits in `maxBytes`, counted as Length does.
  static QString Cut(const QString& text, std::size_t maxBytes, int lineBreakBytes = 1);

 private:
  std::size_t maxBytes_;
};

}  // namespace vx
