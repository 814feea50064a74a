#include "platform/FreedMemory.h"

#include <malloc.h>

namespace vx {

void ReturnFreedMemory() { malloc_trim(0); }

}  // namespace vx
