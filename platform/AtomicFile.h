// Saving a file so that it is never lost: the bytes go to a new file in the target's folder, which
// is flushed to disk and then renamed over the target. Any failure leaves the old file as it was
// and removes the new one.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string_view>
#include <system_error>

namespace vx {

// How bytes reach the open file: write(2) by default. Tests pass a failing one.
using FileWriteCall = std::function<ssize_t(int fd, const void* data, std::size_t size)>;

// Opens for writing a file that did not exist before, beside `target` (its name and a unique
// suffix), with `mode` before the umask. Answers the descriptor, or -1 with `error` set.
int CreateFileBeside(const std::filesystem::path& target, mode_t mode,
                     std::filesystem::path& created, std::error_code& error);

// Writes all of `bytes`, flushes them to disk and closes `fd`, also after a failure. Answers the
// first error, or none.
std::error_code WriteAllAndClose(int fd, std::string_view bytes, const FileWriteCall& write = {});

// Writes `bytes` as the new content of `target` (a symbolic link is followed, so the file it names
// is replaced). A replaced file keeps its permission bits. Answers the first error, or none.
std::error_code WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                    const FileWriteCall& write = {});

}  // namespace vx
