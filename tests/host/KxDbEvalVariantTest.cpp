#include "host/KxDbEvalVariant.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(KxDbEvalVariantType, TheTagFollowsTheResultTypeCode) {
    KxDbEvalVariant value;
    EXPECT_EQ(value.getType(), kDwgNull);
    EXPECT_EQ(value.restype(), kRtNone);
    value = 1.5;
    EXPECT_EQ(value.restype(), 40);
    EXPECT_EQ(value.getType(), 1);
    EXPECT_EQ(value.getDouble(), 1.5);
    value = 70000;
    EXPECT_EQ(value.restype(), 90);
    EXPECT_EQ(value.getType(), 2);
    EXPECT_EQ(value.getInt32(), 70000);
    value = static_cast<short>(-5);
    EXPECT_EQ(value.restype(), 70);
    EXPECT_EQ(value.getType(), 3);
    EXPECT_EQ(value.getInt16(), -5);
    value.setInt8(-8);
    EXPECT_EQ(value.restype(), 280);
    EXPECT_EQ(value.getType(), 4);
    EXPECT_EQ(value.getInt8(), -8);
    value = L"text";
    EXPECT_EQ(value.restype(), 1);
    EXPECT_EQ(value.getType(), 5);
    EXPECT_EQ(value.getString(), KxString(L"text"));
    value.setPoint({1, 2, 3});
    EXPECT_EQ(value.restype(), 10);
    EXPECT_EQ(value.getType(), 12);
    EXPECT_EQ(value.getPoint(), (KxPoint3d{1, 2, 3}));
    // Reading another type than the one held gives nothing.
    EXPECT_EQ(value.getDouble(), 0.0);
    EXPECT_TRUE(value.getString().isEmpty());
    value.clear();
    EXPECT_EQ(value.getType(), kDwgNull);
}

TEST(KxDbEvalVariantValue, EqualityNeedsTheSameTypeAndValue) {
    EXPECT_EQ(KxDbEvalVariant(), KxDbEvalVariant());
    EXPECT_EQ(KxDbEvalVariant(2.0), KxDbEvalVariant(2.0));
    EXPECT_NE(KxDbEvalVariant(2.0), KxDbEvalVariant(2));
    EXPECT_NE(KxDbEvalVariant(2), KxDbEvalVariant(static_cast<short>(2)));
    EXPECT_NE(KxDbEvalVariant(L"a"), KxDbEvalVariant(L"A"));
    EXPECT_NE(KxDbEvalVariant(L""), KxDbEvalVariant());

    KxDbEvalVariant text(KxString(L"label"));
    KxDbEvalVariant copy(text);
    EXPECT_EQ(copy, text);
    KxDbEvalVariant moved(std::move(copy));
    EXPECT_EQ(moved, text);
    KxDbEvalVariant assigned;
    assigned = moved;
    EXPECT_EQ(assigned, text);
    // Assigning a variant its own text.
    const KxString own = assigned.getString();
    assigned = own;
    EXPECT_EQ(assigned, text);
}

} // namespace
