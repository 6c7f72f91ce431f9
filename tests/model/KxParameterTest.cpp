#include "support/TestParameter.h"

#include "host/KxDbDatabase.h"
#include "host/KxDbEntity.h"
#include "model/KxParameterValueSetList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

using ::testing::ElementsAre;

namespace {

// Its group hooks answer as the test sets.
class GroupingParameter : public TestParameter {
public:
    using KxParameter::addToGroup, KxParameter::removeFromGroup;
    using TestParameter::TestParameter;
    Lumo::ErrorStatus mHookStatus = Lumo::eOk;

protected:
    Lumo::ErrorStatus addToGroup(const short&, KxString&) override { return mHookStatus; }
    Lumo::ErrorStatus removeFromGroup(const short&, KxString&) override { return mHookStatus; }
};

TEST(Parameter, EachRealChangeIsAnnouncedVettedAndAnnouncedAgainOrRefused) {
    EventLog log;
    GroupingParameter parameter(&log);
    RecordingReactor reactor("A", log);
    parameter.addReactor(&reactor);
    const auto refusal = static_cast<Lumo::ErrorStatus>(5);
    auto* held = new TestProperty(L"count", &log);
    parameter.addProperty(held);
    held->value() = 3;
    TestProperty source(L"count");
    source.value() = short{3}; // another value than a 32-bit 3
    const KxString name(L"Width");
    // Equal texts and values call nobody.
    EXPECT_EQ(parameter.setName(name), Lumo::eOk);
    EXPECT_EQ(parameter.setName(name), Lumo::eOk);
    EXPECT_EQ(reactor.mpLastText, &name); // the caller's text, not the stored copy
    EXPECT_EQ(parameter.setProperty(source), Lumo::eOk);
    EXPECT_EQ(parameter.setProperty(source), Lumo::eOk);
    EXPECT_EQ(reactor.mpLastProperty, held);
    // Names compare exactly: letter case makes a change, which is refused.
    parameter.mValidateStatus = held->mApplyStatus = refusal;
    parameter.mValidateMessage = L"taken";
    held->mApplyDetail = L"computed";
    source.value() = 4;
    EXPECT_EQ(parameter.setName(L"width"), refusal);
    EXPECT_EQ(parameter.setExpression(L"w"), refusal);
    EXPECT_EQ(parameter.setProperty(source), refusal);
    // Joining a group again or leaving one the parameter is not in is no change; a whole list,
    // twins and all, is told once it is set, and leaving takes the first twin.
    EXPECT_EQ(parameter.addToGroup(short{4}), Lumo::eOk);
    EXPECT_EQ(parameter.addToGroup(short{4}), Lumo::eOk);
    EXPECT_EQ(parameter.removeFromGroup(short{9}), Lumo::eOk);
    KxParameter::GroupIndexList groups;
    for (const short index : std::initializer_list<short>{7, 1, 7}) {
        groups.append(index);
    }
    EXPECT_EQ(parameter.setGroupNameIndexesInternal(groups), Lumo::eOk);
    EXPECT_EQ(parameter.removeFromGroup(short{7}), Lumo::eOk);
    parameter.mHookStatus = refusal;
    EXPECT_EQ(parameter.removeFromGroup(short{1}), refusal);
    EXPECT_EQ(TestParameter().addToGroup(short{4}), Lumo::eNotAllowed); // the base hook refuses
    // A refresh updates each property before the reactors hear, when they are to hear.
    EXPECT_EQ(parameter.updateParameter(false), Lumo::eOk);
    EXPECT_EQ(parameter.updateParameter(true), Lumo::eOk);
    parameter.mUpdateStatus = refusal;
    EXPECT_EQ(parameter.updateParameter(true), refusal);
    EXPECT_THAT(
        log, ElementsAre("A: nameWillChange Width", "validateName Width", "setNameInternal Width",
                         "A: nameChanged Width", "A: propertyWillChange count", "applyValue count",
                         "A: propertyChanged count", "A: nameWillChange width",
                         "validateName width", "A: modificationFailed 5 [taken] []",
                         "A: expressionWillChange w", "validateExpression w",
                         "A: modificationFailed 5 [taken] []", "A: propertyWillChange count",
                         "applyValue count", "A: modificationFailed 5 [] [computed]",
                         "A: groupsWillChange", "A: groupsChanged 4", "A: groupsChanged 7 1 7",
                         "A: groupsWillChange 7 1 7", "A: groupsChanged 1 7",
                         "A: groupsWillChange 1 7", "A: modificationFailed 5 [] []",
                         "updateParameterInternal", "updateValue count", "updateParameterInternal",
                         "updateValue count", "A: parameterModified", "updateParameterInternal"));
    EXPECT_EQ(parameter.getName(), name);
    EXPECT_EQ(held->value(), KxDbEvalVariant(short{3}));
    groups.append(9); // the caller's entries are replaced
    EXPECT_EQ(parameter.getGroupNameIndexes(groups), Lumo::eOk);
    EXPECT_THAT(groups, ElementsAre(1, 7));
}

// Registers a newcomer, or removes itself, when it hears that a name will change; removes (and so
// deletes) a property when it hears that the property will change.
class MeddlingReactor : public KxParameterReactor {
public:
    MeddlingReactor(KxParameter& parameter, KxParameterReactor* newcomer)
        : mParameter(parameter), mpNewcomer(newcomer) {}
    void nameWillChange(KxParameter*, const KxString&) override {
        mpNewcomer ? mParameter.addReactor(mpNewcomer) : mParameter.removeReactor(this);
    }
    void propertyWillChange(KxParameter*, KxParameterProperty* property) override {
        mParameter.removeProperty(property->getName().wstr().c_str());
    }
    KxParameter& mParameter;
    KxParameterReactor* mpNewcomer;
};

TEST(ParameterReactors, TheWalkReadsTheListAfreshAndEachReactorStandsOnce) {
    EventLog log;
    RecordingReactor b("B", log), c("C", log);
    TestParameter parameter;
    MeddlingReactor leaving(parameter, nullptr), registering(parameter, &c);
    parameter.addReactor(&leaving);
    parameter.addReactor(&b);
    parameter.addReactor(&registering);
    // One that removes itself makes the walk skip its successor; a newcomer hears the same notice.
    parameter.setName(L"x");
    EXPECT_THAT(log, ElementsAre("C: nameWillChange x", "B: nameChanged x", "C: nameChanged x"));
    EXPECT_EQ(parameter.addReactor(&b), Lumo::eOk); // stands once all the same
    EXPECT_EQ(parameter.removeReactor(&b), Lumo::eOk);
    EXPECT_EQ(parameter.removeReactor(&b), Lumo::eInvalidInput);
    EXPECT_EQ(TestParameter().removeReactor(&b), Lumo::eEmptyList);
    EXPECT_EQ(parameter.addReactor(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(parameter.removeReactor(nullptr), Lumo::eNullPtr);
    // A property removed while its change is announced is not asked to apply the value.
    TestParameter owner;
    MeddlingReactor removing(owner, nullptr);
    owner.addReactor(&b);
    owner.addReactor(&removing);
    owner.addProperty(new TestProperty(L"count", &log));
    TestProperty source(L"count");
    source.value() = 1;
    log.clear();
    EXPECT_EQ(owner.setProperty(source), Lumo::eKeyNotFound);
    EXPECT_THAT(log, ElementsAre("B: propertyWillChange count",
                                 "B: modificationFailed 22 [the property count was removed while "
                                 "its change was announced] []"));
}

TEST(ParameterBase, PrecisionAppliesToReadableNumbersOnlyAndThereIsNoObject) {
    TestParameter parameter;
    KxDbEvalVariant point;
    point.setPoint({1, 2, 3});
    for (const KxDbEvalVariant& value : {KxDbEvalVariant(1.5), KxDbEvalVariant(7), point,
                                         KxDbEvalVariant(L"7"), KxDbEvalVariant(short{7})}) {
        parameter.mValue = value;
        const bool expected = value.getType() != kDwgText && value.getType() != kDwgInt16;
        bool numeric = !expected;
        EXPECT_EQ(parameter.convertPrecision(numeric), expected) << value.getType();
        EXPECT_EQ(numeric, expected) << value.getType();
    }
    parameter.mValueStatus = Lumo::eInvalidInput;
    bool numeric = true;
    EXPECT_FALSE(parameter.convertPrecision(numeric) || numeric);
    EXPECT_FALSE(parameter.hasAngularUnits() || parameter.isExpressionReadOnly());
    KxDbObjectId id(42);
    EXPECT_EQ(parameter.getObjectId(id), Lumo::eNullObjectId);
    EXPECT_TRUE(id.isNull());
}

// Notes the owner it still names when it is destroyed, and has a value set of its own.
class NotingProperty : public TestProperty {
public:
    NotingProperty(const wchar_t* name, KxParameter*& ownerAtEnd)
        : TestProperty(name), mOwnerAtEnd(ownerAtEnd) {}
    ~NotingProperty() override { mOwnerAtEnd = getOwner(); }
    Lumo::ErrorStatus getValueSet(KxParameterValueSet*& set) const override {
        set = const_cast<KxParameterValueSetList*>(&mChoices);
        return Lumo::eOk;
    }
    KxParameter*& mOwnerAtEnd;
    KxParameterValueSetList mChoices;
};

TEST(ParameterProperties, NamesAreUniqueAndExactValueSetsAskedByNameRemovalClearsTheOwner) {
    auto* const alive = reinterpret_cast<KxParameter*>(1);
    KxParameter *aEnd = alive, *bEnd = alive, *cEnd = alive;
    {
        TestParameter parameter;
        auto* a = new NotingProperty(L"a", aEnd);
        auto* b = new NotingProperty(L"b", bEnd);
        TestProperty clash(L"a");
        EXPECT_EQ(parameter.removeProperty(L"a"), Lumo::eKeyNotFound);
        EXPECT_EQ(parameter.addProperty(nullptr), Lumo::eNullPtr);
        EXPECT_EQ(parameter.addProperty(a), Lumo::eOk);
        EXPECT_EQ(parameter.addProperty(b), Lumo::eOk);
        EXPECT_EQ(parameter.addProperty(new NotingProperty(L"c", cEnd)), Lumo::eOk);
        EXPECT_EQ(parameter.addProperty(&clash), Lumo::eDuplicateKey);
        EXPECT_EQ(clash.getOwner(), nullptr);
        EXPECT_EQ(std::as_const(parameter).getProperty(L"a"), a);
        // Only the listed property of that name is asked for a value set; the base has none.
        KxParameterValueSet* set = nullptr;
        EXPECT_EQ(parameter.getValueSet({KxParameter::kListedProperty, L"a"}, set), Lumo::eOk);
        EXPECT_EQ(set, &a->mChoices);
        for (const KxParameter::PropNameInfo& property :
             {KxParameter::PropNameInfo{KxParameter::kListedProperty, L"A"},
              {KxParameter::kListedProperty, L""},
              {KxParameter::kValueProperty, L"a"}}) {
            EXPECT_EQ(parameter.getValueSet(property, set), Lumo::eOk);
            EXPECT_EQ(set, nullptr);
            set = &a->mChoices;
        }
        EXPECT_EQ(clash.getValueSet(set), Lumo::eOk);
        EXPECT_EQ(set, nullptr);
        EXPECT_EQ(parameter.getProperty(nullptr), nullptr);
        EXPECT_EQ(parameter.removeProperty(L"A"), Lumo::eKeyNotFound);
        EXPECT_EQ(parameter.removeProperty(nullptr), Lumo::eKeyNotFound);
        EXPECT_EQ(parameter.removeProperty(L"a"), Lumo::eOk);
        EXPECT_EQ(parameter.removeProperty(L"c"), Lumo::eOk);
        EXPECT_EQ(aEnd, nullptr);
        EXPECT_EQ(cEnd, nullptr);
        EXPECT_THAT(parameter.getProperties(), ElementsAre(b));
        EXPECT_EQ(std::as_const(parameter).getProperty(L"b"), b);
        // A null or empty name finds the first property without a name.
        auto* unnamed = new TestProperty(nullptr);
        parameter.addProperty(unnamed);
        EXPECT_EQ(parameter.getProperty(nullptr), unnamed);
        EXPECT_EQ(std::as_const(parameter).getProperty(L""), unnamed);
        // An assigned property takes every field, the owner included.
        b->setReadOnly(true);
        b->value() = 12;
        clash = *b; // NOLINT(cppcoreguidelines-slicing): the base's assignment is tested
        EXPECT_EQ(clash.getOwner(), &parameter);
        EXPECT_TRUE(clash.isReadOnly());
        EXPECT_EQ(clash.value(), KxDbEvalVariant(12));
        EXPECT_EQ(clash.getName(), KxString(L"b"));
        clash.setName(L"d");
        EXPECT_EQ(clash.getName(), KxString(L"d"));
    }
    // The parameter's end deletes the rest.
    EXPECT_NE(bEnd, alive);
}

TEST(ParameterHighlight, PushesOneHighlightPopsOnlyWhatItPushedAndGivesTheEntityBack) {
    KxDbDatabase database;
    auto* entity = new KxDbEntity;
    TestParameter parameter;
    ASSERT_EQ(database.addObject(entity, parameter.mEntityId), Lumo::eOk);
    KxDbObjectId refused = parameter.mEntityId; // a refused object leaves the null id behind
    EXPECT_TRUE(database.addObject(nullptr, refused) == Lumo::eNullPtr && refused.isNull());
    const KxDbFullSubentPath path(parameter.mEntityId, KxDbSubentId());
    const KxDbHighlight theirs{path, kKxGiHighlightOutline}, ours{path, kKxGiHighlightDashedThick};
    KxDbEntity* opened = nullptr;
    ASSERT_EQ(kxdbOpenObject(opened, parameter.mEntityId, KxDb::kForRead), Lumo::eOk);
    ASSERT_EQ(opened->pushHighlight(path, theirs.style), Lumo::eOk);
    opened->close();
    EXPECT_EQ(parameter.highlight(false, false), Lumo::eOk); // nothing of ours to pop
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eOk);
    EXPECT_EQ(parameter.highlight(true, true), Lumo::eOk); // does not nest
    EXPECT_THAT(entity->highlights(), ElementsAre(theirs, ours));
    EXPECT_EQ(parameter.highlight(false, false), Lumo::eOk);
    EXPECT_EQ(parameter.highlight(false, false), Lumo::eOk);
    EXPECT_THAT(entity->highlights(), ElementsAre(theirs));
    // Without an entity that opens, nothing is pushed.
    parameter.mEntityIdStatus = Lumo::eInvalidInput;
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eNotAnEntity);
    parameter.mEntityIdStatus = Lumo::eOk;
    ASSERT_EQ(database.erase(parameter.mEntityId), Lumo::eOk);
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eWasErased);
    parameter.mEntityId.setNull();
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eNotAnEntity);
    EXPECT_EQ(entity->openCount(), 6);
    EXPECT_EQ(entity->closeCount(), 6);
}

} // namespace
