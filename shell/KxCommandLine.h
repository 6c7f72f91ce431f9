#pragma once

#include <string>
#include <vector>

// One command line, split into words by one rule for every argument. Blanks separate words; double
// quotes keep blanks inside a word ("outer wall"), and `""` is a word of no text; a backslash
// takes the quote or the backslash after it as it is (\" and \\), and stands for itself before
// anything else. Commands whose last argument is free text (an expression, a description) take
// the rest of the line, read by the same rule.
class KxCommandLine {
public:
    // False, with `error` filled, for a line whose quotes do not close.
    bool parse(const std::string& line, std::string& error);

    const std::vector<std::string>& words() const { return mWords; }
    std::size_t size() const { return mWords.size(); }
    const std::string& operator[](std::size_t index) const { return mWords[index]; }
    // The words from `index` to the end, each read as above, with the blanks between them as
    // typed; empty when there are fewer words.
    std::string rest(std::size_t index) const;

    // The word in the form that parse reads back as that one word.
    static std::string quote(const std::string& word);

private:
    std::vector<std::string> mWords;
    // The blanks typed after each word but the last.
    std::vector<std::string> mGaps;
};
