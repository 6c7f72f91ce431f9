#include "util/KxParameterUtil.h"

#include "host/KxConstantExpression.h"
#include "host/KxHostStatus.h"
#include "host/KxSysVars.h"
#include "host/KxUnits.h"

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr int kMaxValueTextLength = 255;

// The variable's 16-bit value; the host's result code is not looked at, so an unreadable
// variable gives the buffer's initial 0.
short sysVar(const wchar_t* name) {
    KxResBuf buffer;
    kxedGetVar(name, &buffer);
    return buffer.resval.rint;
}

void replaceIfShort(KxString& value, int status, const KxString& formatted) {
    if (status == kRtNorm && formatted.length() <= kMaxValueTextLength) {
        value = formatted;
    }
}

} // namespace

namespace KxParameterUtil {

bool getSysVarUnitsAndPrecision(unsigned int& linearPrecision, unsigned int& linearUnits,
                                unsigned int& angularPrecision, unsigned int& angularUnits) {
    // Widened with the sign, as the host's 16-bit values are.
    linearPrecision = static_cast<unsigned int>(static_cast<int>(sysVar(L"LUPREC")));
    linearUnits = static_cast<unsigned int>(static_cast<int>(sysVar(L"LUNITS")));
    angularPrecision = static_cast<unsigned int>(static_cast<int>(sysVar(L"AUPREC")));
    angularUnits = static_cast<unsigned int>(static_cast<int>(sysVar(L"AUNITS")));
    return true;
}

void ConvertToCurrentPrecision(KxString& value, bool isAngle, bool keepLinearUnitMode) {
    KxString formatted;
    if (isAngle) {
        KxDbEvalVariant constant;
        if (!kxdbIsExpressionAConstant(value, constant)) {
            return;
        }
        double degrees = 0.0;
        if (constant.restype() == kRtReal) {
            degrees = constant.getDouble();
        } else if (constant.restype() == kRtInt32) {
            degrees = static_cast<double>(constant.getInt32());
        } else {
            return;
        }
        double radians = (degrees * kPi) / 180.0;
        // Beyond a full turn either way, keep the remainder with the sign; exactly 2π stays.
        if (std::fabs(radians) > kTwoPi) {
            radians = std::fmod(std::fabs(radians), kTwoPi) * (radians >= 0 ? 1.0 : -1.0);
        }
        replaceIfShort(value, kxdbAngToS(radians, -1, -1, formatted), formatted);
        return;
    }
    double length = 0.0;
    if (kxdbDisToF(value.kwszPtr(), -1, &length) != kRtNorm) {
        return;
    }
    int unit = -1;
    if (!keepLinearUnitMode) {
        const short linearUnits = sysVar(L"LUNITS");
        if (linearUnits == 3 || linearUnits == 4) {
            unit = 2; // feet and inches are shown as plain decimals
        }
    }
    replaceIfShort(value, kxdbRToS(length, unit, -1, formatted), formatted);
}

} // namespace KxParameterUtil
