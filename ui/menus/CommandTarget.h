// Command routing: a command (a menu item, a tool bar button, an accelerator) goes to the view
// first, then to its frame, then to the application, and stops at the first that handles it. The
// state of its item (enabled, checked) is asked along the same road before the item is shown.
#pragma once

#include <optional>

namespace vx {

// What an item shows. A command that some target handles is enabled unless an update says
// otherwise; one that nobody handles is disabled.
struct CommandState {
  bool enabled = true;
  std::optional<bool> checked;  // set: the item shows a check mark (or a pressed button)
};

class CommandTarget {
 public:
  virtual ~CommandTarget() = default;

  // Runs the command; false when this target does not handle it.
  virtual bool OnCommand(int id) = 0;
  // Fills the state when this target decides it; false leaves the question to the next target.
  virtual bool OnUpdateCommand(int id, CommandState& state) const = 0;
  // Whether OnCommand would run the command.
  virtual bool HandlesCommand(int id) const = 0;

  // The state the command's items show: an update decides; without one, the command is enabled
  // exactly when it is handled.
  CommandState QueryState(int id) const {
    CommandState state;
    if (!OnUpdateCommand(id, state)) state.enabled = HandlesCommand(id);
    return state;
  }
};

}  // namespace vx
