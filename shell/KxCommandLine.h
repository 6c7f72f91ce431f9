#pragma once

#include <string>
#include <vector>

// One command line, split into words. Blanks separate words; double quotes keep blanks inside a
// word ("outer wall"). The text after the first words is kept as typed, for commands whose last
// argument is free text (an expression).
class KxCommandLine {
public:
    // False, with `error` filled, for a line whose quotes do not close.
    bool parse(const std::string& line, std::string& error);

    const std::vector<std::string>& words() const { return mWords; }
    std::size_t size() const { return mWords.size(); }
    const std::string& operator[](std::size_t index) const { return mWords[index]; }
    // The line from the start of word `index` to its end, blanks at the ends trimmed; empty when
    // there are fewer words.
    std::string rest(std::size_t index) const;

private:
    std::string mLine;
    std::vector<std::string> mWords;
    std::vector<std::size_t> mStarts;
};
