#include "print/CupsPrintSubmitter.h"

#include <cups/cups.h>

#include "print/CupsPrinterList.h"

namespace vx {
namespace {

// The options of a job, freed with it.
class JobOptions {
 public:
  ~JobOptions() { cupsFreeOptions(count_, options_); }
  void Add(const char* name, const std::string& value) {
    count_ = cupsAddOption(name, value.c_str(), count_, &options_);
  }
  int Count() const { return count_; }
  cups_option_t* Options() const { return options_; }

 private:
  int count_ = 0;
  cups_option_t* options_ = nullptr;
};

// The server's address: a local socket's path, or host and port.
std::string ServerText() {
  const std::string server = cupsServer();
  return server.rfind('/', 0) == 0 ? server : server + ":" + std::to_string(ippPort());
}

// libcups words a server that cannot be reached by whatever errno it met last: the server is
// asked again to tell that case apart.
std::string LastError() {
  const ipp_status_t status = cupsLastError();
  const std::string text = cupsLastErrorString() ? cupsLastErrorString() : "";
  if (status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || !CupsServer_Answers()) {
    return "印刷サーバー (CUPS: " + ServerText() + ") が応答しません。";
  }
  return text.empty() ? "CUPS error " + std::to_string(status) : text;
}

}  // namespace

std::string CupsPrintSubmitter::Submit(const PrintSubmission& submission) {
  std::string printer = submission.printer;
  if (printer.empty()) {
    const char* fallback = cupsGetDefault2(CUPS_HTTP_DEFAULT);
    if (!fallback) return "no default printer: " + LastError();
    printer = fallback;
  }
  JobOptions options;
  if (submission.copies > 1) options.Add("copies", std::to_string(submission.copies));
  if (submission.copies > 1 && submission.collate) options.Add("Collate", "True");
  if (!submission.media.empty()) options.Add("media", submission.media);
  if (submission.landscape) options.Add("landscape", "");
  const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, printer.c_str(), submission.pdf.c_str(),
                                 submission.title.c_str(), options.Count(), options.Options());
  return job > 0 ? std::string() : LastError();
}

}  // namespace vx
