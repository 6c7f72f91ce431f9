#pragma once

#include "host/KxHostExport.h"
#include "host/KxString.h"

#include <cstdint>
#include <variant>

/// The type tag that a variant reports, derived from its result-type code.
enum DwgDataType : int {
    kDwgNull = 0,   ///< untyped: the variant holds nothing
    kDwgReal = 1,   ///< a double
    kDwgInt32 = 2,  ///< a 32-bit integer
    kDwgInt16 = 3,  ///< a 16-bit integer
    kDwgInt8 = 4,   ///< an 8-bit integer
    kDwgText = 5,   ///< a text
    kDwg3Real = 12, ///< a point of three doubles
};

/// Result-type codes of the host's result buffers.
enum KxResultType : short {
    kRtNone = 5000, ///< no value
    kRtText = 1,    ///< a text
    kRtPoint = 10,  ///< a point of three doubles
    kRtReal = 40,   ///< a double
    kRtInt16 = 70,  ///< a 16-bit integer
    kRtInt32 = 90,  ///< a 32-bit integer
    kRtInt8 = 280,  ///< an 8-bit integer
};

/// A point in space, as a variant of result type kRtPoint holds it.
struct KxPoint3d {
    double x = 0.0; ///< the x coordinate
    double y = 0.0; ///< the y coordinate
    double z = 0.0; ///< the z coordinate
    /// True when all three coordinates are equal.
    bool operator==(const KxPoint3d&) const = default;
};

/// The host's tagged value, as a result buffer carries it: a value and its result-type code. A
/// default-constructed variant holds nothing and has no code.
class KX_HOST_EXPORT KxDbEvalVariant {
public:
    /// Holds nothing.
    KxDbEvalVariant() = default;
    /// Holds the value with the code of its type: a real (40), a 32-bit integer (90), a 16-bit
    /// integer (70) or a text (1; a null pointer gives the empty text).
    ///@{
    KxDbEvalVariant(double value);
    KxDbEvalVariant(std::int32_t value);
    KxDbEvalVariant(short value);
    KxDbEvalVariant(const wchar_t* text);
    KxDbEvalVariant(const KxString& text);
    ///@}

    /// Replaces what the variant holds by the value, with the code of its type.
    ///@{
    KxDbEvalVariant& operator=(double value);
    KxDbEvalVariant& operator=(std::int32_t value);
    KxDbEvalVariant& operator=(short value);
    KxDbEvalVariant& operator=(const wchar_t* text);
    KxDbEvalVariant& operator=(const KxString& text);
    ///@}

    /// Holds an 8-bit integer (code 280).
    void setInt8(std::int8_t value);
    /// Holds a point (code 10).
    void setPoint(const KxPoint3d& point);
    /// Back to holding nothing.
    void clear();

    /// Equal when both hold the same code and the same value.
    bool operator==(const KxDbEvalVariant& other) const;

    /// The code follows from the value held, so the two never disagree.
    short restype() const;
    /// The type tag that the result-type code stands for; kDwgNull while the variant holds nothing.
    DwgDataType getType() const;

    /// Each reader gives the stored value when the variant holds that type, else zero or empty.
    ///@{
    double getDouble() const;
    std::int32_t getInt32() const;
    short getInt16() const;
    std::int8_t getInt8() const;
    KxString getString() const;
    KxPoint3d getPoint() const;
    ///@}

private:
    using Value =
        std::variant<std::monostate, double, std::int32_t, short, std::int8_t, KxString, KxPoint3d>;

    template <class T>
    T read() const;

    Value mValue;
};
