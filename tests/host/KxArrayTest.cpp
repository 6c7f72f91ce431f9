#include "host/KxArray.h"
#include "host/KxDbEvalVariant.h"
#include "host/KxString.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

using ::testing::ElementsAre;

namespace {

// Every physical length that appending `count` elements passes through.
template <class T>
std::vector<int> physicalLengthsOfAppends(int count) {
    KxArray<T> array;
    std::vector<int> seen;
    for (int i = 0; i < count; ++i) {
        array.append(T());
        if (seen.empty() || seen.back() != array.physicalLength()) {
            seen.push_back(array.physicalLength());
        }
    }
    return seen;
}

std::vector<int> doublingFrom8To(int last) {
    std::vector<int> lengths;
    for (int length = 8; length <= last; length *= 2) {
        lengths.push_back(length);
    }
    return lengths;
}

TEST(KxArrayGrowth, PointersDoubleUntilOneMebibyteThenStepByIt) {
    std::vector<int> expected = doublingFrom8To(131072);
    expected.insert(expected.end(), {262144, 393216, 524288});
    EXPECT_EQ(physicalLengthsOfAppends<void*>(393217), expected);
}

TEST(KxArrayGrowth, ShortsDoubleUntilOneMebibyteThenStepByIt) {
    std::vector<int> expected = doublingFrom8To(524288);
    expected.insert(expected.end(), {1048576, 1572864});
    EXPECT_EQ(physicalLengthsOfAppends<short>(1048577), expected);
}

TEST(KxArrayGrowth, ObjectsStepByAsManyAsFitInOneMebibyte) {
    const int step = 1048576 / static_cast<int>(sizeof(KxString));
    std::vector<int> expected = doublingFrom8To(step);
    expected.insert(expected.end(), {2 * step, 3 * step});
    EXPECT_EQ(physicalLengthsOfAppends<KxString>(2 * step + 1), expected);
}

TEST(KxArrayGrowth, TheStepIsNeverBelowTheGrowLength) {
    KxArray<int> array(8, 100);
    EXPECT_EQ(array.physicalLength(), 8);
    for (int i = 0; i < 9; ++i) {
        array.append(i);
    }
    EXPECT_EQ(array.physicalLength(), 108);

    KxArray<int> fromEmpty(0, 3);
    fromEmpty.append(1);
    EXPECT_EQ(fromEmpty.physicalLength(), 3);
    // More at once than one step gives: exactly what is needed.
    fromEmpty.setLogicalLength(40);
    EXPECT_EQ(fromEmpty.physicalLength(), 40);
    EXPECT_EQ(fromEmpty[39], 0);
}

TEST(KxArrayGrowth, StorageNeverShrinks) {
    KxArray<short> shorts;
    for (short i = 0; i < 20; ++i) {
        shorts.append(i);
    }
    EXPECT_EQ(shorts.physicalLength(), 32);
    shorts.removeAt(0);
    shorts.removeAt(5);
    EXPECT_EQ(shorts.physicalLength(), 32);
    shorts.setLogicalLength(0);
    EXPECT_TRUE(shorts.isEmpty());
    EXPECT_EQ(shorts.physicalLength(), 32);
    shorts.setPhysicalLength(4);
    EXPECT_EQ(shorts.physicalLength(), 32);

    KxArray<KxString> texts;
    texts.append(L"a");
    texts.setLogicalLength(0);
    EXPECT_EQ(texts.physicalLength(), 8);
    // Slots that come back into use hold nothing of what they held before.
    texts.setLogicalLength(1);
    EXPECT_TRUE(texts[0].isEmpty());
}

TEST(KxArrayElements, FindAppendAndRemoveKeepTheOrder) {
    int a = 0, b = 0, c = 0;
    KxArray<int*> pointers;
    EXPECT_EQ(pointers.append(&a), 0);
    EXPECT_EQ(pointers.append(&b), 1);
    EXPECT_EQ(pointers.append(&c), 2);
    EXPECT_EQ(pointers.append(&b), 3);
    EXPECT_EQ(pointers.find(&b), 1);
    EXPECT_EQ(pointers.find(nullptr), -1);
    EXPECT_TRUE(pointers.contains(&c));

    EXPECT_TRUE(pointers.removeAt(1));
    EXPECT_THAT(pointers, ElementsAre(&a, &c, &b));
    EXPECT_EQ(pointers.find(&b), 2);
    EXPECT_FALSE(pointers.removeAt(3));
    EXPECT_FALSE(pointers.removeAt(-1));
    EXPECT_THAT(pointers, ElementsAre(&a, &c, &b));
    EXPECT_EQ(pointers.first(), &a);
    EXPECT_EQ(pointers.last(), &b);
    EXPECT_THROW(pointers.at(3), std::out_of_range);
    EXPECT_FALSE(pointers.setLogicalLength(-1));
    EXPECT_EQ(pointers.length(), 3);

    KxArray<KxString> texts;
    texts.append(L"x");
    texts.append(L"y");
    texts.append(L"X");
    EXPECT_EQ(texts.find(L"X"), 2);
    EXPECT_TRUE(texts.removeAt(0));
    EXPECT_THAT(texts, ElementsAre(KxString(L"y"), KxString(L"X")));
    // Appending an element of the array itself, at the moment the storage grows.
    for (int i = 0; texts.length() < texts.physicalLength(); ++i) {
        texts.append(KxString(L"filler"));
    }
    texts.append(texts[0]);
    EXPECT_EQ(texts.last(), KxString(L"y"));
}

TEST(KxArrayCopies, AssignmentKeepsTheTargetsGrowLengthACopyTakesTheSources) {
    KxArray<KxDbEvalVariant> source(0, 5);
    source.append(KxDbEvalVariant(1.5));
    source.append(KxDbEvalVariant(L"two"));

    KxArray<KxDbEvalVariant> copy(source);
    EXPECT_EQ(copy.growLength(), 5);
    EXPECT_THAT(copy, ElementsAre(KxDbEvalVariant(1.5), KxDbEvalVariant(L"two")));

    KxArray<KxDbEvalVariant> target(0, 30);
    for (int i = 0; i < 4; ++i) {
        target.append(KxDbEvalVariant(i));
    }
    target = source;
    EXPECT_EQ(target.growLength(), 30);
    EXPECT_EQ(target.physicalLength(), 30);
    EXPECT_THAT(target, ElementsAre(KxDbEvalVariant(1.5), KxDbEvalVariant(L"two")));
    target = static_cast<const KxArray<KxDbEvalVariant>&>(target);
    EXPECT_EQ(target.length(), 2);

    KxArray<short> shorts(0, 2);
    shorts.append(1);
    KxArray<short> bigger;
    for (short i = 0; i < 10; ++i) {
        bigger.append(i);
    }
    shorts = bigger;
    EXPECT_EQ(shorts.growLength(), 2);
    EXPECT_EQ(shorts.length(), 10);
    EXPECT_EQ(shorts[9], 9);
}

} // namespace

namespace {

TEST(KxArrayGrowth, AppendingManyAtOnceEndsWhereAppendingOneByOneDoes) {
    std::vector<int*> items(300000);
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i] = reinterpret_cast<int*>(i + 1);
    }
    for (int count : {1, 8, 9, 131072, 300000}) {
        KxArray<int*> once(0, 5);
        KxArray<int*> oneByOne(0, 5);
        once.append(items[0]);
        oneByOne.append(items[0]);
        once.append(items.data(), count);
        for (int i = 0; i < count; ++i) {
            oneByOne.append(items[static_cast<std::size_t>(i)]);
        }
        EXPECT_EQ(once.physicalLength(), oneByOne.physicalLength()) << count;
        ASSERT_EQ(once.length(), count + 1);
        EXPECT_TRUE(std::equal(once.begin(), once.end(), oneByOne.begin())) << count;
    }
    KxArray<int*> unchanged;
    unchanged.append(items.data(), 0);
    EXPECT_EQ(unchanged.physicalLength(), 0);
}

} // namespace
