#include "platform/Iso2022Jp.h"

#include <array>

namespace vx {
namespace {

enum class CharSet { kAscii, kJisX0208, kKatakana };

constexpr char kEscape = 0x1B;
constexpr char kShiftOut = 0x0E;
constexpr char kShiftIn = 0x0F;
constexpr unsigned char kEucKatakanaPrefix = 0x8E;
constexpr unsigned char kEucJisX0212Prefix = 0x8F;

struct Designation {
  std::string_view sequence;
  CharSet set;
};

// The first sequence for each set is the one written.
constexpr std::array<Designation, 5> kDesignations{{
    {"\x1B(B", CharSet::kAscii},
    {"\x1B$B", CharSet::kJisX0208},
    {"\x1B(I", CharSet::kKatakana},
    {"\x1B(J", CharSet::kAscii},  // JIS X 0201 Roman: read as ASCII, as the CP932 world does
    {"\x1B$@", CharSet::kJisX0208},
}};

bool IsGraphic(unsigned char c) { return c >= 0x21 && c <= 0x7E; }
bool IsKatakana7(unsigned char c) { return c >= 0x21 && c <= 0x5F; }
bool IsEucByte(unsigned char c) { return c >= 0xA1 && c <= 0xFE; }
bool IsEucKatakana(unsigned char c) { return c >= 0xA1 && c <= 0xDF; }
unsigned char At(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

std::string_view DesignationFor(CharSet set) {
  for (const Designation& d : kDesignations) {
    if (d.set == set) return d.sequence;
  }
  return {};
}

// Length of the escape sequence at the start of `s` (ESC, intermediate bytes, final byte), or 1
// when it is cut short; a known designation also sets `set`.
std::size_t ReadEscape(std::string_view s, CharSet& set, bool& known) {
  for (const Designation& d : kDesignations) {
    if (s.starts_with(d.sequence)) {
      set = d.set;
      known = true;
      return d.sequence.size();
    }
  }
  known = false;
  std::size_t i = 1;
  while (i < s.size() && At(s, i) >= 0x20 && At(s, i) <= 0x2F) ++i;
  if (i > 1 && i < s.size() && At(s, i) >= 0x30 && At(s, i) <= 0x7E) return i + 1;
  return 1;
}

class Iso2022JpReader {
 public:
  explicit Iso2022JpReader(std::string_view iso) : iso_(iso) {}

  std::string Read() {
    while (pos_ < iso_.size()) Step();
    return std::move(euc_);
  }

 private:
  void Step() {
    const unsigned char c = At(iso_, pos_);
    if (c == kEscape) {
      bool known = false;
      pos_ += ReadEscape(iso_.substr(pos_), set_, known);
      if (!known) euc_ += '?';
    } else if (c == kShiftOut || c == kShiftIn) {
      shiftedOut_ = c == kShiftOut;
      ++pos_;
    } else if (c >= 0x80) {
      euc_ += '?';
      ++pos_;
    } else if (!IsGraphic(c)) {
      euc_ += static_cast<char>(c);  // controls and spaces stand in every set
      ++pos_;
    } else {
      ReadGraphic(shiftedOut_ ? CharSet::kKatakana : set_);
    }
  }

  void ReadGraphic(CharSet set) {
    const unsigned char c = At(iso_, pos_);
    if (set == CharSet::kAscii) {
      euc_ += static_cast<char>(c);
      ++pos_;
    } else if (set == CharSet::kKatakana) {
      if (IsKatakana7(c)) {
        euc_ += static_cast<char>(kEucKatakanaPrefix);
        euc_ += static_cast<char>(c | 0x80);
      } else {
        euc_ += '?';
      }
      ++pos_;
    } else if (pos_ + 1 < iso_.size() && IsGraphic(At(iso_, pos_ + 1))) {
      euc_ += static_cast<char>(c | 0x80);
      euc_ += static_cast<char>(At(iso_, pos_ + 1) | 0x80);
      pos_ += 2;
    } else {
      euc_ += '?';
      ++pos_;
    }
  }

  std::string_view iso_;
  std::size_t pos_ = 0;
  CharSet set_ = CharSet::kAscii;
  bool shiftedOut_ = false;
  std::string euc_;
};

class Iso2022JpWriter {
 public:
  std::string Write(std::string_view euc) {
    std::size_t i = 0;
    while (i < euc.size()) i += WriteChar(euc.substr(i));
    SwitchTo(CharSet::kAscii);
    return std::move(iso_);
  }

 private:
  // Writes the character at the start of `euc`; returns the bytes it took.
  std::size_t WriteChar(std::string_view euc) {
    const unsigned char c = At(euc, 0);
    const bool hasSecond = euc.size() >= 2;
    if (c < 0x80) {
      SwitchTo(CharSet::kAscii);
      iso_ += static_cast<char>(c);
      return 1;
    }
    if (c == kEucKatakanaPrefix && hasSecond && IsEucKatakana(At(euc, 1))) {
      SwitchTo(CharSet::kKatakana);
      iso_ += static_cast<char>(At(euc, 1) & 0x7F);
      return 2;
    }
    if (IsEucByte(c) && hasSecond && IsEucByte(At(euc, 1))) {
      SwitchTo(CharSet::kJisX0208);
      iso_ += static_cast<char>(c & 0x7F);
      iso_ += static_cast<char>(At(euc, 1) & 0x7F);
      return 2;
    }
    SwitchTo(CharSet::kAscii);
    iso_ += '?';
    const bool isJisX0212 = c == kEucJisX0212Prefix && euc.size() >= 3 && IsEucByte(At(euc, 1)) &&
                            IsEucByte(At(euc, 2));
    return isJisX0212 ? 3 : 1;
  }

  void SwitchTo(CharSet set) {
    if (set == set_) return;
    iso_ += DesignationFor(set);
    set_ = set;
  }

  CharSet set_ = CharSet::kAscii;
  std::string iso_;
};

}  // namespace

std::string Iso2022JpToEucJp(std::string_view iso) { return Iso2022JpReader(iso).Read(); }

std::string EucJpToIso2022Jp(std::string_view euc) { return Iso2022JpWriter().Write(euc); }

}  // namespace vx
