// The drawing view: it fits a database's polylines and circles into the view with the y axis up,
// and draws a highlighted entity in the highlight colour.

#include "gui/KxDrawingView.h"
#include "host/KxDbCurves.h"
#include "host/KxDbDatabase.h"

#include <QImage>
#include <QRect>
#include <QTest>

#include <cmath>

namespace {

// Where the pixels that pass lie, and how many there are; antialiased edges are blends.
template <typename Test>
QRect pixels(const QImage& image, Test test, int& count) {
    QRect found;
    count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
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

} // namespace

class KxDrawingViewTest : public QObject {
    Q_OBJECT

private slots:
    void fitsTheDrawingWithTheYAxisUpAndHighlightsInItsColour() {
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
        const QRect drawn = pixels(image, inked, count);
        QVERIFY(drawn.width() > 200 && drawn.height() > 100); // fitted, margins aside
        pixels(image, highlighted, count);
        QCOMPARE(count, 0);

        QCOMPARE(kxdbOpenObject(open, circleId, KxDb::kForRead), Lumo::eOk);
        QCOMPARE(circle->pushHighlight(KxDbFullSubentPath(circleId, {}), kKxGiHighlightDashedThick),
                 Lumo::eOk);
        circle->close();
        image = view.grab().toImage();
        const QRect orange = pixels(image, highlighted, count);
        QVERIFY(count > 20);
        QVERIFY(orange.bottom() < image.height() / 2); // the circle stands above the line
        QVERIFY(pixels(image, inked, count).top() > image.height() / 2);
    }
};

QTEST_MAIN(KxDrawingViewTest)
#include "KxDrawingViewTest.moc"
