// Builds CP932 text files of TAB-separated fields with CR LF line ends.
#pragma once

#include <string>
#include <vector>

namespace vx::sampledisc {

class TabText {
 public:
  void Line(const std::vector<std::string>& fields);
  void Raw(const std::string& cp932Line);  // a line written as it stands
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

inline std::string Num(int value) { return std::to_string(value); }

}  // namespace vx::sampledisc
