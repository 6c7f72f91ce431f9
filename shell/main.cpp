// kxparam: the host program a person runs. It starts the parameter library and its modules on
// the host stand-in and takes commands, at a prompt, from a script, or from the built-in demo.

#include "shell/KxDemoScript.h"
#include "shell/KxLineEditor.h"
#include "shell/KxShell.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

void usage(std::ostream& out) {
    out << "usage: kxparam [--demo | --script FILE] [--bail] [--module-dir DIR]... [--modules "
           "DIR]...\n"
           "  (no option)       read commands at a prompt, or from standard input when it is not "
           "a terminal\n"
           "  --demo            run a short session that shows every feature\n"
           "  --script FILE     run the commands of FILE\n"
           "  --bail            stop at the first command that fails\n"
           "  --module-dir DIR  look for modules in DIR first, then where they are installed\n"
           "  --modules DIR     look for modules in DIR instead of where they are installed\n"
           "The environment variable KXPARAM_MODULE_PATH adds directories (separated by ':') "
           "after\nthose of --module-dir.\n"
           "Errors and refused edits go to standard error. The exit status is 0 when every "
           "command\n"
           "succeeded, 1 when one failed, 2 for a bad command line or a script that cannot be "
           "read.\n";
}

std::string directoryOfProgram() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        return {};
    }
    std::string program(path, static_cast<std::size_t>(length));
    return program.substr(0, program.find_last_of('/'));
}

bool isFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool isDirectory(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// In the build tree the modules stand beside the program; in an installed tree they are in
// lib/kxparam, and the library in lib.
std::vector<std::string> defaultModuleDirectories() {
    const std::string here = directoryOfProgram();
    if (isFile(here + "/KxParameter.dlx")) {
        return {here};
    }
    return {here + "/../lib/kxparam", here + "/../lib"};
}

std::string absolute(const std::string& directory) {
    char resolved[PATH_MAX];
    return ::realpath(directory.c_str(), resolved) ? std::string(resolved) : directory;
}

} // namespace

int main(int argc, char** argv) {
    // Searched in this order: --module-dir, KXPARAM_MODULE_PATH, then --modules or, without it,
    // the directories next to the program.
    std::vector<std::string> added;
    std::vector<std::string> replacing;
    std::string script;
    bool demo = false;
    bool bail = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--demo") {
            demo = true;
        } else if (argument == "--bail") {
            bail = true;
        } else if (argument == "--script" && i + 1 < argc) {
            script = argv[++i];
        } else if ((argument == "--module-dir" || argument == "--modules") && i + 1 < argc) {
            const std::string directory = argv[++i];
            if (!isDirectory(directory)) {
                std::cerr << "kxparam: " << argument << ": no directory '" << directory << "'\n";
                return 2;
            }
            (argument == "--modules" ? replacing : added).push_back(directory);
        } else if (argument == "--script" || argument == "--module-dir" ||
                   argument == "--modules") {
            std::cerr << "kxparam: " << argument << " needs a value\n";
            return 2;
        } else if (argument == "--help" || argument == "-h") {
            usage(std::cout);
            return 0;
        } else {
            std::cerr << "kxparam: unknown option '" << argument << "'\n";
            usage(std::cerr);
            return 2;
        }
    }
    if (const char* path = std::getenv("KXPARAM_MODULE_PATH")) {
        std::istringstream entries(path);
        for (std::string directory; std::getline(entries, directory, ':');) {
            if (directory.empty()) {
                continue;
            }
            if (isDirectory(directory)) {
                added.push_back(directory);
            } else {
                std::cerr << "kxparam: KXPARAM_MODULE_PATH: no directory '" << directory
                          << "' (left out)\n";
            }
        }
    }
    std::vector<std::string> directories = added;
    for (const std::string& directory :
         replacing.empty() ? defaultModuleDirectories() : replacing) {
        directories.push_back(directory);
    }
    for (std::string& directory : directories) {
        directory = absolute(directory);
    }

    std::ifstream file;
    if (!script.empty()) {
        file.open(script);
        if (!file || isDirectory(script)) {
            std::cerr << "kxparam: cannot read '" << script << "'\n";
            return 2;
        }
    }

    KxShell shell(std::cout, std::cerr);
    if (!shell.start(directories)) {
        std::cerr << "kxparam: the parameter library could not be loaded from";
        for (const std::string& directory : directories) {
            std::cerr << ' ' << directory;
        }
        std::cerr << '\n';
        return 1;
    }
    const auto linesOf = [](std::istream& in) {
        return [&in](std::string& line) { return static_cast<bool>(std::getline(in, line)); };
    };
    int status = 0;
    if (demo) {
        // The demo's refusals are what it shows, not failures: it ends with 0.
        std::istringstream session(kKxDemoScript);
        shell.run(linesOf(session), true, false);
    } else if (!script.empty()) {
        shell.run(linesOf(file), true, bail);
        status = file.bad() ? 2 : shell.hasFailed() ? 1 : 0;
    } else if (::isatty(STDIN_FILENO) != 0) {
        std::cout << "Type 'help' for the commands, 'quit' to leave.\n";
        KxLineEditor editor("kxparam> ");
        shell.run([&](std::string& line) { return editor.readLine(line); }, false, bail);
        if (!shell.hasQuit()) {
            std::cout << '\n';
        }
        status = shell.hasFailed() ? 1 : 0;
    } else {
        shell.run(linesOf(std::cin), true, bail);
        status = std::cin.bad() ? 2 : shell.hasFailed() ? 1 : 0;
    }
    if (status == 2) {
        std::cerr << "kxparam: cannot read "
                  << (script.empty() ? std::string("standard input") : "'" + script + "'") << '\n';
    }
    shell.stop();
    return status;
}
