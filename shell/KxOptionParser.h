#pragma once

#include <iosfwd>
#include <map>
#include <string>

class KxModuleDirectories;

/// The command line of a host program: the flags and the options with a value that it declares,
/// the module directory options, an operand if it declares one (a word that is no option), and
/// `--help` or `-h`, which print its usage. The first argument that is wrong ends the parse with
/// one message on the error stream: "<program>: X needs a value" for a valued option at the end,
/// "<program>: unknown option 'X'" and the usage for anything not declared, "<program>: one NAME
/// only, not also 'X'" for a second operand, or what KxModuleDirectories says of a directory it
/// refuses.
class KxOptionParser {
public:
    /// What the program does next; exitStatus gives the status to leave with when it is not Run.
    enum class Outcome { Run, Help, Error };

    /// `program` names the program in the messages; `usage` is printed whole, line ends included.
    KxOptionParser(std::string program, std::string usage);

    /// `name` on the command line sets `flag`.
    void addFlag(const std::string& name, bool& flag);
    /// `name VALUE` stores VALUE in `value`; the last one given wins.
    void addValue(const std::string& name, std::string& value);
    /// A word that does not start with '-' is stored in `value`, once; `name` says what it is in
    /// the message for a second one.
    void addOperand(const std::string& name, std::string& value);
    /// `--module-dir DIR` and `--modules DIR` go to `modules`.
    void addModuleDirectories(KxModuleDirectories& modules);

    /// Reads argv[1] to argv[argc - 1]. A value is the next argument, whatever it looks like.
    /// The usage goes to `output` for Help.
    Outcome parse(int argc, const char* const argv[], std::ostream& output, std::ostream& errors);

    /// 0 for Help, 2 for Error (a bad command line); Run has no status of its own.
    static int exitStatus(Outcome outcome);

private:
    bool takesValue(const std::string& name) const;
    bool take(const std::string& name, const std::string& value, std::ostream& errors);

    std::string mProgram;
    std::string mUsage;
    std::map<std::string, bool*> mFlags;
    std::map<std::string, std::string*> mValues;
    std::string mOperandName;
    std::string* mpOperand = nullptr;
    KxModuleDirectories* mModules = nullptr;
};
