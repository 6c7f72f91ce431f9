#pragma once

#include "gui/KxEntityParameters.h"

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QTransform>
#include <QWidget>

#include <cstdint>
#include <map>
#include <vector>

class KxDbDatabase;
class KxDbObjectId;
class KxParameter;
// The signal carries the parameter as the library hands it out, never by value.
Q_DECLARE_OPAQUE_POINTER(KxParameter*)

/// The drawing of a database: its polylines and circles, fitted into the view with a margin, the
/// y axis up, or as the person zooms (the wheel, about the cursor) and pans (the middle button).
/// The entity of a parameter of the active collection carries the parameter's name and value in
/// the current units along its line, at one size on the screen whatever the zoom. Entities that
/// stand highlighted are drawn thicker in the highlight colour, their texts too. The view repaints
/// when the database's revision, or a text it shows, changes.
class KxDrawingView final : public QWidget {
    Q_OBJECT

public:
    /// Shows the current document's drawing.
    explicit KxDrawingView(QWidget* parent = nullptr);

    /// Shows that database instead of the current document's; null goes back to the current
    /// document's. The caller keeps the database alive while the view shows it.
    void setDatabase(KxDbDatabase* database);

    /// The texts of the dimensions as last painted, in the drawing's order.
    QStringList dimensionTexts() const;
    /// Where the dimension's text was last painted, in the view's pixels; empty for none.
    QPolygonF dimensionTextArea(const KxParameter* parameter) const;
    /// The parameter whose line (within a few pixels) or text lies at that point of the view, as
    /// last painted; null for none.
    KxParameter* dimensionAt(const QPointF& point) const;

    /// The colours it draws with.
    ///@{
    static QColor backgroundColour() { return {0xfa, 0xfa, 0xf7}; }
    static QColor lineColour() { return {0x20, 0x28, 0x30}; }
    static QColor highlightColour() { return {0xff, 0x6a, 0x00}; }
    static QColor dimensionColour() { return {0x1f, 0x5f, 0xa8}; }
    ///@}

public slots:
    /// Fits the whole drawing into the view again, and keeps it fitted as it changes.
    void zoomToFit();

signals:
    /// The person clicked the dimension of that parameter.
    void dimensionClicked(KxParameter* parameter);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // What is drawn of one entity, in drawing units.
    struct Shape {
        QPainterPath path;
        QPolygonF points; // along which a text goes
        std::uint64_t handle = 0;
        bool highlighted = false;
    };
    // A dimension as painted, in the view's pixels.
    struct Dimension {
        KxParameter* parameter = nullptr;
        std::uint64_t handle = 0;
        QString text;
        QPolygonF line;
        QPolygonF textArea;
        bool highlighted = false;
    };

    KxDbDatabase* database() const;
    // Reads the shapes again when the database, or its revision, is not the one read: those
    // that changed since, or all of them when the database cannot say which.
    void readShapes(const KxDbDatabase* shown);
    // Takes the object's shape in, or out when it is gone or has none.
    void readShape(const KxDbObjectId& id);
    // From drawing units to the view's pixels: fitted, or as zoomed and panned.
    QTransform transform() const;
    // Keeps the view where it stands from now on, rather than fitted.
    void holdView();
    static QString textOf(KxParameter& parameter);
    // Whether the dimension's parameter still stands for its entity: a deleted one does not.
    bool isLive(const Dimension& dimension) const;
    void paintDimensions(QPainter& painter, const QTransform& toView);
    // Where a text of that size goes about its line, in the coordinates of `place`, which is
    // moved so that the text stays in the view.
    QRectF placeText(QTransform& place, double width, double height,
                     const std::vector<QRectF>& placed) const;
    // Repaints when the database shown, its revision, or a text shown, is no longer as painted.
    void poll();

    KxDbDatabase* mpChosen = nullptr;
    QTimer mPoll;
    const KxDbDatabase* mpRead = nullptr;
    std::uint64_t mReadRevision = 0;
    // By handle, which is the order the objects were added in: the drawing's order.
    std::map<std::uint64_t, Shape> mShapes;
    // Objects open for write elsewhere when last read.
    std::vector<std::uint64_t> mUnread;
    QRectF mBounds;
    KxEntityParameters mParameters;
    std::vector<Dimension> mDimensions;
    // Until the person zooms or pans, the view follows the drawing's bounds.
    bool mbFitted = true;
    double mScale = 1;
    QPointF mCentre;
    bool mbPanning = false;
    QPointF mPanFrom;
};
