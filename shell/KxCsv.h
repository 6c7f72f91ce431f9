#pragma once

#include <string>
#include <string_view>
#include <vector>

// Comma-separated values as RFC 4180 has them, in UTF-8. A field that holds a comma, a double
// quote, a carriage return or a line feed is written between double quotes, each quote inside it
// doubled; the writer ends every line with CR LF, and the reader takes CR LF or a lone LF. The
// reader skips empty lines and one UTF-8 byte-order mark at the start (spreadsheets write one); so
// that neither is lost on the way back, the writer quotes a row's only field when it is empty and a
// field that starts with U+FEFF.
namespace KxCsv {

// One row and the physical line it starts on (from 1): a quoted field may span lines.
struct Row {
    int line = 0;
    std::vector<std::string> fields;
};

// What makes a text unreadable, and the physical line where it is.
struct Error {
    int line = 0;
    std::string message;
};

// Reads the whole text into rows; every row must have as many fields as the first, the header.
// Refused, with `error` filled and `rows` left empty: text that is not UTF-8 or holds a NUL byte,
// a quoted field that is not closed (the line where it opens), a quote inside a field that does
// not start with one, text after the closing quote of a field, a carriage return that does not end
// a line outside quotes, and a row with another number of fields than the header.
bool read(std::string_view text, std::vector<Row>& rows, Error& error);

// Appends one row, quoted where needed, and its CR LF.
void appendRow(std::string& out, const std::vector<std::string>& fields);

} // namespace KxCsv
