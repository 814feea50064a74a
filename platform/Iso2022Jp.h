// ISO-2022-JP (code page 50220) carried to and from EUC-JP bytes, so that one EUC-JP table serves
// both. JIS X 0208 (rows 1 to 94, the NEC row 13 included) and JIS X 0201 half-width katakana are
// the character sets both forms share.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// Reads ESC ( B, ESC ( J (taken as ASCII), ESC ( I, ESC $ @, ESC $ B and SO/SI around half-width
// katakana. Every byte that is not valid where it stands becomes '?'.
std::string Iso2022JpToEucJp(std::string_view iso);

// Writes ESC $ B for JIS X 0208, ESC ( I for half-width katakana, and returns to ESC ( B before
// every ASCII byte (line ends included) and at the end. JIS X 0212 characters become '?'.
std::string EucJpToIso2022Jp(std::string_view euc);

}  // namespace vx
