#include "gui/KxMainWindow.h"

#include "gui/KxCommandDock.h"
#include "gui/KxDrawingView.h"
#include "gui/KxUnitsDialog.h"
#include "kit/KxPaletteControl.h"
#include "manager/KxParameterManager.h"
#include "modules/desktop-palette/KxQtText.h"
#include "shell/KxCommandLine.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QMenuBar>
#include <QStatusBar>

namespace {

constexpr const char* kPaletteName = "KxParameterPalette";
// A dozen lines of output, the rest of the height for the drawing.
constexpr int kCommandLineHeight = 200;
// Long enough to read a notice of two sentences.
constexpr int kNoticeMilliseconds = 8000;

} // namespace

KxMainWindow::KxMainWindow()
    : mpView(new KxDrawingView(this)), mpCommands(new KxCommandDock(this)),
      mOutBuffer([this](const std::string& text) {
          mpCommands->append(QString::fromStdString(text), false);
      }),
      mErrorBuffer([this](const std::string& text) {
          mpCommands->append(QString::fromStdString(text), true);
      }),
      mOut(&mOutBuffer), mErrors(&mErrorBuffer), mShell(mOut, mErrors) {
    setWindowTitle(QStringLiteral("kxparam-gui"));
    setCentralWidget(mpView);
    addDockWidget(Qt::BottomDockWidgetArea, mpCommands);
    resizeDocks({mpCommands}, {kCommandLineHeight}, Qt::Vertical);
    connect(mpCommands, &KxCommandDock::lineEntered, this, [this](const QString& line) {
        run(line);
        if (mShell.hasQuit()) {
            close();
        }
    });
    addMenus();
    statusBar()->showMessage(QStringLiteral("Ready"));
    mPreviousPresenter = mtSetTaskDialogPresenter(
        [this](const MtTaskDialogShown& dialog) { return notify(dialog); });
}

KxMainWindow::~KxMainWindow() {
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
    return started;
}

bool KxMainWindow::run(const QString& line) {
    mOut << "> " << line.toStdString() << '\n' << std::flush;
    const bool succeeded = mShell.execute(line.toStdString());
    mOut << std::flush;
    mErrors << std::flush;
    dockPalette(); // the command may have loaded a palette
    return succeeded;
}

void KxMainWindow::addMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Import..."), this, &KxMainWindow::importFile);
    file->addAction(QStringLiteral("&Export..."), this, &KxMainWindow::exportFile);
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);
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
