#include "host/KxDbCurves.h"
#include "host/KxDbDatabase.h"

#include <gmock/gmock.h>

#include <functional>
#include <iterator>
#include <limits>
#include <utility>

using ::testing::ElementsAre;

namespace {

TEST(KxDbCurves, GeometryIsSetOpenForWriteAndFiniteOnlyAndEachChangeGrowsTheRevision) {
    KxDbDatabase database;
    std::uint64_t revision = database.revision();
    const auto grew = [&] {
        const std::uint64_t before = std::exchange(revision, database.revision());
        return revision > before;
    };
    auto *line = new KxDbPolyline(), *spare = new KxDbPolyline();
    auto* circle = new KxDbCircle();
    KxDbObjectId lineId, circleId, spareId;
    ASSERT_EQ(database.addObject(line, lineId), Lumo::eOk);
    EXPECT_TRUE(grew());
    database.addObject(circle, circleId);
    database.addObject(spare, spareId);
    grew();

    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    const KxGePoint2d a{1, 2}, b{3, -4};
    constexpr int kClosed = -1, kRead = KxDb::kForRead, kWrite = KxDb::kForWrite;
    const struct {
        KxDbObjectId id;
        int mode;
        std::function<Lumo::ErrorStatus()> set;
        Lumo::ErrorStatus status;
    } cases[] = {
        {lineId, kWrite,
         [&] {
             return line->setPoints({a, b}, true);
         },
         Lumo::eOk},
        {lineId, kClosed, [&] { return line->setPoints({b}, false); }, Lumo::eNotOpen},
        {lineId, kRead, [&] { return line->setPoints({b}, false); }, Lumo::eNotOpen},
        {lineId, kWrite,
         [&] {
             return line->setPoints({b, {nan, 0}}, false);
         },
         Lumo::eInvalidInput},
        {lineId, kWrite,
         [&] {
             return line->setPoints({{0, inf}}, false);
         },
         Lumo::eInvalidInput},
        {circleId, kWrite, [&] { return circle->set(a, 0.5); }, Lumo::eOk},
        {circleId, kClosed, [&] { return circle->set(b, 1); }, Lumo::eNotOpen},
        {circleId, kRead, [&] { return circle->set(b, 1); }, Lumo::eNotOpen},
        {circleId, kWrite, [&] { return circle->set(b, -1); }, Lumo::eInvalidInput},
        {circleId, kWrite, [&] { return circle->set(b, nan); }, Lumo::eInvalidInput},
        {circleId, kWrite, [&] { return circle->set(b, inf); }, Lumo::eInvalidInput},
        {circleId, kWrite,
         [&] {
             return circle->set({inf, 0}, 1);
         },
         Lumo::eInvalidInput},
    };
    for (std::size_t row = 0; row < std::size(cases); ++row) {
        const auto& [id, mode, set, status] = cases[row];
        KxDbEntity* entity = nullptr;
        ASSERT_TRUE(mode == kClosed || kxdbOpenObject(entity, id, mode) == Lumo::eOk) << row;
        EXPECT_EQ(set(), status) << "row " << row;
        EXPECT_EQ(grew(), status == Lumo::eOk) << "row " << row;
        if (entity) {
            entity->close();
        }
    }
    // What the refused calls offered changed nothing.
    EXPECT_THAT(line->points(), ElementsAre(a, b));
    EXPECT_TRUE(line->isClosed());
    EXPECT_EQ(circle->center(), a);
    EXPECT_EQ(circle->radius(), 0.5);

    // A highlight pushed and popped is a change; a pop with nothing to pop is not.
    const KxDbFullSubentPath path(lineId, KxDbSubentId());
    KxDbEntity* entity = nullptr;
    ASSERT_EQ(kxdbOpenObject(entity, lineId, kRead), Lumo::eOk);
    EXPECT_EQ(entity->pushHighlight(path, kKxGiHighlightDashedThick), Lumo::eOk);
    EXPECT_TRUE(grew());
    EXPECT_EQ(entity->popHighlight(path), Lumo::eOk);
    EXPECT_TRUE(grew());
    EXPECT_EQ(entity->popHighlight(path), Lumo::eNotHighlighted);
    EXPECT_FALSE(grew());
    entity->close();

    // Erased and deleted objects are left out; the others keep the order they were added in, also
    // once the deleted ones are many.
    EXPECT_EQ(database.erase(circleId), Lumo::eOk);
    EXPECT_TRUE(grew());
    EXPECT_EQ(database.erase(circleId), Lumo::eWasErased);
    EXPECT_FALSE(grew());
    std::vector<KxDbObjectId> ids{lineId, spareId};
    for (int i = 0; i < 6; ++i) {
        auto* added = new KxDbCircle();
        database.addObject(added, ids.emplace_back());
        EXPECT_TRUE(grew());
        if (i % 3 != 2) {
            delete added;
            EXPECT_TRUE(grew());
            ids.pop_back();
        }
    }
    delete spare;
    EXPECT_TRUE(grew());
    ids.erase(ids.begin() + 1);
    EXPECT_EQ(database.objectIds(), ids);
    EXPECT_EQ(database.objectCount(), 4);
}

} // namespace
