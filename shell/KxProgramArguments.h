#pragma once

#include <string>
#include <vector>

/// What the shell takes from the system as it starts: its arguments as UTF-8 text, and output
/// streams that pass its UTF-8 bytes and '\n' line ends unchanged. The shell's one difference
/// between POSIX systems and Windows; the rest goes through the host's platform layer.
class KxProgramArguments {
public:
    /// On POSIX systems the arguments are argv's. On Windows they are read from the UTF-16
    /// command line, since argv holds them in the ANSI code page, which loses what it cannot
    /// show; standard output and error are made binary, and a console shows UTF-8 until the
    /// object goes.
    KxProgramArguments(int argc, char** argv);
    ~KxProgramArguments();
    KxProgramArguments(const KxProgramArguments&) = delete;
    KxProgramArguments& operator=(const KxProgramArguments&) = delete;

    /// As main's argc and argv, the program's name first.
    int count() const { return static_cast<int>(mArguments.size()); }
    const char* const* values() const { return mValues.data(); }

    /// Whether standard input is a terminal (a console on Windows), where a person types.
    static bool inputIsTerminal();

private:
    std::vector<std::string> mArguments;
    std::vector<const char*> mValues;
};
