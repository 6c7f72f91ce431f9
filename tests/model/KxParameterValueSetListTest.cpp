#include "model/KxParameterValueSetList.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

KxEvalVariantArray values(std::initializer_list<int> numbers, int growLength = 8) {
    KxEvalVariantArray array(0, growLength);
    for (int number : numbers) {
        array.append(KxDbEvalVariant(number));
    }
    return array;
}

TEST(ParameterValueSetList, CopiesTakeTheSourcesGrowLengthAssignmentsKeepTheirOwn) {
    const KxParameterValueSetList source(values({1, 2, 3}, 5));
    EXPECT_EQ(source.values().growLength(), 5);
    EXPECT_EQ(source.values().length(), 3);

    const KxParameterValueSetList copy(source);
    EXPECT_EQ(copy.values().growLength(), 5);
    EXPECT_EQ(copy.values()[2], KxDbEvalVariant(3));

    KxParameterValueSetList target(values({9, 9, 9, 9, 9}, 12));
    target = source;
    EXPECT_EQ(target.values().length(), 3);
    EXPECT_EQ(target.values().growLength(), 12);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(target.values()[i], KxDbEvalVariant(i + 1));
    }

    target.setValues(target.values());
    EXPECT_EQ(target.values().length(), 3);
    EXPECT_EQ(target.values()[0], KxDbEvalVariant(1));
    target = static_cast<const KxParameterValueSetList&>(target);
    EXPECT_EQ(target.values().length(), 3);
    target.setValues(values({4}));
    EXPECT_EQ(target.values().length(), 1);
    EXPECT_EQ(target.values()[0], KxDbEvalVariant(4));
}

TEST(ParameterValueSetList, MovesLeaveTheSourceEmptyWithTheDefaultGrowLength) {
    KxParameterValueSetList source(values({1, 2, 3}, 5));
    KxParameterValueSetList moved(std::move(source));
    EXPECT_EQ(moved.values().length(), 3);
    EXPECT_EQ(moved.values().growLength(), 5);
    EXPECT_EQ(moved.values()[1], KxDbEvalVariant(2));
    EXPECT_EQ(source.values().length(), 0);
    EXPECT_EQ(source.values().physicalLength(), 0);
    EXPECT_EQ(source.values().growLength(), 8);

    KxParameterValueSetList target(values({7, 7, 7, 7, 7}, 20));
    target = std::move(moved);
    EXPECT_EQ(target.values().length(), 3);
    EXPECT_EQ(target.values().growLength(), 20);
    EXPECT_EQ(target.values()[2], KxDbEvalVariant(3));
    EXPECT_EQ(moved.values().length(), 0);
    EXPECT_EQ(moved.values().physicalLength(), 0);
    EXPECT_EQ(moved.values().growLength(), 8);

    KxParameterValueSetList& self = target;
    target = std::move(self);
    EXPECT_EQ(target.values().length(), 3);

    // A moved-from list is usable again.
    moved.setValues(values({5}));
    EXPECT_EQ(moved.values()[0], KxDbEvalVariant(5));
}

} // namespace
