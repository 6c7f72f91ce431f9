// The order of the virtual operations of every exported class is a binary interface. A virtual
// destructor fills two vtable entries; a probe's own operation shows where the base's entries end.

#include "support/VtableSlot.h"

#include "collections/KxParameterCollection.h"
#include "collections/KxParameterCollectionReactor.h"
#include "collections/KxParameterGroupCollection.h"
#include "collections/KxParameterGroupFilter.h"
#include "collections/KxParameterPropertyEnabler.h"
#include "host/KxDbDatabaseReactor.h"
#include "host/KxDbFiler.h"
#include "host/KxDbObject.h"
#include "host/KxDbObjectReactor.h"
#include "kit/KxPaletteControl.h"
#include "manager/KxApDocLock.h"
#include "manager/KxParameterManagerReactor.h"
#include "model/KxParameter.h"
#include "model/KxParameterProperty.h"
#include "model/KxParameterReactor.h"
#include "model/KxParameterValueSetList.h"
#include "palette/IKxApParameterManagerESWHost.h"

#include <gtest/gtest.h>

namespace {

template <class Base>
struct Probe : Base {
    virtual void probe() = 0;
    // After the probe, so that its slot follows the base's last one either way; `override` would
    // refuse a base without a virtual destructor.
    virtual ~Probe() = default; // NOLINT(modernize-use-override)
};
// These also reach the protected operations.
struct P : Probe<KxParameter> {
    using KxParameter::getValueSet, KxParameter::addToGroup, KxParameter::removeFromGroup,
        KxParameter::setNameInternal, KxParameter::setExpressionInternal,
        KxParameter::setGroupNameIndexesInternal, KxParameter::validateName,
        KxParameter::validateExpression, KxParameter::updateParameterInternal;
};
struct C : Probe<KxParameterCollection> {
    using KxParameterCollection::deleteParametersInternal,
        KxParameterCollection::getSupportedPropertiesInternal;
};
struct F : Probe<KxDbFiler> {
    using KxDbFiler::handleToWrite, KxDbFiler::idOfHandle;
};
struct G : Probe<KxParameterGroupCollection> {
    using KxParameterGroupCollection::addParameterGroupInternal,
        KxParameterGroupCollection::deleteParameterGroupInternal,
        KxParameterGroupCollection::renameParameterGroupInternal;
};

// The operations, in declaration order, fill consecutive entries from `first` on.
template <class... Members>
void expectOrder(std::ptrdiff_t first, Members... members) {
    const std::ptrdiff_t entries[] = {vtableEntry(members)...};
    for (std::ptrdiff_t i = 0; i < std::ptrdiff_t(sizeof...(Members)); ++i) {
        EXPECT_EQ(entries[i], first + i) << "operation " << i;
    }
}

using Status = Lumo::ErrorStatus;
using L = KxApDocLock;
using Form = const wchar_t*;

TEST(SlotOrder, ClassesWithTheirDestructorFirst) {
    using GroupHook = Status (KxParameter::*)(const short&, KxString&);
    expectOrder(2,
                static_cast<Status (KxParameter::*)(KxParameter::PropNameIndex,
                                                    KxParameterValueSet*&) const>(&P::getValueSet),
                &P::getObjectId, &P::getEntityId, &P::getDescription, &P::setDescription,
                &P::getValue, &P::getTypeName, &P::getValueText, &P::hasAngularUnits,
                &P::isExpressionReadOnly, &P::highlight, &P::hide, &P::convertPrecision,
                &P::getContextMenuStringItems, &P::executeContextMenuStringItem,
                static_cast<GroupHook>(&P::addToGroup), static_cast<GroupHook>(&P::removeFromGroup),
                &P::setNameInternal, &P::setExpressionInternal, &P::setGroupNameIndexesInternal,
                &P::validateName, &P::validateExpression, &P::updateParameterInternal, &P::probe);
    using Pr = Probe<KxParameterProperty>;
    expectOrder(2, &Pr::applyValue, &Pr::updateValue, &Pr::getValueSet, &Pr::probe);
    expectOrder(2, &Probe<KxParameterValueSet>::probe);
    expectOrder(2, &Probe<KxParameterValueSetList>::probe);
    expectOrder(2, &C::createParameter, &C::checkParametersForDeletion,
                &C::deleteParametersInternal, &C::getSupportedPropertiesInternal, &C::probe);
    expectOrder(2, &G::getGroupIndex, &G::addParameterGroupInternal,
                &G::deleteParameterGroupInternal, &G::renameParameterGroupInternal, &G::probe);
    expectOrder(2, &Probe<KxParameterFilter>::filterParameters, &Probe<KxParameterFilter>::probe);
    expectOrder(3, &Probe<KxParameterGroupFilter>::probe);
    expectOrder(2, &Probe<IKxApParameterManagerESWHostEvents>::probe);
    expectOrder(2, static_cast<Status (L::*)(KxDbObjectId, int, Form, Form, bool)>(&L::lock),
                static_cast<Status (L::*)(KxDbDatabase*, int, Form, Form, bool)>(&L::lock),
                static_cast<Status (L::*)(KxApDocument*, int, Form, Form, bool)>(&L::lock),
                &L::unlock, &L::detachDocument, &Probe<L>::probe);
    using O = Probe<KxDbObject>;
    expectOrder(2, &O::className, &O::classVersion, &O::writeFields, &O::readFields, &O::probe);
    using OR = Probe<KxDbObjectReactor>;
    expectOrder(2, &OR::modified, &OR::erased, &OR::unerased, &OR::probe);
    using DR = Probe<KxDbDatabaseReactor>;
    expectOrder(2, &DR::undoApplied, &DR::redoApplied, &DR::drawingRead, &DR::probe);
    expectOrder(2, &F::handleToWrite, &F::idOfHandle, &F::probe);
}

// Entries 10 and 11 of a reactor are its destructor's, 23 and 24 the palette's.
TEST(SlotOrder, ClassesWithTheirDestructorLast) {
    using R = Probe<KxParameterReactor>;
    expectOrder(0, &R::nameWillChange, &R::nameChanged, &R::expressionWillChange,
                &R::expressionChanged, &R::propertyWillChange, &R::propertyChanged,
                &R::parameterModified, &R::modificationFailed, &R::groupsWillChange,
                &R::groupsChanged);
    expectOrder(12, &R::probe);
    using CR = Probe<KxParameterCollectionReactor>;
    expectOrder(0, &CR::parameterAdded, &CR::parametersDeleted);
    expectOrder(4, &CR::probe);
    expectOrder(0, &Probe<KxParameterPropertyEnabler>::enableProperties);
    expectOrder(3, &Probe<KxParameterPropertyEnabler>::probe);
    using M = Probe<KxParameterManagerReactor>;
    expectOrder(0, &M::collectionWillBeRegistered, &M::collectionRegistered,
                &M::collectionWillBeUnregistered, &M::collectionUnregistered,
                &M::activeCollectionWillBeSet, &M::activeCollectionSet,
                &M::groupCollectionWillBeRegistered, &M::groupCollectionRegistered,
                &M::groupCollectionWillBeUnregistered, &M::groupCollectionUnregistered);
    expectOrder(12, &M::probe);
    using H = Probe<IKxApParameterManagerESWHost>;
    expectOrder(0, &H::initialize, &H::show, &H::restore, &H::cancelCurrentEdit,
                &H::setESWLockUpdate, &H::SetImageListAndIndexPair, &H::updateParameterDataInUI,
                &H::addParameterDataInUI, &H::deleteParameterDataInUI, &H::repopulateGroupDataInUI,
                &H::updateCurrentGroupDataInUI, &H::showErrorTaskDialog, &H::markInvalidCell,
                &H::isListControlDeleted, &H::setFilterLock, &H::refresh, &H::IsVisible,
                &H::setPredefinedExpressions, &H::getPredefinedExpressions,
                &H::activeCollectionChanged, &H::resetSearchPattern, &H::hideFilterTree,
                &H::getCurrentFilter);
    expectOrder(25, &H::probe);
    // A palette's control for its host program has no virtual destructor.
    using K = Probe<KxPaletteControl>;
    expectOrder(0, &K::setOutput, &K::draw, &K::editName, &K::editExpression, &K::editProperty,
                &K::setGroupFilter, &K::clearFilter, &K::selectParameter, &K::probe);
}

} // namespace
