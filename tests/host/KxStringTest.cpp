#include "host/KxString.h"

#include <gtest/gtest.h>

namespace {

TEST(KxStringValue, ComparesCodeUnitsExactly) {
    EXPECT_TRUE(KxString(nullptr).isEmpty());
    EXPECT_EQ(KxString(nullptr), KxString(L""));
    EXPECT_EQ(KxString(), nullptr);
    EXPECT_NE(KxString(L"Width"), KxString(L"width"));
    EXPECT_NE(KxString(L"width"), KxString(L"width "));
    EXPECT_EQ(KxString(L"width"), L"width");
    EXPECT_EQ(KxString(L"abcdef", 3), KxString(L"abc"));
    EXPECT_EQ(KxString(L"abc", -1), KxString());

    KxString text(L"h\u00F6he");
    EXPECT_EQ(text.length(), 4);
    KxString copy = text;
    copy = L"other";
    EXPECT_EQ(text, KxString(L"h\u00F6he"));
    copy = nullptr;
    EXPECT_TRUE(copy.isEmpty());
    const KxString& self = text;
    text = self;
    EXPECT_EQ(text.length(), 4);
}

TEST(KxStringValue, ConvertsToAndFromUtf8) {
    const KxString text(L"\u00E9t\u00E9 \u2192 \U0001F4D0");
    EXPECT_EQ(text.toUtf8(), "\xC3\xA9t\xC3\xA9 \xE2\x86\x92 \xF0\x9F\x93\x90");
    EXPECT_EQ(KxString::fromUtf8(text.toUtf8()), text);
    // A stray continuation byte and a cut sequence each become one replacement character.
    EXPECT_EQ(KxString::fromUtf8("a\x80"
                                 "b\xE2\x86"),
              KxString(L"a\uFFFDb\uFFFD\uFFFD"));
    // An overlong form is not a code point.
    EXPECT_EQ(KxString::fromUtf8("\xC0\xAF"), KxString(L"\uFFFD\uFFFD"));
}

} // namespace
