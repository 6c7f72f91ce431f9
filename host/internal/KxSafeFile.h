#pragma once

#include "host/LumoErrorStatus.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Files that a user saves and opens. A save never loses the file it replaces: the new bytes go to
// a temporary file beside it, which is flushed to the disk and renamed over the target, the
// previous file having been copied to NAME.bak the same way; the directory is synced last. Any
// failure before the final rename removes the temporary files and leaves the target as it was.
namespace KxSafeFile {

// Writes `bytes` in the place of `path`, one write for each piece, pieces under 64 KiB joined
// with those that follow: the pieces end at `cuts` (ascending offsets), the last at the end.
// eFileError, with the step and the system's reason in `message`, when the system refuses any step.
Lumo::ErrorStatus replace(const std::string& path, std::string_view bytes,
                          const std::vector<std::size_t>& cuts, std::string& message);
// The whole file; eFileError, with the reason, when it cannot be read.
Lumo::ErrorStatus read(const std::string& path, std::string& bytes, std::string& message);

} // namespace KxSafeFile
