#include "checklist/ImportRowTexts.h"

#include <algorithm>

namespace vx {

namespace {

const std::string kNoText;

// The part as this row's own, copied when others share it.
template <class Part>
Part& Own(std::shared_ptr<Part>& part) {
  if (!part) {
    part = std::make_shared<Part>();
  } else if (part.use_count() > 1) {
    part = std::make_shared<Part>(*part);
  }
  return *part;
}

}  // namespace

const std::string& ImportRowTexts::operator[](std::size_t i) const {
  if (i < kImportFileTextCount) return file_ ? (*file_)[i] : kNoText;
  return candidate_ ? (*candidate_)[i - kImportFileTextCount] : kNoText;
}

std::string& ImportRowTexts::operator[](std::size_t i) {
  if (i < kImportFileTextCount) return Own(file_)[i];
  return Own(candidate_)[i - kImportFileTextCount];
}

bool ImportRowTexts::operator==(const ImportRowTexts& other) const {
  return std::equal(begin(), end(), other.begin());
}

ImportRowTexts::operator std::array<std::string, kImportTextCount>() const {
  std::array<std::string, kImportTextCount> all;
  std::copy(begin(), end(), all.begin());
  return all;
}

}  // namespace vx
