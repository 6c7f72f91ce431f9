#include "shell/KxCsv.h"

#include <cstddef>
#include <utility>

namespace KxCsv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The length of the well-formed UTF-8 sequence at `pos` (Unicode's table of well-formed byte
// sequences: no overlong form, no surrogate, nothing above U+10FFFF), or 0.
std::size_t sequenceLength(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) {
        return pos + i < text.size() ? static_cast<unsigned char>(text[pos + i]) : 0u;
    };
    const unsigned first = byte(0);
    if (first < 0x80) {
        return 1;
    }
    const auto continues = [&](std::size_t i, unsigned low = 0x80, unsigned high = 0xBF) {
        return byte(i) >= low && byte(i) <= high;
    };
    if (first >= 0xC2 && first <= 0xDF) {
        return continues(1) ? 2 : 0;
    }
    if (first >= 0xE0 && first <= 0xEF) {
        const unsigned low = first == 0xE0 ? 0xA0 : 0x80;
        const unsigned high = first == 0xED ? 0x9F : 0xBF;
        return continues(1, low, high) && continues(2) ? 3 : 0;
    }
    if (first >= 0xF0 && first <= 0xF4) {
        const unsigned low = first == 0xF0 ? 0x90 : 0x80;
        const unsigned high = first == 0xF4 ? 0x8F : 0xBF;
        return continues(1, low, high) && continues(2) && continues(3) ? 4 : 0;
    }
    return 0;
}

// Whether the text is UTF-8 without NUL; otherwise the error names the first bad line.
bool isText(std::string_view text, Error& error) {
    int line = 1;
    for (std::size_t pos = 0; pos < text.size();) {
        if (text[pos] == '\0') {
            error = {line, "a NUL byte: the file is not text"};
            return false;
        }
        const std::size_t length = sequenceLength(text, pos);
        if (length == 0) {
            error = {line, "bytes that are not UTF-8"};
            return false;
        }
        line += text[pos] == '\n' ? 1 : 0;
        pos += length;
    }
    return true;
}

// Reads rows from already checked text, one field at a time.
class Reader {
public:
    explicit Reader(std::string_view text) : mText(text) {
        if (mText.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            mPos = kByteOrderMark.size();
        }
    }

    bool read(std::vector<Row>& rows, Error& error) {
        while (mPos < mText.size()) {
            if (const std::size_t end = lineEnd(mPos)) {
                mPos += end; // an empty line
                ++mLine;
                continue;
            }
            Row row{mLine, {}};
            if (!readRow(row, error)) {
                return false;
            }
            if (!rows.empty() && row.fields.size() != rows.front().fields.size()) {
                error = {row.line, std::to_string(row.fields.size()) +
                                       " fields where the header has " +
                                       std::to_string(rows.front().fields.size())};
                return false;
            }
            rows.push_back(std::move(row));
        }
        return true;
    }

private:
    // The length of the line break at `pos` (2 for CR LF, 1 for LF), or 0 when there is none.
    std::size_t lineEnd(std::size_t pos) const {
        if (pos < mText.size() && mText[pos] == '\n') {
            return 1;
        }
        return mText.substr(pos, 2) == "\r\n" ? 2 : 0;
    }

    bool fail(Error& error, int line, const char* message) {
        error = {line, message};
        return false;
    }

    // Reads the fields up to and past the row's line break, or to the end of the text.
    bool readRow(Row& row, Error& error) {
        for (;;) {
            std::string field;
            if (!(mPos < mText.size() && mText[mPos] == '"' ? readQuoted(field, error)
                                                            : readPlain(field, error))) {
                return false;
            }
            row.fields.push_back(std::move(field));
            if (mPos == mText.size()) {
                return true;
            }
            if (mText[mPos] == ',') {
                ++mPos;
                continue;
            }
            mPos += lineEnd(mPos); // the field readers stop only at a comma or a line break
            ++mLine;
            return true;
        }
    }

    bool readPlain(std::string& field, Error& error) {
        const std::size_t start = mPos;
        for (; mPos < mText.size() && mText[mPos] != ',' && lineEnd(mPos) == 0; ++mPos) {
            if (mText[mPos] == '"') {
                return fail(error, mLine, "a quote inside a field that does not start with one");
            }
            if (mText[mPos] == '\r') {
                return fail(error, mLine, "a carriage return that does not end a line");
            }
        }
        field.assign(mText.substr(start, mPos - start));
        return true;
    }

    bool readQuoted(std::string& field, Error& error) {
        const int opened = mLine;
        for (++mPos;; ++mPos) {
            if (mPos == mText.size()) {
                return fail(error, opened, "a quoted field is not closed");
            }
            const char c = mText[mPos];
            if (c == '"') {
                if (mText.substr(mPos, 2) != "\"\"") {
                    break;
                }
                ++mPos; // a doubled quote stands for one
            }
            mLine += c == '\n' ? 1 : 0;
            field += c;
        }
        ++mPos; // the closing quote
        if (mPos < mText.size() && mText[mPos] != ',' && lineEnd(mPos) == 0) {
            return fail(error, mLine,
                        mText[mPos] == '\r' ? "a carriage return that does not end a line"
                                            : "text after the closing quote of a field");
        }
        return true;
    }

    std::string_view mText;
    std::size_t mPos = 0;
    int mLine = 1;
};

bool needsQuotes(const std::string& field) {
    return field.find_first_of(",\"\r\n") != std::string::npos ||
           field.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0;
}

} // namespace

bool read(std::string_view text, std::vector<Row>& rows, Error& error) {
    rows.clear();
    if (isText(text, error) && Reader(text).read(rows, error)) {
        return true;
    }
    rows.clear();
    return false;
}

void appendRow(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& field = fields[i];
        out += i == 0 ? "" : ",";
        // A lone empty field would make an empty line, which the reader skips.
        if (!needsQuotes(field) && !(fields.size() == 1 && field.empty())) {
            out += field;
            continue;
        }
        out += '"';
        for (const char c : field) {
            if (c == '"') {
                out += '"';
            }
            out += c;
        }
        out += '"';
    }
    out += "\r\n";
}

} // namespace KxCsv
