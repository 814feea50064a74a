// The print engine: one procedural module over one engine state. It keeps the context (data
// source, error boxes, message posting, text drawing, image folder, layout file), turns a print
// request into the job block, chooses the document and the output target, caches the print
// record set between the passes of a job, and starts, prepares and stops the document of the
// current job. Only one job exists at a time.
//
// The UI thread sets the context, builds the job and chooses the target; the counting pass runs
// there too. A document's run then goes on a thread of its own and reads the job and the tables
// without locks while the UI thread waits in a modal dialog; the UI thread only raises the stop
// flag meanwhile.
#pragma once

#include <any>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>
#include <thread>

#include "app/PrintSettings.h"
#include "platform/UiServices.h"
#include "print/PrintJob.h"

namespace vx {

class PrintDataSource;
class PrintEventSink;
class PrintPageOutput;
class PrintReportSink;
class PrintSelection;
class PrintTextDrawer;

// A document's run: (job, target) -> 0 done, -1 failed or stopped.
using PrintDocumentRun = std::function<int(PrintJob& job, int target)>;

struct PrintEngineServices {
  PrintDataSource* source = nullptr;
  PrintReportSink* reports = nullptr;  // none: reports are dropped
  PrintEventSink* events = nullptr;    // none: nothing is posted
  PrintTextDrawer* text = nullptr;
  // The modal preview of the prepared job (the preview is a dialog of the program).
  std::function<void(OwnerWindow owner)> runPreview;
  // Starts a document thread; empty: std::thread. Throws std::system_error when the thread
  // cannot be made.
  std::function<std::thread(std::function<void()>)> startThread;
};

// --- Context -------------------------------------------------------------------------------------
// Keeps the services and the image folder and takes the layout file "vpr.ini" from the program
// folder; the calling thread becomes the one that reads the checklist. Called before every print,
// image output and print settings command.
void PrintEngine_SetContext(const PrintEngineServices& services,
                            const std::filesystem::path& imageFolder,
                            const std::filesystem::path& programFolder);
// Back to the state at start: no context, no job, no records, no documents (stops a running
// document thread and waits for it first).
void PrintEngine_Reset();
const PrintEngineServices& PrintEngine_Services();

// --- Documents -----------------------------------------------------------------------------------
// The run of a document kind (1..5); the program registers the five documents at start-up.
void PrintEngine_SetDocument(int documentKind, PrintDocumentRun run);
// The stop flag of a document kind; 1 asks its run to stop. Any thread.
std::atomic<int>& PrintEngine_StopFlag(int documentKind);
// Where the pages of target 1 (image files), 2 (printer) or 4 (printer through page images) go;
// a run to a target without an output fails with a report.
void PrintEngine_SetPageOutput(int target, std::shared_ptr<PrintPageOutput> output);
PrintPageOutput* PrintEngine_PageOutput(int target);
// True on a thread started by PrintThread_Start (its stop flag was cleared by the start).
bool PrintEngine_IsDocumentThread();
// Posts a message to the job's owner window; nothing when it has none.
void PrintEngine_Post(const PrintJob& job, unsigned message, std::intptr_t lParam);

// --- The job -------------------------------------------------------------------------------------
// The job block and the kind of its document.
PrintJob& PrintEngine_Job();
int PrintEngine_DocumentKind();

// Builds the request for print kind 0 (list), 1 (cut list), 2 (map) or 3 (blank map) from the
// print settings and sets up the job; returns the job's page figure.
int PrintJob_BuildFromSettings(const PrintSettings& settings, int printKind);
// Turns the request into the job and runs the preparation pass; returns the page figure.
int PrintEngine_SetupJob(PrintSelection& selection);
// The page range of the next job ("1-" for all pages) and the copy count and collate flags.
void PrintEngine_SetPageRange(std::string_view text, int flagA, int flagB);
// Printer output for the next job: through page images when `bmpPrint` is set, else drawn
// straight onto the printer at high resolution. The printer choice is kept for the back-end.
void PrintEngine_SetPrinterTarget(OwnerWindow owner, int bmpPrint, std::any printerSettings = {});
const std::any& PrintEngine_PrinterSettings();
// Image-file output for the next job.
void PrintEngine_SetImageFileTarget(OwnerWindow owner, int longSide, int highResolution,
                                    std::string_view folder, std::string_view file,
                                    int imageFormat);
// Preview target; runs the modal preview.
void PrintEngine_RunPreview(OwnerWindow owner);
// The window that receives the job's messages (the print progress dialog).
void PrintEngine_SetOwnerWindow(OwnerWindow window);

// The counting pass of the job's document on the calling thread; the progress units it counted.
int PrintEngine_PrepareJob();
// Starts the job's document on its own thread with the job's target.
void PrintEngine_RunJob();
// Starts document `documentKind` on its own thread over `job` (the preview's copy, or the engine's
// job) and returns at once, after clearing the kind's stop flag. A thread that cannot be made
// is reported and the job ends with UM_PRINT_FAILED.
void PrintThread_Start(int documentKind, PrintJob& job, int target);
// Waits until a started document thread has ended (the dialogs after its end message). UI
// thread: events are handled meanwhile, so a document waiting for its error box goes on.
void PrintEngine_WaitForJob();
void PrintEngine_StopJob();

// --- The record-set cache ------------------------------------------------------------------------
// Rebuilds the print records when they are marked for rebuilding; the build's result (0 or -1).
int PrintEngine_GetRecords();
void PrintEngine_InvalidateRecords();
// Frees the records; the next job takes the checklist again.
void PrintEngine_ReleaseRecords();

// --- Image data ----------------------------------------------------------------------------------
// The image file `name` (relative, '/' separated, looked up without regard to case) exists in the
// event's image folder.
bool PrintEngine_ImageFileExists(std::string_view name);
// The file's path in the image folder (case-insensitive look-up; as given when missing).
std::filesystem::path PrintEngine_ImagePath(std::string_view name);
const std::filesystem::path& PrintEngine_GetImageFolder();

}  // namespace vx
