// Names and places of everything the generator writes. The disc's data lies at the output root
// or under DATA%02dN/; the files that do not belong on a disc (update archive, checklists) lie
// in EXTRA/. The lower-case layout writes every name in lower case.
#pragma once

#include <filesystem>
#include <string>

#include "tools/sample-disc/SampleOptions.h"

namespace vx::sampledisc {

std::string DefinitionFileName(int event);                       // V96DEF.TXT
std::string LayoutFileName(int event);                           // V96MAP.TXT
std::string SingleCircleFileName(int event);                     // V96ROM.TXT
std::string DayCircleFileName(int event, int day);               // V96ROM1.TXT, V96ROM0.TXT
std::string CutArchiveName(int event, const std::string& kind);  // kind CUTL, CUTH, CUTLP, CUTHP
std::string PageFileName(int page);                              // PDATA/0012.PNG
std::string MapFileName(const std::string& prefix, int day,
                        const std::string& stem);  // MDATA/MAP1E123.PNG
std::string OutlineFileName(const std::string& prefix,
                            const std::string& stem);  // MDATA/ALLMAPBS.PNG
std::string UpdateArchiveName(int event);              // VQ096SJIS.ZIP
std::string SubdirName(int event);                     // DATA96N

class DiscPaths {
 public:
  explicit DiscPaths(const SampleOptions& options);

  std::filesystem::path ExtraRoot() const { return extraRoot_; }
  // A file of the disc's data or of EXTRA/, given by its upper-case relative name.
  std::filesystem::path Data(const std::string& relative) const;
  std::filesystem::path Extra(const std::string& relative) const;

 private:
  std::string Shown(const std::string& name) const;

  bool lower_;
  std::filesystem::path dataRoot_;
  std::filesystem::path extraRoot_;
};

}  // namespace vx::sampledisc
