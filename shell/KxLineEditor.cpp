#include "shell/KxLineEditor.h"

#include <iostream>

#ifdef KX_HAVE_LIBEDIT

#include <histedit.h>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>

struct KxLineEditor::Editor {
    std::string prompt;
    std::string historyFile;
    EditLine* line = nullptr;
    History* history = nullptr;
    bool abandoned = false;
    void (*previousInterrupt)(int) = SIG_DFL;
    std::string previousCharacters;
};

namespace {

char* prompt(EditLine* line) {
    KxLineEditor::Editor* editor = nullptr;
    el_get(line, EL_CLIENTDATA, &editor);
    return editor->prompt.data();
}

// Bound to Ctrl-C: the line ends where it stands and is not run.
unsigned char abandonLine(EditLine* line, int) {
    KxLineEditor::Editor* editor = nullptr;
    el_get(line, EL_CLIENTDATA, &editor);
    editor->abandoned = true;
    // Written over the rest of the line, the mark would hide it: it goes after the end.
    const LineInfo* typed = el_line(line);
    std::fwrite(typed->cursor, 1, static_cast<std::size_t>(typed->lastchar - typed->cursor),
                stdout);
    std::fputs("^C\n", stdout);
    std::fflush(stdout);
    return CC_NEWLINE;
}

} // namespace

KxLineEditor::KxLineEditor(const char* promptText) : mpEditor(std::make_unique<Editor>()) {
    Editor& editor = *mpEditor;
    editor.prompt = promptText;
    // The editor reads characters in the locale's encoding, and the shell's texts are UTF-8.
    editor.previousCharacters = std::setlocale(LC_CTYPE, nullptr);
    if (!std::setlocale(LC_CTYPE, "") || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
    if (const char* home = std::getenv("HOME"); home && *home) {
        editor.historyFile = std::string(home) + "/.kxparam_history";
    }
    HistEvent event;
    editor.history = history_init();
    history(editor.history, &event, H_SETSIZE, 1000);
    history(editor.history, &event, H_SETUNIQUE, 1);
    if (!editor.historyFile.empty()) {
        history(editor.history, &event, H_LOAD, editor.historyFile.c_str()); // none yet is fine
    }
    editor.line = el_init("kxparam", stdin, stdout, stderr);
    el_set(editor.line, EL_CLIENTDATA, &editor);
    el_set(editor.line, EL_PROMPT, &prompt);
    el_set(editor.line, EL_EDITOR, "emacs");
    el_set(editor.line, EL_SIGNAL, 1);
    el_set(editor.line, EL_HIST, history, editor.history);
    // Ctrl-C reaches the editor as a key while a line is edited, not as a signal that would end
    // the shell; while a command runs it is ignored.
    el_set(editor.line, EL_SETTY, "-d", "-isig", nullptr);
    // The wide form keeps the names as given; the narrow one copies them and never frees the copy.
    el_wset(editor.line, EL_ADDFN, L"kx-abandon-line", L"Abandon the line", &abandonLine);
    el_set(editor.line, EL_BIND, "^C", "kx-abandon-line", nullptr);
    el_source(editor.line, nullptr);
    editor.previousInterrupt = std::signal(SIGINT, SIG_IGN);
}

KxLineEditor::~KxLineEditor() {
    Editor& editor = *mpEditor;
    std::signal(SIGINT, editor.previousInterrupt);
    el_end(editor.line);
    if (!editor.historyFile.empty()) {
        HistEvent event;
        history(editor.history, &event, H_SAVE, editor.historyFile.c_str()); // a failure is no harm
    }
    history_end(editor.history);
    std::setlocale(LC_CTYPE, editor.previousCharacters.c_str());
}

bool KxLineEditor::readLine(std::string& line) {
    Editor& editor = *mpEditor;
    std::cout << std::flush;
    for (;;) {
        editor.abandoned = false;
        int count = 0;
        const char* typed = el_gets(editor.line, &count);
        if (!typed || count <= 0) {
            return false;
        }
        if (editor.abandoned) {
            continue;
        }
        line.assign(typed, static_cast<std::size_t>(count));
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") != std::string::npos) {
            HistEvent event;
            history(editor.history, &event, H_ENTER, line.c_str());
        }
        return true;
    }
}

#else

struct KxLineEditor::Editor {
    std::string prompt;
};

KxLineEditor::KxLineEditor(const char* prompt) : mpEditor(std::make_unique<Editor>()) {
    mpEditor->prompt = prompt;
}

KxLineEditor::~KxLineEditor() = default;

bool KxLineEditor::readLine(std::string& line) {
    std::cout << mpEditor->prompt << std::flush;
    return static_cast<bool>(std::getline(std::cin, line));
}

#endif
