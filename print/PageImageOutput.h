// A page output that hands every finished page image to a function, for the tests and
// benchmarks that look at the pages a job makes. The page image is made once per run and reused,
// so a run holds one page image whatever its length.
#pragma once

#include <functional>

#include "print/DibImage.h"
#include "print/PrintPageOutput.h"

namespace vx {

class PageImageOutput final : public PrintPageOutput {
 public:
  // Called on the run's thread with the page (job.currentPage is its number); 0 goes on, -1
  // (after reporting) ends the run as failed.
  using PageFunction = std::function<int(const PrintJob& job, const DibImage& page)>;

  explicit PageImageOutput(PageFunction onPage) : onPage_(std::move(onPage)) {}

  int Open(PrintJob& job) override;
  int Put(PrintJob& job) override;
  int Close(PrintJob& job) override;

 private:
  PageFunction onPage_;
};

}  // namespace vx
