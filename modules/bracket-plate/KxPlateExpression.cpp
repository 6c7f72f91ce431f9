#include "KxPlateExpression.h"

namespace KxPlateExpression {

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
    renamed.append(text, copied);
    return KxString(std::move(renamed));
}

} // namespace KxPlateExpression
