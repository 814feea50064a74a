// Whether a PDF file that Qt's PDF writer wrote reached the disk whole. The writer does not notice
// a write that failed (a full disk): its painter ends without a complaint, leaving a document that
// stops short or whose parts lie elsewhere than its cross-reference table says.
#pragma once

#include <filesystem>

namespace vx {

// The file ends with "startxref", the table's offset and "%%EOF", and the table is at that offset.
bool PdfFileIsComplete(const std::filesystem::path& file);

}  // namespace vx
