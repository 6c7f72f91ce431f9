#pragma once

#include "host/KxArray.h"
#include "host/KxDbEvalVariant.h"
#include "host/KxDbObjectId.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"
#include "model/KxParameterManagerExport.h"

#include <cstdint>

class KxDbEntity;
class KxParameterCollection;
class KxParameterProperty;
class KxParameterReactor;
class KxParameterValueSet;

/// One named, expression-valued parameter of a drawing. A provider derives its parameter kind from
/// it and implements the pure operations; every change a user may make goes through the reactors:
/// a will-change notice, the provider's vetting, then the changed notice or `modificationFailed`.
/// The order of the virtual operations is part of the binary interface.
class KX_PARAM_EXPORT KxParameter {
public:
    /// Selects a property: kListedProperty names one of the property list by name, every other
    /// value one of the parameter's built-in properties.
    enum PropNameIndex : std::int32_t {
        kNameProperty = 0,       ///< the built-in name
        kExpressionProperty = 1, ///< the built-in expression
        kValueProperty = 2,      ///< the built-in value
        kListedProperty = 3,     ///< a property of the property list, named by PropNameInfo::mName
    };

    /// Names one property of a parameter, built-in or listed.
    struct PropNameInfo {
        PropNameIndex mIndex = kListedProperty; ///< which property
        KxString mName;                         ///< consulted only for kListedProperty
    };

    /// The properties a parameter owns, in the order they were added.
    using PropertyList =
        KxArray<KxParameterProperty*, KxArrayMemCopyReallocator<KxParameterProperty*>>;
    /// The reactors of a parameter, in the order they were added.
    using ReactorList =
        KxArray<KxParameterReactor*, KxArrayMemCopyReallocator<KxParameterReactor*>>;
    /// The indexes of the groups a parameter belongs to.
    using GroupIndexList = KxArray<short, KxArrayMemCopyReallocator<short>>;
    /// A list of texts, such as context-menu entries.
    using StringList = KxArray<KxString, KxArrayObjectCopyReallocator<KxString>>;

    /// A parameter of that collection, with an empty name and expression and no property, reactor
    /// or group. The parameter is not added to the collection by this.
    explicit KxParameter(KxParameterCollection* owner);
    /// Not copyable.
    ///@{
    KxParameter(const KxParameter&) = delete;
    KxParameter& operator=(const KxParameter&) = delete;
    ///@}

    /// Deletes the properties; tells no reactor.
    virtual ~KxParameter();

protected:
    /// The value set of a built-in property; none by default.
    /// Overriding this hook hides the public getValueSet(const PropNameInfo&, ...) of the same name
    /// in the derived class: say `using KxParameter::getValueSet;` there to keep it callable.
    virtual Lumo::ErrorStatus getValueSet(PropNameIndex index,
                                          KxParameterValueSet*& valueSet) const;

public:
    /// The base has no object: a null id and eNullObjectId.
    virtual Lumo::ErrorStatus getObjectId(KxDbObjectId& id) const;
    /// The drawing entity that stands for the parameter.
    virtual Lumo::ErrorStatus getEntityId(KxDbObjectId& id) = 0;
    /// The provider's description of the parameter.
    virtual Lumo::ErrorStatus getDescription(KxString& description) const = 0;
    /// Replaces the provider's description of the parameter.
    virtual Lumo::ErrorStatus setDescription(const KxString& description) = 0;
    /// The parameter's current value.
    virtual Lumo::ErrorStatus getValue(KxDbEvalVariant& value) = 0;
    /// The name of the parameter's kind, as the user reads it.
    virtual Lumo::ErrorStatus getTypeName(KxString& typeName) const = 0;
    /// The parameter's current value as display text.
    virtual Lumo::ErrorStatus getValueText(KxString& text) = 0;
    /// True when the value is an angle; false in the base.
    virtual bool hasAngularUnits();
    /// True when the expression may not be edited; false in the base.
    virtual bool isExpressionReadOnly();
    /// Pushes (true) or pops (false) the highlight of the parameter's entity; the second flag is
    /// the derived parameter's to interpret.
    virtual Lumo::ErrorStatus highlight(bool push, bool option);
    /// The base does not hide: eNotSupported.
    virtual Lumo::ErrorStatus hide(bool hidden);
    /// True, with the flag set, when the value is a number that current precision applies to.
    virtual bool convertPrecision(bool& isNumeric);
    /// The base has no entries: eNotImplemented, nothing changed.
    virtual Lumo::ErrorStatus getContextMenuStringItems(StringList& items) const;
    /// Carries out one of the parameter's context-menu entries; the base has none: eNotImplemented.
    virtual Lumo::ErrorStatus executeContextMenuStringItem(const KxString& item);

protected:
    /// Hooks that vet joining and leaving a group: 0 accepts, any other status refuses with the
    /// message filled. The base refuses both with eNotAllowed. Overriding either hides the public
    /// operation of the same name in the derived class: say `using KxParameter::addToGroup;` and
    /// `using KxParameter::removeFromGroup;` there, as modules/bracket-plate/KxPlateParameter.h
    /// does.
    ///@{
    virtual Lumo::ErrorStatus addToGroup(const short& groupIndex, KxString& message);
    virtual Lumo::ErrorStatus removeFromGroup(const short& groupIndex, KxString& message);
    ///@}
    /// Store an accepted name, or expression; their results are not used.
    ///@{
    virtual Lumo::ErrorStatus setNameInternal(const KxString& name);
    virtual Lumo::ErrorStatus setExpressionInternal(const KxString& expression);
    ///@}
    /// Replaces the whole membership, duplicates included, and tells the reactors afterwards.
    virtual Lumo::ErrorStatus setGroupNameIndexesInternal(const GroupIndexList& groupIndexes);
    /// Vet a proposed name, or expression: 0 accepts, any other status refuses with the message
    /// filled.
    ///@{
    virtual Lumo::ErrorStatus validateName(const KxString& name, KxString& message) = 0;
    virtual Lumo::ErrorStatus validateExpression(const KxString& expression, KxString& message) = 0;
    ///@}
    /// The provider's own refresh step; 0 lets the refresh go on.
    virtual Lumo::ErrorStatus updateParameterInternal() = 0;

public:
    /// The parameter's name.
    const KxString& getName() const { return mName; }
    /// The parameter's expression.
    const KxString& getExpression() const { return mExpression; }
    /// The collection the parameter was made for.
    KxParameterCollection* getOwner() const { return mpOwner; }

    /// Renames the parameter, or changes its expression, once the provider's validateName, or
    /// validateExpression, accepts: 0, or the provider's status. The same text tells nobody.
    ///@{
    Lumo::ErrorStatus setName(const KxString& name);
    Lumo::ErrorStatus setExpression(const KxString& expression);
    ///@}

    /// Adds a property, which the parameter then owns: eNullPtr for null, eDuplicateKey when a
    /// property of that name is held already.
    Lumo::ErrorStatus addProperty(KxParameterProperty* property);
    /// Takes the property of that name out of the list and deletes it; eKeyNotFound when none.
    Lumo::ErrorStatus removeProperty(const wchar_t* name);
    /// The first property of that name, or null. Names compare exactly; a null or empty name finds
    /// the first property with an empty name.
    ///@{
    KxParameterProperty* getProperty(const wchar_t* name);
    const KxParameterProperty* getProperty(const wchar_t* name) const;
    ///@}
    /// The properties, in the order they were added.
    const PropertyList& getProperties() const { return mProperties; }
    /// Asks the held property of the source's name to take the source's value.
    Lumo::ErrorStatus setProperty(const KxParameterProperty& source);
    /// The set of values the named property may take; null when it has none or no listed property
    /// has that name.
    Lumo::ErrorStatus getValueSet(const PropNameInfo& property,
                                  KxParameterValueSet*& valueSet) const;

    /// Joins, or leaves, a group once the provider's hook accepts: 0, or the hook's status.
    /// Joining a group that the parameter is in, or leaving one it is not in, tells nobody.
    ///@{
    Lumo::ErrorStatus addToGroup(const short& groupIndex);
    Lumo::ErrorStatus removeFromGroup(const short& groupIndex);
    ///@}
    /// Replaces the caller's entries with the group indexes, in order.
    Lumo::ErrorStatus getGroupNameIndexes(GroupIndexList& groupIndexes) const;

    /// Refreshes the parameter, then every property, then tells the reactors when asked to.
    Lumo::ErrorStatus updateParameter(bool notify);
    /// Tells every reactor parameterModified, without a refresh.
    void notifyParameterModified();

    /// Registers a reactor once: eNullPtr for null; 0 also when it is registered already.
    Lumo::ErrorStatus addReactor(KxParameterReactor* reactor);
    /// Unregisters a reactor without telling it: eNullPtr for null, eEmptyList when none is
    /// registered, eInvalidInput when this one is not.
    Lumo::ErrorStatus removeReactor(KxParameterReactor* reactor);

protected:
    /// Whether the parameter has pushed a highlight that it has not popped yet.
    ///@{
    bool isPushHighlighted() const { return mbPushHighlighted; }
    void setIsPushHighlighted(bool pushed) { mbPushHighlighted = pushed; }
    ///@}
    /// Push and pop the whole-entity highlight on the open entity. The parameter holds at most one
    /// pushed highlight: a push while one stands, or a pop while none does, leaves the entity
    /// alone.
    ///@{
    Lumo::ErrorStatus pushHighlight(KxDbObjectId& entityId, KxDbEntity* entity);
    Lumo::ErrorStatus popHighlight(KxDbObjectId& entityId, KxDbEntity* entity);
    ///@}

private:
    // NOLINTNEXTLINE(modernize-use-equals-delete): private, as the class's contract says.
    KxParameter() = delete;

    using ValidateText = Lumo::ErrorStatus (KxParameter::*)(const KxString&, KxString&);
    using StoreText = Lumo::ErrorStatus (KxParameter::*)(const KxString&);
    using TextNotice = void (KxParameterReactor::*)(KxParameter*, const KxString&);

    /// The five steps that a name and an expression change share.
    Lumo::ErrorStatus changeText(const KxString& current, const KxString& proposed,
                                 TextNotice willChange, ValidateText validate, StoreText store,
                                 TextNotice changed);
    using GroupHook = Lumo::ErrorStatus (KxParameter::*)(const short&, KxString&);
    using GroupChange = void (*)(GroupIndexList& groupIndexes, short groupIndex);

    /// The steps that joining and leaving a group share, once the change is known to be real.
    Lumo::ErrorStatus changeGroups(short groupIndex, GroupHook vet, GroupChange change);
    /// `modificationFailed` with the hook's status and message, and a fresh empty detail each.
    void notifyRefusal(Lumo::ErrorStatus status, const KxString& message);
    /// The index of the first property that the name finds, or -1.
    int findProperty(const KxString& name) const;

    PropertyList mProperties;
    KxParameterCollection* mpOwner;
    KxString mName;
    KxString mExpression;
    ReactorList mReactors;
    GroupIndexList mGroupIndexes;
    bool mbPushHighlighted;
};
