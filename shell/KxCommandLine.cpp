#include "shell/KxCommandLine.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

bool KxCommandLine::parse(const std::string& line, std::string& error) {
    mLine = line;
    mWords.clear();
    mStarts.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        if (isBlank(line[i])) {
            ++i;
            continue;
        }
        mStarts.push_back(i);
        std::string word;
        while (i < line.size() && !isBlank(line[i])) {
            if (line[i] == '"') {
                const std::size_t close = line.find('"', i + 1);
                if (close == std::string::npos) {
                    error = "a quote is not closed";
                    mWords.clear();
                    mStarts.clear();
                    return false;
                }
                word += line.substr(i + 1, close - i - 1);
                i = close + 1;
            } else {
                word += line[i++];
            }
        }
        mWords.push_back(word);
    }
    return true;
}

std::string KxCommandLine::rest(std::size_t index) const {
    if (index >= mStarts.size()) {
        return {};
    }
    std::size_t end = mLine.size();
    while (end > mStarts[index] && isBlank(mLine[end - 1])) {
        --end;
    }
    return mLine.substr(mStarts[index], end - mStarts[index]);
}
