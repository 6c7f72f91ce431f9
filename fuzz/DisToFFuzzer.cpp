// A length that a user types, read by kxdbDisToF. The first byte is the unit: 1 to 5 the linear
// modes, 9 the current one (-1), 0 and 6 to 8 modes that do not exist. For the current mode the
// second byte is the value given to "LUNITS" (which refuses what is outside 1..5). The rest is the
// text.

#include "fuzz/FuzzInput.h"
#include "host/KxHostStatus.h"
#include "host/KxUnits.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kxedResetSysVars();
    FuzzInput input(data, size);
    const int digit = input.digit();
    const int unit = digit == 9 ? -1 : digit;
    if (unit == -1) {
        setShortSysVar(L"LUNITS", input.digit());
    }
    const KxString text = KxString::fromUtf8(input.rest());

    constexpr double kUntouched = -12345.678;
    double value = kUntouched;
    const int status = kxdbDisToF(text.kwszPtr(), unit, &value);
    if (status != kRtNorm) {
        KX_FUZZ_CHECK(status == kRtError && value == kUntouched);
        return 0;
    }
    KX_FUZZ_CHECK(unit == -1 || (unit >= 1 && unit <= 5));
    KX_FUZZ_CHECK(std::isfinite(value));

    // What the same mode writes for the number reads back to it within the precision. Near the
    // largest double the written text, rounded up, may lie beyond it, and the reader refuses every
    // number beyond the range of a double; so the largest magnitudes are left out.
    const double magnitude = std::fabs(value);
    if (magnitude > 1e300) {
        return 0;
    }
    KxResBuf current;
    kxedGetVar(L"LUNITS", &current);
    const int mode = unit == -1 ? current.resval.rint : unit;
    KxString written;
    KX_FUZZ_CHECK(kxdbRToS(value, mode, 8, written) == kRtNorm);
    double reread = kUntouched;
    KX_FUZZ_CHECK(kxdbDisToF(written.kwszPtr(), mode, &reread) == kRtNorm);
    // Half a step of precision 8 (relative in scientific, 1/256 in the fraction modes), plus the
    // rounding to 15 significant digits that comes first.
    const double step = mode == 1 ? magnitude * 1e-8 : mode >= 4 ? 1.0 / 256 : 1e-8;
    KX_FUZZ_CHECK(std::fabs(reread - value) <= step / 2 + magnitude * 1e-14);
    return 0;
}
