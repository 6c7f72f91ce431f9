#include "host/KxEvalVariantText.h"

#include <charconv>
#include <string>
#include <type_traits>

namespace {

template <class Number>
std::wstring plainText(Number value) {
    // Wide enough for every double in plain notation: 309 whole digits, or 1074 decimals.
    char buffer[1100];
    std::to_chars_result written{};
    if constexpr (std::is_floating_point_v<Number>) {
        written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    } else {
        written = std::to_chars(buffer, buffer + sizeof buffer, value);
    }
    return {buffer, written.ptr};
}

} // namespace

KxString kxdbEvalVariantToString(const KxDbEvalVariant& value) {
    switch (value.getType()) {
    case kDwgReal:
        return KxString(plainText(value.getDouble()));
    case kDwgInt32:
        return KxString(plainText(value.getInt32()));
    case kDwgInt16:
        return KxString(plainText(value.getInt16()));
    case kDwgInt8:
        return KxString(plainText(static_cast<int>(value.getInt8())));
    case kDwgText:
        return value.getString();
    case kDwg3Real: {
        const KxPoint3d point = value.getPoint();
        return KxString(plainText(point.x) + L',' + plainText(point.y) + L',' + plainText(point.z));
    }
    default:
        return {};
    }
}
