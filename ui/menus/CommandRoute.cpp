#include "ui/menus/CommandRoute.h"

namespace vx {

bool CommandRoute::Dispatch(int id) {
  if (!QueryState(id).enabled) return false;
  return OnCommand(id);
}

bool CommandRoute::OnCommand(int id) {
  for (CommandTarget* target : targets_) {
    if (target && target->OnCommand(id)) return true;
  }
  return false;
}

bool CommandRoute::OnUpdateCommand(int id, CommandState& state) const {
  for (const CommandTarget* target : targets_) {
    if (target && target->OnUpdateCommand(id, state)) return true;
  }
  return false;
}

bool CommandRoute::HandlesCommand(int id) const {
  for (const CommandTarget* target : targets_) {
    if (target && target->HandlesCommand(id)) return true;
  }
  return false;
}

}  // namespace vx
