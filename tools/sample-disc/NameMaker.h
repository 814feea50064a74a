// Makes the texts of one sample circle from the built-in word lists: names with their readings,
// pen names, book names, descriptions and web addresses on example hosts. Texts come out as
// CP932 bytes.
#pragma once

#include <string>

#include "tools/sample-disc/CatalogModel.h"
#include "tools/sample-disc/SampleRandom.h"

namespace vx::sampledisc {

// Byte limits of the catalogue's text columns.
inline constexpr std::size_t kCircleNameMaxBytes = 32;

class NameMaker {
 public:
  explicit NameMaker(SampleRandom& random) : random_(random) {}

  void MakeCircleName(std::string& name, std::string& kana);
  std::string MakePenName();
  std::string MakeBookName();
  std::string MakeDescription();
  std::string MakeUpdateData(const std::string& bookName);
  // url, mail, orbalink, rss, twitter and pixiv; each only for some circles. `serial` makes
  // twitter and pixiv ids unique within the catalogue.
  void MakeLinks(Circle& circle, int serial);

 private:
  std::string MakeNameUtf8(std::string& reading);
  SampleRandom& random_;
};

// The UTF-8 text with every "%s" replaced by `value`.
std::string FillPlaceholder(const std::string& pattern, const std::string& value);

}  // namespace vx::sampledisc
