#include "host/KxDbCurves.h"

#include "host/KxDbDatabase.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

bool isFinite(const KxGePoint2d& point) {
    return std::isfinite(point.x) && std::isfinite(point.y);
}

} // namespace

KxDbPolyline::~KxDbPolyline() = default;

Lumo::ErrorStatus KxDbPolyline::setPoints(std::vector<KxGePoint2d> points, bool closed) {
    if (!isWriteEnabled()) {
        return Lumo::eNotOpen;
    }
    if (!std::all_of(points.begin(), points.end(), isFinite)) {
        return Lumo::eInvalidInput;
    }
    mPoints = std::move(points);
    mbClosed = closed;
    KxDbDatabase::touch(database());
    return Lumo::eOk;
}

KxDbCircle::~KxDbCircle() = default;

Lumo::ErrorStatus KxDbCircle::set(KxGePoint2d center, double radius) {
    if (!isWriteEnabled()) {
        return Lumo::eNotOpen;
    }
    if (!isFinite(center) || !std::isfinite(radius) || radius < 0.0) {
        return Lumo::eInvalidInput;
    }
    mCenter = center;
    mRadius = radius;
    KxDbDatabase::touch(database());
    return Lumo::eOk;
}
