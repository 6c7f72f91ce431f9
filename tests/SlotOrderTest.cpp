// The order of the virtual operations of every exported class is a binary interface that provider
// and palette modules compile against. A virtual destructor fills two vtable entries; a probe class
// that adds one virtual operation of its own shows where the base's entries end.

#include "support/VtableSlot.h"

#include "collections/KxParameterCollection.h"
#include "collections/KxParameterCollectionReactor.h"
#include "collections/KxParameterGroupCollection.h"
#include "collections/KxParameterGroupFilter.h"
#include "collections/KxParameterPropertyEnabler.h"
#include "manager/KxApDocLock.h"
#include "manager/KxParameterCollectionObserver.h"
#include "manager/KxParameterManagerReactor.h"
#include "manager/KxPmUndoBracket.h"
#include "model/KxParameter.h"
#include "model/KxParameterProperty.h"
#include "model/KxParameterReactor.h"
#include "model/KxParameterValueSet.h"
#include "model/KxParameterValueSetList.h"
#include "modules/palette/KxConsolePalette.h"
#include "palette/KxApParameterManagerESW.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

// Reaches the protected operations of KxParameter and marks the end of its vtable.
struct ParameterProbe : KxParameter {
    using KxParameter::addToGroup;
    using KxParameter::getValueSet;
    using KxParameter::removeFromGroup;
    using KxParameter::setExpressionInternal;
    using KxParameter::setGroupNameIndexesInternal;
    using KxParameter::setNameInternal;
    using KxParameter::updateParameterInternal;
    using KxParameter::validateExpression;
    using KxParameter::validateName;
    virtual void probe() = 0;
};

struct PropertyProbe : KxParameterProperty {
    virtual void probe() = 0;
};
struct ReactorProbe : KxParameterReactor {
    virtual void probe() = 0;
};
struct ValueSetProbe : KxParameterValueSet {
    virtual void probe() = 0;
};
struct ValueSetListProbe : KxParameterValueSetList {
    virtual void probe() = 0;
};

struct CollectionProbe : KxParameterCollection {
    using KxParameterCollection::deleteParametersInternal;
    using KxParameterCollection::getSupportedPropertiesInternal;
    virtual void probe() = 0;
};
struct CollectionReactorProbe : KxParameterCollectionReactor {
    virtual void probe() = 0;
};
struct EnablerProbe : KxParameterPropertyEnabler {
    virtual void probe() = 0;
};
struct GroupCollectionProbe : KxParameterGroupCollection {
    using KxParameterGroupCollection::addParameterGroupInternal;
    using KxParameterGroupCollection::deleteParameterGroupInternal;
    using KxParameterGroupCollection::renameParameterGroupInternal;
    virtual void probe() = 0;
};
struct FilterProbe : KxParameterFilter {
    virtual void probe() = 0;
};
struct GroupFilterProbe : KxParameterGroupFilter {
    virtual void probe() = 0;
};

struct ManagerReactorProbe : KxParameterManagerReactor {
    virtual void probe() = 0;
};

struct PaletteProbe : IKxApParameterManagerESWHost {
    virtual void probe() = 0;
};
struct DocLockProbe : KxApDocLock {
    virtual void probe() = 0;
};

// The vtable entry of a slot in a class whose destructor is slot 0.
constexpr std::ptrdiff_t afterDestructor(int slot) {
    return slot + 1;
}

using Status = Lumo::ErrorStatus;
using P = KxParameter;

TEST(SlotOrder, Parameter) {
    EXPECT_EQ(vtableEntry(static_cast<Status (P::*)(P::PropNameIndex, KxParameterValueSet*&) const>(
                  &ParameterProbe::getValueSet)),
              afterDestructor(1));
    EXPECT_EQ(vtableEntry(&P::getObjectId), afterDestructor(2));
    EXPECT_EQ(vtableEntry(&P::getEntityId), afterDestructor(3));
    EXPECT_EQ(vtableEntry(&P::getDescription), afterDestructor(4));
    EXPECT_EQ(vtableEntry(&P::setDescription), afterDestructor(5));
    EXPECT_EQ(vtableEntry(&P::getValue), afterDestructor(6));
    EXPECT_EQ(vtableEntry(&P::getTypeName), afterDestructor(7));
    EXPECT_EQ(vtableEntry(&P::getValueText), afterDestructor(8));
    EXPECT_EQ(vtableEntry(&P::hasAngularUnits), afterDestructor(9));
    EXPECT_EQ(vtableEntry(&P::isExpressionReadOnly), afterDestructor(10));
    EXPECT_EQ(vtableEntry(&P::highlight), afterDestructor(11));
    EXPECT_EQ(vtableEntry(&P::hide), afterDestructor(12));
    EXPECT_EQ(vtableEntry(&P::convertPrecision), afterDestructor(13));
    EXPECT_EQ(vtableEntry(&P::getContextMenuStringItems), afterDestructor(14));
    EXPECT_EQ(vtableEntry(&P::executeContextMenuStringItem), afterDestructor(15));
    EXPECT_EQ(vtableEntry(
                  static_cast<Status (P::*)(const short&, KxString&)>(&ParameterProbe::addToGroup)),
              afterDestructor(16));
    EXPECT_EQ(vtableEntry(static_cast<Status (P::*)(const short&, KxString&)>(
                  &ParameterProbe::removeFromGroup)),
              afterDestructor(17));
    EXPECT_EQ(vtableEntry(&ParameterProbe::setNameInternal), afterDestructor(18));
    EXPECT_EQ(vtableEntry(&ParameterProbe::setExpressionInternal), afterDestructor(19));
    EXPECT_EQ(vtableEntry(&ParameterProbe::setGroupNameIndexesInternal), afterDestructor(20));
    EXPECT_EQ(vtableEntry(&ParameterProbe::validateName), afterDestructor(21));
    EXPECT_EQ(vtableEntry(&ParameterProbe::validateExpression), afterDestructor(22));
    EXPECT_EQ(vtableEntry(&ParameterProbe::updateParameterInternal), afterDestructor(23));
    EXPECT_EQ(vtableEntry(&ParameterProbe::probe), afterDestructor(24));
    // The public operations are not virtual.
    EXPECT_EQ(vtableEntry(&P::setName), -1);
    EXPECT_EQ(vtableEntry(&P::addReactor), -1);
}

TEST(SlotOrder, ParameterProperty) {
    EXPECT_EQ(vtableEntry(&KxParameterProperty::applyValue), afterDestructor(1));
    EXPECT_EQ(vtableEntry(&KxParameterProperty::updateValue), afterDestructor(2));
    EXPECT_EQ(vtableEntry(&KxParameterProperty::getValueSet), afterDestructor(3));
    EXPECT_EQ(vtableEntry(&PropertyProbe::probe), afterDestructor(4));
}

TEST(SlotOrder, ParameterReactorHasItsDestructorLast) {
    using R = KxParameterReactor;
    EXPECT_EQ(vtableEntry(&R::nameWillChange), 0);
    EXPECT_EQ(vtableEntry(&R::nameChanged), 1);
    EXPECT_EQ(vtableEntry(&R::expressionWillChange), 2);
    EXPECT_EQ(vtableEntry(&R::expressionChanged), 3);
    EXPECT_EQ(vtableEntry(&R::propertyWillChange), 4);
    EXPECT_EQ(vtableEntry(&R::propertyChanged), 5);
    EXPECT_EQ(vtableEntry(&R::parameterModified), 6);
    EXPECT_EQ(vtableEntry(&R::modificationFailed), 7);
    EXPECT_EQ(vtableEntry(&R::groupsWillChange), 8);
    EXPECT_EQ(vtableEntry(&R::groupsChanged), 9);
    // Entries 10 and 11 are the destructor's.
    EXPECT_EQ(vtableEntry(&ReactorProbe::probe), 12);
}

TEST(SlotOrder, ObserversKeepTheirInterfacesOrder) {
    using O = KxParameterObserver;
    EXPECT_EQ(vtableEntry(&O::nameWillChange), 0);
    EXPECT_EQ(vtableEntry(&O::nameChanged), 1);
    EXPECT_EQ(vtableEntry(&O::expressionWillChange), 2);
    EXPECT_EQ(vtableEntry(&O::expressionChanged), 3);
    EXPECT_EQ(vtableEntry(&O::propertyWillChange), 4);
    EXPECT_EQ(vtableEntry(&O::propertyChanged), 5);
    EXPECT_EQ(vtableEntry(&O::parameterModified), 6);
    EXPECT_EQ(vtableEntry(&O::modificationFailed), 7);
    EXPECT_EQ(vtableEntry(&O::groupsWillChange), 8);
    EXPECT_EQ(vtableEntry(&O::groupsChanged), 9);
    EXPECT_EQ(vtableEntry(&KxParameterCollectionObserver::parameterAdded), 0);
    EXPECT_EQ(vtableEntry(&KxParameterCollectionObserver::parametersDeleted), 1);
}

TEST(SlotOrder, ValueSetsHaveOnlyTheirDestructor) {
    EXPECT_EQ(vtableEntry(&ValueSetProbe::probe), afterDestructor(1));
    EXPECT_EQ(vtableEntry(&ValueSetListProbe::probe), afterDestructor(1));
}

TEST(SlotOrder, Collection) {
    using C = KxParameterCollection;
    EXPECT_EQ(vtableEntry(&C::createParameter), afterDestructor(1));
    EXPECT_EQ(vtableEntry(&C::checkParametersForDeletion), afterDestructor(2));
    EXPECT_EQ(vtableEntry(&CollectionProbe::deleteParametersInternal), afterDestructor(3));
    EXPECT_EQ(vtableEntry(&CollectionProbe::getSupportedPropertiesInternal), afterDestructor(4));
    EXPECT_EQ(vtableEntry(&CollectionProbe::probe), afterDestructor(5));
    EXPECT_EQ(vtableEntry(&KxParameterCollectionReactor::parameterAdded), 0);
    EXPECT_EQ(vtableEntry(&KxParameterCollectionReactor::parametersDeleted), 1);
    EXPECT_EQ(vtableEntry(&CollectionReactorProbe::probe), 4);
    EXPECT_EQ(vtableEntry(&KxParameterPropertyEnabler::enableProperties), 0);
    EXPECT_EQ(vtableEntry(&EnablerProbe::probe), 3);
}

TEST(SlotOrder, GroupCollectionAndFilters) {
    using G = GroupCollectionProbe;
    EXPECT_EQ(vtableEntry(&G::getGroupIndex), afterDestructor(1));
    EXPECT_EQ(vtableEntry(&G::addParameterGroupInternal), afterDestructor(2));
    EXPECT_EQ(vtableEntry(&G::deleteParameterGroupInternal), afterDestructor(3));
    EXPECT_EQ(vtableEntry(&G::renameParameterGroupInternal), afterDestructor(4));
    EXPECT_EQ(vtableEntry(&G::probe), afterDestructor(5));
    EXPECT_EQ(vtableEntry(&KxParameterFilter::filterParameters), afterDestructor(1));
    EXPECT_EQ(vtableEntry(&FilterProbe::probe), afterDestructor(2));
    EXPECT_EQ(vtableEntry(&KxParameterGroupFilter::filterParameters), afterDestructor(1));
    EXPECT_EQ(vtableEntry(&GroupFilterProbe::probe), afterDestructor(2));
}

TEST(SlotOrder, ManagerReactorHasItsDestructorLast) {
    using R = KxParameterManagerReactor;
    EXPECT_EQ(vtableEntry(&R::collectionWillBeRegistered), 0);
    EXPECT_EQ(vtableEntry(&R::collectionRegistered), 1);
    EXPECT_EQ(vtableEntry(&R::collectionWillBeUnregistered), 2);
    EXPECT_EQ(vtableEntry(&R::collectionUnregistered), 3);
    EXPECT_EQ(vtableEntry(&R::activeCollectionWillBeSet), 4);
    EXPECT_EQ(vtableEntry(&R::activeCollectionSet), 5);
    EXPECT_EQ(vtableEntry(&R::groupCollectionWillBeRegistered), 6);
    EXPECT_EQ(vtableEntry(&R::groupCollectionRegistered), 7);
    EXPECT_EQ(vtableEntry(&R::groupCollectionWillBeUnregistered), 8);
    EXPECT_EQ(vtableEntry(&R::groupCollectionUnregistered), 9);
    // Entries 10 and 11 are the destructor's.
    EXPECT_EQ(vtableEntry(&ManagerReactorProbe::probe), 12);
}

// The palette interface and the proxy share the 23 operations, then the destructor.
template <class Palette>
void expectPaletteOrder() {
    using H = Palette;
    EXPECT_EQ(vtableEntry(&H::initialize), 0);
    EXPECT_EQ(vtableEntry(&H::show), 1);
    EXPECT_EQ(vtableEntry(&H::restore), 2);
    EXPECT_EQ(vtableEntry(&H::cancelCurrentEdit), 3);
    EXPECT_EQ(vtableEntry(&H::setESWLockUpdate), 4);
    EXPECT_EQ(vtableEntry(&H::SetImageListAndIndexPair), 5);
    EXPECT_EQ(vtableEntry(&H::updateParameterDataInUI), 6);
    EXPECT_EQ(vtableEntry(&H::addParameterDataInUI), 7);
    EXPECT_EQ(vtableEntry(&H::deleteParameterDataInUI), 8);
    EXPECT_EQ(vtableEntry(&H::repopulateGroupDataInUI), 9);
    EXPECT_EQ(vtableEntry(&H::updateCurrentGroupDataInUI), 10);
    EXPECT_EQ(vtableEntry(&H::showErrorTaskDialog), 11);
    EXPECT_EQ(vtableEntry(&H::markInvalidCell), 12);
    EXPECT_EQ(vtableEntry(&H::isListControlDeleted), 13);
    EXPECT_EQ(vtableEntry(&H::setFilterLock), 14);
    EXPECT_EQ(vtableEntry(&H::refresh), 15);
    EXPECT_EQ(vtableEntry(&H::IsVisible), 16);
    EXPECT_EQ(vtableEntry(&H::setPredefinedExpressions), 17);
    EXPECT_EQ(vtableEntry(&H::getPredefinedExpressions), 18);
    EXPECT_EQ(vtableEntry(&H::activeCollectionChanged), 19);
    EXPECT_EQ(vtableEntry(&H::resetSearchPattern), 20);
    EXPECT_EQ(vtableEntry(&H::hideFilterTree), 21);
    EXPECT_EQ(vtableEntry(&H::getCurrentFilter), 22);
}

TEST(SlotOrder, PaletteInterfaceAndProxy) {
    expectPaletteOrder<IKxApParameterManagerESWHost>();
    expectPaletteOrder<KxApParameterManagerESW>();
    // Entries 23 and 24 are the destructor's.
    EXPECT_EQ(vtableEntry(&PaletteProbe::probe), 25);
    EXPECT_EQ(vtableEntry(&KxApParameterManagerESW::setHost), -1);
}

// The shell compiles against the console palette's control and the proxy calls the palette
// through the interface's entries.
TEST(SlotOrder, ConsolePaletteAndItsControl) {
    expectPaletteOrder<KxConsolePalette>();
    using C = KxConsolePaletteControl;
    EXPECT_EQ(vtableEntry(&C::setOutput), 0);
    EXPECT_EQ(vtableEntry(&C::draw), 1);
    EXPECT_EQ(vtableEntry(&C::editName), 2);
    EXPECT_EQ(vtableEntry(&C::editExpression), 3);
    EXPECT_EQ(vtableEntry(&C::editProperty), 4);
    EXPECT_EQ(vtableEntry(&C::setGroupFilter), 5);
    EXPECT_EQ(vtableEntry(&C::clearFilter), 6);
}

TEST(SlotOrder, DocLockAndUndoBracket) {
    using L = KxApDocLock;
    using LockForm = const wchar_t*;
    EXPECT_EQ(vtableEntry(static_cast<Status (L::*)(KxDbObjectId, int, LockForm, LockForm, bool)>(
                  &L::lock)),
              afterDestructor(1));
    EXPECT_EQ(vtableEntry(static_cast<Status (L::*)(KxDbDatabase*, int, LockForm, LockForm, bool)>(
                  &L::lock)),
              afterDestructor(2));
    EXPECT_EQ(vtableEntry(static_cast<Status (L::*)(KxApDocument*, int, LockForm, LockForm, bool)>(
                  &L::lock)),
              afterDestructor(3));
    EXPECT_EQ(vtableEntry(&L::unlock), afterDestructor(4));
    EXPECT_EQ(vtableEntry(&L::detachDocument), afterDestructor(5));
    EXPECT_EQ(vtableEntry(&DocLockProbe::probe), afterDestructor(6));
    EXPECT_FALSE(std::is_polymorphic_v<KxPmUndoBracket>);
}

} // namespace
