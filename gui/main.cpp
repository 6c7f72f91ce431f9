// kxparam-gui: the desktop program. It starts the parameter library and its modules on the host
// stand-in as kxparam does, with the desktop palette docked beside a view of the drawing and a
// command line that takes kxparam's commands.

#include "gui/KxMainWindow.h"
#include "shell/KxModuleDirectories.h"
#include "shell/KxOptionParser.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QString>

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

// Screenshots of one size compare with each other.
constexpr int kWidth = 1200;
constexpr int kHeight = 700;

constexpr const char* kUsage =
    "usage: kxparam-gui [--script FILE] [--screenshot FILE.png] [--module-dir DIR]... [--modules "
    "DIR]...\n"
    "  --script FILE      run the commands of FILE first (kxparam's commands)\n"
    "  --screenshot FILE  then write a picture of the window to FILE (PNG) and leave\n"
    "  --module-dir DIR   look for modules in DIR first, then where they are installed\n"
    "  --modules DIR      look for modules in DIR instead of where they are installed\n"
    "The environment variable KXPARAM_MODULE_PATH adds directories (separated by ':') after\n"
    "those of --module-dir. It needs a display, or QT_QPA_PLATFORM=offscreen.\n"
    "With --screenshot the exit status is 0 when every command succeeded and the picture was\n"
    "written, 1 otherwise; 2 for a bad command line or a script that cannot be read.\n";

// The script's lines, or false when it cannot be read.
bool readScript(const std::string& path, std::vector<std::string>& lines) {
    std::ifstream file(path);
    if (!file || KxModuleDirectories::isDirectory(path)) {
        return false;
    }
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return !file.bad();
}

bool isCommand(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    return first != std::string::npos && line[first] != '#';
}

} // namespace

int main(int argc, char** argv) {
    // The command line is read before Qt starts, so that --help and its mistakes need no display.
    KxModuleDirectories modules("kxparam-gui");
    std::string script;
    std::string screenshot;
    KxOptionParser options("kxparam-gui", kUsage);
    options.addValue("--script", script);
    options.addValue("--screenshot", screenshot);
    options.addModuleDirectories(modules);
    if (const auto outcome = options.parse(argc, argv, std::cout, std::cerr);
        outcome != KxOptionParser::Outcome::Run) {
        return KxOptionParser::exitStatus(outcome);
    }
    modules.addEnvironment(std::cerr);
    // The desktop palette's own directory comes first, so that its KxParameter.dlx is the one
    // loaded rather than the console palette's.
    const std::vector<std::string> directories = modules.directories("desktop-palette");
    std::vector<std::string> lines;
    if (!script.empty() && !readScript(script, lines)) {
        std::cerr << "kxparam-gui: cannot read '" << script << "'\n";
        return 2;
    }

    QApplication application(argc, argv);
    KxMainWindow window;
    const bool unattended = !screenshot.empty();
    if (unattended) {
        window.setMirrors(&std::cout, &std::cerr);
    }
    window.resize(kWidth, kHeight);
    window.show();
    if (!window.start(directories)) {
        std::cerr << "kxparam-gui: the parameter library could not be loaded from";
        for (const std::string& directory : directories) {
            std::cerr << ' ' << directory;
        }
        std::cerr << '\n';
        return 1;
    }
    bool succeeded = !window.shell().hasFailed();
    if (unattended && !succeeded) {
        std::cerr << "kxparam-gui: the modules did not all start\n";
    }
    for (std::size_t i = 0; i < lines.size() && !window.shell().hasQuit(); ++i) {
        if (isCommand(lines[i]) && !window.run(QString::fromStdString(lines[i]))) {
            succeeded = false;
            if (unattended) {
                std::cerr << "kxparam-gui: " << script << ':' << i + 1 << ": the command failed\n";
            }
        }
    }
    if (unattended) {
        // Let the docks settle and the views catch up with the last command.
        QApplication::processEvents();
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        const QImage picture = window.grab().toImage();
        if (!picture.save(QString::fromStdString(screenshot), "PNG")) {
            std::cerr << "kxparam-gui: cannot write the picture to '" << screenshot << "'\n";
            return 1;
        }
        return succeeded ? 0 : 1;
    }
    if (!window.shell().hasQuit()) {
        application.exec();
    }
    return window.shell().hasFailed() ? 1 : 0;
}
