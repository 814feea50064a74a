// Profile files: whatever is read can be written back, and reads back unchanged, both in place
// and into a new file; only sections whose names their own header would not give back (a stray
// ']' or lead byte) are never written to.
#include <string>
#include <vector>

#include "platform/ProfileFile.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

// Whether a file holding only the header "[name]" has a section of that name.
bool HeaderGivesBack(const std::string& name) {
  const auto file = vxfuzz::ScratchFile("header.ini");
  vxfuzz::WriteBytes(file, "[" + name + "]\r\n");
  const std::vector<std::string> sections = vx::ProfileFile(file).Sections();
  return !name.empty() && sections == std::vector<std::string>{name};
}

}  // namespace

VX_FUZZ_TARGET(ProfileFile) {
  const auto file = vxfuzz::ScratchFile("profile.ini");
  const auto fresh = vxfuzz::ScratchFile("fresh.ini");
  vxfuzz::WriteBytes(file, vxfuzz::Bytes(data, size));
  vxfuzz::WriteBytes(fresh, "");
  vx::ProfileFile profile(file), copy(fresh);
  vxfuzz::Check(profile.Ok(), "a regular file reads");
  struct Entry {
    std::string section, key, value;
  };
  std::vector<Entry> entries;
  for (const std::string& section : profile.Sections()) {
    if (!HeaderGivesBack(section)) continue;  // such a name is read, but never written
    for (const std::string& key : profile.Keys(section)) {
      entries.push_back({section, key, profile.GetString(section, key, "")});
      profile.GetInt(section, key, 7);
    }
  }
  for (const Entry& e : entries) {
    vxfuzz::Check(profile.WriteString(e.section, e.key, e.value), "a value read is written back");
    vxfuzz::Check(copy.WriteString(e.section, e.key, e.value), "a value read goes into a new file");
  }
  vxfuzz::Check(profile.Save() && copy.Save(), "both files are saved");
  for (const auto& path : {file, fresh}) {
    const vx::ProfileFile reread(path);
    for (const Entry& e : entries) {
      vxfuzz::Check(reread.GetString(e.section, e.key, "\x01") == e.value,
                    "every value reads back unchanged");
    }
  }
  return 0;
}
