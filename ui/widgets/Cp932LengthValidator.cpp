#include "ui/widgets/Cp932LengthValidator.h"

#include <algorithm>
#include <string>

#include "platform/Sjis.h"
#include "platform/qt/QtStrings.h"

namespace vx {

Cp932LengthValidator::Cp932LengthValidator(std::size_t maxBytes, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes) {}

QValidator::State Cp932LengthValidator::validate(QString& input, int& pos) const {
  if (Length(input) <= maxBytes_) return Acceptable;
  pos = std::clamp(pos, 0, static_cast<int>(input.size()));
  const QString tail = input.mid(pos);
  const std::size_t tailBytes = Length(tail);
  const QString head = Cut(input.left(pos), maxBytes_ > tailBytes ? maxBytes_ - tailBytes : 0);
  input = head + tail;
  pos = static_cast<int>(head.size());
  return Acceptable;
}

std::size_t Cp932LengthValidator::Length(const QString& text, int lineBreakBytes) {
  const auto breaks = static_cast<std::size_t>(text.count(QLatin1Char('\n')));
  return Cp932Text(text).size() + breaks * static_cast<std::size_t>(lineBreakBytes - 1);
}

// Every character of the text becomes one CP932 character (one that has none becomes '?'), so
// the characters that fit can be counted on the converted bytes.
QString Cp932LengthValidator::Cut(const QString& text, std::size_t maxBytes, int lineBreakBytes) {
  const std::string bytes = Cp932Text(text);
  std::size_t used = 0;
  std::size_t at = 0;
  qsizetype kept = 0;
  while (at < bytes.size()) {
    const std::size_t length = SjisCharLength(bytes, at);
    const std::size_t cost = bytes[at] == '\n' ? static_cast<std::size_t>(lineBreakBytes) : length;
    if (used + cost > maxBytes) break;
    used += cost;
    at += length;
    kept += text.at(kept).isHighSurrogate() && kept + 1 < text.size() ? 2 : 1;
  }
  return text.left(kept);
}

}  // namespace vx
