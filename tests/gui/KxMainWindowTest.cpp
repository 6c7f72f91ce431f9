// The main window as a document editor: its title and Edit's actions follow the drawing, the
// question about unsaved changes keeps or saves them, a failed save or open changes nothing and
// says why, and a killed session's edits come back at the next start.

#include "gui/KxMainWindow.h"
#include "gui/KxCommandDock.h"
#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "shell/KxModuleDirectories.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class KxMainWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir mScratch;
    std::unique_ptr<KxMainWindow> mpWindow;
    QMessageBox::StandardButton mAnswer = QMessageBox::Cancel;
    QStringList mAsked;
    QString mChosen;

    QString file(const QString& name) const { return mScratch.filePath(name); }
    bool modified() const { return kxDocManagerPtr()->curDocument()->isModified(); }
    QString plate() const { return file(QStringLiteral("plate.kxd")); }
    // Starts from the plate's drawing as saved at the start.
    void reopen() {
        mAnswer = QMessageBox::Discard;
        QVERIFY(mpWindow->openDrawing(plate()));
        mAsked.clear();
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("kxparam-tests"));
        qputenv("KXPARAM_RECOVERY_DIR", file(QStringLiteral("recovery")).toUtf8());
        mpWindow = std::make_unique<KxMainWindow>();
        mpWindow->setQuestion([this](const QString& text, QMessageBox::StandardButtons) {
            mAsked << text;
            return mAnswer;
        });
        mpWindow->setFileChooser([this](bool) { return mChosen; });
        mpWindow->show();
        QVERIFY(mpWindow->start(
            KxModuleDirectories("kxmainwindowtests").directories("desktop-palette")));
        QVERIFY(mpWindow->run(QStringLiteral("save ") + plate()));
    }

    void undoBackToTheOpenedFileLeavesNothingUnsaved() {
        reopen();
        QCOMPARE(mpWindow->windowTitle(), QStringLiteral("plate.kxd[*] - kxparam-gui"));
        QVERIFY(!mpWindow->isWindowModified() && !mpWindow->undoAction()->isEnabled());
        QCOMPARE(KxMainWindow::recentFiles().value(0), plate());

        QVERIFY(mpWindow->run(QStringLiteral("expr width 150")));
        QVERIFY(mpWindow->isWindowModified());
        QCOMPARE(mpWindow->undoAction()->text(), QStringLiteral("&Undo expr"));
        mpWindow->undoAction()->trigger();
        QVERIFY(!mpWindow->isWindowModified() && !mpWindow->undoAction()->isEnabled());
        QCOMPARE(mpWindow->redoAction()->text(), QStringLiteral("&Redo expr"));
        QVERIFY(mAsked.isEmpty());

        // Open Recent lists it and opens it again.
        QVERIFY(mpWindow->run(QStringLiteral("new-drawing")));
        QMenu* recent = nullptr;
        for (QMenu* menu : mpWindow->menuBar()->findChildren<QMenu*>()) {
            recent = menu->title() == QStringLiteral("Open &Recent") ? menu : recent;
        }
        if (!recent) {
            QFAIL("no Open Recent menu");
        }
        emit recent->aboutToShow();
        const QList<QAction*> entries = recent->actions();
        QVERIFY(!entries.isEmpty() && entries[0]->text().contains(plate()));
        entries[0]->trigger();
        QCOMPARE(mpWindow->windowTitle(), QStringLiteral("plate.kxd[*] - kxparam-gui"));
    }

    void closingAsksAboutUnsavedChanges() {
        reopen();
        QVERIFY(mpWindow->run(QStringLiteral("new-drawing")));
        QVERIFY(mpWindow->run(QStringLiteral("units LUPREC 3")));
        mAnswer = QMessageBox::Cancel;
        QVERIFY(!mpWindow->close());
        QVERIFY(mpWindow->isVisible() && modified());
        QCOMPARE(mAsked.size(), 1);
        QVERIFY(mAsked[0].contains(QStringLiteral("Drawing1 has unsaved changes")));

        // Typed, quit asks the same; after Cancel the session goes on and asks nothing more.
        auto* commandLine = mpWindow->findChild<KxCommandDock*>();
        if (!commandLine) {
            QFAIL("no command line");
        }
        emit commandLine->lineEntered(QStringLiteral("quit"));
        emit commandLine->lineEntered(QStringLiteral("units LUPREC 2"));
        QVERIFY(mpWindow->isVisible() && modified());
        QCOMPARE(mAsked.size(), 2);

        mAnswer = QMessageBox::Discard;
        QVERIFY(mpWindow->close());
        mpWindow->show();

        // Save, for a drawing without a file, chooses one first.
        mAnswer = QMessageBox::Save;
        mChosen = file(QStringLiteral("closed.kxd"));
        QVERIFY(mpWindow->close());
        QVERIFY(QFile::exists(mChosen) && !modified());
        mpWindow->show();
    }

    void aFailedSaveOrOpenChangesNothingAndSaysWhy() {
        reopen();
        QVERIFY(mpWindow->run(QStringLiteral("expr width 170")));
        mChosen = file(QStringLiteral("missing/plate.kxd"));
        QVERIFY(!mpWindow->saveAs());
        QCOMPARE(mAsked.size(), 1);
        QVERIFY(mAsked[0].contains(QStringLiteral("not saved")));
        QVERIFY(modified() && kxDocManagerPtr()->curDocument()->path() == plate().toStdString());

        QFile junk(file(QStringLiteral("junk.kxd")));
        QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("not a drawing") > 0);
        junk.close();
        mAnswer = QMessageBox::Discard;
        QVERIFY(!mpWindow->openDrawing(junk.fileName()));
        QCOMPARE(mAsked.size(), 3); // the unsaved changes, then why the file was refused
        QVERIFY(mAsked[2].contains(QStringLiteral("not opened")));
        QVERIFY(mpWindow->undoAction()->isEnabled() && modified());
    }

    // A recovery file is offered only when it reads whole and its drawing's file was not saved
    // since; one of a session still running is never offered.
    void offersOnlyAWholeRecoveryFileNewerThanItsDrawing() {
        reopen();
        mpWindow->setRecoveryInterval(60000, 1);
        QVERIFY(mpWindow->run(QStringLiteral("expr width 190")));
        const QDir folder(file(QStringLiteral("recovery")));
        const QString own = QStringLiteral("drawing-%1").arg(QCoreApplication::applicationPid());
        QVERIFY(folder.exists(own + QStringLiteral(".record")));
        QVERIFY(!mpWindow->offerRecovery(KxMainWindow::Recovery::Ask));
        QVERIFY(mAsked.isEmpty());
        // Another session's, which has ended: one whole, one broken.
        const auto leave = [&](const QString& stem, bool broken) {
            QFile::copy(folder.filePath(own + QStringLiteral(".record")),
                        folder.filePath(stem + QStringLiteral(".record")));
            QFile::copy(folder.filePath(own + QStringLiteral(".kxd")),
                        folder.filePath(stem + QStringLiteral(".kxd")));
            if (broken) {
                QFile::resize(folder.filePath(stem + QStringLiteral(".kxd")), 40);
            }
        };
        leave(QStringLiteral("drawing-999999998"), true);
        leave(QStringLiteral("drawing-999999999"), false);
        mAnswer = QMessageBox::Discard; // reopening the file discards the edit
        QVERIFY(mpWindow->openDrawing(plate()));
        mAnswer = QMessageBox::Yes;
        QVERIFY(mpWindow->offerRecovery(KxMainWindow::Recovery::Ask));
        QCOMPARE(mAsked.size(), 2);
        QVERIFY(modified() && mpWindow->isWindowModified() && !mpWindow->undoAction()->isEnabled());
        QVERIFY(!folder.exists(QStringLiteral("drawing-999999999.kxd")));
        QVERIFY(folder.exists(QStringLiteral("drawing-999999998.kxd")));

        // Saved since the recovery file began: it is older than the file, and goes unasked.
        leave(QStringLiteral("drawing-999999999"), false);
        QVERIFY(mpWindow->save());
        QVERIFY(!folder.exists(own + QStringLiteral(".record"))); // clean now
        mAsked.clear();
        QVERIFY(!mpWindow->offerRecovery(KxMainWindow::Recovery::Ask));
        QVERIFY(mAsked.isEmpty() && !folder.exists(QStringLiteral("drawing-999999999.kxd")));
        mpWindow->setRecoveryInterval(60000);
    }

    // A session killed with unsaved changes leaves them in its recovery file; the next one
    // recovers them as unsaved changes of the original file, which stays as it was saved.
    void recoversTheEditsOfAKilledSession() {
        const QString saved = plate();
        QFile original(saved);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray bytes = original.readAll();
        original.close();
        const QString script = file(QStringLiteral("edit.kxs"));
        QFile edits(script);
        QVERIFY(edits.open(QIODevice::WriteOnly) && edits.write("expr width 180\n") > 0);
        edits.close();
        QFile check(file(QStringLiteral("check.kxs")));
        QVERIFY(check.open(QIODevice::WriteOnly) && check.write("drawing\nshow width\n") > 0);
        check.close();

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("KXPARAM_RECOVERY_DIR"), file(QStringLiteral("killed")));
        environment.insert(QStringLiteral("KXPARAM_RECOVERY_MS"), QStringLiteral("100"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), file(QStringLiteral("config")));
        QProcess first;
        first.setProcessEnvironment(environment);
        first.start(QStringLiteral(KX_GUI_PROGRAM), {QStringLiteral("--script"), script, saved});
        QVERIFY(first.waitForStarted());
        const QDir killed(file(QStringLiteral("killed")));
        QTRY_VERIFY_WITH_TIMEOUT(
            !killed.entryList({QStringLiteral("drawing-*.record")}, QDir::Files).isEmpty(), 30000);
        first.kill(); // SIGKILL: nothing is cleaned up
        QVERIFY(first.waitForFinished());

        QProcess second;
        second.setProcessEnvironment(environment);
        second.start(QStringLiteral(KX_GUI_PROGRAM),
                     {QStringLiteral("--recovery"), QStringLiteral("recover"),
                      QStringLiteral("--script"), check.fileName(), QStringLiteral("--screenshot"),
                      file(QStringLiteral("recovered.png")), saved});
        QVERIFY(second.waitForFinished(60000));
        const QString out = QString::fromUtf8(second.readAllStandardOutput());
        QVERIFY2(second.exitCode() == 0, qPrintable(second.readAllStandardError()));
        QVERIFY2(out.contains(QStringLiteral("recovered the unsaved changes of ") + saved) &&
                     out.contains(QStringLiteral("file ") + saved + QStringLiteral(", unsaved")) &&
                     out.contains(QStringLiteral("180")),
                 qPrintable(out));
        QVERIFY(original.open(QIODevice::ReadOnly));
        QCOMPARE(original.readAll(), bytes);
        // The old file went once recovered, the second session's own at its normal end.
        QVERIFY(killed.entryList({QStringLiteral("drawing-*")}, QDir::Files).isEmpty());
    }
};

QTEST_MAIN(KxMainWindowTest)
#include "KxMainWindowTest.moc"
