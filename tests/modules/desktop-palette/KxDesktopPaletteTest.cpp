// The desktop palette over the sample provider: edits through the table reach the provider, a
// refusal marks its cell and is shown, and the search field and the header choose and order rows.

#include "KxBracketPlate.h"

#include "host/KxStatusName.h"
#include "kit/KxDisplayValue.h"
#include "model/KxParameter.h"
#include "modules/desktop-palette/KxDesktopPalette.h"
#include "modules/desktop-palette/KxParameterTableModel.h"
#include "palette/KxApParameterManagerESW.h"
#include "testkit/KxTestSession.h"

#include <QApplication>
#include <QBrush>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTest>

#include <memory>

class KxDesktopPaletteTest : public QObject {
    Q_OBJECT

    std::unique_ptr<KxTestSession> session;
    std::unique_ptr<KxDesktopPalette> palette;
    std::unique_ptr<KxBracketPlate> plate;
    QStringList shown; // status, message and detail of the last refusal

    QSortFilterProxyModel& view() { return palette->view(); }
    QString name(int row) { return view().index(row, 0).data().toString(); }
    QModelIndex cell(const QString& parameter, int column) {
        for (int row = 0; row < view().rowCount(); ++row) {
            if (name(row) == parameter) {
                return view().index(row, column);
            }
        }
        return {};
    }

private slots:
    void init() {
        session = std::make_unique<KxTestSession>();
        palette = std::make_unique<KxDesktopPalette>();
        palette->setErrorDialog(
            [this](const QString& status, const QString& message, const QString& detail) {
                shown = {status, message, detail};
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
    }

    void editReachesTheProviderAndRefreshesItsRow() {
        KxParameter& height = *plate->collection().find(L"height");
        const int row = palette->view().mapToSource(cell("height", 0)).row();
        QSignalSpy changed(&palette->model(), &QAbstractItemModel::dataChanged);
        QVERIFY(view().setData(cell("height", 1), "width / 4"));
        QCOMPARE(QString::fromStdWString(height.getExpression().wstr()), "width / 4");
        QCOMPARE(cell("height", 2).data().toString(),
                 QString::fromStdWString(kxDisplayValue(height).wstr()));
        QVERIFY(!changed.isEmpty());
        for (const QList<QVariant>& signal : changed) {
            QCOMPARE(signal[0].toModelIndex().row(), row);
            QCOMPARE(signal[1].toModelIndex().row(), row);
        }
    }

    void refusedEditMarksTheCellUntilAnEditOfItSucceeds() {
        QVERIFY(!view().setData(cell("width", 1), "1 +"));
        QCOMPARE(cell("width", 1).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(Qt::red));
        QVERIFY(!cell("width", 0).data(Qt::BackgroundRole).isValid());
        QCOMPARE(shown.value(0), QString::fromStdString(kxStatusText(Lumo::eInvalidInput)));
        QVERIFY(shown.value(1).contains("not a valid expression"));
        QVERIFY(view().setData(cell("width", 1), "140"));
        QVERIFY(!cell("width", 1).data(Qt::BackgroundRole).isValid());
    }

    void searchSelectsByNameAndSortingOrdersByName() {
        palette->setSearchPattern("HOLE_");
        QCOMPARE(view().rowCount(), 2);
        QVERIFY(name(0).startsWith("hole_") && name(1).startsWith("hole_"));
        palette->resetSearchPattern();
        QCOMPARE(view().rowCount(), palette->model().rowCount());
        QVERIFY(view().rowCount() > 2);
        view().sort(0, Qt::AscendingOrder);
        for (int row = 1; row < view().rowCount(); ++row) {
            QVERIFY2(name(row - 1) < name(row), qPrintable(name(row)));
        }
    }
};

QTEST_MAIN(KxDesktopPaletteTest)
#include "KxDesktopPaletteTest.moc"
