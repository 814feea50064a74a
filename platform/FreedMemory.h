// Giving memory that the program has freed back to the system. The allocator keeps freed room
// for later use, which after a large release (every circle of a catalogue unchecked at once) would
// keep the program as large as at its peak.
#pragma once

namespace vx {

// After a release of many megabytes; costs a walk over the allocator's free room.
void ReturnFreedMemory();

}  // namespace vx
