#include "support/TestParameter.h"

#include "model/KxParameterValueSetList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

TEST(ParameterProperty, ConstructionAndCopyKeepEveryField) {
    TestProperty unnamed(nullptr);
    EXPECT_TRUE(unnamed.getName().isEmpty());
    EXPECT_FALSE(unnamed.isReadOnly());
    EXPECT_EQ(unnamed.value().getType(), kDwgNull);
    EXPECT_EQ(unnamed.getOwner(), nullptr);

    TestParameter parameter;
    auto* held = new TestProperty(L"count");
    held->setReadOnly(true);
    held->value() = 12;
    ASSERT_EQ(parameter.addProperty(held), Lumo::eOk);
    EXPECT_EQ(held->getOwner(), &parameter);

    // A copy names the same owner, although the owner's list does not hold it.
    TestProperty copy(*held);
    EXPECT_EQ(copy.getOwner(), &parameter);
    EXPECT_EQ(copy.getName(), KxString(L"count"));
    EXPECT_TRUE(copy.isReadOnly());
    EXPECT_EQ(copy.value(), KxDbEvalVariant(12));
    EXPECT_THAT(parameter.getProperties(), ElementsAre(held));

    TestProperty assigned(L"other");
    assigned = *held;
    EXPECT_EQ(assigned.getName(), KxString(L"count"));
    EXPECT_EQ(assigned.getOwner(), &parameter);
    EXPECT_EQ(assigned.value(), KxDbEvalVariant(12));

    KxParameterValueSetList list;
    KxParameterValueSet* set = &list;
    EXPECT_EQ(held->getValueSet(set), Lumo::eOk);
    EXPECT_EQ(set, nullptr);
}

TEST(ParameterPropertyList, NamesAreUniqueExactAndEmptyNamesFindTheFirstUnnamed) {
    TestParameter parameter;
    auto* width = new TestProperty(L"Width");
    auto* lower = new TestProperty(L"width");
    auto* unnamed = new TestProperty(L"");

    EXPECT_EQ(parameter.addProperty(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(parameter.getProperty(nullptr), nullptr);
    EXPECT_EQ(parameter.addProperty(width), Lumo::eOk);
    EXPECT_EQ(parameter.addProperty(lower), Lumo::eOk);
    EXPECT_EQ(parameter.addProperty(width), Lumo::eDuplicateKey);
    TestProperty clash(L"width");
    EXPECT_EQ(parameter.addProperty(&clash), Lumo::eDuplicateKey);
    EXPECT_EQ(clash.getOwner(), nullptr);
    EXPECT_EQ(parameter.getProperty(nullptr), nullptr);
    EXPECT_EQ(parameter.addProperty(unnamed), Lumo::eOk);
    EXPECT_THAT(parameter.getProperties(), ElementsAre(width, lower, unnamed));

    EXPECT_EQ(parameter.getProperty(L"Width"), width);
    EXPECT_EQ(parameter.getProperty(L"width"), lower);
    EXPECT_EQ(parameter.getProperty(L"WIDTH"), nullptr);
    EXPECT_EQ(parameter.getProperty(nullptr), unnamed);
    EXPECT_EQ(std::as_const(parameter).getProperty(L""), unnamed);
}

TEST(ParameterPropertyList, RemovalDestroysThePropertyAndKeepsTheOrder) {
    TestParameter parameter;
    EXPECT_EQ(parameter.removeProperty(L"a"), Lumo::eKeyNotFound);
    bool destroyed = false;
    auto* a = new TestProperty(L"a");
    auto* b = new TestProperty(L"b", nullptr, &destroyed);
    auto* c = new TestProperty(L"c");
    parameter.addProperty(a);
    parameter.addProperty(b);
    parameter.addProperty(c);

    EXPECT_EQ(parameter.removeProperty(L"B"), Lumo::eKeyNotFound);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(parameter.removeProperty(L"b"), Lumo::eOk);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(parameter.getProperty(L"b"), nullptr);
    EXPECT_THAT(parameter.getProperties(), ElementsAre(a, c));
}

struct ParameterWithProperty : ::testing::Test {
    EventLog log;
    TestParameter parameter{&log};
    RecordingReactor first{"A", log};
    RecordingReactor second{"B", log};
    TestProperty* held = new TestProperty(L"count", &log);

    void SetUp() override {
        held->value() = 3;
        ASSERT_EQ(parameter.addProperty(held), Lumo::eOk);
        parameter.addReactor(&first);
        parameter.addReactor(&second);
    }
};

TEST_F(ParameterWithProperty, AnAcceptedValueIsAnnouncedWithTheHeldProperty) {
    TestProperty source(L"count");
    source.value() = 4;
    EXPECT_EQ(parameter.setProperty(source), Lumo::eOk);
    EXPECT_THAT(log, ElementsAre("A: propertyWillChange count", "B: propertyWillChange count",
                                 "applyValue count", "A: propertyChanged count",
                                 "B: propertyChanged count"));
    EXPECT_EQ(first.mpLastProperty, held);
    EXPECT_EQ(held->value(), KxDbEvalVariant(4));
}

TEST_F(ParameterWithProperty, EqualOrUnknownValuesCallNobody) {
    TestProperty same(L"count");
    same.value() = 3;
    EXPECT_EQ(parameter.setProperty(same), Lumo::eOk);
    TestProperty unknown(L"Count");
    unknown.value() = 4;
    EXPECT_EQ(parameter.setProperty(unknown), Lumo::eKeyNotFound);
    // A 16-bit 3 is another value than a 32-bit 3.
    TestProperty otherType(L"count");
    otherType.value() = static_cast<short>(3);
    EXPECT_EQ(parameter.setProperty(otherType), Lumo::eOk);
    EXPECT_THAT(log, ElementsAre("A: propertyWillChange count", "B: propertyWillChange count",
                                 "applyValue count", "A: propertyChanged count",
                                 "B: propertyChanged count"));
}

TEST_F(ParameterWithProperty, ARefusalPassesTheStatusAndBothTexts) {
    held->mApplyStatus = static_cast<Lumo::ErrorStatus>(7);
    held->mApplyMessage = L"read-only";
    held->mApplyDetail = L"count is computed";
    TestProperty source(L"count");
    source.value() = 4;

    EXPECT_EQ(parameter.setProperty(source), 7);
    EXPECT_THAT(log, ElementsAre("A: propertyWillChange count", "B: propertyWillChange count",
                                 "applyValue count",
                                 "A: modificationFailed 7 [read-only] [count is computed]",
                                 "B: modificationFailed 7 [read-only] [count is computed]"));
    EXPECT_EQ(held->value(), KxDbEvalVariant(3));
    // The reactors were shown the held property, never the caller's.
    EXPECT_EQ(first.mpLastProperty, held);
    EXPECT_EQ(second.mpLastProperty, held);
}

// Answers with a value set of its own.
class RestrictedProperty : public TestProperty {
public:
    using TestProperty::TestProperty;
    Lumo::ErrorStatus getValueSet(KxParameterValueSet*& valueSet) const override {
        valueSet = const_cast<KxParameterValueSetList*>(&mChoices);
        return Lumo::eOk;
    }
    KxParameterValueSetList mChoices;
};

// Answers for its built-in value property, and refuses the others.
class ParameterWithBuiltInSets : public TestParameter {
public:
    using TestParameter::getValueSet;
    KxParameterValueSetList mValueChoices;

protected:
    Lumo::ErrorStatus getValueSet(PropNameIndex index,
                                  KxParameterValueSet*& valueSet) const override {
        if (index != kValueProperty) {
            return static_cast<Lumo::ErrorStatus>(12);
        }
        valueSet = const_cast<KxParameterValueSetList*>(&mValueChoices);
        return Lumo::eOk;
    }
};

TEST(ParameterValueSets, BuiltInPropertiesAreAnsweredByTheDerivedParameter) {
    ParameterWithBuiltInSets parameter;
    KxParameterValueSet* set = nullptr;
    EXPECT_EQ(parameter.getValueSet({KxParameter::kValueProperty, L""}, set), Lumo::eOk);
    EXPECT_EQ(set, &parameter.mValueChoices);
    EXPECT_EQ(parameter.getValueSet({KxParameter::kNameProperty, L""}, set), 12);
    EXPECT_EQ(set, nullptr);
    // Index 3 asks the list, never the derived parameter, even for an empty name.
    EXPECT_EQ(parameter.getValueSet({KxParameter::kListedProperty, L""}, set), Lumo::eOk);
    EXPECT_EQ(set, nullptr);
}

TEST(ParameterValueSets, ListedPropertiesAnswerByNameOthersByTheParameter) {
    TestParameter parameter;
    auto* restricted = new RestrictedProperty(L"size");
    parameter.addProperty(restricted);
    KxParameterValueSetList unrelated;
    KxParameterValueSet* set = &unrelated;

    EXPECT_EQ(parameter.getValueSet({KxParameter::kListedProperty, L"size"}, set), Lumo::eOk);
    EXPECT_EQ(set, &restricted->mChoices);
    EXPECT_NE(dynamic_cast<KxParameterValueSetList*>(set), nullptr);
    EXPECT_EQ(parameter.getValueSet({KxParameter::kListedProperty, L"none"}, set), Lumo::eOk);
    EXPECT_EQ(set, nullptr);
    set = &unrelated;
    EXPECT_EQ(parameter.getValueSet({KxParameter::kNameProperty, L"size"}, set), Lumo::eOk);
    EXPECT_EQ(set, nullptr);
}

} // namespace
