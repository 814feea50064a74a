// The commands that belong to no one window: help, the about box, the settings and their files,
// the data commands with their restart, bookmarks, the web search and links, memos, keeping the
// tool windows in front, the layout reset and the end of the program. Every frame's commands go
// on to these when the frame does not handle them. Of the print commands only the print settings
// sheet is here; printing, image output and the portal commands are not: their items stay
// disabled.
#pragma once

#include <memory>

#include "ui/menus/CommandMap.h"

namespace vx {

class BookmarkCommands;
class CircleWebCommands;
class DataCommands;
class PrintContext;
class QtDataCommandDialogs;
class SettingsFileCommands;
class ToolWindowFrame;
class VindaxelApplication;

class ApplicationCommands : public CommandMap {
 public:
  explicit ApplicationCommands(VindaxelApplication& application);
  ~ApplicationCommands() override;

  // "ChildWndTop" inverted and applied (the menu item shows it).
  void ToggleChildWindowsTop();
  // The five windows back at their first-start places and visibility.
  void ResetWindowLayout();
  // The main window's bookmark menu anew from the bookmark list.
  void BuildBookmarkMenu();

 private:
  void AddWindowCommands();
  void AddHelpCommands();
  void AddSettingsCommands();
  void AddDataCommands();
  void AddCircleCommands();
  void AddBookmarkCommands();

  void ShowAbout();
  void ShowHelpUnavailable();
  void EditWebSearchSettings();
  void ShowSettingsSheet();
  void ShowColorSheet();
  void EditPrintSettings();
  void EditMemo();
  void GoToBookmark(int id);
  // A tool window at its first-start place, shown or hidden as at a first start.
  void PlaceToolWindow(ToolWindowFrame* window, int slot, bool shown);
  // A change the user committed goes into the settings file at once.
  void CommitSettings();

  VindaxelApplication& application_;
  std::unique_ptr<QtDataCommandDialogs> dataDialogs_;
  std::unique_ptr<DataCommands> data_;
  std::unique_ptr<SettingsFileCommands> settingsFiles_;
  std::unique_ptr<CircleWebCommands> web_;
  std::unique_ptr<BookmarkCommands> bookmarks_;
  std::unique_ptr<PrintContext> printContext_;
};

}  // namespace vx
