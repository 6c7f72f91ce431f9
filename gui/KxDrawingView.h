#pragma once

#include <QColor>
#include <QTimer>
#include <QWidget>

#include <cstdint>

class KxDbDatabase;

/// The drawing of a database: its polylines and circles, fitted into the view with a margin, the
/// y axis up. Entities that stand highlighted are drawn thicker in the highlight colour. The view
/// repaints when the database's revision changes and when it is resized.
class KxDrawingView final : public QWidget {
    Q_OBJECT

public:
    /// Shows the current document's drawing.
    explicit KxDrawingView(QWidget* parent = nullptr);

    /// Shows that database instead of the current document's; null goes back to the current
    /// document's. The caller keeps the database alive while the view shows it.
    void setDatabase(KxDbDatabase* database);

    /// The colours it draws with.
    ///@{
    static QColor backgroundColour() { return {0xfa, 0xfa, 0xf7}; }
    static QColor lineColour() { return {0x20, 0x28, 0x30}; }
    static QColor highlightColour() { return {0xff, 0x6a, 0x00}; }
    ///@}

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    KxDbDatabase* database() const;
    // Repaints when the database shown, or its revision, is no longer the one painted.
    void poll();

    KxDbDatabase* mpChosen = nullptr;
    QTimer mPoll;
    const KxDbDatabase* mpPainted = nullptr;
    std::uint64_t mPaintedRevision = 0;
};
