#include "platform/TemplateText.h"

#include <cstdio>

#include "platform/Sjis.h"

namespace vx {
namespace {

// One conversion after '%': its flags, width and letter.
struct Conversion {
  std::string flags;
  int width = 0;
  char letter = 0;
  std::size_t length = 0;  // bytes of the template after the '%'
};

std::optional<Conversion> ReadConversion(std::string_view rest) {
  Conversion c;
  std::size_t i = 0;
  while (i < rest.size() && std::string_view("-0 +").find(rest[i]) != std::string_view::npos) {
    c.flags += rest[i++];
  }
  for (int digits = 0; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++digits) {
    if (digits == 3) return std::nullopt;
    c.width = c.width * 10 + (rest[i++] - '0');
  }
  if (i >= rest.size() || (rest[i] != 'd' && rest[i] != 's')) return std::nullopt;
  c.letter = rest[i];
  c.length = i + 1;
  return c;
}

bool Append(std::string& out, const Conversion& c, const TemplateArg& arg) {
  if (c.letter == 'd') {
    const int* number = std::get_if<int>(&arg);
    if (!number) return false;
    // The conversion is rebuilt from what was checked above: flags, a width below 1000 and 'd'.
    const std::string conversion = "%" + c.flags + (c.width ? std::to_string(c.width) : "") + "d";
    char buffer[1024];
    const int written = std::snprintf(buffer, sizeof buffer, conversion.c_str(), *number);
    if (written < 0) return false;
    out.append(buffer, static_cast<std::size_t>(written));
    return true;
  }
  const std::string_view* text = std::get_if<std::string_view>(&arg);
  if (!text) return false;
  const std::size_t pad =
      static_cast<std::size_t>(c.width) > text->size() ? c.width - text->size() : 0;
  const bool left = c.flags.find('-') != std::string::npos;
  if (!left) out.append(pad, ' ');
  out.append(*text);
  if (left) out.append(pad, ' ');
  return true;
}

}  // namespace

std::optional<std::string> FormatTemplate(std::string_view format,
                                          std::span<const TemplateArg> args) {
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size();) {
    const std::size_t length = SjisCharLength(format, i);
    if (length == 2 || format[i] != '%') {
      out.append(format.substr(i, length));
      i += length;
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out.push_back('%');
      i += 2;
      continue;
    }
    const std::optional<Conversion> c = ReadConversion(format.substr(i + 1));
    if (!c || next >= args.size() || !Append(out, *c, args[next++])) return std::nullopt;
    i += 1 + c->length;
  }
  return out;
}

std::string FormatNumberText(std::string_view format, int number) {
  const TemplateArg args[] = {number};
  return FormatTemplate(format, args).value_or(std::string(format));
}

}  // namespace vx
