#include "support/TestParameter.h"

#include "model/KxParameterValueSetList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

struct ParameterWithTwoReactors : ::testing::Test {
    EventLog log;
    TestParameter parameter{&log};
    RecordingReactor first{"A", log};
    RecordingReactor second{"B", log};

    void SetUp() override {
        ASSERT_EQ(parameter.addReactor(&first), Lumo::eOk);
        ASSERT_EQ(parameter.addReactor(&second), Lumo::eOk);
    }
};

TEST_F(ParameterWithTwoReactors, AcceptedRenameIsAnnouncedBeforeAndAfterWithTheCallersText) {
    const KxString proposed(L"width");
    EXPECT_EQ(parameter.setName(proposed), Lumo::eOk);
    EXPECT_THAT(log, ElementsAre("A: nameWillChange width", "B: nameWillChange width",
                                 "validateName width", "setNameInternal width",
                                 "A: nameChanged width", "B: nameChanged width"));
    EXPECT_EQ(parameter.getName(), KxString(L"width"));
    // The notice carries the caller's text itself, not the stored copy.
    EXPECT_EQ(first.mpLastText, &proposed);
    EXPECT_EQ(second.mpLastText, &proposed);
}

TEST_F(ParameterWithTwoReactors, RefusedRenameReportsTheProvidersStatusAndMessage) {
    parameter.setName(L"width");
    log.clear();
    parameter.mValidateStatus = static_cast<Lumo::ErrorStatus>(5);
    parameter.mValidateMessage = L"name taken";

    EXPECT_EQ(parameter.setName(L"height"), 5);
    EXPECT_THAT(log, ElementsAre("A: nameWillChange height", "B: nameWillChange height",
                                 "validateName height", "A: modificationFailed 5 [name taken] []",
                                 "B: modificationFailed 5 [name taken] []"));
    EXPECT_EQ(parameter.getName(), KxString(L"width"));
}

TEST_F(ParameterWithTwoReactors, EqualTextsCallNobody) {
    EXPECT_EQ(parameter.setName(L""), Lumo::eOk);
    EXPECT_EQ(parameter.setExpression(KxString()), Lumo::eOk);
    parameter.setName(L"width");
    parameter.setExpression(L"2*pi");
    log.clear();

    EXPECT_EQ(parameter.setName(L"width"), Lumo::eOk);
    EXPECT_EQ(parameter.setExpression(L"2*pi"), Lumo::eOk);
    // Names compare exactly: letter case makes another name.
    parameter.mValidateStatus = Lumo::eInvalidInput;
    EXPECT_EQ(parameter.setName(L"Width"), Lumo::eInvalidInput);
    EXPECT_THAT(log, ElementsAre("A: nameWillChange Width", "B: nameWillChange Width",
                                 "validateName Width", "A: modificationFailed 3 [] []",
                                 "B: modificationFailed 3 [] []"));
}

TEST_F(ParameterWithTwoReactors, ExpressionChangesTakeTheSameRoad) {
    const KxString proposed(L"width / 2");
    EXPECT_EQ(parameter.setExpression(proposed), Lumo::eOk);
    EXPECT_EQ(first.mpLastText, &proposed);
    parameter.mValidateStatus = static_cast<Lumo::ErrorStatus>(7);
    parameter.mValidateMessage = L"unknown name";
    EXPECT_EQ(parameter.setExpression(L"depth"), 7);

    EXPECT_THAT(
        log, ElementsAre("A: expressionWillChange width / 2", "B: expressionWillChange width / 2",
                         "validateExpression width / 2", "setExpressionInternal width / 2",
                         "A: expressionChanged width / 2", "B: expressionChanged width / 2",
                         "A: expressionWillChange depth", "B: expressionWillChange depth",
                         "validateExpression depth", "A: modificationFailed 7 [unknown name] []",
                         "B: modificationFailed 7 [unknown name] []"));
    EXPECT_EQ(parameter.getExpression(), KxString(L"width / 2"));
    EXPECT_TRUE(parameter.getName().isEmpty());
}

// Registers a newcomer, or removes itself, when it hears that a name will change.
class MeddlingReactor : public RecordingReactor {
public:
    MeddlingReactor(EventLog& log, KxParameter& parameter, KxParameterReactor* newcomer)
        : RecordingReactor("M", log), mParameter(parameter), mpNewcomer(newcomer) {}
    void nameWillChange(KxParameter* parameter, const KxString& name) override {
        RecordingReactor::nameWillChange(parameter, name);
        if (mpNewcomer) {
            mParameter.addReactor(mpNewcomer);
        } else {
            mParameter.removeReactor(this);
        }
    }

private:
    KxParameter& mParameter;
    KxParameterReactor* mpNewcomer;
};

TEST(ParameterReactorWalk, AReactorRegisteredDuringTheWalkHearsTheSameNotice) {
    EventLog log;
    TestParameter parameter(&log);
    RecordingReactor newcomer("N", log);
    MeddlingReactor registering(log, parameter, &newcomer);
    parameter.addReactor(&registering);

    parameter.setName(L"x");
    EXPECT_THAT(log, ElementsAre("M: nameWillChange x", "N: nameWillChange x", "validateName x",
                                 "setNameInternal x", "M: nameChanged x", "N: nameChanged x"));
}

TEST(ParameterReactorWalk, AReactorRemovingItselfMakesTheWalkSkipItsSuccessor) {
    EventLog log;
    TestParameter parameter(&log);
    MeddlingReactor leaving(log, parameter, nullptr);
    RecordingReactor skipped("B", log);
    RecordingReactor last("C", log);
    parameter.addReactor(&leaving);
    parameter.addReactor(&skipped);
    parameter.addReactor(&last);

    parameter.setName(L"x");
    EXPECT_THAT(log, ElementsAre("M: nameWillChange x", "C: nameWillChange x", "validateName x",
                                 "setNameInternal x", "B: nameChanged x", "C: nameChanged x"));
}

TEST(ParameterReactorList, StatusesOfRegistrationAndRemoval) {
    EventLog log;
    TestParameter parameter;
    RecordingReactor a("A", log), b("B", log), c("C", log);

    EXPECT_EQ(parameter.addReactor(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(parameter.removeReactor(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(parameter.removeReactor(&a), Lumo::eEmptyList);
    EXPECT_EQ(parameter.addReactor(&a), Lumo::eOk);
    EXPECT_EQ(parameter.addReactor(&a), Lumo::eOk);
    EXPECT_EQ(parameter.addReactor(&b), Lumo::eOk);
    EXPECT_EQ(parameter.addReactor(&c), Lumo::eOk);
    EXPECT_EQ(parameter.removeReactor(&c), Lumo::eOk);
    EXPECT_EQ(parameter.removeReactor(&c), Lumo::eInvalidInput);
    EXPECT_EQ(parameter.addReactor(&c), Lumo::eOk);
    EXPECT_EQ(parameter.removeReactor(&a), Lumo::eOk);

    // One registration each, in the order left: B, C; A is gone although it was added twice.
    parameter.notifyParameterModified();
    EXPECT_THAT(log, ElementsAre("B: parameterModified", "C: parameterModified"));
}

TEST(ParameterLifetime, DestructionDeletesEveryPropertyAndTellsNoReactor) {
    EventLog log;
    RecordingReactor reactor("A", log);
    bool firstGone = false, secondGone = false;
    {
        TestParameter parameter(&log);
        parameter.addReactor(&reactor);
        ASSERT_EQ(parameter.addProperty(new TestProperty(L"a", &log, &firstGone)), Lumo::eOk);
        ASSERT_EQ(parameter.addProperty(new TestProperty(L"b", &log, &secondGone)), Lumo::eOk);
    }
    EXPECT_TRUE(firstGone);
    EXPECT_TRUE(secondGone);
    EXPECT_THAT(log, IsEmpty());
}

TEST(ParameterDefaults, TheBaseClassOffersNothingAndRefusesGroupChanges) {
    EventLog log;
    TestParameter parameter(&log);
    KxDbObjectId id(42);
    EXPECT_EQ(parameter.getObjectId(id), Lumo::eNullObjectId);
    EXPECT_TRUE(id.isNull());
    EXPECT_EQ(parameter.hide(true), Lumo::eNotSupported);
    EXPECT_EQ(parameter.hide(false), Lumo::eNotSupported);
    EXPECT_FALSE(parameter.hasAngularUnits());
    EXPECT_FALSE(parameter.isExpressionReadOnly());
    EXPECT_EQ(parameter.getOwner(), nullptr);

    KxParameter::StringList items;
    items.append(L"keep");
    EXPECT_EQ(parameter.getContextMenuStringItems(items), Lumo::eNotImplemented);
    EXPECT_THAT(items, ElementsAre(KxString(L"keep")));
    EXPECT_EQ(parameter.executeContextMenuStringItem(L"keep"), Lumo::eNotImplemented);

    KxString message;
    EXPECT_EQ(parameter.addToGroup(4, message), Lumo::eNotAllowed);
    EXPECT_EQ(parameter.removeFromGroup(4, message), Lumo::eNotAllowed);

    KxParameterValueSetList list;
    KxParameterValueSet* set = &list;
    EXPECT_EQ(parameter.getValueSet(KxParameter::kValueProperty, set), Lumo::eOk);
    EXPECT_EQ(set, nullptr);
    // An entity that cannot be named cannot be highlighted, and nothing is opened.
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eNotAnEntity);
    EXPECT_THAT(log, IsEmpty());
}

TEST(ParameterGroups, SettingTheWholeListTellsOnlyTheChange) {
    EventLog log;
    TestParameter parameter(&log);
    RecordingReactor reactor("A", log);
    parameter.addReactor(&reactor);

    KxParameter::GroupIndexList groups;
    groups.append(2);
    groups.append(2);
    groups.append(-1);
    EXPECT_EQ(parameter.setGroupNameIndexesInternal(groups), Lumo::eOk);
    groups.setLogicalLength(0);
    EXPECT_EQ(parameter.setGroupNameIndexesInternal(groups), Lumo::eOk);
    EXPECT_THAT(log, ElementsAre("A: groupsChanged 2 2 -1", "A: groupsChanged"));
}

TEST(ParameterPrecision, OnlyRealAndIntegerValuesAreNumeric) {
    TestParameter parameter;
    bool numeric = true;

    parameter.mValue = 1.5;
    EXPECT_TRUE(parameter.convertPrecision(numeric));
    EXPECT_TRUE(numeric);
    parameter.mValue = 7;
    EXPECT_TRUE(parameter.convertPrecision(numeric));
    EXPECT_TRUE(numeric);
    parameter.mValue.setPoint({1, 2, 3});
    EXPECT_TRUE(parameter.convertPrecision(numeric));

    parameter.mValue = L"text";
    EXPECT_FALSE(parameter.convertPrecision(numeric));
    EXPECT_FALSE(numeric);
    parameter.mValue = static_cast<short>(3);
    EXPECT_FALSE(parameter.convertPrecision(numeric));

    numeric = true;
    parameter.mValue = 1.5;
    parameter.mValueStatus = Lumo::eInvalidInput;
    EXPECT_FALSE(parameter.convertPrecision(numeric));
    EXPECT_FALSE(numeric);
}

TEST(ParameterRefresh, PropertiesAreRefreshedBeforeTheReactorsHear) {
    EventLog log;
    TestParameter parameter(&log);
    RecordingReactor a("A", log), b("B", log);
    parameter.addProperty(new TestProperty(L"p", &log));
    parameter.addProperty(new TestProperty(L"q", &log));
    parameter.addReactor(&a);
    parameter.addReactor(&b);

    EXPECT_EQ(parameter.updateParameter(false), Lumo::eOk);
    EXPECT_EQ(parameter.updateParameter(true), Lumo::eOk);
    parameter.mUpdateStatus = static_cast<Lumo::ErrorStatus>(9);
    EXPECT_EQ(parameter.updateParameter(true), 9);
    EXPECT_THAT(log, ElementsAre("updateParameterInternal", "updateValue p", "updateValue q",
                                 "updateParameterInternal", "updateValue p", "updateValue q",
                                 "A: parameterModified", "B: parameterModified",
                                 "updateParameterInternal"));
}

} // namespace
