#include "shell/KxProgramArguments.h"

#ifdef _WIN32

#include "host/KxString.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

namespace {

// The console's output code page before the shell changed it; 0 when it changed none.
UINT gPreviousCodePage = 0;

std::vector<std::string> systemArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide) {
        return {argv, argv + argc};
    }
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        arguments.push_back(KxString(wide[i]).toUtf8());
    }
    ::LocalFree(wide);
    return arguments;
}

void prepareStreams() {
    // Text mode would write "\r\n" for every '\n'. Standard input keeps it: a console's lines then
    // end in '\n' alone, and Ctrl-Z ends the input there as people expect.
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    const UINT codePage = ::GetConsoleOutputCP();
    if (codePage != 0 && codePage != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8)) {
        gPreviousCodePage = codePage;
    }
}

// The console outlives the shell, and the program run after it expects its own code page.
void restoreStreams() {
    if (gPreviousCodePage != 0) {
        std::fflush(stdout);
        std::fflush(stderr);
        ::SetConsoleOutputCP(gPreviousCodePage);
        gPreviousCodePage = 0;
    }
}

bool inputIsConsole() {
    return ::_isatty(::_fileno(stdin)) != 0;
}

} // namespace

#else

#include <unistd.h>

namespace {

std::vector<std::string> systemArguments(int argc, char** argv) {
    return {argv, argv + argc};
}

void prepareStreams() {}

void restoreStreams() {}

bool inputIsConsole() {
    return ::isatty(STDIN_FILENO) != 0;
}

} // namespace

#endif

KxProgramArguments::KxProgramArguments(int argc, char** argv)
    : mArguments(systemArguments(argc, argv)) {
    prepareStreams();
    for (const std::string& argument : mArguments) {
        mValues.push_back(argument.c_str());
    }
    mValues.push_back(nullptr);
}

KxProgramArguments::~KxProgramArguments() {
    restoreStreams();
}

bool KxProgramArguments::inputIsTerminal() {
    return inputIsConsole();
}
