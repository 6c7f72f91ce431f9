// The CSV reader and writer: quoting, line ends, the lines rows start on, and each kind of text the
// reader refuses with the line where it is.

#include "shell/KxCsv.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using Fields = std::vector<std::string>;
using namespace std::string_view_literals;

struct ReadCase {
    const char* what;
    std::string_view text;
    std::vector<std::pair<int, Fields>> rows; // each row's line and fields, when the text reads
    int errorLine = 0;                        // otherwise the line of the error
    std::string error = {};
};

TEST(KxCsv, ReadsRowsAndTheLinesTheyStartOnOrNamesTheLineThatIsWrong) {
    const ReadCase cases[] = {
        {"LF", "a,b\n1,2\n", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        {"CR LF, no break at the end", "a,b\r\n1,2", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        {"quoted commas, quotes and line breaks; lines counted inside quotes",
         "a,b\r\n\"x,y\",\"say \"\"hi\"\"\"\r\n\"two\r\nlines\",\"3\nmore\nlines\"\r\nlast,row\r\n",
         {{1, {"a", "b"}},
          {2, {"x,y", "say \"hi\""}},
          {3, {"two\r\nlines", "3\nmore\nlines"}},
          {7, {"last", "row"}}}},
        {"empty fields; empty lines skipped",
         "a,b,c\n\n,,\n\r\n\"\",x,\n",
         {{1, {"a", "b", "c"}}, {3, {"", "", ""}}, {5, {"", "x", ""}}}},
        {"byte-order mark skipped, UTF-8 and blanks kept",
         "\xEF\xBB\xBFname, \xC3\xA9 \n\xF0\x9F\x94\xA9,\"\xEF\xBB\xBF\"\n",
         {{1, {"name", " \xC3\xA9 "}}, {2, {"\xF0\x9F\x94\xA9", "\xEF\xBB\xBF"}}}},
        {"unclosed quote: the line where it opens",
         "a,b\n1,\"open\n\nstill\n",
         {},
         2,
         "not closed"},
        {"quote inside a plain field", "a,b\n1,x\"y\n", {}, 2, "a quote inside a field"},
        {"text after a closing quote, on its own line",
         "a\n\"x\ny\"z\n",
         {},
         3,
         "after the closing"},
        {"fewer fields than the header", "a,b\n1,2\n\"3\n\"\n", {}, 3, "1 fields where the header"},
        {"more fields than the header", "a\n\"1\n\",2\n", {}, 2, "2 fields where the header has 1"},
        {"lone carriage return", "a\nb\rc\n", {}, 2, "carriage return"},
        {"lone carriage return after quotes", "a\n\"b\"\r", {}, 2, "carriage return"},
        {"invalid UTF-8", "a\nb\n\xC3(\n", {}, 3, "not UTF-8"},
        {"encoded surrogate", "a\n\"\n\xED\xA0\x80\"\n", {}, 3, "not UTF-8"},
        {"overlong encoding", "\xC0\xAF", {}, 1, "not UTF-8"},
        {"NUL byte", "a\nb\0\n"sv, {}, 2, "NUL"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<KxCsv::Row> rows;
        KxCsv::Error error;
        const bool read = KxCsv::read(c.text, rows, error);
        EXPECT_EQ(read, c.errorLine == 0);
        if (!read) {
            EXPECT_EQ(error.line, c.errorLine);
            EXPECT_NE(error.message.find(c.error), std::string::npos) << error.message;
            EXPECT_TRUE(rows.empty());
            continue;
        }
        ASSERT_EQ(rows.size(), c.rows.size());
        std::string written;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].line, c.rows[i].first);
            EXPECT_EQ(rows[i].fields, c.rows[i].second);
            KxCsv::appendRow(written, rows[i].fields);
        }
        // What the writer makes of the rows reads back as the same rows.
        std::vector<KxCsv::Row> again;
        ASSERT_TRUE(KxCsv::read(written, again, error)) << error.message;
        ASSERT_EQ(again.size(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(again[i].fields, rows[i].fields);
        }
    }
}

TEST(KxCsv, WritesQuotesOnlyWhereNeededAndEndsLinesWithCrLf) {
    const std::pair<Fields, std::string> cases[] = {
        {{"a", " b ", "\xC3\xA9"}, "a, b ,\xC3\xA9\r\n"},
        {{"x,y", "say \"hi\"", "l1\nl2", "cr\r"},
         "\"x,y\",\"say \"\"hi\"\"\",\"l1\nl2\",\"cr\r\"\r\n"},
        {{""}, "\"\"\r\n"}, // not an empty line, which a reader skips
        {{"", ""}, ",\r\n"},
        {{"\xEF\xBB\xBFx", "y\xEF\xBB\xBF"}, "\"\xEF\xBB\xBFx\",y\xEF\xBB\xBF\r\n"},
    };
    for (const auto& [fields, text] : cases) {
        std::string written;
        KxCsv::appendRow(written, fields);
        EXPECT_EQ(written, text);
    }
}

} // namespace
