#include "print/PrintDocuments.h"

#include "print/CircleListDocument.h"
#include "print/ListDocument.h"
#include "print/ListMapDocument.h"
#include "print/MapDocument.h"
#include "print/PrintEngine.h"

namespace vx {

int PrintDocument_Map1(PrintJob& job, int target) { return MapDocument().Run(job, target); }

int PrintDocument_Map2(PrintJob& job, int target) {
  return ListMapDocument(false).Run(job, target);
}

int PrintDocument_Map3(PrintJob& job, int target) { return ListMapDocument(true).Run(job, target); }

int PrintDocument_Lst1(PrintJob& job, int target) { return ListDocument().Run(job, target); }

int PrintDocument_Lst2(PrintJob& job, int target) { return CircleListDocument().Run(job, target); }

void PrintDocuments_Register() {
  PrintEngine_SetDocument(kDocumentMap, PrintDocument_Map1);
  PrintEngine_SetDocument(kDocumentListMap, PrintDocument_Map2);
  PrintEngine_SetDocument(kDocumentListMap2, PrintDocument_Map3);
  PrintEngine_SetDocument(kDocumentList, PrintDocument_Lst1);
  PrintEngine_SetDocument(kDocumentCircleList, PrintDocument_Lst2);
}

}  // namespace vx
