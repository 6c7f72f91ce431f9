#include "host/KxEvalVariantText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <limits>

namespace {

std::string shown(const KxDbEvalVariant& value) {
    return kxdbEvalVariantToString(value).toUtf8();
}

TEST(EvalVariantText, RealsAreTheShortestPlainDecimalThatReadsBack) {
    EXPECT_EQ(shown(15.5), "15.5");
    EXPECT_EQ(shown(0.1), "0.1");
    EXPECT_EQ(shown(1e20), "100000000000000000000");
    EXPECT_EQ(shown(1e-5), "0.00001");
    EXPECT_EQ(shown(-2.5), "-2.5");
    EXPECT_EQ(shown(3.0), "3");
    EXPECT_EQ(shown(0.1 + 0.2), "0.30000000000000004");
    for (double value : {1.0 / 3.0, 2.0 / 3.0, 123456.789e-10, 1e300, -4.9e-324,
                         std::numeric_limits<double>::max()}) {
        const std::string text = shown(value);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        double back = 0.0;
        const auto parsed = std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(parsed.ptr, text.data() + text.size()) << text;
        EXPECT_EQ(back, value) << text;
    }
}

TEST(EvalVariantText, OtherTypes) {
    EXPECT_EQ(shown(std::int32_t{-70000}), "-70000");
    EXPECT_EQ(shown(static_cast<short>(-5)), "-5");
    KxDbEvalVariant small;
    small.setInt8(-8);
    EXPECT_EQ(shown(small), "-8");
    EXPECT_EQ(shown(L"a text, as it is"), "a text, as it is");
    EXPECT_EQ(shown(L""), "");
    KxDbEvalVariant point;
    point.setPoint({1.5, -2.0, 0.1});
    EXPECT_EQ(shown(point), "1.5,-2,0.1");
    EXPECT_EQ(shown(KxDbEvalVariant()), "");
}

} // namespace
