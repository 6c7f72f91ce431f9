#pragma once

#include "gui/KxPaneStreamBuffer.h"
#include "gui/KxRecovery.h"
#include "host/MtTaskDialogPresenter.h"
#include "shell/KxShell.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

class KxCommandDock;
class KxDrawingView;
class QAction;
class QMenu;

/// The main window of the desktop program: the drawing in the middle, the parameters palette
/// docked at the right and the command line at the bottom. Every action runs as a command of the
/// shell, so a menu does exactly what the typed command does. The host's task dialogs show as a
/// notice in the status bar, which never waits for the user. The window edits one drawing: its
/// title names it and marks unsaved changes, File and Edit open, save, undo and redo it, and while
/// it has unsaved changes a recovery file keeps them safe from a crash.
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

    /// Asks the user, or a test in its place: the buttons given, the one chosen.
    using Question =
        std::function<QMessageBox::StandardButton(const QString&, QMessageBox::StandardButtons)>;
    /// Chooses a drawing file to open, or with `saving` to save in; empty for none.
    using FileChooser = std::function<QString(bool saving)>;
    /// Puts a test in place of the message boxes.
    void setQuestion(Question question) { mQuestion = std::move(question); }
    /// Puts a test in place of the file dialogs.
    void setFileChooser(FileChooser chooser) { mFileChooser = std::move(chooser); }
    /// Writes the recovery file every `milliseconds` and after `edits` edits while there are
    /// unsaved changes.
    void setRecoveryInterval(int milliseconds, int edits = kRecoveryEdits);
    /// The edits after which the recovery file is written at the latest, by default.
    static constexpr int kRecoveryEdits = 10;

    /// How to answer the offer of a recovery file.
    enum class Recovery { Ask, Recover, Discard };
    /// Offers each recovery file of an ended session; true when one was recovered, which then is
    /// the drawing, unsaved, with its original file.
    bool offerRecovery(Recovery answer);

    /// File → New: asks about unsaved changes first. False when it did not happen.
    bool newDrawing();
    /// Opens the drawing file after asking about unsaved changes; the reason shows when it fails.
    bool openDrawing(const QString& path);
    /// File → Save: in the drawing's file, or one chosen when it has none.
    bool save();
    /// File → Save As...: in a file chosen.
    bool saveAs();
    /// Edit → Undo, its text naming the step.
    QAction* undoAction() const { return mpUndo; }
    /// Edit → Redo, its text naming the step.
    QAction* redoAction() const { return mpRedo; }
    /// Open Recent's files, the latest first.
    static QStringList recentFiles();
    /// Brings the title, Edit's actions and the recovery file up to date with the drawing.
    void updateDocumentState();

    /// The shell that runs the commands.
    KxShell& shell() { return mShell; }
    /// The command line's dock.
    KxCommandDock& commandDock() { return *mpCommands; }
    /// The dock that holds the parameters palette; null while there is none.
    QDockWidget* paletteDock() const { return mpPaletteDock; }

protected:
    /// Asks about unsaved changes first; Cancel keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private:
    // Whether the line is the shell's quit (or exit), which the window carries out itself.
    static bool isQuitCommand(const QString& line);
    void addMenus();
    void fillRecentMenu();
    // Asks Save / Discard / Cancel when there are unsaved changes: true to go on.
    bool maybeSave();
    // Runs the command; when it fails, shows what the shell said in a message box.
    bool runOrShow(const QString& line);
    void writeRecovery();
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
    Question mQuestion;
    FileChooser mFileChooser;
    QAction* mpUndo = nullptr;
    QAction* mpRedo = nullptr;
    QMenu* mpRecentMenu = nullptr;
    QString mLastErrors; // what the shell said on its error stream during the last command
    KxRecovery mRecovery;
    QTimer mRecoveryTimer;
    QTimer mStateTimer;
    int mRecoveryEdits = kRecoveryEdits;
    int mEditsSinceRecovery = 0;
    std::uint64_t mSeenRevision = 0;
    std::uint64_t mRecoveredRevision = 0;
    std::string mBasePath;
    bool mbWasModified = false;
    MtTaskDialogPresenter mPreviousPresenter;
};
