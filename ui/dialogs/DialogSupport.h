// Small pieces shared by the database maintenance dialogs: text and path conversion at the Qt
// boundary (QtStrings.h), control ids, and the list of events that three of the dialogs show.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/qt/QtStrings.h"

class QHBoxLayout;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace vx {

// A path as it appears inside a message (CP932).
std::string PathText(const std::filesystem::path& path);

// "ヴェラストレード<n>" (CP932): how an event is named to the user.
std::string EventTitle(int event);

// The control's number in the dialog (the "controlId" property), as its template gives it.
void SetControlId(QWidget* control, int id);

class UiServices;

// The folder browser until it gives an existing folder (`invalidText` in an "エラー" box for
// anything else); none when the user cancels.
std::optional<std::filesystem::path> AskForFolder(UiServices& ui, QWidget* owner,
                                                  const std::string& title,
                                                  const std::filesystem::path& start,
                                                  const std::string& invalidText);

// "OK" (the default button) and "キャンセル" of `dialog`, with their control ids.
struct OkCancelButtons {
  QPushButton* ok;
  QPushButton* cancel;
};
OkCancelButtons CreateOkCancelButtons(QWidget* dialog);
// The two buttons at the right end of a row.
QHBoxLayout* OkCancelRow(const OkCancelButtons& buttons);

// A one-column list ("File", 128 pixels wide) of events; the keyboard focus arriving while
// nothing is selected selects the first one.
QTreeWidget* CreateEventList(QWidget* parent, int controlId);
// One item EventTitle(n) per event, in the order given; the item carries n. Nothing is current.
void FillEventList(QTreeWidget* list, const std::vector<int>& events);
// The event of the current item; 0 when none is.
int CurrentListEvent(const QTreeWidget* list);

}  // namespace vx
