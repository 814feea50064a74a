#include "tools/sample-disc/EarlierSample.h"

#include <cstdio>
#include <fstream>
#include <regex>
#include <system_error>
#include <vector>

#include "tools/sample-disc/CatalogTextWriter.h"

namespace fs = std::filesystem;

namespace vx::sampledisc {
namespace {

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool StartsWithSignature(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string line;
  std::getline(in, line);
  return line.rfind(kSampleSignature, 0) == 0;
}

// The event number of a signed definition file's name "V<n>DEF.TXT", or -1.
int SignedDefinitionEvent(const fs::directory_entry& entry) {
  static const std::regex name("V(\\d+)DEF\\.TXT");
  std::error_code ec;
  std::smatch match;
  const std::string upper = UpperAscii(entry.path().filename().string());
  if (!std::regex_match(upper, match, name) || !entry.is_regular_file(ec) ||
      !StartsWithSignature(entry.path())) {
    return -1;
  }
  return std::stoi(match[1]);
}

// The folders of `out` that hold a signed definition file, with its event: `out` itself and its
// DATA* sub-folders.
std::vector<std::pair<fs::path, int>> SampleDataFolders(const fs::path& out) {
  std::vector<std::pair<fs::path, int>> found;
  std::vector<fs::path> candidates = {out};
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(out, ec)) {
    const std::string name = UpperAscii(entry.path().filename().string());
    if (entry.is_directory(ec) && name.rfind("DATA", 0) == 0) candidates.push_back(entry.path());
  }
  for (const fs::path& folder : candidates) {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
      if (const int event = SignedDefinitionEvent(entry); event >= 0) {
        found.emplace_back(folder, event);
      }
    }
  }
  return found;
}

std::string Event3(int event) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%03d", event);
  return digits;
}

class Remover {
 public:
  explicit Remover(std::string& error) : error_(error) {}

  // Files directly in `folder` whose upper-case names match `pattern` (the whole name).
  bool Files(const fs::path& folder, const std::string& pattern) {
    const std::regex names(pattern);
    std::error_code ec;
    std::vector<fs::path> matching;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
      if (entry.is_regular_file(ec) &&
          std::regex_match(UpperAscii(entry.path().filename().string()), names)) {
        matching.push_back(entry.path());
      }
    }
    for (const fs::path& file : matching) {
      if (!fs::remove(file, ec) && ec) {
        error_ = file.string() + ": cannot remove the earlier sample: " + ec.message();
        return false;
      }
    }
    return true;
  }

  // The sub-folder of `folder` spelt `name` in any case, when it exists.
  static std::vector<fs::path> SubFolders(const fs::path& folder, const std::string& name) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
      if (entry.is_directory(ec) && UpperAscii(entry.path().filename().string()) == name) {
        found.push_back(entry.path());
      }
    }
    return found;
  }

  bool InSubFolders(const fs::path& folder, const std::string& name, const std::string& pattern) {
    for (const fs::path& sub : SubFolders(folder, name)) {
      if (!Files(sub, pattern)) return false;
      RemoveIfEmpty(sub);
    }
    return true;
  }

  static void RemoveIfEmpty(const fs::path& folder) {
    std::error_code ec;
    if (fs::is_empty(folder, ec)) fs::remove(folder, ec);
  }

 private:
  std::string& error_;
};

}  // namespace

bool HoldsSampleDisc(const fs::path& folder) { return !SampleDataFolders(folder).empty(); }

// The names below are those of DiscPaths, upper-cased (the lower-case layout matches too).
bool RemoveEarlierSample(const fs::path& out, std::string& error) {
  Remover remove(error);
  for (const auto& [folder, event] : SampleDataFolders(out)) {
    const std::string texts = "V" + std::to_string(event) + "(DEF|MAP|ROM\\d*)\\.TXT";
    const std::string archives = "V" + Event3(event) + "CUT(L|H|LP|HP)\\.CCZ";
    const std::string maps = "(MAP|HMP|GNR|HGR)\\d+\\w*\\.PNG|(ALLMAP|HALMAP)\\w*\\.PNG";
    const std::string extras =
        "VQ" + Event3(event) + "SJIS\\.ZIP|CHECK\\d+_(SJIS|UTF8|EUCJP|JIS|OLD)\\.CSV";
    if (!remove.Files(folder, texts + "|" + archives) ||
        !remove.InSubFolders(folder, "PDATA", "\\d{4}\\.PNG") ||
        !remove.InSubFolders(folder, "MDATA", maps) || !remove.InSubFolders(out, "EXTRA", extras)) {
      return false;
    }
    if (folder != out) Remover::RemoveIfEmpty(folder);
  }
  return true;
}

}  // namespace vx::sampledisc
