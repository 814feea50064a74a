// The addresses behind a circle's link fields. The Twitter and Pixiv fields hold account ids, not
// addresses: the profile address is built from an id, and a field that holds anything else (an
// address, a note, a script) gives none. A mail field gives a "mailto:" address only when it is a
// plain address, so that no header or attachment can ride along.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vx {

// "@name" or "name": 1 to 15 letters, digits or underscores.
std::optional<std::string> TwitterProfileAddress(std::string_view field);
// Digits only (at most 12).
std::optional<std::string> PixivProfileAddress(std::string_view field);
// "local@domain" of printable ASCII without blanks, '?', '%' or the characters that separate
// addresses or headers.
std::optional<std::string> MailtoAddress(std::string_view field);

}  // namespace vx
