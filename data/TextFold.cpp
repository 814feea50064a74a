#include "data/TextFold.h"

#include "data/TextScan.h"
#include "platform/Sjis.h"
#include "platform/CodePage.h"

#include <array>
#include <memory>

namespace vx {
namespace {

struct FoldPair {
  std::uint16_t from;
  std::uint16_t to;
};

// Punctuation and symbols, in order; a later pair wins over an earlier one for the same code.
constexpr FoldPair kSymbolPairs[] = {
    {0x815B, 0x2D},   {0x8145, 0xA5},   {0x8141, 0x2C},   {0x8142, 0x2E},   {0xB0, 0x2D},
    {0x5B, 0x28},     {0x5D, 0x29},     {0x7B, 0x28},     {0x7D, 0x29},     {0x8143, 0x2C},
    {0x8144, 0x2E},   {0x8146, 0x3A},   {0x8147, 0x3B},   {0x8148, 0x3F},   {0x8149, 0x21},
    {0x814C, 0x27},   {0x814D, 0x60},   {0x814F, 0x5E},   {0x8150, 0x7E},   {0x8151, 0x5F},
    {0x815A, 0x81FC}, {0x815B, 0x2D},   {0x815C, 0x2D},   {0x815D, 0x2D},   {0x815E, 0x2F},
    {0x815F, 0x815F}, {0x8160, 0x2D},   {0x8162, 0x7C},   {0x8165, 0x60},   {0x8166, 0x27},
    {0x8167, 0x22},   {0x8168, 0x22},   {0x8169, 0x28},   {0x816A, 0x29},   {0x816B, 0x28},
    {0x816C, 0x29},   {0x816D, 0x28},   {0x816E, 0x29},   {0x816F, 0x28},   {0x8170, 0x29},
    {0x8171, 0x28},   {0x8172, 0x29},   {0x8173, 0x28},   {0x8174, 0x29},   {0x8175, 0xA2},
    {0x8176, 0xA3},   {0x8177, 0xA2},   {0x8178, 0xA3},   {0x8179, 0x28},   {0x817A, 0x29},
    {0x817B, 0x2B},   {0x817C, 0x2D},   {0x817E, 0x78},   {0x8181, 0x3D},   {0x8183, 0x3C},
    {0x8184, 0x3E},   {0x818F, 0x5C},   {0x8190, 0x24},   {0x8193, 0x25},   {0x8194, 0x23},
    {0x8195, 0x26},   {0x8196, 0x2A},   {0x8197, 0x40},   {0x819A, 0x8199}, {0x819C, 0x819B},
    {0x819D, 0x819B}, {0x819F, 0x819E}, {0x81A1, 0x81A0}, {0x81A3, 0x81A2}, {0x81A5, 0x81A4},
    {0x81A6, 0x2A},
};

// Kana lists: each source character folds to the half-width katakana at the same position.
struct KanaList {
  const char* from;
  const char* to;
};

constexpr KanaList kKanaLists[] = {
    {"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわゐゑ"
     "をん",
     "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｲｴｦﾝ"},
    {"ぁぃぅぇぉっゃゅょ", "ｱｲｳｴｵﾂﾔﾕﾖ"},
    {"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ", "ｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎﾊﾋﾌﾍﾎ"},
    {"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヰヱ"
     "ヲン",
     "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｲｴｦﾝ"},
    {"ァィゥェォッャュョ", "ｱｲｳｴｵﾂﾔﾕﾖ"},
    {"ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ", "ｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎﾊﾋﾌﾍﾎ"},
    {"ｧｨｩｪｫｯｬｭｮ", "ｱｲｳｴｵﾂﾔﾕﾖ"},
};

void MapLetters(TextFoldTable& table) {
  for (int i = 0; i < 26; ++i) {
    table['A' + i] = static_cast<std::uint16_t>('a' + i);
    table[0x8260 + i] = static_cast<std::uint16_t>('a' + i);  // full-width capitals
    table[0x8281 + i] = static_cast<std::uint16_t>('a' + i);  // full-width small letters
  }
  for (int i = 0; i < 10; ++i) table[0x824F + i] = static_cast<std::uint16_t>('0' + i);
}

void MapKana(TextFoldTable& table) {
  for (const KanaList& list : kKanaLists) {
    const std::string from = Sjis(list.from);
    const std::string to = Sjis(list.to);
    std::string_view fromRest = from;
    std::string_view toRest = to;
    while (!fromRest.empty()) {
      const int source = NextSjisChar(fromRest);
      table[static_cast<std::size_t>(source)] = static_cast<std::uint16_t>(NextSjisChar(toRest));
    }
  }
}

std::unique_ptr<TextFoldTable> BuildTable() {
  auto table = std::make_unique<TextFoldTable>();
  for (std::size_t i = 0; i < table->size(); ++i) (*table)[i] = static_cast<std::uint16_t>(i);
  MapLetters(*table);
  MapKana(*table);
  for (const FoldPair& pair : kSymbolPairs) (*table)[pair.from] = pair.to;
  // Voicing marks vanish; the half-width semi-voiced mark 0xDF stays.
  (*table)[0xDE] = 0;
  (*table)[0x814A] = 0;
  (*table)[0x814B] = 0;
  return table;
}

}  // namespace

const TextFoldTable& GetTextFoldTable() {
  static const std::unique_ptr<TextFoldTable> table = BuildTable();
  return *table;
}

namespace {

// The fold table in the form the fold loop wants: for each code, the output bytes in the order
// they are written (low byte first) and, in bits 16 and up, how many there are; and for each byte
// whether it starts a double-byte character. The loop then neither asks how long a character is
// nor how long its folded form is.
struct FoldLoopTables {
  std::array<std::uint32_t, 65536> packed;
  std::array<std::uint8_t, 256> lead;
};

std::unique_ptr<FoldLoopTables> BuildLoopTables() {
  const TextFoldTable& table = GetTextFoldTable();
  auto loop = std::make_unique<FoldLoopTables>();
  for (std::size_t code = 0; code < table.size(); ++code) {
    const std::uint32_t v = table[code];
    if (v >= 256) {
      loop->packed[code] = (v >> 8) | (v & 0xFF) << 8 | 2u << 16;
    } else {
      loop->packed[code] = v == 0 ? 0 : v | 1u << 16;
    }
  }
  for (std::size_t c = 0; c < loop->lead.size(); ++c) {
    loop->lead[c] = IsSjisLeadByte(static_cast<unsigned char>(c)) ? 1 : 0;
  }
  return loop;
}

const FoldLoopTables& GetLoopTables() {
  static const std::unique_ptr<FoldLoopTables> loop = BuildLoopTables();
  return *loop;
}

char* Put(char* w, std::uint32_t entry) {
  w[0] = static_cast<char>(entry & 0xFF);
  w[1] = static_cast<char>(entry >> 8 & 0xFF);
  return w + (entry >> 16);
}

// Writes the folded form of `text` at `w`, which has room for two bytes per input byte, and
// answers the end of what it wrote. Every row that a normalised search looks at goes through here,
// so the loop has no branch that depends on the text: it always stores two bytes and moves on by
// the folded length (a character takes at least one input byte, so the store stays in the room).
char* FoldInto(std::string_view text, char* w) {
  const FoldLoopTables& tables = GetLoopTables();
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const unsigned char* const end = p + text.size();
  while (end - p >= 2) {
    const unsigned first = p[0];
    const unsigned twoBytes = tables.lead[first];
    const unsigned second = p[1];
    const unsigned code = first << (8 * twoBytes) | (second & (0u - twoBytes));
    p += 1 + twoBytes;
    w = Put(w, tables.packed[code]);
  }
  // A last single byte, or a lead byte without its trail byte, stands alone.
  if (p < end) w = Put(w, tables.packed[*p]);
  return w;
}

}  // namespace

void InitTextFoldTable() { GetLoopTables(); }

void FoldText(std::string_view text, std::string& out) {
  const std::size_t start = out.size();
  out.resize(start + 2 * text.size());
  char* const end = FoldInto(text, out.data() + start);
  out.resize(static_cast<std::size_t>(end - out.data()));
}

std::string FoldText(std::string_view text) {
  std::string out;
  FoldText(text, out);
  return out;
}

}  // namespace vx
