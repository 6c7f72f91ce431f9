#pragma once

#include "host/KxArray.h"
#include "host/KxDbEvalVariant.h"
#include "host/KxDbObjectId.h"
#include "host/KxExport.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"

#include <cstdint>

class KxDbEntity;
class KxParameterCollection;
class KxParameterProperty;
class KxParameterReactor;
class KxParameterValueSet;

// One named, expression-valued parameter of a drawing. A provider derives its parameter kind from
// it and implements the pure operations; every change a user may make goes through the reactors:
// a will-change notice, the provider's vetting, then the changed notice or `modificationFailed`.
// The order of the virtual operations is part of the binary interface.
class KX_EXPORT KxParameter {
public:
    // Selects a property: kListedProperty names one of the property list by name, every other
    // value one of the parameter's built-in properties.
    enum PropNameIndex : std::int32_t {
        kNameProperty = 0,
        kExpressionProperty = 1,
        kValueProperty = 2,
        kListedProperty = 3,
    };

    struct PropNameInfo {
        PropNameIndex mIndex = kListedProperty;
        KxString mName; // consulted only for kListedProperty
    };

    using PropertyList =
        KxArray<KxParameterProperty*, KxArrayMemCopyReallocator<KxParameterProperty*>>;
    using ReactorList =
        KxArray<KxParameterReactor*, KxArrayMemCopyReallocator<KxParameterReactor*>>;
    using GroupIndexList = KxArray<short, KxArrayMemCopyReallocator<short>>;
    using StringList = KxArray<KxString, KxArrayObjectCopyReallocator<KxString>>;

    // The parameter is not added to the collection by this.
    explicit KxParameter(KxParameterCollection* owner);
    KxParameter(const KxParameter&) = delete;
    KxParameter& operator=(const KxParameter&) = delete;

    // Deletes the properties; tells no reactor.
    virtual ~KxParameter();

protected:
    // The value set of a built-in property; none by default.
    // Overriding this hook hides the public getValueSet(const PropNameInfo&, ...) of the same name
    // in the derived class: say `using KxParameter::getValueSet;` there to keep it callable.
    virtual Lumo::ErrorStatus getValueSet(PropNameIndex index,
                                          KxParameterValueSet*& valueSet) const;

public:
    // The base has no object: a null id and eNullObjectId.
    virtual Lumo::ErrorStatus getObjectId(KxDbObjectId& id) const;
    // The drawing entity that stands for the parameter.
    virtual Lumo::ErrorStatus getEntityId(KxDbObjectId& id) = 0;
    virtual Lumo::ErrorStatus getDescription(KxString& description) const = 0;
    virtual Lumo::ErrorStatus setDescription(const KxString& description) = 0;
    virtual Lumo::ErrorStatus getValue(KxDbEvalVariant& value) = 0;
    virtual Lumo::ErrorStatus getTypeName(KxString& typeName) const = 0;
    virtual Lumo::ErrorStatus getValueText(KxString& text) = 0;
    virtual bool hasAngularUnits();
    virtual bool isExpressionReadOnly();
    // Pushes (true) or pops (false) the highlight of the parameter's entity; the second flag is
    // the derived parameter's to interpret.
    virtual Lumo::ErrorStatus highlight(bool push, bool option);
    // The base does not hide: eNotSupported.
    virtual Lumo::ErrorStatus hide(bool hidden);
    // True, with the flag set, when the value is a number that current precision applies to.
    virtual bool convertPrecision(bool& isNumeric);
    // The base has no entries: eNotImplemented, nothing changed.
    virtual Lumo::ErrorStatus getContextMenuStringItems(StringList& items) const;
    virtual Lumo::ErrorStatus executeContextMenuStringItem(const KxString& item);

protected:
    // Hooks that vet joining and leaving a group; the base refuses both with eNotAllowed.
    // Overriding either hides the public operation of the same name in the derived class: say
    // `using KxParameter::addToGroup;` and `using KxParameter::removeFromGroup;` there, as
    // modules/bracket-plate/KxPlateParameter.h does.
    virtual Lumo::ErrorStatus addToGroup(const short& groupIndex, KxString& message);
    virtual Lumo::ErrorStatus removeFromGroup(const short& groupIndex, KxString& message);
    // Store an accepted text; their results are not used.
    virtual Lumo::ErrorStatus setNameInternal(const KxString& name);
    virtual Lumo::ErrorStatus setExpressionInternal(const KxString& expression);
    // Replaces the whole membership, duplicates included, and tells the reactors afterwards.
    virtual Lumo::ErrorStatus setGroupNameIndexesInternal(const GroupIndexList& groupIndexes);
    // Vet a proposed text: 0 accepts, any other status refuses with the message filled.
    virtual Lumo::ErrorStatus validateName(const KxString& name, KxString& message) = 0;
    virtual Lumo::ErrorStatus validateExpression(const KxString& expression, KxString& message) = 0;
    // The provider's own refresh step; 0 lets the refresh go on.
    virtual Lumo::ErrorStatus updateParameterInternal() = 0;

public:
    const KxString& getName() const { return mName; }
    const KxString& getExpression() const { return mExpression; }
    KxParameterCollection* getOwner() const { return mpOwner; }

    Lumo::ErrorStatus setName(const KxString& name);
    Lumo::ErrorStatus setExpression(const KxString& expression);

    // The parameter owns its properties. Names compare exactly; a null or empty name finds the
    // first property with an empty name.
    Lumo::ErrorStatus addProperty(KxParameterProperty* property);
    Lumo::ErrorStatus removeProperty(const wchar_t* name);
    KxParameterProperty* getProperty(const wchar_t* name);
    const KxParameterProperty* getProperty(const wchar_t* name) const;
    const PropertyList& getProperties() const { return mProperties; }
    // Asks the held property of the source's name to take the source's value.
    Lumo::ErrorStatus setProperty(const KxParameterProperty& source);
    Lumo::ErrorStatus getValueSet(const PropNameInfo& property,
                                  KxParameterValueSet*& valueSet) const;

    // Joining a group that the parameter is in, or leaving one it is not in, tells nobody.
    Lumo::ErrorStatus addToGroup(const short& groupIndex);
    Lumo::ErrorStatus removeFromGroup(const short& groupIndex);
    // Replaces the caller's entries with the group indexes, in order.
    Lumo::ErrorStatus getGroupNameIndexes(GroupIndexList& groupIndexes) const;

    // Refreshes the parameter, then every property, then tells the reactors when asked to.
    Lumo::ErrorStatus updateParameter(bool notify);
    void notifyParameterModified();

    Lumo::ErrorStatus addReactor(KxParameterReactor* reactor);
    Lumo::ErrorStatus removeReactor(KxParameterReactor* reactor);

protected:
    bool isPushHighlighted() const { return mbPushHighlighted; }
    void setIsPushHighlighted(bool pushed) { mbPushHighlighted = pushed; }
    // Push and pop the whole-entity highlight on the open entity. The parameter holds at most one
    // pushed highlight: a push while one stands, or a pop while none does, leaves the entity alone.
    Lumo::ErrorStatus pushHighlight(KxDbObjectId& entityId, KxDbEntity* entity);
    Lumo::ErrorStatus popHighlight(KxDbObjectId& entityId, KxDbEntity* entity);

private:
    KxParameter() = delete;

    using ValidateText = Lumo::ErrorStatus (KxParameter::*)(const KxString&, KxString&);
    using StoreText = Lumo::ErrorStatus (KxParameter::*)(const KxString&);
    using TextNotice = void (KxParameterReactor::*)(KxParameter*, const KxString&);

    // The five steps that a name and an expression change share.
    Lumo::ErrorStatus changeText(const KxString& current, const KxString& proposed,
                                 TextNotice willChange, ValidateText validate, StoreText store,
                                 TextNotice changed);
    using GroupHook = Lumo::ErrorStatus (KxParameter::*)(const short&, KxString&);
    using GroupChange = void (*)(GroupIndexList& groupIndexes, short groupIndex);

    // The steps that joining and leaving a group share, once the change is known to be real.
    Lumo::ErrorStatus changeGroups(short groupIndex, GroupHook vet, GroupChange change);
    // `modificationFailed` with the hook's status and message, and a fresh empty detail each.
    void notifyRefusal(Lumo::ErrorStatus status, const KxString& message);
    // The index of the first property that the name finds, or -1.
    int findProperty(const KxString& name) const;

    PropertyList mProperties;
    KxParameterCollection* mpOwner;
    KxString mName;
    KxString mExpression;
    ReactorList mReactors;
    GroupIndexList mGroupIndexes;
    bool mbPushHighlighted;
};
