// The print engine for the print dialogs' tests: documents whose runs are scripted, messages
// through Qt's queue, error boxes recorded.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "print/PrintEngine.h"
#include "print/PrintJob.h"
#include "print/PrintSelection.h"
#include "print/QtPrintEventSink.h"
#include "res/ResourceIds.h"
#include "tests/print/PrintTestSupport.h"

namespace vxtest {

class PrintUiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vx::PrintEngine_Reset();
    UseContext();
    for (int kind = 1; kind <= vx::kDocumentKindCount; ++kind) {
      vx::PrintEngine_SetDocument(kind, [this](vx::PrintJob& job, int target) {
        return target == vx::kTargetCount ? Count(job) : work(job);
      });
    }
  }
  void TearDown() override { vx::PrintEngine_Reset(); }

  // `boxes`: where error reports go instead of being recorded.
  void UseContext(vx::PrintReportSink* boxes = nullptr) {
    vx::PrintEngineServices services;
    services.source = &source;
    services.reports = boxes ? boxes : &reports;
    services.events = &events;
    services.startThread = startThread;
    vx::PrintEngine_SetContext(services, {}, {});
  }

  // A list job to the printer whose counting pass gives `units` progress units over `pages` pages.
  void PrepareJob(int units, int pages) {
    units_ = units;
    pages_ = pages;
    vx::PrintSelection request;
    request.Reset();
    request.family = vx::PrintSelection::kFamilyList;
    request.layout = 1;
    vx::PrintEngine_SetupJob(request);
    vx::PrintEngine_SetPrinterTarget(nullptr, 1);
  }

  int Count(vx::PrintJob& job) {
    job.preparationResult = units_;
    job.pageFigure = pages_;
    ++counts;
    vx::PrintEngine_Post(job, UM_PRINT_DONE, units_);
    return 0;
  }

  FakePrintSource source;
  RecordingReports reports;
  vx::QtPrintEventSink events;
  std::function<std::thread(std::function<void()>)> startThread;
  // The run of a started job on its thread.
  std::function<int(vx::PrintJob&)> work = [](vx::PrintJob& job) {
    vx::PrintEngine_Post(job, UM_PRINT_DONE, 0);
    return 0;
  };
  int counts = 0;
  // What the next counting pass gives.
  int units_ = 0;
  int pages_ = 0;
};

}  // namespace vxtest
