#include "tools/sample-disc/DiscPaths.h"

#include <cstdio>

namespace vx::sampledisc {
namespace {

std::string Format(const char* pattern, int value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, pattern, value);
  return buffer;
}

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace

std::string DefinitionFileName(int event) { return Format("V%dDEF.TXT", event); }
std::string LayoutFileName(int event) { return Format("V%dMAP.TXT", event); }
std::string SingleCircleFileName(int event) { return Format("V%dROM.TXT", event); }

std::string DayCircleFileName(int event, int day) {
  return Format("V%dROM", event) + std::to_string(day) + ".TXT";
}

std::string CutArchiveName(int event, const std::string& kind) {
  return Format("V%03d", event) + kind + ".CCZ";
}

std::string PageFileName(int page) { return Format("PDATA/%04d.PNG", page); }

std::string MapFileName(const std::string& prefix, int day, const std::string& stem) {
  return "MDATA/" + prefix + std::to_string(day) + stem + ".PNG";
}

std::string OutlineFileName(const std::string& prefix, const std::string& stem) {
  return "MDATA/" + prefix + stem + ".PNG";
}

std::string UpdateArchiveName(int event) { return Format("VQ%03dSJIS.ZIP", event); }
std::string SubdirName(int event) { return Format("DATA%02dN", event); }

DiscPaths::DiscPaths(const SampleOptions& options) : lower_(options.layout == DiscLayout::kLower) {
  dataRoot_ = options.outDir;
  if (options.layout == DiscLayout::kSubdir) dataRoot_ /= SubdirName(options.event);
  extraRoot_ = options.outDir / Shown("EXTRA");
}

std::string DiscPaths::Shown(const std::string& name) const {
  return lower_ ? LowerAscii(name) : name;
}

std::filesystem::path DiscPaths::Data(const std::string& relative) const {
  return dataRoot_ / Shown(relative);
}

std::filesystem::path DiscPaths::Extra(const std::string& relative) const {
  return extraRoot_ / Shown(relative);
}

}  // namespace vx::sampledisc
