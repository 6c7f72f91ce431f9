#include "KxPlateParameter.h"

#include "KxPlateCollection.h"
#include "KxPlateDescriptionProperty.h"
#include "KxPlateToleranceProperty.h"
#include "KxPlateUsageCountProperty.h"

#include "host/KxEvalVariantText.h"

KxPlateParameter::KxPlateParameter(KxPlateCollection* plate, Kind kind, KxDbObjectId entityId)
    : KxParameter(plate), mpPlate(plate), mKind(kind), mEntityId(entityId) {
    addProperty(new KxPlateDescriptionProperty());
    addProperty(new KxPlateUsageCountProperty());
    addProperty(new KxPlateToleranceProperty(mTolerance));
}

Lumo::ErrorStatus KxPlateParameter::getEntityId(KxDbObjectId& id) {
    id = mEntityId;
    return Lumo::eOk;
}

// The "description" property holds the text: a plate may have 100,000 parameters, and a second
// copy would cost each of them.
Lumo::ErrorStatus KxPlateParameter::getDescription(KxString& description) const {
    const KxParameterProperty* property = getProperty(KxPlateDescriptionProperty::kName);
    description = property && property->value().getType() == kDwgText
                      ? property->value().getString()
                      : KxString();
    return Lumo::eOk;
}

Lumo::ErrorStatus KxPlateParameter::setDescription(const KxString& description) {
    if (KxParameterProperty* property = getProperty(KxPlateDescriptionProperty::kName)) {
        property->value() = description;
    }
    mpPlate->recordParameter(*this);
    return Lumo::eOk;
}

Lumo::ErrorStatus KxPlateParameter::getValue(KxDbEvalVariant& value) {
    value = mNumber;
    return Lumo::eOk;
}

Lumo::ErrorStatus KxPlateParameter::getTypeName(KxString& typeName) const {
    switch (mKind) {
    case Kind::kDistance:
        typeName = L"Distance";
        break;
    case Kind::kAngle:
        typeName = L"Angle";
        break;
    case Kind::kNumber:
        typeName = L"Number";
        break;
    }
    return Lumo::eOk;
}

Lumo::ErrorStatus KxPlateParameter::getValueText(KxString& text) {
    text = kxdbEvalVariantToString(KxDbEvalVariant(mNumber));
    return Lumo::eOk;
}

bool KxPlateParameter::hasAngularUnits() {
    return mKind == Kind::kAngle;
}

void KxPlateParameter::setTolerance(double tolerance) {
    mTolerance = tolerance;
    if (KxParameterProperty* property = getProperty(KxPlateToleranceProperty::kName)) {
        property->value() = tolerance;
    }
    mpPlate->recordParameter(*this);
}

void KxPlateParameter::storeName(const KxString& name) {
    KxParameter::setNameInternal(name);
}

void KxPlateParameter::storeExpression(const KxString& expression) {
    KxParameter::setExpressionInternal(expression);
}

void KxPlateParameter::setGroups(const GroupIndexList& groupIndexes) {
    setGroupNameIndexesInternal(groupIndexes);
    mpPlate->recordParameter(*this);
}

Lumo::ErrorStatus KxPlateParameter::addToGroup(const short& groupIndex, KxString&) {
    GroupIndexList groups;
    getGroupNameIndexes(groups);
    groups.append(groupIndex);
    mpPlate->recordParameter(*this, &groups);
    return Lumo::eOk;
}

Lumo::ErrorStatus KxPlateParameter::removeFromGroup(const short& groupIndex, KxString&) {
    GroupIndexList groups;
    getGroupNameIndexes(groups);
    groups.removeAt(groups.find(groupIndex));
    mpPlate->recordParameter(*this, &groups);
    return Lumo::eOk;
}

Lumo::ErrorStatus KxPlateParameter::setNameInternal(const KxString& name) {
    const KxString oldName = getName();
    KxParameter::setNameInternal(name);
    mpPlate->nameStored(*this, oldName);
    return Lumo::eOk;
}

Lumo::ErrorStatus KxPlateParameter::setExpressionInternal(const KxString& expression) {
    KxParameter::setExpressionInternal(expression);
    mpPlate->expressionStored(*this);
    return Lumo::eOk;
}

Lumo::ErrorStatus KxPlateParameter::validateName(const KxString& name, KxString& message) {
    return mpPlate->vetName(*this, name, message);
}

Lumo::ErrorStatus KxPlateParameter::validateExpression(const KxString& expression,
                                                       KxString& message) {
    return mpPlate->vetExpression(*this, expression, message);
}

Lumo::ErrorStatus KxPlateParameter::updateParameterInternal() {
    return mpPlate->reevaluate(*this);
}
