#include "gui/KxDrawingView.h"

#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxDbCurves.h"
#include "host/KxDbDatabase.h"
#include "kit/KxDisplayValue.h"
#include "model/KxParameter.h"
#include "modules/desktop-palette/KxQtText.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Often enough that an edit shows at once, rarely enough to cost nothing.
constexpr int kPollMilliseconds = 50;
constexpr double kMarginPixels = 24;
constexpr double kLineWidth = 1.5;
constexpr double kHighlightWidth = 3.5;
// A text stands this far off its line, and a click this near a line hits it.
constexpr double kTextGapPixels = 3;
constexpr double kHitPixels = 5;
// One notch of the wheel; more than a few hundred times either way is of no use.
constexpr double kZoomStep = 1.25;

double distance(const QPointF& point, const QLineF& segment) {
    const QPointF along = segment.p2() - segment.p1();
    const double length2 = QPointF::dotProduct(along, along);
    const double t =
        length2 > 0
            ? std::clamp(QPointF::dotProduct(point - segment.p1(), along) / length2, 0.0, 1.0)
            : 0.0;
    return QLineF(point, segment.p1() + t * along).length();
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

QStringList KxDrawingView::dimensionTexts() const {
    QStringList texts;
    for (const Dimension& dimension : mDimensions) {
        texts.push_back(dimension.text);
    }
    return texts;
}

QPolygonF KxDrawingView::dimensionTextArea(const KxParameter* parameter) const {
    for (const Dimension& dimension : mDimensions) {
        if (dimension.parameter == parameter) {
            return dimension.textArea;
        }
    }
    return {};
}

KxParameter* KxDrawingView::dimensionAt(const QPointF& point) const {
    const auto hits = [&](const Dimension& dimension) {
        if (!isLive(dimension)) {
            return false;
        }
        if (dimension.textArea.containsPoint(point, Qt::OddEvenFill)) {
            return true;
        }
        for (qsizetype i = 1; i < dimension.line.size(); ++i) {
            if (distance(point, QLineF(dimension.line[i - 1], dimension.line[i])) <= kHitPixels) {
                return true;
            }
        }
        return false;
    };
    // What is painted last lies on top: the highlighted, then the others, each in reverse.
    for (const bool highlighted : {true, false}) {
        for (auto it = mDimensions.rbegin(); it != mDimensions.rend(); ++it) {
            if (it->highlighted == highlighted && hits(*it)) {
                return it->parameter;
            }
        }
    }
    return nullptr;
}

bool KxDrawingView::isLive(const Dimension& dimension) const {
    return mParameters.find(dimension.handle) == dimension.parameter;
}

void KxDrawingView::zoomToFit() {
    mbFitted = true;
    update();
}

void KxDrawingView::readShapes(const KxDbDatabase* shown) {
    if (shown == mpRead && shown && shown->revision() == mReadRevision && mUnread.empty()) {
        return;
    }
    std::vector<KxDbObjectId> changed;
    // Only what changed since the last read, so that an edit costs what it shows.
    const bool some = shown && shown == mpRead && shown->changedSince(mReadRevision, changed);
    if (shown != mpRead) {
        mParameters.invalidate(); // other entities
    }
    mpRead = shown;
    if (!some) {
        mShapes.clear();
        mUnread.clear();
        if (!shown) {
            return;
        }
        changed = shown->objectIds();
    }
    mReadRevision = shown->revision();
    for (const std::uint64_t handle : std::exchange(mUnread, {})) {
        changed.emplace_back(handle);
    }
    for (const KxDbObjectId& id : changed) {
        readShape(id);
    }
    if (mShapes.empty()) {
        return;
    }
    // By hand: QRectF's union drops a rectangle of no height, which a horizontal line has.
    mBounds = mShapes.begin()->second.path.boundingRect();
    for (const auto& [handle, shape] : mShapes) {
        const QRectF box = shape.path.boundingRect();
        mBounds.setCoords(std::min(mBounds.left(), box.left()), std::min(mBounds.top(), box.top()),
                          std::max(mBounds.right(), box.right()),
                          std::max(mBounds.bottom(), box.bottom()));
    }
}

void KxDrawingView::readShape(const KxDbObjectId& id) {
    KxDbObject* object = nullptr;
    const Lumo::ErrorStatus status = kxdbOpenObject(object, id, KxDb::kForRead);
    if (status == Lumo::eWasOpenForWrite) {
        mUnread.push_back(id.handle()); // drawn as it was until it is closed
        return;
    }
    if (status != Lumo::eOk) {
        mShapes.erase(id.handle()); // erased or deleted
        return;
    }
    Shape shape;
    shape.handle = id.handle();
    if (const auto* polyline = dynamic_cast<const KxDbPolyline*>(object)) {
        for (const KxGePoint2d& point : polyline->points()) {
            shape.points.push_back(QPointF(point.x, point.y));
        }
        shape.path.addPolygon(shape.points);
        if (polyline->isClosed() && shape.points.size() > 2) {
            shape.path.closeSubpath();
        }
    } else if (const auto* circle = dynamic_cast<const KxDbCircle*>(object)) {
        const KxGePoint2d center = circle->center();
        shape.path.addEllipse(QPointF(center.x, center.y), circle->radius(), circle->radius());
        shape.points = shape.path.toFillPolygon();
    }
    if (const auto* entity = dynamic_cast<const KxDbEntity*>(object)) {
        shape.highlighted = !entity->highlights().empty();
    }
    object->close();
    if (shape.path.isEmpty()) {
        mShapes.erase(id.handle());
    } else {
        mShapes.insert_or_assign(id.handle(), std::move(shape));
    }
}

QTransform KxDrawingView::transform() const {
    double scale = mScale;
    QPointF centre = mCentre;
    if (mbFitted) {
        // A drawing of no width or no height (one line) still fits by its other side.
        scale = std::min((width() - 2 * kMarginPixels) / std::max(mBounds.width(), 1e-9),
                         (height() - 2 * kMarginPixels) / std::max(mBounds.height(), 1e-9));
        centre = mBounds.center();
    }
    QTransform toView;
    toView.translate(width() / 2.0, height() / 2.0);
    toView.scale(scale, -scale); // the drawing's y axis points up
    toView.translate(-centre.x(), -centre.y());
    return toView;
}

QString KxDrawingView::textOf(KxParameter& parameter) {
    return toQString(parameter.getName()) + QStringLiteral(" = ") +
           toQString(kxDisplayValue(parameter));
}

void KxDrawingView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColour());
    readShapes(database());
    mParameters.refresh();
    mDimensions.clear();
    const QTransform toView = transform();
    if (mShapes.empty() || !(toView.m11() > 0)) {
        return; // nothing to draw, or too small a view to draw into
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(toView);
    // Pens of a width in pixels, whatever the scale; highlighted shapes go on top.
    for (const bool highlighted : {false, true}) {
        QPen pen(highlighted ? highlightColour() : lineColour(),
                 highlighted ? kHighlightWidth : kLineWidth);
        pen.setCosmetic(true);
        painter.setPen(pen);
        for (const auto& [handle, shape] : mShapes) {
            if (shape.highlighted == highlighted) {
                painter.drawPath(shape.path);
            }
        }
    }
    painter.resetTransform();
    paintDimensions(painter, toView);
}

void KxDrawingView::paintDimensions(QPainter& painter, const QTransform& toView) {
    const QFontMetricsF metrics(font());
    std::vector<QRectF> placed;
    std::vector<std::pair<QTransform, QRectF>> places;
    // Placed in the drawing's order, so that a text stays where it is when highlighted.
    for (const auto& [handle, shape] : mShapes) {
        KxParameter* parameter = shape.points.size() > 1 ? mParameters.find(shape.handle) : nullptr;
        if (!parameter) {
            continue;
        }
        Dimension dimension{
            parameter, shape.handle,     textOf(*parameter), toView.map(shape.points),
            {},        shape.highlighted};
        // Along the longest segment on the screen, turned so as never to read upside down.
        QLineF along;
        for (qsizetype i = 1; i < dimension.line.size(); ++i) {
            const QLineF segment(dimension.line[i - 1], dimension.line[i]);
            if (segment.length() > along.length()) {
                along = segment;
            }
        }
        double angle = -along.angle(); // Qt's angles go anticlockwise, the screen's y down
        if (angle < -90 || angle > 90) {
            angle += angle < 0 ? 180 : -180;
        }
        QTransform place;
        place.translate(along.center().x(), along.center().y());
        place.rotate(angle);
        const QRectF box =
            placeText(place, metrics.horizontalAdvance(dimension.text), metrics.height(), placed);
        dimension.textArea = place.map(QPolygonF(box));
        placed.push_back(dimension.textArea.boundingRect());
        places.emplace_back(place, box);
        mDimensions.push_back(std::move(dimension));
    }
    // Highlighted texts go on top, as their lines do.
    for (const bool highlighted : {false, true}) {
        for (std::size_t i = 0; i < mDimensions.size(); ++i) {
            if (mDimensions[i].highlighted != highlighted) {
                continue;
            }
            const auto& [place, box] = places[i];
            painter.setTransform(place);
            painter.fillRect(box, backgroundColour());
            painter.setPen(highlighted ? highlightColour() : dimensionColour());
            painter.drawText(box, Qt::AlignCenter, mDimensions[i].text);
        }
    }
    painter.resetTransform();
}

QRectF KxDrawingView::placeText(QTransform& place, double width, double height,
                                const std::vector<QRectF>& placed) const {
    // Above the line, below it, then further off each way: the first place whose text overlaps
    // none placed before, moved into the view.
    const QRectF viewArea(rect());
    QTransform first;
    QRectF firstBox;
    for (const double row : {-1.0, 0.0, -2.0, 1.0, -3.0, 2.0}) {
        const QRectF box(-width / 2,
                         row * (height + kTextGapPixels) + (row < 0 ? 0 : kTextGapPixels), width,
                         height);
        const QRectF area = place.mapRect(box);
        const QTransform moved =
            place * QTransform::fromTranslate(std::max(0.0, viewArea.left() - area.left()) -
                                                  std::max(0.0, area.right() - viewArea.right()),
                                              std::max(0.0, viewArea.top() - area.top()) -
                                                  std::max(0.0, area.bottom() - viewArea.bottom()));
        const QRectF shown = moved.mapRect(box);
        if (std::none_of(placed.begin(), placed.end(),
                         [&](const QRectF& other) { return other.intersects(shown); })) {
            place = moved;
            return box;
        }
        if (firstBox.isNull()) {
            first = moved;
            firstBox = box;
        }
    }
    place = first;
    return firstBox;
}

void KxDrawingView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0 || mShapes.empty()) {
        return;
    }
    holdView();
    const QPointF under = transform().inverted().map(event->position());
    const double factor = std::pow(kZoomStep, notches);
    mScale *= factor;
    // The point under the cursor stays there.
    mCentre = under - (under - mCentre) / factor;
    event->accept();
    update();
}

void KxDrawingView::holdView() {
    if (mbFitted) {
        mScale = transform().m11();
        mCentre = mBounds.center();
        mbFitted = false;
    }
}

void KxDrawingView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        holdView();
        mbPanning = true;
        mPanFrom = event->position();
        setCursor(Qt::ClosedHandCursor);
    } else if (event->button() == Qt::LeftButton) {
        if (KxParameter* parameter = dimensionAt(event->position())) {
            emit dimensionClicked(parameter);
        }
    }
    event->accept();
}

void KxDrawingView::mouseMoveEvent(QMouseEvent* event) {
    if (mbPanning) {
        const QPointF moved = event->position() - mPanFrom;
        mPanFrom = event->position();
        mCentre -= QPointF(moved.x() / mScale, -moved.y() / mScale);
        update();
    }
    event->accept();
}

void KxDrawingView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && mbPanning) {
        mbPanning = false;
        unsetCursor();
    }
    event->accept();
}

void KxDrawingView::poll() {
    const KxDbDatabase* shown = database();
    bool stale =
        shown != mpRead || (shown && shown->revision() != mReadRevision) || !mUnread.empty();
    // A parameter gone, or a value or the units changed without touching the drawing.
    stale = stale || mParameters.refresh();
    for (std::size_t i = 0; !stale && i < mDimensions.size(); ++i) {
        stale = !isLive(mDimensions[i]) || textOf(*mDimensions[i].parameter) != mDimensions[i].text;
    }
    if (stale) {
        update();
    }
}
