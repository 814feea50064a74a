// The runs of the five print documents, one per document kind, as the engine starts them:
// (job, target) -> 0 done, -1 failed or stopped.
#pragma once

namespace vx {

struct PrintJob;

int PrintDocument_Map1(PrintJob& job, int target);  // MAP
int PrintDocument_Map2(PrintJob& job, int target);  // LISTMAP
int PrintDocument_Map3(PrintJob& job, int target);  // LISTMAP2
int PrintDocument_Lst1(PrintJob& job, int target);  // LIST
int PrintDocument_Lst2(PrintJob& job, int target);  // CIRCLELIST

// The run of document kind 1..5 on this thread, as the preview calls it; -1 (reported) for
// another kind.
int PrintDocuments_Run(int documentKind, PrintJob& job, int target);

// Gives the engine the five runs (PrintEngine_SetDocument); the program does it at start-up.
void PrintDocuments_Register();

}  // namespace vx
