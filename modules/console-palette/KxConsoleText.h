#pragma once

#include "host/KxString.h"

#include <string>
#include <vector>

// How the console palette lays text out on a terminal: widths in columns, not in bytes.
namespace KxConsoleText {

// The columns that a terminal gives the text: combining marks take none, East Asian wide and
// full-width characters two, every other code point one.
int displayWidth(const KxString& text);
// The text as UTF-8, with control characters turned into blanks so that a name holding a line
// break cannot break the table.
std::string cell(const KxString& text);
// The cell followed by blanks up to `width` columns.
std::string padded(const KxString& text, int width);
// The text cut at its line breaks; an empty text is one empty line.
std::vector<KxString> lines(const KxString& text);
// A block framed with ASCII rules, the title set into the top rule:
//   +-- title ----+
//   | line        |
//   +-------------+
std::vector<std::string> framed(const KxString& title, const std::vector<KxString>& body);
// The text without the blanks at its end.
std::string trimmedRight(std::string text);

} // namespace KxConsoleText
