#include "web/CountProgressText.h"

#include "app/ProgressJob.h"
#include "platform/CodePage.h"

namespace vx {

std::string CountProgressText(const char* utf8Label, int position, int total) {
  return Sjis(utf8Label) + "(" + std::to_string(ShownProgressPosition(position, total)) + "/" +
         std::to_string(total) + ")";
}

}  // namespace vx
