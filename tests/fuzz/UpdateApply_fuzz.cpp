// Update files applied to a small catalogue inside a transaction that is rolled back. The first
// byte chooses the form: the update text itself, or an update archive (a ZIP file) whose
// "UPDATE.TXT" is unpacked first, as a downloaded or chosen update is.
#include <cstdio>
#include <string>

#include "data/PavorunDatabase.h"
#include "tests/fuzz/FuzzCatalog.h"
#include "tests/fuzz/FuzzTarget.h"
#include "web/UpdateArchive.h"

namespace {

constexpr std::uint64_t kMaxText = 1 << 20;

void Apply(std::FILE* file) {
  vx::PavorunDatabase& db = vxfuzz::FuzzCatalog();
  vxfuzz::Check(db.BeginTransaction() == 0, "a transaction opens");
  db.ApplyUpdateFile(file, nullptr);
  vx::CircleRecord record;
  for (int id = 1; id <= db.GetMaxCircleId() && id < 64; ++id) db.SelectCircle(record, id);
  vxfuzz::Check(db.Rollback() == 0, "the update rolls back");
}

}  // namespace

VX_FUZZ_TARGET(UpdateApply) {
  if (size == 0) return 0;
  const std::string_view bytes = vxfuzz::Bytes(data + 1, size - 1);
  if (data[0] % 2 == 0) {
    std::FILE* file = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    if (file == nullptr) return 0;  // an empty text
    Apply(file);
    std::fclose(file);
    return 0;
  }
  const auto archive = vxfuzz::ScratchFile("VQ096SJIS.ZIP");
  const auto text = vxfuzz::ScratchFile("UPDATE.TXT");
  vxfuzz::WriteBytes(archive, bytes);
  const vx::UpdateArchiveStatus status = vx::ExtractUpdateText(archive, text, kMaxText);
  if (status != vx::UpdateArchiveStatus::kOk) return 0;
  vxfuzz::Check(std::filesystem::file_size(text) <= kMaxText, "an unpacked text keeps the cap");
  std::FILE* file = std::fopen(text.c_str(), "rb");
  vxfuzz::Check(file != nullptr, "the unpacked text opens");
  Apply(file);
  std::fclose(file);
  return 0;
}
