// Building checklist records in tests: fields each followed by a comma, as the formats write them.
#pragma once

#include <map>
#include <string>

namespace vxtest {

// A record of `count` fields, all empty but those given, each followed by ",".
inline std::string RecordLine(int count, const std::map<int, std::string>& fields) {
  std::string line;
  for (int i = 0; i < count; ++i) {
    const auto it = fields.find(i);
    if (it != fields.end()) line += it->second;
    line += ",";
  }
  return line;
}

// A 28-field Circle record.
inline std::string CircleLine(const std::map<int, std::string>& fields) {
  std::map<int, std::string> all = fields;
  all[0] = "Circle";
  return RecordLine(28, all);
}

inline std::string HeaderLine(int eventNo, const std::string& encoding = "Shift_JIS") {
  return "Header,VellastradeCD-ROMCatalog,Vellastrade" + std::to_string(eventNo) + "," + encoding +
         ",Windows 1.96.1\r\n";
}

inline std::string MagicLine(int eventNo) {
  return "QUILLOR,104,Vellastrade" + std::to_string(eventNo) + ",Windows\r\n";
}

}  // namespace vxtest
