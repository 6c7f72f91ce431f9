#pragma once

#include "host/LumoErrorStatus.h"
#include "manager/KxPmUndoBracket.h"
#include "shell/KxCommandLine.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class KxPaletteControl;
class KxParameter;
class KxParameterGroupCollection;

// The host program's command interpreter. It starts the library and the modules through the
// host's loader, then turns each command into the calls a user's edit makes: edits go through the
// palette, as in the host's user interface, and everything else through the manager.
//
// What a command shows goes to the output stream; every failure goes to the error stream and
// marks the line as failed: the shell's own problems as one line "error: ...", a provider's
// refusal as the palette's error box, which the shell points at the error stream too. A failed
// line changes nothing.
class KxShell {
public:
    KxShell(std::ostream& out, std::ostream& errors);
    ~KxShell();

    // Opens the drawing, loads the library, the sample provider (when a module directory holds it)
    // and the palette from the module directories, and shows the palette. False when the library
    // itself cannot be loaded.
    bool start(const std::vector<std::string>& moduleDirectories);
    // Closes an open undo bracket and unloads every module, the last loaded first.
    void stop();

    // Runs one line; false when it failed, with the reason on the error stream by then.
    bool execute(const std::string& line);
    // Runs the lines that `next` gives until it gives none, the user quits, or, with `bail`, a
    // line fails. With `echo`, each line is written after "> " first, so that a transcript reads
    // like a session.
    void run(const std::function<bool(std::string&)>& next, bool echo, bool bail);

    bool hasQuit() const { return mbQuit; }
    // Whether any line has failed since the shell was made.
    bool hasFailed() const { return mbFailed; }

private:
    struct Command {
        const char* name;
        const char* arguments;
        const char* description;
        // What `help NAME` adds to the description.
        const char* details;
        void (KxShell::*handler)(const KxCommandLine& line);
        std::size_t minimumArguments;
        std::size_t maximumArguments;
    };
    static const std::vector<Command>& commands();
    const Command* findCommand(const std::string& name);

    void help(const KxCommandLine& line);
    void list(const KxCommandLine& line);
    void show(const KxCommandLine& line);
    void create(const KxCommandLine& line);
    void rename(const KxCommandLine& line);
    void expression(const KxCommandLine& line);
    void setProperty(const KxCommandLine& line);
    void remove(const KxCommandLine& line);
    void exportFile(const KxCommandLine& line);
    void importFile(const KxCommandLine& line);
    void group(const KxCommandLine& line);
    void join(const KxCommandLine& line);
    void leave(const KxCommandLine& line);
    void filter(const KxCommandLine& line);
    void highlight(const KxCommandLine& line);
    void units(const KxCommandLine& line);
    void begin(const KxCommandLine& line);
    void end(const KxCommandLine& line);
    void load(const KxCommandLine& line);
    void unload(const KxCommandLine& line);
    void modules(const KxCommandLine& line);
    void quit(const KxCommandLine& line);

    // Each reports the problem in one line and gives null when there is nothing to work on.
    KxParameter* findParameter(const std::string& name);
    KxParameterGroupCollection* groups();
    bool groupIndex(const std::string& name, short& index);
    KxPaletteControl* palette();
    void changeMembership(const KxCommandLine& line, bool join);
    // The name of the parameter's property that `key` names: its own name, in any letter case, or
    // the title of its column; empty, with the problem reported, when none.
    std::wstring propertyKey(KxParameter& parameter, const std::string& key);

    // A user's change of a parameter. The provider's refusal has been shown in the palette's error
    // box; a failure that no reactor heard of is reported as `what`. True when it was made.
    bool edited(KxParameter& parameter, const std::string& what,
                const std::function<Lumo::ErrorStatus()>& change);

    // The funnel of every failure: `error` reports it, `failed` only counts one that the palette
    // has shown.
    void error(const std::string& message);
    void failed();
    void loadModule(const std::string& name, bool quietWhenLoaded);
    // Points a newly loaded palette at the shell's streams and shows it.
    void connectPalette();

    std::ostream& mOut;
    std::ostream& mErr;
    std::unique_ptr<KxPmUndoBracket> mpBracket;
    // The parameters by name, as the shell last saw them; emptied whenever parameters may have
    // been deleted, so that it never holds a pointer to one.
    std::unordered_map<std::string, KxParameter*> mParameters;
    bool mbQuit = false;
    bool mbFailed = false;
    bool mbLineFailed = false;
};
