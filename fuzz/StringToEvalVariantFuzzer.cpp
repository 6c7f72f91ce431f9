// A value that a user types for a property, read by KxParameterUtil::stringToEvalVariant into the
// type the property holds. The first byte picks that type: 0 real, 1 32-bit, 2 16-bit, 3 text,
// 4 untyped, 5 point; 6 to 9 repeat 0 to 3. The rest is the text.

#include "fuzz/FuzzInput.h"
#include "util/KxParameterUtil.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    KxDbEvalVariant point;
    point.setPoint({1.0, 2.0, 3.0});
    const KxDbEvalVariant targets[] = {2.5, std::int32_t{7}, short{3}, L"before", {}, point};
    const KxDbEvalVariant before = targets[input.digit() % 6];
    const KxString text = KxString::fromUtf8(input.rest());

    KxDbEvalVariant value = before;
    const Lumo::ErrorStatus status = KxParameterUtil::stringToEvalVariant(text, value);
    if (status != Lumo::eOk) {
        // Numbers that cannot be read, an untyped target, or a target of another type.
        const DwgDataType type = before.getType();
        KX_FUZZ_CHECK(type == kDwgReal || type == kDwgInt32 || type == kDwgInt16
                          ? status == Lumo::eInvalidInput
                          : status ==
                                (type == kDwgNull ? Lumo::eUntypedValue : Lumo::eNotSupported));
        KX_FUZZ_CHECK(value == before);
        return 0;
    }
    KX_FUZZ_CHECK(value.getType() == before.getType());
    if (value.getType() == kDwgText) {
        KX_FUZZ_CHECK(value.getString() == text);
        return 0;
    }
    KX_FUZZ_CHECK(value.getType() != kDwgReal || std::isfinite(value.getDouble()));
    KX_FUZZ_CHECK(value.getType() != kDwgInt16 || value.getInt16() != -32768);
    // The host's display text of a number reads back to the same number.
    KxDbEvalVariant again = before;
    KX_FUZZ_CHECK(KxParameterUtil::stringToEvalVariant(KxParameterUtil::evalVariantToString(value),
                                                       again) == Lumo::eOk);
    KX_FUZZ_CHECK(again == value);
    return 0;
}
