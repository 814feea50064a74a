// Small pieces shared by the database maintenance dialogs: text and path conversion at the Qt
// boundary (QtStrings.h), control ids, and the list of events that three of the dialogs show.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/qt/QtStrings.h"

class QTreeWidget;
class QWidget;

namespace vx {

// A path as it appears inside a message (CP932).
std::string PathText(const std::filesystem::path& path);

// "ヴェラストレード<n>" (CP932): how an event is named to the user.
std::string EventTitle(int event);

// The control's number in the dialog (the "controlId" property), as its template gives it.
void SetControlId(QWidget* control, int id);

// A one-column list ("File", 128 pixels wide) of events.
QTreeWidget* CreateEventList(QWidget* parent, int controlId);
// One item EventTitle(n) per event, in the order given; the item carries n. Nothing is current.
void FillEventList(QTreeWidget* list, const std::vector<int>& events);
// The event of the current item; 0 when none is.
int CurrentListEvent(const QTreeWidget* list);

}  // namespace vx
