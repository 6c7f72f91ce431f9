// One line typed at the shell's prompt, split by KxCommandLine. The whole input is the line.

#include "fuzz/FuzzInput.h"
#include "shell/KxCommandLine.h"

#include <algorithm>
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
    KX_FUZZ_CHECK(std::count(line.begin(), line.end(), '"') % 2 == 0);
    for (std::size_t i = 0; i < command.size(); ++i) {
        // A word holds no quote, and the text from it on is a part of the line that it starts.
        KX_FUZZ_CHECK(command[i].find('"') == std::string::npos);
        const std::string rest = command.rest(i);
        KX_FUZZ_CHECK(!rest.empty() && line.find(rest) != std::string::npos);
        KX_FUZZ_CHECK(i == 0 || command.rest(i - 1).size() > rest.size());
    }
    KX_FUZZ_CHECK(command.rest(command.size()).empty());
    return 0;
}
