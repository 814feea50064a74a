// The print layout file "vpr.ini": the first byte chooses the document (kind, layout number,
// orientation, high resolution), the rest is the file. Read as a print job reads it, the layout
// either fails with a report or holds no more columns, boxes and names than the pages can take.
#include "print/PrintEngine.h"
#include "print/PrintEngineState.h"
#include "print/PrintJob.h"
#include "print/PrintLayout.h"
#include "tests/fuzz/FuzzTarget.h"

#include <filesystem>

VX_FUZZ_TARGET(PrintLayout) {
  if (size == 0) return 0;
  const std::filesystem::path folder = vxfuzz::ScratchFile("layout");
  std::filesystem::create_directories(folder);
  vxfuzz::WriteBytes(folder / "vpr.ini", vxfuzz::Bytes(data + 1, size - 1));
  vx::PrintEngine_Reset();
  vx::PrintEngine_SetContext({}, {}, folder);
  const int choice = data[0];
  vx::PrintJob job;
  job.layoutNumber = choice / 5 % 4;
  job.orientation = choice / 20 % 2 == 0 ? vx::kLandscape : vx::kPortrait;
  job.highResolution = choice / 40 % 2;
  job.serialNumbers = true;
  if (vx::PrintLayout_ReadForDocument(job, 1 + choice % 5) == 0) {
    const vx::PrintLayout& layout = vx::PrintEngine_State().layout;
    vxfuzz::Check(layout.listColumns.size() <= vx::kMaxLayoutColumns, "at most 255 columns");
    vxfuzz::Check(layout.boxes.size() <= vx::kMaxLayoutBoxes, "at most 15 boxes");
    vxfuzz::Check(layout.sepNames.size() <= vx::kMaxSeparatorNames, "at most 256 names");
    vxfuzz::Check(layout.weekHead.size() <= vx::kLayoutTextMax, "texts are cut to 255 bytes");
    vxfuzz::Check(layout.scale == (job.highResolution ? 2 : 1), "the scale follows the job");
  }
  vx::PrintEngine_Reset();
  return 0;
}
