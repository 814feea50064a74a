// What a line of the disc's catalogue text files must be before its fields are believed: CP932
// text, not text of another encoding that happens to read as CP932, and numbers where the format
// has numbers. A damaged or converted file is refused instead of filling the catalogue with junk.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace vx {

// Well-formed CP932 (a lead byte always followed by a trail byte) with TAB the only control
// character.
bool IsSjisTextLine(std::string_view line);

// Non-ASCII bytes that all form UTF-8, among them a character of three bytes or more: Japanese
// text converted to UTF-8. CP932 text almost never reads so, as its lead bytes 0x81..0x9F and
// half-width kana cannot start a UTF-8 character.
bool LooksLikeUtf8(std::string_view line);

// Empty, or a decimal number: blanks, an optional sign, digits, blanks.
bool IsNumberField(std::string_view field);

// Why not every column of `numbers` (0-based) among `columns` is a number field (CP932), or
// empty when they all are.
std::string NumberColumnsProblem(std::span<const std::string_view> columns,
                                 std::initializer_list<std::size_t> numbers);

// Why `line` is no line of a catalogue text file (CP932), or empty when it may be one.
std::string DiscTextProblem(std::string_view line);

// Why a row has fewer than `minFields` fields or text in a field past `maxFields` (CP932), or
// empty. Empty fields after the last are only trailing TABs.
std::string FieldCountProblem(std::string_view line, std::size_t minFields, std::size_t maxFields);

// Why a line holding a NUL byte is refused (CP932): what follows the byte would be lost without a
// word. Empty for a line without one. `wholeLine` is the line with its NUL bytes.
std::string NulByteProblem(std::string_view wholeLine);

// Why the last line of a file, which no line end follows, is a row cut short (CP932): it has
// fewer fields than its rows have (`rowFields`), or ends in half a double-byte character. Empty
// when it may be a whole row.
std::string CutShortRowProblem(std::string_view line, std::size_t rowFields);

// "行 <n>: <why>." (CP932), the text of a refusal that names its line.
std::string LineRefusalText(int lineNumber, const std::string& why);

// The number of TAB-separated fields of a line (1 for an empty one).
std::size_t TabFieldCount(std::string_view line);

}  // namespace vx
