// Printer documents handed to CUPS (the server libcups finds: CUPS_SERVER, client.conf, or the
// local one) as one PDF job with the copies, collation, paper and orientation asked for.
#pragma once

#include "print/PrintSubmitter.h"

namespace vx {

class CupsPrintSubmitter final : public PrintSubmitter {
 public:
  std::string Submit(const PrintSubmission& submission) override;
};

}  // namespace vx
