// Every exported operation that takes a pointer, and every host service that the library hands a
// pointer to, given null: each answers with its status, changes nothing and tells only whom its
// contract names.

#include "support/HostSession.h"

#include "collections/KxParameterGroupCollection.h"
#include "host/KxDbEntity.h"
#include "host/KxHostStatus.h"
#include "host/KxModuleLoader.h"
#include "host/KxSysVars.h"
#include "host/KxUnits.h"
#include "manager/KxApDocLock.h"
#include "manager/KxParameterManager.h"
#include "manager/KxPmUndoBracket.h"
#include "module/KxModuleEntry.h"
#include "palette/KxApParameterManagerESW.h"
#include "support/RecordingManagerReactor.h"
#include "support/RecordingPalette.h"
#include "support/TestCollection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

using ::testing::ElementsAre;

namespace {

class Groups : public KxParameterGroupCollection {
public:
    Lumo::ErrorStatus getGroupIndex(const KxString&, short&) const override { return {}; }

protected:
    Lumo::ErrorStatus addParameterGroupInternal(const KxString&) override { return {}; }
    Lumo::ErrorStatus deleteParameterGroupInternal(const KxString&) override { return {}; }
    Lumo::ErrorStatus renameParameterGroupInternal(const KxString&, const KxString&) override {
        return {};
    }
};

class EditorNotices : public KxEdEditorReactor {
public:
    explicit EditorNotices(EventLog& log) : mLog(log) { kxedAddEditorReactor(this); }
    ~EditorNotices() override { kxedRemoveEditorReactor(this); }
    void modelessOperationWillStart(const wchar_t* c) override { write("start ", c); }
    void modelessOperationEnded(const wchar_t* c) override { write("end ", c); }

private:
    void write(const char* what, const wchar_t* context) {
        mLog.push_back("editor: " + std::string(what) + utf8(context));
    }
    EventLog& mLog;
};

struct NullArguments : HostSession {
    EventLog log;
    EditorNotices editor{log};
    RecordingManagerReactor managerReactor{log};
    RecordingReactor parameterReactor{"R", log};
    RecordingCollectionReactor collectionReactor{"C", log};
    RecordingPalette palette;
    TestCollection collection{&log, L"c1"};
    TestParameter first{&log, &collection};
    TestParameter second{&log, &collection};
    bool unnamedGone = false;
    TestProperty* unnamed = new TestProperty(nullptr, nullptr, &unnamedGone);
    Groups groups;
    CImageList images;
    KxParameterManager* manager = nullptr;
    KxApParameterManagerESW* proxy = KxApParameterManagerESW::instance();
    KxApDocument* document = kxDocManagerPtr()->newDocument(L"drawing");

    void SetUp() override {
        KxParameterManager::destroy();
        manager = &KxParameterManager::getInstance();
        proxy->setHost(&palette);
        first.addProperty(new TestProperty(L"w"));
        first.addProperty(unnamed);
        second.addProperty(new TestProperty(L"w"));
        collection.addParameter(&first);
        collection.addParameter(&second);
        manager->registerCollection(&collection, images);
        manager->registerParameterGroupCollection(&groups);
        first.addReactor(&parameterReactor);
        collection.addReactor(&collectionReactor);
        manager->addReactor(&managerReactor);
        palette.mpLog = &log;
        log.clear();
    }
    void TearDown() override {
        proxy->setHost(nullptr);
        KxParameterManager::destroy();
    }

    // What a null argument must leave as it was.
    std::string state() const {
        std::ostringstream out;
        for (KxParameterCollection* registered : manager->getCollections()) {
            out << utf8(registered->collectionName()) << ' ';
        }
        out << manager->getActiveCollection() << ' ' << manager->getActiveGroupCollection();
        for (KxParameter* parameter : collection.getParameters()) {
            KxParameter::GroupIndexList indexes;
            parameter->getGroupNameIndexes(indexes);
            out << " | " << utf8(parameter->getName()) << '=' << utf8(parameter->getExpression())
                << ' ' << indexes.length();
            for (KxParameterProperty* property : parameter->getProperties()) {
                out << " [" << utf8(property->getName()) << ']';
            }
        }
        KxResBuf units;
        kxedGetVar(L"LUNITS", &units);
        out << " | " << proxy->events().size() << ' ' << kxrxLoadedModules().size() << ' '
            << kxDocManagerPtr()->documentCount() << ' ' << document->lockDepth() << ' '
            << units.resval.rint;
        return out.str();
    }

    struct Row {
        const char* call;
        std::function<int()> run;
        int expected;
        EventLog notices = {};
    };
    void expectNothingChanged(const Row& row) {
        SCOPED_TRACE(row.call);
        const std::string before = state();
        log.clear();
        EXPECT_EQ(row.run(), row.expected);
        EXPECT_EQ(log, row.notices);
        EXPECT_EQ(state(), before);
    }
};

// A row that names its call by the call's own text.
// clang-format off
#define ROW(call, ...) Row{#call, [&]() -> int { return call; }, __VA_ARGS__}
// clang-format on

TEST_F(NullArguments, EachOperationAnswersWithItsStatusAndChangesNothing) {
    KxDbEntity* entity = nullptr;
    KxResBuf value;
    double distance = 0;
    KxEdCommandStruc record;
    KxParameter* none = nullptr;
    KxArray<KxParameter*> nulls;
    nulls.append(nullptr);
    nulls.append(nullptr);
    const auto deleteNulls = [&] { return manager->deleteParameters(nulls), 0; };
    const auto detachedAdd = [&] {
        proxy->setHost(nullptr);
        const Lumo::ErrorStatus status = proxy->addParameterDataInUI(&first, 0);
        proxy->setHost(&palette);
        return status;
    };
    const auto bracket = [] { return KxPmUndoBracket(nullptr), 0; };
    KxDbDatabase* const noDatabase = nullptr;
    KxApDocument* const noDocument = nullptr;
    const EventLog started{"editor: start L", "editor: end "};
    const Row rows[] = {
        ROW(first.addReactor(nullptr), Lumo::eNullPtr),
        ROW(first.removeReactor(nullptr), Lumo::eNullPtr),
        ROW(first.addProperty(nullptr), Lumo::eNullPtr),
        ROW(first.getProperty(nullptr) == unnamed, true),
        ROW(std::as_const(first).getProperty(nullptr) == unnamed, true),
        ROW(second.removeProperty(nullptr), Lumo::eKeyNotFound),
        ROW(TestProperty(nullptr).getName().isEmpty(), true),
        ROW(collection.addParameter(nullptr), Lumo::eNullObjectPointer),
        ROW(collection.addReactor(nullptr), Lumo::eNullPtr),
        ROW(collection.removeReactor(nullptr), Lumo::eNullPtr),
        ROW(collection.addPropertyEnabler(nullptr), Lumo::eNullPtr),
        ROW(collection.removePropertyEnabler(nullptr), Lumo::eNullPtr),
        ROW(TestCollection(nullptr, nullptr).collectionName().isEmpty(), true),
        ROW(manager->registerCollection(nullptr, images), Lumo::eNullPtr),
        ROW(manager->unRegisterCollection(nullptr), Lumo::eNullPtr),
        ROW(manager->setActiveCollection(nullptr), Lumo::eNullPtr),
        ROW(manager->addReactor(nullptr), Lumo::eNullPtr),
        ROW(manager->removeReactor(nullptr), Lumo::eNullPtr),
        ROW(manager->addParameter(none), Lumo::eNotActive),
        // Null is nobody's parameter: each collection is offered nothing, and deletes nothing.
        ROW(deleteNulls(), 0, {"c1: check 0"}),
        ROW(detachedAdd(), Lumo::eNotImplemented),
        ROW(KxApDocLock().lock(KxDbObjectId(), 4, L"G", L"L", true), Lumo::eNullObjectId),
        ROW(KxApDocLock().lock(noDatabase, 4, L"G", L"L", true), Lumo::eNoDocument, started),
        ROW(KxApDocLock().lock(noDocument, 4, L"G", L"L", true), Lumo::eNoDocument, started),
        ROW(bracket(), 0, {"editor: start PARAMETER", "editor: end "}),
        ROW(kxrxEntryPoint(99, nullptr), 0),
        // The host's services, as the library calls them.
        ROW(kxdbOpenObject(entity, KxDbObjectId(), KxDb::kForRead), Lumo::eNullObjectId),
        ROW(kxedGetVar(nullptr, &value), kRtError),
        ROW(kxedGetVar(L"LUNITS", nullptr), kRtError),
        ROW(kxdbDisToF(nullptr, -1, &distance), kRtError),
        ROW(kxdbDisToF(L"2", -1, nullptr), kRtError),
        ROW(kxedCmdLookup2(nullptr, true, &record, KxEd::kLookupAllGroups), false),
        ROW(kxrxAppIsLoaded(nullptr), false),
        ROW(kxrxLoadModule(nullptr, false, true), false),
        ROW(KxString(nullptr).isEmpty() && KxString(nullptr, 3).isEmpty(), true),
        ROW(kxDocManagerPtr()->document(nullptr) == nullptr, true),
        ROW(kxDocManagerPtr()->unlockDocument(nullptr), Lumo::eNullPtr),
        ROW(kxedSendModelessOperationStart(nullptr), true, {"editor: start "}),
    };
    for (const Row& row : rows) {
        expectNothingChanged(row);
    }
    EXPECT_EQ(entity, nullptr);
    EXPECT_EQ(record.cmd, nullptr);
    EXPECT_EQ(distance, 0);

    // With an active collection a null parameter is refused as such.
    manager->setActiveCollection(&collection);
    expectNothingChanged(ROW(manager->addParameter(none), Lumo::eNullObjectPointer));

    // Unregistering the null group collection clears the registered one, telling of it first;
    // registering it hides the palette's filter tree.
    log.clear();
    EXPECT_EQ(manager->unregisterParameterGroupCollection(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(manager->getActiveGroupCollection(), nullptr);
    manager->registerParameterGroupCollection(&groups);
    EXPECT_EQ(manager->registerParameterGroupCollection(nullptr), Lumo::eOk);
    EXPECT_EQ(manager->getActiveGroupCollection(), nullptr);
    EXPECT_THAT(log, ElementsAre("M: willUnregisterGroups null", "M: willRegisterGroups groups",
                                 "palette: repopulateGroupDataInUI",
                                 "palette: hideFilterTree false", "M: registeredGroups groups",
                                 "M: willRegisterGroups null", "palette: repopulateGroupDataInUI",
                                 "palette: hideFilterTree true", "M: registeredGroups null"));

    // A null name finds the first unnamed property, which goes with its removal.
    EXPECT_EQ(first.removeProperty(nullptr), Lumo::eOk);
    EXPECT_TRUE(unnamedGone);
    EXPECT_EQ(first.getProperties().length(), 1);

    // A null sink is kept like any other.
    proxy->addEvent(nullptr);
    EXPECT_THAT(proxy->events(), ElementsAre(nullptr));
    proxy->removeEvent(nullptr);
    EXPECT_TRUE(proxy->events().empty());

    // Every registration stands as it did: each recorder hears the next change once.
    log.clear();
    first.setName(L"x");
    TestParameter third(nullptr, &collection);
    collection.addParameter(&third);
    EXPECT_THAT(log, ElementsAre("R: nameWillChange x", "validateName x", "setNameInternal x",
                                 "palette: updateParameterDataInUI", "R: nameChanged x",
                                 "palette: IsVisible", "C: parameterAdded"));
    EXPECT_EQ(first.removeReactor(&parameterReactor), Lumo::eOk);
    EXPECT_EQ(collection.removeReactor(&collectionReactor), Lumo::eOk);
    EXPECT_EQ(manager->removeReactor(&managerReactor), Lumo::eOk);
}

} // namespace
