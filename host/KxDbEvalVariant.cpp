#include "host/KxDbEvalVariant.h"

#include <iterator>

KxDbEvalVariant::KxDbEvalVariant(double value) : mValue(value) {}
KxDbEvalVariant::KxDbEvalVariant(std::int32_t value) : mValue(value) {}
KxDbEvalVariant::KxDbEvalVariant(short value) : mValue(value) {}
KxDbEvalVariant::KxDbEvalVariant(const wchar_t* text) : mValue(KxString(text)) {}
KxDbEvalVariant::KxDbEvalVariant(const KxString& text) : mValue(text) {}

KxDbEvalVariant& KxDbEvalVariant::operator=(double value) {
    return *this = KxDbEvalVariant(value);
}

KxDbEvalVariant& KxDbEvalVariant::operator=(std::int32_t value) {
    return *this = KxDbEvalVariant(value);
}

KxDbEvalVariant& KxDbEvalVariant::operator=(short value) {
    return *this = KxDbEvalVariant(value);
}

KxDbEvalVariant& KxDbEvalVariant::operator=(const wchar_t* text) {
    return *this = KxDbEvalVariant(text);
}

KxDbEvalVariant& KxDbEvalVariant::operator=(const KxString& text) {
    // Assigning the variant's own text to it must survive the old value's destruction.
    return *this = KxDbEvalVariant(text);
}

void KxDbEvalVariant::setInt8(std::int8_t value) {
    mValue = value;
}

void KxDbEvalVariant::setPoint(const KxPoint3d& point) {
    mValue = point;
}

void KxDbEvalVariant::clear() {
    mValue = std::monostate{};
}

bool KxDbEvalVariant::operator==(const KxDbEvalVariant& other) const {
    return mValue == other.mValue;
}

short KxDbEvalVariant::restype() const {
    // In the order of the alternatives of Value.
    static constexpr short kCodes[] = {kRtNone, kRtReal, kRtInt32, kRtInt16,
                                       kRtInt8, kRtText, kRtPoint};
    static_assert(std::size(kCodes) == std::variant_size_v<Value>);
    return kCodes[mValue.index()];
}

DwgDataType KxDbEvalVariant::getType() const {
    switch (restype()) {
    case kRtReal:
        return kDwgReal;
    case kRtInt32:
        return kDwgInt32;
    case kRtInt16:
        return kDwgInt16;
    case kRtInt8:
        return kDwgInt8;
    case kRtText:
        return kDwgText;
    case kRtPoint:
        return kDwg3Real;
    default:
        return kDwgNull;
    }
}

template <class T>
T KxDbEvalVariant::read() const {
    const T* value = std::get_if<T>(&mValue);
    return value ? *value : T{};
}

double KxDbEvalVariant::getDouble() const {
    return read<double>();
}
std::int32_t KxDbEvalVariant::getInt32() const {
    return read<std::int32_t>();
}
short KxDbEvalVariant::getInt16() const {
    return read<short>();
}
std::int8_t KxDbEvalVariant::getInt8() const {
    return read<std::int8_t>();
}
KxString KxDbEvalVariant::getString() const {
    return read<KxString>();
}
KxPoint3d KxDbEvalVariant::getPoint() const {
    return read<KxPoint3d>();
}
