// Lines typed at the shell, run by KxShell::execute on a shell that was never started: no library
// module, no palette, no provider, no drawing. Every command must answer with an error line or its
// own output, and change nothing it cannot. The input is split into lines, run one after another
// on one shell, so that commands meet the state that earlier ones left.

#include "fuzz/FuzzInput.h"
#include "shell/KxCommandLine.h"
#include "shell/KxShell.h"

#include <iostream>
#include <set>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The host explains every refused module load on the error stream; thousands of runs a second
    // would bury a sanitizer's report, which is written past this stream.
    static std::ostringstream discarded;
    std::cerr.rdbuf(discarded.rdbuf());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Commands that work without the library's modules; every other one must report an error here.
    static const std::set<std::string> withoutModules = {"help", "units", "modules", "quit",
                                                         "exit"};
    kxedResetSysVars();
    FuzzInput input(data, size);
    std::istringstream lines{std::string(input.rest())};
    std::ostringstream out;
    {
        KxShell shell(out);
        std::string line;
        bool goOn = true;
        while (goOn && std::getline(lines, line)) {
            out.str({});
            goOn = shell.execute(line);
            KxCommandLine command;
            std::string problem;
            const bool parsed = command.parse(line, problem);
            const bool silent = parsed && (command.size() == 0 || command[0][0] == '#');
            const std::string name = parsed && !silent ? command[0] : std::string();
            KX_FUZZ_CHECK(goOn || name == "quit" || name == "exit");
            KX_FUZZ_CHECK(silent || withoutModules.count(name) == 1 ||
                          out.str().find("error: ") != std::string::npos);
            KX_FUZZ_CHECK(out.str().empty() || out.str().back() == '\n');
        }
    }
    kxedResetSysVars();
    return 0;
}
