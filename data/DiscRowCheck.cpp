#include "data/DiscRowCheck.h"

#include <algorithm>
#include <string>

#include "data/DiscTextCheck.h"
#include "data/ImportStatus.h"
#include "data/TextLineReader.h"

namespace vx {

bool DiscRowCheck::Accept(const TextLineReader& reader, std::string_view line, int lineNumber,
                          std::size_t minFields, std::size_t maxFields,
                          std::span<const std::string_view> columns,
                          std::initializer_list<std::size_t> numbers, ImportStatus& status) {
  const std::size_t fields = TabFieldCount(line);
  if (!reader.Ended()) {
    const std::size_t rowFields = maxFields - std::min(maxFields, rowShortfall_);
    if (const std::string cut = CutShortRowProblem(line, rowFields); !cut.empty()) {
      status.Refuse(LineRefusalText(lineNumber, cut));
      return false;
    }
  }
  std::string problem = DiscTextProblem(line);
  if (problem.empty()) problem = FieldCountProblem(line, minFields, maxFields);
  if (problem.empty()) problem = NumberColumnsProblem(columns, numbers);
  if (!problem.empty()) {
    status.RefuseLine(lineNumber, problem);
    return false;
  }
  if (fields < maxFields) rowShortfall_ = std::max(rowShortfall_, maxFields - fields);
  return true;
}

}  // namespace vx
