#include "model/KxParameter.h"

#include "model/KxParameterProperty.h"
#include "model/KxParameterReactor.h"
#include "model/internal/KxReactorList.h"
#include "model/internal/KxReactorWalk.h"

#include "host/KxDbEntity.h"

KxParameter::KxParameter(KxParameterCollection* owner) : mpOwner(owner), mbPushHighlighted(false) {}

KxParameter::~KxParameter() {
    for (int i = 0; i < mProperties.length(); ++i) {
        delete mProperties[i];
    }
    mProperties.setLogicalLength(0);
    mReactors.setLogicalLength(0);
}

Lumo::ErrorStatus KxParameter::getValueSet(PropNameIndex, KxParameterValueSet*& valueSet) const {
    valueSet = nullptr;
    return Lumo::eOk;
}

Lumo::ErrorStatus KxParameter::getObjectId(KxDbObjectId& id) const {
    id.setNull();
    return Lumo::eNullObjectId;
}

bool KxParameter::hasAngularUnits() {
    return false;
}

bool KxParameter::isExpressionReadOnly() {
    return false;
}

namespace {

// Gives an opened entity back to the host: one that has an id is closed, one without belongs to
// nobody but us and is deleted. Runs also when the highlight call throws.
class OpenedEntity {
public:
    explicit OpenedEntity(KxDbEntity* entity) : mpEntity(entity) {}
    OpenedEntity(const OpenedEntity&) = delete;
    OpenedEntity& operator=(const OpenedEntity&) = delete;
    ~OpenedEntity() {
        if (mpEntity->objectId().isNull()) {
            delete mpEntity;
        } else {
            mpEntity->close();
        }
    }

private:
    KxDbEntity* mpEntity;
};

// The highlight style of a parameter's entity.
constexpr KxGiHighlightStyle kParameterHighlightStyle = kKxGiHighlightDashedThick;

} // namespace

Lumo::ErrorStatus KxParameter::highlight(bool push, bool) {
    KxDbObjectId entityId;
    if (getEntityId(entityId) != Lumo::eOk || entityId.isNull()) {
        return Lumo::eNotAnEntity;
    }
    KxDbEntity* entity = nullptr;
    const Lumo::ErrorStatus openStatus = kxdbOpenObject(entity, entityId, KxDb::kForRead, false);
    if (openStatus != Lumo::eOk) {
        return openStatus;
    }
    if (!entity) {
        return Lumo::eNotAnEntity;
    }
    const OpenedEntity opened(entity);
    return push ? pushHighlight(entityId, entity) : popHighlight(entityId, entity);
}

Lumo::ErrorStatus KxParameter::pushHighlight(KxDbObjectId& entityId, KxDbEntity* entity) {
    if (mbPushHighlighted) {
        return Lumo::eOk;
    }
    const Lumo::ErrorStatus status = entity->pushHighlight(
        KxDbFullSubentPath(entityId, KxDbSubentId()), kParameterHighlightStyle);
    if (status == Lumo::eOk) {
        mbPushHighlighted = true;
    }
    return status;
}

Lumo::ErrorStatus KxParameter::popHighlight(KxDbObjectId& entityId, KxDbEntity* entity) {
    if (!mbPushHighlighted) {
        return Lumo::eOk;
    }
    const Lumo::ErrorStatus status =
        entity->popHighlight(KxDbFullSubentPath(entityId, KxDbSubentId()));
    if (status == Lumo::eOk) {
        mbPushHighlighted = false;
    }
    return status;
}

Lumo::ErrorStatus KxParameter::hide(bool) {
    return Lumo::eNotSupported;
}

bool KxParameter::convertPrecision(bool& isNumeric) {
    isNumeric = false;
    KxDbEvalVariant value;
    if (getValue(value) == Lumo::eOk) {
        const DwgDataType type = value.getType();
        isNumeric = type == kDwgReal || type == kDwgInt32 || type == kDwg3Real;
    }
    return isNumeric;
}

Lumo::ErrorStatus KxParameter::getContextMenuStringItems(StringList&) const {
    return Lumo::eNotImplemented;
}

Lumo::ErrorStatus KxParameter::executeContextMenuStringItem(const KxString&) {
    return Lumo::eNotImplemented;
}

Lumo::ErrorStatus KxParameter::addToGroup(const short&, KxString&) {
    return Lumo::eNotAllowed;
}

Lumo::ErrorStatus KxParameter::removeFromGroup(const short&, KxString&) {
    return Lumo::eNotAllowed;
}

Lumo::ErrorStatus KxParameter::setNameInternal(const KxString& name) {
    if (&name != &mName) {
        mName = name;
    }
    return Lumo::eOk;
}

Lumo::ErrorStatus KxParameter::setExpressionInternal(const KxString& expression) {
    if (&expression != &mExpression) {
        mExpression = expression;
    }
    return Lumo::eOk;
}

Lumo::ErrorStatus KxParameter::setGroupNameIndexesInternal(const GroupIndexList& groupIndexes) {
    if (&groupIndexes != &mGroupIndexes) {
        mGroupIndexes = groupIndexes;
    }
    walkReactors(mReactors,
                 [&](KxParameterReactor& reactor) { reactor.groupsChanged(this, mGroupIndexes); });
    return Lumo::eOk;
}

Lumo::ErrorStatus KxParameter::setName(const KxString& name) {
    return changeText(mName, name, &KxParameterReactor::nameWillChange, &KxParameter::validateName,
                      &KxParameter::setNameInternal, &KxParameterReactor::nameChanged);
}

Lumo::ErrorStatus KxParameter::setExpression(const KxString& expression) {
    return changeText(mExpression, expression, &KxParameterReactor::expressionWillChange,
                      &KxParameter::validateExpression, &KxParameter::setExpressionInternal,
                      &KxParameterReactor::expressionChanged);
}

Lumo::ErrorStatus KxParameter::changeText(const KxString& current, const KxString& proposed,
                                          TextNotice willChange, ValidateText validate,
                                          StoreText store, TextNotice changed) {
    if (proposed == current) {
        return Lumo::eOk;
    }
    walkReactors(mReactors,
                 [&](KxParameterReactor& reactor) { (reactor.*willChange)(this, proposed); });
    KxString message;
    const Lumo::ErrorStatus status = (this->*validate)(proposed, message);
    if (status != Lumo::eOk) {
        notifyRefusal(status, message);
        return status;
    }
    (this->*store)(proposed);
    // The caller's text, not the stored copy: an override of the store step may keep another.
    walkReactors(mReactors,
                 [&](KxParameterReactor& reactor) { (reactor.*changed)(this, proposed); });
    return Lumo::eOk;
}

Lumo::ErrorStatus KxParameter::addToGroup(const short& groupIndex) {
    if (mGroupIndexes.contains(groupIndex)) {
        return Lumo::eOk;
    }
    return changeGroups(groupIndex, &KxParameter::addToGroup,
                        [](GroupIndexList& groups, short index) { groups.append(index); });
}

Lumo::ErrorStatus KxParameter::removeFromGroup(const short& groupIndex) {
    if (!mGroupIndexes.contains(groupIndex)) {
        return Lumo::eOk;
    }
    // The hook may have changed the list meanwhile, so the index is looked up again.
    return changeGroups(
        groupIndex, &KxParameter::removeFromGroup,
        [](GroupIndexList& groups, short index) { groups.removeAt(groups.find(index)); });
}

Lumo::ErrorStatus KxParameter::changeGroups(short groupIndex, GroupHook vet, GroupChange change) {
    walkReactors(mReactors, [&](KxParameterReactor& reactor) {
        reactor.groupsWillChange(this, mGroupIndexes);
    });
    KxString message;
    const Lumo::ErrorStatus status = (this->*vet)(groupIndex, message);
    if (status != Lumo::eOk) {
        notifyRefusal(status, message);
        return status;
    }
    change(mGroupIndexes, groupIndex);
    walkReactors(mReactors,
                 [&](KxParameterReactor& reactor) { reactor.groupsChanged(this, mGroupIndexes); });
    return Lumo::eOk;
}

Lumo::ErrorStatus KxParameter::getGroupNameIndexes(GroupIndexList& groupIndexes) const {
    groupIndexes = mGroupIndexes;
    return Lumo::eOk;
}

void KxParameter::notifyRefusal(Lumo::ErrorStatus status, const KxString& message) {
    walkReactors(mReactors, [&](KxParameterReactor& reactor) {
        reactor.modificationFailed(status, message, KxString());
    });
}

int KxParameter::findProperty(const KxString& name) const {
    for (int i = 0; i < mProperties.length(); ++i) {
        if (mProperties[i]->getName() == name) {
            return i;
        }
    }
    return -1;
}

Lumo::ErrorStatus KxParameter::addProperty(KxParameterProperty* property) {
    if (!property) {
        return Lumo::eNullPtr;
    }
    if (findProperty(property->getName()) >= 0) {
        return Lumo::eDuplicateKey;
    }
    mProperties.append(property);
    property->setOwner(this);
    return Lumo::eOk;
}

Lumo::ErrorStatus KxParameter::removeProperty(const wchar_t* name) {
    const int index = findProperty(KxString(name));
    if (index < 0) {
        return Lumo::eKeyNotFound;
    }
    KxParameterProperty* property = mProperties[index];
    mProperties.removeAt(index);
    property->setOwner(nullptr);
    delete property;
    return Lumo::eOk;
}

KxParameterProperty* KxParameter::getProperty(const wchar_t* name) {
    const int index = findProperty(KxString(name));
    return index < 0 ? nullptr : mProperties[index];
}

const KxParameterProperty* KxParameter::getProperty(const wchar_t* name) const {
    const int index = findProperty(KxString(name));
    return index < 0 ? nullptr : mProperties[index];
}

Lumo::ErrorStatus KxParameter::setProperty(const KxParameterProperty& source) {
    const int index = findProperty(source.getName());
    if (index < 0) {
        return Lumo::eKeyNotFound;
    }
    KxParameterProperty* held = mProperties[index];
    if (held->value() == source.value()) {
        return Lumo::eOk;
    }
    walkReactors(mReactors,
                 [&](KxParameterReactor& reactor) { reactor.propertyWillChange(this, held); });
    KxString message;
    KxString detail;
    // A reactor may have removed, and so deleted, the property while it heard of the change.
    const bool stillHeld = mProperties.contains(held);
    if (!stillHeld) {
        message = KxString(L"the property " + source.getName().wstr() +
                           L" was removed while its change was announced");
    }
    const Lumo::ErrorStatus status =
        stillHeld ? held->applyValue(source, message, detail) : Lumo::eKeyNotFound;
    if (status != Lumo::eOk) {
        walkReactors(mReactors, [&](KxParameterReactor& reactor) {
            reactor.modificationFailed(status, message, detail);
        });
        return status;
    }
    walkReactors(mReactors,
                 [&](KxParameterReactor& reactor) { reactor.propertyChanged(this, held); });
    return Lumo::eOk;
}

Lumo::ErrorStatus KxParameter::getValueSet(const PropNameInfo& property,
                                           KxParameterValueSet*& valueSet) const {
    valueSet = nullptr;
    if (property.mIndex != kListedProperty) {
        return getValueSet(property.mIndex, valueSet);
    }
    const int index = findProperty(property.mName);
    return index < 0 ? Lumo::eOk : mProperties[index]->getValueSet(valueSet);
}

Lumo::ErrorStatus KxParameter::updateParameter(bool notify) {
    const Lumo::ErrorStatus status = updateParameterInternal();
    if (status != Lumo::eOk) {
        return status;
    }
    for (int i = 0; i < mProperties.length(); ++i) {
        if (KxParameterProperty* property = mProperties[i]) {
            property->updateValue();
        }
    }
    if (notify) {
        notifyParameterModified();
    }
    return Lumo::eOk;
}

void KxParameter::notifyParameterModified() {
    walkReactors(mReactors, [&](KxParameterReactor& reactor) { reactor.parameterModified(this); });
}

Lumo::ErrorStatus KxParameter::addReactor(KxParameterReactor* reactor) {
    return addOnce(mReactors, reactor);
}

Lumo::ErrorStatus KxParameter::removeReactor(KxParameterReactor* reactor) {
    return removeFirst(mReactors, reactor, Lumo::eEmptyList);
}
