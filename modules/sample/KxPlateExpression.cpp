#include "KxPlateExpression.h"

#include "host/KxConstantExpression.h"
#include "host/KxDbEvalVariant.h"
#include "host/KxEvalVariantText.h"

#include <string_view>
#include <unordered_set>

namespace {

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

bool isNameStart(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_';
}

bool isNamePart(wchar_t c) {
    return isNameStart(c) || isDigit(c);
}

std::size_t digitsAt(std::wstring_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && isDigit(text[end])) {
        ++end;
    }
    return end - from;
}

// The length of the number that starts the text, read as the evaluator reads it (digits, a point
// and a fraction, an exponent), so that the `e5` of `1e5` is not taken for a name. 0 for none.
std::size_t numberLength(std::wstring_view text) {
    std::size_t length = digitsAt(text, 0);
    if (length < text.size() && text[length] == L'.') {
        const std::size_t fraction = digitsAt(text, length + 1);
        if (length == 0 && fraction == 0) {
            return 0;
        }
        length += 1 + fraction;
    }
    if (length == 0) {
        return 0;
    }
    if (length < text.size() && (text[length] == L'e' || text[length] == L'E')) {
        std::size_t exponent = length + 1;
        if (exponent < text.size() && (text[exponent] == L'+' || text[exponent] == L'-')) {
            ++exponent;
        }
        const std::size_t digits = digitsAt(text, exponent);
        if (digits > 0) {
            length = exponent + digits;
        }
    }
    return length;
}

// Cuts the expression into pieces and hands each to `visit`, with true for a parameter name.
template <class Visit>
void scan(std::wstring_view text, Visit&& visit) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::wstring_view rest = text.substr(pos);
        std::size_t length = numberLength(rest);
        bool reference = false;
        if (length == 0 && isNameStart(rest.front())) {
            length = 1;
            while (length < rest.size() && isNamePart(rest[length])) {
                ++length;
            }
            reference =
                !KxPlateExpression::isReservedName(KxString(std::wstring(rest.substr(0, length))));
        } else if (length == 0) {
            length = 1;
        }
        visit(rest.substr(0, length), reference);
        pos += length;
    }
}

} // namespace

namespace KxPlateExpression {

bool isIdentifier(const KxString& name) {
    const std::wstring& text = name.wstr();
    if (text.empty() || !isNameStart(text.front())) {
        return false;
    }
    for (const wchar_t c : text) {
        if (!isNamePart(c)) {
            return false;
        }
    }
    return true;
}

bool isReservedName(const KxString& name) {
    return kxdbIsExpressionFunctionName(name) || kxdbIsExpressionConstantName(name);
}

std::vector<KxString> references(const KxString& expression) {
    std::vector<KxString> names;
    std::unordered_set<std::wstring> seen;
    scan(expression.wstr(), [&](std::wstring_view piece, bool reference) {
        if (reference && seen.emplace(piece).second) {
            names.emplace_back(std::wstring(piece));
        }
    });
    return names;
}

bool substitute(const KxString& expression,
                const std::function<bool(const KxString& name, std::wstring& text)>& replace,
                KxString& result) {
    std::wstring text;
    bool replaced = true;
    scan(expression.wstr(), [&](std::wstring_view piece, bool reference) {
        if (!replaced) {
            return;
        }
        if (!reference) {
            text += piece;
            return;
        }
        std::wstring replacement;
        replaced = replace(KxString(std::wstring(piece)), replacement);
        text += replacement;
    });
    if (replaced) {
        result = KxString(std::move(text));
    }
    return replaced;
}

KxString renameReference(const KxString& expression, const KxString& oldName,
                         const KxString& newName) {
    KxString renamed;
    substitute(
        expression,
        [&](const KxString& name, std::wstring& text) {
            text = name == oldName ? newName.wstr() : name.wstr();
            return true;
        },
        renamed);
    return renamed;
}

std::wstring valueText(double value) {
    return L"(" + kxdbEvalVariantToString(KxDbEvalVariant(value)).wstr() + L")";
}

bool evaluateConstant(const KxString& text, double& value) {
    KxDbEvalVariant result;
    if (!kxdbIsExpressionAConstant(text, result)) {
        return false;
    }
    if (result.getType() == kDwgInt32) {
        value = static_cast<double>(result.getInt32());
    } else if (result.getType() == kDwgReal) {
        value = result.getDouble();
    } else {
        return false;
    }
    return true;
}

} // namespace KxPlateExpression
