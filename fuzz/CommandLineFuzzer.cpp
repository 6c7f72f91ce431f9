// One line typed at the shell's prompt, split by KxCommandLine. The whole input is the line.

#include "fuzz/FuzzInput.h"
#include "shell/KxCommandLine.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::string line(input.rest());

    KxCommandLine command;
    std::string error;
    if (!command.parse(line, error)) {
        KX_FUZZ_CHECK(!error.empty());
        KX_FUZZ_CHECK(command.size() == 0 && command.rest(0).empty());
        return 0;
    }
    // Each word, quoted, reads back as itself: the rule loses nothing and adds nothing.
    std::string requoted;
    for (std::size_t i = 0; i < command.size(); ++i) {
        requoted += ' ' + KxCommandLine::quote(command[i]);
        const std::string rest = command.rest(i);
        KX_FUZZ_CHECK(rest.compare(0, command[i].size(), command[i]) == 0);
        KX_FUZZ_CHECK(i + 1 < command.size() ? rest.size() > command.rest(i + 1).size()
                                             : rest == command[i]);
    }
    KxCommandLine again;
    KX_FUZZ_CHECK(again.parse(requoted, error) && again.words() == command.words());
    KX_FUZZ_CHECK(command.rest(command.size()).empty());
    return 0;
}
