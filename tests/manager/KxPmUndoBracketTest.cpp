#include "support/HostSession.h"

#include "host/KxDbDatabase.h"
#include "host/KxDbEntity.h"
#include "host/testing/KxHostTesting.h"
#include "manager/KxApDocLock.h"
#include "manager/KxPmUndoBracket.h"
#include "support/TestParameter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

using ::testing::ElementsAre;
using Statuses = std::vector<Lumo::ErrorStatus>;
using enum Lumo::ErrorStatus;

struct UndoBracket : HostSession {
    ModelessNotices notices;
    KxApDocument* document = kxDocManagerPtr()->newDocument(L"drawing");
};

using UndoBracketDeathTest = UndoBracket;

// The document is locked for writing under the names of the host's command, which is looked up by
// its global name: a local name of that spelling does not stand in for it.
TEST_F(UndoBracketDeathTest, LocksUnderTheHostsCommandAndStopsTheProcessWithoutIt) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ASSERT_TRUE(kxedRemoveCommand(L"PARAMETERS"));
    EXPECT_DEATH(KxPmUndoBracket bracket(document), "PARAMETERS has been renamed\\.");
    ASSERT_TRUE(kxedAddCommand(KxEd::kParametricGroup, L"PARAMS", L"PARAMETERS"));
    EXPECT_DEATH(KxPmUndoBracket bracket(document), "PARAMETERS has been renamed\\.");
    ASSERT_TRUE(kxedAddCommand(KxEd::kParametricGroup, L"Parameters", L"PARAMETRES"));
    {
        KxPmUndoBracket bracket(document);
        EXPECT_EQ(document->lockDepth(), 1);
    }
    EXPECT_THAT(document->lockRequests(),
                ElementsAre(KxApDocLockRequest{4, L"Parameters", L"PARAMETRES", false, eOk}));
    EXPECT_THAT(document->unlockRequests(), ElementsAre(eOk));
    EXPECT_THAT(notices.mNotices, ElementsAre(L"start PARAMETRES", L"end "));
}

TEST_F(UndoBracket, CopiesShareTheLockAndAssignmentDropsTheTargetsOwn) {
    KxApDocument* second = kxDocManagerPtr()->newDocument(L"second");
    {
        KxPmUndoBracket original(document);
        KxPmUndoBracket copy(original), moved(std::move(original)), target(second), none(nullptr);
        // The bracket's move leaves the source as it was: using it afterwards is the point.
        target = original; // NOLINT(bugprone-use-after-move,clang-analyzer-cplusplus.Move)
        none = std::move(original);
    }
    // All five ended the one lock; the second document's was overwritten, and stays.
    EXPECT_THAT(document->unlockRequests(),
                ElementsAre(eOk, eNotLocked, eNotLocked, eNotLocked, eNotLocked));
    EXPECT_EQ(second->lockDepth(), 1);
}

TEST_F(UndoBracket, TheDocumentLockIsUsedOnceAndEndsWhatItStarted) {
    KxDbObjectId erasedId, looseId;
    ASSERT_EQ(document->database()->addObject(new KxDbEntity, erasedId), eOk);
    ASSERT_EQ(document->database()->erase(erasedId), eOk);
    KxDbDatabase loose; // without a document
    ASSERT_EQ(loose.addObject(new KxDbEntity, looseId), eOk);
    const auto refused = static_cast<Lumo::ErrorStatus>(78);
    // A script of calls on one lock, a letter each, and what they give: statuses, notices ('s'tart,
    // 'e'nd), the results of the locks and releases the document was asked for, its lock depth.
    const struct {
        const char* script;
        Statuses statuses;
        std::string notices;
        Statuses locks, unlocks;
        int depth;
    } rows[] = {
        {"ddUiU", {eOk, eAlreadyUsed, eOk, eAlreadyUsed, eOk}, "seee", {eOk}, {eOk}, 0},
        {"0d", {eNoDocument, eAlreadyUsed}, "se", {}, {}, 0},
        {"U", {eOk}, "", {}, {}, 0},
        // Ids that are not valid leave the lock fresh.
        {"ni", {eNullObjectId, eOk}, "se", {eOk}, {eOk}, 0},
        {"ei", {eInvalidObjectId, eOk}, "se", {eOk}, {eOk}, 0},
        {"b", {eOk}, "se", {eOk}, {eOk}, 0},
        // Without a document the notices stay on, whatever was asked.
        {"o", {eNoDocument}, "se", {}, {}, 0},
        {"qU", {eOk, eOk}, "", {eOk}, {eOk}, 0},
        // A write lock held already needs neither a second lock nor a release; a read lock does.
        {"wd", {eOk}, "se", {}, {}, 0},
        {"vd", {eOk}, "se", {eOk}, {eOk}, 0},
        {"Rd", {refused}, "se", {refused}, {}, 0},
        {"dx", {eOk}, "se", {eOk}, {}, 1},
        {"drUU", {eOk, refused, eOk}, "seee", {eOk}, {refused}, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        KxApDocument* used = kxDocManagerPtr()->newDocument(L"used");
        KxDbObjectId id;
        ASSERT_EQ(used->database()->addObject(new KxDbEntity, id), eOk);
        notices.mNotices.clear();
        Statuses statuses;
        {
            KxApDocLock lock;
            const auto take = [&](auto target, bool notify = true) {
                statuses.push_back(lock.lock(target, 4, L"G", L"L", notify));
            };
            const std::map<char, std::function<void()>> calls{
                {'d', [&] { take(used); }},
                {'q', [&] { take(used, false); }},
                {'0', [&] { take(static_cast<KxApDocument*>(nullptr)); }},
                {'b', [&] { take(used->database()); }},
                {'i', [&] { take(id); }},
                {'n', [&] { take(KxDbObjectId()); }},
                {'e', [&] { take(erasedId); }},
                {'o', [&] { take(looseId, false); }},
                {'w',
                 [&] {
                     KxHostTesting::setMyLockModeAnswer(*used, kKxDocLockWrite | kKxDocLockRead);
                 }},
                {'v', [&] { KxHostTesting::setMyLockModeAnswer(*used, kKxDocLockRead); }},
                {'R', [&] { KxHostTesting::refuseLocks(*used, refused); }},
                {'U', [&] { statuses.push_back(lock.unlock()); }},
                {'x', [&] { lock.detachDocument(); }},
                {'r', [&] { KxHostTesting::refuseUnlocks(*used, refused); }},
            };
            for (const char call : std::string(row.script)) {
                calls.at(call)();
            }
        }
        EXPECT_EQ(statuses, row.statuses);
        std::vector<std::wstring> heard;
        for (const char notice : row.notices) {
            heard.emplace_back(notice == 's' ? L"start L" : L"end ");
        }
        EXPECT_EQ(notices.mNotices, heard);
        std::vector<KxApDocLockRequest> locks;
        for (const Lumo::ErrorStatus result : row.locks) {
            locks.push_back({4, L"G", L"L", false, result});
        }
        EXPECT_EQ(used->lockRequests(), locks);
        EXPECT_EQ(used->unlockRequests(), row.unlocks);
        EXPECT_EQ(used->lockDepth(), row.depth);
    }
}

// Null where the library, or the host's services as the library calls them, take a pointer.
TEST_F(UndoBracket, NullArgumentsAreAnsweredWithAStatus) {
    KxDbEntity* entity = nullptr;
    EXPECT_EQ(kxdbOpenObject(entity, KxDbObjectId(), KxDb::kForRead), eNullObjectId);
    EXPECT_EQ(entity, nullptr);
    EXPECT_EQ(kxDocManagerPtr()->document(nullptr), nullptr);
    EXPECT_EQ(kxDocManagerPtr()->unlockDocument(nullptr), eNullPtr);
    EXPECT_TRUE(KxString(nullptr, 3).isEmpty());
    EXPECT_TRUE(kxedSendModelessOperationStart(nullptr));
    EXPECT_THAT(notices.mNotices, ElementsAre(L"start "));
    // A null name finds the first unnamed property, if there is one.
    TestParameter parameter;
    parameter.addProperty(new TestProperty(L"w"));
    EXPECT_EQ(parameter.removeProperty(nullptr), eKeyNotFound);
    parameter.addProperty(new TestProperty(nullptr));
    EXPECT_EQ(parameter.removeProperty(nullptr), eOk);
}

} // namespace
