#include "host/KxDbCurves.h"
#include "host/KxDbDatabase.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <utility>

TEST(KxDbCurves, GeometryIsSetOpenForWriteAndFiniteOnlyAndEachChangeGrowsTheRevision) {
    KxDbDatabase database;
    std::uint64_t revision = database.revision();
    const auto grew = [&] {
        const std::uint64_t before = std::exchange(revision, database.revision());
        return revision > before;
    };
    auto* line = new KxDbPolyline();
    auto* circle = new KxDbCircle();
    KxDbObjectId lineId, circleId;
    EXPECT_TRUE(database.addObject(line, lineId) == Lumo::eOk && grew());
    database.addObject(circle, circleId);
    grew();
    // Each row sets the polyline's points to (a, point), or the circle; only each first row is
    // taken.
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr int kNotOpen = -1, kRead = KxDb::kForRead, kWrite = KxDb::kForWrite;
    const KxGePoint2d a{1, 2}, b{3, -4};
    const std::tuple<KxDbEntity*, int, KxGePoint2d, double, Lumo::ErrorStatus> cases[] = {
        {line, kWrite, b, 0, Lumo::eOk},
        {line, kNotOpen, a, 0, Lumo::eNotOpen},
        {line, kRead, a, 0, Lumo::eNotOpen},
        {line, kWrite, {nan, 0}, 0, Lumo::eInvalidInput},
        {circle, kWrite, a, 0.5, Lumo::eOk},
        {circle, kRead, b, 1, Lumo::eNotOpen},
        {circle, kWrite, b, -1, Lumo::eInvalidInput},
        {circle, kWrite, b, nan, Lumo::eInvalidInput},
        {circle, kWrite, {inf, 0}, 1, Lumo::eInvalidInput},
    };
    for (std::size_t row = 0; row < std::size(cases); ++row) {
        const auto& [entity, mode, point, radius, status] = cases[row];
        KxDbEntity* opened = nullptr;
        ASSERT_TRUE(mode == kNotOpen ||
                    kxdbOpenObject(opened, entity->objectId(), mode) == Lumo::eOk);
        EXPECT_EQ(entity == line ? line->setPoints({a, point}, row > 0)
                                 : circle->set(point, radius),
                  status)
            << "row " << row;
        EXPECT_EQ(grew(), status == Lumo::eOk) << "row " << row;
        if (opened) {
            opened->close();
        }
    }
    EXPECT_EQ(line->points(), (std::vector<KxGePoint2d>{a, b}));
    EXPECT_FALSE(line->isClosed());
    EXPECT_EQ(circle->center(), a);
    EXPECT_EQ(circle->radius(), 0.5);

    // A highlight pushed and popped is a change; a pop with nothing to pop is not.
    const KxDbFullSubentPath path(lineId, KxDbSubentId());
    KxDbEntity* opened = nullptr;
    ASSERT_EQ(kxdbOpenObject(opened, lineId, kRead), Lumo::eOk);
    EXPECT_TRUE(opened->pushHighlight(path, kKxGiHighlightDashedThick) == Lumo::eOk && grew());
    EXPECT_TRUE(opened->popHighlight(path) == Lumo::eOk && grew());
    EXPECT_TRUE(opened->popHighlight(path) == Lumo::eNotHighlighted && !grew());
    opened->close();

    // Erased and deleted objects are left out; the others keep the order they were added in, also
    // once the deleted ones are many.
    EXPECT_TRUE(database.erase(circleId) == Lumo::eOk && grew());
    EXPECT_TRUE(database.erase(circleId) == Lumo::eWasErased && !grew());
    std::vector<KxDbObjectId> ids{lineId};
    for (int i = 0; i < 6; ++i) {
        auto* added = new KxDbCircle();
        database.addObject(added, ids.emplace_back());
        if (i % 3 != 2 && grew()) {
            delete added;
            EXPECT_TRUE(grew());
            ids.pop_back();
        }
    }
    EXPECT_EQ(database.objectIds(), ids);
}
