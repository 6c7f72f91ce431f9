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
    "usage: kxparam-gui [--script FILE] [--screenshot FILE.png] [--recovery ANSWER]\n"
    "                   [--module-dir DIR]... [--modules DIR]... [DRAWING.kxd]\n"
    "  DRAWING.kxd        open this drawing file once the modules are loaded\n"
    "  --script FILE      run the commands of FILE first (kxparam's commands)\n"
    "  --screenshot FILE  then write a picture of the window to FILE (PNG) and leave\n"
    "  --recovery ANSWER  ask (the default), recover or discard the unsaved changes that a\n"
    "                     session which ended unexpectedly left in its recovery file\n"
    "  --module-dir DIR   look for modules in DIR first, then where they are installed\n"
    "  --modules DIR      look for modules in DIR instead of where they are installed\n"
    "The environment variable KXPARAM_MODULE_PATH adds directories (separated by ':') after\n"
    "those of --module-dir; KXPARAM_RECOVERY_DIR names the folder of the recovery files, and\n"
    "KXPARAM_RECOVERY_MS how often they are written (30000 ms). It needs a display, or "
    "QT_QPA_PLATFORM=offscreen.\n"
    "With --screenshot the exit status is 0 when every command succeeded and the picture was\n"
    "written, 1 otherwise; 2 for a bad command line, or a script or drawing that cannot be read.\n";

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
    std::string drawing;
    std::string recovery = "ask";
    KxOptionParser options("kxparam-gui", kUsage);
    options.addValue("--script", script);
    options.addValue("--screenshot", screenshot);
    options.addValue("--recovery", recovery);
    options.addOperand("drawing", drawing);
    options.addModuleDirectories(modules);
    if (const auto outcome = options.parse(argc, argv, std::cout, std::cerr);
        outcome != KxOptionParser::Outcome::Run) {
        return KxOptionParser::exitStatus(outcome);
    }
    const auto answer = recovery == "recover"   ? KxMainWindow::Recovery::Recover
                        : recovery == "discard" ? KxMainWindow::Recovery::Discard
                                                : KxMainWindow::Recovery::Ask;
    if (recovery != "ask" && answer == KxMainWindow::Recovery::Ask) {
        std::cerr << "kxparam-gui: --recovery is ask, recover or discard, not '" << recovery
                  << "'\n";
        return 2;
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
    QApplication::setOrganizationName(QStringLiteral("kxparam"));
    QApplication::setApplicationName(QStringLiteral("kxparam-gui"));
    KxMainWindow window;
    if (const int milliseconds = qEnvironmentVariableIntValue("KXPARAM_RECOVERY_MS");
        milliseconds > 0) {
        window.setRecoveryInterval(milliseconds);
    }
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
    // A recovered drawing takes the place of the one named, which is its own or older.
    // A run without a user leaves recovery files it was not told to answer for.
    const bool recovered =
        (!unattended || answer != KxMainWindow::Recovery::Ask) && window.offerRecovery(answer);
    if (!recovered && !drawing.empty()) {
        if (const std::string problem = window.shell().openDrawing(drawing); !problem.empty()) {
            std::cerr << "kxparam-gui: cannot open '" << drawing << "': " << problem << '\n';
            return 2;
        }
        window.updateDocumentState();
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
