#include "gui/KxMainWindow.h"

#include "gui/KxCommandDock.h"
#include "gui/KxDrawingView.h"
#include "gui/KxUnitsDialog.h"
#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxDbDatabase.h"
#include "kit/KxPaletteControl.h"
#include "manager/KxParameterManager.h"
#include "modules/desktop-palette/KxQtText.h"
#include "shell/KxCommandLine.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>

namespace {

constexpr const char* kPaletteName = "KxParameterPalette";
// A dozen lines of output, the rest of the height for the drawing.
constexpr int kCommandLineHeight = 200;
// Long enough to read a notice of two sentences.
constexpr int kNoticeMilliseconds = 8000;
constexpr int kRecoveryMilliseconds = 30000;
// Edits made outside the command line, in the palette, show in the title this soon.
constexpr int kStateMilliseconds = 500;
constexpr int kRecentFiles = 8;
constexpr const char* kRecentKey = "recentFiles";
constexpr const char* kDrawingFilter = "Drawings (*.kxd);;All files (*)";

QString command(const char* name, const QString& path) {
    return QLatin1String(name) + QLatin1Char(' ') +
           QString::fromStdString(KxCommandLine::quote(path.toStdString()));
}

KxApDocument* currentDocument() {
    return kxDocManagerPtr()->curDocument();
}

void rememberRecent(const QString& path) {
    QStringList files = KxMainWindow::recentFiles();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files.removeAll(absolute);
    files.prepend(absolute);
    QSettings().setValue(QLatin1String(kRecentKey), files.mid(0, kRecentFiles));
}

} // namespace

KxMainWindow::KxMainWindow()
    : mpView(new KxDrawingView(this)), mpCommands(new KxCommandDock(this)),
      mOutBuffer([this](const std::string& text) {
          mpCommands->append(QString::fromStdString(text), false);
      }),
      mErrorBuffer([this](const std::string& text) {
          mLastErrors += QString::fromStdString(text);
          mpCommands->append(QString::fromStdString(text), true);
      }),
      mOut(&mOutBuffer), mErrors(&mErrorBuffer), mShell(mOut, mErrors) {
    setWindowTitle(QStringLiteral("kxparam-gui"));
    setCentralWidget(mpView);
    addDockWidget(Qt::BottomDockWidgetArea, mpCommands);
    resizeDocks({mpCommands}, {kCommandLineHeight}, Qt::Vertical);
    connect(mpCommands, &KxCommandDock::lineEntered, this, [this](const QString& line) {
        // Leaving is the window's: it asks about unsaved changes, and Cancel keeps the session
        // going, which the shell, once told to quit, would not.
        if (isQuitCommand(line)) {
            mOut << "> " << line.toStdString() << '\n' << std::flush;
            close();
            return;
        }
        run(line);
    });
    mQuestion = [this](const QString& text, QMessageBox::StandardButtons buttons) {
        QMessageBox box(buttons == QMessageBox::Ok ? QMessageBox::Warning : QMessageBox::Question,
                        QStringLiteral("kxparam-gui"), text, buttons, this);
        if (QAbstractButton* recover = box.button(QMessageBox::Yes)) {
            recover->setText(QStringLiteral("&Recover"));
        }
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
    mFileChooser = [this](bool saving) {
        return saving ? QFileDialog::getSaveFileName(this, QStringLiteral("Save drawing"), {},
                                                     QLatin1String(kDrawingFilter))
                      : QFileDialog::getOpenFileName(this, QStringLiteral("Open drawing"), {},
                                                     QLatin1String(kDrawingFilter));
    };
    addMenus();
    statusBar()->showMessage(QStringLiteral("Ready"));
    connect(&mRecoveryTimer, &QTimer::timeout, this, &KxMainWindow::writeRecovery);
    connect(&mStateTimer, &QTimer::timeout, this, &KxMainWindow::updateDocumentState);
    setRecoveryInterval(kRecoveryMilliseconds, mRecoveryEdits);
    mPreviousPresenter = mtSetTaskDialogPresenter(
        [this](const MtTaskDialogShown& dialog) { return notify(dialog); });
}

KxMainWindow::~KxMainWindow() {
    mRecovery.remove(); // the program ends normally: nothing to recover
    mShell.stop();
    mtSetTaskDialogPresenter(std::move(mPreviousPresenter));
}

void KxMainWindow::setMirrors(std::ostream* out, std::ostream* errors) {
    mOutBuffer.setMirror(out);
    mErrorBuffer.setMirror(errors);
}

bool KxMainWindow::start(const std::vector<std::string>& moduleDirectories) {
    const bool started = mShell.start(moduleDirectories);
    if (started && !KxParameterManager::getInstance().IsESWVisible()) {
        // A palette that takes no edits from a host program is not shown by the shell.
        KxParameterManager::getInstance().ShowESW(true, false);
    }
    mOut << std::flush;
    mErrors << std::flush;
    dockPalette();
    mpCommands->setFocus();
    if (started) {
        updateDocumentState();
        mStateTimer.start(kStateMilliseconds);
    }
    return started;
}

bool KxMainWindow::isQuitCommand(const QString& line) {
    KxCommandLine words;
    std::string error;
    return words.parse(line.toStdString(), error) && words.size() == 1 &&
           (words[0] == "quit" || words[0] == "exit");
}

bool KxMainWindow::run(const QString& line) {
    mOut << "> " << line.toStdString() << '\n' << std::flush;
    mLastErrors.clear();
    const bool succeeded = mShell.execute(line.toStdString());
    mOut << std::flush;
    mErrors << std::flush;
    dockPalette(); // the command may have loaded a palette
    updateDocumentState();
    return succeeded;
}

void KxMainWindow::setRecoveryInterval(int milliseconds, int edits) {
    mRecoveryEdits = edits;
    mRecoveryTimer.start(milliseconds);
}

bool KxMainWindow::offerRecovery(Recovery answer) {
    KxDbDatabase& database = *currentDocument()->database();
    const bool wasModified = database.isModified();
    const std::vector<KxRecovery::Offer> offers = mRecovery.offers();
    // Checking a file reads its units over the drawing's and back, which counts as a change; a
    // drawing that was unchanged, with nothing to undo, still is.
    if (!wasModified && database.undoCount() == 0) {
        database.forgetUndoHistory();
    }
    for (const KxRecovery::Offer& offer : offers) {
        const QString original = offer.originalPath.empty()
                                     ? QStringLiteral("a drawing without a file")
                                     : QString::fromStdString(offer.originalPath);
        const QString question =
            QStringLiteral("A session that ended unexpectedly left unsaved changes of %1.\n"
                           "Recover them, or discard them?")
                .arg(original);
        const bool recover =
            answer == Recovery::Recover ||
            (answer == Recovery::Ask &&
             mQuestion(question, QMessageBox::Yes | QMessageBox::Discard) == QMessageBox::Yes);
        if (!recover) {
            KxRecovery::discard(offer);
            continue;
        }
        if (const std::string problem =
                mShell.recoverDrawing(offer.drawing.toStdString(), offer.originalPath);
            !problem.empty()) {
            mQuestion(QStringLiteral("The changes could not be recovered: ") +
                          QString::fromStdString(problem),
                      QMessageBox::Ok);
            continue;
        }
        mOut << "recovered the unsaved changes of " << original.toStdString() << '\n' << std::flush;
        updateDocumentState();
        writeRecovery(); // this session's copy first, then the old one may go
        KxRecovery::discard(offer);
        return true;
    }
    return false;
}

bool KxMainWindow::newDrawing() {
    return maybeSave() && runOrShow(QStringLiteral("new-drawing"));
}

bool KxMainWindow::openDrawing(const QString& path) {
    return maybeSave() && runOrShow(command("open", path));
}

bool KxMainWindow::save() {
    return currentDocument()->path().empty() ? saveAs() : runOrShow(QStringLiteral("save"));
}

bool KxMainWindow::saveAs() {
    const QString path = mFileChooser(true);
    return !path.isEmpty() && runOrShow(command("save", path));
}

QStringList KxMainWindow::recentFiles() {
    return QSettings().value(QLatin1String(kRecentKey)).toStringList();
}

void KxMainWindow::updateDocumentState() {
    const KxApDocument* document = currentDocument();
    if (!document) {
        return;
    }
    const KxDbDatabase& database = *document->database();
    const bool modified = document->isModified();
    const QString path = QString::fromStdString(document->path());
    setWindowTitle((path.isEmpty() ? toQString(document->name()) : QFileInfo(path).fileName()) +
                   QStringLiteral("[*] - kxparam-gui"));
    setWindowModified(modified);
    const bool idle = database.undoGroupDepth() == 0;
    mpUndo->setEnabled(idle && database.undoCount() > 0);
    mpUndo->setText(QStringLiteral("&Undo ") +
                    (mpUndo->isEnabled() ? toQString(database.undoName()) : QString()));
    mpRedo->setEnabled(idle && database.redoCount() > 0);
    mpRedo->setText(QStringLiteral("&Redo ") +
                    (mpRedo->isEnabled() ? toQString(database.redoName()) : QString()));

    const bool changed = database.revision() != mSeenRevision;
    mSeenRevision = database.revision();
    if (!modified && (changed || mbWasModified || document->path() != mBasePath)) {
        // Saved, opened or undone back to the file: what later changes start from.
        mRecovery.setBase(document->path());
        mRecovery.remove();
        mEditsSinceRecovery = 0;
        if (!path.isEmpty() && document->path() != mBasePath) {
            rememberRecent(path);
        }
        mBasePath = document->path();
    } else if (modified && changed && ++mEditsSinceRecovery >= mRecoveryEdits) {
        writeRecovery();
    }
    mbWasModified = modified;
}

void KxMainWindow::closeEvent(QCloseEvent* event) {
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    event->accept();
}

bool KxMainWindow::maybeSave() {
    const KxApDocument* document = currentDocument();
    if (!document || !document->isModified()) {
        return true;
    }
    switch (mQuestion(QStringLiteral("The drawing %1 has unsaved changes. Save them?")
                          .arg(windowTitle().section(QStringLiteral("[*]"), 0, 0)),
                      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

bool KxMainWindow::runOrShow(const QString& line) {
    if (run(line)) {
        return true;
    }
    mQuestion(mLastErrors.trimmed(), QMessageBox::Ok);
    return false;
}

void KxMainWindow::writeRecovery() {
    const KxApDocument* document = currentDocument();
    // An open undo bracket leaves the drawing half-edited, which files never hold.
    if (!document || !document->isModified() || document->database()->undoGroupDepth() > 0 ||
        document->database()->revision() == mRecoveredRevision) {
        return;
    }
    std::string message;
    if (!mRecovery.write(*document->database(), document->path(), message)) {
        statusBar()->showMessage(QStringLiteral("The recovery file was not written: ") +
                                     QString::fromStdString(message),
                                 kNoticeMilliseconds);
        return;
    }
    mRecoveredRevision = document->database()->revision();
    mEditsSinceRecovery = 0;
}

void KxMainWindow::fillRecentMenu() {
    mpRecentMenu->clear();
    QStringList files = recentFiles();
    // A file that is gone is dropped from the list.
    files.removeIf([](const QString& path) { return !QFileInfo::exists(path); });
    QSettings().setValue(QLatin1String(kRecentKey), files);
    for (const QString& path : files) {
        mpRecentMenu->addAction(QFileInfo(path).fileName() + QStringLiteral("  (") + path +
                                    QLatin1Char(')'),
                                this, [this, path] { openDrawing(path); });
    }
    mpRecentMenu->setEnabled(!files.isEmpty());
}

void KxMainWindow::addMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&New"), QKeySequence::New, this, &KxMainWindow::newDrawing);
    file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this, [this] {
        if (const QString path = mFileChooser(false); !path.isEmpty()) {
            openDrawing(path);
        }
    });
    mpRecentMenu = file->addMenu(QStringLiteral("Open &Recent"));
    connect(mpRecentMenu, &QMenu::aboutToShow, this, &KxMainWindow::fillRecentMenu);
    fillRecentMenu();
    file->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, &KxMainWindow::save);
    file->addAction(QStringLiteral("Save &As..."), QKeySequence::SaveAs, this,
                    &KxMainWindow::saveAs);
    file->addSeparator();
    file->addAction(QStringLiteral("&Import..."), this, &KxMainWindow::importFile);
    file->addAction(QStringLiteral("&Export..."), this, &KxMainWindow::exportFile);
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mpUndo = edit->addAction(QStringLiteral("&Undo"), QKeySequence::Undo, this,
                             [this] { runOrShow(QStringLiteral("undo")); });
    mpRedo = edit->addAction(QStringLiteral("&Redo"), QKeySequence::Redo, this,
                             [this] { runOrShow(QStringLiteral("redo")); });
    mpUndo->setEnabled(false);
    mpRedo->setEnabled(false);
    QMenu* format = menuBar()->addMenu(QStringLiteral("F&ormat"));
    format->addAction(QStringLiteral("&Units..."), this, &KxMainWindow::editUnits);
    mpViewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    mpViewMenu->addAction(mpCommands->toggleViewAction());

    // The drawing: zoom to fit, and a click on a dimension selects its parameter in the palette.
    mpViewMenu->addSeparator();
    mpViewMenu->addAction(QStringLiteral("&Zoom to Fit"), QKeySequence(Qt::CTRL | Qt::Key_0),
                          mpView, &KxDrawingView::zoomToFit);
    connect(mpView, &KxDrawingView::dimensionClicked, this, [](KxParameter* parameter) {
        if (KxPaletteControl* palette = KxShell::paletteControl()) {
            palette->selectParameter(parameter);
        }
    });
}

void KxMainWindow::dockPalette() {
    QDockWidget* dock = findPaletteDock();
    if (!dock) {
        return;
    }
    // A palette shown before this window existed floats on its own; it is taken in here.
    if (dockWidgetArea(dock) == Qt::NoDockWidgetArea) {
        addDockWidget(Qt::RightDockWidgetArea, dock);
    }
    dock->show();
    if (dock != mpPaletteDock) {
        if (mpPaletteDock) {
            mpViewMenu->removeAction(mpPaletteDock->toggleViewAction());
        }
        mpPaletteDock = dock;
        mpViewMenu->insertAction(mpCommands->toggleViewAction(), dock->toggleViewAction());
        // Wide enough for the palette's columns, leaving the drawing the larger part.
        resizeDocks({dock}, {width() * 2 / 5}, Qt::Horizontal);
    }
}

QDockWidget* KxMainWindow::findPaletteDock() const {
    // The palette's window is a dock widget of that name, docked here or floating.
    if (auto* dock = findChild<QDockWidget*>(QLatin1String(kPaletteName))) {
        return dock;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String(kPaletteName)) {
            return qobject_cast<QDockWidget*>(window);
        }
    }
    return nullptr;
}

void KxMainWindow::importFile() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Import parameters"), {},
                                     QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (!path.isEmpty()) {
        run(QStringLiteral("import ") +
            QString::fromStdString(KxCommandLine::quote(path.toStdString())));
    }
}

void KxMainWindow::exportFile() {
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Export parameters"), {},
                                     QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (!path.isEmpty()) {
        run(QStringLiteral("export ") +
            QString::fromStdString(KxCommandLine::quote(path.toStdString())));
    }
}

void KxMainWindow::editUnits() {
    KxUnitsDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted) {
        for (const QString& command : dialog.commands()) {
            run(command);
        }
    }
}

int KxMainWindow::notify(const MtTaskDialogShown& dialog) {
    QString notice = toQString(dialog.title);
    if (!dialog.message.isEmpty()) {
        notice += QStringLiteral(": ") + toQString(dialog.message);
    }
    statusBar()->showMessage(notice.replace(QLatin1Char('\n'), QLatin1Char(' ')),
                             kNoticeMilliseconds);
    return 0; // the first button, as the host's own default answers
}
