// vindaxel-sample-disc: writes the built-in sample catalogue disc of one event.
#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/sample-disc/SampleDiscWriter.h"
#include "tools/sample-disc/SampleOptions.h"

using namespace vx::sampledisc;

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  SampleOptions options;
  std::string error;
  if (!ParseSampleOptions(args, options, error)) {
    std::fprintf(stderr, "vindaxel-sample-disc: %s\n%s", error.c_str(), UsageText().c_str());
    return 2;
  }
  // Text is drawn with the platform's fonts but no window is ever shown.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);

  const auto start = std::chrono::steady_clock::now();
  DiscSummary summary;
  if (!WriteSampleDisc(options, summary, error)) {
    std::fprintf(stderr, "vindaxel-sample-disc: %s\n", error.c_str());
    return 1;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%s: %d circles (%d placed), %d pages, %d desks, %d errata rows in %.1f s\n",
              options.outDir.string().c_str(), summary.circles, summary.placedCircles,
              summary.pages, summary.desks, summary.errata, seconds);
  return 0;
}
