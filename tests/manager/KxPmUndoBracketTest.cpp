#include "support/HostSession.h"

#include "host/KxApDocument.h"
#include "host/KxDbDatabase.h"
#include "host/KxDbEntity.h"
#include "manager/KxApDocLock.h"
#include "manager/KxPmUndoBracket.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const KxApDocLockRequest kBracketLock{4, L"PARAMETERS", L"PARAMETER", false, Lumo::eOk};

struct UndoBracket : HostSession {
    ModelessNotices notices;
    KxApDocument* document = kxDocManagerPtr()->newDocument(L"drawing");
};

TEST_F(UndoBracket, LocksUnderTheCommandsNamesAndReleasesOnce) {
    {
        KxPmUndoBracket bracket(document);
        EXPECT_THAT(document->lockRequests(), ElementsAre(kBracketLock));
        EXPECT_EQ(document->lockDepth(), 1);
        EXPECT_THAT(notices.mNotices, ElementsAre(L"start PARAMETER"));
        EXPECT_THAT(document->unlockRequests(), IsEmpty());
    }
    EXPECT_THAT(notices.mNotices, ElementsAre(L"start PARAMETER", L"end "));
    EXPECT_THAT(document->unlockRequests(), ElementsAre(Lumo::eOk));
    EXPECT_EQ(document->lockDepth(), 0);
    EXPECT_EQ(document->lockRequests().size(), 1u);
}

TEST_F(UndoBracket, TheNamesAreTheHostsOwn) {
    ASSERT_TRUE(kxedRemoveCommand(L"PARAMETERS"));
    ASSERT_TRUE(kxedAddCommand(KxEd::kParametricGroup, L"Parameters", L"PARAMETRES"));
    { KxPmUndoBracket bracket(document); }
    EXPECT_THAT(document->lockRequests(),
                ElementsAre(KxApDocLockRequest{4, L"Parameters", L"PARAMETRES", false, Lumo::eOk}));
    EXPECT_THAT(notices.mNotices, ElementsAre(L"start PARAMETRES", L"end "));
}

TEST_F(UndoBracket, WithoutADocumentOnlyTheNoticesAreSent) {
    { KxPmUndoBracket bracket(nullptr); }
    EXPECT_THAT(notices.mNotices, ElementsAre(L"start PARAMETER", L"end "));
    EXPECT_THAT(document->lockRequests(), IsEmpty());
    EXPECT_THAT(document->unlockRequests(), IsEmpty());
}

TEST_F(UndoBracket, ADocumentWriteLockedAlreadyIsNeitherLockedNorUnlocked) {
    ASSERT_EQ(kxDocManagerPtr()->lockDocument(document, kKxDocLockWrite, L"X", L"X", true),
              Lumo::eOk);
    { KxPmUndoBracket bracket(document); }
    EXPECT_EQ(document->lockRequests().size(), 1u);
    EXPECT_EQ(document->lockDepth(), 1);
    EXPECT_THAT(document->unlockRequests(), IsEmpty());
    EXPECT_THAT(notices.mNotices, ElementsAre(L"start PARAMETER", L"end "));

    // The write bit among others is enough; other bits alone are not.
    KxApDocument* other = kxDocManagerPtr()->newDocument(L"other");
    other->setMyLockModeAnswer(kKxDocLockWrite | kKxDocLockRead);
    { KxPmUndoBracket bracket(other); }
    EXPECT_THAT(other->lockRequests(), IsEmpty());
    other->setMyLockModeAnswer(kKxDocLockRead);
    { KxPmUndoBracket bracket(other); }
    EXPECT_THAT(other->lockRequests(), ElementsAre(kBracketLock));
    EXPECT_THAT(other->unlockRequests(), ElementsAre(Lumo::eOk));
}

TEST_F(UndoBracket, ARefusedLockIsNotReleased) {
    const auto refusal = static_cast<Lumo::ErrorStatus>(77);
    document->refuseLocks(refusal);
    { KxPmUndoBracket bracket(document); }
    KxApDocLockRequest refused = kBracketLock;
    refused.result = refusal;
    EXPECT_THAT(document->lockRequests(), ElementsAre(refused));
    EXPECT_THAT(document->unlockRequests(), IsEmpty());
    EXPECT_THAT(notices.mNotices, ElementsAre(L"start PARAMETER", L"end "));
}

TEST_F(UndoBracket, CopiesAndMovesShareTheLockAndAssignmentDropsTheTargetsOwn) {
    KxApDocument* second = kxDocManagerPtr()->newDocument(L"second");
    {
        KxPmUndoBracket original(document);
        {
            KxPmUndoBracket copy(original);
            KxPmUndoBracket moved(std::move(original));
        }
        // Both ended the one lock; the original still holds it and ends it once more.
        EXPECT_THAT(document->unlockRequests(), ElementsAre(Lumo::eOk, Lumo::eNotLocked));
        KxPmUndoBracket target(second);
        target = original;
        KxPmUndoBracket moveTarget(nullptr);
        moveTarget = std::move(original);
    }
    EXPECT_THAT(document->unlockRequests(),
                ElementsAre(Lumo::eOk, Lumo::eNotLocked, Lumo::eNotLocked, Lumo::eNotLocked,
                            Lumo::eNotLocked));
    // The second document's lock was overwritten, so nobody releases it.
    EXPECT_EQ(second->lockDepth(), 1);
    EXPECT_THAT(second->unlockRequests(), IsEmpty());
}

using UndoBracketDeathTest = UndoBracket;

TEST_F(UndoBracketDeathTest, AMissingCommandStopsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ASSERT_TRUE(kxedRemoveCommand(L"PARAMETERS"));
    EXPECT_DEATH(KxPmUndoBracket bracket(document), "PARAMETERS has been renamed\\.");
    // Looked up by its global name: a local name of that spelling does not stand in for it.
    ASSERT_TRUE(kxedAddCommand(KxEd::kParametricGroup, L"PARAMS", L"PARAMETERS"));
    EXPECT_DEATH(KxPmUndoBracket bracket(document), "PARAMETERS has been renamed\\.");
    EXPECT_THAT(document->lockRequests(), IsEmpty());
}

// Sees the document form called by the two forms that delegate to it.
class DocumentFormSpy : public KxApDocLock {
public:
    using KxApDocLock::lock;
    Lumo::ErrorStatus lock(KxApDocument* document, int mode, const wchar_t* global,
                           const wchar_t* local, bool notify) override {
        mCalls.push_back(document);
        return KxApDocLock::lock(document, mode, global, local, notify);
    }
    std::vector<KxApDocument*> mCalls;
};

struct DocLock : UndoBracket {
    KxDbEntity* entity = new KxDbEntity;
    KxDbObjectId entityId;

    void SetUp() override {
        UndoBracket::SetUp();
        ASSERT_EQ(document->database()->addObject(entity, entityId), Lumo::eOk);
    }
};

TEST_F(DocLock, IsUsedOnceWhateverTheFirstLockGave) {
    KxApDocLock lock;
    EXPECT_EQ(lock.lock(document, 32, L"G", L"L", true), Lumo::eOk);
    EXPECT_EQ(lock.lock(document, 32, L"G", L"L", true), Lumo::eAlreadyUsed);
    EXPECT_EQ(lock.lock(document->database(), 32, L"G", L"L", true), Lumo::eAlreadyUsed);
    EXPECT_EQ(lock.unlock(), Lumo::eOk);
    EXPECT_EQ(lock.lock(entityId, 32, L"G", L"L", true), Lumo::eAlreadyUsed);
    // A second unlock sends the end notice again but releases nothing.
    EXPECT_EQ(lock.unlock(), Lumo::eOk);
    EXPECT_THAT(document->lockRequests(),
                ElementsAre(KxApDocLockRequest{32, L"G", L"L", false, Lumo::eOk}));
    EXPECT_THAT(document->unlockRequests(), ElementsAre(Lumo::eOk));
    EXPECT_THAT(notices.mNotices, ElementsAre(L"start L", L"end ", L"end "));

    KxApDocLock noDocument;
    EXPECT_EQ(noDocument.lock(static_cast<KxApDocument*>(nullptr), 4, L"G", L"L", true),
              Lumo::eNoDocument);
    EXPECT_EQ(noDocument.lock(document, 4, L"G", L"L", true), Lumo::eAlreadyUsed);
    EXPECT_EQ(document->lockRequests().size(), 1u);
}

TEST_F(DocLock, AFreshLockEndsNothing) {
    {
        KxApDocLock lock;
        EXPECT_EQ(lock.unlock(), Lumo::eOk);
    }
    EXPECT_THAT(notices.mNotices, IsEmpty());
}

TEST_F(DocLock, IdsThatAreNotValidLeaveTheLockFresh) {
    DocumentFormSpy lock;
    EXPECT_EQ(lock.lock(KxDbObjectId(), 4, L"G", L"L", true), Lumo::eNullObjectId);
    KxDbObjectId erasedId;
    ASSERT_EQ(document->database()->addObject(new KxDbEntity, erasedId), Lumo::eOk);
    ASSERT_EQ(document->database()->erase(erasedId), Lumo::eOk);
    EXPECT_EQ(lock.lock(erasedId, 4, L"G", L"L", true), Lumo::eInvalidObjectId);
    KxDbObjectId goneId;
    {
        KxDbDatabase gone;
        ASSERT_EQ(gone.addObject(new KxDbEntity, goneId), Lumo::eOk);
    }
    EXPECT_EQ(lock.lock(goneId, 4, L"G", L"L", true), Lumo::eInvalidObjectId);
    EXPECT_THAT(lock.mCalls, IsEmpty());
    EXPECT_THAT(notices.mNotices, IsEmpty());

    EXPECT_EQ(lock.lock(entityId, 4, L"G", L"L", true), Lumo::eOk);
    EXPECT_THAT(lock.mCalls, ElementsAre(document));
    EXPECT_EQ(document->lockDepth(), 1);
}

TEST_F(DocLock, TheDelegatingFormsFindTheDocumentAndCallTheDocumentForm) {
    DocumentFormSpy byDatabase;
    EXPECT_EQ(byDatabase.lock(document->database(), 4, L"G", L"L", true), Lumo::eOk);
    EXPECT_THAT(byDatabase.mCalls, ElementsAre(document));

    // A database without a document, and no database at all.
    KxDbDatabase loose;
    KxDbObjectId looseId;
    ASSERT_EQ(loose.addObject(new KxDbEntity, looseId), Lumo::eOk);
    DocumentFormSpy byLooseId;
    EXPECT_EQ(byLooseId.lock(looseId, 4, L"G", L"L", false), Lumo::eNoDocument);
    DocumentFormSpy byNoDatabase;
    EXPECT_EQ(byNoDatabase.lock(static_cast<KxDbDatabase*>(nullptr), 4, L"G", L"L", true),
              Lumo::eNoDocument);
    EXPECT_THAT(byLooseId.mCalls, ElementsAre(nullptr));
    EXPECT_THAT(byNoDatabase.mCalls, ElementsAre(nullptr));
    // Without a document the notice flag keeps its starting value, whatever was asked.
    EXPECT_THAT(notices.mNotices, ElementsAre(L"start L", L"start L", L"start L"));
}

TEST_F(DocLock, NoticesCanBeLeftOut) {
    {
        KxApDocLock lock;
        EXPECT_EQ(lock.lock(document, 4, L"G", L"L", false), Lumo::eOk);
        EXPECT_EQ(lock.unlock(), Lumo::eOk);
    }
    EXPECT_THAT(notices.mNotices, IsEmpty());
    EXPECT_THAT(document->unlockRequests(), ElementsAre(Lumo::eOk));
}

TEST_F(DocLock, ADetachedDocumentStaysLocked) {
    {
        KxApDocLock lock;
        EXPECT_EQ(lock.lock(document, 4, L"G", L"L", true), Lumo::eOk);
        lock.detachDocument();
    }
    EXPECT_THAT(notices.mNotices, ElementsAre(L"start L", L"end "));
    EXPECT_THAT(document->unlockRequests(), IsEmpty());
    EXPECT_EQ(document->lockDepth(), 1);
}

TEST_F(DocLock, ARefusedUnlockIsReportedOnce) {
    const auto refusal = static_cast<Lumo::ErrorStatus>(78);
    KxApDocLock lock;
    ASSERT_EQ(lock.lock(document, 4, L"G", L"L", true), Lumo::eOk);
    document->refuseUnlocks(refusal);
    EXPECT_EQ(lock.unlock(), refusal);
    EXPECT_EQ(lock.unlock(), Lumo::eOk);
    EXPECT_THAT(document->unlockRequests(), ElementsAre(refusal));
}

} // namespace
