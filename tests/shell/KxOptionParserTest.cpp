// The programs' command line: each kind of argument, and each mistake with the message and exit
// status it ends with.

#include "shell/KxOptionParser.h"

#include "shell/KxModuleDirectories.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Outcome = KxOptionParser::Outcome;

constexpr const char* kUsage = "usage: kxparam [--bail] [--script FILE] [--module-dir DIR]...\n";

struct Case {
    const char* what;
    std::vector<std::string> arguments;
    Outcome outcome;
    std::string output = {};
    std::string errors = {};
    bool bail = false;
    std::string script = {};
    std::string firstModuleDirectory = {}; // checked when not empty
};

TEST(KxOptionParser, TakesEachArgumentOrEndsWithItsMessageAndStatus) {
    const std::string directory = std::filesystem::canonical(testing::TempDir()).string();
    const std::string missing = directory + "/no-such-directory";
    const Case cases[] = {
        {"nothing", {}, Outcome::Run},
        {"a flag", {"--bail"}, Outcome::Run, "", "", true},
        {"a valued option, the last one winning",
         {"--script", "a.kxs", "--script", "b.kxs"},
         Outcome::Run,
         "",
         "",
         false,
         "b.kxs"},
        {"a value that looks like an option",
         {"--script", "--bail"},
         Outcome::Run,
         "",
         "",
         false,
         "--bail"},
        {"a missing value", {"--script"}, Outcome::Error, "", "kxparam: --script needs a value\n"},
        {"a module option's missing value",
         {"--module-dir"},
         Outcome::Error,
         "",
         "kxparam: --module-dir needs a value\n"},
        {"an unknown option, before --help",
         {"--frobnicate", "--help"},
         Outcome::Error,
         "",
         "kxparam: unknown option '--frobnicate'\n" + std::string(kUsage)},
        {"a word that is no option",
         {"a.kxs"},
         Outcome::Error,
         "",
         "kxparam: unknown option 'a.kxs'\n" + std::string(kUsage)},
        {"--help, before an unknown option", {"--help", "--frobnicate"}, Outcome::Help, kUsage},
        {"-h", {"-h"}, Outcome::Help, kUsage},
        {"a module directory",
         {"--module-dir", directory},
         Outcome::Run,
         "",
         "",
         false,
         "",
         directory},
        {"a module option with a bad directory",
         {"--modules", missing, "--bail"},
         Outcome::Error,
         "",
         "kxparam: --modules: no directory '" + missing + "'\n"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        bool bail = false;
        std::string script;
        KxModuleDirectories modules("kxparam");
        KxOptionParser options("kxparam", kUsage);
        options.addFlag("--bail", bail);
        options.addValue("--script", script);
        options.addModuleDirectories(modules);
        std::vector<const char*> argv{"kxparam"};
        for (const std::string& argument : test.arguments) {
            argv.push_back(argument.c_str());
        }
        std::ostringstream output;
        std::ostringstream errors;

        const Outcome outcome =
            options.parse(static_cast<int>(argv.size()), argv.data(), output, errors);

        EXPECT_EQ(outcome, test.outcome);
        if (test.outcome != Outcome::Run) {
            EXPECT_EQ(KxOptionParser::exitStatus(outcome), test.outcome == Outcome::Help ? 0 : 2);
        }
        EXPECT_EQ(output.str(), test.output);
        EXPECT_EQ(errors.str(), test.errors);
        EXPECT_EQ(bail, test.bail);
        EXPECT_EQ(script, test.script);
        if (!test.firstModuleDirectory.empty()) {
            EXPECT_EQ(modules.directories().front(), test.firstModuleDirectory);
        }
    }
}

// A program that takes an operand takes one word that is no option, wherever it stands, and
// refuses a second; a word that starts with '-' is still an option.
TEST(KxOptionParser, TakesOneOperand) {
    const struct {
        std::vector<std::string> arguments;
        Outcome outcome;
        std::string drawing;
        std::string errors;
    } cases[] = {
        {{"--bail", "a.kxd"}, Outcome::Run, "a.kxd", ""},
        {{"a.kxd", "--script", "b.kxd"}, Outcome::Run, "a.kxd", ""},
        {{"a.kxd", "b.kxd"},
         Outcome::Error,
         "a.kxd",
         "kxparam: one drawing only, not also 'b.kxd'\n"},
        {{"-a.kxd"},
         Outcome::Error,
         "",
         "kxparam: unknown option '-a.kxd'\n" + std::string(kUsage)},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.arguments.front());
        bool bail = false;
        std::string script;
        std::string drawing;
        KxOptionParser options("kxparam", kUsage);
        options.addFlag("--bail", bail);
        options.addValue("--script", script);
        options.addOperand("drawing", drawing);
        std::vector<const char*> argv{"kxparam"};
        for (const std::string& argument : test.arguments) {
            argv.push_back(argument.c_str());
        }
        std::ostringstream output;
        std::ostringstream errors;

        EXPECT_EQ(options.parse(static_cast<int>(argv.size()), argv.data(), output, errors),
                  test.outcome);
        EXPECT_EQ(drawing, test.drawing);
        EXPECT_EQ(errors.str(), test.errors);
    }
}

} // namespace
