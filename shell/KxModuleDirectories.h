#pragma once

#include <iosfwd>
#include <string>
#include <vector>

/// The module directories of a host program, gathered from its command line (`--module-dir DIR`,
/// `--modules DIR`), the environment variable KXPARAM_MODULE_PATH and the program's own place.
/// They are searched in this order: --module-dir, KXPARAM_MODULE_PATH, then --modules or, without
/// it, the directories where the modules stand beside the program.
class KxModuleDirectories {
public:
    /// `program` names the program in the messages ("kxparam: ...").
    explicit KxModuleDirectories(std::string program);

    /// Whether the argument is one of the options that name a module directory.
    static bool isOption(const std::string& argument);
    /// Takes the directory of such an option; false, with the reason on `errors`, when it is not a
    /// directory.
    bool addOption(const std::string& option, const std::string& directory, std::ostream& errors);
    /// Takes the directories of KXPARAM_MODULE_PATH (separated by ':', on Windows by ';'); one that
    /// is not a directory is left out, with a line on `errors`.
    void addEnvironment(std::ostream& errors);
    /// The directories in search order, each made absolute. `paletteDirectory`, when not empty, is
    /// the name of a palette's own module directory (beside the program's modules in the build
    /// tree, in lib/kxparam when installed on POSIX systems), which the default directories then
    /// begin with. The modules are beside the program in the build tree and installed on Windows.
    std::vector<std::string> directories(const std::string& paletteDirectory = {}) const;

    /// The directory that holds the running program; empty when it cannot be found.
    static std::string programDirectory();
    /// Whether the path names a directory.
    static bool isDirectory(const std::string& path);

private:
    std::string mProgram;
    std::vector<std::string> mAdded;
    std::vector<std::string> mReplacing;
};
