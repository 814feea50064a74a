#include "tools/sample-disc/TabText.h"

namespace vx::sampledisc {

void TabText::Line(const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text_ += '\t';
    text_ += fields[i];
  }
  text_ += "\r\n";
}

void TabText::Raw(const std::string& cp932Line) {
  text_ += cp932Line;
  text_ += "\r\n";
}

}  // namespace vx::sampledisc
