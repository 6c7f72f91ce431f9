#pragma once

#include <memory>
#include <string>

// The lines a person types at the shell's prompt. Built with libedit, the line can be edited
// (arrows, Backspace, the emacs keys, ~/.editrc) and earlier lines come back with Up, for the
// session and from ~/.kxparam_history; Ctrl-C abandons the line and gives a new prompt. Without
// libedit (so on Windows) the prompt is written and a plain line read.
class KxLineEditor {
public:
    explicit KxLineEditor(const char* prompt);
    ~KxLineEditor();
    KxLineEditor(const KxLineEditor&) = delete;
    KxLineEditor& operator=(const KxLineEditor&) = delete;

    // The next line, without its end; false at the end of the input (Ctrl-D).
    bool readLine(std::string& line);

    // The editor's state, known to the editing callbacks only.
    struct Editor;

private:
    std::unique_ptr<Editor> mpEditor;
};
