#pragma once

#include "KxPlateParameter.h"

#include "host/KxDbObjectId.h"

#include <array>
#include <cstddef>
#include <vector>

// The plate as its drawing shows it: the outline (a closed polyline), the holes (circles, which it
// owns) and, for each parameter that the plate was built with, a polyline showing what that
// parameter measures. It reads only the parameters that have a role, so that drawing costs in
// proportion to the holes, whatever the number of parameters.
class KxPlateDrawing {
public:
    // What a parameter measures.
    enum class Role {
        kWidth,
        kHeight,
        kThickness,
        kHoleCount,
        kHoleDiameter,
        kFilletAngle,
        kSpacing,
    };
    static constexpr std::size_t kRoleCount = 7;
    // More holes than this are not drawn, so that a silly count cannot flood the drawing.
    static constexpr int kMaxHoles = 500;

    // Draws nothing until it adopts an outline.
    KxPlateDrawing() = default;
    KxPlateDrawing(const KxPlateDrawing&) = delete;
    KxPlateDrawing& operator=(const KxPlateDrawing&) = delete;
    // Deletes the holes; the outline is its owner's.
    ~KxPlateDrawing();

    // Draws the outline into that entity and the holes into these circles, from now on, and keeps
    // the list of holes in the plate's record (a KxPlateRecord). A drawing takes them when it is
    // made, and again after undo, redo or opening a drawing put other ones in their place.
    void adopt(const KxDbObjectId& recordId, const KxDbObjectId& outlineId,
               std::vector<KxDbObjectId> holes);

    // The parameter measures that from now on, under any name, until it is forgotten. One role
    // each: the parameter leaves the one it had, and the role's former parameter leaves it.
    void assign(Role role, KxPlateParameter& parameter);
    // Forgets every role and its last value: the drawing of a plate without parameters.
    void reset();
    // The parameter's role, or -1 for none.
    int roleOf(const KxPlateParameter& parameter) const;
    // The parameter is being deleted: its role is gone. What depends on it keeps its last value,
    // so the outline and the other lines keep their shape rather than collapse.
    void forget(KxPlateParameter& parameter);
    // The parameter's value may have changed: draws again when it has a role. Called for every
    // value the plate sets, so it costs next to nothing for the others.
    void valueChanged(const KxPlateParameter& parameter) {
        if (parameter.isDrawn()) {
            refresh();
        }
    }
    // Draws everything from the roles' current values: at once or, while a batch stands, when the
    // batch ends.
    void refresh();

    // Gathers the refreshes asked for while it lives and draws once at its end, if one was.
    class Batch {
    public:
        explicit Batch(KxPlateDrawing& drawing) : mDrawing(drawing) { ++mDrawing.mBatches; }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        ~Batch();

    private:
        KxPlateDrawing& mDrawing;
    };

private:
    struct Slot {
        KxPlateParameter* parameter = nullptr;
        KxDbObjectId entityId;
        double value = 0.0;
    };

    double value(Role role) const { return mSlots[static_cast<std::size_t>(role)].value; }
    void draw();
    // Makes or erases circles until there are `count`, fewer when the database refuses more; the
    // plate's record follows.
    void keepHoles(std::size_t count);

    KxDbObjectId mRecordId;
    KxDbObjectId mOutlineId;
    std::array<Slot, kRoleCount> mSlots;
    std::vector<KxDbObjectId> mHoles;
    int mBatches = 0;
    bool mbStale = false;
};
