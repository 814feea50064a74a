#include "tools/install/DiscEvents.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

namespace vx::install {
namespace {

namespace fs = std::filesystem;

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// The number of "<prefix><digits><suffix>", or 0 when the name has another form.
int NumberBetween(std::string_view name, std::string_view prefix, std::string_view suffix) {
  const std::string upper = Upper(name);
  if (upper.size() <= prefix.size() + suffix.size() || !upper.starts_with(prefix) ||
      !upper.ends_with(suffix)) {
    return 0;
  }
  const std::string digits =
      upper.substr(prefix.size(), upper.size() - prefix.size() - suffix.size());
  if (digits.size() > 6 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return 0;
  }
  return std::stoi(digits);
}

// Sub-folders are ranked as the folder itself (0), "DATAnnN" (1) and "DATAnn" (2).
int SubfolderRank(std::string_view name) {
  if (NumberBetween(name, "DATA", "N") > 0) return 1;
  if (NumberBetween(name, "DATA", "") > 0) return 2;
  return -1;
}

// A definition file that is a pipe or a device still names its event: the install then says
// why it cannot be read, instead of that there is none.
void AddEventsOf(const fs::path& folder, int rank, std::vector<std::pair<int, DiscEvent>>& found) {
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
    const int eventNo = DefinitionFileEvent(entry.path().filename().string());
    if (eventNo > 0 && !entry.is_directory(ec)) found.push_back({rank, {eventNo, folder}});
  }
}

}  // namespace

int DefinitionFileEvent(std::string_view fileName) {
  return NumberBetween(fileName, "V", "DEF.TXT");
}

std::vector<DiscEvent> FindDiscEvents(const fs::path& disc) {
  std::vector<std::pair<int, DiscEvent>> found;
  AddEventsOf(disc, 0, found);
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(disc, ec)) {
    const int rank = SubfolderRank(entry.path().filename().string());
    if (rank > 0 && entry.is_directory(ec)) AddEventsOf(entry.path(), rank, found);
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    if (a.second.eventNo != b.second.eventNo) return a.second.eventNo < b.second.eventNo;
    if (a.first != b.first) return a.first < b.first;
    return a.second.folder < b.second.folder;
  });
  std::vector<DiscEvent> events;
  for (const auto& [rank, event] : found) {
    if (events.empty() || events.back().eventNo != event.eventNo) events.push_back(event);
  }
  return events;
}

}  // namespace vx::install
