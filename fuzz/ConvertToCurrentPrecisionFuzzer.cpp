// A value text rewritten in the current units by KxParameterUtil::ConvertToCurrentPrecision. The
// first four bytes are the values given to "LUNITS", "LUPREC", "AUNITS" and "AUPREC" (the host
// refuses those outside their ranges and keeps the defaults). The fifth byte, less '0', holds
// flags: 1 an angle, 2 keep the linear unit mode, 4 to 32 the host refuses to read "LUNITS",
// "LUPREC", "AUNITS", "AUPREC". The rest is the text.

#include "fuzz/FuzzInput.h"
#include "host/testing/KxHostTesting.h"
#include "util/KxParameterUtil.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr const wchar_t* kVariables[] = {L"LUNITS", L"LUPREC", L"AUNITS", L"AUPREC"};
    kxedResetSysVars();
    FuzzInput input(data, size);
    for (const wchar_t* variable : kVariables) {
        setShortSysVar(variable, input.digit());
    }
    const unsigned flags = static_cast<std::uint8_t>(input.byte() - '0');
    for (unsigned i = 0; i < 4; ++i) {
        kxedSetGetVarRefused(kVariables[i], (flags & (4u << i)) != 0);
    }
    const KxString before = KxString::fromUtf8(input.rest());

    KxString value = before;
    KxParameterUtil::ConvertToCurrentPrecision(value, (flags & 1) != 0, (flags & 2) != 0);
    KX_FUZZ_CHECK(value == before || value.length() <= 255);
    // The rewritten text is in the current units already: rewriting it again changes nothing.
    KxString again = value;
    KxParameterUtil::ConvertToCurrentPrecision(again, (flags & 1) != 0, (flags & 2) != 0);
    KX_FUZZ_CHECK(value == before || again == value);
    kxedResetSysVars();
    return 0;
}
