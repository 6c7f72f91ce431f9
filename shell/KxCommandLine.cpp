#include "shell/KxCommandLine.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

bool KxCommandLine::parse(const std::string& line, std::string& error) {
    mWords.clear();
    mGaps.clear();
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) {
        ++i;
    }
    while (i < line.size()) {
        std::string word;
        bool inQuotes = false;
        std::size_t opened = 0;
        while (i < line.size() && (inQuotes || !isBlank(line[i]))) {
            const char c = line[i];
            if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
                word += line[i + 1];
                i += 2;
            } else if (c == '"') {
                inQuotes = !inQuotes;
                opened = i++;
            } else {
                word += c;
                ++i;
            }
        }
        if (inQuotes) {
            error = "a quote is not closed: " + line.substr(opened);
            mWords.clear();
            mGaps.clear();
            return false;
        }
        mWords.push_back(std::move(word));
        const std::size_t gap = i;
        while (i < line.size() && isBlank(line[i])) {
            ++i;
        }
        if (i < line.size()) {
            mGaps.push_back(line.substr(gap, i - gap));
        }
    }
    return true;
}

std::string KxCommandLine::rest(std::size_t index) const {
    std::string text;
    for (std::size_t i = index; i < mWords.size(); ++i) {
        text += (i == index ? std::string() : mGaps[i - 1]) + mWords[i];
    }
    return text;
}

std::string KxCommandLine::quote(const std::string& word) {
    std::string quoted = "\"";
    for (const char c : word) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + '"';
}
