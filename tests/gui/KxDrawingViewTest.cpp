// The drawing view: it fits a database's polylines and circles into the view with the y axis up,
// draws a highlighted entity in the highlight colour, zooms about the cursor, pans and fits again;
// over the plate, each dimension says its parameter's name and value, and a click on it selects
// the parameter's row in the desktop palette.

#include "KxBracketPlate.h"

#include "gui/KxDrawingView.h"
#include "host/KxDbCurves.h"
#include "host/KxDbDatabase.h"
#include "host/KxHostStatus.h"
#include "host/KxResBuf.h"
#include "host/KxSysVars.h"
#include "kit/KxPaletteControl.h"
#include "model/KxParameter.h"
#include "modules/desktop-palette/KxDesktopPalette.h"
#include "modules/desktop-palette/KxParameterRowFilter.h"
#include "palette/KxApParameterManagerESW.h"
#include "testkit/KxTestSession.h"

#include <QImage>
#include <QRect>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <cmath>
#include <memory>

namespace {

// Where the pixels that pass lie, and how many there are; antialiased edges are blends.
template <typename Test>
QRect pixels(const QImage& image, Test test, int& count, const QRect& within = {}) {
    QRect found;
    count = 0;
    const QRect area = within.isNull() ? image.rect() : within & image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test(image.pixelColor(x, y))) {
                found |= QRect(x, y, 1, 1);
                ++count;
            }
        }
    }
    return found;
}

// The highlight colour is orange, the lines are dark grey on a light background.
bool highlighted(const QColor& pixel) {
    return pixel.red() - pixel.blue() > 80;
}
bool inked(const QColor& pixel) {
    return pixel.lightness() < 200 && !highlighted(pixel);
}

void wheel(QWidget& view, const QPointF& at, int notches) {
    QWheelEvent event(at, view.mapToGlobal(at), {}, {0, notches * 120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &event);
}

void drag(QWidget& view, const QPoint& from, const QPoint& to) {
    QTest::mousePress(&view, Qt::MiddleButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, view.mapToGlobal(to), Qt::NoButton, Qt::MiddleButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
    QTest::mouseRelease(&view, Qt::MiddleButton, {}, to);
}

void setSysVar(const wchar_t* name, short value) {
    KxResBuf buffer;
    buffer.restype = kRtInt16;
    buffer.resval.rint = value;
    QCOMPARE(kxedSetVar(name, &buffer), kRtNorm);
}

} // namespace

class KxDrawingViewTest : public QObject {
    Q_OBJECT

private slots:
    void fitsZoomsPansAndHighlights() {
        // Far from the origin, so that only fitting brings it into view; the line has no height.
        KxDbDatabase database;
        auto* line = new KxDbPolyline();
        auto* circle = new KxDbCircle();
        KxDbObjectId lineId, circleId;
        database.addObject(line, lineId);
        database.addObject(circle, circleId);
        KxDbObject* open = nullptr;
        QCOMPARE(kxdbOpenObject(open, lineId, KxDb::kForWrite), Lumo::eOk);
        line->setPoints({{1000, 1000}, {1100, 1000}}, false);
        line->close();
        QCOMPARE(kxdbOpenObject(open, circleId, KxDb::kForWrite), Lumo::eOk);
        circle->set({1050, 1060}, 10);
        circle->close();

        KxDrawingView view;
        view.setDatabase(&database);
        view.resize(300, 200);
        int count = 0;
        QImage image = view.grab().toImage();
        const QRect fitted = pixels(image, inked, count);
        QVERIFY(fitted.width() > 200 && fitted.height() > 100); // fitted, margins aside
        pixels(image, highlighted, count);
        QCOMPARE(count, 0);

        // Out about the line's left end, which stays where it is; then moved with the middle
        // button; then in so far that the drawing is cut; then fitted again.
        wheel(view, fitted.bottomLeft(), -2);
        QRect drawn = pixels(view.grab().toImage(), inked, count);
        QVERIFY(std::abs(drawn.left() - fitted.left()) <= 2);
        QVERIFY(std::abs(drawn.bottom() - fitted.bottom()) <= 2);
        QVERIFY(std::abs(drawn.width() - fitted.width() / 1.5625) <= 3);
        drag(view, {150, 100}, {190, 70});
        const QRect panned = pixels(view.grab().toImage(), inked, count);
        QVERIFY((panned.topLeft() - drawn.topLeft() - QPoint(40, -30)).manhattanLength() <= 2);
        wheel(view, QPoint(panned.center().x(), panned.bottom()), 6); // on the line
        drawn = pixels(view.grab().toImage(), inked, count);
        QVERIFY(drawn.left() == 0 && drawn.right() == 299);
        view.zoomToFit();
        QCOMPARE(pixels(view.grab().toImage(), inked, count), fitted);

        QCOMPARE(kxdbOpenObject(open, circleId, KxDb::kForRead), Lumo::eOk);
        QCOMPARE(circle->pushHighlight(KxDbFullSubentPath(circleId, {}), kKxGiHighlightDashedThick),
                 Lumo::eOk);
        circle->close();
        image = view.grab().toImage();
        const QRect orange = pixels(image, highlighted, count);
        QVERIFY(count > 20);
        QVERIFY(orange.bottom() < image.height() / 2); // the circle stands above the line
        QVERIFY(pixels(image, inked, count).top() > image.height() / 2);

        // The view reads again only what changed: an erased circle goes and an undone erasure
        // brings it back; a line open for write elsewhere is drawn as it was until it is closed.
        database.beginUndoGroup(L"erase");
        database.erase(circleId);
        database.endUndoGroup();
        pixels(view.grab().toImage(), highlighted, count);
        QCOMPARE(count, 0);
        QCOMPARE(database.undo(), Lumo::eOk);
        QCOMPARE(pixels(view.grab().toImage(), highlighted, count), orange);
        QCOMPARE(kxdbOpenObject(open, lineId, KxDb::kForWrite), Lumo::eOk);
        line->setPoints({{1000, 1000}, {1300, 1000}}, false);
        QCOMPARE(pixels(view.grab().toImage(), highlighted, count), orange);
        line->close();
        QVERIFY(pixels(view.grab().toImage(), highlighted, count).right() < orange.left());
    }

    void plateDimensionsSayNameAndValueAndAClickSelectsTheirRow() {
        KxTestSession session;
        KxDesktopPalette palette;
        palette.setErrorDialog([](const QString&, const QString&, const QString&) {});
        KxApParameterManagerESW::instance()->setHost(&palette);
        session.manager();
        auto plate = std::make_unique<KxBracketPlate>();
        plate->connect();
        QVERIFY(palette.show(true, false));
        KxParameter& width = *plate->collection().find(L"width");
        KxParameter& height = *plate->collection().find(L"height");

        KxDrawingView view;
        view.resize(600, 400);
        // As the program wires it.
        connect(&view, &KxDrawingView::dimensionClicked, &view,
                [&palette](KxParameter* parameter) { palette.selectParameter(parameter); });
        view.grab();
        QStringList texts = view.dimensionTexts();
        texts.sort();
        QCOMPARE(texts, QStringList({"fillet_angle = 45", "height = 60.0000", "hole_count = 4.0000",
                                     "hole_diameter = 9.0000", "spacing = 34.0000",
                                     "thickness = 6.0000", "width = 120.0000"}));
        // A parameter without a role has no dimension; a value and the units show at once.
        KxParameter* made = nullptr;
        QCOMPARE(palette.createParameter(made), Lumo::eOk);
        QCOMPARE(palette.editExpression(&width, L"150"), Lumo::eOk);
        setSysVar(L"LUPREC", 2);
        view.grab();
        QCOMPARE(view.dimensionTexts().size(), 7);
        QVERIFY(view.dimensionTexts().contains("width = 150.00"));
        QVERIFY(view.dimensionTexts().contains("height = 75.00"));
        const QSizeF size = view.dimensionTextArea(&width).boundingRect().size();
        wheel(view, {300, 200}, 3);
        view.grab();
        QCOMPARE(view.dimensionTextArea(&width).boundingRect().size(), size); // not scaled

        // A click on a text selects its row alone, which highlights its line and its text.
        view.zoomToFit();
        view.grab();
        QTest::mouseClick(&view, Qt::LeftButton, {},
                          view.dimensionTextArea(&height).boundingRect().center().toPoint());
        const auto selected = [&] {
            QStringList names;
            for (const QModelIndex& row : palette.widget()->selectedRows()) {
                names.push_back(row.data().toString());
            }
            return names;
        };
        QCOMPARE(selected(), QStringList{"height"});
        const QPolygonF area = view.dimensionTextArea(&height);
        int count = 0;
        pixels(view.grab().toImage(), highlighted, count, area.boundingRect().toRect());
        QVERIFY(count > 10);
        // A click on a line, a little below its text, selects the other; one on nothing, none.
        const QPolygonF text = view.dimensionTextArea(&width);
        const QPointF below = (text[2] + text[3]) / 2;
        const QPointF down = below - (text[0] + text[1]) / 2;
        QTest::mouseClick(&view, Qt::LeftButton, {},
                          (below + down / std::hypot(down.x(), down.y()) * 3).toPoint());
        QCOMPARE(selected(), QStringList{"width"});
        QSignalSpy clicked(&view, &KxDrawingView::dimensionClicked);
        QTest::mouseClick(&view, Qt::LeftButton, {}, {1, 1});
        QVERIFY(clicked.isEmpty());

        // A deleted parameter takes its text along; the others keep theirs.
        QCOMPARE(palette.deleteParameters({plate->collection().find(L"fillet_angle")}), Lumo::eOk);
        view.grab();
        QCOMPARE(view.dimensionTexts().size(), 6);
        QVERIFY(!view.dimensionTexts().join(' ').contains("fillet_angle"));

        plate.reset();
        view.grab(); // the plate's parameters are gone, and with them its texts
        QVERIFY(view.dimensionTexts().isEmpty());
        KxApParameterManagerESW::instance()->setHost(nullptr);
    }
};

QTEST_MAIN(KxDrawingViewTest)
#include "KxDrawingViewTest.moc"
