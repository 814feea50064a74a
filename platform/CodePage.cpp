#include "platform/CodePage.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <system_error>

#include "platform/Iso2022Jp.h"
#include "platform/Sjis.h"

namespace vx {
namespace {

using CharLengthFn = std::size_t (*)(std::string_view rest);

unsigned char At(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// Each function gives the bytes of the (possibly malformed) character at the start of a non-empty
// text, so that a character iconv refuses becomes one '?' and the conversion goes on after it.

std::size_t Cp932CharLength(std::string_view s) {
  if (s.size() >= 2 && IsSjisLeadByte(At(s, 0))) {
    const unsigned char trail = At(s, 1);
    if (trail >= 0x40 && trail <= 0xFC && trail != 0x7F) return 2;
  }
  return 1;
}

std::size_t EucJpCharLength(std::string_view s) {
  auto isEuc = [&s](std::size_t i) { return i < s.size() && At(s, i) >= 0xA1 && At(s, i) <= 0xFE; };
  const unsigned char lead = At(s, 0);
  if (lead == 0x8E && isEuc(1) && At(s, 1) <= 0xDF) return 2;
  if (lead == 0x8F && isEuc(1) && isEuc(2)) return 3;
  if (isEuc(0) && isEuc(1)) return 2;
  return 1;
}

std::size_t Utf8CharLength(std::string_view s) {
  const unsigned char lead = At(s, 0);
  const std::size_t expected = lead < 0xC2   ? 1
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 1;
  std::size_t length = 1;
  while (length < expected && length < s.size() && (At(s, length) & 0xC0) == 0x80) ++length;
  return length;
}

struct Charset {
  int index;
  const char* iconvName;
  CharLengthFn charLength;
};

// glibc's "SHIFT_JIS" differs from CP932 at 0x8160 and 0x817C; EUC-JP-MS carries the same
// vendor characters (NEC row 13, IBM extensions) as CP932.
constexpr Charset kCp932{0, "CP932", Cp932CharLength};
constexpr Charset kUtf8{1, "UTF-8", Utf8CharLength};
constexpr Charset kEucJp{2, "EUC-JP-MS", EucJpCharLength};
constexpr std::size_t kCharsetCount = 3;

// iconv descriptors keep state and cannot be shared between threads, so each thread opens its own
// and keeps them for its lifetime.
class ThreadDescriptors {
 public:
  ThreadDescriptors() {
    for (auto& row : open_) row.fill(Closed());
  }
  ~ThreadDescriptors() {
    for (auto& row : open_) {
      for (iconv_t cd : row) {
        if (cd != Closed()) iconv_close(cd);
      }
    }
  }
  ThreadDescriptors(const ThreadDescriptors&) = delete;
  ThreadDescriptors& operator=(const ThreadDescriptors&) = delete;

  iconv_t Get(const Charset& from, const Charset& to) {
    iconv_t& cd = open_[from.index][to.index];
    if (cd == Closed()) {
      cd = iconv_open(to.iconvName, from.iconvName);
      if (cd == Closed()) {
        throw std::system_error(
            errno, std::generic_category(),
            std::string("iconv cannot convert ") + from.iconvName + " to " + to.iconvName);
      }
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    return cd;
  }

 private:
  static iconv_t Closed() { return reinterpret_cast<iconv_t>(-1); }

  std::array<std::array<iconv_t, kCharsetCount>, kCharsetCount> open_;
};

std::string Convert(std::string_view in, const Charset& from, const Charset& to) {
  thread_local ThreadDescriptors descriptors;
  iconv_t cd = descriptors.Get(from, to);
  std::string out;
  out.reserve(in.size() + in.size() / 2);
  char* src = const_cast<char*>(in.data());  // iconv's signature; the input is not written
  std::size_t srcLeft = in.size();
  std::array<char, 1024> buffer;
  while (srcLeft > 0) {
    char* dst = buffer.data();
    std::size_t dstLeft = buffer.size();
    const std::size_t result = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    const int error = errno;
    out.append(buffer.data(), dst);
    if (result != static_cast<std::size_t>(-1) || error == E2BIG) continue;
    // EILSEQ: a malformed or unrepresentable character; EINVAL: a character cut off at the end.
    const std::size_t skip = error == EILSEQ ? from.charLength({src, srcLeft}) : srcLeft;
    out += '?';
    src += skip;
    srcLeft -= skip;
  }
  return out;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) { return Convert(cp932, kCp932, kUtf8); }

std::string Utf8ToCp932(std::string_view utf8) { return Convert(utf8, kUtf8, kCp932); }

std::string ToCp932(std::string_view bytes, int codePage) {
  switch (codePage) {
    case kCodePageUtf8:
      return Convert(bytes, kUtf8, kCp932);
    case kCodePageEucJp:
      return Convert(bytes, kEucJp, kCp932);
    case kCodePageIso2022Jp:
      return Convert(Iso2022JpToEucJp(bytes), kEucJp, kCp932);
    default:
      return std::string(bytes);
  }
}

std::string FromCp932(std::string_view cp932, int codePage) {
  switch (codePage) {
    case kCodePageUtf8:
      return Convert(cp932, kCp932, kUtf8);
    case kCodePageEucJp:
      return Convert(cp932, kCp932, kEucJp);
    case kCodePageIso2022Jp:
      return EucJpToIso2022Jp(Convert(cp932, kCp932, kEucJp));
    default:
      return std::string(cp932);
  }
}

}  // namespace vx
