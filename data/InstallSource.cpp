#include "data/InstallSource.h"

#include "platform/CodePage.h"
#include "platform/Sjis.h"

namespace vx {
namespace {

constexpr std::string_view kDatabasePrefix = "VINDAXEL";
constexpr std::string_view kDefinitionSuffix = "DEF.TXT";
constexpr std::size_t kMaxEventDigits = 9;  // keeps the number inside an int

// Single-byte letters upper-cased; double-byte characters stepped over whole, so that a trail
// byte that happens to be a letter stays as it is.
std::string UpperSingleByte(std::string_view text) {
  std::string upper(text);
  for (std::size_t i = 0; i < upper.size();) {
    const std::size_t length = SjisCharLength(upper, i);
    if (length == 1 && upper[i] >= 'a' && upper[i] <= 'z') upper[i] = upper[i] - 'a' + 'A';
    i += length;
  }
  return upper;
}

// n of "V<n>DEF.TXT", or 0.
int DefinitionFileEvent(std::string_view upper) {
  if (upper.size() < 2 || upper.front() != 'V') return 0;
  std::size_t end = 1;
  while (end < upper.size() && upper[end] >= '0' && upper[end] <= '9') ++end;
  const std::string_view digits = upper.substr(1, end - 1);
  if (digits.empty() || digits.size() > kMaxEventDigits) return 0;
  if (upper.substr(end) != kDefinitionSuffix) return 0;
  return std::stoi(std::string(digits));
}

}  // namespace

InstallSource ClassifyInstallSource(std::string_view fileName) {
  const std::string upper = UpperSingleByte(fileName);
  if (upper.starts_with(kDatabasePrefix)) {
    return {InstallSource::kDatabaseFile, Sjis("ロザーヴァンクイストDBファイル")};
  }
  const int eventNo = DefinitionFileEvent(upper);
  if (eventNo >= 1) {
    return {eventNo,
            Sjis("ヴェラストレード") + std::to_string(eventNo) + Sjis(" 設定情報ファイル")};
  }
  return {InstallSource::kUnknown, Sjis("不明な設定情報ファイル")};
}

}  // namespace vx
