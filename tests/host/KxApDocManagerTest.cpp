#include "support/HostSession.h"

#include <gtest/gtest.h>

namespace {

using DocumentManager = HostSession;

TEST_F(DocumentManager, LocksNestAndOnlyOpenDocumentsAreLocked) {
    KxApDocManager& manager = *kxDocManagerPtr();
    KxApDocument* document = manager.newDocument(L"drawing");
    EXPECT_EQ(manager.lockDocument(document, kKxDocLockRead, L"G", L"L", false), Lumo::eOk);
    EXPECT_EQ(manager.lockDocument(document, kKxDocLockWrite, L"G", L"L", false), Lumo::eOk);
    EXPECT_EQ(document->myLockMode(true), kKxDocLockRead | kKxDocLockWrite);
    EXPECT_EQ(manager.unlockDocument(document), Lumo::eOk);
    EXPECT_EQ(document->myLockMode(true), kKxDocLockRead);
    EXPECT_EQ(document->lockDepth(), 1);

    KxApDocument* closed = manager.newDocument(L"closed");
    EXPECT_TRUE(manager.closeDocument(closed));
    EXPECT_FALSE(manager.closeDocument(closed));
    EXPECT_EQ(manager.documentCount(), 1);
    EXPECT_EQ(manager.lockDocument(closed, kKxDocLockWrite, L"G", L"L", false),
              Lumo::eInvalidInput);
    EXPECT_EQ(manager.unlockDocument(closed), Lumo::eInvalidInput);
    EXPECT_EQ(manager.lockDocument(nullptr, kKxDocLockWrite, L"G", L"L", false), Lumo::eNullPtr);
}

} // namespace
