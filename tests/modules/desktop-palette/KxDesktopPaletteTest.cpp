// The desktop palette over the sample provider: edits through the table reach the provider, a
// refusal marks its cell and is shown, the search, the group tree and the header choose and order
// rows, selection highlights, and the row menu and the group commands go through the model.

#include "KxBracketPlate.h"

#include "host/KxDbEntity.h"
#include "host/KxStatusName.h"
#include "host/MtTaskDialogPresenter.h"
#include "kit/KxDisplayValue.h"
#include "manager/KxParameterManager.h"
#include "model/KxParameter.h"
#include "modules/desktop-palette/KxCellDelegate.h"
#include "modules/desktop-palette/KxDesktopPalette.h"
#include "modules/desktop-palette/KxParameterRowFilter.h"
#include "modules/desktop-palette/KxParameterTableModel.h"
#include "modules/desktop-palette/KxQtText.h"
#include "palette/KxApParameterManagerESW.h"
#include "testkit/KxTestSession.h"

#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QComboBox>
#include <QHelpEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <memory>
#include <sstream>

class KxDesktopPaletteTest : public QObject {
    Q_OBJECT

    std::unique_ptr<KxTestSession> session;
    std::unique_ptr<KxDesktopPalette> palette;
    std::unique_ptr<KxBracketPlate> plate;
    QStringList shown;   // status, message and detail of the last refusal
    QStringList notices; // the host's task dialogs
    MtTaskDialogPresenter before;
    std::ostringstream out; // what the control writes

    KxParameterRowFilter& view() { return palette->view(); }
    QString name(int row) { return view().index(row, 0).data().toString(); }
    QStringList names() {
        QStringList all;
        for (int row = 0; row < view().rowCount(); ++row) {
            all.push_back(name(row));
        }
        all.sort();
        return all;
    }
    QModelIndex cell(const QString& parameter, int column) {
        for (int row = 0; row < view().rowCount(); ++row) {
            if (name(row) == parameter) {
                return view().index(row, column);
            }
        }
        return {};
    }
    KxParameter& parameter(const wchar_t* name) { return *plate->collection().find(name); }
    QAction* action(QMenu& menu, const QString& path) {
        QMenu* at = &menu;
        for (const QString& step : path.split('/')) {
            for (QAction* candidate : at->actions()) {
                if (candidate->text() == step) {
                    if (candidate->menu()) {
                        at = candidate->menu();
                        break;
                    }
                    return candidate;
                }
            }
        }
        return nullptr;
    }
    // Where a click opens the menu of the row as shown (-1 below the last row).
    QPoint rowMenuPoint(int row) {
        QTableView& table = *palette->table();
        const QRect rows = table.visualRect(view().index(view().rowCount() - 1, 0));
        return row < 0 ? rows.bottomLeft() + QPoint(1, 4)
                       : table.visualRect(view().index(row, 0)).center();
    }
    // The entries of the menu that the table opens at the row as shown (-1 below the last row),
    // as "Join group/holes"; the menu is closed unused.
    QStringList rowMenuEntries(int row) {
        QTableView& table = *palette->table();
        const QPoint at = rowMenuPoint(row);
        QStringList entries;
        QTimer::singleShot(0, &table, [&entries] {
            QWidget* popup = QApplication::activePopupWidget();
            for (QAction* entry : popup->actions()) {
                if (entry->menu()) {
                    for (QAction* inner : entry->menu()->actions()) {
                        entries.push_back(entry->text() + '/' + inner->text());
                    }
                } else if (!entry->isSeparator()) {
                    entries.push_back(entry->text());
                }
            }
            popup->close();
        });
        emit table.customContextMenuRequested(at);
        return entries;
    }
    // Chooses the entry at the path ("Join group/holes") in the menu that the table opens at the
    // row as shown, as a click does: the menu closes, then the entry acts. False without it.
    bool chooseInRowMenu(int row, const QString& path) {
        QTableView& table = *palette->table();
        bool found = false;
        QTimer::singleShot(0, &table, [this, &found, path] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QAction* chosen = popup ? action(*popup, path) : nullptr;
            if (popup) {
                popup->close();
            }
            if (chosen && chosen->isEnabled()) {
                found = true;
                chosen->trigger();
            }
        });
        emit table.customContextMenuRequested(rowMenuPoint(row));
        return found;
    }
    int row(const QString& parameter) { return cell(parameter, 0).row(); }
    // Types the answer into the dialog that the next request of the group tree opens.
    void answerGroupDialog(const QString& answer) {
        QTimer::singleShot(0, palette->widget(), [answer] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            dialog->setTextValue(answer);
            dialog->accept();
        });
    }
    std::size_t highlights(const wchar_t* name) {
        KxDbObjectId id;
        parameter(name).getEntityId(id);
        KxDbEntity* entity = nullptr;
        if (kxdbOpenObject(entity, id, KxDb::kForRead) != Lumo::eOk) {
            return 99;
        }
        const std::size_t count = entity->highlights().size();
        entity->close();
        return count;
    }

private slots:
    void init() {
        session = std::make_unique<KxTestSession>();
        palette = std::make_unique<KxDesktopPalette>();
        palette->setErrorDialog(
            [this](const QString& status, const QString& message, const QString& detail) {
                shown = {status, message, detail};
            });
        out.str({});
        palette->setOutput(&out, &out);
        before = mtSetTaskDialogPresenter([this](const MtTaskDialogShown& dialog) {
            notices.push_back(toQString(dialog.id));
            return 0;
        });
        KxApParameterManagerESW::instance()->setHost(palette.get());
        session->manager();
        plate = std::make_unique<KxBracketPlate>();
        plate->connect();
        QVERIFY(palette->show(true, false));
        QVERIFY(palette->IsVisible());
    }
    void cleanup() {
        plate.reset();
        KxApParameterManagerESW::instance()->setHost(nullptr);
        palette.reset();
        session.reset();
        mtSetTaskDialogPresenter(before);
        shown.clear();
        notices.clear();
    }

    void editReachesTheProviderAndRefreshesOnlyItsRowOnce() {
        KxParameter& height = parameter(L"height");
        const int row = view().mapToSource(cell("height", 0)).row();
        QCoreApplication::processEvents();
        QSignalSpy changed(&palette->model(), &QAbstractItemModel::dataChanged);
        QVERIFY(view().setData(cell("height", 1), "width / 4"));
        QCOMPARE(toQString(height.getExpression()), "width / 4");
        QCOMPARE(cell("height", 2).data().toString(), toQString(kxDisplayValue(height)));
        QVERIFY(changed.isEmpty()); // the views hear of it on the next turn, once
        QCoreApplication::processEvents();
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toModelIndex().row(), row);
        QCOMPARE(changed[0][1].toModelIndex().row(), row);
    }

    void refusedEditMarksTheCellUntilAnEditOfItSucceeds() {
        QVERIFY(!view().setData(cell("width", 1), "1 +"));
        QCOMPARE(cell("width", 1).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(Qt::red));
        QVERIFY(!cell("width", 0).data(Qt::BackgroundRole).isValid());
        QCOMPARE(shown.value(0), QString::fromStdString(kxStatusText(Lumo::eInvalidInput)));
        QVERIFY(shown.value(1).contains("not a valid expression"));
        QVERIFY(out.str().find("Parameter not changed (" + shown.value(0).toStdString()) !=
                std::string::npos);
        // The control's edits mark the same cell, and a success clears it.
        QCOMPARE(palette->editExpression(&parameter(L"width"), L"width"), Lumo::eInvalidInput);
        QVERIFY(cell("width", 1).data(Qt::BackgroundRole).isValid());
        QCOMPARE(palette->editExpression(&parameter(L"width"), L"140"), Lumo::eOk);
        QVERIFY(!cell("width", 1).data(Qt::BackgroundRole).isValid());
        // Once an edit has ended, a refusal from elsewhere marks no cell.
        palette->markInvalidCell();
        QVERIFY(!cell("width", 1).data(Qt::BackgroundRole).isValid());
        // The value and the usage count are not the user's to type.
        QVERIFY(!view().setData(cell("width", 2), "5") && !view().setData(cell("width", 5), "5"));
        QCOMPARE(palette->editProperty(&parameter(L"width"), L"nothing", KxDbEvalVariant(1.0)),
                 Lumo::eKeyNotFound);
    }

    void searchGroupFilterAndInversionSelectTheRowsAndSortingOrdersThem() {
        const QStringList all = names();
        const QStringList holes = {"hole_count", "hole_diameter", "spacing"};
        QCOMPARE(palette->setGroupFilter(L"holes", false), Lumo::eOk);
        QCOMPARE(names(), holes);
        short holesIndex = -1;
        plate->groups().getGroupIndex(L"holes", holesIndex);
        QCOMPARE(session->manager().getCurrentGroupIndex(), holesIndex);
        QCOMPARE(notices, QStringList{"KxParameter.ParameterFiltered"});
        palette->setSearchPattern("HOLE_");
        QCOMPARE(names(), (QStringList{"hole_count", "hole_diameter"}));
        // The host program's text drawing shows the same rows, in columns that line up.
        palette->draw();
        const QStringList drawn = QString::fromStdString(out.str()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(drawn.size(), 3);
        QVERIFY(drawn[0].startsWith("Name ") && drawn[1].startsWith("hole_count "));
        QCOMPARE(drawn[0].indexOf("Expression"),
                 drawn[1].indexOf(cell("hole_count", 1).data().toString()));
        palette->resetSearchPattern();
        QCOMPARE(palette->setGroupFilter(L"holes", true), Lumo::eOk);
        QCOMPARE(names().size(), all.size() - holes.size());
        QVERIFY(!names().contains("spacing"));
        QCOMPARE(palette->setGroupFilter(L"nowhere", false), Lumo::eInvalidInput);
        QCOMPARE(names().size(), all.size() - holes.size()); // the filter stayed
        palette->clearFilter();
        QVERIFY(!palette->getCurrentFilter());
        QCOMPARE(names(), all);
        view().sort(0, Qt::DescendingOrder);
        for (int row = 1; row < view().rowCount(); ++row) {
            QVERIFY2(name(row - 1) > name(row), qPrintable(name(row)));
        }
        // Values sort as numbers: 6 before 45 before 120, whatever their text.
        view().sort(2, Qt::AscendingOrder);
        for (int row = 1; row < view().rowCount(); ++row) {
            QVERIFY(view().index(row - 1, 2).data().toDouble() <=
                    view().index(row, 2).data().toDouble());
        }
    }

    void valueSetCellEditsWithItsValuesAndCancellingClosesTheEditor() {
        QTableView& table = *palette->table();
        auto& delegate = *qobject_cast<KxCellDelegate*>(table.itemDelegate());
        const QModelIndex tolerance = cell("width", 6);
        table.edit(tolerance);
        auto* combo = qobject_cast<QComboBox*>(delegate.openEditor());
        QVERIFY(combo);
        QCOMPARE(combo->count(), 3);
        combo->setCurrentIndex(2);
        table.itemDelegate()->setModelData(combo, &view(), tolerance);
        QCOMPARE(cell("width", 6).data().toString(), combo->itemText(2));
        palette->cancelCurrentEdit();
        QTRY_VERIFY(!delegate.openEditor());
        table.edit(cell("width", 1));
        QVERIFY(delegate.openEditor());
        palette->cancelCurrentEdit();
        QTRY_VERIFY(!delegate.openEditor());
        QCOMPARE(cell("width", 1).data().toString(), "120");
    }

    void selectionHighlightsTheRowsParameterAndUnselectingPopsIt() {
        QTableView& table = *palette->table();
        table.selectRow(cell("width", 0).row());
        QCOMPARE(highlights(L"width"), 1u);
        table.selectRow(cell("height", 0).row());
        QCOMPARE(highlights(L"width"), 0u);
        QCOMPARE(highlights(L"height"), 1u);
        table.clearSelection();
        QCOMPARE(highlights(L"height"), 0u);
    }

    void columnsFitTheirContentWithinABoundAndACutCellTellsItAll() {
        QTableView& table = *palette->table();
        palette->widget()->resize(470, 400); // the palette's share of the program's window
        palette->widget()->show();
        palette->widget()->fitColumns();
        const int bound = table.fontMetrics().averageCharWidth() * 18;
        const QString whole = cell("spacing", 1).data().toString();
        QVERIFY(table.fontMetrics().horizontalAdvance(whole) > bound); // the long expression
        QCOMPARE(table.columnWidth(1), bound);
        QVERIFY(table.columnWidth(0) >= table.fontMetrics().horizontalAdvance("hole_diameter"));
        QVERIFY(table.columnViewportPosition(3) + 20 < table.viewport()->width()); // Groups seen
        const auto tip = [&](const QModelIndex& at) {
            const QPoint point = table.visualRect(at).center();
            QHelpEvent help(QEvent::ToolTip, point, table.viewport()->mapToGlobal(point));
            QApplication::sendEvent(table.viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(tip(cell("width", 0)), QString()); // it fits
        QCOMPARE(tip(cell("spacing", 1)), whole);
        // Selecting from outside selects that row alone and highlights it.
        QCOMPARE(palette->selectParameter(&parameter(L"height")), Lumo::eOk);
        QCOMPARE(palette->selectParameter(&parameter(L"width")), Lumo::eOk);
        QCOMPARE(palette->widget()->selectedRows().size(), 1);
        QCOMPARE(highlights(L"width"), 1u);
        QCOMPARE(highlights(L"height"), 0u);
        palette->setSearchPattern("hole");
        QCOMPARE(palette->selectParameter(&parameter(L"width")), Lumo::eKeyNotFound);
    }

    void rowMenuJoinsLeavesCreatesAndDeletes() {
        QVERIFY(!chooseInRowMenu(row("width"), "Join group/outline")); // a member already
        QVERIFY(chooseInRowMenu(row("width"), "Join group/holes"));
        QCOMPARE(cell("width", 3).data().toString(), "outline, holes");
        QVERIFY(chooseInRowMenu(row("width"), "Leave group/outline"));
        QCOMPARE(cell("width", 3).data().toString(), "holes");

        // A new parameter that the filter hides is announced.
        QCOMPARE(palette->setGroupFilter(L"holes", false), Lumo::eOk);
        notices.clear();
        QVERIFY(chooseInRowMenu(-1, "New parameter"));
        QVERIFY(plate->collection().find(L"param1"));
        QCOMPARE(notices, QStringList{"KxParameter.ParameterFiltered"});
        palette->clearFilter();
        QVERIFY(chooseInRowMenu(row("param1"), "Delete"));
        QVERIFY(!plate->collection().find(L"param1"));
        QVERIFY(!cell("param1", 0).isValid());
        // The table's keys: Insert makes one, Delete deletes the selected rows.
        const auto key = [&](const QString& name) {
            for (QAction* candidate : palette->table()->actions()) {
                if (candidate->text() == name) {
                    candidate->trigger();
                }
            }
        };
        key("New parameter");
        QVERIFY(cell("param1", 0).isValid());
        palette->table()->selectRow(cell("param1", 0).row());
        key("Delete");
        QVERIFY(!plate->collection().find(L"param1"));
        // What others use stays, and the user hears why.
        QCOMPARE(palette->deleteParameters({&parameter(L"width")}), Lumo::eInvalidInput);
        QVERIFY(cell("width", 0).isValid());
        QVERIFY(shown.value(1).contains("still use"));
    }

    void theTreeChoosesTheFilterAndItsSwitchInvertsIt() {
        KxGroupTree& tree = *palette->groupTree();
        QVERIFY(!tree.invertSwitch().isEnabled()); // nothing to invert under "All parameters"
        tree.findChild<QTreeWidget*>()->setCurrentItem(tree.itemOf("holes"));
        QCOMPARE(names(), (QStringList{"hole_count", "hole_diameter", "spacing"}));
        QCOMPARE(notices, QStringList{"KxParameter.ParameterFiltered"});
        QVERIFY(tree.invertSwitch().isEnabled());
        tree.invertSwitch().setChecked(true);
        QVERIFY(!names().contains("spacing") && names().contains("width"));
        tree.findChild<QTreeWidget*>()->setCurrentItem(
            tree.findChild<QTreeWidget*>()->topLevelItem(0));
        QVERIFY(!palette->getCurrentFilter());
    }

    void groupCommandsChangeTheTreeAndAFilterOnAGoneGroupShowsAll() {
        KxGroupTree& tree = *palette->groupTree();
        QCOMPARE(palette->addGroup("extra"), Lumo::eOk);
        QVERIFY(tree.itemOf("extra"));
        QCOMPARE(palette->addGroup(""), Lumo::eInvalidInput);
        QCOMPARE(shown.value(0), QString::fromStdString(kxStatusText(Lumo::eInvalidInput)));
        QCOMPARE(palette->setGroupFilter(L"extra", false), Lumo::eOk);
        QCOMPARE(palette->renameGroup("extra", "spare"), Lumo::eOk);
        QVERIFY(!tree.itemOf("extra") && tree.itemOf("spare"));
        QVERIFY(palette->getCurrentFilter()); // follows the renamed group
        QCOMPARE(palette->deleteGroup("spare"), Lumo::eOk);
        QVERIFY(!tree.itemOf("spare"));
        QVERIFY(!palette->getCurrentFilter());
        QCOMPARE(view().rowCount(), palette->model().rowCount());
    }

    void theWindowsFieldMenusAndGroupDialogsReachTheLibrary() {
        auto& search = *palette->widget()->findChild<QLineEdit*>();
        QTest::keyClicks(&search, "hole_");
        QCOMPARE(names(), (QStringList{"hole_count", "hole_diameter"}));
        // The menu is the shown row's, not the row at that place among all the parameters.
        QVERIFY(rowMenuEntries(0).contains("Leave group/holes"));
        QCOMPARE(rowMenuEntries(-1), QStringList{"New parameter"});
        search.clear();
        QCOMPARE(names().size(), palette->model().rowCount());

        KxGroupTree& tree = *palette->groupTree();
        answerGroupDialog("extra");
        emit tree.addRequested();
        QVERIFY(tree.itemOf("extra"));
        answerGroupDialog("extra"); // the same name is no rename
        emit tree.renameRequested("extra");
        QVERIFY(shown.isEmpty());
        answerGroupDialog("spare");
        emit tree.renameRequested("extra");
        QVERIFY(!tree.itemOf("extra") && tree.itemOf("spare"));
        emit tree.deleteRequested("spare");
        QVERIFY(!tree.itemOf("spare"));
        QVERIFY(shown.isEmpty());
    }

    void columnsFollowTheActiveCollectionAndPredefinedExpressionsAreKept() {
        QCOMPARE(palette->model().columnCount(), 7);
        plate->disconnect(); // no active collection, no rows; the palette hears of it later
        QSignalSpy resets(&palette->model(), &QAbstractItemModel::modelReset);
        palette->activeCollectionChanged(nullptr);
        QCOMPARE(palette->model().columnCount(), 4);
        QCOMPARE(resets.size(), 1);
        QVERIFY(palette->show(false, false) && !palette->IsVisible());
        QCOMPARE(palette->model().rowCount(), 0);
        KxArray<KxString> expressions;
        expressions.append(L"width / 2");
        expressions.append(L"thickness * 3");
        QCOMPARE(palette->setPredefinedExpressions(expressions), Lumo::eOk);
        KxArray<KxString> kept;
        palette->getPredefinedExpressions(kept);
        QCOMPARE(kept.length(), 2);
        QVERIFY(kept[1] == L"thickness * 3");
    }

    void locksBatchTheirChangesIntoOneReset() {
        QSignalSpy resets(&palette->model(), &QAbstractItemModel::modelReset);
        QSignalSpy inserted(&palette->model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy changed(&palette->model(), &QAbstractItemModel::dataChanged);
        palette->setESWLockUpdate(true);
        palette->setFilterLock(true);
        KxParameter* made = nullptr;
        QCOMPARE(palette->createParameter(made), Lumo::eOk);
        QCOMPARE(parameter(L"width").setExpression(L"100"), Lumo::eOk);
        palette->setFilterLock(false);
        QCOMPARE(resets.size(), 0);
        palette->setESWLockUpdate(false);
        QCoreApplication::processEvents();
        QCOMPARE(resets.size(), 1);
        QVERIFY(inserted.isEmpty() && changed.isEmpty());
        QVERIFY(cell("param1", 0).isValid());
    }
};

QTEST_MAIN(KxDesktopPaletteTest)
#include "KxDesktopPaletteTest.moc"
