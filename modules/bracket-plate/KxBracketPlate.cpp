#include "KxBracketPlate.h"

#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"

namespace {

KxDbDatabase* drawingDatabase() {
    KxApDocManager* documents = kxDocManagerPtr();
    KxApDocument* document = documents->curDocument();
    if (!document) {
        document = documents->newDocument(L"Plate");
    }
    return document ? document->database() : nullptr;
}

// The parameters the plate is built with, each with what it measures in the drawing.
struct Dimension {
    KxPlateDrawing::Role role;
    const wchar_t* name;
    const wchar_t* expression;
    KxPlateParameter::Kind kind;
    const wchar_t* group;
    const wchar_t* description;
    double tolerance;
};

constexpr auto kDistance = KxPlateParameter::Kind::kDistance;
constexpr auto kAngle = KxPlateParameter::Kind::kAngle;
constexpr auto kNumber = KxPlateParameter::Kind::kNumber;

using Role = KxPlateDrawing::Role;

const Dimension kDimensions[] = {
    {Role::kWidth, L"width", L"120", kDistance, L"outline", L"Overall width of the plate", 0.5},
    {Role::kHeight, L"height", L"width / 2", kDistance, L"outline", L"Overall height of the plate",
     0.5},
    {Role::kThickness, L"thickness", L"6", kDistance, L"outline", L"Thickness of the sheet", 0.1},
    {Role::kHoleCount, L"hole_count", L"4", kNumber, L"holes", L"Holes along the bottom edge", 0.1},
    {Role::kHoleDiameter, L"hole_diameter", L"thickness * 1.5", kDistance, L"holes",
     L"Diameter of each hole", 0.2},
    {Role::kFilletAngle, L"fillet_angle", L"45", kAngle, L"outline", L"Angle of the corner chamfer",
     0.5},
    {Role::kSpacing, L"spacing", L"(width - 2 * hole_diameter) / (hole_count - 1)", kDistance,
     L"holes", L"Distance between hole centres", 0.2},
};

} // namespace

KxBracketPlate::KxBracketPlate()
    : mCollection(L"Bracket plate", drawingDatabase()), mGroups(&mCollection) {
    KxArray<KxString> groupNames;
    groupNames.append(L"outline");
    groupNames.append(L"holes");
    mGroups.setGroups(groupNames);
    for (const Dimension& dimension : kDimensions) {
        KxPlateParameter* parameter =
            mCollection.define(dimension.name, dimension.expression, dimension.kind,
                               dimension.description, dimension.tolerance);
        mCollection.assignRole(dimension.role, *parameter);
        short group = 0;
        if (mGroups.getGroupIndex(dimension.group, group) == Lumo::eOk) {
            KxParameter::GroupIndexList groups;
            groups.append(group);
            parameter->setGroups(groups);
        }
    }
    mCollection.evaluateAll();
}

KxBracketPlate::~KxBracketPlate() {
    disconnect();
}

void KxBracketPlate::connect() {
    if (!mRegistration) {
        mRegistration.emplace(mCollection, mImages, &mGroups, KxActivation::kMakeActive);
    }
}

void KxBracketPlate::disconnect() {
    // The guard withdraws from the live manager only: the library may have been unloaded first,
    // and its manager with it.
    mRegistration.reset();
}
