// Writes the complete sample disc for the options: text files, cut archives, page files, hall
// maps, the update archive and the checklists.
#pragma once

#include <filesystem>
#include <string>

#include "tools/sample-disc/PngEncoder.h"
#include "tools/sample-disc/SampleOptions.h"

namespace vx::sampledisc {

struct DiscSummary {
  int circles = 0;
  int placedCircles = 0;
  int pages = 0;  // catalogue pages with circles (page 1, the cover, not counted)
  int desks = 0;
  int errata = 0;
  int correctedCuts = 0;
};

// Makes `out` ready for a new disc: creates it, or removes what the generator wrote there when it
// holds an earlier sample disc (anything else in it stays). A folder that is not empty and holds
// no earlier sample disc is refused, so no user data is overwritten.
bool PrepareOutputFolder(const std::filesystem::path& out, std::string& error);

// Answers false with `error` set when a file cannot be written or a picture cannot be encoded.
// `encode` makes the PNG of each picture.
bool WriteSampleDisc(const SampleOptions& options, DiscSummary& summary, std::string& error,
                     const PngEncodeFunction& encode = EncodePng);

}  // namespace vx::sampledisc
