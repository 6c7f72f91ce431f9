#include "host/MtTaskDialogPresenter.h"

#include <algorithm>
#include <iostream>
#include <string>
#include <utility>

namespace {

// Counts code points, not bytes, so that the frame fits texts outside ASCII.
std::size_t width(const std::string& utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::vector<std::string> lines(const KxString& text) {
    std::vector<std::string> result;
    const std::string utf8 = text.toUtf8();
    std::size_t start = 0;
    for (std::size_t end; (end = utf8.find('\n', start)) != std::string::npos; start = end + 1) {
        result.push_back(utf8.substr(start, end - start));
    }
    result.push_back(utf8.substr(start));
    return result;
}

int printFramed(const MtTaskDialogShown& dialog) {
    std::vector<std::string> body = lines(dialog.title);
    const std::size_t titleLines = body.size();
    for (std::string& line : lines(dialog.message)) {
        body.push_back(std::move(line));
    }
    std::string buttons;
    for (const KxString& button : dialog.buttons) {
        buttons += (buttons.empty() ? "[ " : " [ ") + button.toUtf8() + " ]";
    }
    body.push_back(buttons);
    std::size_t inner = 0;
    for (const std::string& line : body) {
        inner = std::max(inner, width(line));
    }
    const std::string rule = '+' + std::string(inner + 2, '-') + "+\n";
    std::string out = rule;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (i == titleLines || i + 1 == body.size()) {
            out += rule;
        }
        out += "| " + body[i] + std::string(inner - width(body[i]), ' ') + " |\n";
    }
    out += rule;
    std::cout << out << std::flush;
    return 0;
}

MtTaskDialogPresenter& current() {
    static MtTaskDialogPresenter presenter = printFramed;
    return presenter;
}

} // namespace

MtTaskDialogPresenter mtSetTaskDialogPresenter(MtTaskDialogPresenter presenter) {
    MtTaskDialogPresenter previous = std::move(current());
    current() = presenter ? std::move(presenter) : MtTaskDialogPresenter(printFramed);
    return previous;
}

int mtPresentTaskDialog(const MtTaskDialogShown& dialog) {
    // A copy, so that a presenter may install another one while it shows.
    const MtTaskDialogPresenter presenter = current();
    return presenter(dialog);
}
