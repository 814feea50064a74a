#include "print/CircleListDocument.h"

#include "platform/CodePage.h"
#include "print/BoxListRenderer.h"
#include "print/PrintJob.h"

namespace vx {

int CircleListDocument::Kind() const { return kDocumentCircleList; }

std::string CircleListDocument::DataCheckText() const {
  return Sjis("このお気に入りデータには対応していません");
}

int CircleListDocument::DrawEntry(PrintJob& copy, int slot, const PrintRecord& record) {
  return List2_PaintColumnData_BMP(copy, Grid(), slot, &record, selected_, Draws());
}

}  // namespace vx
