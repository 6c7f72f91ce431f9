// A file given to the shell's import: the whole input is the file's text. Whatever the reader
// takes, the writer writes so that it reads back as the same rows, in the same text again.

#include "fuzz/FuzzInput.h"
#include "shell/KxCsv.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string written(const std::vector<KxCsv::Row>& rows) {
    std::string text;
    for (const KxCsv::Row& row : rows) {
        KxCsv::appendRow(text, row.fields);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::string_view text = input.rest();
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));

    std::vector<KxCsv::Row> rows;
    KxCsv::Error error;
    if (!KxCsv::read(text, rows, error)) {
        KX_FUZZ_CHECK(rows.empty() && !error.message.empty());
        KX_FUZZ_CHECK(error.line >= 1 && error.line <= lines);
        return 0;
    }
    int previous = 0;
    for (const KxCsv::Row& row : rows) {
        KX_FUZZ_CHECK(row.line > previous && row.line <= lines);
        KX_FUZZ_CHECK(row.fields.size() == rows.front().fields.size());
        previous = row.line;
    }

    const std::string text2 = written(rows);
    std::vector<KxCsv::Row> again;
    KX_FUZZ_CHECK(KxCsv::read(text2, again, error));
    KX_FUZZ_CHECK(again.size() == rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        KX_FUZZ_CHECK(again[i].fields == rows[i].fields);
    }
    KX_FUZZ_CHECK(written(again) == text2);
    return 0;
}
