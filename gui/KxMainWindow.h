#pragma once

#include "gui/KxPaneStreamBuffer.h"
#include "host/MtTaskDialogPresenter.h"
#include "shell/KxShell.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QPointer>

#include <ostream>
#include <string>
#include <vector>

class KxCommandDock;
class KxDrawingView;
class QMenu;

/// The main window of the desktop program: the drawing in the middle, the parameters palette
/// docked at the right and the command line at the bottom. Every action runs as a command of the
/// shell, so a menu does exactly what the typed command does. The host's task dialogs show as a
/// notice in the status bar, which never waits for the user.
class KxMainWindow final : public QMainWindow {
    Q_OBJECT

public:
    /// The window, its menus and docks, with the shell not started yet.
    KxMainWindow();
    /// Stops the shell, which unloads the modules, and puts back the host's task dialog presenter.
    ~KxMainWindow() override;
    KxMainWindow(const KxMainWindow&) = delete;
    KxMainWindow& operator=(const KxMainWindow&) = delete;

    /// Writes what the shell writes to these streams too, beside the pane; null for none.
    void setMirrors(std::ostream* out, std::ostream* errors);
    /// Starts the shell on the module directories (the window should be shown by then, so that
    /// the palette finds it) and docks the palette. False when the parameter library cannot be
    /// loaded.
    bool start(const std::vector<std::string>& moduleDirectories);
    /// Runs one line as if typed: shown in the pane after "> ", then run. True when it succeeded.
    bool run(const QString& line);

    /// The shell that runs the commands.
    KxShell& shell() { return mShell; }
    /// The command line's dock.
    KxCommandDock& commandDock() { return *mpCommands; }
    /// The dock that holds the parameters palette; null while there is none.
    QDockWidget* paletteDock() const { return mpPaletteDock; }

private:
    void addMenus();
    // Docks the palette's window at the right once it exists, and offers its toggle in the View
    // menu.
    void dockPalette();
    QDockWidget* findPaletteDock() const;
    void importFile();
    void exportFile();
    void editUnits();
    int notify(const MtTaskDialogShown& dialog);

    KxDrawingView* mpView;
    KxCommandDock* mpCommands;
    QMenu* mpViewMenu = nullptr;
    QPointer<QDockWidget> mpPaletteDock;
    KxPaneStreamBuffer mOutBuffer;
    KxPaneStreamBuffer mErrorBuffer;
    std::ostream mOut;
    std::ostream mErrors;
    KxShell mShell;
    MtTaskDialogPresenter mPreviousPresenter;
};
