// Update archives as they come from the update server or the user. The first byte chooses the
// form: any bytes as the archive; a sound ZIP whose "UPDATE.TXT" (stored or deflated, its name in
// either case) holds the rest; or the rest as the deflated data of that entry under a size and
// CRC of the fuzzer's choosing. Whatever unpacks keeps the cap and unpacks the same again; a cap
// one byte short refuses it; a sound archive gives back exactly what was packed.
#include <minizip/zip.h>

#include <cstring>
#include <fstream>
#include <iterator>
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
  if (form == 0) {
    vxfuzz::WriteBytes(archive, vxfuzz::Bytes(data + 1, size - 1));
  } else {
    WriteArchive(archive, name, rest, form == 1 ? method : Z_DEFLATED, form == 2,
                 Word(data + 2) % (2 * kCap), Word(data + 6));
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
