#pragma once

#include "host/KxExport.h"
#include "host/KxString.h"

#include <cstdint>
#include <variant>

// The type tag that a variant reports, derived from its result-type code.
enum DwgDataType : int {
    kDwgNull = 0,
    kDwgReal = 1,
    kDwgInt32 = 2,
    kDwgInt16 = 3,
    kDwgInt8 = 4,
    kDwgText = 5,
    kDwg3Real = 12,
};

// Result-type codes of the host's result buffers.
enum KxResultType : short {
    kRtNone = 5000,
    kRtText = 1,
    kRtPoint = 10,
    kRtReal = 40,
    kRtInt16 = 70,
    kRtInt32 = 90,
    kRtInt8 = 280,
};

struct KxPoint3d {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    bool operator==(const KxPoint3d&) const = default;
};

// The host's tagged value, as a result buffer carries it: a value and its result-type code. A
// default-constructed variant holds nothing and has no code.
class KX_EXPORT KxDbEvalVariant {
public:
    KxDbEvalVariant() = default;
    KxDbEvalVariant(double value);
    KxDbEvalVariant(std::int32_t value);
    KxDbEvalVariant(short value);
    KxDbEvalVariant(const wchar_t* text);
    KxDbEvalVariant(const KxString& text);

    KxDbEvalVariant& operator=(double value);
    KxDbEvalVariant& operator=(std::int32_t value);
    KxDbEvalVariant& operator=(short value);
    KxDbEvalVariant& operator=(const wchar_t* text);
    KxDbEvalVariant& operator=(const KxString& text);

    void setInt8(std::int8_t value);
    void setPoint(const KxPoint3d& point);
    // Back to holding nothing.
    void clear();

    // Equal when both hold the same code and the same value.
    bool operator==(const KxDbEvalVariant& other) const;

    // The code follows from the value held, so the two never disagree.
    short restype() const;
    DwgDataType getType() const;

    // Each reader gives the stored value when the variant holds that type, else zero or empty.
    double getDouble() const;
    std::int32_t getInt32() const;
    short getInt16() const;
    std::int8_t getInt8() const;
    KxString getString() const;
    KxPoint3d getPoint() const;

private:
    using Value =
        std::variant<std::monostate, double, std::int32_t, short, std::int8_t, KxString, KxPoint3d>;

    template <class T>
    T read() const;

    Value mValue;
};
