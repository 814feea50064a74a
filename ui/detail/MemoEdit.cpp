#include "ui/detail/MemoEdit.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

#include "platform/qt/QtStrings.h"
#include "ui/widgets/Cp932LengthValidator.h"

namespace vx {

namespace {

constexpr int kCrLfBytes = 2;

std::string LineFeedForm(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      out += text[i];
    } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
      out += '\n';
    }
  }
  return out;
}

}  // namespace

MemoEdit::MemoEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(document(), &QTextDocument::contentsChange, this,
          [this](int position, int, int added) { KeepWithinLimit(position, added); });
}

void MemoEdit::SetMemo(std::string_view cp932) {
  setting_ = true;
  setPlainText(QtText(LineFeedForm(cp932)));
  setting_ = false;
}

std::string MemoEdit::Memo() const {
  return Cp932Text(toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

bool MemoEdit::SameText(std::string_view a, std::string_view b) {
  return LineFeedForm(a) == LineFeedForm(b);
}

void MemoEdit::focusOutEvent(QFocusEvent* event) {
  QPlainTextEdit::focusOutEvent(event);
  Q_EMIT focusLost();
}

// Each character takes at most two bytes (a line break CR LF), so short texts need no count.
void MemoEdit::KeepWithinLimit(int position, int added) {
  if (setting_ || added <= 0) return;
  if (static_cast<std::size_t>(document()->characterCount()) * 2 <= kMaxBytes) return;
  const std::size_t total = Cp932LengthValidator::Length(toPlainText(), kCrLfBytes);
  if (total <= kMaxBytes) return;
  const int end = std::min(position + added, document()->characterCount() - 1);
  QTextCursor inserted(document());
  inserted.setPosition(position);
  inserted.setPosition(end, QTextCursor::KeepAnchor);
  const QString text =
      inserted.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  const std::size_t insertedBytes = Cp932LengthValidator::Length(text, kCrLfBytes);
  const std::size_t budget = kMaxBytes - std::min(kMaxBytes, total - insertedBytes);
  const QString kept = Cp932LengthValidator::Cut(text, budget, kCrLfBytes);
  setting_ = true;
  inserted.setPosition(position + static_cast<int>(kept.size()));
  inserted.setPosition(end, QTextCursor::KeepAnchor);
  inserted.removeSelectedText();
  setting_ = false;
}

}  // namespace vx
