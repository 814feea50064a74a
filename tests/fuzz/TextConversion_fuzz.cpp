// The text conversions at the program's edges: any bytes convert; a conversion's output converts
// back to itself; CP932 helpers never split a character nor run past their bounds; base64 decodes
// what it encodes.
#include <cstring>
#include <string>

#include "platform/Base64.h"
#include "platform/CodePage.h"
#include "platform/Iso2022Jp.h"
#include "platform/Sjis.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

bool IsUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0x80         ? 1
                          : (c >> 5) == 6  ? 2
                          : (c >> 4) == 14 ? 3
                          : (c >> 3) == 30 ? 4
                                           : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += n;
  }
  return true;
}

void CheckSjisHelpers(std::string_view text, std::size_t limit) {
  const std::string cut = vx::SjisTruncate(text, limit);
  vxfuzz::Check(cut.size() <= limit && text.substr(0, cut.size()) == cut,
                "SjisTruncate keeps a prefix within the limit");
  vxfuzz::Check(cut.size() + 1 >= std::min(limit, text.size()),
                "SjisTruncate cuts at most one character short");
  const std::string terminated(text.substr(0, text.find('\0')));
  std::string field(limit + 8, '#');
  const std::size_t copied = vx::SjisCopyBounded(field.data(), terminated.c_str(), limit + 1);
  vxfuzz::Check(
      copied <= limit && field[copied] == '\0' && field.compare(limit + 1, 7, "#######") == 0,
      "SjisCopyBounded stays in its field and terminates");
}

}  // namespace

VX_FUZZ_TARGET(TextConversion) {
  if (size == 0) return 0;
  const int pages[] = {vx::kCodePageCp932, vx::kCodePageUtf8, vx::kCodePageEucJp,
                       vx::kCodePageIso2022Jp};
  const int page = pages[data[0] % 4];
  const std::string_view text = vxfuzz::Bytes(data + 1, size - 1);

  const std::string cp932 = vx::ToCp932(text, page);
  const std::string there = vx::FromCp932(cp932, page);
  vxfuzz::Check(vx::FromCp932(vx::ToCp932(there, page), page) == there,
                "text converted out converts back to itself");
  const std::string utf8 = vx::Cp932ToUtf8(text);
  vxfuzz::Check(IsUtf8(utf8), "CP932 becomes valid UTF-8");
  const std::string once = vx::Utf8ToCp932(utf8);
  vxfuzz::Check(vx::Utf8ToCp932(vx::Cp932ToUtf8(once)) == once, "a CP932 round trip is stable");
  const std::string euc = vx::Iso2022JpToEucJp(text);
  const std::string iso = vx::EucJpToIso2022Jp(euc);
  vxfuzz::Check(vx::EucJpToIso2022Jp(vx::Iso2022JpToEucJp(iso)) == iso,
                "ISO-2022-JP written reads back");

  CheckSjisHelpers(text, data[0]);
  const std::string encoded = vx::Base64Encode(text);
  vxfuzz::Check(vx::Base64Decode(encoded) == std::string(text), "base64 decodes what it encodes");
  if (const auto decoded = vx::Base64Decode(text)) {
    vxfuzz::Check(decoded->size() <= vx::Base64DecodedLength(text),
                  "the decoded length bounds a decode");
  }
  return 0;
}
