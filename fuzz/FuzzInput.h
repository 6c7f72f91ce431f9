#pragma once

#include "host/KxSysVars.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

// A broken promise of the code under test is as much a finding as a crash: say which, and abort
// so that libFuzzer keeps the input.
#define KX_FUZZ_CHECK(condition)                                                                   \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// The bytes that libFuzzer hands a target, read from the front: a few bytes that choose a mode or
// a setting, then the rest as text. A missing byte reads as '0', so every input is usable.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : mData(data), mSize(size) {}

    std::uint8_t byte() { return mPos < mSize ? mData[mPos++] : std::uint8_t{'0'}; }

    // The next byte as 0..9: the characters '0'..'9' stand for themselves, so that seed files stay
    // readable; every other byte wraps around onto them.
    int digit() { return ((static_cast<int>(byte()) - '0') % 10 + 10) % 10; }

    // Everything not read yet, as UTF-8 (malformed sequences are the text's own business).
    std::string_view rest() {
        const std::size_t from = mPos;
        mPos = mSize;
        return {reinterpret_cast<const char*>(mData + from), mSize - from};
    }

private:
    const std::uint8_t* mData;
    std::size_t mSize;
    std::size_t mPos = 0;
};

// Gives a system variable a 16-bit value; the host refuses one outside the variable's range.
inline void setShortSysVar(const wchar_t* name, int value) {
    KxResBuf setting;
    setting.restype = kRtInt16;
    setting.resval.rint = static_cast<short>(value);
    kxedSetVar(name, &setting);
}
