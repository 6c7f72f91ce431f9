#include "gui/KxDrawingView.h"

#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxDbCurves.h"
#include "host/KxDbDatabase.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRectF>

#include <algorithm>
#include <vector>

namespace {

// Often enough that an edit shows at once, rarely enough to cost nothing.
constexpr int kPollMilliseconds = 50;
constexpr double kMarginPixels = 24;
constexpr double kLineWidth = 1.5;
constexpr double kHighlightWidth = 3.5;

// What is drawn of one entity, in drawing units.
struct Shape {
    QPainterPath path;
    bool highlighted = false;
};

// Reads every polyline and circle of the database; other entities are not drawn.
std::vector<Shape> shapesOf(const KxDbDatabase& database) {
    std::vector<Shape> shapes;
    for (const KxDbObjectId& id : database.objectIds()) {
        KxDbObject* object = nullptr;
        if (kxdbOpenObject(object, id, KxDb::kForRead) != Lumo::eOk) {
            continue; // open for writing elsewhere: drawn at the next revision
        }
        Shape shape;
        if (const auto* polyline = dynamic_cast<const KxDbPolyline*>(object)) {
            const std::vector<KxGePoint2d>& points = polyline->points();
            for (std::size_t i = 0; i < points.size(); ++i) {
                const QPointF point(points[i].x, points[i].y);
                i == 0 ? shape.path.moveTo(point) : shape.path.lineTo(point);
            }
            if (polyline->isClosed() && points.size() > 2) {
                shape.path.closeSubpath();
            }
        } else if (const auto* circle = dynamic_cast<const KxDbCircle*>(object)) {
            const KxGePoint2d center = circle->center();
            shape.path.addEllipse(QPointF(center.x, center.y), circle->radius(), circle->radius());
        }
        if (const auto* entity = dynamic_cast<const KxDbEntity*>(object)) {
            shape.highlighted = !entity->highlights().empty();
        }
        object->close();
        if (!shape.path.isEmpty()) {
            shapes.push_back(std::move(shape));
        }
    }
    return shapes;
}

} // namespace

KxDrawingView::KxDrawingView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(200, 150);
    setAutoFillBackground(false);
    connect(&mPoll, &QTimer::timeout, this, &KxDrawingView::poll);
    mPoll.start(kPollMilliseconds);
}

void KxDrawingView::setDatabase(KxDbDatabase* database) {
    mpChosen = database;
    update();
}

KxDbDatabase* KxDrawingView::database() const {
    if (mpChosen) {
        return mpChosen;
    }
    const KxApDocument* document = kxDocManagerPtr()->curDocument();
    return document ? document->database() : nullptr;
}

void KxDrawingView::poll() {
    const KxDbDatabase* shown = database();
    if (shown != mpPainted || (shown && shown->revision() != mPaintedRevision)) {
        update();
    }
}

void KxDrawingView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColour());
    const KxDbDatabase* shown = database();
    mpPainted = shown;
    if (!shown) {
        return;
    }
    mPaintedRevision = shown->revision();
    const std::vector<Shape> shapes = shapesOf(*shown);
    if (shapes.empty()) {
        return;
    }
    // By hand: QRectF's union drops a rectangle of no height, which a horizontal line has.
    QRectF bounds = shapes.front().path.boundingRect();
    for (const Shape& shape : shapes) {
        const QRectF box = shape.path.boundingRect();
        bounds.setCoords(std::min(bounds.left(), box.left()), std::min(bounds.top(), box.top()),
                         std::max(bounds.right(), box.right()),
                         std::max(bounds.bottom(), box.bottom()));
    }
    // A drawing of no width or no height (one line) still fits by its other side.
    const double width = std::max(bounds.width(), 1e-9);
    const double height = std::max(bounds.height(), 1e-9);
    const double scale = std::min((this->width() - 2 * kMarginPixels) / width,
                                  (this->height() - 2 * kMarginPixels) / height);
    if (!(scale > 0)) {
        return; // too small a view to draw into
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(this->width() / 2.0, this->height() / 2.0);
    painter.scale(scale, -scale); // the drawing's y axis points up
    painter.translate(-bounds.center());
    // Pens of a width in pixels, whatever the scale; highlighted shapes go on top.
    for (const bool highlighted : {false, true}) {
        QPen pen(highlighted ? highlightColour() : lineColour(),
                 highlighted ? kHighlightWidth : kLineWidth);
        pen.setCosmetic(true);
        painter.setPen(pen);
        for (const Shape& shape : shapes) {
            if (shape.highlighted == highlighted) {
                painter.drawPath(shape.path);
            }
        }
    }
}
