// The one state the print engine and its modules work over; PrintEngine_Reset starts it afresh.
// Used by the print code only (documents, renderers, back-ends); everyone else calls the
// functions of PrintEngine.h.
#pragma once

#include <any>
#include <array>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/ProfileFile.h"
#include "print/HallMapCache.h"
#include "print/LineList.h"
#include "print/PrintCatalogTables.h"
#include "print/PrintEngine.h"
#include "print/PrintGroupPages.h"
#include "print/PrintJob.h"
#include "print/PrintLayout.h"
#include "print/PrintPageGeometry.h"
#include "print/PrintPageOutput.h"
#include "print/PrintRecords.h"

namespace vx {

struct PrintEngineState {
  // Context.
  PrintEngineServices services;
  std::filesystem::path imageFolder;
  std::filesystem::path layoutFile;
  std::thread::id contextThread;
  OwnerWindow messageOwner = nullptr;
  std::any printerSettings;

  // The job and its document.
  PrintJob job;
  int documentKind = kDocumentNone;
  std::array<PrintDocumentRun, kDocumentKindCount + 1> documents;
  std::array<std::atomic<int>, kDocumentKindCount + 1> stopFlags{};
  std::thread worker;
  // The end of the worker's run has come through the UI thread's queue (or none was started).
  std::atomic<bool> workerReturned{true};

  // Record set and what it was built for.
  PrintRecordSet records;
  bool recordsDirty = true;
  int recordsResult = -1;
  int printOrder = kOrderChecklist;
  bool headerOnly = false;
  bool blockAll = false;

  // What the documents read while the job's pages are drawn.
  PrintCatalogTables tables;
  ProfileFile layoutProfile;
  PrintLayout layout;
  std::atomic<bool> layoutFailed{false};
  PrintPageGeometry geometry;
  std::array<bool, 1000> selectedPages{};  // [n] for page n, 1..999
  std::vector<std::string> pageTitles = std::vector<std::string>(1001);
  bool pageLimitReported = false;
  std::vector<LeaderLine> leaderLines;
  bool leaderLimitReported = false;

  // The outputs of the targets, the group page totals of each document kind's last run (what
  // the titles of its next run count against) and the hall map of the running map document.
  std::array<std::shared_ptr<PrintPageOutput>, 5> pageOutputs;
  std::array<PrintGroupPages, kDocumentKindCount + 1> groupTotals{};
  HallMapCache hallMap;
};

PrintEngineState& PrintEngine_State();

}  // namespace vx
