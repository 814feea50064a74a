// Field texts of the two checklist formats: quoting for comma-separated records and the escaping
// of the long texts of the older format. Texts are CP932: a double-byte character is copied whole
// and its second byte is never taken for a delimiter.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// Appends `text` as one field: as it stands, or enclosed in double quotes with every double quote
// doubled when it holds a comma, CR, LF or double quote.
void AppendCsvText(std::string& out, std::string_view text);

// Keeps a long text on one line: LF becomes backslash n, CR is dropped, a backslash is doubled.
std::string EscapeLongText(std::string_view text);

// Reverses EscapeLongText: backslash n becomes CR LF, two backslashes one; a backslash before any
// other character is dropped and the character kept; a backslash at the very end stays.
std::string UnescapeLongText(std::string_view text);

}  // namespace vx
