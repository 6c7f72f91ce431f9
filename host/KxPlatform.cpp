#include "host/KxPlatform.h"

#include <system_error>

// What std::filesystem answers alike on every system; the rest is in internal/KxPlatformPosix.cpp
// or internal/KxPlatformWindows.cpp. The error codes keep a missing file an answer, not a throw.

namespace KxPlatform {

bool hasDirectoryPart(const std::string& path) {
    const std::filesystem::path whole = toPath(path);
    return whole.filename() != whole;
}

std::string joinPath(const std::string& directory, const std::string& name) {
    return fromPath(toPath(directory) / toPath(name));
}

std::string fileNameOf(const std::string& path) {
    return fromPath(toPath(path).filename());
}

std::string directoryOf(const std::string& path) {
    return fromPath(toPath(path).parent_path());
}

std::string canonicalPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(toPath(path), error);
    return error ? std::string() : fromPath(resolved);
}

bool isRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(toPath(path), error);
}

bool isDirectory(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(toPath(path), error);
}

} // namespace KxPlatform
