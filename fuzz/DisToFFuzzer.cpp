// A length that a user types, read by kxdbDisToF. The first byte is the unit: 1 to 5 the linear
// modes, 9 the current one (-1), 0 and 6 to 8 modes that do not exist. For the current mode the
// second byte is the value given to "LUNITS" (which refuses what is outside 1..5). The rest is the
// text.

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzInput.h"
#include "host/KxHostStatus.h"
#include "host/KxString.h"
#include "host/KxSysVars.h"
#include "host/KxUnits.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int kPrecision = 8;

// How far the text that kxdbRToS writes at precision 8 may lie from the number: half a step of
// the precision, plus the rounding to 15 significant digits that comes first.
double tolerance(int mode, double value) {
    const double magnitude = std::fabs(value);
    switch (mode) {
    case 1:
        return magnitude * 0.5e-8 + magnitude * 1e-14;
    case 4:
    case 5:
        return 0.5 / 256.0 + magnitude * 1e-14;
    default:
        return 0.5e-8 + magnitude * 1e-14;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kxedResetSysVars();
    FuzzInput input(data, size);
    const int digit = input.digit();
    const int unit = digit == 9 ? -1 : digit;
    if (unit == -1) {
        KxResBuf linearUnits;
        linearUnits.restype = kRtInt16;
        linearUnits.resval.rint = static_cast<short>(input.digit());
        kxedSetVar(L"LUNITS", &linearUnits);
    }
    const KxString text = KxString::fromUtf8(input.rest());

    constexpr double kUntouched = -12345.678;
    double value = kUntouched;
    const int status = kxdbDisToF(text.kwszPtr(), unit, &value);
    if (status != kRtNorm) {
        KX_FUZZ_CHECK(status == kRtError);
        KX_FUZZ_CHECK(value == kUntouched);
        return 0;
    }
    KX_FUZZ_CHECK(unit == -1 || (unit >= 1 && unit <= 5));
    KX_FUZZ_CHECK(std::isfinite(value));

    // What the same mode writes for the number reads back to it within the precision. Near the
    // largest double the written text, rounded up, may lie beyond it, and the reader refuses every
    // number beyond the range of a double; so the largest magnitudes are left out.
    if (std::fabs(value) > 1e300) {
        return 0;
    }
    KxResBuf current;
    kxedGetVar(L"LUNITS", &current);
    const int mode = unit == -1 ? current.resval.rint : unit;
    KxString written;
    KX_FUZZ_CHECK(kxdbRToS(value, mode, kPrecision, written) == kRtNorm);
    double reread = kUntouched;
    KX_FUZZ_CHECK(kxdbDisToF(written.kwszPtr(), mode, &reread) == kRtNorm);
    KX_FUZZ_CHECK(std::fabs(reread - value) <= tolerance(mode, value));
    return 0;
}
