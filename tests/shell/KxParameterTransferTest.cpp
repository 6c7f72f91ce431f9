// Export and import through the sample provider: what the file holds, what a new drawing gets
// back, what the palette hears, and which rows are refused.

#include "shell/KxParameterTransfer.h"

#include "kit/KxScopedRegistration.h"
#include "manager/KxParameterManager.h"
#include "modules/bracket-plate/KxBracketPlate.h"
#include "support/HostSysVars.h"
#include "support/PaletteSession.h"
#include "testkit/KxRecordingPalette.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

namespace Transfer = KxParameterTransfer;

std::vector<std::string> lines(const std::string& csv) {
    std::vector<std::string> result;
    for (std::size_t start = 0, end; (end = csv.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        result.push_back(csv.substr(start, end - start));
    }
    return result;
}

std::vector<std::string> describe(const Transfer::Result& result) {
    std::vector<std::string> issues;
    for (const Transfer::Issue& issue : result.issues) {
        issues.push_back(Transfer::describe(issue));
    }
    return issues;
}

// The sample plate, active, with a palette that hears everything; and an empty plate beside it.
struct PlateTransfer : PaletteSession {
    KxBracketPlate source;
    KxPlateCollection copy{L"Copy", kxDocManagerPtr()->curDocument()->database()};
    KxPlateGroupCollection copyGroups{&copy};
    CImageList images;

    PlateTransfer() {
        source.connect();
        palette.mCalls.clear();
    }
    std::string exported() {
        std::string csv;
        const Transfer::Result result = Transfer::exportCsv(manager, csv);
        EXPECT_TRUE(result.ok());
        return csv;
    }
};

TEST_F(PlateTransfer, ExportsRowsThatImportBackAndRefusesRowsOneByOne) {
    const std::string csv = exported();
    std::vector<std::string> rows = lines(csv);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0], "name,expression,value,description,groups,usage_count,tolerance");
    EXPECT_EQ(rows[7], "spacing,(width - 2 * hole_diameter) / (hole_count - 1),34.0000,"
                       "Distance between hole centres,holes,0,0.2");

    // The plate's own file changes nothing, and nobody hears of it.
    Transfer::Result result = Transfer::importCsv(manager, csv);
    EXPECT_EQ(result.rows, 7);
    EXPECT_THAT(describe(result), IsEmpty());
    EXPECT_THAT(palette.names(), IsEmpty());

    // Into an empty plate, the rows last first so that each names parameters of later rows. The
    // file does not carry the plate's kinds: with angles at the precision of lengths, the angle
    // that comes back a number reads the same.
    ASSERT_EQ(setSysVar(L"AUPREC", 4), kRtNorm);
    rows = lines(exported());
    KxScopedCollection registered(copy, images, &copyGroups, KxActivation::kMakeActive);
    std::string reversed = rows[0] + "\r\n";
    for (std::size_t i = rows.size() - 1; i > 0; --i) {
        reversed += rows[i] + "\r\n";
    }
    result = Transfer::importCsv(manager, reversed);
    EXPECT_EQ(result.rows, 7);
    EXPECT_THAT(describe(result), IsEmpty());
    const std::vector<std::string> heard = palette.names();
    EXPECT_EQ(std::count(heard.begin(), heard.end(), "addParameterDataInUI"), 7);
    std::vector<std::string> copied = lines(exported());
    std::sort(rows.begin(), rows.end());
    std::sort(copied.begin(), copied.end());
    EXPECT_EQ(copied, rows);

    // A refused row is reported and undone; the others apply, a forward reference included.
    palette.mCalls.clear();
    result = Transfer::importCsv(manager, "name,groups,expression,tolerance\r\n"
                                          "height,holes,width / 4,0.3\r\n"
                                          "depth,deep;holes,later * 2,0.5\r\n"
                                          "width,outline,1 +,\r\n"
                                          "extra,,1 +,\r\n"
                                          "later,,width + 1,\r\n"
                                          ",,1,\r\n"
                                          "later,,2,\r\n"
                                          "hole_count,,\"\"\"4\"\"\",0.1\r\n");
    EXPECT_EQ(result.rows, 2);
    EXPECT_THAT(
        describe(result),
        ElementsAre("line 2: height: property 'tolerance' = '0.3': tolerance must be one of "
                    "0.1, 0.2, 0.5 (eInvalidInput, 3)",
                    "line 4: width: expression '1 +': not a valid expression: \"1 +\" "
                    "(eInvalidInput, 3)",
                    "line 5: extra: expression '1 +': not a valid expression: \"1 +\" "
                    "(eInvalidInput, 3)",
                    "line 7: a row needs a name (eInvalidInput, 3)",
                    "line 8: 'later' is on line 6 already (eDuplicateKey, 23)",
                    "line 9: hole_count: expression '\"4\"': not a valid expression: "
                    "\"\"4\"\" (eInvalidInput, 3)"));
    // The groups are written in the group collection's order, as the palette lists them.
    const std::vector<std::string> now = lines(exported());
    EXPECT_THAT(std::vector<std::string>(now.end() - 2, now.end()),
                ElementsAre("later,width + 1,121.0000,,,1,0.1",
                            "depth,later * 2,242.0000,,holes;deep,0,0.5"));
    EXPECT_EQ(copy.find(L"height")->getExpression(), KxString(L"width / 2"));
    EXPECT_EQ(copy.find(L"extra"), nullptr);
    // The palette heard each refusal, height's change and its undoing, the new rows, and the
    // deletion of the refused new one; no row is tried again, for none of them names a row that
    // applied after it was refused.
    const std::vector<std::string> refusedWidth = {"markInvalidCell", "showErrorTaskDialog"};
    const std::vector<std::string> undoneHeight = {"updateParameterDataInUI", "markInvalidCell",
                                                   "showErrorTaskDialog",
                                                   "updateParameterDataInUI"};
    std::vector<std::string> expected = refusedWidth;
    expected.insert(expected.end(), undoneHeight.begin(), undoneHeight.end());
    expected.insert(expected.end(),
                    {"IsVisible", "addParameterDataInUI", "IsVisible", "addParameterDataInUI",
                     "cancelCurrentEdit", "isListControlDeleted", "deleteParameterDataInUI",
                     "markInvalidCell", "showErrorTaskDialog"});
    EXPECT_EQ(palette.names(), expected);

    // A file that cannot be read, or names a column the plate does not have, changes nothing.
    palette.mCalls.clear();
    const std::string before = exported();
    for (const char* bad : {"name,expression\r\nwidth,7\r\n\"open,1\r\n",
                            "name,expression,colour\r\nwidth,7,red\r\n"}) {
        result = Transfer::importCsv(manager, bad);
        EXPECT_EQ(result.rows, 0);
        ASSERT_EQ(result.issues.size(), 1u);
        EXPECT_EQ(result.issues[0].line,
                  result.issues[0].message == "unknown column 'colour'" ? 1 : 3)
            << result.issues[0].message;
    }
    EXPECT_EQ(exported(), before);
    EXPECT_THAT(palette.names(), IsEmpty());
}

} // namespace
