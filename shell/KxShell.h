#pragma once

#include "manager/KxPmUndoBracket.h"
#include "shell/KxCommandLine.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class KxConsolePaletteControl;
class KxParameter;
class KxParameterGroupCollection;

// The host program's command interpreter. It starts the library and the modules through the
// host's loader, then turns each command into the calls a user's edit makes: edits go through the
// palette, as in the host's user interface, and everything else through the manager. A bad command
// gets one line that names the problem and changes nothing.
class KxShell {
public:
    explicit KxShell(std::ostream& out);
    ~KxShell();

    // Opens the drawing, loads the library, the sample provider (when a module directory holds it)
    // and the palette from the module directories, and shows the palette. False when the library
    // itself cannot be loaded.
    bool start(const std::vector<std::string>& moduleDirectories);
    // Closes an open undo bracket and unloads every module, the last loaded first.
    void stop();

    // Runs one line; false once the user asked to quit.
    bool execute(const std::string& line);
    // Reads and runs lines until the end or `quit`. With a prompt, the prompt is shown before each
    // line; without one, each line is echoed after "> " so that a transcript reads like a session.
    void run(std::istream& in, bool prompt);

private:
    struct Command {
        const char* name;
        const char* arguments;
        const char* description;
        void (KxShell::*handler)(const KxCommandLine& line);
        std::size_t minimumArguments;
    };
    static const std::vector<Command>& commands();

    void help(const KxCommandLine& line);
    void list(const KxCommandLine& line);
    void create(const KxCommandLine& line);
    void rename(const KxCommandLine& line);
    void expression(const KxCommandLine& line);
    void setProperty(const KxCommandLine& line);
    void remove(const KxCommandLine& line);
    void group(const KxCommandLine& line);
    void join(const KxCommandLine& line);
    void leave(const KxCommandLine& line);
    void filter(const KxCommandLine& line);
    void highlight(const KxCommandLine& line);
    void units(const KxCommandLine& line);
    void begin(const KxCommandLine& line);
    void end(const KxCommandLine& line);
    void load(const KxCommandLine& line);
    void modules(const KxCommandLine& line);
    void quit(const KxCommandLine& line);

    // Each reports the problem in one line and gives null when there is nothing to work on.
    KxParameter* findParameter(const std::string& name);
    KxParameterGroupCollection* groups();
    bool groupIndex(const std::string& name, short& index);
    KxConsolePaletteControl* palette();
    void changeMembership(const KxCommandLine& line, bool join);

    void error(const std::string& message);
    void loadModule(const std::string& name, bool quietWhenLoaded);

    std::ostream& mOut;
    std::unique_ptr<KxPmUndoBracket> mpBracket;
    // The parameters by name, as the shell last saw them; emptied whenever parameters may have
    // been deleted, so that it never holds a pointer to one.
    std::unordered_map<std::string, KxParameter*> mParameters;
    bool mbQuit = false;
};
