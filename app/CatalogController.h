// The hub between the windows and the catalogue data. Every window reaches the database, the
// image store and the other windows through it, and every change of the current location reaches
// every registered window as application messages, in a fixed order. It holds the current circle
// (and with it the current page and cut), the circles of the current page, the page history, the
// window registry and the modal guard. It owns the checklist store and the search condition.
//
// UI thread only, except Broadcast, which may be called from a progress dialog's worker while the
// UI thread waits in that dialog. Every operation tolerates a missing database, image store or
// settings values by doing nothing or answering a neutral value (0, -1, "", false).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/AppMessageSink.h"
#include "app/ModalGuard.h"
#include "app/PageHistory.h"
#include "app/WindowRecord.h"
#include "app/WindowRegistry.h"
#include "checklist/ChecklistFileStamp.h"
#include "data/CircleRecord.h"
#include "platform/UiServices.h"

class QPainter;
class QRectF;

namespace vx {

class ActiveWindowTracker;
class AppSettings;
class BeaconWindow;
class CatalogImages;
class ChecklistDialogs;
class ChecklistReadJob;
class ChecklistWebJobs;
class ControllerWindow;
class FavoriteStore;
struct FavoriteEntry;
class MainFrameHook;
class PageJumpWindow;
class PavorunDatabase;
class ProgressJob;
class ProgressJobRunner;
class SearchCondition;
class SystemInfoSource;
struct CutRect;
struct SearchSettings;
struct SettingsValues;

// What the controller reaches the user and the system through. Null members are tolerated: no
// box can be shown (it answers IDCANCEL), no job can run (it answers 2), no window is remembered.
struct ControllerServices {
  UiServices* ui = nullptr;
  ProgressJobRunner* progress = nullptr;
  ActiveWindowTracker* activeWindows = nullptr;
  const SystemInfoSource* systemInfo = nullptr;
  // Runs a function on the UI thread and returns when it has run (empty: RunOnUiThread of the
  // application object; without one, the controller's own thread is the UI thread).
  std::function<void(std::function<void()>)> runOnUiThread;
  // The dialogs of a checklist load (null: the read and the apply run without a dialog, and a
  // load that needs the confirmation page is declined).
  ChecklistDialogs* checklistDialogs = nullptr;
  // The portal and feed commands (null: not available).
  ChecklistWebJobs* webJobs = nullptr;
};

class CatalogController {
 public:
  static constexpr int kNoSpace = -9999;  // GetSpaceX / GetSpaceY without a place

  CatalogController(AppSettings* settings, ControllerServices services);
  ~CatalogController();
  CatalogController(const CatalogController&) = delete;
  CatalogController& operator=(const CatalogController&) = delete;

  // --- Lifetime ----------------------------------------------------------------------------------
  // False when any of the three is null or the database is not open; the controller then works on
  // without them. None is owned. Creates the checklist store, which the database's memo function
  // reads from then on, and the search condition.
  bool Init(PavorunDatabase* database, CatalogImages* images, SettingsValues* values);
  // Shut-down, before the secondary windows are destroyed: deletes the checklist store (the
  // database forgets it first), forgets the current circle, every registered window, the beacon
  // and its page-jump dialog; boxes shown afterwards have no owner.
  void Exit();
  // The hidden beacon window that owns the controller's boxes and the page-jump dialog.
  void AttachOwnerWindow(BeaconWindow* owner);
  // After the image store was pointed at another folder: the map templates follow, the current
  // page is prepared again and UM_IMAGES_CHANGED is broadcast.
  void SetImageFolder(const std::filesystem::path& folder);
  // After the cut resolution changed.
  void ReloadCurrentPage();

  AppSettings* GetSettings() const { return settings_; }
  // The boxes and dialogs of the user interface (null when none was given).
  UiServices* GetUiServices() const { return services_.ui; }
  // A settings change the user committed (also a checklist file saved or loaded, which changes
  // the recent files) goes into the settings file at once through `commit` (none: at exit).
  void SetSettingsCommitter(std::function<void()> commit) { commitSettings_ = std::move(commit); }
  void CommitSettings() const {
    if (commitSettings_) commitSettings_();
  }
  PavorunDatabase* GetDatabase() const { return database_; }
  SettingsValues* GetValues() const { return values_; }
  FavoriteStore* GetFavoriteStore() const { return store_.get(); }
  // The one search condition of the database; the search dialog and the circle list fill it.
  // Init fills it from the settings' "Search" group (the defaults without settings).
  SearchCondition* GetSearchCondition() const { return search_.get(); }
  void ApplySearchSettings(const SearchSettings& search);
  SearchSettings GetCurrentSearchSettings() const;
  // The search condition into the settings' "Search" group of the current event; false without
  // settings or condition, or when the group could not be written.
  bool SaveSearchSettings() const;
  const std::string& GetOsName() const { return osName_; }
  const std::string& GetGraphicsLibraryPath() const { return graphicsPath_; }
  const std::string& GetGraphicsLibraryVersion() const { return graphicsVersion_; }

  // --- Windows, messages and the modal guard ----------------------------------------------------
  // False when 16 windows are registered or the window is null. Broadcasts UM_WINDOW_REGISTERED.
  bool RegisterWindow(int id, ControllerWindow* window, std::string_view name);
  // Raise, mark shown (or hidden) in the registry and the settings, broadcast UM_WINDOW_SHOWN
  // (UM_WINDOW_HIDDEN); the main window shows or hides the frame when it gets that message.
  bool ShowRegisteredWindow(ControllerWindow* window);
  bool HideRegisteredWindow(ControllerWindow* window);
  bool RaiseWindow(ControllerWindow* window);
  // A shown window partly under a window raised after it: the user may not see it.
  bool IsWindowCovered(const ControllerWindow* window) const;
  // Puts the owner window (and the dialogs it owns) on top when `window` is registered.
  void RaiseOwnerWindow(ControllerWindow* window);
  // With "SyncIconic", every shown window follows a frame that is minimised or restored.
  void MinimizeAllWindows();
  void RestoreAllWindows();
  // The window's rectangle into its record and into the settings slot of its id.
  bool SaveWindowRect(ControllerWindow* window);
  bool GetWindowRecord(const ControllerWindow* window, WindowRecord* out) const;
  const WindowRegistry& GetRegistry() const { return registry_; }

  // Synchronous, in registration order, always on the UI thread; see WindowRegistry::Deliver for
  // who receives what. False (nothing delivered) when called from a worker with no way to the UI
  // thread.
  bool Broadcast(unsigned message, WParam wParam, LParam lParam);
  // Many messages of checklist entries at once, each window taking the whole run (as
  // WindowRegistry::DeliverRun); the same way to the UI thread as Broadcast.
  bool BroadcastRun(std::span<const AppMessage> run);
  // Asks the circle list to run the search condition.
  void RequestSearch();

  void BeginModal();
  void EndModal();
  ModalInputAnswer FilterModalInput(ModalInput input, bool activating = false) const;
  const ModalGuard& GetGuard() const { return guard_; }
  // A message box owned by the beacon window, under the modal guard.
  int ShowMessageBox(unsigned flags, std::string_view text, std::string_view title);
  // A long job in the progress dialog, under the modal guard: 1 done, 0 cancelled, 2 error.
  int RunProgressJob(ProgressJob& job, std::string_view caption);
  // The same with the dialog centred on `owner` (null: the beacon window).
  int RunProgressJob(ProgressJob& job, std::string_view caption, OwnerWindow owner);
  // The owner for the controller's boxes and dialogs (null before AttachOwnerWindow).
  OwnerWindow GetDialogOwner() const;
  // The modeless search dialog while it is open (set and cleared by that dialog).
  void SetOpenSearchDialog(OwnerWindow dialog) { openSearchDialog_ = dialog; }
  OwnerWindow GetOpenSearchDialog() const { return openSearchDialog_; }
  // The search dialog's narrowing and redo are offered while these are set; one state for the
  // whole program, kept across search dialogs. Narrowing needs a last result with circles in it,
  // redo a narrowing made since the last new search.
  bool CanNarrowSearch() const { return canNarrowSearch_; }
  void SetCanNarrowSearch(bool on) { canNarrowSearch_ = on; }
  bool CanRedoNarrowing() const { return canRedoNarrowing_; }
  void SetCanRedoNarrowing(bool on) { canRedoNarrowing_ = on; }

  // --- Location ----------------------------------------------------------------------------------
  const CircleRecord& GetCurrentCircle() const { return current_; }
  int GetCurrentPage() const { return current_.pageNo; }
  int GetCurrentCut() const { return current_.cutIndex; }
  int GetCutsPerPage() const { return cutsPerPage_; }

  // Makes the record current and announces what changed: page, day, block, space, genre, and
  // last the circle.
  void SetCurrentCircle(const CircleRecord& record);
  // Goes to a cut of a page (cut -1: the page's first occupied cut). Nothing for page 0, for the
  // current place, or for a page that cannot be loaded.
  void JumpTo(int page, int cut, bool recordHistory);
  // Fills the page slots with the page's circles and prepares its picture; false without a
  // database or for a page outside the first..last range (the slots then stay as they were).
  bool LoadPage(int page);
  int FirstOccupiedCut() const;
  int GetPageCutCircleId(int cut) const;
  int FindCircleCut(int circleId) const;
  bool GetPageCircleByCut(int cut, CircleRecord* out) const;
  // The checklist's record when the circle is checked, else the catalogue's.
  bool GetCircle(int circleId, CircleRecord* out) const;

  // --- Navigation --------------------------------------------------------------------------------
  void NextPage();
  void PrevPage();
  void NextBlock();
  void PrevBlock();
  void SelectNextCut();
  void SelectPrevCut();
  void SelectCutBelow();
  void SelectCutAbove();
  // A circle without a place in the catalogue becomes current on the current page at cut -1.
  void SelectCircle(int circleId, bool recordHistory);
  void GoToPage(int page);
  // Like GoToPage, but a page without circles gives way to the nearest earlier page that has
  // some (for moves backwards, which must not land on a later page).
  void GoToPageOrBefore(int page);
  void SelectCut(int cut);
  void SelectDay(int day);
  void SelectArea(int k, int day);
  void SelectBlock(int k, int day);
  void SelectGenre(int g);
  void ShowPageJumpDialog();

  // --- Page history ------------------------------------------------------------------------------
  void RecordHistory();
  void GoBack();
  void GoForward();
  void ClearHistory() { history_.Clear(); }
  const PageHistory& GetHistory() const { return history_; }

  // --- Catalogue ---------------------------------------------------------------------------------
  int GetFirstPage() const;  // -1 without a database
  int GetLastPage() const;
  int CountEvents() const;
  std::vector<int> ListEventNumbers() const;
  int GetEventNumber() const;
  const std::string& GetEventName() const;
  int GetDayCount() const;
  int GetDayBlockCount(int day) const;
  int GetDayAreaCount(int day) const;
  int GetGenreIndexCount() const;
  const std::string& GetDayWeekdayName(int day) const;
  const std::string& GetDayBlockName(int day, int k) const;
  const std::string& GetDayAreaName(int day, int k) const;
  const std::string& GetGenreIndexName(int g) const;
  // The weekday of a day of the event: "土曜日" (windows and menus) or "土" (compact lists);
  // day 0 holds the circles the lottery did not place ("抽選漏れ", "漏").
  const std::string& GetWeekdayLongName(int day) const;
  const std::string& GetWeekdayShortName(int day) const;
  const std::string& GetBlockName(int blockId) const;
  const std::string& GetAreaSimpleNameOfBlock(int blockId) const;
  const std::string& GetGenreName(int genreId) const;
  const std::string& GetMapName(int mapId) const;
  const std::string& GetMapFileStem(int mapId) const;
  int FindDayBlockIndex(int day, int blockId) const;
  int GetDayBlockId(int day, int k) const;
  int GetAreaIdOfBlock(int blockId) const;
  // The position k (1-based) of an area in the day's list of areas; 0 when the day has none of it.
  int FindDayAreaIndex(int day, int areaId) const;
  int GetMapIdOfBlock(int blockId) const;
  int GetGenreCount() const;
  int GetMapCount() const;
  // All three 0 when the page has no circle.
  void GetPageInfo(int page, int* minId, int* maxId, int* genreId) const;
  int GetCircleIdAtMapPoint(int x, int y, int mapId, int day) const;
  int GetMapDeskWidth() const;
  int GetMapDeskHeight() const;
  int GetSpaceX(int blockId, int spaceNo) const;
  int GetSpaceY(int blockId, int spaceNo) const;
  int GetSpaceLayout(int blockId, int spaceNo) const;

  // --- Pictures (high resolution when "CutResolution" is on) -----------------------------------
  // Cuts count from 1.
  CutRect GetCutRect(int cut) const;
  int HitTestCut(int x, int y) const;  // 0 outside the grid
  static CutRect GetCutMarkRect(const CutRect& cutRect);
  int GetCutWidth() const;
  int GetCutHeight() const;
  bool HasPageImage() const;
  int GetPageImageWidth() const;
  int GetPageImageHeight() const;
  void DrawPageImage(QPainter& painter, const QRectF& rect) const;
  // The pixel ratio of the screen that shows the pages. From 1.5 on, a page of low-resolution
  // cuts is composed from the high-resolution ones where they are exactly twice the size, and
  // answered at the low-resolution page's size: the same geometry, a sharper picture. A change
  // reloads the current page.
  void SetPagePixelRatio(double ratio);
  bool ComposesSharpPage() const;
  // One cut with its mark; the arguments are those of CatalogImages::DrawCut.
  void DrawCircleCut(QPainter& painter, const CutRect& rect, int page, int cutIndex, int cutNumber,
                     std::uint32_t colorRef, int number) const;
  void CloseImages();
  // Map picture paths to format with (day, map file stem): native path bytes, '%' of the folder
  // doubled. Empty until SetImageFolder.
  const std::string& GetMapImagePathFormat() const { return mapTemplate_; }
  const std::string& GetGenreMapImagePathFormat() const { return genreMapTemplate_; }
  // The hall map of a day, or its genre colouring: the settings' template ("MDATAFile",
  // "GDATAFile") formatted with the day and the map's file stem, found under the image folder
  // without regard to case. The formatted path when no such file exists (the picture is then
  // missing); empty when the template is empty or not a "%d then %s" template, or before
  // SetImageFolder.
  // The high-resolution kinds come from "HMDATAFile" and "HGDATAFile".
  enum MapPicture { kHallMap, kGenreMap, kHiResHallMap, kHiResGenreMap };
  std::filesystem::path GetMapImagePath(MapPicture picture, int day, int mapId) const;

  // --- Check colours (index 0-based; colour numbers 1..n are index + 1) ------------------------
  // Colour kinds: the palette's display colour, the checklist's display colour, the palette's print
  // colour, the checklist's print colour.
  enum ColorKind { kPaletteColor = 0, kChecklistColor = 1, kPalettePrint = 2, kChecklistPrint = 3 };
  // "FvrColorNum", always 1..16.
  int GetColorCount() const;
  // 0 for a bad index or kind, or a checklist colour the checklist does not define.
  std::uint32_t GetColorValue(int index, int kind) const;
  // Null for a bad index or kind; "" for a checklist colour the checklist does not define.
  const char* GetColorName(int index, int kind) const;
  // Palette kinds change the settings; checklist kinds change the store and mark the checklist
  // modified when anything differs. Bad indexes and kinds are ignored.
  void SetColorDef(int kind, int index, std::uint32_t display, std::uint32_t print,
                   std::string_view name);
  int GetCurrentColor() const;  // "FvrColorDef"
  void SetCurrentColor(int index);
  // The palette becomes the checklist's colour definitions.
  void LoadColorTable();
  void NotifyColorsChanged();
  void NotifyOptionsChanged();

  // --- Checks and memos --------------------------------------------------------------------------
  // -1 not in the checklist, 0 memo only, 1..n checked; 0 without a store or for id 0.
  int GetCircleColor(int circleId) const;
  // A negative colour means the current one.
  void SetCircleColor(int color, int circleId);
  // Several circles at once: one change of the store and, when more than one circle changed,
  // one UM_CHECKLIST_MARKS_CHANGED instead of a message per circle.
  bool SetCirclesColor(std::span<const int> circleIds, int color);
  // Announced whatever the circle's earlier state; several circles as one
  // UM_CHECKLIST_MARKS_CHANGED.
  void UncheckCircle(int circleId);
  bool UncheckCircles(std::span<const int> circleIds);
  void SetCirclePrintOrder(int circleId, int number);
  void SetPrintOrderList(std::span<const int> circleIds);
  void ForEachInPrintOrder(const std::function<bool(const FavoriteEntry&)>& visit) const;
  // "" when the circle has no entry.
  std::string GetCircleMemo(int circleId) const;
  // Memos longer than kMaxMemoBytes are cut without splitting a character.
  void SetCircleMemo(std::string_view memo, int circleId);
  static constexpr std::size_t kMaxMemoBytes = 65535;
  // Memo-only entries leave the checklist; EraseAllMemos also empties the other memos. Both mark
  // the checklist modified when anything went, and replay the checklist to every window.
  void EraseUncheckedMemos();
  void EraseAllMemos();

  // --- Clipboard (the older checklist text format) -----------------------------------------------
  // The circles with their colours (a circle without one takes the current colour); false when
  // nothing was put on the clipboard.
  bool CopyCirclesToClipboard(std::span<const int> circleIds);
  // The clipboard's text appended to the checklist: LoadChecklistText's answer, 0 without text.
  int PasteFromClipboard();
  bool IsClipboardTextAvailable() const;

  // --- Checklist files ---------------------------------------------------------------------------
  // Commands answer 6 (IDYES) when done and 2 (IDCANCEL) when cancelled or impossible; a save
  // prompt's answer is passed on.
  //
  // The checklist file dialog, starting in "DefaultFileDir96", which becomes the folder of the
  // choice. Open: one or more existing files; save: one file, `suggested` pre-filled, no question
  // of its own about an existing file. None when cancelled or without a registered main window.
  std::vector<std::filesystem::path> ChooseChecklistFile(
      std::string_view title, bool save, const std::filesystem::path& suggested = {});
  // To the current file, or (save as, or none yet) to a chosen one after asking before an
  // existing file is replaced. A failed write is reported and answers 2: the checklist stays
  // modified and nothing is dropped.
  int SaveChecklist(bool saveAs, bool olderFormat);
  // 7 (IDNO) when nothing changed; else Yes saves (SaveChecklist's answer), No 7, Cancel 2.
  int AskSaveChecklist();
  // Loads a checklist file (replacing, or appending to, the checklist) or clipboard text (always
  // appended): read, confirmation page for another event's checklist, commit, replay to every
  // window, then the path and the modified mark. 1 when loaded, declined or cancelled (a declined
  // or cancelled load changes nothing), 0 when the source could not be read (reported).
  int LoadChecklist(const std::filesystem::path& file, bool append);
  int LoadChecklistText(std::string_view cp932Text);
  // Save prompt, then files chosen: the first replaces the checklist, the others are appended
  // (the checklist then has no file and is modified).
  int OpenChecklist();
  // Files chosen are appended; no save prompt.
  int AppendChecklist();
  // Dropped files, the command line and the recent-file menu: the save prompt, then the file
  // replaces the checklist. Nothing (2) for the checklist's own file.
  int OpenChecklistFile(const std::filesystem::path& path);
  // Entry 0..8 of "RecentFiles"; nothing (2) for another index or an empty entry.
  int OpenRecentChecklist(int index);
  // An empty checklist without a file, with the palette's colours; the save prompt unless
  // `noPrompt`.
  int NewChecklist(bool noPrompt);
  // The box for a read status -1, 1 or 2 (others show nothing); `source` names the file.
  void ShowLoadError(int status, std::string_view source);
  // UM_CHECKLIST_RESET, then every entry in print order as UM_CIRCLE_CHECKED and
  // UM_CHECKLIST_ENTRY_CHANGED, handed to the windows in runs under the apply progress dialog;
  // the windows bring their command states up to date once the last run is in.
  void RefreshChecklistViews();

  // The checklist's file ("" for a new one) and whether it changed since it was loaded or saved.
  const std::filesystem::path& ChecklistPath() const { return checklistPath_; }
  bool IsChecklistModified() const { return checklistModified_; }
  void MarkChecklistModified();
  // Null `path` changes only the modified mark. A new non-empty path goes first in "RecentFiles".
  // The title follows both, the recent-file menu the path.
  void SetChecklistPath(const std::filesystem::path* path, bool modified);
  // "<application> - <file name or 新規チェックリスト> <* when modified>" on the main frame.
  void UpdateTitle();
  // One item per "RecentFiles" entry; nothing while the first entry is empty.
  void RebuildRecentFilesMenu();

  // --- Portal, feeds and web pages ---------------------------------------------------------------
  // The portal's favourites are committed into the checklist, which is then modified.
  int ImportChecklistFromPortal();
  int ExportChecklistToPortal();
  // The checked circles' feeds (not for events from 90 on); circles whose text changed are
  // announced with UM_CIRCLE_INFO_UPDATED.
  void FetchChecklistRss();
  // In the browser the user chose ("BrowserPathMode", "BrowserPath"), else the desktop's; only
  // http, https and mailto addresses are opened. A browser that does not start is reported in a
  // box that shows the address.
  bool OpenUrl(std::string_view url);
  // A mail address in the desktop's mail program (never the chosen browser); false for anything
  // that is not a plain address (MailtoAddress).
  bool OpenMail(std::string_view address);

  // --- Settings ----------------------------------------------------------------------------------
  // Column slots 0..22; 0 and ignored outside.
  int GetListColumn(int i) const;
  int GetChecklistColumn(int i) const;
  int GetListColumnWidth(int i) const;
  int GetChecklistColumnWidth(int i) const;
  void SetListColumnWidth(int i, int width);
  void SetChecklistColumnWidth(int i, int width);
  int GetGoogleType() const;
  int GetGoogleItem1() const;
  int GetGoogleItem2() const;
  int GetGoogleCondition() const;
  void SetGoogleType(int value);
  void SetGoogleItem1(int value);
  void SetGoogleItem2(int value);
  void SetGoogleCondition(int value);
  bool IsListSortLocked() const;
  bool IsChecklistOrderLocked() const;
  void SetListSortLocked(bool locked);
  void SetChecklistOrderLocked(bool locked);
  int GetScrollMode() const;
  bool IsAutoSelect() const;
  bool IsOneClickSelect() const;

 private:
  void ReleaseStore();
  void AnnounceColor(int oldColor, int newColor, int circleId);
  void AnnounceManyMarks();
  MainFrameHook* GetMainFrame() const;
  void AddRecentFile(const std::filesystem::path& path);
  std::filesystem::path ChecklistFolder() const;
  // A save over the checklist's file that someone else wrote since this program read or wrote it
  // is asked first; false when the user keeps that file.
  bool MayOverwriteChecklistFile(const std::filesystem::path& file);
  int LoadChecklistSource(ChecklistReadJob& job, std::string_view shownSource);
  int RunChecklistRead(ChecklistReadJob& job);
  int RunImportConfirmation();
  void FinishChecklistLoad(const ChecklistReadJob& job);
  // Before a commit: a read that uses colours above the colour count raises the count to them.
  void RaiseColorCountForImport();
  void ReadEnvironmentTexts();
  // Runs the work on the UI thread and returns once it has run; false from a worker with no way
  // there.
  bool RunOnUi(const std::function<void()>& work);
  void PreparePageImage(int page);
  bool CutResolution() const;
  int WindowSlot(int windowId) const;
  bool SetShown(ControllerWindow* window, int shown, unsigned message);

  const CircleRecord* OccupiedSlot(int cut) const;
  CircleRecord EmptyCutRecord(int page, int cut) const;
  bool CursorRule() const;
  int CutAfterPageMove(int targetPage, int keptCut) const;
  void JumpToFirstCut(int page, int cut);
  void AnnounceChanges(const CircleRecord& old);

  AppSettings* settings_;
  ControllerServices services_;
  std::function<void()> commitSettings_;
  PavorunDatabase* database_ = nullptr;
  CatalogImages* images_ = nullptr;
  SettingsValues* values_ = nullptr;
  std::unique_ptr<FavoriteStore> store_;
  std::unique_ptr<SearchCondition> search_;
  int cutsPerPage_ = 0;
  ModalGuard guard_;
  std::string osName_;
  std::string graphicsPath_;
  std::string graphicsVersion_;
  CircleRecord current_;
  std::vector<CircleRecord> slots_;  // slot n-1 holds the circle at cut n of the current page
  std::string mapTemplate_;
  std::string genreMapTemplate_;
  std::filesystem::path imageFolder_;
  bool sharpPages_ = false;  // the pages are shown at a pixel ratio of 1.5 or more
  BeaconWindow* owner_ = nullptr;
  PageJumpWindow* pageJump_ = nullptr;
  OwnerWindow openSearchDialog_ = nullptr;
  bool canNarrowSearch_ = false;
  bool canRedoNarrowing_ = false;
  WindowRegistry registry_;
  PageHistory history_;
  bool checklistModified_ = false;
  std::filesystem::path checklistPath_;
  // The checklist's file as this program last read or wrote it; none when it has not.
  std::optional<ChecklistFileStamp> checklistStamp_;
  std::thread::id creatorThread_;
};

}  // namespace vx
