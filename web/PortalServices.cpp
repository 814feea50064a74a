#include "web/PortalServices.h"

namespace vx {

void PortalServices::ShowBox(std::string_view text, std::string_view caption,
                             unsigned flags) const {
  if (ui != nullptr) ui->MessageBox(owner, text, caption, flags);
}

}  // namespace vx
