// Field texts of the two checklist formats: quoting for comma-separated records and the escaping
// of the long texts of the older format. Texts are CP932. The record reader splits at every comma,
// double quote and line end byte, so the writer treats those bytes alike wherever they stand (in
// valid CP932 they are never the second byte of a character); bytes that are not valid CP932 are
// then read back as they were written.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// Appends `text` as one field: as it stands, or enclosed in double quotes with every double quote
// doubled when it holds a comma, CR, LF or double quote. NUL bytes, which would end the record's
// line for the reader, are left out.
void AppendCsvText(std::string& out, std::string_view text);

// Keeps a long text on one line: LF becomes backslash n, CR is dropped, a backslash is doubled;
// a lead byte and the byte that completes its character are copied as a pair. A lead byte whose
// character is not completed is kept, unless the reader would join it to the next byte written
// (a line break's backslash, for instance); then it is left out with the CR and NUL bytes.
std::string EscapeLongText(std::string_view text);

// Reverses EscapeLongText: backslash n becomes CR LF, two backslashes one; a backslash before any
// other character is dropped and the character kept; a backslash at the very end stays.
std::string UnescapeLongText(std::string_view text);

}  // namespace vx
