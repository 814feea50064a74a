// Update archives as they come from the update server or the user. The first byte chooses the
// form: any bytes as the archive; a sound ZIP whose "UPDATE.TXT" (stored or deflated, its name in
// either case) holds the rest; or the rest as the deflated data of that entry, declared with the
// size and CRC of what it inflates to, or (a flag) with a size and CRC of the fuzzer's choosing: a
// CRC the fuzzer has to guess stopped nearly every mutation at the checksum, before the inflater
// had shown anything. Whatever unpacks keeps the cap and unpacks the same again; a cap one byte
// short refuses it; a sound archive gives back exactly what was packed.
#include <minizip/zip.h>

#include <zlib.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "tests/fuzz/FuzzTarget.h"
#include "web/UpdateArchive.h"

namespace {

namespace fs = std::filesystem;
using vx::UpdateArchiveStatus;

constexpr std::uint64_t kCap = 1 << 20;

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// `raw`: `bytes` are the entry's deflated data, declared as `size` bytes with `crc`.
void WriteArchive(const fs::path& file, const char* name, std::string_view bytes, int method,
                  bool raw, std::uint32_t size, std::uint32_t crc) {
  zipFile zip = zipOpen64(file.c_str(), 0);
  vxfuzz::Check(zip != nullptr, "a scratch archive opens");
  zip_fileinfo info{};
  zipOpenNewFileInZip2(zip, name, &info, nullptr, 0, nullptr, 0, nullptr, method,
                       Z_DEFAULT_COMPRESSION, raw ? 1 : 0);
  zipWriteInFileInZip(zip, bytes.data(), static_cast<unsigned>(bytes.size()));
  if (raw) {
    zipCloseFileInZipRaw(zip, size, crc);
  } else {
    zipCloseFileInZip(zip);
  }
  zipClose(zip, nullptr);
}

std::uint32_t Word(const std::uint8_t* data) {
  std::uint32_t word;
  std::memcpy(&word, data, sizeof word);
  return word;
}

struct Declared {
  std::uint32_t size;
  std::uint32_t crc;
};

// The size and CRC of what the raw deflated `bytes` inflate to; nothing when they are no whole
// deflate stream or inflate past `limit`.
std::optional<Declared> InflatedSizeAndCrc(std::string_view bytes, std::uint64_t limit) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return std::nullopt;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  Declared declared{0, static_cast<std::uint32_t>(crc32(0, nullptr, 0))};
  int rc = Z_OK;
  while (rc == Z_OK && stream.total_out <= limit) {
    Bytef out[16384];
    stream.next_out = out;
    stream.avail_out = sizeof out;
    rc = inflate(&stream, Z_NO_FLUSH);
    const auto produced = static_cast<uInt>(sizeof out - stream.avail_out);
    declared.crc = static_cast<std::uint32_t>(crc32(declared.crc, out, produced));
    if (rc == Z_BUF_ERROR && produced > 0) rc = Z_OK;
  }
  declared.size = static_cast<std::uint32_t>(stream.total_out);
  inflateEnd(&stream);
  if (rc != Z_STREAM_END || stream.total_out > limit) return std::nullopt;
  return declared;
}

}  // namespace

VX_FUZZ_TARGET(UpdateArchive) {
  // form, flags (name case, method), declared size, CRC, then the entry's bytes
  if (size < 10) return 0;
  const fs::path archive = vxfuzz::ScratchFile("VQ096SJIS.ZIP");
  const fs::path text = vxfuzz::ScratchFile("UPDATE.TXT");
  const fs::path again = vxfuzz::ScratchFile("again.txt");
  const std::string_view rest = vxfuzz::Bytes(data + 10, size - 10);
  const int form = data[0] % 3;
  const char* name = (data[1] & 1) == 0 ? "UPDATE.TXT" : "update.txt";
  const int method = (data[1] & 2) == 0 ? 0 : Z_DEFLATED;
  const bool fuzzersChecksum = (data[1] & 4) != 0;
  Declared declared{static_cast<std::uint32_t>(Word(data + 2) % (2 * kCap)), Word(data + 6)};
  if (form == 2 && !fuzzersChecksum) {
    declared = InflatedSizeAndCrc(rest, 2 * kCap).value_or(declared);
  }
  if (form == 0) {
    vxfuzz::WriteBytes(archive, vxfuzz::Bytes(data + 1, size - 1));
  } else {
    WriteArchive(archive, name, rest, form == 1 ? method : Z_DEFLATED, form == 2, declared.size,
                 declared.crc);
  }
  const UpdateArchiveStatus status = vx::ExtractUpdateText(archive, text, kCap);
  if (form == 1) vxfuzz::Check(status == UpdateArchiveStatus::kOk, "a sound archive unpacks");
  if (status != UpdateArchiveStatus::kOk) return 0;
  const std::string unpacked = ReadBytes(text);
  vxfuzz::Check(unpacked.size() <= kCap, "what unpacks keeps the cap");
  if (form == 1) vxfuzz::Check(unpacked == rest, "a sound archive gives back what was packed");
  vxfuzz::Check(vx::ExtractUpdateText(archive, again, kCap) == UpdateArchiveStatus::kOk &&
                    ReadBytes(again) == unpacked,
                "an archive unpacks the same again");
  if (!unpacked.empty()) {
    vxfuzz::Check(vx::ExtractUpdateText(archive, again, unpacked.size() - 1) ==
                      UpdateArchiveStatus::kTooLarge,
                  "a cap one byte short refuses it");
  }
  return 0;
}
