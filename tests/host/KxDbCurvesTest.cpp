#include "host/KxDbCurves.h"
#include "host/KxDbDatabase.h"
#include "host/KxDbDrawingFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
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

TEST(KxDbCurves, AViewLearnsWhatChangedSinceARevisionOrThatItMustReadEverything) {
    KxDbDatabase database;
    KxDbObjectId a, b, c;
    // The objects changed since that revision by their letters, in the order first changed; "*"
    // when the database cannot tell.
    const auto changedSince = [&](std::uint64_t revision) {
        std::vector<KxDbObjectId> ids;
        if (!database.changedSince(revision, ids)) {
            return std::string("*");
        }
        std::string letters;
        for (const KxDbObjectId& id : ids) {
            letters += id == a ? 'a' : id == b ? 'b' : id == c ? 'c' : '?';
        }
        return letters;
    };
    const auto setPoints = [&](const KxDbObjectId& id, double x) {
        KxDbObject* line = nullptr;
        ASSERT_EQ(kxdbOpenObject(line, id, KxDb::kForWrite), Lumo::eOk);
        static_cast<KxDbPolyline*>(line)->setPoints({{0, 0}, {x, 0}}, false);
        line->close();
    };
    const auto highlight = [&](const KxDbObjectId& id) {
        KxDbEntity* entity = nullptr;
        ASSERT_EQ(kxdbOpenObject(entity, id, KxDb::kForRead), Lumo::eOk);
        entity->pushHighlight(KxDbFullSubentPath(id, {}), kKxGiHighlightDashedThick);
        entity->close();
    };
    const std::uint64_t start = database.revision();
    EXPECT_EQ(changedSince(start), "");
    // Each row changes the drawing, then names what changed since the row before.
    const std::pair<std::function<void()>, std::string> steps[] = {
        {[&] {
             database.addObject(new KxDbPolyline, a);
             database.addObject(new KxDbPolyline, b);
         },
         "ab"},
        {[&] { setPoints(a, 2); }, "a"},
        {[&] { highlight(b); }, "b"},
        {[&] { database.erase(a); }, "a"},
        {[&] {
             auto* circle = new KxDbCircle;
             database.addObject(circle, c);
             delete circle;
         },
         "c"},
        {[&] {
             database.beginUndoGroup(L"move");
             setPoints(b, 5);
             database.endUndoGroup();
         },
         "b"},
        {[&] { ASSERT_EQ(database.undo(), Lumo::eOk); }, "b"},
        {[] {}, ""},
    };
    for (const auto& [step, expected] : steps) {
        const std::uint64_t before = database.revision();
        step();
        EXPECT_EQ(changedSince(before), expected) << "after " << expected;
    }
    EXPECT_EQ(changedSince(start), "abc"); // each once, in the order first changed
    EXPECT_EQ(changedSince(database.revision() + 1), "*");

    // Beyond some thousands of changes, the earliest are forgotten; the latest are still told.
    const std::uint64_t manyAgo = database.revision();
    for (int i = 0; i < 40000; ++i) {
        setPoints(b, i);
    }
    EXPECT_EQ(changedSince(manyAgo), "*");
    EXPECT_EQ(changedSince(database.revision() - 3), "b");

    // A drawing replaced as a whole may have changed anywhere.
    const std::uint64_t beforeClear = database.revision();
    std::string message;
    ASSERT_EQ(kxdbClearDrawing(database, message), Lumo::eOk);
    EXPECT_EQ(changedSince(beforeClear), "*");
    EXPECT_EQ(changedSince(database.revision()), "");
}
