// Lines typed at the shell, run by KxShell::execute on a shell started with the build's modules:
// the library, the sample provider and the console palette, so that edits, groups, filters, units
// and module loading reach the provider and the palette. Every input starts a fresh shell, as
// kxparam does, and stops it at the end, which unloads the modules and frees the drawing. A line
// must succeed with nothing but warnings on the error stream, or fail with its reason there.

#include "fuzz/FuzzInput.h"
#include "host/KxApDocManager.h"
#include "host/KxModuleLoader.h"
#include "host/KxPlatform.h"
#include "shell/KxCommandLine.h"
#include "shell/KxShell.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

namespace {

bool endsLines(const std::string& text) {
    return text.empty() || text.back() == '\n';
}

bool onlyWarnings(const std::string& text) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("warning: ")) {
            return false;
        }
    }
    return true;
}

// A module file that the input names by its path would be loaded, whatever file of the machine it
// is; modules are loaded by name only, from the build's module directory.
bool loadsAFile(const std::string& line) {
    KxCommandLine command;
    std::string problem;
    return command.parse(line, problem) && command.size() > 1 && command[0] == "load" &&
           command[1].find('/') != std::string::npos;
}

// The fuzzer's own files for `export` and `import`, and for `save` and `open`, removed after each
// input.
std::string ownFile(const std::string& extension) {
    return "/tmp/kxparam-fuzz-" + std::to_string(::getpid()) + extension;
}

// These commands write and read a file of the input's naming: they get the fuzzer's own file
// instead, so that what one writes is read back by a later one and no other file is touched.
std::string withOwnFile(const std::string& line) {
    KxCommandLine command;
    std::string problem;
    if (!command.parse(line, problem) || command.size() < 2) {
        return line;
    }
    if (command[0] == "export" || command[0] == "import") {
        return command[0] + " " + ownFile(".csv");
    }
    if (command[0] == "save" || command[0] == "open") {
        return command[0] + " " + ownFile(".kxd");
    }
    return line;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The host explains every refused module load on the error stream; thousands of runs a second
    // would bury a sanitizer's report, which is written past this stream.
    static std::ostringstream discarded;
    std::cerr.rdbuf(discarded.rdbuf());
    // libFuzzer keeps each module's coverage counters for the whole run: a module loaded again at
    // another place would leave them behind. Pinned once here, the modules stay where they are
    // while the shell loads and unloads them.
    for (const char* module : {"libKxParameterManager.so", "KxParameterRes.dll", "KxParameter.dlx",
                               "KxBracketPlate.dlx"}) {
        const std::string path = KxPlatform::joinPath(KX_MODULE_DIR, module);
        KX_FUZZ_CHECK(KxPlatform::openModule(path, KxPlatform::ModuleLifetime::pinned) != nullptr);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kxedResetSysVars();
    FuzzInput input(data, size);
    std::istringstream lines{std::string(input.rest())};
    std::ostringstream out;
    std::ostringstream errors;
    {
        KxShell shell(out, errors);
        KX_FUZZ_CHECK(shell.start({KX_MODULE_DIR}));
        std::string line;
        while (!shell.hasQuit() && std::getline(lines, line)) {
            if (loadsAFile(line)) {
                continue;
            }
            out.str({});
            errors.str({});
            const bool succeeded = shell.execute(withOwnFile(line));
            KX_FUZZ_CHECK(succeeded == onlyWarnings(errors.str()));
            KX_FUZZ_CHECK(succeeded || shell.hasFailed());
            KX_FUZZ_CHECK(endsLines(out.str()) && endsLines(errors.str()));
        }
    }
    KX_FUZZ_CHECK(kxrxLoadedModules().empty());
    // Each input starts as the first did: the drawing, which keeps what the plate erased, and the
    // module directory go too.
    kxDocManagerPtr()->closeAllDocuments();
    kxrxClearModuleDirectories();
    kxedResetSysVars();
    for (const std::string& file : {ownFile(".csv"), ownFile(".kxd"), ownFile(".kxd") + ".bak"}) {
        std::remove(file.c_str());
    }
    return 0;
}
