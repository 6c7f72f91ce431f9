// An expression that a user types, tried as a constant by kxdbIsExpressionAConstant. The whole
// input is the text.

#include "fuzz/FuzzInput.h"
#include "host/KxConstantExpression.h"

#include <cmath>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const KxString text = KxString::fromUtf8(input.rest());

    const KxDbEvalVariant before(L"untouched");
    KxDbEvalVariant value = before;
    if (!kxdbIsExpressionAConstant(text, value)) {
        KX_FUZZ_CHECK(value == before);
        return 0;
    }
    // An integer, or a finite real that is not integral or lies outside the 32-bit range.
    KX_FUZZ_CHECK(value.restype() == kRtInt32 || value.restype() == kRtReal);
    const double number = value.getDouble();
    KX_FUZZ_CHECK(value.restype() == kRtInt32 || std::isfinite(number));
    KX_FUZZ_CHECK(value.restype() == kRtInt32 || std::trunc(number) != number ||
                  number < std::numeric_limits<std::int32_t>::min() ||
                  number > std::numeric_limits<std::int32_t>::max());
    return 0;
}
