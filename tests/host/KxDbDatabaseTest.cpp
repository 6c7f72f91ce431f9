#include "host/KxDbDatabase.h"
#include "host/KxDbEntity.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

TEST(DrawingDatabase, ObjectsComeInOnceAndLeaveWhenDeleted) {
    KxDbDatabase database;
    auto* entity = new KxDbEntity;
    KxDbObjectId id, refused(7);
    ASSERT_EQ(database.addObject(entity, id), Lumo::eOk);
    EXPECT_EQ(entity->objectId(), id);
    EXPECT_EQ(database.addObject(entity, refused), Lumo::eAlreadyInDb);
    EXPECT_TRUE(refused.isNull());
    EXPECT_EQ(database.addObject(nullptr, refused), Lumo::eNullPtr);

    ASSERT_EQ(database.erase(id), Lumo::eOk);
    EXPECT_EQ(database.erase(id), Lumo::eWasErased);
    EXPECT_FALSE(id.isValid());
    EXPECT_EQ(id.database(), &database);
    KxDbEntity* opened = nullptr;
    ASSERT_EQ(kxdbOpenObject(opened, id, KxDb::kForRead, true), Lumo::eOk);
    EXPECT_EQ(opened->close(), Lumo::eOk);

    delete entity;
    EXPECT_EQ(database.objectCount(), 0);
    EXPECT_EQ(id.database(), nullptr);
    EXPECT_EQ(kxdbOpenObject(opened, id, KxDb::kForRead, true), Lumo::eInvalidObjectId);
    EXPECT_EQ(opened, nullptr);
}

TEST(DrawingDatabase, ReadersShareAnObjectAndAWriterHasItAlone) {
    KxDbDatabase database;
    KxDbObjectId id;
    auto* entity = new KxDbEntity;
    ASSERT_EQ(database.addObject(entity, id), Lumo::eOk);

    KxDbObject* opened = nullptr;
    ASSERT_EQ(kxdbOpenObject(opened, id, KxDb::kForRead), Lumo::eOk);
    ASSERT_EQ(kxdbOpenObject(opened, id, KxDb::kForRead), Lumo::eOk);
    EXPECT_EQ(kxdbOpenObject(opened, id, KxDb::kForWrite), Lumo::eWasOpenForRead);
    EXPECT_EQ(kxdbOpenObject(opened, id, 5), Lumo::eInvalidInput);
    EXPECT_EQ(entity->close(), Lumo::eOk);
    EXPECT_EQ(entity->close(), Lumo::eOk);
    EXPECT_EQ(entity->close(), Lumo::eNotOpen);
    ASSERT_EQ(kxdbOpenObject(opened, id, KxDb::kForWrite), Lumo::eOk);
    EXPECT_EQ(kxdbOpenObject(opened, id, KxDb::kForWrite), Lumo::eWasOpenForWrite);
    EXPECT_EQ(entity->close(), Lumo::eOk);
    EXPECT_EQ(entity->openCount(), 3);
    EXPECT_EQ(entity->closeCount(), 3);
}

TEST(EntityHighlights, StandOnAnOpenEntityUntilTheirPathIsPopped) {
    KxDbDatabase database;
    KxDbObjectId id, otherId;
    auto* entity = new KxDbEntity;
    ASSERT_EQ(database.addObject(entity, id), Lumo::eOk);
    ASSERT_EQ(database.addObject(new KxDbEntity, otherId), Lumo::eOk);
    const KxDbFullSubentPath whole(id, KxDbSubentId());
    const KxDbFullSubentPath edge(id, KxDbSubentId(kKxDbEdgeSubentType, 3));

    EXPECT_EQ(entity->pushHighlight(whole, kKxGiHighlightOutline), Lumo::eNotOpen);
    KxDbEntity* opened = nullptr;
    ASSERT_EQ(kxdbOpenObject(opened, id, KxDb::kForRead), Lumo::eOk);
    EXPECT_EQ(
        entity->pushHighlight(KxDbFullSubentPath(otherId, KxDbSubentId()), kKxGiHighlightOutline),
        Lumo::eInvalidInput);
    EXPECT_EQ(entity->popHighlight(whole), Lumo::eNotHighlighted);

    ASSERT_EQ(entity->pushHighlight(whole, kKxGiHighlightOutline), Lumo::eOk);
    ASSERT_EQ(entity->pushHighlight(edge, kKxGiHighlightDimmed), Lumo::eOk);
    ASSERT_EQ(entity->pushHighlight(whole, kKxGiHighlightDashedThick), Lumo::eOk);
    EXPECT_EQ(entity->popHighlight(whole), Lumo::eOk);
    EXPECT_THAT(entity->highlights(), ElementsAre(KxDbHighlight{whole, kKxGiHighlightOutline},
                                                  KxDbHighlight{edge, kKxGiHighlightDimmed}));
    EXPECT_EQ(entity->popHighlight(whole), Lumo::eOk);
    EXPECT_EQ(entity->popHighlight(edge), Lumo::eOk);
    EXPECT_THAT(entity->highlights(), IsEmpty());
    entity->close();
}

} // namespace
