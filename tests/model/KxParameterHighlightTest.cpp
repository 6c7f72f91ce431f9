#include "support/TestParameter.h"

#include "host/KxDbDatabase.h"
#include "host/KxDbEntity.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

KxDbHighlight wholeEntity(KxDbObjectId id, KxGiHighlightStyle style) {
    return {KxDbFullSubentPath(id, KxDbSubentId()), style};
}

// A parameter that names an entity of a live database.
struct ParameterWithEntity : ::testing::Test {
    KxDbDatabase database;
    KxDbEntity* entity = new KxDbEntity;
    KxDbObjectId entityId;
    TestParameter parameter;

    void SetUp() override {
        ASSERT_EQ(database.addObject(entity, entityId), Lumo::eOk);
        parameter.mEntityId = entityId;
    }

    // Every open of the entity has been given back.
    void expectReleased(int opens) {
        EXPECT_EQ(entity->openCount(), opens);
        EXPECT_EQ(entity->closeCount(), opens);
        EXPECT_FALSE(entity->isOpen());
    }
};

TEST_F(ParameterWithEntity, PushesOnceWithStyleTwoAndNeverNests) {
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eOk);
    EXPECT_THAT(entity->highlights(),
                ElementsAre(wholeEntity(entityId, kKxGiHighlightDashedThick)));
    EXPECT_EQ(kKxGiHighlightDashedThick, 2);
    EXPECT_TRUE(parameter.isPushHighlighted());
    expectReleased(1);

    // Opened and released again, but nothing more stands on the entity.
    EXPECT_EQ(parameter.highlight(true, true), Lumo::eOk);
    EXPECT_EQ(entity->highlights().size(), 1u);
    expectReleased(2);

    EXPECT_EQ(parameter.highlight(false, false), Lumo::eOk);
    EXPECT_THAT(entity->highlights(), IsEmpty());
    EXPECT_FALSE(parameter.isPushHighlighted());
    expectReleased(3);
}

TEST_F(ParameterWithEntity, PopsOnlyWhatItPushed) {
    // Somebody else's highlight of the same entity.
    KxDbEntity* opened = nullptr;
    ASSERT_EQ(kxdbOpenObject(opened, entityId, KxDb::kForRead), Lumo::eOk);
    ASSERT_EQ(
        opened->pushHighlight(KxDbFullSubentPath(entityId, KxDbSubentId()), kKxGiHighlightOutline),
        Lumo::eOk);
    opened->close();

    EXPECT_EQ(parameter.highlight(false, false), Lumo::eOk);
    EXPECT_THAT(entity->highlights(), ElementsAre(wholeEntity(entityId, kKxGiHighlightOutline)));
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eOk);
    EXPECT_EQ(parameter.highlight(false, false), Lumo::eOk);
    EXPECT_EQ(parameter.highlight(false, false), Lumo::eOk);
    EXPECT_THAT(entity->highlights(), ElementsAre(wholeEntity(entityId, kKxGiHighlightOutline)));
    expectReleased(5);
}

TEST_F(ParameterWithEntity, AHostRefusalKeepsTheFlagAndTheEntityIsReleased) {
    const auto refusal = static_cast<Lumo::ErrorStatus>(77);
    entity->failNextPush(refusal);
    EXPECT_EQ(parameter.highlight(true, false), refusal);
    EXPECT_FALSE(parameter.isPushHighlighted());
    EXPECT_THAT(entity->highlights(), IsEmpty());
    expectReleased(1);

    ASSERT_EQ(parameter.highlight(true, false), Lumo::eOk);
    entity->failNextPop(refusal);
    EXPECT_EQ(parameter.highlight(false, false), refusal);
    EXPECT_TRUE(parameter.isPushHighlighted());
    EXPECT_EQ(entity->highlights().size(), 1u);
    expectReleased(3);

    // Still pushed, so the pop is tried again and now goes through.
    EXPECT_EQ(parameter.highlight(false, false), Lumo::eOk);
    EXPECT_THAT(entity->highlights(), IsEmpty());
}

TEST_F(ParameterWithEntity, WithoutAnEntityIdNothingIsOpened) {
    parameter.mEntityId.setNull();
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eNotAnEntity);
    parameter.mEntityId = entityId;
    parameter.mEntityIdStatus = Lumo::eInvalidInput;
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eNotAnEntity);
    expectReleased(0);
    EXPECT_FALSE(parameter.isPushHighlighted());
}

TEST_F(ParameterWithEntity, AnEntityThatCannotBeOpenedGivesTheHostsStatus) {
    KxDbObject* writer = nullptr;
    ASSERT_EQ(kxdbOpenObject(writer, entityId, KxDb::kForWrite), Lumo::eOk);
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eWasOpenForWrite);
    writer->close();
    EXPECT_THAT(entity->highlights(), IsEmpty());

    ASSERT_EQ(database.erase(entityId), Lumo::eOk);
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eWasErased);

    // An object that is no entity.
    KxDbObjectId plainId;
    ASSERT_EQ(database.addObject(new KxDbObject, plainId), Lumo::eOk);
    parameter.mEntityId = plainId;
    EXPECT_EQ(parameter.highlight(true, false), Lumo::eNotAnEntity);
    EXPECT_FALSE(parameter.isPushHighlighted());
    expectReleased(1);
}

} // namespace
