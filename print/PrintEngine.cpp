// The engine's context, targets, document dispatch and record-set cache.
#include "print/PrintEngine.h"

#include <cstdint>
#include <memory>
#include <system_error>

#include "platform/BoundedFileReader.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "platform/qt/ModalWorker.h"
#include "platform/qt/UiThread.h"
#include "print/PrintDataSource.h"
#include "print/PrintEngineState.h"
#include "print/PrintErrors.h"
#include "print/PrintEventSink.h"

namespace vx {
namespace {

std::unique_ptr<PrintEngineState>& StatePointer() {
  static std::unique_ptr<PrintEngineState> state = std::make_unique<PrintEngineState>();
  return state;
}

bool IsDocumentKind(int kind) { return kind >= kDocumentMap && kind <= kDocumentCircleList; }

bool IsOutputTarget(int target) {
  return target == kTargetImageFiles || target == kTargetPrinter || target == kTargetPrinterImages;
}

// Set on the threads PrintThread_Start makes: their stop flag was cleared before they started.
thread_local bool t_documentThread = false;

// Until its run returns, a document may wait for the UI thread to show its error box.
void JoinWorker(PrintEngineState& state) {
  const ModalWorker worker({{},
                            [&state] { return state.workerReturned.load(); },
                            [&state] {
                              if (state.worker.joinable()) state.worker.join();
                            }});
  worker.Finish();
}

}  // namespace

PrintEngineState& PrintEngine_State() { return *StatePointer(); }

void PrintEngine_SetContext(const PrintEngineServices& services,
                            const std::filesystem::path& imageFolder,
                            const std::filesystem::path& programFolder) {
  PrintEngineState& state = PrintEngine_State();
  state.services = services;
  state.imageFolder = imageFolder;
  state.layoutFile = programFolder / "vpr.ini";
  state.contextThread = std::this_thread::get_id();
  state.recordsDirty = true;
}

void PrintEngine_Reset() {
  for (std::atomic<int>& flag : PrintEngine_State().stopFlags) flag = 1;
  JoinWorker(PrintEngine_State());
  StatePointer() = std::make_unique<PrintEngineState>();
}

const PrintEngineServices& PrintEngine_Services() { return PrintEngine_State().services; }

void PrintEngine_SetDocument(int documentKind, PrintDocumentRun run) {
  if (IsDocumentKind(documentKind)) PrintEngine_State().documents[documentKind] = std::move(run);
}

std::atomic<int>& PrintEngine_StopFlag(int documentKind) {
  PrintEngineState& state = PrintEngine_State();
  return state.stopFlags[IsDocumentKind(documentKind) ? documentKind : 0];
}

void PrintEngine_SetPageOutput(int target, std::shared_ptr<PrintPageOutput> output) {
  if (IsOutputTarget(target)) {
    PrintEngine_State().pageOutputs[static_cast<std::size_t>(target)] = std::move(output);
  }
}

PrintPageOutput* PrintEngine_PageOutput(int target) {
  if (!IsOutputTarget(target)) return nullptr;
  return PrintEngine_State().pageOutputs[static_cast<std::size_t>(target)].get();
}

bool PrintEngine_IsDocumentThread() { return t_documentThread; }

void PrintEngine_Post(const PrintJob& job, unsigned message, std::intptr_t lParam) {
  PrintEventSink* events = PrintEngine_State().services.events;
  if (events && job.ownerWindow) events->Post(job.ownerWindow, message, lParam);
}

PrintJob& PrintEngine_Job() { return PrintEngine_State().job; }
int PrintEngine_DocumentKind() { return PrintEngine_State().documentKind; }

void PrintEngine_SetPageRange(std::string_view text, int flagA, int flagB) {
  PrintJob& job = PrintEngine_Job();
  job.pageRange.assign(text);
  job.rangeFlagA = flagA;
  job.rangeFlagB = flagB;
}

void PrintEngine_SetPrinterTarget(OwnerWindow owner, int bmpPrint, std::any printerSettings) {
  PrintEngineState& state = PrintEngine_State();
  state.messageOwner = owner;
  state.printerSettings = std::move(printerSettings);
  state.job.longSide = 0;
  state.job.imageFormat = kImageBmp;
  if (bmpPrint) {
    // Page images at the resolution the job was set up with (the set-up resets it per job).
    state.job.target = kTargetPrinterImages;
  } else {
    state.job.target = kTargetPrinter;
    state.job.highResolution = 1;
  }
}

const std::any& PrintEngine_PrinterSettings() { return PrintEngine_State().printerSettings; }

void PrintEngine_SetImageFileTarget(OwnerWindow owner, int longSide, int highResolution,
                                    std::string_view folder, std::string_view file,
                                    int imageFormat) {
  PrintEngineState& state = PrintEngine_State();
  state.messageOwner = owner;
  PrintJob& job = state.job;
  job.target = kTargetImageFiles;
  job.longSide = longSide;
  job.highResolution = highResolution ? 1 : 0;
  job.outputFolder.assign(folder);
  job.outputFile.assign(file);
  job.imageFormat = imageFormat;
}

void PrintEngine_RunPreview(OwnerWindow owner) {
  PrintEngineState& state = PrintEngine_State();
  state.messageOwner = owner;
  state.job.target = kTargetPreview;
  if (state.services.runPreview) state.services.runPreview(owner);
}

void PrintEngine_SetOwnerWindow(OwnerWindow window) { PrintEngine_Job().ownerWindow = window; }

int PrintEngine_PrepareJob() {
  PrintEngineState& state = PrintEngine_State();
  state.job.preparationResult = 0;
  state.layoutFailed = false;
  if (!IsDocumentKind(state.documentKind) || !state.documents[state.documentKind]) {
    ReportPrintError(Sjis("この印刷の種類には印刷処理がありません"), "PrintEngine_PrepareJob");
    return 0;
  }
  state.documents[state.documentKind](state.job, kTargetCount);
  return state.job.preparationResult;
}

void PrintThread_Start(int documentKind, PrintJob& job, int target) {
  PrintEngineState& state = PrintEngine_State();
  JoinWorker(state);
  if (!IsDocumentKind(documentKind) || !state.documents[documentKind]) {
    ReportPrintError(Sjis("この印刷の種類には印刷処理がありません"), "PrintThread_Start");
    PrintEngine_Post(job, UM_PRINT_FAILED, 0);
    return;
  }
  // The flag is cleared here, not by the run: a stop raised the moment the thread starts holds.
  PrintEngine_StopFlag(documentKind) = 0;
  std::function<void()> body = [run = state.documents[documentKind], &job, target,
                                &returned = state.workerReturned] {
    t_documentThread = true;
    run(job, target);
    // The end comes through the UI thread's queue, behind every message the run posted.
    PostToUiThread([&returned] { returned = true; });
  };
  state.workerReturned = false;
  try {
    state.worker = state.services.startThread ? state.services.startThread(std::move(body))
                                              : std::thread(std::move(body));
  } catch (const std::system_error&) {
    state.workerReturned = true;
    // Without its thread the run would never end the job: it ends here, as failed.
    ReportPrintError(Sjis("印刷処理を開始できません。ほかのアプリケーションを終了してから、"
                          "もう一度実行してください"),
                     "PrintThread_Start");
    PrintEngine_Post(job, UM_PRINT_FAILED, 0);
  }
}

void PrintEngine_RunJob() {
  PrintEngineState& state = PrintEngine_State();
  PrintThread_Start(state.documentKind, state.job, state.job.target);
}

void PrintEngine_WaitForJob() { JoinWorker(PrintEngine_State()); }

void PrintEngine_StopJob() { PrintEngine_StopFlag(PrintEngine_State().documentKind) = 1; }

int PrintEngine_GetRecords() {
  PrintEngineState& state = PrintEngine_State();
  if (state.recordsDirty) {
    PrintRecords_Free();
    state.recordsResult = PrintRecords_Build();
    state.recordsDirty = false;
  }
  return state.recordsResult;
}

void PrintEngine_InvalidateRecords() { PrintEngine_State().recordsDirty = true; }

void PrintEngine_ReleaseRecords() {
  PrintEngineState& state = PrintEngine_State();
  PrintRecords_Free();
  state.records.lines.clear();
  state.records.cuts.clear();
  state.recordsDirty = true;
}

std::filesystem::path PrintEngine_ImagePath(std::string_view name) {
  const std::filesystem::path& folder = PrintEngine_State().imageFolder;
  return ResolveCaseInsensitive(folder, name).value_or(JoinPath(folder, name));
}

// A pipe or a device is no picture: opening it to see would wait for a writer.
bool PrintEngine_ImageFileExists(std::string_view name) {
  if (name.empty()) return false;
  return BoundedFileReader(UINTMAX_MAX).Check(PrintEngine_ImagePath(name)) ==
         BoundedFileReader::Outcome::kRead;
}

const std::filesystem::path& PrintEngine_GetImageFolder() {
  return PrintEngine_State().imageFolder;
}

}  // namespace vx
