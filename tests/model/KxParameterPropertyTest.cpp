#include "support/TestParameter.h"

#include "model/KxParameterValueSetList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// Notes the owner it still names when it is destroyed.
class NotingProperty : public TestProperty {
public:
    NotingProperty(const wchar_t* name, KxParameter*& ownerAtEnd)
        : TestProperty(name), mOwnerAtEnd(ownerAtEnd) {}
    ~NotingProperty() override { mOwnerAtEnd = getOwner(); }
    KxParameter*& mOwnerAtEnd;
};

TEST(ParameterPropertyList, NamesAreUniqueAndExactAndAnEmptyNameFindsTheFirstUnnamed) {
    TestParameter parameter;
    auto* width = new TestProperty(L"Width");
    auto* lower = new TestProperty(L"width");
    TestProperty clash(L"width");
    EXPECT_EQ(parameter.addProperty(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(parameter.addProperty(width), Lumo::eOk);
    EXPECT_EQ(parameter.addProperty(lower), Lumo::eOk);
    EXPECT_EQ(parameter.addProperty(width), Lumo::eDuplicateKey);
    EXPECT_EQ(parameter.addProperty(&clash), Lumo::eDuplicateKey);
    EXPECT_EQ(clash.getOwner(), nullptr);
    EXPECT_EQ(width->getOwner(), &parameter);
    EXPECT_EQ(parameter.getProperty(nullptr), nullptr);
    EXPECT_EQ(std::as_const(parameter).getProperty(L"Width"), width);
    EXPECT_EQ(parameter.getProperty(L"width"), lower);
    EXPECT_EQ(parameter.getProperty(L"WIDTH"), nullptr);
    auto* unnamed = new TestProperty(nullptr);
    EXPECT_EQ(parameter.addProperty(unnamed), Lumo::eOk);
    EXPECT_EQ(parameter.getProperty(nullptr), unnamed);
    EXPECT_EQ(std::as_const(parameter).getProperty(L""), unnamed);
    EXPECT_THAT(parameter.getProperties(), ElementsAre(width, lower, unnamed));
}

TEST(ParameterPropertyList, RemovalAtEitherEndClearsTheOwnerAndDestroysTheProperty) {
    auto* const alive = reinterpret_cast<KxParameter*>(1);
    KxParameter *aEnd = alive, *bEnd = alive, *cEnd = alive;
    EventLog log;
    RecordingReactor reactor("A", log);
    {
        TestParameter parameter;
        parameter.addReactor(&reactor);
        EXPECT_EQ(parameter.removeProperty(L"a"), Lumo::eKeyNotFound);
        auto* b = new NotingProperty(L"b", bEnd);
        auto* c = new NotingProperty(L"c", cEnd);
        for (TestProperty* property : {new NotingProperty(L"a", aEnd), b, c}) {
            parameter.addProperty(property);
        }
        EXPECT_EQ(parameter.removeProperty(L"A"), Lumo::eKeyNotFound);
        EXPECT_EQ(parameter.removeProperty(nullptr), Lumo::eKeyNotFound);
        EXPECT_EQ(parameter.removeProperty(L"a"), Lumo::eOk);
        EXPECT_EQ(aEnd, nullptr);
        EXPECT_THAT(parameter.getProperties(), ElementsAre(b, c));
        EXPECT_EQ(std::as_const(parameter).getProperty(L"b"), b);
        EXPECT_EQ(parameter.removeProperty(L"c"), Lumo::eOk);
        EXPECT_EQ(cEnd, nullptr);
        EXPECT_THAT(parameter.getProperties(), ElementsAre(b));
        EXPECT_EQ(bEnd, alive);
    }
    // The parameter's end deletes the rest and tells no reactor.
    EXPECT_NE(bEnd, alive);
    EXPECT_THAT(log, IsEmpty());
}

TEST(ParameterPropertyList, ANewValueIsAppliedByTheHeldPropertyAndAnnouncedWithIt) {
    EventLog log;
    TestParameter parameter;
    RecordingReactor reactor("A", log);
    parameter.addReactor(&reactor);
    auto* held = new TestProperty(L"count", &log);
    parameter.addProperty(held);
    held->value() = 3;
    TestProperty source(L"count"), unknown(L"Count");
    source.value() = 3;
    unknown.value() = 4;
    EXPECT_EQ(parameter.setProperty(source), Lumo::eOk);
    EXPECT_EQ(parameter.setProperty(unknown), Lumo::eKeyNotFound);
    // A 16-bit 3 is another value than a 32-bit 3.
    source.value() = short{3};
    EXPECT_EQ(parameter.setProperty(source), Lumo::eOk);
    EXPECT_EQ(held->value(), KxDbEvalVariant(short{3}));
    held->mApplyStatus = static_cast<Lumo::ErrorStatus>(7);
    held->mApplyMessage = L"read-only";
    held->mApplyDetail = L"computed";
    source.value() = 4;
    EXPECT_EQ(parameter.setProperty(source), 7);
    EXPECT_EQ(held->value(), KxDbEvalVariant(short{3}));
    EXPECT_EQ(reactor.mpLastProperty, held);
    EXPECT_THAT(log,
                ElementsAre("A: propertyWillChange count", "applyValue count",
                            "A: propertyChanged count", "A: propertyWillChange count",
                            "applyValue count", "A: modificationFailed 7 [read-only] [computed]"));
}

TEST(ParameterProperty, AssignmentTakesEveryFieldTheOwnerIncluded) {
    TestParameter parameter;
    auto* held = new TestProperty(L"count");
    held->setReadOnly(true);
    held->value() = 12;
    parameter.addProperty(held);
    TestProperty copy(L"other");
    EXPECT_FALSE(copy.isReadOnly());
    copy = *held;
    EXPECT_EQ(copy.getName(), KxString(L"count"));
    EXPECT_EQ(copy.getOwner(), &parameter);
    EXPECT_TRUE(copy.isReadOnly());
    EXPECT_EQ(copy.value(), KxDbEvalVariant(12));
    copy.setName(L"other");
    EXPECT_EQ(copy.getName(), KxString(L"other"));
    KxParameterValueSetList list;
    KxParameterValueSet* set = &list;
    EXPECT_EQ(copy.getValueSet(set), Lumo::eOk);
    EXPECT_EQ(set, nullptr);
}

// Answers with its own value set for its built-in value property, and refuses the others.
class ParameterWithValueSet : public TestParameter {
public:
    using TestParameter::getValueSet;
    KxParameterValueSetList mChoices;

protected:
    Lumo::ErrorStatus getValueSet(PropNameIndex index, KxParameterValueSet*& set) const override {
        set = const_cast<KxParameterValueSetList*>(&mChoices);
        return index == kValueProperty ? Lumo::eOk : static_cast<Lumo::ErrorStatus>(12);
    }
};
class PropertyWithValueSet : public TestProperty {
public:
    using TestProperty::TestProperty;
    Lumo::ErrorStatus getValueSet(KxParameterValueSet*& set) const override {
        set = const_cast<KxParameterValueSetList*>(&mChoices);
        return Lumo::eOk;
    }
    KxParameterValueSetList mChoices;
};

TEST(ParameterValueSets, TheListedPropertyAnswersByNameABuiltInOneByTheParameter) {
    ParameterWithValueSet parameter;
    auto* restricted = new PropertyWithValueSet(L"size");
    parameter.addProperty(restricted);
    const struct {
        KxParameter::PropNameInfo property;
        Lumo::ErrorStatus status;
        KxParameterValueSet* set;
    } cases[] = {
        {{KxParameter::kListedProperty, L"size"}, Lumo::eOk, &restricted->mChoices},
        {{KxParameter::kListedProperty, L"none"}, Lumo::eOk, nullptr},
        {{KxParameter::kListedProperty, L""}, Lumo::eOk, nullptr},
        {{KxParameter::kValueProperty, L"size"}, Lumo::eOk, &parameter.mChoices},
        {{KxParameter::kNameProperty, L"size"},
         static_cast<Lumo::ErrorStatus>(12),
         &parameter.mChoices},
    };
    for (const auto& c : cases) {
        KxParameterValueSet* set = &restricted->mChoices;
        EXPECT_EQ(parameter.getValueSet(c.property, set), c.status) << &c - cases;
        EXPECT_EQ(set, c.set) << &c - cases;
    }
}

} // namespace
