#include "host/KxArray.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The physical length after appending `count` elements, one by one and all at once.
template <class T>
std::pair<int, int> physicalLengthAfter(int count, int growLength = 8) {
    KxArray<T> oneByOne(0, growLength), atOnce(0, growLength);
    const std::vector<T> items(static_cast<std::size_t>(count));
    for (const T& item : items) {
        oneByOne.append(item);
    }
    atOnce.append(items.data(), count);
    return {oneByOne.physicalLength(), atOnce.physicalLength()};
}

TEST(KxArray, StorageDoublesUntilOneMebibyteThenStepsByItNeverByLessThanTheGrowLength) {
    // Pointers double from 8 up to 131072 (one mebibyte), then step by 131072.
    for (auto [count, length] :
         {std::pair{1, 8}, {9, 16}, {131072, 131072}, {131073, 262144}, {262145, 393216}}) {
        EXPECT_EQ(physicalLengthAfter<void*>(count), std::pair(length, length)) << count;
    }
    EXPECT_EQ(physicalLengthAfter<short>(524289), std::pair(1048576, 1048576));
    EXPECT_EQ(physicalLengthAfter<int>(101, 50), std::pair(200, 200)); // 50, 100, 200
    KxArray<int> array;
    array.setLogicalLength(1000000); // more than one step: exactly what is needed
    array.setLogicalLength(0);
    array.setPhysicalLength(4); // and it never shrinks
    EXPECT_EQ(array.physicalLength(), 1000000);
}

} // namespace
