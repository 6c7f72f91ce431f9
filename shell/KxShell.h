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

class KxApDocument;
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
// line changes nothing. A warning ("warning: ...") goes to the error stream too, but fails nothing.
//
// Each command that edits the drawing is one undo group of it, named after the command, so that
// `undo` takes it back whole; inside a `begin` bracket it joins the bracket's group.
class KxShell {
public:
    KxShell(std::ostream& out, std::ostream& errors);
    ~KxShell();

    // Opens the drawing, loads the library, the sample provider (when a module directory holds it)
    // and the palette from the module directories, and shows the palette. What the modules drew is
    // where the drawing starts: nothing to undo, nothing unsaved. False when the library itself
    // cannot be loaded.
    bool start(const std::vector<std::string>& moduleDirectories);
    // Replaces the drawing with that of the file, as `open` does; empty when it did, else why not
    // (the host's message and status). Reports nothing itself.
    std::string openDrawing(const std::string& path);
    // Replaces the drawing with that of a recovery file, unsaved, with `originalPath` as its file;
    // empty when it did, else why not.
    std::string recoverDrawing(const std::string& recoveryPath, const std::string& originalPath);
    // Warns when the drawing has unsaved changes, which leaving loses: `quit` does, and the
    // program when its input ends.
    void leave();
    // Closes an open undo bracket and unloads every module, the last loaded first.
    void stop();

    // Runs one line; false when it failed, with the reason on the error stream by then.
    bool execute(const std::string& line);
    // Runs the lines that `next` gives until it gives none, the user quits, or, with `bail`, a
    // line fails. With `echo`, each line is written after "> " first, so that a transcript reads
    // like a session.
    void run(const std::function<bool(std::string&)>& next, bool echo, bool bail);

    // The loaded palette's control, which a program's own views use too; null, reporting
    // nothing, while no palette that takes edits is loaded.
    static KxPaletteControl* paletteControl();

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
        // Own: the command may edit the drawing and runs as one undo group named after it.
        // Outside: it changes nothing the drawing holds, or must run outside any group (undo,
        // files, modules).
        enum class UndoGroup { Own, Outside } undoGroup;
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
    void undo(const KxCommandLine& line);
    void redo(const KxCommandLine& line);
    void save(const KxCommandLine& line);
    void open(const KxCommandLine& line);
    void newDrawing(const KxCommandLine& line);
    void drawing(const KxCommandLine& line);
    void quit(const KxCommandLine& line);

    // Each reports the problem in one line and gives null when there is nothing to work on.
    KxParameter* findParameter(const std::string& name);
    KxParameterGroupCollection* groups();
    bool groupIndex(const std::string& name, short& index);
    KxPaletteControl* palette();
    KxApDocument* document();
    void changeMembership(const KxCommandLine& line, bool join);
    // Undoes, or redoes, the number of groups that the line asks for, or none when there are fewer.
    void step(const KxCommandLine& line, bool undoing);
    // The warning that replacing the drawing now, or leaving, deserves; empty when it is saved.
    static std::string unsavedChanges(const KxApDocument& document);
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
    // Says something on the error stream that the line does not fail for; nothing for empty text.
    void warning(const std::string& message);
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
