#pragma once

#include <cstdint>

// Names one object of a drawing database. The null id names nothing.
class KxDbObjectId {
public:
    KxDbObjectId() = default;
    explicit KxDbObjectId(std::uint64_t handle) : mHandle(handle) {}

    static KxDbObjectId kNull() { return KxDbObjectId(); }

    bool isNull() const { return mHandle == 0; }
    void setNull() { mHandle = 0; }
    std::uint64_t handle() const { return mHandle; }

    bool operator==(const KxDbObjectId&) const = default;

private:
    std::uint64_t mHandle = 0;
};
