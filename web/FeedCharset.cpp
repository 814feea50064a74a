#include "web/FeedCharset.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/CodePage.h"
#include "web/TextConversions.h"

namespace vx {
namespace {

struct CharsetName {
  std::string_view name;
  int codePage;
};

constexpr std::array<CharsetName, 17> kCharsets{{
    {"utf-8", kCodePageUtf8},
    {"utf8", kCodePageUtf8},
    {"shift_jis", kCodePageCp932},
    {"shift-jis", kCodePageCp932},
    {"sjis", kCodePageCp932},
    {"x-sjis", kCodePageCp932},
    {"ms_kanji", kCodePageCp932},
    {"csshiftjis", kCodePageCp932},
    {"windows-31j", kCodePageCp932},
    {"cp932", kCodePageCp932},
    {"euc-jp", kCodePageEucJp},
    {"x-euc-jp", kCodePageEucJp},
    {"eucjp", kCodePageEucJp},
    {"cseucpkdfmtjapanese", kCodePageEucJp},
    {"iso-2022-jp", kCodePageIso2022Jp},
    {"csiso2022jp", kCodePageIso2022Jp},
    {"jis", kCodePageIso2022Jp},
}};

bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

int CharsetToCodePage(std::string_view charset) {
  for (const CharsetName& known : kCharsets) {
    if (SameName(known.name, charset)) return known.codePage;
  }
  return kCodePageUtf8;
}

std::wstring MultiByteToUnicode(int codePage, std::string_view bytes) {
  if (codePage == kCodePageUtf8) {
    if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
    return Utf8ToWide(bytes);
  }
  return AnsiToWide(ToCp932(bytes, codePage));
}

}  // namespace vx
