#include "print/PrintDocuments.h"

#include "platform/CodePage.h"
#include "print/CircleListDocument.h"
#include "print/ListDocument.h"
#include "print/ListMapDocument.h"
#include "print/MapDocument.h"
#include "print/PrintEngine.h"
#include "print/PrintErrors.h"

namespace vx {

int PrintDocument_Map1(PrintJob& job, int target) { return MapDocument().Run(job, target); }

int PrintDocument_Map2(PrintJob& job, int target) {
  return ListMapDocument(false).Run(job, target);
}

int PrintDocument_Map3(PrintJob& job, int target) { return ListMapDocument(true).Run(job, target); }

int PrintDocument_Lst1(PrintJob& job, int target) { return ListDocument().Run(job, target); }

int PrintDocument_Lst2(PrintJob& job, int target) { return CircleListDocument().Run(job, target); }

int PrintDocuments_Run(int documentKind, PrintJob& job, int target) {
  switch (documentKind) {
    case kDocumentMap:
      return PrintDocument_Map1(job, target);
    case kDocumentListMap:
      return PrintDocument_Map2(job, target);
    case kDocumentListMap2:
      return PrintDocument_Map3(job, target);
    case kDocumentList:
      return PrintDocument_Lst1(job, target);
    case kDocumentCircleList:
      return PrintDocument_Lst2(job, target);
    default:
      ReportPrintError(Sjis("この印刷の種類には印刷処理がありません"), "PrintDocuments_Run");
      return -1;
  }
}

void PrintDocuments_Register() {
  PrintEngine_SetDocument(kDocumentMap, PrintDocument_Map1);
  PrintEngine_SetDocument(kDocumentListMap, PrintDocument_Map2);
  PrintEngine_SetDocument(kDocumentListMap2, PrintDocument_Map3);
  PrintEngine_SetDocument(kDocumentList, PrintDocument_Lst1);
  PrintEngine_SetDocument(kDocumentCircleList, PrintDocument_Lst2);
}

}  // namespace vx
