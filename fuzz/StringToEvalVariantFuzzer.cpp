// A value that a user types for a property, read by KxParameterUtil::stringToEvalVariant into the
// type the property holds. The first byte picks that type: 0 real, 1 32-bit, 2 16-bit, 3 text,
// 4 untyped, 5 point; 6 to 9 repeat 0 to 3. The rest is the text.

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzInput.h"
#include "util/KxParameterUtil.h"

#include <cmath>
#include <cstdint>

namespace {

KxDbEvalVariant targetOfKind(int kind) {
    KxDbEvalVariant value;
    switch (kind % 6) {
    case 0:
        value = 2.5;
        break;
    case 1:
        value = std::int32_t{7};
        break;
    case 2:
        value = short{3};
        break;
    case 3:
        value = L"before";
        break;
    case 4:
        break;
    default:
        value.setPoint({1.0, 2.0, 3.0});
        break;
    }
    return value;
}

Lumo::ErrorStatus refusalFor(DwgDataType type) {
    switch (type) {
    case kDwgReal:
    case kDwgInt32:
    case kDwgInt16:
        return Lumo::eInvalidInput;
    case kDwgNull:
        return Lumo::eUntypedValue;
    default:
        return Lumo::eNotSupported;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const KxDbEvalVariant before = targetOfKind(input.digit());
    const KxString text = KxString::fromUtf8(input.rest());

    KxDbEvalVariant value = before;
    const Lumo::ErrorStatus status = KxParameterUtil::stringToEvalVariant(text, value);
    if (status != Lumo::eOk) {
        KX_FUZZ_CHECK(status == refusalFor(before.getType()));
        KX_FUZZ_CHECK(value == before);
        return 0;
    }
    KX_FUZZ_CHECK(value.getType() == before.getType());
    switch (value.getType()) {
    case kDwgReal:
        KX_FUZZ_CHECK(std::isfinite(value.getDouble()));
        break;
    case kDwgInt16:
        KX_FUZZ_CHECK(value.getInt16() >= -32767 && value.getInt16() <= 32767);
        break;
    case kDwgText:
        KX_FUZZ_CHECK(value.getString() == text);
        return 0;
    default:
        break;
    }
    // The host's display text of a number reads back to the same number.
    KxDbEvalVariant again = before;
    KX_FUZZ_CHECK(KxParameterUtil::stringToEvalVariant(KxParameterUtil::evalVariantToString(value),
                                                       again) == Lumo::eOk);
    KX_FUZZ_CHECK(again == value);
    return 0;
}
