#include "shell/KxModuleDirectories.h"

#include "host/KxPlatform.h"

#include <ostream>
#include <sstream>
#include <utility>

namespace {

// A directory that does not exist (yet) is kept as it was given.
std::string absolute(const std::string& directory) {
    std::string resolved = KxPlatform::canonicalPath(directory);
    return resolved.empty() ? directory : resolved;
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
    const std::optional<std::string> path = KxPlatform::environmentVariable("KXPARAM_MODULE_PATH");
    if (!path) {
        return;
    }
    std::istringstream entries(*path);
    for (std::string directory;
         std::getline(entries, directory, KxPlatform::pathListSeparator());) {
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
        // In the build tree, and installed on Windows, where a program finds its libraries only
        // in its own directory, the modules stand beside the program and a palette's own
        // directory beside that; installed elsewhere they are in lib/kxparam, the library in lib.
        const std::string here = programDirectory();
        const std::string up = KxPlatform::joinPath(here, "..");
        const bool buildTree =
            KxPlatform::isRegularFile(KxPlatform::joinPath(here, "KxParameter.dlx"));
        const std::string modules =
            buildTree ? here : KxPlatform::joinPath(KxPlatform::joinPath(up, "lib"), "kxparam");
        if (!paletteDirectory.empty()) {
            result.push_back(KxPlatform::joinPath(buildTree ? up : modules, paletteDirectory));
        }
        result.push_back(modules);
        if (!buildTree) {
            result.push_back(KxPlatform::joinPath(up, "lib"));
        }
    }
    for (std::string& directory : result) {
        directory = absolute(directory);
    }
    return result;
}

std::string KxModuleDirectories::programDirectory() {
    const std::string program = KxPlatform::programPath();
    return program.empty() ? std::string() : KxPlatform::directoryOf(program);
}

bool KxModuleDirectories::isDirectory(const std::string& path) {
    return KxPlatform::isDirectory(path);
}
