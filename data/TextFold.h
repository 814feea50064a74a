// The search fold table: folds CP932 text for loose matching (case, full/half width, kana kind,
// voicing marks and look-alike punctuation), used by the SQL functions normalize and ncnt and by
// the search condition for its keywords.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vx {

// Indexed by a character code (one byte, or lead byte x 256 + trail byte); an entry is the code
// that replaces the character (below 256 one byte, else two bytes high byte first), 0 to drop it.
using TextFoldTable = std::array<std::uint16_t, 65536>;

// The process-wide table, built on first use and only read afterwards.
const TextFoldTable& GetTextFoldTable();

// Builds the table now (start-up calls it so that no search pays for it).
void InitTextFoldTable();

// Appends the folded form of `text` to `out`.
void FoldText(std::string_view text, std::string& out);
std::string FoldText(std::string_view text);

}  // namespace vx
