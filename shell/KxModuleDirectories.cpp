#include "shell/KxModuleDirectories.h"

#include <climits>
#include <cstdlib>
#include <ostream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

bool isFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string absolute(const std::string& directory) {
    char resolved[PATH_MAX];
    return ::realpath(directory.c_str(), resolved) ? std::string(resolved) : directory;
}

} // namespace

KxModuleDirectories::KxModuleDirectories(std::string program) : mProgram(std::move(program)) {}

bool KxModuleDirectories::isOption(const std::string& argument) {
    return argument == "--module-dir" || argument == "--modules";
}

bool KxModuleDirectories::addOption(const std::string& option, const std::string& directory,
                                    std::ostream& errors) {
    if (!isDirectory(directory)) {
        errors << mProgram << ": " << option << ": no directory '" << directory << "'\n";
        return false;
    }
    (option == "--modules" ? mReplacing : mAdded).push_back(directory);
    return true;
}

void KxModuleDirectories::addEnvironment(std::ostream& errors) {
    const char* path = std::getenv("KXPARAM_MODULE_PATH");
    if (!path) {
        return;
    }
    std::istringstream entries(path);
    for (std::string directory; std::getline(entries, directory, ':');) {
        if (directory.empty()) {
            continue;
        }
        if (isDirectory(directory)) {
            mAdded.push_back(directory);
        } else {
            errors << mProgram << ": KXPARAM_MODULE_PATH: no directory '" << directory
                   << "' (left out)\n";
        }
    }
}

std::vector<std::string>
KxModuleDirectories::directories(const std::string& paletteDirectory) const {
    std::vector<std::string> result = mAdded;
    if (!mReplacing.empty()) {
        result.insert(result.end(), mReplacing.begin(), mReplacing.end());
    } else {
        // In the build tree the modules stand beside the program and a palette's own directory
        // beside that; in an installed tree they are in lib/kxparam, and the library in lib.
        const std::string here = programDirectory();
        const bool buildTree = isFile(here + "/KxParameter.dlx");
        const std::string modules = buildTree ? here : here + "/../lib/kxparam";
        if (!paletteDirectory.empty()) {
            result.push_back((buildTree ? here + "/.." : modules) + "/" + paletteDirectory);
        }
        result.push_back(modules);
        if (!buildTree) {
            result.push_back(here + "/../lib");
        }
    }
    for (std::string& directory : result) {
        directory = absolute(directory);
    }
    return result;
}

std::string KxModuleDirectories::programDirectory() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        return {};
    }
    std::string program(path, static_cast<std::size_t>(length));
    return program.substr(0, program.find_last_of('/'));
}

bool KxModuleDirectories::isDirectory(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}
