#include "support/TestParameter.h"

#include "host/KxDbDatabase.h"
#include "host/KxDbEntity.h"
#include "model/KxParameterValueSetList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// Its group hooks write to the log and answer as the test sets.
class GroupingParameter : public TestParameter {
public:
    using KxParameter::addToGroup, KxParameter::removeFromGroup;
    using TestParameter::TestParameter;
    EventLog* mpHookLog = nullptr;
    Lumo::ErrorStatus mHookStatus = Lumo::eOk;

protected:
    Lumo::ErrorStatus addToGroup(const short& index, KxString& message) override {
        return hook("addToGroup " + std::to_string(index), message);
    }
    Lumo::ErrorStatus removeFromGroup(const short& index, KxString& message) override {
        return hook("removeFromGroup " + std::to_string(index), message);
    }
    Lumo::ErrorStatus hook(const std::string& call, KxString& message) {
        mpHookLog->push_back(call);
        message = L"locked";
        return mHookStatus;
    }
};

struct Parameter : ::testing::Test {
    EventLog log;
    GroupingParameter parameter{&log};
    RecordingReactor reactor{"A", log};
    void SetUp() override {
        parameter.mpHookLog = &log;
        ASSERT_EQ(parameter.addReactor(&reactor), Lumo::eOk);
    }
};

TEST_F(Parameter, NameAndExpressionChangesAreVettedAndAnnouncedBeforeAndAfter) {
    const struct {
        std::string what, hook;
        Lumo::ErrorStatus (KxParameter::*set)(const KxString&);
        const wchar_t *accepted, *refused; // the refused text differs only in letter case
    } changes[] = {{"name", "Name", &KxParameter::setName, L"Width", L"width"},
                   {"expression", "Expression", &KxParameter::setExpression, L"w/2", L"W/2"}};
    for (const auto& change : changes) {
        SCOPED_TRACE(change.what);
        const auto set = [&](const KxString& text) { return (parameter.*change.set)(text); };
        const std::string accepted = utf8(change.accepted), refused = utf8(change.refused);
        log.clear();
        parameter.mValidateStatus = Lumo::eOk;
        const KxString proposed(change.accepted);
        // Equal texts call nobody.
        EXPECT_EQ(set(KxString()), Lumo::eOk);
        EXPECT_EQ(set(proposed), Lumo::eOk);
        EXPECT_EQ(set(proposed), Lumo::eOk);
        // The notice carries the caller's text itself, not the stored copy.
        EXPECT_EQ(reactor.mpLastText, &proposed);
        parameter.mValidateStatus = static_cast<Lumo::ErrorStatus>(5);
        parameter.mValidateMessage = L"taken";
        EXPECT_EQ(set(change.refused), 5);
        EXPECT_THAT(log, ElementsAre("A: " + change.what + "WillChange " + accepted,
                                     "validate" + change.hook + " " + accepted,
                                     "set" + change.hook + "Internal " + accepted,
                                     "A: " + change.what + "Changed " + accepted,
                                     "A: " + change.what + "WillChange " + refused,
                                     "validate" + change.hook + " " + refused,
                                     "A: modificationFailed 5 [taken] []"));
    }
    EXPECT_EQ(parameter.getName(), KxString(L"Width"));
    EXPECT_EQ(parameter.getExpression(), KxString(L"w/2"));
}

TEST_F(Parameter, GroupChangesAreVettedAndAnnouncedAndOnlyRealChangesHappen) {
    EXPECT_EQ(parameter.addToGroup(short{4}), Lumo::eOk);
    EXPECT_EQ(parameter.addToGroup(short{4}), Lumo::eOk);
    EXPECT_EQ(parameter.removeFromGroup(short{9}), Lumo::eOk);
    parameter.mHookStatus = static_cast<Lumo::ErrorStatus>(9);
    EXPECT_EQ(parameter.addToGroup(short{2}), 9);
    EXPECT_EQ(parameter.removeFromGroup(short{4}), 9);
    // The whole list, duplicates and all, is told after it is set; leaving takes the first.
    parameter.mHookStatus = Lumo::eOk;
    KxParameter::GroupIndexList groups;
    for (short index : {7, 1, 7}) {
        groups.append(index);
    }
    EXPECT_EQ(parameter.setGroupNameIndexesInternal(groups), Lumo::eOk);
    EXPECT_EQ(parameter.removeFromGroup(short{7}), Lumo::eOk);
    EXPECT_THAT(log, ElementsAre("A: groupsWillChange", "addToGroup 4", "A: groupsChanged 4",
                                 "A: groupsWillChange 4", "addToGroup 2",
                                 "A: modificationFailed 9 [locked] []", "A: groupsWillChange 4",
                                 "removeFromGroup 4", "A: modificationFailed 9 [locked] []",
                                 "A: groupsChanged 7 1 7", "A: groupsWillChange 7 1 7",
                                 "removeFromGroup 7", "A: groupsChanged 1 7"));
    EXPECT_EQ(parameter.getGroupNameIndexes(groups), Lumo::eOk);
    EXPECT_THAT(groups, ElementsAre(1, 7));
}

// Registers a newcomer, or removes itself, when it hears that a name will change.
class MeddlingReactor : public KxParameterReactor {
public:
    MeddlingReactor(KxParameter& parameter, KxParameterReactor* newcomer)
        : mParameter(parameter), mpNewcomer(newcomer) {}
    void nameWillChange(KxParameter*, const KxString&) override {
        mpNewcomer ? mParameter.addReactor(mpNewcomer) : mParameter.removeReactor(this);
    }
    KxParameter& mParameter;
    KxParameterReactor* mpNewcomer;
};

TEST(ParameterReactors, TheWalkReadsTheListAfreshAtEachStep) {
    EventLog log;
    RecordingReactor b("B", log), c("C", log);
    TestParameter joined, left;
    MeddlingReactor registering(joined, &b), leaving(left, nullptr);
    for (KxParameterReactor* reactor :
         std::initializer_list<KxParameterReactor*>{&leaving, &b, &c}) {
        left.addReactor(reactor);
    }
    joined.addReactor(&registering);
    // A reactor registered during the walk hears the same notice.
    joined.setName(L"x");
    // A reactor that removes itself makes the walk skip its successor.
    left.setName(L"y");
    EXPECT_THAT(log, ElementsAre("B: nameWillChange x", "B: nameChanged x", "C: nameWillChange y",
                                 "B: nameChanged y", "C: nameChanged y"));
    // A reactor stands once; removal tells why it failed.
    EXPECT_EQ(left.addReactor(&b), Lumo::eOk);
    EXPECT_EQ(left.removeReactor(&b), Lumo::eOk);
    EXPECT_EQ(left.removeReactor(&b), Lumo::eInvalidInput);
    EXPECT_EQ(left.removeReactor(&c), Lumo::eOk);
    EXPECT_EQ(left.removeReactor(&c), Lumo::eEmptyList);
    EXPECT_EQ(left.addReactor(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(left.removeReactor(nullptr), Lumo::eNullPtr);
}

TEST(ParameterDefaults, TheBaseHasNoObjectNoEntriesAndRefusesWhatItCannotDo) {
    TestParameter parameter;
    KxDbObjectId id(42);
    EXPECT_EQ(parameter.getObjectId(id), Lumo::eNullObjectId);
    EXPECT_TRUE(id.isNull());
    EXPECT_EQ(parameter.hide(false), Lumo::eNotSupported);
    EXPECT_FALSE(parameter.hasAngularUnits() || parameter.isExpressionReadOnly());
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
}

TEST(ParameterPrecision, OnlyRealIntegerAndPointValuesAreNumeric) {
    TestParameter parameter;
    KxDbEvalVariant point;
    point.setPoint({1, 2, 3});
    const struct {
        KxDbEvalVariant value;
        bool numeric;
    } cases[] = {{1.5, true}, {7, true}, {point, true}, {L"text", false}, {short{3}, false}};
    for (const auto& c : cases) {
        parameter.mValue = c.value;
        bool numeric = !c.numeric;
        EXPECT_EQ(parameter.convertPrecision(numeric), c.numeric) << &c - cases;
        EXPECT_EQ(numeric, c.numeric) << &c - cases;
    }
    // A value that cannot be read is not numeric.
    parameter.mValueStatus = Lumo::eInvalidInput;
    bool numeric = true;
    EXPECT_FALSE(parameter.convertPrecision(numeric) || numeric);
}

TEST_F(Parameter, ARefreshUpdatesEachPropertyBeforeTheReactorsHear) {
    parameter.addProperty(new TestProperty(L"p", &log));
    parameter.addProperty(new TestProperty(L"q", &log));
    EXPECT_EQ(parameter.updateParameter(false), Lumo::eOk);
    EXPECT_EQ(parameter.updateParameter(true), Lumo::eOk);
    parameter.mUpdateStatus = static_cast<Lumo::ErrorStatus>(9);
    EXPECT_EQ(parameter.updateParameter(true), 9);
    EXPECT_THAT(log, ElementsAre("updateParameterInternal", "updateValue p", "updateValue q",
                                 "updateParameterInternal", "updateValue p", "updateValue q",
                                 "A: parameterModified", "updateParameterInternal"));
}

// A parameter that names an entity of a live database.
struct ParameterWithEntity : ::testing::Test {
    KxDbDatabase database;
    KxDbEntity* entity = new KxDbEntity;
    TestParameter parameter;
    void SetUp() override { ASSERT_EQ(database.addObject(entity, parameter.mEntityId), Lumo::eOk); }
    // Every open of the entity has been given back.
    void expectReleased(int opens) {
        EXPECT_EQ(entity->openCount(), opens);
        EXPECT_EQ(entity->closeCount(), opens);
    }
};

TEST_F(ParameterWithEntity, PushesOneHighlightAndPopsOnlyWhatItPushed) {
    const KxDbFullSubentPath path(parameter.mEntityId, KxDbSubentId());
    const KxDbHighlight theirs{path, kKxGiHighlightOutline}, ours{path, kKxGiHighlightDashedThick};
    KxDbEntity* opened = nullptr;
    ASSERT_EQ(kxdbOpenObject(opened, parameter.mEntityId, KxDb::kForRead), Lumo::eOk);
    ASSERT_EQ(opened->pushHighlight(path, theirs.style), Lumo::eOk);
    opened->close();
    const auto refusal = static_cast<Lumo::ErrorStatus>(77);
    entity->failNextPush(refusal);
    EXPECT_EQ(parameter.highlight(true, false), refusal);
    EXPECT_EQ(parameter.highlight(false, false), Lumo::eOk); // nothing of ours to pop
    EXPECT_THAT(entity->highlights(), ElementsAre(theirs));
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eOk);
    EXPECT_EQ(parameter.highlight(true, true), Lumo::eOk); // does not nest
    EXPECT_THAT(entity->highlights(), ElementsAre(theirs, ours));
    entity->failNextPop(refusal);
    EXPECT_EQ(parameter.highlight(false, false), refusal);
    EXPECT_EQ(parameter.highlight(false, false), Lumo::eOk); // still pushed: tried again
    EXPECT_EQ(parameter.highlight(false, false), Lumo::eOk);
    EXPECT_THAT(entity->highlights(), ElementsAre(theirs));
    expectReleased(8);
}

TEST_F(ParameterWithEntity, WithoutAnOpenEntityNothingIsPushed) {
    const KxDbObjectId entityId = parameter.mEntityId;
    parameter.mEntityIdStatus = Lumo::eInvalidInput;
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eNotAnEntity);
    parameter.mEntityIdStatus = Lumo::eOk;
    parameter.mEntityId.setNull();
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eNotAnEntity);
    expectReleased(0);
    parameter.mEntityId = entityId;
    KxDbObject* writer = nullptr;
    ASSERT_EQ(kxdbOpenObject(writer, entityId, KxDb::kForWrite), Lumo::eOk);
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eWasOpenForWrite);
    writer->close();
    ASSERT_EQ(database.erase(entityId), Lumo::eOk);
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eWasErased);
    ASSERT_EQ(database.addObject(new KxDbObject, parameter.mEntityId), Lumo::eOk);
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eNotAnEntity);
    EXPECT_THAT(entity->highlights(), IsEmpty());
    expectReleased(1);
}

} // namespace
