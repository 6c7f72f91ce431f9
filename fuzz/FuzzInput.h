#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

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
