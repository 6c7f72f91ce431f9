// kxparam: the host program a person runs. It starts the parameter library and its modules on
// the host stand-in and takes commands, at a prompt, from a script, or from the built-in demo.

#include "host/KxPlatform.h"
#include "shell/KxDemoScript.h"
#include "shell/KxLineEditor.h"
#include "shell/KxModuleDirectories.h"
#include "shell/KxOptionParser.h"
#include "shell/KxProgramArguments.h"
#include "shell/KxShell.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kOptions =
    "usage: kxparam [--demo | --script FILE] [--bail] [--module-dir DIR]... [--modules DIR]...\n"
    "               [DRAWING.kxd]\n"
    "  (no option)       read commands at a prompt, or from standard input when it is not a "
    "terminal\n"
    "  DRAWING.kxd       open this drawing file once the modules are loaded\n"
    "  --demo            run a short session that shows every feature\n"
    "  --script FILE     run the commands of FILE\n"
    "  --bail            stop at the first command that fails\n"
    "  --module-dir DIR  look for modules in DIR first, then where they are installed\n"
    "  --modules DIR     look for modules in DIR instead of where they are installed\n";
constexpr const char* kStatus =
    "Errors and refused edits go to standard error. The exit status is 0 when every command\n"
    "succeeded, 1 when one failed, 2 for a bad command line, or a script or drawing that\n"
    "cannot be read.\n";

// KXPARAM_MODULE_PATH is a list of the system's kind: ':' between entries, on Windows ';'.
std::string usage() {
    const std::string separator(1, KxPlatform::pathListSeparator());
    return kOptions +
           ("The environment variable KXPARAM_MODULE_PATH adds directories (separated by '" +
            separator + "') after\nthose of --module-dir.\n") +
           kStatus;
}

} // namespace

int main(int argc, char** argv) {
    const KxProgramArguments arguments(argc, argv);
    KxModuleDirectories modules("kxparam");
    std::string script;
    std::string drawing;
    bool demo = false;
    bool bail = false;
    KxOptionParser options("kxparam", usage());
    options.addFlag("--demo", demo);
    options.addFlag("--bail", bail);
    options.addValue("--script", script);
    options.addOperand("drawing", drawing);
    options.addModuleDirectories(modules);
    if (const auto outcome =
            options.parse(arguments.count(), arguments.values(), std::cout, std::cerr);
        outcome != KxOptionParser::Outcome::Run) {
        return KxOptionParser::exitStatus(outcome);
    }
    modules.addEnvironment(std::cerr);
    const std::vector<std::string> directories = modules.directories();

    std::ifstream file;
    if (!script.empty()) {
        file.open(KxPlatform::toPath(script)); // UTF-8, whatever the system's code page
        if (!file || KxModuleDirectories::isDirectory(script)) {
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
    if (const std::string problem = drawing.empty() ? std::string() : shell.openDrawing(drawing);
        !problem.empty()) {
        std::cerr << "kxparam: cannot open '" << drawing << "': " << problem << '\n';
        shell.stop();
        return 2;
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
    } else if (KxProgramArguments::inputIsTerminal()) {
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
    if (!shell.hasQuit()) {
        shell.leave();
    }
    if (status == 2) {
        std::cerr << "kxparam: cannot read "
                  << (script.empty() ? std::string("standard input") : "'" + script + "'") << '\n';
    }
    shell.stop();
    return status;
}
