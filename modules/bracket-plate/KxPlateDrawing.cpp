#include "KxPlateDrawing.h"

#include "KxPlateEntities.h"
#include "KxPlateParameter.h"

#include "KxPlateRecord.h"

#include "host/KxDbCurves.h"
#include "host/KxDbDatabase.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

using Points = std::vector<KxGePoint2d>;
using Role = KxPlateDrawing::Role;

// Gives the entity, as the kind it must be, to `change` when `differs` finds it other than it
// should be. The entity is opened for write only then: a write, even of the same shape, is a change
// of the drawing that undo records, or that marks the drawing changed outside a command. Nothing
// happens when it cannot be opened (it is gone, or somebody holds it open) or is of another kind.
template <class Entity, class Differs, class Change>
void change(const KxDbObjectId& id, Differs differs, Change apply) {
    KxDbEntity* entity = nullptr;
    if (kxdbOpenObject(entity, id, KxDb::kForRead) != Lumo::eOk) {
        return;
    }
    auto* shaped = dynamic_cast<Entity*>(entity);
    const bool stale = shaped && differs(*shaped);
    entity->close();
    if (stale && kxdbOpenObject(entity, id, KxDb::kForWrite) == Lumo::eOk) {
        apply(*shaped);
        entity->close();
    }
}

// Points too large to be finite draw nothing rather than a stale shape.
void setPolyline(const KxDbObjectId& id, Points points, bool closed) {
    change<KxDbPolyline>(
        id,
        [&](const KxDbPolyline& polyline) {
            return polyline.points() != points || polyline.isClosed() != closed;
        },
        [&](KxDbPolyline& polyline) {
            if (polyline.setPoints(std::move(points), closed) != Lumo::eOk) {
                polyline.setPoints({}, closed);
            }
        });
}

void setCircle(const KxDbObjectId& id, KxGePoint2d center, double radius) {
    change<KxDbCircle>(
        id,
        [&](const KxDbCircle& circle) {
            return circle.center() != center || circle.radius() != radius;
        },
        [&](KxDbCircle& circle) { circle.set(center, radius); });
}

} // namespace

KxPlateDrawing::~KxPlateDrawing() {
    for (const KxDbObjectId& hole : mHoles) {
        KxPlateEntities::remove(hole);
    }
}

void KxPlateDrawing::adopt(const KxDbObjectId& recordId, const KxDbObjectId& outlineId,
                           std::vector<KxDbObjectId> holes) {
    mRecordId = recordId;
    mOutlineId = outlineId;
    mHoles = std::move(holes);
}

void KxPlateDrawing::reset() {
    for (Slot& slot : mSlots) {
        if (slot.parameter) {
            forget(*slot.parameter);
        }
        slot = Slot{};
    }
}

int KxPlateDrawing::roleOf(const KxPlateParameter& parameter) const {
    for (std::size_t role = 0; parameter.mbDrawn && role < kRoleCount; ++role) {
        if (mSlots[role].parameter == &parameter) {
            return static_cast<int>(role);
        }
    }
    return -1;
}

KxPlateDrawing::Batch::~Batch() {
    if (--mDrawing.mBatches == 0 && mDrawing.mbStale) {
        mDrawing.draw();
    }
}

void KxPlateDrawing::assign(Role role, KxPlateParameter& parameter) {
    forget(parameter);
    Slot& slot = mSlots[static_cast<std::size_t>(role)];
    if (slot.parameter) {
        forget(*slot.parameter);
    }
    parameter.mbDrawn = true;
    slot.parameter = &parameter;
    parameter.getEntityId(slot.entityId);
    slot.value = parameter.number();
}

void KxPlateDrawing::forget(KxPlateParameter& parameter) {
    if (!parameter.mbDrawn) {
        return;
    }
    parameter.mbDrawn = false;
    for (Slot& slot : mSlots) {
        if (slot.parameter == &parameter) {
            slot.parameter = nullptr;
            slot.entityId.setNull();
        }
    }
}

void KxPlateDrawing::refresh() {
    if (mBatches > 0) {
        mbStale = true;
    } else {
        draw();
    }
}

void KxPlateDrawing::draw() {
    mbStale = false;
    for (Slot& slot : mSlots) {
        if (slot.parameter) {
            slot.value = slot.parameter->number();
        }
    }
    if (!mOutlineId.database()) {
        return;
    }
    const double width = value(Role::kWidth), height = value(Role::kHeight);
    // The upper corners are chamfered a tenth of the width across and as high as the angle makes
    // it, no higher than the plate, so that the outline stays a simple polygon.
    const double across = width / 10;
    const double angle = std::clamp(value(Role::kFilletAngle), 0.0, 90.0);
    const double rise =
        std::clamp(across * std::tan(angle * std::numbers::pi / 180), 0.0, std::max(height, 0.0));
    Points outline;
    if (width > 0 && height > 0) {
        outline = {
            {0, 0},           {width, 0},        {width, height - rise}, {width - across, height},
            {across, height}, {0, height - rise}};
        // A chamfer as high as the plate leaves corners that coincide.
        outline.erase(std::unique(outline.begin(), outline.end()), outline.end());
        if (outline.front() == outline.back()) {
            outline.pop_back();
        }
    }
    setPolyline(mOutlineId, std::move(outline), true);

    // The holes: on a line above the bottom edge, the first one diameter in from the left edge.
    const double diameter = value(Role::kHoleDiameter), spacing = value(Role::kSpacing);
    const double level = 1.5 * diameter, holes = value(Role::kHoleCount);
    std::size_t count =
        holes >= 1 ? static_cast<std::size_t>(std::round(std::min<double>(holes, kMaxHoles))) : 0;
    if (count > 0 && !std::isfinite(level + diameter + static_cast<double>(count - 1) * spacing)) {
        count = 0;
    }
    Points centres;
    for (std::size_t i = 0; i < count; ++i) {
        centres.push_back({diameter + static_cast<double>(i) * spacing, level});
    }
    keepHoles(count);
    for (std::size_t i = 0; i < mHoles.size(); ++i) {
        setCircle(mHoles[i], centres[i], std::max(diameter, 0.0) / 2);
    }

    // Each dimension as a line beside the plate or across what it measures; the thickness, which
    // the plan cannot show, as a line of its length out from the left edge.
    const double gap = std::max(std::abs(width), std::abs(height)) / 10;
    const double thickness = value(Role::kThickness);
    const auto lines = std::to_array<std::pair<Role, Points>>({
        {Role::kWidth, {{0, -gap}, {width, -gap}}},
        {Role::kHeight, {{width + gap, 0}, {width + gap, height}}},
        {Role::kThickness, {{-thickness, height / 2}, {0, height / 2}}},
        {Role::kHoleCount, std::move(centres)},
        {Role::kHoleDiameter, {{diameter / 2, level}, {1.5 * diameter, level}}},
        {Role::kFilletAngle, {{0, height - rise}, {across, height}}},
        {Role::kSpacing, {{diameter, level}, {diameter + spacing, level}}},
    });
    for (const auto& [role, points] : lines) {
        const Slot& slot = mSlots[static_cast<std::size_t>(role)];
        if (slot.parameter) {
            setPolyline(slot.entityId, points, false);
        }
    }
}

void KxPlateDrawing::keepHoles(std::size_t count) {
    const std::size_t before = mHoles.size();
    KxDbDatabase* database = mOutlineId.database();
    // Erased rather than deleted, so that undo brings them back.
    while (mHoles.size() > count && database) {
        database->erase(mHoles.back());
        mHoles.pop_back();
    }
    while (mHoles.size() < count) {
        const KxDbObjectId id = KxPlateEntities::addCircle(database);
        if (id.isNull()) {
            break;
        }
        mHoles.push_back(id);
    }
    if (mHoles.size() == before) {
        return;
    }
    if (auto* record = openPlateRecord<KxPlateRecord>(mRecordId)) {
        record->holes = mHoles;
        record->close();
    }
}
