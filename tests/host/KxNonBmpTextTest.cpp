// Characters beyond U+FFFF, which Windows holds as surrogate pairs and Linux as one unit: each
// must come through conversion, the console's columns, refusals and a CSV round trip whole.

#include "host/KxString.h"
#include "kit/KxScopedRegistration.h"
#include "manager/KxParameterManager.h"
#include "modules/bracket-plate/KxBracketPlate.h"
#include "modules/console-palette/KxConsolePalette.h"
#include "modules/console-palette/KxConsoleText.h"
#include "shell/KxParameterTransfer.h"
#include "support/HostSession.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

using ::testing::HasSubstr;

namespace {

// U+1F600 and U+2070E are wide on a terminal, U+10348 is not.
constexpr const wchar_t* kWide = L"\U0001F600";
constexpr const char* kWideUtf8 = "\xF0\x9F\x98\x80";
constexpr const wchar_t* kNarrow = L"\U00010348";
constexpr const char* kNarrowUtf8 = "\xF0\x90\x8D\x88";

TEST(KxNonBmpText, ConvertsAndMeasuresEachCharacterWhole) {
    struct Case {
        const wchar_t* wide;
        const char* utf8;
        int columns;
    };
    const Case cases[] = {
        {kWide, kWideUtf8, 2},
        {kNarrow, kNarrowUtf8, 1},
        {L"\U0002070E", "\xF0\xA0\x9C\x8E", 2},
        {L"x\U00010348\u0301y\U0001F600", "x\xF0\x90\x8D\x88\xCC\x81y\xF0\x9F\x98\x80", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(KxString::fromUtf8(c.utf8), KxString(c.wide));
        EXPECT_EQ(KxString(c.wide).toUtf8(), c.utf8);
        EXPECT_EQ(KxConsoleText::displayWidth(c.wide), c.columns);
        EXPECT_EQ(KxConsoleText::padded(c.wide, c.columns + 2), std::string(c.utf8) + "  ");
    }
    // Walking a text yields its characters and ends exactly at its end.
    const std::wstring text = L"a\U0001F600\U00010348\U0002070E";
    std::u32string walked;
    std::size_t pos = 0;
    while (pos < text.size()) {
        walked += KxString::codePointAt(text, pos);
    }
    EXPECT_EQ(walked, U"a\U0001F600\U00010348\U0002070E");
    EXPECT_EQ(KxString::codePointAt(text, pos), U'\uFFFD');
    EXPECT_EQ(pos, text.size());
}

using KxNonBmpPlate = HostSession;

TEST_F(KxNonBmpPlate, NamesAreRefusedWholeAndDescriptionsKeepEveryCharacter) {
    // The sample plate, active, shown by the console palette.
    std::ostringstream out, errors;
    KxConsolePalette palette;
    palette.setOutput(&out, &errors);
    KxScopedPalette attached{palette};
    ::testing::internal::CaptureStderr(); // the host reports that no palette module is there
    KxParameterManager& manager = mSession.manager();
    ::testing::internal::GetCapturedStderr();
    KxBracketPlate plate;
    plate.connect();
    KxParameter* width = plate.collection().find(L"width");
    const auto description = [width] {
        KxString text;
        width->getDescription(text);
        return text;
    };
    const auto exported = [&manager] {
        std::string csv;
        EXPECT_TRUE(KxParameterTransfer::exportCsv(manager, csv).ok());
        return csv;
    };

    // The plate's names are ASCII: a name or expression with such a character is refused, and
    // the refusal quotes it whole, in a box as wide as its columns.
    const KxString badName(L"w" + std::wstring(kNarrow));
    EXPECT_EQ(palette.editName(width, badName), Lumo::eInvalidInput);
    EXPECT_EQ(palette.editExpression(width, KxString(L"120 + " + std::wstring(kWide))),
              Lumo::eInvalidInput);
    EXPECT_EQ(width->getName(), L"width");
    EXPECT_EQ(width->getExpression(), L"120");
    const std::string narrow = kNarrowUtf8, wide = kWideUtf8, title = "Parameter not changed";
    EXPECT_EQ(
        errors.str(),
        "+-- " + title + " (eInvalidInput, 3) " + std::string(36, '-') + "+\n| \"w" + narrow +
            "\" is not a valid name: use letters, digits and _, not starting with a digit |\n+" +
            std::string(80, '-') + "+\n+-- " + title + " (eInvalidInput, 3) -+\n" +
            "| not a valid expression: \"120 + " + wide + "\"          |\n+" +
            std::string(45, '-') + "+\n");

    // The widest description sets its column, counted in columns, not in code units or bytes.
    const std::wstring text = L"Width \U0001F600 \U00010348 \U0002070E of the whole plate";
    ASSERT_EQ(palette.editProperty(width, L"description", KxDbEvalVariant(text.c_str())),
              Lumo::eOk);
    EXPECT_EQ(description(), KxString(text));
    palette.draw();
    const std::string utf8 = KxString(text).toUtf8();
    EXPECT_THAT(out.str(), HasSubstr("  -------  " + std::string(32, '-') + "  -------  "));
    EXPECT_THAT(out.str(), HasSubstr("  outline  " + utf8 + "  2        0.5\n"));
    EXPECT_THAT(out.str(), HasSubstr("  outline  Overall height of the plate       0  "));

    // Exported, changed and imported back, the description is as it was; a row whose name the
    // plate refuses is reported with the name whole and adds nothing.
    const std::string csv = exported();
    EXPECT_THAT(csv, HasSubstr("," + utf8 + ",outline,"));
    ASSERT_EQ(palette.editProperty(width, L"description", KxDbEvalVariant(L"plain")), Lumo::eOk);
    const KxParameterTransfer::Result result =
        KxParameterTransfer::importCsv(manager, csv + "w" + narrow + ",1,," + wide + ",,,\r\n");
    EXPECT_EQ(result.rows, 7);
    ASSERT_EQ(result.issues.size(), 1u);
    EXPECT_THAT(KxParameterTransfer::describe(result.issues[0]),
                HasSubstr("line 9: w" + narrow + ": name: \"w" + narrow + "\" is not a valid"));
    EXPECT_EQ(description(), KxString(text));
    EXPECT_EQ(exported(), csv);
}

} // namespace
