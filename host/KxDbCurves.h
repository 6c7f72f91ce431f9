#pragma once

/// @file
/// Entities drawn as geometry: polylines and circles in the plane of the drawing.

#include "host/KxDbEntity.h"
#include "host/KxHostExport.h"
#include "host/LumoErrorStatus.h"

#include <vector>

/// A point in the plane of the drawing.
struct KxGePoint2d {
    double x = 0.0; ///< the horizontal coordinate
    double y = 0.0; ///< the vertical coordinate
    /// True when both coordinates are equal.
    bool operator==(const KxGePoint2d&) const = default;
};

/// An entity drawn as straight segments through its points, closed back to the first one or open.
class KX_HOST_EXPORT KxDbPolyline : public KxDbEntity {
public:
    /// Defined in the host, which owns the class's vtable, as it does the entity's.
    ~KxDbPolyline() override;

    /// "KxDbPolyline", version 1: whether closed, the number of points, then each point's x and y.
    ///@{
    const wchar_t* className() const override;
    int classVersion() const override;
    Lumo::ErrorStatus writeFields(KxDbFiler& filer) const override;
    ///@}
    /// Refuses a negative count or a coordinate that is not finite with eInvalidInput; the points
    /// change only when all were read.
    Lumo::ErrorStatus readFields(KxDbFiler& filer, int version) override;

    /// Replaces the points. eNotOpen unless open for write (open for read only is refused too),
    /// eInvalidInput for a coordinate that is not finite; nothing changes then.
    Lumo::ErrorStatus setPoints(std::vector<KxGePoint2d> points, bool closed);
    /// The points, in drawing order; none for a polyline that draws nothing.
    const std::vector<KxGePoint2d>& points() const { return mPoints; }
    /// True when the last point joins the first.
    bool isClosed() const { return mbClosed; }

private:
    std::vector<KxGePoint2d> mPoints;
    bool mbClosed = false;
};

/// An entity drawn as a circle.
class KX_HOST_EXPORT KxDbCircle : public KxDbEntity {
public:
    /// Defined in the host, which owns the class's vtable, as it does the entity's.
    ~KxDbCircle() override;

    /// "KxDbCircle", version 1: the centre's x and y, then the radius.
    ///@{
    const wchar_t* className() const override;
    int classVersion() const override;
    Lumo::ErrorStatus writeFields(KxDbFiler& filer) const override;
    ///@}
    /// Refuses what set refuses, with eInvalidInput; nothing changes unless all was read.
    Lumo::ErrorStatus readFields(KxDbFiler& filer, int version) override;

    /// Replaces centre and radius. eNotOpen unless open for write; eInvalidInput for a negative or
    /// non-finite radius or a non-finite centre; nothing changes then.
    Lumo::ErrorStatus set(KxGePoint2d center, double radius);
    /// The centre, (0,0) until set.
    KxGePoint2d center() const { return mCenter; }
    /// The radius, 0 until set.
    double radius() const { return mRadius; }

private:
    KxGePoint2d mCenter;
    double mRadius = 0.0;
};
