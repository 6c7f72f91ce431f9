#include "host/KxDbCurves.h"

#include "host/KxDbDatabase.h"
#include "host/KxDbFiler.h"

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
    KxDbDatabase::touch(database(), objectId().handle());
    return Lumo::eOk;
}

const wchar_t* KxDbPolyline::className() const {
    return L"KxDbPolyline";
}

int KxDbPolyline::classVersion() const {
    return 1;
}

Lumo::ErrorStatus KxDbPolyline::writeFields(KxDbFiler& filer) const {
    KxDbEntity::writeFields(filer);
    filer.writeBool(mbClosed);
    filer.writeInt32(static_cast<std::int32_t>(mPoints.size()));
    for (const KxGePoint2d& point : mPoints) {
        filer.writeDouble(point.x);
        filer.writeDouble(point.y);
    }
    return filer.status();
}

Lumo::ErrorStatus KxDbPolyline::readFields(KxDbFiler& filer, int version) {
    KxDbEntity::readFields(filer, version);
    bool closed = false;
    std::int32_t count = 0;
    filer.readBool(closed);
    if (filer.readInt32(count) == Lumo::eOk && count < 0) {
        return Lumo::eInvalidInput;
    }
    std::vector<KxGePoint2d> points;
    for (std::int32_t i = 0; i < count && filer.status() == Lumo::eOk; ++i) {
        KxGePoint2d point;
        filer.readDouble(point.x);
        filer.readDouble(point.y);
        points.push_back(point);
    }
    if (filer.status() != Lumo::eOk) {
        return filer.status();
    }
    if (!std::all_of(points.begin(), points.end(), isFinite)) {
        return Lumo::eInvalidInput;
    }
    mPoints = std::move(points);
    mbClosed = closed;
    return Lumo::eOk;
}

KxDbCircle::~KxDbCircle() = default;

const wchar_t* KxDbCircle::className() const {
    return L"KxDbCircle";
}

int KxDbCircle::classVersion() const {
    return 1;
}

Lumo::ErrorStatus KxDbCircle::writeFields(KxDbFiler& filer) const {
    KxDbEntity::writeFields(filer);
    filer.writeDouble(mCenter.x);
    filer.writeDouble(mCenter.y);
    filer.writeDouble(mRadius);
    return filer.status();
}

Lumo::ErrorStatus KxDbCircle::readFields(KxDbFiler& filer, int version) {
    KxDbEntity::readFields(filer, version);
    KxGePoint2d center;
    double radius = 0.0;
    filer.readDouble(center.x);
    filer.readDouble(center.y);
    filer.readDouble(radius);
    if (filer.status() != Lumo::eOk) {
        return filer.status();
    }
    if (!isFinite(center) || !std::isfinite(radius) || radius < 0.0) {
        return Lumo::eInvalidInput;
    }
    mCenter = center;
    mRadius = radius;
    return Lumo::eOk;
}

Lumo::ErrorStatus KxDbCircle::set(KxGePoint2d center, double radius) {
    if (!isWriteEnabled()) {
        return Lumo::eNotOpen;
    }
    if (!isFinite(center) || !std::isfinite(radius) || radius < 0.0) {
        return Lumo::eInvalidInput;
    }
    mCenter = center;
    mRadius = radius;
    KxDbDatabase::touch(database(), objectId().handle());
    return Lumo::eOk;
}
