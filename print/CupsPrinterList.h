// The printers of the CUPS server libcups finds, asked for directly so that a server that does
// not answer (within a few seconds) is told apart from one without printers.
#pragma once

#include "print/PrinterList.h"

namespace vx {

PrinterList CupsPrinterList_Query();
// Whether the server accepts a connection (within a few seconds).
bool CupsServer_Answers();

}  // namespace vx
