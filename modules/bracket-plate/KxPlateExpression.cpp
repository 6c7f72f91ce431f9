#include "KxPlateExpression.h"

namespace {

bool isNameStart(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_';
}

bool isNamePart(wchar_t c) {
    return isNameStart(c) || (c >= L'0' && c <= L'9');
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

KxString renameReference(const KxString& expression, const KxCompiledExpression& compiled,
                         const std::wstring& oldName, const std::wstring& newName) {
    const std::wstring& text = expression.wstr();
    std::wstring renamed;
    std::size_t copied = 0;
    for (const KxCompiledExpression::Occurrence& occurrence : compiled.occurrences()) {
        if (text.compare(occurrence.offset, occurrence.length, oldName) != 0) {
            continue;
        }
        renamed.append(text, copied, occurrence.offset - copied);
        renamed += newName;
        copied = occurrence.offset + occurrence.length;
    }
    renamed.append(text, copied, std::wstring::npos);
    return KxString(std::move(renamed));
}

} // namespace KxPlateExpression
