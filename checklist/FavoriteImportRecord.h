// One row of a checklist load or portal import that waits to be committed: what the file says of a
// circle, and the catalogue circle proposed for it (if any).
#pragma once

#include <array>
#include <string>

namespace vx {

// What a row does when committed.
enum ImportAction : int {
  kImportRegister = 1,         // check the candidate circle
  kImportRegisterUnknown = 2,  // add the file's circle as a circle the catalogue does not hold
  kImportSkip = 3,
};

// Indexes of FavoriteImportRecord::texts. 0 to 13 come from the file, 14 to 17 from the candidate.
enum ImportText : int {
  kImportCircleName,
  kImportCircleKana,
  kImportPenName,
  kImportBookName,
  kImportUrl,
  kImportMailAddr,
  kImportDescription,
  kImportUpdateData,
  kImportOrbalink,
  kImportRss,
  kImportMemo,
  kImportRssInfo,
  kImportTwitter,
  kImportPixiv,
  kImportFileTextCount,
  kImportCandidateName = kImportFileTextCount,
  kImportCandidatePenName,
  kImportCandidateGenre,
  kImportCandidateDescription,
  kImportTextCount,
};

using ImportFileTexts = std::array<std::string, kImportFileTextCount>;

struct FavoriteImportRecord {
  // 0 for a row standing alone; the first row of a group of n candidates holds n + 1 (the
  // candidates and the closing skip row), every other row of the group 1.
  int groupRows = 0;
  int action = kImportSkip;
  int color = 0;     // the colour number the source gives the circle
  int circleId = 0;  // the candidate; 0 when there is none
  std::array<std::string, kImportTextCount> texts;  // CP932
};

}  // namespace vx
