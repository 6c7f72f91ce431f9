#include "modules/console-palette/KxConsoleText.h"

#include <algorithm>

namespace {

bool within(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

bool isCombining(char32_t c) {
    return within(c, 0x0300, 0x036F) || within(c, 0x1AB0, 0x1AFF) || within(c, 0x1DC0, 0x1DFF) ||
           within(c, 0x20D0, 0x20FF) || within(c, 0xFE20, 0xFE2F) || within(c, 0x200B, 0x200F);
}

bool isWide(char32_t c) {
    return within(c, 0x1100, 0x115F) || (within(c, 0x2E80, 0xA4CF) && c != 0x303F) ||
           within(c, 0xAC00, 0xD7A3) || within(c, 0xF900, 0xFAFF) || within(c, 0xFE30, 0xFE4F) ||
           within(c, 0xFF00, 0xFF60) || within(c, 0xFFE0, 0xFFE6) || within(c, 0x1F300, 0x1F64F) ||
           within(c, 0x1F900, 0x1F9FF) || within(c, 0x20000, 0x3FFFD);
}

bool isControl(char32_t c) {
    return c < 0x20 || c == 0x7F;
}

} // namespace

namespace KxConsoleText {

int displayWidth(const KxString& text) {
    // By code point, so that a surrogate pair is measured as the one character it is.
    int width = 0;
    for (std::size_t pos = 0; pos < text.wstr().size();) {
        const char32_t c = KxString::codePointAt(text.wstr(), pos);
        if (isCombining(c)) {
            continue;
        }
        width += isWide(c) ? 2 : 1;
    }
    return width;
}

std::string cell(const KxString& text) {
    std::wstring printable = text.wstr();
    std::replace_if(
        printable.begin(), printable.end(),
        [](wchar_t unit) { return isControl(static_cast<char32_t>(unit)); }, L' ');
    return KxString(std::move(printable)).toUtf8();
}

std::string padded(const KxString& text, int width) {
    const int fill = width - displayWidth(text);
    return cell(text) + std::string(static_cast<std::size_t>(std::max(fill, 0)), ' ');
}

std::vector<KxString> lines(const KxString& text) {
    std::vector<KxString> result;
    const std::wstring& all = text.wstr();
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = all.find(L'\n', start);
        std::wstring line = all.substr(start, end == std::wstring::npos ? end : end - start);
        if (!line.empty() && line.back() == L'\r') {
            line.pop_back();
        }
        result.emplace_back(std::move(line));
        if (end == std::wstring::npos) {
            return result;
        }
        start = end + 1;
    }
}

std::vector<std::string> framed(const KxString& title, const std::vector<KxString>& body) {
    // The inner width leaves at least one dash between the title and the corner.
    int inner = displayWidth(title) + 3;
    for (const KxString& line : body) {
        inner = std::max(inner, displayWidth(line));
    }
    const auto rule = [](int count) { return std::string(static_cast<std::size_t>(count), '-'); };
    std::vector<std::string> block;
    block.push_back("+-- " + cell(title) + " " + rule(inner - 2 - displayWidth(title)) + "+");
    for (const KxString& line : body) {
        block.push_back("| " + padded(line, inner) + " |");
    }
    block.push_back("+" + rule(inner + 2) + "+");
    return block;
}

std::string trimmedRight(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

} // namespace KxConsoleText
