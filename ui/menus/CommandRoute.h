// The road of a command through a window: its targets in order (view, frame, application). Null
// targets are skipped, so a frame can set its route up before its view exists. A route is itself
// a target, so a frame's route can end in the application's.
#pragma once

#include <utility>
#include <vector>

#include "ui/menus/CommandTarget.h"

namespace vx {

class CommandRoute : public CommandTarget {
 public:
  CommandRoute() = default;
  explicit CommandRoute(std::vector<CommandTarget*> targets) : targets_(std::move(targets)) {}

  void SetTargets(std::vector<CommandTarget*> targets) { targets_ = std::move(targets); }

  // Runs the command at the first target that handles it, unless its state says disabled (an
  // accelerator may fire for an item that has meanwhile become disabled). False when nobody ran it.
  // The state (QueryState) is decided by the first target with an update, else enabled exactly
  // when some target handles the command.
  bool Dispatch(int id);
  bool OnCommand(int id) override;
  bool OnUpdateCommand(int id, CommandState& state) const override;
  bool HandlesCommand(int id) const override;

 private:
  std::vector<CommandTarget*> targets_;
};

}  // namespace vx
