// The addresses behind a circle's link fields, the same for the detail window's links and the
// link commands. A web field gives its address when the desktop may open it. The Twitter and Pixiv
// fields mostly hold account ids: the profile address is built from an id, an http(s) address is
// taken as it stands, and anything else (a note, a script, a file) gives none. A mail field gives a
// "mailto:" address only when it is a plain address, so that no header or attachment can ride
// along.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vx {

// An http or https address, or a mailto address with message fields only, without the blanks
// around it.
std::optional<std::string> WebLinkAddress(std::string_view field);
// An id is "@name" or "name": 1 to 15 letters, digits or underscores.
std::optional<std::string> TwitterProfileAddress(std::string_view field);
// An id is digits only (at most 12).
std::optional<std::string> PixivProfileAddress(std::string_view field);
// "local@domain" of printable ASCII without blanks, '?', '%' or the characters that separate
// addresses or headers.
std::optional<std::string> MailtoAddress(std::string_view field);

}  // namespace vx
